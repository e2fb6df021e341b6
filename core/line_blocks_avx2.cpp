// The block scan with AVX2 and PCLMUL; this file is compiled with those instructions and is
// called only where the processor has them.
#define VELDARIS_SCAN_NAME ScanLineBlocksAvx2
#include "core/line_blocks_impl.h"
