// The rows of a list box or a table: one buffer of text and an offset per row, rather than a
// string per row. A row of the result list is kept as its four items, no more of each than
// the row shows, and given out as FormatResultListLine makes the row of them, so that a list
// of all places of a long data file stays small; a row of a table as its cells.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "core/place_record.h"

namespace veldaris {

class RowList {
 public:
  std::size_t size() const { return starts_.size(); }
  bool empty() const { return starts_.empty(); }
  // The text of row i, as the list shows it.
  std::string operator[](std::size_t i) const;

  // A row as it stands.
  void push_back(std::string_view row);
  // A row of cells. A row holds no unit separator (0x1F): one in a cell becomes a blank.
  void PushCells(std::initializer_list<std::string_view> cells);
  // A cell of a row; a row that is no row of cells is its own first cell, and a cell that is
  // not there is empty.
  std::string Cell(std::size_t row, std::size_t column) const;
  // Sets a cell that is there; whether the row changed.
  bool SetCell(std::size_t row, std::size_t column, std::string_view text);
  // The result list row of a record (FormatResultListLine), kept without its filling blanks.
  void AddResultRow(const PlaceRecordView& record) {
    AddResultRow(record.Place(), record.Municipality(), record.District(), record.StateShortForm());
  }
  void AddResultRow(std::string_view place, std::string_view municipality, std::string_view district,
                    std::string_view shortForm);
  // Room for rows of about bytesPerRow each, so that a long list is allocated once.
  void reserve(std::size_t rows, std::size_t bytesPerRow);
  void clear();
  // The heap the rows take.
  std::size_t MemoryBytes() const { return text_.capacity() + starts_.capacity() * sizeof(std::uint32_t); }

  std::vector<std::string> All() const;
  bool operator==(const std::vector<std::string>& rows) const { return All() == rows; }

  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string;
    const_iterator(const RowList* list, std::size_t at) : list_(list), at_(at) {}
    std::string operator*() const { return (*list_)[at_]; }
    const_iterator& operator++() {
      ++at_;
      return *this;
    }
    bool operator==(const const_iterator& other) const { return at_ == other.at_; }

   private:
    const RowList* list_;
    std::size_t at_;
  };
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size()}; }

 private:
  std::string_view Stored(std::size_t i) const;  // row i after its kind byte
  std::string text_;                  // each row: a kind byte, then its text
  std::vector<std::uint32_t> starts_;  // where each row begins in text_
};

}  // namespace veldaris
