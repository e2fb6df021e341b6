#include "tools/coordinates.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace veldaris {
namespace {

constexpr std::size_t kKeyItems = 5;  // place, municipality, district, state, postcode

std::string KeyOf(const PlaceRecordView& record) {
  std::string key;
  for (std::size_t k = 0; k < kKeyItems; ++k) {
    if (k) key += '\t';
    key += record.Text(k);
  }
  return key;
}

std::optional<double> Degrees(std::string_view text, double limit) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || std::fabs(value) > limit)
    return std::nullopt;
  return value;
}

std::optional<std::string> Gedcom(std::string_view degrees, double limit, char positive, char negative) {
  const auto value = Degrees(degrees, limit);
  if (!value) return std::nullopt;
  char text[32];
  std::snprintf(text, sizeof text, "%c%.4f", *value < 0 ? negative : positive, std::fabs(*value));
  return std::string(text);
}

}  // namespace

std::filesystem::path CoordinatesFileOf(const std::filesystem::path& dataFile) {
  std::filesystem::path file = dataFile;
  return file.replace_extension(".koordinaten");
}

std::string FormatCoordinatesLine(const PlaceRecord& record, const Coordinates& coordinates) {
  return KeyOf(ViewOf(record)) + '\t' + coordinates.latitude + '\t' + coordinates.longitude + "\r\n";
}

CoordinatesIndex::CoordinatesIndex(std::string_view bytes, std::vector<std::size_t>& bad) {
  std::size_t number = 0;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    ++number;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty() || line.starts_with('#')) continue;
    std::vector<std::string_view> fields;
    for (std::size_t from = 0;;) {
      const std::size_t tab = line.find('\t', from);
      fields.push_back(line.substr(from, tab == std::string_view::npos ? tab : tab - from));
      if (tab == std::string_view::npos) break;
      from = tab + 1;
    }
    if (fields.size() != kKeyItems + 2 || !Degrees(fields[kKeyItems], 90) || !Degrees(fields[kKeyItems + 1], 180)) {
      bad.push_back(number);
      continue;
    }
    const std::string_view key = line.substr(0, static_cast<std::size_t>(fields[kKeyItems].data() - line.data()) - 1);
    Coordinates c{std::string(fields[kKeyItems]), std::string(fields[kKeyItems + 1])};
    byRecord_.emplace(std::string(key), std::move(c));  // the first line of a record counts
  }
}

const Coordinates* CoordinatesIndex::Find(const PlaceRecordView& record) const {
  const auto at = byRecord_.find(KeyOf(record));
  return at == byRecord_.end() ? nullptr : &at->second;
}

std::optional<std::string> GedcomLatitude(std::string_view degrees) { return Gedcom(degrees, 90, 'N', 'S'); }

std::optional<std::string> GedcomLongitude(std::string_view degrees) { return Gedcom(degrees, 180, 'E', 'W'); }

}  // namespace veldaris
