// The files of the working folder, by their bare names (Windows-1252), and the paths that
// names and folders make.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace veldaris {

class SystemError;

inline constexpr std::string_view kDataFile = "orte-7sp.ort";
inline constexpr std::string_view kResultFile = "ergebdat.txt";
inline constexpr std::string_view kResultCsvFile = "ergeb.csv";
inline constexpr std::string_view kConvertedFile = "OrtsList.csv";
inline constexpr std::string_view kCheckFile = "orte-pr\xFC" "f.ort";
inline constexpr std::string_view kConverterProgram = "wandlix-34";
// Held while a program works in the folder.
inline constexpr std::string_view kLockFile = "veldaris.lck";

// The file-system path of a Windows-1252 file name in a folder.
std::filesystem::path PathOf(const std::filesystem::path& folder, std::string_view name1252);
// A path written as Windows-1252 text, and back.
std::filesystem::path PathFromText(std::string_view text1252);
std::string TextOfPath(const std::filesystem::path& path);
// What stands between a folder and a name in a path: "\" or "/".
std::string_view PathSeparator();
// The failure of a name that the file system does not take.
SystemError InvalidFileNameError(const std::string& name);

}  // namespace veldaris
