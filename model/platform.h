// The seam between the window model and the window system. Texts are Windows-1252.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace veldaris {

class Platform {
 public:
  virtual ~Platform() = default;

  // A modal message box with one OK button and no icon; a CR in the text breaks the line.
  // Returns when the user has closed it.
  virtual void ShowMessage(const std::string& title, const std::string& text) = 0;

  // Starts a program by its bare name (looked for beside the program's own executable,
  // then on the search path) in workDir, minimised, without waiting. Throws SystemError
  // when it cannot be started.
  virtual void StartProgram(const std::string& name, const std::vector<std::string>& args,
                            const std::filesystem::path& workDir) = 0;

  virtual void ClearClipboard() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;

  // The file-system path of the special folder csidl (0: the user's Desktop) without a
  // trailing separator, or empty text when the folder is unknown.
  virtual std::string SpecialFolderPath(int csidl) = 0;
  // Where that folder is looked for: the path where the system has one, for a message that
  // says the folder is missing.
  virtual std::string SpecialFolderSought(int csidl) = 0;

  // Ends the program once the current handler has returned.
  virtual void Quit() = 0;
};

}  // namespace veldaris
