// The parts of towns and cities for the file beside the data file: Who's On First's
// neighbourhoods of Austria and a table of Vienna's former suburbs that it lacks, each given
// the place of the data file that holds it today by its point in the borders of 2021 (Vienna's
// Gemeindebezirke, or the municipality).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/place_record.h"
#include "places/city_parts.h"
#include "tools/import/borders.h"
#include "tools/import/wof.h"

namespace veldaris::import {

// A row of the project's own table: a former suburb, the number of Vienna's district that holds
// it, its point.
struct OwnCityPart {
  std::string name;  // UTF-8
  int district = 0;
  places::Coordinates point;
  std::size_t line = 0;
};

// The table (data/sources/wiener-vorstaedte.tsv: name, Bezirk, Breite, Länge, Quelle; a header
// line, tabs, UTF-8).
std::vector<OwnCityPart> ReadOwnCityParts(std::string_view bytes, const std::string& file);

struct CityPartsReport {
  std::size_t neighbourhoods = 0;  // of the table
  std::size_t landmarks = 0;       // left out: a station, a bridge, a sight, no place's name
  std::size_t known = 0;           // left out: a place of the data file in its municipality, or within
                                   // kKnownNearKm, has that name, or the project's table has it
  std::size_t elsewhere = 0;       // left out: in a municipality that is none of the cities
  std::size_t outside = 0;         // left out: in no municipality's border
  std::size_t parts = 0;           // in the file
  std::size_t own = 0;             // of these, from the project's table
};

// The cities whose neighbourhoods become parts (Vienna by its districts, Graz, Linz, Salzburg,
// Innsbruck, Klagenfurt, Wels, St. Pölten, Villach), by their Gemeindekennziffer.
bool IsCityWithParts(std::string_view code);
// A neighbourhood whose name a place of the data file bears this near is that place: the
// borders are simplified, and a neighbourhood by a city's edge may be its neighbour's village.
constexpr double kKnownNearKm = 3;

// The parts, in the order of their names. `codes` are the records' Gemeindekennziffern (Vienna's
// 90001), `points` their coordinates. A row of the project's table whose point lies outside its
// district is an error.
std::vector<places::CityPart> BuildCityParts(const std::vector<WofRow>& wof, const std::vector<OwnCityPart>& own,
                                             const std::vector<Shape>& municipalities,
                                             const std::vector<PlaceRecord>& records,
                                             const std::vector<std::string>& codes,
                                             const std::vector<places::Coordinates>& points,
                                             const std::string& ownFile, CityPartsReport& report);

// The border of a record's municipality (of Vienna's district for Vienna's records), or none
// where the borders of 2021 have no municipality of its code.
const Shape* BorderOf(const ShapeIndex& borders, const PlaceRecord& record, const std::string& code);

}  // namespace veldaris::import
