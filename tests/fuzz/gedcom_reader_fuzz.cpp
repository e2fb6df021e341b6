// libFuzzer target for the GEDCOM reader, the corrected copy and the folding of names. For
// any bytes:
//   - the reader gives distinct, non-empty UTF-8 values, each used by at least one record,
//     and its problems in the order of their lines, or says that the bytes are no tree;
//   - a copy that corrects nothing is the file byte for byte; a copy that corrects every
//     place reads as a tree again, with no line it cannot read that the file did not have,
//     and correcting it once more changes nothing;
//   - folding a value, or only its beginning, agrees with its first folded byte, and the
//     folded beginning is the beginning of the whole folded value;
//   - the lookup of a value on the sample data file and a few places of the old monarchy
//     gives a unique place (at home, or abroad and kept as written) with its place string and
//     no candidates, or else the reason why not;
//   - the file of the monarchy's places, damaged where the bytes say, is read as no file, or
//     as one whose every name finds places it has.
// Nothing may crash or hang.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "places/fold.h"
#include "core/text1252.h"
#include "core/record_reader.h"
#include "places/gedcom.h"
#include "places/resolver.h"
#include "places/map.h"
#include "places/monarchy.h"

namespace {

void Check(bool ok, int line = __builtin_LINE()) {
  if (ok) return;
  std::fprintf(stderr, "check on line %d failed\n", line);
  std::abort();
}

void CheckFolding(std::string_view name) {
  const std::string whole = veldaris::places::FoldName(name);
  Check(veldaris::places::FirstFoldedByte(name) == (whole.empty() ? '\0' : whole.front()));
  std::string part;
  for (std::size_t enough : {std::size_t{1}, std::size_t{3}, std::size_t{8}}) {
    veldaris::places::FoldName(name, part, enough);
    Check(whole.starts_with(part));
    Check(part.size() >= std::min(enough, whole.size()));
  }
}

// The file of the monarchy's places, damaged where the bytes say: read as no file with a
// reason, or as one whose every place and name can be read.
void CheckMonarchyFile(std::string_view bytes) {
  using namespace veldaris::places;
  static const std::string file = FormatMonarchyFile(
      "Test", {{"Brno", "CZ", "78", {"49.19522", "16.60796"}, 379466}, {"Cheb", "CZ", "81", {"50.07963", "12.37392"}, 33242}},
      {{"Brno", "Brünn"}, {"Cheb", "Eger"}});
  std::string damaged = file;
  for (std::size_t k = 0; k + 1 < bytes.size() && k < 16; k += 2)
    damaged[static_cast<unsigned char>(bytes[k]) * 7 % damaged.size()] = bytes[k + 1];
  if (!bytes.empty() && bytes.back() == 'T') damaged.resize(static_cast<unsigned char>(bytes.front()) % damaged.size());
  std::string error;
  const MonarchyIndex index(damaged, error);
  Check(error.empty() || index.empty());
  for (const MonarchyNames names : {MonarchyNames::kExact, MonarchyNames::kLoose, MonarchyNames::kShortened})
    for (std::size_t k = 0; k < index.Keys(names); ++k)
      for (std::uint32_t id : index.Find(index.KeyAt(k, names), names)) {
        Check(id < index.size());
        Check(index.place(id).name.size() < damaged.size());
      }
}

void CheckLookup(const std::string& value) {
  using Status = veldaris::places::Resolution::Status;
  static const veldaris::places::Gazetteer gazetteer = [] {
    veldaris::RecordReader in(VELDARIS_SAMPLE_DATA, "orte-7sp.ort");
    // A few places of the old monarchy, two of one name.
    const std::vector<veldaris::places::MonarchyPlace> places{{"Brno", "CZ", "78", {"49.19522", "16.60796"}, 379466},
                                                      {"Cheb", "CZ", "81", {"50.07963", "12.37392"}, 33242},
                                                      {"Eger", "HU", "11", {"47.90265", "20.37329"}, 53876}};
    std::string error;
    return veldaris::places::Gazetteer(
        in, {}, veldaris::places::MonarchyIndex(veldaris::places::FormatMonarchyFile("", places, {{"Brno", "Brünn"}, {"Cheb", "Eger"}, {"Eger", "Erlau"}}), error));
  }();
  for (const bool every : {false, true}) {
    const auto r = gazetteer.Resolve(value, every);
    if (r.status == Status::kUnique || r.status == Status::kAbroad)
      Check(r.Place() && !r.PlaceString().empty() && r.Open().empty() &&
            (r.status == Status::kUnique || (r.keepValue && r.Point())));
    else if (r.status == Status::kNotAustrian) Check(!every && r.candidates.empty());
    else Check(!r.Place() && !r.reason.empty());
  }
}

}  // namespace

void CheckCopies(const veldaris::places::GedcomTree& tree) {
  using namespace veldaris::places;
  std::size_t rewritten = 0;
  Check(CorrectTree(tree, [](const std::string&) { return std::optional<PlaceCorrection>(); }, rewritten) ==
        tree.bytes());
  Check(rewritten == 0);
  const auto every = [](const std::string&) {
    return std::optional<PlaceCorrection>({"Ort, Bezirk, Land, AUSTRIA", "N47.0000", "E13.0000", false, std::nullopt});
  };
  const std::string once = CorrectTree(tree, every, rewritten);
  const GedcomTree again(once);
  // Every line written is readable: no more lines passed over than in the file.
  const auto passedOver = [](const GedcomTree& t) {
    return std::count_if(t.problems().begin(), t.problems().end(), [](const GedcomProblem& p) { return p.passedOver; });
  };
  Check(passedOver(again) <= passedOver(tree));
  std::size_t more = 0;
  Check(CorrectTree(again, every, more) == once);
  Check(more == 0);
}

// The map file, damaged as the monarchy's, and the input as one whole: refused or read into
// shapes whose parts hold their points; the view draws any of them.
void CheckMapFile(std::string_view bytes) {
  using namespace veldaris::places;
  static const std::string file = [] {
    MapShape state;
    state.layer = MapLayer::kStates;
    state.name = "Wien";
    state.points = {{620000, 480000}, {640000, 480000}, {640000, 500000}, {620000, 480000}};
    state.parts = {4};
    MapShape land = state;
    land.layer = MapLayer::kLands1910;
    land.name = "Böhmen";
    return MapData::Format({state, land});
  }();
  std::string damaged = file;
  for (std::size_t k = 0; k + 1 < bytes.size() && k < 16; k += 2)
    damaged[static_cast<unsigned char>(bytes[k]) % damaged.size()] = bytes[k + 1];
  for (const std::string_view input : {std::string_view(damaged), bytes}) {
    std::string error;
    const auto map = MapData::Parse(input, error);
    Check(map.has_value() == error.empty());
    if (!map) continue;
    for (const MapShape& shape : map->shapes) {
      std::size_t points = 0;
      for (std::uint32_t part : shape.parts) points += part;
      Check(points == shape.points.size());
    }
    struct Nothing : MapPainter {
      void Background(MapStyle) override {}
      void Area(std::span<const MapView::Pixel>, std::span<const std::uint32_t>, MapStyle) override {}
      void Line(std::span<const MapView::Pixel>, MapStyle) override {}
      void Dot(MapView::Pixel, double, MapStyle, std::size_t) override {}
      void Label(MapView::Pixel, std::string_view, MapStyle) override {}
    } nothing;
    MapScene scene{&*map, {}, {}, std::nullopt, true};
    scene.view.SetSize(200, 100);
    scene.view.Fit(map->austriaLow, map->austriaHigh);
    DrawMap(scene, nothing);
  }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckFolding(bytes);
  CheckMonarchyFile(bytes);
  CheckMapFile(bytes);
  std::optional<veldaris::places::GedcomTree> tree;
  try {
    tree.emplace(bytes);
  } catch (const veldaris::places::GedcomError& error) {
    Check(error.line >= 1);
    return 0;
  }
  const auto& problems = tree->problems();
  const auto places = veldaris::places::PlaceUses(*tree);
  CheckCopies(*tree);
  std::set<std::string> seen;
  for (const auto& place : places) {
    Check(!place.value.empty() && place.uses >= 1);
    Check(seen.insert(place.value).second);
    const std::string value = veldaris::places::PlaceIn1252(place.value);
    Check(veldaris::Utf8ToWindows1252(veldaris::Windows1252ToUtf8(value)) == value);
    CheckFolding(value);
    // The lookup of the first values only: the reader is what most inputs are about.
    if (seen.size() <= 16) CheckLookup(value);
  }
  for (std::size_t i = 1; i < problems.size(); ++i) Check(problems[i - 1].line < problems[i].line);
  return 0;
}
