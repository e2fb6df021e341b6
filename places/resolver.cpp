#include "places/resolver.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <utility>

#include "core/federal_states.h"
#include "core/numbers.h"
#include "core/rules.h"
#include "core/search_pass.h"
#include "core/text1252.h"

namespace veldaris::places {
namespace {

using Status = Resolution::Status;

constexpr std::uint32_t kNone = ~std::uint32_t{0};
constexpr std::uint8_t kNoState = 9;

template <typename T>
bool Contains(const std::vector<T>& list, T value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

template <typename T>
void AddOnce(std::vector<T>& list, T value) {
  if (!Contains(list, value)) list.push_back(value);
}

template <typename Map>
const typename Map::mapped_type* Find(const Map& map, const std::string& key) {
  const auto at = map.find(key);
  return at == map.end() ? nullptr : &at->second;
}

// The words of a city district's name or number as compared: "IX." as "ix", "St.Veiter" as
// "st veiter".
std::vector<std::string> DistrictWords(std::string_view folded) {
  std::vector<std::string> words;
  std::string word;
  for (std::size_t k = 0; k <= folded.size(); ++k) {
    const char c = k < folded.size() ? folded[k] : ' ';
    if (c == ' ' || c == '/' || c == '.' || c == ',' || c == ':') {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  return words;
}

// The name after an Austrian postcode that begins a folded name ("4020 linz", "a 4020 linz"),
// or nothing.
std::string AfterPostcode(std::string_view folded) {
  for (std::string_view country : {"a ", "at "})
    if (folded.starts_with(country)) {
      folded.remove_prefix(country.size());
      break;
    }
  if (folded.size() < 6 || folded[4] != ' ' ||
      !std::all_of(folded.begin(), folded.begin() + 4, [](char c) { return c >= '0' && c <= '9'; }))
    return {};
  return std::string(folded.substr(5));
}

std::string DistrictKey(std::string_view folded) {
  std::string key;
  for (const std::string& w : DistrictWords(folded)) key += (key.empty() ? "" : " ") + w;
  return key;
}

// A place abroad that a name alone stands for without a land: a town of this many inhabitants.
constexpr long kTownAbroad = 1000;
// A name that this many places bear, in Austria and abroad, is common; a place of fewer
// inhabitants than kSmallTown that bears it only by another name than its own is not sure.
constexpr std::size_t kCommonName = 3;
constexpr long kSmallTown = 5000;

// A name as written, its ASCII letters lower-cased and its other letters kept ("wiedeń").
std::string ExonymKey(std::string_view utf8) {
  std::string key(TrimBlanks(utf8));
  for (char& c : key)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return key;
}

// 1 to 99 in Arabic or Roman numerals; 0 for anything else.
std::size_t NumberOf(std::string_view word) {
  if (word.empty() || word.size() > 7) return 0;
  if (std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    std::size_t number = 0;
    if (word.size() <= 2) std::from_chars(word.data(), word.data() + word.size(), number);
    return number;
  }
  int value = 0, last = 0;
  for (auto c = word.rbegin(); c != word.rend(); ++c) {
    const int digit = *c == 'i' ? 1 : *c == 'v' ? 5 : *c == 'x' ? 10 : *c == 'l' ? 50 : 0;
    if (!digit) return 0;
    value += digit < last ? -digit : digit;
    last = std::max(last, digit);
  }
  return value > 0 && value < 100 ? static_cast<std::size_t>(value) : 0;
}

bool IsDistrictWord(std::string_view word) {
  return word == "bezirk" || word == "bez" || word == "gemeindebezirk" || word == "stadtbezirk" ||
         word == "district" || word == "distrikt";
}

std::vector<std::string_view> Split(std::string_view list, char separator) {
  std::vector<std::string_view> items;
  for (std::size_t from = 0; from < list.size();) {
    const std::size_t at = std::min(list.find(separator, from), list.size());
    if (at > from) items.push_back(list.substr(from, at - from));
    from = at + 1;
  }
  return items;
}

// A folded jurisdiction without the word before its name that says what it is ("bezirk
// liezen": "liezen").
std::string_view WithoutJurisdictionWord(std::string_view folded) {
  for (std::string_view word : JurisdictionWords())
    if (folded.size() > word.size() + 1 && folded.starts_with(word) && folded[word.size()] == ' ')
      return folded.substr(word.size() + 1);
  return folded;
}

// A region's or county's name without the words before or after it that say what it is
// ("woj. podkarpackie": "podkarpackie", "jihomoravsky kraj": "jihomoravsky", "provincia di
// bolzano": "bolzano").
std::string WithoutTypeWords(std::string_view folded) {
  std::vector<std::string_view> words = FoldedWords(folded);
  const auto isType = [](std::string_view word) {
    return std::find(RegionTypeWords().begin(), RegionTypeWords().end(), word) != RegionTypeWords().end();
  };
  std::size_t from = 0, to = words.size();
  while (to - from > 1 && isType(words[from])) ++from;
  while (to - from > 1 && isType(words[to - 1])) --to;
  std::string out;
  for (std::size_t k = from; k < to; ++k) out += (out.empty() ? "" : " ") + std::string(words[k]);
  return out;
}

// Whether a place abroad lies in the province or county a part names (either of a province's
// two names: "Bolzano/Bozen").
bool NamesRegionOf(const MonarchyIndex::Place& p, const std::string& bare) {
  if (bare.empty()) return false;
  const std::string loose = Loosened(bare);
  for (std::string_view region : {p.province, p.county}) {
    if (region.empty()) continue;
    for (std::string_view name : Split(region, '/')) {
      const std::string key = WithoutTypeWords(FoldedKey(name));
      if (key == bare || Loosened(key) == loose) return true;
    }
  }
  return false;
}

// Kilometres between two points (latitude, longitude in degrees), as flat as a land is.
double KmApart(std::pair<double, double> a, std::pair<double, double> b) {
  constexpr double kPerDegree = 111.2;
  const double dla = (a.first - b.first) * kPerDegree;
  const double dlo = (a.second - b.second) * kPerDegree * std::cos(a.first * 3.14159265358979 / 180);
  return std::sqrt(dla * dla + dlo * dlo);
}

double KmBetween(const MonarchyIndex::Place& a, const MonarchyIndex::Place& b) {
  const auto degrees = [](std::string_view t) { return DegreesOf(t, 180).value_or(0); };
  return KmApart({degrees(a.latitude), degrees(a.longitude)}, {degrees(b.latitude), degrees(b.longitude)});
}

// Whether a place abroad lies where a row of the names table says: in its crown lands of 1910
// ("-": in none of them), in its countries and regions of today, or both.
bool InArea(const MonarchyIndex& m, std::uint32_t id, const NamedArea& area) {
  if (area.lands == "-") {
    if (!m.place(id).lands.empty()) return false;
  } else if (!area.lands.empty()) {
    const auto lands = Split(area.lands, ' ');
    if (std::none_of(lands.begin(), lands.end(), [&](std::string_view land) { return m.InLand(id, land); })) return false;
  }
  if (area.countries.empty()) return true;
  const auto p = m.place(id);
  return InExtent(area.countries, p.country, p.region);
}

// The row of Prussian Silesia, for a value that names Silesia and a Kreis.
const NamedArea& PrussianSilesia() {
  static const NamedArea& row = *std::find_if(NamedAreas().begin(), NamedAreas().end(),
                                              [](const NamedArea& a) { return a.names.starts_with("Preußisch-Schlesien"); });
  return row;
}

// A part that names a building, a church, a cemetery or an address: a number in it, or one
// of their words.
bool IsSite(const FoldedName& part) {
  if (std::any_of(part.folded.begin(), part.folded.end(), [](char c) { return c >= '0' && c <= '9'; })) return true;
  for (std::string_view word : FoldedWords(part.folded)) {
    if (std::find(SiteWords().begin(), SiteWords().end(), word) != SiteWords().end()) return true;
    for (std::string_view ending : SiteEndings())
      if (word.ends_with(ending)) return true;
  }
  return false;
}

}  // namespace

void AddReasons(std::string& reasons, std::string_view more) {
  for (std::size_t from = 0; from < more.size();) {
    const std::size_t end = std::min(more.find("; ", from), more.size());
    const std::string reason(more.substr(from, end - from));
    if (!reason.empty() && ("; " + reasons + "; ").find("; " + reason + "; ") == std::string::npos)
      reasons += (reasons.empty() ? "" : "; ") + reason;
    from = end + 2;
  }
}

namespace {

// Whether the full stop at `dot` ends a part: it follows a word of four letters or more that
// is no abbreviation, and a blank follows it.
bool EndsPart(std::string_view value, std::size_t dot) {
  if (dot + 1 >= value.size() || value[dot + 1] != ' ') return false;
  std::size_t begin = dot;
  const auto isLetter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80; };
  while (begin > 0 && isLetter(value[begin - 1])) --begin;
  if (dot - begin < 4) return false;  // "St.", "Bez.", "Gem.", "a.d."
  static constexpr std::string_view kAbbreviations[] = {"pfarr", "kath", "evang", "gemd", "gemeinde", "komit",
                                                        "comit", "herz", "grafsch", "koen", "kgr", "bezh", "hausnr"};
  const std::string word = FoldedKey(value.substr(begin, dot - begin));
  return std::find(std::begin(kAbbreviations), std::end(kAbbreviations), word) == std::end(kAbbreviations);
}

}  // namespace

std::vector<FoldedName> ValueParts(std::string_view value, const std::function<bool(const std::string&)>& isName) {
  std::vector<FoldedName> parts;
  const auto add = [&](std::string_view piece) {
    const std::string text = TrimBlanks(piece);
    if (text.empty()) return;
    FoldedName part = FoldedName::OfUtf8(text);
    if (!part.folded.empty()) parts.push_back(std::move(part));
  };
  std::size_t from = 0;
  for (std::size_t k = 0; k < value.size(); ++k) {
    if (value[k] == '(') {
      const std::size_t close = value.find(')', k);
      if (close != std::string_view::npos && isName &&
          isName(FoldedName::OfUtf8(TrimBlanks(value.substr(from, close + 1 - from))).folded)) {
        k = close;
        continue;
      }
    }
    if (value[k] == ',' || value[k] == ';' || value[k] == '(' || value[k] == ')' ||
        (value[k] == '.' && EndsPart(value, k))) {
      add(value.substr(from, k - from));
      from = k + 1;
    }
  }
  add(value.substr(from));
  return parts;
}

struct Gazetteer::Data {
  // A place of the data file (its records of one place string in one municipality), or a
  // municipality as a whole where no place bears its name.
  struct Entry {
    Found found;
    std::uint32_t municipality = kNone;
    std::uint32_t district = kNone;
    std::uint8_t state = kNoState;  // the row of the state table
    bool seat = false;               // the place that bears its municipality's name, or the municipality
    std::uint32_t partOf = kNone;    // a part of a city: the entry that holds it today (its place string)
    bool cityDistrict = false;       // a district of Vienna, Graz or Klagenfurt
  };
  // What a part of a value can name: states, districts, municipalities, single places (a
  // city's district), each of which a place agrees with when it lies there.
  struct Area {
    std::uint16_t states = 0;
    std::vector<std::uint32_t> districts, municipalities, entries;
    const NamedArea* named = nullptr;  // the names table's row
    // Parts of cities of this name, each with the entry that holds it: a value that names the
    // holding entry and the part means the part ("Wien VI, Gumpendorf").
    std::vector<std::pair<std::uint32_t, std::uint32_t>> cityParts;
    bool Holds(const Entry& e, std::uint32_t id) const {
      return (e.state < kNoState && (states >> e.state & 1)) || Contains(districts, e.district) ||
             Contains(municipalities, e.municipality) || Contains(entries, id);
    }
    bool Austrian() const { return states || !districts.empty() || !municipalities.empty() || !entries.empty(); }
    void Add(const Area& other) {
      states |= other.states;
      for (auto d : other.districts) AddOnce(districts, d);
      for (auto m : other.municipalities) AddOnce(municipalities, m);
      for (auto e : other.entries) AddOnce(entries, e);
      for (auto p : other.cityParts) AddOnce(cityParts, p);
      if (!named) named = other.named;
    }
  };
  // The districts of a city, by number and by name ("wien": 9 and "alsergrund").
  struct City {
    std::vector<std::uint32_t> byNumber;
    std::unordered_map<std::string, std::uint32_t> byName;  // DistrictKey, also with the umlauts dropped
  };
  // Every index is keyed by the folded names of FoldedName.
  using Index = std::unordered_map<std::string, std::vector<std::uint32_t>>;

  std::vector<Entry> entries;
  Index places, loosePlaces;                  // by name
  Index placeParts, loosePlaceParts;          // by the part after "Wien, " or ".Bez.:", each of two names
  Index municipalities, looseMunicipalities;  // the place that stands for each municipality
  Index shortened, looseShortened;            // places and municipalities by the name without its addition
  Index additionEnds;  // places by the last word of their names' additions ("donau" of Feldkirchen an der Donau)
  std::unordered_map<std::string, Area> areas, looseAreas, shortenedAreas;
  // The areas of a name together with those that bear it only with an addition ("krems": the
  // district Krems and the city Krems an der Donau), for a name that has both.
  std::unordered_map<std::string, Area> jurisdictions;
  std::unordered_map<std::string, Area> writtenAreas;  // by ExonymKey: names that fold to a place's
  std::unordered_map<std::string, City> cities;
  Index cityDistricts;  // the districts of every city by name, also by their former names ("fuenfhaus")
  // Other languages' names of Austrian places, by their folded name; those whose folded name is
  // an Austrian place's too ("Wiedeń", Polish for Wien, and the Wiedens of Styria and Vienna's
  // fourth district) only as written, by their letters with ASCII lower-cased (ExonymKey).
  std::unordered_map<std::string, std::string> exonyms, writtenExonyms;
  MonarchyIndex monarchy;
  WorldNames world;

  static void Put(Index& index, const std::string& key, std::uint32_t id) {
    if (!key.empty()) AddOnce(index[key], id);
  }
  // A name into an index, its folded form, the umlauts dropped, and without its addition.
  void Name(Index& exact, Index& loose, const FoldedName& name, std::uint32_t id) {
    Put(exact, name.folded, id);
    Put(loose, name.loose, id);
    for (const std::string& form : WithoutAddition(name.folded)) {
      Put(shortened, form, id);
      Put(looseShortened, Loosened(form), id);
    }
    if (const std::string addition = AdditionOf(name.folded); !addition.empty())
      Put(additionEnds, addition.substr(addition.rfind(' ') + 1), id);
  }
  // An area by a folded name.
  void NameArea(const std::string& folded, const Area& area) {
    if (folded.empty()) return;
    areas[folded].Add(area);
    looseAreas[Loosened(folded)].Add(area);
    for (const std::string& form : WithoutAddition(folded)) shortenedAreas[form].Add(area);
  }
  // The place of Vienna's district of that name (UTF-8), kNone where there is none.
  std::uint32_t ViennaDistrict(std::string_view name) const {
    const auto at = places.find("wien," + FoldedKey(name));
    return at == places.end() ? kNone : at->second.front();
  }
};

// The index built in phases: the places of the data file, their names, the municipalities,
// the districts, the names table, the cities' districts, the parts of cities.
struct Gazetteer::Builder {
  struct Municipality {
    std::string name;  // Windows-1252
    std::uint32_t district;
    std::uint8_t state;
    std::vector<std::uint32_t> entries;
  };
  Data& d;
  const CoordinatesIndex& coordinates;
  std::unordered_map<std::string, std::uint32_t> districtIds;
  std::vector<std::string> districtNames;  // Windows-1252
  std::vector<Municipality> municipalities;
  std::size_t places = 0;  // the entries that are places of the data file; municipalities as a whole follow

  // Each place once: a place with two postcodes is one place, the first record gives its
  // coordinates.
  void ReadPlaces(RecordReader& reader) {
    const auto& table = FederalStateTable();
    std::unordered_map<std::string, std::uint32_t> municipalityIds;
    std::unordered_map<std::string, std::uint32_t> byPlaceString;
    ForEachPlace(reader, [&](const RecordRef& record, const std::string& stateName) {
      const auto row = std::find_if(table.begin(), table.end(), [&](const FederalState& s) { return s.FullName == stateName; });
      const auto state = static_cast<std::uint8_t>(row - table.begin());
      const std::string district(record.Text(2));
      const auto [atDistrict, newDistrict] = districtIds.emplace(district, static_cast<std::uint32_t>(districtNames.size()));
      if (newDistrict) districtNames.push_back(district);
      const std::string municipalityKey = std::string(record.Text(1)) + '\t' + district + '\t' + std::to_string(state);
      const auto [atMunicipality, newMunicipality] =
          municipalityIds.emplace(municipalityKey, static_cast<std::uint32_t>(municipalities.size()));
      if (newMunicipality) municipalities.push_back({std::string(record.Text(1)), atDistrict->second, state, {}});
      Found found = FoundOf(record, stateName, coordinates);
      const std::string key = found.placeString + '\t' + std::to_string(atMunicipality->second);
      if (!byPlaceString.emplace(key, static_cast<std::uint32_t>(d.entries.size())).second) return;
      municipalities[atMunicipality->second].entries.push_back(static_cast<std::uint32_t>(d.entries.size()));
      d.entries.push_back({std::move(found), atMunicipality->second, atDistrict->second, state, false});
    });
    places = d.entries.size();
  }

  // Places by their names: the whole name, the part after "Wien, " or "Graz,05.Bez.:", and
  // each of two names ("Oberwart / Felsöör").
  void IndexPlaceNames() {
    for (std::uint32_t id = 0; id < places; ++id) {
      const std::string& name = TextOf(d.entries[id].found.record.Place);
      d.Name(d.places, d.loosePlaces, FoldedName::Of1252(name), id);
      if (const std::size_t cut = name.find_last_of(",:"); cut != std::string::npos)
        d.Name(d.placeParts, d.loosePlaceParts, FoldedName::Of1252(name.substr(cut + 1)), id);
      if (const std::size_t slash = name.find(" / "); slash != std::string::npos) {
        d.Name(d.placeParts, d.loosePlaceParts, FoldedName::Of1252(name.substr(0, slash)), id);
        d.Name(d.placeParts, d.loosePlaceParts, FoldedName::Of1252(name.substr(slash + 3)), id);
      }
    }
  }

  // A municipality as a whole: a place of its name, with its centre's coordinates where the
  // coordinates file gives them, or else the middle of its places'.
  Data::Entry Whole(std::uint32_t m) const {
    const Municipality& municipality = municipalities[m];
    const auto& table = FederalStateTable();
    Data::Entry whole;
    PlaceRecord& r = whole.found.record;
    r.Place = municipality.name;
    r.Municipality = municipality.name;
    r.District = districtNames[municipality.district];
    if (municipality.state < kNoState) r.StateShortForm = table[municipality.state].ShortForm;
    const Found& part = d.entries[municipality.entries.front()].found;
    r.MunicipalityKind = part.record.MunicipalityKind;
    whole.found.stateName = part.stateName;
    whole.found.placeString = BuildPlaceString(r, GetStateDisplayName(TextOf(r.StateShortForm)).value_or(""));
    if (const Coordinates* c = coordinates.Find(ViewOf(r))) {
      whole.found.coordinates = *c;
    } else {
      double latitude = 0, longitude = 0;
      int n = 0;
      for (std::uint32_t e : municipality.entries)
        if (const auto& point = d.entries[e].found.coordinates) {
          latitude += DegreesOf(point->latitude, 90).value_or(0);
          longitude += DegreesOf(point->longitude, 180).value_or(0);
          ++n;
        }
      if (n) whole.found.coordinates = Coordinates{Fixed(latitude / n, 4), Fixed(longitude / n, 4)};
    }
    whole.municipality = m;
    whole.district = municipality.district;
    whole.state = municipality.state;
    return whole;
  }

  // Each municipality stands as the place that bears its name, or else as a whole.
  void IndexMunicipalities() {
    for (std::uint32_t m = 0; m < municipalities.size(); ++m) {
      const Municipality& municipality = municipalities[m];
      const FoldedName name = FoldedName::Of1252(municipality.name);
      auto seat = std::find_if(municipality.entries.begin(), municipality.entries.end(), [&](std::uint32_t id) {
        return FoldedKey1252(TextOf(d.entries[id].found.record.Place)) == name.folded;
      });
      std::uint32_t id;
      if (seat != municipality.entries.end()) {
        id = *seat;
      } else {
        id = static_cast<std::uint32_t>(d.entries.size());
        d.entries.push_back(Whole(m));
      }
      d.entries[id].seat = true;
      d.Name(d.municipalities, d.looseMunicipalities, name, id);
      Data::Area area;
      area.municipalities.push_back(m);
      d.NameArea(name.folded, area);
    }
  }

  // Districts, also without "Stadt", "Land" or "Umgebung" ("Innsbruck" for both).
  void IndexDistricts() {
    for (std::uint32_t k = 0; k < districtNames.size(); ++k) {
      Data::Area area;
      area.districts.push_back(k);
      const std::string folded = FoldedKey1252(districtNames[k]);
      d.NameArea(folded, area);
      for (std::string_view ending : {" stadt", " land", " umgebung"})
        if (folded.ends_with(ending)) d.NameArea(folded.substr(0, folded.size() - ending.size()), area);
    }
  }

  // The country, the states, the lands, the regions and the former districts of the names
  // table.
  void IndexNamesTable() {
    const auto& table = FederalStateTable();
    for (const NamedArea& row : NamedAreas()) {
      Data::Area area;
      area.named = &row;
      for (std::string_view shortForm : Split(row.states, ' '))
        if (const FederalState* state = FindStateByShortForm(Utf8To1252Plain(shortForm)))
          area.states |= static_cast<std::uint16_t>(1u << (state - table.data()));
      for (std::string_view name : Split(row.districts, '|'))
        if (const auto at = districtIds.find(Utf8To1252Plain(name)); at != districtIds.end())
          area.districts.push_back(at->second);
      // A name in another language that folds to an Austrian place's ("Wiedeń", Polish for
      // Wien, and Wieden) names the area only as written.
      bool first = true;
      for (std::string_view name : Split(row.names, '|')) {
        const std::string key = FoldedKey(name), written = ExonymKey(name);
        if (!std::exchange(first, false) && written != key && (Find(d.places, key) || Find(d.municipalities, key)))
          d.writtenAreas[written].Add(area);
        else
          d.NameArea(key, area);
      }
    }
  }

  // A part after the place names every area of its name, with an addition or without.
  void IndexJurisdictions() {
    for (const auto& [key, area] : d.areas)
      if (const Data::Area* shortened = Find(d.shortenedAreas, key)) {
        Data::Area& both = d.jurisdictions[key] = area;
        both.Add(*shortened);
      }
  }

  // After every name of today's Austria, which an exonym that folds to one may not hide.
  void IndexExonyms() {
    for (const Exonym& exonym : PlaceExonyms()) {
      const std::string key = FoldedKey(exonym.name);
      const bool austrian = Find(d.places, key) || Find(d.municipalities, key) || Find(d.placeParts, key) ||
                            Find(d.cityDistricts, DistrictKey(key));
      (austrian ? d.writtenExonyms[ExonymKey(exonym.name)] : d.exonyms[key]) = FoldedKey(exonym.place);
    }
  }

  // A district of a city by its number (0: none) and its name.
  void AddCityDistrict(const std::string& city, std::size_t number, const FoldedName& name, std::uint32_t id) {
    Data::City& c = d.cities[city];
    if (number > 0) {
      if (c.byNumber.size() <= number) c.byNumber.resize(number + 1, kNone);
      if (c.byNumber[number] == kNone) c.byNumber[number] = id;
    }
    d.entries[id].cityDistrict = true;
    const std::string key = DistrictKey(name.folded);
    c.byName.emplace(key, id);
    c.byName.emplace(Loosened(key), id);
    Data::Put(d.cityDistricts, key, id);
    Data::Put(d.cityDistricts, Loosened(key), id);
    Data::Area area;
    area.entries.push_back(id);
    d.NameArea(name.folded, area);
  }

  // The districts of the cities by number and name: Vienna's from their table, those of
  // Graz and Klagenfurt from their places' names ("Graz,05.Bez.:Gries").
  void IndexCityDistricts() {
    for (std::size_t k = 0; k < ViennaDistricts().size(); ++k)
      if (const std::uint32_t id = d.ViennaDistrict(ViennaDistricts()[k]); id != kNone)
        AddCityDistrict("wien", k + 1, FoldedName::OfUtf8(ViennaDistricts()[k]), id);
    for (const FormerViennaDistrict& former : FormerViennaDistricts())
      if (const std::uint32_t id = d.ViennaDistrict(ViennaDistricts()[former.number - 1]); id != kNone)
        AddCityDistrict("wien", 0, FoldedName::OfUtf8(former.name), id);
    for (std::uint32_t id = 0; id < places; ++id) {
      const std::string& name = TextOf(d.entries[id].found.record.Place);
      const std::size_t comma = name.find(','), bez = name.find(".Bez.:");
      if (comma == std::string::npos || bez == std::string::npos || bez < comma) continue;
      const std::size_t number = NumberOf(TrimBlanks(name.substr(comma + 1, bez - comma - 1)));
      if (number) AddCityDistrict(FoldedKey1252(name.substr(0, comma)), number, FoldedName::Of1252(name.substr(bez + 6)), id);
    }
  }

  // The parts of cities (Vienna's former suburbs, the neighbourhoods of the others): each a
  // place of its own name and point with the place string of the entry that holds it, found
  // by its name, after its city ("Wien-Gumpendorf", "Linz-Urfahr"), and as a jurisdiction
  // that its holder agrees with.
  void IndexCityParts(const std::vector<CityPart>& parts) {
    if (parts.empty()) return;
    std::unordered_map<std::string, std::uint32_t> byRecord;
    for (std::uint32_t id = 0; id < d.entries.size(); ++id) {
      const PlaceRecord& r = d.entries[id].found.record;
      byRecord.emplace(TextOf(r.Place) + '\t' + TextOf(r.Municipality) + '\t' + TextOf(r.District) + '\t' +
                           TextOf(r.StateShortForm),
                       id);
    }
    for (const CityPart& part : parts) {
      std::string key;
      for (const std::string& item : part.place) key += (key.empty() ? "" : "\t") + Utf8To1252Plain(item);
      const auto holder = byRecord.find(key);
      if (holder == byRecord.end()) continue;  // a place the data file no longer has
      const auto id = static_cast<std::uint32_t>(d.entries.size());
      Data::Entry entry = d.entries[holder->second];
      entry.found.coordinates = part.point;
      entry.seat = false;
      entry.cityDistrict = false;
      entry.partOf = holder->second;
      d.entries.push_back(std::move(entry));
      const FoldedName name = FoldedName::OfUtf8(part.name);
      d.Name(d.places, d.loosePlaces, name, id);
      Data::Area area;
      area.entries = {id, holder->second};
      area.cityParts.emplace_back(holder->second, id);
      d.NameArea(name.folded, area);
      // After the city's name: Vienna's districts are parts of Vienna, another city's parts
      // are of its municipality, also by its name without an addition ("Klagenfurt").
      const std::string& municipality = TextOf(d.entries[id].found.record.Municipality);
      std::vector<std::string> cities{FoldedKey1252(municipality)};
      for (std::string& form : WithoutAddition(cities.front())) cities.push_back(std::move(form));
      const std::string district = DistrictKey(name.folded);
      for (const std::string& city : cities) {
        Data::City& c = d.cities[city];
        c.byName.emplace(district, id);
        c.byName.emplace(Loosened(district), id);
      }
    }
  }
};

Gazetteer::Gazetteer(RecordReader& reader, GazetteerFiles files) : data_(std::make_unique<Data>()) {
  data_->monarchy = std::move(files.monarchy);
  data_->world = std::move(files.world);
  Builder build{*data_, files.coordinates, {}, {}, {}};
  build.ReadPlaces(reader);
  build.IndexPlaceNames();
  build.IndexMunicipalities();
  build.IndexDistricts();
  build.IndexNamesTable();
  build.IndexCityDistricts();
  build.IndexCityParts(files.cityParts);
  build.IndexJurisdictions();
  build.IndexExonyms();
}

Gazetteer::Gazetteer(RecordReader& reader, const CoordinatesIndex& coordinates, MonarchyIndex monarchy)
    : Gazetteer(reader, GazetteerFiles{coordinates, std::move(monarchy), {}, {}}) {}

Gazetteer::~Gazetteer() = default;
Gazetteer::Gazetteer(Gazetteer&&) noexcept = default;
std::size_t Gazetteer::size() const { return data_->entries.size(); }

// The lookup of one value, step by step: its parts and what each part after the first
// names; the places of today's Austria it may mean; those of the monarchy abroad; the status
// chosen; and what the report says of the parts that could not be placed.
class Gazetteer::Lookup {
 public:
  using Area = Data::Area;
  Lookup(const Data& d, std::string_view value);

  const std::vector<FoldedName>& parts() const { return parts_; }
  // Whether the value names a place at all: not only a country, a land or a region.
  bool NamesAPlace() const { return namesPlace_; }
  // The Austrian place's folded name that a part names in another language, if it does.
  const std::string* Exonym(const FoldedName& part) const {
    if (const std::string* place = Find(d_.exonyms, part.folded)) return place;
    return Find(d_.writtenExonyms, ExonymKey(part.text));
  }

  // The place by its name and the parts after it; else without a word such as "Pfarre"
  // before it, or "of", "in", "aus", "from"; else without a house number after it; else,
  // after a first part that is a building or an address, the next.
  void FindInAustria();
  // Where Austria has no place the parts agree with, the places abroad in the lands the value
  // names; where it has one only with the umlauts or an addition dropped ("Brixen" for Brixen
  // im Thale), those that bear the name abroad too (Brixen, today Bressanone).
  void FindAbroad();
  // Found nowhere by any name in a value that is Austrian: the names a letter or two away.
  void FindSimilar();
  // A name of nine letters or more that no place abroad bears, in a value that names a land of
  // the monarchy: the places of that land one or two edits away, as similar names.
  void FindSimilarAbroad();
  // The candidates, and the status with the one the value means where that is sure.
  void Choose(Resolution& resolution) const;
  // Why the value is as it is.
  void Explain(Resolution& resolution) const;

 private:
  // A city's district in a folded text: the places it can mean (none: the city has no such
  // district), or nothing where the text is no such form; why none; whether a city is named.
  struct District {
    std::optional<std::vector<std::uint32_t>> entries;
    std::string why;
    bool cityNamed = false;
  };
  const District& CityDistrict(const std::string& folded) const;
  void ExplainAbroad(Resolution& resolution) const;
  std::string Hamlets(const Resolution& resolution) const;
  std::string Elsewhere() const;
  bool NamesCityDistrict(std::size_t k) const;
  const Area* Classify(const FoldedName& part);
  bool DropJurisdictionWord(std::size_t k);
  bool DropLeadingWord(std::size_t k);
  bool DropHouseNumber(std::size_t k);
  std::vector<std::uint32_t> Near(const FoldedName& place, bool& named);
  std::vector<std::uint32_t> Named(const std::string& key, const std::string& loose, bool every = false) const;
  std::vector<std::uint32_t> OfCity(const std::string& key) const;
  std::vector<std::uint32_t> Place(std::size_t first, bool& named, bool& sure);
  struct Trial;
  bool PlaceAsWritten(Trial& found, const std::string& key);
  bool PlaceLoosely(Trial& found, const std::string& key, const std::string& loose);
  std::vector<std::vector<std::uint32_t>> SeatsWithoutAddition(const std::string& key, const std::string& loose) const;
  std::vector<std::uint32_t> Abbreviated(const std::string& key) const;
  std::vector<std::uint32_t> FittingAddition(const std::string& key, const std::vector<std::uint32_t>& ids) const;
  std::vector<std::uint32_t> FittingAdditionAbroad(const std::string& key, const std::vector<std::uint32_t>& ids) const;
  std::optional<std::pair<double, double>> PointOf(std::uint32_t id) const;
  bool Narrow(std::vector<std::uint32_t>& candidates, std::size_t from, const FoldedName& place, bool& sure,
              std::string& why) const;
  // `shortened`: also by the name without an official addition, where Austria has no place.
  std::vector<std::uint32_t> Abroad(std::size_t first, bool& sure, bool shortened);
  std::vector<std::uint32_t> Narrowed(std::vector<std::uint32_t> ids, std::size_t first, bool& sure);
  std::vector<std::uint32_t> Distinct(const std::vector<std::uint32_t>& ids) const;
  std::vector<std::uint32_t> InNeighbourLand(const std::vector<std::uint32_t>& ids, const NamedArea& named,
                                             const FoldedName& place);
  bool NearTown(std::uint32_t id, std::uint32_t town) const;
  bool SimilarIn(const FoldedName& place, const NamedArea& land) const;
  std::optional<std::size_t> TownAbroad() const;
  bool CommonName() const;
  bool NamesPrussianSilesia() const;
  bool OnlyAbroad() const { return onlyAbroad_ && !abroad_.empty(); }
  std::optional<std::uint32_t> Town() const;
  Candidate AbroadCandidate(std::uint32_t id) const;
  // Why the place found is not sure, or else why none was found.
  std::string Reason() const { return reason_.empty() ? failures_ : reason_; }

  const Data& d_;
  std::vector<FoldedName> parts_;
  std::vector<const Area*> areas_;
  std::size_t end_ = 0;  // the parts before it are the place and its jurisdictions (the country after them)
  std::vector<std::unique_ptr<Area>> own_;  // areas made for this value (a city's district by number)
  mutable std::deque<std::pair<std::string, District>> districts_;  // CityDistrict's, by text (kept in place)
  bool austrian_ = false;    // it names today's Austria: its last part an Austrian area, or a district of Vienna
  bool monarchy_ = false;    // its last part names a land of the monarchy, or a country that holds one
  bool bare_ = false;        // it names no country, land or state
  bool namesPlace_ = true;
  bool searchesAbroad_ = false;  // it names the monarchy's lands, or none, and their places are known
  std::optional<std::string_view> namesake_;  // a place of its name elsewhere in the world ("Vienna, USA")

  std::vector<std::uint32_t> inAustria_;  // places of the gazetteer
  std::vector<std::uint32_t> abroad_;     // places of the monarchy
  bool onlyAbroad_ = false;  // abroad_ are all the value may mean: Austria had none
  bool abroadSure_ = true;
  bool similar_ = false;     // inAustria_ are names a letter or two away
  bool similarAbroad_ = false;  // abroad_ are names a letter or two away
  std::size_t place_ = 0;    // the part that names the place
  bool named_ = false;       // some way of finding the place found the name
  bool sure_ = true;         // every part after it named something known
  bool keepValue_ = false;   // the first part is a building or an address, or "bei" a place
  bool nearOnly_ = false;    // it is "bei" a place
  bool loosely_ = false;     // found only with its umlauts or an official addition dropped
  std::string reason_;    // of the way that found the place
  std::string failures_;  // of the ways that found a name but no place the other parts agree with
  std::string abroadReason_;  // why no place abroad is sure
  std::string looseLand_;     // the land a place found abroad lay in, where the value names another
  bool neighbourLands_ = false;  // a land named may mean one that records confuse with it
  std::size_t bearers_ = 0;      // the places abroad of the name, before the other parts narrowed them
  bool withoutAddition_ = false;  // abroad_ bear the name only without the addition the value gives it
};

Gazetteer::Lookup::Lookup(const Data& d, std::string_view value)
    : d_(d),
      parts_(ValueParts(value,
                        [&](const std::string& folded) {
                          return Find(d.places, folded) || Find(d.municipalities, folded) || Find(d.areas, folded);
                        })),
      areas_(parts_.size()),
      end_(parts_.size()) {
  for (std::size_t k = 1; k < parts_.size(); ++k) areas_[k] = Classify(parts_[k]);
  // The last part: Austria, which is left out, or after a place an Austrian state, a land
  // that held one, a region, a district or a municipality, which is a jurisdiction like the
  // others; or a land of the monarchy, or a country that holds one today, for the places
  // abroad.
  if (parts_.size() > 1) {
    const Area* last = areas_.back();
    if (last && last->Austrian()) {
      austrian_ = true;
      if (last->named && last->named->kind == AreaKind::kCountry) end_ = parts_.size() - 1;
    }
    monarchy_ = last && last->named && (!last->named->countries.empty() || !last->named->lands.empty());
  }
  // Or one of Vienna's districts, first or last ("Wien IX", "Schloß Schönbrunn, Wien-Hietzing").
  if (!austrian_ && !parts_.empty()) austrian_ = NamesCityDistrict(0) || NamesCityDistrict(parts_.size() - 1);
  bare_ = !austrian_ && !monarchy_ &&
          std::none_of(areas_.begin(), areas_.end(), [](const Area* area) { return area && area->named; });
  searchesAbroad_ = (monarchy_ || bare_) && !d_.monarchy.empty();
  // A value of countries, lands and regions alone names no place ("Böhmen, Österreich"), unless
  // its first is a municipality's name too ("Salzburg", "Vienna"), or, before a land, a place
  // of the monarchy's ("Triest, Küstenland").
  if (!parts_.empty()) {
    const Area* first = Classify(parts_[0]);
    const bool area = first && first->named && first->named->kind != AreaKind::kFormerDistrict;
    const std::string* exonym = Exonym(parts_[0]);
    // Alone, a land that is a city's ("Triest", "Fiume") names the city.
    const auto city = [&] {
      const auto ids = d_.monarchy.Find(parts_[0].folded);
      return std::any_of(ids.begin(), ids.end(), [&](std::uint32_t id) { return d_.monarchy.place(id).population >= 50000; });
    };
    namesPlace_ = !area || Find(d_.municipalities, exonym ? *exonym : parts_[0].folded) ||
                  (parts_.size() > 1 && !d_.monarchy.Find(parts_[0].folded).empty()) || (parts_.size() == 1 && city()) ||
                  std::any_of(areas_.begin() + 1, areas_.end(), [](const Area* a) { return !a || !a->named; });
  }
  if (bare_ && !parts_.empty()) {
    namesake_ = d_.world.Find(parts_[0].folded);
    if (!namesake_) namesake_ = d_.world.Find(parts_[0].loose);
    if (const std::string name = AfterPostcode(parts_[0].folded); !namesake_ && !name.empty())
      namesake_ = d_.world.Find(name);  // "3000 Bern"
  }
}

// A district of a city as records write it: its number, Arabic or Roman, with or without
// "Bezirk", its name, or both, after the city's name or with "Bezirk" alone ("wien ix", "wien
// 10", "ix. bezirk", "wien leopoldstadt", "wien ii leopoldstadt", "1090 wien"). Each text is
// read once per value.
const Gazetteer::Lookup::District& Gazetteer::Lookup::CityDistrict(const std::string& folded) const {
  for (const auto& [text, district] : districts_)
    if (text == folded) return district;
  District& result = districts_.emplace_back(folded, District{}).second;
  std::vector<std::string> words = DistrictWords(folded);
  // Vienna's postcodes name the district: 1090 is the ninth.
  std::size_t number = 0;
  if (words.size() == 2 && words[1] == "wien" && words[0].size() == 4 && words[0][0] == '1' && words[0][3] == '0' &&
      NumberOf(words[0].substr(1, 2))) {
    number = NumberOf(words[0].substr(1, 2));
    words.erase(words.begin());
  }
  if (words.empty()) return result;
  const auto city = d_.cities.find(words[0]);
  result.cityNamed = city != d_.cities.end();
  bool districtWord = false;
  std::string name;
  for (std::size_t k = city == d_.cities.end() ? 0 : 1; k < words.size(); ++k) {
    if (IsDistrictWord(words[k])) districtWord = true;
    else if (!number && name.empty() && NumberOf(words[k])) number = NumberOf(words[k]);
    else name += (name.empty() ? "" : " ") + words[k];
  }
  if (city == d_.cities.end() ? !(number && districtWord) : !(number || !name.empty())) return result;
  std::vector<std::uint32_t> entries;
  bool nameKnown = name.empty();
  for (auto c = d_.cities.begin(); c != d_.cities.end(); ++c) {
    if (city != d_.cities.end() && c != city) continue;
    std::uint32_t byNumber = kNone, byName = kNone;
    if (number && number < c->second.byNumber.size()) byNumber = c->second.byNumber[number];
    if (!name.empty()) {
      auto at = c->second.byName.find(name);
      if (at == c->second.byName.end()) at = c->second.byName.find(Loosened(name));
      if (at != c->second.byName.end()) byName = at->second;
      nameKnown |= byName != kNone;
    }
    if (number && !name.empty() && byNumber != byName) {
      if (byNumber != kNone && byName != kNone) result.why = "Nummer und Name des Bezirks passen nicht zueinander";
      continue;
    }
    if (const std::uint32_t id = number ? byNumber : byName; id != kNone) AddOnce(entries, id);
  }
  // "graz steiermark" names no district at all, "wien 10 favoritenstrasse" is an address.
  if (!nameKnown) return result;
  if (entries.empty() && result.why.empty()) result.why = "kein Bezirk dieser Nummer";
  result.entries = std::move(entries);
  return result;
}

// Whether a part names a district of a city together with its city ("Wien IX",
// "Wien-Hietzing"; "Wien" and the next part: "Wien, Ottakring").
bool Gazetteer::Lookup::NamesCityDistrict(std::size_t k) const {
  const auto named = [&](const std::string& folded) {
    const District& district = CityDistrict(folded);
    return district.entries && !district.entries->empty() && district.cityNamed;
  };
  if (named(parts_[k].folded)) return true;
  return k + 1 < parts_.size() && d_.cities.count(parts_[k].folded) &&
         named(parts_[k].folded + " " + parts_[k + 1].folded);
}

// A part after the place: what it names, by its name folded, with a word such as "Bezirk"
// before it or without, with the umlauts dropped, as a city's district, or with an official
// addition dropped from either side. Nothing for an unknown name.
const Gazetteer::Data::Area* Gazetteer::Lookup::Classify(const FoldedName& part) {
  if (const Area* area = Find(d_.writtenAreas, ExonymKey(part.text))) return area;
  if (const Area* area = Find(d_.jurisdictions, part.folded)) return area;  // "Krems"
  if (const Area* area = Find(d_.areas, part.folded)) return area;
  if (const Area* area = Find(d_.looseAreas, part.loose)) return area;
  const std::string bare(WithoutJurisdictionWord(part.folded));
  if (bare.size() != part.folded.size()) {
    if (const Area* area = Find(d_.areas, bare)) return area;
    if (const Area* area = Find(d_.looseAreas, Loosened(bare))) return area;
  }
  if (const District& district = CityDistrict(bare); district.entries && !district.entries->empty()) {
    own_.push_back(std::make_unique<Area>());
    own_.back()->entries = *district.entries;
    return own_.back().get();
  }
  if (const Area* area = Find(d_.shortenedAreas, bare)) return area;
  for (const std::string& form : WithoutAddition(bare))
    if (const Area* area = Find(d_.areas, form)) return area;
  return nullptr;
}

// The place's part without a word such as "Pfarre" before its name: whether it had one.
bool Gazetteer::Lookup::DropJurisdictionWord(std::size_t k) {
  const std::string_view bare = WithoutJurisdictionWord(parts_[k].folded);
  if (bare.size() == parts_[k].folded.size()) return false;
  parts_[k].folded = std::string(bare);
  parts_[k].loose = Loosened(parts_[k].folded);
  return true;
}

// The place's part without "of", "in", "aus" or "from" before its name, as records of
// residence write it ("of Tarnow", "aus Gmünd"): whether it had one.
bool Gazetteer::Lookup::DropLeadingWord(std::size_t k) {
  FoldedName& part = parts_[k];
  for (std::string_view word : {"of ", "in ", "aus ", "from "}) {
    if (!part.folded.starts_with(word) || part.folded.size() <= word.size()) continue;
    part.folded.erase(0, word.size());
    part.loose = Loosened(part.folded);
    const std::size_t blank = part.text.find(' ');
    if (blank != std::string::npos) part.text = TrimBlanks(part.text.substr(blank + 1));
    return true;
  }
  return false;
}

// The place's part without the house number after its name ("Silberleut c. 12", "Rtyne 27",
// "Nr. 5", "No. 5", "č. p. 12", "Haus Nr. 3"): whether it had one.
bool Gazetteer::Lookup::DropHouseNumber(std::size_t k) {
  FoldedName& part = parts_[k];
  std::vector<std::string_view> words = FoldedWords(part.folded);
  const auto isNumber = [](std::string_view w) {
    return !w.empty() && std::isdigit(static_cast<unsigned char>(w[0])) &&
           std::all_of(w.begin(), w.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '/'; });
  };
  if (words.size() < 2 || !isNumber(words.back())) return false;
  words.pop_back();
  static constexpr std::string_view kNumberWords[] = {"c.", "c", "nr.", "nr", "no.", "no", "p.", "cp", "c.p.",
                                                      "haus", "hausnr.", "hausnummer", "hnr."};
  while (words.size() > 1 && std::find(std::begin(kNumberWords), std::end(kNumberWords), words.back()) != std::end(kNumberWords))
    words.pop_back();
  std::string name;
  for (std::string_view w : words) name += (name.empty() ? "" : " ") + std::string(w);
  part.folded = std::move(name);
  part.loose = Loosened(part.folded);
  return true;
}

// Keeps the candidates that every part from `from` on agrees with. A part that names
// nothing known narrows nothing but leaves the place unsure; a part that no candidate
// agrees with leaves none.
bool Gazetteer::Lookup::Narrow(std::vector<std::uint32_t>& candidates, std::size_t from, const FoldedName& place,
                               bool& sure, std::string& why) const {
  for (std::size_t k = from; k < end_; ++k) {
    const Area* area = areas_[k];
    if (!area) {
      sure = false;
      AddReasons(why, parts_[k].text + ": weder Bundesland noch Bezirk noch Gemeinde");
      continue;
    }
    std::vector<std::uint32_t> kept;
    for (std::uint32_t c : candidates)
      if (area->Holds(d_.entries[c], c)) kept.push_back(c);
    // "Wien VI, Gumpendorf": the district and its former suburb mean the suburb.
    if (kept.size() == 1)
      for (const auto& [holder, part] : area->cityParts)
        if (kept.front() == holder) kept.front() = part;
    if (kept.empty()) {
      if (!area->Austrian())
        why = parts_[k].text + (area->named && area->named->kind == AreaKind::kCountry ? ": nicht Österreich"
                                                                                      : ": kein österreichisches Bundesland");
      else
        why = parts_[k].text + ": dort kein Ort " + place.text;
      candidates.clear();
      return false;
    }
    candidates = std::move(kept);
  }
  return true;
}

// One way of finding the place at `first` after another: each gives candidates, which the parts
// after the place narrow; the first that keeps some is the place.
struct Gazetteer::Lookup::Trial {
  Lookup& lookup;
  const std::size_t first;
  bool& named;  // some way found the name
  bool& sure;   // every part after it named something known
  std::vector<std::uint32_t> candidates;

  // The way that gives `ids` and takes `taken` parts: whether the parts after them keep some.
  bool operator()(const std::vector<std::uint32_t>* ids, std::size_t taken = 1) {
    if (!ids || ids->empty()) return false;
    named = true;
    candidates = *ids;
    sure = true;
    std::string why;
    if (lookup.Narrow(candidates, first + taken, lookup.parts_[first], sure, why)) {
      lookup.reason_ = why;
      return true;
    }
    AddReasons(lookup.failures_, why);
    return false;
  }
};

// The place at `first`, narrowed by the parts after it: the candidates of the first way of
// finding it that some are left of. `named`: some way found the name; `sure`: every part
// after it named something known.
std::vector<std::uint32_t> Gazetteer::Lookup::Place(std::size_t first, bool& named, bool& sure) {
  const FoldedName& place = parts_[first];
  loosely_ = false;  // of this way of reading the value, not of one tried before
  std::string key = place.folded, loose = place.loose;
  if (const auto* exonym = Exonym(place)) {
    key = *exonym;
    loose = Loosened(key);
  }
  Trial found{*this, first, named, sure, {}};
  if (PlaceAsWritten(found, key) || PlaceLoosely(found, key, loose)) return std::move(found.candidates);
  return {};
}

// The place by its name as written: with the next part, as a city's district, by its whole
// name, by its official name cut short.
bool Gazetteer::Lookup::PlaceAsWritten(Trial& found, const std::string& key) {
  const std::size_t first = found.first;
  const FoldedName& place = parts_[first];
  // A place whose name holds a comma ("Wien, Floridsdorf").
  if (first + 1 < end_) {
    const std::string joined = key + "," + parts_[first + 1].folded;
    if (found(Find(d_.places, joined), 2) || found(Find(d_.loosePlaces, Loosened(joined)), 2)) return true;
  }
  // A city's district, in this part or with the next ("Wien, IX. Bezirk").
  const District* district = &CityDistrict(key);
  std::size_t taken = 1;
  if (!district->entries && first + 1 < end_ && d_.cities.count(key)) {
    district = &CityDistrict(key + " " + parts_[first + 1].folded);
    taken = 2;
  }
  if (district->entries) {
    if (found(&*district->entries, taken)) return true;
    if (district->entries->empty()) {
      found.named = true;
      AddReasons(failures_, place.text + (taken == 2 ? ", " + parts_[first + 1].text : "") + ": " + district->why);
    }
  }
  // The whole name of a place or a municipality before a part of a name ("Floridsdorf" of
  // "Wien, Floridsdorf", "Hart" of "Hart / Breg"); a city's district is as whole a name as a
  // village's ("Simmering": Vienna's eleventh district and a hamlet of Vöcklabruck).
  const std::vector<std::uint32_t>* districts = Find(d_.cityDistricts, DistrictKey(key));
  const auto whole = [&](const std::vector<std::uint32_t>* ids) {
    if (!ids || !districts) return found(ids);
    std::vector<std::uint32_t> all = *ids;
    for (std::uint32_t id : *districts) AddOnce(all, id);
    return found(&all);
  };
  if (whole(Find(d_.places, key)) || whole(Find(d_.municipalities, key))) return true;
  // "Zell a. See", "Bruck a. d. Mur", "Krems/Donau": the official name with its addition cut
  // short; "Wr. Neustadt", "Gr. Siegharts": with its first word cut short.
  if (const std::vector<std::uint32_t> abbreviated = Abbreviated(key); found(&abbreviated)) return true;
  if (const std::string full = WrittenOut(key); !full.empty()) {
    if (found(Find(d_.places, full)) || found(Find(d_.municipalities, full))) return true;
    if (const std::vector<std::uint32_t> abbreviated = Abbreviated(full); found(&abbreviated)) return true;
  }
  return false;
}

// The place by its name written loosely: with the umlauts dropped, as a part of a name, with
// an official addition dropped, as a place of a city, "bei" a place.
bool Gazetteer::Lookup::PlaceLoosely(Trial& found, const std::string& key, const std::string& loose) {
  const FoldedName& place = parts_[found.first];
  loosely_ = true;
  if (found(Find(d_.loosePlaces, loose)) || found(Find(d_.looseMunicipalities, loose))) return true;
  loosely_ = false;
  if (found(Find(d_.placeParts, key)) || found(Find(d_.cityDistricts, DistrictKey(key)))) return true;
  loosely_ = true;
  if (found(Find(d_.loosePlaceParts, loose)) || found(Find(d_.shortened, key)) || found(Find(d_.looseShortened, loose)))
    return true;
  // "Innsbruck-Wilten": a place of the city.
  if (const std::vector<std::uint32_t> part = OfCity(key); found(&part)) return true;
  // "Weichselboden bei Mariazell": the place of that name near the other.
  bool near = false;
  if (const std::vector<std::uint32_t> nearby = Near(place, near); near) {
    found.named = true;
    if (found(&nearby)) return true;
    if (nearby.empty()) AddReasons(failures_, place.text + ": dort in der Nähe kein Ort dieses Namens");
  }
  // "Linz an der Donau" for the city, "Weyer an der Enns": a municipality's own place without
  // the addition the value gives it, sure where a land or district after it narrows it or the
  // addition fits the place ("Egg an der Günz" lies in Bavaria, not in Vorarlberg).
  // "4020 Linz", "A-4020 Linz": an Austrian postcode before the name.
  if (const std::string name = AfterPostcode(key); !name.empty())
    if (found(Find(d_.places, name)) || found(Find(d_.municipalities, name))) return true;
  for (const std::vector<std::uint32_t>& seats : SeatsWithoutAddition(key, loose))
    if (found(&seats)) {
      if (std::vector<std::uint32_t> fitting = FittingAddition(key, found.candidates); !fitting.empty()) {
        found.candidates = std::move(fitting);
      } else if (found.first + 1 == end_) {  // no land or district narrowed it
        found.sure = false;
        AddReasons(reason_, place.text + ": ein Ort dieses Namens nur ohne seinen Zusatz");
      }
      return true;
    }
  return false;
}

// The places and municipalities of a name, folded, else with the umlauts dropped, else
// without an official addition ("Zell" of Zell am Ziller); with `every`, by all of these.
std::vector<std::uint32_t> Gazetteer::Lookup::Named(const std::string& key, const std::string& loose, bool every) const {
  std::vector<std::uint32_t> ids;
  const auto add = [&](std::initializer_list<const Data::Index*> indexes, const std::string& name) {
    if (!ids.empty() && !every) return;
    for (const Data::Index* index : indexes)
      if (const auto* found = Find(*index, name))
        for (std::uint32_t id : *found) AddOnce(ids, id);
  };
  add({&d_.places, &d_.municipalities, &d_.placeParts}, key);
  add({&d_.loosePlaces, &d_.looseMunicipalities, &d_.loosePlaceParts}, loose);
  add({&d_.shortened}, key);
  add({&d_.looseShortened}, loose);
  return ids;
}

// "Innsbruck-Wilten", "Linz Urfahr": a municipality's name, then the name of a place of it.
std::vector<std::uint32_t> Gazetteer::Lookup::OfCity(const std::string& key) const {
  const std::vector<std::string_view> words = FoldedWords(key);
  for (std::size_t at = 1; at < words.size(); ++at) {
    std::string city, part;
    for (std::size_t k = 0; k < words.size(); ++k) (k < at ? city : part) += (k == 0 || k == at ? "" : " ") + std::string(words[k]);
    const auto* seats = Find(d_.municipalities, city);
    if (!seats) continue;
    std::vector<std::uint32_t> found;
    for (std::uint32_t id : Named(part, Loosened(part)))
      for (std::uint32_t seat : *seats)
        if (d_.entries[id].municipality == d_.entries[seat].municipality && id != seat) AddOnce(found, id);
    if (!found.empty()) return found;
  }
  return {};
}

// "X bei Y", "X nächst Y" (Y a place, a municipality or a town): the places named X within
// kNearKm of a place named Y; "X im Y" (Y a valley or a region): those of the region, or near
// a place of that name. `named`: the value has that form and Y is known.
std::vector<std::uint32_t> Gazetteer::Lookup::Near(const FoldedName& place, bool& named) {
  // Near is what a day's walk to the parish or the market town reaches; a place of the same
  // name further away is another one (Austria's namesakes lie mostly 20 km and more apart).
  constexpr double kNearKm = 15;
  const std::vector<std::string_view> words = FoldedWords(place.folded);
  std::size_t at = 0;
  for (std::size_t k = 1; k + 1 < words.size(); ++k)
    if (words[k] == "bei" || words[k] == "b." || words[k] == "naechst" || words[k] == "nahe" || words[k] == "im" ||
        words[k] == "i.")
      at = k;
  if (at == 0) return {};
  const auto join = [&](std::size_t from, std::size_t to) {
    std::string text;
    for (std::size_t k = from; k < to; ++k) text += (text.empty() ? "" : " ") + std::string(words[k]);
    return text;
  };
  const std::string x = join(0, at), y = join(at + 1, words.size());
  std::vector<std::uint32_t> kept;
  // A region or a valley: the places of it, by every form of the name.
  if (const Area* region = Find(d_.areas, y); (words[at] == "im" || words[at] == "i.") && region && region->named) {
    named = true;
    for (std::uint32_t id : Named(x, Loosened(x), true))
      if (region->Holds(d_.entries[id], id)) kept.push_back(id);
    return kept;
  }
  const std::vector<std::uint32_t> named_x = Named(x, Loosened(x));
  if (named_x.empty()) return {};
  const std::vector<std::uint32_t> named_y = Named(y, Loosened(y));
  if (named_y.empty()) return {};
  named = true;
  for (std::uint32_t id : named_x) {
    const auto a = PointOf(id);
    const bool close = std::any_of(named_y.begin(), named_y.end(), [&](std::uint32_t other) {
      if (d_.entries[other].municipality == d_.entries[id].municipality) return true;
      const auto b = PointOf(other);
      return a && b && KmApart(*a, *b) <= kNearKm;
    });
    if (close) kept.push_back(id);
  }
  return kept;
}

std::optional<std::pair<double, double>> Gazetteer::Lookup::PointOf(std::uint32_t id) const {
  const auto& c = d_.entries[id].found.coordinates;
  if (!c) return std::nullopt;
  const auto la = DegreesOf(c->latitude, 90), lo = DegreesOf(c->longitude, 180);
  if (!la || !lo) return std::nullopt;
  return std::pair{*la, *lo};
}

std::vector<std::uint32_t> Gazetteer::Lookup::Abbreviated(const std::string& key) const {
  // The places and municipalities of a name without its addition whose whole name `fits`.
  std::vector<std::uint32_t> ids;
  const auto named = [&](const std::string& form, const auto& fits) {
    if (const std::vector<std::uint32_t>* shortened = Find(d_.shortened, form))
      for (std::uint32_t id : *shortened) {
        const PlaceRecord& r = d_.entries[id].found.record;
        if (fits(FoldedKey1252(TextOf(r.Place))) || (d_.entries[id].seat && fits(FoldedKey1252(TextOf(r.Municipality)))))
          AddOnce(ids, id);
      }
  };
  // "krems/donau": a place whose name is the first with an addition that ends in the second.
  if (const std::size_t slash = key.find('/'); slash != std::string::npos && slash > 0 &&
                                               key.find(' ', slash) == std::string::npos && key[slash - 1] != ' ') {
    const std::string name = key.substr(0, slash), end = " " + key.substr(slash + 1);
    if (end.size() > 1)
      named(name, [&](const std::string& folded) {
        const std::vector<std::string> forms = WithoutAddition(folded);
        return !forms.empty() && forms.front() == name && AdditionOf(folded).ends_with(end);
      });
    return ids;
  }
  if (AdditionOf(key).find('.') == std::string::npos) return ids;
  for (const std::string& form : WithoutAddition(key))
    named(form, [&](const std::string& folded) { return AbbreviatesName(key, folded); });
  return ids;
}

// The places found without the addition of the name as written that it fits: its last word
// names an area that holds the place, or ends the addition of a place's name within
// kAdditionKm ("Linz an der Donau": Feldkirchen an der Donau nearby). All of them where the
// name has no such addition ("Bad Ischl" as "Ischl").
std::vector<std::uint32_t> Gazetteer::Lookup::FittingAddition(const std::string& key,
                                                              const std::vector<std::uint32_t>& ids) const {
  // A river or a lake that names places along it: the Danube's run through a district.
  constexpr double kAdditionKm = 30;
  const std::string addition = AdditionOf(key);
  if (addition.empty()) return ids;
  const std::string end = addition.substr(addition.rfind(' ') + 1);
  const Area* area = Find(d_.areas, end);
  const std::vector<std::uint32_t>* along = Find(d_.additionEnds, end);
  std::vector<std::uint32_t> fitting;
  std::copy_if(ids.begin(), ids.end(), std::back_inserter(fitting), [&](std::uint32_t id) {
    if (area && area->Holds(d_.entries[id], id)) return true;
    const auto a = PointOf(id);
    return along && std::any_of(along->begin(), along->end(), [&](std::uint32_t other) {
             if (d_.entries[other].district == d_.entries[id].district) return true;
             const auto b = PointOf(other);
             return a && b && KmApart(*a, *b) <= kAdditionKm;
           });
  });
  return fitting;
}

// The same of places abroad: the addition's last word names the land, the region or the
// county they lie in, or a town near them ("Neustadt in Mähren", "Neumarkt in Südtirol").
std::vector<std::uint32_t> Gazetteer::Lookup::FittingAdditionAbroad(const std::string& key,
                                                                    const std::vector<std::uint32_t>& ids) const {
  const MonarchyIndex& m = d_.monarchy;
  const std::string addition = AdditionOf(key);
  if (addition.empty()) return ids;
  const std::string end = addition.substr(addition.rfind(' ') + 1);
  const Area* area = Find(d_.areas, end);
  const NamedArea* land = area && area->named && (!area->named->countries.empty() || !area->named->lands.empty())
                              ? area->named
                              : nullptr;
  const std::vector<std::uint32_t> towns = m.Find(end);
  std::vector<std::uint32_t> fitting;
  std::copy_if(ids.begin(), ids.end(), std::back_inserter(fitting), [&](std::uint32_t id) {
    return (land && InArea(m, id, *land)) || NamesRegionOf(m.place(id), end) ||
           std::any_of(towns.begin(), towns.end(), [&](std::uint32_t town) { return NearTown(id, town); });
  });
  return fitting;
}

// With its addition dropped, the name of a municipality or of the place that bears one
// ("Linz an der Donau" is the city of Linz, not the hamlet of that name): the places of each
// form of the name, folded and loose.
std::vector<std::vector<std::uint32_t>> Gazetteer::Lookup::SeatsWithoutAddition(const std::string& key,
                                                                                 const std::string& loose) const {
  std::vector<std::vector<std::uint32_t>> found;
  for (const std::string* form : {&key, &loose}) {
    const bool isLoose = form == &loose;
    for (const std::string& shortened : WithoutAddition(*form)) {
      std::vector<std::uint32_t>& seats = found.emplace_back();
      for (const Data::Index* index : {isLoose ? &d_.loosePlaces : &d_.places,
                                       isLoose ? &d_.looseMunicipalities : &d_.municipalities})
        if (const auto* ids = Find(*index, shortened))
          for (std::uint32_t id : *ids)
            if (d_.entries[id].seat) AddOnce(seats, id);
    }
  }
  return found;
}

void Gazetteer::Lookup::FindInAustria() {
  const FoldedName written = parts_[0];
  inAustria_ = Place(0, named_, sure_);
  // "of Tarnow", "aus Gmünd": the name after the word.
  if (inAustria_.empty() && !named_ && DropLeadingWord(0)) inAustria_ = Place(0, named_, sure_);
  // "Pfarre Grundlsee", "Gemeinde Altaussee": the name after the word.
  if (inAustria_.empty() && !named_ && DropJurisdictionWord(0)) inAustria_ = Place(0, named_, sure_);
  // "bei Graz" means near Graz: the place found, the value kept as it is.
  if (inAustria_.empty() && !named_ && parts_[0].folded.starts_with("bei ") && parts_[0].folded.size() > 4) {
    parts_[0].folded.erase(0, 4);
    parts_[0].loose = Loosened(parts_[0].folded);
    inAustria_ = Place(0, named_, sure_);
    keepValue_ = nearOnly_ = named_;
  }
  // "Silberleut c. 12": an address, the place without its number, and the value as it is.
  if (inAustria_.empty() && !named_ && DropHouseNumber(0)) {
    inAustria_ = Place(0, named_, sure_);
    keepValue_ = named_;
  }
  // A building or an address first: the place is what follows, and the value stays as it is.
  if (inAustria_.empty() && !named_ && end_ > 1 && IsSite(written)) {
    bool restNamed = false;
    inAustria_ = Place(1, restNamed, sure_);
    if (restNamed) {
      keepValue_ = true;
      named_ = true;
      place_ = 1;
    }
  }
}

// The places abroad of the place's name: as written, with the umlauts dropped, joined
// ("Großsteurowitz" for Groß Steurowitz), with an addition dropped from either side; narrowed
// by the parts after it. A land of the monarchy keeps the places that lay in it in 1910 (a
// land named loosely, one that records confuse with it, where the name is one place: Znaim,
// "Böhmen", lay in Moravia), a country of today those that lie there; a region or county of
// today by its name ("woj. podkarpackie", "Jihomoravský kraj"), a town by its county or
// nearness (kSeatKm; the largest town of a region for all of it, or kRegionSeatKm around it:
// "Tuchów, Tarnów, Kraków"); a part that names only today's Austria (Niederösterreich, a
// district) never, an unknown one leaves the place unsure. Places of one name and country
// within 10 km are one, the larger.
std::vector<std::uint32_t> Gazetteer::Lookup::Abroad(std::size_t first, bool& sure, bool shortened) {
  const MonarchyIndex& m = d_.monarchy;
  const FoldedName& place = parts_[first];
  // Each way of finding the name in turn, until one finds places the other parts agree with;
  // `dropped`: the way drops the addition the value gives the name.
  struct Way {
    std::string key;
    MonarchyNames names;
    bool dropped = false;
  };
  std::vector<Way> ways;
  const auto add = [&](const std::string& form, bool exact, bool dropped) {
    const std::string loose = Loosened(form);
    if (exact) ways.push_back({form, MonarchyNames::kExact, dropped});
    ways.push_back({loose, MonarchyNames::kLoose, dropped});
    if (std::string i = IForY(loose); !i.empty()) ways.push_back({std::move(i), MonarchyNames::kLoose, dropped});
  };
  add(place.folded, true, false);
  if (shortened) ways.push_back({place.folded, MonarchyNames::kShortened});
  if (const std::string joined = JoinedForm(place.folded); !joined.empty())
    add(joined, false, false);  // the joined form is a loose key only
  if (shortened)
    for (const std::string& form : WithoutAddition(place.folded)) add(form, true, true);
  // A place in the land named by any way first; only then one of a land named loosely.
  std::vector<std::uint32_t> found;
  std::string reason;
  for (const bool loosely : {false, true}) {
    neighbourLands_ = loosely;
    for (const Way& way : ways) {
      std::vector<std::uint32_t> ids = m.Find(way.key, way.names);
      if (ids.empty()) continue;
      abroadReason_.clear();
      bearers_ = Distinct(ids).size();
      found = Narrowed(std::move(ids), first, sure);
      if (found.empty()) {
        if (reason.empty()) reason = abroadReason_;  // why the name as written was not the place
        continue;
      }
      // "Stein an der Traun" is not Stein, today Kamnik: a name found only without its addition
      // is sure where a land of the monarchy narrows it ("St. Martin in Passeier, Tirol") or the
      // addition fits.
      if (way.dropped) {
        if (std::vector<std::uint32_t> fitting = FittingAdditionAbroad(place.folded, found); !fitting.empty()) {
          found = std::move(fitting);
        } else if (!monarchy_) {  // no land narrowed it
          sure = false;
          withoutAddition_ = true;
          abroadReason_ = place.text + ": ein Ort dieses Namens nur ohne seinen Zusatz";
        }
      }
      return found;
    }
  }
  abroadReason_ = reason.empty() ? abroadReason_ : reason;
  return found;
}

// The places of the name narrowed by the parts after it.
std::vector<std::uint32_t> Gazetteer::Lookup::Narrowed(std::vector<std::uint32_t> ids, std::size_t first, bool& sure) {
  const MonarchyIndex& m = d_.monarchy;
  const FoldedName& place = parts_[first];
  sure = true;
  const bool prussian = NamesPrussianSilesia();
  for (std::size_t k = first + 1; k < parts_.size(); ++k) {
    const Area* area = areas_[k];
    std::vector<std::uint32_t> kept;
    if (area && area->named && (!area->named->countries.empty() || !area->named->lands.empty())) {
      const NamedArea& named = prussian && area->named->lands == "SIL" ? PrussianSilesia() : *area->named;
      for (std::uint32_t id : ids)
        if (InArea(m, id, named)) kept.push_back(id);
      if (kept.empty() && neighbourLands_) kept = InNeighbourLand(ids, named, place);
      if (kept.empty()) abroadReason_ = parts_[k].text + ": dort kein Ort " + place.text;
    } else if (area && area->named) {  // a state of today's Austria alone, a country outside the monarchy
      abroadReason_ = parts_[k].text + (area->Austrian() ? ": nur in Österreich" : ": nicht in der Monarchie");
      return {};
    } else {
      const std::string bare = WithoutTypeWords(parts_[k].folded);
      for (std::uint32_t id : ids)
        if (NamesRegionOf(m.place(id), bare)) kept.push_back(id);
      std::vector<std::uint32_t> towns;
      if (kept.empty()) {
        towns = m.Find(bare);
        if (towns.empty()) towns = m.Find(Loosened(bare), MonarchyNames::kLoose);
        for (std::uint32_t id : ids)
          if (std::any_of(towns.begin(), towns.end(), [&](std::uint32_t town) { return NearTown(id, town); }))
            kept.push_back(id);
      }
      if (kept.empty() && towns.empty() && !(area && area->Austrian())) {
        sure = false;
        AddReasons(abroadReason_, parts_[k].text + ": weder Land noch Ort der Monarchie");
        continue;
      }
      if (kept.empty()) abroadReason_ = parts_[k].text + (towns.empty() ? ": nur in Österreich" : ": dort kein Ort " + place.text);
    }
    if (kept.empty()) return kept;
    ids = std::move(kept);
  }
  return Distinct(ids);
}

// One place under two rows: the same name, or a village and its municipality of two names
// ("Scena", "Scena - Schenna"), close together; the larger stands for both.
std::vector<std::uint32_t> Gazetteer::Lookup::Distinct(const std::vector<std::uint32_t>& ids) const {
  const MonarchyIndex& m = d_.monarchy;
  // Names compared as written plainly: "Jaroměř" and a twin row "Jaromer" are one.
  const auto oneName = [](std::string_view a, std::string_view b) {
    return Loosened(FoldedKey(a)) == Loosened(FoldedKey(b)) ||
           (b.starts_with(a) && b.substr(a.size()).starts_with(" - ")) ||
           (a.starts_with(b) && a.substr(b.size()).starts_with(" - "));
  };
  std::vector<std::uint32_t> distinct;
  for (std::uint32_t id : ids) {
    const auto same = std::find_if(distinct.begin(), distinct.end(), [&](std::uint32_t d) {
      return m.place(d).country == m.place(id).country && oneName(m.place(d).name, m.place(id).name) &&
             KmBetween(m.place(d), m.place(id)) <= 10;
    });
    if (same == distinct.end()) distinct.push_back(id);
    else if (m.place(id).population > m.place(*same).population) *same = id;
  }
  // A name written with the letters of its own language is the place that bears it so ("Kęty",
  // not the Hungarian village Kéty).
  if (distinct.size() > 1) {
    const std::string& written = parts_[place_].text;
    if (std::any_of(written.begin(), written.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
      std::vector<std::uint32_t> same;
      for (std::uint32_t id : distinct)
        if (ExonymKey(m.place(id).name) == ExonymKey(written)) same.push_back(id);
      if (same.size() == 1) distinct = same;
    }
  }
  // A part of a town beside a town of the name is that town ("Mährisch Ostrau": Ostrava, not
  // its district Moravská Ostrava).
  std::erase_if(distinct, [&](std::uint32_t part) {
    return m.place(part).part && std::any_of(distinct.begin(), distinct.end(), [&](std::uint32_t town) {
             return !m.place(town).part && KmBetween(m.place(town), m.place(part)) <= 10;
           });
  });
  return distinct;
}

// A land named loosely: where the name is one place of the monarchy and that place lay in a
// land that records confuse with the one named, that place, with a note of its land.
std::vector<std::uint32_t> Gazetteer::Lookup::InNeighbourLand(const std::vector<std::uint32_t>& ids,
                                                              const NamedArea& named, const FoldedName& place) {
  if (named.kind != AreaKind::kLand || named.lands.empty() || named.lands == "-") return {};
  const std::vector<std::uint32_t> distinct = Distinct(ids);
  if (distinct.size() != 1 || SimilarIn(place, named)) return {};
  const auto p = d_.monarchy.place(distinct.front());
  const std::string_view land = p.lands.substr(0, p.lands.find(' '));
  for (std::string_view code : Split(named.lands, ' ')) {
    const CrownLand* crownLand = FindCrownLand(code);
    if (!crownLand) continue;
    for (std::string_view neighbour : Split(crownLand->neighbours, ' '))
      if (neighbour == land) {
        looseLand_ = place.text + " lag in " + std::string(FindCrownLand(land)->name);
        return distinct;
      }
  }
  return {};
}

// Whether the land has a place whose name is as few edits from the name as its length allows
// ("Kromau", Mährisch Kromau, for "Krumau, Mähren"): then the name is that place's misspelt,
// not a place of another land.
bool Gazetteer::Lookup::SimilarIn(const FoldedName& place, const NamedArea& land) const {
  const MonarchyIndex& m = d_.monarchy;
  const int allowed = EditsAllowed(place.loose);
  for (std::size_t k = 0; k < m.Keys(MonarchyNames::kLoose); ++k) {
    const std::string_view key = m.KeyAt(k, MonarchyNames::kLoose);
    const auto lengths = static_cast<int>(key.size()) - static_cast<int>(place.loose.size());
    if (lengths > allowed || -lengths > allowed || Edits(place.loose, key, Span::kWhole, allowed) > allowed) continue;
    const auto ids = m.Key(k, MonarchyNames::kLoose).second;
    if (std::any_of(ids.begin(), ids.end(), [&](std::uint32_t id) { return InArea(m, id, land); })) return true;
  }
  return false;
}

// Whether a place abroad lies by a town a value names with it: in its county, within kSeatKm
// of it, or anywhere in its region, or within kRegionSeatKm, where it is the region's largest.
bool Gazetteer::Lookup::NearTown(std::uint32_t id, std::uint32_t town) const {
  constexpr double kSeatKm = 60, kRegionSeatKm = 150;
  const auto p = d_.monarchy.place(id), t = d_.monarchy.place(town);
  if (p.country == t.country && !p.county.empty() && p.county == t.county) return true;
  const double km = KmBetween(p, t);
  if (km <= kSeatKm) return true;
  return t.seat && (km <= kRegionSeatKm || (p.country == t.country && !p.province.empty() && p.province == t.province));
}

// Whether the value names Prussian Silesia besides "Schlesien": a Kreis, as Prussia's districts
// were called (Austria's were Bezirke).
bool Gazetteer::Lookup::NamesPrussianSilesia() const {
  for (std::size_t k = 1; k < parts_.size(); ++k)
    for (std::string_view word : FoldedWords(parts_[k].folded))
      if (word == "kreis" || word == "landkreis") return true;
  return false;
}

void Gazetteer::Lookup::FindAbroad() {
  if (!searchesAbroad_) return;
  if (inAustria_.empty()) {
    onlyAbroad_ = true;
    abroad_ = Abroad(place_, abroadSure_, true);
  } else if (loosely_ || bare_) {  // a value that names no land may mean either
    // Found in Austria only with an addition or the umlauts dropped ("St. Ulrich, Tirol" for St.
    // Ulrich am Pillersee): so abroad too (St. Ulrich in Gröden); a name found as written, only
    // as written.
    bool ignored = true;
    abroad_ = Abroad(place_, ignored, loosely_);
    if (withoutAddition_) abroad_.clear();  // Wolfsberg im Lavanttal, not Wolfsberg abroad
  }
}

// The places whose names are as few edits away from the place's as their length allows,
// the nearest first, that the other parts agree with.
void Gazetteer::Lookup::FindSimilar() {
  if (!inAustria_.empty() || OnlyAbroad() || named_ || !austrian_) return;
  const FoldedName& place = parts_[0];
  std::vector<std::pair<int, std::uint32_t>> near;
  for (const Data::Index* index : {&d_.loosePlaces, &d_.loosePlaceParts, &d_.looseMunicipalities}) {
    for (const auto& [key, ids] : *index) {
      // A name whose length alone is further away is passed over without a count.
      const int allowed = EditsAllowed(key);
      const auto lengths = static_cast<int>(key.size()) - static_cast<int>(place.loose.size());
      if (lengths > allowed || -lengths > allowed) continue;
      const int edits = Edits(place.loose, key, Span::kWhole, allowed);
      if (edits > allowed) continue;
      for (std::uint32_t id : ids) near.emplace_back(edits, id);
    }
    if (!near.empty()) break;
  }
  std::sort(near.begin(), near.end());
  for (const auto& [edits, id] : near) AddOnce(inAustria_, id);
  bool sure = true;
  std::string why;
  if (!Narrow(inAustria_, 1, place, sure, why)) AddReasons(failures_, why);
  similar_ = !inAustria_.empty();
}

void Gazetteer::Lookup::FindSimilarAbroad() {
  const MonarchyIndex& m = d_.monarchy;
  if (!onlyAbroad_ || !abroad_.empty() || m.empty() || parts_.empty()) return;
  const FoldedName& place = parts_[place_];
  const int allowed = EditsAllowed(place.loose);
  if (allowed < 2) return;
  std::vector<const NamedArea*> lands;
  for (std::size_t k = place_ + 1; k < parts_.size(); ++k)
    if (const Area* area = areas_[k]; area && area->named && !area->named->lands.empty() && area->named->lands != "-")
      lands.push_back(area->named);
  if (lands.empty()) return;
  std::vector<std::pair<int, std::uint32_t>> near;
  for (std::size_t k = 0; k < m.Keys(MonarchyNames::kLoose); ++k) {
    const std::string_view key = m.KeyAt(k, MonarchyNames::kLoose);
    const auto lengths = static_cast<int>(key.size()) - static_cast<int>(place.loose.size());
    if (lengths > allowed || -lengths > allowed) continue;
    const int edits = Edits(place.loose, key, Span::kWhole, allowed);
    if (edits > allowed) continue;
    for (std::uint32_t id : m.Key(k, MonarchyNames::kLoose).second)
      if (std::all_of(lands.begin(), lands.end(), [&](const NamedArea* land) { return InArea(m, id, *land); }))
        near.emplace_back(edits, id);
  }
  std::sort(near.begin(), near.end());
  std::vector<std::uint32_t> ids;
  for (const auto& [edits, id] : near)
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
  abroad_ = Distinct(ids);
  similarAbroad_ = !abroad_.empty();
}

Candidate Gazetteer::Lookup::AbroadCandidate(std::uint32_t id) const {
  const auto& p = d_.monarchy.place(id);
  return {std::string(p.name) + ", " + std::string(CountryName(p.country)),
          Coordinates{std::string(p.latitude), std::string(p.longitude)}, Country{std::string(p.country)}};
}

// A common name that the data gives one village of the land only by another name (its German
// one: "Rosenthal", Vrchoslav, and more Rosenthals in Bohemia than the data knows): not sure.
// A municipality's seat is known by its German name (Neumarkt, Egna).
bool Gazetteer::Lookup::CommonName() const {
  if (abroad_.size() != 1) return false;
  const auto one = d_.monarchy.place(abroad_.front());
  return !one.municipal && bearers_ + Named(parts_[place_].folded, parts_[place_].loose).size() >= kCommonName &&
         Loosened(FoldedKey(one.name)) != parts_[place_].loose && one.population < kSmallTown;
}

// Of several places abroad, the one town among villages: of 50,000 or more inhabitants where
// the others have fewer than 5,000, of 10,000 or more where they have fewer than 1,000 (or an
// unknown number: a village cities500 lacks) ("Praha", not the village Praha in Slovakia); or
// the one municipality's seat among smaller places that are none.
std::optional<std::size_t> Gazetteer::Lookup::TownAbroad() const {
  if (abroad_.size() < 2) return std::nullopt;
  constexpr std::pair<long, long> kTowns[] = {{50000, 5000}, {10000, 1000}};
  for (const auto& [city, village] : kTowns) {
    std::optional<std::size_t> town;
    bool villages = true;
    for (std::size_t k = 0; k < abroad_.size() && villages; ++k) {
      const long population = d_.monarchy.place(abroad_[k]).population;
      if (population >= city && !town) town = k;
      else if (population >= village) villages = false;
    }
    if (town && villages) return town;
  }
  // A municipality's own place over hamlets and villages of its name that are none ("Ulten":
  // the municipality Ultimo, not its village St. Walburg).
  std::optional<std::size_t> seat;
  for (std::size_t k = 0; k < abroad_.size(); ++k) {
    const auto p = d_.monarchy.place(abroad_[k]);
    if (p.municipal) {
      if (seat) return std::nullopt;
      seat = k;
    } else if (p.population >= kSmallTown) {
      return std::nullopt;
    }
  }
  return seat;
}

void Gazetteer::Lookup::Choose(Resolution& resolution) const {
  std::vector<Candidate>& candidates = resolution.candidates;
  if (OnlyAbroad()) {
    for (std::uint32_t id : abroad_) candidates.push_back(AbroadCandidate(id));
    resolution.keepValue = true;
    // A name alone is a town's: a village of a name records write plainly may be anything
    // ("Place", a village in Slovenia).
    const bool townOrNamed = !bare_ || d_.monarchy.place(abroad_.front()).population >= kTownAbroad;
    const bool common = CommonName();
    const auto town = TownAbroad();
    resolution.status = similarAbroad_                                                   ? Status::kSimilar
                        : candidates.size() == 1 && abroadSure_ && !namesake_ && townOrNamed && !common ? Status::kAbroad
                        : town && abroadSure_ && !namesake_                             ? Status::kAbroad
                                                                                        : Status::kAmbiguous;
    if (resolution.status == Status::kAbroad) resolution.chosen = town.value_or(0);
    return;
  }
  // Places of one place string in several municipalities are one candidate, with
  // coordinates only where they all share them.
  for (std::uint32_t c : inAustria_) {
    const Found& f = d_.entries[c].found;
    const std::string placeString = Windows1252ToUtf8(f.placeString);
    const auto same = std::find_if(candidates.begin(), candidates.end(),
                                   [&](const Candidate& k) { return k.placeString == placeString; });
    if (same == candidates.end()) candidates.push_back({placeString, f.coordinates, Country{"AT"}});
    else if (same->coordinates != f.coordinates) same->coordinates.reset();
  }
  for (std::uint32_t id : abroad_) candidates.push_back(AbroadCandidate(id));
  resolution.keepValue = keepValue_;
  if (similar_) {
    resolution.status = Status::kSimilar;
  } else if (candidates.empty()) {
    resolution.status = Status::kNotFound;
  } else if (candidates.size() == 1 && sure_ && !namesake_) {
    resolution.status = Status::kUnique;
    resolution.chosen = 0;
  } else if (const auto town = Town(); town && sure_ && abroad_.empty() && !namesake_) {
    // A town and hamlets of its name, and nothing that points to a hamlet: the town; the
    // hamlets stay candidates.
    const std::string placeString = Windows1252ToUtf8(d_.entries[*town].found.placeString);
    resolution.status = Status::kUnique;
    resolution.chosen = static_cast<std::size_t>(
        std::find_if(candidates.begin(), candidates.end(), [&](const Candidate& c) { return c.placeString == placeString; }) -
        candidates.begin());
  } else {
    resolution.status = Status::kAmbiguous;
  }
}

// Of the candidates in Austria, the one that is a municipality's own place (its name the
// municipality's) where the others are hamlets of other municipalities.
std::optional<std::uint32_t> Gazetteer::Lookup::Town() const {
  std::optional<std::uint32_t> town;
  for (std::uint32_t id : inAustria_) {
    if (d_.entries[id].cityDistrict) return std::nullopt;  // a city's district is no hamlet
    if (!d_.entries[id].seat) continue;
    if (town) return std::nullopt;  // two municipalities of the name
    town = id;
  }
  if (!town || inAustria_.size() < 2) return std::nullopt;
  for (std::uint32_t id : inAustria_)
    if (id != *town && d_.entries[id].municipality == d_.entries[*town].municipality) return std::nullopt;
  return town;
}

// A place of the name elsewhere in the world, for a value that names no land.
std::string Gazetteer::Lookup::Elsewhere() const {
  return namesake_ ? parts_[place_].text + ": auch " + std::string(*namesake_) + ", außerhalb der Monarchie" : "";
}

// Of a value whose places all lie abroad: the villages of its name beside the one chosen, or
// why none is sure.
void Gazetteer::Lookup::ExplainAbroad(Resolution& resolution) const {
  const std::string& name = parts_[place_].text;
  const std::size_t count = resolution.candidates.size();
  if (resolution.status == Status::kSimilar) resolution.reason = name + ": kein Ort dieses Namens, ähnliche Namen";
  if (resolution.status == Status::kAbroad && count > 1) {
    std::string villages;
    for (std::size_t k = 0; k < count; ++k)
      if (k != resolution.chosen) villages += (villages.empty() ? "" : ", ") + resolution.candidates[k].placeString;
    resolution.reason = name + ": auch " + (count > 2 ? "Dörfer" : "ein Dorf") + " dieses Namens: " + villages;
  }
  if (resolution.status == Status::kAmbiguous)
    resolution.reason = count > 1      ? name + ": " + std::to_string(count) + " Orte dieses Namens in den Ländern der Monarchie"
                        : CommonName() ? name + ": ein häufiger Name, dort nur ein Ort dieses Namens bekannt"
                                       : abroadReason_;
  if (resolution.status == Status::kAmbiguous && count > 1 && withoutAddition_)
    AddReasons(resolution.reason, abroadReason_);
  if (!looseLand_.empty()) AddReasons(resolution.reason, looseLand_);
  if (namesake_) AddReasons(resolution.reason, Elsewhere());
}

// The municipalities of the hamlets that bear the name of the town chosen.
std::string Gazetteer::Lookup::Hamlets(const Resolution& resolution) const {
  std::vector<std::string> municipalities;
  for (std::size_t k = 0; k < resolution.candidates.size(); ++k)
    if (k != resolution.chosen)
      for (std::uint32_t id : inAustria_)
        if (Windows1252ToUtf8(d_.entries[id].found.placeString) == resolution.candidates[k].placeString) {
          std::string municipality = Windows1252ToUtf8(TextOf(d_.entries[id].found.record.Municipality));
          if (std::find(municipalities.begin(), municipalities.end(), municipality) == municipalities.end())
            municipalities.push_back(std::move(municipality));
          break;
        }
  std::string hamlets;
  for (const std::string& municipality : municipalities) hamlets += (hamlets.empty() ? "" : ", ") + municipality;
  return hamlets;
}

void Gazetteer::Lookup::Explain(Resolution& resolution) const {
  if (OnlyAbroad()) return ExplainAbroad(resolution);
  const std::string& name = parts_[place_].text;
  const std::size_t count = resolution.candidates.size();
  std::string reason = Reason();
  const auto before = [&](const std::string& first) {
    std::string joined = first;
    AddReasons(joined, reason);
    reason = std::move(joined);
  };
  switch (resolution.status) {
    case Status::kSimilar: before(name + ": kein Ort dieses Namens, ähnliche Namen"); break;
    case Status::kNotFound:
      if (!named_) before(name + ": kein Ort und keine Gemeinde dieses Namens");
      // "Paris, France", "Augusta, Virginia, USA": a country that held none of the monarchy's lands.
      if (const Area* last = areas_.empty() ? nullptr : areas_.back();
          parts_.size() > 1 && last && last->named && last->named->kind == AreaKind::kCountry && !last->Austrian() &&
          last->named->countries.empty())
        AddReasons(reason, parts_.back().text + ": weder Österreich noch ein Land der Monarchie");
      if (searchesAbroad_) {
        // Of a value that names only lands abroad, what the lookup abroad found is all there is to say.
        std::string abroad = abroadReason_.empty() ? name + ": kein Ort der Monarchie dieses Namens" : abroadReason_;
        if (austrian_) AddReasons(reason, abroad);
        else reason = std::move(abroad);
      }
      break;
    case Status::kUnique: {
      reason.clear();
      if (const std::string hamlets = Hamlets(resolution); !hamlets.empty())
        reason = name + ": auch " + (count > 2 ? "Weiler in " : "ein Weiler in ") + hamlets;
      break;
    }
    default:
      if (count > 1)
        before(name + ": " + std::to_string(count) + " Orte dieses Namens" +
               (abroad_.empty() ? "" : ", in Österreich und im Ausland"));
      break;
  }
  if (namesake_) AddReasons(reason, resolution.status == Status::kNotFound
                                        ? name + ": " + std::string(*namesake_) + ", außerhalb der Monarchie"
                                        : Elsewhere());
  if (resolution.keepValue)
    before(parts_[0].text + (nearOnly_ ? ": nahe diesem Ort, die Angabe bleibt" : ": Gebäude oder Anschrift, die Angabe bleibt"));
  resolution.reason = std::move(reason);
}

Resolution Gazetteer::Resolve(std::string_view value, bool everyValue) const {
  Resolution resolution;
  Lookup lookup(*data_, value);  // the value, read into its parts, each classified
  if ((lookup.parts().empty() || !lookup.NamesAPlace()) && !everyValue) {
    resolution.status = Status::kNotAustrian;
    return resolution;
  }
  if (lookup.parts().empty()) {  // "-", ", ,": no name at all
    resolution.reason = std::string(value) + ": kein Name";
    return resolution;
  }
  lookup.FindInAustria();
  lookup.FindAbroad();
  lookup.FindSimilar();
  lookup.FindSimilarAbroad();
  lookup.Choose(resolution);
  lookup.Explain(resolution);
  return resolution;
}

const char* StatusText(Resolution::Status status) {
  switch (status) {
    case Resolution::Status::kUnique: return "eindeutig";
    case Resolution::Status::kAmbiguous: return "mehrdeutig";
    case Resolution::Status::kNotFound: return "nicht gefunden";
    case Resolution::Status::kSimilar: return "ähnlich";
    case Resolution::Status::kAbroad: return "Ausland";
    case Resolution::Status::kNotAustrian: return "";
  }
  return "";
}

}  // namespace veldaris::places
