// The places of the old monarchy's lands outside today's Austria, for the file beside the
// data file: the rows of GeoNames' cities500 that lie there, Who's On First's villages of the
// successor states joined with them, the German names of a register of toponyms, and for each
// place the crown land of 1910 it lay in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "places/monarchy.h"
#include "tools/import/borders.h"
#include "tools/import/cities.h"
#include "tools/import/wof.h"

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

// Who's On First's places of one country (its ISO code).
struct CountryWof {
  std::string country;
  std::vector<WofRow> rows;
};

// The borders of the crown lands of 1910 (HistoGIS), each Shape named as the land's border
// in places::CrownLands.
struct MonarchySources {
  std::vector<CityRow> cities;
  std::vector<ToponymRow> toponyms;
  std::vector<CountryWof> villages;
  std::vector<Shape> lands;
};

// What became of the sources' rows.
struct MonarchyReport {
  std::size_t places = 0;      // in the file
  std::size_t fromCities = 0;  // of these, from cities500
  std::size_t fromWof = 0;     // of these, villages of Who's On First that cities500 lacks
  std::size_t wofRows = 0;     // Who's On First's localities and neighbourhoods read
  std::size_t wofByGeonames = 0;  // joined with a place of cities500 by its GeoNames id
  std::size_t wofByName = 0;      // joined with a place of the same name close by (a twin)
  std::size_t wofFar = 0;      // whose GeoNames id names a place far away: only its own name taken
  std::size_t rows = 0;        // of the register
  std::size_t matched = 0;     // a place of that name (today's) close by: its names added
  std::size_t swapped = 0;     // the same, the two cells the other way round
  std::size_t added = 0;       // a place the others lack, beside one of the monarchy's places
  std::size_t inAustria = 0;   // dropped: in today's Austria
  std::size_t outside = 0;     // dropped: beside no place of the monarchy (outside it, or a point that is off)
  std::size_t withoutPoint = 0;  // dropped: no coordinates
  std::size_t outsideLands = 0;  // villages and register places dropped: in no crown land of 1910
  std::size_t inLands = 0;       // places with a crown land
  std::size_t onBorders = 0;     // of these, by the border of a second one
};

// The places and each one's names.
struct MonarchyPlaces {
  std::vector<MonarchyPlace> places;
  std::vector<std::vector<std::string>> names;
};

MonarchyPlaces BuildMonarchyPlaces(const MonarchySources& sources, MonarchyReport& report);

// A place lies by the border of a crown land (and answers to it as well) this close to it: the
// borders of 1910 are drawn coarsely.
constexpr double kLandBorderKm = 3;

// Ukrainian (or Russian) in Cyrillic letters in Latin ones, as Ukraine transliterates its names
// since 2010 ("Берестяни": "Berestiany"); other text as it is.
std::string LatinLetters(std::string_view utf8);

}  // namespace veldaris::import
