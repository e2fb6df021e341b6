#include "core/input_file.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace veldaris {
namespace {

// What a scanner finds at the end of the file: the CR that stops it, and padding.
constexpr char kEndOfData[InputFile::kPadding] = {'\r'};

}  // namespace

InputFile::InputFile(const std::filesystem::path& path, std::string name) : name_(std::move(name)) {
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

// The buffer's storage moves with it, so the buffered bytes stay where they are.
InputFile::InputFile(InputFile&& other) noexcept
    : file_(std::exchange(other.file_, os::kNoHandle)), memory_(other.memory_), atEnd_(other.atEnd_),
      name_(std::move(other.name_)), buffer_(std::move(other.buffer_)), data_(other.data_),
      chunk_(other.chunk_), pos_(other.pos_), len_(other.len_), base_(other.base_) {}

InputFile::~InputFile() { Close(); }

void InputFile::Close() {
  os::CloseQuietly(file_);
  file_ = os::kNoHandle;
}

bool InputFile::Refill() {
  base_ += len_;
  pos_ = 0;
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

std::string ReadWholeFile(const std::filesystem::path& path, const std::string& name) {
  InputFile in(path, name);
  std::string bytes;
  for (std::string_view chunk = in.Buffered(); !chunk.empty(); chunk = in.Buffered()) {
    bytes.append(chunk);
    in.Skip(chunk.size());
  }
  return bytes;
}

}  // namespace veldaris
