// libFuzzer target for the record reader and the search pass. For any bytes:
//   - the reader with its block scan and the general reader alone, with buffers of any size
//     that cut lines anywhere, give the same records, the same error and the same word on
//     which records began their lines; the block scan finds the same lines with AVX2 and
//     with the portable masks;
//   - every record read writes out as a line that reads back as the same record;
//   - the search pass over them writes exactly the records that a plain re-statement of the
//     search rules picks from those records, or fails with the reader's error.
// Nothing may crash or hang.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "core/errors.h"
#include "core/federal_states.h"
#include "core/line_blocks.h"
#include "core/output_file.h"
#include "core/place_record.h"
#include "core/record_reader.h"
#include "core/search_pass.h"
#include "core/text1252.h"

namespace {

using namespace veldaris;

struct Outcome {
  std::vector<PlaceRecord> records;
  std::vector<bool> beganLines;
  std::optional<std::pair<int, std::string>> error;
  bool operator==(const Outcome&) const = default;
};

Outcome Read(std::string_view bytes, bool blockScan, std::size_t bufferSize) {
  RecordReader reader = RecordReader::InMemory(bytes, "fuzz.ort", bufferSize);
  if (!blockScan) reader.UseGeneralReaderOnly();
  Outcome outcome;
  try {
    PlaceRecord record;
    while (!reader.AtEnd()) {
      ReadPlaceRecord(reader, record);
      outcome.records.push_back(record);
      outcome.beganLines.push_back(reader.LastRecordBeganItsLine());
    }
  } catch (const SystemError& e) {
    outcome.error.emplace(e.Number(), e.Description());
  }
  return outcome;
}

// Stops the run with the line of the broken promise.
#define Require(condition)                                                  \
  do {                                                                      \
    if (!(condition)) {                                                     \
      std::fprintf(stderr, "broken at line %d: %s\n", __LINE__, #condition); \
      std::abort();                                                         \
    }                                                                       \
  } while (false)

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path folder = [] {
    const std::filesystem::path shm = "/dev/shm";
    const auto base = std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
    auto dir = base / ("veldaris-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir;
  }();
  return folder;
}

// The search rules restated plainly, for records that were read without error.
std::string ExpectedMatches(const std::vector<PlaceRecord>& records, const SearchQuery& query) {
  std::string expected;
  std::string state;
  for (const PlaceRecord& r : records) {
    if (auto full = GetStateFullName(TextOf(r.StateShortForm))) state = *full;
    if (!query.stateFilter.empty() && query.stateFilter != state) continue;
    const std::optional<std::string>& item = query.item == SearchedItem::kMunicipality ? r.Municipality
                                             : query.item == SearchedItem::kDistrict   ? r.District
                                                                                       : r.Place;
    const std::string lower = ToLower1252(TextOf(item));
    const bool match = query.mode == MatchMode::kBeginsWith
                           ? lower.compare(0, query.searchText.size(), query.searchText) == 0 &&
                                 lower.size() >= query.searchText.size()
                           : !query.searchText.empty() &&
                                 lower.find(query.searchText) != std::string::npos &&
                                 lower.find(query.searchText) > 0;
    if (match) expected += FormatPlaceRecordLine(r);
  }
  return expected;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const Outcome reference = Read(bytes, false, InputFile::kBufferSize);
  Require(Read(bytes, true, InputFile::kBufferSize) == reference);
  Require(Read(bytes, true, 1 + size % 17) == reference);
  Require(Read(bytes, false, 1 + size % 5) == reference);

  // The block scan is the same with AVX2 and with the portable masks.
  {
    std::string padded(bytes);
    const std::size_t lastLine = padded.rfind('\n');
    padded.append(64, '\0');
    if (lastLine != std::string::npos) {
      LineInfo a[64], b[64];
      std::size_t consumedA = 0, consumedB = 0;
      const char* end = padded.data() + lastLine + 1;
      const std::size_t na = ScanLineBlocks(padded.data(), end, a, 64, &consumedA);
      const std::size_t nb = ScanLineBlocksPortable(padded.data(), end, b, 64, &consumedB);
      Require(na == nb && consumedA == consumedB);
      for (std::size_t i = 0; i < na; ++i) {
        Require(a[i].start == b[i].start);
        Require(std::memcmp(a[i].end, b[i].end, 7 * sizeof a[i].end[0]) == 0);  // end[7] is scratch
      }
    }
  }

  for (const PlaceRecord& record : reference.records) {
    const Outcome again = Read(FormatPlaceRecordLine(record), true, InputFile::kBufferSize);
    Require(!again.error && again.records.size() == 1 && again.records[0] == record);
  }

  // The search: its text and options from the first bytes.
  SearchQuery query;
  const unsigned char options = size > 0 ? static_cast<unsigned char>(bytes[0]) : 0;
  query.mode = options & 1 ? MatchMode::kContains : MatchMode::kBeginsWith;
  query.item = options & 2 ? SearchedItem::kMunicipality : options & 4 ? SearchedItem::kDistrict
                                                                       : SearchedItem::kPlace;
  query.stateFilter = options & 8 ? "Wien" : "";
  query.searchText = TrimBlanks(ToLower1252(bytes.substr(std::min<std::size_t>(size, 1), 2)));

  const auto& dir = ScratchFolder();
  PassOutcome found;
  std::optional<std::pair<int, std::string>> error;
  try {
    RecordReader input = RecordReader::InMemory(bytes, "fuzz.ort");
    OutputFile results(dir / "ergebdat.txt", "ergebdat.txt");
    OutputFile csv(dir / "ergeb.csv", "ergeb.csv");
    found = RunSearchPass(input, results, csv, query);
    results.Close();
    csv.Close();
  } catch (const SystemError& e) {
    error.emplace(e.Number(), e.Description());
  }
  Require(error == reference.error);
  if (!error) {
    Require(found.recordCount == static_cast<long>(reference.records.size()));
    Require(Slurp(dir / "ergebdat.txt") == ExpectedMatches(reference.records, query));
    Require(found.lastRecord == (reference.records.empty() ? std::nullopt : std::optional(reference.records.back())));
  }
  return 0;
}
