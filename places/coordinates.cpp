#include "places/coordinates.h"

#include <charconv>
#include <cmath>

#include "core/numbers.h"
#include "core/text_lines.h"

namespace veldaris::places {
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

std::optional<std::string> Gedcom(std::string_view degrees, double limit, char positive, char negative) {
  const auto value = DegreesOf(degrees, limit);
  if (!value) return std::nullopt;
  return (*value < 0 ? negative : positive) + Fixed(std::fabs(*value), 4);
}

}  // namespace

std::optional<double> DegreesOf(std::string_view text, double limit) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || std::fabs(value) > limit)
    return std::nullopt;
  return value;
}

std::filesystem::path CoordinatesFileOf(const std::filesystem::path& dataFile) {
  std::filesystem::path file = dataFile;
  return file.replace_extension(".koordinaten");
}

std::string FormatCoordinatesLine(const PlaceRecord& record, const Coordinates& coordinates) {
  return KeyOf(ViewOf(record)) + '\t' + coordinates.latitude + '\t' + coordinates.longitude + "\r\n";
}

CoordinatesIndex::CoordinatesIndex(std::string_view bytes, std::vector<std::size_t>& bad) {
  TextLines lines(bytes);
  for (std::string_view line; lines.Next(line);) {
    if (line.empty() || line.starts_with('#')) continue;
    const std::vector<std::string_view> fields = SplitFields(line, '\t');
    if (fields.size() != kKeyItems + 2 || !DegreesOf(fields[kKeyItems], 90) || !DegreesOf(fields[kKeyItems + 1], 180)) {
      bad.push_back(lines.number());
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

}  // namespace veldaris::places
