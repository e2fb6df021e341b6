// One program at a time in a working folder.
#pragma once

#include <filesystem>
#include <optional>
#include <utility>

#include "core/os.h"

namespace veldaris {

// Keeps other programs out of a working folder while it is held: a second program in the
// same folder would share its result file. The system lets go of it when the program ends,
// however it ends.
class FolderLock {
 public:
  // Nothing when another program holds the folder. A folder in which no lock file can be
  // made (one the user may not write to) is not locked, and the program goes on there.
  static std::optional<FolderLock> Claim(const std::filesystem::path& folder);
  FolderLock(FolderLock&& other) noexcept : file_(std::exchange(other.file_, os::kNoHandle)) {}
  FolderLock& operator=(FolderLock&& other) noexcept {
    std::swap(file_, other.file_);
    return *this;
  }
  ~FolderLock() { os::CloseQuietly(file_); }

 private:
  explicit FolderLock(os::Handle file) : file_(file) {}
  os::Handle file_;
};

}  // namespace veldaris
