#include "core/output_file.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <random>

#include "core/errors.h"

namespace veldaris {
namespace {

// A name beside the target that no other writer uses: created exclusively, with a new
// suffix until one is free.
os::Handle CreateBeside(const std::filesystem::path& target, const std::string& name,
                        std::filesystem::path& temp) {
  static std::atomic<std::uint64_t> counter{std::random_device{}()};
  for (int attempt = 0;; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08llx.tmp",
                  static_cast<unsigned long long>(counter.fetch_add(0x9E3779B9u) & 0xFFFFFFFFu));
    temp = target;
    temp += suffix;
    try {
      return os::CreateNew(temp, name);
    } catch (const SystemError&) {
      // Another writer's file of that name, or a planted one: try another name. A folder
      // that cannot be written reports its own failure the same way every time.
      std::error_code ec;
      if (attempt >= 16 || !std::filesystem::exists(std::filesystem::symlink_status(temp, ec)))
        throw;
    }
  }
}

}  // namespace

Disk& SystemDisk() {
  static Disk disk;
  return disk;
}

OutputFile::OutputFile(const std::filesystem::path& path, std::string name, Disk& disk)
    : disk_(disk), target_(path), name_(std::move(name)) {
  // A file, or a link to a file or to nothing, is replaced; a folder, a device or a pipe is
  // refused, never renamed over, and so is a link to one ("/dev/stdout").
  std::error_code ec;
  const auto type = std::filesystem::status(target_, ec).type();
  if (type != std::filesystem::file_type::not_found && type != std::filesystem::file_type::regular &&
      type != std::filesystem::file_type::none)  // none: not found out here; creating or renaming says why
    throw NotRegularFileError(name_);
  file_ = CreateBeside(target_, name_, temp_);
  pending_.reserve(kFlushAt);
}

OutputFile::~OutputFile() { GiveUp(); }

void OutputFile::GiveUp() noexcept {
  if (file_ == os::kNoHandle) return;
  os::CloseQuietly(file_);
  file_ = os::kNoHandle;
  os::Delete(temp_);
}

void OutputFile::Flush() {
  if (pending_.empty()) return;
  disk_.Write(file_, pending_.data(), pending_.size(), name_);
  pending_.clear();
}

void OutputFile::Close() {
  if (file_ == os::kNoHandle) return;
  try {
    Flush();
  } catch (...) {
    GiveUp();
    throw;
  }
  const os::Handle file = std::exchange(file_, os::kNoHandle);
  try {
    disk_.Close(file, name_);
    os::Replace(temp_, target_, name_);
  } catch (...) {
    os::Delete(temp_);
    throw;
  }
}

bool TryDeleteFile(const std::filesystem::path& path) { return os::Delete(path); }

}  // namespace veldaris
