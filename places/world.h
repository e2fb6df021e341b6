// The places of 500 or more inhabitants outside the old monarchy's lands, by their names: what
// a value that names no country and no land may mean besides a place of Austria or of the
// monarchy ("Vienna" is a town in Virginia, "Baden" one in Switzerland). A file beside the
// data file (orte-7sp.ort: orte-7sp.welt), made by the importer from GeoNames' cities500; UTF-8,
// LF, lines beginning with "#" comments, then one line per name: the name folded as FoldedName
// folds it (its folded and its loose form each), the most populous place of that name ("Vienna,
// USA") and its population, separated by tabs, in the byte order of the names, so that a name
// is found by a binary search over the file as it was read.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veldaris::places {

struct WorldPlace {
  std::string name;     // UTF-8, as GeoNames writes it
  std::string country;  // ISO code
  long population = 0;
};

std::filesystem::path WorldNamesFileOf(const std::filesystem::path& dataFile);

// The file's text: a comment, then each place under each of its names.
std::string FormatWorldNames(std::string_view comment, const std::vector<std::pair<WorldPlace, std::vector<std::string>>>& places);

class WorldNames {
 public:
  WorldNames() = default;
  // Lines that are no such line, or out of order, go to `bad` and are left out.
  WorldNames(std::string bytes, std::vector<std::size_t>& bad);
  WorldNames(WorldNames&&) noexcept = default;
  WorldNames& operator=(WorldNames&&) noexcept = default;

  bool empty() const { return names_.empty(); }
  std::size_t size() const { return names_.size(); }
  // The most populous place of a folded name ("Vienna, USA"), or nothing.
  std::optional<std::string_view> Find(std::string_view key) const;

 private:
  std::unique_ptr<std::string> bytes_;  // held apart, so that the views into it survive a move
  std::vector<std::pair<std::string_view, std::string_view>> names_;
};

}  // namespace veldaris::places
