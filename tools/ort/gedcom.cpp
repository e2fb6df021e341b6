#include "tools/ort/gedcom.h"

#include <cctype>
#include <unordered_map>

#include "core/text1252.h"

namespace veldaris::ort {
namespace {

enum class Charset { kUtf8, kWindows1252, kAnsel };

// UTF-16 with its byte order mark as UTF-8; a lone surrogate becomes U+FFFD.
std::string FromUtf16(std::string_view bytes, bool bigEndian) {
  std::string out;
  const auto unit = [&](std::size_t i) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
  };
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    char32_t cp = unit(i);
    if (cp >= 0xD800 && cp < 0xDC00 && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      } else {
        cp = 0xFFFD;
      }
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

// The character set the header names ("1 CHAR ..."), looked for in the first lines.
std::string DeclaredCharset(std::string_view text) {
  std::size_t at = 0;
  for (int line = 0; line < 200 && at < text.size(); ++line) {
    std::size_t end = text.find_first_of("\r\n", at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view l = text.substr(at, end - at);
    while (!l.empty() && (l.front() == ' ' || l.front() == '\t')) l.remove_prefix(1);
    if (l.starts_with("1 ")) {
      l.remove_prefix(2);
      while (!l.empty() && l.front() == ' ') l.remove_prefix(1);
      if (l.starts_with("CHAR ")) {
        std::string value(l.substr(5));
        while (!value.empty() && value.back() == ' ') value.pop_back();
        for (char& c : value) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        return value;
      }
    }
    if (line > 0 && l.starts_with("0 ")) break;  // the header has ended
    at = text.find_first_not_of("\r\n", end);
    if (at == std::string_view::npos) break;
  }
  return {};
}

struct Line {
  int level = -1;
  std::string_view tag;
  std::string_view value;
};

// One GEDCOM line: level, optional cross-reference, tag, optional value. Extra blanks
// between the parts, which some programs write, are accepted.
bool ParseLine(std::string_view text, Line& line, std::string& problem) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const std::size_t digits = i;
  int level = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - digits < 3) level = level * 10 + (text[i++] - '0');
  if (i == digits) {
    problem = "keine Stufe (Zahl) am Zeilenanfang";
    return false;
  }
  if (i >= text.size() || text[i] != ' ') {
    problem = "nach der Stufe fehlt das Leerzeichen";
    return false;
  }
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && text[i] == '@') {  // the record's own cross-reference
    const std::size_t close = text.find('@', i + 1);
    if (close == std::string_view::npos) {
      problem = "Querverweis ohne schließendes @";
      return false;
    }
    i = close + 1;
    while (i < text.size() && text[i] == ' ') ++i;
  }
  const std::size_t tag = i;
  while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_')) ++i;
  if (i == tag || (i < text.size() && text[i] != ' ')) {
    problem = "kein gültiges Kennwort (Tag)";
    return false;
  }
  line.level = level;
  line.tag = text.substr(tag, i - tag);
  line.value = i < text.size() ? text.substr(i + 1) : std::string_view{};
  return true;
}

}  // namespace

std::vector<PlaceUse> ReadGedcomPlaces(std::string_view bytes, std::vector<GedcomProblem>& problems) {
  std::string text;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    text = bytes.substr(3);
  } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    text = FromUtf16(bytes, bytes[0] == '\xFE');
  } else {
    text = bytes;
  }
  Charset charset = Charset::kUtf8;
  if (!(bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))) {
    const std::string declared = DeclaredCharset(text);
    if (declared == "ANSI" || declared == "WINDOWS-1252" || declared == "CP1252" || declared == "ANSINEW")
      charset = Charset::kWindows1252;
    else if (declared == "ANSEL")
      charset = Charset::kAnsel;
    else if (declared.empty() && !IsUtf8(text))
      charset = Charset::kWindows1252;
  }

  std::vector<PlaceUse> places;
  std::unordered_map<std::string, std::size_t> index;
  std::vector<std::size_t> lastRecord;  // per place: the record that used it last
  std::size_t record = 0;
  int placeLevel = -1;   // the level of the PLAC whose CONC and CONT lines may follow
  std::string pending;   // its value so far
  const auto finish = [&] {
    if (placeLevel < 0) return;
    placeLevel = -1;
    // Blanks around the value, which some programs write, are no part of it.
    while (!pending.empty() && (pending.back() == ' ' || pending.back() == '\t')) pending.pop_back();
    const std::size_t first = pending.find_first_not_of(" \t");
    if (first == std::string::npos) return;
    pending.erase(0, first);
    auto at = index.find(pending);
    if (at == index.end()) {
      at = index.emplace(pending, places.size()).first;
      places.push_back({pending, 0});
      lastRecord.push_back(~std::size_t{0});
    }
    if (lastRecord[at->second] != record) {
      ++places[at->second].uses;
      lastRecord[at->second] = record;
    }
  };

  std::size_t number = 0;
  std::size_t at = 0;
  std::string converted;
  std::string problem;
  while (at < text.size()) {
    // A line ends with CR, LF or CR LF.
    std::size_t end = at;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    std::string_view raw(text.data() + at, end - at);
    at = end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? end + 2 : end + 1;
    ++number;
    if (raw.find_first_not_of(" \t") == std::string_view::npos) continue;  // blank lines, as some files end
    // The line in UTF-8.
    if (charset == Charset::kWindows1252) {
      converted = Windows1252ToUtf8(raw);
      raw = converted;
    } else if (!IsUtf8(raw)) {
      if (charset == Charset::kAnsel) {
        problems.push_back({number, "ANSEL-Zeichen außerhalb von ASCII werden nicht gelesen"});
        finish();
        continue;
      }
      problems.push_back({number, "kein UTF-8, als Windows-1252 gelesen", false});
      converted = Windows1252ToUtf8(raw);
      raw = converted;
    }
    Line line;
    if (!ParseLine(raw, line, problem)) {
      if (!problems.empty() && problems.back().line == number) problems.pop_back();
      problems.push_back({number, problem});
      continue;
    }
    if (placeLevel >= 0 && line.level == placeLevel + 1 && (line.tag == "CONC" || line.tag == "CONT")) {
      if (line.tag == "CONT") pending += ' ';
      pending.append(line.value);
      continue;
    }
    finish();
    if (line.level == 0) ++record;
    if (line.tag == "PLAC") {
      placeLevel = line.level;
      pending.assign(line.value);
    }
  }
  finish();
  return places;
}

std::string PlaceIn1252(std::string_view utf8) {
  std::string out;
  for (;;) {
    std::size_t bad = 0;
    if (auto whole = Utf8ToWindows1252(utf8, &bad)) return out + *whole;
    out += Utf8ToWindows1252(utf8.substr(0, bad)).value_or("");
    out += '?';
    std::size_t next = bad + 1;  // past the character's continuation bytes
    while (next < utf8.size() && (static_cast<unsigned char>(utf8[next]) & 0xC0) == 0x80) ++next;
    utf8.remove_prefix(next);
  }
}

}  // namespace veldaris::ort
