// The system seam: file names, the Desktop folder, finding and starting a program.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "core/file_names.h"
#include "core/output_file.h"
#include "core/os.h"
#include "tests/test_support.h"

namespace veldaris {
namespace {

TEST(SystemSeam, Windows1252NamesAreSpeltRightOnDisk) {
  test::TempDir dir;
  OutputFile check(PathOf(dir.path(), kCheckFile), std::string(kCheckFile));
  check.Write("x");
  check.Close();
  EXPECT_TRUE(std::filesystem::exists(dir.path() / std::filesystem::path(u8"orte-prüf.ort")));
  EXPECT_EQ(os::PathFrom1252(kCheckFile), std::filesystem::path(u8"orte-prüf.ort"));
}

TEST(SystemSeam, TheConverterIsFoundBesideTheProgram) {
  const std::filesystem::path found = os::FindProgram(std::string(kConverterProgram));
  ASSERT_FALSE(found.empty());
  EXPECT_EQ(found.parent_path(), os::ProgramFolder());
  EXPECT_TRUE(os::FindProgram("no-such-program-here").empty());
}

TEST(SystemSeam, AStartedProgramRunsInItsFolderWithoutBeingWaitedFor) {
  test::TempDir dir;
  test::WriteBytes(dir / "ergeb.csv", "\"Linz;Linz;Linz\"\r\n");
  os::StartProgram(std::string(kConverterProgram), {"34", "ergeb.csv", "OrtsList.csv"}, dir.path());
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!std::filesystem::exists(dir / "OrtsList.csv") && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_TRUE(std::filesystem::exists(dir / "OrtsList.csv"));
  EXPECT_EQ(test::ReadBytes(dir / "OrtsList.csv"), "Linz;Linz;Linz\r\n");
  EXPECT_THROW(os::StartProgram("no-such-program-here", {}, dir.path()), SystemError);
}

#ifndef _WIN32
TEST(SystemSeam, TheDesktopFolderComesFromTheUserDirectories) {
  test::TempDir home;
  std::filesystem::create_directories(home / "config");
  const auto desktop = home / "Schreibtisch";
  test::WriteBytes(home / "config" / "user-dirs.dirs",
                   "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"" + desktop.string() + "\"\n");
  const char* saved = std::getenv("XDG_CONFIG_HOME");
  const std::string before = saved ? saved : "";
  setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
  EXPECT_EQ(os::SpecialFolderPath(0), "");  // not there yet
  std::filesystem::create_directory(desktop);
  EXPECT_EQ(os::SpecialFolderPath(0), desktop.string());
  EXPECT_EQ(os::SpecialFolderPath(5), "");
  // A folder given relative to the home folder.
  const char* savedHome = std::getenv("HOME");
  const std::string homeBefore = savedHome ? savedHome : "";
  setenv("HOME", home.path().c_str(), 1);
  test::WriteBytes(home / "config" / "user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch/\"\n");
  EXPECT_EQ(os::SpecialFolderPath(0), desktop.string());
  setenv("HOME", homeBefore.c_str(), 1);
  if (saved)
    setenv("XDG_CONFIG_HOME", before.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
}
#endif

}  // namespace
}  // namespace veldaris
