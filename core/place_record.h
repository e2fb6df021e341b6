// The place record, the record line of the data file and the result file, and the csv line
// of the converter's input file. Reading is core/record_reader.h's.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/output_file.h"

namespace veldaris {


// Seven items in file order; each is a text (Windows-1252) or absent.
struct PlaceRecord {
  std::optional<std::string> Place;
  std::optional<std::string> Municipality;
  std::optional<std::string> District;
  std::optional<std::string> StateShortForm;
  std::optional<std::string> Postcode;
  std::optional<std::string> Reserved;
  std::optional<std::string> MunicipalityKind;

  bool operator==(const PlaceRecord&) const = default;
};

// The items of a record in file order.
inline constexpr std::array<std::optional<std::string> PlaceRecord::*, 7> kRecordItems = {
    &PlaceRecord::Place,          &PlaceRecord::Municipality, &PlaceRecord::District,
    &PlaceRecord::StateShortForm, &PlaceRecord::Postcode,     &PlaceRecord::Reserved,
    &PlaceRecord::MunicipalityKind};

// A record whose present items refer to text held elsewhere.
struct PlaceRecordView {
  std::array<std::optional<std::string_view>, 7> items;

  std::string_view Text(std::size_t index) const { return items[index].value_or(std::string_view{}); }
  std::string_view Place() const { return Text(0); }
  std::string_view Municipality() const { return Text(1); }
  std::string_view District() const { return Text(2); }
  std::string_view StateShortForm() const { return Text(3); }
};

PlaceRecordView ViewOf(const PlaceRecord& record);
void CopyRecord(const PlaceRecordView& view, PlaceRecord& record);

// The text of an item, empty when it is absent.
inline const std::string& TextOf(const std::optional<std::string>& item) {
  static const std::string kEmpty;
  return item ? *item : kEmpty;
}

// One record line: present items quoted, absent items as nothing, commas between, CR LF.
std::string FormatPlaceRecordLine(const PlaceRecord& record);
void WritePlaceRecord(OutputFile& file, const PlaceRecord& record);
void WritePlaceRecord(OutputFile& file, const PlaceRecordView& record);

// "Place;Municipality;District" in double quotes, then CR LF; absent items add nothing. For
// a PlaceRecordView or a record as read (RecordRef).
template <typename Record>
void WriteResultCsvLine(OutputFile& file, const Record& record) {
  file.Write('"');
  file.Write(record.Text(0));
  file.Write(';');
  file.Write(record.Text(1));
  file.Write(';');
  file.Write(record.Text(2));
  file.Write("\"\r\n");
}

}  // namespace veldaris
