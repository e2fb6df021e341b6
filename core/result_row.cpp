#include "core/result_row.h"

namespace veldaris {

std::string ToListColumn(std::string_view item) {
  std::string column(item.substr(0, kListColumnText));
  column.resize(kListColumnWidth, ' ');
  return column;
}

std::string FormatResultListLine(const PlaceRecordView& record) {
  return ToListColumn(record.Place()) + ToListColumn(record.Municipality()) + ToListColumn(record.District()) +
         std::string(record.StateShortForm());
}

}  // namespace veldaris
