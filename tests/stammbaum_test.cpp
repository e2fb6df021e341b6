// The window "Veldaris Stammbaum" on its model, with a platform that records what it is asked
// and answers the file dialogs as told: a tree opened, a place decided, the copy saved as
// veldaris-ort --auswahl writes it; what is refused, and what a failure leaves.
#include <gtest/gtest.h>

#include <deque>

#include "stammbaum/tree_events.h"
#include "stammbaum/tree_window.h"
#include "tests/test_support.h"

namespace veldaris::tree {
namespace {

// A table's rows as cells: a cell set to a longer or a shorter text leaves every other cell
// and row as it was.
TEST(RowList, ChangesOneCellAndKeepsTheOthers) {
  RowList rows;
  rows.PushCells({"Melk, Austria", "2", "mehrdeutig", ""});
  rows.PushCells({"Graz", "1", "eindeutig", "Graz, Graz Stadt, Steiermark, AUSTRIA"});
  rows.push_back("keine");
  rows.PushCells({"a\x1F" "b", "c"});  // the separator in a cell is a blank
  EXPECT_TRUE(rows.SetCell(0, 3, "Melk, Melk, Niederoesterreich, AUSTRIA"));
  EXPECT_TRUE(rows.SetCell(0, 2, "gew\u00e4hlt"));
  EXPECT_FALSE(rows.SetCell(0, 2, "gew\u00e4hlt"));  // unchanged
  EXPECT_FALSE(rows.SetCell(0, 4, "x"));  // no such cell
  EXPECT_FALSE(rows.SetCell(2, 0, "x"));  // a row of one text
  const std::vector<std::vector<std::string>> expected = {
      {"Melk, Austria", "2", "gew\u00e4hlt", "Melk, Melk, Niederoesterreich, AUSTRIA"},
      {"Graz", "1", "eindeutig", "Graz, Graz Stadt, Steiermark, AUSTRIA"},
      {"keine", "", "", ""},
      {"a b", "c", "", ""}};
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t r = 0; r < expected.size(); ++r)
    for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(rows.Cell(r, k), expected[r][k]) << r << " " << k;
  EXPECT_EQ(rows[1], "Graz\t1\teindeutig\tGraz, Graz Stadt, Steiermark, AUSTRIA");
}

class FakePlatform : public TreePlatform {
 public:
  void ShowMessage(const std::string& title, const std::string& text) override { messages.push_back(title + ": " + text); }
  bool AskYesNo(const std::string& title, const std::string& text) override {
    messages.push_back(title + ": " + text);
    return false;
  }
  std::optional<std::filesystem::path> AskFileToOpen(const std::string&, const std::filesystem::path&) override {
    return Next();
  }
  std::optional<std::filesystem::path> AskFileToSave(const std::string&, const std::filesystem::path& proposed,
                                                     FileKind) override {
    proposals.push_back(proposed);
    return Next();
  }
  void Quit() override { quit = true; }

  std::deque<std::optional<std::filesystem::path>> answers;  // of the file dialogs, in turn
  std::vector<std::string> messages;
  std::vector<std::filesystem::path> proposals;
  bool quit = false;

 private:
  std::optional<std::filesystem::path> Next() {
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// A disk that is full.
class FullDisk : public Disk {
 public:
  void Write(os::Handle, const char*, std::size_t, const std::string& name) override {
    throw SystemError(28, "Auf dem Datenträger ist kein Platz mehr", name);
  }
};

class TreeWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(VELDARIS_SOURCE_DIR "/tests/data/alte-ortsangaben.ged", dir_ / "baum.ged");
  }
  std::unique_ptr<TreeWindow> Open(Disk& disk = SystemDisk()) {
    auto w = std::make_unique<TreeWindow>(platform_, test::Gazetteer(), disk);
    OnLoad(*w, dir_ / "baum.ged");
    WaitForTree(*w);
    return w;
  }
  // The row of PlaceList that shows a value.
  static int RowOf(const TreeWindow& w, const std::string& value) {
    const auto& rows = w[PlaceList].rows();
    for (std::size_t k = 0; k < rows.size(); ++k)
      if (rows.Cell(k, 0) == value) return static_cast<int>(k);
    return -1;
  }
  test::TempDir dir_;
  FakePlatform platform_;
};

TEST_F(TreeWindowTest, DecidesAPlaceAndSavesTheCopyThatTheCommandLineWrites) {
  auto w = Open();
  ASSERT_TRUE(w->tree) << (platform_.messages.empty() ? "" : platform_.messages.front());
  EXPECT_EQ((*w)[PlaceList].rows().size(), 48u);
  EXPECT_NE((*w)[CountsText].text().find("48 Ortsangaben: "), std::string::npos) << (*w)[CountsText].text();
  EXPECT_NE((*w)[CountsText].text().find("; 0 gewählt"), std::string::npos) << (*w)[CountsText].text();
  // The candidates of a town and a hamlet of its name, "keine" first; one chosen, then undone,
  // then chosen.
  const int melk = RowOf(*w, "Melk, Lower Austria, Austria");
  ASSERT_GE(melk, 0);
  OnPick(*w, PlaceList, melk);
  const auto& candidates = (*w)[CandidateList].rows();
  ASSERT_EQ(candidates.size(), 3u);
  EXPECT_EQ(candidates[0], "keine");
  EXPECT_EQ((*w)[CandidateList].current(), 0);
  OnPick(*w, CandidateList, 2);
  EXPECT_EQ((*w)[PlaceList].rows().Cell(static_cast<std::size_t>(melk), 2), "gewählt");
  OnPick(*w, CandidateList, 0);
  EXPECT_EQ((*w)[PlaceList].rows().Cell(static_cast<std::size_t>(melk), 2), "eindeutig");  // the town again
  OnPick(*w, CandidateList, 1);
  EXPECT_EQ(w->choices.size(), 1u);
  EXPECT_NE((*w)[CountsText].text().find("; 1 gewählt"), std::string::npos);

  platform_.answers = {dir_ / "baum-berichtigt.ged"};
  OnClick(*w, SaveCopyButton);
  EXPECT_EQ(platform_.proposals.back(), dir_ / "baum-berichtigt.ged");
  ASSERT_TRUE(std::filesystem::exists(dir_ / "baum-berichtigt-auswahl.csv")) << platform_.messages.back();
  const auto cli = test::RunProgram(VELDARIS_ORT, {"--daten", test::Gazetteer().string(), "--gedcom", "baum.ged",
                                                   "--auswahl", "baum-berichtigt-auswahl.csv", "--ausgabe", "cli.ged",
                                                   "--bericht", "cli.csv"},
                                    dir_.path());
  ASSERT_EQ(cli.exitCode, 0) << cli.stderrText;
  EXPECT_EQ(test::ReadBytes(dir_ / "baum-berichtigt.ged"), test::ReadBytes(dir_ / "cli.ged"));
  EXPECT_NE(test::ReadBytes(dir_ / "baum-berichtigt.ged"), test::ReadBytes(dir_ / "baum.ged"));

  // The same tree again: the choices saved beside its copy are offered, and taken.
  auto again = Open();
  ASSERT_TRUE((*again)[TakeChoicesButton].visible());
  EXPECT_TRUE(again->choices.empty());
  OnClick(*again, TakeChoicesButton);
  EXPECT_EQ(again->choices, w->choices);
  EXPECT_FALSE((*again)[TakeChoicesButton].visible());
}

// A candidate chosen moves its value's dot at once; "keine" puts it back on the place found.
TEST_F(TreeWindowTest, AChosenCandidateMovesItsDot) {
  auto w = Open();
  ASSERT_TRUE(w->tree);
  const int melk = RowOf(*w, "Melk, Lower Austria, Austria");  // the town, and a hamlet of its name
  OnPick(*w, PlaceList, melk);
  const std::size_t place = w->view[static_cast<std::size_t>(melk)];
  const auto candidates = w->tree->places[place].resolution.Open();
  ASSERT_GE(candidates.size(), 2u);
  const std::size_t dots = w->dots.size();
  const auto expectDotAt = [&](const places::Candidate& c, const std::string& what) {
    ASSERT_TRUE(c.coordinates) << what;
    const places::MapPoint expected =
        places::ToLambert(std::stod(c.coordinates->latitude), std::stod(c.coordinates->longitude));
    ASSERT_NE(w->dotOf[place], TreeWindow::kNoDot) << what;
    EXPECT_NEAR(w->dots[w->dotOf[place]].at.x, expected.x, 1) << what;
    EXPECT_NEAR(w->dots[w->dotOf[place]].at.y, expected.y, 1) << what;
    EXPECT_EQ(w->dots.size(), dots) << what;
    EXPECT_EQ(w->Scene().selected, w->dotOf[place]) << what;  // the current value's, highlighted
  };
  expectDotAt(*w->tree->places[place].resolution.Place(), "found");
  for (int choice : {2, 1}) {
    const std::uint64_t revision = w->mapRevision;
    OnPick(*w, CandidateList, choice);
    expectDotAt(candidates[static_cast<std::size_t>(choice) - 1], "chosen " + std::to_string(choice));
    EXPECT_GT(w->mapRevision, revision);
  }
  OnPick(*w, CandidateList, 0);
  expectDotAt(*w->tree->places[place].resolution.Place(), "keine");
}

TEST_F(TreeWindowTest, NeverWritesOverTheTreeOrTheDataFileAndSaysWhatFailed) {
  const std::string tree = test::ReadBytes(dir_ / "baum.ged");
  FullDisk full;
  auto w = Open(full);
  ASSERT_TRUE(w->tree);
  for (const auto& target : {dir_ / "baum.ged", dir_ / "." / "baum.ged", test::Gazetteer()}) {
    platform_.answers = {target};
    OnClick(*w, SaveCopyButton);
    EXPECT_NE(platform_.messages.back().find(target == test::Gazetteer() ? "Ortsdatei" : "Stammbaum selbst"),
              std::string::npos)
        << platform_.messages.back();
  }
  // A full disk: a message, and nothing written half.
  platform_.answers = {dir_ / "neu.ged"};
  OnClick(*w, SaveCopyButton);
  EXPECT_NE(platform_.messages.back().find("kein Platz"), std::string::npos) << platform_.messages.back();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1);
  EXPECT_EQ(test::ReadBytes(dir_ / "baum.ged"), tree);

  // A tree that cannot be read, or that is no GEDCOM: a message, and the open tree stays.
  test::WriteBytes(dir_ / "kein.ged", "Liebe Tante, ...");
  for (const auto& bad : {dir_ / "fehlt.ged", dir_ / "kein.ged", dir_.path()}) {
    OnDrop(*w, bad);
    WaitForTree(*w);
    EXPECT_NE(platform_.messages.back().find("kann nicht gelesen werden"), std::string::npos) << platform_.messages.back();
    EXPECT_EQ(w->tree->path, dir_ / "baum.ged");
    EXPECT_EQ((*w)[PlaceList].rows().size(), 48u);
  }
  OnClick(*w, QuitButton);
  EXPECT_TRUE(platform_.quit);
}

TEST_F(TreeWindowTest, FiltersAndSortsTheList) {
  auto w = Open();
  ASSERT_TRUE(w->tree);
  OnChange(*w, Filter, static_cast<int>(Showing::kAmbiguous));
  const auto& shown = (*w)[PlaceList].rows();
  for (std::size_t k = 0; k < shown.size(); ++k) EXPECT_EQ(shown.Cell(k, 2), "mehrdeutig") << shown.Cell(k, 0);
  EXPECT_FALSE((*w)[PlaceList].rows().empty());
  OnChange(*w, Filter, static_cast<int>(Showing::kAll));
  // By the number of uses, then the other way round with a second click on the heading.
  test::WriteBytes(dir_ / "baum.ged", "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 BIRT\n2 PLAC Graz, Austria\n"
                                      "0 @I2@ INDI\n1 BIRT\n2 PLAC Graz, Austria\n1 DEAT\n2 PLAC Wien, Austria\n0 TRLR\n");
  w = Open();
  OnSort(*w, 1);
  EXPECT_EQ((*w)[PlaceList].rows().Cell(0, 0), "Wien, Austria");
  OnSort(*w, 1);
  EXPECT_EQ((*w)[PlaceList].rows().Cell(0, 0), "Graz, Austria");
  EXPECT_EQ((*w)[Sort].current(), 1);
}

}  // namespace
}  // namespace veldaris::tree
