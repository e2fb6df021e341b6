#include "places/tree_check.h"

#include <algorithm>
#include <unordered_map>

#include "core/text1252.h"
#include <utility>
#include "places/coordinates.h"

namespace veldaris::places {
namespace {

using Status = Resolution::Status;

// The fields of the CSV lines of a text: quoted fields may hold commas, quotes doubled and
// line breaks. Each row with the number of the line it begins on.
std::vector<std::pair<std::size_t, std::vector<std::string>>> CsvRows(std::string_view text) {
  std::vector<std::pair<std::size_t, std::vector<std::string>>> rows;
  std::size_t line = 1;
  std::size_t i = 0;
  while (i < text.size()) {
    std::vector<std::string> fields;
    const std::size_t first = line;
    std::string field;
    bool quoted = false, wasQuoted = false;
    for (; i < text.size(); ++i) {
      const char c = text[i];
      if (quoted) {
        if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') field += text[++i];
        else if (c == '"') quoted = false;
        else {
          if (c == '\n') ++line;
          field += c;
        }
      } else if (c == '"' && field.empty() && !wasQuoted) {
        quoted = wasQuoted = true;
      } else if (c == ',') {
        fields.push_back(std::move(field));
        field.clear();
        wasQuoted = false;
      } else if (c == '\r' || c == '\n') {
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        ++i;
        ++line;
        break;
      } else {
        field += c;
      }
    }
    fields.push_back(std::move(field));
    if (!(fields.size() == 1 && fields[0].empty())) rows.emplace_back(first, std::move(fields));
  }
  return rows;
}

}  // namespace

std::string CsvField(std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(field);
  std::string quoted = "\"";
  for (char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string FormatChoices(const Choices& choices) {
  std::string out = "Ort,Ortsbezeichnung\r\n";
  for (const auto& [value, placeString] : choices) out += CsvField(value) + "," + CsvField(placeString) + "\r\n";
  return out;
}

Choices ReadChoices(std::string_view bytes, const std::vector<CheckedPlace>& places,
                    std::vector<ChoiceProblem>& problems) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  Choices choices;
  if (!IsUtf8(bytes)) {
    problems.push_back({1, "keine UTF-8-Datei"});
    return choices;
  }
  const auto rows = CsvRows(bytes);
  if (rows.empty() || rows.front().second != std::vector<std::string>{"Ort", "Ortsbezeichnung"}) {
    problems.push_back({rows.empty() ? 1 : rows.front().first, "die Kopfzeile \"Ort,Ortsbezeichnung\" fehlt"});
    return choices;
  }
  std::unordered_map<std::string, const CheckedPlace*> byValue;
  for (const CheckedPlace& p : places) byValue.emplace(p.value, &p);
  for (auto row = rows.begin() + 1; row != rows.end(); ++row) {
    const auto& [line, fields] = *row;
    if (fields.size() != 2) {
      problems.push_back({line, "erwartet wurden 2 Spalten, gefunden " + std::to_string(fields.size())});
      continue;
    }
    const auto place = byValue.find(fields[0]);
    if (place == byValue.end()) {
      problems.push_back({line, "\"" + fields[0] + "\" ist keine Ortsangabe des Stammbaums"});
      continue;
    }
    const auto candidates = place->second->resolution.Open();
    const std::string& chosen = fields[1];
    if (std::none_of(candidates.begin(), candidates.end(), [&](const Candidate& c) { return c.placeString == chosen; })) {
      problems.push_back({line, "\"" + fields[1] + "\" ist kein Kandidat für \"" + fields[0] + "\""});
      continue;
    }
    choices[fields[0]] = fields[1];
  }
  return choices;
}

std::vector<CheckedPlace> CheckPlaces(const GedcomTree& tree, const Gazetteer& gazetteer, bool everyValue,
                                      const std::function<void(std::size_t, std::size_t)>& progress) {
  std::vector<CheckedPlace> checked;
  const std::vector<PlaceUse> uses = PlaceUses(tree);
  checked.reserve(uses.size());
  for (const PlaceUse& use : uses) {
    checked.push_back({use.value, use.uses, gazetteer.Resolve(use.value, everyValue)});
    if (progress && checked.size() % 1024 == 0) progress(checked.size(), uses.size());
  }
  if (progress) progress(checked.size(), uses.size());
  return checked;
}

StatusCounts CountStatuses(const std::vector<CheckedPlace>& places) {
  StatusCounts counts;
  counts.values = places.size();
  for (const CheckedPlace& p : places) {
    switch (p.resolution.status) {
      case Status::kUnique: ++counts.unique; break;
      case Status::kAmbiguous: ++counts.ambiguous; break;
      case Status::kSimilar: ++counts.similar; break;
      case Status::kNotFound: ++counts.notFound; break;
      case Status::kAbroad: ++counts.abroad; break;
      case Status::kNotAustrian: continue;
    }
    ++counts.lookedUp;
  }
  return counts;
}

std::string ReportCsv(const std::vector<CheckedPlace>& places, bool ansi) {
  std::string out = "Ort,Verwendungen,Status,Ortsbezeichnung,Kandidaten,Breite,Laenge,Land,Hinweis\r\n";
  for (const CheckedPlace& p : places) {
    const Resolution& r = p.resolution;
    if (r.status == Status::kNotAustrian) continue;
    std::string candidates;
    for (const Candidate& c : r.Open()) candidates += (candidates.empty() ? "" : " | ") + c.placeString;
    const Candidate* place = r.Place();
    std::string line = CsvField(p.value) + "," + std::to_string(p.uses) + "," + StatusText(r.status) + "," +
                       CsvField(place ? place->placeString : "") + "," + CsvField(candidates) + ",";
    line += place && place->coordinates ? place->coordinates->latitude + "," + place->coordinates->longitude
                                        : std::string(",");
    line += "," + CsvField(place ? place->country.Name() : "") + "," + CsvField(r.reason) + "\r\n";
    out += line;
  }
  return ansi ? PlaceIn1252(out) : out;
}

std::optional<PlaceCorrection> CorrectionOf(const Resolution& r, const std::string* chosen) {
  const Candidate* place = r.Place();
  if (chosen) {
    const auto open = r.Open();
    const auto candidate =
        std::find_if(open.begin(), open.end(), [&](const Candidate& c) { return c.placeString == *chosen; });
    place = candidate == open.end() ? nullptr : &*candidate;
  }
  if (!place) return std::nullopt;
  PlaceCorrection correction;
  correction.placeString = place->placeString;
  // A place abroad keeps its historical name and gains today's in a note; a building or an
  // address keeps its text.
  const bool abroad = !place->country.IsAustria();
  correction.keepValue = r.keepValue || abroad;
  if (abroad) correction.note = "Heute: " + correction.placeString;
  if (place->coordinates) {
    correction.latitude = GedcomLatitude(place->coordinates->latitude);
    correction.longitude = GedcomLongitude(place->coordinates->longitude);
  }
  return correction;
}

std::string CorrectedCopy(const GedcomTree& tree, const std::vector<CheckedPlace>& places, const Choices& choices,
                          std::size_t& rewritten) {
  std::unordered_map<std::string, std::optional<PlaceCorrection>> corrections;
  for (const CheckedPlace& p : places) {
    const auto chosen = choices.find(p.value);
    corrections.emplace(p.value, CorrectionOf(p.resolution, chosen == choices.end() ? nullptr : &chosen->second));
  }
  return CorrectTree(tree, [&](const std::string& value) {
    const auto at = corrections.find(value);
    return at == corrections.end() ? std::nullopt : at->second;
  }, rewritten);
}

}  // namespace veldaris::places
