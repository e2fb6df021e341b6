#include "core/files.h"

#include "core/errors.h"

namespace veldaris {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

std::filesystem::path PathOf(const std::filesystem::path& folder, std::string_view name1252) {
  return folder / os::PathFrom1252(name1252);
}

InputFile::InputFile(const std::filesystem::path& path, std::string name)
    : name_(std::move(name)) {
  buffer_.assign(kBufferSize + kPadding, '\0');
  file_ = os::OpenForReading(path, name_);
  // A folder opens on some systems and fails only at the first read; find out now.
  try {
    Refill();
  } catch (...) {
    Close();
    throw;
  }
}

InputFile::~InputFile() { Close(); }

void InputFile::Close() {
  os::CloseQuietly(file_);
  file_ = os::kNoHandle;
}

bool InputFile::Refill() {
  base_ += len_;
  pos_ = 0;
  // Once the end has been seen nothing is read, so the buffer keeps what it holds.
  if (file_ == os::kNoHandle || atEnd_) {
    len_ = 0;
    return false;
  }
  len_ = os::Read(file_, buffer_.data(), kBufferSize, name_);
  atEnd_ = len_ == 0;
  return len_ > 0;
}

OutputFile::OutputFile(const std::filesystem::path& path, std::string name, Mode mode)
    : name_(std::move(name)) {
  file_ = mode == Mode::kCreate ? os::OpenForWriting(path, name_) : os::OpenForAppending(path, name_);
  pending_.reserve(kFlushAt);
}

OutputFile::~OutputFile() {
  if (file_ == os::kNoHandle) return;
  // Reached without Close() only when a failure is on its way: keep what can be kept.
  try {
    Flush();
  } catch (const SystemError&) {
  }
  os::CloseQuietly(file_);
}

void OutputFile::Flush() {
  if (pending_.empty()) return;
  os::Write(file_, pending_.data(), pending_.size(), name_);
  pending_.clear();
}

void OutputFile::Close() {
  if (file_ == os::kNoHandle) return;
  Flush();
  const os::Handle file = file_;
  file_ = os::kNoHandle;
  os::Close(file, name_);
}

bool TryDeleteFile(const std::filesystem::path& path) { return os::Delete(path); }

bool EndsWithoutLineFeed(const std::filesystem::path& path) {
  os::Handle file = os::kNoHandle;
  try {
    file = os::OpenForReading(path, {});
    const std::uint64_t size = os::Size(file, {});
    char last = '\n';
    if (size > 0) os::ReadAt(file, size - 1, &last, 1, {});
    os::CloseQuietly(file);
    return last != '\n';
  } catch (const SystemError&) {
    os::CloseQuietly(file);
    return false;
  }
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

}  // namespace veldaris
