// The events of the window, each routed to its handler. Every handler runs under the
// window's failure dispatcher; once the program has ended, events are ignored.
#pragma once

#include <string>

#include "model/controls.h"

namespace veldaris {

class Window;

void OnLoad(Window& w);
void OnClick(Window& w, ControlId id);
// The user changed a field's text (typing, pasting, picking a list item); caret is the
// position of the text cursor afterwards.
void OnUserEdit(Window& w, ControlId id, std::string text, int caret);
// The Enter key in a field.
void OnEnter(Window& w, ControlId id);
// The user picked row n of List1: a mouse click on the row, or a move of the list's current
// row by the keyboard while the list has the focus.
enum class PickedBy { kMouse, kKeyboard };
void OnListPick(Window& w, int n, PickedBy by = PickedBy::kMouse);
// Whether an event of a control has a handler of its own; a change without one only keeps
// the field's text.
bool IsRouted(ControlId id, ControlEvent event);
// The user moved the keyboard focus.
void OnFocus(Window& w, ControlId id);

// Sets a field's text as a handler does: a change of Text1, Text3 or Combo1 raises
// that field's change handling at once, inside the handler. A program-made replacement
// leaves the caret at the end, so that typing on after a completed state name goes behind
// it.
void SetText(Window& w, ControlId id, std::string text);

}  // namespace veldaris
