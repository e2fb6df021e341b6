#include "core/place_record.h"

namespace veldaris {
namespace {

// Writes the record line piece by piece to any sink with Write(string_view) and Write(char).
template <typename Sink>
void PutPlaceRecord(Sink& sink, const PlaceRecordView& record) {
  for (std::size_t k = 0; k < record.items.size(); ++k) {
    if (k > 0) sink.Write(',');
    if (const auto& item = record.items[k]) {
      sink.Write('"');
      sink.Write(*item);
      sink.Write('"');
    }
  }
  sink.Write("\r\n");
}

struct StringSink {
  std::string text;
  void Write(std::string_view bytes) { text.append(bytes); }
  void Write(char c) { text.push_back(c); }
};

}  // namespace

PlaceRecordView ViewOf(const PlaceRecord& record) {
  PlaceRecordView view;
  for (std::size_t k = 0; k < kRecordItems.size(); ++k)
    if (const auto& item = record.*kRecordItems[k]) view.items[k] = *item;
  return view;
}

void CopyRecord(const PlaceRecordView& view, PlaceRecord& record) {
  for (std::size_t k = 0; k < kRecordItems.size(); ++k) {
    auto& item = record.*kRecordItems[k];
    if (!view.items[k])
      item.reset();
    else if (item)
      item->assign(*view.items[k]);  // keeps the string's storage
    else
      item.emplace(*view.items[k]);
  }
}

std::string FormatPlaceRecordLine(const PlaceRecord& record) {
  StringSink sink;
  PutPlaceRecord(sink, ViewOf(record));
  return sink.text;
}

void WritePlaceRecord(OutputFile& file, const PlaceRecord& record) {
  PutPlaceRecord(file, ViewOf(record));
}

void WritePlaceRecord(OutputFile& file, const PlaceRecordView& record) {
  PutPlaceRecord(file, record);
}

}  // namespace veldaris
