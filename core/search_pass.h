// One pass of the place search over the data file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/federal_states.h"
#include "core/output_file.h"
#include "core/place_record.h"
#include "core/record_reader.h"

namespace veldaris {

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

// What a pass over the data file leaves behind; the search keeps it in window-level
// variables.
struct PassOutcome {
  long recordCount = 0;  // records read, before the state filter
  long matchCount = 0;
  std::optional<PlaceRecord> lastRecord;  // the record read last; nothing in an empty file
  std::string lastStateName;  // the full name of its state, carried over as every record's is
};

// The item a query compares: 0 place, 1 municipality, 2 district.
std::size_t ItemOf(SearchedItem item);

// Every record of data, with the full name of its state: a record whose short form is none of
// the nine keeps the state name of the record before it (empty before the first).
// visit(const RecordRef&, const std::string& stateName) sees each.
template <typename Visit>
PassOutcome ForEachPlace(RecordReader& data, Visit&& visit) {
  PassOutcome outcome;
  static const std::string kNoState;
  const std::string* stateName = &kNoState;
  const std::optional<RecordRef> last = data.ForEach([&](const RecordRef& record) {
    if (const FederalState* row = FindStateByShortForm(record.Text(3))) stateName = &row->FullName;
    ++outcome.recordCount;
    visit(record, *stateName);
  });
  if (last) CopyRecord(last->View(), outcome.lastRecord.emplace());
  outcome.lastStateName = *stateName;
  return outcome;
}

// The search: each record that passes the state filter (exact comparison of full names)
// and matches is written to results and to csv at once.
PassOutcome RunSearchPass(RecordReader& data, OutputFile& results, OutputFile& csv, const SearchQuery& query);

}  // namespace veldaris
