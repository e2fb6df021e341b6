// A file copied to another place, as the Desktop export does.
#pragma once

#include <filesystem>
#include <string>

#include "core/output_file.h"

namespace veldaris {

// Copies a file, replacing the target through a new file renamed into place. Names are shown
// in failures.
void CopyFile(const std::filesystem::path& source, const std::string& sourceName,
              const std::filesystem::path& target, const std::string& targetName, Disk& disk = SystemDisk());

}  // namespace veldaris
