// The row of the result list: place, municipality and district in columns of 22 characters,
// then the state short form.
#pragma once

#include <string>
#include <string_view>

#include "core/place_record.h"

namespace veldaris {

constexpr std::size_t kListColumnText = 20;   // characters kept of an item
constexpr std::size_t kListColumnWidth = 22;  // the column, blanks filled in

// The item cut to 20 characters and filled with blanks to 22.
std::string ToListColumn(std::string_view item);

std::string FormatResultListLine(const PlaceRecordView& record);
inline std::string FormatResultListLine(const PlaceRecord& record) {
  return FormatResultListLine(ViewOf(record));
}

}  // namespace veldaris
