#include "window/events.h"

#include "maintenance/desktop.h"
#include "maintenance/place_entry.h"
#include "model/window_model.h"
#include "window/information.h"
#include "window/input.h"
#include "window/place_details.h"
#include "window/search.h"

namespace veldaris {
namespace {

// The change handling of a field whose text has just changed.
void TextChanged(Window& w, ControlId id) {
  switch (id) {
    case Text1: Text1Change(w); break;
    case Text3: Text3Change(w); break;
    case Combo1: Combo1Change(w); break;
    case Combo2: Combo2Change(w); break;
    default: break;  // the other fields have no change handling
  }
}

}  // namespace

void OnLoad(Window& w) {
  w.Run([&] {
    if (ClaimWorkingFolder(w)) StartUp(w);
  });
}

void OnClick(Window& w, ControlId id) {
  w.Run([&] {
    switch (id) {
      case Command1: SearchPlaces(w); break;
      case Command2: ClearInput(w); break;
      case Command3: ExitProgram(w); break;
      case Command4: AppendPlace(w); break;
      case Command5: EndPlaceEntry(w); break;
      case Command6: CheckDataFile(w); break;
      case Command7: StartPlaceEntry(w); break;
      case Command11: ExportToDesktop(w); break;
      case Text16: CopyPlaceString(w); break;
      case Picture1: ShowQuotation(w); break;
      case Picture2: ShowInformation(w); break;
      case Option1:
      case Option2:
        w[Option1].selected = id == Option1;
        w[Option2].selected = id == Option2;
        break;
      case Option3:
      case Option4:
      case Option5:
        w[Option3].selected = id == Option3;
        w[Option4].selected = id == Option4;
        w[Option5].selected = id == Option5;
        break;
      default: break;  // Command9, Command10 and the rest have no click handling
    }
  });
}

void OnUserEdit(Window& w, ControlId id, std::string text, int caret) {
  w.Run([&] {
    Control& field = w[id];
    if (field.text == text) return;
    field.text = std::move(text);
    field.selStart = caret;
    field.selLength = 0;
    TextChanged(w, id);
  });
}

void OnKeyPress(Window& w, ControlId id, int keyAscii) {
  w.Run([&] {
    if (id == Text1) Text1KeyPress(w, keyAscii);
  });
}

void OnListPick(Window& w, int n) {
  w.Run([&] {
    w[List1].listIndex = n;
    ShowPlaceDetails(w, n);
  });
}

void OnFocus(Window& w, ControlId id) {
  if (!w.ended) w.focus = id;
}

void SetText(Window& w, ControlId id, std::string text) {
  Control& field = w[id];
  if (field.text == text) return;
  field.text = std::move(text);
  field.selStart = 0;
  field.selLength = 0;
  TextChanged(w, id);
}

}  // namespace veldaris
