#include "core/result_row.h"

#include <algorithm>

namespace veldaris {

std::string ToListColumn(std::string_view item) {
  std::string column(item.substr(0, kListColumnText));
  column.resize(kListColumnWidth, ' ');
  return column;
}

std::string FormatResultListLine(const PlaceRecordView& record) {
  std::string row;
  row.reserve(3 * kListColumnWidth + record.StateShortForm().size());
  for (std::string_view item : {record.Place(), record.Municipality(), record.District()}) {
    row.append(item.substr(0, kListColumnText));
    row.resize(row.size() + kListColumnWidth - std::min(item.size(), kListColumnText), ' ');
  }
  row.append(record.StateShortForm());
  return row;
}

}  // namespace veldaris
