#include "tools/ort/lookup.h"

#include <algorithm>

#include "core/federal_states.h"
#include "tools/ort/fold.h"
#include "core/rules.h"
#include "core/text1252.h"

namespace veldaris::ort {
namespace {

Found FoundOf(const RecordRef& record, const std::string& stateName) {
  Found found;
  CopyRecord(record.View(), found.record);
  found.stateName = stateName;
  // The string of a pick in the window: the state as it is shown there.
  found.placeString = BuildPlaceString(
      found.record, GetStateDisplayName(TextOf(found.record.StateShortForm)).value_or(""));
  return found;
}

// The window's two match rules on folded texts.
bool MatchesFolded(std::string_view item, std::string_view text, MatchMode mode) {
  if (mode == MatchMode::kBeginsWith) return item.starts_with(text);
  if (text.empty()) return false;
  const auto at = item.find(text);
  return at != std::string_view::npos && at > 0;
}

}  // namespace

std::vector<Found> Search(RecordReader& data, const SearchOptions& options) {
  const std::string text = TrimBlanks(ToLower1252(options.text));
  std::string foldedText;
  FoldName(options.text, foldedText);
  const std::size_t item = ItemOf(options.item);
  const bool beginsWith = options.mode == MatchMode::kBeginsWith;
  std::vector<Found> exact;
  std::vector<Found> tolerant;
  std::string folded;
  ForEachPlace(data, [&](const RecordRef& record, const std::string& state) {
    if (!options.state.empty() && options.state != state) return;
    const std::string_view name = record.Text(item);
    if (MatchesSearchText(name, text, options.mode)) {
      exact.push_back(FoundOf(record, state));
      return;
    }
    if (!options.tolerant || foldedText.empty()) return;
    // The beginning of a name is compared on as much of it as the text needs.
    if (beginsWith && FirstFoldedByte(name) != foldedText.front()) return;
    FoldName(name, folded, beginsWith ? foldedText.size() : std::string::npos);
    if (MatchesFolded(folded, foldedText, options.mode)) {
      tolerant.push_back(FoundOf(record, state));
      tolerant.back().exact = false;
    }
  });
  exact.insert(exact.end(), std::make_move_iterator(tolerant.begin()), std::make_move_iterator(tolerant.end()));
  return exact;
}

Gazetteer::Gazetteer(RecordReader& data) {
  ForEachPlace(data, [&](const RecordRef& record, const std::string& state) {
    places_.push_back(FoundOf(record, state));
    const std::string_view name = record.Text(0);
    byName_[FoldName(name)].push_back(places_.size() - 1);
    // "Wien, Floridsdorf" and "Graz,05.Bez.:Gries" are Floridsdorf and Gries too.
    if (const std::size_t cut = name.find_last_of(",:"); cut != std::string_view::npos)
      if (std::string inner = FoldName(name.substr(cut + 1)); !inner.empty())
        byName_[inner].push_back(places_.size() - 1);
    byMunicipality_[FoldName(record.Text(1))].push_back(places_.size() - 1);
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

}  // namespace

Resolution Gazetteer::Resolve(std::string_view value, bool everyValue) const {
  Resolution resolution;
  std::vector<std::string> parts = Jurisdictions(value);
  if (parts.size() > 1 && IsAustria(parts.back())) {
    parts.pop_back();
  } else if (!everyValue) {
    resolution.status = Resolution::Status::kNotAustrian;
    return resolution;
  }
  // The place: its name may hold a comma itself ("Wien, Floridsdorf"). No place of that name:
  // the places of a municipality of that name ("Graz" and "Wien" are in the gazetteer by
  // their districts only).
  const auto lookUp = [](const auto& index, const std::string& key) -> const std::vector<std::size_t>* {
    const auto at = index.find(key);
    return at == index.end() ? nullptr : &at->second;
  };
  std::size_t first = 2;
  const std::vector<std::size_t>* named =
      parts.size() > 2 ? lookUp(byName_, FoldName(parts[0] + "," + parts[1])) : nullptr;
  if (!named) {
    first = 1;
    const std::string folded = FoldName(parts.front());
    named = lookUp(byName_, folded);
    if (!named) named = lookUp(byMunicipality_, folded);
  }
  if (!named) return resolution;
  std::vector<std::size_t> candidates = *named;
  // Narrowed by what else the value names, where it names something of the gazetteer.
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
  // A place with two postcodes is one place: the place strings count.
  for (std::size_t c : candidates)
    if (std::find(resolution.candidates.begin(), resolution.candidates.end(), places_[c].placeString) ==
        resolution.candidates.end())
      resolution.candidates.push_back(places_[c].placeString);
  if (resolution.candidates.empty()) return resolution;
  if (resolution.candidates.size() == 1) {
    resolution.status = Resolution::Status::kUnique;
    resolution.placeString = resolution.candidates.front();
    resolution.candidates.clear();
  } else {
    resolution.status = Resolution::Status::kAmbiguous;
  }
  return resolution;
}

const char* StatusText(Resolution::Status status) {
  switch (status) {
    case Resolution::Status::kUnique: return "eindeutig";
    case Resolution::Status::kAmbiguous: return "mehrdeutig";
    case Resolution::Status::kNotFound: return "nicht gefunden";
    case Resolution::Status::kNotAustrian: return "";
  }
  return "";
}

}  // namespace veldaris::ort
