#include "tests/test_support.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

#include <atomic>
#include <mutex>
#include <chrono>
#include <stdexcept>

namespace veldaris::test {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = std::filesystem::temp_directory_path() /
          ("veldaris-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string RecordLine(const std::vector<std::optional<std::string>>& items) {
  std::string line;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) line += ',';
    if (items[i]) line += '"' + Cp1252(*items[i]) + '"';
  }
  return line + "\r\n";
}

std::filesystem::path Gazetteer() { return VELDARIS_GAZETTEER_FILE; }

std::optional<std::filesystem::path> RealDataFile() {
  const std::filesystem::path path = VELDARIS_REAL_DATA_FILE;
  if (std::filesystem::exists(path)) return path;
  return std::nullopt;
}

ProgramOutcome RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                          const std::filesystem::path& workDir, const std::string& stderrFile) {
  const std::filesystem::path errors = workDir / stderrFile;
  const std::filesystem::path output = workDir / (stderrFile + ".out");
  ProgramOutcome outcome;
#ifdef _WIN32
  std::wstring commandLine = L"\"" + program.wstring() + L"\"";
  // The arguments are UTF-8, as a Linux shell passes them.
  for (const std::string& arg : args)
    commandLine += L" \"" + std::filesystem::path(std::u8string(arg.begin(), arg.end())).wstring() + L"\"";
  // The error file is inheritable only while this child starts: a child that another thread
  // starts meanwhile must not keep it open.
  static std::mutex starting;
  std::unique_lock lock(starting);
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE err = CreateFileW(errors.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherit,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  HANDLE out = CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherit,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdError = err;
  startup.hStdOutput = out;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      workDir.c_str(), &startup, &process)) {
    const DWORD error = GetLastError();
    CloseHandle(err);
    CloseHandle(out);
    throw std::runtime_error("cannot start " + program.string() + " (error " + std::to_string(error) + ")");
  }
  SetHandleInformation(err, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(out, HANDLE_FLAG_INHERIT, 0);
  lock.unlock();
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(err);
  CloseHandle(out);
  outcome.exitCode = static_cast<int>(code);
#else
  std::vector<std::string> argv{program.string()};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> pointers;
  for (std::string& arg : argv) pointers.push_back(arg.data());
  pointers.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());
  posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  const int result = posix_spawn(&pid, program.c_str(), &actions, nullptr, pointers.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (result != 0) throw std::runtime_error("cannot start " + program.string());
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
  }
  outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
#endif
  for (const auto& [file, text] : {std::pair{errors, &outcome.stderrText}, std::pair{output, &outcome.stdoutText}}) {
    if (!std::filesystem::exists(file)) continue;
    *text = ReadBytes(file);
    std::error_code ec;
    std::filesystem::remove(file, ec);
  }
  return outcome;
}

void FakeSystem::Write(os::Handle file, const char* bytes, std::size_t size, const std::string& name) {
  if (writableBytes < size) {
    const auto fits = static_cast<std::size_t>(writableBytes);
    System::Write(file, bytes, fits, name);
    writableBytes = 0;
    throw os::ErrorOf(os::Condition::kDiskFull, name);
  }
  if (writableBytes != std::numeric_limits<std::uint64_t>::max()) writableBytes -= size;
  System::Write(file, bytes, size, name);
}

void FakeSystem::Sync(os::Handle file, const std::string& name) {
  if (failSync) throw os::ErrorOf(os::Condition::kDiskFull, name);
  System::Sync(file, name);
}

void FakeSystem::Close(os::Handle file, const std::string& name) {
  if (failClose) {
    os::CloseQuietly(file);
    throw os::ErrorOf(os::Condition::kDiskFull, name);
  }
  System::Close(file, name);
}

RowList Rows(std::initializer_list<std::string_view> rows) {
  RowList list;
  for (std::string_view row : rows) list.push_back(row);
  return list;
}

}  // namespace veldaris::test
