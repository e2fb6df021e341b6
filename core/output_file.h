// The files the program writes. A file it creates or empties is written under a new name
// beside its target and renamed into place when it is complete, so that a link planted under
// the target's name is replaced, never followed, and a failure leaves whatever stood there
// before.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/os.h"

namespace veldaris {

// Where the program's writes go. The system's disk writes them; a test hands the files a disk
// of its own that fills up or fails, where it wants to see what a full disk does.
class Disk {
 public:
  virtual ~Disk() = default;
  // Writes all bytes or throws.
  virtual void Write(os::Handle file, const char* bytes, std::size_t size, const std::string& name) {
    os::Write(file, bytes, size, name);
  }
  // Waits until the disk has what was written.
  virtual void Sync(os::Handle file, const std::string& name) { os::Sync(file, name); }
  virtual void Close(os::Handle file, const std::string& name) { os::Close(file, name); }
};

// The system's disk.
Disk& SystemDisk();

class OutputFile {
 public:
  // name: shown in messages (Windows-1252).
  OutputFile(const std::filesystem::path& path, std::string name, Disk& disk = SystemDisk());
  // Without Close() (a failure on its way) the target stays as it was.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void Write(std::string_view bytes) {
    if (pending_.size() + bytes.size() > kFlushAt) Flush();
    pending_.append(bytes);
  }
  void Write(char c) {
    if (pending_.size() >= kFlushAt) Flush();
    pending_.push_back(c);
  }
  // Writes the rest, closes, and renames the file into place; a failure of any of these is
  // reported here, and the target then stays as it was.
  void Close();

 private:
  static constexpr std::size_t kFlushAt = 64 * 1024;
  void Flush();
  void GiveUp() noexcept;

  Disk& disk_;
  std::filesystem::path target_;
  std::filesystem::path temp_;
  os::Handle file_ = os::kNoHandle;
  std::string name_;
  std::string pending_;
};

// Deletes a file; false when it could not be deleted (missing or otherwise).
bool TryDeleteFile(const std::filesystem::path& path);

}  // namespace veldaris
