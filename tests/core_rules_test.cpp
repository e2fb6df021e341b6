#include <gtest/gtest.h>

#include "core/federal_states.h"
#include "core/record_reader.h"
#include "core/rules.h"
#include "core/text1252.h"
#include "tests/window_fixture.h"

namespace veldaris {
namespace {

using test::Place;

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

TEST(PlaceString, NoRealRecordKeepsAnUmlaut) {
  RecordReader data(test::Gazetteer(), "orte-7sp.ort");
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

TEST(ExportFileName, TakesFourCharactersOfTheSearchText) {
  const std::pair<const char*, const char*> cases[] = {
      {"Buchkirchen", "ort-Buch.csv"}, {"Salzburg", "ort-Salz.csv"}, {"Linz", "ort-Linz.csv"},
      {"Ybb", "ort-Ybb .csv"},         {"", "ort-    .csv"},         {" Au", "ort- Au .csv"},
      {"gößl", "ort-gößl.csv"}};
  for (const auto& [text, name] : cases) EXPECT_EQ(ExportFileName(Cp1252(text)), Cp1252(name));
}

}  // namespace
}  // namespace veldaris
