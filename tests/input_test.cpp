#include <gtest/gtest.h>

#include "core/federal_states.h"
#include "core/os.h"
#include "tests/window_fixture.h"
#include "window/input.h"

namespace veldaris {
namespace {

using test::Place;

class InputTest : public test::WindowFixture {
 protected:
  void SetUp() override {
    system.desktop = (dir / "Desktop").string();
    std::filesystem::create_directory(dir / "Desktop");
    WriteData({Place("Buchkirchen", "Buchkirchen", "Wels-Land", "OÖ", "4611", "m"),
               Place("Linz", "Linz", "Linz", "OÖ", "4020", "s")});
    OnLoad(w);
  }
};

TEST_F(InputTest, StartUpBringsTheNormalStateWhateverTheControlsShowed) {
  test::FakePlatform fake;
  test::FakeSystem fakeSystem;
  fakeSystem.desktop = "/home/anna/Desktop";
  test::TempDir elsewhere;  // this folder is the fixture's window's
  Window other(fake, elsewhere.path(), fakeSystem);
  // Controls as a designer might have left them.
  other[Text1].SetText("tobrek");
  other[Text3].SetText("Wien");
  for (ControlId id : {Text7, Text8, Text9, Text10, Text5, Text16}) other[id].SetText("x");
  other[Option2].SetSelected(true);
  other[Option5].SetSelected(true);
  other[Command11].SetVisible(true);
  other[Command2].SetWidth(1575);
  other.height = 9000;
  OnLoad(other);

  EXPECT_EQ(other.height, 6870);
  EXPECT_EQ(other.width, 7950);
  EXPECT_TRUE(other[Option1].selected() && !other[Option2].selected());
  EXPECT_TRUE(other[Option3].selected() && !other[Option4].selected() && !other[Option5].selected());
  for (ControlId id : {Text1, Text3, Text7, Text8, Text9, Text10, Text5, Text16})
    EXPECT_EQ(other[id].text(), "") << NameOf(id);
  for (ControlId id : {Command4, Command5, Command6, Command7, Command9, Command11, Combo1, Combo2})
    EXPECT_FALSE(other[id].visible()) << NameOf(id);
  EXPECT_TRUE(other[Command10].visible());
  EXPECT_EQ(other[Command2].width(), 2055);
  EXPECT_EQ(other[Combo1].rows().All(), GetStateListItems());
  EXPECT_EQ(other[Combo1].rows()[5], "Voralrberg");
  EXPECT_EQ(other.DesktopPath, "/home/anna/Desktop" + std::string(os::PathSeparator()));
  EXPECT_EQ(fakeSystem.specialFolderAsked, std::vector<int>{0});
  EXPECT_EQ(other.focus, Text1);
  EXPECT_TRUE(fake.messages.empty());
}

TEST_F(InputTest, ASecondProgramInTheSameFolderEndsAndLeavesTheFirstAlone) {
  Edit(Text1, "Buch");
  Click(Command1);
  test::FakePlatform fake;
  test::FakeSystem fakeSystem;
  {
    Window second(fake, dir.path(), fakeSystem);
    OnLoad(second);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text.rfind(Cp1252("Veldaris läuft bereits in diesem Ordner:\r"), 0), 0u);
    EXPECT_EQ(fake.quits, 1);
    EXPECT_TRUE(second.ended);
    EXPECT_TRUE(fakeSystem.specialFolderAsked.empty());  // it did not even start up
  }
  OnListPick(w, 0);  // the first one's result file is its own
  EXPECT_EQ(Text(Text7), "Buchkirchen");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(InputTest, StartUpHidesTheExportButtonEvenWhenTheSearchFieldIsEmptyAlready) {
  test::FakePlatform fake;
  test::FakeSystem noDesktop;
  test::TempDir elsewhere;
  Window other(fake, elsewhere.path(), noDesktop);
  other[Command11].SetVisible(true);
  other[Command2].SetWidth(1575);
  OnLoad(other);
  EXPECT_FALSE(other[Command11].visible());
  EXPECT_EQ(other[Command2].width(), 2055);
  EXPECT_EQ(other.DesktopPath, os::PathSeparator());  // no Desktop folder known
}

TEST_F(InputTest, AccessWordsSwitchToMaintenanceMode) {
  const std::pair<const char*, bool> cases[] = {
      {"tobrek", true},  {"dobrek", true},  {"TOBREK", true},    {"DoBrEk", true},
      {"tobrekx", true}, {"tobre", false},  {" tobrek", false},  {"obrek", false},
      {"tobrak", false}, {"", false},       {"dobrek Linz", true}};
  for (const auto& [text, maintenance] : cases) {
    Edit(Text1, text);
    EXPECT_EQ(w.height, maintenance ? 7200 : 6870) << text;
    EXPECT_EQ(w.width, 7950);
    for (ControlId id : {Command4, Command5, Command6, Command7, Command9})
      EXPECT_EQ(w[id].visible(), maintenance) << text << " " << NameOf(id);
  }
}

TEST_F(InputTest, EveryChangeOfTheSearchTextHidesTheExportButton) {
  Edit(Text1, "Buch");
  Click(Command1);
  EXPECT_TRUE(w[Command11].visible());
  EXPECT_EQ(w[Command2].width(), 1575);
  Edit(Text1, "Buc");
  Edit(Text1, "Buch");  // the searched text again
  EXPECT_FALSE(w[Command11].visible());
  EXPECT_EQ(w[Command2].width(), 2055);
}

TEST_F(InputTest, EnterInTheSearchFieldSearchesAndNowhereElse) {
  OnEnter(w, Text1);
  ASSERT_EQ(platform.messages.size(), 1u);  // the empty field is reported
  EXPECT_EQ(platform.messages[0].title, "  S U C H B E G R I F F   E I N G E B E N  ");
  Edit(Text1, "Buch");
  Text1KeyPress(w, 'x');  // only Enter has a meaning
  EXPECT_TRUE(w[List1].rows().empty());
  OnEnter(w, Text3);
  OnEnter(w, Text7);
  EXPECT_TRUE(w[List1].rows().empty());
  EXPECT_FALSE(Exists("ergebdat.txt"));
  OnEnter(w, Text1);
  EXPECT_EQ(w[List1].rows().size(), 1u);
}

// The control table says which events a control raises, and the window layers deliver
// exactly those: a click, Enter or pick without a handler would do nothing, and a handler
// for an event that no control raises would never run.
TEST(Routing, EveryEventTheTableNamesHasItsHandlerAndNoOtherHasOne) {
  for (const ControlSpec& spec : ControlTable()) {
    for (ControlEvent event : kEveryEvent) {
      if (!spec.Raises(event)) {
        EXPECT_FALSE(IsRouted(spec.id, event)) << spec.name << " " << NameOf(event);
      } else if (event != kChangeEvent) {
        EXPECT_TRUE(IsRouted(spec.id, event)) << spec.name << " " << NameOf(event);
      }
    }
  }
  for (ControlId watched : {Text1, Text3, Combo1}) EXPECT_TRUE(IsRouted(watched, kChangeEvent));
}

TEST_F(InputTest, TheStateFieldCompletesAndTheCaretStandsAtTheEnd) {
  Edit(Text3, "w");
  EXPECT_EQ(Text(Text3), "Wien");
  EXPECT_EQ(w[Text3].selStart(), 4);
  EXPECT_EQ(w[Text3].selLength(), 0);
  OnUserEdit(w, Text3, "nWien", 1);
  EXPECT_EQ(Text(Text3), "Niederösterreich");
  EXPECT_EQ(w[Text3].selStart(), 16);
  Edit(Text3, "iederösterreich");
  EXPECT_EQ(Text(Text3), "");
  Edit(Text3, "Sbg");
  EXPECT_EQ(Text(Text3), "Sbg");
  EXPECT_EQ(w[Text3].selStart(), 3);  // the user's own caret stays
}

TEST_F(InputTest, ClearingEmptiesBothFieldsAndTheList) {
  Edit(Text1, "tobrek");
  Edit(Text3, "t");
  w[List1].SetRows(test::Rows({"row"}));
  w[Text7].SetText("kept");
  w.focus = Text7;
  Click(Command2);
  EXPECT_EQ(Text(Text1), "");
  EXPECT_EQ(Text(Text3), "");
  EXPECT_TRUE(w[List1].rows().empty());
  EXPECT_EQ(w.height, 6870);
  EXPECT_FALSE(w[Command4].visible());
  EXPECT_EQ(w.focus, Text1);
  EXPECT_EQ(Text(Text7), "kept");

  // Both fields empty already: the list is cleared and the layout applied all the same.
  Click(Command1);  // refused search: shows the export button
  EXPECT_TRUE(w[Command11].visible());
  w[List1].SetRows(test::Rows({"row"}));
  w.focus = Text5;
  Click(Command2);
  EXPECT_TRUE(w[List1].rows().empty());
  EXPECT_FALSE(w[Command11].visible());
  EXPECT_EQ(w[Command2].width(), 2055);
  EXPECT_EQ(w.focus, Text1);
}

TEST_F(InputTest, ExitDeletesTheResultFileAndEnds) {
  test::WriteBytes(dir / "ergebdat.txt", "x");
  test::WriteBytes(dir / "ergeb.csv", "y");
  Click(Command3);
  EXPECT_FALSE(Exists("ergebdat.txt"));
  EXPECT_TRUE(Exists("ergeb.csv"));
  EXPECT_EQ(platform.quits, 1);
  EXPECT_TRUE(platform.messages.empty());
  Click(Command1);  // nothing runs after the end
  EXPECT_TRUE(platform.messages.empty());

  test::FakePlatform fake;
  test::FakeSystem fakeSystem;
  test::TempDir elsewhere;
  Window other(fake, elsewhere.path(), fakeSystem);
  OnLoad(other);
  OnClick(other, Command3);  // without a result file
  EXPECT_EQ(fake.quits, 1);
  EXPECT_TRUE(fake.messages.empty());
}

}  // namespace
}  // namespace veldaris
