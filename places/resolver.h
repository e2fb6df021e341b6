// The places of a family tree looked up in the gazetteer: what a place value as old records
// write it means today, or why it cannot be placed.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/record_reader.h"
#include "places/city_parts.h"
#include "places/coordinates.h"
#include "places/fold.h"
#include "places/lookup.h"
#include "places/monarchy.h"
#include "places/names.h"
#include "places/world.h"

namespace veldaris::places {

// The country a place lies in today.
struct Country {
  std::string code;  // ISO: "AT", "CZ"
  bool IsAustria() const { return code == "AT"; }
  std::string_view Name() const { return CountryName(code); }  // "Österreich", "Tschechien"
  bool operator==(const Country&) const = default;
};

// A place a value may mean: its place string (of a place abroad: today's name and country,
// "Brno, Tschechien"), its coordinates where they are known, its country today. UTF-8.
struct Candidate {
  std::string placeString;
  std::optional<Coordinates> coordinates;
  Country country;
  bool operator==(const Candidate&) const = default;
};

// Where a place of a family tree stands in the gazetteer, or among the places of the old
// monarchy abroad: the places it may mean, and the one it means where that is sure. UTF-8.
struct Resolution {
  // kAbroad: one place of the monarchy's lands outside today's Austria.
  enum class Status { kUnique, kAmbiguous, kNotFound, kNotAustrian, kSimilar, kAbroad };
  Status status = Status::kNotFound;
  std::vector<Candidate> candidates;
  std::optional<std::size_t> chosen;  // kUnique and kAbroad: the candidate it means
  std::string reason;      // when not unique: which part could not be placed, and why
  bool keepValue = false;  // the value stays as written: it begins with a building or an address,
                           // or it names a place abroad by its historical name

  // The place it means; none when it is not sure.
  const Candidate* Place() const { return chosen && *chosen < candidates.size() ? &candidates[*chosen] : nullptr; }
  // Its place string and coordinates: the sure place's, or empty and none.
  std::string PlaceString() const { return Place() ? Place()->placeString : std::string(); }
  std::optional<Coordinates> Point() const { return Place() ? Place()->coordinates : std::nullopt; }
  // The candidates a user chooses among: every one where none is sure, and where one is
  // (a town over the hamlets of its name) every one as well; none where it is the only one.
  std::span<const Candidate> Open() const {
    return chosen && candidates.size() < 2 ? std::span<const Candidate>() : std::span<const Candidate>(candidates);
  }
};

// A value's parts as written, each folded once: between its commas and semicolons, and at a
// full stop that ends a word before a blank ("Wien-Mariahilf. Österreich"), but not an
// abbreviation ("St. Pölten", "Bez. Liezen"); a text in brackets a part of its own ("Steyr
// (OÖ)"), unless `isName` takes the part with it ("Bach (Zweinitz)"); empty parts left out.
std::vector<FoldedName> ValueParts(std::string_view value,
                                   const std::function<bool(const std::string& folded)>& isName = {});

// The files beside the data file that the gazetteer takes with it.
struct GazetteerFiles {
  CoordinatesIndex coordinates;
  MonarchyIndex monarchy;
  std::vector<CityPart> cityParts;
  WorldNames world;
};

// The gazetteer held in memory for the many lookups of a report: its places and its
// municipalities, and the jurisdictions a place value names, from the data file and the
// names table.
class Gazetteer {
 public:
  Gazetteer(RecordReader& data, GazetteerFiles files);
  explicit Gazetteer(RecordReader& data, const CoordinatesIndex& coordinates = {}, MonarchyIndex monarchy = {});
  ~Gazetteer();
  Gazetteer(Gazetteer&&) noexcept;
  std::size_t size() const;
  // A place value of a family tree, its parts separated by commas, the place first (UTF-8).
  // Every value that names a place is looked up; one that names only a country, a land or a
  // region is not, unless every value is asked for. A value is Austrian where its last part
  // names Austria (the Republic, the Empire, the monarchy; left out then) or, after a place,
  // one of its states, a land that held one (Hungary held the Burgenland), a region, a
  // district, or where it names a district of Vienna. The place is found by its name or its
  // municipality's ("Graz" is the city as a whole), folded, then with the umlauts dropped,
  // then with an official addition dropped from either side ("Hall" for Hall in Tirol, "Linz
  // an der Donau" for Linz), as a district or a former suburb of Vienna or a part of another
  // city by name or number ("Wien IX", "Wien-Gumpendorf", "Linz-Urfahr"), as "X bei Y" (the
  // place X nearest to Y, within 15 km); a first part that is a building or an address, or a
  // name with a house number, is passed over and kept; "of", "in", "aus" or "from" before the
  // name is left out. Every part after the place must agree with it: a state by any of its
  // names, a district of today or of before a reform, a municipality, a region, a land that
  // held it. A part that names something else (another land, an unknown word) leaves no
  // unique place. Of a town and hamlets of its name, the town is meant unless another part
  // points to a hamlet. Found by no name in a value that is Austrian, the names a letter or
  // two away are the candidates of a similar place, never a unique one. A value whose last
  // part is the Empire, a land of the monarchy or a country that holds one today, and that
  // names no place of today's Austria, is looked up among the monarchy's places abroad. A
  // value that names no country, land or state is one place when its name is one place among
  // today's Austria's and the monarchy's, and no place of 500 or more inhabitants elsewhere
  // bears it.
  Resolution Resolve(std::string_view value, bool everyValue) const;

 private:
  struct Data;
  struct Builder;
  class Lookup;
  std::unique_ptr<Data> data_;
};

// "eindeutig", "mehrdeutig", "nicht gefunden", "ähnlich", "Ausland" (UTF-8), or empty for a
// value that is not looked up.
const char* StatusText(Resolution::Status status);

// Reasons joined by "; ": `more`'s reasons (themselves joined so) after those of `reasons`,
// each reason once.
void AddReasons(std::string& reasons, std::string_view more);

}  // namespace veldaris::places
