// libFuzzer target for the GEDCOM reader and the folding of names. For any bytes:
//   - the reader gives distinct, non-empty UTF-8 values, each used by at least one record,
//     and its problems in the order of their lines;
//   - folding a value, or only its beginning, agrees with its first folded byte, and the
//     folded beginning is the beginning of the whole folded value.
// Nothing may crash or hang.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tools/ort/fold.h"
#include "core/text1252.h"
#include "tools/ort/gedcom.h"

namespace {

void Check(bool ok, int line = __builtin_LINE()) {
  if (ok) return;
  std::fprintf(stderr, "check on line %d failed\n", line);
  std::abort();
}

void CheckFolding(std::string_view name) {
  const std::string whole = veldaris::FoldName(name);
  Check(veldaris::FirstFoldedByte(name) == (whole.empty() ? '\0' : whole.front()));
  std::string part;
  for (std::size_t enough : {std::size_t{1}, std::size_t{3}, std::size_t{8}}) {
    veldaris::FoldName(name, part, enough);
    Check(whole.starts_with(part));
    Check(part.size() >= std::min(enough, whole.size()));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<veldaris::ort::GedcomProblem> problems;
  const auto places = veldaris::ort::ReadGedcomPlaces(bytes, problems);
  std::set<std::string> seen;
  for (const auto& place : places) {
    Check(!place.value.empty() && place.uses >= 1);
    Check(seen.insert(place.value).second);
    const std::string value = veldaris::ort::PlaceIn1252(place.value);
    Check(veldaris::Utf8ToWindows1252(veldaris::Windows1252ToUtf8(value)) == value);
    CheckFolding(value);
  }
  for (std::size_t i = 1; i < problems.size(); ++i) Check(problems[i - 1].line < problems[i].line);
  CheckFolding(bytes);
  return 0;
}
