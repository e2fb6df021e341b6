#include "maintenance/desktop.h"

#include <filesystem>

#include "core/copy_file.h"
#include "core/errors.h"
#include "core/file_names.h"
#include "core/rules.h"
#include "core/text1252.h"
#include "model/window_model.h"

namespace veldaris {

std::string GetSpecialFolder(Window& w, int CSIDL) { return w.system.SpecialFolderPath(CSIDL); }

void ExportToDesktop(Window& w) {
  const std::string name = ExportFileName(w[Text1].text());
  // A failed export is reported, but the search result on the window stays usable.
  if (!IsSafeFileName(name)) {
    w.ShowFailure(InvalidFileNameError(name));
    return;
  }
  // No Desktop at start-up leaves the separator alone in DesktopPath, which would put the
  // file into the root folder; a Desktop may also have gone since.
  const std::filesystem::path desktop = PathFromText(w.DesktopPath);
  std::error_code ec;
  if (w.DesktopPath == PathSeparator() || !std::filesystem::is_directory(desktop, ec)) {
    const std::string sought = w.DesktopPath == PathSeparator()
                                   ? w.system.SpecialFolderSought(0)
                                   : w.DesktopPath.substr(0, w.DesktopPath.size() - 1);
    w.platform.ShowMessage(
        "Veldaris", Cp1252("Es wurde kein Desktop-Ordner gefunden. Gesucht wurde:\r") + sought +
                        Cp1252("\rDas Suchergebnis wurde nicht gespeichert."));
    return;
  }
  try {
    CopyFile(w.File(kConvertedFile), std::string(kConvertedFile), PathOf(desktop, name),
             w.DesktopPath + name, w.system);
  } catch (const SystemError& error) {
    w.ShowFailure(error);
    return;
  }
  w[Text16].SetText(" Das Suchergebnis wurde am Desktop in der Datei " + name + " gespeichert");
  w.focus = Text1;
}

}  // namespace veldaris
