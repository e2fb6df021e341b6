// The block scan of core/line_blocks.h, compiled once per instruction set: included by
// line_blocks_portable.cpp (SSE2 on x86-64, bytes elsewhere) and line_blocks_avx2.cpp (built
// with AVX2 and PCLMUL). Everything here has internal linkage and uses no template of the
// standard library, so no code of one instruction set can stand in for the other's.
//
// Before including: VELDARIS_SCAN_NAME, the name of the function to define.
#include <cstddef>
#include <cstdint>

#include "core/line_blocks.h"

#if defined(__AVX2__)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__PCLMUL__)
#include <wmmintrin.h>
#endif

namespace veldaris {
namespace {

struct BlockMasks {
  std::uint64_t quote, comma, cr, lf;
};

// One bit per byte of the 64 bytes from p.
inline BlockMasks MasksAt(const char* p) {
  BlockMasks m{};
#if defined(__AVX2__)
  const __m256i lo = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
  const __m256i hi = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
  const auto bits = [&](char c) {
    const __m256i v = _mm256_set1_epi8(c);
    const auto l = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(lo, v)));
    const auto h = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(hi, v)));
    return static_cast<std::uint64_t>(l) | (static_cast<std::uint64_t>(h) << 32);
  };
  m.quote = bits('"');
  m.comma = bits(',');
  m.cr = bits('\r');
  m.lf = bits('\n');
#elif defined(__SSE2__)
  for (int k = 0; k < 4; ++k) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    const auto bits = [&](char c) {
      return static_cast<std::uint64_t>(static_cast<std::uint32_t>(
                 _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(c)))))
             << (16 * k);
    };
    m.quote |= bits('"');
    m.comma |= bits(',');
    m.cr |= bits('\r');
    m.lf |= bits('\n');
  }
#else
  for (int k = 0; k < 64; ++k) {
    const std::uint64_t bit = std::uint64_t{1} << k;
    m.quote |= p[k] == '"' ? bit : 0;
    m.comma |= p[k] == ',' ? bit : 0;
    m.cr |= p[k] == '\r' ? bit : 0;
    m.lf |= p[k] == '\n' ? bit : 0;
  }
#endif
  return m;
}

// Bit i: the parity of the bits 0 to i, that is, set from an opening quote up to (not
// including) its closing one.
inline std::uint64_t PrefixXor(std::uint64_t x) {
#if defined(__PCLMUL__)
  const __m128i product = _mm_clmulepi64_si128(_mm_set_epi64x(0, static_cast<long long>(x)),
                                               _mm_set1_epi8(static_cast<char>(0xFF)), 0);
  return static_cast<std::uint64_t>(_mm_cvtsi128_si64(product));
#else
  x ^= x << 1;
  x ^= x << 2;
  x ^= x << 4;
  x ^= x << 8;
  x ^= x << 16;
  x ^= x << 32;
  return x;
#endif
}

inline int Lowest(std::uint64_t x) { return __builtin_ctzll(x); }

}  // namespace

std::size_t VELDARIS_SCAN_NAME(const char* begin, const char* end, LineInfo* lines, std::size_t max,
                               std::size_t* consumed) {
  const auto n = static_cast<std::size_t>(end - begin);
  std::size_t count = 0;
  std::size_t lineStart = 0;
  int separators = 0;
  // Written in place, straight into the next entry: it counts once its line has ended well.
  LineInfo* current = lines;
  std::uint64_t insideCarry = 0;  // all ones when the bytes so far leave a quote open
  std::uint64_t crCarry = 0;      // a CR as the last byte so far
  std::uint64_t startCarry = 1;   // the next byte begins an item: the start, or after a separator
  BlockMasks next = MasksAt(begin);
  for (std::size_t b = 0; b < n; b += 64) {
    const BlockMasks m = next;
    const std::size_t left = n - b;
    if (left > 64) next = MasksAt(begin + b + 64);
    const std::uint64_t valid = left >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << left) - 1;
    const std::uint64_t quote = m.quote & valid;
    const std::uint64_t comma = m.comma & valid;
    const std::uint64_t cr = m.cr & valid;
    const std::uint64_t lf = m.lf & valid;
    const std::uint64_t inside = PrefixXor(quote) ^ insideCarry;
    const std::uint64_t outside = valid & ~inside & ~quote;
    const std::uint64_t separator = comma & outside;
    // Outside the quotes only commas and line ends (no blank, no unquoted text); no line
    // break inside them; every CR followed by a LF and every LF after a CR.
    std::uint64_t bad = (outside & ~(comma | cr | lf)) | (inside & ~quote & (cr | lf));
    bad |= ((cr << 1) | crCarry) ^ lf;
    // A quoted text stands alone between its separators: an opening quote where an item
    // begins, a closing one right before a separator or the CR.
    bad |= quote & inside & ~(((separator | lf) << 1) | startCarry);
    std::uint64_t nextBegins = 0;
    if (left > 64) {
      const std::uint64_t q = next.quote & 1;
      const std::uint64_t insideNext = (q ^ (inside >> 63)) & 1;
      nextBegins = (((next.comma & 1) & ~insideNext & ~q) | (next.cr & 1)) & 1;
    }
    bad |= quote & ~inside & ~(((separator | cr) >> 1) | (nextBegins << 63));
    bad &= valid;
    insideCarry = (inside >> 63) ? ~std::uint64_t{0} : 0;
    crCarry = cr >> 63;
    startCarry = (separator | lf) >> 63;

    // The lines that end in this block, up to the first fault.
    std::uint64_t marks = (separator | lf) & (bad ? (std::uint64_t{1} << Lowest(bad)) - 1 : ~std::uint64_t{0});
    // Every mark is stored as it comes, a separator as itself and the line feed as the CR
    // before it; only the end of a line branches. A line with more than six separators
    // overruns into the scan's own entry and fails at its end.
    while (marks) {
      const int bit = Lowest(marks);
      marks &= marks - 1;
      const std::size_t at = b + static_cast<std::size_t>(bit);
      const auto isLf = static_cast<std::size_t>((lf >> bit) & 1);
      current->end[separators & 7] = static_cast<std::uint32_t>(at - isLf - lineStart);
      ++separators;
      if (isLf) {
        if (separators != 7) {
          *consumed = lineStart;
          return count;
        }
        current->start = static_cast<std::uint32_t>(lineStart);
        current = lines + ++count;
        lineStart = at + 1;
        separators = 0;
        if (count == max) {
          *consumed = lineStart;
          return count;
        }
      }
    }
    if (bad) break;
  }
  *consumed = lineStart;
  return count;
}

}  // namespace veldaris
