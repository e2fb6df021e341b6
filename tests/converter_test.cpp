#include <gtest/gtest.h>

#include <sstream>

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

}  // namespace
}  // namespace veldaris
