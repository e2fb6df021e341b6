// The places of the old monarchy's lands outside today's Austria, in a file of their own
// beside the data file (orte-7sp.ort: orte-7sp.monarchie), made by the importer from
// GeoNames' cities500, Who's On First's villages, a register of German place names and the
// crown lands of 1910, read by veldaris-ort and Veldaris Stammbaum.
//
// The file is compact, so that it is read without being parsed again: a header, a table of the
// places, three tables of names (as written, folded; with the umlauts dropped; without an
// official addition), each sorted by its bytes and searched where it lies, the places of each
// name, and the texts they point to. Every number is a 32-bit unsigned integer, little-endian:
//
//   "VELDMON" 0x02        the magic, 8 bytes
//   places, names[3], ids, texts, comment   counts and the comment's offset in the texts
//   places × 10           each place's texts (name, country, region, province, county, lands,
//                         latitude, longitude: offsets of zero-terminated UTF-8), population,
//                         flags (1: the largest place of its province, 2: a part of a town,
//                         4: among GeoNames' places of 500 or more, 8: a municipality's seat)
//   names[k] + 1 × 2      each name's text and its first place in ids (a last row ends the list)
//   ids                   place numbers
//   texts                 zero-terminated texts, the last byte zero
//
// A name is keyed as FoldedName folds it ("Brünn": "bruenn", "Český Krumlov": "cesky krumlov").
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
  std::string province = {};  // the region as Who's On First names it ("Małopolskie", "Jihomoravský")
  std::string county = {};    // its county, where the data has one ("Tarnowski")
  std::string lands = {};     // the crown lands of 1910 it lay in, or by the border of ("MOR", "MOR BOH")
  bool seat = false;     // the largest place of its province: the province is named after it
  bool part = false;     // a part of a town or city (a neighbourhood), not a place of its own
  bool listed = false;   // among GeoNames' places of 500 or more inhabitants: a place the data knows whole
  bool municipal = false;  // a municipality's seat (its own place, not a hamlet of it)
};

// The file beside a data file.
std::filesystem::path MonarchyFileOf(const std::filesystem::path& dataFile);

// The names of the file: as written (folded), with the umlauts dropped, without an addition.
enum class MonarchyNames { kExact, kLoose, kShortened };

// A loose name with "i" for "y", as German records wrote the names of the east either way
// ("Pistyan", "Pistian"); empty where it has no "y".
std::string IForY(std::string_view loose);

// The file's bytes: a comment, the places, and the names of each (each name once per place).
// The loose names also hold each name's joined form ("Groß Steurowitz": "grosssteurowitz") and
// its form with "i" for "y".
std::string FormatMonarchyFile(std::string_view comment, const std::vector<MonarchyPlace>& places,
                               const std::vector<std::vector<std::string>>& names);

// The file read: its places, and the places by name, found in its own bytes.
class MonarchyIndex {
 public:
  MonarchyIndex() = default;
  // A file that is not such a file, or damaged, gives no places and says why in `error`.
  MonarchyIndex(std::string bytes, std::string& error);
  MonarchyIndex(MonarchyIndex&&) noexcept = default;
  MonarchyIndex& operator=(MonarchyIndex&&) noexcept = default;

  std::size_t size() const { return places_; }
  bool empty() const { return places_ == 0; }
  struct Place {
    std::string_view name, country, region, province, county, lands, latitude, longitude;
    long population = 0;
    bool seat = false, part = false, listed = false, municipal = false;
  };
  Place place(std::uint32_t id) const;
  // Whether a place lay in a crown land (a code of the file's lands, "MOR").
  bool InLand(std::uint32_t id, std::string_view land) const;
  // The places of a key (a FoldedName's folded form; its loose form for kLoose).
  std::vector<std::uint32_t> Find(std::string_view key, MonarchyNames names = MonarchyNames::kExact) const;
  // Every key with the places that bear it, in key order; for the search of names.
  std::size_t Keys(MonarchyNames names) const { return names_[static_cast<int>(names)]; }
  std::pair<std::string_view, std::vector<std::uint32_t>> Key(std::size_t k, MonarchyNames names) const;
  std::string_view KeyAt(std::size_t k, MonarchyNames names) const { return KeyText(static_cast<int>(names), k); }
  // The range of keys that begin with a text.
  std::pair<std::size_t, std::size_t> Prefixed(std::string_view prefix, MonarchyNames names) const;
  std::string_view comment() const;

 private:
  const char* Read();  // the file's tables checked: what is wrong with it, or ""
  std::uint32_t Word(std::size_t index) const;
  std::string_view Text(std::uint32_t offset) const;
  std::string_view KeyText(int kind, std::size_t k) const;
  std::vector<std::uint32_t> IdsOf(int kind, std::size_t k) const;
  // The first key of a table that does not sort before `key` (the tables are sorted).
  std::size_t FirstNotBefore(int kind, std::string_view key) const;

  std::unique_ptr<std::string> bytes_;  // held apart, so that the views into it survive a move
  std::size_t places_ = 0, names_[3] = {0, 0, 0};
  std::size_t placeTable_ = 0, nameTable_[3] = {0, 0, 0}, idTable_ = 0;  // in words
  std::size_t texts_ = 0, textSize_ = 0, comment_ = 0;                   // in bytes
};

}  // namespace veldaris::places
