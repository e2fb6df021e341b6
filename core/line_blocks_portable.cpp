// The block scan with the instructions every processor of its kind has: SSE2 on x86-64,
// plain bytes elsewhere.
#define VELDARIS_SCAN_NAME ScanLineBlocksPortable
#include "core/line_blocks_impl.h"
