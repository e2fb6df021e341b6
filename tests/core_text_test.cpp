#include <gtest/gtest.h>

#include "core/text1252.h"

namespace veldaris {
namespace {

TEST(Text1252, LowerCasesEveryLetterAndNothingElse) {
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    const auto lower = static_cast<unsigned char>(ToLower1252(c));
    const bool upperLetter = (b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7);
    if (upperLetter)
      EXPECT_EQ(lower, b + 32) << "byte " << b;
    else if (b == 0x8A || b == 0x8C || b == 0x8E)
      EXPECT_EQ(lower, b + 16) << "byte " << b;
    else if (b == 0x9F)
      EXPECT_EQ(lower, 0xFF);
    else
      EXPECT_EQ(lower, b) << "byte " << b;
  }
  EXPECT_EQ(ToLower1252(Cp1252("ÄÖÜ BUCH Šž")), Cp1252("äöü buch šž"));
}

TEST(Text1252, TrimsBlanksOnly) {
  EXPECT_EQ(TrimBlanks("  Buch  "), "Buch");
  EXPECT_EQ(TrimBlanks("   "), "");
  EXPECT_EQ(TrimBlanks(""), "");
  EXPECT_EQ(TrimBlanks("\tBuch\t"), "\tBuch\t");
  EXPECT_EQ(TrimBlanks(" a b "), "a b");
}

TEST(Text1252, EveryByteSurvivesTheRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::string utf8 = Windows1252ToUtf8(all);
  const auto back = Utf8ToWindows1252(utf8);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, all);
  EXPECT_EQ(Windows1252ToUtf8("\x80\x8A\x9E"), "€Šž");
  // The same through the wide text of the Win32 API.
  EXPECT_EQ(WideToWindows1252(Windows1252ToWide(all)), all);
  EXPECT_EQ(Windows1252ToWide("\x80\xF6"), L"\u20AC\u00F6");
  EXPECT_FALSE(WideToWindows1252(L"Gy\u0151r").has_value());
  // UTF-8 both ways, a letter beyond the Basic Multilingual Plane included.
  for (const char* text : {"Győr", "Český Krumlov", "\xF0\x90\x8D\x88 Gotisch", ""})
    EXPECT_EQ(WideToUtf8(Utf8ToWide(text)), text);
}

TEST(Text1252, ReportsCharactersOutsideWindows1252) {
  struct Case {
    std::string utf8;
    std::size_t offset;
  };
  const Case cases[] = {
      {"ab\xE2\x82\xAC\xE2\x86\x92", 5},  // € is fine, → is not
      {"\xD0\x96", 0},                    // Cyrillic Zhe
      {"x\xF0\x9F\x98\x80", 1},           // an emoji
      {"a\xC3", 1},                       // cut sequence
      {"\xC0\x80", 0},                    // overlong NUL
      {"\xFF", 0},                        // no UTF-8 at all
  };
  for (const auto& c : cases) {
    std::size_t offset = 999;
    EXPECT_FALSE(Utf8ToWindows1252(c.utf8, &offset).has_value()) << c.utf8;
    EXPECT_EQ(offset, c.offset) << c.utf8;
  }
}

// Other programs' files: what is UTF-8, and what decodes and encodes back to the same bytes.
TEST(Text1252, TellsUtf8FromOtherBytes) {
  const struct {
    const char* bytes;
    bool utf8;
  } cases[] = {
      {"G\xC3\xB6\xC3\x9Fl", true}, {"\xF0\x9F\x98\x80", true}, {"\xE2\x82\xAC", true}, {"", true},
      {"G\xF6\xDFl", false},          {"\xC0\xAF", false},         {"\xED\xA0\x80", false},  // overlong, surrogate
      {"\xE2\x82", false},            {"\xF4\x90\x80\x80", false},  // cut, beyond U+10FFFF
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsUtf8(c.bytes), c.utf8) << c.bytes;
    const auto decoded = DecodeUtf8(c.bytes);
    ASSERT_EQ(decoded.has_value(), c.utf8) << c.bytes;
    if (!decoded) continue;
    std::string encoded;
    for (char32_t cp : *decoded) AppendUtf8(encoded, cp);
    EXPECT_EQ(encoded, c.bytes);
  }
}

}  // namespace
}  // namespace veldaris
