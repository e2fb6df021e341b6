#include "tools/ort/lookup.h"

#include <algorithm>

#include "core/federal_states.h"
#include "core/rules.h"
#include "core/text1252.h"
#include "tools/ort/fold.h"

namespace veldaris::ort {
namespace {

Found FoundOf(const RecordRef& record, const std::string& stateName, const CoordinatesIndex& coordinates) {
  Found found;
  const PlaceRecordView view = record.View();
  CopyRecord(view, found.record);
  found.stateName = stateName;
  // The string of a pick in the window: the state as it is shown there.
  found.placeString = BuildPlaceString(
      found.record, GetStateDisplayName(TextOf(found.record.StateShortForm)).value_or(""));
  if (const Coordinates* c = coordinates.Find(view)) found.coordinates = *c;
  return found;
}

// The window's two match rules on folded texts.
bool MatchesFolded(std::string_view item, std::string_view text, MatchMode mode) {
  if (mode == MatchMode::kBeginsWith) return item.starts_with(text);
  if (text.empty()) return false;
  const auto at = item.find(text);
  return at != std::string_view::npos && at > 0;
}

// A name folded, with the umlauts dropped.
std::string Loose(std::string_view text) {
  std::string folded = FoldName(text);
  DropUmlauts(folded);
  return folded;
}

}  // namespace

std::vector<Found> Search(RecordReader& data, const SearchOptions& options, const CoordinatesIndex& coordinates) {
  const std::string text = TrimBlanks(ToLower1252(options.text));
  const std::string looseText = Loose(options.text);
  const std::size_t item = ItemOf(options.item);
  const bool beginsWith = options.mode == MatchMode::kBeginsWith;
  const Span span = beginsWith ? Span::kBeginning : Span::kInside;
  const int allowed = EditsAllowed(looseText);
  std::vector<Found> exact;
  std::vector<Found> tolerant;
  std::vector<Found> similar;
  std::string folded;
  ForEachPlace(data, [&](const RecordRef& record, const std::string& state) {
    if (!options.state.empty() && options.state != state) return;
    const std::string_view name = record.Text(item);
    if (MatchesSearchText(name, text, options.mode)) {
      exact.push_back(FoundOf(record, state, coordinates));
      return;
    }
    if (looseText.empty() || !(options.tolerant || options.similar)) return;
    // The beginning of a name is compared only where its first letter can match.
    if (beginsWith && !options.similar && FirstFoldedByte(name) != looseText.front()) return;
    FoldName(name, folded);
    DropUmlauts(folded);
    if (options.tolerant && MatchesFolded(folded, looseText, options.mode)) {
      tolerant.push_back(FoundOf(record, state, coordinates));
      tolerant.back().match = Match::kTolerant;
      return;
    }
    if (!options.similar) return;
    if (const int edits = Edits(looseText, folded, span, allowed); edits <= allowed) {
      similar.push_back(FoundOf(record, state, coordinates));
      similar.back().match = Match::kSimilar;
      similar.back().edits = edits;
    }
  });
  std::stable_sort(similar.begin(), similar.end(), [](const Found& a, const Found& b) { return a.edits < b.edits; });
  for (std::vector<Found>* more : {&tolerant, &similar})
    exact.insert(exact.end(), std::make_move_iterator(more->begin()), std::make_move_iterator(more->end()));
  return exact;
}

Gazetteer::Gazetteer(RecordReader& data, const CoordinatesIndex& coordinates) {
  ForEachPlace(data, [&](const RecordRef& record, const std::string& state) {
    const std::size_t at = places_.size();
    places_.push_back(FoundOf(record, state, coordinates));
    const std::string_view name = record.Text(0);
    const auto index = [&](Index& folded, Index& loose, std::string_view text) {
      std::string key = FoldName(text);
      if (key.empty()) return;
      folded[key].push_back(at);
      DropUmlauts(key);
      loose[key].push_back(at);
    };
    index(byName_, byLooseName_, name);
    // "Wien, Floridsdorf" and "Graz,05.Bez.:Gries" are Floridsdorf and Gries too.
    if (const std::size_t cut = name.find_last_of(",:"); cut != std::string_view::npos)
      index(byName_, byLooseName_, name.substr(cut + 1));
    index(byMunicipality_, byLooseMunicipality_, record.Text(1));
  });
  for (const FederalState& state : FederalStateTable())
    for (const std::string& name : {state.FullName, state.DisplayName, state.ShortForm})
      stateNames_.emplace_back(FoldName(name), &state);
}

namespace {

std::vector<std::string> Jurisdictions(std::string_view value) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  for (;;) {
    const std::size_t comma = value.find(',', from);
    parts.push_back(TrimBlanks(value.substr(from, comma == std::string_view::npos ? comma : comma - from)));
    if (comma == std::string_view::npos) break;
    from = comma + 1;
  }
  return parts;
}

bool IsAustria(std::string_view jurisdiction) {
  const std::string folded = FoldName(jurisdiction);
  return folded == "austria" || folded == "oesterreich";
}

const std::vector<std::size_t>* LookUp(const std::unordered_map<std::string, std::vector<std::size_t>>& index,
                                       const std::string& key) {
  const auto at = index.find(key);
  return at == index.end() ? nullptr : &at->second;
}

}  // namespace

// The candidates narrowed by what else the value names, where it names something of the
// gazetteer.
std::vector<std::size_t> Gazetteer::Narrowed(std::vector<std::size_t> candidates, const std::vector<std::string>& parts,
                                             std::size_t first) const {
  for (std::size_t k = first; k < parts.size(); ++k) {
    const std::string folded = FoldName(parts[k]);
    if (folded.empty()) continue;
    const auto keep = [&](auto&& test) {
      std::vector<std::size_t> kept;
      for (std::size_t c : candidates)
        if (test(places_[c])) kept.push_back(c);
      candidates = std::move(kept);
    };
    const auto state = std::find_if(stateNames_.begin(), stateNames_.end(),
                                    [&](const auto& stateName) { return stateName.first == folded; });
    if (state != stateNames_.end()) {
      keep([&](const Found& f) { return TextOf(f.record.StateShortForm) == state->second->ShortForm; });
      continue;
    }
    const auto namedAs = [&](const std::optional<std::string>& item) { return FoldName(TextOf(item)) == folded; };
    const bool district = std::any_of(candidates.begin(), candidates.end(),
                                      [&](std::size_t c) { return namedAs(places_[c].record.District); });
    const bool municipality = std::any_of(candidates.begin(), candidates.end(),
                                          [&](std::size_t c) { return namedAs(places_[c].record.Municipality); });
    if (district) keep([&](const Found& f) { return namedAs(f.record.District); });
    else if (municipality) keep([&](const Found& f) { return namedAs(f.record.Municipality); });
  }
  return candidates;
}

// The places of the names of an index that are as few edits away from a name as their
// length allows, with how far each is.
void Gazetteer::Near(const Index& index, const std::string& name, std::vector<std::pair<int, std::size_t>>& near) const {
  for (const auto& [key, places] : index) {
    // A name whose length alone is further away is passed over without a count.
    const int allowed = EditsAllowed(key);
    const auto lengths = static_cast<int>(key.size()) - static_cast<int>(name.size());
    if (lengths > allowed || -lengths > allowed) continue;
    const int edits = Edits(name, key, Span::kWhole, allowed);
    if (edits > allowed) continue;
    for (std::size_t place : places) near.emplace_back(edits, place);
  }
}

Resolution Gazetteer::Resolve(std::string_view value, bool everyValue) const {
  Resolution resolution;
  std::vector<std::string> parts = Jurisdictions(value);
  const bool austrian = parts.size() > 1 && IsAustria(parts.back());
  if (austrian) {
    parts.pop_back();
  } else if (!everyValue) {
    resolution.status = Resolution::Status::kNotAustrian;
    return resolution;
  }
  // The place: its name may hold a comma itself ("Wien, Floridsdorf"). No place of that name:
  // the places of a municipality of that name ("Graz" and "Wien" are in the gazetteer by
  // their districts only). Then the same with the umlauts dropped.
  std::size_t first = 2;
  const std::vector<std::size_t>* named = parts.size() > 2 ? LookUp(byName_, FoldName(parts[0] + "," + parts[1])) : nullptr;
  const std::string folded = FoldName(parts.front());
  std::string loose = folded;
  DropUmlauts(loose);
  if (!named) {
    first = 1;
    named = LookUp(byName_, folded);
    if (!named) named = LookUp(byMunicipality_, folded);
    if (!named) named = LookUp(byLooseName_, loose);
    if (!named) named = LookUp(byLooseMunicipality_, loose);
  }
  // None of these, in a value that says it is in Austria: the names a letter or two away, the
  // nearest first, each in data-file order.
  std::vector<std::size_t> candidates;
  if (named) {
    candidates = Narrowed(*named, parts, first);
  } else if (austrian && !loose.empty()) {
    std::vector<std::pair<int, std::size_t>> near;
    Near(byLooseName_, loose, near);
    if (near.empty()) Near(byLooseMunicipality_, loose, near);
    std::sort(near.begin(), near.end());
    for (const auto& [edits, place] : near) candidates.push_back(place);
    candidates = Narrowed(std::move(candidates), parts, first);
    if (!candidates.empty()) resolution.status = Resolution::Status::kSimilar;
  }
  // A place with two postcodes is one place: the place strings count, the first record of
  // each gives its coordinates.
  std::vector<std::size_t> distinct;
  for (std::size_t c : candidates)
    if (std::none_of(distinct.begin(), distinct.end(),
                     [&](std::size_t d) { return places_[d].placeString == places_[c].placeString; }))
      distinct.push_back(c);
  for (std::size_t d : distinct) resolution.candidates.push_back(places_[d].placeString);
  if (distinct.size() == 1 && resolution.status != Resolution::Status::kSimilar) {
    resolution.status = Resolution::Status::kUnique;
    resolution.placeString = places_[distinct.front()].placeString;
    resolution.coordinates = places_[distinct.front()].coordinates;
    resolution.candidates.clear();
  } else if (distinct.size() > 1 && resolution.status != Resolution::Status::kSimilar) {
    resolution.status = Resolution::Status::kAmbiguous;
  }
  return resolution;
}

const char* StatusText(Resolution::Status status) {
  switch (status) {
    case Resolution::Status::kUnique: return "eindeutig";
    case Resolution::Status::kAmbiguous: return "mehrdeutig";
    case Resolution::Status::kNotFound: return "nicht gefunden";
    case Resolution::Status::kSimilar: return "ähnlich";
    case Resolution::Status::kNotAustrian: return "";
  }
  return "";
}

}  // namespace veldaris::ort
