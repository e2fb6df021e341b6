// The coordinates of the places of a data file, in a file of their own beside it
// (orte-7sp.ort: orte-7sp.koordinaten), so that the data file keeps its seven items. The
// importer writes it; veldaris-ort reads it. Plain text in Windows-1252, CR LF, lines
// beginning with "#" are comments; one line per record, its place, municipality, district,
// state short form and postcode, then latitude and longitude in decimal degrees (WGS 84),
// separated by tabs. A record that the file does not name (one appended by the user) has no
// coordinates, and that is no error.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/place_record.h"

namespace veldaris::places {

struct Coordinates {
  std::string latitude;   // decimal degrees as written, north positive: "47.6405"
  std::string longitude;  // east positive: "13.9055"
  bool operator==(const Coordinates&) const = default;
};

// The file of coordinates beside a data file.
std::filesystem::path CoordinatesFileOf(const std::filesystem::path& dataFile);

// The line of a record, CR LF included.
std::string FormatCoordinatesLine(const PlaceRecord& record, const Coordinates& coordinates);

// The coordinates by record, read from the file's bytes. Lines that are no such line are
// left out and their numbers go to `bad`.
class CoordinatesIndex {
 public:
  CoordinatesIndex() = default;
  CoordinatesIndex(std::string_view bytes, std::vector<std::size_t>& bad);
  const Coordinates* Find(const PlaceRecordView& record) const;
  std::size_t size() const { return byRecord_.size(); }

 private:
  std::unordered_map<std::string, Coordinates> byRecord_;
};

// Decimal degrees as written ("47.6405"); nothing when the text is no number or beyond the
// limit (90 for a latitude, 180 for a longitude).
std::optional<double> DegreesOf(std::string_view text, double limit);

// The coordinates in GEDCOM's form, four decimals and the hemisphere first: "N47.6405",
// "E13.9055"; nothing when a number cannot be read.
std::optional<std::string> GedcomLatitude(std::string_view degrees);
std::optional<std::string> GedcomLongitude(std::string_view degrees);

}  // namespace veldaris::places
