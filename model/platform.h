// The seam between the window model and the window system: message boxes, the clipboard,
// the end of the program. Texts are Windows-1252.
#pragma once

#include <string>

namespace veldaris {

class Platform {
 public:
  virtual ~Platform() = default;

  // A modal message box with one OK button and no icon; a CR in the text breaks the line.
  // Returns when the user has closed it.
  virtual void ShowMessage(const std::string& title, const std::string& text) = 0;

  virtual void ClearClipboard() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;

  // Ends the program once the current handler has returned.
  virtual void Quit() = 0;
};

}  // namespace veldaris
