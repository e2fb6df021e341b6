#include "desktop.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "errors.h"
#include "file_names.h"
#include "files.h"
#include "model.h"
#include "text1252.h"

namespace veldaris {

std::string GetSpecialFolder(Window& w, int CSIDL) { return w.platform.SpecialFolderPath(CSIDL); }

std::string PathSeparator() {
#ifdef _WIN32
  return "\\";
#else
  return "/";
#endif
}

std::string ExportFileName(const std::string& searchText) {
  std::string stem = searchText.substr(0, 4);
  stem.resize(4, ' ');
  return "ort-" + stem + ".csv";
}

bool IsSafeFileName(const std::string& name) {
  for (char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 32 || c == 127 || c == '/' || c == '\\') return false;
#ifdef _WIN32
    if (std::string_view("<>:\"|?*").find(ch) != std::string_view::npos) return false;
#endif
  }
  return true;
}

void ExportToDesktop(Window& w) {
  const std::string name = ExportFileName(w[Text1].text);
  // A failed export is reported, but the search result on the window stays usable.
  if (!IsSafeFileName(name)) {
    w.ShowFailure(SystemError(EINVAL, Cp1252("Ungültiger Dateiname"), name));
    return;
  }
  const std::filesystem::path source = w.File(kConvertedFile);
  const std::filesystem::path target = PathOf({}, w.DesktopPath + name);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(source, ec)) {
    w.ShowFailure(ErrnoError(ENOENT, std::string(kConvertedFile)));
    return;
  }
  std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing, ec);
  if (ec) {
    w.ShowFailure(ErrnoError(ec.value(), w.DesktopPath + name));
    return;
  }
  w.LastExportName = name;
  w[Text16].text = " Das Suchergebnis wurde am Desktop in der Datei " + name + " gespeichert";
  w.focus = Text1;
}

}  // namespace veldaris
