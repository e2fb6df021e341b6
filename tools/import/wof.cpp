#include "tools/import/wof.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "core/text1252.h"
#include "places/fold.h"
#include "tools/import/gazetteer.h"

namespace veldaris::import {
namespace {

// Names the tables are known to have wrong, and what they are ("" drops the row: Gumpendonf
// is a misspelt twin of Gumpendorf 0.6 km from it).
constexpr std::pair<std::string_view, std::string_view> kCorrections[] = {
    {"Gumpendonf", ""},
    {"Mauer bei Wein", "Mauer bei Wien"},
    {"WieselsFeld", "Wieselsfeld"},
    {"BadMuehllacken", "Bad Mühllacken"},
    {"Huetteldorf", "Hütteldorf"},
    {"Paszãw", "Płaszów"},
    {"Stare MIasto", "Stare Miasto"},
    {"ZabLocie", "Zabłocie"},
    {"PrzewOz", "Przewóz"},
    {"Frzylasek", "Przylasek"},
    {"pPorąbka", "Porąbka"},
    {"HavAAov", "Havířov"},
    {"HostinskEho sIdlisko", "Hostinského sídlisko"},
};

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// "µ" where the tables decoded "š" wrongly; "l" with a combining comma above right for "ľ".
std::string Clean(std::string name) {
  name = ReplaceAll(std::move(name), "\xC2\xB5", "\xC5\xA1");       // µ: š
  name = ReplaceAll(std::move(name), "l\xCC\x95", "\xC4\xBE");      // l̕: ľ
  name = ReplaceAll(std::move(name), "L\xCC\x95", "\xC4\xBD");      // L̕: Ľ
  const std::string trimmed = TrimBlanks(name);
  for (const auto& [wrong, right] : kCorrections)
    if (trimmed == wrong) return std::string(right);
  return trimmed;
}

std::vector<std::string> Names(std::string_view cell) {
  std::vector<std::string> names;
  for (std::string_view n : SplitFields(cell, '|')) {
    std::string name = Clean(std::string(n));
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
  }
  return names;
}

}  // namespace

std::vector<WofRow> ReadWof(std::string_view bytes, const std::string& file, WofReport& report) {
  Utf8Lines lines(bytes, file);
  std::string_view line;
  if (!lines.Next(line) || !line.starts_with("wof_id\tplacetype\tname\t"))
    throw InputError(file, 1, "keine Tabelle von Who's On First (Kopfzeile wof_id, placetype, name, ...)");
  std::vector<WofRow> rows;
  while (lines.Next(line)) {
    const auto f = SplitFields(line, '\t');
    if (f.size() != 19) throw InputError(file, lines.number(), "erwartet wurden 19 Spalten, gefunden " + std::to_string(f.size()));
    ++report.rows;
    WofRow row;
    row.id = std::string(f[0]);
    row.placetype = std::string(f[1]);
    const std::string raw = TrimBlanks(f[2]);
    row.name = Clean(std::string(f[2]));
    if (!raw.empty() && row.name.empty()) {  // a known twin
      ++report.dropped;
      continue;
    }
    if (row.name != raw) ++report.renamed;
    row.germanNames = Names(f[3]);
    for (std::size_t k = 3; k <= 9; ++k)
      for (std::string& name : Names(f[k]))
        if (name != row.name && std::find(row.otherNames.begin(), row.otherNames.end(), name) == row.otherNames.end())
          row.otherNames.push_back(std::move(name));
    if (row.name.empty()) {  // a row without its name: its first other name, if it has one
      ++report.withoutName;
      if (row.otherNames.empty()) continue;
      row.name = row.otherNames.front();
      row.otherNames.erase(row.otherNames.begin());
    }
    row.coordinates = {std::string(f[10]), std::string(f[11])};
    if (!places::GedcomLatitude(f[10]) || !places::GedcomLongitude(f[11]))
      throw InputError(file, lines.number(), "keine Koordinaten: \"" + std::string(f[10]) + "\", \"" + std::string(f[11]) + "\"");
    std::from_chars(f[12].data(), f[12].data() + f[12].size(), row.population);
    row.region = std::string(f[13]);
    row.county = std::string(f[14]);
    row.localadmin = std::string(f[15]);
    row.geonamesId = std::string(f[16]);
    row.line = lines.number();
    rows.push_back(std::move(row));
  }
  return rows;
}

bool IsLandmark(std::string_view name) {
  static constexpr std::string_view kEndings[] = {"bahnhof", "brucke", "bruecke", "turm",   "tor",   "oper",
                                                  "dom",     "halle",  "riesenrad", "gloriette", "hofburg",
                                                  "praterstern", "am cobenzl", "mitte"};
  const std::string folded = places::Loosened(places::FoldedKey(name));
  return std::any_of(std::begin(kEndings), std::end(kEndings),
                     [&](std::string_view ending) { return folded.ends_with(ending); });
}

}  // namespace veldaris::import
