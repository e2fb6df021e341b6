#include "model/system.h"

#include "core/os.h"

namespace veldaris {

void System::StartProgram(const std::string& name, const std::vector<std::string>& args,
                          const std::filesystem::path& workDir) {
  os::StartProgram(name, args, workDir);
}

std::string System::SpecialFolderPath(int csidl) { return os::SpecialFolderPath(csidl); }

std::string System::SpecialFolderSought(int csidl) { return os::SpecialFolderSought(csidl); }

System& TheSystem() {
  static System system;
  return system;
}

}  // namespace veldaris
