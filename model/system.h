// The seam between the handlers and the operating system, beside the window system's
// (model/platform.h): starting a program, finding a special folder, and the disk that the
// program's files are written to. The handlers reach the system only through it; the tests
// fake it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/output_file.h"

namespace veldaris {

class System : public Disk {
 public:
  // Starts a program by its bare name (looked for beside the program's own executable,
  // then on the search path) in workDir, minimised, without waiting. Throws SystemError
  // when it cannot be started.
  virtual void StartProgram(const std::string& name, const std::vector<std::string>& args,
                            const std::filesystem::path& workDir);
  // The file-system path of the special folder csidl (0: the user's Desktop) without a
  // trailing separator, or empty text when the folder is unknown.
  virtual std::string SpecialFolderPath(int csidl);
  // Where that folder is looked for: the path where the system has one, for a message that
  // says the folder is missing.
  virtual std::string SpecialFolderSought(int csidl);
};

// The system the program runs on.
System& TheSystem();

}  // namespace veldaris
