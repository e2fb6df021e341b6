#include "tools/ort/tree_check.h"

#include <algorithm>
#include <unordered_map>

#include "core/text1252.h"
#include "tools/coordinates.h"

namespace veldaris::ort {
namespace {

using Status = Resolution::Status;

std::string Csv(std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(field);
  std::string quoted = "\"";
  for (char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace

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
    for (const Candidate& c : r.candidates) candidates += (candidates.empty() ? "" : " | ") + c.placeString;
    std::string line = Csv(p.value) + "," + std::to_string(p.uses) + "," + StatusText(r.status) + "," +
                       Csv(r.placeString) + "," + Csv(candidates) + ",";
    line += r.coordinates ? r.coordinates->latitude + "," + r.coordinates->longitude : std::string(",");
    line += "," + Csv(r.country) + "," + Csv(r.reason) + "\r\n";
    out += line;
  }
  return ansi ? PlaceIn1252(out) : out;
}

std::optional<PlaceCorrection> CorrectionOf(const Resolution& r, const std::string* chosen) {
  PlaceCorrection correction;
  const std::optional<Coordinates>* point = &r.coordinates;
  bool abroad = r.status == Status::kAbroad;
  if (chosen) {
    const auto candidate = std::find_if(r.candidates.begin(), r.candidates.end(),
                                        [&](const Candidate& c) { return c.placeString == *chosen; });
    if (candidate == r.candidates.end()) return std::nullopt;
    correction.placeString = candidate->placeString;
    point = &candidate->coordinates;
    abroad = candidate->country != "Österreich";
  } else if (r.status == Status::kUnique || abroad) {
    correction.placeString = r.placeString;
  } else {
    return std::nullopt;
  }
  // A place abroad keeps its historical name and gains today's in a note; a building or an
  // address keeps its text.
  correction.keepValue = r.keepValue || abroad;
  if (abroad) correction.note = "Heute: " + correction.placeString;
  if (*point) {
    correction.latitude = GedcomLatitude((*point)->latitude);
    correction.longitude = GedcomLongitude((*point)->longitude);
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

}  // namespace veldaris::ort
