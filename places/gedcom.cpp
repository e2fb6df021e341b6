#include "places/gedcom.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "core/text1252.h"
#include "places/ansel.h"
#include "places/fold.h"

namespace veldaris::places {
namespace {

bool IsAsciiAlnum(std::size_t c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// The character set the header names ("1 CHAR ..."), looked for in its first lines, which
// are ASCII in every set; `unit` reads the code unit at a byte offset.
template <typename Unit>
std::string DeclaredCharset(std::size_t begin, std::size_t size, std::size_t step, Unit unit) {
  std::string line;
  for (std::size_t at = begin, lines = 0; at + step <= size && lines < 200; at += step) {
    const std::size_t c = unit(at);
    if (c != '\r' && c != '\n') {
      line.push_back(c < 0x80 ? static_cast<char>(c) : '?');
      continue;
    }
    if (line.empty()) continue;
    ++lines;
    const std::size_t level = line.find_first_not_of(" \t");
    if (level != std::string::npos && line.compare(level, 2, "1 ") == 0) {
      const std::size_t tag = line.find_first_not_of(' ', level + 2);
      if (tag != std::string::npos && line.compare(tag, 5, "CHAR ") == 0) {
        std::string value = line.substr(tag + 5);
        while (!value.empty() && value.back() == ' ') value.pop_back();
        for (char& ch : value) ch = static_cast<char>(ch >= 'a' && ch <= 'z' ? ch - 32 : ch);
        return value;
      }
    }
    if (lines > 1 && level != std::string::npos && line.compare(level, 2, "0 ") == 0) break;  // the header ended
    line.clear();
  }
  return {};
}

void AppendUtf16(std::string& out, char32_t cp, bool bigEndian) {
  const auto put = [&](char32_t unit) {
    const auto high = static_cast<char>(unit >> 8);
    const auto low = static_cast<char>(unit & 0xFF);
    out.push_back(bigEndian ? high : low);
    out.push_back(bigEndian ? low : high);
  };
  if (cp < 0x10000) {
    put(cp);
  } else {
    put(0xD800 + ((cp - 0x10000) >> 10));
    put(0xDC00 + ((cp - 0x10000) & 0x3FF));
  }
}

}  // namespace

GedcomTree::GedcomTree(std::string_view bytes) : bytes_(bytes) {
  std::size_t start = 0;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    start = 3;
  } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    encoding_ = bytes[0] == '\xFE' ? Encoding::kUtf16Be : Encoding::kUtf16Le;
    start = 2;
  } else if (bytes.starts_with(std::string_view("0\0", 2)) || bytes.starts_with(std::string_view("\0" "0", 2))) {
    // UTF-16 without its byte order mark, as GEDCOM 5.5 allows: the level of the first line
    // and a NUL.
    encoding_ = bytes[0] == '0' ? Encoding::kUtf16Le : Encoding::kUtf16Be;
  } else {
    const std::string declared =
        DeclaredCharset(0, bytes.size(), 1, [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); });
    if (declared == "ANSI" || declared == "WINDOWS-1252" || declared == "CP1252" || declared == "ANSINEW")
      encoding_ = Encoding::kWindows1252;
    else if (declared == "ANSEL")
      encoding_ = Encoding::kAnsel;
    else if (declared.empty() && !IsUtf8(bytes))
      encoding_ = Encoding::kWindows1252;
  }
  unit_ = encoding_ == Encoding::kUtf16Le || encoding_ == Encoding::kUtf16Be ? 2 : 1;
  // A UTF-8 file is checked once as a whole; only one with faults, line by line.
  allUtf8_ = encoding_ == Encoding::kUtf8 && IsUtf8(bytes.substr(start));
  Split(start);
  // A tree begins with its header.
  const auto first = std::find_if(lines_.begin(), lines_.end(),
                                  [](const GedcomLine& line) { return line.tag != Tag::kBlank; });
  if (first == lines_.end() || first->level != 0 || first->tag != Tag::kHead)
    throw GedcomError(first == lines_.end() ? 1 : static_cast<std::size_t>(first - lines_.begin()) + 1,
                      "keine GEDCOM-Datei: sie beginnt nicht mit der Zeile \"0 HEAD\"");
}

// Lines end with CR, LF or CR LF, in code units of the file's set, from `at` on (after a
// byte order mark).
void GedcomTree::Split(std::size_t at) {
  const std::size_t size = bytes_.size() - bytes_.size() % unit_;
  lines_.reserve(size / 32);
  // Where the next CR and the next LF stand, each found by memchr once for every line it ends.
  std::size_t nextCr = 0, nextLf = 0;
  const auto find = [&](std::size_t& found, char c) {
    if (found >= at && found != 0) return;
    const void* hit = std::memchr(bytes_.data() + at, c, size - at);
    found = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - bytes_.data()) : size;
  };
  while (at + unit_ <= size) {
    GedcomLine line;
    line.begin = at;
    if (unit_ == 1) {
      find(nextCr, '\r');
      find(nextLf, '\n');
      at = std::min(nextCr, nextLf);
    } else {
      while (at + unit_ <= size && Unit(at) != '\r' && Unit(at) != '\n') at += unit_;
    }
    line.end = at;
    if (at + unit_ <= size) {
      const bool cr = Unit(at) == '\r';
      at += unit_;
      if (cr && at + unit_ <= size && Unit(at) == '\n') at += unit_;
    }
    line.next = at;
    lines_.push_back(std::move(line));
  }
  std::size_t record = 0;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    ParseLine(lines_[i], i + 1);
    if (lines_[i].level == 0) ++record;
    if (lines_[i].tag != Tag::kPlac) continue;
    // The place: its value, joined with the CONC and CONT lines right after it.
    GedcomPlace place;
    place.line = i;
    place.record = record;
    const int level = lines_[i].level;
    std::optional<std::string> value = Decode(lines_[i].value, lines_[i].end);
    for (std::size_t k = i + 1; k < lines_.size(); ++k) {
      ParseLine(lines_[k], k + 1);
      const GedcomLine& next = lines_[k];
      if (next.level != level + 1 || (next.tag != Tag::kConc && next.tag != Tag::kCont)) break;
      const auto more = Decode(next.value, next.end);
      if (value && more) *value += (next.tag == Tag::kCont ? " " : "") + *more;
      ++place.lines;
    }
    // A MAP of its own anywhere in its structure, and its NOTEs.
    for (std::size_t k = i + place.lines; k < lines_.size(); ++k) {
      ParseLine(lines_[k], k + 1);
      if (lines_[k].level >= 0 && lines_[k].level <= level) break;
      if (lines_[k].level != level + 1) continue;
      place.hasMap |= lines_[k].tag == Tag::kMap;
      if (lines_[k].tag == Tag::kNote)
        if (auto note = Decode(lines_[k].value, lines_[k].end)) place.notes.push_back(std::move(*note));
    }
    if (!value) continue;
    // Blanks around the value, which some programs write, are no part of it.
    const std::size_t first = value->find_first_not_of(" \t");
    if (first == std::string::npos) continue;
    place.value = value->substr(first, value->find_last_not_of(" \t") - first + 1);
    places_.push_back(std::move(place));
  }
}

void GedcomTree::ParseLine(GedcomLine& line, std::size_t number) {
  if (line.tag != Tag::kUnread) return;
  if (unit_ == 1)
    ParseUnits(line, number, [this](std::size_t k) -> std::size_t { return static_cast<unsigned char>(bytes_[k]); });
  else
    ParseUnits(line, number, [this](std::size_t k) { return Unit(k); });
}

// One GEDCOM line: level, optional cross-reference, tag, optional value. Extra blanks
// between the parts, which some programs write, are accepted. Each line is parsed once.
template <typename UnitAt>
void GedcomTree::ParseUnits(GedcomLine& line, std::size_t number, UnitAt unit) {
  const auto at = [&](std::size_t k) { return k < line.end ? unit(k) : std::size_t{0}; };
  std::size_t i = line.begin;
  while (at(i) == ' ' || at(i) == '\t') i += unit_;
  if (i >= line.end) {  // a blank line, as some files end
    line.tag = Tag::kBlank;
    return;
  }
  const auto fail = [&](std::string what) {
    line.tag = Tag::kFailed;  // one problem per line, this one
    if (!problems_.empty() && problems_.back().line == number) problems_.pop_back();
    problems_.push_back({number, std::move(what)});
  };
  // The whole line must be readable in its character set.
  const std::string_view raw = bytes_.substr(line.begin, line.end - line.begin);
  if (encoding_ == Encoding::kAnsel) {
    const auto undefined =
        std::find_if(raw.begin(), raw.end(), [](char c) { return !IsAnselByte(static_cast<unsigned char>(c)); });
    if (undefined != raw.end()) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      const auto byte = static_cast<unsigned char>(*undefined);
      return fail(std::string("das Byte 0x") + kHex[byte >> 4] + kHex[byte & 15] + " steht in ANSEL für kein Zeichen");
    }
  }
  if (encoding_ == Encoding::kUtf8 && !allUtf8_ && !IsUtf8(raw))
    problems_.push_back({number, "kein UTF-8, als Windows-1252 gelesen", false});
  const std::size_t digits = i;
  int level = 0;
  while (at(i) >= '0' && at(i) <= '9' && i - digits < 3 * unit_) {
    level = level * 10 + static_cast<int>(at(i) - '0');
    i += unit_;
  }
  if (i == digits) return fail("keine Stufe (Zahl) am Zeilenanfang");
  if (at(i) != ' ') return fail("nach der Stufe fehlt das Leerzeichen");
  while (at(i) == ' ') i += unit_;
  if (at(i) == '@') {  // the record's own cross-reference
    do i += unit_;
    while (i < line.end && at(i) != '@');
    if (i >= line.end) return fail("Querverweis ohne schließendes @");
    i += unit_;
    while (at(i) == ' ') i += unit_;
  }
  line.tagBegin = i;
  char tag[8] = {};  // enough for the tags looked at; a longer one is another tag
  std::size_t length = 0;
  for (; IsAsciiAlnum(at(i)); i += unit_, ++length)
    if (length < sizeof tag) tag[length] = static_cast<char>(at(i));
  if (length == 0 || (i < line.end && at(i) != ' ')) return fail("kein gültiges Kennwort (Tag)");
  const std::string_view name(tag, std::min(length, sizeof tag));
  line.level = level;
  line.tag = length > 4 ? Tag::kOther
             : name == "PLAC" ? Tag::kPlac
             : name == "CONC" ? Tag::kConc
             : name == "CONT" ? Tag::kCont
             : name == "MAP"  ? Tag::kMap
             : name == "HEAD" ? Tag::kHead
             : name == "NOTE" ? Tag::kNote
                              : Tag::kOther;
  line.value = i < line.end ? i + unit_ : line.end;
}

std::optional<std::string> GedcomTree::Decode(std::size_t begin, std::size_t end) const {
  const std::string_view raw = bytes_.substr(begin, end - begin);
  switch (encoding_) {
    case Encoding::kUtf8:
      return allUtf8_ || IsUtf8(raw) ? std::string(raw) : Windows1252ToUtf8(raw);
    case Encoding::kWindows1252:
      return Windows1252ToUtf8(raw);
    case Encoding::kAnsel:
      return AnselToUtf8(raw);
    case Encoding::kUtf16Le:
    case Encoding::kUtf16Be: {
      std::string out;
      for (std::size_t i = begin; i + 1 < end; i += 2) {
        auto cp = static_cast<char32_t>(Unit(i));
        if (cp >= 0xD800 && cp < 0xDC00 && i + 3 < end && Unit(i + 2) >= 0xDC00 && Unit(i + 2) < 0xE000) {
          cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char32_t>(Unit(i + 2)) - 0xDC00);
          i += 2;
        } else if (cp >= 0xD800 && cp < 0xE000) {
          cp = 0xFFFD;  // a lone surrogate
        }
        AppendUtf8(out, cp);
      }
      return out;
    }
  }
  return std::nullopt;
}

std::optional<std::string> GedcomTree::Encode(std::string_view utf8) const {
  switch (encoding_) {
    case Encoding::kUtf8:
      return std::string(utf8);
    case Encoding::kWindows1252:
      return Utf8ToWindows1252(utf8);
    case Encoding::kAnsel:  // what this program writes is ASCII, which ANSEL keeps as it is
      for (char c : utf8)
        if (static_cast<unsigned char>(c) >= 0x80) return std::nullopt;
      return std::string(utf8);
    case Encoding::kUtf16Le:
    case Encoding::kUtf16Be: {
      const auto points = DecodeUtf8(utf8);
      if (!points) return std::nullopt;
      std::string out;
      for (char32_t cp : *points) AppendUtf16(out, cp, encoding_ == Encoding::kUtf16Be);
      return out;
    }
  }
  return std::nullopt;
}

std::optional<std::string> GedcomTree::EncodePlain(std::string_view utf8) const {
  if (auto whole = Encode(utf8)) return whole;
  if (auto latin = Encode(Windows1252ToUtf8(Utf8To1252Plain(utf8)))) return latin;
  std::string ascii;
  for (char32_t cp : DecodeUtf8(utf8).value_or(std::u32string{})) {
    const char plain = cp < 0x80 ? static_cast<char>(cp) : PlainLetter(cp);
    ascii += plain ? plain : '?';
  }
  return Encode(ascii);
}

std::vector<PlaceUse> PlaceUses(const GedcomTree& tree) {
  std::vector<PlaceUse> uses;
  std::unordered_map<std::string, std::size_t> index;
  std::vector<std::size_t> lastRecord;  // per value: the record that used it last
  for (const GedcomPlace& place : tree.places()) {
    auto at = index.find(place.value);
    if (at == index.end()) {
      at = index.emplace(place.value, uses.size()).first;
      uses.push_back({place.value, 0});
      lastRecord.push_back(~std::size_t{0});
    }
    if (lastRecord[at->second] != place.record) {
      ++uses[at->second].uses;
      lastRecord[at->second] = place.record;
    }
  }
  return uses;
}

std::string PlaceIn1252(std::string_view utf8) { return Utf8To1252Plain(utf8); }

std::string CorrectTree(const GedcomTree& tree,
                        const std::function<std::optional<PlaceCorrection>(const std::string& value)>& correct,
                        std::size_t& rewritten) {
  const std::string_view bytes = tree.bytes();
  const std::vector<GedcomLine>& lines = tree.lines();
  const auto raw = [&](std::size_t from, std::size_t to) { return bytes.substr(from, to - from); };
  std::string out(raw(0, lines.empty() ? bytes.size() : lines.front().begin));  // a byte order mark
  // Lines of the program's own end as the file's first line does.
  std::string ending(lines.empty() ? "" : raw(lines.front().end, lines.front().next));
  if (ending.empty()) ending = tree.Encode("\r\n").value_or("\r\n");
  std::size_t i = 0;
  for (const GedcomPlace& place : tree.places()) {
    for (; i < place.line; ++i) out += raw(lines[i].begin, lines[i].next);
    const GedcomLine& plac = lines[place.line];
    // A level has at most three digits: a PLAC too deep for the lines under it stays.
    if (plac.level + 2 > 999) continue;
    const auto correction = correct(place.value);
    const std::string level = std::to_string(plac.level + 1);
    const std::string sublevel = std::to_string(plac.level + 2);
    const bool same = correction && (correction->keepValue || correction->placeString == place.value);
    const bool map = correction && !place.hasMap && correction->latitude && correction->longitude;
    const auto value = correction ? tree.Encode(correction->placeString) : std::nullopt;
    const auto note = tree.Encode(level + " NOTE Ortsangabe vorher: ");
    const auto mapLines = map ? tree.Encode(level + " MAP") : std::nullopt;
    // The note once: as the file's set wrote it before, maybe with plainer letters.
    const auto noted = [&](const std::string& text) {
      return FoldedKey(text) == FoldedKey(*correction->note);
    };
    const bool ownNote = correction && correction->note && std::none_of(place.notes.begin(), place.notes.end(), noted);
    const auto ownNoteLine = ownNote ? tree.EncodePlain(level + " NOTE " + *correction->note) : std::nullopt;
    // A value that keeps its text needs no place string in the file's set.
    if (!correction || (same && !map && !ownNoteLine) || (!same && (!value || !note)) || (map && !mapLines))
      continue;  // stays as it is
    std::string end(raw(plac.end, plac.next));
    if (end.empty()) end = ending;
    if (same) {
      for (std::size_t k = place.line; k < place.line + place.lines; ++k) out += raw(lines[k].begin, lines[k].next);
    } else {
      out += raw(plac.begin, plac.value);
      if (plac.value == plac.end) out += *tree.Encode(" ");
      out += *value + end;
    }
    if (map) {
      out += *mapLines + end;
      out += *tree.Encode(sublevel + " LATI " + *correction->latitude) + end;
      out += *tree.Encode(sublevel + " LONG " + *correction->longitude) + end;
    }
    if (ownNoteLine) out += *ownNoteLine + end;
    if (!same) {
      ++rewritten;
      out += *note + std::string(raw(plac.value, plac.end)) + end;
      for (std::size_t k = place.line + 1; k < place.line + place.lines; ++k)
        out += *tree.Encode(sublevel + " ") + std::string(raw(lines[k].tagBegin, lines[k].next));
    }
    i = place.line + place.lines;
  }
  for (; i < lines.size(); ++i) out += raw(lines[i].begin, lines[i].next);
  out += raw(lines.empty() ? bytes.size() : lines.back().next, bytes.size());  // a byte left over
  return out;
}

}  // namespace veldaris::places
