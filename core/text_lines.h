// The lines of a text file read whole, and the fields of a line: for the files of plain
// lines (tab- or comma-separated) that are not records of the data file.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace veldaris {

// The lines of a text one at a time, numbered from 1, each without its LF or CR LF; a last
// line without a line end is a line too.
class TextLines {
 public:
  explicit TextLines(std::string_view text) : rest_(text) {}
  bool Next(std::string_view& line) {
    if (rest_.empty()) return false;
    const std::size_t end = rest_.find('\n');
    line = rest_.substr(0, end);
    rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    ++number_;
    return true;
  }
  // The number of the line Next gave last.
  std::size_t number() const { return number_; }

 private:
  std::string_view rest_;
  std::size_t number_ = 0;
};

// The fields between the separators, empty ones too: "a\t\tb" has three.
inline std::vector<std::string_view> SplitFields(std::string_view line, char separator) {
  std::vector<std::string_view> fields;
  for (std::size_t from = 0;;) {
    const std::size_t at = line.find(separator, from);
    fields.push_back(line.substr(from, at == std::string_view::npos ? at : at - from));
    if (at == std::string_view::npos) return fields;
    from = at + 1;
  }
}

}  // namespace veldaris
