// veldaris-import: makes the data file orte-7sp.ort from GeoNames' postal codes of Austria
// and Statistik Austria's list of municipalities. See --help.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/input_file.h"
#include "core/output_file.h"
#include "core/text1252.h"
#include "places/coordinates.h"
#include "places/city_parts.h"
#include "places/map.h"
#include "places/world.h"
#include "tools/import/borders.h"
#include "tools/import/cities.h"
#include "tools/import/city_parts.h"
#include "tools/import/gazetteer.h"
#include "tools/import/map_file.h"
#include "tools/import/monarchy_places.h"
#include "tools/import/points.h"
#include "tools/import/wof.h"
#include "core/numbers.h"
#include "places/monarchy.h"
#include "places/names.h"

namespace {

using namespace veldaris;
using namespace veldaris::places;

constexpr const char* kHelp = R"(Aufruf: veldaris-import [--ausgabe DATEI] [--staedte STAEDTE [--namen NAMEN] [--welt WELT]
                        [--doerfer WOF-LAND]... [--kronlaender ORDNER]]
                       [--ortsteile WOF --grenzen GRENZEN [--vorstaedte VORSTAEDTE]]
                       POSTLEITZAHLEN GEMEINDELISTE

Macht aus zwei offenen Datenlisten die Ortsdatei von Veldaris (orte-7sp.ort):

  POSTLEITZAHLEN  GeoNames' Postleitzahlen für Österreich: die CSV-Liste mit Kopfzeile
                  (country_code,zipcode,place,state,state_code,province,...) oder GeoNames'
                  eigene Liste AT.txt (mit Tabulatoren, ohne Kopfzeile, dieselben Spalten),
                  aus https://download.geonames.org/export/zip/AT.zip
  GEMEINDELISTE   Statistik Austrias "Gemeindeliste sortiert nach Gemeindekennziffer"
                  (gemliste_knz.csv, durch Strichpunkte getrennt)

  --ausgabe DATEI die Ortsdatei, die geschrieben wird (sonst orte-7sp.ort im aktuellen
                  Ordner); eine vorhandene Datei wird erst ersetzt, wenn die neue fertig ist.
                  Daneben die Koordinaten der Orte (orte-7sp.koordinaten: Ort, Gemeinde,
                  Bezirk, Bundesland, PLZ, Breite, Länge, durch Tabulatoren getrennt)
  --staedte DATEI GeoNames' cities500 (Orte ab 500 Einwohnern, mit Tabulatoren, ohne
                  Kopfzeile) oder der Auszug daraus in data/sources: ein Ort, den die
                  Liste in seiner Gemeinde beim Namen nennt, bekommt ihre Koordinaten
                  statt der seines Postleitzahlgebiets, jede Gemeinde ihren Mittelpunkt
                  (eine Zeile ohne PLZ, mit der Gemeinde als Ort); und aus ihren Orten in
                  den Ländern der alten Monarchie außerhalb Österreichs die Datei daneben
                  (orte-7sp.monarchie), für veldaris-ort
  --namen DATEI   dazu deutsche Ortsnamen (Adrien Barbaresis Register, rang3-staedte.csv:
                  deutsche Namen, heutige Namen, Breite, Länge): ihre Namen kommen zum Ort
                  von cities500 in der Nähe, der einen davon trägt; ein Ort, den cities500
                  nicht kennt, kommt dazu, wo er neben einem Ort der Monarchie liegt
  --doerfer DATEI Who's On Firsts Orte eines Nachfolgestaats der Monarchie (eine Tabelle
                  wie data/sources/wof-cz.tsv; mehrmals, ein Staat je Datei): ein Dorf mit
                  der GeoNames-Nummer eines Orts von cities500 in der Nähe oder mit dem
                  Namen eines Orts daneben gibt ihm seine Namen, jedes andere wird ein Ort
                  von orte-7sp.monarchie, mit Region und Kreis
  --kronlaender ORDNER  die Kronländer von 1910 (eine GeoJSON-Datei je Land, mit der
                  Eigenschaft "name", wie data/sources/histogis-1910): jeder Ort der
                  Monarchie bekommt das Land, das seinen Punkt hält; ein Dorf, das in
                  keinem liegt, fällt weg
  --karte-laender DATEI  die Grenzen der Bundesländer 2021 (TopoJSON): mit den Kronländern
                  und --karte-nachbarn die Karte der Orte eines Stammbaums (orte-7sp.karte)
  --karte-nachbarn DATEI  die Staaten um Österreich (Natural Earth, TopoJSON, der Auszug in
                  data/sources)
  --welt DATEI    die Orte ab 500 Einwohnern der anderen Staaten (Name, ASCII-Name, Staat,
                  Einwohner; der Auszug in data/sources): ihre Namen in der Datei daneben
                  (orte-7sp.welt), damit ein Name allein nicht für einen österreichischen Ort
                  genommen wird, den es auch anderswo gibt
  --ortsteile DATEI  Who's On Firsts Orte Österreichs (die Tabelle in data/sources): die
                  Viertel Wiens und der Städte werden Ortsteile (orte-7sp.ortsteile), und
                  ein Ort, dessen Punkt außerhalb seiner Gemeinde liegt, bekommt den Punkt
                  seines Namens in ihr
  --grenzen DATEI die Grenzen der Gemeinden 2021 (TopoJSON, Eigenschaft "iso" die
                  Gemeindekennziffer): jeder Punkt wird in seiner Gemeinde geprüft, jeder
                  Ortsteil dem Bezirk oder der Gemeinde zugeordnet, die ihn hält
  --vorstaedte DATEI  Wiens Vorstädte, die Who's On First fehlen (name, bezirk, breite,
                  laenge, quelle; mit Kopfzeile, Tabulatoren): jeder Punkt muss in seinem
                  Bezirk liegen
  --help          diese Hilfe

Jeder Eintrag der Postleitzahlen wird ein Ort: Ort, Gemeinde, Bezirk (ohne "Politischer
Bezirk "), Bundesland und Postleitzahl. Wien ist eine Gemeinde im Bezirk Wien. Stadt- und
Marktgemeinden ("s", "m") kommen aus der Gemeindeliste, über die Gemeindekennziffer oder,
wo sie dort fehlt, über den gleichen Namen im gleichen Bundesland. Die Datei ist
Windows-1252 mit CR LF, nach Bundesland, Bezirk, Gemeinde, Ort und Postleitzahl geordnet.

Daten: © GeoNames (www.geonames.org), CC BY 4.0 (auch cities500); Gemeindestatus: Statistik
Austria, CC BY 4.0; Dörfer: Data from Who's On First; Kronländer 1910: HistoGIS (ACDH-CH,
ÖAW), CC BY 4.0.
Fehlerhafte Eingaben werden mit Datei und Zeile gemeldet (Rückgabewert 2); dann bleibt die
Ausgabe, wie sie war.
)";

int Fail(const std::string& message) {
  std::fprintf(stderr, "veldaris-import: %s\n", message.c_str());
  return 2;
}

std::string Plural(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

void PrintReport(const import::Report& report, const std::string& output) {
  std::printf("veldaris-import: %zu Orte nach %s geschrieben (%zu Einträge gelesen)\n",
              report.records, output.c_str(), report.rows);
  std::string perState;
  for (std::size_t k = 0; k < report.perState.size(); ++k)
    perState += (k ? ", " : "") + Windows1252ToUtf8(import::StateOrder()[k]) + " " +
                std::to_string(report.perState[k]);
  std::printf("  je Bundesland: %s\n", perState.c_str());
  std::printf("  doppelte Einträge ausgelassen: %zu\n", report.duplicates);
  std::string shown;
  for (const auto& t : report.transliterations) shown += (shown.empty() ? " (" : ", ") + t;
  std::printf("  Zeichen außerhalb von Windows-1252 umgeschrieben: %zu%s\n", report.transliterated,
              shown.empty() ? "" : (shown + ")").c_str());
  std::printf("  Anführungszeichen oder Zeilenumbrüche ersetzt: %zu\n", report.quotesOrBreaksReplaced);
  const auto list = [](const std::vector<import::Report::Counted>& counted) {
    std::size_t records = 0;
    std::string names;
    for (const auto& c : counted) {
      records += c.records;
      names += (names.empty() ? "" : ", ") + c.name + " " + c.code + " (" + std::to_string(c.records) + ")";
    }
    return Plural(counted.size(), "Gemeinde", "Gemeinden") + ", " + Plural(records, "Ort", "Orte") +
           (names.empty() ? "" : ": " + names);
  };
  std::printf("  Gemeindestatus über den Namen gefunden: %s\n", list(report.statusByName).c_str());
  std::printf("  Gemeinden ohne Status (fehlen in der Gemeindeliste): %s\n", list(report.withoutStatus).c_str());
}


// The files the importer reads, by their options.
struct Inputs {
  std::string output = "orte-7sp.ort";
  std::string cities, toponyms, world, wof, borders, suburbs, lands, mapStates, mapCountries;
  std::vector<std::string> villages;  // Who's On First's tables of the successor states, wof-XX.tsv
  std::vector<std::string> files;     // POSTLEITZAHLEN GEMEINDELISTE
};

// The options that name a file, and where each goes.
std::string* OptionFile(Inputs& in, std::string_view option) {
  if (option == "--ausgabe") return &in.output;
  if (option == "--staedte") return &in.cities;
  if (option == "--namen") return &in.toponyms;
  if (option == "--welt") return &in.world;
  if (option == "--ortsteile") return &in.wof;
  if (option == "--grenzen") return &in.borders;
  if (option == "--vorstaedte") return &in.suburbs;
  if (option == "--kronlaender") return &in.lands;
  if (option == "--doerfer") return &in.villages.emplace_back();
  if (option == "--karte-laender") return &in.mapStates;
  if (option == "--karte-nachbarn") return &in.mapCountries;
  return nullptr;
}

std::string Read(const std::string& file) { return ReadWholeFile(file, file); }

void PrintPoints(const import::PointCheck& p) {
  std::printf("  Punkte in den Gemeindegrenzen 2021 geprüft: %zu (%zu Orte von Gemeinden ohne Grenze); %zu lagen "
              "mehr als 500 m außerhalb; %zu Punkte neu (%zu aus cities500, %zu aus Who's On First, %zu "
              "Gemeindemitten); Orte mit einem Punkt, den zwei oder mehr andere teilen: %zu vorher, %zu nachher\n",
              p.checked, p.withoutBorder, p.outside, p.moved, p.fromCities, p.fromWof, p.centres, p.sharedBefore,
              p.sharedAfter);
}

// A table of Who's On First names its country: "wof-cz.tsv" is Czechia's.
std::string CountryOfTable(const std::string& file) {
  const std::string name = std::filesystem::path(file).filename().string();
  if (name.size() < 6 || !name.starts_with("wof-") || name[6] != '.')
    throw import::InputError(file, 0, "der Name sagt nicht, welches Landes Orte die Tabelle hält (wof-XX.tsv)");
  std::string country = name.substr(4, 2);
  for (char& c : country) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return country;
}

// The borders of the crown lands: every GeoJSON file of the folder, by its name.
std::vector<import::Shape> ReadLands(const std::string& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    if (entry.path().extension() == ".geojson") files.push_back(entry.path());
  if (ec || files.empty()) throw import::InputError(folder, 0, "kein Ordner mit GeoJSON-Dateien der Kronländer");
  std::sort(files.begin(), files.end());
  std::vector<import::Shape> lands;
  for (const auto& file : files)
    for (import::Shape& shape : import::ReadGeoJson(Read(file.string()), file.string(), "name")) lands.push_back(std::move(shape));
  for (const places::CrownLand& land : places::CrownLands())
    if (std::none_of(lands.begin(), lands.end(), [&](const import::Shape& s) { return s.name == land.border; }))
      throw import::InputError(folder, 0, "die Grenze von " + std::string(land.border) + " fehlt");
  return lands;
}

int Import(const Inputs& in) {
  const auto rows = import::ReadPostalCodes(Read(in.files[0]), in.files[0]);
  const auto municipalities = import::ReadMunicipalities(Read(in.files[1]), in.files[1]);
  import::Report report;
  std::vector<Coordinates> coordinates;
  std::vector<std::string> codes;
  const std::vector<PlaceRecord> records = import::BuildGazetteer(rows, municipalities, report, &coordinates, &codes);
  import::PointReport points;
  std::vector<std::pair<PlaceRecord, Coordinates>> centres;
  std::vector<import::CityRow> cityRows;
  if (!in.cities.empty()) {
    cityRows = import::ReadCities(Read(in.cities), in.cities);
    centres = import::TakeCityPoints(cityRows, records, codes, coordinates, points);
  }
  import::WofReport wofReport;
  const std::vector<import::WofRow> wof = in.wof.empty() ? std::vector<import::WofRow>{}
                                                         : import::ReadWof(Read(in.wof), in.wof, wofReport);
  const std::vector<import::Shape> borders =
      in.borders.empty() ? std::vector<import::Shape>{} : import::ReadTopoJson(Read(in.borders), in.borders);
  import::PointCheck check;
  if (!borders.empty()) import::CheckPoints(records, codes, coordinates, centres, borders, cityRows, wof, check);
  import::CityPartsReport partsReport;
  std::vector<places::CityPart> parts;
  if (!borders.empty() && !wof.empty())
    parts = import::BuildCityParts(wof, in.suburbs.empty() ? std::vector<import::OwnCityPart>{}
                                                           : import::ReadOwnCityParts(Read(in.suburbs), in.suburbs),
                                   borders, records, codes, coordinates, in.suburbs, partsReport);
  import::MonarchyReport monarchy;
  import::MonarchySources sources{cityRows, {}, {}, {}};
  if (!in.toponyms.empty()) sources.toponyms = import::ReadToponyms(Read(in.toponyms), in.toponyms);
  for (const std::string& file : in.villages) {
    import::WofReport ignored;
    sources.villages.push_back({CountryOfTable(file), import::ReadWof(Read(file), file, ignored)});
  }
  if (!in.lands.empty()) sources.lands = ReadLands(in.lands);
  const import::MonarchyPlaces monarchyPlaces = import::BuildMonarchyPlaces(sources, monarchy);
  import::MapReport mapReport;
  std::string map;
  if (!in.mapStates.empty())
    map = places::MapData::Format(import::MakeMap(import::ReadTopology(Read(in.mapStates), in.mapStates),
                                                  in.mapCountries.empty()
                                                      ? import::Topology{}
                                                      : import::ReadTopology(Read(in.mapCountries), in.mapCountries),
                                                  sources.lands, mapReport));

  const std::filesystem::path dataFile(in.output);
  const std::filesystem::path coordinatesFile = CoordinatesFileOf(dataFile);
  OutputFile out(dataFile, in.output);
  OutputFile beside(coordinatesFile, coordinatesFile.string());
  beside.Write(Cp1252("# Breite und Länge der Orte von ") + dataFile.filename().string() +
               Cp1252(" in Grad (WGS 84), aus den Daten von GeoNames (www.geonames.org), CC BY 4.0,\r\n"
                      "# geprüft in den Grenzen der Gemeinden 2021 (Flooh Perlot nach Statistik Austria, CC BY 4.0), mit\r\n"
                      "# Punkten von Who's On First (whosonfirst.org)\r\n"
                      "# Ort, Gemeinde, Bezirk, Bundesland, PLZ, Breite, Länge; durch Tabulatoren getrennt;\r\n"
                      "# ohne PLZ: der Mittelpunkt einer Gemeinde\r\n"));
  std::size_t placed = 0;
  for (std::size_t k = 0; k < records.size(); ++k) {
    WritePlaceRecord(out, records[k]);
    if (!GedcomLatitude(coordinates[k].latitude) || !GedcomLongitude(coordinates[k].longitude)) continue;
    beside.Write(FormatCoordinatesLine(records[k], coordinates[k]));
    ++placed;
  }
  for (const auto& [centre, point] : centres) beside.Write(FormatCoordinatesLine(centre, point));
  // The files beside it that the sources given make.
  std::vector<std::pair<std::filesystem::path, std::string>> more;
  if (!in.cities.empty())
    more.emplace_back(MonarchyFileOf(dataFile),
                      FormatMonarchyFile(
                          "Die Orte der Länder der alten Monarchie außerhalb des heutigen Österreich, für veldaris-ort.\n"
                          "Orte und Koordinaten: © GeoNames (www.geonames.org), cities500, CC BY 4.0; Dörfer: Data from\n"
                          "Who's On First (whosonfirst.org). Deutsche Namen: Adrien Barbaresi, toponyms registers\n"
                          "(rang3-staedte), CC BY-SA 4.0. Kronländer 1910: HistoGIS (ACDH-CH, ÖAW), CC BY 4.0.",
                          monarchyPlaces.places, monarchyPlaces.names));
  if (!parts.empty())
    more.emplace_back(places::CityPartsFileOf(dataFile),
                      places::FormatCityParts(
                          "Die Teile der Städte (Wiens Vorstädte und Vororte, die Viertel der anderen), für veldaris-ort.\n"
                          "Namen und Punkte: Who's On First (whosonfirst.org, CC0 und die Lizenzen seiner Quellen), und die\n"
                          "Tabelle der Vorstädte von Veldaris; der Ort, der sie heute hält, aus den Grenzen der Gemeinden und\n"
                          "Wiener Bezirke 2021 (Flooh Perlot nach Statistik Austria, CC BY 4.0).\n"
                          "Name, Ort, Gemeinde, Bezirk, Bundesland, Breite, Länge",
                          parts));
  if (!in.world.empty())
    more.emplace_back(places::WorldNamesFileOf(dataFile),
                      places::FormatWorldNames(
                          "Die Orte ab 500 Einwohnern außerhalb der Länder der alten Monarchie, nach ihren Namen, für\n"
                          "veldaris-ort: GeoNames (www.geonames.org), cities500, CC BY 4.0.\n"
                          "Name (gefaltet), der Ort dieses Namens mit den meisten Einwohnern, seine Einwohner",
                          import::WorldPlaces(Read(in.world), in.world, cityRows)));
  if (!map.empty()) more.emplace_back(places::MapFileOf(dataFile), map);
  std::deque<OutputFile> files;  // OutputFile stays where it is made
  for (const auto& [path, text] : more) {
    files.emplace_back(path, path.string());
    files.back().Write(text);
  }
  beside.Close();
  for (OutputFile& file : files) file.Close();
  out.Close();

  PrintReport(report, in.output);
  std::printf("  Koordinaten: %zu Orte, in %s\n", placed, coordinatesFile.string().c_str());
  if (!in.cities.empty())
    std::printf("  aus cities500: %zu Orte mit eigenem Punkt, davon %zu verschoben (Median %s km, 90 %% bis "
                "%s km, am weitesten %s: %s km); %zu Gemeinden mit ihrem Mittelpunkt\n",
                points.matched, points.moved, Fixed(points.medianKm, 1).c_str(), Fixed(points.ninetiethKm, 1).c_str(),
                points.largest.c_str(), Fixed(points.largestKm, 1).c_str(), points.municipalities);
  if (!borders.empty()) PrintPoints(check);
  if (!in.wof.empty())
    std::printf("  Who's On First: %zu Zeilen, %zu Namen berichtigt, %zu doppelte ausgelassen, %zu ohne Namen\n",
                wofReport.rows, wofReport.renamed, wofReport.dropped, wofReport.withoutName);
  if (!parts.empty())
    std::printf("  Ortsteile: %zu (%zu aus der Tabelle der Vorstädte), in %s; von %zu Vierteln ausgelassen: %zu "
                "Bahnhöfe, Brücken und Bauten, %zu Orte der Ortsdatei, %zu außerhalb der Städte, %zu in keiner Gemeinde\n",
                partsReport.parts, partsReport.own, places::CityPartsFileOf(dataFile).string().c_str(),
                partsReport.neighbourhoods, partsReport.landmarks, partsReport.known, partsReport.elsewhere,
                partsReport.outside);
  if (!in.cities.empty())
    std::printf("  Monarchie: %zu Orte (%zu aus cities500), in %s; deutsche Namen: %zu Zeilen, %zu zu Orten "
                "(%zu davon mit vertauschten Spalten), %zu Orte dazu; ausgelassen: %zu in Österreich, %zu "
                "außerhalb der Monarchie, %zu ohne Koordinaten\n",
                monarchy.places, monarchy.fromCities, MonarchyFileOf(dataFile).string().c_str(), monarchy.rows,
                monarchy.matched + monarchy.swapped, monarchy.swapped, monarchy.added, monarchy.inAustria,
                monarchy.outside, monarchy.withoutPoint);
  if (!in.villages.empty())
    std::printf("  Dörfer von Who's On First: %zu Orte und Ortsteile, %zu zu Orten von cities500 (über die GeoNames-Nummer), "
                "%zu zu Orten gleichen Namens daneben, %zu neu; %zu mit der Nummer eines fernen Ortes (nur ihr Name)\n",
                monarchy.wofRows, monarchy.wofByGeonames, monarchy.wofByName, monarchy.fromWof, monarchy.wofFar);
  if (!in.lands.empty())
    std::printf("  Kronländer 1910: %zu Orte in einem (%zu davon auch an der Grenze eines zweiten); %zu Dörfer und Orte "
                "der Namensliste außerhalb ausgelassen\n",
                monarchy.inLands, monarchy.onBorders, monarchy.outsideLands);
  if (!map.empty())
    std::printf("  Karte: %zu Bundesländer, %zu Staaten, %zu Kronländer; %zu von %zu Punkten, %zu Bytes, in %s\n",
                mapReport.states, mapReport.countries, mapReport.lands, mapReport.pointsAfter, mapReport.pointsBefore,
                map.size(), places::MapFileOf(dataFile).string().c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Inputs in;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kHelp, stdout);
      return 0;
    }
    const std::size_t equals = arg.find('=');
    if (std::string* file = OptionFile(in, arg.substr(0, equals))) {
      if (equals != std::string::npos) *file = arg.substr(equals + 1);
      else if (++i < argc) *file = argv[i];
      else return Fail(arg + " braucht einen Dateinamen");
    } else if (arg.starts_with("-") && arg != "-") {
      return Fail("unbekannte Option " + arg + " (siehe --help)");
    } else {
      in.files.push_back(arg);
    }
  }
  if (in.files.size() != 2) return Fail("erwartet werden zwei Dateien: POSTLEITZAHLEN GEMEINDELISTE (siehe --help)");
  if (!in.toponyms.empty() && in.cities.empty()) return Fail("--namen nur mit --staedte");
  if (!in.world.empty() && in.cities.empty()) return Fail("--welt nur mit --staedte");
  if (!in.suburbs.empty() && (in.wof.empty() || in.borders.empty()))
    return Fail("--vorstaedte nur mit --ortsteile und --grenzen");
  try {
    return Import(in);
  } catch (const import::InputError& error) {
    return Fail(error.what());
  } catch (const SystemError& error) {
    return Fail(error.File() + ": " + Windows1252ToUtf8(error.Description()));
  }
}
