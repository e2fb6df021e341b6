// Everything that differs between Linux and Windows, behind one small interface: file
// names, file handles, the Desktop folder, the start of a program. The build chooses one
// implementation file per system (os_posix.cpp, os_windows.cpp); nothing above core/ needs
// to know which.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"

namespace veldaris::os {

// The path of a Windows-1252 file name or path, as this system spells it.
std::filesystem::path PathFrom1252(std::string_view text);
// The Windows-1252 text of a path, for messages: a character it cannot hold becomes "?".
std::string PathTo1252(const std::filesystem::path& path);

// What the Desktop path ends with: "\" on Windows, "/" elsewhere.
std::string_view PathSeparator();
// Characters, besides the separators and control characters, that no file name may hold.
std::string_view ReservedFileNameCharacters();

// The failure of the system call that has just failed: the system's error number and its
// description, and the file concerned.
SystemError LastError(std::string file);
// A failure of a kind the program finds itself, with the system's number and description
// for it.
enum class Condition { kNotFound, kInvalidName, kDiskFull };
SystemError ErrorOf(Condition condition, std::string file);

// An open file of the system. Every operation names the file (Windows-1252) in its failure.
using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = -1;

// Both refuse at once, with kErrNotRegularFile, what is no regular file: a folder, a device,
// a named pipe (which would otherwise block until something writes into it).
Handle OpenForReading(const std::filesystem::path& path, const std::string& name);
// Opened for reading and writing, created when missing; writes go to the end.
Handle OpenForAppending(const std::filesystem::path& path, const std::string& name);
// Creates a new file; fails when anything of that name exists, a link included, so nothing
// is ever written through a link planted there.
Handle CreateNew(const std::filesystem::path& path, const std::string& name);
// The number of bytes read, 0 at the end of the file.
std::size_t Read(Handle file, char* buffer, std::size_t size, const std::string& name);
// Writes all bytes or throws.
void Write(Handle file, const char* bytes, std::size_t size, const std::string& name);
// The size of the open file in bytes.
std::uint64_t Size(Handle file, const std::string& name);
// Reads up to size bytes at offset, without moving the position of further reads.
std::size_t ReadAt(Handle file, std::uint64_t offset, char* buffer, std::size_t size,
                   const std::string& name);
// Cuts the file to size bytes.
void Truncate(Handle file, std::uint64_t size, const std::string& name);
// Waits until what was written is on the disk; a write the disk could not take fails here.
void Sync(Handle file, const std::string& name);
void Close(Handle file, const std::string& name);
// Closes without reporting anything: for a file that is given up after a failure.
void CloseQuietly(Handle file) noexcept;

// Gives file `from` the name `to` in the same folder, in one step: whatever stood under
// that name before (a file, a link) is replaced, never written to.
void Replace(const std::filesystem::path& from, const std::filesystem::path& to,
             const std::string& name);

// Deletes a file; false when it could not be deleted (missing or otherwise).
bool Delete(const std::filesystem::path& path) noexcept;

// Claims a lock file for as long as the program runs (the system lets it go when the program
// ends, a crash included). Nothing when another program holds it; kNoHandle when the lock
// file cannot be made at all (a folder the user may not write to).
std::optional<Handle> TryLock(const std::filesystem::path& path);

// The arguments of a command-line program in UTF-8, whatever code page the system passed
// them in (argv as given on POSIX; the wide command line on Windows).
std::vector<std::string> Utf8Arguments(int argc, char** argv);
// Standard output takes bytes as they are written: UTF-8 shows as such on the console (its
// code page on Windows), and no line end is changed (binary mode on Windows).
void PrepareStandardOutput();

// The folder that holds the running program.
std::filesystem::path ProgramFolder();

// Where a program given by its bare name is found: beside the running program, then on the
// search path. Empty when it is nowhere.
std::filesystem::path FindProgram(const std::string& name);

// Starts a program by its bare name (looked for beside the running program, then on the
// search path) in workDir, its window shown minimised and active, without waiting for it.
void StartProgram(const std::string& name, const std::vector<std::string>& args,
                  const std::filesystem::path& workDir);

// The path of special folder csidl (0: the user's Desktop) without a trailing separator, or
// empty text when the system does not know it.
std::string SpecialFolderPath(int csidl);
// Where that folder is looked for, for a message that says it is missing.
std::string SpecialFolderSought(int csidl);

}  // namespace veldaris::os
