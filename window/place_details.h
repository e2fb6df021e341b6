// The details of a picked place, its place string, and the copy to the clipboard.
#pragma once

#include <string>
#include <string_view>

#include "place_record.h"

namespace veldaris {

class Window;

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

// Reads records 0 to n of the result file into CurrentRecord.
void ReadResultRecord(Window& w, int n);

// Shows CurrentRecord in the detail fields, the municipality caption and Text16.
void ShowCurrentRecord(Window& w);

// The pick of row n of List1 (from 0).
void ShowPlaceDetails(Window& w, int n);

// Puts Text16's text on the clipboard and selects it.
void CopyPlaceString(Window& w);

}  // namespace veldaris
