// Sequential file access by name, as the handlers need it: read from the start, write a new
// file, append. Every failure throws SystemError with the system's error number, its
// description and the file's name.
//
// A file the program creates or empties is written under a new name beside its target and
// renamed into place when it is complete: a link planted under the target's name is
// replaced, never followed, and a failure leaves whatever stood there before. The one file
// that is written in place is the data file, and only by appending one line (AppendLine).
#pragma once

#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/os.h"

namespace veldaris {

// The file-system path of a Windows-1252 file name in a folder.
std::filesystem::path PathOf(const std::filesystem::path& folder, std::string_view name1252);

// Reads a file byte by byte through a buffer; tracks line and column for messages, and
// whether the records read from it keep to their lines.
class InputFile {
 public:
  static constexpr int kEof = -1;
  static constexpr std::size_t kBufferSize = 64 * 1024;

  // name: shown in messages (Windows-1252).
  InputFile(const std::filesystem::path& path, std::string name);
  // Bytes in memory read as a file, bufferSize bytes at a time (tests and the fuzz target).
  static InputFile InMemory(std::string_view bytes, std::string name,
                            std::size_t bufferSize = kBufferSize);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  int Peek() {
    if (pos_ == len_ && !Refill()) return kEof;
    return static_cast<unsigned char>(data_[pos_]);
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
  // test for the end of the file leaves them in place. A CR follows them (a scan for the
  // line end stops there at the latest), and at least kPadding readable bytes, so a scanner
  // may read a word at a time.
  static constexpr std::size_t kPadding = 160;
  std::string_view Buffered() {
    if (pos_ == len_) Refill();
    return {data_ + pos_, len_ - pos_};
  }
  void Skip(std::size_t n) { pos_ += n; }
  // Consumes n buffered bytes that end with the line feed of a line.
  void SkipLine(std::size_t n) {
    pos_ += n;
    NewLine();
  }
  // Consumes n buffered bytes that are `lines` whole records of one line each.
  void SkipLines(std::size_t n, std::uint64_t lines) {
    pos_ += n;
    line_ += lines;
    lineStart_ = Offset();
    lastRecordKeptItsLine_ = true;
  }
  // Passes over up to `lines` whole lines that end with CR LF, a buffer at a time with memchr;
  // returns how many it passed. Stops early at the end of the file, or before a line that
  // ends with a LF alone.
  std::uint64_t SkipWholeLines(std::uint64_t lines);
  // The end of the last whole line in the buffer (just after its line feed), or nullptr:
  // searched once per buffer.
  const char* EndOfLastLine() {
    if (lastLineBuffer_ != data_ || lastLineLength_ != len_) {
      lastLineBuffer_ = data_;
      lastLineLength_ = len_;
      lastLineEnd_ = nullptr;
      for (std::size_t i = len_; i > pos_; --i)
        if (data_[i - 1] == '\n') {
          lastLineEnd_ = data_ + i;
          break;
        }
    }
    return lastLineEnd_ && lastLineEnd_ > data_ + pos_ ? lastLineEnd_ : nullptr;
  }

  // The reader marks where each record begins and whether it ended at a line end. The
  // program writes one record per line, so the first record that does not end its line is
  // where the file stops keeping to its lines: messages about a record that cannot be read
  // name it.
  void BeginRecord() { recordLine_ = line_; }
  void EndRecord(bool atLineEnd) {
    lastRecordKeptItsLine_ = atLineEnd;
    if (!atLineEnd && !firstStrayLine_) firstStrayLine_ = recordLine_;
  }
  bool LastRecordKeptItsLine() const { return lastRecordKeptItsLine_; }
  // The line on which the first record began that did not end at a line end; 0 for none.
  std::uint64_t FirstStrayLine() const { return firstStrayLine_; }

  std::uint64_t Offset() const { return base_ + pos_; }
  std::uint64_t Line() const { return line_; }
  std::uint64_t Column() const { return Offset() - lineStart_ + 1; }
  const std::string& Name() const { return name_; }
  void Close();

 private:
  struct Memory {
    std::string_view bytes;
    std::size_t chunk;
  };
  InputFile(Memory memory, std::string name);
  bool Refill();
  void NewLine() {
    ++line_;
    lineStart_ = Offset();
  }

  os::Handle file_ = os::kNoHandle;
  std::optional<Memory> memory_;
  bool atEnd_ = false;
  std::string name_;
  std::vector<char> buffer_;
  // The buffered bytes: the buffer, or at the end of the file a CR of its own, so that the
  // bytes of the last record stay as they were.
  const char* data_ = nullptr;
  std::size_t chunk_ = kBufferSize;
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
  std::uint64_t base_ = 0;
  std::uint64_t line_ = 1;
  std::uint64_t lineStart_ = 0;
  std::uint64_t recordLine_ = 1;
  const char* lastLineBuffer_ = nullptr;
  std::size_t lastLineLength_ = 0;
  const char* lastLineEnd_ = nullptr;
  std::uint64_t firstStrayLine_ = 0;
  bool lastRecordKeptItsLine_ = true;
};

// A new file, written beside its target and put in its place by Close(). Destroyed without
// Close() (a failure on its way), it leaves the target as it was.
class OutputFile {
 public:
  OutputFile(const std::filesystem::path& path, std::string name);
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
  const std::string& Name() const { return name_; }

 private:
  static constexpr std::size_t kFlushAt = 64 * 1024;
  void Flush();
  void GiveUp() noexcept;

  std::filesystem::path target_;
  std::filesystem::path temp_;
  os::Handle file_ = os::kNoHandle;
  std::string name_;
  std::string pending_;
};

// Appends one line to the end of a file (created when missing). A last line without its
// line feed gets CR LF first, so the new line never runs into it. Whatever fails (a full
// disk, a partial write, the close), the file is left byte for byte as it was.
void AppendLine(const std::filesystem::path& path, const std::string& name, std::string_view line);

// Deletes a file; false when it could not be deleted (missing or otherwise).
bool TryDeleteFile(const std::filesystem::path& path);

// The whole of a file (a regular file only; a failure names it), for the tools that read a
// file at once.
std::string ReadWholeFile(const std::filesystem::path& path, const std::string& name);

// Copies a file, replacing the target. Names are shown in failures.
void CopyFile(const std::filesystem::path& source, const std::string& sourceName,
              const std::filesystem::path& target, const std::string& targetName);

// Keeps other programs out of a working folder while it is held: a second program in the
// same folder would share its result file. The system lets go of it when the program ends,
// however it ends.
class FolderLock {
 public:
  // Nothing when another program holds the folder. A folder in which no lock file can be
  // made (one the user may not write to) is not locked, and the program goes on there.
  static std::optional<FolderLock> Claim(const std::filesystem::path& folder);
  FolderLock(FolderLock&& other) noexcept : file_(other.file_) { other.file_ = os::kNoHandle; }
  FolderLock& operator=(FolderLock&& other) noexcept {
    std::swap(file_, other.file_);
    return *this;
  }
  ~FolderLock() { os::CloseQuietly(file_); }

 private:
  explicit FolderLock(os::Handle file) : file_(file) {}
  os::Handle file_;
};

// Failures the disk can cause, for tests: once writableBytes more bytes have been written,
// every write stops with a full disk (after writing what still fits), and the wait for the
// disk or the close can be made to fail. Off unless a test sets it.
struct DiskFaults {
  std::uint64_t writableBytes = std::numeric_limits<std::uint64_t>::max();
  bool failSync = false;
  bool failClose = false;
};
void SetDiskFaults(const DiskFaults& faults);

}  // namespace veldaris
