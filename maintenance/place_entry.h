// Maintenance: entering new places into the data file, and checking the data file.
#pragma once

#include <string_view>

namespace veldaris {

class Window;

void StartPlaceEntry(Window& w);  // Command7
void AppendPlace(Window& w);      // Command4
void EndPlaceEntry(Window& w);    // Command5
void CheckDataFile(Window& w);    // Command6

// A change of Combo1's text: completes a pending wait for the federal state.
void Combo1Change(Window& w);

}  // namespace veldaris
