// Conversion between the program's Windows-1252 texts and the UTF-16 of the Win32 API.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veldaris {

std::wstring ToWide(std::string_view text1252);
// Nothing when the text holds a character that Windows-1252 cannot hold.
std::optional<std::string> FromWide(std::wstring_view text);

}  // namespace veldaris
