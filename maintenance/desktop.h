// The Desktop folder and the export of the converted search result onto it.
#pragma once

#include <string>

namespace veldaris {

class Window;

// The path of a special folder (0: the user's Desktop) without a trailing separator, or
// empty text when the window system does not know it.
std::string GetSpecialFolder(Window& w, int CSIDL);

// "\" on Windows, "/" elsewhere.
std::string PathSeparator();

// "ort-" + the first four characters of the search text (filled with blanks) + ".csv".
std::string ExportFileName(const std::string& searchText);

// Whether a name can stand for a file in the Desktop folder: no separator, no control
// character (on Windows none of the characters that Windows forbids).
bool IsSafeFileName(const std::string& name);

// The click on Command11.
void ExportToDesktop(Window& w);

}  // namespace veldaris
