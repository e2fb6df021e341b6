#include "places/city_parts.h"

#include "core/text1252.h"
#include "core/text_lines.h"

namespace veldaris::places {

std::filesystem::path CityPartsFileOf(const std::filesystem::path& dataFile) {
  std::filesystem::path file = dataFile;
  return file.replace_extension(".ortsteile");
}

std::string FormatCityParts(std::string_view comment, const std::vector<CityPart>& parts) {
  std::string out;
  for (std::string_view line : SplitFields(comment, '\n')) out += "# " + std::string(line) + "\n";
  for (const CityPart& p : parts) {
    out += p.name;
    for (const std::string& item : p.place) out += "\t" + item;
    out += "\t" + p.point.latitude + "\t" + p.point.longitude + "\n";
  }
  return out;
}

std::vector<CityPart> ReadCityParts(std::string_view bytes, std::vector<std::size_t>& bad) {
  std::vector<CityPart> parts;
  TextLines lines(bytes);
  for (std::string_view line; lines.Next(line);) {
    if (line.empty() || line.starts_with('#')) continue;
    const auto f = SplitFields(line, '\t');
    if (f.size() != 7 || f[0].empty() || f[1].empty() || !IsUtf8(line) || !DegreesOf(f[5], 90) || !DegreesOf(f[6], 180)) {
      bad.push_back(lines.number());
      continue;
    }
    parts.push_back({std::string(f[0]),
                     {std::string(f[1]), std::string(f[2]), std::string(f[3]), std::string(f[4])},
                     {std::string(f[5]), std::string(f[6])}});
  }
  return parts;
}

}  // namespace veldaris::places
