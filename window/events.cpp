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

template <ControlId kOption, ControlId... kGroup>
void SelectOption(Window& w) {
  ((w[kGroup].SetSelected(kGroup == kOption), ...));
}

// Which handler each event of each control runs. The control table says which events a
// control raises; an event raised with no handler here (a change of a field that nothing
// watches) only leaves its text in the model.
struct EventRoute {
  ControlId id;
  ControlEvent event;
  void (*handler)(Window&);
};
const EventRoute kRoutes[] = {
    {Command1, kClickEvent, SearchPlaces},
    {Command2, kClickEvent, ClearInput},
    {Command3, kClickEvent, ExitProgram},
    {Command4, kClickEvent, AppendPlace},
    {Command5, kClickEvent, EndPlaceEntry},
    {Command6, kClickEvent, CheckDataFile},
    {Command7, kClickEvent, StartPlaceEntry},
    {Command11, kClickEvent, ExportToDesktop},
    {Text16, kClickEvent, CopyPlaceString},
    {Picture1, kClickEvent, ShowQuotation},
    {Picture2, kClickEvent, ShowInformation},
    {Option1, kClickEvent, SelectOption<Option1, Option1, Option2>},
    {Option2, kClickEvent, SelectOption<Option2, Option1, Option2>},
    {Option3, kClickEvent, SelectOption<Option3, Option3, Option4, Option5>},
    {Option4, kClickEvent, SelectOption<Option4, Option3, Option4, Option5>},
    {Option5, kClickEvent, SelectOption<Option5, Option3, Option4, Option5>},
    {Text1, kChangeEvent, Text1Change},
    {Text3, kChangeEvent, Text3Change},
    {Combo1, kChangeEvent, Combo1Change},
    {Text1, kEnterEvent, [](Window& w) { Text1KeyPress(w, 13); }},
};

void (*HandlerOf(ControlId id, ControlEvent event))(Window&) {
  for (const EventRoute& route : kRoutes)
    if (route.id == id && route.event == event) return route.handler;
  return nullptr;
}

// The change handling of a field whose text has just changed.
void TextChanged(Window& w, ControlId id) {
  if (const auto handler = HandlerOf(id, kChangeEvent)) handler(w);
}

}  // namespace

void OnLoad(Window& w) {
  w.Run([&] {
    if (ClaimWorkingFolder(w)) StartUp(w);
  });
}

void OnClick(Window& w, ControlId id) {
  w.Run([&] {
    if (const auto handler = HandlerOf(id, kClickEvent)) handler(w);
  });
}

void OnUserEdit(Window& w, ControlId id, std::string text, int caret) {
  w.Run([&] {
    // A control that stands for another one's text edits that text.
    Control& field = w[SpecOf(id).textOf.value_or(id)];
    if (field.text() == text) return;
    field.SetText(std::move(text));
    field.Select(caret, 0);
    TextChanged(w, id);
  });
}

void OnEnter(Window& w, ControlId id) {
  w.Run([&] {
    if (const auto handler = HandlerOf(id, kEnterEvent)) handler(w);
  });
}

void OnListPick(Window& w, int n, PickedBy by) {
  w.Run([&] {
    w[List1].SetCurrent(n);
    ShowPlaceDetails(w, n);
    // Browsing with the arrow keys goes on in the list; the details, the place string and
    // the clipboard are those of a click.
    if (by == PickedBy::kKeyboard) w.focus = List1;
  });
}

bool IsRouted(ControlId id, ControlEvent event) {
  if (event == kPickEvent) return id == List1;  // OnListPick: the place details of the row
  return HandlerOf(id, event) != nullptr;
}

void OnFocus(Window& w, ControlId id) {
  if (!w.ended) w.focus = id;
}

void SetText(Window& w, ControlId id, std::string text) {
  Control& field = w[id];
  if (field.text() == text) return;
  field.SetText(std::move(text));
  // As a toolkit leaves a field whose whole text the program replaced: the caret at the end.
  field.Select(static_cast<int>(field.text().size()), 0);
  TextChanged(w, id);
}

}  // namespace veldaris
