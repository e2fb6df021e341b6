#include "model/window_model.h"

#include <algorithm>
#include <vector>

#include "core/errors.h"
#include "core/file_names.h"
#include "core/text1252.h"

namespace veldaris {

Window::Window(Platform& platform_, std::filesystem::path workDir_, System& system_)
    : platform(platform_), system(system_), workDir(std::move(workDir_)) {
  for (const ControlSpec& spec : ControlTable()) {
    Control& control = (*this)[spec.id];
    control.SetText(spec.caption);
    control.SetWidth(spec.width);
  }
}

std::filesystem::path Window::File(std::string_view name) const { return PathOf(workDir, name); }

int ClientHeightTwips(int outerHeight) {
  constexpr int kBottomRowBottom = 6720 + 495;
  constexpr int kBottomMargin = 105;
  int client = outerHeight - (kNormalHeight - kClientHeight);
  if (outerHeight > kNormalHeight) client = std::max(client, kBottomRowBottom + kBottomMargin);
  return client;
}

ControlId NextTabStop(const Window& w, ControlId from, bool forward) {
  std::vector<const ControlSpec*> stops;
  for (const ControlSpec& spec : ControlTable()) {
    if (!spec.tabStop || spec.kind == ControlKind::kFrame || !w[spec.id].visible()) continue;
    if (spec.inFrame && !w[Frame1].visible()) continue;
    if (spec.kind == ControlKind::kOptionButton && !w[spec.id].selected()) continue;
    stops.push_back(&spec);
  }
  if (stops.empty()) return kControlCount;
  std::sort(stops.begin(), stops.end(),
            [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
  // From a control that is no stop (an option not selected, a caption clicked into), go on
  // from its place in the order.
  const int at = from == kControlCount ? -1 : SpecOf(from).tabIndex;
  if (forward) {
    for (const ControlSpec* s : stops)
      if (s->tabIndex > at) return s->id;
    return stops.front()->id;
  }
  for (auto s = stops.rbegin(); s != stops.rend(); ++s)
    if ((*s)->tabIndex < at || from == kControlCount) return (*s)->id;
  return stops.back()->id;
}

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
