#include "stammbaum/tree_controls.h"

#include "model/version.h"

namespace veldaris::tree {
namespace {

using K = ControlKind;

const std::array<ControlSpec, kControlCount> kTable = {{
    {OpenButton, "OpenButton", K::kButton, 12, 12, 190, 28, "Stammbaum &öffnen…", "Stammbaum öffnen",
     "Eine GEDCOM-Datei (.ged) öffnen und ihre Ortsangaben prüfen", true, kClickEvent},
    {TreeText, "TreeText", K::kText, 212, 14, 696, 24, "Kein Stammbaum geöffnet", "Geöffneter Stammbaum", "", true, 0},
    {CountsText, "CountsText", K::kText, 12, 48, 896, 24, "", "Ortsangaben nach Status", "", true, 0},
    {Progress, "Progress", K::kProgress, 12, 76, 896, 16, "", "Fortschritt beim Lesen", "", false, 0},
    {FilterLabel, "FilterLabel", K::kLabel, 12, 104, 64, 20, "&Zeigen:", "", "", false, 0},
    {Filter, "Filter", K::kComboBox, 80, 100, 250, 26, "", "Zeigen", "Nur die Ortsangaben eines Status zeigen", true,
     kChangeEvent},
    {SortLabel, "SortLabel", K::kLabel, 344, 104, 104, 20, "&Sortieren nach:", "", "", false, 0},
    {Sort, "Sort", K::kComboBox, 452, 100, 210, 26, "", "Sortieren nach", "Die Liste nach einer Spalte ordnen", true,
     kChangeEvent},
    {TakeChoicesButton, "TakeChoicesButton", K::kButton, 676, 98, 232, 28, "Frühere &Auswahl übernehmen",
     "Frühere Auswahl übernehmen", "Die Auswahl, die beim letzten Speichern neben der Kopie gespeichert wurde", true,
     kClickEvent},
    {PlacesLabel, "PlacesLabel", K::kLabel, 12, 134, 896, 18, "&Ortsangaben des Stammbaums", "", "", false, 0},
    {PlaceList, "PlaceList", K::kTable, 12, 154, 896, 258, "", "Ortsangaben des Stammbaums",
     "Eine Ortsangabe wählen; ein Klick auf eine Spaltenüberschrift sortiert", true, kPickEvent | kSortEvent},
    {CandidatesLabel, "CandidatesLabel", K::kLabel, 12, 420, 560, 18, "&Kandidaten (wählen mit Klick, Eingabe oder Leertaste)",
     "", "", false, 0},
    {CandidateList, "CandidateList", K::kList, 12, 440, 560, 132, "", "Kandidaten",
     "\"keine\" nimmt eine Wahl zurück", true, kPickEvent},
    {ReasonLabel, "ReasonLabel", K::kLabel, 584, 420, 324, 18, "&Hinweis", "", "", false, 0},
    {ReasonText, "ReasonText", K::kNotes, 584, 440, 324, 132, "", "Hinweis", "", true, 0},
    {SaveCopyButton, "SaveCopyButton", K::kButton, 12, 584, 240, 30, "&Berichtigte Kopie speichern…",
     "Berichtigte Kopie speichern", "Eine Kopie des Stammbaums mit den berichtigten Ortsangaben speichern", true,
     kClickEvent},
    {SaveReportButton, "SaveReportButton", K::kButton, 262, 584, 200, 30, "&CSV-Bericht speichern…", "Bericht speichern",
     "Den Bericht über die Ortsangaben als CSV-Datei speichern", true, kClickEvent},
    {QuitButton, "QuitButton", K::kButton, 808, 584, 100, 30, "B&eenden", "Beenden", "", true, kClickEvent},
}};

const std::string kPlaceColumns[] = {"Ortsangabe", "Anzahl", "Status", "Ortsbezeichnung oder heute"};

}  // namespace

const std::array<ControlSpec, kControlCount>& ControlTable() { return kTable; }
const ControlSpec& SpecOf(ControlId id) { return kTable[static_cast<std::size_t>(id)]; }
const char* NameOf(ControlId id) { return id == kControlCount ? "none" : SpecOf(id).name; }

const char* NameOf(ControlEvent event) {
  switch (event) {
    case kClickEvent: return "click";
    case kChangeEvent: return "change";
    case kPickEvent: return "pick";
    case kSortEvent: return "sort";
  }
  return "?";
}

std::span<const std::string> PlaceColumns() { return kPlaceColumns; }

std::string WindowCaption() { return std::string("Veldaris Stammbaum     Version: ") + VELDARIS_VERSION; }

}  // namespace veldaris::tree
