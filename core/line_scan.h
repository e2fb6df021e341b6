// The record line in the form the program writes it, recognised in one pass with vector
// masks: seven items, each quoted or absent, separated by commas, no blank outside the
// quotes, CR LF at the end. Such a line is byte for byte what WritePlaceRecord writes for its
// record, so it can be copied as it stands.
#pragma once

#include <cstddef>

#include "core/place_record.h"

namespace veldaris {

// How many bytes a written record line may have for the one-pass scan; longer ones go the
// general way.
inline constexpr std::size_t kScannedLineMax = 128;

// The length of the line at p (its CR LF included) when it is a record line in the written
// form and ends within `available` bytes; its items then go to view. 0 otherwise. At least
// kScannedLineMax bytes must be readable from p, whatever `available` is.
std::size_t ScanWrittenLine(const char* p, std::size_t available, PlaceRecordView& view);

}  // namespace veldaris
