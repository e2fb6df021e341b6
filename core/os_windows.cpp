// The system seam on Windows. File names go to the system as UTF-16, made from the
// program's Windows-1252 texts character by character, so "orte-prüf.ort" is spelt right on
// any volume whatever the system's code page.
#include <windows.h>
#include <shlobj.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>

#include "core/os.h"
#include "core/text1252.h"

namespace veldaris::os {
namespace {

// Windows-1252 text of a system message; a character it cannot hold becomes "?".
std::string Narrow(std::wstring_view wide) {
  std::string text;
  for (wchar_t c : wide) {
    const auto byte = UnicodeToWindows1252(static_cast<char32_t>(c));
    text.push_back(byte ? static_cast<char>(*byte) : '?');
  }
  return text;
}

std::string Describe(DWORD number) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, number, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text = length ? Narrow({buffer, length}) : "Fehler " + std::to_string(number);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
    text.pop_back();
  return text;
}

HANDLE Native(Handle file) { return reinterpret_cast<HANDLE>(file); }

Handle Open(const std::filesystem::path& path, DWORD access, DWORD disposition,
            const std::string& name) {
  const HANDLE file =
      CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw LastError(name);
  return reinterpret_cast<Handle>(file);
}

// Keeps only a file on a disk: no folder, no device, no pipe.
Handle OpenRegular(const std::filesystem::path& path, DWORD access, DWORD disposition,
                   const std::string& name) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    throw NotRegularFileError(name);
  const Handle file = Open(path, access, disposition, name);
  if (GetFileType(Native(file)) != FILE_TYPE_DISK) {
    CloseQuietly(file);
    throw NotRegularFileError(name);
  }
  return file;
}

}  // namespace

std::filesystem::path PathFrom1252(std::string_view text) {
  return std::filesystem::path(Windows1252ToWide(text));
}

std::string PathTo1252(const std::filesystem::path& path) { return Narrow(path.native()); }

std::string_view PathSeparator() { return "\\"; }

std::string_view ReservedFileNameCharacters() { return "<>:\"|?*"; }

SystemError LastError(std::string file) {
  DWORD number = GetLastError();
  if (number == 0) number = ERROR_GEN_FAILURE;
  return SystemError(static_cast<int>(number), Describe(number), std::move(file));
}

SystemError ErrorOf(Condition condition, std::string file) {
  const DWORD number = condition == Condition::kNotFound      ? ERROR_FILE_NOT_FOUND
                       : condition == Condition::kInvalidName ? ERROR_INVALID_NAME
                                                              : ERROR_DISK_FULL;
  return SystemError(static_cast<int>(number), Describe(number), std::move(file));
}

Handle OpenForReading(const std::filesystem::path& path, const std::string& name) {
  return OpenRegular(path, GENERIC_READ, OPEN_EXISTING, name);
}

Handle OpenForAppending(const std::filesystem::path& path, const std::string& name) {
  return OpenRegular(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS, name);
}

Handle CreateNew(const std::filesystem::path& path, const std::string& name) {
  return Open(path, GENERIC_WRITE, CREATE_NEW, name);
}

std::size_t Read(Handle file, char* buffer, std::size_t size, const std::string& name) {
  DWORD read = 0;
  const DWORD ask = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
  if (!ReadFile(Native(file), buffer, ask, &read, nullptr)) {
    if (GetLastError() == ERROR_BROKEN_PIPE) return 0;
    throw LastError(name);
  }
  return read;
}

void Write(Handle file, const char* bytes, std::size_t size, const std::string& name) {
  // Files opened for appending are the only ones written at an offset of their own; every
  // other file is written from its start, so the end is always the right place.
  LARGE_INTEGER zero{};
  if (!SetFilePointerEx(Native(file), zero, nullptr, FILE_END)) throw LastError(name);
  while (size > 0) {
    DWORD written = 0;
    const DWORD ask = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    if (!WriteFile(Native(file), bytes, ask, &written, nullptr)) throw LastError(name);
    if (written == 0) {
      SetLastError(ERROR_WRITE_FAULT);
      throw LastError(name);
    }
    bytes += written;
    size -= written;
  }
}

std::uint64_t Size(Handle file, const std::string& name) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(Native(file), &size)) throw LastError(name);
  return static_cast<std::uint64_t>(size.QuadPart);
}

std::size_t ReadAt(Handle file, std::uint64_t offset, char* buffer, std::size_t size,
                   const std::string& name) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD read = 0;
  const DWORD ask = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
  if (!ReadFile(Native(file), buffer, ask, &read, &at)) {
    if (GetLastError() == ERROR_HANDLE_EOF) return 0;
    throw LastError(name);
  }
  return read;
}

void Truncate(Handle file, std::uint64_t size, const std::string& name) {
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(size);
  if (!SetFilePointerEx(Native(file), at, nullptr, FILE_BEGIN) || !SetEndOfFile(Native(file)))
    throw LastError(name);
}

void Sync(Handle file, const std::string& name) {
  if (!FlushFileBuffers(Native(file))) throw LastError(name);
}

void Close(Handle file, const std::string& name) {
  if (!CloseHandle(Native(file))) throw LastError(name);
}

void CloseQuietly(Handle file) noexcept {
  if (file != kNoHandle) CloseHandle(Native(file));
}

void Replace(const std::filesystem::path& from, const std::filesystem::path& to,
             const std::string& name) {
  // A reader that has the old file open (a copy in progress, a virus scanner) may hold up
  // the replacement for a moment.
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
    const DWORD error = GetLastError();
    if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || attempt == 50)
      throw LastError(name);
    Sleep(20);
  }
}

bool Delete(const std::filesystem::path& path) noexcept { return DeleteFileW(path.c_str()) != 0; }

std::optional<Handle> TryLock(const std::filesystem::path& path) {
  // A file opened without sharing cannot be opened again until its handle is closed.
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
  if (file != INVALID_HANDLE_VALUE) return reinterpret_cast<Handle>(file);
  if (GetLastError() == ERROR_SHARING_VIOLATION) return std::nullopt;
  return kNoHandle;
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> args;
  for (int i = 0; i < count; ++i) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(static_cast<std::size_t>(size > 1 ? size - 1 : 0), '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), size, nullptr, nullptr);
    args.push_back(std::move(arg));
  }
  LocalFree(wide);
  return args;
}

void PrepareStandardOutput() {
  SetConsoleOutputCP(CP_UTF8);
  _setmode(_fileno(stdout), _O_BINARY);
}

std::filesystem::path ProgramFolder() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::filesystem::current_path();
    if (n < buffer.size()) {
      buffer.resize(n);
      return std::filesystem::path(buffer).parent_path();
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::filesystem::path FindProgram(const std::string& name) {
  const std::wstring file = Windows1252ToWide(name) + L".exe";
  const std::filesystem::path beside = ProgramFolder() / file;
  const DWORD attributes = GetFileAttributesW(beside.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return beside;
  wchar_t found[MAX_PATH];
  const DWORD n = SearchPathW(nullptr, file.c_str(), nullptr, MAX_PATH, found, nullptr);
  if (n == 0 || n >= MAX_PATH) return {};
  return std::filesystem::path(found);
}

namespace {

// One argument of a command line, quoted where it needs quotes.
std::wstring Argument(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted.push_back(c);
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

}  // namespace

void StartProgram(const std::string& name, const std::vector<std::string>& args,
                  const std::filesystem::path& workDir) {
  const std::filesystem::path program = FindProgram(name);
  if (program.empty()) throw ErrorOf(Condition::kNotFound, name + ".exe");
  // The command line names the program by its bare file name, as the user would type it.
  std::wstring commandLine = Windows1252ToWide(name) + L".exe";
  for (const std::string& arg : args) commandLine += L" " + Argument(Windows1252ToWide(arg));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWMINIMIZED;  // 2: minimised and active
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workDir.c_str(), &startup, &process))
    throw LastError(name + ".exe");
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

std::string SpecialFolderSought(int csidl) {
  return csidl == 0 ? "Desktop (CSIDL 0)" : "CSIDL " + std::to_string(csidl);
}

std::string SpecialFolderPath(int csidl) {
  // The owner is a fixed placeholder, never the window's handle.
  LPITEMIDLIST items = nullptr;
  if (SHGetSpecialFolderLocation(reinterpret_cast<HWND>(static_cast<INT_PTR>(100)), csidl, &items) != 0)
    return {};
  char buffer[513];
  std::memset(buffer, ' ', 512);
  buffer[512] = '\0';
  const BOOL found = SHGetPathFromIDListA(items, buffer);
  CoTaskMemFree(items);
  // A folder without a file-system path (a virtual folder) leaves the buffer unwritten.
  if (!found) return {};
  return std::string(buffer, std::strlen(buffer));
}

}  // namespace veldaris::os
