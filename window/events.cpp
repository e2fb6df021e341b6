#include "window/events.h"

#include <array>
#include <cstdint>

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

// Runs one event under the failure dispatcher, then keeps what the handlers leave to the
// window as a whole: a text written without a selection shows unselected, and while Combo2
// covers the district field it shows that field's text, so that the district the record
// gets is the one the user sees.
template <typename Handler>
void Route(Window& w, Handler handler) {
  std::array<std::string, kControlCount> texts;
  std::array<std::uint64_t, kControlCount> selections{};
  for (int i = 0; i < kControlCount; ++i) {
    texts[static_cast<std::size_t>(i)] = w[static_cast<ControlId>(i)].text;
    selections[static_cast<std::size_t>(i)] = w[static_cast<ControlId>(i)].selRevision;
  }
  w.Run([&] {
    handler();
    if (w[Combo2].visible) w[Combo2].text = w[Text9].text;
    for (int i = 0; i < kControlCount; ++i) {
      Control& control = w[static_cast<ControlId>(i)];
      if (control.text != texts[static_cast<std::size_t>(i)] &&
          control.selRevision == selections[static_cast<std::size_t>(i)])
        control.Select(0, 0);
    }
  });
}

}  // namespace

void OnLoad(Window& w) {
  Route(w, [&] {
    if (ClaimWorkingFolder(w)) StartUp(w);
  });
}

void OnClick(Window& w, ControlId id) {
  Route(w, [&] {
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
  Route(w, [&] {
    Control& field = w[id];
    if (field.text == text) return;
    field.text = std::move(text);
    field.Select(caret, 0);
    TextChanged(w, id);
  });
}

void OnKeyPress(Window& w, ControlId id, int keyAscii) {
  Route(w, [&] {
    if (id == Text1) Text1KeyPress(w, keyAscii);
  });
}

void OnListPick(Window& w, int n, PickedBy by) {
  Route(w, [&] {
    w[List1].listIndex = n;
    ShowPlaceDetails(w, n);
    // Browsing with the arrow keys goes on in the list; the details, the place string and
    // the clipboard are those of a click.
    if (by == PickedBy::kKeyboard) w.focus = List1;
  });
}

void OnFocus(Window& w, ControlId id) {
  if (!w.ended) w.focus = id;
}

void SetText(Window& w, ControlId id, std::string text) {
  Control& field = w[id];
  if (field.text == text) return;
  field.text = std::move(text);
  // As a toolkit leaves a field whose whole text the program replaced: the caret at the end.
  field.Select(static_cast<int>(field.text.size()), 0);
  TextChanged(w, id);
}

}  // namespace veldaris
