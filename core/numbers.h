// Numbers as text, in the one form that no user's locale changes: a point before the
// decimals, no grouping. Whatever the program writes to a file or reads back, and what the
// tools print, goes through these; Qt sets the C library's LC_NUMERIC from the user's
// desktop, and printf's "%f" and strtod would then write and read "48,25".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veldaris {

// A number with that many decimals, rounded to the nearest: Fixed(48.25, 4) is "48.2500".
std::string Fixed(double value, int decimals);
// The same, right-aligned in a field of that many characters.
std::string Fixed(double value, int decimals, int width);
// A number written with a point, an optional minus and exponent, the whole text; nothing
// for anything else.
std::optional<double> ParseNumber(std::string_view text);

}  // namespace veldaris
