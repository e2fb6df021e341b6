#include "places/lookup.h"

#include <algorithm>

#include "core/federal_states.h"
#include "core/rules.h"
#include "core/text1252.h"
#include "places/fold.h"

namespace veldaris::places {

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

namespace {

// The window's two match rules on folded texts.
bool MatchesFolded(std::string_view item, std::string_view text, MatchMode mode) {
  if (mode == MatchMode::kBeginsWith) return item.starts_with(text);
  if (text.empty()) return false;
  const auto at = item.find(text);
  return at != std::string_view::npos && at > 0;
}

}  // namespace

std::vector<Found> Search(RecordReader& data, const SearchOptions& options, const CoordinatesIndex& coordinates) {
  const std::string text = TrimBlanks(ToLower1252(options.text));
  const std::string looseText = Loosened(FoldName(options.text));
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

std::vector<MonarchyFound> SearchMonarchy(const MonarchyIndex& places, std::string_view text,
                                          const SearchOptions& options) {
  std::vector<MonarchyFound> found;
  std::vector<bool> seen(places.size());
  const auto add = [&](const std::vector<std::uint32_t>& ids, Match match, int edits) {
    for (std::uint32_t id : ids)
      if (!seen[id]) {
        seen[id] = true;
        found.push_back({id, match, edits});
      }
  };
  const std::string trimmed = TrimBlanks(text);
  const bool beginsWith = options.mode == MatchMode::kBeginsWith;
  for (const bool loose : {false, true}) {
    if (loose && !(options.tolerant || options.similar)) break;
    const MonarchyNames names = loose ? MonarchyNames::kLoose : MonarchyNames::kExact;
    const FoldedName typed = FoldedName::OfUtf8(trimmed);
    const std::string& key = loose ? typed.loose : typed.folded;
    if (key.empty()) return found;
    const Match match = loose ? Match::kTolerant : Match::kExact;
    if (beginsWith) {
      const auto [first, last] = places.Prefixed(key, names);
      for (std::size_t k = first; k < last; ++k) add(places.Key(k, names).second, match, 0);
    } else {
      for (std::size_t k = 0; k < places.Keys(names); ++k) {
        const auto [name, ids] = places.Key(k, names);
        if (const std::size_t at = name.find(key); at != std::string_view::npos && at > 0) add(ids, match, 0);
      }
    }
    if (!loose || !options.similar) continue;
    // The names a letter or two away, from the loose keys, the nearest first.
    const int allowed = EditsAllowed(key);
    std::vector<std::pair<int, std::uint32_t>> near;
    for (std::size_t k = 0; k < places.Keys(MonarchyNames::kLoose); ++k) {
      const auto [name, ids] = places.Key(k, MonarchyNames::kLoose);
      const int edits = Edits(key, name, beginsWith ? Span::kBeginning : Span::kInside, allowed);
      if (edits <= allowed)
        for (std::uint32_t id : ids) near.emplace_back(edits, id);
    }
    std::stable_sort(near.begin(), near.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [edits, id] : near) add({id}, Match::kSimilar, edits);
  }
  return found;
}

}  // namespace veldaris::places
