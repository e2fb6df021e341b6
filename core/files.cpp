#include "files.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include "errors.h"
#include "text1252.h"

namespace veldaris {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

std::FILE* Open(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
  std::wstring wmode(mode, mode + std::strlen(mode));
  return _wfopen(path.c_str(), wmode.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

}  // namespace

SystemError ErrnoError(int errnoValue, std::string file) {
  // The platform's text comes in the locale's encoding; only what Windows-1252 holds is kept.
  const std::string message = std::system_category().message(errnoValue);
  auto text = Utf8ToWindows1252(message);
  return SystemError(errnoValue, text ? *text : message, std::move(file));
}

std::filesystem::path PathOf(const std::filesystem::path& folder, std::string_view name1252) {
#ifdef _WIN32
  std::wstring wide;
  for (char c : name1252) wide.push_back(static_cast<wchar_t>(Windows1252ToUnicode(static_cast<unsigned char>(c))));
  return folder / wide;
#else
  const std::string utf8 = Windows1252ToUtf8(name1252);
  return folder / std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
#endif
}

InputFile::InputFile(const std::filesystem::path& path, std::string name)
    : name_(std::move(name)) {
  buffer_.assign(kBufferSize + kPadding, '\0');
  errno = 0;
  file_ = Open(path, "rb");
  if (!file_) throw ErrnoError(errno ? errno : ENOENT, name_);
  // A folder opens on some systems and fails only at the first read; find out now.
  try {
    Refill();
  } catch (...) {
    std::fclose(file_);
    file_ = nullptr;
    throw;
  }
}

InputFile::~InputFile() {
  if (file_) std::fclose(file_);
}

void InputFile::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

bool InputFile::Refill() {
  base_ += len_;
  pos_ = 0;
  // Once the end has been seen nothing is read, so the buffer keeps what it holds.
  if (!file_ || std::feof(file_)) {
    len_ = 0;
    return false;
  }
  errno = 0;
  len_ = std::fread(buffer_.data(), 1, kBufferSize, file_);
  if (len_ == 0 && std::ferror(file_)) throw ErrnoError(errno ? errno : EIO, name_);
  return len_ > 0;
}

OutputFile::OutputFile(const std::filesystem::path& path, std::string name, Mode mode)
    : name_(std::move(name)) {
  errno = 0;
  file_ = Open(path, mode == Mode::kCreate ? "wb" : "ab");
  if (!file_) throw ErrnoError(errno ? errno : EACCES, name_);
  std::setvbuf(file_, nullptr, _IONBF, 0);  // this class buffers itself
  pending_.reserve(kFlushAt);
}

OutputFile::~OutputFile() {
  if (!file_) return;
  // Reached without Close() only when a failure is on its way: keep what can be kept.
  try {
    Flush();
  } catch (const SystemError&) {
  }
  std::fclose(file_);
}

void OutputFile::Flush() {
  if (pending_.empty()) return;
  errno = 0;
  const std::size_t written = std::fwrite(pending_.data(), 1, pending_.size(), file_);
  if (written != pending_.size()) {
    pending_.erase(0, written);
    throw ErrnoError(errno ? errno : EIO, name_);
  }
  pending_.clear();
}

void OutputFile::Close() {
  if (!file_) return;
  Flush();
  std::FILE* f = file_;
  file_ = nullptr;
  errno = 0;
  if (std::fclose(f) != 0) throw ErrnoError(errno ? errno : EIO, name_);
}

bool TryDeleteFile(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::remove(path, ec) && !ec;
}

bool EndsWithoutLineFeed(const std::filesystem::path& path) {
  std::FILE* file = Open(path, "rb");
  if (!file) return false;
  int last = EOF;
  if (std::fseek(file, -1, SEEK_END) == 0) last = std::fgetc(file);
  std::fclose(file);
  return last != EOF && last != '\n';
}

}  // namespace veldaris
