#include "core/folder_lock.h"

#include "core/file_names.h"

namespace veldaris {

std::optional<FolderLock> FolderLock::Claim(const std::filesystem::path& folder) {
  const std::optional<os::Handle> file = os::TryLock(PathOf(folder, kLockFile));
  if (!file) return std::nullopt;
  return FolderLock(*file);
}

}  // namespace veldaris
