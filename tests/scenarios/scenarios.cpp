// The scenarios of a user at the window, on the sample data (tests/data/orte-7sp.ort, 106
// places). Each reads what the model holds and what the native controls show, and both must
// be what the user expects.
#include <algorithm>
#include <set>
#include <stdexcept>

#include "core/os.h"
#include "core/text1252.h"
#include "tests/scenarios/scenario.h"
#include "tests/test_support.h"
#include "window/information.h"

namespace veldaris::scenario {
namespace {

using Where = std::source_location;

std::set<std::pair<ControlId, ControlEvent>>& Exercised() {
  static std::set<std::pair<ControlId, ControlEvent>> exercised;
  return exercised;
}

void Note(ControlId id, ControlEvent event) { Exercised().insert({id, event}); }

struct Stop {};  // a Require that failed

std::string Name(ControlId id, const char* what) { return std::string(NameOf(id)) + what; }

// The text of a control, in the model and on the screen.
void ExpectText(Driver& d, Checks& c, ControlId id, const std::string& text, const Where& where = Where::current()) {
  c.Equal(d.Model().ShownText(id), text, Name(id, " in the model"), where);
  c.Equal(d.Shown(id), text, Name(id, " shown"), where);
}

void ExpectVisible(Driver& d, Checks& c, ControlId id, bool visible, const Where& where = Where::current()) {
  c.Equal(d.Model()[id].visible(), visible, Name(id, " visible in the model"), where);
  c.Equal(d.ShownVisible(id), visible, Name(id, " visible on the screen"), where);
}

void ExpectSelected(Driver& d, Checks& c, ControlId id, bool selected, const Where& where = Where::current()) {
  c.Equal(d.Model()[id].selected(), selected, Name(id, " selected in the model"), where);
  c.Equal(d.ShownChecked(id), selected, Name(id, " checked on the screen"), where);
}

void ExpectFocus(Driver& d, Checks& c, ControlId id, const Where& where = Where::current()) {
  c.Equal(d.Model().focus, id, "focus in the model", where);
  c.Equal(d.ShownFocus(), id, "focus on the screen", where);
}

void ExpectRows(Driver& d, Checks& c, int rows, const Where& where = Where::current()) {
  c.Equal(static_cast<int>(d.Model()[List1].rows().size()), rows, "rows of List1 in the model", where);
  c.Equal(d.ShownRowCount(List1), rows, "rows of List1 shown", where);
}

void ExpectHeight(Driver& d, Checks& c, int outerHeight, const Where& where = Where::current()) {
  c.Equal(d.Model().height, outerHeight, "window height in the model", where);
  c.Equal(d.ShownClientHeightPx(), d.Px(ClientHeightTwips(outerHeight)), "client height shown (px)", where);
}

// Text16 holds the place string, on the clipboard too, selected, with the focus.
void ExpectCopied(Driver& d, Checks& c, const std::string& placeString, const Where& where = Where::current()) {
  ExpectText(d, c, Text16, placeString, where);
  c.Equal(d.Clipboard(), placeString, "clipboard", where);
  ExpectFocus(d, c, Text16, where);
  c.Equal(d.ShownSelection(Text16), std::pair<int, int>(0, static_cast<int>(placeString.size())),
          "selection of Text16", where);
}

void ExpectMessages(Driver& d, Checks& c, std::size_t count, const Where& where = Where::current()) {
  c.Equal(static_cast<int>(d.Messages().size()), static_cast<int>(count), "message boxes shown", where);
}

void Search(Driver& d, const char* utf8) {
  d.Type(Text1, Cp1252(utf8));
  d.Press(Key::kEnter);
}

// Presses Tab (or Shift+Tab) until the focus is in the control; false when it never comes.
bool TabTo(Driver& d, ControlId id, Key key = Key::kTab) {
  for (int i = 0; i < 40 && d.ShownFocus() != id; ++i) d.Press(key);
  return d.ShownFocus() == id;
}

std::string DataFile(Driver& d) { return test::ReadBytes(d.WorkDir() / "orte-7sp.ort"); }

// ---------------------------------------------------------------------------------------

void StartUpState(Driver& d, Checks& c) {
  c.Equal(d.ShownCaption(), Cp1252("Veldaris in Österreich     Version: 6.6"), "caption");
  ExpectHeight(d, c, 6870);
  ExpectSelected(d, c, Option1, true);
  ExpectSelected(d, c, Option2, false);
  ExpectSelected(d, c, Option3, true);
  ExpectSelected(d, c, Option4, false);
  ExpectSelected(d, c, Option5, false);
  for (ControlId id : {Text1, Text3, Text7, Text8, Text9, Text10, Text5, Text16}) ExpectText(d, c, id, "");
  ExpectText(d, c, Text15, "Suchergebnisse");
  ExpectText(d, c, Text12, "Gemeinde");
  for (ControlId id : {Combo1, Combo2, Command4, Command5, Command6, Command7, Command9, Command11})
    ExpectVisible(d, c, id, false);
  ExpectVisible(d, c, Command10, true);
  c.Equal(d.ShownWidthPx(Command2), d.Px(2055), "Command2 width (px)");
  c.Equal(d.ShownRowCount(Combo1), 9, "items of Combo1");
  c.Equal(d.Model()[Combo1].rows()[5], "Voralrberg", "sixth item of Combo1");
  ExpectRows(d, c, 0);
  ExpectFocus(d, c, Text1);
  ExpectMessages(d, c, 0);
}

void TypingAndEnterSearch(Driver& d, Checks& c) {
  d.Type(Text1, "Buch");
  ExpectText(d, c, Text1, "Buch");
  d.Press(Key::kEnter);
  ExpectRows(d, c, 3);
  c.Equal(d.Model()[List1].rows()[0], Cp1252("Buchkirchen           Buchkirchen           Wels-Land             OÖ"),
          "first row");
  ExpectVisible(d, c, Command11, true);
  c.Equal(d.Model()[Command2].width(), 1575, "Command2 width in the model");
  c.Equal(d.ShownWidthPx(Command2), d.Px(1575), "Command2 width (px)");
  c.Equal(test::ReadBytes(d.WorkDir() / "ergeb.csv").substr(0, 14), std::string("\"Buchkirchen;B"), "ergeb.csv");
  ExpectText(d, c, Text16, "");  // three places: no count line
  ExpectFocus(d, c, Text1);
  ExpectMessages(d, c, 0);
  // Any change of the search text hides the export button again.
  d.Press(Key::kBackspace);
  ExpectText(d, c, Text1, "Buc");
  ExpectVisible(d, c, Command11, false);
  c.Equal(d.ShownWidthPx(Command2), d.Px(2055), "Command2 width after a change (px)");
  ExpectRows(d, c, 3);  // the list stays until the next search
}

void StateFilterAndSearchButton(Driver& d, Checks& c) {
  d.Type(Text3, "st");
  ExpectText(d, c, Text3, "Steiermark");
  c.Equal(d.ShownSelection(Text3), std::pair<int, int>(10, 0), "caret behind the completed name");
  d.Type(Text1, "S");
  d.Click(Command1);
  ExpectRows(d, c, 2);  // Straß in Steiermark, Sankt Margarethen an der Raab
  c.Equal(d.Model()[List1].rows()[0].substr(0, 19), Cp1252("Straß in Steiermark"), "first row");
  ExpectMessages(d, c, 0);
}

void NoMatchByAltS(Driver& d, Checks& c) {
  d.Type(Text1, "Zzzyx");
  d.Alt('s');
  ExpectMessages(d, c, 1);
  c.Require(d.Messages().size() == 1, "one message");
  c.Equal(d.Messages()[0].title, Cp1252(" Eingabe ändern "), "title");
  c.Equal(d.Messages()[0].text,
          Cp1252("Es wurde kein entsprechender Begriff gefunden!\rKorrigieren oder verkürzen Sie "
                 "die Eingabe, oder\rändern Sie die Suchoption >beginnt<->enthält.<"),
          "text");
  ExpectRows(d, c, 0);
  ExpectFocus(d, c, Text1);
}

void EnterInAnEmptySearchFieldAndInTheStateField(Driver& d, Checks& c) {
  d.Press(Key::kEnter);
  ExpectMessages(d, c, 1);
  c.Require(d.Messages().size() == 1, "one message");
  c.Equal(d.Messages()[0].title, "  S U C H B E G R I F F   E I N G E B E N  ", "title");
  c.Equal(d.Messages()[0].text, "Wenigsten drei Buchstaben in das Feld >Sucheingabe< eingeben!", "text");
  ExpectVisible(d, c, Command11, true);  // shown by every search, a refused one too
  d.Type(Text1, "Linz");
  d.Type(Text3, "o");
  d.Press(Key::kEnter);  // in the state field: no search
  ExpectMessages(d, c, 1);
  ExpectRows(d, c, 0);
  c.True(!std::filesystem::exists(d.WorkDir() / "ergeb.csv"), "no ergeb.csv");
}

void ContainsAndTheCountLine(Driver& d, Checks& c) {
  d.Click(Option2);
  ExpectSelected(d, c, Option2, true);
  ExpectSelected(d, c, Option1, false);
  ExpectSelected(d, c, Option3, true);  // the other group stays
  Search(d, "kirch");
  ExpectRows(d, c, 7);  // "Kirchdorf an der Krems" begins with it: not found by "enthält"
  ExpectText(d, c, Text16, "   Es wurden  7 von  106 Orten gefunden");
  d.Click(Option1);
  ExpectSelected(d, c, Option1, true);
  ExpectSelected(d, c, Option2, false);
  Search(d, "");  // "kirch" again, from the beginning
  ExpectRows(d, c, 1);
  ExpectText(d, c, Text7, "Kirchdorf an der Krems");
}

void MunicipalityAndDistrictOptions(Driver& d, Checks& c) {
  d.Click(Option4);
  ExpectSelected(d, c, Option4, true);
  ExpectSelected(d, c, Option3, false);
  ExpectSelected(d, c, Option1, true);
  Search(d, "grundl");  // the municipality of Gößl
  ExpectRows(d, c, 1);
  ExpectText(d, c, Text7, Cp1252("Gößl"));
  ExpectText(d, c, Text8, "Grundlsee");
  ExpectText(d, c, Text16, "Goessl, Liezen, Steiermark, AUSTRIA");
  ExpectFocus(d, c, Text1);  // the municipality differs from the place
  d.Click(Option5);
  ExpectSelected(d, c, Option5, true);
  ExpectSelected(d, c, Option4, false);
  d.Click(Command2);
  Search(d, "wels-l");
  ExpectRows(d, c, 2);  // Marchtrenk and Buchkirchen
  d.Click(Option3);
  ExpectSelected(d, c, Option3, true);
  ExpectSelected(d, c, Option5, false);
}

void OneMatchShowsItsDetails(Driver& d, Checks& c) {
  Search(d, "Gö");
  ExpectRows(d, c, 1);
  ExpectText(d, c, Text7, Cp1252("Gößl"));
  ExpectText(d, c, Text9, "Liezen");
  ExpectText(d, c, Text10, "Steiermark");
  ExpectText(d, c, Text5, "PLZ: 8993");
  ExpectText(d, c, Text12, "Gemeinde");
  ExpectText(d, c, Text16, "Goessl, Liezen, Steiermark, AUSTRIA");
  d.Click(Command2);
  Search(d, "Hallst");
  ExpectText(d, c, Text12, "Markt");
  ExpectText(d, c, Text16, "Hallstatt, Gmunden, Oberoesterreich, AUSTRIA");
}

void TheListByMouse(Driver& d, Checks& c) {
  Search(d, "Sankt");
  ExpectRows(d, c, 4);
  c.Require(d.ShownRowCount(List1) == 4, "four rows shown");
  d.SetClipboard("vorher");
  d.ClickRow(2);
  ExpectText(d, c, Text7, "Sankt Margarethen an der Raab");
  ExpectText(d, c, Text10, "Steiermark");
  ExpectText(d, c, Text5, "PLZ: 8321");
  ExpectText(d, c, Text12, "Markt");
  ExpectCopied(d, c, "Sankt Margarethen an der Raab, Weiz, Steiermark, AUSTRIA");
  c.Equal(d.ShownCurrentRow(), 2, "current row");
  d.ClickRow(0);
  ExpectText(d, c, Text7, Cp1252("Sankt Pölten"));
  ExpectText(d, c, Text12, "Stadt");
  ExpectCopied(d, c, "Sankt Poelten, Sankt Poelten, Niederoesterreich, AUSTRIA");
  // A click on the place string copies what it holds then, typed text included.
  d.Type(Text16, "!");
  d.SetClipboard("vorher");
  d.Click(Text16);
  c.Equal(d.Clipboard(), d.Model()[Text16].text(), "clipboard after a click on Text16");
  c.True(d.Model()[Text16].text().ends_with("!"), "the typed letter is in Text16");
  ExpectFocus(d, c, Text16);
  ExpectMessages(d, c, 0);
}

void TheListByKeys(Driver& d, Checks& c) {
  Search(d, "Sankt");
  d.SetClipboard("vorher");
  c.Require(TabTo(d, List1), "Tab reaches List1");
  // The focus coming in picks nothing.
  ExpectText(d, c, Text7, "");
  c.Equal(d.Clipboard(), "vorher", "clipboard");
  c.Equal(d.ShownCurrentRow(), -1, "no current row");
  const struct {
    Key key;
    int row;
    const char* place;
    const char* placeString;  // its beginning
  } steps[] = {
      {Key::kDown, 0, "Sankt Pölten", "Sankt Poelten, "},
      {Key::kDown, 1, "Sankt Johann im Pongau", "Sankt Johann im Pongau, "},
      {Key::kDown, 2, "Sankt Margarethen an der Raab", "Sankt Margarethen an der Raab, "},
      {Key::kUp, 1, "Sankt Johann im Pongau", "Sankt Johann im Pongau, "},
      {Key::kEnd, 3, "Sankt Veit an der Glan", "Sankt Veit an der Glan, "},
      {Key::kHome, 0, "Sankt Pölten", "Sankt Poelten, "},
      {Key::kPageDown, 3, "Sankt Veit an der Glan", "Sankt Veit an der Glan, "},
      {Key::kPageUp, 0, "Sankt Pölten", "Sankt Poelten, "},
  };
  for (const auto& step : steps) {
    d.SetClipboard("vorher");
    d.Press(step.key);
    ExpectText(d, c, Text7, Cp1252(step.place));
    c.True(d.Model()[Text16].text().starts_with(step.placeString), std::string("place string of row ") + std::to_string(step.row));
    c.Equal(d.Clipboard(), d.Model()[Text16].text(), std::string("clipboard after a key to row ") + std::to_string(step.row));
    c.Equal(d.ShownCurrentRow(), step.row, "current row");
    ExpectFocus(d, c, List1);  // browsing goes on in the list
  }
  // A click after the keys still takes the focus to the place string, selected.
  d.ClickRow(2);
  ExpectCopied(d, c, "Sankt Margarethen an der Raab, Weiz, Steiermark, AUSTRIA");
}

void TheInformationPicture(Driver& d, Checks& c) {
  d.Click(Picture2);
  ExpectMessages(d, c, 1);
  c.Require(d.Messages().size() == 1, "the information message");
  c.Equal(d.Messages()[0].title, "    I N F O R M A T I O N  ", "title");
  c.Equal(d.Messages()[0].text, InfoText(), "text");
  // With the focus on it, Enter and Space open it as well.
  c.Require(TabTo(d, Picture2), "Tab reaches Picture2");
  d.Press(Key::kEnter);
  ExpectMessages(d, c, 2);
  d.Press(Key::kSpace);
  ExpectMessages(d, c, 3);
  ExpectText(d, c, Text16, "");
}

void TheQuotationPicture(Driver& d, Checks& c) {
  Search(d, "Gö");
  d.SetClipboard("vorher");
  d.Click(Picture1);
  ExpectText(d, c, Text16, QuotationLine());
  ExpectText(d, c, Text7, Cp1252("Gößl"));  // the details stay
  c.Equal(d.Clipboard(), "vorher", "clipboard");
  ExpectMessages(d, c, 0);
  for (Key key : {Key::kEnter, Key::kSpace}) {
    d.Type(Text16, "!");
    c.Require(TabTo(d, Picture1), "Tab reaches Picture1");
    d.Press(key);
    ExpectText(d, c, Text16, QuotationLine());
  }
}

void AccessWordsAndMaintenanceMode(Driver& d, Checks& c) {
  const char* word = "tobrek";
  for (int i = 0; i < 6; ++i) {
    d.Type(Text1, std::string(1, word[i]));
    ExpectHeight(d, c, i < 5 ? 6870 : 7200);
  }
  for (ControlId id : {Command4, Command5, Command6, Command7, Command9}) ExpectVisible(d, c, id, true);
  d.Type(Text1, "x");
  ExpectHeight(d, c, 7200);
  // One of the first six letters deleted: the normal layout again.
  d.Press(Key::kHome);
  d.Press(Key::kDelete);
  ExpectText(d, c, Text1, "obrekx");
  ExpectHeight(d, c, 6870);
  for (ControlId id : {Command4, Command5, Command6, Command7, Command9}) ExpectVisible(d, c, id, false);
  // In capitals, the other word; Alt+L empties the field and ends the mode.
  d.Press(Key::kEnd);
  for (int i = 0; i < 6; ++i) d.Press(Key::kBackspace);
  d.Type(Text1, "DoBrEk");
  ExpectHeight(d, c, 7200);
  d.Alt('l');
  ExpectText(d, c, Text1, "");
  ExpectHeight(d, c, 6870);
  ExpectVisible(d, c, Command7, false);
}

void TheClearButton(Driver& d, Checks& c) {
  Search(d, "Buch");
  d.Type(Text3, "k");
  ExpectText(d, c, Text3, Cp1252("Kärnten"));
  d.Type(Text7, "x");
  d.Click(Command2);
  ExpectText(d, c, Text1, "");
  ExpectText(d, c, Text3, "");
  ExpectRows(d, c, 0);
  ExpectVisible(d, c, Command11, false);
  ExpectText(d, c, Text7, "x");  // the details keep what they hold
  ExpectFocus(d, c, Text1);
  // Both fields empty already: the list is still cleared, the focus still put in Text1.
  d.Type(Text5, "1");
  d.Click(Command2);
  ExpectFocus(d, c, Text1);
}

void ExitByButton(Driver& d, Checks& c) {
  Search(d, "Linz");
  c.True(std::filesystem::exists(d.WorkDir() / "ergebdat.txt"), "ergebdat.txt after the search");
  d.Click(Command3);
  c.True(!std::filesystem::exists(d.WorkDir() / "ergebdat.txt"), "ergebdat.txt deleted");
  c.True(std::filesystem::exists(d.WorkDir() / "ergeb.csv"), "ergeb.csv stays");
  c.True(d.QuitRequested(), "the program ends");
  ExpectMessages(d, c, 0);
}

void ExitByAltEWithoutAResultFile(Driver& d, Checks& c) {
  d.Alt('e');
  c.True(d.QuitRequested(), "the program ends");
  ExpectMessages(d, c, 0);
}

// The converter writes OrtsList.csv a moment after the search; the export copies it.
void ExportTo(Driver& d, Checks& c, const char* searchText, const std::string& name, const std::string& content,
              const Where& where = Where::current()) {
  const std::string desktop = d.Model().DesktopPath;
  c.Require(desktop.size() > 1, "a Desktop folder", where);
  const auto folder = os::PathFrom1252(desktop);
  std::filesystem::create_directories(folder);
  std::filesystem::remove(d.WorkDir() / "OrtsList.csv");
  Search(d, searchText);
  const auto list = d.WorkDir() / "OrtsList.csv";
  c.Require(d.WaitUntil([&] { return std::filesystem::exists(list) && test::ReadBytes(list) == content; }, 5000),
            "the converter wrote OrtsList.csv", where);
  d.Click(Command11);
  const auto exported = folder / os::PathFrom1252(name);
  c.Equal(test::ReadBytes(exported), content, "the file on the Desktop", where);
  std::filesystem::remove(exported);
  ExpectText(d, c, Text16, " Das Suchergebnis wurde am Desktop in der Datei " + name + " gespeichert", where);
  ExpectFocus(d, c, Text1, where);
}

void ExportToTheDesktop(Driver& d, Checks& c) {
  ExportTo(d, c, "Linz", "ort-Linz.csv", "Linz;Linz;Linz\r\n");
  d.Click(Command2);
  ExportTo(d, c, "Wel", "ort-Wel .csv", "Wels;Wels;Wels\r\n");  // three letters and a blank
  ExpectMessages(d, c, 0);
}

void PlaceEntryWithTheStateList(Driver& d, Checks& c) {
  d.Type(Text1, "tobrek");
  d.Click(Command7);
  ExpectText(d, c, Text16, Cp1252(" Wählen Sie im Feld >Bundesland< eines aus."));
  ExpectVisible(d, c, Combo1, true);
  ExpectVisible(d, c, Combo2, false);
  d.Choose(Combo1, 5);
  ExpectText(d, c, Combo1, "Voralrberg");
  ExpectText(d, c, Text16, Cp1252(" Wählen Sie im Feld >Bezirk< einen aus."));
  ExpectVisible(d, c, Combo2, true);
  ExpectVisible(d, c, Command4, true);
  d.Type(Text7, "Au");
  d.Type(Text8, "Au");
  d.Type(Combo2, "Bregenz");  // lies over the district field, which takes what is typed
  ExpectText(d, c, Text9, "Bregenz");
  ExpectText(d, c, Combo2, "Bregenz");
  d.Type(Text5, "6883");
  const std::string before = DataFile(d);
  d.Click(Command4);
  c.Equal(DataFile(d), before + "\"Au\",\"Au\",\"Bregenz\",\"Vbg\",\"6883\",,\r\n", "the data file");
  ExpectVisible(d, c, Combo1, false);
  ExpectVisible(d, c, Command4, false);
  ExpectVisible(d, c, Combo2, true);
  d.Click(Command5);
  ExpectHeight(d, c, 6870);
  ExpectText(d, c, Text16, "");
  ExpectVisible(d, c, Combo2, false);
  ExpectMessages(d, c, 0);
}

void PlaceEntryWithATypedState(Driver& d, Checks& c) {
  d.Type(Text1, "dobrek");
  d.Click(Command7);
  d.Type(Combo1, "Wi");  // any text ends the wait for the state
  ExpectText(d, c, Text16, Cp1252(" Wählen Sie im Feld >Bezirk< einen aus."));
  d.Type(Text7, "Neudorf");
  const std::string before = DataFile(d);
  d.Click(Command4);  // "Wi" is no state: nothing is written, the prompt comes again
  c.Equal(DataFile(d), before, "the data file");
  ExpectText(d, c, Text16, Cp1252(" Wählen Sie im Feld >Bundesland< eines aus."));
  d.Type(Combo1, "en");
  ExpectText(d, c, Combo1, "Wien");
  d.Click(Command4);
  c.Equal(DataFile(d), before + "\"Neudorf\",\"\",\"\",\"W\",\"\",,\r\n", "the data file");
}

void TheDataFileCheck(Driver& d, Checks& c) {
  d.Type(Text1, "tobrek");
  d.Click(Command6);
  ExpectText(d, c, Text16, Cp1252("prüfung  OK"));
  const auto check = d.WorkDir() / os::PathFrom1252(Cp1252("orte-prüf.ort"));
  c.Equal(test::ReadBytes(check), DataFile(d), "orte-prüf.ort is the data file again");
  test::WriteBytes(d.WorkDir() / "orte-7sp.ort", DataFile(d) + "\"Ort\",\"Gemeinde\"\r\n");
  d.Click(Command6);
  ExpectText(d, c, Text16, Cp1252("Datei fehlerhaft! Bitte Datei >orte-prüf.ort< mit >orte-7sp.ort< vergleichen!"));
  ExpectMessages(d, c, 0);
}

std::vector<ControlId> TabRound(Driver& d, Key key) {
  std::vector<ControlId> round;
  for (int i = 0; i < 60; ++i) {
    d.Press(key);
    const ControlId focus = d.ShownFocus();
    if (focus == Text1 || focus == kControlCount) break;
    round.push_back(focus);
  }
  return round;
}

void TabOrder(Driver& d, Checks& c) {
  // The visible tab stops by tab index, of each group of options the selected one.
  // Command10 lies below the window, but it is visible, so Tab reaches it, as designed.
  std::vector<ControlId> expected = {Text3,    Text4,  Text6,  Command1, Command2, Text7,   Text8,
                                     Text9,    Text10, Option1, Command3, Picture1, List1, Text15,
                                     Text16,   Picture2, Text5, Command10, Option3};
  c.Equal(TabRound(d, Key::kTab), expected, "Tab from Text1");
  c.Equal(TabRound(d, Key::kBackTab), std::vector<ControlId>(expected.rbegin(), expected.rend()),
          "Shift+Tab from Text1");
  // Other options selected and the entry's controls shown.
  d.Click(Option2);
  d.Click(Option5);
  d.Type(Text1, "tobrek");
  d.Click(Command7);
  d.Type(Combo1, "Tirol");
  d.Type(Text1, "");  // the focus back in Text1
  expected = {Text3,  Text4,    Text6,    Command1, Command2, Text7,    Text8,    Text9,    Text10,
              Option2, Command3, Picture1, List1,   Text15,   Text16,   Picture2, Text5,    Command4,
              Command5, Command6, Command7, Command9, Command10, Combo1, Combo2, Option5};
  c.Equal(TabRound(d, Key::kTab), expected, "Tab in entry mode");
}

void StateCompletionKeyByKey(Driver& d, Checks& c) {
  const struct {
    const char* keys;
    const char* result;
  } cases[] = {
      {"s", "s"},           {"sa", "Salzburg"},     {"Sbg", "Sbg"},         {"Stmk", "Steiermark"},
      {"NÖ", "Niederösterreich"}, {"Tirol", "Tirol"}, {"Kärnten", "Kärnten"}, {"wn", "Wien"},
      {" w", " w"},         {"b", "Burgenland"},
  };
  for (const auto& step : cases) {
    d.Click(Command2);
    d.Type(Text3, Cp1252(step.keys));
    ExpectText(d, c, Text3, Cp1252(step.result));
  }
  // Home and a key letter switch the state; Home and Delete empty the field.
  d.Press(Key::kHome);
  d.Type(Text3, "w");
  ExpectText(d, c, Text3, "Wien");
  d.Press(Key::kHome);
  d.Press(Key::kDelete);
  ExpectText(d, c, Text3, "");
}

void EveryFieldTakesTyping(Driver& d, Checks& c) {
  for (ControlId id : {Text2, Text5, Text7, Text8, Text9, Text10, Text12, Text16}) {
    // A text that the program wrote shows with the caret at its start.
    const std::string before = d.Model()[id].text();
    d.Type(id, Cp1252("ä"));
    ExpectText(d, c, id, Cp1252("ä") + before);
  }
  ExpectMessages(d, c, 0);
}

const std::vector<Scenario> kScenarios = {
    {"StartUpState", StartUpState},
    {"TypingAndEnterSearch", TypingAndEnterSearch},
    {"StateFilterAndSearchButton", StateFilterAndSearchButton},
    {"NoMatchByAltS", NoMatchByAltS},
    {"EnterInAnEmptySearchFieldAndInTheStateField", EnterInAnEmptySearchFieldAndInTheStateField},
    {"ContainsAndTheCountLine", ContainsAndTheCountLine},
    {"MunicipalityAndDistrictOptions", MunicipalityAndDistrictOptions},
    {"OneMatchShowsItsDetails", OneMatchShowsItsDetails},
    {"TheListByMouse", TheListByMouse},
    {"TheListByKeys", TheListByKeys},
    {"TheInformationPicture", TheInformationPicture},
    {"TheQuotationPicture", TheQuotationPicture},
    {"AccessWordsAndMaintenanceMode", AccessWordsAndMaintenanceMode},
    {"TheClearButton", TheClearButton},
    {"ExitByButton", ExitByButton},
    {"ExitByAltEWithoutAResultFile", ExitByAltEWithoutAResultFile},
    {"ExportToTheDesktop", ExportToTheDesktop},
    {"PlaceEntryWithTheStateList", PlaceEntryWithTheStateList},
    {"PlaceEntryWithATypedState", PlaceEntryWithATypedState},
    {"TheDataFileCheck", TheDataFileCheck},
    {"TabOrder", TabOrder},
    {"StateCompletionKeyByKey", StateCompletionKeyByKey},
    {"EveryFieldTakesTyping", EveryFieldTakesTyping},
};

}  // namespace

Driver::Driver() { std::filesystem::copy_file(VELDARIS_SAMPLE_DATA, dir_ / "orte-7sp.ort"); }

bool Driver::WaitUntil(const std::function<bool()>& condition, int milliseconds) {
  for (int waited = 0; !condition(); waited += 10) {
    if (waited >= milliseconds) return false;
    Idle();
  }
  return true;
}

void Driver::Type(ControlId id, std::string_view text) {
  if (!text.empty()) Note(id, kChangeEvent);
  DoType(id, text);
}

void Driver::Press(Key key) {
  const ControlId focus = ShownFocus();
  if (key == Key::kEnter && focus != kControlCount && SpecOf(focus).Raises(kEnterEvent)) Note(focus, kEnterEvent);
  if (focus != kControlCount && SpecOf(focus).kind == ControlKind::kPictureBox &&
      (key == Key::kEnter || key == Key::kSpace))
    Note(focus, kClickEvent);
  if (focus == List1 && key != Key::kTab && key != Key::kBackTab) Note(List1, kPickEvent);
  DoPress(key);
}

void Driver::Alt(char letter) { DoAlt(letter); }

void Driver::Click(ControlId id) {
  Note(id, kClickEvent);
  DoClick(id);
}

void Driver::ClickRow(int row) {
  Note(List1, kPickEvent);
  DoClickRow(row);
}

void Driver::Choose(ControlId combo, int index) {
  Note(combo, kChangeEvent);
  DoChoose(combo, index);
}

void Checks::Fail(std::string_view what, const std::source_location& where) {
  failures_.push_back("scenarios.cpp:" + std::to_string(where.line()) + ": " + std::string(what));
}

void Checks::Require(bool condition, std::string_view what, const std::source_location& where) {
  if (condition) return;
  Fail(std::string(what) + " (the scenario stops here)", where);
  throw Stop{};
}

std::string Checks::Printed(const std::string& text) { return "\"" + Windows1252ToUtf8(text) + "\""; }

std::string Checks::Printed(const std::pair<int, int>& pair) {
  return "(" + std::to_string(pair.first) + ", " + std::to_string(pair.second) + ")";
}

std::string Checks::Printed(const std::vector<ControlId>& ids) {
  std::string text = "{";
  for (ControlId id : ids) text += (text.size() > 1 ? ", " : "") + Printed(id);
  return text + "}";
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

}  // namespace veldaris::scenario
