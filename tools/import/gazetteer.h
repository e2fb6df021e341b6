// The gazetteer of the program, made from two open-data lists: GeoNames' postal codes of
// Austria (places, municipalities, districts, states, postcodes) and Statistik Austria's list
// of municipalities (which of them are towns or market towns).
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/place_record.h"
#include "core/text_lines.h"
#include "places/coordinates.h"

namespace veldaris::import {

using places::Coordinates;

// Input the importer cannot take, with the file and the line where it stands.
class InputError : public std::runtime_error {
 public:
  InputError(const std::string& file, std::size_t line, const std::string& what)
      : std::runtime_error(file + (line ? ":" + std::to_string(line) : "") + ": " + what) {}
};

// The lines of an open-data text file, numbered from 1: a byte order mark at its start passed
// over, empty lines left out, a line that is no UTF-8 an InputError.
class Utf8Lines {
 public:
  Utf8Lines(std::string_view bytes, const std::string& file)
      : lines_(bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes), file_(file) {}
  bool Next(std::string_view& line);
  std::size_t number() const { return lines_.number(); }

 private:
  TextLines lines_;
  const std::string& file_;
};

// One row of the postal-code list; texts in UTF-8, as in the file.
struct PostalCodeRow {
  std::string postcode, place, stateCode, district, municipality, municipalityCode;
  std::size_t line = 0;
  Coordinates coordinates;  // as in the file; empty where it has none
};

// One municipality of Statistik Austria's list.
struct Municipality {
  std::string code, name, status;
};

// GeoNames' postal codes: either the CSV with its header line (country_code,zipcode,place,…)
// or GeoNames' own tab-separated dump (AT.txt, no header, the same columns in the same order).
// Texts may be UTF-8 (with or without byte order mark) or, where a file is no UTF-8,
// Windows-1252.
std::vector<PostalCodeRow> ReadPostalCodes(std::string_view bytes, const std::string& file);

// Statistik Austria's "Gemeindeliste sortiert nach Gemeindekennziffer", separated by
// semicolons; title lines before its header and notes after its last row are passed over.
std::vector<Municipality> ReadMunicipalities(std::string_view bytes, const std::string& file);

// What the importer did, for its report.
struct Report {
  struct Counted {
    std::string name;  // UTF-8
    std::string code;
    std::size_t records = 0;
  };
  std::size_t rows = 0;
  std::size_t records = 0;
  std::array<std::size_t, 9> perState{};  // in the order of the data file's states
  std::size_t duplicates = 0;
  std::size_t transliterated = 0;         // characters outside Windows-1252, written plainer
  std::vector<std::string> transliterations;  // "Ő -> O"
  std::size_t quotesOrBreaksReplaced = 0;
  std::vector<Counted> statusByName;      // municipalities whose status came by their name
  std::vector<Counted> withoutStatus;     // municipalities missing from the list
};

// The state short forms in the order of the data file, the order of Report::perState.
const std::array<std::string_view, 9>& StateOrder();

// The records of the data file, in its order: by state, then district, municipality, place
// and postcode, names compared as DIN 5007-1 does (letter case aside, ä ö ü as a o u, ß as
// ss, other accented letters as their base letter), ties broken by the exact text and then
// by the municipality kind. Texts are Windows-1252.
// `coordinates` and `municipalityCodes`, where given, receive each record's coordinates and
// Gemeindekennziffer (Vienna's: 90001), in the same order.
std::vector<PlaceRecord> BuildGazetteer(const std::vector<PostalCodeRow>& rows,
                                        const std::vector<Municipality>& municipalities,
                                        Report& report, std::vector<Coordinates>* coordinates = nullptr,
                                        std::vector<std::string>* municipalityCodes = nullptr);

}  // namespace veldaris::import
