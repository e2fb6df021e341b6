// The files of the gazetteer that veldaris-ort and the window of the family tree read: the
// data file, the coordinates beside it, and the places of the old monarchy.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "places/coordinates.h"
#include "places/map.h"
#include "places/monarchy.h"
#include "places/resolver.h"

namespace veldaris::places {

// Where the data of the gazetteer and the files beside it come from, as their licences ask it
// to be said (UTF-8, German, lines of at most 90 characters).
constexpr const char* kDataCredits =
    "Ortsdaten: (c) GeoNames (www.geonames.org), CC BY 4.0; Gemeindestatus: Statistik Austria,\n"
    "CC BY 4.0; deutsche Namen der Orte der Monarchie: Adrien Barbaresi, toponyms registers,\n"
    "CC BY-SA 4.0; Ortsteile, Punkte und Dörfer der Monarchie: Data from Who's On First\n"
    "(whosonfirst.org/docs/licenses); Grenzen: Flooh Perlot, CC BY 4.0, nach Statistik Austria;\n"
    "Kronländer 1910: HistoGIS (ACDH-CH, ÖAW), CC BY 4.0.";

// The installed gazetteer, where it may be: in share/ on Linux, the build's, beside the
// program on Windows.
std::vector<std::filesystem::path> InstalledDataFiles();
// The user's working copy (${XDG_DATA_HOME:-~/.local/share}/veldaris/orte-7sp.ort) where
// there is one, else the installed gazetteer.
std::filesystem::path DefaultDataFile();

// The coordinates beside the data file, none where there is no such file; the places of the
// old monarchy, the parts of cities and the names of places elsewhere beside it, or else beside
// the installed gazetteer (a user's own data file has none beside it). A line of any that cannot
// be read goes to `warnings` (UTF-8) and is left out.
CoordinatesIndex LoadCoordinates(const std::filesystem::path& dataFile, std::vector<std::string>& warnings);
MonarchyIndex LoadMonarchy(const std::filesystem::path& dataFile, std::vector<std::string>& warnings);
std::vector<CityPart> LoadCityParts(const std::filesystem::path& dataFile, std::vector<std::string>& warnings);
WorldNames LoadWorldNames(const std::filesystem::path& dataFile, std::vector<std::string>& warnings);
// The map beside the data file, or beside the installed gazetteer; nothing where there is none
// or it cannot be read (then with a warning).
std::optional<MapData> LoadMap(const std::filesystem::path& dataFile, std::vector<std::string>& warnings);
// The gazetteer of a data file with all of them.
Gazetteer LoadGazetteer(const std::filesystem::path& dataFile, std::vector<std::string>& warnings);

}  // namespace veldaris::places
