// Windows-1252 text. Inside the program a text is a std::string of Windows-1252 bytes:
// one byte is one character, as in the data files, so lengths and positions are byte counts.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace veldaris {

namespace detail {
constexpr std::array<unsigned char, 256> MakeLowerTable() {
  std::array<unsigned char, 256> table{};
  for (unsigned i = 0; i < 256; ++i) table[i] = static_cast<unsigned char>(i);
  for (unsigned c = 'A'; c <= 'Z'; ++c) table[c] = static_cast<unsigned char>(c + 32);
  for (unsigned c = 0xC0; c <= 0xDE; ++c)
    if (c != 0xD7) table[c] = static_cast<unsigned char>(c + 32);
  table[0x8A] = 0x9A;  // Š š
  table[0x8C] = 0x9C;  // Œ œ
  table[0x8E] = 0x9E;  // Ž ž
  table[0x9F] = 0xFF;  // Ÿ ÿ
  return table;
}
inline constexpr std::array<unsigned char, 256> kLower = MakeLowerTable();
}  // namespace detail

// Lower-cases every Windows-1252 letter: A-Z, À-Þ except ×, and Š Ž Œ Ÿ. Called for every
// character the search compares, so it stays in the header.
inline char ToLower1252(char c) { return static_cast<char>(detail::kLower[static_cast<unsigned char>(c)]); }
std::string ToLower1252(std::string_view text);

// Removes leading and trailing blanks (code 32 only, nothing else counts as a blank).
std::string TrimBlanks(std::string_view text);

// The Unicode code point of a Windows-1252 byte. The five bytes that Windows-1252 leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same number, so
// every byte survives a round trip.
char32_t Windows1252ToUnicode(unsigned char byte);

// The Windows-1252 byte of a code point, or nothing when Windows-1252 cannot hold it.
std::optional<unsigned char> UnicodeToWindows1252(char32_t codePoint);

std::string Windows1252ToUtf8(std::string_view text);

// Converts UTF-8 to Windows-1252. A character that Windows-1252 cannot hold, or a byte
// sequence that is not UTF-8, is reported: the result is empty and badOffset (when given)
// receives the byte offset of the offending character. Nothing is replaced or dropped.
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8, std::size_t* badOffset = nullptr);

// The text as wide characters, the UTF-16 of the Win32 API (Windows-1252 has nothing beyond
// the Basic Multilingual Plane), and back: nothing when the wide text holds a character that
// Windows-1252 cannot hold.
std::wstring Windows1252ToWide(std::string_view text);
std::optional<std::string> WideToWindows1252(std::wstring_view wide);

// UTF-8 as the UTF-16 of the Win32 API (a text that is no UTF-8 gives nothing), and back (a
// lone surrogate as U+FFFD). On Linux, where wchar_t holds 32 bits, each wide character is
// one code point.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// UTF-8 as other programs write it. The code points of a text, or nothing when it is no
// UTF-8 (an overlong form, a surrogate or a cut sequence included).
std::optional<std::u32string> DecodeUtf8(std::string_view text);
// The same test without decoding.
bool IsUtf8(std::string_view text);
void AppendUtf8(std::string& out, char32_t codePoint);

// The plain letter of an accented Latin letter (U+00C0 to U+017F: "Č" gives 'C', "ł" 'l'),
// or 0: for sorting names, and for the letters that Windows-1252 cannot hold.
char PlainLetter(char32_t codePoint);
// UTF-8 as Windows-1252, each character it cannot hold written as its plain letter, or "?"
// where it has none (Čechy -> Cechy); a byte sequence that is no UTF-8 is read as
// Windows-1252.
std::string Utf8To1252Plain(std::string_view utf8);

// A fixed text written in UTF-8 in the source, as Windows-1252. For the program's own
// literals only, which are known to be convertible.
std::string Cp1252(std::string_view utf8Literal);

}  // namespace veldaris
