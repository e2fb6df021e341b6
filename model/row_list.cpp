#include "model/row_list.h"

#include <algorithm>

#include "core/result_row.h"

namespace veldaris {
namespace {

constexpr char kPlain = 0;
// A result row: three columns as a length byte and their text (cut to 20 characters), then
// the short form.
constexpr char kResult = 1;
// A row of cells, separated by the unit separator.
constexpr char kCells = 2;
constexpr char kSeparator = '\x1F';

}  // namespace

std::string_view RowList::Stored(std::size_t i) const {
  const std::size_t from = starts_[i];
  const std::size_t to = i + 1 < starts_.size() ? starts_[i + 1] : text_.size();
  return std::string_view(text_.data() + from + 1, to - from - 1);
}

std::string RowList::operator[](std::size_t i) const {
  const std::string_view row = Stored(i);
  const char kind = text_[starts_[i]];
  if (kind == kPlain) return std::string(row);
  if (kind == kCells) {  // the cells, a tab between
    std::string shown(row);
    std::replace(shown.begin(), shown.end(), kSeparator, '\t');
    return shown;
  }
  // The items as kept, and the row that the list shows of them.
  PlaceRecordView items;
  std::size_t at = 0;
  for (std::size_t column = 0; column < 3; ++column) {
    const auto length = static_cast<unsigned char>(row[at]);
    items.items[column] = row.substr(at + 1, length);
    at += 1 + length;
  }
  items.items[3] = row.substr(at);
  return FormatResultListLine(items);
}

void RowList::push_back(std::string_view row) {
  starts_.push_back(static_cast<std::uint32_t>(text_.size()));
  text_.push_back(kPlain);
  text_.append(row);
}

void RowList::PushCells(std::initializer_list<std::string_view> cells) {
  starts_.push_back(static_cast<std::uint32_t>(text_.size()));
  text_.push_back(kCells);
  bool first = true;
  for (std::string_view cell : cells) {
    if (!first) text_.push_back(kSeparator);
    first = false;
    const std::size_t at = text_.size();
    text_.append(cell);
    std::replace(text_.begin() + static_cast<std::ptrdiff_t>(at), text_.end(), kSeparator, ' ');
  }
}

std::string RowList::Cell(std::size_t row, std::size_t column) const {
  if (row >= size()) return {};
  if (text_[starts_[row]] != kCells) return column == 0 ? (*this)[row] : std::string();
  std::string_view cells = Stored(row);
  for (; column > 0; --column) {
    const std::size_t at = cells.find(kSeparator);
    if (at == std::string_view::npos) return {};
    cells.remove_prefix(at + 1);
  }
  return std::string(cells.substr(0, cells.find(kSeparator)));
}

bool RowList::SetCell(std::size_t row, std::size_t column, std::string_view text) {
  if (row >= size() || text_[starts_[row]] != kCells) return false;
  const std::string_view cells = Stored(row);
  std::size_t from = 0;
  for (std::size_t k = 0; k < column; ++k) {
    const std::size_t at = cells.find(kSeparator, from);
    if (at == std::string_view::npos) return false;
    from = at + 1;
  }
  const std::size_t to = std::min(cells.find(kSeparator, from), cells.size());
  if (cells.substr(from, to - from) == text) return false;
  std::string cell(text);
  std::replace(cell.begin(), cell.end(), kSeparator, ' ');
  const std::size_t at = starts_[row] + 1 + from;
  text_.replace(at, to - from, cell);
  const auto delta = static_cast<std::int64_t>(cell.size()) - static_cast<std::int64_t>(to - from);
  for (std::size_t k = row + 1; k < starts_.size(); ++k)
    starts_[k] = static_cast<std::uint32_t>(static_cast<std::int64_t>(starts_[k]) + delta);
  return true;
}

void RowList::AddResultRow(std::string_view place, std::string_view municipality,
                           std::string_view district, std::string_view shortForm) {
  const std::size_t at = text_.size();
  starts_.push_back(static_cast<std::uint32_t>(at));
  const std::size_t p = std::min(place.size(), kListColumnText);
  const std::size_t m = std::min(municipality.size(), kListColumnText);
  const std::size_t d = std::min(district.size(), kListColumnText);
  // One growth of the text, then the bytes written in place.
  text_.resize(at + 4 + p + m + d + shortForm.size());
  char* out = text_.data() + at;
  *out++ = kResult;
  *out++ = static_cast<char>(p);
  out = std::copy_n(place.data(), p, out);
  *out++ = static_cast<char>(m);
  out = std::copy_n(municipality.data(), m, out);
  *out++ = static_cast<char>(d);
  out = std::copy_n(district.data(), d, out);
  std::copy_n(shortForm.data(), shortForm.size(), out);
}

void RowList::reserve(std::size_t rows, std::size_t bytesPerRow) {
  starts_.reserve(rows);
  text_.reserve(rows * bytesPerRow);
}

void RowList::clear() {
  // The memory goes too: a list of all places should not outlive its search.
  std::string().swap(text_);
  std::vector<std::uint32_t>().swap(starts_);
}

std::vector<std::string> RowList::All() const {
  std::vector<std::string> rows;
  rows.reserve(size());
  for (std::size_t i = 0; i < size(); ++i) rows.push_back((*this)[i]);
  return rows;
}

}  // namespace veldaris
