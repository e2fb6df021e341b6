#include "stammbaum/tree_controls.h"

#include "model/version.h"

namespace veldaris::tree {
namespace {

using K = ControlKind;

// A control in pixels at 96 dots per inch, as this window is designed; the table holds
// twips. Its keyboard order is the table's.
ControlSpec Spec(ControlId id, const char* name, K kind, int left, int top, int width, int height, const char* caption,
                 const char* accessibleName, const char* tooltip, bool tabStop, unsigned events, Follow follows = {}) {
  constexpr int kTwips = 15;
  return ControlSpec{id,
                     name,
                     kind,
                     false,
                     left * kTwips,
                     top * kTwips,
                     width * kTwips,
                     height * kTwips,
                     caption,
                     {},
                     0,
                     false,
                     std::nullopt,
                     static_cast<int>(id),
                     tabStop,
                     true,
                     Alignment::kLeft,
                     tooltip,
                     {},
                     std::nullopt,
                     accessibleName,
                     events,
                     false,
                     std::nullopt,
                     follows};
}

// Made larger, the window gives its width to the texts, to the list of values and the candidates
// (three fifths) and to the map and the Hinweis beside them (two fifths), its height to the list
// of values and the map (three fifths) and to the candidates and the Hinweis (two fifths); the
// buttons on the right and at the bottom keep to their edges, the map's to the map's.
constexpr Follow kWide{0, 0, 100, 0};
constexpr Follow kRight{100, 0, 100, 0};
constexpr Follow kPlacesLabel{0, 0, 60, 0};
constexpr Follow kPlaces{0, 0, 60, 60};
constexpr Follow kBelowPlaces{0, 60, 60, 60};
constexpr Follow kCandidates{0, 60, 60, 100};
constexpr Follow kMapLabel{60, 0, 60, 0};
constexpr Follow kMap{60, 0, 100, 60};
constexpr Follow kReasonLabel{60, 60, 100, 60};
constexpr Follow kReason{60, 60, 100, 100};
constexpr Follow kBottom{0, 100, 0, 100};
constexpr Follow kBottomMap{60, 100, 60, 100};
constexpr Follow kBottomRight{100, 100, 100, 100};

const std::array<ControlSpec, kControlCount> kTable = {{
    Spec(OpenButton, "OpenButton", K::kButton, 12, 12, 190, 28, "Stammbaum &öffnen…", "Stammbaum öffnen",
         "Eine GEDCOM-Datei (.ged) öffnen und ihre Ortsangaben prüfen", true, kClickEvent),
    Spec(TreeText, "TreeText", K::kText, 212, 14, 696, 24, "Kein Stammbaum geöffnet", "Geöffneter Stammbaum", "", true,
         0, kWide),
    Spec(CountsText, "CountsText", K::kText, 12, 48, 896, 24, "", "Ortsangaben nach Status", "", true, 0, kWide),
    Spec(Progress, "Progress", K::kProgress, 12, 76, 896, 16, "", "Fortschritt beim Lesen", "", false, 0, kWide),
    Spec(FilterLabel, "FilterLabel", K::kLabel, 12, 104, 64, 20, "&Zeigen:", "", "", false, 0),
    Spec(Filter, "Filter", K::kDropDownList, 80, 100, 250, 26, "", "Zeigen", "Nur die Ortsangaben eines Status zeigen",
         true, kChangeEvent),
    Spec(SortLabel, "SortLabel", K::kLabel, 344, 104, 104, 20, "&Sortieren nach:", "", "", false, 0),
    Spec(Sort, "Sort", K::kDropDownList, 452, 100, 210, 26, "", "Sortieren nach", "Die Liste nach einer Spalte ordnen",
         true, kChangeEvent),
    Spec(TakeChoicesButton, "TakeChoicesButton", K::kButton, 676, 98, 232, 28, "Frühere &Auswahl übernehmen",
         "Frühere Auswahl übernehmen", "Die Auswahl, die beim letzten Speichern neben der Kopie gespeichert wurde", true,
         kClickEvent, kRight),
    Spec(PlacesLabel, "PlacesLabel", K::kLabel, 12, 134, 548, 18, "&Ortsangaben des Stammbaums", "", "", false, 0,
         kPlacesLabel),
    Spec(PlaceList, "PlaceList", K::kTable, 12, 154, 548, 258, "", "Ortsangaben des Stammbaums",
         "Eine Ortsangabe wählen; ein Klick auf eine Spaltenüberschrift sortiert", true, kPickEvent | kSortEvent,
         kPlaces),
    Spec(CandidatesLabel, "CandidatesLabel", K::kLabel, 12, 420, 548, 18,
         "&Kandidaten (wählen mit Klick, Eingabe oder Leertaste)", "", "", false, 0, kBelowPlaces),
    Spec(CandidateList, "CandidateList", K::kChoiceList, 12, 440, 548, 132, "", "Kandidaten",
         "\"keine\" nimmt eine Wahl zurück", true, kPickEvent, kCandidates),
    Spec(MapLabel, "MapLabel", K::kLabel, 572, 134, 160, 18, "Kar&te", "", "", false, 0, kMapLabel),
    Spec(Map, "Map", K::kMap, 572, 154, 336, 258, "", "Karte der Ortsangaben",
         "Ein Punkt je Ortsangabe mit Ort, seine Fläche nach der Zahl der Datensätze; ein Klick auf einen Punkt "
         "wählt seine Ortsangabe in der Liste. Mausrad, + und - vergrößern und verkleinern, Pfeiltasten und "
         "Ziehen verschieben, Pos1 zeigt alles. Alles, was die Karte zeigt, steht auch in der Liste.",
         true, 0, kMap),
    Spec(Lands1910Box, "Lands1910Box", K::kCheckBox, 740, 132, 168, 20, "Kronländer &1910", "Kronländer 1910",
         "Die Kronländer und Länder Österreich-Ungarns von 1910 auf der Karte zeigen", true, kClickEvent, kRight),
    Spec(ShowAllButton, "ShowAllButton", K::kButton, 572, 584, 110, 30, "A&lles zeigen", "Alles zeigen",
         "Die Karte so zeigen, dass alle Orte des Stammbaums zu sehen sind", true, kClickEvent, kBottomMap),
    Spec(SaveMapButton, "SaveMapButton", K::kButton, 690, 584, 110, 30, "Karte s&peichern…", "Karte speichern",
         "Die Karte, wie sie zu sehen ist, als SVG- oder PNG-Datei speichern", true, kClickEvent, kBottomMap),
    Spec(ReasonLabel, "ReasonLabel", K::kLabel, 572, 420, 336, 18, "&Hinweis", "", "", false, 0, kReasonLabel),
    Spec(ReasonText, "ReasonText", K::kNotes, 572, 440, 336, 132, "", "Hinweis", "", true, 0, kReason),
    Spec(SaveCopyButton, "SaveCopyButton", K::kButton, 12, 584, 240, 30, "&Berichtigte Kopie speichern…",
         "Berichtigte Kopie speichern", "Eine Kopie des Stammbaums mit den berichtigten Ortsangaben speichern", true,
         kClickEvent, kBottom),
    Spec(SaveReportButton, "SaveReportButton", K::kButton, 262, 584, 200, 30, "&CSV-Bericht speichern…",
         "Bericht speichern", "Den Bericht über die Ortsangaben als CSV-Datei speichern", true, kClickEvent, kBottom),
    Spec(QuitButton, "QuitButton", K::kButton, 808, 584, 100, 30, "B&eenden", "Beenden", "", true, kClickEvent,
         kBottomRight),
}};

const std::string kPlaceColumns[] = {"Ortsangabe", "Anzahl", "Status", "Ortsbezeichnung oder heute"};

}  // namespace

const std::array<ControlSpec, kControlCount>& ControlTable() { return kTable; }
const ControlSpec& SpecOf(ControlId id) { return kTable[static_cast<std::size_t>(id)]; }
const char* NameOf(ControlId id) { return id == kControlCount ? "none" : SpecOf(id).name; }

std::span<const std::string> PlaceColumns() { return kPlaceColumns; }

std::string WindowCaption() { return std::string("Veldaris Stammbaum     Version: ") + VELDARIS_VERSION; }

}  // namespace veldaris::tree
