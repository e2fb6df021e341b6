// The files of the working folder, by their bare names (Windows-1252).
#pragma once

#include <string_view>

namespace veldaris {

inline constexpr std::string_view kDataFile = "orte-7sp.ort";
inline constexpr std::string_view kResultFile = "ergebdat.txt";
inline constexpr std::string_view kResultCsvFile = "ergeb.csv";
inline constexpr std::string_view kConvertedFile = "OrtsList.csv";
inline constexpr std::string_view kCheckFile = "orte-pr\xFC" "f.ort";
inline constexpr std::string_view kConverterProgram = "wandlix-34";
// Held while a program works in the folder.
inline constexpr std::string_view kLockFile = "veldaris.lck";

}  // namespace veldaris
