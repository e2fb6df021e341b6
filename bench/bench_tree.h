// The family tree the benchmarks read: 100,000 PLAC lines made from the data file's own places
// (their place strings, spelt as old records spell them: umlauts written out, "Sankt" as "St.",
// every tenth outside Austria).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/record_reader.h"
#include "core/rules.h"
#include "core/text1252.h"
#include "places/lookup.h"

namespace veldaris::bench {

constexpr int kPlaceLines = 100000;

inline std::string FamilyTree(const std::filesystem::path& data) {
  RecordReader in(data, "data");
  places::SearchOptions all;  // a blank search finds every place
  std::vector<std::string> values;
  for (const places::Found& f : places::Search(in, all)) {
    std::string value = TextOf(f.record.Place) + ", " + TextOf(f.record.District) + ", " + f.stateName;
    if (value.starts_with("Sankt ")) value.replace(0, 5, "St.");
    values.push_back(Windows1252ToUtf8(values.size() % 2 ? ReplaceUmlauts(value) : value));
  }
  std::string tree = "0 HEAD\n1 GEDC\n2 VERS 5.5.1\n1 CHAR UTF-8\n";
  for (int i = 0; i < kPlaceLines / 2; ++i) {
    tree += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME Maria /Huber/\n";
    for (int event = 0; event < 2; ++event) {
      const std::size_t n = (static_cast<std::size_t>(i) * 7919 + static_cast<std::size_t>(event) * 104729) % values.size();
      tree += event ? "1 DEAT\n2 DATE 2 FEB 1901\n2 PLAC " : "1 BIRT\n2 DATE 1 JAN 1850\n2 PLAC ";
      tree += n % 10 == 9 ? "Passau, Bayern, Deutschland" : values[n] + ", Austria";
      tree += '\n';
    }
  }
  return tree + "0 TRLR\n";
}

}  // namespace veldaris::bench
