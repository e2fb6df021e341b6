// The places of the old monarchy's lands outside today's Austria, for the file beside the
// data file: the rows of GeoNames' cities500 that lie there, with the German names of a
// register of toponyms added, and the register's places that cities500 lacks.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tools/import/cities.h"
#include "places/monarchy.h"

namespace veldaris::import {

using places::Coordinates;
using places::MonarchyPlace;

// A row of the register: German names, today's names (several in a cell separated by ";"),
// the point (none where the row has none). UTF-8.
struct ToponymRow {
  std::vector<std::string> german, today;
  Coordinates coordinates;
  std::size_t line = 0;
};

// Adrien Barbaresi's register of German toponyms ("rang3-staedte.csv": German name(s),
// today's name(s), latitude, longitude; no header).
std::vector<ToponymRow> ReadToponyms(std::string_view bytes, const std::string& file);

// What became of the register's rows.
struct MonarchyReport {
  std::size_t places = 0;      // in the file
  std::size_t fromCities = 0;  // of these, from cities500
  std::size_t rows = 0;        // of the register
  std::size_t matched = 0;     // a place of cities500 of that name (today's) close by: its names added
  std::size_t swapped = 0;     // the same, the two cells the other way round
  std::size_t added = 0;       // a place cities500 lacks, beside one of the monarchy's places
  std::size_t inAustria = 0;   // dropped: in today's Austria
  std::size_t outside = 0;     // dropped: beside no place of the monarchy (outside it, or a point that is off)
  std::size_t withoutPoint = 0;  // dropped: no coordinates
};

// The places and each one's names.
struct MonarchyPlaces {
  std::vector<MonarchyPlace> places;
  std::vector<std::vector<std::string>> names;
};

MonarchyPlaces BuildMonarchyPlaces(const std::vector<CityRow>& cities, const std::vector<ToponymRow>& toponyms,
                                   MonarchyReport& report);

}  // namespace veldaris::import
