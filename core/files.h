// Sequential file access by name, as the handlers need it: read from the start, write a new
// file, append. Every failure throws SystemError with the system's error number, its
// description and the file's name.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/os.h"

namespace veldaris {

// The file-system path of a Windows-1252 file name in a folder.
std::filesystem::path PathOf(const std::filesystem::path& folder, std::string_view name1252);

// Reads a file byte by byte through a buffer; tracks line and column for messages.
class InputFile {
 public:
  static constexpr int kEof = -1;

  // name: shown in messages (Windows-1252).
  InputFile(const std::filesystem::path& path, std::string name);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  int Peek() {
    if (pos_ == len_ && !Refill()) return kEof;
    return static_cast<unsigned char>(buffer_[pos_]);
  }
  int Get() {
    const int c = Peek();
    if (c != kEof) {
      ++pos_;
      if (c == '\n') NewLine();
    }
    return c;
  }
  bool AtEnd() { return Peek() == kEof; }

  // Bulk access for scanners: the bytes buffered from the current position on (refilled
  // when none are left; empty at the end), and consuming n of them. Consumed bytes must hold
  // no line feed. The bytes stay valid until the buffer is refilled with further bytes: the
  // test for the end of the file leaves them in place. At least kPadding readable bytes
  // follow them, so a scanner may read a word at a time.
  static constexpr std::size_t kPadding = 8;
  std::string_view Buffered() {
    if (pos_ == len_) Refill();
    return {buffer_.data() + pos_, len_ - pos_};
  }
  void Skip(std::size_t n) { pos_ += n; }
  // Consumes n buffered bytes that end with the line feed of a line.
  void SkipLine(std::size_t n) {
    pos_ += n;
    NewLine();
  }

  std::uint64_t Offset() const { return base_ + pos_; }
  std::uint64_t Line() const { return line_; }
  std::uint64_t Column() const { return Offset() - lineStart_ + 1; }
  const std::string& Name() const { return name_; }
  void Close();

 private:
  bool Refill();
  void NewLine() {
    ++line_;
    lineStart_ = Offset();
  }

  os::Handle file_ = os::kNoHandle;
  bool atEnd_ = false;
  std::string name_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
  std::uint64_t base_ = 0;
  std::uint64_t line_ = 1;
  std::uint64_t lineStart_ = 0;
};

class OutputFile {
 public:
  enum class Mode { kCreate, kAppend };
  OutputFile(const std::filesystem::path& path, std::string name, Mode mode = Mode::kCreate);
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
  // Writes and closes; a failure to write the last bytes is reported here.
  void Close();
  const std::string& Name() const { return name_; }

 private:
  static constexpr std::size_t kFlushAt = 64 * 1024;
  void Flush();

  os::Handle file_ = os::kNoHandle;
  std::string name_;
  std::string pending_;
};

// Deletes a file; false when it could not be deleted (missing or otherwise).
bool TryDeleteFile(const std::filesystem::path& path);

// Copies a file, replacing the target. Names are shown in failures.
void CopyFile(const std::filesystem::path& source, const std::string& sourceName,
              const std::filesystem::path& target, const std::string& targetName);

// Whether a file that is not empty lacks a line feed as its last byte. A missing or
// unreadable file counts as empty: opening it for its real purpose reports the problem.
bool EndsWithoutLineFeed(const std::filesystem::path& path);

}  // namespace veldaris
