#include "core/numbers.h"

#include <charconv>
#include <system_error>

namespace veldaris {

std::string Fixed(double value, int decimals) {
  char text[64];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  return error == std::errc() ? std::string(text, end) : std::string();
}

std::string Fixed(double value, int decimals, int width) {
  std::string text = Fixed(value, decimals);
  if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  return text;
}

std::optional<double> ParseNumber(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

}  // namespace veldaris
