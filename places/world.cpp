#include "places/world.h"

#include <algorithm>
#include <map>

#include "core/text_lines.h"
#include "places/fold.h"
#include "places/names.h"

namespace veldaris::places {

std::filesystem::path WorldNamesFileOf(const std::filesystem::path& dataFile) {
  std::filesystem::path file = dataFile;
  return file.replace_extension(".welt");
}

std::string FormatWorldNames(std::string_view comment,
                             const std::vector<std::pair<WorldPlace, std::vector<std::string>>>& places) {
  // Each key once, for its most populous place.
  std::map<std::string, const WorldPlace*> keys;
  for (const auto& [place, names] : places)
    for (const std::string& name : names) {
      const FoldedName folded = FoldedName::OfUtf8(name);
      for (const std::string* key : {&folded.folded, &folded.loose}) {
        if (key->empty() || key->find('\t') != std::string::npos) continue;
        const WorldPlace*& best = keys[*key];
        if (!best || place.population > best->population) best = &place;
      }
    }
  std::string out;
  for (std::string_view line : SplitFields(comment, '\n')) out += "# " + std::string(line) + "\n";
  for (const auto& [key, place] : keys)
    out += key + "\t" + place->name + ", " + std::string(CountryName(place->country)) + "\t" +
           std::to_string(place->population) + "\n";
  return out;
}

WorldNames::WorldNames(std::string bytes, std::vector<std::size_t>& bad)
    : bytes_(std::make_unique<std::string>(std::move(bytes))) {
  TextLines lines(*bytes_);
  for (std::string_view line; lines.Next(line);) {
    if (line.empty() || line.starts_with('#')) continue;
    const auto f = SplitFields(line, '\t');
    if (f.size() != 3 || f[0].empty() || f[1].empty() || (!names_.empty() && f[0] <= names_.back().first)) {
      bad.push_back(lines.number());
      continue;
    }
    names_.emplace_back(f[0], f[1]);
  }
}

std::optional<std::string_view> WorldNames::Find(std::string_view key) const {
  const auto at = std::lower_bound(names_.begin(), names_.end(), key,
                                   [](const auto& name, std::string_view k) { return name.first < k; });
  if (at == names_.end() || at->first != key) return std::nullopt;
  return at->second;
}

}  // namespace veldaris::places
