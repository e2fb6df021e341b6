#include <gtest/gtest.h>

#include "core/os.h"
#include "maintenance/place_entry.h"
#include "tests/window_fixture.h"

namespace veldaris {
namespace {

using test::Place;
using test::RecordLine;

const char* const kPromptState = " Wählen Sie im Feld >Bundesland< eines aus.";
const char* const kPromptDistrict = " Wählen Sie im Feld >Bezirk< einen aus.";
constexpr auto kAll = std::numeric_limits<std::uint64_t>::max();  // a disk that does not fill

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
  w[Text7].SetText("old place");
  w[Text12].SetText("Markt");
  Click(Command7);
  EXPECT_EQ(w.Entry, EntryState::kWaitingForState);
  for (ControlId id : {Text7, Text8, Text9, Text10, Text5}) EXPECT_EQ(w[id].text(), "");
  EXPECT_EQ(Text(Text12), "Markt");
  EXPECT_EQ(Text(Text1), "tobrek");
  EXPECT_EQ(Text(Text16), kPromptState);
  EXPECT_TRUE(w[Combo1].visible());
  EXPECT_FALSE(w[Combo2].visible());

  Edit(Combo1, "Tirol");  // picked from the list
  EXPECT_EQ(w.Entry, EntryState::kReady);
  EXPECT_EQ(Text(Text16), kPromptDistrict);
  EXPECT_TRUE(w[Combo2].visible());
  EXPECT_TRUE(w[Command4].visible());

  Fill("Hall", "Hall in Tirol", "", "6060");
  Edit(Combo2, "Innsbruck-Land");  // Combo2 covers the district field
  EXPECT_EQ(Text(Text9), "Innsbruck-Land");
  Click(Command4);
  EXPECT_EQ(w.Entry, EntryState::kAppended);
  EXPECT_EQ(Data(), original + "\"Hall\",\"Hall in Tirol\",\"Innsbruck-Land\",\"T\",\"6060\",,\r\n");
  EXPECT_FALSE(w[Command4].visible());
  EXPECT_FALSE(w[Combo1].visible());
  EXPECT_TRUE(w[Combo2].visible());
  EXPECT_EQ(Text(Text16), kPromptDistrict);
  EXPECT_EQ(Text(Text7), "Hall");

  // Again: the state chosen before is still there, so the district prompt comes at once.
  Click(Command7);
  EXPECT_EQ(w.Entry, EntryState::kReady);
  EXPECT_EQ(Text(Text16), kPromptDistrict);
  EXPECT_TRUE(w[Combo1].visible());
  EXPECT_EQ(Text(Combo1), "Tirol");
  EXPECT_TRUE(w[Command4].visible());

  Click(Command5);
  EXPECT_EQ(w.Entry, EntryState::kNotInEntryMode);
  EXPECT_EQ(w.height, 6870);
  EXPECT_EQ(Text(Text16), "");
  EXPECT_FALSE(w[Combo1].visible());
  EXPECT_FALSE(w[Combo2].visible());
  EXPECT_TRUE(w[Command7].visible());  // no button changes its visibility
  Edit(Text1, "tobrekx");
  EXPECT_EQ(w.height, 7200);
}

TEST_F(MaintenanceTest, EndingTheEntryEndsAPendingWait) {
  Click(Command7);
  Click(Command5);
  Edit(Combo1, "Wien");
  EXPECT_EQ(w.Entry, EntryState::kNotInEntryMode);
  EXPECT_EQ(Text(Text16), "");
  EXPECT_FALSE(w[Combo2].visible());
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
  w[Command4].SetVisible(true);
  Click(Command4);
  const std::string empty = "\"\",\"\",\"\",\"W\",\"\",,\r\n";
  EXPECT_EQ(Data(), original + empty + empty + empty);
}

TEST_F(MaintenanceTest, ItemsSixAndSevenComeFromTheRecordReadLast) {
  Edit(Text1, "tobrek");
  w[Text1].SetText("Bezau");
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
  EXPECT_TRUE(w[Command4].visible());

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
  EXPECT_TRUE(w[Command4].visible());
}

TEST_F(MaintenanceTest, AFieldThatWouldBreakTheLineIsRefused) {
  const std::pair<ControlId, const char*> cases[] = {
      {Text7, "Ort"}, {Text8, "Gemeinde"}, {Text9, "Bezirk"}, {Text5, "PLZ"}};
  Click(Command7);
  Edit(Combo1, "Wien");
  for (const auto& [id, label] : cases) {
    for (const char* bad : {"a\"b", "a\r\nb", "a\nb"}) {
      Fill("P", "M", "D", "1");
      w[id].SetText(bad);
      Click(Command4);
      EXPECT_EQ(Data(), original) << label;
      EXPECT_NE(Text(Text16).find(std::string(">") + label + "<"), std::string::npos) << Text(Text16);
      EXPECT_TRUE(w[Command4].visible());
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
  system.writableBytes = 30;  // the disk fills after 30 bytes of the line
  Click(Command4);
  system.writableBytes = kAll;
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
  w[Text1].SetText("au");
  Click(Command1);
  EXPECT_EQ(w[List1].rows().size(), 1u);
}

// The copy holds every record read before the first one that does not begin its line, so
// that its end shows where the data file went out of step; a copy that cannot be written
// leaves none, not even one of an earlier check.
TEST_F(MaintenanceTest, TheCheckCopiesUpToTheFirstRecordOutOfStep) {
  const std::string good = RecordLine(Place("Au", "Au", "Bregenz", "Vbg", "6883"));
  const std::string noLineEnd = good.substr(0, good.size() - 2);
  const std::string failed = "Datei fehlerhaft! Bitte Datei >orte-prüf.ort< mit >orte-7sp.ort< vergleichen!";
  const struct {
    const char* name;
    std::string data;
    std::uint64_t writableBytes;
    const char* text;
    std::optional<std::string> copy;  // nothing: no orte-prüf.ort at all
  } cases[] = {
      // Its first seven items are a record; the eighth begins the next one inside the line.
      {"eight items", good + "\"Acht\",\"A\",\"A\",\"W\",\"1\",,,\"x\"\r\n" + good, kAll, failed.c_str(),
       good + "\"Acht\",\"A\",\"A\",\"W\",\"1\",,\r\n"},
      // Its record takes the first item of the next line, where the next record then begins.
      {"six items", good + "\"Sechs\",\"S\",\"S\",\"W\",\"1\",\r\n" + good + good, kAll, failed.c_str(),
       good + "\"Sechs\",\"S\",\"S\",\"W\",\"1\",,\"Au\"\r\n"},
      {"a trailing comma at the end", good + noLineEnd + ",", kAll, "prüfung  OK", good + good},
      {"a record over two lines", good + "\"Zwei\",\"Zeilen\",\"B\"\r\n\"K\",\"9020\",,\"s\"\r\n" + good, kAll,
       "prüfung  OK", good + "\"Zwei\",\"Zeilen\",\"B\",\"K\",\"9020\",,\"s\"\r\n" + good},
      {"a disk that fills up", good + good, 10, failed.c_str(), std::nullopt},
  };
  for (const auto& c : cases) {
    test::WriteBytes(dir / "orte-7sp.ort", c.data);
    test::WriteBytes(CheckFile(), "the copy of an earlier check");
    system.writableBytes = c.writableBytes;
    Click(Command6);
    system.writableBytes = kAll;
    EXPECT_EQ(Text(Text16), c.text) << c.name;
    if (c.copy)
      EXPECT_EQ(test::ReadBytes(CheckFile()), *c.copy) << c.name;
    else
      EXPECT_FALSE(std::filesystem::exists(CheckFile())) << c.name;
    EXPECT_TRUE(platform.messages.empty()) << c.name;
  }
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

TEST_F(MaintenanceTest, TheGazetteerIsCopiedByteForByte) {
  std::filesystem::remove(dir / "orte-7sp.ort");
  std::filesystem::copy_file(test::Gazetteer(), dir / "orte-7sp.ort");
  Click(Command6);
  EXPECT_EQ(Text(Text16), "prüfung  OK");
  EXPECT_TRUE(test::ReadBytes(CheckFile()) == test::ReadBytes(test::Gazetteer()));
}

}  // namespace
}  // namespace veldaris
