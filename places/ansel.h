// ANSEL (ANSI Z39.47) as GEDCOM 5.5 family trees use it: ASCII below 0x80, special
// characters from 0xA1 to 0xCF, and combining diacritics from 0xE0 on, which stand before
// the letter they mark.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veldaris::places {

// Whether the byte stands for a character in ANSEL.
bool IsAnselByte(unsigned char byte);

// The text as UTF-8, each letter with the diacritics before it composed into one character
// where Unicode has it ("\xE8o" is "ö"), else followed by the combining marks. Nothing
// where a byte is no ANSEL character.
std::optional<std::string> AnselToUtf8(std::string_view ansel);

}  // namespace veldaris::places
