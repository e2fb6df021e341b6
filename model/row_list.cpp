#include "model/row_list.h"

#include <algorithm>

#include "core/result_row.h"

namespace veldaris {
namespace {

constexpr char kPlain = 0;
// A result row: three columns as a length byte and their text (cut to 20 characters), then
// the short form.
constexpr char kResult = 1;

}  // namespace

std::string RowList::operator[](std::size_t i) const {
  const std::size_t from = starts_[i];
  const std::size_t to = i + 1 < starts_.size() ? starts_[i + 1] : text_.size();
  const std::string_view row(text_.data() + from + 1, to - from - 1);
  if (text_[from] == kPlain) return std::string(row);
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
