#include "tools/import/city_parts.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>

#include "core/text1252.h"
#include "core/text_lines.h"
#include "places/fold.h"
#include "places/names.h"
#include "tools/import/gazetteer.h"

namespace veldaris::import {
namespace {

using places::Coordinates;

GeoPoint PointOf(const Coordinates& c) {
  return {places::DegreesOf(c.longitude, 180).value_or(0), places::DegreesOf(c.latitude, 90).value_or(0)};
}

// The number of Vienna's district that a record of Vienna names ("Wien, Mariahilf": 6), 0 for
// any other.
int ViennaDistrictOf(const PlaceRecord& record) {
  const std::string place = Windows1252ToUtf8(TextOf(record.Place));
  if (!place.starts_with("Wien, ")) return 0;
  const auto districts = places::ViennaDistricts();
  const auto at = std::find(districts.begin(), districts.end(), std::string_view(place).substr(6));
  return at == districts.end() ? 0 : static_cast<int>(at - districts.begin()) + 1;
}

// Vienna's district n as the borders of 2021 have it: "9" and the number and "01" (90601).
std::string ViennaDistrictCode(int n) {
  return "9" + std::string(n < 10 ? "0" : "") + std::to_string(n) + "01";
}

std::array<std::string, 4> KeyOf(const PlaceRecord& r) {
  return {Windows1252ToUtf8(TextOf(r.Place)), Windows1252ToUtf8(TextOf(r.Municipality)),
          Windows1252ToUtf8(TextOf(r.District)), Windows1252ToUtf8(TextOf(r.StateShortForm))};
}

}  // namespace

bool IsCityWithParts(std::string_view code) {
  static constexpr std::string_view kCities[] = {"90001", "60101", "40101", "50101", "70101",
                                                 "20101", "40301", "30201", "20201"};
  return std::find(std::begin(kCities), std::end(kCities), code) != std::end(kCities);
}

const Shape* BorderOf(const ShapeIndex& borders, const PlaceRecord& record, const std::string& code) {
  if (const int district = ViennaDistrictOf(record)) return borders.Find(ViennaDistrictCode(district));
  return borders.Find(code);
}

std::vector<OwnCityPart> ReadOwnCityParts(std::string_view bytes, const std::string& file) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  std::vector<OwnCityPart> rows;
  TextLines lines(bytes);
  std::string_view line;
  if (!lines.Next(line) || !line.starts_with("name\tbezirk\tbreite\tlaenge"))
    throw InputError(file, 1, "die Kopfzeile name, bezirk, breite, laenge, quelle fehlt");
  while (lines.Next(line)) {
    if (line.empty() || line.starts_with('#')) continue;
    const auto f = SplitFields(line, '\t');
    OwnCityPart row;
    if (f.size() < 4 || !IsUtf8(line) ||
        std::from_chars(f[1].data(), f[1].data() + f[1].size(), row.district).ec != std::errc() || row.district < 1 ||
        row.district > 23 || !places::GedcomLatitude(f[2]) || !places::GedcomLongitude(f[3]))
      throw InputError(file, lines.number(), "erwartet: Name, Bezirk (1 bis 23), Breite, Länge, Quelle");
    row.name = TrimBlanks(f[0]);
    row.point = {std::string(f[2]), std::string(f[3])};
    row.line = lines.number();
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<places::CityPart> BuildCityParts(const std::vector<WofRow>& wof, const std::vector<OwnCityPart>& own,
                                             const std::vector<Shape>& municipalities,
                                             const std::vector<PlaceRecord>& records,
                                             const std::vector<std::string>& codes,
                                             const std::vector<places::Coordinates>& points,
                                             const std::string& ownFile, CityPartsReport& report) {
  const ShapeIndex borders(municipalities);
  // Each municipality's place that holds its parts (its seat, else the municipality as a
  // whole), the names of its places, and Vienna's districts.
  std::map<std::string, std::array<std::string, 4>> holders;
  std::map<std::string, std::set<std::string>> namesOf;
  std::map<std::string, std::vector<GeoPoint>> pointsNamed;  // every place's point by its name
  std::map<int, std::array<std::string, 4>> viennaDistricts;
  for (std::size_t k = 0; k < records.size(); ++k) {
    const PlaceRecord& r = records[k];
    std::set<std::string>& names = namesOf[codes[k]];
    const std::string place = Windows1252ToUtf8(TextOf(r.Place));
    std::vector<std::string> forms{places::FoldedName::OfUtf8(place).loose};
    // "Wien, Innere Stadt", "Graz,14.Bez.:Eggenberg", "Villach-Völkendorf": the part's own name.
    if (const std::size_t cut = place.find_last_of(",:-"); cut != std::string::npos)
      forms.push_back(places::FoldedName::OfUtf8(place.substr(cut + 1)).loose);
    for (const std::string& form : forms) {
      names.insert(form);
      if (k < points.size() && !points[k].latitude.empty()) pointsNamed[form].push_back(PointOf(points[k]));
    }
    if (const int district = ViennaDistrictOf(r)) viennaDistricts.emplace(district, KeyOf(r));
    const std::string municipality = Windows1252ToUtf8(TextOf(r.Municipality));
    names.insert(places::FoldedName::OfUtf8(municipality).loose);
    std::array<std::string, 4> key = KeyOf(r);
    if (places::FoldedKey(place) == places::FoldedKey(municipality)) holders[codes[k]] = key;
    else if (!holders.count(codes[k])) holders[codes[k]] = {municipality, municipality, key[2], key[3]};
  }
  for (const places::FormerViennaDistrict& former : places::FormerViennaDistricts())
    namesOf["90001"].insert(places::FoldedName::OfUtf8(former.name).loose);
  // The project's table of Vienna's suburbs stands over Who's On First's points of their names,
  // which lie in a wrong district for some; and names that are no place at all.
  std::set<std::string> ownNames;
  for (const OwnCityPart& row : own) ownNames.insert(places::FoldedName::OfUtf8(row.name).loose);
  static constexpr std::string_view kNoPlaces[] = {"Wiener", "Heiligen", "Berg", "Inner City", "Stadt"};

  std::vector<places::CityPart> parts;
  std::set<std::pair<std::string, std::array<std::string, 4>>> seen;
  const auto add = [&](const std::string& name, const std::array<std::string, 4>& holder, const Coordinates& point) {
    if (seen.insert({places::FoldedName::OfUtf8(name).loose, holder}).second) parts.push_back({name, holder, point});
  };
  for (const WofRow& row : wof) {
    if (row.placetype != "neighbourhood" && row.placetype != "borough" && row.placetype != "macrohood") continue;
    ++report.neighbourhoods;
    if (IsLandmark(row.name) ||
        std::find(std::begin(kNoPlaces), std::end(kNoPlaces), row.name) != std::end(kNoPlaces)) {
      ++report.landmarks;
      continue;
    }
    // The municipality whose border holds the point; in Vienna, the district's.
    const GeoPoint point = PointOf(row.coordinates);
    const Shape* municipality = nullptr;
    int district = 0;
    for (const Shape* shape : borders.Holding(point)) {
      if (shape->id.size() == 5 && shape->id[0] == '9' && shape->id != "90001") district = std::stoi(shape->id.substr(1, 2));
      else municipality = shape;
    }
    if (!municipality) {
      ++report.outside;
      continue;
    }
    const std::string code = municipality->id;
    if (!IsCityWithParts(code)) {
      ++report.elsewhere;
      continue;
    }
    const auto holder = district ? viennaDistricts.find(district) : viennaDistricts.end();
    const auto whole = holders.find(code == "90001" ? std::string("90001") : code);
    if ((district && holder == viennaDistricts.end()) || (!district && whole == holders.end())) {
      ++report.outside;
      continue;
    }
    const std::string loose = places::FoldedName::OfUtf8(row.name).loose;
    const auto names = namesOf.find(code);
    const auto near = pointsNamed.find(loose);
    const bool nearby = near != pointsNamed.end() && std::any_of(near->second.begin(), near->second.end(), [&](GeoPoint p) {
      return DistanceKm(p, point) <= kKnownNearKm;
    });
    if ((names != namesOf.end() && names->second.count(loose)) || (code == "90001" && ownNames.count(loose)) || nearby) {
      ++report.known;
      continue;
    }
    add(row.name, district ? holder->second : whole->second, row.coordinates);
  }
  for (const OwnCityPart& row : own) {
    const auto holder = viennaDistricts.find(row.district);
    const Shape* border = borders.Find(ViennaDistrictCode(row.district));
    if (holder == viennaDistricts.end() || !border || !border->Contains(PointOf(row.point)))
      throw InputError(ownFile, row.line, row.name + ": der Punkt liegt nicht im " + std::to_string(row.district) + ". Bezirk");
    const std::size_t before = parts.size();
    add(row.name, holder->second, row.point);
    report.own += parts.size() - before;
  }
  std::sort(parts.begin(), parts.end(), [](const places::CityPart& a, const places::CityPart& b) {
    return std::tie(a.name, a.place) < std::tie(b.name, b.place);
  });
  report.parts = parts.size();
  return parts;
}

}  // namespace veldaris::import
