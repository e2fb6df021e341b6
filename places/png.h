// A picture as a PNG file: 8-bit RGB, without compression (deflate's stored blocks), so that
// every window layer writes the same file from the pixels it drew, without a library.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace veldaris::places {

// `rgb`: width × height pixels, row by row from the top, three bytes each.
std::string EncodePng(int width, int height, std::span<const std::uint8_t> rgb);

}  // namespace veldaris::places
