#include "window/input.h"

#include "core/federal_states.h"
#include "core/file_names.h"
#include "core/output_file.h"
#include "core/text1252.h"
#include "maintenance/desktop.h"
#include "model/window_model.h"
#include "window/events.h"
#include "window/search.h"

namespace veldaris {
namespace {

constexpr ControlId kMaintenanceButtons[] = {Command4, Command5, Command6, Command7, Command9};

// Empties Text1 with its change handling, which must run even when the field was empty
// already (then the toolkit raises no change).
void EmptyText1(Window& w) {
  if (w[Text1].text().empty())
    Text1Change(w);
  else
    SetText(w, Text1, "");
}

}  // namespace

bool ClaimWorkingFolder(Window& w) {
  w.folderLock = FolderLock::Claim(w.workDir);
  if (w.folderLock) return true;
  // The other program keeps its result file; this one leaves before it touches anything.
  w.ended = true;
  w.platform.ShowMessage("Veldaris", Cp1252("Veldaris läuft bereits in diesem Ordner:\r") +
                                         TextOfPath(w.workDir) +
                                         Cp1252("\rBitte verwenden Sie das Fenster, das schon "
                                                "offen ist."));
  w.platform.Quit();
  return false;
}

void StartUp(Window& w) {
  w.height = kNormalHeight;
  w[Option1].SetSelected(true);
  w[Option2].SetSelected(false);
  w[Option3].SetSelected(true);
  w[Option4].SetSelected(false);
  w[Option5].SetSelected(false);
  EmptyText1(w);
  for (ControlId id : {Text3, Text7, Text8, Text9, Text10, Text5, Text16}) SetText(w, id, "");
  for (ControlId id : kMaintenanceButtons) w[id].SetVisible(false);
  w.DesktopPath = GetSpecialFolder(w, 0) + std::string(PathSeparator());
  RowList states;
  for (const std::string& item : GetStateListItems()) states.push_back(item);
  w[Combo1].SetRows(std::move(states));
  w[Combo1].SetVisible(false);
  w[Combo2].SetVisible(false);
}

bool BeginsWithAccessWord(const std::string& text) {
  const std::string start = ToLower1252(text.substr(0, 6));
  for (std::string_view word : kAccessWords)
    if (start == word) return true;
  return false;
}

void ApplyMaintenanceMode(Window& w) {
  w.height = kMaintenanceHeight;
  w.width = kWindowWidth;
  for (ControlId id : kMaintenanceButtons) w[id].SetVisible(true);
}

void ApplyNormalLayout(Window& w) {
  w.height = kNormalHeight;
  w.width = kWindowWidth;
  for (ControlId id : kMaintenanceButtons) w[id].SetVisible(false);
}

void Text1Change(Window& w) {
  if (BeginsWithAccessWord(w[Text1].text()))
    ApplyMaintenanceMode(w);
  else
    ApplyNormalLayout(w);
  w[Command11].SetVisible(false);
  w[Command2].SetWidth(kCommand2FullWidth);
}

void Text3Change(Window& w) {
  std::string completed = CompleteStateInput(w[Text3].text());
  // The replacement raises this handling once more, which leaves the result as it is.
  if (completed != w[Text3].text()) SetText(w, Text3, std::move(completed));
}

void Text1KeyPress(Window& w, int keyAscii) {
  if (keyAscii == 13) SearchPlaces(w);
}

void ClearInput(Window& w) {
  EmptyText1(w);
  SetText(w, Text3, "");
  w[List1].SetRows({});
  w.focus = Text1;
}

void ExitProgram(Window& w) {
  TryDeleteFile(w.File(kResultFile));  // a missing or locked file does not keep the program
  w.ended = true;
  w.platform.Quit();
}

}  // namespace veldaris
