// The lookups of veldaris-ort: the window's search on the command line, its tolerant form,
// and the place strings for the places of a family tree.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/federal_states.h"
#include "core/record_reader.h"
#include "core/place_record.h"
#include "core/search_pass.h"

namespace veldaris::ort {

struct SearchOptions {
  std::string text;   // as typed (Windows-1252); lower-cased and trimmed as the window does
  MatchMode mode = MatchMode::kBeginsWith;
  SearchedItem item = SearchedItem::kPlace;
  std::string state;  // a state's full name as the state field completes it; empty: all
  bool tolerant = false;
};

// A place found: its record, its state's full name, and its place string, the one the
// window puts on the clipboard.
struct Found {
  PlaceRecord record;
  std::string stateName;
  std::string placeString;
  bool exact = true;  // false: found by the tolerant comparison only
};

// The window's search over the data file, every match in data-file order. Tolerant, the
// exact matches come first, then those that match only when folded (FoldName), each in
// data-file order.
std::vector<Found> Search(RecordReader& data, const SearchOptions& options);

// Where a place of a family tree stands in the gazetteer.
struct Resolution {
  enum class Status { kUnique, kAmbiguous, kNotFound, kNotAustrian };
  Status status = Status::kNotFound;
  std::string placeString;              // when unique
  std::vector<std::string> candidates;  // their place strings, when more than one
};

// The gazetteer held in memory, its places by folded name, for the many lookups of a report.
class Gazetteer {
 public:
  explicit Gazetteer(RecordReader& data);
  std::size_t size() const { return places_.size(); }
  // A place value of a family tree, its jurisdictions separated by commas, the first the
  // place (Windows-1252). Only values whose last jurisdiction is Austria are looked up,
  // unless every value is asked for: its first jurisdiction as a place's name, or else as a
  // municipality's; a state, district or municipality named in the value narrows the
  // candidates.
  Resolution Resolve(std::string_view value, bool everyValue) const;

 private:
  std::vector<Found> places_;
  std::unordered_map<std::string, std::vector<std::size_t>> byName_;          // folded place names
  std::unordered_map<std::string, std::vector<std::size_t>> byMunicipality_;  // folded municipalities
  std::vector<std::pair<std::string, const FederalState*>> stateNames_;  // folded names, short forms
};

// "eindeutig", "mehrdeutig", "nicht gefunden", or empty for a value outside Austria.
const char* StatusText(Resolution::Status status);

}  // namespace veldaris::ort
