#include "tools/import/cities.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <set>
#include <unordered_map>

#include "core/text1252.h"
#include "tools/import/gazetteer.h"
#include "places/fold.h"
#include "places/names.h"

namespace veldaris::import {

using namespace places;
namespace {

// The degrees of coordinates already checked.
double Degrees(std::string_view text) { return DegreesOf(text, 180).value_or(0); }

// A name as the lookup compares it.
std::string Folded(std::string_view utf8) { return FoldName(Utf8To1252Plain(utf8)); }

constexpr std::string_view kVienna = "90001";

}  // namespace

std::vector<CityRow> ReadCities(std::string_view bytes, const std::string& file) {
  std::vector<CityRow> rows;
  Utf8Lines lines(bytes, file);
  for (std::string_view line; lines.Next(line);) {
    const std::size_t number = lines.number();
    const auto f = SplitFields(line, '\t');
    if (f.size() != 19) throw InputError(file, number, "erwartet wurden 19 Spalten, gefunden " + std::to_string(f.size()));
    CityRow row;
    row.geonamesId = std::string(f[0]);
    row.name = std::string(f[1]);
    row.asciiName = std::string(f[2]);
    for (std::string_view name : SplitFields(f[3], ','))
      if (!name.empty()) row.alternates.emplace_back(name);
    row.coordinates = {std::string(f[4]), std::string(f[5])};
    if (!GedcomLatitude(f[4]) || !GedcomLongitude(f[5]))
      throw InputError(file, number, "keine Koordinaten: \"" + std::string(f[4]) + "\", \"" + std::string(f[5]) + "\"");
    row.featureCode = std::string(f[7]);
    row.country = std::string(f[8]);
    row.admin1 = std::string(f[10]);
    row.admin2 = std::string(f[11]);
    row.admin3 = std::string(f[12]);
    std::from_chars(f[14].data(), f[14].data() + f[14].size(), row.population);
    row.line = number;
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<std::pair<WorldPlace, std::vector<std::string>>> WorldPlaces(std::string_view bytes, const std::string& file,
                                                                         const std::vector<CityRow>& cities) {
  std::vector<std::pair<WorldPlace, std::vector<std::string>>> places;
  Utf8Lines lines(bytes, file);
  for (std::string_view line; lines.Next(line);) {
    const auto f = SplitFields(line, '\t');
    long population = 0;
    if (f.size() != 4 || std::from_chars(f[3].data(), f[3].data() + f[3].size(), population).ec != std::errc())
      throw InputError(file, lines.number(), "erwartet wurden 4 Spalten: Name, ASCII-Name, Land, Einwohner");
    if (population < 500) continue;
    places.push_back({{std::string(f[0]), std::string(f[2]), population}, {std::string(f[0]), std::string(f[1])}});
  }
  const std::string_view extent = MonarchyExtent();
  for (const CityRow& row : cities)
    if (row.country != "AT" && !InExtent(extent, row.country, row.admin1) && row.population >= 500)
      places.push_back({{row.name, row.country, row.population}, {row.name, row.asciiName}});
  return places;
}

double DistanceKm(const Coordinates& a, const Coordinates& b) {
  constexpr double kRadius = 6371.0, kPi = 3.14159265358979323846;
  const double la1 = Degrees(a.latitude) * kPi / 180, la2 = Degrees(b.latitude) * kPi / 180;
  const double dla = la2 - la1, dlo = (Degrees(b.longitude) - Degrees(a.longitude)) * kPi / 180;
  const double h = std::sin(dla / 2) * std::sin(dla / 2) + std::cos(la1) * std::cos(la2) * std::sin(dlo / 2) * std::sin(dlo / 2);
  return 2 * kRadius * std::asin(std::min(1.0, std::sqrt(h)));
}

std::vector<std::pair<PlaceRecord, Coordinates>> TakeCityPoints(const std::vector<CityRow>& cities,
                                                                 const std::vector<PlaceRecord>& records,
                                                                 const std::vector<std::string>& codes,
                                                                 std::vector<Coordinates>& coordinates,
                                                                 PointReport& report) {
  // The rows of each municipality by each of their names; Vienna's rows have its code.
  std::unordered_map<std::string, std::map<std::string, std::set<const CityRow*>>> byName;
  std::unordered_map<std::string, std::vector<const CityRow*>> seats;
  for (const CityRow& row : cities) {
    if (row.country != "AT") continue;
    const std::string code = row.admin1 == "09" ? std::string(kVienna) : row.admin3;
    if (code.empty()) continue;
    auto& names = byName[code];
    for (const std::string* name : {&row.name, &row.asciiName}) names[Folded(*name)].insert(&row);
    // The capital's other names hold one of its districts ("Wieden" for Vienna).
    if (row.featureCode != "PPLC")
      for (const std::string& name : row.alternates) names[Folded(name)].insert(&row);
    if (row.featureCode.starts_with("PPLA") || row.featureCode == "PPLC") seats[code].push_back(&row);
  }
  const auto rowNamed = [&](const std::string& code, const std::string& name) -> const CityRow* {
    const auto municipality = byName.find(code);
    if (municipality == byName.end()) return nullptr;
    const auto at = municipality->second.find(Folded(name));
    return at != municipality->second.end() && at->second.size() == 1 ? *at->second.begin() : nullptr;
  };

  std::vector<double> moves;
  for (std::size_t k = 0; k < records.size(); ++k) {
    const std::string place = Windows1252ToUtf8(TextOf(records[k].Place));
    std::vector<std::string> names{place};
    if (const std::size_t cut = place.find_last_of(",:"); cut != std::string::npos) names.push_back(place.substr(cut + 1));
    if (const std::size_t slash = place.find(" / "); slash != std::string::npos) {
      names.push_back(place.substr(0, slash));
      names.push_back(place.substr(slash + 3));
    }
    const CityRow* row = nullptr;
    for (const std::string& name : names)
      if ((row = rowNamed(codes[k], name))) break;
    if (!row) continue;
    ++report.matched;
    const double km = coordinates[k].latitude.empty() ? 0 : DistanceKm(coordinates[k], row->coordinates);
    // The postal codes write four decimals, cities500 five: a point that moves less than
    // 100 m was the place's own.
    if (km >= 0.1) {
      ++report.moved;
      moves.push_back(km);
      if (km > report.largestKm) {
        report.largestKm = km;
        report.largest = place;
      }
    }
    coordinates[k] = row->coordinates;
  }
  if (!moves.empty()) {
    std::sort(moves.begin(), moves.end());
    report.medianKm = moves[moves.size() / 2];
    report.ninetiethKm = moves[std::min(moves.size() - 1, moves.size() * 9 / 10)];
  }

  // The centres: each municipality once, the row of its name, or else its one seat.
  std::vector<std::pair<PlaceRecord, Coordinates>> centres;
  std::set<std::string> done;
  for (std::size_t k = 0; k < records.size(); ++k) {
    if (!done.insert(codes[k]).second) continue;
    const PlaceRecord& r = records[k];
    const CityRow* row = rowNamed(codes[k], Windows1252ToUtf8(TextOf(r.Municipality)));
    if (!row) {
      const auto seat = seats.find(codes[k]);
      if (seat != seats.end() && seat->second.size() == 1) row = seat->second.front();
    }
    if (!row) continue;
    PlaceRecord centre;
    centre.Place = r.Municipality;
    centre.Municipality = r.Municipality;
    centre.District = r.District;
    centre.StateShortForm = r.StateShortForm;
    centres.emplace_back(std::move(centre), row->coordinates);
  }
  report.municipalities = centres.size();
  return centres;
}

}  // namespace veldaris::import
