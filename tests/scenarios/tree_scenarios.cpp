// The scenarios of a user at the window "Veldaris Stammbaum", on a family tree of 48 place
// values as old records write them (tests/data/alte-ortsangaben.ged) and the build's
// gazetteer. Each reads what the model holds and what the native controls show.
#include <cmath>
#include <cstdio>
#include <set>

#include "core/os.h"
#include "core/text1252.h"
#include "places/tree_map.h"
#include "stammbaum/tree_events.h"
#include "tests/scenarios/tree_scenario.h"

namespace veldaris::tree::scenario {
namespace {

using Where = std::source_location;

std::set<std::pair<ControlId, ControlEvent>>& Exercised() {
  static std::set<std::pair<ControlId, ControlEvent>> exercised;
  return exercised;
}
void Note(ControlId id, ControlEvent event) { Exercised().insert({id, event}); }

struct Stop {};

std::string Name(ControlId id, const char* what) { return std::string(NameOf(id)) + what; }

void ExpectText(Driver& d, Checks& c, ControlId id, const std::string& text, const Where& where = Where::current()) {
  c.Equal(d.Model()[id].text(), text, Name(id, " in the model"), where);
  c.Equal(d.Shown(id), text, Name(id, " shown"), where);
}

// The rows of a list, in the model and on the screen, and each cell of the first and last.
void ExpectRows(Driver& d, Checks& c, ControlId id, std::size_t rows, const Where& where = Where::current()) {
  const auto& model = d.Model()[id].rows();
  c.Equal(model.size(), rows, Name(id, " rows in the model"), where);
  c.Equal(d.ShownRowCount(id), static_cast<int>(rows), Name(id, " rows shown"), where);
  for (std::size_t r : {std::size_t{0}, rows - 1}) {
    if (r >= model.size()) continue;
    for (std::size_t k = 0; k < (id == PlaceList ? PlaceColumns().size() : 1); ++k)
      c.Equal(d.ShownCell(id, static_cast<int>(r), static_cast<int>(k)), model.Cell(r, k),
              Name(id, (" row " + std::to_string(r) + " column " + std::to_string(k)).c_str()), where);
  }
}

void ExpectCell(Driver& d, Checks& c, ControlId id, int row, int column, const std::string& text,
                const Where& where = Where::current()) {
  c.Equal(d.Model()[id].rows().Cell(static_cast<std::size_t>(row), static_cast<std::size_t>(column)), text,
          Name(id, " cell in the model"), where);
  c.Equal(d.ShownCell(id, row, column), text, Name(id, " cell shown"), where);
}

void Open(Driver& d, Checks& c, const Where& where = Where::current()) {
  d.Start(d.Tree());
  c.Require(d.WaitUntilRead(), "the tree read in time", where);
  c.Require(d.Model().tree.has_value(), "the tree open", where);
}

int RowOf(Driver& d, const std::string& value) {
  for (int r = 0; r < d.ShownRowCount(PlaceList); ++r)
    if (d.ShownCell(PlaceList, r, 0) == value) return r;
  return -1;
}

std::string LastMessage(Driver& d) { return d.Messages().empty() ? std::string() : d.Messages().back(); }

const char kMelk[] = "Melk, Lower Austria, Austria";

void ATreeGivenAtTheStartIsOpened(Driver& d, Checks& c) {
  Open(d, c);
  // No value chosen yet: the Hinweis names where the data comes from.
  for (const char* source : {"GeoNames", "Statistik Austria", "Who's On First", "Natural Earth", "HistoGIS"})
    c.True(d.Shown(ReasonText).find(source) != std::string::npos, std::string("the Hinweis names ") + source);
  c.Equal(d.ShownCaption(), WindowCaption(), "the window's caption");
  ExpectText(d, c, TreeText, Windows1252ToUtf8(os::PathTo1252(d.Tree())));
  ExpectRows(d, c, PlaceList, 48);
  c.True(d.Model()[CountsText].text().starts_with("48 Ortsangaben: "), "the counts: " + d.Model()[CountsText].text());
  ExpectText(d, c, CountsText, d.Model()[CountsText].text());
  c.Equal(d.ShownVisible(Progress), false, "the progress shown once the tree is read");
  c.Equal(d.ShownEnabled(SaveCopyButton), true, "SaveCopyButton enabled");
}

// Two places within two pixels of each other (the window systems round their pixels).
bool Near(const Placement& a, const Placement& b) {
  const auto near = [](int x, int y) { return x - y <= 30 && y - x <= 30; };
  return near(a.left, b.left) && near(a.top, b.top) && near(a.width, b.width) && near(a.height, b.height);
}

std::string Printed(const Placement& p) {
  return std::to_string(p.left) + "," + std::to_string(p.top) + " " + std::to_string(p.width) + "x" +
         std::to_string(p.height);
}

// Made larger, the window gives the room to its list, candidates and Hinweis as the control
// table says; it is never smaller than its design, and opens again at the size it had.
void TheWindowGrowsAndOpensAgainAtItsSize(Driver& d, Checks& c) {
  Open(d, c);
  const Placement design{0, 0, kClientWidth, kClientHeight};
  c.True(Near(d.ShownClientSize(), design), "the window at its design's size: " + Printed(d.ShownClientSize()));
  // Larger by what a screen of 1024 × 768 pixels, as the tests have, still holds.
  const int width = kClientWidth + 60 * 15, height = kClientHeight + 80 * 15;
  d.Resize(width, height);
  c.True(Near(d.ShownClientSize(), {0, 0, width, height}), "the window made larger: " + Printed(d.ShownClientSize()));
  for (const ControlSpec& spec : ControlTable()) {
    const Placement expected = PlacementOf(spec, kClientWidth, kClientHeight, width, height);
    c.True(Near(d.ShownPlacement(spec.id), expected), std::string(spec.name) + " at " +
                                                          Printed(d.ShownPlacement(spec.id)) + ", expected " +
                                                          Printed(expected));
  }
  const Placement list = d.ShownPlacement(PlaceList);
  c.True(list.width > SpecOf(PlaceList).width && list.height > SpecOf(PlaceList).height, "the list larger");
  d.Resize(kClientWidth - 200 * 15, kClientHeight - 200 * 15);
  c.True(Near(d.ShownClientSize(), design), "no smaller than its design: " + Printed(d.ShownClientSize()));
  d.Resize(width, height);
  d.Restart();
  c.True(Near(d.ShownClientSize(), {0, 0, width, height}), "opened again at its size: " + Printed(d.ShownClientSize()));
}

void OpenByTheButton(Driver& d, Checks& c) {
  d.Start(std::nullopt);
  ExpectText(d, c, TreeText, "Kein Stammbaum geöffnet");
  c.Equal(d.ShownEnabled(SaveCopyButton), false, "SaveCopyButton enabled before a tree is open");
  d.Answer(std::nullopt);  // the dialog cancelled: nothing happens
  d.Click(OpenButton);
  c.Equal(d.Model().Reading(), false, "reading after a cancelled dialog");
  d.Answer(d.Tree());
  d.Click(OpenButton);
  c.Require(d.WaitUntilRead(), "the tree read in time");
  ExpectRows(d, c, PlaceList, 48);
  c.Equal(d.ShownEnabled(SaveCopyButton), true, "SaveCopyButton enabled");
}

// A candidate chosen, undone, chosen again; the copy saved is the one veldaris-ort writes
// with the choices saved beside it.
void ChooseACandidateAndSaveTheCopy(Driver& d, Checks& c) {
  Open(d, c);
  const int melk = RowOf(d, kMelk);
  c.Require(melk >= 0, "the row of Melk");
  d.ClickRow(PlaceList, melk);
  c.Equal(d.ShownCurrentRow(PlaceList), melk, "PlaceList's current row");
  ExpectRows(d, c, CandidateList, 3);
  ExpectCell(d, c, CandidateList, 0, 0, "keine");
  d.ClickRow(CandidateList, 2);
  ExpectCell(d, c, PlaceList, melk, 2, "gewählt");
  ExpectCell(d, c, PlaceList, melk, 3, "Melk, Scheibbs, Niederoesterreich, AUSTRIA");
  d.ClickRow(CandidateList, 0);
  // "keine" gives the value back to the lookup: the town, over the hamlet of its name.
  ExpectCell(d, c, PlaceList, melk, 2, "eindeutig");
  d.ClickRow(CandidateList, 1);
  ExpectCell(d, c, PlaceList, melk, 3, "Melk, Melk, Niederoesterreich, AUSTRIA");
  c.Equal(d.ShownCurrentRow(CandidateList), 1, "CandidateList's current row");

  d.Answer(d.Dir() / "kopie.ged");
  d.Click(SaveCopyButton);
  c.Equal(d.Proposals().size(), 1u, "save dialogs");
  if (!d.Proposals().empty()) c.Equal(d.Proposals().back(), d.Dir() / "baum-berichtigt.ged", "the name proposed");
  c.True(LastMessage(d).starts_with("Berichtigte Kopie speichern: Gespeichert"), "the message: " + LastMessage(d));
  const auto cli = test::RunProgram(VELDARIS_ORT, {"--daten", test::Gazetteer().string(), "--gedcom", "baum.ged",
                                                   "--auswahl", "kopie-auswahl.csv", "--ausgabe", "cli.ged"},
                                    d.Dir());
  c.Require(cli.exitCode == 0, "veldaris-ort --auswahl: " + cli.stderrText);
  c.True(test::ReadBytes(d.Dir() / "kopie.ged") == test::ReadBytes(d.Dir() / "cli.ged"),
         "the window's copy byte for byte that of veldaris-ort --auswahl");
}

void SavingOverTheTreeOrTheDataFileIsRefused(Driver& d, Checks& c) {
  Open(d, c);
  const std::string tree = test::ReadBytes(d.Tree());
  d.Answer(d.Tree());
  d.Click(SaveCopyButton);
  c.True(LastMessage(d).find("Stammbaum selbst") != std::string::npos, "the message: " + LastMessage(d));
  d.Answer(test::Gazetteer());
  d.Click(SaveReportButton);
  c.True(LastMessage(d).find("Ortsdatei") != std::string::npos, "the message: " + LastMessage(d));
  const std::size_t messages = d.Messages().size();
  d.Answer(std::nullopt);
  d.Click(SaveCopyButton);
  c.Equal(d.Messages().size(), messages, "messages after a cancelled dialog");
  c.True(test::ReadBytes(d.Tree()) == tree, "the tree as it was");
  c.Equal(static_cast<int>(std::distance(std::filesystem::directory_iterator(d.Dir()), {})), 1, "files in the folder");
}

void ATreeThatIsNoGedcomIsReported(Driver& d, Checks& c) {
  d.Start(std::nullopt);
  test::WriteBytes(d.Dir() / "brief.ged", "Liebe Tante,\r\nwir sind gut angekommen.\r\n");
  d.Answer(d.Dir() / "brief.ged");
  d.Click(OpenButton);
  c.Require(d.WaitUntilRead(), "the reading ended in time");
  c.True(LastMessage(d).find("kann nicht gelesen werden") != std::string::npos &&
             LastMessage(d).find("0 HEAD") != std::string::npos,
         "the message: " + LastMessage(d));
  ExpectText(d, c, TreeText, "Kein Stammbaum geöffnet");
  c.Equal(d.ShownRowCount(PlaceList), 0, "rows of PlaceList");
}

void SortByTheHeadingsAndShowOneStatus(Driver& d, Checks& c) {
  Open(d, c);
  d.ClickHeading(1);
  d.ClickHeading(1);  // the same heading again: the other way round
  c.Equal(d.Model().descending, true, "descending after a second click");
  ExpectRows(d, c, PlaceList, 48);
  d.Choose(Filter, static_cast<int>(Showing::kAmbiguous));
  c.Require(d.ShownRowCount(PlaceList) > 0, "ambiguous values shown");
  for (int r = 0; r < d.ShownRowCount(PlaceList); ++r) c.Equal(d.ShownCell(PlaceList, r, 2), "mehrdeutig", "a status shown");
  d.Choose(Sort, 3);
  c.Equal(d.Model().sortColumn, 3u, "the column sorted by");
  d.Choose(Filter, static_cast<int>(Showing::kAll));
  ExpectRows(d, c, PlaceList, 48);
}

// Everything by the keyboard: Tab through the controls in the window's order, the access
// keys to the lists, a candidate chosen with the arrow keys and Enter.
void EverythingByTheKeyboard(Driver& d, Checks& c) {
  Open(d, c);
  d.Alt('z');
  c.Equal(d.ShownFocus(), Filter, "focus after Alt+Z");
  std::vector<ControlId> order;
  for (int k = 0; k < 12; ++k) {
    d.Press(Key::kTab);
    order.push_back(d.ShownFocus());
  }
  const std::vector<ControlId> expected{Sort,           PlaceList,      Map,          Lands1910Box,
                                        ShowAllButton,  SaveMapButton,  ReasonText,   SaveCopyButton,
                                        SaveReportButton, QuitButton,   OpenButton,   TreeText};
  std::string shown;
  for (ControlId id : order) shown += std::string(" ") + NameOf(id);
  c.True(order == expected, "the keyboard order (CandidateList is empty and disabled, and skipped):" + shown);
  d.Alt('z');
  for (int k = 0; k < 3; ++k) d.Press(Key::kDown);  // "mehrdeutig"
  c.Equal(d.Model().showing, Showing::kAmbiguous, "the filter chosen by the keys");
  d.Alt('o');
  c.Equal(d.ShownFocus(), PlaceList, "focus after Alt+O");
  d.Press(Key::kDown);
  c.Require(d.ShownCurrentRow(PlaceList) == 0, "the first row current by the keys");
  c.Require(d.ShownRowCount(CandidateList) > 1, "candidates of the first row");
  d.Alt('k');
  c.Equal(d.ShownFocus(), CandidateList, "focus after Alt+K");
  d.Press(Key::kDown);
  d.Press(Key::kEnter);
  ExpectCell(d, c, PlaceList, 0, 2, "gewählt");
  d.Press(Key::kHome);
  d.Press(Key::kSpace);  // "keine" again
  ExpectCell(d, c, PlaceList, 0, 2, "mehrdeutig");
}

void TheChoicesSavedBeforeAreOffered(Driver& d, Checks& c) {
  test::WriteBytes(d.Dir() / "baum-berichtigt-auswahl.csv",
                   std::string("Ort,Ortsbezeichnung\r\n\"") + kMelk + "\",\"Melk, Melk, Niederoesterreich, AUSTRIA\"\r\n"
                   "\"Wien, Österreich\",\"Wien, Wien, Wien, AUSTRIA\"\r\n");  // unique: no choice to take
  Open(d, c);
  c.Equal(d.ShownVisible(TakeChoicesButton), true, "TakeChoicesButton shown");
  c.True(d.Shown(CountsText).find("frühere Auswahl gefunden: 1 (1 passen nicht mehr)") != std::string::npos,
         "the counts: " + d.Shown(CountsText));
  d.Click(TakeChoicesButton);
  c.Equal(d.Model().choices.size(), 1u, "choices taken");
  c.Equal(d.ShownVisible(TakeChoicesButton), false, "TakeChoicesButton shown after");
  ExpectCell(d, c, PlaceList, RowOf(d, kMelk), 2, "gewählt");
}

void ATreeDroppedOntoTheWindowIsOpened(Driver& d, Checks& c) {
  d.Start(std::nullopt);
  d.Drop(d.Tree());
  c.Require(d.WaitUntilRead(), "the tree read in time");
  ExpectRows(d, c, PlaceList, 48);
}

// The number before a status in a line of counts ("39 eindeutig"), -1 where it has none.
int CountBefore(const std::string& counts, const std::string& status) {
  const std::size_t at = counts.find(" " + status);
  if (at == std::string::npos) return -1;
  std::size_t from = at;
  while (from > 0 && counts[from - 1] >= '0' && counts[from - 1] <= '9') --from;
  return from == at ? -1 : std::stoi(counts.substr(from, at - from));
}

void TheReportIsSavedAsTheCommandLineWritesIt(Driver& d, Checks& c) {
  Open(d, c);
  // The window's counts are veldaris-ort's, whatever the desktop's language.
  const std::string counts = d.Shown(CountsText);
  std::printf("the window's counts: %s\n", counts.c_str());
  d.Answer(d.Dir() / "bericht.csv");
  d.Click(SaveReportButton);
  c.Equal(d.Proposals().back(), d.Dir() / "baum-bericht.csv", "the name proposed");
  const auto cli = test::RunProgram(
      VELDARIS_ORT, {"--daten", test::Gazetteer().string(), "--gedcom", "baum.ged", "--bericht", "cli.csv"}, d.Dir());
  c.Require(cli.exitCode == 0, "veldaris-ort --bericht: " + cli.stderrText);
  c.True(test::ReadBytes(d.Dir() / "bericht.csv") == test::ReadBytes(d.Dir() / "cli.csv"), "the report as veldaris-ort's");
  std::printf("veldaris-ort's: %s", cli.stderrText.c_str());
  for (const char* status : {"Ortsangaben", "eindeutig", "mehrdeutig", "ähnlich", "nicht gefunden", "Ausland"})
    c.Equal(CountBefore(counts, status), CountBefore(cli.stderrText, status == std::string("Ausland") ? "im Ausland" : status),
            std::string("the count ") + status);
}

// The pixel of a dot in the map control.
std::pair<int, int> PixelOf(Driver& d, std::size_t dot) {
  const places::MapView::Pixel p = d.Model().mapView.ToScreen(d.Model().dots[dot].at);
  return {static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))};
}

unsigned Packed(const places::MapColour& c) { return (unsigned{c.r} << 16) | (unsigned{c.g} << 8) | c.b; }

// The map: a dot for each value placed; a row picked highlights its dot, a click on a dot
// picks its row (the filter giving way where it hides it); the keys, the wheel and a drag zoom
// and move it; the lands of 1910 switched on; saved as SVG and PNG.
void TheMapShowsThePlacesAndTheListTheirDots(Driver& d, Checks& c) {
  Open(d, c);
  const TreeWindow& m = d.Model();
  std::size_t placed = 0;
  for (const auto& p : m.tree->places)
    placed += places::PlacedCandidate(p, m.choices) && places::PlacedCandidate(p, m.choices)->coordinates;
  c.Require(m.dots.size() == placed && placed > 30, "a dot for each value placed: " + std::to_string(m.dots.size()));
  // A row picked: its dot drawn highlighted, in view.
  const int vienna = RowOf(d, "Wien, Österreich");
  d.ClickRow(PlaceList, vienna);
  const std::size_t viennaDot = m.dotOf[m.view[static_cast<std::size_t>(vienna)]];
  c.Require(viennaDot != TreeWindow::kNoDot, "Vienna has a dot");
  c.Equal(m.Scene().selected.value_or(TreeWindow::kNoDot), viennaDot, "the dot of the current row highlighted");
  const auto [vx, vy] = PixelOf(d, viennaDot);
  c.Equal(d.ShownMapPixel(vx, vy), Packed(*places::LookOf(places::MapStyle::kDotSelected).fill), "the highlight drawn");
  // A click on another dot, of a value the filter hides: the list shows all, and its row.
  d.Choose(Filter, static_cast<int>(Showing::kAmbiguous));
  std::size_t other = 0;
  for (std::size_t k = 0; k < m.dots.size(); ++k)
    if (m.dots[k].item != m.dots[viennaDot].item && !m.dots[k].abroad && m.mapView.Shows(m.dots[k].at) &&
        places::DotAt(m.mapView, m.dots, m.mapView.ToScreen(m.dots[k].at)) == k)
      other = k;
  const auto [ox, oy] = PixelOf(d, other);
  d.ClickMap(ox, oy);
  c.Equal(m.showing, Showing::kAll, "the filter after a click on a hidden value's dot");
  c.Require(d.ShownCurrentRow(PlaceList) >= 0, "a row current after the click");
  c.Equal(m.view[static_cast<std::size_t>(d.ShownCurrentRow(PlaceList))], m.dots[other].item, "the dot's value current");
  // A screen reader names the map and says what it shows and how to use it.
  c.Equal(d.ShownAccessibleName(Map), SpecOf(Map).accessibleName, "the map's accessible name");
  if (const auto description = d.ShownDescription(Map))
    c.Equal(*description, SpecOf(Map).tooltip, "the map's accessible description");
  else
    std::printf("the map's accessible description not read: the system keeps none\n");
  // The keys, by Alt+T on the map.
  d.Alt('t');
  c.Equal(d.ShownFocus(), Map, "focus after Alt+T");
  const double fitted = m.mapView.metresPerPixel();
  d.Press(Key::kPlus);
  c.True(std::abs(m.mapView.metresPerPixel() * 1.5 - fitted) < 1e-6 * fitted, "+ zooms in");
  const places::MapPoint before = m.mapView.centre();
  d.Press(Key::kLeft);
  c.True(m.mapView.centre().x < before.x, "the left arrow shows what lies west");
  d.Press(Key::kMinus);
  c.True(std::abs(m.mapView.metresPerPixel() - fitted) < 1e-6 * fitted, "- zooms out");
  // The wheel keeps the point under the pointer; a drag moves the map with it.
  const places::MapPoint under = m.mapView.ToMap({40, 30});
  d.WheelMap(40, 30, 2);
  const places::MapPoint still = m.mapView.ToMap({40, 30});
  c.True(m.mapView.metresPerPixel() < fitted && std::hypot(still.x - under.x, still.y - under.y) < 2 * m.mapView.metresPerPixel(),
         "the wheel zooms about the pointer");
  const places::MapPoint dragged = m.mapView.ToMap({100, 100});
  d.DragMap(100, 100, 150, 80);
  const places::MapPoint now = m.mapView.ToMap({150, 80});
  c.True(std::hypot(now.x - dragged.x, now.y - dragged.y) < 2 * m.mapView.metresPerPixel(), "the map follows a drag");
  d.Click(ShowAllButton);
  c.True(m.mapView.Shows(m.dots.front().at) && m.mapView.Shows(m.dots.back().at), "every dot in view after Alles zeigen");
  c.True(std::abs(m.mapView.metresPerPixel() - fitted) < 1e-6 * fitted, "the scale after Alles zeigen");
  d.Click(Lands1910Box);
  c.Equal(m[Lands1910Box].selected(), true, "the lands of 1910 switched on");
  // Saved as the window shows it.
  d.Answer(d.Dir() / "karte.svg");
  d.Click(SaveMapButton);
  c.Equal(d.Proposals().back(), d.Dir() / "baum-karte.svg", "the name proposed");
  const std::string svg = test::ReadBytes(d.Dir() / "karte.svg");
  std::size_t circles = 0;
  for (std::size_t at = svg.find("<circle"); at != std::string::npos; at = svg.find("<circle", at + 1)) ++circles;
  c.Equal(circles, m.dots.size(), "a circle for each dot");
  c.True(svg.find("Böhmen") != std::string::npos, "the lands of 1910 named on the map");
  // Its numbers as every program reads them, whatever the desktop's language.
  const std::size_t cx = svg.find("<circle cx=\"") + 12;
  const std::string number = svg.substr(cx, svg.find('"', cx) - cx);
  c.True(number.find('.') != std::string::npos && number.find(',') == std::string::npos, "a circle's x: " + number);
  d.Answer(d.Dir() / "karte.png");
  d.Click(SaveMapButton);
  const std::string png = test::ReadBytes(d.Dir() / "karte.png");
  c.True(png.starts_with("\x89PNG\r\n\x1a\n") &&
             png.size() > static_cast<std::size_t>(m.mapView.width()) * static_cast<std::size_t>(m.mapView.height()) * 3,
         "the map saved as PNG: " + std::to_string(png.size()) + " bytes");
  c.True(d.Messages().back().starts_with("Karte speichern: Gespeichert: "), "the message: " + d.Messages().back());
}

void QuitByTheButton(Driver& d, Checks& c) {
  d.Start(std::nullopt);
  d.Click(QuitButton);
  c.True(d.QuitRequested(), "the program ends");
}

// Choices not saved yet are given up only when the user says so: ending the program by the
// button or the close box, and opening another tree, ask first; once saved, nothing is asked.
void ChoicesNotSavedAreNotGivenUpUnasked(Driver& d, Checks& c) {
  Open(d, c);
  const int melk = RowOf(d, kMelk);
  c.Require(melk >= 0, "the row of Melk");
  d.ClickRow(PlaceList, melk);
  d.ClickRow(CandidateList, 1);
  const auto asked = [&](const char* title) {
    return LastMessage(d).starts_with(std::string(title) + ": Ihre Auswahl unter den Kandidaten ist noch nicht gespeichert");
  };
  d.AnswerQuestion(false);
  d.Click(QuitButton);
  c.True(asked("Beenden"), "asked before ending: " + LastMessage(d));
  c.Equal(d.QuitRequested(), false, "the program ends after \"Nein\"");
  d.AnswerQuestion(false);
  d.CloseWindow();
  c.True(asked("Beenden"), "asked before the close box ends: " + LastMessage(d));
  c.Equal(d.QuitRequested(), false, "the close box ends the program after \"Nein\"");
  c.Equal(d.Model().choices.size(), 1u, "the choices kept");
  d.AnswerQuestion(true);
  d.Drop(d.Tree());
  c.True(asked("Stammbaum öffnen"), "asked before another tree is opened: " + LastMessage(d));
  c.Require(d.WaitUntilRead(), "the tree read in time");
  c.Equal(d.Model().choices.size(), 0u, "the choices of the tree opened again");
  ExpectCell(d, c, PlaceList, melk, 2, "eindeutig");

  d.ClickRow(PlaceList, melk);
  d.ClickRow(CandidateList, 1);
  d.Answer(d.Dir() / "kopie.ged");
  d.Click(SaveCopyButton);
  c.True(LastMessage(d).starts_with("Berichtigte Kopie speichern: Gespeichert"), "the message: " + LastMessage(d));
  const std::size_t shown = d.Messages().size();
  d.CloseWindow();
  c.Equal(d.Messages().size(), shown, "messages and questions once the choices are saved");
  c.True(d.QuitRequested(), "the close box ends the program");
}

const std::vector<Scenario> kScenarios = {
    {"ATreeGivenAtTheStartIsOpened", ATreeGivenAtTheStartIsOpened},
    {"OpenByTheButton", OpenByTheButton},
    {"ChooseACandidateAndSaveTheCopy", ChooseACandidateAndSaveTheCopy},
    {"SavingOverTheTreeOrTheDataFileIsRefused", SavingOverTheTreeOrTheDataFileIsRefused},
    {"ATreeThatIsNoGedcomIsReported", ATreeThatIsNoGedcomIsReported},
    {"SortByTheHeadingsAndShowOneStatus", SortByTheHeadingsAndShowOneStatus},
    {"EverythingByTheKeyboard", EverythingByTheKeyboard},
    {"TheChoicesSavedBeforeAreOffered", TheChoicesSavedBeforeAreOffered},
    {"ATreeDroppedOntoTheWindowIsOpened", ATreeDroppedOntoTheWindowIsOpened},
    {"TheReportIsSavedAsTheCommandLineWritesIt", TheReportIsSavedAsTheCommandLineWritesIt},
    {"QuitByTheButton", QuitByTheButton},
    {"TheWindowGrowsAndOpensAgainAtItsSize", TheWindowGrowsAndOpensAgainAtItsSize},
    {"ChoicesNotSavedAreNotGivenUpUnasked", ChoicesNotSavedAreNotGivenUpUnasked},
    {"TheMapShowsThePlacesAndTheListTheirDots", TheMapShowsThePlacesAndTheListTheirDots},
};

}  // namespace

Driver::Driver() { std::filesystem::copy_file(VELDARIS_SOURCE_DIR "/tests/data/alte-ortsangaben.ged", Tree()); }

bool Driver::WaitUntilRead(int milliseconds) {
  for (int waited = 0; Model().Reading(); waited += 10) {
    if (waited >= milliseconds) return false;
    Idle();
  }
  Idle();
  return true;
}

std::optional<std::filesystem::path> Driver::NextAnswer(const std::filesystem::path& proposed) {
  proposals_.push_back(proposed);
  if (answers_.empty()) return std::nullopt;
  auto answer = answers_.front();
  answers_.pop_front();
  return answer;
}

bool Driver::NextQuestionAnswer(const std::string& title, const std::string& text) {
  messages_.push_back(title + ": " + text);
  if (questionAnswers_.empty()) return false;
  const bool yes = questionAnswers_.front();
  questionAnswers_.pop_front();
  return yes;
}

void Driver::Click(ControlId id) {
  Note(id, kClickEvent);
  DoClick(id);
}
void Driver::Choose(ControlId combo, int item) {
  Note(combo, kChangeEvent);
  DoChoose(combo, item);
}
void Driver::ClickRow(ControlId list, int row) {
  Note(list, kPickEvent);
  DoClickRow(list, row);
}
void Driver::ClickHeading(int column) {
  Note(PlaceList, kSortEvent);
  DoClickHeading(column);
}
void Driver::Press(Key key) { DoPress(key); }
void Driver::Alt(char letter) { DoAlt(letter); }
void Driver::Drop(const std::filesystem::path& file) { DoDrop(file); }

void Checks::True(bool condition, const std::string& what, const Where& where) {
  if (!condition) Fail(what, where);
}

void Checks::Require(bool condition, const std::string& what, const Where& where) {
  if (condition) return;
  Fail(what + " (the scenario stops here)", where);
  throw Stop{};
}

void Checks::Fail(const std::string& what, const Where& where) {
  failures_.push_back("tree_scenarios.cpp:" + std::to_string(where.line()) + ": " + what);
}

const std::vector<Scenario>& Scenarios() { return kScenarios; }

void Run(const Scenario& scenario, Driver& driver, Checks& checks) {
  try {
    scenario.run(driver, checks);
  } catch (const Stop&) {
  }
}

std::vector<std::string> EventsNotExercised() {
  std::vector<std::string> missing;
  for (const ControlSpec& spec : ControlTable())
    for (ControlEvent event : kEveryEvent)
      if (spec.Raises(event) && !Exercised().contains({spec.id, event}))
        missing.push_back(std::string(spec.name) + " " + NameOf(event));
  return missing;
}

}  // namespace veldaris::tree::scenario
