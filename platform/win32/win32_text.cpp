#include "platform/win32/win32_text.h"

#include "core/text1252.h"

namespace veldaris {

std::wstring ToWide(std::string_view text1252) {
  std::wstring wide;
  wide.reserve(text1252.size());
  for (char c : text1252)
    wide.push_back(static_cast<wchar_t>(Windows1252ToUnicode(static_cast<unsigned char>(c))));
  return wide;
}

std::optional<std::string> FromWide(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    const auto byte = UnicodeToWindows1252(static_cast<char32_t>(c));  // a surrogate never maps
    if (!byte) return std::nullopt;
    out.push_back(static_cast<char>(*byte));
  }
  return out;
}

}  // namespace veldaris
