// A window model on a fake platform in a scratch working folder.
#pragma once

#include <gtest/gtest.h>

#include "model/window_model.h"
#include "tests/test_support.h"
#include "window/events.h"

namespace veldaris::test {

using Items = std::vector<std::optional<std::string>>;

inline Items Place(const char* place, const char* municipality, const char* district,
                   const char* state, const char* postcode, const char* kind = "") {
  return {place, municipality, district, state, postcode, std::nullopt, kind};
}

class WindowFixture : public ::testing::Test {
 protected:
  void WriteData(const std::vector<Items>& records) {
    std::string bytes;
    for (const auto& r : records) bytes += RecordLine(r);
    WriteBytes(dir / "orte-7sp.ort", bytes);
  }
  // The user types the whole text into a field (one change).
  void Edit(ControlId id, const std::string& utf8) {
    const std::string text = Cp1252(utf8);
    OnUserEdit(w, id, text, static_cast<int>(text.size()));
  }
  void Click(ControlId id) { OnClick(w, id); }
  std::string File(const char* name) const { return ReadBytes(dir / name); }
  bool Exists(const std::string& name) const { return std::filesystem::exists(dir / name); }
  // What a control shows (Combo2 the district field's text).
  std::string Text(ControlId id) const { return Windows1252ToUtf8(w.ShownText(id)); }

  TempDir dir;
  FakePlatform platform;
  FakeSystem system;
  Window w{platform, dir.path(), system};
};

}  // namespace veldaris::test
