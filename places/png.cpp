#include "places/png.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace veldaris::places {
namespace {

std::uint32_t Crc(std::string_view bytes, std::uint32_t crc = 0) {
  static const auto table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (char b : bytes) crc = table[(crc ^ static_cast<unsigned char>(b)) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void Big32(std::string& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

void Chunk(std::string& out, const char* type, const std::string& data) {
  Big32(out, static_cast<std::uint32_t>(data.size()));
  const std::string typed = std::string(type, 4) + data;
  out += typed;
  Big32(out, Crc(typed));
}

}  // namespace

std::string EncodePng(int width, int height, std::span<const std::uint8_t> rgb) {
  if (width <= 0 || height <= 0 || rgb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3)
    throw std::invalid_argument("EncodePng: the pixels do not fill the picture");
  std::string header;
  Big32(header, static_cast<std::uint32_t>(width));
  Big32(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter method, no interlace
  // Each row after its filter byte (none), in stored blocks of at most 65,535 bytes.
  const std::size_t row = static_cast<std::size_t>(width) * 3;
  std::string raw;
  raw.reserve((row + 1) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    raw.push_back('\0');
    raw.append(reinterpret_cast<const char*>(rgb.data()) + static_cast<std::size_t>(y) * row, row);
  }
  std::string z = "\x78\x01";
  for (std::size_t at = 0; at < raw.size() || at == 0;) {
    const std::size_t size = std::min<std::size_t>(65535, raw.size() - at);
    const bool last = at + size == raw.size();
    z.push_back(last ? '\x01' : '\x00');
    z.push_back(static_cast<char>(size & 0xFF));
    z.push_back(static_cast<char>(size >> 8));
    z.push_back(static_cast<char>(~size & 0xFF));
    z.push_back(static_cast<char>((~size >> 8) & 0xFF));
    z.append(raw, at, size);
    at += size;
    if (last) break;
  }
  std::uint32_t a = 1, b = 0;  // Adler-32 of the raw rows
  for (char c : raw) {
    a = (a + static_cast<unsigned char>(c)) % 65521;
    b = (b + a) % 65521;
  }
  Big32(z, (b << 16) | a);
  std::string png = "\x89PNG\r\n\x1a\n";
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", z);
  Chunk(png, "IEND", "");
  return png;
}

}  // namespace veldaris::places
