#include "places/data_files.h"

#include <cstdlib>

#include "core/file_names.h"
#include "core/input_file.h"
#include "core/os.h"
#include "core/record_reader.h"
#include "core/text1252.h"

namespace veldaris::places {
namespace {

std::string Shown(const std::filesystem::path& path) { return Windows1252ToUtf8(os::PathTo1252(path)); }

}  // namespace

std::vector<std::filesystem::path> InstalledDataFiles() {
  const auto folder = os::ProgramFolder();
  return {folder.parent_path() / "share" / "veldaris" / kDataFile,
          folder.parent_path() / "data" / kDataFile,  // in the build tree
          folder / kDataFile};                        // the Windows program folder
}

std::filesystem::path DefaultDataFile() {
  std::vector<std::filesystem::path> candidates;
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  if (dataHome && dataHome[0] == '/')
    candidates.push_back(std::filesystem::path(dataHome) / "veldaris" / kDataFile);
  else if (home && *home)
    candidates.push_back(std::filesystem::path(home) / ".local/share/veldaris" / kDataFile);
  for (const auto& path : InstalledDataFiles()) candidates.push_back(path);
  std::error_code ec;
  for (const auto& path : candidates)
    if (std::filesystem::exists(path, ec)) return path;
  return candidates.back();
}

CoordinatesIndex LoadCoordinates(const std::filesystem::path& dataFile, std::vector<std::string>& warnings) {
  const std::filesystem::path path = CoordinatesFileOf(dataFile);
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return {};
  std::vector<std::size_t> bad;
  CoordinatesIndex index(ReadWholeFile(path, os::PathTo1252(path)), bad);
  for (std::size_t line : bad)
    warnings.push_back(Shown(path) + ":" + std::to_string(line) + ": keine Zeile mit Koordinaten (übergangen)");
  return index;
}

namespace {

// A file of the gazetteer beside the data file, or else beside the installed one, read by
// `read` (its bytes, the file's name as shown, the warnings); what it gives, or an empty one
// where there is none.
template <typename Index, typename Read>
Index LoadBeside(const std::filesystem::path& dataFile, std::filesystem::path (*fileOf)(const std::filesystem::path&),
                 std::vector<std::string>& warnings, Read read) {
  std::vector<std::filesystem::path> candidates{fileOf(dataFile)};
  for (const auto& installed : InstalledDataFiles()) candidates.push_back(fileOf(installed));
  std::error_code ec;
  for (const auto& path : candidates)
    if (std::filesystem::exists(path, ec)) return read(ReadWholeFile(path, os::PathTo1252(path)), Shown(path), warnings);
  return {};
}

// A reader of lines: each line it cannot take is named and passed over.
template <typename Index, typename Read>
auto ByLines(const char* what, Read read) {
  return [what, read](std::string bytes, const std::string& shown, std::vector<std::string>& warnings) {
    std::vector<std::size_t> bad;
    Index index = read(std::move(bytes), bad);
    for (std::size_t line : bad)
      warnings.push_back(shown + ":" + std::to_string(line) + ": keine Zeile " + what + " (übergangen)");
    return index;
  };
}

}  // namespace

MonarchyIndex LoadMonarchy(const std::filesystem::path& dataFile, std::vector<std::string>& warnings) {
  return LoadBeside<MonarchyIndex>(dataFile, MonarchyFileOf, warnings,
                                   [](std::string bytes, const std::string& shown, std::vector<std::string>& found) {
                                     std::string error;
                                     MonarchyIndex index(std::move(bytes), error);
                                     if (!error.empty())
                                       found.push_back(shown + ": " + error + "; die Orte der Monarchie fehlen");
                                     return index;
                                   });
}

std::vector<CityPart> LoadCityParts(const std::filesystem::path& dataFile, std::vector<std::string>& warnings) {
  return LoadBeside<std::vector<CityPart>>(
      dataFile, CityPartsFileOf, warnings,
      ByLines<std::vector<CityPart>>("der Ortsteile", [](std::string bytes, std::vector<std::size_t>& bad) {
        return ReadCityParts(bytes, bad);
      }));
}

WorldNames LoadWorldNames(const std::filesystem::path& dataFile, std::vector<std::string>& warnings) {
  return LoadBeside<WorldNames>(dataFile, WorldNamesFileOf, warnings,
                                ByLines<WorldNames>("der Orte anderswo", [](std::string bytes, std::vector<std::size_t>& bad) {
                                  return WorldNames(std::move(bytes), bad);
                                }));
}

std::optional<MapData> LoadMap(const std::filesystem::path& dataFile, std::vector<std::string>& warnings) {
  return LoadBeside<std::optional<MapData>>(dataFile, MapFileOf, warnings,
                                            [](std::string bytes, const std::string& shown, std::vector<std::string>& found) {
                                              std::string error;
                                              auto map = MapData::Parse(bytes, error);
                                              if (!map) found.push_back(shown + ": " + error + "; die Karte fehlt");
                                              return map;
                                            });
}

Gazetteer LoadGazetteer(const std::filesystem::path& dataFile, std::vector<std::string>& warnings) {
  RecordReader in(dataFile, os::PathTo1252(dataFile));
  return Gazetteer(in, GazetteerFiles{LoadCoordinates(dataFile, warnings), LoadMonarchy(dataFile, warnings),
                                      LoadCityParts(dataFile, warnings), LoadWorldNames(dataFile, warnings)});
}

}  // namespace veldaris::places
