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
void OnKeyPress(Window& w, ControlId id, int keyAscii);
// The user picked row n of List1, with the mouse or the arrow keys.
void OnListPick(Window& w, int n);
// The user moved the keyboard focus.
void OnFocus(Window& w, ControlId id);

// Sets a field's text as a handler does: a change of Text1, Text3, Combo1 or Combo2 raises
// that field's change handling at once, inside the handler. A program-made replacement
// leaves the caret at the start.
void SetText(Window& w, ControlId id, std::string text);

}  // namespace veldaris
