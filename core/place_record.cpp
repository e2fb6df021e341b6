#include "core/place_record.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "core/errors.h"
#include "core/files.h"
#include "core/line_scan.h"
#include "core/text1252.h"

namespace veldaris {
namespace {

using Item = std::optional<std::string> PlaceRecord::*;
constexpr std::array<Item, 7> kItems = {
    &PlaceRecord::Place,    &PlaceRecord::Municipality, &PlaceRecord::District,
    &PlaceRecord::StateShortForm, &PlaceRecord::Postcode, &PlaceRecord::Reserved,
    &PlaceRecord::MunicipalityKind};

enum class Ending { kComma, kLineEnd, kEndOfFile };

// The message names where the file first stopped keeping one record per line: a record
// with too few items takes the next line's first item, and every later record is out of
// step, so the problem shows only far below the line that caused it.
[[noreturn]] void Refuse(InputFile& file, int number, const char* what, std::uint64_t line,
                         std::uint64_t column) {
  std::string text;
  if (const std::uint64_t stray = file.FirstStrayLine()) {
    text = Cp1252("Der Datensatz in Zeile ") + std::to_string(stray) +
           Cp1252(" endet nicht am Zeilenende (zu wenige oder zu viele Einträge); ab dort "
                  "beginnen die Datensätze nicht mehr am Zeilenanfang. Gefunden wurde: ");
  }
  text += Cp1252(what) + " (Zeile " + std::to_string(line) + ", Spalte " +
          std::to_string(column) + ")";
  throw SystemError(number, std::move(text), file.Name());
}

[[noreturn]] void RefuseHere(InputFile& file, int number, const char* what) {
  Refuse(file, number, what, file.Line(), file.Column());
}

// Consumes the comma or line end that ends an item.
Ending ReadItemEnd(InputFile& file) {
  const int c = file.Peek();
  if (c == InputFile::kEof) return Ending::kEndOfFile;
  if (c == ',') {
    file.Skip(1);
    return Ending::kComma;
  }
  if (c == '\r') {
    file.Skip(1);
    if (file.Peek() != '\n')
      Refuse(file, kErrLoneLineBreak, "Zeilenende ohne Zeilenvorschub (CR ohne LF)",
             file.Line(), file.Column() - 1);
    file.Get();
    return Ending::kLineEnd;
  }
  if (c == '\n') RefuseHere(file, kErrLoneLineBreak, "Zeilenvorschub ohne Zeilenende (LF ohne CR)");
  RefuseHere(file, kErrTextAfterQuote, "Text nach dem schließenden Anführungszeichen");
}

// Appends buffered bytes to text up to the first byte for which stop() holds, refilling the
// buffer as needed; returns that byte, or kEof.
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

void ReadQuoted(InputFile& file, std::string& text) {
  const auto line = file.Line();
  const auto column = file.Column();
  file.Skip(1);  // opening quote
  text.clear();
  const int stop = ScanInto(file, text, [](char c) { return c == '"' || c == '\r' || c == '\n'; });
  if (stop != '"')
    Refuse(file, kErrUnclosedQuote, "Anführungszeichen wird nicht geschlossen", line, column);
  file.Skip(1);  // closing quote
  while (file.Peek() == ' ') file.Skip(1);
}

// Reads up to the comma or line end; returns false for an item with no characters.
bool ReadUnquoted(InputFile& file, std::string& text) {
  text.clear();
  const int stop = ScanInto(file, text, [](char c) {
    return c == ',' || c == '\r' || c == '\n' || c == '"';
  });
  if (stop == '"') RefuseHere(file, kErrQuoteInItem, "Anführungszeichen innerhalb eines Eintrags");
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return !text.empty();
}

// The first double quote, CR or LF at or after p. The buffer ends with a CR of its own and
// is padded, so the search stops in time and may read eight bytes at a time.
const char* FindQuoteOrLineBreak(const char* p) {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHigh = 0x8080808080808080u;
    for (;; p += 8) {
      std::uint64_t word;
      std::memcpy(&word, p, sizeof word);
      const std::uint64_t quote = word ^ (kOnes * '"');
      const std::uint64_t cr = word ^ (kOnes * '\r');
      const std::uint64_t lf = word ^ (kOnes * '\n');
      // The lowest flagged byte is always a real match.
      const std::uint64_t found = ((quote - kOnes) & ~quote & kHigh) |
                                  ((cr - kOnes) & ~cr & kHigh) | ((lf - kOnes) & ~lf & kHigh);
      if (found) return p + (std::countr_zero(found) >> 3);
    }
  } else {
    while (*p != '"' && *p != '\r' && *p != '\n') ++p;
    return p;
  }
}

// The usual case: the whole record stands in the buffer on one line, in the form the program
// writes (perhaps with blanks around the items), and ends with the CR LF of its line or with
// a comma inside it. Returns the number of bytes it takes, its CR LF or comma included, or 0
// when it needs the general reader (a record over several lines, one that crosses the end of
// the buffer, anything unusual or wrong).
std::size_t ReadRecordInBuffer(InputFile& file, PlaceRecordView& view, bool& keptLine) {
  const std::string_view buffered = file.Buffered();
  // The form the program writes, in one pass, where the buffer holds a whole line; anything
  // else the scan below.
  if (file.EndOfLastLine())
    if (const std::size_t length = ScanWrittenLine(buffered.data(), buffered.size(), view)) {
      keptLine = true;
      return length;
    }
  const char* const begin = buffered.data();
  const char* const end = begin + buffered.size();  // holds the buffer's own CR
  // Seven absent items, the last one ended by a comma: a record that keeps no line, and the
  // whole of a file of nothing but commas.
  if (buffered.size() >= 7 && std::memcmp(begin, ",,,,,,,", 7) == 0) {
    for (auto& item : view.items) item.reset();
    keptLine = false;
    return 7;
  }
  const char* p = begin;
  for (std::size_t k = 0; k < view.items.size(); ++k) {
    auto& item = view.items[k];
    if (*p == ',' && k + 1 < view.items.size()) {  // absent, as the reserved item always is
      item.reset();
      ++p;
      continue;
    }
    while (*p == ' ') ++p;
    if (*p == '"') {
      const char* const text = ++p;
      p = FindQuoteOrLineBreak(p);
      if (*p != '"') return 0;
      item.emplace(text, static_cast<std::size_t>(p - text));
      ++p;
      while (*p == ' ') ++p;
    } else {
      const char* const text = p;
      while (*p != ',' && *p != '"' && *p != '\r' && *p != '\n') ++p;
      if (*p == '"' || *p == '\n') return 0;
      const char* last = p;
      while (last > text && last[-1] == ' ') --last;
      if (last == text)
        item.reset();
      else
        item.emplace(text, static_cast<std::size_t>(last - text));
    }
    if (k + 1 < view.items.size()) {
      if (*p != ',') return 0;
      ++p;
    } else if (*p == ',') {
      keptLine = false;
      return static_cast<std::size_t>(p + 1 - begin);
    } else if (*p == '\r' && p + 1 < end && p[1] == '\n') {
      keptLine = true;
      return static_cast<std::size_t>(p + 2 - begin);
    } else {
      return 0;
    }
  }
  return 0;
}

// Takes a record the fast path has read.
void TakeRecord(InputFile& file, std::size_t length, bool keptLine) {
  file.BeginRecord();
  if (keptLine)
    file.SkipLine(length);
  else
    file.Skip(length);
  file.EndRecord(keptLine);
}

}  // namespace

// The general reader, for every form the rules allow and for the problems it reports.
void ReadPlaceRecordGeneral(InputFile& file, PlaceRecord& record) {
  const auto startLine = file.Line();
  const auto startColumn = file.Column();
  file.BeginRecord();
  Ending previous = Ending::kLineEnd;
  for (std::size_t k = 0; k < kItems.size(); ++k) {
    std::optional<std::string>& item = record.*kItems[k];
    while (file.Peek() == ' ') file.Skip(1);
    const int next = file.Peek();
    // An item may start at the end of the file only when a comma ended the one before and
    // it is the last item: the last line of a file that lacks its CR LF.
    if (next == InputFile::kEof && !(previous == Ending::kComma && k + 1 == kItems.size())) {
      Refuse(file, kErrEndInsideRecord,
             "Datei endet innerhalb des Datensatzes, der hier beginnt", startLine, startColumn);
    }
    if (next == ',') {  // absent; the common case of a file of nothing but commas, too
      item.reset();
      file.Skip(1);
      previous = Ending::kComma;
      continue;
    }
    if (next == '"') {
      if (!item) item.emplace();
      ReadQuoted(file, *item);
    } else {
      if (!item) item.emplace();
      if (!ReadUnquoted(file, *item)) item.reset();
    }
    previous = ReadItemEnd(file);
  }
  file.EndRecord(previous != Ending::kComma);
}

PlaceRecordView ViewOf(const PlaceRecord& record) {
  PlaceRecordView view;
  for (std::size_t k = 0; k < kItems.size(); ++k)
    if (const auto& item = record.*kItems[k]) view.items[k] = *item;
  return view;
}

void CopyRecord(const PlaceRecordView& view, PlaceRecord& record) {
  for (std::size_t k = 0; k < kItems.size(); ++k) {
    auto& item = record.*kItems[k];
    if (!view.items[k])
      item.reset();
    else if (item)
      item->assign(*view.items[k]);  // keeps the string's storage
    else
      item.emplace(*view.items[k]);
  }
}

void ReadPlaceRecordView(InputFile& file, PlaceRecordView& view, PlaceRecord& storage) {
  bool keptLine = true;
  if (const std::size_t length = ReadRecordInBuffer(file, view, keptLine)) {
    TakeRecord(file, length, keptLine);
    return;
  }
  ReadPlaceRecordGeneral(file, storage);
  view = ViewOf(storage);
}

void ReadPlaceRecord(InputFile& file, PlaceRecord& record) {
  PlaceRecordView view;
  bool keptLine = true;
  if (const std::size_t length = ReadRecordInBuffer(file, view, keptLine)) {
    CopyRecord(view, record);
    TakeRecord(file, length, keptLine);
    return;
  }
  ReadPlaceRecordGeneral(file, record);
}

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

template <typename Sink>
void PutResultCsvLine(Sink& sink, const PlaceRecordView& record) {
  sink.Write('"');
  sink.Write(record.Place());
  sink.Write(';');
  sink.Write(record.Municipality());
  sink.Write(';');
  sink.Write(record.District());
  sink.Write("\"\r\n");
}

struct StringSink {
  std::string text;
  void Write(std::string_view bytes) { text.append(bytes); }
  void Write(char c) { text.push_back(c); }
};

}  // namespace

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

std::string FormatResultCsvLine(const PlaceRecord& record) {
  StringSink sink;
  PutResultCsvLine(sink, ViewOf(record));
  return sink.text;
}

void WriteResultCsvLine(OutputFile& file, const PlaceRecordView& record) {
  PutResultCsvLine(file, record);
}

}  // namespace veldaris
