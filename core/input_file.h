// A file read from its start as bytes, a buffer at a time. Every failure throws SystemError
// with the system's error number, its description and the file's name.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/os.h"

namespace veldaris {

class InputFile {
 public:
  static constexpr int kEof = -1;
  static constexpr std::size_t kBufferSize = 64 * 1024;
  // Behind the buffered bytes stand a CR of their own (a scan for a line end stops there at
  // the latest) and at least kPadding readable bytes, so that a scanner may read a block of
  // bytes at a time.
  static constexpr std::size_t kPadding = 160;

  // name: shown in messages (Windows-1252).
  InputFile(const std::filesystem::path& path, std::string name);
  // Bytes in memory read as a file, bufferSize bytes at a time (tests and the fuzz targets).
  static InputFile InMemory(std::string_view bytes, std::string name, std::size_t bufferSize = kBufferSize);
  InputFile(InputFile&& other) noexcept;
  InputFile& operator=(InputFile&&) = delete;
  ~InputFile();

  int Peek() {
    if (pos_ == len_ && !Refill()) return kEof;
    return static_cast<unsigned char>(data_[pos_]);
  }
  bool AtEnd() { return Peek() == kEof; }
  // The bytes buffered from the current position on, refilled when none are left (empty at
  // the end of the file). They stay valid until the buffer is refilled with further bytes:
  // finding the end of the file leaves them in place.
  std::string_view Buffered() {
    if (pos_ == len_) Refill();
    return {data_ + pos_, len_ - pos_};
  }
  // Consumes n buffered bytes.
  void Skip(std::size_t n) { pos_ += n; }
  std::uint64_t Offset() const { return base_ + pos_; }
  const std::string& Name() const { return name_; }
  void Close();

 private:
  struct Memory {
    std::string_view bytes;
    std::size_t chunk;
  };
  InputFile(Memory memory, std::string name);
  bool Refill();

  os::Handle file_ = os::kNoHandle;
  std::optional<Memory> memory_;
  bool atEnd_ = false;
  std::string name_;
  std::vector<char> buffer_;
  // The buffered bytes: the buffer, or at the end of the file a CR of its own, so that the
  // bytes of the last buffer stay as they were.
  const char* data_ = nullptr;
  std::size_t chunk_ = kBufferSize;
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
  std::uint64_t base_ = 0;
};

// The whole of a file (a regular file only; a failure names it), for the tools that read a
// file at once.
std::string ReadWholeFile(const std::filesystem::path& path, const std::string& name);

}  // namespace veldaris
