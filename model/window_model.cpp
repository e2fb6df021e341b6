#include "model/window_model.h"

#include "core/errors.h"
#include "core/files.h"
#include "core/text1252.h"

namespace veldaris {

Window::Window(Platform& platform_, std::filesystem::path workDir_)
    : platform(platform_), workDir(std::move(workDir_)) {
  for (const ControlSpec& spec : ControlTable()) {
    Control& control = (*this)[spec.id];
    control.text = spec.caption;
    control.width = spec.width;
  }
}

std::filesystem::path Window::File(std::string_view name) const { return PathOf(workDir, name); }

namespace {

// The message box of a failure: its number, the description, and the file concerned.
std::string FailureText(const SystemError& error) {
  std::string text = "Fehler " + std::to_string(error.Number()) + ": " + error.Description();
  if (!error.File().empty()) text += "\r" + Cp1252("Datei: ") + error.File();
  return text;
}

}  // namespace

void Window::ShowFailure(const SystemError& error) {
  platform.ShowMessage("Veldaris", FailureText(error));
}

void Window::ReportFailure(const SystemError& error) {
  ended = true;
  ShowFailure(error);
  platform.Quit();
}

void Window::Run(const std::function<void()>& handler) {
  if (ended) return;
  try {
    handler();
  } catch (const SystemError& error) {
    ReportFailure(error);
  }
}

}  // namespace veldaris
