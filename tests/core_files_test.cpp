// Files under faults: appends that fail, links planted under a name, things that are no
// regular file, two programs in one folder.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/types.h>
#endif

#include <cstdlib>

#include "core/append.h"
#include "core/errors.h"
#include "core/file_names.h"
#include "core/folder_lock.h"
#include "core/input_file.h"
#include "core/output_file.h"
#include "tests/test_support.h"

namespace veldaris {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// A disk that fills up after some bytes, or fails its wait or its close.
test::FakeSystem Disk(std::uint64_t writableBytes, bool failSync = false, bool failClose = false) {
  test::FakeSystem disk;
  disk.writableBytes = writableBytes;
  disk.failSync = failSync;
  disk.failClose = failClose;
  return disk;
}

TEST(AppendLine, AFailedAppendLeavesTheFileByteForByte) {
  constexpr auto kAll = std::numeric_limits<std::uint64_t>::max();
  struct Case {
    const char* what;
    std::uint64_t writable;
    bool failSync, failClose;
  };
  const Case cases[] = {
      {"nothing written", 0, false, false},
      {"part written", 10, false, false},
      {"the disk cannot take it", kAll, true, false},
      {"the close fails", kAll, false, true},
  };
  const std::string line = "\"P\",\"Gemeinde\",\"Bezirk\",\"W\",\"1234\",,\r\n";
  for (const auto& c : cases) {
    for (const std::string& before : {std::string("\"A\",\"B\",\"C\",\"W\",\"1\",,\r\n"),
                                     std::string("\"A\",\"B\",\"C\",\"W\",\"1\",,")}) {
      TempDir dir;
      WriteBytes(dir / "orte-7sp.ort", before);
      test::FakeSystem disk = Disk(c.writable, c.failSync, c.failClose);
      EXPECT_THROW(AppendLine(dir / "orte-7sp.ort", "orte-7sp.ort", line, disk), SystemError) << c.what;
      EXPECT_EQ(ReadBytes(dir / "orte-7sp.ort"), before) << c.what;
    }
    TempDir dir;  // a file that was not there is not there afterwards either
    test::FakeSystem disk = Disk(c.writable, c.failSync, c.failClose);
    EXPECT_THROW(AppendLine(dir / "orte-7sp.ort", "orte-7sp.ort", line, disk), SystemError) << c.what;
    EXPECT_FALSE(std::filesystem::exists(dir / "orte-7sp.ort")) << c.what;
  }
  // Without faults: the line goes to the end, after a CR LF where the last line lacked it.
  TempDir dir;
  WriteBytes(dir / "orte-7sp.ort", "\"A\",,,,,,");
  AppendLine(dir / "orte-7sp.ort", "orte-7sp.ort", line);
  EXPECT_EQ(ReadBytes(dir / "orte-7sp.ort"), "\"A\",,,,,,\r\n" + line);
}

#ifndef _WIN32
// A real file system that fills up: a small tmpfs, where this machine lets us mount one.
TEST(AppendLine, AFullFileSystemLeavesTheFileAsItWas) {
  TempDir dir;
  const auto mount = dir / "small";
  std::filesystem::create_directory(mount);
  const std::string command = "mount -t tmpfs -o size=64k tmpfs '" + mount.string() + "' 2>/dev/null";
  if (std::system(command.c_str()) != 0) GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
  struct Unmount {
    std::string at;
    ~Unmount() {
      if (std::system(("umount '" + at + "'").c_str()) != 0) std::fprintf(stderr, "umount %s failed\n", at.c_str());
    }
  } unmount{mount.string()};
  std::string before;
  while (before.size() < 40000) before += "\"Ort\",\"Gemeinde\",\"Bezirk\",\"W\",\"1010\",,\r\n";
  WriteBytes(mount / "orte-7sp.ort", before);
  // Fill the rest with another file, leaving room for part of a line.
  {
    std::string filler(1024, 'x');
    std::FILE* f = std::fopen((mount / "filler").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    while (std::fwrite(filler.data(), 1, filler.size(), f) == filler.size()) {
    }
    std::fclose(f);
  }
  std::string line(5000, 'x');
  line = "\"" + line + "\",,,,,,\r\n";
  EXPECT_THROW(AppendLine(mount / "orte-7sp.ort", "orte-7sp.ort", line), SystemError);
  EXPECT_EQ(ReadBytes(mount / "orte-7sp.ort"), before);
}

TEST(CreatedFiles, ALinkUnderTheNameIsReplacedNeverFollowed) {
  TempDir dir;
  WriteBytes(dir / "data.ort", "the data file");
  std::filesystem::create_symlink(dir / "data.ort", dir / "soft.csv");
  std::filesystem::create_symlink(dir / "missing" / "x", dir / "dangling.csv");
  std::filesystem::create_hard_link(dir / "data.ort", dir / "hard.ort");
  for (const char* name : {"soft.csv", "dangling.csv", "hard.ort"}) {
    OutputFile out(dir / name, name);
    out.Write("new");
    out.Close();
    EXPECT_FALSE(std::filesystem::is_symlink(dir / name)) << name;
    EXPECT_EQ(ReadBytes(dir / name), "new") << name;
  }
  EXPECT_EQ(ReadBytes(dir / "data.ort"), "the data file");
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

TEST(OpeningFiles, WhatIsNoRegularFileIsRefusedAtOnce) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  std::filesystem::create_directory(dir / "folder");
  for (const auto& path : {dir / "pipe", dir / "folder", std::filesystem::path("/dev/null")}) {
    try {
      InputFile in(path, "orte-7sp.ort");
      ADD_FAILURE() << path << " was opened";
    } catch (const SystemError& error) {
      EXPECT_EQ(error.Number(), kErrNotRegularFile) << path;
      EXPECT_EQ(error.File(), "orte-7sp.ort");
    }
    EXPECT_THROW(AppendLine(path, "orte-7sp.ort", "x\r\n"), SystemError) << path;
  }
  // Nor is a pipe, a folder or a link to a pipe ("/dev/stdout") replaced by a written file
  // (never tried on a device: a root run that renamed over /dev/null would break the machine).
  std::filesystem::create_symlink(dir / "pipe", dir / "link");
  for (const char* name : {"pipe", "folder", "link"}) {
    try {
      OutputFile out(dir / name, name);
      ADD_FAILURE() << name << " was opened for writing";
    } catch (const SystemError& error) {
      EXPECT_EQ(error.Number(), kErrNotRegularFile) << name;
    }
  }
  EXPECT_TRUE(std::filesystem::is_fifo(dir / "pipe"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "folder"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link"));
}
#endif

TEST(CreatedFiles, AFileGivenUpLeavesTheTargetAndNoTrace) {
  TempDir dir;
  WriteBytes(dir / "ergeb.csv", "old");
  {
    OutputFile out(dir / "ergeb.csv", "ergeb.csv");
    out.Write("half");
  }  // a failure on its way: no Close()
  {
    test::FakeSystem disk = Disk(2);
    OutputFile out(dir / "ergeb.csv", "ergeb.csv", disk);
    out.Write("too long for the disk");
    EXPECT_THROW(out.Close(), SystemError);
  }
  EXPECT_EQ(ReadBytes(dir / "ergeb.csv"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(FolderLock, OneProgramPerFolderAndACrashLeavesNoLock) {
  TempDir dir;
  WriteBytes(PathOf(dir.path(), kLockFile), "");  // left behind by a program that crashed
  {
    auto first = FolderLock::Claim(dir.path());
    ASSERT_TRUE(first);
    EXPECT_FALSE(FolderLock::Claim(dir.path()));
    TempDir other;
    EXPECT_TRUE(FolderLock::Claim(other.path()));
  }
  EXPECT_TRUE(FolderLock::Claim(dir.path()));
}

}  // namespace
}  // namespace veldaris
