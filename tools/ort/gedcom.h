// The places of a GEDCOM file (5.5.1 and 7.0): every distinct PLAC value with the number of
// records that use it. The file is only read.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace veldaris::ort {

struct PlaceUse {
  std::string value;     // UTF-8, its CONC and CONT lines joined
  std::size_t uses = 0;  // the records (INDI, FAM, ...) that name it
};

// At most one per line.
struct GedcomProblem {
  std::size_t line;
  std::string what;
  bool passedOver = true;  // false: the line was read all the same (as Windows-1252)
};

// The places of the file, in the order of their first use. The character set: UTF-8 with or
// without its byte order mark, UTF-16 with one, Windows-1252 where the header says ANSI (or
// names no set and the file is no UTF-8); ANSEL only as far as it is ASCII. A line that is
// no GEDCOM line is reported in problems, with its number, and passed over; a line of a UTF-8
// file that is no UTF-8 is reported and read as Windows-1252.
std::vector<PlaceUse> ReadGedcomPlaces(std::string_view bytes, std::vector<GedcomProblem>& problems);

// A place value in Windows-1252 for the lookup; a character it cannot hold becomes "?".
std::string PlaceIn1252(std::string_view utf8);

}  // namespace veldaris::ort
