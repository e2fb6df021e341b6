#include "core/text1252.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace veldaris {
namespace {

// Code points of the bytes 0x80 to 0x9F.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::string ToLower1252(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = ToLower1252(c);
  return result;
}

std::string TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

char32_t Windows1252ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80u];
  return byte;
}

std::optional<unsigned char> UnicodeToWindows1252(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
    return static_cast<unsigned char>(codePoint);
  for (unsigned i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] == codePoint) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

namespace {

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::string Windows1252ToUtf8(std::string_view text) {
  if (IsAscii(text)) return std::string(text);  // the same in both
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (char ch : text) AppendUtf8(out, Windows1252ToUnicode(static_cast<unsigned char>(ch)));
  return out;
}

std::wstring Windows1252ToWide(std::string_view text) {
  std::wstring wide;
  wide.reserve(text.size());
  for (char c : text) wide.push_back(static_cast<wchar_t>(Windows1252ToUnicode(static_cast<unsigned char>(c))));
  return wide;
}

std::optional<std::string> WideToWindows1252(std::wstring_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (wchar_t c : wide) {
    const auto byte = UnicodeToWindows1252(static_cast<char32_t>(c));  // a surrogate never maps
    if (!byte) return std::nullopt;
    out.push_back(static_cast<char>(*byte));
  }
  return out;
}

namespace {

// The code point that begins at text[i], i moved past it; nothing when no UTF-8 begins there.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  const int more = (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : 0;
  if (more == 0 || text.size() - i < static_cast<std::size_t>(more)) return std::nullopt;
  char32_t cp = lead & (0x3Fu >> more);
  for (int k = 0; k < more; ++k) {
    const auto next = static_cast<unsigned char>(text[i++]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (next & 0x3Fu);
  }
  if ((more == 1 && cp < 0x80) || (more == 2 && cp < 0x800) || (more == 3 && cp < 0x10000) ||
      cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
    return std::nullopt;
  return cp;
}

}  // namespace

std::optional<std::u32string> DecodeUtf8(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto cp = NextCodePoint(text, i);
    if (!cp) return std::nullopt;
    out.push_back(*cp);
  }
  return out;
}

bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    if (!NextCodePoint(text, i)) return false;
  }
  return true;
}

std::optional<std::string> Utf8ToWindows1252(std::string_view utf8, std::size_t* badOffset) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t start = i;
    const auto cp = NextCodePoint(utf8, i);
    const auto byte = cp ? UnicodeToWindows1252(*cp) : std::nullopt;
    if (!byte) {
      if (badOffset) *badOffset = start;
      return std::nullopt;
    }
    out.push_back(static_cast<char>(*byte));
  }
  return out;
}

char PlainLetter(char32_t cp) {
  static constexpr std::string_view kLatin1 =  // U+00C0 to U+00FF; '-' has no plain letter
      "AAAAAAACEEEEIIII" "DNOOOOO-OUUUUYTs" "aaaaaaaceeeeiiii" "dnooooo-ouuuuyty";
  static constexpr std::string_view kExtendedA =  // U+0100 to U+017F
      "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiIiJjKkkLlLlLlLlLlNnNnNnnNnOoOoOoOo"
      "RrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";
  static_assert(kLatin1.size() == 64 && kExtendedA.size() == 128);
  char plain = 0;
  if (cp >= 0xC0 && cp <= 0xFF) plain = kLatin1[cp - 0xC0];
  if (cp >= 0x100 && cp <= 0x17F) plain = kExtendedA[cp - 0x100];
  return plain == '-' ? 0 : plain;
}

std::string Utf8To1252Plain(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  const auto points = DecodeUtf8(utf8);
  if (!points) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  for (char32_t cp : *points) {
    if (const auto byte = UnicodeToWindows1252(cp)) {
      out.push_back(static_cast<char>(*byte));
    } else {
      const char plain = PlainLetter(cp);
      out.push_back(plain ? plain : '?');
    }
  }
  return out;
}

std::wstring Utf8ToWide(std::string_view utf8) {
  std::wstring out;
  for (char32_t cp : DecodeUtf8(utf8).value_or(std::u32string{})) {
    if (sizeof(wchar_t) == 2 && cp >= 0x10000) {
      out.push_back(static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<wchar_t>(cp));
    }
  }
  return out;
}

std::string WideToUtf8(std::wstring_view wide) {
  std::string out;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    auto cp = static_cast<char32_t>(wide[i]);
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char32_t>(wide[i + 1]) - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

std::string Cp1252(std::string_view utf8Literal) {
  auto converted = Utf8ToWindows1252(utf8Literal);
  if (!converted) std::abort();  // a fixed text of the program itself: a build fault
  return *converted;
}

}  // namespace veldaris
