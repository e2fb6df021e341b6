#include <gtest/gtest.h>

#include <functional>

#include "core/text1252.h"
#include "tests/window_fixture.h"
#include "window/search.h"

namespace veldaris {
namespace {

using test::Items;
using test::Place;
using test::RecordLine;

// A small data file: the order matters for the carry-over of the state name.
const std::vector<Items> kSample = {
    Place("Nirgendwo", "Nirgendwo", "Irgendwo", "??", "0000"),  // unknown state, first
    Place("Buchkirchen", "Buchkirchen", "Wels-Land", "OÖ", "4611", "m"),
    Place("Hallstatt", "Hallstatt", "Gmunden", "OÖ", "4830", "m"),
    Place("Steyr", "Steyr", "Steyr", "OÖ", "4400", "s"),
    Place("Ebuch", "Ebuchdorf", "Weiz", "Stmk", "8160"),
    Place("Gößl", "Grundlsee", "Liezen", "Stmk", "8993", "m"),
    Place("Übelbach", "Übelbach", "Graz-Umgebung", "Stmk", "8124", "m"),
    Place("Buch bei Jenbach", "Buch in Tirol", "Schwaz", "T", "6220"),
    Place("Mitterbuch", "Buchdorf", "Schwaz", "XY", "6220"),  // filed under Tirol
    Place("Klagenfurt", "Klagenfurt am Wörthersee", "Klagenfurt am Wörthersee", "K", "9020", "s"),
};

class SearchTest : public test::WindowFixture {
 protected:
  void SetUp() override {
    w[Option1].SetSelected(true);
    w[Option3].SetSelected(true);
    WriteData(kSample);
  }

  void Search(const std::string& text, const std::string& state = "") {
    w[Text1].SetText(Cp1252(text));
    w[Text3].SetText(Cp1252(state));
    w.Run([&] { SearchPlaces(w); });
  }

  // The place column of every row, blanks removed, as UTF-8.
  std::vector<std::string> Places() const {
    std::vector<std::string> places;
    for (const auto& row : w[List1].rows())
      places.push_back(Windows1252ToUtf8(TrimBlanks(row.substr(0, 22))));
    return places;
  }
};

TEST_F(SearchTest, AnEmptyFieldIsRefusedAfterThePreparation) {
  test::WriteBytes(dir / "ergebdat.txt", "old");
  test::WriteBytes(dir / "ergeb.csv", "old csv");
  test::WriteBytes(dir / "OrtsList.csv", "old list");
  std::filesystem::remove(dir / "orte-7sp.ort");  // not even opened
  w[List1].SetRows(test::Rows({"old row"}));
  w[Text16].SetText("old");
  w[Text12].SetText("Markt");
  w.focus = Text3;

  Search("");

  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].title, "  S U C H B E G R I F F   E I N G E B E N  ");
  EXPECT_EQ(platform.messages[0].text,
            "Wenigsten drei Buchstaben in das Feld >Sucheingabe< eingeben!");
  EXPECT_FALSE(Exists("ergebdat.txt"));
  EXPECT_EQ(File("ergeb.csv"), "old csv");
  EXPECT_EQ(File("OrtsList.csv"), "old list");
  EXPECT_TRUE(w[List1].rows().empty());
  EXPECT_EQ(w[Text16].text(), "");
  EXPECT_EQ(w[Text12].text(), "Gemeinde");
  EXPECT_TRUE(w[Command11].visible());
  EXPECT_EQ(w[Command2].width(), 1575);
  EXPECT_EQ(w.focus, Text3);
  EXPECT_TRUE(system.started.empty());
  EXPECT_EQ(platform.quits, 0);
}

TEST_F(SearchTest, NoMatchShowsTheMessageAndLeavesTheLastRecord) {
  test::WriteBytes(dir / "OrtsList.csv", "old list");
  w[Text7].SetText("kept");
  w.focus = Text3;
  Search("zzz");

  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].title, Cp1252(" Eingabe ändern "));
  EXPECT_EQ(platform.messages[0].text,
            Cp1252("Es wurde kein entsprechender Begriff gefunden!\rKorrigieren oder verkürzen "
                   "Sie die Eingabe, oder\rändern Sie die Suchoption >beginnt<->enthält.<"));
  EXPECT_EQ(w.focus, Text1);
  EXPECT_EQ(File("ergebdat.txt"), "");
  EXPECT_EQ(File("ergeb.csv"), "");
  EXPECT_EQ(File("OrtsList.csv"), "old list");
  EXPECT_TRUE(system.started.empty());
  EXPECT_TRUE(w[List1].rows().empty());
  EXPECT_EQ(w[Text7].text(), "kept");
  EXPECT_EQ(w.MatchCount, 0);
  EXPECT_EQ(w.RecordCount, 10);
  EXPECT_EQ(TextOf(w.CurrentRecord.Place), "Klagenfurt");
  EXPECT_EQ(w.CurrentStateName, Cp1252("Kärnten"));
}

TEST_F(SearchTest, OneMatchShowsTheDetails) {
  w.focus = Text3;
  Search("Hall");

  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(Places(), std::vector<std::string>{"Hallstatt"});
  EXPECT_EQ(w[Text7].text(), "Hallstatt");
  EXPECT_EQ(w[Text8].text(), "Hallstatt");
  EXPECT_EQ(w[Text9].text(), "Gmunden");
  EXPECT_EQ(w[Text10].text(), "Oberoesterreich");
  EXPECT_EQ(w[Text5].text(), "PLZ: 4830");
  EXPECT_EQ(w[Text12].text(), "Markt");
  EXPECT_EQ(w[Text16].text(), "Hallstatt, Gmunden, Oberoesterreich, AUSTRIA");
  EXPECT_EQ(w.CurrentStateName, "Oberoesterreich");
  EXPECT_EQ(TextOf(w.CurrentRecord.Place), "Hallstatt");  // as stored, not in list form
  EXPECT_EQ(w.focus, Text3);  // municipality equals place: the focus stays
  ASSERT_EQ(system.started.size(), 1u);
  EXPECT_EQ(system.started[0].name, "wandlix-34");
  EXPECT_EQ(system.started[0].args, (std::vector<std::string>{"34", "ergeb.csv", "OrtsList.csv"}));
  EXPECT_EQ(system.started[0].workDir, dir.path());
  EXPECT_EQ(File("ergeb.csv"), "\"Hallstatt;Hallstatt;Gmunden\"\r\n");
  EXPECT_EQ(File("ergebdat.txt"), RecordLine(kSample[2]));

  Search("Gößl");
  EXPECT_EQ(w.focus, Text1);  // Grundlsee differs from Gößl
  EXPECT_EQ(w[Text16].text(), "Goessl, Liezen, Steiermark, AUSTRIA");
  EXPECT_EQ(w[Text7].text(), Cp1252("Gößl"));
}

TEST_F(SearchTest, MunicipalityLabelAcceptsEitherLetterCase) {
  const std::pair<const char*, const char*> kinds[] = {
      {"m", "Markt"}, {"M", "Markt"}, {"s", "Stadt"}, {"S", "Stadt"},
      {"", "Gemeinde"}, {"x", "Gemeinde"}, {"mm", "Gemeinde"}};
  for (const auto& [kind, label] : kinds) {
    WriteData({Place("Au", "Au", "Bregenz", "Vbg", "6883", kind)});
    Search("Au");
    EXPECT_EQ(w[Text12].text(), label) << "kind " << kind;
  }
  // An absent kind too.
  WriteData({{"Au", "Au", "Bregenz", "Vbg", "6883", std::nullopt, std::nullopt}});
  Search("Au");
  EXPECT_EQ(w[Text12].text(), "Gemeinde");
}

TEST_F(SearchTest, AnUnknownStateLeavesTheStateEmpty) {
  Search("Nirgendwo");
  EXPECT_EQ(w[Text10].text(), "");
  EXPECT_EQ(w[Text16].text(), "Nirgendwo, Irgendwo, , AUSTRIA");
}

TEST_F(SearchTest, SeveralMatchesFillTheListInFileOrder) {
  w[Text7].SetText("kept");
  Search("buch");
  EXPECT_EQ(Places(), (std::vector<std::string>{"Buchkirchen", "Buch bei Jenbach"}));
  EXPECT_EQ(w[List1].rows()[1],
            "Buch bei Jenbach      Buch in Tirol         Schwaz                T");
  EXPECT_EQ(w[Text16].text(), "");
  EXPECT_EQ(w[Text7].text(), "kept");
  EXPECT_EQ(w.focus, Text1);
  EXPECT_EQ(w.MatchCount, 2);
  EXPECT_EQ(w.ListRow, 2);
  EXPECT_EQ(w.CurrentStateName, "");
  // The last row's record, its first three items in list form.
  EXPECT_EQ(TextOf(w.CurrentRecord.Place), "Buch bei Jenbach      ");
  EXPECT_EQ(TextOf(w.CurrentRecord.District), "Schwaz                ");
  EXPECT_EQ(TextOf(w.CurrentRecord.Postcode), "6220");
  EXPECT_EQ(File("ergeb.csv"),
            "\"Buchkirchen;Buchkirchen;Wels-Land\"\r\n\"Buch bei Jenbach;Buch in Tirol;Schwaz\"\r\n");
  EXPECT_EQ(File("ergebdat.txt"), RecordLine(kSample[1]) + RecordLine(kSample[7]));
  EXPECT_EQ(w[List1].current(), -1);
}

// The row as the list shows it: names longer than 20 characters lose the rest.
TEST_F(SearchTest, TheListCutsLongNamesAtTwentyCharacters) {
  Search("klagen");
  ASSERT_EQ(w[List1].rows().size(), 1u);
  EXPECT_EQ(w[List1].rows()[0], Cp1252("Klagenfurt            Klagenfurt am Wörthe  Klagenfurt am Wörthe  K"));
}

TEST_F(SearchTest, TheCountTextStartsAtFiveMatches) {
  std::vector<Items> records;
  for (int i = 0; i < 5; ++i)
    records.push_back(Place(("Au" + std::to_string(i)).c_str(), "Au", "Bregenz", "Vbg", "6883"));
  records.push_back(Place("Bezau", "Bezau", "Bregenz", "Vbg", "6870"));
  WriteData(records);
  Search("au");
  EXPECT_EQ(w[Text16].text(), "   Es wurden  5 von  6 Orten gefunden");
  WriteData(std::vector<Items>(records.begin() + 1, records.end()));
  Search("au");
  EXPECT_EQ(w.MatchCount, 4);
  EXPECT_EQ(w[Text16].text(), "");
}

TEST_F(SearchTest, BeginsWithAndContainsFindDisjointSets) {
  struct Case {
    const char* text;
    bool contains;
    std::vector<std::string> places;
  };
  const Case cases[] = {
      {"Buch", false, {"Buchkirchen", "Buch bei Jenbach"}},
      {"  BUCH  ", false, {"Buchkirchen", "Buch bei Jenbach"}},
      {"kirch", true, {"Buchkirchen"}},
      {"buch", true, {"Ebuch", "Mitterbuch"}},  // not Buchkirchen: its first occurrence is at 1
      {"gö", false, {"Gößl"}},
      {"GÖ", false, {"Gößl"}},
      {"übel", false, {"Übelbach"}},
      {"ÜBEL", false, {"Übelbach"}},
      {"   ", false, {"Nirgendwo", "Buchkirchen", "Hallstatt", "Steyr", "Ebuch", "Gößl",
                      "Übelbach", "Buch bei Jenbach", "Mitterbuch", "Klagenfurt"}},
      {"   ", true, {}},
      {"ebuchx", false, {}},
  };
  for (const auto& c : cases) {
    w[Option1].SetSelected(!c.contains);
    w[Option2].SetSelected(c.contains);
    platform.messages.clear();
    Search(c.text);
    EXPECT_EQ(Places(), c.places) << c.text << (c.contains ? " contains" : " begins");
    EXPECT_EQ(platform.messages.size(), c.places.empty() ? 1u : 0u) << c.text;
  }
}

TEST_F(SearchTest, TheStateFilterIsExactAndCarriesOver) {
  struct Case {
    const char* state;
    std::vector<std::string> places;
  };
  const Case cases[] = {
      {"Oberösterreich", {"Buchkirchen", "Hallstatt", "Steyr"}},
      {"oberösterreich", {}},
      {"Oberoesterreich", {}},
      {"Tirol", {"Buch bei Jenbach", "Mitterbuch"}},  // Mitterbuch's "XY" is filed under Tirol
      {"Tir", {}},
      {"Kärnten", {"Klagenfurt"}},
  };
  for (const auto& c : cases) {
    Search(" ", c.state);
    EXPECT_EQ(Places(), c.places) << c.state;
    EXPECT_EQ(w.RecordCount, 10) << "every record is counted before the filter";
  }
}

TEST_F(SearchTest, SearchesMunicipalityOrDistrict) {
  w[Option3].SetSelected(false);
  w[Option4].SetSelected(true);
  Search("buch");
  EXPECT_EQ(Places(), (std::vector<std::string>{"Buchkirchen", "Buch bei Jenbach", "Mitterbuch"}));
  w[Option4].SetSelected(false);
  w[Option5].SetSelected(true);
  Search("schwaz");
  EXPECT_EQ(Places(), (std::vector<std::string>{"Buch bei Jenbach", "Mitterbuch"}));
  // Option4 wins over Option5 when both are set.
  w[Option4].SetSelected(true);
  Search("buch");
  EXPECT_EQ(Places().size(), 3u);
}

TEST_F(SearchTest, TheLastRecordSurvivesTheEndOfTheReadBuffer) {
  // Records that end exactly where the reader's 64 KiB buffers end, and a last record spread
  // over two lines, which the general reader takes.
  for (std::size_t total : {std::size_t{65536}, std::size_t{131072}}) {
    const std::string line = RecordLine(Place("Filler", "Filler", "Bezirk", "W", "1010"));
    std::string bytes;
    while (bytes.size() + 2 * line.size() < total) bytes += line;
    std::string last = RecordLine(Place("Schluss", "Schluss", "Ende", "T", "6020"));
    const std::size_t pad = total - bytes.size() - last.size();
    last = RecordLine(Place(("Schluss" + std::string(pad, 'x')).c_str(), "Schluss", "Ende",
                            "T", "6020"));
    bytes += last;
    ASSERT_EQ(bytes.size(), total);
    test::WriteBytes(dir / "orte-7sp.ort", bytes);
    Search("zzz");
    EXPECT_EQ(TextOf(w.CurrentRecord.Place), "Schluss" + std::string(pad, 'x'));
    EXPECT_EQ(TextOf(w.CurrentRecord.Postcode), "6020");
    EXPECT_EQ(w.CurrentStateName, "Tirol");
  }
  test::WriteBytes(dir / "orte-7sp.ort",
                   RecordLine(Place("Au", "Au", "Bregenz", "Vbg", "6883")) +
                       "\"Zwei\",\"Zeilen\",\"Bezirk\"\r\n\"K\",\"9020\",,\"s\"\r\n");
  Search("zzz");
  EXPECT_EQ(TextOf(w.CurrentRecord.Place), "Zwei");
  EXPECT_EQ(TextOf(w.CurrentRecord.MunicipalityKind), "s");
  EXPECT_EQ(w.CurrentStateName, Cp1252("Kärnten"));
  Search("zw");
  EXPECT_EQ(File("ergebdat.txt"), "\"Zwei\",\"Zeilen\",\"Bezirk\",\"K\",\"9020\",,\"s\"\r\n");
}

TEST_F(SearchTest, FailuresAreReportedOnceAndEndTheProgram) {
  struct Case {
    const char* name;
    std::function<void(test::FakeSystem&)> arrange;
    std::string expectedStart;
  };
  const Case cases[] = {
      {"missing data file",
       [&](test::FakeSystem&) { std::filesystem::remove(dir / "orte-7sp.ort"); }, "Fehler 2: "},
      {"damaged data file",
       [&](test::FakeSystem&) { test::WriteBytes(dir / "orte-7sp.ort", "\"Au\",\"Au\"\r\n"); },
       "Fehler 1001: "},
      {"converter cannot start", [](test::FakeSystem& failing) { failing.startFails = true; },
       "Fehler 2: "},
      // A folder (or a named pipe, which would block the search for good) is refused at once.
      {"data file is a folder",
       [&](test::FakeSystem&) {
         std::filesystem::remove(dir / "orte-7sp.ort");
         std::filesystem::create_directory(dir / "orte-7sp.ort");
       },
       "Fehler 1007: "},
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(dir / "orte-7sp.ort");
    WriteData(kSample);
    test::FakePlatform fake;
    test::FakeSystem fakeSystem;
    Window window(fake, dir.path(), fakeSystem);
    c.arrange(fakeSystem);
    window[Option1].SetSelected(true);
    window[Text1].SetText("Buch");
    window.Run([&] { SearchPlaces(window); });
    ASSERT_EQ(fake.messages.size(), 1u) << c.name;
    EXPECT_EQ(fake.messages[0].title, "Veldaris");
    EXPECT_EQ(fake.messages[0].text.rfind(c.expectedStart, 0), 0u) << fake.messages[0].text;
    EXPECT_EQ(fake.quits, 1) << c.name;
    EXPECT_TRUE(window.ended);
    // Once ended, nothing more runs.
    window.Run([&] { SearchPlaces(window); });
    EXPECT_EQ(fake.messages.size(), 1u);
  }
}

TEST_F(SearchTest, TheFailureMessageNamesTheFile) {
  std::filesystem::remove(dir / "orte-7sp.ort");
  Search("Buch");
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].text.find("\rDatei: orte-7sp.ort"), std::string::npos);
}

// The gazetteer of every build.
class RealDataSearch : public test::WindowFixture {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(test::Gazetteer(), dir / "orte-7sp.ort");
    bytes = test::ReadBytes(dir / "orte-7sp.ort");
    w[Option1].SetSelected(true);
    w[Option3].SetSelected(true);
  }

  // Place and state of every record, parsed here without the program's reader.
  std::vector<std::pair<std::string, std::string>> Records() const {
    std::vector<std::pair<std::string, std::string>> records;
    std::size_t at = 0;
    while (at < bytes.size()) {
      const std::size_t end = bytes.find("\r\n", at);
      const std::string line = bytes.substr(at, end - at);
      at = end + 2;
      std::vector<std::string> fields;
      std::size_t i = 0;
      while (i < line.size() && fields.size() < 4) {
        const std::size_t close = line.find('"', i + 1);
        fields.push_back(line.substr(i + 1, close - i - 1));
        i = close + 2;
      }
      records.emplace_back(fields[0], fields[3]);
    }
    return records;
  }

  std::string bytes;
};

TEST_F(RealDataSearch, BeginsWithFindsEveryPlaceStartingWithTheText) {
  w[Text1].SetText("Buch");
  w.Run([&] { SearchPlaces(w); });
  long expected = 0;
  for (const auto& [place, state] : Records()) {
    const std::string lower = ToLower1252(place);
    if (lower.rfind("buch", 0) == 0) ++expected;
  }
  EXPECT_GT(expected, 5);
  EXPECT_EQ(w.MatchCount, expected);
  EXPECT_EQ(static_cast<long>(w[List1].rows().size()), expected);
  EXPECT_EQ(w.RecordCount, static_cast<long>(Records().size()));
  for (const auto& row : w[List1].rows()) EXPECT_EQ(ToLower1252(row.substr(0, 4)), "buch");
}

TEST_F(RealDataSearch, ContainsFindsInnerOccurrencesOnly) {
  w[Option1].SetSelected(false);
  w[Option2].SetSelected(true);
  w[Text1].SetText("kirch");
  w.Run([&] { SearchPlaces(w); });
  long expected = 0;
  for (const auto& [place, state] : Records()) {
    const auto at = ToLower1252(place).find("kirch");
    if (at != std::string::npos && at > 0) ++expected;
  }
  EXPECT_GT(expected, 5);
  EXPECT_EQ(w.MatchCount, expected);
}

TEST_F(RealDataSearch, AStateFilterKeepsOnlyItsRecords) {
  w[Text1].SetText(" ");
  w[Text3].SetText(Cp1252("Kärnten"));
  w.Run([&] { SearchPlaces(w); });
  long expected = 0;
  for (const auto& [place, state] : Records()) expected += state == "K";
  EXPECT_EQ(w.MatchCount, expected);
  for (const auto& row : w[List1].rows()) EXPECT_EQ(row.substr(66), "K");
}

}  // namespace
}  // namespace veldaris
