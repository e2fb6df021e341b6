// veldaris-import: makes the data file orte-7sp.ort from GeoNames' postal codes of Austria
// and Statistik Austria's list of municipalities. See --help.
#include <cstdio>
#include <cstring>
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
#include "tools/import/cities.h"
#include "tools/import/gazetteer.h"
#include "tools/import/monarchy_places.h"
#include "places/monarchy.h"
#include "core/numbers.h"

namespace {

using namespace veldaris;
using namespace veldaris::places;

constexpr const char* kHelp = R"(Aufruf: veldaris-import [--ausgabe DATEI] [--staedte STAEDTE [--namen NAMEN]]
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
  --help          diese Hilfe

Jeder Eintrag der Postleitzahlen wird ein Ort: Ort, Gemeinde, Bezirk (ohne "Politischer
Bezirk "), Bundesland und Postleitzahl. Wien ist eine Gemeinde im Bezirk Wien. Stadt- und
Marktgemeinden ("s", "m") kommen aus der Gemeindeliste, über die Gemeindekennziffer oder,
wo sie dort fehlt, über den gleichen Namen im gleichen Bundesland. Die Datei ist
Windows-1252 mit CR LF, nach Bundesland, Bezirk, Gemeinde, Ort und Postleitzahl geordnet.

Daten: © GeoNames (www.geonames.org), CC BY 4.0 (auch cities500); Gemeindestatus: Statistik
Austria, CC BY 4.0.
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

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> inputs;
  std::string output = "orte-7sp.ort";
  std::string cities;
  std::string toponyms;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (arg == "--ausgabe") {
      if (++i == argc) return Fail("--ausgabe braucht einen Dateinamen");
      output = argv[i];
    } else if (arg.starts_with("--ausgabe=")) {
      output = arg.substr(std::strlen("--ausgabe="));
    } else if (arg == "--staedte") {
      if (++i == argc) return Fail("--staedte braucht einen Dateinamen");
      cities = argv[i];
    } else if (arg == "--namen") {
      if (++i == argc) return Fail("--namen braucht einen Dateinamen");
      toponyms = argv[i];
    } else if (arg.starts_with("-") && arg != "-") {
      return Fail("unbekannte Option " + arg + " (siehe --help)");
    } else {
      inputs.push_back(arg);
    }
  }
  if (inputs.size() != 2) return Fail("erwartet werden zwei Dateien: POSTLEITZAHLEN GEMEINDELISTE (siehe --help)");
  if (!toponyms.empty() && cities.empty()) return Fail("--namen nur mit --staedte");
  try {
    const auto rows = import::ReadPostalCodes(ReadWholeFile(inputs[0], inputs[0]), inputs[0]);
    const auto municipalities = import::ReadMunicipalities(ReadWholeFile(inputs[1], inputs[1]), inputs[1]);
    import::Report report;
    std::vector<Coordinates> coordinates;
    std::vector<std::string> codes;
    const std::vector<PlaceRecord> records = import::BuildGazetteer(rows, municipalities, report, &coordinates, &codes);
    import::PointReport points;
    std::vector<std::pair<PlaceRecord, Coordinates>> centres;
    std::vector<import::CityRow> cityRows;
    if (!cities.empty()) {
      cityRows = import::ReadCities(ReadWholeFile(cities, cities), cities);
      centres = import::TakeCityPoints(cityRows, records, codes, coordinates, points);
    }
    import::MonarchyReport monarchy;
    const import::MonarchyPlaces monarchyPlaces = import::BuildMonarchyPlaces(
        cityRows, toponyms.empty() ? std::vector<import::ToponymRow>{} : import::ReadToponyms(ReadWholeFile(toponyms, toponyms), toponyms),
        monarchy);
    const std::filesystem::path dataFile(output);
    const std::filesystem::path coordinatesFile = CoordinatesFileOf(dataFile);
    OutputFile out(dataFile, output);
    OutputFile beside(coordinatesFile, coordinatesFile.string());
    beside.Write(Cp1252("# Breite und Länge der Orte von ") + dataFile.filename().string() +
                 Cp1252(" in Grad (WGS 84), aus den Daten von GeoNames (www.geonames.org), CC BY 4.0\r\n"
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
    std::optional<OutputFile> lands;
    const std::filesystem::path monarchyFile = MonarchyFileOf(dataFile);
    if (!cities.empty()) {
      lands.emplace(monarchyFile, monarchyFile.string());
      lands->Write(FormatMonarchyFile(
          "Die Orte der Länder der alten Monarchie außerhalb des heutigen Österreich, für veldaris-ort.\n"
          "Orte und Koordinaten: © GeoNames (www.geonames.org), cities500, CC BY 4.0.\n"
          "Deutsche Namen: Adrien Barbaresi, toponyms registers (rang3-staedte), CC BY-SA 4.0.\n"
          "P: heutiger Name, Land, Region, Breite, Länge, Einwohner; N und L: Name, Orte (L ohne Umlaute)",
          monarchyPlaces.places, monarchyPlaces.names));
    }
    beside.Close();
    if (lands) lands->Close();
    out.Close();
    PrintReport(report, output);
    std::printf("  Koordinaten: %zu Orte, in %s\n", placed, coordinatesFile.string().c_str());
    if (!cities.empty())
      std::printf("  aus cities500: %zu Orte mit eigenem Punkt, davon %zu verschoben (Median %s km, 90 %% bis "
                  "%s km, am weitesten %s: %s km); %zu Gemeinden mit ihrem Mittelpunkt\n",
                  points.matched, points.moved, Fixed(points.medianKm, 1).c_str(), Fixed(points.ninetiethKm, 1).c_str(),
                  points.largest.c_str(), Fixed(points.largestKm, 1).c_str(), points.municipalities);
    if (lands)
      std::printf("  Monarchie: %zu Orte (%zu aus cities500), in %s; deutsche Namen: %zu Zeilen, %zu zu Orten von "
                  "cities500 (%zu davon mit vertauschten Spalten), %zu Orte dazu; ausgelassen: %zu in Österreich, %zu "
                  "außerhalb der Monarchie, %zu ohne Koordinaten\n",
                  monarchy.places, monarchy.fromCities, monarchyFile.string().c_str(), monarchy.rows,
                  monarchy.matched + monarchy.swapped, monarchy.swapped, monarchy.added, monarchy.inAustria,
                  monarchy.outside, monarchy.withoutPoint);
  } catch (const import::InputError& error) {
    return Fail(error.what());
  } catch (const SystemError& error) {
    return Fail(error.File() + ": " + Windows1252ToUtf8(error.Description()));
  }
  return 0;
}
