// The points of today's Austria checked against the borders of 2021: a place's point that lies
// outside its municipality is replaced by a point inside, and places that share a postcode's
// point are given their own where a source knows it.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "core/place_record.h"
#include "places/coordinates.h"
#include "tools/import/borders.h"
#include "tools/import/cities.h"
#include "tools/import/wof.h"

namespace veldaris::import {

struct PointCheck {
  std::size_t checked = 0;        // points with a border to check against
  std::size_t withoutBorder = 0;  // records of a municipality the borders of 2021 do not have
  std::size_t outside = 0;        // more than kOutsideKm outside their municipality
  std::size_t moved = 0;          // of these and the postcodes' points, given another point
  std::size_t sharedBefore = 0;   // places that share their point with two or more others
  std::size_t sharedAfter = 0;
  std::size_t fromCities = 0, fromWof = 0, centres = 0;  // where the new points came from
};

// How far outside its border a point may lie and still count as inside: the borders are
// simplified, and a postcode's point at a municipality's edge is no error.
constexpr double kOutsideKm = 0.5;

// Checks and mends the records' points (`coordinates`, one per record; `codes` their
// Gemeindekennziffern) and the municipalities' centres: a point outside its municipality takes
// a point of its name inside it, cities500's or Who's On First's, else the municipality's
// centre; a postcode's point (one that is not cities500's point of the place) takes one of the
// place's name inside the municipality where one is known.
void CheckPoints(const std::vector<PlaceRecord>& records, const std::vector<std::string>& codes,
                 std::vector<places::Coordinates>& coordinates,
                 std::vector<std::pair<PlaceRecord, places::Coordinates>>& centres, const std::vector<Shape>& borders,
                 const std::vector<CityRow>& cities, const std::vector<WofRow>& wof, PointCheck& report);

}  // namespace veldaris::import
