// One pass of the place search over the data file.
#pragma once

#include <string>
#include <string_view>

#include "core/place_record.h"

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

// Reads every record of data; a record whose short form is none of the nine keeps the state
// name of the record before it. Each record that passes the state filter (exact comparison
// of full names) and matches is written to results and to csv at once.
void RunSearchPass(InputFile& data, OutputFile& results, OutputFile& csv,
                   const SearchQuery& query, SearchPassState state);

}  // namespace veldaris
