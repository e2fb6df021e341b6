// The places of a family tree looked up in the gazetteer: what a place value as old records
// write it means today, or why it cannot be placed.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/record_reader.h"
#include "tools/coordinates.h"
#include "tools/ort/lookup.h"

namespace veldaris::ort {

// A place a value may mean: its place string and its coordinates, where they are known.
struct Candidate {
  std::string placeString;
  std::optional<Coordinates> coordinates;
  bool operator==(const Candidate&) const = default;
};

// Where a place of a family tree stands in the gazetteer.
struct Resolution {
  enum class Status { kUnique, kAmbiguous, kNotFound, kNotAustrian, kSimilar };
  Status status = Status::kNotFound;
  std::string placeString;                // when unique
  std::optional<Coordinates> coordinates;  // when unique
  std::vector<Candidate> candidates;       // when more than one, or similar
  std::string reason;     // Windows-1252: when not unique, which part could not be placed and why
  bool keepValue = false;  // the value begins with a building or an address, which stays as written
};

// A value's part as written, folded once.
struct ValuePart {
  std::string text;    // trimmed, Windows-1252
  std::string folded;  // FoldName
  std::string loose;   // the same with the umlauts dropped
};
std::vector<ValuePart> ValueParts(std::string_view value);

// The gazetteer held in memory for the many lookups of a report: its places and its
// municipalities, and the jurisdictions a place value names, from the data file and the
// names table.
class Gazetteer {
 public:
  explicit Gazetteer(RecordReader& data, const CoordinatesIndex& coordinates = {});
  ~Gazetteer();
  Gazetteer(Gazetteer&&) noexcept;
  std::size_t size() const;
  // A place value of a family tree, its parts separated by commas, the place first
  // (Windows-1252). It is looked up when its last part names Austria (the Republic, the
  // Empire, the monarchy; left out then) or, after a place, one of its states or a land that
  // held one (Hungary held the Burgenland), or when every value is asked for. The place is
  // found by its name or its municipality's ("Graz" is the city as a whole), folded, then
  // with the umlauts dropped, then with an official addition dropped from either side ("Hall"
  // for Hall in Tirol, "Linz an der Donau" for Linz), or as a district of Vienna, Graz or
  // Klagenfurt by name or number ("Wien IX"); a first part that is a building or an address
  // is passed over and kept. Every part after the place must agree with it: a state by any of
  // its names, a district of today or of before a reform, a municipality, a region, a land
  // that held it. A part that names something else (another land, an unknown word) leaves no
  // unique place. Found by no name in a value that is Austrian, the names a letter or two
  // away are the candidates of a similar place, never a unique one.
  Resolution Resolve(std::string_view value, bool everyValue) const;

 private:
  struct Data;
  class Lookup;
  std::unique_ptr<Data> data_;
};

// "eindeutig", "mehrdeutig", "nicht gefunden", "ähnlich" (UTF-8), or empty for a value
// outside Austria.
const char* StatusText(Resolution::Status status);

}  // namespace veldaris::ort
