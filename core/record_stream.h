// Every record of a file, one after the other, the way the search and the result list read
// them: lines in the written form a buffer at a time with the block scan, anything else
// with the general reader, with the same records and the same errors either way.
#pragma once

#include <optional>
#include <string_view>

#include "core/files.h"
#include "core/line_blocks.h"
#include "core/place_record.h"

namespace veldaris {

// One record as read: its items, and its line as it stands where the record was in the
// written form (such a line may be copied as it is). Valid while the visit lasts.
class RecordRef {
 public:
  RecordRef(const char* line, const LineInfo& info) : line_(line), info_(&info) {}
  explicit RecordRef(const PlaceRecordView& view) : view_(&view) {}

  std::optional<std::string_view> Item(std::size_t k) const {
    if (view_) return view_->items[k];
    const std::uint32_t from = k == 0 ? 0 : info_->end[k - 1] + 1;
    const std::uint32_t to = info_->end[k];
    if (to == from) return std::nullopt;
    return std::string_view(line_ + from + 1, to - from - 2);
  }
  std::string_view Text(std::size_t k) const { return Item(k).value_or(std::string_view{}); }
  // The whole line, CR LF included, in the written form; empty when the record was not.
  std::string_view WrittenLine() const {
    return view_ ? std::string_view{} : std::string_view(line_, info_->end[6] + 2);
  }
  PlaceRecordView View() const {
    if (view_) return *view_;
    PlaceRecordView view;
    for (std::size_t k = 0; k < view.items.size(); ++k) view.items[k] = Item(k);
    return view;
  }

 private:
  const char* line_ = nullptr;
  const LineInfo* info_ = nullptr;
  const PlaceRecordView* view_ = nullptr;
};

// Reads every record of the file, handing each to visit(const RecordRef&). Afterwards
// `last` holds the record read last (in the file's buffer, which the end of the file leaves
// as it is, or in storage); returns whether there was any. A record that cannot be read
// throws as ReadPlaceRecord does.
template <typename Visit>
bool ReadEveryRecord(InputFile& file, PlaceRecordView& last, PlaceRecord& storage, Visit&& visit) {
  constexpr std::size_t kBatch = 256;
  LineInfo lines[kBatch];
  const char* lastLine = nullptr;  // the last record, when it came from the scan
  LineInfo lastInfo{};
  bool any = false;
  while (!file.AtEnd()) {
    if (const char* end = file.EndOfLastLine()) {
      const char* begin = file.Buffered().data();
      std::size_t done = 0;
      std::uint64_t count = 0;
      for (;;) {
        std::size_t consumed = 0;
        const char* base = begin + done;
        const std::size_t n = ScanLineBlocks(base, end, lines, kBatch, &consumed);
        for (std::size_t i = 0; i < n; ++i) visit(RecordRef(base + lines[i].start, lines[i]));
        if (n) {
          lastLine = base + lines[n - 1].start;
          lastInfo = lines[n - 1];
          lastInfo.start = 0;
          any = true;
        }
        done += consumed;
        count += n;
        if (n < kBatch || base + consumed == end) break;
      }
      if (count) {
        file.SkipLines(done, count);
        if (begin + done == end) continue;  // on with the next line, or the next buffer
      }
    }
    // A record not in the written form, or one that crosses the end of the buffer.
    ReadPlaceRecordView(file, last, storage);
    visit(RecordRef(last));
    lastLine = nullptr;
    any = true;
  }
  if (lastLine) last = RecordRef(lastLine, lastInfo).View();
  return any;
}

}  // namespace veldaris
