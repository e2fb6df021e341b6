#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "tests/test_support.h"

namespace veldaris {
namespace {

using Outcome = test::ProgramOutcome;

// args: the arguments, separated by blanks.
Outcome RunConverter(const test::TempDir& dir, const std::string& args) {
  std::vector<std::string> words;
  std::istringstream split(args);
  for (std::string word; split >> word;) words.push_back(word);
  return test::RunProgram(VELDARIS_CONVERTER, words, dir.path());
}

TEST(Converter, DropsTheQuotesOfEveryLine) {
  test::TempDir dir;
  const std::string csv = "\"Buchkirchen;Buchkirchen;Wels-Land\"\r\n\"" + Cp1252("Gößl") +
                          ";Grundlsee;Liezen\"\r\n\";Au;Bregenz\"\r\n";
  test::WriteBytes(dir / "ergeb.csv", csv);
  test::WriteBytes(dir / "OrtsList.csv", "an older, longer result that must be replaced entirely");
  const Outcome out = RunConverter(dir, "34 ergeb.csv OrtsList.csv");
  EXPECT_EQ(out.exitCode, 0) << out.stderrText;
  EXPECT_EQ(test::ReadBytes(dir / "OrtsList.csv"),
            "Buchkirchen;Buchkirchen;Wels-Land\r\n" + Cp1252("Gößl") +
                ";Grundlsee;Liezen\r\n;Au;Bregenz\r\n");
  EXPECT_EQ(test::ReadBytes(dir / "ergeb.csv"), csv);
}

TEST(Converter, RefusesBadCallsWithoutWritingAnything) {
  const char* cases[] = {
      "",
      "34 ergeb.csv",
      "34 ergeb.csv OrtsList.csv extra",
      "x34 ergeb.csv OrtsList.csv",
      "256 ergeb.csv OrtsList.csv",
      "-1 ergeb.csv OrtsList.csv",
      "34 missing.csv OrtsList.csv",
      "34 . OrtsList.csv",  // a folder cannot be read as a file
  };
  for (const char* args : cases) {
    test::TempDir dir;
    test::WriteBytes(dir / "ergeb.csv", "\"a;b;c\"\r\n");
    const Outcome out = RunConverter(dir, args);
    EXPECT_NE(out.exitCode, 0) << args;
    EXPECT_NE(out.stderrText.find("wandlix-34:"), std::string::npos) << args;
    EXPECT_FALSE(std::filesystem::exists(dir / "OrtsList.csv")) << args;
    EXPECT_FALSE(std::filesystem::exists(dir / "OrtsList.csv.part")) << args;
  }
}

TEST(Converter, OverlappingRunsEachWriteAWholeFile) {
  test::TempDir dir;
  std::string csv;
  while (csv.size() < 4'000'000) csv += "\"Buchkirchen;Buchkirchen;Wels-Land\"\r\n";
  test::WriteBytes(dir / "ergeb.csv", csv);
  test::WriteBytes(dir / "victim.txt", "keep me");
#ifndef _WIN32
  // The name of the old fixed temporary file, planted as a link.
  std::filesystem::create_symlink(dir / "victim.txt", dir / "OrtsList.csv.part");
#endif
  std::vector<std::thread> runs;
  std::vector<test::ProgramOutcome> outcomes(4);
  for (auto& outcome : outcomes) {
    runs.emplace_back([&] {
      const auto n = &outcome - outcomes.data();
      outcome = test::RunProgram(VELDARIS_CONVERTER, {"34", "ergeb.csv", "OrtsList.csv"}, dir.path(),
                                 "stderr-" + std::to_string(n) + ".txt");
    });
  }
  for (auto& run : runs) run.join();
  for (const auto& outcome : outcomes) EXPECT_EQ(outcome.exitCode, 0) << outcome.stderrText;
  const std::string written = test::ReadBytes(dir / "OrtsList.csv");
  EXPECT_EQ(written.size(), csv.size() - 2 * (csv.size() / 37));
  EXPECT_EQ(written.find('\0'), std::string::npos);
  EXPECT_EQ(test::ReadBytes(dir / "victim.txt"), "keep me");
}

}  // namespace
}  // namespace veldaris
