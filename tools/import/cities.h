// GeoNames' cities500: every place of 500 or more inhabitants with its own coordinates and
// its names in other languages. For today's Austria it gives the places of the gazetteer
// their own point where the postal codes give only that of their postcode area, and the
// municipalities their centre.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/place_record.h"
#include "places/coordinates.h"
#include "places/world.h"

namespace veldaris::import {

using places::Coordinates;

// One row, texts in UTF-8 as in the file.
struct CityRow {
  std::string geonamesId;
  std::string name, asciiName;
  std::vector<std::string> alternates;
  Coordinates coordinates;
  std::string featureCode;  // PPL, PPLA, PPLA2, PPLA3 (a municipality's seat), PPLC, PPLX (a part of a city)
  std::string country;      // ISO code
  std::string admin1, admin2, admin3;  // in Austria: state, district, municipality (Gemeindekennziffer)
  long population = 0;
  std::size_t line = 0;
};

// GeoNames' tab-separated dump (19 columns, no header) or the project's extract of it.
std::vector<CityRow> ReadCities(std::string_view bytes, const std::string& file);

// The places of 500 or more inhabitants elsewhere, each under its names: the project's
// extract of cities500 for the other countries (name, ASCII name, country, population), and
// the rows of cities500 of the monarchy's countries that lie outside its lands (Warszawa,
// Roma).
std::vector<std::pair<places::WorldPlace, std::vector<std::string>>> WorldPlaces(std::string_view bytes,
                                                                                 const std::string& file,
                                                                                 const std::vector<CityRow>& cities);

// How far the points of cities500 moved the places.
struct PointReport {
  std::size_t matched = 0;  // records whose place cities500 names in its municipality
  std::size_t moved = 0;    // of these, those whose point moved by 100 m or more
  double medianKm = 0, ninetiethKm = 0, largestKm = 0;
  std::string largest;      // the place that moved furthest, UTF-8
  std::size_t municipalities = 0;  // municipalities given their centre
};

// The great-circle distance of two points, in km.
double DistanceKm(const Coordinates& a, const Coordinates& b);

// Takes the points of cities500's Austrian rows: a record whose place matches a row of its
// municipality (the Gemeindekennziffer, `codes`, one per record; Vienna's 90001 for all of
// Vienna) by its name, a part of it ("Wien, Ottakring": "Ottakring") or one of the row's
// names, where exactly one row matches, gets the row's point in `coordinates`. Returns the
// centre of each municipality that a row gives, the row of its name or else its one seat, as
// a record of the municipality itself (its name as the place, no postcode) with the point.
std::vector<std::pair<PlaceRecord, Coordinates>> TakeCityPoints(const std::vector<CityRow>& cities,
                                                                 const std::vector<PlaceRecord>& records,
                                                                 const std::vector<std::string>& codes,
                                                                 std::vector<Coordinates>& coordinates,
                                                                 PointReport& report);

}  // namespace veldaris::import
