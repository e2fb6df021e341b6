#include <gtest/gtest.h>

#include "files.h"
#include "federal_states.h"
#include "information.h"
#include "place_details.h"
#include "window_fixture.h"

namespace veldaris {
namespace {

using test::Place;
using test::RecordLine;

TEST(PlaceString, TheTableOfPlaces) {
  struct Case {
    test::Items record;
    const char* placeString;
  };
  const Case cases[] = {
      {Place("Übelbach", "Übelbach", "Graz-Umgebung", "Stmk", "8124"),
       "Uebelbach, Graz-Umgebung, Steiermark, AUSTRIA"},
      {Place("Gößl", "Grundlsee", "Liezen", "Stmk", "8993"), "Goessl, Liezen, Steiermark, AUSTRIA"},
      {Place("Straß", "Straß", "Südoststeiermark", "Stmk", "8472"),
       "Strass, Suedoststeiermark, Steiermark, AUSTRIA"},
      {Place("Öd", "Amstetten", "Amstetten", "NÖ", "3300"), "Oed, Amstetten, Niederoesterreich, AUSTRIA"},
      {Place("ÖD", "Amstetten", "Amstetten", "NÖ", "3300"), "OED, Amstetten, Niederoesterreich, AUSTRIA"},
      {Place("Steyr", "Steyr", "Steyr", "OÖ", "4400"), "Steyr, Steyr, Oberoesterreich, AUSTRIA"},
      {Place("Au", "Au", "Bregenz", "X", "6883"), "Au, Bregenz, , AUSTRIA"},
      {Place("Völkermarkt", "Völkermarkt", "Völkermarkt", "K", "9100"),
       "Voelkermarkt, Voelkermarkt, Kaernten, AUSTRIA"},
  };
  for (const auto& c : cases) {
    PlaceRecord record;
    record.Place = Cp1252(*c.record[0]);
    record.District = Cp1252(*c.record[2]);
    const std::string state = GetStateDisplayName(Cp1252(*c.record[3])).value_or("");
    EXPECT_EQ(BuildPlaceString(record, state), c.placeString);
  }
}

TEST(PlaceString, CapitalUmlautsFollowTheNextCharacter) {
  const std::pair<const char*, const char*> cases[] = {
      {"Ö", "OE"},          // end of the text
      {"Ö ", "OE "},        {"Ö,", "OE,"},       {"Ö1", "OE1"},  {"ÖD", "OED"},
      {"Öd", "Oed"},        {"Öé", "Oeé"},       {"ÄÖÜ", "AeOeUE"},
      {"Ö[", "OE["},        {"Ö`", "OE`"},       {"Ö_", "OE_"},  // 91 to 96: two capitals
      {"Üä", "Ueae"},       // the small umlaut is replaced first, then judged
      {"ÖÖÖd", "OeOeOed"},  {"Maß Öl", "Mass Oel"}, {"", ""},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(ReplaceUmlauts(Cp1252(in)), Cp1252(out)) << in;
}

class DetailsTest : public test::WindowFixture {
 protected:
  void SetUp() override {
    WriteData({Place("Kirchberg", "Kirchberg an der Pielach", "Sankt Pölten", "NÖ", "3204", "m"),
               Place("Kirchberg", "Kirchberg an der Pielach", "Sankt Pölten", "NÖ", "3204", "M"),
               Place("Kirchbach", "Kirchbach", "Hermagor", "K", "9632", "s"),
               Place("Kirchdorf", "Kirchdorf", "Nirgends", "XY", "", "")});
    OnLoad(w);
    Edit(Text1, "Kirch");
    Click(Command1);
    ASSERT_EQ(w[List1].rows.size(), 4u);
  }
};

TEST_F(DetailsTest, EveryRowShowsItsOwnRecord) {
  OnListPick(w, 1);  // the second of two rows with the same text
  EXPECT_EQ(w[List1].rows[0], w[List1].rows[1]);
  EXPECT_EQ(Text(Text12), "Markt");
  EXPECT_EQ(TextOf(w.CurrentRecord.MunicipalityKind), "M");
  OnListPick(w, 0);
  EXPECT_EQ(TextOf(w.CurrentRecord.MunicipalityKind), "m");
  EXPECT_EQ(Text(Text7), "Kirchberg");
  EXPECT_EQ(Text(Text8), "Kirchberg an der Pielach");
  EXPECT_EQ(Text(Text9), "Sankt Pölten");
  EXPECT_EQ(Text(Text10), "Niederoesterreich");
  EXPECT_EQ(Text(Text5), "PLZ: 3204");
  EXPECT_EQ(Text(Text16), "Kirchberg, Sankt Poelten, Niederoesterreich, AUSTRIA");
  OnListPick(w, 2);
  EXPECT_EQ(Text(Text12), "Stadt");
  EXPECT_EQ(Text(Text10), "Kaernten");
  OnListPick(w, 3);  // the last row: no state, no postcode, a plain municipality
  EXPECT_EQ(Text(Text12), "Gemeinde");
  EXPECT_EQ(Text(Text10), "");
  EXPECT_EQ(Text(Text5), "PLZ: ");
  EXPECT_EQ(Text(Text16), "Kirchdorf, Nirgends, , AUSTRIA");
  EXPECT_EQ(w.CurrentStateName, "");
}

TEST_F(DetailsTest, APickCopiesExactlyThePlaceString) {
  OnListPick(w, 2);
  EXPECT_EQ(platform.clipboard, "Kirchbach, Hermagor, Kaernten, AUSTRIA");
  EXPECT_EQ(platform.clipboardClears, 1);
  EXPECT_EQ(w.focus, Text16);
  EXPECT_EQ(w[Text16].selStart, 0);
  EXPECT_EQ(w[Text16].selLength, static_cast<int>(w[Text16].text.size()));
  EXPECT_EQ(w[List1].listIndex, 2);
}

TEST_F(DetailsTest, AClickOnThePlaceStringCopiesWhateverItHolds) {
  Click(Text16);  // empty
  EXPECT_EQ(platform.clipboard, "");
  OnListPick(w, 0);
  Click(Picture1);
  EXPECT_EQ(platform.clipboard, "Kirchberg, Sankt Poelten, Niederoesterreich, AUSTRIA");
  EXPECT_EQ(Text(Text7), "Kirchberg");
  EXPECT_EQ(Text(Text16),
            " Es ist ein gutes Land, wohl wert, dass sich ein Fürst sein unterwinde...  F. Grillparzer.");
  Click(Text16);
  EXPECT_EQ(platform.clipboard, w[Text16].text);
  w[Text16].text = "typed by the user";
  Click(Text16);
  EXPECT_EQ(platform.clipboard, "typed by the user");
}

TEST_F(DetailsTest, AResultFileChangedBehindTheListEndsTheProgram) {
  test::WriteBytes(dir / "ergebdat.txt", RecordLine(Place("Au", "Au", "Bregenz", "Vbg", "6883")));
  OnListPick(w, 2);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].text.find("ergebdat.txt"), std::string::npos);
  EXPECT_EQ(platform.quits, 1);
}

TEST(Information, TheMessageIsBuiltFromLinesAndParagraphs) {
  const std::string text = InfoText();
  EXPECT_EQ(text.find('\n'), std::string::npos);
  ASSERT_EQ(text.back(), '\r');
  EXPECT_NE(text[text.size() - 2], '\r');
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r', start)) {
    lines.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  ASSERT_EQ(lines.size(), 15u);
  for (std::size_t empty : {4u, 7u, 12u}) EXPECT_EQ(lines[empty], "") << empty + 1;
  int withText = 0;
  for (const auto& line : lines) withText += !line.empty();
  EXPECT_EQ(withText, 12);
  EXPECT_EQ(lines[0].rfind("Dieses Programm wurde vom derzeitigen Leiter der ", 0), 0u);
  EXPECT_NE(lines[1].find(Cp1252(" geschrieben und dient als Hilfe zur Veldaris in Österreich. Die Richtigkeit")),
            std::string::npos);
  EXPECT_EQ(lines[2], Cp1252("der Angaben kann nicht garantiert werden. Derzeit sind über 21 000 Orte enthalten."));
  EXPECT_EQ(lines[3], Cp1252("Besonderen Dank an Hr. N. N. für das Lektieren und Korregieren der Daten."));
  EXPECT_EQ(lines[8].back(), ' ');
  EXPECT_EQ(lines[10].back(), ' ');
  EXPECT_EQ(lines[11], "Eich- und Vermessungswesen, >Amap< Version 2.");
  EXPECT_EQ(lines[13], Cp1252("Rückmeldungen, Korrekturen und Verbesserungvorschläge bitte an:"));
  EXPECT_NE(lines[14].find('@'), std::string::npos);
  EXPECT_EQ(InformationTitle(), "    I N F O R M A T I O N  ");
}

TEST(PlaceString, NoRealRecordKeepsAnUmlaut) {
  const auto real = test::RealDataFile();
  if (!real) GTEST_SKIP() << "the real data file is not present beside the project";
  InputFile data(*real, "orte-7sp.ort");
  PlaceRecord record;
  long records = 0;
  const std::string umlauts = Cp1252("äöüßÄÖÜ");
  while (!data.AtEnd()) {
    ReadPlaceRecord(data, record);
    ++records;
    const std::string state = GetStateDisplayName(TextOf(record.StateShortForm)).value_or("");
    const std::string placeString = BuildPlaceString(record, state);
    ASSERT_EQ(placeString.find_first_of(umlauts), std::string::npos) << placeString;
  }
  EXPECT_GT(records, 10000);
}

}  // namespace
}  // namespace veldaris
