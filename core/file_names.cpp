#include "core/file_names.h"

#include "core/errors.h"
#include "core/os.h"
#include "core/text1252.h"

namespace veldaris {

std::filesystem::path PathOf(const std::filesystem::path& folder, std::string_view name1252) {
  return folder / os::PathFrom1252(name1252);
}

std::filesystem::path PathFromText(std::string_view text1252) { return os::PathFrom1252(text1252); }

std::string TextOfPath(const std::filesystem::path& path) { return os::PathTo1252(path); }

std::string_view PathSeparator() { return os::PathSeparator(); }

SystemError InvalidFileNameError(const std::string& name) {
  return SystemError(os::ErrorOf(os::Condition::kInvalidName, name).Number(), Cp1252("Ungültiger Dateiname"), name);
}

}  // namespace veldaris
