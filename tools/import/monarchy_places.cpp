#include "tools/import/monarchy_places.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <set>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "core/text1252.h"
#include "places/names.h"
#include "tools/import/gazetteer.h"

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

GeoPoint PointOf(const Coordinates& c) {
  return {DegreesOf(c.longitude, 180).value_or(0), DegreesOf(c.latitude, 90).value_or(0)};
}

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

// Names as 19th-century records spelt them that no source gives: Cilly for Cilli (Celje), as
// the Austrian gazetteers of the time wrote it.
constexpr std::pair<std::string_view, std::string_view> kOldSpellings[] = {
    {"Celje", "Cilly"},
};

// Who's On First's Polish rows name a town's rural area and its commune as places of their
// own ("Tuchów Obszar Wiejski", "Gmina Kęty"): the town's name.
std::string WithoutCommuneWords(std::string name) {
  static constexpr std::string_view kObszar = " Obszar Wiejski", kGmina = "Gmina ";
  if (name.size() > kObszar.size() && name.ends_with(kObszar)) name.resize(name.size() - kObszar.size());
  if (name.size() > kGmina.size() && name.starts_with(kGmina)) name.erase(0, kGmina.size());
  return name;
}

// Hungarian names as German and Polish scribes wrote them: "cz" for "cs" (Czolnok, Csolnok).
std::string HungarianCz(const std::string& name) {
  std::string out;
  for (std::size_t k = 0; k < name.size(); ++k) {
    const bool cs = (name[k] == 'c' || name[k] == 'C') && k + 1 < name.size() && name[k + 1] == 's';
    out += name[k];
    if (cs) {
      out += 'z';
      ++k;
    }
  }
  return out == name ? std::string() : out;
}

// Where a toponym's point and a place must lie within of each other to be one place, and where
// a place the others lack must lie within of one of the monarchy's places; where one of Who's
// On First's villages and a place of cities500 of its GeoNames id, or of its name, are one.
constexpr double kSameKm = 20, kBesideKm = 15, kSameIdKm = 10, kTwinKm = 5;

// The places by squares of a quarter of a degree, for the places near a point.
class Grid {
 public:
  void Add(const Coordinates& point, std::uint32_t id) { cells_[Cell(PointOf(point))].push_back(id); }
  // Every place within `cells` squares each way, with its distance.
  template <typename Visit>
  void Near(const std::vector<MonarchyPlace>& places, const Coordinates& point, int cells, Visit&& visit) const {
    const GeoPoint p = PointOf(point);
    const auto [la, lo] = Cell(p);
    for (int dla = -cells; dla <= cells; ++dla)
      for (int dlo = -cells; dlo <= cells; ++dlo)
        if (const auto at = cells_.find({la + dla, lo + dlo}); at != cells_.end())
          for (std::uint32_t id : at->second) visit(id, DistanceKm(p, PointOf(places[id].coordinates)));
  }

 private:
  static std::pair<int, int> Cell(GeoPoint p) {
    return {static_cast<int>(std::floor(p.lat * 4)), static_cast<int>(std::floor(p.lon * 4))};
  }
  std::map<std::pair<int, int>, std::vector<std::uint32_t>> cells_;
};

// The places as they are gathered: each with its names and their folded keys.
struct Gathered {
  MonarchyPlaces out;
  std::vector<std::set<std::string>> keys;
  std::vector<bool> fromCities;
  Grid grid;

  std::uint32_t Add(MonarchyPlace place, std::vector<std::string> names, bool city) {
    const auto id = static_cast<std::uint32_t>(out.places.size());
    grid.Add(place.coordinates, id);
    out.places.push_back(std::move(place));
    out.names.emplace_back();
    keys.emplace_back();
    fromCities.push_back(city);
    AddNames(id, names);
    return id;
  }
  void AddNames(std::uint32_t id, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
      std::vector<std::string> forms;
      AddName(forms, name);
      for (std::string& form : forms)
        if (keys[id].insert(FoldedKey(form)).second) out.names[id].push_back(std::move(form));
    }
  }
  bool Named(std::uint32_t id, const std::set<std::string>& wanted) const {
    return std::any_of(wanted.begin(), wanted.end(), [&](const std::string& w) { return keys[id].count(w) > 0; });
  }
};

std::set<std::string> KeysOf(const std::vector<std::string>& names) {
  std::set<std::string> keys;
  for (const std::string& n : names) keys.insert(FoldedKey(n));
  return keys;
}

// The places of cities500 in the lands of the monarchy.
void TakeCities(const std::vector<CityRow>& cities, Gathered& g, std::unordered_map<std::string, std::uint32_t>& byId,
                MonarchyReport& report) {
  const std::string_view extent = MonarchyExtent();
  for (const CityRow& row : cities) {
    if (row.country == "AT" || !InExtent(extent, row.country, row.admin1)) continue;
    std::vector<std::string> names{row.name, row.asciiName};
    names.insert(names.end(), row.alternates.begin(), row.alternates.end());
    MonarchyPlace place{LocalName(row.name), row.country, row.admin1, row.coordinates, row.population};
    place.part = row.featureCode == "PPLX";  // a section of a town
    place.listed = true;
    place.municipal = row.featureCode.starts_with("PPLA") || row.featureCode == "PPLC";
    const std::uint32_t id = g.Add(std::move(place), names, true);
    if (!row.geonamesId.empty()) byId.emplace(row.geonamesId, id);
  }
  report.fromCities = g.out.places.size();
}

bool IsCyrillic(std::string_view utf8) {
  return std::any_of(utf8.begin(), utf8.end(), [&](char c) { return c == '\xD0' || c == '\xD1' || c == '\xD2'; });
}

// Who's On First's villages: joined with the place of their GeoNames id where it lies close
// by, or with a place of their name close by; else places of their own.
void TakeVillages(const std::vector<CountryWof>& villages, Gathered& g,
                  std::unordered_map<std::string, std::uint32_t>& byId, MonarchyReport& report) {
  for (const CountryWof& country : villages)
    for (const WofRow& row : country.rows) {
      if (row.placetype != "locality" && row.placetype != "neighbourhood" && row.placetype != "borough") continue;
      ++report.wofRows;
      const std::string name = WithoutCommuneWords(LatinLetters(row.name));
      std::vector<std::string> names{name};
      for (const auto* cell : {&row.germanNames, &row.otherNames})
        for (const std::string& n : *cell) names.push_back(IsCyrillic(n) ? LatinLetters(n) : n);
      const GeoPoint point = PointOf(row.coordinates);
      const auto close = [&](std::uint32_t id, double km) {
        return DistanceKm(point, PointOf(g.out.places[id].coordinates)) <= km;
      };
      const auto join = [&](std::uint32_t id) {
        g.AddNames(id, names);
        MonarchyPlace& p = g.out.places[id];
        if (p.province.empty()) p.province = row.region;
        if (p.county.empty()) p.county = row.county;
      };
      if (const auto known = byId.find(row.geonamesId); !row.geonamesId.empty() && known != byId.end()) {
        if (close(known->second, kSameIdKm)) {
          join(known->second);
          ++report.wofByGeonames;
          continue;
        }
        // Its GeoNames id is another place's: its names may be that place's too (a village
        // named "Lemberg"), only its own is taken.
        names.resize(1);
        ++report.wofFar;
      }
      const std::set<std::string> wanted = KeysOf({name});
      std::uint32_t twin = ~std::uint32_t{0};
      g.grid.Near(g.out.places, row.coordinates, 1, [&](std::uint32_t id, double km) {
        if (km <= kTwinKm && twin == ~std::uint32_t{0} && g.Named(id, wanted)) twin = id;
      });
      if (twin != ~std::uint32_t{0}) {
        join(twin);
        ++report.wofByName;
        continue;
      }
      MonarchyPlace place{name, country.country, "", row.coordinates, row.population, row.region, row.county};
      place.part = row.placetype != "locality";
      const std::uint32_t id = g.Add(std::move(place), names, false);
      if (!row.geonamesId.empty()) byId.emplace(row.geonamesId, id);
      ++report.fromWof;
    }
}

// Each row of the register: the nearest place close by that has one of its names, today's
// first (or, the cells swapped, the German one), takes its other names. Else a row beside one
// of the monarchy's places is one the others lack, and the rest lie outside the monarchy or in
// today's Austria.
void TakeToponyms(const std::vector<ToponymRow>& toponyms, const std::vector<CityRow>& cities, Gathered& g,
                  MonarchyReport& report) {
  // Today's Austria and the places of cities500 outside the monarchy, for what to drop.
  Gathered others;
  for (const CityRow& row : cities)
    if (row.country == "AT" || !InExtent(MonarchyExtent(), row.country, row.admin1)) {
      std::vector<std::string> names{row.name, row.asciiName};
      names.insert(names.end(), row.alternates.begin(), row.alternates.end());
      others.Add({row.name, row.country, row.admin1, row.coordinates, row.population}, names, true);
    }
  // The register's rows are matched against the names the other sources give, not against
  // names that other rows of it added.
  const std::vector<std::set<std::string>> sourceKeys = g.keys;
  std::unordered_map<std::string, std::vector<std::uint32_t>> bearers;  // the places of each name
  for (std::uint32_t id = 0; id < sourceKeys.size(); ++id)
    for (const std::string& key : sourceKeys[id]) bearers[key].push_back(id);
  // The register's names for a place, without those the sources give another place close by
  // (the register gives Ribnica, Reifnitz, Kočevje's name Gottschee too).
  const auto ownNames = [&](const ToponymRow& t, std::uint32_t id) {
    std::vector<std::string> names;
    for (const auto* cell : {&t.german, &t.today})
      for (const std::string& name : *cell) {
        const auto at = bearers.find(FoldedKey(name));
        // (A part of the town itself that bears it, Moravská Ostrava of Ostrava, is no other place.)
        const auto km = [&](std::uint32_t b) {
          return DistanceKm(PointOf(g.out.places[b].coordinates), PointOf(g.out.places[id].coordinates));
        };
        const bool other = at != bearers.end() && std::any_of(at->second.begin(), at->second.end(), [&](std::uint32_t b) {
          return b != id && km(b) <= 50 && !(g.out.places[b].part && km(b) <= 10);
        }) && std::find(at->second.begin(), at->second.end(), id) == at->second.end();
        if (!other) names.push_back(name);
      }
    return names;
  };
  const auto namedBySources = [&](std::uint32_t id, const std::set<std::string>& wanted) {
    return std::any_of(wanted.begin(), wanted.end(), [&](const std::string& w) { return sourceKeys[id].count(w) > 0; });
  };
  report.rows = toponyms.size();
  for (const ToponymRow& t : toponyms) {
    if (t.coordinates.latitude.empty()) {
      ++report.withoutPoint;
      continue;
    }
    // The nearest place of the names, and how far it is.
    const auto nearestNamed = [&](const Gathered& in, const std::vector<std::string>& names) {
      const std::set<std::string> wanted = KeysOf(names);
      std::pair<std::uint32_t, double> best{~std::uint32_t{0}, kSameKm};
      in.grid.Near(in.out.places, t.coordinates, 1, [&](std::uint32_t id, double km) {
        if (km <= best.second && (&in == &g ? id < sourceKeys.size() && namedBySources(id, wanted) : in.Named(id, wanted)))
          best = {id, km};
      });
      return best;
    };
    auto [id, sameKm] = nearestNamed(g, t.today);
    bool swapped = false;
    if (id == ~std::uint32_t{0}) {
      std::tie(id, sameKm) = nearestNamed(g, t.german);
      swapped = id != ~std::uint32_t{0};
    }
    // A place of today's Austria, or outside the monarchy, nearer than it: the row is that one's.
    if (const auto [other, otherKm] = nearestNamed(others, swapped ? t.german : t.today);
        other != ~std::uint32_t{0} && (id == ~std::uint32_t{0} || otherKm < sameKm)) {
      ++(others.out.places[other].country == "AT" ? report.inAustria : report.outside);
      continue;
    }
    if (id != ~std::uint32_t{0}) {
      g.AddNames(id, ownNames(t, id));
      ++(swapped ? report.swapped : report.matched);
      continue;
    }
    std::uint32_t beside = ~std::uint32_t{0};
    double besideKm = kBesideKm;
    g.grid.Near(g.out.places, t.coordinates, 1, [&](std::uint32_t k, double km) {
      if (km <= besideKm && g.fromCities[k]) {
        beside = k;
        besideKm = km;
      }
    });
    if (beside == ~std::uint32_t{0} || t.today.empty()) {
      ++report.outside;
      continue;
    }
    const MonarchyPlace& near = g.out.places[beside];
    std::vector<std::string> names = t.german;
    names.insert(names.end(), t.today.begin(), t.today.end());
    g.Add({t.today.front(), near.country, near.region, t.coordinates, 0, near.province, ""}, names, false);
    ++report.added;
  }
}

// Each place's crown lands: the one whose border holds it, and any whose border lies within
// kLandBorderKm of it.
void FindLands(const std::vector<Shape>& lands, Gathered& g, MonarchyReport& report) {
  std::vector<std::pair<const Shape*, std::string_view>> shapes;
  for (const Shape& shape : lands)
    for (const CrownLand& land : CrownLands())
      if (shape.name == land.border) shapes.emplace_back(&shape, land.code);
  constexpr double kMargin = 0.05;  // degrees around a box, more than kLandBorderKm
  for (MonarchyPlace& p : g.out.places) {
    const GeoPoint point = PointOf(p.coordinates);
    std::string inside, near;
    for (const auto& [shape, code] : shapes) {
      if (point.lon < shape->west - kMargin || point.lon > shape->east + kMargin ||
          point.lat < shape->south - kMargin || point.lat > shape->north + kMargin)
        continue;
      if (shape->Contains(point)) inside = std::string(code);
      else if (shape->BorderDistanceKm(point) <= kLandBorderKm) near += (near.empty() ? "" : " ") + std::string(code);
    }
    if (inside.empty() && !near.empty()) {  // by a border, outside it (an island, a coast)
      inside = near.substr(0, near.find(' '));
      near = near.find(' ') == std::string::npos ? "" : near.substr(near.find(' ') + 1);
    }
    if (!inside.empty()) {
      // A place held by one land may lie by the border of the same one elsewhere: once.
      std::string all = inside;
      for (const std::string& code : Split(near, ' '))
        if (code != inside) all += " " + code;
      p.lands = all;
      ++report.inLands;
      report.onBorders += all.size() > inside.size();
    }
  }
}

// The region of GeoNames and the province of Who's On First, each from the other where a place
// has only one (most places of a province lie in one region); the largest place of each province.
void CompleteRegions(Gathered& g) {
  std::map<std::pair<std::string, std::string>, std::map<std::string, int>> regionOf, provinceOf;
  for (const MonarchyPlace& p : g.out.places)
    if (!p.region.empty() && !p.province.empty()) {
      ++regionOf[{p.country, p.province}][p.region];
      ++provinceOf[{p.country, p.region}][p.province];
    }
  const auto most = [](const std::map<std::string, int>& counts) {
    return std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
  };
  for (MonarchyPlace& p : g.out.places) {
    if (p.region.empty())
      if (const auto at = regionOf.find({p.country, p.province}); at != regionOf.end()) p.region = most(at->second);
    if (p.province.empty())
      if (const auto at = provinceOf.find({p.country, p.region}); at != provinceOf.end()) p.province = most(at->second);
  }
  // A place still without a region: that of the nearest place of its country with one.
  for (MonarchyPlace& p : g.out.places) {
    if (!p.region.empty()) continue;
    double best = 30;
    g.grid.Near(g.out.places, p.coordinates, 1, [&](std::uint32_t id, double km) {
      const MonarchyPlace& other = g.out.places[id];
      if (km < best && other.country == p.country && !other.region.empty()) {
        best = km;
        p.region = other.region;
        if (p.province.empty()) p.province = other.province;
      }
    });
  }
  std::map<std::pair<std::string, std::string>, std::size_t> largest;
  for (std::size_t k = 0; k < g.out.places.size(); ++k) {
    const MonarchyPlace& p = g.out.places[k];
    if (p.province.empty()) continue;
    auto [at, added] = largest.emplace(std::pair{p.country, p.province}, k);
    if (!added && p.population > g.out.places[at->second].population) at->second = k;
  }
  for (const auto& [province, k] : largest)
    if (g.out.places[k].population > 0) g.out.places[k].seat = true;
}

}  // namespace

std::vector<ToponymRow> ReadToponyms(std::string_view bytes, const std::string& file) {
  std::vector<ToponymRow> rows;
  Utf8Lines lines(bytes, file);
  for (std::string_view line; lines.Next(line);) {
    const std::size_t number = lines.number();
    const std::vector<std::string> f = Split(line, ',', true);
    if (f.size() != 4) throw InputError(file, number, "erwartet wurden 4 Spalten, gefunden " + std::to_string(f.size()));
    // A row without a point (the register has some) cannot be told from others of its name.
    const bool placed = GedcomLatitude(f[2]) && GedcomLongitude(f[3]);
    rows.push_back({Split(f[0], ';'), Split(f[1], ';'), placed ? Coordinates{f[2], f[3]} : Coordinates{}, number});
  }
  return rows;
}

MonarchyPlaces BuildMonarchyPlaces(const MonarchySources& sources, MonarchyReport& report) {
  Gathered g;
  std::unordered_map<std::string, std::uint32_t> byId;
  TakeCities(sources.cities, g, byId, report);
  TakeVillages(sources.villages, g, byId, report);
  TakeToponyms(sources.toponyms, sources.cities, g, report);
  if (!sources.lands.empty()) FindLands(sources.lands, g, report);
  CompleteRegions(g);
  for (std::size_t k = 0; k < g.out.places.size(); ++k) {
    const MonarchyPlace& p = g.out.places[k];
    const auto id = static_cast<std::uint32_t>(k);
    if (p.lands.starts_with("HUN") || p.country == "HU") {
      std::vector<std::string> written;
      for (const std::string& name : g.out.names[k])
        if (std::string cz = HungarianCz(name); !cz.empty()) written.push_back(std::move(cz));
      g.AddNames(id, written);
    }
    for (const auto& [today, old] : kOldSpellings)
      if (p.name == today) g.AddNames(id, {std::string(old)});
  }
  // Without the borders every place stays; with them, a village or a place of the register in
  // no crown land lay outside the monarchy.
  MonarchyPlaces out;
  for (std::size_t k = 0; k < g.out.places.size(); ++k) {
    if (!sources.lands.empty() && !g.fromCities[k] && g.out.places[k].lands.empty()) {
      ++report.outsideLands;
      continue;
    }
    out.places.push_back(std::move(g.out.places[k]));
    out.names.push_back(std::move(g.out.names[k]));
  }
  report.places = out.places.size();
  return out;
}

std::string LatinLetters(std::string_view utf8) {
  if (!IsCyrillic(utf8)) return std::string(utf8);
  // Each letter's form after another letter, and at a word's beginning where it differs.
  struct Letter {
    char32_t cyrillic;
    std::string_view inside, first;
  };
  static constexpr Letter kLetters[] = {
      {U'а', "a", ""},   {U'б', "b", ""},    {U'в', "v", ""},  {U'г', "h", ""},   {U'ґ', "g", ""},
      {U'д', "d", ""},   {U'е', "e", ""},    {U'є', "ie", "ye"}, {U'ж', "zh", ""}, {U'з', "z", ""},
      {U'и', "y", ""},   {U'і', "i", ""},    {U'ї', "i", "yi"}, {U'й', "i", "y"},  {U'к', "k", ""},
      {U'л', "l", ""},   {U'м', "m", ""},    {U'н', "n", ""},  {U'о', "o", ""},   {U'п', "p", ""},
      {U'р', "r", ""},   {U'с', "s", ""},    {U'т', "t", ""},  {U'у', "u", ""},   {U'ф', "f", ""},
      {U'х', "kh", ""},  {U'ц', "ts", ""},   {U'ч', "ch", ""}, {U'ш', "sh", ""},  {U'щ', "shch", ""},
      {U'ь', "", ""},    {U'ю', "iu", "yu"}, {U'я', "ia", "ya"}, {U'ы', "y", ""}, {U'э', "e", ""},
      {U'ё', "io", "yo"}, {U'ъ', "", ""},
  };
  std::string out;
  bool wordStart = true;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    char32_t code = c < 0x80 ? c : c < 0xE0 ? c & 0x1F : c < 0xF0 ? c & 0x0F : c & 0x07;
    for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k) code = code << 6 | (utf8[i + k] & 0x3F);
    // Capitals: U+0410–U+042F and U+0400–U+040F, U+0490 (Ґ); small letters 0x20 or 0x50 above.
    bool capital = false;
    char32_t small = code;
    if (code >= 0x410 && code <= 0x42F) small = code + 0x20, capital = true;
    else if (code >= 0x400 && code <= 0x40F) small = code + 0x50, capital = true;
    else if (code == 0x490) small = 0x491, capital = true;
    const auto letter = std::find_if(std::begin(kLetters), std::end(kLetters),
                                     [&](const Letter& l) { return l.cyrillic == small; });
    if (letter != std::end(kLetters)) {
      std::string latin(wordStart && !letter->first.empty() ? letter->first : letter->inside);
      if (capital && !latin.empty()) latin[0] = static_cast<char>(latin[0] - 'a' + 'A');
      out += latin;
      wordStart = false;
    } else if (code == U'\'' || code == U'’' || code == U'ʼ') {
      // the apostrophe of Ukrainian spelling is left out
    } else {
      out.append(utf8.substr(i, length));
      wordStart = !(code >= 'a' && code <= 'z') && !(code >= 'A' && code <= 'Z') && code < 0x80;
    }
    i += length;
  }
  return out;
}

}  // namespace veldaris::import
