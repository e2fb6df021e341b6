// The places of the old monarchy's lands outside today's Austria, in a file of their own
// beside the data file (orte-7sp.ort: orte-7sp.monarchie), made by the importer from
// GeoNames' cities500 and a register of German place names, read by veldaris-ort. UTF-8
// text, lines ending with LF, fields separated by tabs, lines beginning with "#" comments:
//
//   P  today's name  country (ISO)  region (GeoNames' admin1)  latitude  longitude  population
//   N  folded name   numbers of the places that bear it, from 0 in the order of the P lines
//   L  the same with the umlauts dropped
//   S  a name without its official addition ("st. ulrich" of St. Ulrich in Gröden)
//
// The P lines come first; the N, L and S lines each in the byte order of their names,
// so that a name is found by a binary search over the file as it was read, without building
// anything when it is loaded. A name is keyed as FoldedName folds it ("Brünn": "bruenn",
// "Český Krumlov": "cesky krumlov").
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "places/coordinates.h"
#include "places/fold.h"

namespace veldaris::places {

struct MonarchyPlace {
  std::string name;      // today's name, UTF-8
  std::string country;   // ISO code
  std::string region;    // GeoNames' first-level region
  Coordinates coordinates;
  long population = 0;   // 0 where it is not known
};

// The file beside a data file.
std::filesystem::path MonarchyFileOf(const std::filesystem::path& dataFile);

// The names of the file: as written (folded), with the umlauts dropped, without an addition.
enum class MonarchyNames { kExact, kLoose, kShortened };

// The file's text: a comment, the places, and the names of each (each name once per place).
std::string FormatMonarchyFile(std::string_view comment, const std::vector<MonarchyPlace>& places,
                               const std::vector<std::vector<std::string>>& names);

// The file read: its places, and the places by name, found in its own bytes.
class MonarchyIndex {
 public:
  MonarchyIndex() = default;
  // Lines that are no such line are left out and their numbers go to `bad`.
  MonarchyIndex(std::string bytes, std::vector<std::size_t>& bad);
  MonarchyIndex(MonarchyIndex&&) noexcept = default;
  MonarchyIndex& operator=(MonarchyIndex&&) noexcept = default;

  std::size_t size() const { return places_.size(); }
  bool empty() const { return places_.empty(); }
  struct Place {
    std::string_view name, country, region, latitude, longitude;
    long population = 0;
  };
  const Place& place(std::uint32_t id) const { return places_[id]; }
  // The places of a key (a FoldedName's folded form; its loose form for kLoose).
  std::vector<std::uint32_t> Find(std::string_view key, MonarchyNames names = MonarchyNames::kExact) const;
  // Every key with the places that bear it, in key order; for the search of names.
  std::size_t Keys(MonarchyNames names) const { return names_[static_cast<int>(names)].size(); }
  std::pair<std::string_view, std::vector<std::uint32_t>> Key(std::size_t k, MonarchyNames names) const;
  // The range of keys that begin with a text.
  std::pair<std::size_t, std::size_t> Prefixed(std::string_view prefix, MonarchyNames names) const;

 private:
  struct Name {
    std::string_view key, ids;
  };
  static std::vector<std::uint32_t> Ids(std::string_view ids);
  std::unique_ptr<std::string> bytes_;  // held apart, so that the views into it survive a move
  std::vector<Place> places_;
  std::vector<Name> names_[3];  // N, L, S
};

}  // namespace veldaris::places
