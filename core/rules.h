// The pure rules of the window: the place string, the caption of the municipality row, the
// name of the Desktop file, the count text's numbers. Texts are Windows-1252.
#pragma once

#include <string>
#include <string_view>

#include "core/place_record.h"

namespace veldaris {

// Writes out ä ö ü ß Ä Ö Ü in plain letters, in seven passes in that order. A capital umlaut
// becomes two capitals before a character whose code is below 97 (capitals, digits, blank,
// punctuation, and the six characters from [ to `) or at the end of the text, and a capital
// and a small letter before any other character.
std::string ReplaceUmlauts(std::string_view text);

// Place, district, state name and country, joined by ", ", umlauts written out.
std::string BuildPlaceString(const PlaceRecord& record, const std::string& stateName);

// Caption of the municipality row for a municipality kind: "Markt" for m or M, "Stadt" for
// s or S, otherwise "Gemeinde". Data files differ in the letter case they use.
std::string MunicipalityLabel(const std::string& kind);

// "ort-" + the first four characters of the search text (filled with blanks) + ".csv".
std::string ExportFileName(const std::string& searchText);

// Whether a name can stand for a file in the Desktop folder: no separator, no control
// character, no byte that Windows-1252 leaves without a character, none of the characters
// the system forbids in file names.
bool IsSafeFileName(const std::string& name);

// " 12": a number with the place of its sign, as the count text shows it.
std::string NumberWithSignPlace(long n);

}  // namespace veldaris
