// The importer of the open data: the real lists, the rules of the build, bad input.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "core/record_reader.h"
#include "core/text1252.h"
#include "tests/test_support.h"
#include "places/city_parts.h"
#include "tools/import/borders.h"
#include "tools/import/cities.h"
#include "tools/import/city_parts.h"
#include "tools/import/gazetteer.h"
#include "tools/import/map_file.h"
#include "tools/import/monarchy_places.h"
#include "tools/import/wof.h"
#include "places/monarchy.h"

namespace veldaris {
namespace {

using namespace places;

using import::BuildGazetteer;
using import::InputError;
using import::ReadMunicipalities;
using import::ReadPostalCodes;
using import::Report;

const char* const kHeader =
    "country_code,zipcode,place,state,state_code,province,province_code,community,community_code,"
    "latitude,longitude\n";
const char* const kMunicipalities =
    "Gemeindekennziffer;Gemeindename;Gemeindecode;Status;PLZ des Gem.Amtes;weitere Postleitzahlen\n"
    "60101;Graz;60101;SR;8010;\n"
    "61001;St. Georgen an der Stiefing;61001;M;8413;\n"
    "61002;Gnas;61002;M;8342;\n"
    "61003;Feldbach;61003;ST;8330;\n"
    "90001;Wien;90101;SR;1010;\n";

std::vector<PlaceRecord> Build(const std::string& postcodes, Report& report,
                               const std::string& municipalities = kMunicipalities) {
  return BuildGazetteer(ReadPostalCodes(postcodes, "plz.csv"),
                        ReadMunicipalities(municipalities, "gem.csv"), report);
}

std::vector<std::string> Lines(const std::vector<PlaceRecord>& records) {
  std::vector<std::string> lines;
  for (const PlaceRecord& r : records) lines.push_back(Windows1252ToUtf8(FormatPlaceRecordLine(r)));
  return lines;
}

TEST(Importer, FollowsTheRulesOfTheBuild) {
  Report report;
  const auto records = Build(std::string(kHeader) +
      // Vienna's districts are one municipality in one district; a status comes by code.
      "AT,1010,\"Wien, Innere Stadt\",Wien,09,Politischer Bezirk Wien (Stadt),900,Gemeindebezirk Innere Stadt,901,0,0\n"
      // The district's leading words go; blanks are trimmed and collapsed; Ö sorts as O.
      "AT,8330,  Oedt   bei  Feldbach ,Steiermark,06,Politischer Bezirk Südoststeiermark,623,Feldbach,61003,0,0\n"
      "AT,8330,Öd,Steiermark,06,Politischer Bezirk Südoststeiermark,623,Feldbach,61003,0,0\n"
      "AT,8330,Ode,Steiermark,06,Politischer Bezirk Südoststeiermark,623,Feldbach,61003,0,0\n"
      // A code missing from the list: the status by the same name in the same state.
      "AT,8413,Sankt Georgen an der Stiefing,Steiermark,06,Politischer Bezirk Leibnitz,610,Sankt Georgen an der Stiefing,61099,0,0\n"
      // Missing, and no such name: no status. A quote cannot stand in a record.
      "AT,8342,\"Der \"\"Ort\"\"\",Steiermark,06,Politischer Bezirk Südoststeiermark,623,Nirgendwo,62398,0,0\n"
      // A character Windows-1252 lacks, written plainer; an exact duplicate left out.
      "AT,8010,Győr,Steiermark,06,Graz Stadt,601,Graz,60101,0,0\n"
      "AT,8010,Győr,Steiermark,06,Graz Stadt,601,Graz,60101,0,0\n", report);
  EXPECT_EQ(Lines(records), (std::vector<std::string>{
      "\"Gyor\",\"Graz\",\"Graz Stadt\",\"Stmk\",\"8010\",,\"s\"\r\n",
      "\"Sankt Georgen an der Stiefing\",\"Sankt Georgen an der Stiefing\",\"Leibnitz\",\"Stmk\",\"8413\",,\"m\"\r\n",
      "\"Öd\",\"Feldbach\",\"Südoststeiermark\",\"Stmk\",\"8330\",,\"s\"\r\n",
      "\"Ode\",\"Feldbach\",\"Südoststeiermark\",\"Stmk\",\"8330\",,\"s\"\r\n",
      "\"Oedt bei Feldbach\",\"Feldbach\",\"Südoststeiermark\",\"Stmk\",\"8330\",,\"s\"\r\n",
      "\"Der 'Ort'\",\"Nirgendwo\",\"Südoststeiermark\",\"Stmk\",\"8342\",,\r\n",
      "\"Wien, Innere Stadt\",\"Wien\",\"Wien\",\"W\",\"1010\",,\"s\"\r\n",
  }));
  EXPECT_EQ(report.duplicates, 1u);
  EXPECT_EQ(report.transliterated, 2u);
  EXPECT_EQ(report.quotesOrBreaksReplaced, 2u);
  ASSERT_EQ(report.statusByName.size(), 1u);
  EXPECT_EQ(report.statusByName[0].records, 1u);
  ASSERT_EQ(report.withoutStatus.size(), 1u);
  EXPECT_EQ(report.withoutStatus[0].name, "Nirgendwo");
  EXPECT_EQ(report.perState[3], 6u);  // Stmk
  EXPECT_EQ(report.perState[6], 1u);  // W
}

TEST(Importer, ReadsGeoNamesOwnTabSeparatedDumpAlike) {
  const std::string csv = std::string(kHeader) +
      "AT,8010,\"Graz,01.Bez.:Innere Stadt\",Steiermark,06,Graz Stadt,601,Graz,60101,47.0,15.4\n";
  const std::string tabs =
      "AT\t8010\tGraz,01.Bez.:Innere Stadt\tSteiermark\t06\tGraz Stadt\t601\tGraz\t60101\t47.0\t15.4\t6\n";
  Report a, b;
  EXPECT_EQ(Build(csv, a), Build(tabs, b));
  EXPECT_EQ(Lines(Build("\xEF\xBB\xBF" + csv, a)), Lines(Build(tabs, b)));  // a byte order mark
}

// Each record keeps the coordinates of its own row through the sort and the duplicates, and
// the importer writes them into the file beside the data file.
TEST(Importer, CoordinatesFollowTheirRecordsIntoTheFileBesideTheData) {
  const std::string rows = std::string(kHeader) +
      "AT,8330,Ode,Steiermark,06,Politischer Bezirk Südoststeiermark,623,Feldbach,61003,46.95,15.88\n"
      "AT,8010,Graz,Steiermark,06,Graz Stadt,601,Graz,60101,47.0667,15.45\n"
      "AT,8010,Graz,Steiermark,06,Graz Stadt,601,Graz,60101,1,1\n"  // a duplicate: the first row counts
      "AT,8330,Feldbach,Steiermark,06,Politischer Bezirk Südoststeiermark,623,Feldbach,61003,,\n";
  Report report;
  std::vector<Coordinates> coordinates;
  const auto records = BuildGazetteer(ReadPostalCodes(rows, "plz.csv"), ReadMunicipalities(kMunicipalities, "gem.csv"),
                                      report, &coordinates);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(coordinates, (std::vector<Coordinates>{{"47.0667", "15.45"}, {"", ""}, {"46.95", "15.88"}}));
  test::TempDir dir;
  test::WriteBytes(dir / "plz.csv", rows);
  test::WriteBytes(dir / "gem.csv", kMunicipalities);
  ASSERT_EQ(test::RunProgram(VELDARIS_IMPORTER, {"plz.csv", "gem.csv"}, dir.path()).exitCode, 0);
  std::vector<std::size_t> bad;
  const CoordinatesIndex index(test::ReadBytes(dir / "orte-7sp.koordinaten"), bad);
  EXPECT_TRUE(bad.empty());
  EXPECT_EQ(index.size(), 2u);  // Feldbach has none
  EXPECT_EQ(*index.Find(ViewOf(records[0])), (Coordinates{"47.0667", "15.45"}));
  EXPECT_EQ(index.Find(ViewOf(records[1])), nullptr);
  // The gazetteer of the build has them for every place, and the centres of the
  // municipalities besides.
  const CoordinatesIndex built(test::ReadBytes(CoordinatesFileOf(test::Gazetteer())), bad);
  EXPECT_TRUE(bad.empty());
  RecordReader in(test::Gazetteer(), "orte-7sp.ort");
  std::size_t placed = 0;
  in.ForEach([&](const RecordRef& record) { placed += built.Find(record.View()) != nullptr; });
  EXPECT_EQ(placed, 18957u);
  EXPECT_GT(built.size(), placed + 1500);
}

TEST(Importer, BadInputNamesFileAndLine) {
  const std::string good = "AT,8010,Graz,Steiermark,06,Graz Stadt,601,Graz,60101,0,0\n";
  const struct {
    std::string postcodes;
    std::string municipalities;
    const char* where;
  } cases[] = {
      {"8010;Graz\n", kMunicipalities, "plz.csv:1: weder die CSV-Liste"},
      {std::string(kHeader) + good + "AT,8010,Graz\n", kMunicipalities, "plz.csv:3: erwartet wurden 9 Spalten"},
      {std::string(kHeader) + good + "AT,8010,\"Graz,Steiermark,06\n", kMunicipalities, "plz.csv:3: Anführungszeichen"},
      {std::string(kHeader) + "AT,8010,Graz,Steiermark,10,Graz Stadt,601,Graz,60101,0,0\n", kMunicipalities,
       "plz.csv:2: unbekannter Bundesland-Code \"10\""},
      {std::string(kHeader) + "DE,8010,Graz,Steiermark,06,Graz Stadt,601,Graz,60101,0,0\n", kMunicipalities,
       "plz.csv:2: kein Ort in Österreich"},
      {"country_code,zipcode,place\n" + good, kMunicipalities, "plz.csv:1: der Kopfzeile fehlt die Spalte \"state_code\""},
      {std::string(kHeader) + good, "60101;Graz;60101;SR;8010;\n", "gem.csv: keine Kopfzeile"},
      {std::string(kHeader) + good, std::string(kMunicipalities) + "Quelle: Statistik Austria\n60102;X;1;;1;\n",
       "gem.csv:7: keine Gemeinde"},
  };
  for (const auto& c : cases) {
    try {
      Report report;
      Build(c.postcodes, report, c.municipalities);
      ADD_FAILURE() << "no error for " << c.where;
    } catch (const InputError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.where, 0), 0u) << e.what();
    }
  }
  // Title and notes around Statistik Austria's own file are no error.
  Report report;
  EXPECT_EQ(Build(std::string(kHeader) + good, report,
                  "Gemeindeliste sortiert nach Gemeindekennziffer\n" + std::string(kMunicipalities) +
                      "Quelle: Statistik Austria\n").size(), 1u);
}

TEST(Importer, TheRealListsGiveTheWholeGazetteer) {
  const auto sources = std::filesystem::path(VELDARIS_SOURCE_DIR) / "data" / "sources";
  Report report;
  const auto records = BuildGazetteer(
      ReadPostalCodes(test::ReadBytes(sources / "geonames_AT_zipcodes.at.csv"), "geonames"),
      ReadMunicipalities(test::ReadBytes(sources / "statistik_austria_gemliste_knz.csv"), "gemliste"),
      report);
  EXPECT_EQ(records.size(), 18957u);
  EXPECT_EQ(report.transliterated, 0u);
  std::size_t byName = 0, without = 0;
  for (const auto& c : report.statusByName) byName += c.records;
  for (const auto& c : report.withoutStatus) without += c.records;
  EXPECT_EQ(byName, 41u);
  EXPECT_EQ(without, 35u);

  // The shared file is a sample of the full one, in its order.
  const auto real = test::RealDataFile();
  if (!real) GTEST_SKIP() << "the real data file is not present beside the project";
  const std::string sample = test::ReadBytes(*real);
  std::size_t at = 0;
  std::size_t next = 0;
  std::size_t found = 0;
  while (at < sample.size()) {
    const std::size_t end = sample.find("\r\n", at) + 2;
    const std::string line = sample.substr(at, end - at);
    at = end;
    while (next < records.size() && FormatPlaceRecordLine(records[next]) != line) ++next;
    ASSERT_LT(next, records.size()) << "not in the import, or out of order: " << Windows1252ToUtf8(line);
    ++next;
    ++found;
  }
  EXPECT_EQ(found, 15102u);
}

// cities500 gives a place its own point only where one row of its municipality names it,
// and each municipality its centre.
TEST(Importer, TakesThePointsOfCities500ByNameWithinTheMunicipality) {
  const std::string postcodes = std::string(kHeader) +
                                "AT,8010,Graz,Steiermark,06,Graz Stadt,601,Graz,60101,47.0833,15.5417\n"
                                "AT,8020,\"Graz,05.Bez.:Gries\",Steiermark,06,Graz Stadt,601,Graz,60101,47.0833,15.5417\n"
                                "AT,8342,Gnas,Steiermark,06,Südoststeiermark,623,Gnas,61002,46.9,15.8\n"
                                "AT,8342,Aug,Steiermark,06,Südoststeiermark,623,Gnas,61002,46.9,15.8\n"
                                "AT,8330,Aug,Steiermark,06,Südoststeiermark,623,Feldbach,61003,46.9,15.8\n"
                                "AT,8413,Ungemein,Steiermark,06,Leibnitz,610,St. Georgen an der Stiefing,61001,46.8,15.5\n"
                                "AT,1020,\"Wien, Leopoldstadt\",Wien,09,Wien,900,Leopoldstadt,90201,48.2,16.4\n";
  const auto row = [](const char* name, const char* alternates, const char* latitude, const char* code,
                      const char* feature = "PPL", const char* admin1 = "06") {
    return std::string("1\t") + name + "\t" + name + "\t" + alternates + "\t" + latitude + "\t15.0\tP\t" + feature +
           "\tAT\t\t" + admin1 + "\t601\t" + code + "\t\t500\t\t300\tEurope/Vienna\t2020-01-01\n";
  };
  const std::string cities = row("Graz", "Gratz", "47.06667", "60101", "PPLA") + row("Gries", "", "47.0", "60101", "PPLX") +
                             row("Gnas", "", "46.5", "61002", "PPLA3") + row("Aug", "", "46.6", "61002") +
                             row("Aug", "", "46.7", "61002") + row("Aug", "", "46.8", "99999") +
                             row("Stiefing", "", "46.81", "61001", "PPLA3") +
                             row("Vienna", "Wien,Leopoldstadt", "48.2085", "", "PPLC", "09");
  Report report;
  std::vector<Coordinates> coordinates;
  std::vector<std::string> codes;
  const auto records = BuildGazetteer(ReadPostalCodes(postcodes, "plz.csv"), ReadMunicipalities(kMunicipalities, "gem.csv"),
                                      report, &coordinates, &codes);
  import::PointReport points;
  const auto centres = import::TakeCityPoints(import::ReadCities(cities, "c.tsv"), records, codes, coordinates, points);
  std::map<std::string, std::string> latitudes;
  for (std::size_t k = 0; k < records.size(); ++k)
    latitudes[Windows1252ToUtf8(TextOf(records[k].Place) + "/" + TextOf(records[k].Municipality))] = coordinates[k].latitude;
  EXPECT_EQ(latitudes, (std::map<std::string, std::string>{
                           {"Graz/Graz", "47.06667"},
                           {"Graz,05.Bez.:Gries/Graz", "47.0"},        // by a part of its name
                           {"Gnas/Gnas", "46.5"},
                           {"Aug/Gnas", "46.9"},                      // two rows of that name: neither
                           {"Aug/Feldbach", "46.9"},                  // a row of another municipality
                           {"Ungemein/St. Georgen an der Stiefing", "46.8"},
                           {"Wien, Leopoldstadt/Wien", "48.2"},       // not by the capital's other names
                       }));
  EXPECT_EQ(points.matched, 3u);
  EXPECT_EQ(points.moved, 3u);
  std::map<std::string, std::string> centre;
  for (const auto& [record, point] : centres) centre[Windows1252ToUtf8(TextOf(record.Place))] = point.latitude;
  // By the row of its name, or by its one seat.
  EXPECT_EQ(centre, (std::map<std::string, std::string>{{"Graz", "47.06667"},
                                                        {"Gnas", "46.5"},
                                                        {"St. Georgen an der Stiefing", "46.81"},
                                                        {"Wien", "48.2085"}}));
  EXPECT_THROW(import::ReadCities("1\tGraz\n", "c.tsv"), InputError);
}

// The places of the monarchy: cities500's rows of its lands, the register's German names
// given to the row close by that bears one of its names (either way round), a place the list
// lacks beside one of them; the rest dropped. The file finds every name by its fold.
TEST(Importer, MakesTheMonarchysPlacesFromCities500AndTheRegister) {
  const auto row = [](const char* name, const char* alternates, const char* latitude, const char* longitude,
                      const char* country, const char* admin1) {
    return std::string("1\t") + name + "\t" + name + "\t" + alternates + "\t" + latitude + "\t" + longitude +
           "\tP\tPPL\t" + country + "\t\t" + admin1 + "\t\t\t\t1000\t\t300\tEurope/Prague\t2020-01-01\n";
  };
  const std::string cities = row("Brno", "Bruenn", "49.19522", "16.60796", "CZ", "78") +
                             row("Cheb", "", "50.07963", "12.37392", "CZ", "81") +
                             row("Warsaw", "Warschau", "52.22977", "21.01178", "PL", "78") +  // not the monarchy's
                             row("Freistadt", "", "48.51103", "14.50453", "AT", "04");
  const std::string register_ =
      "Brünn,Brno,49.2,16.6\n"              // today's name: a name of the row close by
      "Eger,Cheb,50.08,12.37\n"
      "Cheb,Eger,50.08,12.37\n"              // the other way round
      "Kleindorf,Malá Ves,50.1,12.4\n"       // beside Cheb: a place of its own
      "Warschau,Warszawa,52.23,21.01\n"      // outside the monarchy
      "Freistadt,Freistadt,48.51,14.5\n"     // in Austria
      "Aalburg,Aalborg,57.05,9.92\n"         // nothing near
      "Nirgends,,,\n";                        // no point
  import::MonarchyReport report;
  const auto built = import::BuildMonarchyPlaces(
      {import::ReadCities(cities, "c.tsv"), import::ReadToponyms(register_, "r.csv"), {}, {}}, report);
  EXPECT_EQ(report.fromCities, 2u);
  EXPECT_EQ(report.matched, 2u);
  EXPECT_EQ(report.swapped, 1u);
  EXPECT_EQ(report.added, 1u);
  EXPECT_EQ(report.outside, 2u);
  EXPECT_EQ(report.inAustria, 1u);
  EXPECT_EQ(report.withoutPoint, 1u);
  std::string error;
  const std::string file = FormatMonarchyFile("Test", built.places, built.names);
  const MonarchyIndex index(file, error);
  EXPECT_EQ(error, "");
  const auto named = [&](const char* name, bool loose = false) {
    std::vector<std::string> places;
    for (std::uint32_t id : index.Find(loose ? places::FoldedName::OfUtf8(name).loose : places::FoldedKey(name),
                                       loose ? MonarchyNames::kLoose : MonarchyNames::kExact))
      places.push_back(std::string(index.place(id).name) + "/" + std::string(index.place(id).country) + "/" +
                       std::string(index.place(id).region));
    return places;
  };
  EXPECT_EQ(named("Brünn"), std::vector<std::string>{"Brno/CZ/78"});
  EXPECT_EQ(named("BRUENN"), std::vector<std::string>{"Brno/CZ/78"});
  EXPECT_EQ(named("Brunn", true), std::vector<std::string>{"Brno/CZ/78"});
  EXPECT_TRUE(named("Brunn").empty());
  EXPECT_EQ(named("Eger"), std::vector<std::string>{"Cheb/CZ/81"});
  EXPECT_EQ(named("Kleindorf"), std::vector<std::string>{"Malá Ves/CZ/81"});
  EXPECT_EQ(named("Mala Ves"), std::vector<std::string>{"Malá Ves/CZ/81"});
  EXPECT_TRUE(named("Warschau").empty());
  const auto [first, last] = index.Prefixed("br", MonarchyNames::kExact);
  EXPECT_EQ(last - first, 2u);  // "brno", "bruenn"
  // A file cut short, of another version, or with a place number out of range, is no file:
  // no places, and why.
  std::string broken = file;
  broken[7] = '\x01';
  std::string outOfRange = file;
  const std::size_t firstId = 40 + 40 * built.places.size();  // the header, the places: the first name's text
  outOfRange[firstId + 3] = '\xFF';  // its highest byte: far beyond the texts
  for (const std::string& damaged : {file.substr(0, file.size() - 1), broken, outOfRange, std::string("P\tBrno\n")}) {
    error.clear();
    const MonarchyIndex read(damaged, error);
    EXPECT_NE(error, "");
    EXPECT_TRUE(read.empty());
    EXPECT_TRUE(read.Find("brno").empty());
  }
}

// Who's On First's villages joined with the places of cities500 by their GeoNames id where it
// lies close by, with a place of their name beside them, or places of their own; a village
// whose id names a place far away keeps only its own name; Cyrillic names in Latin letters; each
// place in the crown land whose border holds it, and in the neighbour's by its border; a village
// in none dropped.
TEST(Importer, JoinsTheVillagesAndFindsTheirCrownLands) {
  const std::string cities =
      "3078610\tBrno\tBrno\tBruenn\t49.19522\t16.60796\tP\tPPLA\tCZ\t\t78\t\t\t\t379466\t\t300\tEurope/Prague\t2020-01-01\n";
  const auto wof = [](const std::string& rows) {
    import::WofReport ignored;
    return import::ReadWof("wof_id\tplacetype\tname\tname_deu\tname_pol\tname_ces\tname_hun\tname_ita\tname_slv\t"
                           "name_ukr\tlat\tlon\tpopulation\tregion\tcounty\tlocaladmin\tgn_id\tsuperseded_by\tis_current\n" +
                               rows,
                           "wof.tsv", ignored);
  };
  const auto row = [](const char* name, const char* german, const char* lat, const char* lon, const char* gn) {
    return std::string("1\tlocality\t") + name + "\t" + german + "\t\t\t\t\t\t\t" + lat + "\t" + lon +
           "\t\tJihomoravský\t\t\t" + gn + "\t\t1\n";
  };
  // Moravia west of 16.0°, Bohemia east of it (a square each), nothing north of 50°.
  const std::string lands = R"({"type": "FeatureCollection", "features": [
    {"type": "Feature", "properties": {"name": "Markgrafschaft Mähren"},
     "geometry": {"type": "Polygon", "coordinates": [[[16, 48], [18, 48], [18, 50], [16, 50], [16, 48]]]}},
    {"type": "Feature", "properties": {"name": "Königreich Böhmen"},
     "geometry": {"type": "Polygon", "coordinates": [[[14, 48], [16, 48], [16, 50], [14, 50], [14, 48]]]}}]})";
  import::MonarchySources sources{import::ReadCities(cities, "c.tsv"), {}, {}, import::ReadGeoJson(lands, "l.json", "name")};
  sources.villages.push_back({"CZ", wof(row("Brno", "Brünn (WOF)", "49.19", "16.61", "3078610") +
                                        row("Lhota", "Elhotten", "49.5", "17.0", "") +
                                        row("Lhota", "", "49.5", "17.01", "") +         // its twin, 0.7 km away
                                        row("Daleko", "Brünn", "49.9", "17.9", "3078610") +  // Brno's id, 120 km off
                                        row("Hranice", "", "49.5", "16.01", "") +       // by the border of Bohemia
                                        row("Venku", "Draussen", "50.5", "17.0", ""))});  // in no land
  sources.villages.push_back({"UA", wof(row("Берестяни", "", "49.6", "17.5", ""))});
  import::MonarchyReport report;
  const auto built = import::BuildMonarchyPlaces(sources, report);
  EXPECT_EQ(report.wofByGeonames, 1u);
  EXPECT_EQ(report.wofByName, 1u);
  EXPECT_EQ(report.wofFar, 1u);
  EXPECT_EQ(report.outsideLands, 1u);
  std::map<std::string, std::pair<std::string, std::vector<std::string>>> byName;
  for (std::size_t k = 0; k < built.places.size(); ++k)
    byName[built.places[k].name] = {built.places[k].lands, built.names[k]};
  EXPECT_EQ(byName.size(), 5u);  // Brno, Lhota, Daleko, Hranice, Berestiany
  const auto has = [&](const char* place, const char* name) {
    const auto& names = byName[place].second;
    return std::find(names.begin(), names.end(), name) != names.end();
  };
  EXPECT_TRUE(has("Brno", "Brünn (WOF)"));
  EXPECT_TRUE(has("Lhota", "Elhotten"));
  EXPECT_FALSE(has("Daleko", "Brünn"));
  EXPECT_EQ(byName["Brno"].first, "MOR");
  EXPECT_EQ(byName["Hranice"].first, "MOR BOH");
  EXPECT_EQ(byName["Berestiany"].first, "MOR");
  EXPECT_EQ(byName.count("Venku"), 0u);
}

TEST(Importer, AFailureLeavesTheOutputAsItWas) {
  test::TempDir dir;
  test::WriteBytes(dir / "plz.csv", std::string(kHeader) + "AT,8010,Graz,Steiermark,06\n");
  test::WriteBytes(dir / "gem.csv", kMunicipalities);
  test::WriteBytes(dir / "orte-7sp.ort", "old");
  const auto out = test::RunProgram(VELDARIS_IMPORTER, {"plz.csv", "gem.csv"}, dir.path());
  EXPECT_EQ(out.exitCode, 2);
  EXPECT_NE(out.stderrText.find("plz.csv:2:"), std::string::npos) << out.stderrText;
  EXPECT_EQ(test::ReadBytes(dir / "orte-7sp.ort"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
}

}  // namespace
}  // namespace veldaris

namespace veldaris {
namespace {

// Every point of the built gazetteer lies in its municipality (in Vienna, its district), or
// within 500 m of its border; every part of a city in the place that holds it.
TEST(Importer, EveryPointOfTheBuiltGazetteerLiesInItsMunicipality) {
  const auto borders = import::ReadTopoJson(test::ReadBytes(VELDARIS_SOURCE_DIR "/data/sources/at-gemeinden-2021.topo.json"), "grenzen");
  const import::ShapeIndex index(borders);
  // The codes of the municipalities, from the postal codes the gazetteer is made of.
  Report report;
  std::vector<Coordinates> built;
  std::vector<std::string> codes;
  const std::string postcodes = test::ReadBytes(VELDARIS_SOURCE_DIR "/data/sources/geonames_AT_zipcodes.at.csv");
  const auto records = BuildGazetteer(ReadPostalCodes(postcodes, "plz"),
                                      ReadMunicipalities(test::ReadBytes(VELDARIS_SOURCE_DIR "/data/sources/statistik_austria_gemliste_knz.csv"), "gem"),
                                      report, &built, &codes);
  std::vector<std::size_t> bad;
  const CoordinatesIndex coordinates(test::ReadBytes(CoordinatesFileOf(test::Gazetteer())), bad);
  ASSERT_TRUE(bad.empty());
  std::size_t checked = 0;
  for (std::size_t k = 0; k < records.size(); ++k) {
    const import::Shape* border = import::BorderOf(index, records[k], codes[k]);
    const Coordinates* c = coordinates.Find(ViewOf(records[k]));
    if (!border || !c) continue;
    const import::GeoPoint p{DegreesOf(c->longitude, 180).value(), DegreesOf(c->latitude, 90).value()};
    ++checked;
    EXPECT_TRUE(border->Contains(p) || border->BorderDistanceKm(p) <= 0.5)
        << TextOf(records[k].Place) << ", " << TextOf(records[k].Municipality) << ": " << c->latitude << " " << c->longitude;
  }
  EXPECT_GT(checked, 18000u);
  const auto parts = ReadCityParts(test::ReadBytes(CityPartsFileOf(test::Gazetteer())), bad);
  ASSERT_TRUE(bad.empty());
  EXPECT_GT(parts.size(), 250u);
  // The border of the place that holds a part: its record's, or its municipality's.
  std::map<std::string, const import::Shape*> borderOf;
  for (std::size_t k = 0; k < records.size(); ++k) {
    const import::Shape* border = import::BorderOf(index, records[k], codes[k]);
    borderOf.emplace(Windows1252ToUtf8(TextOf(records[k].Place)) + "|" + Windows1252ToUtf8(TextOf(records[k].Municipality)), border);
    borderOf.emplace(Windows1252ToUtf8(TextOf(records[k].Municipality)) + "|" + Windows1252ToUtf8(TextOf(records[k].Municipality)),
                     index.Find(codes[k]));
  }
  for (const CityPart& part : parts) {
    const import::GeoPoint p{DegreesOf(part.point.longitude, 180).value(), DegreesOf(part.point.latitude, 90).value()};
    const auto at = borderOf.find(part.place[0] + "|" + part.place[1]);
    ASSERT_NE(at, borderOf.end()) << part.name << ": " << part.place[0];
    ASSERT_TRUE(at->second) << part.name << ": " << part.place[0];
    EXPECT_TRUE(at->second->Contains(p)) << part.name << " in " << part.place[0];
  }
}

}  // namespace
// The map's borders, each drawn once: the arc two states share is one state border, the others
// Austria's border; of the countries' arcs, those Austria uses give way to Austria's own.
TEST(ImporterMap, DrawsEachBorderOnce) {
  // Two squares side by side, sharing the arc at 15° E; the same as Austria and a neighbour.
  const std::string topology = R"({"type":"Topology","objects":{"o":{"type":"GeometryCollection","geometries":[
      {"type":"Polygon","arcs":[[0,1]],"properties":{"iso":"ISO1","name":"West"}},
      {"type":"Polygon","arcs":[[-1,2]],"properties":{"iso":"ISO2","name":"East"}}]}},
      "arcs":[[[15,47],[15,48]],[[15,48],[14,48],[14,47],[15,47]],[[15,47],[16,47],[16,48],[15,48]]]})";
  const auto with = [&](const char* west, const char* east) {
    std::string text = topology;
    text.replace(text.find("ISO1"), 4, west);
    text.replace(text.find("ISO2"), 4, east);
    return import::ReadTopology(text, "test.topo.json");
  };
  const import::Topology states = with("3", "4"), countries = with("040", "276");
  import::Shape land;
  land.name = "Königreich Böhmen";
  land.polygons = {{{{14, 48}, {16, 48}, {16, 49}, {14, 49}, {14, 48}}}};
  land.west = 14, land.east = 16, land.south = 48, land.north = 49;
  import::MapReport report;
  const std::vector<places::MapShape> map = import::MakeMap(states, countries, {land}, report);
  std::map<places::MapLayer, std::vector<std::size_t>> parts;  // each layer's parts, by their points
  for (const places::MapShape& s : map)
    for (std::uint32_t n : s.parts) parts[s.layer].push_back(n);
  EXPECT_EQ(parts[places::MapLayer::kCountries], (std::vector<std::size_t>{5, 5}));
  EXPECT_EQ(parts[places::MapLayer::kStates], (std::vector<std::size_t>{5, 5}));
  EXPECT_EQ(parts[places::MapLayer::kStateBorders], (std::vector<std::size_t>{2}));        // the shared arc, once
  EXPECT_EQ(parts[places::MapLayer::kAustriaBorder], (std::vector<std::size_t>{4, 4}));    // the others
  EXPECT_EQ(parts[places::MapLayer::kBorders], (std::vector<std::size_t>{4}));  // the neighbour's own, not Austria's
  const auto lands = std::find_if(map.begin(), map.end(), [](const places::MapShape& s) {
    return s.layer == places::MapLayer::kLands1910;
  });
  ASSERT_NE(lands, map.end());
  EXPECT_EQ(lands->name, "Böhmen");
  EXPECT_TRUE(lands->label.x > lands->low.x && lands->label.x < lands->high.x && lands->label.y > lands->low.y &&
              lands->label.y < lands->high.y);
  EXPECT_EQ(report.states, 2u);
  EXPECT_EQ(report.lands, 1u);
}

}  // namespace veldaris
