// The benchmark of veldaris-ort, against references measured in the same run:
//
//   veldaris_ort_bench DATA_FILE [--runs N]
//
// It writes a family tree of 100,000 PLAC lines made from the data file's own places (their
// place strings, spelt as old records spell them: umlauts written out, "Sankt" as "St.", every
// tenth outside Austria) and times the whole report (reading the file, the places, the
// gazetteer with every file beside it, the lookups) against a memchr pass over the
// same file, and the loading of the monarchy's file and of the map's alone; it prints the size of each data file. It times the tolerant search of one
// name over the data file against the exact search of it. Where the list of South Tyrol's
// municipalities is beside the project (../shared/data/check/istat-bozen-gemeinden.tsv,
// ISTAT's official German names), it measures how many of them "NAME, Tirol" finds; and how
// the values of the project's tree of today's Austria as trees write it
// (tests/data/ortsangaben-heute.ged) and of the tree of the monarchy's villages
// (tests/data/ortsangaben-doerfer.ged) come out. The last line is the summary.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/bench_tree.h"
#include "core/numbers.h"
#include "core/record_reader.h"
#include "core/rules.h"
#include "core/text1252.h"
#include "places/coordinates.h"
#include "places/city_parts.h"
#include "places/data_files.h"
#include "places/gedcom.h"
#include "places/monarchy.h"
#include "places/resolver.h"
#include "places/tree_check.h"
#include "places/world.h"
#include "stammbaum/tree_events.h"
#include "stammbaum/tree_window.h"

namespace {

using namespace veldaris;
using namespace veldaris::bench;
using namespace veldaris::places;

// ISTAT's official German names of South Tyrol's 116 municipalities, as "NAME, Tirol": found
// abroad as the municipality (its Italian or German name today), another place there (a
// village of the municipality), several candidates, a place of today's Austria of that name
// (which the lookup keeps), or not found.
void Coverage(const places::Gazetteer& gazetteer) {
  const std::filesystem::path list = VELDARIS_SOURCE_DIR "/../shared/data/check/istat-bozen-gemeinden.tsv";
  if (!std::filesystem::exists(list)) {
    std::printf("coverage: skipped, %s is not there\n", list.string().c_str());
    return;
  }
  std::size_t rows = 0, found = 0, wrong = 0, several = 0, austrian = 0, none = 0;
  std::string missed, ambiguous, inAustria, notFound;
  std::istringstream lines(ReadAll(list));
  std::string line;
  std::getline(lines, line);  // the header
  while (std::getline(lines, line)) {
    std::vector<std::string> f;
    for (std::size_t from = 0;;) {
      const std::size_t tab = line.find('\t', from);
      f.push_back(line.substr(from, tab == std::string::npos ? tab : tab - from));
      if (tab == std::string::npos) break;
      from = tab + 1;
    }
    if (f.size() < 4) continue;
    ++rows;
    const places::Resolution r = gazetteer.Resolve(f[3] + ", Tirol", false);
    if (r.status == places::Resolution::Status::kAbroad) {
      // Today's name, or one of its two ("Funes - Villnoess"), is the municipality's Italian or
      // German name, or the beginning of it ("Selva" of "Selva di Val Gardena").
      const std::string today = r.PlaceString().substr(0, r.PlaceString().rfind(", "));
      const auto same = [&](const std::string& name) {
        const std::string key = places::FoldedKey(name);
        for (std::string part : {today, today.substr(0, today.find(" - ")),
                                 today.find(" - ") == std::string::npos ? today : today.substr(today.find(" - ") + 3)}) {
          const std::string k = places::FoldedKey(part);
          if (key == k || (key.starts_with(k) && key[k.size()] == ' ')) return true;
        }
        return false;
      };
      if (same(f[2]) || same(f[3])) ++found;
      else ++wrong, missed += " " + f[3] + "=" + today + ";";
    } else if (r.status == places::Resolution::Status::kAmbiguous) {
      ++several, ambiguous += " " + f[3] + ";";
    } else if (r.status == places::Resolution::Status::kUnique) {
      ++austrian, inAustria += " " + f[3] + "=" + r.PlaceString() + ";";
    } else {
      ++none, notFound += " " + f[3] + ";";
    }
  }
  std::printf("coverage of South Tyrol's %zu municipalities (ISTAT, German names, \"NAME, Tirol\"): %zu found, "
              "%zu another place there, %zu ambiguous, %zu a place of that name in Austria, %zu not found\n",
              rows, found, wrong, several, austrian, none);
  if (std::getenv("VELDARIS_COVERAGE"))
    std::printf("  another place:%s\n  ambiguous:%s\n  in Austria:%s\n  not found:%s\n", missed.c_str(),
                ambiguous.c_str(), inAustria.c_str(), notFound.c_str());
}

// The statuses of the values of the tree of today's Austria.
void TodaysAustria(const places::Gazetteer& gazetteer) {
  const std::string bytes = ReadAll(VELDARIS_SOURCE_DIR "/tests/data/ortsangaben-heute.ged");
  const auto places = places::CheckPlaces(places::GedcomTree(bytes), gazetteer, false);
  const places::StatusCounts c = places::CountStatuses(places);
  std::printf("today's Austria as trees write it (tests/data/ortsangaben-heute.ged): %zu values, %zu looked up: "
              "%zu eindeutig, %zu mehrdeutig, %zu ähnlich, %zu nicht gefunden, %zu Ausland\n",
              c.values, c.lookedUp, c.unique, c.ambiguous, c.similar, c.notFound, c.abroad);
}

// The values of the tree of the monarchy's villages, each with the place it means under
// _HEUTE: how many are found as that place, placed elsewhere, or left open.
void Villages(const places::Gazetteer& gazetteer) {
  std::istringstream lines(ReadAll(VELDARIS_SOURCE_DIR "/tests/data/ortsangaben-doerfer.ged"));
  std::size_t values = 0, meant = 0, elsewhere = 0, open[6] = {0, 0, 0, 0, 0, 0};
  std::string value;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("2 PLAC ")) value = line.substr(7);
    if (!line.starts_with("3 _HEUTE ")) continue;
    ++values;
    const places::Resolution r = gazetteer.Resolve(value, false);
    if (!r.Place()) {
      ++open[static_cast<int>(r.status)];
      continue;
    }
    const std::string today = r.PlaceString().substr(0, r.PlaceString().rfind(", "));
    ++(places::Loosened(places::FoldedKey(today)) == places::Loosened(places::FoldedKey(line.substr(9))) ? meant : elsewhere);
  }
  using S = places::Resolution::Status;
  std::printf("the monarchy's villages as emigrant trees write them (tests/data/ortsangaben-doerfer.ged): %zu values: "
              "%zu found as meant, %zu placed elsewhere, %zu mehrdeutig, %zu ähnlich, %zu nicht gefunden\n",
              values, meant, elsewhere, open[static_cast<int>(S::kAmbiguous)], open[static_cast<int>(S::kSimilar)],
              open[static_cast<int>(S::kNotFound)]);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: veldaris_ort_bench DATA_FILE [--runs N]\n";
    return 2;
  }
  const std::filesystem::path data = argv[1];
  int runs = 7;
  for (int i = 2; i + 1 < argc; ++i)
    if (std::string(argv[i]) == "--runs") runs = std::max(5, static_cast<int>(ParseNumber(argv[++i]).value_or(0)));
  const std::filesystem::path tree = std::filesystem::temp_directory_path() / "veldaris_ort_bench.ged";
  {
    std::ofstream out(tree, std::ios::binary | std::ios::trunc);
    out << FamilyTree(data);
  }

  std::size_t values = 0, resolved[6] = {0, 0, 0, 0, 0, 0};
  const std::filesystem::path monarchy = MonarchyFileOf(data);
  const Stats report = Measure(runs, [&] {
    const std::string bytes = ReadAll(tree);
    const places::GedcomTree gedcom(bytes);
    std::vector<std::string> warnings;
    const places::Gazetteer gazetteer = places::LoadGazetteer(data, warnings);
    const auto places = places::CheckPlaces(gedcom, gazetteer, false);
    values = places.size();
    for (std::size_t& n : resolved) n = 0;
    for (const auto& place : places) ++resolved[static_cast<int>(place.resolution.status)];
  });
  std::size_t monarchyPlaces = 0;
  const Stats load = Measure(runs, [&] {
    std::string error;
    monarchyPlaces = MonarchyIndex(ReadAll(monarchy), error).size();
  });
  long lines = 0;
  const Stats memchr = Measure(runs, [&] { lines = MemchrPass(tree); });
  std::printf("GEDCOM of %d PLAC lines (%ld lines, %s MB), %zu distinct values: %zu eindeutig, "
              "%zu mehrdeutig, %zu ähnlich, %zu nicht gefunden, %zu Ausland, %zu not looked up\n",
              kPlaceLines, lines, Fixed(static_cast<double>(std::filesystem::file_size(tree)) / 1e6, 1).c_str(), values,
              resolved[0], resolved[1], resolved[4], resolved[2], resolved[5], resolved[3]);
  std::printf("report %s ms; memchr pass %s ms; ratio %s\n", Cell(report).c_str(), Cell(memchr).c_str(),
              Fixed(report.median / memchr.median, 1).c_str());
  std::printf("the monarchy's file (%zu places, %s MB) loaded in %s ms (%s)\n", monarchyPlaces,
              Fixed(static_cast<double>(std::filesystem::file_size(monarchy)) / 1e6, 1).c_str(), Cell(load).c_str(),
              Goal("load", load.median, 50, " ms").c_str());
  // The files a user installs with the gazetteer, each and together.
  double installed = 0;
  for (const std::filesystem::path& file :
       {data, CoordinatesFileOf(data), monarchy, CityPartsFileOf(data), WorldNamesFileOf(data), MapFileOf(data)}) {
    const double mb = std::filesystem::exists(file) ? static_cast<double>(std::filesystem::file_size(file)) / 1e6 : 0;
    installed += mb;
    std::printf("  %s: %s MB\n", file.filename().string().c_str(), Fixed(mb, 2).c_str());
  }
  std::printf("the data files together: %s MB (%s)\n", Fixed(installed, 1).c_str(),
              Goal("data", installed, 20, " MB").c_str());
  {
    std::vector<std::string> warnings;
    const places::Gazetteer gazetteer = places::LoadGazetteer(data, warnings);
    Coverage(gazetteer);
    TodaysAustria(gazetteer);
    Villages(gazetteer);
  }

  // The tree window: the same tree opened as the window opens it (off its thread, the gazetteer
  // read first), until its list shows every value.
  struct Quiet : tree::TreePlatform {
    void ShowMessage(const std::string& title, const std::string& text) override {
      std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    }
    bool AskYesNo(const std::string&, const std::string&) override { return true; }
    std::optional<std::filesystem::path> AskFileToOpen(const std::string&, const std::filesystem::path&) override {
      return std::nullopt;
    }
    std::optional<std::filesystem::path> AskFileToSave(const std::string&, const std::filesystem::path&,
                                                       tree::FileKind) override {
      return std::nullopt;
    }
    void Quit() override {}
  } quiet;
  std::size_t rows = 0;
  const Stats window = Measure(runs, [&] {
    tree::TreeWindow w(quiet, data);
    tree::OnLoad(w, tree);
    tree::WaitForTree(w);
    rows = w[tree::PlaceList].rows().size();
  });
  std::printf("the tree window opens it (%zu rows) in %s ms (%s)\n", rows, Cell(window).c_str(),
              Goal("open", window.median, 1000, " ms").c_str());
  // The map's file, as the tree window reads it, against reading its bytes alone.
  std::size_t shapes = 0;
  const Stats mapLoad = Measure(runs * 3, [&] {
    std::vector<std::string> warnings;
    const auto map = places::LoadMap(data, warnings);
    shapes = map ? map->shapes.size() : 0;
  });
  const Stats mapBytes = Measure(runs * 3, [&] { (void)ReadAll(places::MapFileOf(data)); });
  std::printf("the map's file (%zu shapes, %s KB) loaded in %s ms (%s); its bytes read in %s ms; ratio %s\n", shapes,
              Fixed(static_cast<double>(std::filesystem::file_size(places::MapFileOf(data))) / 1024, 0).c_str(),
              Cell(mapLoad).c_str(), Goal("map load", mapLoad.median, 10, " ms").c_str(), Cell(mapBytes).c_str(),
              Fixed(mapLoad.median / mapBytes.median, 1).c_str());

  const auto search = [&](const char* text, bool tolerant) {
    std::size_t found = 0;
    const Stats s = Measure(runs * 3, [&] {
      RecordReader in(data, "data");
      places::SearchOptions options;
      options.text = Cp1252(text);
      options.tolerant = tolerant;
      found = places::Search(in, options).size();
    });
    std::printf("search %-8s %-9s %4zu found %s ms\n", text, tolerant ? "tolerant" : "exact", found, Cell(s).c_str());
    return s.median;
  };
  double worst = 0;
  for (const char* name : {"Goessl", "Gößl", "Sankt"}) worst = std::max(worst, search(name, true) / search(name, false));
  std::printf("%s\n", Goal("tolerant/exact", worst, 3).c_str());
  if (!std::getenv("VELDARIS_KEEP")) std::filesystem::remove(tree);
  std::printf("ort-summary gedcom_memchr=%s tolerant_exact=%s report_ms=%s monarchy_load_ms=%s window_open_ms=%s "
              "map_load_ms=%s\n",
              Fixed(report.median / memchr.median, 1).c_str(), Fixed(worst, 2).c_str(), Fixed(report.median, 0).c_str(),
              Fixed(load.median, 1).c_str(), Fixed(window.median, 0).c_str(), Fixed(mapLoad.median, 2).c_str());
}
