#include "core/line_blocks.h"

namespace veldaris {

#if defined(VELDARIS_HAVE_AVX2_SCAN)
std::size_t ScanLineBlocksAvx2(const char* begin, const char* end, LineInfo* lines, std::size_t max,
                               std::size_t* consumed);
#endif

namespace {

using Scan = std::size_t (*)(const char*, const char*, LineInfo*, std::size_t, std::size_t*);

Scan Choose() {
#if defined(VELDARIS_HAVE_AVX2_SCAN)
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("pclmul")) return ScanLineBlocksAvx2;
#endif
  return ScanLineBlocksPortable;
}

}  // namespace

std::size_t ScanLineBlocks(const char* begin, const char* end, LineInfo* lines, std::size_t max,
                           std::size_t* consumed) {
  static const Scan scan = Choose();
  return scan(begin, end, lines, max, consumed);
}

}  // namespace veldaris
