#include "places/monarchy.h"

#include <algorithm>
#include <charconv>

#include "core/text1252.h"
#include "core/text_lines.h"

namespace veldaris::places {
namespace {

// Tabs and line ends have no place in a field.
std::string Field(std::string_view text) {
  std::string out(text);
  std::replace_if(out.begin(), out.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
  return out;
}

}  // namespace

std::filesystem::path MonarchyFileOf(const std::filesystem::path& dataFile) {
  std::filesystem::path file = dataFile;
  return file.replace_extension(".monarchie");
}

std::string FormatMonarchyFile(std::string_view comment, const std::vector<MonarchyPlace>& places,
                               const std::vector<std::vector<std::string>>& names) {
  std::string out;
  for (std::size_t from = 0; from < comment.size();) {
    const std::size_t end = std::min(comment.find('\n', from), comment.size());
    out += "# " + std::string(comment.substr(from, end - from)) + "\n";
    from = end + 1;
  }
  for (const MonarchyPlace& p : places)
    out += "P\t" + Field(p.name) + "\t" + Field(p.country) + "\t" + Field(p.region) + "\t" + p.coordinates.latitude +
           "\t" + p.coordinates.longitude + "\t" + std::to_string(p.population) + "\n";
  for (const char kind : {'N', 'L', 'S'}) {
    std::vector<std::pair<std::string, std::uint32_t>> keys;
    for (std::uint32_t id = 0; id < names.size(); ++id)
      for (const std::string& name : names[id]) {
        const FoldedName folded = FoldedName::OfUtf8(name);
        if (kind == 'S') {
          for (const std::string& form : WithoutAddition(folded.folded)) keys.emplace_back(Field(form), id);
          continue;
        }
        const std::string& key = kind == 'L' ? folded.loose : folded.folded;
        if (!key.empty()) keys.emplace_back(Field(key), id);
      }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    for (std::size_t k = 0; k < keys.size();) {
      out += std::string(1, kind) + "\t" + keys[k].first + "\t";
      const std::size_t first = k;
      for (; k < keys.size() && keys[k].first == keys[first].first; ++k)
        out += (k > first ? "," : "") + std::to_string(keys[k].second);
      out += "\n";
    }
  }
  return out;
}

MonarchyIndex::MonarchyIndex(std::string bytes, std::vector<std::size_t>& bad)
    : bytes_(std::make_unique<std::string>(std::move(bytes))) {
  TextLines lines(*bytes_);
  std::string_view lastKey[3];
  for (std::string_view line; lines.Next(line);) {
    if (line.empty() || line.front() == '#') continue;
    const auto f = SplitFields(line, '\t');
    if (f[0] == "P" && f.size() == 7 && GedcomLatitude(f[4]) && GedcomLongitude(f[5])) {
      Place p{f[1], f[2], f[3], f[4], f[5], 0};
      std::from_chars(f[6].data(), f[6].data() + f[6].size(), p.population);
      places_.push_back(p);
      continue;
    }
    const int kind = f[0] == "N" ? 0 : f[0] == "L" ? 1 : f[0] == "S" ? 2 : -1;
    // A name line in its order, whose places are all known.
    if (kind >= 0 && f.size() == 3 && !f[1].empty() && f[1] > lastKey[kind]) {
      const auto ids = Ids(f[2]);
      if (!ids.empty() && std::all_of(ids.begin(), ids.end(), [&](std::uint32_t id) { return id < places_.size(); })) {
        names_[kind].push_back({f[1], f[2]});
        lastKey[kind] = f[1];
        continue;
      }
    }
    bad.push_back(lines.number());
  }
}

std::vector<std::uint32_t> MonarchyIndex::Ids(std::string_view ids) {
  std::vector<std::uint32_t> out;
  for (std::size_t from = 0; from <= ids.size();) {
    const std::size_t comma = std::min(ids.find(',', from), ids.size());
    std::uint32_t id = 0;
    const auto [end, error] = std::from_chars(ids.data() + from, ids.data() + comma, id);
    if (error != std::errc() || end != ids.data() + comma) return {};
    out.push_back(id);
    from = comma + 1;
  }
  return out;
}

std::vector<std::uint32_t> MonarchyIndex::Find(std::string_view key, MonarchyNames kind) const {
  const auto& names = names_[static_cast<int>(kind)];
  const auto at = std::lower_bound(names.begin(), names.end(), key, [](const Name& n, std::string_view k) { return n.key < k; });
  if (at == names.end() || at->key != key) return {};
  return Ids(at->ids);
}

std::pair<std::string_view, std::vector<std::uint32_t>> MonarchyIndex::Key(std::size_t k, MonarchyNames kind) const {
  const Name& n = names_[static_cast<int>(kind)][k];
  return {n.key, Ids(n.ids)};
}

std::pair<std::size_t, std::size_t> MonarchyIndex::Prefixed(std::string_view prefix, MonarchyNames kind) const {
  const auto& names = names_[static_cast<int>(kind)];
  const auto first = std::lower_bound(names.begin(), names.end(), prefix,
                                      [](const Name& n, std::string_view k) { return n.key < k; });
  auto last = first;
  while (last != names.end() && last->key.starts_with(prefix)) ++last;
  return {static_cast<std::size_t>(first - names.begin()), static_cast<std::size_t>(last - names.begin())};
}

}  // namespace veldaris::places
