// veldaris-ort: the window's search on the command line, a tolerant lookup, and a place
// report for the places of a GEDCOM family tree. See --help.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "core/federal_states.h"
#include "core/file_names.h"
#include "core/input_file.h"
#include "core/output_file.h"
#include "core/record_reader.h"
#include "core/os.h"
#include "core/text1252.h"
#include "places/coordinates.h"
#include "places/data_files.h"
#include "places/gedcom.h"
#include "places/lookup.h"
#include "places/resolver.h"
#include "places/names.h"
#include "places/tree_check.h"
#include "places/tree_map.h"
#include "places/monarchy.h"

namespace {

using namespace veldaris;
using namespace veldaris::places;

constexpr const char* kHelp = R"(Aufruf: veldaris-ort [OPTIONEN] [--monarchie] TEXT...
       veldaris-ort --gedcom DATEI.ged [--ausgabe NEU.ged] [--auswahl AUSWAHL.csv]
                    [--bericht BERICHT.csv] [--karte KARTE.svg [--1910]] [--alle]

Sucht österreichische Orte wie das Fenster von Veldaris und gibt für jeden gefundenen Ort
eine Zeile aus: die Ortsbezeichnung für Ahnenforschungsprogramme, wie sie das Fenster in
die Zwischenablage legt ("Gößl" -> "Goessl, Liezen, Steiermark, AUSTRIA"), in der
Reihenfolge der Ortsdatei. Die Wörter von TEXT sind der Suchtext.

  --enthaelt          Orte, die TEXT weiter innen enthalten (sonst: die damit beginnen)
  --gemeinde          im Namen der Gemeinde suchen (sonst: im Namen des Orts)
  --bezirk            im Namen des Bezirks suchen
  --bundesland NAME   nur in einem Bundesland; die ersten Buchstaben genügen ("st", "NÖ")
  --tolerant          auch Schreibungen wie in alten Quellen: Groß- und Kleinschreibung,
                      ä = ae = a, ö = oe = o, ü = ue = u, ß = ss, "Sankt" = "St." = "St",
                      Bindestrich = Leerzeichen; erst die genauen Treffer, dann die übrigen
  --aehnlich          danach auch ähnliche Namen: ein Buchstabe mehr, weniger, anders oder
                      zwei vertauscht (ab neun Buchstaben auch zwei solche Fehler), die
                      nächsten zuerst
  --format FORMAT     text (Vorgabe), csv, tsv oder json: csv, tsv und json mit allen
                      Angaben, dem Bundesland, der Ortsbezeichnung und den Koordinaten
                      (breite, laenge: Grad; leer oder null, wo sie fehlen)
  --daten DATEI       die Ortsdatei (sonst die eigene Kopie im Arbeitsordner
                      ${XDG_DATA_HOME:-~/.local/share}/veldaris/orte-7sp.ort, wenn es sie
                      gibt, sonst die mitgelieferte); die Koordinaten stehen daneben
                      (orte-7sp.koordinaten)
  --monarchie         danach auch die Orte der Länder der alten Monarchie außerhalb des
                      heutigen Österreich, nach jedem ihrer Namen ("Brünn" -> "Brno,
                      Tschechien"; --enthaelt, --tolerant und --aehnlich gelten, --gemeinde,
                      --bezirk und --bundesland nur für Österreich); csv, tsv und json mit
                      dem Feld land
  --ansi              Ausgabe in Windows-1252 statt UTF-8
  --help              diese Hilfe

  --gedcom DATEI      ein Stammbaum im GEDCOM-Format (5.5, 5.5.1 oder 7.0; UTF-8, UTF-16,
                      ANSEL oder Windows-1252): jede Ortsangabe (PLAC), die einen Ort nennt,
                      wird nachgeschlagen. Ein Name allein ("Hart bei Graz") ist eindeutig,
                      wenn Österreich und die Monarchie ihn einmal haben und kein Ort mit 500
                      oder mehr Einwohnern anderswo ("Vienna": auch Vienna, USA). Als letzter
                      Teil der Staat ("Österreich", "Austria", "Öst.", "Autriche", "Rakousko",
                      ...), ein Bundesland ("Steyermark", "Kärnthen", "Tyrol", "Upper Austria",
                      "Stiria", "Österreich ob der Enns") oder ein Land, das eines hielt
                      ("Eisenstadt, Ungarn"), oder ein Wiener Bezirk ("Wien IX"). Der erste
                      Teil ist der Ort: tolerant als Ort, als Gemeinde (Wien, Graz, Klagenfurt
                      als Ganzes), ohne amtlichen Zusatz ("Hall, Tirol", "Linz an der Donau"),
                      als Wiener Bezirk nach Name oder Nummer ("Wien 10", "IX. Bezirk"), als
                      Vorstadt oder Teil einer Stadt ("Wien-Gumpendorf", "Linz-Urfahr"), als
                      "X bei Y" (X in der Gemeinde Y oder bis 15 km von Y); eine Stadt vor
                      den Weilern ihres Namens ("Linz, Austria"); ein Gebäude oder eine
                      Anschrift davor, eine Hausnummer danach ("Gößl Nr. 5") bleibt stehen,
                      "of", "aus", "in", "from" davor fällt weg. Jeder weitere Teil muss zum
                      Ort passen: Bundesland, Bezirk
                      (auch von vor einer Reform), Region, Gemeinde; ein anderes Land
                      ("Galizien") oder ein unbekanntes Wort lässt keinen eindeutigen Ort.
                      Nennt die Angabe als letzten Teil die Monarchie, eines ihrer Länder
                      ("Brünn, Mähren") oder einen Staat, der eines hält ("Tschechien"), und
                      keinen Ort im heutigen Österreich, wird sie unter den Orten der
                      Monarchie außerhalb Österreichs nachgeschlagen: "Ausland" mit dem
                      heutigen Namen und Staat ("Brno, Tschechien").
                      Der Bericht (CSV) nennt je Ortsangabe die Zahl der Datensätze, die
                      sie verwenden, den Status "eindeutig", "mehrdeutig", "ähnlich" (kein
                      Name passt, aber einer mit einem Tippfehler), "nicht gefunden" oder
                      "Ausland", die Ortsbezeichnung mit Breite, Länge und Staat oder die
                      Kandidaten, und einen Hinweis, warum eine Angabe nicht eindeutig ist. Die
                      GEDCOM-Datei bleibt, wie sie ist; fehlerhafte Zeilen werden mit ihrer
                      Nummer gemeldet.
  --ausgabe DATEI     schreibt eine berichtigte Kopie des Stammbaums: jede eindeutige
                      Ortsangabe wird die Ortsbezeichnung, mit Koordinaten (MAP, LATI, LONG),
                      die frühere Angabe bleibt in einer Notiz darunter ("Ortsangabe
                      vorher: ..."); eine mit Gebäude oder Anschrift bleibt und bekommt nur
                      die Koordinaten, ein Ort im Ausland dazu eine Notiz mit seinem
                      heutigen Namen ("Heute: Brno, Tschechien"); alles andere bleibt Byte
                      für Byte, wie es war
  --auswahl DATEI     die Auswahl unter den Kandidaten (UTF-8, CSV mit der Kopfzeile
                      "Ort,Ortsbezeichnung": je entschiedener Ortsangabe sie, wie der Bericht
                      sie schreibt, und die gewählte Ortsbezeichnung), wie sie auch Veldaris
                      Stammbaum speichert: die Kopie schreibt die gewählten Orte wie
                      eindeutige; ist eine Wahl kein Kandidat ihrer Ortsangabe, wird ihre
                      Zeile genannt und nichts geschrieben (Rückgabewert 2)
  --bericht DATEI     der Bericht in eine Datei (sonst auf die Standardausgabe)
  --karte DATEI       die Karte der Orte des Stammbaums als SVG: ein Punkt je Ortsangabe mit
                      Ort (eindeutig, gewählt oder im Ausland), seine Fläche nach der Zahl der
                      Datensätze, sein Titel die Angabe, der Ort und die Zahl; die Grenzen
                      von heute, so weit die Orte reichen
  --1910              auf der Karte auch die Kronländer und Länder Österreich-Ungarns von 1910
  --alle              alle Ortsangaben nachschlagen, auch die, die nur ein Land nennen

Rückgabewert: 0 mit Treffern (oder geschriebenem Bericht), 1 ohne Treffer, 2 bei Fehlern.
)";

int Fail(const std::string& message) {
  std::fprintf(stderr, "veldaris-ort: %s\n", message.c_str());
  return 2;
}

// A file named on the command line (UTF-8).
std::filesystem::path PathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

class Output {
 public:
  explicit Output(bool ansi) : ansi_(ansi) {}
  // Program text, Windows-1252.
  void Put(std::string_view text1252) {
    const std::string shown = ansi_ ? std::string(text1252) : Windows1252ToUtf8(text1252);
    text_ += shown;
  }
  void Raw(std::string_view ascii) { text_ += ascii; }
  // Text in UTF-8; in Windows-1252, what it cannot hold plainer.
  void PutUtf8(std::string_view utf8) { text_ += ansi_ ? places::PlaceIn1252(utf8) : std::string(utf8); }
  const std::string& Text() const { return text_; }

 private:
  bool ansi_;
  std::string text_;
};

std::string Json(std::string_view utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

// A line of the search's output: the items of a record, the state's name, the place string,
// the coordinates, and with --monarchie the country; UTF-8.
struct Row {
  std::vector<std::optional<std::string>> values;
  places::Match match = places::Match::kExact;
};

const char* const kColumns[] = {"ort",        "gemeinde",        "bezirk", "kurzform", "plz",   "reserviert",
                                "art",        "bundesland",      "ortsbezeichnung",    "breite", "laenge", "land"};
constexpr std::size_t kPlaceString = 8;

Row RowOf(const places::Found& f, bool withCountry) {
  const PlaceRecord& r = f.record;
  Row row;
  for (const auto& item : {r.Place, r.Municipality, r.District, r.StateShortForm, r.Postcode, r.Reserved,
                           r.MunicipalityKind, std::optional<std::string>(f.stateName),
                           std::optional<std::string>(f.placeString)})
    row.values.push_back(item ? std::optional<std::string>(Windows1252ToUtf8(*item)) : std::nullopt);
  row.values.push_back(f.coordinates ? std::optional<std::string>(f.coordinates->latitude) : std::nullopt);
  row.values.push_back(f.coordinates ? std::optional<std::string>(f.coordinates->longitude) : std::nullopt);
  if (withCountry) row.values.emplace_back("Österreich");
  row.match = f.match;
  return row;
}

// A place of the monarchy: today's name as the place, the place string "Brno, Tschechien".
Row RowOf(const MonarchyIndex& monarchy, const places::MonarchyFound& f) {
  const auto& p = monarchy.place(f.id);
  const std::string country(places::CountryName(p.country));
  Row row;
  row.values = {std::string(p.name), std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                std::nullopt, std::nullopt, std::string(p.name) + ", " + country, std::string(p.latitude),
                std::string(p.longitude), country};
  row.match = f.match;
  return row;
}

void Emit(const std::vector<Row>& rows, const std::string& format, bool withCountry, Output& out) {
  const std::size_t columns = std::size(kColumns) - (withCountry ? 0 : 1);
  if (format == "text") {
    for (const Row& row : rows) {
      out.PutUtf8(TextOf(row.values[kPlaceString]));
      out.Raw("\n");
    }
  } else if (format == "csv" || format == "tsv") {
    const char separator = format == "csv" ? ',' : '\t';
    for (std::size_t k = 0; k < columns; ++k) {
      if (k) out.Raw(std::string(1, separator));
      out.Raw(kColumns[k]);
    }
    out.Raw("\r\n");
    for (const Row& row : rows) {
      for (std::size_t k = 0; k < row.values.size(); ++k) {
        if (k) out.Raw(std::string(1, separator));
        std::string value = TextOf(row.values[k]);
        if (separator == '\t') {
          for (char& c : value) c = c == '\t' ? ' ' : c;
          out.PutUtf8(value);
        } else {
          out.PutUtf8(places::CsvField(value));
        }
      }
      out.Raw("\r\n");
    }
  } else {  // json
    out.Raw("[");
    for (std::size_t i = 0; i < rows.size(); ++i) {
      out.Raw(i ? ",\n {" : "\n {");
      const auto& values = rows[i].values;
      for (std::size_t k = 0; k < values.size(); ++k) {
        out.Raw(std::string(k ? ", " : "") + "\"" + kColumns[k] + "\": ");
        // Degrees as numbers, as the coordinates file writes them.
        const bool degrees = k == kPlaceString + 1 || k == kPlaceString + 2;
        out.Raw(!values[k] ? "null" : degrees ? *values[k] : Json(*values[k]));
      }
      out.Raw(std::string(", \"genau\": ") + (rows[i].match == places::Match::kExact ? "true" : "false") +
              ", \"aehnlich\": " + (rows[i].match == places::Match::kSimilar ? "true" : "false") + "}");
    }
    out.Raw(rows.empty() ? "]\n" : "\n]\n");
  }
}

RecordReader OpenData(const std::filesystem::path& path) {
  return RecordReader(path, os::PathTo1252(path));
}

// The files beside the data file; a line of them that cannot be read is reported.
void Warn(const std::vector<std::string>& warnings) {
  for (const std::string& w : warnings) std::fprintf(stderr, "veldaris-ort: %s\n", w.c_str());
}

CoordinatesIndex OpenCoordinates(const std::filesystem::path& dataFile) {
  std::vector<std::string> warnings;
  CoordinatesIndex index = places::LoadCoordinates(dataFile, warnings);
  Warn(warnings);
  return index;
}

MonarchyIndex OpenMonarchy(const std::filesystem::path& dataFile) {
  std::vector<std::string> warnings;
  MonarchyIndex index = places::LoadMonarchy(dataFile, warnings);
  Warn(warnings);
  return index;
}

// Two names of the same file, by a link or another way to write it.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ignored;
  return std::filesystem::equivalent(a, b, ignored);
}

// The places of a family tree looked up: the report, and where asked for the corrected copy.
int Gedcom(const std::filesystem::path& tree, const std::filesystem::path& dataFile,
           const std::optional<std::string>& report, const std::optional<std::string>& corrected,
           const std::optional<std::string>& chosen, const std::optional<std::string>& map, bool lands1910,
           bool everyValue, bool ansi) {
  const std::string treeName = Windows1252ToUtf8(os::PathTo1252(tree));
  // What is written never takes the place of the family tree, of the data file, or of each
  // other.
  for (const auto& [option, name] :
       {std::pair{"--bericht", report}, std::pair{"--ausgabe", corrected}, std::pair{"--karte", map}}) {
    if (!name) continue;
    for (const std::filesystem::path& kept : {tree, dataFile})
      if (SameFile(PathOf(*name), kept))
        return Fail(std::string(option) + " " + *name + ": das ist die Datei " +
                    Windows1252ToUtf8(os::PathTo1252(kept)) + ", die bleibt, wie sie ist");
  }
  const auto same = [](const std::optional<std::string>& a, const std::optional<std::string>& b) {
    return a && b && (*a == *b || SameFile(PathOf(*a), PathOf(*b)));
  };
  if (same(report, corrected) || same(report, map) || same(corrected, map))
    return Fail("--bericht, --ausgabe und --karte brauchen jede eine Datei für sich");
  const std::string bytes = ReadWholeFile(tree, os::PathTo1252(tree));
  std::optional<places::GedcomTree> parsed;
  try {
    parsed.emplace(bytes);
  } catch (const places::GedcomError& error) {
    return Fail(treeName + ":" + std::to_string(error.line) + ": " + error.what());
  }
  const places::GedcomTree& gedcom = *parsed;
  std::size_t passedOver = 0;
  for (const auto& p : gedcom.problems()) {
    std::fprintf(stderr, "veldaris-ort: %s:%zu: %s%s\n", treeName.c_str(), p.line, p.what.c_str(),
                 p.passedOver ? " (übergangen)" : "");
    passedOver += p.passedOver;
  }
  std::vector<std::string> warnings;
  const places::Gazetteer gazetteer = places::LoadGazetteer(dataFile, warnings);
  Warn(warnings);
  // Each distinct value is looked up once.
  const std::vector<places::CheckedPlace> places = places::CheckPlaces(gedcom, gazetteer, everyValue);
  // The user's choices: every one a candidate of its value, or nothing is written.
  places::Choices choices;
  if (chosen) {
    const std::filesystem::path path = PathOf(*chosen);
    std::vector<places::ChoiceProblem> problems;
    choices = places::ReadChoices(ReadWholeFile(path, os::PathTo1252(path)), places, problems);
    for (const auto& p : problems) std::fprintf(stderr, "veldaris-ort: %s:%zu: %s\n", chosen->c_str(), p.line, p.what.c_str());
    if (!problems.empty()) return Fail("--auswahl " + *chosen + ": nicht jede Auswahl passt zum Stammbaum, nichts geschrieben");
  }
  Output out(ansi);
  out.Raw(places::ReportCsv(places, ansi));

  std::size_t rewritten = 0;
  if (corrected) {
    const std::string copy = places::CorrectedCopy(gedcom, places, choices, rewritten);
    const std::filesystem::path path = PathOf(*corrected);
    OutputFile file(path, os::PathTo1252(path));
    file.Write(copy);
    file.Close();
  }
  if (map) {
    std::vector<std::string> mapWarnings;
    const std::optional<places::MapData> borders = places::LoadMap(dataFile, mapWarnings);
    Warn(mapWarnings);
    const std::filesystem::path path = PathOf(*map);
    OutputFile file(path, os::PathTo1252(path));
    file.Write(places::TreeMapSvg(borders ? &*borders : nullptr, places, choices, lands1910));
    file.Close();
  }
  if (report) {
    const std::filesystem::path path = PathOf(*report);
    OutputFile file(path, os::PathTo1252(path));
    file.Write(out.Text());
    file.Close();
  } else {
    std::fwrite(out.Text().data(), 1, out.Text().size(), stdout);
  }
  const places::StatusCounts counts = places::CountStatuses(places);
  std::fprintf(stderr,
               "veldaris-ort: %zu Ortsangaben, %zu nachgeschlagen: %zu eindeutig, %zu mehrdeutig, %zu ähnlich, "
               "%zu nicht gefunden, %zu im Ausland; %zu fehlerhafte Zeilen übergangen\n",
               counts.values, counts.lookedUp, counts.unique, counts.ambiguous, counts.similar, counts.notFound,
               counts.abroad, passedOver);
  if (corrected) std::fprintf(stderr, "veldaris-ort: %zu Ortsangaben berichtigt in %s\n", rewritten, corrected->c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args = os::Utf8Arguments(argc, argv);
  os::PrepareStandardOutput();
  places::SearchOptions options;
  std::string format = "text";
  std::optional<std::filesystem::path> data;
  std::optional<std::string> gedcom;
  std::optional<std::string> report;
  std::optional<std::string> corrected;
  std::optional<std::string> chosen, map;
  bool lands1910 = false;
  bool everyValue = false;
  bool ansi = false;
  bool monarchy = false;
  std::vector<std::string> words;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      return args[++i];
    };
    if (arg == "--help" || arg == "-h") {
      std::fputs(kHelp, stdout);
      std::puts(kDataCredits);
      return 0;
    } else if (arg == "--enthaelt") {
      options.mode = MatchMode::kContains;
    } else if (arg == "--gemeinde") {
      options.item = SearchedItem::kMunicipality;
    } else if (arg == "--bezirk") {
      options.item = SearchedItem::kDistrict;
    } else if (arg == "--tolerant") {
      options.tolerant = true;
    } else if (arg == "--aehnlich") {
      options.similar = true;
    } else if (arg == "--ansi") {
      ansi = true;
    } else if (arg == "--alle") {
      everyValue = true;
    } else if (arg == "--monarchie") {
      monarchy = true;
    } else if (arg == "--1910") {
      lands1910 = true;
    } else if (arg == "--bundesland" || arg == "--format" || arg == "--daten" || arg == "--gedcom" ||
               arg == "--bericht" || arg == "--ausgabe" || arg == "--auswahl" || arg == "--karte") {
      const auto v = value();
      if (!v) return Fail(arg + " braucht einen Wert (siehe --help)");
      if (arg == "--bundesland") {
        const auto state = Utf8ToWindows1252(*v);
        if (!state) return Fail("--bundesland: kein Text in Windows-1252: " + *v);
        // As the state field completes what is typed into it.
        options.state = CompleteStateInput(*state);
        if (std::none_of(FederalStateTable().begin(), FederalStateTable().end(),
                         [&](const FederalState& s) { return s.FullName == options.state; }))
          return Fail("--bundesland: kein Bundesland: " + *v);
      } else if (arg == "--format") {
        format = *v;
        if (format != "text" && format != "csv" && format != "tsv" && format != "json")
          return Fail("--format: text, csv, tsv oder json, nicht " + format);
      } else if (arg == "--daten") {
        data = PathOf(*v);
      } else if (arg == "--gedcom") {
        gedcom = *v;
      } else if (arg == "--auswahl") {
        chosen = *v;
      } else if (arg == "--ausgabe") {
        corrected = *v;
      } else if (arg == "--karte") {
        map = *v;
      } else {
        report = *v;
      }
    } else if (arg.starts_with("--")) {
      return Fail("unbekannte Option " + arg + " (siehe --help)");
    } else {
      words.push_back(arg);
    }
  }
  if (format == "json" && ansi) return Fail("JSON ist immer UTF-8: --ansi geht nicht mit --format json");
  const std::filesystem::path dataFile = data ? *data : places::DefaultDataFile();

  try {
    if (gedcom) {
      if (!words.empty()) return Fail("mit --gedcom kein Suchtext");
      return Gedcom(PathOf(*gedcom), dataFile, report, corrected, chosen, map, lands1910, everyValue, ansi);
    }
    if (map) return Fail("--karte nur mit --gedcom");
    if (corrected) return Fail("--ausgabe nur mit --gedcom");
    if (chosen) return Fail("--auswahl nur mit --gedcom");

    if (words.empty()) return Fail("kein Suchtext (siehe --help)");
    std::string text;
    for (const std::string& w : words) text += (text.empty() ? "" : " ") + w;
    auto text1252 = Utf8ToWindows1252(text);
    // A place abroad may bear letters that no Austrian one does ("Český Krumlov").
    if (!text1252 && monarchy) text1252 = Utf8To1252Plain(text);
    if (!text1252) return Fail("der Suchtext hat Zeichen außerhalb von Windows-1252: " + text);
    options.text = *text1252;
    RecordReader in = OpenData(dataFile);
    std::vector<Row> rows;
    for (const places::Found& f : places::Search(in, options, OpenCoordinates(dataFile))) rows.push_back(RowOf(f, monarchy));
    if (monarchy) {
      const MonarchyIndex places = OpenMonarchy(dataFile);
      if (places.empty()) return Fail("keine Orte der Monarchie: die Datei " + MonarchyFileOf(dataFile).filename().string() +
                                      " fehlt neben der Ortsdatei");
      for (const places::MonarchyFound& f : places::SearchMonarchy(places, text, options)) rows.push_back(RowOf(places, f));
    }
    Output out(ansi);
    Emit(rows, format, monarchy, out);
    std::fwrite(out.Text().data(), 1, out.Text().size(), stdout);
    return rows.empty() ? 1 : 0;
  } catch (const SystemError& error) {
    return Fail(Windows1252ToUtf8(error.File()) + ": " + Windows1252ToUtf8(error.Description()));
  }
}
