#include "core/append.h"

#include <cstdint>

#include "core/errors.h"

namespace veldaris {

void AppendLine(const std::filesystem::path& path, const std::string& name, std::string_view line,
                Disk& disk) {
  std::error_code ec;
  const bool existed = std::filesystem::exists(std::filesystem::symlink_status(path, ec));
  const os::Handle file = os::OpenForAppending(path, name);
  std::uint64_t sizeBefore = 0;
  try {
    sizeBefore = os::Size(file, name);
    std::string bytes;
    bytes.reserve(line.size() + 2);
    char last = '\n';
    if (sizeBefore > 0) os::ReadAt(file, sizeBefore - 1, &last, 1, name);
    if (last != '\n') bytes = "\r\n";
    bytes.append(line);
    // One write of the whole line, then the wait until the disk has it: a full disk is
    // reported now, while the file can still be cut back.
    disk.Write(file, bytes.data(), bytes.size(), name);
    disk.Sync(file, name);
  } catch (...) {
    try {
      os::Truncate(file, sizeBefore, name);
    } catch (const SystemError&) {
    }
    os::CloseQuietly(file);
    if (!existed) os::Delete(path);
    throw;
  }
  try {
    disk.Close(file, name);
  } catch (...) {
    // The close failed after the line went out: take it back by name.
    if (!existed) {
      os::Delete(path);
    } else {
      try {
        const os::Handle again = os::OpenForAppending(path, name);
        os::Truncate(again, sizeBefore, name);
        os::Close(again, name);
      } catch (const SystemError&) {
      }
    }
    throw;
  }
}

}  // namespace veldaris
