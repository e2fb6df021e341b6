// veldaris-ort: the window's search on the command line, a tolerant lookup, and a place
// report for the places of a GEDCOM family tree. See --help.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/federal_states.h"
#include "core/file_names.h"
#include "core/input_file.h"
#include "core/output_file.h"
#include "core/record_reader.h"
#include "core/os.h"
#include "core/text1252.h"
#include "tools/ort/gedcom.h"
#include "tools/ort/lookup.h"

namespace {

using namespace veldaris;

constexpr const char* kHelp = R"(Aufruf: veldaris-ort [OPTIONEN] TEXT...
       veldaris-ort --gedcom DATEI.ged [--bericht BERICHT.csv] [--alle] [OPTIONEN]

Sucht österreichische Orte wie das Fenster von Veldaris und gibt für jeden gefundenen Ort
eine Zeile aus: die Ortsbezeichnung für Ahnenforschungsprogramme, wie sie das Fenster in
die Zwischenablage legt ("Gößl" -> "Goessl, Liezen, Steiermark, AUSTRIA"), in der
Reihenfolge der Ortsdatei. Die Wörter von TEXT sind der Suchtext.

  --enthaelt          Orte, die TEXT weiter innen enthalten (sonst: die damit beginnen)
  --gemeinde          im Namen der Gemeinde suchen (sonst: im Namen des Orts)
  --bezirk            im Namen des Bezirks suchen
  --bundesland NAME   nur in einem Bundesland; die ersten Buchstaben genügen ("st", "NÖ")
  --tolerant          auch Schreibungen wie in alten Quellen: Groß- und Kleinschreibung,
                      ä = ae, ö = oe, ü = ue, ß = ss, "Sankt" = "St." = "St", Bindestrich =
                      Leerzeichen; erst die genauen Treffer, dann die übrigen
  --format FORMAT     text (Vorgabe), csv, tsv oder json: csv, tsv und json mit allen
                      Angaben, dem Bundesland und der Ortsbezeichnung
  --daten DATEI       die Ortsdatei (sonst die eigene Kopie im Arbeitsordner
                      ${XDG_DATA_HOME:-~/.local/share}/veldaris/orte-7sp.ort, wenn es sie
                      gibt, sonst die mitgelieferte)
  --ansi              Ausgabe in Windows-1252 statt UTF-8
  --help              diese Hilfe

  --gedcom DATEI      ein Stammbaum im GEDCOM-Format (5.5.1 oder 7.0): jede Ortsangabe
                      (PLAC), deren letzte Stufe Österreich ist ("Austria", "Österreich",
                      "Oesterreich"), wird nachgeschlagen: ihr erster Teil tolerant als Ort,
                      sonst als Gemeinde; ein genanntes Bundesland, ein Bezirk oder eine
                      Gemeinde grenzt ein. Der Bericht (CSV) nennt je Ortsangabe die Zahl
                      der Datensätze, die sie verwenden, den Status "eindeutig", "mehrdeutig"
                      oder "nicht gefunden", die Ortsbezeichnung oder die Kandidaten. Die
                      GEDCOM-Datei bleibt, wie sie ist; fehlerhafte Zeilen werden mit ihrer
                      Nummer gemeldet.
  --bericht DATEI     der Bericht in eine Datei (sonst auf die Standardausgabe)
  --alle              alle Ortsangaben nachschlagen, nicht nur die in Österreich

Rückgabewert: 0 mit Treffern (oder geschriebenem Bericht), 1 ohne Treffer, 2 bei Fehlern.
Ortsdaten: (c) GeoNames (www.geonames.org), CC BY 4.0; Gemeindestatus: Statistik Austria,
CC BY 4.0.
)";

int Fail(const std::string& message) {
  std::fprintf(stderr, "veldaris-ort: %s\n", message.c_str());
  return 2;
}

// A file named on the command line (UTF-8).
std::filesystem::path PathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::filesystem::path DefaultData() {
  std::vector<std::filesystem::path> candidates;
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  if (dataHome && dataHome[0] == '/')
    candidates.push_back(std::filesystem::path(dataHome) / "veldaris" / kDataFile);
  else if (home && *home)
    candidates.push_back(std::filesystem::path(home) / ".local/share/veldaris" / kDataFile);
  const auto folder = os::ProgramFolder();
  candidates.push_back(folder.parent_path() / "share" / "veldaris" / kDataFile);
  candidates.push_back(folder.parent_path() / "data" / kDataFile);  // in the build tree
  candidates.push_back(folder / kDataFile);  // the Windows program folder
  for (const auto& path : candidates)
    if (std::filesystem::exists(path)) return path;
  return candidates.back();
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
  const std::string& Text() const { return text_; }

 private:
  bool ansi_;
  std::string text_;
};

std::string Csv(std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(field);
  std::string quoted = "\"";
  for (char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string Json(std::string_view text1252) {
  std::string out = "\"";
  for (char c : Windows1252ToUtf8(text1252)) {
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

void Emit(const std::vector<ort::Found>& found, const std::string& format, Output& out) {
  static const char* kColumns[] = {"ort", "gemeinde", "bezirk", "kurzform", "plz", "reserviert", "art",
                                   "bundesland", "ortsbezeichnung"};
  const auto items = [](const ort::Found& f) {
    const PlaceRecord& r = f.record;
    return std::vector<std::optional<std::string>>{r.Place, r.Municipality, r.District, r.StateShortForm,
                                                   r.Postcode, r.Reserved, r.MunicipalityKind,
                                                   f.stateName, f.placeString};
  };
  if (format == "text") {
    for (const auto& f : found) {
      out.Put(f.placeString);
      out.Raw("\n");
    }
  } else if (format == "csv" || format == "tsv") {
    const char separator = format == "csv" ? ',' : '\t';
    for (std::size_t k = 0; k < std::size(kColumns); ++k) {
      if (k) out.Raw(std::string(1, separator));
      out.Raw(kColumns[k]);
    }
    out.Raw("\r\n");
    for (const auto& f : found) {
      const auto values = items(f);
      for (std::size_t k = 0; k < values.size(); ++k) {
        if (k) out.Raw(std::string(1, separator));
        std::string value = TextOf(values[k]);
        if (separator == '\t') {
          for (char& c : value) c = c == '\t' ? ' ' : c;
          out.Put(value);
        } else {
          out.Put(Csv(value));
        }
      }
      out.Raw("\r\n");
    }
  } else {  // json
    out.Raw("[");
    for (std::size_t i = 0; i < found.size(); ++i) {
      out.Raw(i ? ",\n {" : "\n {");
      const auto values = items(found[i]);
      for (std::size_t k = 0; k < values.size(); ++k) {
        out.Raw(std::string(k ? ", " : "") + "\"" + kColumns[k] + "\": ");
        out.Raw(values[k] ? Json(*values[k]) : "null");
      }
      out.Raw(std::string(", \"genau\": ") + (found[i].exact ? "true" : "false") + "}");
    }
    out.Raw(found.empty() ? "]\n" : "\n]\n");
  }
}

RecordReader OpenData(const std::filesystem::path& path) {
  return RecordReader(path, os::PathTo1252(path));
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args = os::Utf8Arguments(argc, argv);
  os::PrepareStandardOutput();
  ort::SearchOptions options;
  std::string format = "text";
  std::optional<std::filesystem::path> data;
  std::optional<std::string> gedcom;
  std::optional<std::string> report;
  bool everyValue = false;
  bool ansi = false;
  std::vector<std::string> words;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      return args[++i];
    };
    if (arg == "--help" || arg == "-h") {
      std::fputs(kHelp, stdout);
      return 0;
    } else if (arg == "--enthaelt") {
      options.mode = MatchMode::kContains;
    } else if (arg == "--gemeinde") {
      options.item = SearchedItem::kMunicipality;
    } else if (arg == "--bezirk") {
      options.item = SearchedItem::kDistrict;
    } else if (arg == "--tolerant") {
      options.tolerant = true;
    } else if (arg == "--ansi") {
      ansi = true;
    } else if (arg == "--alle") {
      everyValue = true;
    } else if (arg == "--bundesland" || arg == "--format" || arg == "--daten" || arg == "--gedcom" ||
               arg == "--bericht") {
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
  const std::filesystem::path dataFile = data ? *data : DefaultData();

  try {
    if (gedcom) {
      if (!words.empty()) return Fail("mit --gedcom kein Suchtext");
      // The report never takes the place of the family tree or of the data file.
      if (report) {
        std::error_code ignored;
        for (const std::filesystem::path& kept : {PathOf(*gedcom), dataFile})
          if (std::filesystem::equivalent(PathOf(*report), kept, ignored))
            return Fail("--bericht " + *report + ": das ist die Datei " +
                        Windows1252ToUtf8(os::PathTo1252(kept)) + ", der Bericht braucht eine eigene");
      }
      const std::filesystem::path tree = PathOf(*gedcom);
      const std::string bytes = ReadWholeFile(tree, os::PathTo1252(tree));
      std::vector<ort::GedcomProblem> problems;
      const auto places = ort::ReadGedcomPlaces(bytes, problems);
      std::size_t passedOver = 0;
      for (const auto& p : problems) {
        std::fprintf(stderr, "veldaris-ort: %s:%zu: %s%s\n", gedcom->c_str(), p.line, p.what.c_str(),
                     p.passedOver ? " (übergangen)" : "");
        passedOver += p.passedOver;
      }
      RecordReader in = OpenData(dataFile);
      const ort::Gazetteer gazetteer(in);
      Output out(ansi);
      out.Raw("Ort,Verwendungen,Status,Ortsbezeichnung,Kandidaten\r\n");
      std::size_t counts[3] = {0, 0, 0};
      std::size_t austrian = 0;
      for (const auto& place : places) {
        const std::string value = ort::PlaceIn1252(place.value);
        const ort::Resolution r = gazetteer.Resolve(value, everyValue);
        if (r.status == ort::Resolution::Status::kNotAustrian) continue;
        ++austrian;
        ++counts[static_cast<int>(r.status)];
        std::string candidates;
        for (const auto& c : r.candidates) candidates += (candidates.empty() ? "" : " | ") + c;
        out.Raw(Csv(ansi ? value : place.value) + "," + std::to_string(place.uses) + ",");
        out.Put(Cp1252(ort::StatusText(r.status)));
        out.Raw(",");
        out.Put(Csv(r.placeString));
        out.Raw(",");
        out.Put(Csv(candidates));
        out.Raw("\r\n");
      }
      if (report) {
        const std::filesystem::path path = PathOf(*report);
        OutputFile file(path, os::PathTo1252(path));
        file.Write(out.Text());
        file.Close();
      } else {
        std::fwrite(out.Text().data(), 1, out.Text().size(), stdout);
      }
      std::fprintf(stderr,
                   "veldaris-ort: %zu Ortsangaben, %zu nachgeschlagen: %zu eindeutig, %zu mehrdeutig, "
                   "%zu nicht gefunden; %zu fehlerhafte Zeilen übergangen\n",
                   places.size(), austrian, counts[0], counts[1], counts[2], passedOver);
      return 0;
    }

    if (words.empty()) return Fail("kein Suchtext (siehe --help)");
    std::string text;
    for (const std::string& w : words) text += (text.empty() ? "" : " ") + w;
    const auto text1252 = Utf8ToWindows1252(text);
    if (!text1252) return Fail("der Suchtext hat Zeichen außerhalb von Windows-1252: " + text);
    options.text = *text1252;
    RecordReader in = OpenData(dataFile);
    const std::vector<ort::Found> found = ort::Search(in, options);
    Output out(ansi);
    Emit(found, format, out);
    std::fwrite(out.Text().data(), 1, out.Text().size(), stdout);
    return found.empty() ? 1 : 0;
  } catch (const SystemError& error) {
    return Fail(Windows1252ToUtf8(error.File()) + ": " + Windows1252ToUtf8(error.Description()));
  }
}
