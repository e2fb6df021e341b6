#include <gtest/gtest.h>

#include "core/os.h"
#include "tests/window_fixture.h"

namespace veldaris {
namespace {

using test::Place;

class ExportTest : public test::WindowFixture {
 protected:
  void SetUp() override {
    platform.desktop = (dir / "Desktop").string();
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
  w[Text16].text = "before";
  Click(Command11);  // the converter has written no OrtsList.csv yet
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text.rfind("Fehler 2: ", 0), 0u) << platform.messages[0].text;
  EXPECT_NE(platform.messages[0].text.find("OrtsList.csv"), std::string::npos);
  EXPECT_EQ(Text(Text16), "before");
  EXPECT_EQ(platform.quits, 0);
  EXPECT_FALSE(w.ended);

  // A Desktop folder that has gone.
  test::WriteBytes(dir / "OrtsList.csv", "x");
  std::filesystem::remove_all(dir / "Desktop");
  Click(Command11);
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[1].text.rfind("Fehler 2: ", 0), 0u);
  EXPECT_EQ(Text(Text16), "before");
  Click(Command1);
  EXPECT_EQ(w[List1].rows.size(), 1u);  // still searching
}

TEST_F(ExportTest, AStemThatLeavesTheDesktopIsRefused) {
  test::WriteBytes(dir / "OrtsList.csv", "x");
  for (const char* text : {"a/..", "../b", "a\\b", "a\tbc"}) {
    platform.messages.clear();
    w[Text1].text = text;
    w[Command11].visible = true;
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
