#include "core/files.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <random>

#include "core/errors.h"
#include "core/file_names.h"

namespace veldaris {
namespace {

// What a scanner finds at the end of the file: the CR that stops it, and padding.
constexpr char kEndOfData[InputFile::kPadding] = {'\r'};

DiskFaults faults;

// Every write of the program goes through here, so that tests can make the disk fail.
void WriteToDisk(os::Handle file, const char* bytes, std::size_t size, const std::string& name) {
  if (faults.writableBytes < size) {
    const auto fits = static_cast<std::size_t>(faults.writableBytes);
    os::Write(file, bytes, fits, name);
    faults.writableBytes = 0;
    throw os::ErrorOf(os::Condition::kDiskFull, name);
  }
  if (faults.writableBytes != std::numeric_limits<std::uint64_t>::max()) faults.writableBytes -= size;
  os::Write(file, bytes, size, name);
}

void SyncToDisk(os::Handle file, const std::string& name) {
  if (faults.failSync) throw os::ErrorOf(os::Condition::kDiskFull, name);
  os::Sync(file, name);
}

void CloseOnDisk(os::Handle file, const std::string& name) {
  if (faults.failClose) {
    os::CloseQuietly(file);
    throw os::ErrorOf(os::Condition::kDiskFull, name);
  }
  os::Close(file, name);
}

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

void SetDiskFaults(const DiskFaults& newFaults) { faults = newFaults; }

std::filesystem::path PathOf(const std::filesystem::path& folder, std::string_view name1252) {
  return folder / os::PathFrom1252(name1252);
}

InputFile::InputFile(const std::filesystem::path& path, std::string name)
    : name_(std::move(name)) {
  buffer_.assign(chunk_ + kPadding, '\0');
  file_ = os::OpenForReading(path, name_);
  try {
    Refill();
  } catch (...) {
    Close();
    throw;
  }
}

InputFile::InputFile(Memory memory, std::string name)
    : memory_(memory), name_(std::move(name)), chunk_(std::max<std::size_t>(memory.chunk, 1)) {
  buffer_.assign(chunk_ + kPadding, '\0');
  Refill();
}

InputFile InputFile::InMemory(std::string_view bytes, std::string name, std::size_t bufferSize) {
  return InputFile(Memory{bytes, bufferSize}, std::move(name));
}

InputFile::~InputFile() { Close(); }

void InputFile::Close() {
  os::CloseQuietly(file_);
  file_ = os::kNoHandle;
}

bool InputFile::Refill() {
  base_ += len_;
  pos_ = 0;
  lastLineBuffer_ = nullptr;
  // Once the end has been seen nothing is read, so the buffer keeps what it holds.
  if ((file_ == os::kNoHandle && !memory_) || atEnd_) {
    len_ = 0;
    data_ = kEndOfData;
    return false;
  }
  if (memory_) {
    len_ = std::min(chunk_, memory_->bytes.size());
    std::memcpy(buffer_.data(), memory_->bytes.data(), len_);
    memory_->bytes.remove_prefix(len_);
  } else {
    len_ = os::Read(file_, buffer_.data(), chunk_, name_);
  }
  atEnd_ = len_ == 0;
  if (atEnd_) {
    data_ = kEndOfData;
    return false;
  }
  data_ = buffer_.data();
  buffer_[len_] = '\r';  // the scanners' stop
  return true;
}

std::uint64_t InputFile::SkipWholeLines(std::uint64_t lines) {
  std::uint64_t passed = 0;
  bool crBefore = false;  // the last byte passed, when the buffer was refilled after it
  while (passed < lines) {
    const std::string_view chunk = Buffered();
    if (chunk.empty()) break;
    const char* const begin = chunk.data();
    const char* const end = begin + chunk.size();
    const char* p = begin;
    while (passed < lines) {
      const auto* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
      if (!lf) break;
      if (lf == begin ? !crBefore : lf[-1] != '\r') {
        SkipLines(static_cast<std::size_t>(p - begin), 0);
        return passed;
      }
      p = lf + 1;
      ++passed;
      ++line_;
      lineStart_ = base_ + static_cast<std::uint64_t>(p - data_);
    }
    if (passed == lines) {
      pos_ = static_cast<std::size_t>(p - data_);
      break;
    }
    // Nothing more to count here: the rest of this buffer belongs to the next line.
    crBefore = end[-1] == '\r';
    pos_ = len_;
  }
  lastRecordKeptItsLine_ = true;
  return passed;
}

OutputFile::OutputFile(const std::filesystem::path& path, std::string name)
    : target_(path), name_(std::move(name)) {
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
  WriteToDisk(file_, pending_.data(), pending_.size(), name_);
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
  const os::Handle file = file_;
  file_ = os::kNoHandle;
  try {
    CloseOnDisk(file, name_);
    os::Replace(temp_, target_, name_);
  } catch (...) {
    os::Delete(temp_);
    throw;
  }
}

void AppendLine(const std::filesystem::path& path, const std::string& name, std::string_view line) {
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
    WriteToDisk(file, bytes.data(), bytes.size(), name);
    SyncToDisk(file, name);
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
    CloseOnDisk(file, name);
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

bool TryDeleteFile(const std::filesystem::path& path) { return os::Delete(path); }

std::string ReadWholeFile(const std::filesystem::path& path, const std::string& name) {
  InputFile in(path, name);
  std::string bytes;
  for (std::string_view chunk = in.Buffered(); !chunk.empty(); chunk = in.Buffered()) {
    bytes.append(chunk);
    in.Skip(chunk.size());
  }
  return bytes;
}

void CopyFile(const std::filesystem::path& source, const std::string& sourceName,
              const std::filesystem::path& target, const std::string& targetName) {
  InputFile in(source, sourceName);
  OutputFile out(target, targetName);
  // Bytes are taken a buffer at a time; the line count of the input is of no use here.
  for (std::string_view chunk = in.Buffered(); !chunk.empty(); chunk = in.Buffered()) {
    out.Write(chunk);
    in.Skip(chunk.size());
  }
  in.Close();
  out.Close();
}

std::optional<FolderLock> FolderLock::Claim(const std::filesystem::path& folder) {
  const std::optional<os::Handle> file = os::TryLock(PathOf(folder, kLockFile));
  if (!file) return std::nullopt;
  return FolderLock(*file);
}

}  // namespace veldaris
