// The parts of towns and cities that records name (Vienna's former suburbs, "Gumpendorf",
// "Hütteldorf"; the neighbourhoods of Graz, Linz, Salzburg, Innsbruck and the others), in a
// file of their own beside the data file (orte-7sp.ort: orte-7sp.ortsteile), made by the
// importer, read by veldaris-ort and the tree window. UTF-8, LF, tab-separated, lines beginning
// with "#" are comments; one line per part: its name, the place of the data file that holds it
// today (its place, municipality, district and state short form: "Wien, Mariahilf", "Wien",
// "Wien", "W"), and its own point.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "places/coordinates.h"

namespace veldaris::places {

struct CityPart {
  std::string name;                 // UTF-8
  std::array<std::string, 4> place;  // the record that holds it today, UTF-8
  Coordinates point;
  bool operator==(const CityPart&) const = default;
};

std::filesystem::path CityPartsFileOf(const std::filesystem::path& dataFile);

std::string FormatCityParts(std::string_view comment, const std::vector<CityPart>& parts);

// The parts of the file's bytes; a line that is no such line goes to `bad` and is left out.
std::vector<CityPart> ReadCityParts(std::string_view bytes, std::vector<std::size_t>& bad);

}  // namespace veldaris::places
