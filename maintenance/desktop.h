// The Desktop folder and the export of the converted search result onto it.
#pragma once

#include <string>

namespace veldaris {

class Window;

// The path of a special folder (0: the user's Desktop) without a trailing separator, or
// empty text when the window system does not know it.
std::string GetSpecialFolder(Window& w, int CSIDL);

// The click on Command11.
void ExportToDesktop(Window& w);

}  // namespace veldaris
