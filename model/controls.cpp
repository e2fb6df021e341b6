#include "model/controls.h"

#include <string_view>

#include "core/text1252.h"
#include "model/version.h"

namespace veldaris {
namespace {

using K = ControlKind;
using A = Alignment;
constexpr auto kNoBackground = std::nullopt;
const std::string kStandard;
const std::string kSans = "MS Sans Serif";

ControlSpec Spec(ControlId id, const char* name, K kind, bool inFrame, int left, int top,
                 int width, int height, const char* caption, const std::string& font,
                 double points, bool bold, std::optional<Rgb> background, int tabIndex,
                 bool tabStop = true, bool readOnly = false, A alignment = A::kLeft,
                 const char* tooltip = "", const char* picture = "") {
  return ControlSpec{id,         name,   kind,          inFrame,         left,
                     top,        width,  height,        Cp1252(caption), font,
                     points,     bold,   background,    tabIndex,        tabStop,
                     readOnly,   alignment, Cp1252(tooltip), picture, std::nullopt, {}, 0, false, std::nullopt,
                     Follow{}};
}

std::array<ControlSpec, kControlCount> Designed() {
  return {
    Spec(Text2, "Text2", K::kTextBox, false, 120, 5880, 1335, 150, " Im Zwischenspeicher",
         "Small Fonts", 6.75, false, kFormBackground, 35, false),
    Spec(Combo2, "Combo2", K::kComboBox, false, 1680, 4800, 4095, 420, "", kSans, 12, false,
         kNoBackground, 34),
    Spec(Combo1, "Combo1", K::kComboBox, false, 1680, 5400, 4095, 420, "", kSans, 12, false,
         kNoBackground, 33),
    Spec(Command11, "Command11", K::kButton, false, 5040, 840, 375, 495, "List", kStandard, 0,
         false, kNoBackground, 32),
    Spec(Frame1, "Frame1", K::kFrame, false, 5760, 3600, 375, 2295, "Frame1", kStandard, 0,
         false, kFormBackground, 29),
    Spec(Option4, "Option4", K::kOptionButton, true, 120, 720, 255, 255, "Option4", kStandard,
         0, false, kFormBackground, 31),
    Spec(Option3, "Option3", K::kOptionButton, true, 120, 120, 255, 255, "Option3", kStandard,
         0, false, kFormBackground, 30),
    Spec(Option5, "Option5", K::kOptionButton, true, 120, 1200, 255, 375, "Option5", kStandard,
         0, false, kFormBackground, 36),
    Spec(Command10, "Command10", K::kButton, false, 7080, 6720, 615, 495, "c10", kStandard, 0,
         false, kNoBackground, 28),
    Spec(Command9, "Command9", K::kButton, false, 6360, 6720, 615, 495, "c9", kStandard, 0,
         false, kNoBackground, 27),
    Spec(Command7, "Command7", K::kButton, false, 1320, 6720, 1215, 495, "Orte eingeben",
         kStandard, 0, false, kNoBackground, 26),
    Spec(Command6, "Command6", K::kButton, false, 120, 6720, 1095, 495, "*.ort  prüfen",
         kStandard, 0, false, kNoBackground, 25),
    Spec(Command5, "Command5", K::kButton, false, 3960, 6720, 1215, 495, "Ergänzung beenden",
         kStandard, 0, false, kNoBackground, 24),
    Spec(Command4, "Command4", K::kButton, false, 2640, 6720, 1215, 495, "Ort hinzufügen",
         kStandard, 0, false, kNoBackground, 23),
    Spec(Text5, "Text5", K::kTextBox, false, 6120, 3600, 1575, 375, "", kSans, 12, false,
         kNoBackground, 22),
    Spec(Picture2, "Picture2", K::kPictureBox, false, 5520, 120, 2175, 1215, "", kStandard, 0,
         false, kNoBackground, 21, true, false, A::kLeft, "", "picture2.png"),
    Spec(Text16, "Text16", K::kTextBox, false, 120, 6000, 7575, 360, "", kSans, 9.75, false,
         kNoBackground, 20, true, false, A::kLeft,
         "Ortsbezeichnung im PAF-Standart. Durch einfachen Klick in Zwischenablage kopieren."),
    Spec(Text15, "Text15", K::kTextBox, false, 120, 1440, 7575, 285, "Suchergebnisse",
         kStandard, 0, false, kNoBackground, 19, true, true),
    Spec(List1, "List1", K::kListBox, false, 120, 1680, 7575, 1740, "", "Courier New", 8.25,
         false, kNoBackground, 18, true, false, A::kLeft,
         "Klicken Sie den gewünschten Ort an und Sie erhalten Details in den unteren Feldern."),
    Spec(Picture1, "Picture1", K::kPictureBox, false, 6120, 4200, 1575, 975, "", kStandard, 0,
         false, kNoBackground, 17, true, false, A::kLeft, "", "flag.png"),
    Spec(Command3, "Command3", K::kButton, false, 6120, 5400, 1575, 375, "B&eenden", kStandard,
         0, false, kNoBackground, 16, true, false, A::kLeft,
         "Beendet das Programm. Tastenkombination ALT + e"),
    Spec(Option2, "Option2", K::kOptionButton, false, 120, 1080, 975, 255, "enthält", kStandard,
         0, false, kFormBackground, 15, true, false, A::kLeft,
         R"(Sucht nach Teilen im Wort z.B.: "kirch" in "Buchkirchen".)"),
    Spec(Option1, "Option1", K::kOptionButton, false, 120, 840, 975, 255, "beginnt", kStandard,
         0, false, kFormBackground, 14, true, false, A::kLeft,
         R"(Sucht nach Wortanfängen z.B.: "Buch" in Buchkirchen.)"),
    Spec(Text14, "Text14", K::kTextBox, false, 120, 5400, 1455, 375, "Bundesland", kSans, 12,
         true, kFormBackground, 13, false, true, A::kRight),
    Spec(Text13, "Text13", K::kTextBox, false, 120, 4800, 1455, 375, "Bezirk", kSans, 12, true,
         kFormBackground, 12, false, true, A::kRight),
    Spec(Text12, "Text12", K::kTextBox, false, 120, 4200, 1455, 375, "Gemeinde", kSans, 12, true,
         kFormBackground, 11, false, false, A::kRight),
    Spec(Text11, "Text11", K::kTextBox, false, 120, 3600, 1455, 375, "Ort", kSans, 12, true,
         kFormBackground, 10, false, true, A::kRight),
    Spec(Text10, "Text10", K::kTextBox, false, 1680, 5400, 4095, 375, "", kSans, 12, false,
         kNoBackground, 9),
    Spec(Text9, "Text9", K::kTextBox, false, 1680, 4800, 4095, 375, "", kSans, 12, false,
         kNoBackground, 8),
    Spec(Text8, "Text8", K::kTextBox, false, 1680, 4200, 4095, 375, "", kSans, 12, false,
         kNoBackground, 7),
    Spec(Text7, "Text7", K::kTextBox, false, 1680, 3600, 4095, 375, "", kSans, 12, false,
         kNoBackground, 6),
    Spec(Command2, "Command2", K::kButton, false, 3360, 840, 2055, 495, "Eingabe &Löschen",
         kStandard, 0, false, kNoBackground, 5, true, false, A::kLeft,
         "Löscht die Eingabefelder in >Sucheingabe< und >Bundesland<. Tastenkombination  ALT + l"),
    Spec(Command1, "Command1", K::kButton, false, 1200, 840, 2055, 495, "&Suchen", kStandard, 0,
         false, kNoBackground, 4, true, false, A::kLeft, "Tastenkombination ALT + s"),
    Spec(Text6, "Text6", K::kTextBox, false, 3360, 120, 2055, 285, "Bundesland", kStandard, 0,
         false, kFormBackground, 3, true, true, A::kCentre),
    Spec(Text4, "Text4", K::kTextBox, false, 120, 120, 3135, 285, "Sucheingabe", kStandard, 0,
         false, kFormBackground, 2, true, true, A::kCentre),
    Spec(Text3, "Text3", K::kTextBox, false, 3360, 360, 2055, 375, "", kSans, 12, false,
         kInputBackground, 1, true, false, A::kLeft,
         "Nach Bedarf können Sie das Bundesland eingeben. Es genügen die ersten Buchstaben."),
    Spec(Text1, "Text1", K::kTextBox, false, 120, 360, 3135, 375, "", kSans, 12, false,
         kInputBackground, 0, true, false, A::kLeft,
         "Geben Sie den Ort, nachdem Sie suchen ein. Es genügen meist die ersten fünf Buchstaben."),
  };
}

// What a screen reader says for a control that a sighted user knows by what stands beside
// it. Buttons, options with a caption and the captions themselves are named by their text.
struct Naming {
  ControlId id;
  std::optional<ControlId> label;
  const char* name;
};
const Naming kNames[] = {
    {Text1, Text4, ""},   {Text3, Text6, ""},   {Text7, Text11, ""},  {Text8, Text12, ""},
    {Text9, Text13, ""},  {Text10, Text14, ""}, {List1, Text15, ""},
    {Text5, std::nullopt, "Postleitzahl"},
    {Text16, std::nullopt, "Ortsbezeichnung im Zwischenspeicher"},
    {Frame1, std::nullopt, "Suche in"},
    {Option3, std::nullopt, "Suche im Ort"},
    {Option4, std::nullopt, "Suche in der Gemeinde"},
    {Option5, std::nullopt, "Suche im Bezirk"},
    {Picture1, std::nullopt, "Zitat"},
    {Picture2, std::nullopt, "Information"},
    {Combo1, std::nullopt, "Bundesland des neuen Orts"},
    {Combo2, std::nullopt, "Bezirk des neuen Orts"},
};

// The events each control raises. A control not named here raises none: the captions and
// headings, the frame, and Command9 and Command10, which have no behaviour. Every field the
// user may type into raises a change, whether or not a handler looks at it, so that the
// model holds what the field shows.
struct Raising {
  ControlId id;
  unsigned events;
};
const Raising kRaising[] = {
    {Text1, kChangeEvent | kEnterEvent}, {Text16, kChangeEvent | kClickEvent},
    {Text2, kChangeEvent},  {Text3, kChangeEvent},  {Text5, kChangeEvent},
    {Text7, kChangeEvent},  {Text8, kChangeEvent},  {Text9, kChangeEvent},
    {Text10, kChangeEvent}, {Text12, kChangeEvent}, {Combo1, kChangeEvent},
    {Combo2, kChangeEvent}, {List1, kPickEvent},
    {Command1, kClickEvent}, {Command2, kClickEvent}, {Command3, kClickEvent},
    {Command4, kClickEvent}, {Command5, kClickEvent}, {Command6, kClickEvent},
    {Command7, kClickEvent}, {Command11, kClickEvent},
    {Option1, kClickEvent}, {Option2, kClickEvent}, {Option3, kClickEvent},
    {Option4, kClickEvent}, {Option5, kClickEvent},
    {Picture1, kClickEvent}, {Picture2, kClickEvent},
};

const std::array<ControlSpec, kControlCount> kTable = [] {
  auto table = Designed();
  for (const Naming& naming : kNames) {
    ControlSpec& spec = table[static_cast<std::size_t>(naming.id)];
    spec.label = naming.label;
    spec.accessibleName = Cp1252(naming.name);
  }
  for (const Raising& raising : kRaising) table[static_cast<std::size_t>(raising.id)].events = raising.events;
  // A caption ten pixels high: no room for a border.
  table[static_cast<std::size_t>(Text2)].flat = true;
  // The list of districts lies over the district field while a place is entered: what is
  // typed there is the district, the one text the new record takes.
  table[static_cast<std::size_t>(Combo2)].textOf = Text9;
  return table;
}();

}  // namespace

const std::array<ControlSpec, kControlCount>& ControlTable() { return kTable; }

const ControlSpec& SpecOf(ControlId id) { return kTable[static_cast<std::size_t>(id)]; }

const char* NameOf(ControlId id) { return SpecOf(id).name; }

const char* NameOf(ControlEvent event) {
  switch (event) {
    case kClickEvent: return "click";
    case kChangeEvent: return "change";
    case kEnterEvent: return "Enter";
    case kPickEvent: return "pick";
    case kSortEvent: return "sort";
  }
  return "?";
}

std::string WindowCaption() { return Cp1252("Veldaris in Österreich     Version: " VELDARIS_VERSION); }

}  // namespace veldaris
