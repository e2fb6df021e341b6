#include "maintenance/desktop.h"

#include "core/errors.h"
#include "core/file_names.h"
#include "core/files.h"
#include "core/os.h"
#include "core/rules.h"
#include "core/text1252.h"
#include "model/window_model.h"

namespace veldaris {

std::string GetSpecialFolder(Window& w, int CSIDL) { return w.platform.SpecialFolderPath(CSIDL); }

void ExportToDesktop(Window& w) {
  const std::string name = ExportFileName(w[Text1].text);
  // A failed export is reported, but the search result on the window stays usable.
  if (!IsSafeFileName(name)) {
    w.ShowFailure(SystemError(os::ErrorOf(os::Condition::kInvalidName, name).Number(),
                              Cp1252("Ungültiger Dateiname"), name));
    return;
  }
  try {
    CopyFile(w.File(kConvertedFile), std::string(kConvertedFile),
             PathOf(os::PathFrom1252(w.DesktopPath), name), w.DesktopPath + name);
  } catch (const SystemError& error) {
    w.ShowFailure(error);
    return;
  }
  w[Text16].text = " Das Suchergebnis wurde am Desktop in der Datei " + name + " gespeichert";
  w.focus = Text1;
}

}  // namespace veldaris
