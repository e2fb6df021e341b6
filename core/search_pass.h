// One pass of the place search over the data file.
#pragma once

#include <string>
#include <string_view>

#include "core/federal_states.h"
#include "core/place_record.h"
#include "core/record_stream.h"

namespace veldaris {

class InputFile;
class OutputFile;

enum class MatchMode { kBeginsWith, kContains };
enum class SearchedItem { kPlace, kMunicipality, kDistrict };

// searchText is already lower-cased and trimmed; item is compared lower-cased, not trimmed.
// Begins-with: the first characters of the item equal the search text. Contains: the first
// occurrence of the search text starts at the second character or later, so the two modes
// find disjoint sets.
bool MatchesSearchText(std::string_view item, std::string_view searchText, MatchMode mode);

struct SearchQuery {
  std::string searchText;   // lower-cased, trimmed
  std::string stateFilter;  // the state field as it stands; empty: every state
  MatchMode mode = MatchMode::kBeginsWith;
  SearchedItem item = SearchedItem::kPlace;
};

// What the pass leaves behind; the search keeps these as window-level variables.
struct SearchPassState {
  PlaceRecord& currentRecord;     // the record read last
  std::string& currentStateName;  // full name of the state of the record read last
  long& recordCount;              // records read, before the state filter
  long& matchCount;
};

// The item a query compares: 0 place, 1 municipality, 2 district.
std::size_t ItemOf(SearchedItem item);

// Every record of data, with the full name of its state: a record whose short form is none of
// the nine keeps the state name of the record before it. visit(const RecordRef&, const
// std::string& stateName) sees each; state counts the records and keeps the last one.
template <typename Visit>
void ForEachPlace(InputFile& data, SearchPassState state, Visit&& visit) {
  PlaceRecordView last;
  PlaceRecord storage;  // for the records that the general reader has to take
  const std::string* stateName = &state.currentStateName;
  const bool any = ReadEveryRecord(data, last, storage, [&](const RecordRef& record) {
    if (const FederalState* row = FindStateByShortForm(record.Text(3))) stateName = &row->FullName;
    ++state.recordCount;
    visit(record, *stateName);
  });
  // The record read last stays readable across the end-of-file test.
  if (any) CopyRecord(last, state.currentRecord);
  if (stateName != &state.currentStateName) state.currentStateName = *stateName;
}

// The search: each record that passes the state filter (exact comparison of full names)
// and matches is written to results and to csv at once.
void RunSearchPass(InputFile& data, OutputFile& results, OutputFile& csv,
                   const SearchQuery& query, SearchPassState state);

}  // namespace veldaris
