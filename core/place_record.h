// The place record and the record file format of the data file and the result file, and the
// csv line of the converter's input file.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace veldaris {

class InputFile;
class OutputFile;

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

// Reads the next seven items of the file into record, whatever lines they stand on: blanks
// before an item are skipped; a quoted item runs to the next double quote; an unquoted item
// runs to the next comma or line end (CR LF), and is absent when it holds nothing. Callers
// test file.AtEnd() before each record.
//
// Input the system never writes is refused with a SystemError that names the line and
// column: text after a closing quote, a double quote inside an unquoted item, a CR without
// LF or a LF without CR, a line end or the end of the file inside a quoted text, and a file
// that ends inside a record. Blanks after a closing quote and at the end of an unquoted item
// are dropped. The last record may end at the end of the file without its CR LF.
void ReadPlaceRecord(InputFile& file, PlaceRecord& record);

// The same, without copying the usual record: the view refers to the file's buffer, or to
// storage when the record needed the general reader. It stays valid until the file has been
// read past the next record.
void ReadPlaceRecordView(InputFile& file, PlaceRecordView& view, PlaceRecord& storage);

// The general reader alone, without the fast path for well-formed lines: what both of the
// above fall back on. The fuzz target holds the two paths against each other.
void ReadPlaceRecordGeneral(InputFile& file, PlaceRecord& record);

// One record line: present items quoted, absent items as nothing, commas between, CR LF.
std::string FormatPlaceRecordLine(const PlaceRecord& record);
void WritePlaceRecord(OutputFile& file, const PlaceRecord& record);
void WritePlaceRecord(OutputFile& file, const PlaceRecordView& record);

// "Place;Municipality;District" in double quotes, then CR LF; absent items add nothing.
std::string FormatResultCsvLine(const PlaceRecord& record);
void WriteResultCsvLine(OutputFile& file, const PlaceRecordView& record);

}  // namespace veldaris
