#include "places/resolver.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <deque>
#include <unordered_map>

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

std::string DistrictKey(std::string_view folded) {
  std::string key;
  for (const std::string& w : DistrictWords(folded)) key += (key.empty() ? "" : " ") + w;
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

std::vector<FoldedName> ValueParts(std::string_view value) {
  std::vector<FoldedName> parts;
  for (std::size_t from = 0;;) {
    const std::size_t comma = value.find(',', from);
    const std::string text = TrimBlanks(value.substr(from, comma == std::string_view::npos ? comma : comma - from));
    if (!text.empty()) {
      FoldedName part = FoldedName::OfUtf8(text);
      if (!part.folded.empty()) parts.push_back(std::move(part));
    }
    if (comma == std::string_view::npos) break;
    from = comma + 1;
  }
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
  };
  // What a part of a value can name: states, districts, municipalities, single places (a
  // city's district), each of which a place agrees with when it lies there.
  struct Area {
    std::uint16_t states = 0;
    std::vector<std::uint32_t> districts, municipalities, entries;
    const NamedArea* named = nullptr;  // the names table's row
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
  std::unordered_map<std::string, Area> areas, looseAreas, shortenedAreas;
  std::unordered_map<std::string, City> cities;
  Index cityDistricts;  // the districts of every city by name, also by their former names ("fuenfhaus")
  std::unordered_map<std::string, std::string> exonyms;
  MonarchyIndex monarchy;

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
// the districts, the names table, the cities' districts.
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
      for (std::string_view name : Split(row.names, '|')) d.NameArea(FoldedKey(name), area);
    }
    for (const Exonym& exonym : PlaceExonyms()) d.exonyms.emplace(FoldedKey(exonym.name), FoldedKey(exonym.place));
  }

  // A district of a city by its number (0: none) and its name.
  void AddCityDistrict(const std::string& city, std::size_t number, const FoldedName& name, std::uint32_t id) {
    Data::City& c = d.cities[city];
    if (number > 0) {
      if (c.byNumber.size() <= number) c.byNumber.resize(number + 1, kNone);
      if (c.byNumber[number] == kNone) c.byNumber[number] = id;
    }
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
};

Gazetteer::Gazetteer(RecordReader& reader, const CoordinatesIndex& coordinates, MonarchyIndex monarchy)
    : data_(std::make_unique<Data>()) {
  data_->monarchy = std::move(monarchy);
  Builder build{*data_, coordinates, {}, {}, {}};
  build.ReadPlaces(reader);
  build.IndexPlaceNames();
  build.IndexMunicipalities();
  build.IndexDistricts();
  build.IndexNamesTable();
  build.IndexCityDistricts();
}

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
  // Whether the value names today's Austria (its last part a state, a land that held one,
  // the country, or a district of Vienna first or last), or the monarchy's lands.
  bool NamesAustria() const { return austrian_; }
  bool NamesMonarchy() const { return monarchy_; }

  // The place by its name and the parts after it; else without a word such as "Pfarre"
  // before it; else, after a first part that is a building or an address, the next.
  void FindInAustria();
  // Where Austria has no place the parts agree with, the places abroad in the lands the value
  // names; where it has one only with the umlauts or an addition dropped ("Brixen" for Brixen
  // im Thale), those that bear the name abroad too (Brixen, today Bressanone).
  void FindAbroad();
  // Found nowhere by any name in a value that is Austrian: the names a letter or two away.
  void FindSimilar();
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
  bool NamesCityDistrict(std::size_t k) const;
  const Area* Classify(const FoldedName& part);
  bool DropJurisdictionWord(std::size_t k);
  std::vector<std::uint32_t> Place(std::size_t first, bool& named, bool& sure);
  std::vector<std::vector<std::uint32_t>> SeatsWithoutAddition(const std::string& key, const std::string& loose) const;
  bool Narrow(std::vector<std::uint32_t>& candidates, std::size_t from, const FoldedName& place, bool& sure,
              std::string& why) const;
  std::vector<std::uint32_t> Abroad(std::size_t first, bool& sure);
  bool OnlyAbroad() const { return onlyAbroad_ && !abroad_.empty(); }
  Candidate AbroadCandidate(std::uint32_t id) const;
  // Why the place found is not sure, or else why none was found.
  std::string Reason() const { return reason_.empty() ? failures_ : reason_; }

  const Data& d_;
  std::vector<FoldedName> parts_;
  std::vector<const Area*> areas_;
  std::size_t end_ = 0;  // the parts before it are the place and its jurisdictions (the country after them)
  std::vector<std::unique_ptr<Area>> own_;  // areas made for this value (a city's district by number)
  mutable std::deque<std::pair<std::string, District>> districts_;  // CityDistrict's, by text (kept in place)
  bool austrian_ = false, monarchy_ = false;
  bool searchesAbroad_ = false;  // the value names the monarchy's lands, and their places are known

  std::vector<std::uint32_t> inAustria_;  // places of the gazetteer
  std::vector<std::uint32_t> abroad_;     // places of the monarchy
  bool onlyAbroad_ = false;  // abroad_ are all the value may mean: Austria had none
  bool abroadSure_ = true;
  bool similar_ = false;     // inAustria_ are names a letter or two away
  std::size_t place_ = 0;    // the part that names the place
  bool named_ = false;       // some way of finding the place found the name
  bool sure_ = true;         // every part after it named something known
  bool keepValue_ = false;   // the first part is a building or an address
  bool loosely_ = false;     // found only with its umlauts or an official addition dropped
  std::string reason_;    // of the way that found the place
  std::string failures_;  // of the ways that found a name but no place the other parts agree with
  std::string abroadReason_;  // why no place abroad is sure
};

Gazetteer::Lookup::Lookup(const Data& d, std::string_view value)
    : d_(d), parts_(ValueParts(value)), areas_(parts_.size()), end_(parts_.size()) {
  for (std::size_t k = 1; k < parts_.size(); ++k) areas_[k] = Classify(parts_[k]);
  // The last part: Austria, which is left out, or after a place a state or a land that held
  // one, which is a jurisdiction like the others; or a land of the monarchy, or a country
  // that holds one today, for the places abroad.
  if (parts_.size() > 1) {
    const Area* last = areas_.back();
    if (last && last->named && last->states) {
      austrian_ = true;
      if (last->named->kind == AreaKind::kCountry) end_ = parts_.size() - 1;
    }
    monarchy_ = last && last->named && !last->named->countries.empty();
  }
  // Or one of Vienna's districts, first or last ("Wien IX", "Schloß Schönbrunn, Wien-Hietzing").
  if (!austrian_ && !parts_.empty()) austrian_ = NamesCityDistrict(0) || NamesCityDistrict(parts_.size() - 1);
  searchesAbroad_ = monarchy_ && !d_.monarchy.empty();
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

// The place at `first`, narrowed by the parts after it: the candidates of the first way of
// finding it that some are left of. `named`: some way found the name; `sure`: every part
// after it named something known.
std::vector<std::uint32_t> Gazetteer::Lookup::Place(std::size_t first, bool& named, bool& sure) {
  const FoldedName& place = parts_[first];
  std::string key = place.folded, loose = place.loose;
  if (const auto* exonym = Find(d_.exonyms, key)) {
    key = *exonym;
    loose = Loosened(key);
  }
  std::vector<std::uint32_t> candidates;
  // One way of finding the place, which takes `taken` parts.
  const auto found = [&](const std::vector<std::uint32_t>* ids, std::size_t taken) {
    if (!ids || ids->empty()) return false;
    named = true;
    candidates = *ids;
    sure = true;
    std::string why;
    if (Narrow(candidates, first + taken, place, sure, why)) {
      reason_ = why;
      return true;
    }
    AddReasons(failures_, why);
    return false;
  };
  // A place whose name holds a comma ("Wien, Floridsdorf").
  if (first + 1 < end_) {
    const std::string joined = key + "," + parts_[first + 1].folded;
    if (found(Find(d_.places, joined), 2) || found(Find(d_.loosePlaces, Loosened(joined)), 2)) return candidates;
  }
  // A city's district, in this part or with the next ("Wien, IX. Bezirk").
  const District* district = &CityDistrict(key);
  std::size_t taken = 1;
  if (!district->entries && first + 1 < end_ && d_.cities.count(key)) {
    district = &CityDistrict(key + " " + parts_[first + 1].folded);
    taken = 2;
  }
  if (district->entries) {
    if (found(&*district->entries, taken)) return candidates;
    if (district->entries->empty()) {
      named = true;
      AddReasons(failures_, place.text + (taken == 2 ? ", " + parts_[first + 1].text : "") + ": " + district->why);
    }
  }
  // The whole name of a place or a municipality before a part of a name ("Floridsdorf" of
  // "Wien, Floridsdorf", "Hart" of "Hart / Breg").
  if (found(Find(d_.places, key), 1) || found(Find(d_.municipalities, key), 1)) return candidates;
  loosely_ = true;
  if (found(Find(d_.loosePlaces, loose), 1) || found(Find(d_.looseMunicipalities, loose), 1)) return candidates;
  loosely_ = false;
  if (found(Find(d_.placeParts, key), 1) || found(Find(d_.cityDistricts, DistrictKey(key)), 1)) return candidates;
  loosely_ = true;
  if (found(Find(d_.loosePlaceParts, loose), 1) || found(Find(d_.shortened, key), 1) ||
      found(Find(d_.looseShortened, loose), 1))
    return candidates;
  for (const std::vector<std::uint32_t>& seats : SeatsWithoutAddition(key, loose))
    if (found(&seats, 1)) return candidates;
  candidates.clear();
  return candidates;
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
  inAustria_ = Place(0, named_, sure_);
  // "Pfarre Grundlsee", "Gemeinde Altaussee": the name after the word.
  if (inAustria_.empty() && !named_ && DropJurisdictionWord(0)) inAustria_ = Place(0, named_, sure_);
  // A building or an address first: the place is what follows, and the value stays as it is.
  if (inAustria_.empty() && !named_ && end_ > 1 && IsSite(parts_[0])) {
    bool restNamed = false;
    inAustria_ = Place(1, restNamed, sure_);
    if (restNamed) {
      keepValue_ = true;
      named_ = true;
      place_ = 1;
    }
  }
}

// The places of the old monarchy outside today's Austria that bear the place's name, kept
// where every part after it agrees: a land or a country (also the Empire, "Österreich") by
// where its places lie today, Tirol, Steiermark and Kärnten by their parts abroad; a part
// that names a place of the monarchy within 30 km agrees too ("Krumau, Bezirk Krumau"), one
// that names only today's Austria (Niederösterreich, a district) never, an unknown one leaves
// the place unsure. Places of one name and country within 10 km are one, the larger.
std::vector<std::uint32_t> Gazetteer::Lookup::Abroad(std::size_t first, bool& sure) {
  const MonarchyIndex& m = d_.monarchy;
  const FoldedName& place = parts_[first];
  // The name as written, with the umlauts dropped, with an addition dropped from either side.
  std::vector<std::uint32_t> ids = m.Find(place.folded);
  if (ids.empty()) ids = m.Find(place.loose, MonarchyNames::kLoose);
  if (ids.empty()) ids = m.Find(place.folded, MonarchyNames::kShortened);
  for (const std::string& form : WithoutAddition(place.folded))
    if (ids.empty()) ids = m.Find(form);
  if (ids.empty()) return ids;
  const auto within = [&](std::uint32_t a, std::uint32_t b, double km) {
    const auto degrees = [](std::string_view t) { return DegreesOf(t, 180).value_or(0); };
    constexpr double kPerDegree = 111.2;
    const double dla = (degrees(m.place(a).latitude) - degrees(m.place(b).latitude)) * kPerDegree;
    const double dlo = (degrees(m.place(a).longitude) - degrees(m.place(b).longitude)) * kPerDegree *
                       std::cos(degrees(m.place(a).latitude) * 3.14159265358979 / 180);
    return dla * dla + dlo * dlo <= km * km;
  };
  sure = true;
  for (std::size_t k = first + 1; k < parts_.size(); ++k) {
    const Area* area = areas_[k];
    std::vector<std::uint32_t> kept;
    if (area && area->named && !area->named->countries.empty()) {
      for (std::uint32_t id : ids)
        if (InExtent(area->named->countries, m.place(id).country, m.place(id).region)) kept.push_back(id);
      if (kept.empty()) abroadReason_ = parts_[k].text + ": dort kein Ort " + place.text;
    } else if (area && area->named) {  // a state of today's Austria alone, a country outside the monarchy
      abroadReason_ = parts_[k].text + (area->Austrian() ? ": nur in Österreich" : ": nicht in der Monarchie");
      return {};
    } else {
      std::vector<std::uint32_t> near = m.Find(parts_[k].folded);
      if (near.empty()) near = m.Find(std::string(WithoutJurisdictionWord(parts_[k].folded)));
      for (std::uint32_t id : ids)
        if (std::any_of(near.begin(), near.end(), [&](std::uint32_t n) { return within(id, n, 30); })) kept.push_back(id);
      if (kept.empty() && near.empty() && !(area && area->Austrian())) {
        sure = false;
        AddReasons(abroadReason_, parts_[k].text + ": weder Land noch Ort der Monarchie");
        continue;
      }
      if (kept.empty()) abroadReason_ = parts_[k].text + (near.empty() ? ": nur in Österreich" : ": dort kein Ort " + place.text);
    }
    if (kept.empty()) return kept;
    ids = std::move(kept);
  }
  // One place under two rows: the same name, or a village and its municipality of two names
  // ("Scena", "Scena - Schenna"), close together.
  const auto oneName = [&](std::string_view a, std::string_view b) {
    return a == b || (b.starts_with(a) && b.substr(a.size()).starts_with(" - ")) ||
           (a.starts_with(b) && a.substr(b.size()).starts_with(" - "));
  };
  std::vector<std::uint32_t> distinct;
  for (std::uint32_t id : ids) {
    const auto same = std::find_if(distinct.begin(), distinct.end(), [&](std::uint32_t d) {
      return m.place(d).country == m.place(id).country && oneName(m.place(d).name, m.place(id).name) &&
             within(d, id, 10);
    });
    if (same == distinct.end()) distinct.push_back(id);
    else if (m.place(id).population > m.place(*same).population) *same = id;
  }
  return distinct;
}

void Gazetteer::Lookup::FindAbroad() {
  if (!searchesAbroad_) return;
  if (inAustria_.empty()) {
    onlyAbroad_ = true;
    abroad_ = Abroad(place_, abroadSure_);
  } else if (loosely_) {
    bool ignored = true;
    abroad_ = Abroad(place_, ignored);
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

Candidate Gazetteer::Lookup::AbroadCandidate(std::uint32_t id) const {
  const auto& p = d_.monarchy.place(id);
  return {std::string(p.name) + ", " + std::string(CountryName(p.country)),
          Coordinates{std::string(p.latitude), std::string(p.longitude)}, Country{std::string(p.country)}};
}

void Gazetteer::Lookup::Choose(Resolution& resolution) const {
  std::vector<Candidate>& candidates = resolution.candidates;
  if (OnlyAbroad()) {
    for (std::uint32_t id : abroad_) candidates.push_back(AbroadCandidate(id));
    resolution.keepValue = true;
    resolution.status = candidates.size() == 1 && abroadSure_ ? Status::kAbroad : Status::kAmbiguous;
    if (resolution.status == Status::kAbroad) resolution.chosen = 0;
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
  } else if (candidates.size() == 1 && sure_) {
    resolution.status = Status::kUnique;
    resolution.chosen = 0;
  } else {
    resolution.status = Status::kAmbiguous;
  }
}

void Gazetteer::Lookup::Explain(Resolution& resolution) const {
  const std::string& name = parts_[place_].text;
  const std::size_t count = resolution.candidates.size();
  if (OnlyAbroad()) {
    if (resolution.status == Status::kAmbiguous)
      resolution.reason = count > 1 ? name + ": " + std::to_string(count) + " Orte dieses Namens in den Ländern der Monarchie"
                                    : abroadReason_;
    return;
  }
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
      if (searchesAbroad_) {
        // Of a value that names only lands abroad, what the lookup abroad found is all there is to say.
        std::string abroad = abroadReason_.empty() ? name + ": kein Ort der Monarchie dieses Namens" : abroadReason_;
        if (austrian_) AddReasons(reason, abroad);
        else reason = std::move(abroad);
      }
      break;
    case Status::kUnique: reason.clear(); break;
    default:
      if (count > 1)
        before(name + ": " + std::to_string(count) + " Orte dieses Namens" +
               (abroad_.empty() ? "" : ", in Österreich und im Ausland"));
      break;
  }
  if (resolution.keepValue) before(parts_[0].text + ": Gebäude oder Anschrift, die Angabe bleibt");
  resolution.reason = std::move(reason);
}

Resolution Gazetteer::Resolve(std::string_view value, bool everyValue) const {
  Resolution resolution;
  Lookup lookup(*data_, value);  // the value, read into its parts, each classified
  if (!lookup.NamesAustria() && !lookup.NamesMonarchy() && !everyValue) {
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
