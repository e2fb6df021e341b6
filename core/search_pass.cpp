#include "core/search_pass.h"

#include "core/text1252.h"

namespace veldaris {

bool MatchesSearchText(std::string_view item, std::string_view searchText, MatchMode mode) {
  if (mode == MatchMode::kBeginsWith) {
    if (item.size() < searchText.size()) return false;
    for (std::size_t i = 0; i < searchText.size(); ++i)
      if (ToLower1252(item[i]) != searchText[i]) return false;
    return true;
  }
  if (searchText.empty() || item.size() <= searchText.size()) return false;
  // Only the first occurrence counts: one at the start rules the item out, and then any
  // further inside is the first.
  const auto at = [&](std::size_t from) {
    for (std::size_t i = 0; i < searchText.size(); ++i)
      if (ToLower1252(item[from + i]) != searchText[i]) return false;
    return true;
  };
  if (at(0)) return false;
  for (std::size_t from = 1; from + searchText.size() <= item.size(); ++from)
    if (ToLower1252(item[from]) == searchText[0] && at(from)) return true;
  return false;
}

std::size_t ItemOf(SearchedItem item) {
  return item == SearchedItem::kMunicipality ? 1 : item == SearchedItem::kDistrict ? 2 : 0;
}

PassOutcome RunSearchPass(RecordReader& data, OutputFile& results, OutputFile& csv, const SearchQuery& query) {
  const std::size_t item = ItemOf(query.item);
  const bool filtered = !query.stateFilter.empty();
  long matches = 0;
  PassOutcome outcome = ForEachPlace(data, [&](const RecordRef& record, const std::string& stateName) {
    if (filtered && query.stateFilter != stateName) return;
    if (!MatchesSearchText(record.Text(item), query.searchText, query.mode)) return;
    // A line in the written form is what writing its record would give.
    if (const std::string_view line = record.WrittenLine(); !line.empty())
      results.Write(line);
    else
      WritePlaceRecord(results, record.View());
    ++matches;
    WriteResultCsvLine(csv, record);
  });
  outcome.matchCount = matches;
  return outcome;
}

}  // namespace veldaris
