#include "tools/import/monarchy_places.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <set>
#include <utility>

#include "core/text1252.h"
#include "core/text_lines.h"
#include "tools/import/gazetteer.h"
#include "places/names.h"

namespace veldaris::import {

using namespace places;
namespace {

// The items separated by a character, trimmed; empty ones too where asked for.
std::vector<std::string> Split(std::string_view text, char separator, bool keepEmpty = false) {
  std::vector<std::string> items;
  for (std::size_t from = 0; from <= text.size();) {
    const std::size_t at = std::min(text.find(separator, from), text.size());
    std::string item(text.substr(from, at - from));
    const std::size_t first = item.find_first_not_of(' ');
    if (first != std::string::npos) items.push_back(item.substr(first, item.find_last_not_of(' ') - first + 1));
    else if (keepEmpty) items.emplace_back();
    from = at + 1;
  }
  return items;
}

// The degrees of coordinates already checked.
double Degrees(std::string_view text) { return DegreesOf(text, 180).value_or(0); }

// cities500 names a few of the monarchy's cities in English or without their accents; their
// names today, as their own countries write them.
constexpr std::pair<std::string_view, std::string_view> kLocalNames[] = {
    {"Prague", "Praha"}, {"Pilsen", "Plzeň"}, {"Venice", "Venezia"}, {"Milan", "Milano"},
    {"Bielsko-Biala", "Bielsko-Biała"},
};

// A name and, where it is two names in one ("Renon - Ritten", "Bleiburg/Pliberk"), each.
void AddName(std::vector<std::string>& names, const std::string& name) {
  names.push_back(name);
  for (std::string_view separator : {" - ", "/"})
    if (const std::size_t at = name.find(separator); at != std::string::npos && at > 0) {
      names.push_back(name.substr(0, at));
      names.push_back(name.substr(at + separator.size()));
    }
}

std::string LocalName(const std::string& name) {
  for (const auto& [english, local] : kLocalNames)
    if (name == english) return std::string(local);
  return name;
}

// Where a toponym's point and a row of cities500 must lie within of each other to be one place,
// and where a place cities500 lacks must lie within of one of the monarchy's places.
constexpr double kSameKm = 20, kBesideKm = 15;

// The rows by squares of a quarter of a degree, for the rows near a point.
class Grid {
 public:
  explicit Grid(const std::vector<CityRow>& rows) : rows_(rows) {
    for (std::size_t k = 0; k < rows.size(); ++k) cells_[Cell(rows[k].coordinates)].push_back(k);
  }
  template <typename Visit>
  void Near(const Coordinates& point, Visit&& visit) const {
    const auto [la, lo] = Cell(point);
    for (int dla = -1; dla <= 1; ++dla)
      for (int dlo = -1; dlo <= 1; ++dlo)
        if (const auto at = cells_.find({la + dla, lo + dlo}); at != cells_.end())
          for (std::size_t k : at->second) visit(k, DistanceKm(point, rows_[k].coordinates));
  }

 private:
  static std::pair<int, int> Cell(const Coordinates& c) {
    return {static_cast<int>(std::floor(Degrees(c.latitude) * 4)), static_cast<int>(std::floor(Degrees(c.longitude) * 4))};
  }
  const std::vector<CityRow>& rows_;
  std::map<std::pair<int, int>, std::vector<std::size_t>> cells_;
};

}  // namespace

std::vector<ToponymRow> ReadToponyms(std::string_view bytes, const std::string& file) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  std::vector<ToponymRow> rows;
  TextLines lines(bytes);
  for (std::string_view line; lines.Next(line);) {
    const std::size_t number = lines.number();
    if (line.empty()) continue;
    if (!IsUtf8(line)) throw InputError(file, number, "kein UTF-8");
    const std::vector<std::string> f = Split(line, ',', true);
    if (f.size() != 4) throw InputError(file, number, "erwartet wurden 4 Spalten, gefunden " + std::to_string(f.size()));
    // A row without a point (the register has some) cannot be told from others of its name.
    const bool placed = GedcomLatitude(f[2]) && GedcomLongitude(f[3]);
    rows.push_back({Split(f[0], ';'), Split(f[1], ';'), placed ? Coordinates{f[2], f[3]} : Coordinates{}, number});
  }
  return rows;
}

MonarchyPlaces BuildMonarchyPlaces(const std::vector<CityRow>& cities, const std::vector<ToponymRow>& toponyms,
                                   MonarchyReport& report) {
  MonarchyPlaces out;
  const std::string_view extent = places::MonarchyExtent();
  const auto inMonarchy = [&](const CityRow& row) { return row.country != "AT" && places::InExtent(extent, row.country, row.admin1); };
  // The rows of the monarchy's lands, and the keys of each one's names.
  std::vector<std::uint32_t> placeOf(cities.size(), ~std::uint32_t{0});
  std::vector<std::set<std::string>> keys(cities.size());
  for (std::size_t k = 0; k < cities.size(); ++k) {
    const CityRow& row = cities[k];
    std::vector<std::string> names;
    for (const std::string* name : {&row.name, &row.asciiName}) AddName(names, *name);
    for (const std::string& name : row.alternates) AddName(names, name);
    for (const std::string& name : names) keys[k].insert(FoldedKey(name));
    if (!inMonarchy(row)) continue;
    placeOf[k] = static_cast<std::uint32_t>(out.places.size());
    out.places.push_back({LocalName(row.name), row.country, row.admin1, row.coordinates, row.population});
    out.names.push_back(std::move(names));
  }
  report.fromCities = out.places.size();

  // Each row of the register: the nearest row of cities500 close by that has one of its
  // names, today's first (or, the cells swapped, the German one), takes its other names;
  // cities500 keeps its name and point. Else a place beside one of the monarchy's is one
  // that cities500 lacks, and the rest lie outside the monarchy or in today's Austria.
  const Grid grid(cities);
  report.rows = toponyms.size();
  for (const ToponymRow& t : toponyms) {
    if (t.coordinates.latitude.empty()) {
      ++report.withoutPoint;
      continue;
    }
    const auto nearestNamed = [&](const std::vector<std::string>& names) {
      std::set<std::string> wanted;
      for (const std::string& n : names) wanted.insert(FoldedKey(n));
      std::size_t best = cities.size();
      double bestKm = kSameKm;
      grid.Near(t.coordinates, [&](std::size_t k, double km) {
        if (km > bestKm) return;
        if (std::any_of(wanted.begin(), wanted.end(), [&](const std::string& w) { return keys[k].count(w) > 0; })) {
          best = k;
          bestKm = km;
        }
      });
      return best;
    };
    std::size_t row = nearestNamed(t.today);
    bool swapped = false;
    if (row == cities.size()) {
      row = nearestNamed(t.german);
      swapped = row != cities.size();
    }
    if (row != cities.size()) {
      if (placeOf[row] == ~std::uint32_t{0}) {
        ++(cities[row].country == "AT" ? report.inAustria : report.outside);
        continue;
      }
      std::vector<std::string>& names = out.names[placeOf[row]];
      for (const auto* cell : {&t.german, &t.today}) names.insert(names.end(), cell->begin(), cell->end());
      ++(swapped ? report.swapped : report.matched);
      continue;
    }
    std::size_t nearest = cities.size();
    double nearestKm = kBesideKm;
    grid.Near(t.coordinates, [&](std::size_t k, double km) {
      if (km <= nearestKm) {
        nearest = k;
        nearestKm = km;
      }
    });
    if (nearest == cities.size() || placeOf[nearest] == ~std::uint32_t{0} || t.today.empty()) {
      ++(nearest != cities.size() && cities[nearest].country == "AT" ? report.inAustria : report.outside);
      continue;
    }
    const CityRow& beside = cities[nearest];
    out.places.push_back({t.today.front(), beside.country, beside.admin1, t.coordinates, 0});
    std::vector<std::string> names = t.german;
    names.insert(names.end(), t.today.begin(), t.today.end());
    out.names.push_back(std::move(names));
    ++report.added;
  }
  report.places = out.places.size();
  return out;
}

}  // namespace veldaris::import
