// The window's search on the command line, and its tolerant form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/federal_states.h"
#include "core/record_reader.h"
#include "core/place_record.h"
#include "core/search_pass.h"
#include "places/coordinates.h"
#include "places/monarchy.h"

namespace veldaris::places {

struct SearchOptions {
  std::string text;   // as typed (Windows-1252); lower-cased and trimmed as the window does
  MatchMode mode = MatchMode::kBeginsWith;
  SearchedItem item = SearchedItem::kPlace;
  std::string state;  // a state's full name as the state field completes it; empty: all
  bool tolerant = false;
  bool similar = false;  // also names a letter or two away
};

// How a place was found.
enum class Match { kExact, kTolerant, kSimilar };

// A place found: its record, its state's full name, its place string (the one the window
// puts on the clipboard) and its coordinates, where they are known.
struct Found {
  PlaceRecord record;
  std::string stateName;
  std::string placeString;
  std::optional<Coordinates> coordinates;
  Match match = Match::kExact;
  int edits = 0;  // for a similar name: how far it is
};

// The window's search over the data file, every match in data-file order. Tolerant, the
// exact matches come first, then those that match only when folded (FoldName, and the
// umlauts dropped), each in data-file order; asked for similar names, then those the
// fewest edits away (Edits), the beginning of the name or a part of it as the mode says.
std::vector<Found> Search(RecordReader& data, const SearchOptions& options,
                          const CoordinatesIndex& coordinates = {});

// A place of the old monarchy found by the search of its names.
struct MonarchyFound {
  std::uint32_t id = 0;  // in the MonarchyIndex
  Match match = Match::kExact;
  int edits = 0;
};

// The same search among the places of the old monarchy, by any of their names (UTF-8 text):
// names that begin with the text (or hold it further inside, as the mode says), then where
// asked for those that do so with the umlauts dropped, then the names a letter or two away,
// the nearest first. Each place once; the searched item and the state do not apply.
std::vector<MonarchyFound> SearchMonarchy(const MonarchyIndex& places, std::string_view text,
                                          const SearchOptions& options);

// A place found by a record of the data file, with its state's name.
Found FoundOf(const RecordRef& record, const std::string& stateName, const CoordinatesIndex& coordinates);

}  // namespace veldaris::places
