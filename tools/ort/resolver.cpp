#include "tools/ort/resolver.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cmath>
#include <cstdlib>

#include "core/federal_states.h"
#include "core/rules.h"
#include "core/search_pass.h"
#include "core/text1252.h"
#include "tools/ort/fold.h"
#include "tools/ort/names.h"

namespace veldaris::ort {
namespace {

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

// A folded text with the umlauts dropped.
std::string LooseOf(std::string folded) {
  DropUmlauts(folded);
  return folded;
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
  if (std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return word.size() <= 2 ? std::stoul(std::string(word)) : 0;
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

std::string Folded1252(std::string_view utf8) { return FoldName(Utf8To1252Plain(utf8)); }

std::vector<std::string_view> Split(std::string_view list, char separator) {
  std::vector<std::string_view> items;
  for (std::size_t from = 0; from < list.size();) {
    const std::size_t at = std::min(list.find(separator, from), list.size());
    if (at > from) items.push_back(list.substr(from, at - from));
    from = at + 1;
  }
  return items;
}

}  // namespace

std::vector<ValuePart> ValueParts(std::string_view value) {
  std::vector<ValuePart> parts;
  std::size_t from = 0;
  for (;;) {
    const std::size_t comma = value.find(',', from);
    std::string text = TrimBlanks(value.substr(from, comma == std::string_view::npos ? comma : comma - from));
    if (!text.empty()) {
      ValuePart part{std::move(text), {}, {}};
      part.folded = FoldName(Utf8To1252Plain(part.text));
      part.loose = LooseOf(part.folded);
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
  void Name(Index& exact, Index& loose, std::string_view text, std::uint32_t id) {
    const std::string folded = FoldName(text);
    Put(exact, folded, id);
    Put(loose, LooseOf(folded), id);
    for (const std::string& form : WithoutAddition(folded)) {
      Put(shortened, form, id);
      Put(looseShortened, LooseOf(form), id);
    }
  }
  void NameArea(std::string_view text, const Area& area) {
    const std::string folded = FoldName(text);
    if (folded.empty()) return;
    areas[folded].Add(area);
    looseAreas[LooseOf(folded)].Add(area);
    for (const std::string& form : WithoutAddition(folded)) shortenedAreas[form].Add(area);
  }
};

Gazetteer::Gazetteer(RecordReader& reader, const CoordinatesIndex& coordinates, MonarchyIndex monarchy)
    : data_(std::make_unique<Data>()) {
  Data& d = *data_;
  d.monarchy = std::move(monarchy);
  const auto& table = FederalStateTable();
  std::unordered_map<std::string, std::uint32_t> districtIds;
  std::vector<std::string> districtNames;
  struct Municipality {
    std::string name;
    std::uint32_t district;
    std::uint8_t state;
    std::vector<std::uint32_t> entries;
  };
  std::vector<Municipality> municipalities;
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
    // A place with two postcodes is one place: the first record gives its coordinates.
    const std::string key = found.placeString + '\t' + std::to_string(atMunicipality->second);
    if (!byPlaceString.emplace(key, static_cast<std::uint32_t>(d.entries.size())).second) return;
    municipalities[atMunicipality->second].entries.push_back(static_cast<std::uint32_t>(d.entries.size()));
    d.entries.push_back({std::move(found), atMunicipality->second, atDistrict->second, state, false});
  });

  // Places by their names: the whole name, the part after "Wien, " or "Graz,05.Bez.:", and
  // each of two names ("Oberwart / Felsöör").
  const std::size_t places = d.entries.size();
  for (std::uint32_t id = 0; id < places; ++id) {
    const std::string& name = TextOf(d.entries[id].found.record.Place);
    d.Name(d.places, d.loosePlaces, name, id);
    if (const std::size_t cut = name.find_last_of(",:"); cut != std::string::npos)
      d.Name(d.placeParts, d.loosePlaceParts, name.substr(cut + 1), id);
    if (const std::size_t slash = name.find(" / "); slash != std::string::npos) {
      d.Name(d.placeParts, d.loosePlaceParts, name.substr(0, slash), id);
      d.Name(d.placeParts, d.loosePlaceParts, name.substr(slash + 3), id);
    }
  }

  // Each municipality stands as the place that bears its name, or else as a whole, with its
  // centre's coordinates where the coordinates file gives them, or the middle of its places'.
  for (std::uint32_t m = 0; m < municipalities.size(); ++m) {
    Municipality& municipality = municipalities[m];
    const std::string folded = FoldName(municipality.name);
    auto seat = std::find_if(municipality.entries.begin(), municipality.entries.end(), [&](std::uint32_t id) {
      return FoldName(TextOf(d.entries[id].found.record.Place)) == folded;
    });
    std::uint32_t id;
    if (seat != municipality.entries.end()) {
      id = *seat;
    } else {
      id = static_cast<std::uint32_t>(d.entries.size());
      Data::Entry whole;
      PlaceRecord& r = whole.found.record;
      r.Place = municipality.name;
      r.Municipality = municipality.name;
      r.District = districtNames[municipality.district];
      if (municipality.state < kNoState) r.StateShortForm = table[municipality.state].ShortForm;
      const Found& part = d.entries[municipality.entries.front()].found;
      r.MunicipalityKind = part.record.MunicipalityKind;
      whole.found.stateName = part.stateName;
      whole.found.placeString =
          BuildPlaceString(r, GetStateDisplayName(TextOf(r.StateShortForm)).value_or(""));
      if (const Coordinates* c = coordinates.Find(ViewOf(r))) {
        whole.found.coordinates = *c;
      } else {
        double latitude = 0, longitude = 0;
        int n = 0;
        for (std::uint32_t e : municipality.entries)
          if (const auto& point = d.entries[e].found.coordinates) {
            latitude += std::strtod(point->latitude.c_str(), nullptr);
            longitude += std::strtod(point->longitude.c_str(), nullptr);
            ++n;
          }
        if (n) {
          char text[2][32];
          std::snprintf(text[0], sizeof text[0], "%.4f", latitude / n);
          std::snprintf(text[1], sizeof text[1], "%.4f", longitude / n);
          whole.found.coordinates = Coordinates{text[0], text[1]};
        }
      }
      whole.municipality = m;
      whole.district = municipality.district;
      whole.state = municipality.state;
      d.entries.push_back(std::move(whole));
    }
    d.entries[id].seat = true;
    d.Name(d.municipalities, d.looseMunicipalities, municipality.name, id);
    Data::Area area;
    area.municipalities.push_back(m);
    d.NameArea(municipality.name, area);
  }

  // Districts, also without "Stadt", "Land" or "Umgebung" ("Innsbruck" for both).
  for (std::uint32_t k = 0; k < districtNames.size(); ++k) {
    Data::Area area;
    area.districts.push_back(k);
    d.NameArea(districtNames[k], area);
    const std::string folded = FoldName(districtNames[k]);
    for (std::string_view ending : {" stadt", " land", " umgebung"})
      if (folded.ends_with(ending)) d.NameArea(folded.substr(0, folded.size() - ending.size()), area);
  }
  const auto districtsNamed = [&](std::string_view list) {
    std::vector<std::uint32_t> ids;
    for (std::string_view name : Split(list, '|'))
      if (const auto at = districtIds.find(Utf8To1252Plain(name)); at != districtIds.end()) ids.push_back(at->second);
    return ids;
  };

  // The names table.
  for (const NamedArea& row : NamedAreas()) {
    Data::Area area;
    area.named = &row;
    for (std::string_view shortForm : Split(row.states, ' '))
      if (const FederalState* state = FindStateByShortForm(Utf8To1252Plain(shortForm)))
        area.states |= static_cast<std::uint16_t>(1u << (state - table.data()));
    area.districts = districtsNamed(row.districts);
    for (std::string_view name : Split(row.names, '|')) d.NameArea(Utf8To1252Plain(name), area);
  }

  // The districts of the cities by number and name: Vienna's from their table, those of
  // Graz and Klagenfurt from their places' names ("Graz,05.Bez.:Gries").
  const auto addDistrict = [&](const std::string& city, std::size_t number, std::string_view name, std::uint32_t id) {
    Data::City& c = d.cities[city];
    if (number > 0) {
      if (c.byNumber.size() <= number) c.byNumber.resize(number + 1, kNone);
      if (c.byNumber[number] == kNone) c.byNumber[number] = id;
    }
    const std::string key = DistrictKey(FoldName(name));
    c.byName.emplace(key, id);
    c.byName.emplace(LooseOf(key), id);
    Data::Put(d.cityDistricts, key, id);
    Data::Put(d.cityDistricts, LooseOf(key), id);
    Data::Area area;
    area.entries.push_back(id);
    d.NameArea(name, area);
  };
  const auto vienna = [&](std::string_view name) -> std::uint32_t {
    const auto at = d.places.find("wien," + Folded1252(name));
    return at == d.places.end() ? kNone : at->second.front();
  };
  for (std::size_t k = 0; k < ViennaDistricts().size(); ++k)
    if (const std::uint32_t id = vienna(ViennaDistricts()[k]); id != kNone)
      addDistrict("wien", k + 1, Utf8To1252Plain(ViennaDistricts()[k]), id);
  for (const FormerViennaDistrict& former : FormerViennaDistricts())
    if (const std::uint32_t id = vienna(ViennaDistricts()[former.number - 1]); id != kNone)
      addDistrict("wien", 0, Utf8To1252Plain(former.name), id);
  for (std::uint32_t id = 0; id < places; ++id) {
    const std::string& name = TextOf(d.entries[id].found.record.Place);
    const std::size_t comma = name.find(','), bez = name.find(".Bez.:");
    if (comma == std::string::npos || bez == std::string::npos || bez < comma) continue;
    const std::size_t number = NumberOf(TrimBlanks(name.substr(comma + 1, bez - comma - 1)));
    if (number) addDistrict(FoldName(name.substr(0, comma)), number, name.substr(bez + 6), id);
  }

  for (const Exonym& exonym : PlaceExonyms()) d.exonyms.emplace(Folded1252(exonym.name), Folded1252(exonym.place));
}

Gazetteer::~Gazetteer() = default;
Gazetteer::Gazetteer(Gazetteer&&) noexcept = default;
std::size_t Gazetteer::size() const { return data_->entries.size(); }

namespace {

using Status = Resolution::Status;

template <typename Map>
const typename Map::mapped_type* Find(const Map& map, const std::string& key) {
  const auto at = map.find(key);
  return at == map.end() ? nullptr : &at->second;
}

// A folded jurisdiction without the word before its name that says what it is ("bezirk
// liezen": "liezen").
std::string_view WithoutJurisdictionWord(std::string_view folded) {
  for (std::string_view word : JurisdictionWords())
    if (folded.size() > word.size() + 1 && folded.starts_with(word) && folded[word.size()] == ' ')
      return folded.substr(word.size() + 1);
  return folded;
}

// Two lists of reasons joined by "; ", each reason once.
std::string Reasons(const std::string& first, const std::string& more) {
  std::string joined = first;
  for (std::size_t from = 0; from < more.size();) {
    const std::size_t end = std::min(more.find("; ", from), more.size());
    const std::string reason = more.substr(from, end - from);
    if (!reason.empty() && ("; " + joined + "; ").find("; " + reason + "; ") == std::string::npos)
      joined += (joined.empty() ? "" : "; ") + reason;
    from = end + 2;
  }
  return joined;
}

// A part that names a building, a church, a cemetery or an address: a number in it, or one
// of their words.
bool IsSite(const ValuePart& part) {
  if (std::any_of(part.folded.begin(), part.folded.end(), [](char c) { return c >= '0' && c <= '9'; })) return true;
  for (std::string_view word : FoldedWords(part.folded)) {
    if (std::find(SiteWords().begin(), SiteWords().end(), word) != SiteWords().end()) return true;
    for (std::string_view ending : SiteEndings())
      if (word.ends_with(ending)) return true;
  }
  return false;
}

}  // namespace

// The lookup of one value: its parts, what each part after the first names, and what the
// report says of the parts that could not be placed.
class Gazetteer::Lookup {
 public:
  using Area = Data::Area;
  Lookup(const Data& d, std::string_view value) : d_(d), parts_(ValueParts(value)), areas_(parts_.size()) {
    for (std::size_t k = 1; k < parts_.size(); ++k) areas_[k] = Classify(parts_[k]);
    end_ = parts_.size();
  }
  const std::vector<ValuePart>& parts() const { return parts_; }
  const Area* area(std::size_t k) const { return areas_[k]; }
  // Only the parts before `end` are the place and its jurisdictions (the country after them).
  void EndAt(std::size_t end) { end_ = end; }
  std::size_t end() const { return end_; }
  // The place at `first`, narrowed by the parts after it: the candidates of the first way of
  // finding it that some are left of. `named`: some way found the name; `sure`: every part
  // after it named something known.
  std::vector<std::uint32_t> Place(std::size_t first, bool& named, bool& sure);
  std::vector<std::uint32_t> Similar(std::size_t first);
  // The places abroad of the place's name.
  std::vector<std::uint32_t> Abroad(std::size_t first, bool& sure);
  // Whether the place was found only with its umlauts or an official addition dropped.
  bool FoundLoosely() const { return loosely_; }
  const std::string& AbroadReason() const { return abroad_; }
  // Why the place found is not sure, or else why none was found.
  std::string Reason() const { return reason_.empty() ? failures_ : reason_; }
  // Whether a part names a district of a city together with its city ("Wien IX",
  // "Wien-Hietzing"; "Wien" and the next part: "Wien, Ottakring").
  bool NamesCityDistrict(std::size_t k) const {
    const auto named = [&](const std::string& folded) {
      bool city = false;
      const auto district = CityDistrict(folded, nullptr, &city);
      return district && !district->empty() && city;
    };
    if (named(parts_[k].folded)) return true;
    return k + 1 < parts_.size() && d_.cities.count(parts_[k].folded) && named(parts_[k].folded + " " + parts_[k + 1].folded);
  }
  // The place's part without a word such as "Pfarre" before its name: whether it had one.
  bool DropJurisdictionWord(std::size_t k) {
    const std::string_view bare = WithoutJurisdictionWord(parts_[k].folded);
    if (bare.size() == parts_[k].folded.size()) return false;
    parts_[k].folded = std::string(bare);
    parts_[k].loose = LooseOf(parts_[k].folded);
    return true;
  }

 private:
  const Area* Classify(const ValuePart& part);
  std::optional<std::vector<std::uint32_t>> CityDistrict(std::string_view folded, std::string* why,
                                                         bool* cityNamed = nullptr) const;
  bool Narrow(std::vector<std::uint32_t>& candidates, std::size_t from, const ValuePart& place, bool& sure,
              std::string& why) const;
  static void Add(std::string& reasons, const std::string& reason) {
    if (!reason.empty() && reasons.find(reason) == std::string::npos) reasons += (reasons.empty() ? "" : "; ") + reason;
  }

  const Data& d_;
  std::vector<ValuePart> parts_;
  std::vector<const Area*> areas_;
  std::size_t end_ = 0;
  std::vector<std::unique_ptr<Area>> own_;  // areas made for this value (a city's district by number)
  std::string reason_;    // of the way that found the place
  std::string failures_;  // of the ways that found a name but no place the other parts agree with
  std::string abroad_;    // why no place abroad is sure
  bool loosely_ = false;
};

// A part after the place: what it names, by its name folded, with a word such as "Bezirk"
// before it or without, with the umlauts dropped, as a city's district, or with an official
// addition dropped from either side. Nothing for an unknown name.
const Gazetteer::Data::Area* Gazetteer::Lookup::Classify(const ValuePart& part) {
  if (const Area* area = Find(d_.areas, part.folded)) return area;
  if (const Area* area = Find(d_.looseAreas, part.loose)) return area;
  const std::string bare(WithoutJurisdictionWord(part.folded));
  if (bare.size() != part.folded.size()) {
    if (const Area* area = Find(d_.areas, bare)) return area;
    if (const Area* area = Find(d_.looseAreas, LooseOf(bare))) return area;
  }
  if (auto entries = CityDistrict(bare, nullptr); entries && !entries->empty()) {
    own_.push_back(std::make_unique<Area>());
    own_.back()->entries = std::move(*entries);
    return own_.back().get();
  }
  if (const Area* area = Find(d_.shortenedAreas, bare)) return area;
  for (const std::string& form : WithoutAddition(bare))
    if (const Area* area = Find(d_.areas, form)) return area;
  return nullptr;
}

// A district of a city as records write it: its number, Arabic or Roman, with or without
// "Bezirk", its name, or both, after the city's name or with "Bezirk" alone ("wien ix", "wien
// 10", "ix. bezirk", "wien leopoldstadt", "wien ii leopoldstadt", "1090 wien"): the places it
// can mean; nothing where it is no such form, none where the city has no such district (why
// says so).
std::optional<std::vector<std::uint32_t>> Gazetteer::Lookup::CityDistrict(std::string_view folded, std::string* why,
                                                                          bool* cityNamed) const {
  std::vector<std::string> words = DistrictWords(folded);
  // Vienna's postcodes name the district: 1090 is the ninth.
  std::size_t number = 0;
  if (words.size() == 2 && words[1] == "wien" && words[0].size() == 4 && words[0][0] == '1' && words[0][3] == '0' &&
      NumberOf(words[0].substr(1, 2))) {
    number = NumberOf(words[0].substr(1, 2));
    words.erase(words.begin());
  }
  if (words.empty()) return std::nullopt;
  const auto city = d_.cities.find(words[0]);
  if (cityNamed) *cityNamed = city != d_.cities.end();
  bool districtWord = false;
  std::string name;
  for (std::size_t k = city == d_.cities.end() ? 0 : 1; k < words.size(); ++k) {
    if (IsDistrictWord(words[k])) districtWord = true;
    else if (!number && name.empty() && NumberOf(words[k])) number = NumberOf(words[k]);
    else name += (name.empty() ? "" : " ") + words[k];
  }
  if (city == d_.cities.end() ? !(number && districtWord) : !(number || !name.empty())) return std::nullopt;
  std::vector<std::uint32_t> entries;
  bool nameKnown = name.empty();
  for (auto c = d_.cities.begin(); c != d_.cities.end(); ++c) {
    if (city != d_.cities.end() && c != city) continue;
    std::uint32_t byNumber = kNone, byName = kNone;
    if (number && number < c->second.byNumber.size()) byNumber = c->second.byNumber[number];
    if (!name.empty()) {
      auto at = c->second.byName.find(name);
      if (at == c->second.byName.end()) at = c->second.byName.find(LooseOf(name));
      if (at != c->second.byName.end()) byName = at->second;
      nameKnown |= byName != kNone;
    }
    if (number && !name.empty() && byNumber != byName) {
      if (why && byNumber != kNone && byName != kNone) *why = "Nummer und Name des Bezirks passen nicht zueinander";
      continue;
    }
    if (const std::uint32_t id = number ? byNumber : byName; id != kNone) AddOnce(entries, id);
  }
  if (!nameKnown && !number) return std::nullopt;  // "graz steiermark": no district at all
  if (!nameKnown) return std::nullopt;              // "wien 10 favoritenstrasse": an address
  if (entries.empty() && why && why->empty()) *why = "kein Bezirk dieser Nummer";
  return entries;
}

// Keeps the candidates that every part from `from` on agrees with. A part that names
// nothing known narrows nothing but leaves the place unsure; a part that no candidate
// agrees with leaves none.
bool Gazetteer::Lookup::Narrow(std::vector<std::uint32_t>& candidates, std::size_t from, const ValuePart& place,
                               bool& sure, std::string& why) const {
  for (std::size_t k = from; k < end_; ++k) {
    const Area* area = areas_[k];
    if (!area) {
      sure = false;
      Add(why, parts_[k].text + ": weder Bundesland noch Bezirk noch Gemeinde");
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

std::vector<std::uint32_t> Gazetteer::Lookup::Place(std::size_t first, bool& named, bool& sure) {
  const ValuePart& place = parts_[first];
  std::string key = place.folded, loose = place.loose;
  if (const auto* exonym = Find(d_.exonyms, key)) {
    key = *exonym;
    loose = LooseOf(key);
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
    Add(failures_, why);
    return false;
  };
  // A place whose name holds a comma ("Wien, Floridsdorf").
  if (first + 1 < end_) {
    const std::string joined = key + "," + parts_[first + 1].folded;
    if (found(Find(d_.places, joined), 2) || found(Find(d_.loosePlaces, LooseOf(joined)), 2)) return candidates;
  }
  // A city's district, in this part or with the next ("Wien, IX. Bezirk").
  std::string why;
  auto district = CityDistrict(key, &why);
  std::size_t taken = 1;
  if (!district && first + 1 < end_ && d_.cities.count(key)) {
    district = CityDistrict(key + " " + parts_[first + 1].folded, &why);
    taken = 2;
  }
  if (district) {
    if (found(&*district, taken)) return candidates;
    if (district->empty()) {
      named = true;
      Add(failures_, place.text + (taken == 2 ? ", " + parts_[first + 1].text : "") + ": " + why);
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
  // With its addition dropped, the name of a municipality or of the place that bears one
  // ("Linz an der Donau" is the city of Linz, not the hamlet of that name).
  for (const std::string* form : {&key, &loose}) {
    const bool isLoose = form == &loose;
    for (const std::string& shortened : WithoutAddition(*form)) {
      std::vector<std::uint32_t> seats;
      for (const Data::Index* index : {isLoose ? &d_.loosePlaces : &d_.places,
                                       isLoose ? &d_.looseMunicipalities : &d_.municipalities})
        if (const auto* ids = Find(*index, shortened))
          for (std::uint32_t id : *ids)
            if (d_.entries[id].seat) AddOnce(seats, id);
      if (found(&seats, 1)) return candidates;
    }
  }
  candidates.clear();
  return candidates;
}

// The places whose names are as few edits away from the place's as their length allows,
// the nearest first, that the other parts agree with.
std::vector<std::uint32_t> Gazetteer::Lookup::Similar(std::size_t first) {
  const ValuePart& place = parts_[first];
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
  std::vector<std::uint32_t> candidates;
  for (const auto& [edits, id] : near) AddOnce(candidates, id);
  bool sure = true;
  std::string why;
  if (!Narrow(candidates, first + 1, place, sure, why)) Add(failures_, why);
  return candidates;
}

// The places of the old monarchy outside today's Austria that bear the place's name, kept
// where every part after it agrees: a land or a country (also the Empire, "Österreich") by
// where its places lie today, Tirol, Steiermark and Kärnten by their parts abroad; a part
// that names a place of the monarchy within 30 km agrees too ("Krumau, Bezirk Krumau"), one
// that names only today's Austria (Niederösterreich, a district) never, an unknown one leaves
// the place unsure. Places of one name and country within 10 km are one, the larger.
std::vector<std::uint32_t> Gazetteer::Lookup::Abroad(std::size_t first, bool& sure) {
  const MonarchyIndex& m = d_.monarchy;
  const ValuePart& place = parts_[first];
  // The name as written, with the umlauts dropped, with an addition dropped from either side.
  std::vector<std::uint32_t> ids = m.Find(MonarchyKey(place.text));
  if (ids.empty()) ids = m.Find(LooseMonarchyKey(place.text), MonarchyNames::kLoose);
  if (ids.empty()) ids = m.Find(MonarchyKey(place.text), MonarchyNames::kShortened);
  for (const std::string& form : WithoutAddition(place.folded))
    if (ids.empty()) ids = m.Find(Windows1252ToUtf8(form));
  if (ids.empty()) return ids;
  const auto within = [&](std::uint32_t a, std::uint32_t b, double km) {
    const auto degrees = [](std::string_view t) { return std::strtod(std::string(t).c_str(), nullptr); };
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
      if (kept.empty()) abroad_ = parts_[k].text + ": dort kein Ort " + place.text;
    } else if (area && area->named) {  // a state of today's Austria alone, a country outside the monarchy
      abroad_ = parts_[k].text + (area->Austrian() ? ": nur in Österreich" : ": nicht in der Monarchie");
      return {};
    } else {
      std::vector<std::uint32_t> near = m.Find(MonarchyKey(parts_[k].text));
      if (near.empty()) near = m.Find(Windows1252ToUtf8(std::string(WithoutJurisdictionWord(parts_[k].folded))));
      for (std::uint32_t id : ids)
        if (std::any_of(near.begin(), near.end(), [&](std::uint32_t n) { return within(id, n, 30); })) kept.push_back(id);
      if (kept.empty() && near.empty() && !(area && area->Austrian())) {
        sure = false;
        Add(abroad_, parts_[k].text + ": weder Land noch Ort der Monarchie");
        continue;
      }
      if (kept.empty()) abroad_ = parts_[k].text + (near.empty() ? ": nur in Österreich" : ": dort kein Ort " + place.text);
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

Resolution Gazetteer::Resolve(std::string_view value, bool everyValue) const {
  Resolution resolution;
  Lookup lookup(*data_, value);
  const std::vector<ValuePart>& parts = lookup.parts();
  // The last part: Austria, which is left out, or after a place a state or a land that held
  // one, which is a jurisdiction like the others; or a land of the monarchy, or a country
  // that holds one today, for the places abroad.
  bool austrian = false, monarchy = false;
  if (parts.size() > 1) {
    const Data::Area* last = lookup.area(parts.size() - 1);
    if (last && last->named && last->states) {
      austrian = true;
      if (last->named->kind == AreaKind::kCountry) lookup.EndAt(parts.size() - 1);
    }
    monarchy = last && last->named && !last->named->countries.empty();
  }
  // Or one of Vienna's districts, first or last ("Wien IX", "Schloß Schönbrunn, Wien-Hietzing").
  if (!austrian && !parts.empty())
    austrian = lookup.NamesCityDistrict(0) || lookup.NamesCityDistrict(parts.size() - 1);
  if (!austrian && !monarchy && !everyValue) {
    resolution.status = Status::kNotAustrian;
    return resolution;
  }
  if (parts.empty()) {  // "-", ", ,": no name at all
    resolution.reason = std::string(value) + ": kein Name";
    return resolution;
  }
  bool named = false, sure = true;
  std::vector<std::uint32_t> candidates = lookup.Place(0, named, sure);
  // "Pfarre Grundlsee", "Gemeinde Altaussee": the name after the word.
  if (candidates.empty() && !named && lookup.DropJurisdictionWord(0)) candidates = lookup.Place(0, named, sure);
  std::size_t place = 0;
  // A building or an address first: the place is what follows, and the value stays as it is.
  if (candidates.empty() && !named && lookup.end() > 1 && IsSite(parts[0])) {
    bool restNamed = false;
    candidates = lookup.Place(1, restNamed, sure);
    if (restNamed) {
      resolution.keepValue = true;
      named = true;
      place = 1;
    }
  }
  // Found in today's Austria by no name the other parts agree with: abroad, in the lands the
  // value names. A place of today's Austria is never turned into one abroad.
  if (candidates.empty() && monarchy && !data_->monarchy.empty()) {
    bool abroadSure = true;
    const std::vector<std::uint32_t> abroad = lookup.Abroad(place, abroadSure);
    const MonarchyIndex& m = data_->monarchy;
    for (std::uint32_t id : abroad) {
      const auto& p = m.place(id);
      const std::string country(CountryName(p.country));
      resolution.candidates.push_back(
          {std::string(p.name) + ", " + country, Coordinates{std::string(p.latitude), std::string(p.longitude)}, country});
    }
    if (!abroad.empty()) {
      const std::string& name = parts[place].text;
      resolution.keepValue = true;
      if (abroad.size() == 1 && abroadSure) {
        resolution.status = Status::kAbroad;
        resolution.placeString = resolution.candidates.front().placeString;
        resolution.coordinates = resolution.candidates.front().coordinates;
        resolution.country = resolution.candidates.front().country;
        resolution.candidates.clear();
      } else {
        resolution.status = Status::kAmbiguous;
        resolution.reason = abroad.size() > 1
                                ? name + ": " + std::to_string(abroad.size()) + " Orte dieses Namens in den Ländern der Monarchie"
                                : lookup.AbroadReason();
      }
      return resolution;
    }
  }
  if (candidates.empty() && !named && austrian) {
    candidates = lookup.Similar(0);
    if (!candidates.empty()) resolution.status = Status::kSimilar;
  }
  // Found in Austria only with the umlauts or an addition dropped ("Brixen" for Brixen im
  // Thale), while a place of the lands named bears the name (Brixen, today Bressanone):
  // either may be meant.
  std::vector<std::uint32_t> alsoAbroad;
  if (!candidates.empty() && resolution.status != Status::kSimilar && lookup.FoundLoosely() && monarchy &&
      !data_->monarchy.empty()) {
    bool abroadSure = true;
    alsoAbroad = lookup.Abroad(place, abroadSure);
  }
  // Places of one place string in several municipalities are one candidate, with
  // coordinates only where they all share them.
  for (std::uint32_t c : candidates) {
    const Found& f = data_->entries[c].found;
    const std::string placeString = Windows1252ToUtf8(f.placeString);
    const auto same = std::find_if(resolution.candidates.begin(), resolution.candidates.end(),
                                   [&](const Candidate& k) { return k.placeString == placeString; });
    if (same == resolution.candidates.end()) resolution.candidates.push_back({placeString, f.coordinates, "Österreich"});
    else if (same->coordinates != f.coordinates) same->coordinates.reset();
  }
  for (std::uint32_t id : alsoAbroad) {
    const auto& p = data_->monarchy.place(id);
    const std::string country(CountryName(p.country));
    resolution.candidates.push_back(
        {std::string(p.name) + ", " + country, Coordinates{std::string(p.latitude), std::string(p.longitude)}, country});
  }
  const std::string& name = parts[place].text;
  std::string reason = lookup.Reason();
  const auto before = [&](const std::string& first) { reason = Reasons(first, reason); };

  if (resolution.status == Status::kSimilar) {
    before(name + ": kein Ort dieses Namens, ähnliche Namen");
  } else if (resolution.candidates.empty()) {
    resolution.status = Status::kNotFound;
    if (!named) before(name + ": kein Ort und keine Gemeinde dieses Namens");
    if (monarchy && !data_->monarchy.empty()) {
      // Of a value that names only lands abroad, what the lookup abroad found is all there is to say.
      std::string abroad = lookup.AbroadReason();
      if (abroad.empty()) abroad = name + ": kein Ort der Monarchie dieses Namens";
      reason = austrian ? Reasons(reason, abroad) : abroad;
    }
  } else if (resolution.candidates.size() == 1 && sure) {
    resolution.status = Status::kUnique;
    resolution.placeString = resolution.candidates.front().placeString;
    resolution.coordinates = resolution.candidates.front().coordinates;
    resolution.country = resolution.candidates.front().country;
    resolution.candidates.clear();
    reason.clear();
  } else {
    resolution.status = Status::kAmbiguous;
    if (resolution.candidates.size() > 1)
      before(name + ": " + std::to_string(resolution.candidates.size()) + " Orte dieses Namens" +
             (alsoAbroad.empty() ? "" : ", in Österreich und im Ausland"));
  }
  if (resolution.keepValue) before(parts[0].text + ": Gebäude oder Anschrift, die Angabe bleibt");
  resolution.reason = std::move(reason);
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

}  // namespace veldaris::ort
