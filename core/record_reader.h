// The reader of the record files (the data file, the result file): lines in the form the
// program writes are taken a buffer of lines at a time by the block scan (core/line_blocks.h),
// everything else by the general reader, with the same records and the same errors either
// way. It keeps the line and column of what it reads, for the messages that name where a
// file went wrong.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/input_file.h"
#include "core/line_blocks.h"
#include "core/place_record.h"

namespace veldaris {

// One record as read: its items, and its line as it stands where the record was a line in
// the written form (such a line may be copied as it is). Valid until the next record is read.
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

class RecordReader {
 public:
  explicit RecordReader(InputFile file) : file_(std::move(file)) {}
  // name: shown in messages (Windows-1252).
  RecordReader(const std::filesystem::path& path, std::string name) : file_(path, std::move(name)) {}
  static RecordReader InMemory(std::string_view bytes, std::string name,
                               std::size_t bufferSize = InputFile::kBufferSize) {
    return RecordReader(InputFile::InMemory(bytes, std::move(name), bufferSize));
  }
  RecordReader(const RecordReader&) = delete;
  RecordReader& operator=(const RecordReader&) = delete;

  // Asked before each record: whether the file holds no more.
  bool AtEnd() { return batchAt_ == batchSize_ && file_.AtEnd(); }

  // The next seven items of the file, whatever lines they stand on: blanks before an item
  // are skipped; a quoted item runs to the next double quote; an unquoted item runs to the
  // next comma or line end (CR LF), and is absent when it holds nothing. Blanks after a
  // closing quote and at the end of an unquoted item are dropped; the last record may end at
  // the end of the file without its CR LF.
  //
  // Input the system never writes is refused with a SystemError that names the line and
  // column: text after a closing quote, a double quote inside an unquoted item, a CR
  // without LF or a LF without CR, a line end or the end of the file inside a quoted text,
  // and a file that ends inside a record.
  RecordRef Next() {
    if (batchAt_ == batchSize_ && !ScanLines()) return ReadGeneral();
    const LineInfo& info = batch_[batchAt_++];
    const char* line = batchBase_ + info.start;
    beganLine_ = file_.Offset() == lineStart_;
    file_.Skip(info.end[6] + 2u);
    NewLine();
    return RecordRef(line, info);
  }

  // Every record from here on, each handed to visit(const RecordRef&); then the one read
  // last, which the end of the file leaves valid, or nothing.
  template <typename Visit>
  std::optional<RecordRef> ForEach(Visit&& visit) {
    std::optional<RecordRef> last;
    while (!AtEnd()) {
      last.emplace(Next());
      visit(*last);
    }
    return last;
  }

  // Passes over up to `lines` whole lines that end with CR LF, a buffer at a time with
  // memchr, without reading their records; returns how many it passed. Stops early at the
  // end of the file, or before a line that ends with a LF alone.
  std::uint64_t SkipWholeLines(std::uint64_t lines);

  // Whether the record read last began at the start of its line: the program writes one
  // record per line, and the first one that does not is where a file went out of step.
  bool LastRecordBeganItsLine() const { return beganLine_; }
  std::uint64_t Line() const { return line_; }
  void Close() { file_.Close(); }

  // Reads with the general reader alone, never the block scan: the fuzz target holds the
  // two ways against each other.
  void UseGeneralReaderOnly() { generalOnly_ = true; }

 private:
  enum class Ending { kComma, kLineEnd, kEndOfFile };
  static constexpr std::size_t kBatch = 256;

  // Describes the lines in the written form from here on; false when there are none.
  bool ScanLines();
  RecordRef ReadGeneral();
  void ReadQuoted(std::string& text);
  bool ReadUnquoted(std::string& text);
  Ending ReadItemEnd();
  [[noreturn]] void Refuse(int number, const char* what, std::uint64_t line, std::uint64_t column);
  std::uint64_t Column() const { return file_.Offset() - lineStart_ + 1; }
  void NewLine() {
    ++line_;
    lineStart_ = file_.Offset();
  }

  InputFile file_;
  LineInfo batch_[kBatch];
  std::size_t batchSize_ = 0;
  std::size_t batchAt_ = 0;
  const char* batchBase_ = nullptr;
  // The line that the scan found not in the written form: the general reader reads on to
  // the next line before the scan looks again, so that no byte is scanned twice over.
  std::uint64_t refusedLine_ = 0;
  std::uint64_t lastLineEndOf_ = ~std::uint64_t{0};  // the buffer whose last line end is known
  std::uint64_t lastLineEnd_ = 0;                   // its offset, 0 for none
  PlaceRecord storage_;  // the record the general reader read last
  PlaceRecordView storageView_;
  std::uint64_t line_ = 1;
  std::uint64_t lineStart_ = 0;
  std::uint64_t firstStrayLine_ = 0;  // where the first record began that left its line
  bool beganLine_ = true;
  bool generalOnly_ = false;
};

// The next record into record (ReadPlaceRecord of the record format).
inline void ReadPlaceRecord(RecordReader& reader, PlaceRecord& record) { CopyRecord(reader.Next().View(), record); }

}  // namespace veldaris
