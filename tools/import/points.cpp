#include "tools/import/points.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "core/numbers.h"
#include "core/text1252.h"
#include "places/fold.h"
#include "tools/import/city_parts.h"

namespace veldaris::import {
namespace {

using places::Coordinates;

GeoPoint PointOf(const Coordinates& c) {
  return {places::DegreesOf(c.longitude, 180).value_or(0), places::DegreesOf(c.latitude, 90).value_or(0)};
}

Coordinates CoordinatesOf(GeoPoint p) { return {Fixed(p.lat, 5), Fixed(p.lon, 5)}; }

bool Holds(const Shape& border, const Coordinates& c) {
  const GeoPoint p = PointOf(c);
  return border.Contains(p) || border.BorderDistanceKm(p) <= kOutsideKm;
}

// The names a record's place is known by: its whole name, the part after "Wien, " or
// ".Bez.:", each of two names ("Oberwart / Felsöör").
std::vector<std::string> NamesOf(const PlaceRecord& record) {
  const std::string place = Windows1252ToUtf8(TextOf(record.Place));
  std::vector<std::string> names{places::FoldedKey(place)};
  if (const std::size_t cut = place.find_last_of(",:"); cut != std::string::npos)
    names.push_back(places::FoldedKey(place.substr(cut + 1)));
  if (const std::size_t slash = place.find(" / "); slash != std::string::npos) {
    names.push_back(places::FoldedKey(place.substr(0, slash)));
    names.push_back(places::FoldedKey(place.substr(slash + 3)));
  }
  return names;
}

// How many places share their point with two or more others.
std::size_t Shared(const std::vector<Coordinates>& coordinates) {
  std::map<std::pair<std::string, std::string>, std::size_t> count;
  for (const Coordinates& c : coordinates)
    if (!c.latitude.empty()) ++count[{c.latitude, c.longitude}];
  std::size_t shared = 0;
  for (const Coordinates& c : coordinates)
    if (!c.latitude.empty() && count[{c.latitude, c.longitude}] >= 3) ++shared;
  return shared;
}

}  // namespace

void CheckPoints(const std::vector<PlaceRecord>& records, const std::vector<std::string>& codes,
                 std::vector<Coordinates>& coordinates, std::vector<std::pair<PlaceRecord, Coordinates>>& centres,
                 const std::vector<Shape>& borders, const std::vector<CityRow>& cities, const std::vector<WofRow>& wof,
                 PointCheck& report) {
  const ShapeIndex index(borders);
  // The points of each name: cities500's Austrian rows, Who's On First's localities.
  std::unordered_map<std::string, std::vector<Coordinates>> citiesNamed, wofNamed;
  for (const CityRow& row : cities)
    if (row.country == "AT")
      for (const std::string* name : {&row.name, &row.asciiName}) citiesNamed[places::FoldedKey(*name)].push_back(row.coordinates);
  for (const WofRow& row : wof)
    if (row.placetype == "locality") {
      wofNamed[places::FoldedKey(row.name)].push_back(row.coordinates);
      for (const std::string& name : row.germanNames) wofNamed[places::FoldedKey(name)].push_back(row.coordinates);
    }
  // A point of one of the names inside the border, cities500's first; which source gave it.
  const auto named = [&](const std::vector<std::string>& names, const Shape& border) -> std::pair<Coordinates, int> {
    for (int source = 0; source < 2; ++source)
      for (const std::string& name : names) {
        const auto& points = source == 0 ? citiesNamed : wofNamed;
        if (const auto at = points.find(name); at != points.end())
          for (const Coordinates& c : at->second)
            if (border.Contains(PointOf(c))) return {c, source};
      }
    return {{}, -1};
  };
  // The centres of the municipalities, by municipality, and each municipality's code.
  std::map<std::string, Coordinates*> centreOf;
  for (auto& [record, point] : centres)
    centreOf[TextOf(record.Municipality) + '\t' + TextOf(record.District) + '\t' + TextOf(record.StateShortForm)] = &point;
  std::map<std::string, std::string> codeOf;
  for (std::size_t k = 0; k < records.size(); ++k)
    codeOf.emplace(TextOf(records[k].Municipality) + '\t' + TextOf(records[k].District) + '\t' +
                       TextOf(records[k].StateShortForm),
                   codes[k]);

  report.sharedBefore = Shared(coordinates);
  // The centres first: a point that a place outside its border falls back to must hold.
  for (auto& [record, point] : centres) {
    const auto code = codeOf.find(TextOf(record.Municipality) + '\t' + TextOf(record.District) + '\t' +
                                  TextOf(record.StateShortForm));
    const Shape* border = code == codeOf.end() ? nullptr : index.Find(code->second);
    if (border && !Holds(*border, point)) {
      point = CoordinatesOf(border->Inside());
      ++report.outside;
      ++report.moved;
    }
  }
  for (std::size_t k = 0; k < records.size(); ++k) {
    Coordinates& point = coordinates[k];
    if (point.latitude.empty()) continue;
    const Shape* border = BorderOf(index, records[k], codes[k]);
    if (!border) {
      ++report.withoutBorder;
      continue;
    }
    ++report.checked;
    const bool outside = !Holds(*border, point);
    const std::vector<std::string> names = NamesOf(records[k]);
    // A point of cities500 is a place's own; a postcode's is its area's.
    const bool own = std::any_of(names.begin(), names.end(), [&](const std::string& name) {
      const auto at = citiesNamed.find(name);
      return at != citiesNamed.end() && std::find(at->second.begin(), at->second.end(), point) != at->second.end();
    });
    if (!outside && own) continue;
    report.outside += outside;
    auto [found, source] = named(names, *border);
    if (source < 0 && outside) {  // the municipality's centre, else a point inside its border
      const auto centre = centreOf.find(TextOf(records[k].Municipality) + '\t' + TextOf(records[k].District) + '\t' +
                                        TextOf(records[k].StateShortForm));
      found = centre != centreOf.end() && Holds(*border, *centre->second) ? *centre->second
                                                                         : CoordinatesOf(border->Inside());
      source = 2;
    }
    if (source < 0 || found == point) continue;
    point = found;
    ++report.moved;
    ++(source == 0 ? report.fromCities : source == 1 ? report.fromWof : report.centres);
  }
  report.sharedAfter = Shared(coordinates);
}

}  // namespace veldaris::import
