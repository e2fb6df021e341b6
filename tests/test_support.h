// Helpers shared by the tests: a scratch working folder, byte-exact file access, and a
// platform that records what the program asked of it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <limits>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/paths.h"  // made by the build: the files and programs the tests use
#include "core/errors.h"
#include "core/text1252.h"
#include "model/platform.h"
#include "model/row_list.h"
#include "model/system.h"

namespace veldaris::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

void WriteBytes(const std::filesystem::path& path, std::string_view bytes);
std::string ReadBytes(const std::filesystem::path& path);

// A record line of the data file from UTF-8 texts: nullopt for an absent item.
std::string RecordLine(const std::vector<std::optional<std::string>>& items);

// The gazetteer that every build makes from the open data (18,957 places).
std::filesystem::path Gazetteer();
// The shared sample data file beside the project, or nothing (the test then skips).
std::optional<std::filesystem::path> RealDataFile();

// Runs a program in a folder and waits for it: its exit code and what it wrote to stderr
// and stdout (through files of that name in the folder, removed afterwards).
struct ProgramOutcome {
  int exitCode = -1;
  std::string stderrText;
  std::string stdoutText;
};
ProgramOutcome RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                          const std::filesystem::path& workDir,
                          const std::string& stderrFile = "stderr.txt");

struct RecordedMessage {
  std::string title;
  std::string text;
};

struct StartedProgram {
  std::string name;
  std::vector<std::string> args;
  std::filesystem::path workDir;
};

class FakePlatform : public Platform {
 public:
  void ShowMessage(const std::string& title, const std::string& text) override {
    messages.push_back({title, text});
  }
  void ClearClipboard() override {
    clipboard.reset();
    ++clipboardClears;
  }
  void SetClipboardText(const std::string& text) override { clipboard = text; }
  void Quit() override { ++quits; }

  std::vector<RecordedMessage> messages;
  std::optional<std::string> clipboard;
  int clipboardClears = 0;
  int quits = 0;
};

// The system as the handlers see it: programs it was asked to start, a Desktop folder of the
// test's choosing, and a disk that can fill up. Once writableBytes more bytes have been
// written, every write stops with a full disk (after writing what still fits); the wait for
// the disk or the close can be made to fail.
class FakeSystem : public System {
 public:
  void StartProgram(const std::string& name, const std::vector<std::string>& args,
                    const std::filesystem::path& workDir) override {
    if (startFails) throw SystemError(2, "No such file or directory", name);
    started.push_back({name, args, workDir});
  }
  std::string SpecialFolderPath(int csidl) override {
    specialFolderAsked.push_back(csidl);
    return desktop;
  }
  std::string SpecialFolderSought(int) override { return desktopSought; }
  void Write(os::Handle file, const char* bytes, std::size_t size, const std::string& name) override;
  void Sync(os::Handle file, const std::string& name) override;
  void Close(os::Handle file, const std::string& name) override;

  std::vector<StartedProgram> started;
  bool startFails = false;
  std::string desktop;
  std::string desktopSought = "/home/anna/Desktop";
  std::vector<int> specialFolderAsked;
  std::uint64_t writableBytes = std::numeric_limits<std::uint64_t>::max();
  bool failSync = false;
  bool failClose = false;
};

// Rows of a list as they stand.
RowList Rows(std::initializer_list<std::string_view> rows);

}  // namespace veldaris::test
