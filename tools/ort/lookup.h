// The lookups of veldaris-ort: the window's search on the command line, its tolerant form,
// and the place strings for the places of a family tree.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/federal_states.h"
#include "core/record_reader.h"
#include "core/place_record.h"
#include "core/search_pass.h"
#include "tools/coordinates.h"

namespace veldaris::ort {

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

// Where a place of a family tree stands in the gazetteer.
struct Resolution {
  enum class Status { kUnique, kAmbiguous, kNotFound, kNotAustrian, kSimilar };
  Status status = Status::kNotFound;
  std::string placeString;                // when unique
  std::optional<Coordinates> coordinates;  // when unique: of its first record in the data file
  std::vector<std::string> candidates;    // their place strings: when more than one, or similar
};

// The gazetteer held in memory, its places by folded name, for the many lookups of a report.
class Gazetteer {
 public:
  explicit Gazetteer(RecordReader& data, const CoordinatesIndex& coordinates = {});
  std::size_t size() const { return places_.size(); }
  // A place value of a family tree, its jurisdictions separated by commas, the first the
  // place (Windows-1252). Only values whose last jurisdiction is Austria are looked up,
  // unless every value is asked for: its first jurisdiction as a place's name, or else as a
  // municipality's, folded, and else with the umlauts dropped; a state, district or
  // municipality named in the value narrows the candidates. Found by none of these in a
  // value that names Austria, the names a letter or two away are the candidates of a
  // similar place, never a unique one.
  Resolution Resolve(std::string_view value, bool everyValue) const;

 private:
  using Index = std::unordered_map<std::string, std::vector<std::size_t>>;
  std::vector<std::size_t> Narrowed(std::vector<std::size_t> candidates, const std::vector<std::string>& parts,
                                    std::size_t first) const;
  void Near(const Index& index, const std::string& name, std::vector<std::pair<int, std::size_t>>& near) const;

  std::vector<Found> places_;
  Index byName_;                // folded place names
  Index byMunicipality_;        // folded municipalities
  Index byLooseName_;           // the same with the umlauts dropped
  Index byLooseMunicipality_;
  std::vector<std::pair<std::string, const FederalState*>> stateNames_;  // folded names, short forms
};

// "eindeutig", "mehrdeutig", "nicht gefunden", "ähnlich" (UTF-8), or empty for a value
// outside Austria.
const char* StatusText(Resolution::Status status);

}  // namespace veldaris::ort
