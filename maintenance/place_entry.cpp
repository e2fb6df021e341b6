#include "maintenance/place_entry.h"

#include "core/append.h"
#include "core/errors.h"
#include "core/federal_states.h"
#include "core/file_names.h"
#include "core/output_file.h"
#include "core/record_reader.h"
#include "core/text1252.h"
#include "model/window_model.h"

namespace veldaris {
namespace {

const std::string& PromptState() {
  static const std::string text = Cp1252(" Wählen Sie im Feld >Bundesland< eines aus.");
  return text;
}

void StateChosen(Window& w) {
  w[Text16].SetText(Cp1252(" Wählen Sie im Feld >Bezirk< einen aus."));
  w[Combo2].SetVisible(true);
  w[Command4].SetVisible(true);
  w.Entry = EntryState::kReady;
}

// The field of a new record that holds a character the record format cannot carry (a
// double quote ends the text, a line break the record), or nullptr.
const char* FieldWithForbiddenCharacter(const Window& w) {
  const std::pair<ControlId, const char*> fields[] = {
      {Text7, "Ort"}, {Text8, "Gemeinde"}, {Text9, "Bezirk"}, {Text5, "PLZ"}};
  for (const auto& [id, label] : fields)
    if (w[id].text().find_first_of("\"\r\n") != std::string::npos) return label;
  return nullptr;
}

}  // namespace

void StartPlaceEntry(Window& w) {
  for (ControlId id : {Text7, Text8, Text9, Text10, Text5}) w[id].SetText("");
  w[Text16].SetText(PromptState());
  w[Combo1].SetVisible(true);
  w.Entry = EntryState::kWaitingForState;
  if (!w[Combo1].text().empty()) StateChosen(w);
}

void Combo1Change(Window& w) {
  if (w.Entry == EntryState::kWaitingForState && !w[Combo1].text().empty()) StateChosen(w);
}

void AppendPlace(Window& w) {
  const std::string& state = w[Combo1].text();
  if (const auto shortForm = GetStateShortForm(state)) w.EntryStateShortForm = *shortForm;
  if (state == Cp1252("Bundesland auswählen")) return;
  // A text that is no list item would file the place under an earlier state, or none.
  if (!GetStateShortForm(state)) {
    w[Text16].SetText(PromptState());
    w.Entry = EntryState::kWaitingForState;  // the next change of Combo1 answers the prompt
    return;
  }
  if (const char* field = FieldWithForbiddenCharacter(w)) {
    w[Text16].SetText(Cp1252(" Das Feld >") + Cp1252(field) +
                      Cp1252("< enthält ein Anführungszeichen oder einen Zeilenumbruch: "
                             "nichts wurde gespeichert."));
    return;
  }

  PlaceRecord record;
  record.Place = w[Text7].text();
  record.Municipality = w[Text8].text();
  record.District = w[Text9].text();
  record.StateShortForm = w.EntryStateShortForm;
  record.Postcode = w[Text5].text();
  record.Reserved = w.CurrentRecord.Reserved;
  record.MunicipalityKind = w.CurrentRecord.MunicipalityKind;

  // The one write in place of the whole program: a failure leaves the file as it was.
  AppendLine(w.File(kDataFile), std::string(kDataFile), FormatPlaceRecordLine(record), w.system);

  w[Command4].SetVisible(false);
  w[Combo1].SetVisible(false);
  w.Entry = EntryState::kAppended;
}

void EndPlaceEntry(Window& w) {
  w.height = kNormalHeight;
  w[Text16].SetText("");
  w[Combo1].SetVisible(false);
  w[Combo2].SetVisible(false);
  w.Entry = EntryState::kNotInEntryMode;
}

void CheckDataFile(Window& w) {
  const std::string checkName(kCheckFile);
  // A failure to open either file is not caught here.
  RecordReader data(w.File(kDataFile), std::string(kDataFile));
  OutputFile check(w.File(checkName), checkName, w.system);
  bool ok = true;
  bool written = true;
  try {
    while (!data.AtEnd()) {
      ReadPlaceRecord(data, w.CurrentRecord);
      // The program writes one record per line; a record that does not begin its line is
      // where the file went out of step, and the copy stops before it.
      if (!data.LastRecordBeganItsLine()) {
        ok = false;
        break;
      }
      try {
        WritePlaceRecord(check, w.CurrentRecord);
      } catch (const SystemError&) {
        written = false;
        break;
      }
    }
  } catch (const SystemError&) {
    ok = false;  // a record that cannot be read: the copy holds those before it
  }
  if (written) {
    try {
      check.Close();
    } catch (const SystemError&) {
      written = false;
    }
  }
  data.Close();
  // A copy that could not be written leaves none (the new file beside it goes with `check`),
  // so that no copy of an earlier check stands there as if it were this one's.
  if (!written) TryDeleteFile(w.File(checkName));
  w[Text16].SetText(ok && written ? Cp1252("prüfung  OK")
                                  : Cp1252("Datei fehlerhaft! Bitte Datei >orte-prüf.ort< mit "
                                           ">orte-7sp.ort< vergleichen!"));
}

}  // namespace veldaris
