#include <gtest/gtest.h>

#include "core/files.h"
#include "core/os.h"
#include "maintenance/place_entry.h"
#include "tests/window_fixture.h"

namespace veldaris {
namespace {

using test::Place;
using test::RecordLine;

const char* const kPromptState = " Wählen Sie im Feld >Bundesland< eines aus.";
const char* const kPromptDistrict = " Wählen Sie im Feld >Bezirk< einen aus.";

class MaintenanceTest : public test::WindowFixture {
 protected:
  void SetUp() override {
    original = RecordLine(Place("Bezau", "Bezau", "Bregenz", "Vbg", "6870", "m"));
    test::WriteBytes(dir / "orte-7sp.ort", original);
    OnLoad(w);
    Edit(Text1, "tobrek");
  }
  void Fill(const char* place, const char* municipality, const char* district, const char* postcode) {
    Edit(Text7, place);
    Edit(Text8, municipality);
    Edit(Text9, district);
    Edit(Text5, postcode);
  }
  std::string Data() const { return File("orte-7sp.ort"); }
  std::filesystem::path CheckFile() const { return dir.path() / std::filesystem::path(u8"orte-prüf.ort"); }

  std::string original;
};

TEST_F(MaintenanceTest, TheEntryGoesThroughItsStates) {
  w[Text7].text = "old place";
  w[Text12].text = "Markt";
  Click(Command7);
  EXPECT_EQ(w.Entry, EntryState::kWaitingForState);
  for (ControlId id : {Text7, Text8, Text9, Text10, Text5}) EXPECT_EQ(w[id].text, "");
  EXPECT_EQ(Text(Text12), "Markt");
  EXPECT_EQ(Text(Text1), "tobrek");
  EXPECT_EQ(Text(Text16), kPromptState);
  EXPECT_TRUE(w[Combo1].visible);
  EXPECT_FALSE(w[Combo2].visible);

  Edit(Combo1, "Tirol");  // picked from the list
  EXPECT_EQ(w.Entry, EntryState::kReady);
  EXPECT_EQ(Text(Text16), kPromptDistrict);
  EXPECT_TRUE(w[Combo2].visible);
  EXPECT_TRUE(w[Command4].visible);

  Fill("Hall", "Hall in Tirol", "", "6060");
  Edit(Combo2, "Innsbruck-Land");  // Combo2 covers the district field
  EXPECT_EQ(Text(Text9), "Innsbruck-Land");
  Click(Command4);
  EXPECT_EQ(w.Entry, EntryState::kAppended);
  EXPECT_EQ(Data(), original + "\"Hall\",\"Hall in Tirol\",\"Innsbruck-Land\",\"T\",\"6060\",,\r\n");
  EXPECT_FALSE(w[Command4].visible);
  EXPECT_FALSE(w[Combo1].visible);
  EXPECT_TRUE(w[Combo2].visible);
  EXPECT_EQ(Text(Text16), kPromptDistrict);
  EXPECT_EQ(Text(Text7), "Hall");

  // Again: the state chosen before is still there, so the district prompt comes at once.
  Click(Command7);
  EXPECT_EQ(w.Entry, EntryState::kReady);
  EXPECT_EQ(Text(Text16), kPromptDistrict);
  EXPECT_TRUE(w[Combo1].visible);
  EXPECT_EQ(Text(Combo1), "Tirol");
  EXPECT_TRUE(w[Command4].visible);

  Click(Command5);
  EXPECT_EQ(w.Entry, EntryState::kNotInEntryMode);
  EXPECT_EQ(w.height, 6870);
  EXPECT_EQ(Text(Text16), "");
  EXPECT_FALSE(w[Combo1].visible);
  EXPECT_FALSE(w[Combo2].visible);
  EXPECT_TRUE(w[Command7].visible);  // no button changes its visibility
  Edit(Text1, "tobrekx");
  EXPECT_EQ(w.height, 7200);
}

TEST_F(MaintenanceTest, EndingTheEntryEndsAPendingWait) {
  Click(Command7);
  Click(Command5);
  Edit(Combo1, "Wien");
  EXPECT_EQ(w.Entry, EntryState::kNotInEntryMode);
  EXPECT_EQ(Text(Text16), "");
  EXPECT_FALSE(w[Combo2].visible);
}

TEST_F(MaintenanceTest, TheAppendedLineIsTheRecordFormatByteForByte) {
  Click(Command7);
  Fill("Au", "Au", "Bregenz", "6883");
  Edit(Combo1, "Voralrberg");
  Click(Command4);
  EXPECT_EQ(Data(), original + "\"Au\",\"Au\",\"Bregenz\",\"Vbg\",\"6883\",,\r\n");
  EXPECT_EQ(w.EntryStateShortForm, "Vbg");
}

TEST_F(MaintenanceTest, EmptyFieldsAndDuplicatesAreWritten) {
  Click(Command7);
  Edit(Combo1, "Wien");
  Click(Command4);
  Click(Command4);  // Command4 stays usable in maintenance mode
  w[Command4].visible = true;
  Click(Command4);
  const std::string empty = "\"\",\"\",\"\",\"W\",\"\",,\r\n";
  EXPECT_EQ(Data(), original + empty + empty + empty);
}

TEST_F(MaintenanceTest, ItemsSixAndSevenComeFromTheRecordReadLast) {
  Edit(Text1, "tobrek");
  w[Text1].text = "Bezau";
  Click(Command1);  // one match, read into the current record
  Edit(Text1, "tobrek");
  Click(Command7);
  Edit(Combo1, "Salzburg");
  Fill("Neu", "Neu", "Hallein", "5400");
  Click(Command4);
  EXPECT_EQ(Data(), original + "\"Neu\",\"Neu\",\"Hallein\",\"Sbg\",\"5400\",,\"m\"\r\n");

  // After the check, the last record of the data file.
  test::WriteBytes(dir / "orte-7sp.ort", "\"A\",\"A\",\"B\",\"W\",\"1\",\"r\",\"s\"\r\n");
  Click(Command6);
  Click(Command7);
  Fill("C", "C", "D", "2");
  Click(Command4);
  EXPECT_EQ(Data(), "\"A\",\"A\",\"B\",\"W\",\"1\",\"r\",\"s\"\r\n\"C\",\"C\",\"D\",\"Sbg\",\"2\",\"r\",\"s\"\r\n");
}

TEST_F(MaintenanceTest, NothingIsWrittenWithoutAStateFromTheList) {
  Click(Command7);
  Edit(Combo1, "Bundesland auswählen");
  const std::string before = Text(Text16);
  Fill("X", "X", "X", "1");
  Click(Command4);
  EXPECT_EQ(Data(), original);
  EXPECT_EQ(Text(Text16), before);
  EXPECT_TRUE(w[Command4].visible);

  // A typed name that is no list item would file the place under an earlier state.
  Edit(Combo1, "Tirol");
  Click(Command4);
  Click(Command7);
  Edit(Combo1, "Vorarlberg");
  Fill("Y", "Y", "Y", "2");
  Click(Command4);
  EXPECT_EQ(Data(), original + "\"X\",\"X\",\"X\",\"T\",\"1\",,\r\n");
  EXPECT_EQ(Text(Text16), kPromptState);
  EXPECT_EQ(w.EntryStateShortForm, "T");
  EXPECT_TRUE(w[Command4].visible);
}

TEST_F(MaintenanceTest, AFieldThatWouldBreakTheLineIsRefused) {
  const std::pair<ControlId, const char*> cases[] = {
      {Text7, "Ort"}, {Text8, "Gemeinde"}, {Text9, "Bezirk"}, {Text5, "PLZ"}};
  Click(Command7);
  Edit(Combo1, "Wien");
  for (const auto& [id, label] : cases) {
    for (const char* bad : {"a\"b", "a\r\nb", "a\nb"}) {
      Fill("P", "M", "D", "1");
      w[id].text = bad;
      Click(Command4);
      EXPECT_EQ(Data(), original) << label;
      EXPECT_NE(Text(Text16).find(std::string(">") + label + "<"), std::string::npos) << Text(Text16);
      EXPECT_TRUE(w[Command4].visible);
    }
  }
}

TEST_F(MaintenanceTest, ALastLineWithoutItsLineEndGetsOneFirst) {
  test::WriteBytes(dir / "orte-7sp.ort", "\"A\",\"A\",\"B\",\"W\",\"1\",,\"s\"");
  Click(Command7);
  Edit(Combo1, "Wien");
  Fill("C", "C", "D", "2");
  Click(Command4);
  EXPECT_EQ(Data(), "\"A\",\"A\",\"B\",\"W\",\"1\",,\"s\"\r\n\"C\",\"C\",\"D\",\"W\",\"2\",,\r\n");
  Click(Command6);
  EXPECT_EQ(Text(Text16), "prüfung  OK");
}

TEST_F(MaintenanceTest, AnAppendThatCannotBeWrittenIsReportedAndChangesNothing) {
  Click(Command7);
  Edit(Combo1, "Wien");
  Fill("P", "Gemeinde", "Bezirk", "1234");
  SetDiskFaults({30, false, false});  // the disk fills after 30 bytes of the line
  Click(Command4);
  SetDiskFaults({});
  ASSERT_EQ(platform.messages.size(), 1u);
  const int diskFull = os::ErrorOf(os::Condition::kDiskFull, "").Number();
  EXPECT_EQ(platform.messages[0].text.rfind("Fehler " + std::to_string(diskFull) + ": ", 0), 0u)
      << platform.messages[0].text;
  EXPECT_NE(platform.messages[0].text.find("orte-7sp.ort"), std::string::npos);
  EXPECT_EQ(platform.quits, 1);
  EXPECT_EQ(Data(), original);
}

TEST_F(MaintenanceTest, TheCheckCopiesEveryRecord) {
  test::WriteBytes(dir / "orte-7sp.ort", "");
  Click(Command6);
  EXPECT_EQ(Text(Text16), "prüfung  OK");
  EXPECT_EQ(test::ReadBytes(CheckFile()), "");

  const std::string good = RecordLine(Place("Au", "Au", "Bregenz", "Vbg", "6883")) +
                           RecordLine(Place("Gößl", "Grundlsee", "Liezen", "Stmk", "8993", "m"));
  test::WriteBytes(dir / "orte-7sp.ort", good + "\"Bad\",\"Bad\",\"X\",\"W\",\"1\",\r\n");
  Click(Command6);
  EXPECT_EQ(Text(Text16), "Datei fehlerhaft! Bitte Datei >orte-prüf.ort< mit >orte-7sp.ort< vergleichen!");
  EXPECT_EQ(test::ReadBytes(CheckFile()), good);
  Click(Command6);  // twice in a row: nothing was left open
  EXPECT_EQ(test::ReadBytes(CheckFile()), good);
  EXPECT_TRUE(platform.messages.empty());

  test::WriteBytes(dir / "orte-7sp.ort", good);
  Click(Command6);
  EXPECT_EQ(Text(Text16), "prüfung  OK");
  EXPECT_EQ(test::ReadBytes(CheckFile()), good);
  EXPECT_EQ(TextOf(w.CurrentRecord.MunicipalityKind), "m");
  w[Text1].text = "au";
  Click(Command1);
  EXPECT_EQ(w[List1].rows.size(), 1u);
}

TEST_F(MaintenanceTest, TheCheckFailsWhereRecordsLeaveTheirLines) {
  const std::string good = RecordLine(Place("Au", "Au", "Bregenz", "Vbg", "6883"));
  // Six items, then eight: read as two records of seven, neither ending its own line.
  const std::string six = "\"Sechs\",\"S\",\"S\",\"W\",\"1\",\r\n";
  const std::string eight = "\"Acht\",\"A\",\"A\",\"W\",\"1\",,,\"x\"\r\n";
  test::WriteBytes(dir / "orte-7sp.ort", good + six + eight + good);
  Click(Command6);
  EXPECT_EQ(Text(Text16), "Datei fehlerhaft! Bitte Datei >orte-prüf.ort< mit >orte-7sp.ort< vergleichen!");
  EXPECT_EQ(test::ReadBytes(CheckFile()), good);
  // A record spread over two lines that ends at a line end keeps to the lines.
  test::WriteBytes(dir / "orte-7sp.ort", good + "\"Zwei\",\"Zeilen\",\"B\"\r\n\"K\",\"9020\",,\"s\"\r\n" + good);
  Click(Command6);
  EXPECT_EQ(Text(Text16), "prüfung  OK");
}

#ifndef _WIN32
TEST_F(MaintenanceTest, ALinkPlantedUnderTheCheckFileLeavesTheDataFileAlone) {
  std::filesystem::create_hard_link(dir / "orte-7sp.ort", CheckFile());
  test::WriteBytes(dir / "orte-7sp.ort", original + "\"Kaputt\"\r\n");  // the check fails early
  const std::string data = Data();
  Click(Command6);
  EXPECT_EQ(Data(), data);
  EXPECT_EQ(test::ReadBytes(CheckFile()), original);
}
#endif

TEST_F(MaintenanceTest, ACheckThatCannotOpenTheDataFileEndsTheProgram) {
  std::filesystem::remove(dir / "orte-7sp.ort");
  Click(Command6);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].text.find("orte-7sp.ort"), std::string::npos);
  EXPECT_EQ(platform.quits, 1);
}

TEST_F(MaintenanceTest, TheRealDataFileIsCopiedByteForByte) {
  const auto real = test::RealDataFile();
  if (!real) GTEST_SKIP() << "the real data file is not present beside the project";
  std::filesystem::remove(dir / "orte-7sp.ort");
  std::filesystem::copy_file(*real, dir / "orte-7sp.ort");
  Click(Command6);
  EXPECT_EQ(Text(Text16), "prüfung  OK");
  EXPECT_TRUE(test::ReadBytes(CheckFile()) == test::ReadBytes(*real));
}

}  // namespace
}  // namespace veldaris
