#include <gtest/gtest.h>

#include <functional>

#include "core/os.h"
#include "tests/window_fixture.h"

namespace veldaris {
namespace {

using test::Place;

class ExportTest : public test::WindowFixture {
 protected:
  void SetUp() override {
    system.desktop = (dir / "Desktop").string();
    std::filesystem::create_directory(dir / "Desktop");
    WriteData({Place("Linz", "Linz", "Linz", "OÖ", "4020", "s")});
    OnLoad(w);
  }
};

TEST_F(ExportTest, TheExportCopiesTheConvertedListToTheDesktop) {
  test::WriteBytes(dir / "OrtsList.csv", "Linz;Linz;Linz\r\n");
  Edit(Text1, "Linz");
  Click(Command1);
  w.focus = Text16;
  Click(Command11);
  EXPECT_EQ(test::ReadBytes(dir / "Desktop" / "ort-Linz.csv"), "Linz;Linz;Linz\r\n");
  EXPECT_EQ(Text(Text16), " Das Suchergebnis wurde am Desktop in der Datei ort-Linz.csv gespeichert");
  EXPECT_EQ(w.focus, Text1);
  // A second export replaces the first.
  test::WriteBytes(dir / "OrtsList.csv", "neu\r\n");
  Click(Command11);
  EXPECT_EQ(test::ReadBytes(dir / "Desktop" / "ort-Linz.csv"), "neu\r\n");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ExportTest, AFailedExportIsReportedAndTheProgramGoesOn) {
  Edit(Text1, "Linz");
  Click(Command1);
  w[Text16].SetText("before");
  Click(Command11);  // the converter has written no OrtsList.csv yet
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text.rfind("Fehler 2: ", 0), 0u) << platform.messages[0].text;
  EXPECT_NE(platform.messages[0].text.find("OrtsList.csv"), std::string::npos);
  EXPECT_EQ(Text(Text16), "before");
  EXPECT_EQ(platform.quits, 0);
  EXPECT_FALSE(w.ended);

  Click(Command1);
  EXPECT_EQ(w[List1].rows().size(), 1u);  // still searching
}

TEST_F(ExportTest, WithoutADesktopNothingIsWrittenAndTheProgramGoesOn) {
  test::WriteBytes(dir / "OrtsList.csv", "x");
  const std::string gone = (dir / "Desktop").string();
  struct Case {
    const char* what;
    std::function<void(Window&)> arrange;
    std::string sought;
  };
  const Case cases[] = {
      {"gone since", [&](Window&) { std::filesystem::remove_all(dir / "Desktop"); }, gone},
      // Start-up found none: DesktopPath is the separator alone, which meant the root folder.
      {"none at start-up", [](Window& window) { window.DesktopPath = os::PathSeparator(); },
       "/home/anna/Desktop"},
  };
  for (const auto& c : cases) {
    platform.messages.clear();
    c.arrange(w);
    Edit(Text1, "Linz");
    Click(Command1);
    w[Text16].SetText("before");
    Click(Command11);
    ASSERT_EQ(platform.messages.size(), 1u) << c.what;
    EXPECT_EQ(platform.messages[0].text,
              Cp1252("Es wurde kein Desktop-Ordner gefunden. Gesucht wurde:\r") + c.sought +
                  Cp1252("\rDas Suchergebnis wurde nicht gespeichert."))
        << c.what;
    EXPECT_EQ(Text(Text16), "before");
    EXPECT_FALSE(w.ended);
  }
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path()))
    EXPECT_NE(entry.path().filename().string().rfind("ort-", 0), 0u) << entry.path();
}

#ifndef _WIN32
TEST_F(ExportTest, ALinkUnderTheExportNameIsReplacedNotFollowed) {
  test::WriteBytes(dir / "OrtsList.csv", "Linz;Linz;Linz\r\n");
  test::WriteBytes(dir / "elsewhere.txt", "keep me");
  std::filesystem::create_symlink(dir / "elsewhere.txt", dir / "Desktop" / "ort-Linz.csv");
  std::filesystem::create_symlink(dir / "nowhere" / "x.csv", dir / "Desktop" / "ort-Wien.csv");
  for (const char* text : {"Linz", "Wien"}) {
    Edit(Text1, text);
    Click(Command1);
    Click(Command11);
    const auto target = dir / "Desktop" / (std::string("ort-") + text + ".csv");
    EXPECT_FALSE(std::filesystem::is_symlink(target)) << text;
    EXPECT_EQ(test::ReadBytes(target), "Linz;Linz;Linz\r\n");
  }
  EXPECT_EQ(test::ReadBytes(dir / "elsewhere.txt"), "keep me");
  EXPECT_FALSE(std::filesystem::exists(dir / "nowhere"));
}
#endif

TEST_F(ExportTest, AStemThatLeavesTheDesktopIsRefused) {
  test::WriteBytes(dir / "OrtsList.csv", "x");
  // The last five: bytes that Windows-1252 leaves without a character.
  for (const char* text : {"a/..", "../b", "a\\b", "a\tbc", "\x81", "a\x8D", "\x8F", "\x90", "\x9D"}) {
    platform.messages.clear();
    w[Text1].SetText(text);
    w[Command11].SetVisible(true);
    Click(Command11);
    ASSERT_EQ(platform.messages.size(), 1u) << text;
    EXPECT_EQ(platform.messages[0].text.rfind("Fehler " + std::to_string(os::ErrorOf(os::Condition::kInvalidName, "").Number()) + ": ", 0), 0u);
    EXPECT_NE(platform.messages[0].text.find(Cp1252("Ungültiger Dateiname")), std::string::npos);
    EXPECT_FALSE(w.ended);
  }
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path()))
    files += entry.path().filename().string().rfind("ort-", 0) == 0;
  EXPECT_EQ(files, 0u);
}

}  // namespace
}  // namespace veldaris
