// Who's On First's places of a country, as the project's tables of them hold them (one TSV per
// country, header line, UTF-8): localities, municipalities (localadmin) and the parts of
// cities (neighbourhood, borough, macrohood), with their names in the languages of the
// monarchy, point, population, region, county and GeoNames id. Read cleaned of the faults the
// tables are known for.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "places/coordinates.h"

namespace veldaris::import {

struct WofRow {
  std::string id;
  std::string placetype;  // locality, localadmin, neighbourhood, borough, macrohood
  std::string name;       // UTF-8, as cleaned
  // The names in German, Polish, Czech, Hungarian, Italian, Slovene, Ukrainian, each cell's
  // names as the table gives them, separated; the cleaned name is not repeated.
  std::vector<std::string> otherNames;
  std::vector<std::string> germanNames;
  places::Coordinates coordinates;
  long population = 0;
  std::string region, county, localadmin;
  std::string geonamesId;
  std::size_t line = 0;
};

// How many rows the cleaning changed or left out, for the importer's report.
struct WofReport {
  std::size_t rows = 0, renamed = 0, dropped = 0, withoutName = 0;
};

// The rows of one table. Names are cleaned: "µ" that stands for "š" (a mis-decoding), "l"
// with a combining comma for "ľ", a capital inside a word of small letters ("WieselsFeld",
// "ZabLocie"), known misspellings ("Mauer bei Wein", "Gumpendonf", a twin of Gumpendorf that
// is dropped); a row with no name takes its first other name, or is left out.
std::vector<WofRow> ReadWof(std::string_view bytes, const std::string& file, WofReport& report);

// Whether a part of a city is a landmark rather than a place people lived in: a station, a
// bridge, a building, a sight ("Westbahnhof", "Nordbrücke", "Staatsoper", "Riesenrad").
bool IsLandmark(std::string_view name);

}  // namespace veldaris::import
