#include "core/line_scan.h"

#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace veldaris {
namespace {

// One bit per byte of the line, for its first 64 bytes (word 0) and the next 64 (word 1).
struct Masks {
  std::uint64_t quote[2] = {0, 0};
  std::uint64_t comma[2] = {0, 0};
  std::uint64_t cr[2] = {0, 0};
  std::uint64_t lf[2] = {0, 0};
};

// The masks of the 64 bytes from p into word w.
inline void Load64(const char* p, int w, Masks& m) {
#if defined(__SSE2__)
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i comma = _mm_set1_epi8(',');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  const auto bits = [](__m128i v, __m128i c) {
    return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, c))));
  };
  std::uint64_t q = 0, c = 0, r = 0, l = 0;
  for (int k = 0; k < 4; ++k) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    q |= bits(v, quote) << (16 * k);
    c |= bits(v, comma) << (16 * k);
    r |= bits(v, cr) << (16 * k);
    l |= bits(v, lf) << (16 * k);
  }
#else
  std::uint64_t q = 0, c = 0, r = 0, l = 0;
  for (int k = 0; k < 64; ++k) {
    const std::uint64_t bit = std::uint64_t{1} << k;
    q |= p[k] == '"' ? bit : 0;
    c |= p[k] == ',' ? bit : 0;
    r |= p[k] == '\r' ? bit : 0;
    l |= p[k] == '\n' ? bit : 0;
  }
#endif
  m.quote[w] = q;
  m.comma[w] = c;
  m.cr[w] = r;
  m.lf[w] = l;
}

// Bit i is the parity of the set bits 0 to i: set from an opening quote up to, not
// including, its closing quote.
inline std::uint64_t PrefixXor(std::uint64_t x) {
  x ^= x << 1;
  x ^= x << 2;
  x ^= x << 4;
  x ^= x << 8;
  x ^= x << 16;
  x ^= x << 32;
  return x;
}

inline std::uint64_t Bit(int i) { return std::uint64_t{1} << i; }
inline std::uint64_t Below(int i) { return i >= 64 ? ~std::uint64_t{0} : Bit(i) - 1; }
// The bit of byte `at` in the word that starts at byte `from`, or none.
inline std::uint64_t BitIn(int at, int from) { return at >= from && at < from + 64 ? Bit(at - from) : 0; }

// The checks and the items of a line of `words` words whose line feed stands at lf.
std::size_t Check(const char* p, const Masks& m, int words, int lf, PlaceRecordView& view) {
  std::uint64_t separators[2] = {0, 0};
  std::uint64_t inside[2] = {0, 0};
  for (int w = 0; w < words; ++w) {
    const int from = 64 * w;
    const std::uint64_t all = Below(lf + 1 - from);
    const std::uint64_t quote = m.quote[w] & all;
    const std::uint64_t cr = m.cr[w] & all;
    // CR LF at the end and nowhere else.
    const std::uint64_t crAt = BitIn(lf - 1, from);
    if (cr != crAt) return 0;
    const std::uint64_t lfAt = BitIn(lf, from);
    inside[w] = PrefixXor(quote) ^ (w == 1 && (std::popcount(m.quote[0]) & 1) ? ~std::uint64_t{0} : 0);
    const std::uint64_t outside = all & ~inside[w] & ~quote;
    // Outside the quotes nothing but the commas and the line end: no blank, no unquoted text.
    if ((outside & ~m.comma[w]) != (crAt | lfAt)) return 0;
    separators[w] = m.comma[w] & outside;
  }
  if ((inside[(lf) / 64] >> (lf % 64)) & 1) return 0;  // a quote left open
  // Every quoted text stands alone between its separators: an opening quote at the start or
  // after a separator, a closing one before a separator or the CR.
  for (int w = 0; w < words; ++w) {
    const int from = 64 * w;
    const std::uint64_t quote = m.quote[w] & Below(lf + 1 - from);
    const std::uint64_t before = (separators[w] << 1) | (w == 0 ? 1 : separators[0] >> 63);
    const std::uint64_t after = ((separators[w] | BitIn(lf - 1, from)) >> 1) |
                                (w == 0 && words == 2 ? (separators[1] | BitIn(lf - 1, 64)) << 63 : 0);
    if (quote & inside[w] & ~before) return 0;
    if (quote & ~inside[w] & ~after) return 0;
  }
  int start = 0;
  for (std::size_t k = 0; k < view.items.size(); ++k) {
    int stop = lf - 1;
    if (k + 1 < view.items.size()) {
      const int w = separators[0] ? 0 : 1;
      if (!separators[w]) return 0;  // fewer than six separators
      stop = 64 * w + std::countr_zero(separators[w]);
      separators[w] &= separators[w] - 1;
    } else if (separators[0] | separators[1]) {
      return 0;  // more than six
    }
    if (stop == start)
      view.items[k].reset();
    else
      view.items[k].emplace(p + start + 1, static_cast<std::size_t>(stop - start - 2));
    start = stop + 1;
  }
  return static_cast<std::size_t>(lf) + 1;
}

}  // namespace

std::size_t ScanWrittenLine(const char* p, std::size_t available, PlaceRecordView& view) {
  Masks m;
  Load64(p, 0, m);
  int words = 1;
  int lf = 0;
  if (m.lf[0]) {
    lf = std::countr_zero(m.lf[0]);
  } else {
    if (available <= 64) return 0;
    Load64(p + 64, 1, m);
    if (!m.lf[1]) return 0;  // longer than the scan takes
    words = 2;
    lf = 64 + std::countr_zero(m.lf[1]);
  }
  if (static_cast<std::size_t>(lf) >= available || lf < 1) return 0;
  return Check(p, m, words, lf, view);
}

}  // namespace veldaris
