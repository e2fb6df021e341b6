// Start-up and the handling of the search inputs: the change handling of Text1 and Text3,
// Enter in Text1, the clear and exit buttons.
#pragma once

#include <string>
#include <string_view>

#include "model/controls.h"

namespace veldaris {

class Window;

// The first characters of a search text that switch to maintenance mode, lower-cased.
inline constexpr std::string_view kAccessWords[] = {"tobrek", "dobrek"};

// Claims the working folder for this program; when another program works there already,
// says so and ends. Returns whether the program goes on.
bool ClaimWorkingFolder(Window& w);

// The window has been loaded: brings it into its normal state.
void StartUp(Window& w);

void Text1Change(Window& w);
void Text3Change(Window& w);
void Text1KeyPress(Window& w, int keyAscii);
void ClearInput(Window& w);  // Command2
void ExitProgram(Window& w);  // Command3

void ApplyNormalLayout(Window& w);
void ApplyMaintenanceMode(Window& w);
bool BeginsWithAccessWord(const std::string& text);

}  // namespace veldaris
