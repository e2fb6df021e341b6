// The check of a family tree's places, as veldaris-ort --gedcom and the window of the tree
// make it: each distinct value looked up once, the report, and the corrected copy, with the
// candidates the user chose taken like unique places.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "places/gedcom.h"
#include "places/resolver.h"

namespace veldaris::places {

// A distinct place value of the tree and where it stands. UTF-8.
struct CheckedPlace {
  std::string value;
  std::size_t uses = 0;  // records that use it
  Resolution resolution;
};

// The tree's place values in the order of their first use, each looked up; `progress`, where
// given, hears how many of how many are done now and then.
std::vector<CheckedPlace> CheckPlaces(const GedcomTree& tree, const Gazetteer& gazetteer, bool everyValue,
                                      const std::function<void(std::size_t done, std::size_t all)>& progress = {});

// How many values have each status.
struct StatusCounts {
  std::size_t values = 0, lookedUp = 0, unique = 0, ambiguous = 0, similar = 0, notFound = 0, abroad = 0;
};
StatusCounts CountStatuses(const std::vector<CheckedPlace>& places);

// A field of a CSV line: in double quotes, its quotes doubled, where it holds a comma, a quote
// or a line break.
std::string CsvField(std::string_view field);

// The report: CSV, CR LF, a header line and one line per value that was looked up (UTF-8, or
// Windows-1252 with `ansi`): Ort, Verwendungen, Status, Ortsbezeichnung, Kandidaten, Breite,
// Laenge, Land, Hinweis.
std::string ReportCsv(const std::vector<CheckedPlace>& places, bool ansi);

// The user's choices: a value (as the report writes it) and the candidate's place string.
using Choices = std::map<std::string, std::string>;

// The file of the choices, which veldaris-ort --auswahl reads and the window writes: UTF-8
// CSV, CR LF, the header line "Ort,Ortsbezeichnung", one row per decided value.
std::string FormatChoices(const Choices& choices);
// A row that cannot be taken, by its line.
struct ChoiceProblem {
  std::size_t line;
  std::string what;  // UTF-8
};
// The choices of a file, each checked against the tree's places: its value must be one of
// them and its place string one of that value's candidates. The rows that are not go to
// `problems`, and are left out.
Choices ReadChoices(std::string_view bytes, const std::vector<CheckedPlace>& places,
                    std::vector<ChoiceProblem>& problems);

// What a value's PLAC becomes in the copy: a unique place, or the candidate chosen for it.
std::optional<PlaceCorrection> CorrectionOf(const Resolution& resolution, const std::string* chosen = nullptr);

// The corrected copy of the tree; `rewritten` counts the values changed.
std::string CorrectedCopy(const GedcomTree& tree, const std::vector<CheckedPlace>& places, const Choices& choices,
                          std::size_t& rewritten);

}  // namespace veldaris::places
