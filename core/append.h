// The one write in place of the program: a line appended to the data file.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/output_file.h"

namespace veldaris {

// Appends one line to the end of a file (created when missing). A last line without its
// line feed gets CR LF first, so the new line never runs into it. Whatever fails (a full
// disk, a partial write, the close), the file is left byte for byte as it was.
void AppendLine(const std::filesystem::path& path, const std::string& name, std::string_view line,
                Disk& disk = SystemDisk());

}  // namespace veldaris
