#include "stammbaum/tree_events.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "core/errors.h"
#include "core/input_file.h"
#include "core/os.h"
#include "core/output_file.h"
#include "core/text1252.h"
#include "stammbaum/tree_window.h"
#include "places/fold.h"
#include "places/data_files.h"
#include "places/png.h"
#include "places/tree_map.h"

namespace veldaris::tree {
namespace {

using Status = places::Resolution::Status;

std::string Shown(const std::filesystem::path& path) { return Windows1252ToUtf8(os::PathTo1252(path)); }

const std::string* ChoiceOf(const TreeWindow& w, const places::CheckedPlace& place) {
  const auto at = w.choices.find(place.value);
  return at == w.choices.end() ? nullptr : &at->second;
}

bool HasCandidates(const places::CheckedPlace& place) { return !place.resolution.Open().empty(); }

std::string StatusWord(const TreeWindow& w, const places::CheckedPlace& place) {
  if (ChoiceOf(w, place)) return "gewählt";
  if (place.resolution.status == Status::kNotAustrian) return "nicht nachgeschlagen";
  return places::StatusText(place.resolution.status);
}

// What the value becomes: the chosen candidate, the unique place, the place abroad.
std::string ShownPlace(const TreeWindow& w, const places::CheckedPlace& place) {
  if (const std::string* chosen = ChoiceOf(w, place)) return *chosen;
  const places::Candidate* found = place.resolution.Place();
  return found ? found->placeString : std::string();
}

bool IsShown(const TreeWindow& w, const places::CheckedPlace& place) {
  const bool chosen = ChoiceOf(w, place) != nullptr;
  const Status s = place.resolution.status;
  switch (w.showing) {
    case Showing::kAll: return true;
    case Showing::kOpen: return !chosen && (s == Status::kAmbiguous || s == Status::kSimilar);
    case Showing::kUnique: return s == Status::kUnique;
    case Showing::kAmbiguous: return s == Status::kAmbiguous;
    case Showing::kSimilar: return s == Status::kSimilar;
    case Showing::kNotFound: return s == Status::kNotFound;
    case Showing::kAbroad: return s == Status::kAbroad;
    case Showing::kChosen: return chosen;
    case Showing::kNotLookedUp: return s == Status::kNotAustrian;
  }
  return true;
}

// The order of the statuses in the sorted list: what needs a decision first.
int StatusRank(const TreeWindow& w, const places::CheckedPlace& place) {
  if (ChoiceOf(w, place)) return 2;
  switch (place.resolution.status) {
    case Status::kAmbiguous: return 0;
    case Status::kSimilar: return 1;
    case Status::kNotFound: return 3;
    case Status::kAbroad: return 4;
    case Status::kUnique: return 5;
    case Status::kNotAustrian: return 6;
  }
  return 7;
}

void AddRow(RowList& rows, const TreeWindow& w, const places::CheckedPlace& place) {
  rows.PushCells({place.value, std::to_string(place.uses), StatusWord(w, place), ShownPlace(w, place)});
}

// The place of PlaceList's current row, if any.
const places::CheckedPlace* CurrentPlace(const TreeWindow& w) {
  const int row = w[PlaceList].current();
  if (!w.tree || row < 0 || static_cast<std::size_t>(row) >= w.view.size()) return nullptr;
  return &w.tree->places[w.view[static_cast<std::size_t>(row)]];
}

void ShowCounts(TreeWindow& w) {
  if (!w.tree) return;
  const places::StatusCounts c = places::CountStatuses(w.tree->places);
  std::size_t chosen = 0;
  for (const places::CheckedPlace& p : w.tree->places) chosen += ChoiceOf(w, p) != nullptr;
  w[CountsText].SetText(std::to_string(c.values) + " Ortsangaben: " + std::to_string(c.unique) + " eindeutig, " +
                        std::to_string(c.ambiguous) + " mehrdeutig, " + std::to_string(c.similar) + " ähnlich, " +
                        std::to_string(c.notFound) + " nicht gefunden, " + std::to_string(c.abroad) + " Ausland, " +
                        std::to_string(c.values - c.lookedUp) + " nicht nachgeschlagen; " + std::to_string(chosen) +
                        " gewählt");
}

// The dots of the open tree's placed values, after every change of what a value stands for.
void PlaceDots(TreeWindow& w) {
  w.dots.clear();
  w.dotOf.clear();
  if (w.tree) {
    w.dots = places::PlaceDots(w.tree->places, w.choices);
    w.dotOf.assign(w.tree->places.size(), TreeWindow::kNoDot);
    for (std::size_t k = 0; k < w.dots.size(); ++k) w.dotOf[w.dots[k].item] = k;
  }
  ++w.mapRevision;
}

// The map around every dot, or around Austria where there are none.
void FitMap(TreeWindow& w) {
  if (const auto box = places::DotsBox(w.dots)) w.mapView.Fit(box->first, box->second);
  else if (w.map) w.mapView.Fit(w.map->austriaLow, w.map->austriaHigh);
  ++w.mapRevision;
}

// The current value's dot highlighted, and brought into view where it lies outside.
void ShowCurrentDot(TreeWindow& w) {
  ++w.mapRevision;
  const places::MapScene scene = w.Scene();
  if (scene.selected && !w.mapView.Shows(w.dots[*scene.selected].at)) w.mapView.CentreOn(w.dots[*scene.selected].at);
}

// The candidates of the current value, "keine" first, and why it is as it is.
void ShowCandidates(TreeWindow& w) {
  const places::CheckedPlace* place = CurrentPlace(w);
  RowList rows;
  int current = -1;
  if (place && HasCandidates(*place)) {
    rows.push_back("keine");
    current = 0;
    const std::string* chosen = ChoiceOf(w, *place);
    for (const places::Candidate& c : place->resolution.Open()) {
      if (chosen && *chosen == c.placeString) current = static_cast<int>(rows.size());
      rows.push_back(c.placeString + (c.coordinates ? "  (" + c.coordinates->latitude + ", " + c.coordinates->longitude + ")"
                                                    : std::string("  (ohne Koordinaten)")));
    }
  }
  w[CandidateList].SetRows(std::move(rows), current);
  w[CandidateList].SetEnabled(place && HasCandidates(*place));
  std::string reason;
  if (place) {
    const places::Resolution& r = place->resolution;
    reason = place->value + "\n" + std::to_string(place->uses) + (place->uses == 1 ? " Datensatz" : " Datensätze") +
             ", " + StatusWord(w, *place);
    if (const places::Candidate* found = r.Place()) {
      reason += ": " + found->placeString;
      if (found->coordinates) reason += " (" + found->coordinates->latitude + ", " + found->coordinates->longitude + ")";
    }
    if (!r.reason.empty()) reason += "\n" + r.reason;
    if (r.status == Status::kNotAustrian) reason += "\nKein Ort in Österreich oder in den Ländern der Monarchie genannt.";
  } else {
    // Before a value is chosen: what this field is for, and where the data comes from, as its
    // licences ask it to be said.
    // The credits' lines are for a terminal; the field breaks them itself.
    std::string credits = places::kDataCredits;
    std::replace(credits.begin(), credits.end(), '\n', ' ');
    reason = "Eine Ortsangabe wählen: hier steht, was sie ist und warum.\n\n" + credits + "\n" + places::kMapCredits +
             "; " + places::kMapCredits1910;
  }
  w[ReasonText].SetText(reason);
  ShowCurrentDot(w);
}

// PlaceList's rows in the filter and the order chosen; the current value stays current
// where it is still shown.
void ShowPlaces(TreeWindow& w) {
  if (!w.tree) return;
  const places::CheckedPlace* before = CurrentPlace(w);
  const auto& places = w.tree->places;
  w.view.clear();
  for (std::size_t k = 0; k < places.size(); ++k)
    if (IsShown(w, places[k])) w.view.push_back(k);
  const auto key = [&](std::size_t k) {
    const places::CheckedPlace& p = places[k];
    switch (w.sortColumn) {
      case 1: return std::pair<long, std::string>(static_cast<long>(p.uses), {});
      case 2: return std::pair<long, std::string>(StatusRank(w, p), {});
      case 3: return std::pair<long, std::string>(0, places::FoldedKey(ShownPlace(w, p)));
      default: return std::pair<long, std::string>(0, places::FoldedKey(p.value));
    }
  };
  // Each value's key made once, not at every comparison.
  std::vector<std::pair<std::pair<long, std::string>, std::size_t>> keyed;
  keyed.reserve(w.view.size());
  for (std::size_t k : w.view) keyed.emplace_back(key(k), k);
  std::stable_sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
    return w.descending ? b.first < a.first : a.first < b.first;
  });
  for (std::size_t i = 0; i < keyed.size(); ++i) w.view[i] = keyed[i].second;
  RowList rows;
  rows.reserve(w.view.size(), 80);
  int current = -1;
  for (std::size_t k : w.view) {
    if (&places[k] == before) current = static_cast<int>(rows.size());
    AddRow(rows, w, places[k]);
  }
  w[PlaceList].SetRows(std::move(rows), current);
  ShowCandidates(w);
}

void Refresh(TreeWindow& w) {
  ShowCounts(w);
  PlaceDots(w);
  ShowPlaces(w);
  const bool open = w.tree.has_value();
  w[SaveCopyButton].SetEnabled(open);
  w[SaveReportButton].SetEnabled(open);
  w[TakeChoicesButton].SetVisible(w.offered.has_value());
  w[TakeChoicesButton].SetEnabled(true);
}

void StartOpening(TreeWindow& w, const std::filesystem::path& path) {
  if (w.Reading()) return;
  w[Progress].SetVisible(true);
  w[Progress].SetProgress(0);
  w[TreeText].SetText("Wird gelesen: " + Shown(path));
  // Nothing to save while the tree is read; the button that opened it keeps the focus (a second
  // tree is not read while one is).
  for (ControlId id : {SaveCopyButton, SaveReportButton, TakeChoicesButton}) w[id].SetEnabled(false);
  w.StartReading(path);
}

// The choices saved beside the proposed copy of a tree, where there are some that fit it.
void LookForChoices(TreeWindow& w) {
  w.offered.reset();
  w.offeredLeftOut = 0;
  const std::filesystem::path file = ChoicesFileOf(ProposedCopy(w.tree->path));
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return;
  try {
    std::vector<places::ChoiceProblem> problems;
    places::Choices found = places::ReadChoices(ReadWholeFile(file, os::PathTo1252(file)), w.tree->places, problems);
    w.offeredLeftOut = problems.size();
    if (!found.empty()) w.offered = std::move(found);
  } catch (const SystemError&) {
    // An unreadable file of choices is no tree: there is simply nothing to offer.
  }
}

void Finish(TreeWindow& w, TreeWindow::Finished finished) {
  w[Progress].SetVisible(false);
  if (!finished.tree) {
    w[TreeText].SetText(w.tree ? Shown(w.tree->path) : SpecOf(TreeText).caption);
    Refresh(w);
    w.platform.ShowMessage("Stammbaum öffnen", "Der Stammbaum kann nicht gelesen werden:\n" + finished.failure);
    return;
  }
  w.tree = std::move(finished.tree);
  w.choices.clear();
  w.savedChoices.clear();
  w[PlaceList].SetRows({}, -1);
  LookForChoices(w);
  w[TreeText].SetText(Shown(w.tree->path));
  Refresh(w);
  FitMap(w);
  if (w.offered)
    w[CountsText].SetText(w[CountsText].text() + "; frühere Auswahl gefunden: " + std::to_string(w.offered->size()) +
                          (w.offeredLeftOut ? " (" + std::to_string(w.offeredLeftOut) + " passen nicht mehr)" : ""));
}

// Choices not yet saved are given up only when the user says so.
bool MayGiveUpChoices(TreeWindow& w, const std::string& title, const std::string& question) {
  if (w.choices == w.savedChoices) return true;
  return w.platform.AskYesNo(title, "Ihre Auswahl unter den Kandidaten ist noch nicht gespeichert; "
                                    "\"Berichtigte Kopie speichern…\" speichert sie mit der Kopie.\n" +
                                        question);
}

void OpenClicked(TreeWindow& w) {
  if (w.Reading() || !MayGiveUpChoices(w, "Stammbaum öffnen", "Trotzdem einen anderen Stammbaum öffnen?")) return;
  std::filesystem::path folder = w.tree ? w.tree->path.parent_path() : std::filesystem::path{};
  if (folder.empty()) {
    std::error_code ec;
    folder = std::filesystem::current_path(ec);
  }
  if (const auto path = w.platform.AskFileToOpen("Stammbaum öffnen", folder)) StartOpening(w, *path);
}

// A file the program writes must not take the place of the tree or of the data file.
bool Refused(TreeWindow& w, const std::filesystem::path& target, const std::string& title) {
  std::error_code ec;
  const auto same = [&](const std::filesystem::path& kept) {
    return target == kept || std::filesystem::equivalent(target, kept, ec);
  };
  if (w.tree && same(w.tree->path)) {
    w.platform.ShowMessage(title, "Das ist der Stammbaum selbst: er bleibt, wie er ist. Bitte einen anderen Namen wählen.");
    return true;
  }
  if (same(w.dataFile)) {
    w.platform.ShowMessage(title, "Das ist die Ortsdatei: sie bleibt, wie sie ist. Bitte einen anderen Namen wählen.");
    return true;
  }
  return false;
}

void Write(TreeWindow& w, const std::filesystem::path& path, std::string_view bytes) {
  OutputFile file(path, os::PathTo1252(path), w.disk);
  file.Write(bytes);
  file.Close();
}

std::string FailureText(const SystemError& error) {
  return Windows1252ToUtf8(error.Description()) + (error.File().empty() ? "" : " (" + Windows1252ToUtf8(error.File()) + ")");
}

void SaveCopy(TreeWindow& w) {
  if (!w.tree) return;
  const std::string title = "Berichtigte Kopie speichern";
  const auto path = w.platform.AskFileToSave(title, ProposedCopy(w.tree->path), FileKind::kGedcom);
  if (!path || Refused(w, *path, title)) return;
  std::size_t rewritten = 0;
  const std::string copy = places::CorrectedCopy(*w.tree->tree, w.tree->places, w.choices, rewritten);
  const std::filesystem::path choices = ChoicesFileOf(*path);
  try {
    Write(w, *path, copy);
  } catch (const SystemError& error) {
    w.platform.ShowMessage(title, "Die Kopie konnte nicht gespeichert werden: " + FailureText(error) +
                                      "\nDer Stammbaum bleibt, wie er ist.");
    return;
  }
  try {
    Write(w, choices, places::FormatChoices(w.choices));
  } catch (const SystemError& error) {
    w.platform.ShowMessage(title, "Die Kopie ist gespeichert, die Auswahl nicht: " + FailureText(error));
    return;
  }
  w.savedChoices = w.choices;
  w.platform.ShowMessage(title, "Gespeichert: " + Shown(*path) + "\n" + std::to_string(rewritten) +
                                    " Ortsangaben berichtigt; die Auswahl steht daneben in " + Shown(choices.filename()) +
                                    ".");
}

void SaveReport(TreeWindow& w) {
  if (!w.tree) return;
  const std::string title = "Bericht speichern";
  const auto path = w.platform.AskFileToSave(title, ProposedReport(w.tree->path), FileKind::kCsv);
  if (!path || Refused(w, *path, title)) return;
  try {
    Write(w, *path, places::ReportCsv(w.tree->places, false));
  } catch (const SystemError& error) {
    w.platform.ShowMessage(title, "Der Bericht konnte nicht gespeichert werden: " + FailureText(error));
    return;
  }
  w.platform.ShowMessage(title, "Gespeichert: " + Shown(*path));
}

// The map as it is shown, as SVG or, by the name's ending, as PNG.
void SaveMap(TreeWindow& w) {
  const std::string title = "Karte speichern";
  std::error_code ec;
  const std::filesystem::path proposed =
      w.tree ? ProposedMap(w.tree->path) : std::filesystem::current_path(ec) / "stammbaum-karte.svg";
  const auto path = w.platform.AskFileToSave(title, proposed, FileKind::kMap);
  if (!path || Refused(w, *path, title)) return;
  std::string extension = path->extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const places::MapScene scene = w.Scene();
  std::string bytes;
  if (extension == ".png") {
    const std::vector<std::uint8_t> pixels = w.platform.RenderMap(scene);
    if (pixels.empty()) {
      w.platform.ShowMessage(title, "Die Karte kann hier nicht als PNG gezeichnet werden; bitte als SVG speichern.");
      return;
    }
    bytes = places::EncodePng(scene.view.width(), scene.view.height(), pixels);
  } else {
    std::vector<std::string> titles;
    titles.reserve(w.dots.size());
    for (const places::MapDot& dot : w.dots) titles.push_back(places::DotTitle(w.tree->places[dot.item], w.choices));
    bytes = places::MapSvg(scene, titles);
  }
  try {
    Write(w, *path, bytes);
  } catch (const SystemError& error) {
    w.platform.ShowMessage(title, "Die Karte konnte nicht gespeichert werden: " + FailureText(error));
    return;
  }
  w.platform.ShowMessage(title, "Gespeichert: " + Shown(*path));
}

void SwitchLands1910(TreeWindow& w) {
  w[Lands1910Box].SetSelected(!w[Lands1910Box].selected());
  ++w.mapRevision;
}

void TakeChoices(TreeWindow& w) {
  if (!w.offered) return;
  for (const auto& [value, placeString] : *w.offered) w.choices[value] = placeString;
  w.savedChoices = std::move(*w.offered);
  w.offered.reset();
  Refresh(w);
}

void Choose(TreeWindow& w, int row) {
  const places::CheckedPlace* place = CurrentPlace(w);
  if (!place || !HasCandidates(*place) || row < 0) return;
  const auto candidates = place->resolution.Open();
  if (row == 0) w.choices.erase(place->value);
  else if (static_cast<std::size_t>(row) <= candidates.size())
    w.choices[place->value] = candidates[static_cast<std::size_t>(row) - 1].placeString;
  else return;
  const int current = w[PlaceList].current();
  w[PlaceList].SetCell(static_cast<std::size_t>(current), 2, StatusWord(w, *place));
  w[PlaceList].SetCell(static_cast<std::size_t>(current), 3, ShownPlace(w, *place));
  w[CandidateList].SetCurrent(row);
  ShowCounts(w);
  // The dot moves to the place chosen at once.
  PlaceDots(w);
  ShowCandidates(w);
}

}  // namespace

std::filesystem::path ProposedCopy(const std::filesystem::path& tree) {
  return tree.parent_path() / (tree.stem().native() + std::filesystem::path("-berichtigt.ged").native());
}

std::filesystem::path ChoicesFileOf(const std::filesystem::path& copy) {
  return copy.parent_path() / (copy.stem().native() + std::filesystem::path("-auswahl.csv").native());
}

std::filesystem::path ProposedReport(const std::filesystem::path& tree) {
  return tree.parent_path() / (tree.stem().native() + std::filesystem::path("-bericht.csv").native());
}

std::filesystem::path ProposedMap(const std::filesystem::path& tree) {
  return tree.parent_path() / (tree.stem().native() + std::filesystem::path("-karte.svg").native());
}

void OnLoad(TreeWindow& w, const std::optional<std::filesystem::path>& tree) {
  Refresh(w);
  w[Progress].SetVisible(false);
  w[CandidateList].SetEnabled(false);
  if (tree) StartOpening(w, *tree);
}

bool OnClose(TreeWindow& w) {
  if (!w.leaving) w.leaving = MayGiveUpChoices(w, "Beenden", "Trotzdem beenden?");
  return w.leaving;
}

namespace {

void Quit(TreeWindow& w) {
  if (OnClose(w)) w.platform.Quit();
}

// An item of Filter or Sort picked.
void ShowOnly(TreeWindow& w, int item) {
  w.showing = static_cast<Showing>(item);
  ShowPlaces(w);
}
void SortBy(TreeWindow& w, int item) {
  w.sortColumn = static_cast<std::size_t>(item);
  w.descending = false;
  ShowPlaces(w);
}

void PickPlace(TreeWindow& w, int row) {
  if (row < -1 || row >= static_cast<int>(w.view.size())) return;
  w[PlaceList].SetCurrent(row);
  ShowCandidates(w);
}

void SortByColumn(TreeWindow& w, int column) {
  if (column < 0 || static_cast<std::size_t>(column) >= PlaceColumns().size()) return;
  // The same heading again turns the order round.
  w.descending = w.sortColumn == static_cast<std::size_t>(column) && !w.descending;
  w.sortColumn = static_cast<std::size_t>(column);
  w[Sort].SetCurrent(column);
  ShowPlaces(w);
}

// Which handler each event of each control runs, with the item, the row or the column the
// event is of. The control table says which events a control raises.
struct EventRoute {
  ControlId id;
  ControlEvent event;
  void (*handler)(TreeWindow&, int);
};
const EventRoute kRoutes[] = {
    {OpenButton, kClickEvent, [](TreeWindow& w, int) { OpenClicked(w); }},
    {SaveCopyButton, kClickEvent, [](TreeWindow& w, int) { SaveCopy(w); }},
    {SaveReportButton, kClickEvent, [](TreeWindow& w, int) { SaveReport(w); }},
    {TakeChoicesButton, kClickEvent, [](TreeWindow& w, int) { TakeChoices(w); }},
    {Lands1910Box, kClickEvent, [](TreeWindow& w, int) { SwitchLands1910(w); }},
    {ShowAllButton, kClickEvent, [](TreeWindow& w, int) { FitMap(w); }},
    {SaveMapButton, kClickEvent, [](TreeWindow& w, int) { SaveMap(w); }},
    {QuitButton, kClickEvent, [](TreeWindow& w, int) { Quit(w); }},
    {Filter, kChangeEvent, ShowOnly},
    {Sort, kChangeEvent, SortBy},
    {PlaceList, kPickEvent, PickPlace},
    {PlaceList, kSortEvent, SortByColumn},
    {CandidateList, kPickEvent, Choose},
};

void (*HandlerOf(ControlId id, ControlEvent event))(TreeWindow&, int) {
  for (const EventRoute& route : kRoutes)
    if (route.id == id && route.event == event) return route.handler;
  return nullptr;
}

void Route(TreeWindow& w, ControlId id, ControlEvent event, int n) {
  if (const auto handler = HandlerOf(id, event)) handler(w, n);
}

}  // namespace

void OnClick(TreeWindow& w, ControlId id) { Route(w, id, kClickEvent, 0); }

void OnChange(TreeWindow& w, ControlId id, int item) {
  if (item < 0 || static_cast<std::size_t>(item) >= w[id].rows().size() || !HandlerOf(id, kChangeEvent)) return;
  w[id].SetCurrent(item);
  Route(w, id, kChangeEvent, item);
}

void OnPick(TreeWindow& w, ControlId id, int row) { Route(w, id, kPickEvent, row); }

void OnSort(TreeWindow& w, int column) { Route(w, PlaceList, kSortEvent, column); }

void OnDrop(TreeWindow& w, const std::filesystem::path& file) {
  if (w.Reading() || !MayGiveUpChoices(w, "Stammbaum öffnen", "Trotzdem einen anderen Stammbaum öffnen?")) return;
  StartOpening(w, file);
}

void OnTick(TreeWindow& w) {
  if (auto finished = w.PollReading()) Finish(w, std::move(*finished));
}

void WaitForTree(TreeWindow& w) {
  if (auto finished = w.WaitForReading()) Finish(w, std::move(*finished));
}

void OnFocus(TreeWindow& w, ControlId id) { w.focus = id; }

void OnMapKey(TreeWindow& w, MapKey key) {
  places::MapView& view = w.mapView;
  const double step = std::min(view.width(), view.height()) / 6.0;
  const places::MapView::Pixel middle{view.width() / 2.0, view.height() / 2.0};
  switch (key) {
    case MapKey::kZoomIn: view.ZoomAbout(middle, 1.5); break;
    case MapKey::kZoomOut: view.ZoomAbout(middle, 1 / 1.5); break;
    // An arrow looks further that way: the map moves the other.
    case MapKey::kLeft: view.Pan(step, 0); break;
    case MapKey::kRight: view.Pan(-step, 0); break;
    case MapKey::kUp: view.Pan(0, step); break;
    case MapKey::kDown: view.Pan(0, -step); break;
    case MapKey::kAll: FitMap(w); break;
  }
  ++w.mapRevision;
}

void OnMapClick(TreeWindow& w, double x, double y) {
  const auto dot = places::DotAt(w.mapView, w.dots, {x, y});
  if (!dot || !w.tree) return;
  const std::size_t place = w.dots[*dot].item;
  const auto rowOf = [&] { return std::find(w.view.begin(), w.view.end(), place) - w.view.begin(); };
  if (static_cast<std::size_t>(rowOf()) == w.view.size()) {
    // A value the filter hides: the list shows them all again.
    w.showing = Showing::kAll;
    w[Filter].SetCurrent(0);
    ShowPlaces(w);
  }
  PickPlace(w, static_cast<int>(rowOf()));
}

void OnMapWheel(TreeWindow& w, double x, double y, double notches) {
  w.mapView.ZoomAbout({x, y}, std::pow(1.25, notches));
  ++w.mapRevision;
}

void OnMapDrag(TreeWindow& w, double dx, double dy) {
  w.mapView.Pan(dx, dy);
  ++w.mapRevision;
}

void OnMapSize(TreeWindow& w, int width, int height) {
  if (width == w.mapView.width() && height == w.mapView.height()) return;
  w.mapView.SetSize(width, height);
  // Before a tree is open, the map shows Austria whole.
  if (!w.tree && w.map) w.mapView.Fit(w.map->austriaLow, w.map->austriaHigh);
  ++w.mapRevision;
}

std::string MapTip(const TreeWindow& w, double x, double y) {
  const auto dot = places::DotAt(w.mapView, w.dots, {x, y});
  if (!dot || !w.tree) return {};
  return places::DotTitle(w.tree->places[w.dots[*dot].item], w.choices);
}

bool IsRouted(ControlId id, ControlEvent event) { return HandlerOf(id, event) != nullptr; }

}  // namespace veldaris::tree
