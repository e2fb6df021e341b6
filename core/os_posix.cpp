// The system seam on Linux and other POSIX systems. File names are UTF-8 here.
#include <fcntl.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <system_error>

#include "core/os.h"
#include "core/text1252.h"

extern char** environ;

namespace veldaris::os {
namespace {

std::string Describe(int number) {
  // The system's text comes in the locale's encoding; only what Windows-1252 holds is kept.
  const std::string message = std::system_category().message(number);
  return Utf8ToWindows1252(message).value_or(message);
}

int Fd(Handle file) { return static_cast<int>(file); }

Handle Open(const std::filesystem::path& path, int flags, const std::string& name) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) throw LastError(name);
  return fd;
}

// Opens without waiting for a writer (a named pipe), then keeps only a regular file.
Handle OpenRegular(const std::filesystem::path& path, int flags, const std::string& name) {
  const Handle file = Open(path, flags | O_NONBLOCK, name);
  struct stat info {};
  if (::fstat(Fd(file), &info) != 0) {
    const SystemError error = LastError(name);
    CloseQuietly(file);
    throw error;
  }
  if (!S_ISREG(info.st_mode)) {
    CloseQuietly(file);
    throw NotRegularFileError(name);
  }
  // Reads and writes of a regular file never wait anyway; the flag goes for good order.
  ::fcntl(Fd(file), F_SETFL, ::fcntl(Fd(file), F_GETFL) & ~O_NONBLOCK);
  return file;
}

}  // namespace

std::filesystem::path PathFrom1252(std::string_view text) {
  const std::string utf8 = Windows1252ToUtf8(text);
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathTo1252(const std::filesystem::path& path) {
  // A name that is no UTF-8 is shown byte by byte.
  return Utf8ToWindows1252(path.native()).value_or(path.native());
}

std::string_view PathSeparator() { return "/"; }

std::string_view ReservedFileNameCharacters() { return ""; }

SystemError LastError(std::string file) {
  const int number = errno ? errno : EIO;
  return SystemError(number, Describe(number), std::move(file));
}

SystemError ErrorOf(Condition condition, std::string file) {
  const int number = condition == Condition::kNotFound      ? ENOENT
                     : condition == Condition::kInvalidName ? EINVAL
                                                            : ENOSPC;
  return SystemError(number, Describe(number), std::move(file));
}

Handle OpenForReading(const std::filesystem::path& path, const std::string& name) {
  return OpenRegular(path, O_RDONLY, name);
}

Handle OpenForAppending(const std::filesystem::path& path, const std::string& name) {
  return OpenRegular(path, O_RDWR | O_CREAT | O_APPEND, name);
}

Handle CreateNew(const std::filesystem::path& path, const std::string& name) {
  return Open(path, O_WRONLY | O_CREAT | O_EXCL, name);
}

std::size_t Read(Handle file, char* buffer, std::size_t size, const std::string& name) {
  for (;;) {
    const ssize_t n = ::read(Fd(file), buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) throw LastError(name);
  }
}

void Write(Handle file, const char* bytes, std::size_t size, const std::string& name) {
  while (size > 0) {
    const ssize_t n = ::write(Fd(file), bytes, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw LastError(name);
    }
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
}

std::uint64_t Size(Handle file, const std::string& name) {
  struct stat info {};
  if (::fstat(Fd(file), &info) != 0) throw LastError(name);
  return static_cast<std::uint64_t>(info.st_size);
}

std::size_t ReadAt(Handle file, std::uint64_t offset, char* buffer, std::size_t size,
                   const std::string& name) {
  for (;;) {
    const ssize_t n = ::pread(Fd(file), buffer, size, static_cast<off_t>(offset));
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) throw LastError(name);
  }
}

void Truncate(Handle file, std::uint64_t size, const std::string& name) {
  while (::ftruncate(Fd(file), static_cast<off_t>(size)) != 0)
    if (errno != EINTR) throw LastError(name);
}

void Sync(Handle file, const std::string& name) {
  while (::fsync(Fd(file)) != 0) {
    if (errno == EINVAL || errno == EROFS) return;  // a file that cannot be synced: nothing to wait for
    if (errno != EINTR) throw LastError(name);
  }
}

void Close(Handle file, const std::string& name) {
  // The descriptor is gone after close() whatever it reports; EINTR is no failure of the data.
  if (::close(Fd(file)) != 0 && errno != EINTR) throw LastError(name);
}

void CloseQuietly(Handle file) noexcept {
  if (file != kNoHandle) ::close(Fd(file));
}

void Replace(const std::filesystem::path& from, const std::filesystem::path& to,
             const std::string& name) {
  if (::rename(from.c_str(), to.c_str()) != 0) throw LastError(name);
}

bool Delete(const std::filesystem::path& path) noexcept { return ::unlink(path.c_str()) == 0; }

std::optional<Handle> TryLock(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) return kNoHandle;
  // flock() locks belong to the open file, so even a second window of the same process sees
  // the first one's lock.
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    const bool held = errno == EWOULDBLOCK;
    ::close(fd);
    if (held) return std::nullopt;
    return kNoHandle;
  }
  return fd;
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

void PrepareStandardOutput() {}

std::filesystem::path ProgramFolder() {
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path(ec) : self.parent_path();
}

namespace {

// Started programs are not waited for, but each one that has ended is collected at the
// next start, so that none lingers as a zombie.
std::mutex startedMutex;
std::vector<pid_t> started;

void CollectEndedPrograms() {
  std::erase_if(started, [](pid_t pid) {
    int status = 0;
    return ::waitpid(pid, &status, WNOHANG) != 0;
  });
}

}  // namespace

std::filesystem::path FindProgram(const std::string& name) {
  const std::filesystem::path beside = ProgramFolder() / PathFrom1252(name);
  if (::access(beside.c_str(), X_OK) == 0) return beside;
  const char* pathVariable = std::getenv("PATH");
  std::string_view dirs = pathVariable ? pathVariable : "/usr/local/bin:/usr/bin:/bin";
  while (!dirs.empty()) {
    const auto colon = dirs.find(':');
    std::string_view dir = dirs.substr(0, colon);
    dirs = colon == std::string_view::npos ? std::string_view{} : dirs.substr(colon + 1);
    if (dir.empty()) continue;
    const std::filesystem::path candidate = std::filesystem::path(dir) / PathFrom1252(name);
    struct stat info {};
    if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        ::access(candidate.c_str(), X_OK) == 0)
      return candidate;
  }
  return {};
}

void StartProgram(const std::string& name, const std::vector<std::string>& args,
                  const std::filesystem::path& workDir) {
  const std::string program = FindProgram(name).native();
  if (program.empty()) throw ErrorOf(Condition::kNotFound, name);
  std::vector<std::string> argv{program};
  for (const std::string& arg : args) argv.push_back(PathFrom1252(arg).native());
  std::vector<char*> pointers;
  for (std::string& arg : argv) pointers.push_back(arg.data());
  pointers.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());
  pid_t pid = 0;
  const int result = posix_spawn(&pid, program.c_str(), &actions, nullptr, pointers.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (result != 0) throw SystemError(result, Describe(result), name);
  const std::lock_guard lock(startedMutex);
  CollectEndedPrograms();
  started.push_back(pid);
}

namespace {

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir) return user->pw_dir;
  return {};
}

// The Desktop of the XDG user directories: XDG_DESKTOP_DIR in user-dirs.dirs, else ~/Desktop.
std::string XdgDesktopFolder() {
  const std::string home = HomeFolder();
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  const std::filesystem::path config =
      configHome && *configHome ? std::filesystem::path(configHome)
                                : std::filesystem::path(home) / ".config";
  std::ifstream dirs(config / "user-dirs.dirs");
  std::string line;
  const std::string key = "XDG_DESKTOP_DIR=\"";
  while (std::getline(dirs, line)) {
    if (!line.starts_with(key)) continue;
    const auto end = line.rfind('"');
    if (end < key.size()) break;
    std::string value = line.substr(key.size(), end - key.size());
    if (value.starts_with("$HOME")) value = home + value.substr(5);
    if (value.starts_with('/')) return value;
    break;
  }
  return home.empty() ? std::string() : home + "/Desktop";
}

}  // namespace

std::string SpecialFolderSought(int csidl) {
  if (csidl != 0) return "CSIDL " + std::to_string(csidl);
  return PathTo1252(std::filesystem::path(XdgDesktopFolder()).lexically_normal());
}

std::string SpecialFolderPath(int csidl) {
  if (csidl != 0) return {};
  std::error_code ec;
  std::filesystem::path folder = std::filesystem::path(XdgDesktopFolder()).lexically_normal();
  if (folder.empty() || !std::filesystem::is_directory(folder, ec)) return {};
  std::string path = folder.native();
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  // A path that Windows-1252 cannot hold cannot be named in the program's texts.
  return Utf8ToWindows1252(path).value_or("");
}

}  // namespace veldaris::os
