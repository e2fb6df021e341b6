#include "core/record_reader.h"

#include <cstring>

#include "core/errors.h"
#include "core/text1252.h"

namespace veldaris {
namespace {

// Appends buffered bytes to text up to the first byte for which stop() holds, refilling the
// buffer as needed; returns that byte, or kEof. The bytes passed hold no line feed.
template <typename Stop>
int ScanInto(InputFile& file, std::string& text, Stop stop) {
  for (;;) {
    const std::string_view chunk = file.Buffered();
    if (chunk.empty()) return InputFile::kEof;
    std::size_t n = 0;
    while (n < chunk.size() && !stop(chunk[n])) ++n;
    text.append(chunk.data(), n);
    file.Skip(n);
    if (n < chunk.size()) return static_cast<unsigned char>(chunk[n]);
  }
}

}  // namespace

bool RecordReader::ScanLines() {
  // Where the scan has just refused a line, the general reader takes that line first.
  if (generalOnly_ || line_ == refusedLine_) return false;
  const std::string_view buffered = file_.Buffered();
  // Whole lines only: the scan stops before the line that the end of the buffer cuts.
  const std::uint64_t bufferEnd = file_.Offset() + buffered.size();
  if (lastLineEndOf_ != bufferEnd) {
    lastLineEndOf_ = bufferEnd;
    const std::size_t lf = buffered.rfind('\n');
    lastLineEnd_ = lf == std::string_view::npos ? 0 : file_.Offset() + lf + 1;
  }
  if (lastLineEnd_ <= file_.Offset()) return false;
  std::size_t consumed = 0;
  batchBase_ = buffered.data();
  batchSize_ = ScanLineBlocks(batchBase_, batchBase_ + (lastLineEnd_ - file_.Offset()), batch_, kBatch, &consumed);
  batchAt_ = 0;
  if (batchSize_ == 0) refusedLine_ = line_;
  return batchSize_ > 0;
}

// The message names where the file first stopped keeping one record per line: a record
// with too few items takes the next line's first item, and every later record is out of
// step, so the problem shows only far below the line that caused it.
void RecordReader::Refuse(int number, const char* what, std::uint64_t line, std::uint64_t column) {
  std::string text;
  if (firstStrayLine_) {
    text = Cp1252("Der Datensatz in Zeile ") + std::to_string(firstStrayLine_) +
           Cp1252(" endet nicht am Zeilenende (zu wenige oder zu viele Einträge); ab dort "
                  "beginnen die Datensätze nicht mehr am Zeilenanfang. Gefunden wurde: ");
  }
  text += Cp1252(what) + " (Zeile " + std::to_string(line) + ", Spalte " + std::to_string(column) + ")";
  throw SystemError(number, std::move(text), file_.Name());
}

// Consumes the comma or line end that ends an item.
RecordReader::Ending RecordReader::ReadItemEnd() {
  const int c = file_.Peek();
  if (c == InputFile::kEof) return Ending::kEndOfFile;
  if (c == ',') {
    file_.Skip(1);
    return Ending::kComma;
  }
  if (c == '\r') {
    file_.Skip(1);
    if (file_.Peek() != '\n')
      Refuse(kErrLoneLineBreak, "Zeilenende ohne Zeilenvorschub (CR ohne LF)", line_, Column() - 1);
    file_.Skip(1);
    NewLine();
    return Ending::kLineEnd;
  }
  if (c == '\n') Refuse(kErrLoneLineBreak, "Zeilenvorschub ohne Zeilenende (LF ohne CR)", line_, Column());
  Refuse(kErrTextAfterQuote, "Text nach dem schließenden Anführungszeichen", line_, Column());
}

void RecordReader::ReadQuoted(std::string& text) {
  const auto line = line_;
  const auto column = Column();
  file_.Skip(1);  // opening quote
  text.clear();
  const int stop = ScanInto(file_, text, [](char c) { return c == '"' || c == '\r' || c == '\n'; });
  if (stop != '"') Refuse(kErrUnclosedQuote, "Anführungszeichen wird nicht geschlossen", line, column);
  file_.Skip(1);  // closing quote
  while (file_.Peek() == ' ') file_.Skip(1);
}

// Reads up to the comma or line end; returns false for an item with no characters.
bool RecordReader::ReadUnquoted(std::string& text) {
  text.clear();
  const int stop = ScanInto(file_, text, [](char c) { return c == ',' || c == '\r' || c == '\n' || c == '"'; });
  if (stop == '"') Refuse(kErrQuoteInItem, "Anführungszeichen innerhalb eines Eintrags", line_, Column());
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return !text.empty();
}

// The general reader, for every form the rules allow and for the problems it reports.
RecordRef RecordReader::ReadGeneral() {
  const auto startLine = line_;
  const auto startColumn = Column();
  beganLine_ = startColumn == 1;
  Ending previous = Ending::kLineEnd;
  for (std::size_t k = 0; k < kRecordItems.size(); ++k) {
    std::optional<std::string>& item = storage_.*kRecordItems[k];
    while (file_.Peek() == ' ') file_.Skip(1);
    const int next = file_.Peek();
    // An item may start at the end of the file only when a comma ended the one before and
    // it is the last item: the last line of a file that lacks its CR LF.
    if (next == InputFile::kEof && !(previous == Ending::kComma && k + 1 == kRecordItems.size()))
      Refuse(kErrEndInsideRecord, "Datei endet innerhalb des Datensatzes, der hier beginnt", startLine, startColumn);
    if (next == ',') {  // absent
      item.reset();
      file_.Skip(1);
      previous = Ending::kComma;
      continue;
    }
    if (!item) item.emplace();
    if (next == '"')
      ReadQuoted(*item);
    else if (!ReadUnquoted(*item))
      item.reset();
    previous = ReadItemEnd();
  }
  if (previous == Ending::kComma && !firstStrayLine_) firstStrayLine_ = startLine;
  storageView_ = ViewOf(storage_);
  return RecordRef(storageView_);
}

std::uint64_t RecordReader::SkipWholeLines(std::uint64_t lines) {
  batchAt_ = batchSize_ = 0;  // lines the scan described are passed like any other
  std::uint64_t passed = 0;
  bool crBefore = false;  // the last byte passed, when the buffer was refilled after it
  while (passed < lines) {
    const std::string_view chunk = file_.Buffered();
    if (chunk.empty()) break;
    const char* const begin = chunk.data();
    const char* const end = begin + chunk.size();
    const char* p = begin;
    bool loneLineFeed = false;  // stops the count: the reader says what is wrong there
    while (passed < lines) {
      const auto* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
      if (!lf) break;
      loneLineFeed = lf == begin ? !crBefore : lf[-1] != '\r';
      if (loneLineFeed) break;
      p = lf + 1;
      ++passed;
      ++line_;
      lineStart_ = file_.Offset() + static_cast<std::uint64_t>(p - begin);
    }
    if (passed == lines || loneLineFeed) {
      file_.Skip(static_cast<std::size_t>(p - begin));
      break;
    }
    // Nothing more to count here: the rest of this buffer belongs to the next line.
    crBefore = end[-1] == '\r';
    file_.Skip(chunk.size());
  }
  beganLine_ = true;
  return passed;
}

}  // namespace veldaris
