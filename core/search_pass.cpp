#include "core/search_pass.h"

#include "core/federal_states.h"
#include "core/files.h"
#include "core/text1252.h"

namespace veldaris {

bool MatchesSearchText(std::string_view item, std::string_view searchText, MatchMode mode,
                       std::string& scratch) {
  if (mode == MatchMode::kBeginsWith) {
    if (item.size() < searchText.size()) return false;
    for (std::size_t i = 0; i < searchText.size(); ++i)
      if (ToLower1252(item[i]) != searchText[i]) return false;
    return true;
  }
  if (searchText.empty() || item.size() <= searchText.size()) return false;
  scratch.assign(item);
  for (char& c : scratch) c = ToLower1252(c);
  const auto first = scratch.find(searchText);
  return first != std::string::npos && first > 0;
}

void RunSearchPass(InputFile& data, OutputFile& results, OutputFile& csv,
                   const SearchQuery& query, SearchPassState state) {
  std::string scratch;
  PlaceRecordView record;
  PlaceRecord storage;  // for the records that the general reader has to take
  bool anyRecord = false;
  const std::string* stateName = &state.currentStateName;
  const std::size_t item = query.item == SearchedItem::kMunicipality ? 1
                           : query.item == SearchedItem::kDistrict   ? 2
                                                                     : 0;
  while (!data.AtEnd()) {
    ReadPlaceRecordView(data, record, storage);
    anyRecord = true;
    if (const FederalState* row = FindStateByShortForm(record.StateShortForm()))
      stateName = &row->FullName;
    ++state.recordCount;
    if (!query.stateFilter.empty() && query.stateFilter != *stateName) continue;
    if (MatchesSearchText(record.Text(item), query.searchText, query.mode, scratch)) {
      WritePlaceRecord(results, record);
      ++state.matchCount;
      WriteResultCsvLine(csv, record);
    }
  }
  // The record read last stays readable across the end-of-file test.
  if (anyRecord) CopyRecord(record, state.currentRecord);
  if (stateName != &state.currentStateName) state.currentStateName = *stateName;
}

}  // namespace veldaris
