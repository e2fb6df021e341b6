// The names that old records give the country, the states, the crown lands, the regions and
// the former districts, in one table; and the words that tell what else a part of a place
// value is (a building, a parish, an official addition to a name).
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace veldaris::places {

// What a row of the table names.
enum class AreaKind : unsigned char {
  kCountry,         // Austria (its names from the Empire to the Republic), or a foreign country
  kState,           // one of the nine states
  kLand,            // a land that held places of today's Austria, or none: a crown land of the monarchy
  kRegion,          // a part of a state: its districts ("Pinzgau", "Waldviertel")
  kFormerDistrict,  // a district before a reform, and the districts that hold its places today
};

struct NamedArea {
  AreaKind kind;
  std::string_view names;      // UTF-8, separated by '|': the German name first, then old, English, local
  std::string_view states;     // the short forms of the states whose places it holds, separated by blanks
  std::string_view districts;  // a region's or a former district's districts of today, or those of another
                               // state that it held for a time; separated by '|'
  std::string_view countries;  // where its places outside Austria lie today: an extent (below)
  std::string_view lands = {};  // the crown lands of 1910 whose places it holds, codes separated by blanks
                               // (CrownLands); where it has both, a place lies in both
};

std::span<const NamedArea> NamedAreas();

// The crown lands and lands of the monarchy as they were in 1910, each by the code the file of
// the monarchy's places gives its places, its German name, the name of its border in HistoGIS,
// and the lands that records confuse it with (a value that names one of them may mean the
// others: Znaim lay in Moravia, "Znaim, Böhmen" is written nonetheless).
struct CrownLand {
  std::string_view code, name, border, neighbours;
};
std::span<const CrownLand> CrownLands();
// The words that say what a region or county of the successor states is, before or after its
// name ("woj. podkarpackie", "Jihomoravský kraj", "Veszprém megye"), folded.
std::span<const std::string_view> RegionTypeWords();
const CrownLand* FindCrownLand(std::string_view code);

// An extent: ISO codes of countries separated by blanks, each alone for the whole country or
// with GeoNames' first-level regions of it after a colon ("CZ PL:77,80 UA:15"). Whether a
// place of that country and region lies in it.
bool InExtent(std::string_view extent, std::string_view country, std::string_view region);
// The lands of the monarchy of 1918 outside today's Austria.
std::string_view MonarchyExtent();
// A country's German name by its ISO code ("CZ": "Tschechien"); the code where it is unknown.
std::string_view CountryName(std::string_view code);

// Vienna's 23 districts in the order of their numbers, as the data file names them after
// "Wien, ".
std::span<const std::string_view> ViennaDistricts();
// Names that Vienna's districts had before ("Fünfhaus"), with the number of the district
// that holds them today.
struct FormerViennaDistrict {
  std::string_view name;
  std::size_t number;
};
std::span<const FormerViennaDistrict> FormerViennaDistricts();

// Other languages' names of Austrian places that records give as the place ("Vienna").
struct Exonym {
  std::string_view name, place;  // UTF-8
};
std::span<const Exonym> PlaceExonyms();

// Words before a jurisdiction's name that say what it is ("Bezirk Liezen", "Pfarre
// Grundlsee", "Herzogtum Steiermark"), folded as FoldName folds them; the longer first.
std::span<const std::string_view> JurisdictionWords();

// Folded words of a part that name a building, a church, a cemetery or an address rather
// than a place: whole words ("schloss"), and endings of a word ("gruft", "kirche").
std::span<const std::string_view> SiteWords();
std::span<const std::string_view> SiteEndings();

}  // namespace veldaris::places
