#include "places/monarchy.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <map>

namespace veldaris::places {
namespace {

static_assert(std::endian::native == std::endian::little, "the file's numbers are read as the machine keeps them");

constexpr char kMagic[8] = {'V', 'E', 'L', 'D', 'M', 'O', 'N', '\x02'};
constexpr std::size_t kHeaderWords = 2 + 8;  // the magic, then the counts
constexpr std::size_t kPlaceWords = 10;
enum PlaceWord { kName, kCountry, kRegion, kProvince, kCounty, kLands, kLatitude, kLongitude, kPopulation, kFlags };

// The texts, each once, and their offsets.
class Texts {
 public:
  std::uint32_t Add(std::string_view text) {
    const auto [at, added] = offsets_.emplace(std::string(text), static_cast<std::uint32_t>(bytes_.size()));
    if (added) {
      bytes_ += text;
      bytes_ += '\0';
    }
    return at->second;
  }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
  std::map<std::string, std::uint32_t, std::less<>> offsets_;
};

void Put(std::string& out, std::uint32_t word) {
  char bytes[4];
  std::memcpy(bytes, &word, 4);
  out.append(bytes, 4);
}

// A text without the bytes that would end it early.
std::string Clean(std::string_view text) {
  std::string out(text);
  std::replace(out.begin(), out.end(), '\0', ' ');
  return out;
}

}  // namespace

std::string IForY(std::string_view loose) {
  if (loose.find('y') == std::string_view::npos) return {};
  std::string out(loose);
  std::replace(out.begin(), out.end(), 'y', 'i');
  return out;
}

std::filesystem::path MonarchyFileOf(const std::filesystem::path& dataFile) {
  std::filesystem::path file = dataFile;
  return file.replace_extension(".monarchie");
}

std::string FormatMonarchyFile(std::string_view comment, const std::vector<MonarchyPlace>& places,
                               const std::vector<std::vector<std::string>>& names) {
  Texts texts;
  const std::uint32_t commentAt = texts.Add(Clean(comment));
  std::vector<std::uint32_t> placeTable;
  placeTable.reserve(places.size() * kPlaceWords);
  for (const MonarchyPlace& p : places) {
    for (const std::string* text : {&p.name, &p.country, &p.region, &p.province, &p.county, &p.lands,
                                    &p.coordinates.latitude, &p.coordinates.longitude})
      placeTable.push_back(texts.Add(Clean(*text)));
    placeTable.push_back(static_cast<std::uint32_t>(std::max(0L, p.population)));
    placeTable.push_back((p.seat ? 1u : 0u) | (p.part ? 2u : 0u) | (p.listed ? 4u : 0u) | (p.municipal ? 8u : 0u));
  }
  // The names of each kind, sorted, each with its places.
  std::vector<std::vector<std::pair<std::string, std::uint32_t>>> keys(3);
  for (std::uint32_t id = 0; id < names.size() && id < places.size(); ++id)
    for (const std::string& name : names[id]) {
      const FoldedName folded = FoldedName::OfUtf8(Clean(name));
      if (!folded.folded.empty()) keys[0].emplace_back(folded.folded, id);
      for (std::string form : {folded.folded, JoinedForm(folded.folded)}) {
        if (form.empty()) continue;
        form = Loosened(std::move(form));
        if (std::string i = IForY(form); !i.empty()) keys[1].emplace_back(std::move(i), id);
        keys[1].emplace_back(std::move(form), id);
      }
      for (std::string& form : WithoutAddition(folded.folded)) keys[2].emplace_back(std::move(form), id);
    }
  std::vector<std::uint32_t> nameTables[3], ids;
  for (std::size_t kind = 0; kind < 3; ++kind) {
    auto& list = keys[kind];
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
    for (std::size_t k = 0; k < list.size();) {
      nameTables[kind].push_back(texts.Add(list[k].first));
      nameTables[kind].push_back(static_cast<std::uint32_t>(ids.size()));
      const std::size_t first = k;
      for (; k < list.size() && list[k].first == list[first].first; ++k) ids.push_back(list[k].second);
    }
    nameTables[kind].push_back(0);  // the row that ends the list
    nameTables[kind].push_back(static_cast<std::uint32_t>(ids.size()));
  }
  std::string out(kMagic, sizeof kMagic);
  Put(out, static_cast<std::uint32_t>(places.size()));
  for (const auto& table : nameTables) Put(out, static_cast<std::uint32_t>(table.size() / 2 - 1));
  Put(out, static_cast<std::uint32_t>(ids.size()));
  Put(out, static_cast<std::uint32_t>(texts.bytes().size()));
  Put(out, commentAt);
  Put(out, 0);  // for a later use
  for (std::uint32_t word : placeTable) Put(out, word);
  for (const auto& table : nameTables)
    for (std::uint32_t word : table) Put(out, word);
  for (std::uint32_t id : ids) Put(out, id);
  out += texts.bytes();
  return out;
}

std::uint32_t MonarchyIndex::Word(std::size_t index) const {
  std::uint32_t word;
  std::memcpy(&word, bytes_->data() + index * 4, 4);
  return word;
}

std::string_view MonarchyIndex::Text(std::uint32_t offset) const {
  // Every offset was checked against the texts, whose last byte is zero.
  return std::string_view(bytes_->data() + texts_ + offset);
}

MonarchyIndex::MonarchyIndex(std::string bytes, std::string& error)
    : bytes_(std::make_unique<std::string>(std::move(bytes))) {
  error = Read();
  if (error.empty()) return;
  places_ = 0;
  names_[0] = names_[1] = names_[2] = 0;
}

const char* MonarchyIndex::Read() {
  const std::string& b = *bytes_;
  if (b.size() < kHeaderWords * 4 || std::memcmp(b.data(), kMagic, sizeof kMagic) != 0)
    return "keine Datei der Orte der Monarchie (oder von einer anderen Version)";
  places_ = Word(2);
  for (std::size_t kind = 0; kind < 3; ++kind) names_[kind] = Word(3 + kind);
  const std::size_t ids = Word(6);
  textSize_ = Word(7);
  comment_ = Word(8);
  // The size the counts give, in words, before the texts.
  std::size_t words = kHeaderWords;
  placeTable_ = words;
  words += places_ * kPlaceWords;
  for (int kind = 0; kind < 3; ++kind) {
    nameTable_[kind] = words;
    words += (names_[kind] + 1) * 2;
  }
  idTable_ = words;
  words += ids;
  texts_ = words * 4;
  if (places_ > b.size() || ids > b.size() || texts_ + textSize_ != b.size() || textSize_ == 0 || b.back() != '\0' ||
      comment_ >= textSize_)
    return "beschädigt: die Größe passt nicht zu ihren Zählern";
  for (std::size_t k = 0; k < places_; ++k)
    for (std::size_t w = kName; w <= kLongitude; ++w)
      if (Word(placeTable_ + k * kPlaceWords + w) >= textSize_) return "beschädigt: ein Ort zeigt ins Leere";
  for (int kind = 0; kind < 3; ++kind) {
    std::string_view last;
    for (std::size_t k = 0; k <= names_[kind]; ++k) {
      const std::uint32_t text = Word(nameTable_[kind] + 2 * k), first = Word(nameTable_[kind] + 2 * k + 1);
      const std::uint32_t before = k ? Word(nameTable_[kind] + 2 * k - 1) : 0;
      if (first > ids || first < before || (k < names_[kind] && text >= textSize_))
        return "beschädigt: ein Name zeigt ins Leere";
      if (k == names_[kind]) break;
      const std::string_view key = Text(text);
      if (k > 0 && key <= last) return "beschädigt: die Namen sind nicht geordnet";
      last = key;
    }
  }
  for (std::size_t k = 0; k < ids; ++k)
    if (Word(idTable_ + k) >= places_) return "beschädigt: ein Name nennt einen Ort, den es nicht gibt";
  return "";
}

MonarchyIndex::Place MonarchyIndex::place(std::uint32_t id) const {
  const std::size_t at = placeTable_ + static_cast<std::size_t>(id) * kPlaceWords;
  Place p;
  p.name = Text(Word(at + kName));
  p.country = Text(Word(at + kCountry));
  p.region = Text(Word(at + kRegion));
  p.province = Text(Word(at + kProvince));
  p.county = Text(Word(at + kCounty));
  p.lands = Text(Word(at + kLands));
  p.latitude = Text(Word(at + kLatitude));
  p.longitude = Text(Word(at + kLongitude));
  p.population = static_cast<long>(Word(at + kPopulation));
  p.seat = (Word(at + kFlags) & 1) != 0;
  p.part = (Word(at + kFlags) & 2) != 0;
  p.listed = (Word(at + kFlags) & 4) != 0;
  p.municipal = (Word(at + kFlags) & 8) != 0;
  return p;
}

bool MonarchyIndex::InLand(std::uint32_t id, std::string_view land) const {
  const std::string_view lands = Text(Word(placeTable_ + static_cast<std::size_t>(id) * kPlaceWords + kLands));
  for (std::size_t from = 0; from < lands.size();) {
    const std::size_t blank = std::min(lands.find(' ', from), lands.size());
    if (lands.substr(from, blank - from) == land) return true;
    from = blank + 1;
  }
  return false;
}

std::string_view MonarchyIndex::KeyText(int kind, std::size_t k) const { return Text(Word(nameTable_[kind] + 2 * k)); }

std::vector<std::uint32_t> MonarchyIndex::IdsOf(int kind, std::size_t k) const {
  std::vector<std::uint32_t> out;
  const std::uint32_t first = Word(nameTable_[kind] + 2 * k + 1), end = Word(nameTable_[kind] + 2 * k + 3);
  for (std::uint32_t i = first; i < end; ++i) out.push_back(Word(idTable_ + i));
  return out;
}

std::size_t MonarchyIndex::FirstNotBefore(int kind, std::string_view key) const {
  std::size_t low = 0, high = names_[kind];
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (KeyText(kind, middle) < key) low = middle + 1;
    else high = middle;
  }
  return low;
}

std::vector<std::uint32_t> MonarchyIndex::Find(std::string_view key, MonarchyNames names) const {
  const int kind = static_cast<int>(names);
  const std::size_t low = FirstNotBefore(kind, key);
  if (low == names_[kind] || KeyText(kind, low) != key) return {};
  return IdsOf(kind, low);
}

std::pair<std::string_view, std::vector<std::uint32_t>> MonarchyIndex::Key(std::size_t k, MonarchyNames names) const {
  const int kind = static_cast<int>(names);
  return {KeyText(kind, k), IdsOf(kind, k)};
}

std::pair<std::size_t, std::size_t> MonarchyIndex::Prefixed(std::string_view prefix, MonarchyNames names) const {
  const int kind = static_cast<int>(names);
  const std::size_t low = FirstNotBefore(kind, prefix);
  std::size_t last = low;
  while (last < names_[kind] && KeyText(kind, last).starts_with(prefix)) ++last;
  return {low, last};
}

std::string_view MonarchyIndex::comment() const { return places_ ? Text(static_cast<std::uint32_t>(comment_)) : ""; }

}  // namespace veldaris::places
