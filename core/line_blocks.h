// Record lines in the form the program writes them, found in whole buffers at a time: 64
// bytes per step, with vector masks for the quotes, commas and line ends (AVX2 where the
// processor has it, SSE2 otherwise). The search and the result list read most of a data
// file this way; whatever is not in the written form is left to the general reader.
#pragma once

#include <cstddef>
#include <cstdint>

namespace veldaris {

// A line in the written form: seven items, each quoted or absent, separated by commas, no
// blank outside the quotes, CR LF at the end, and so byte for byte what WritePlaceRecord
// writes for its record.
struct LineInfo {
  std::uint32_t start;    // offset of the line in the scanned bytes
  std::uint32_t end[8];   // offset, from the line's start, of the comma after each item;
                          // for the last item, of the CR; end[7] is the scan's own
};

// Describes the lines in the written form from `begin` on, up to `max` lines, each ending
// (LF included) before `end`. Stops before the first line that is not in the written form,
// or that does not end before `end`. Returns the number of lines described; *consumed gets
// the bytes they take. At least 64 readable bytes must follow `end`.
std::size_t ScanLineBlocks(const char* begin, const char* end, LineInfo* lines, std::size_t max,
                           std::size_t* consumed);

// The same with the portable masks only, whatever the processor: for the tests, which hold
// the two against each other.
std::size_t ScanLineBlocksPortable(const char* begin, const char* end, LineInfo* lines,
                                   std::size_t max, std::size_t* consumed);

}  // namespace veldaris
