#include "window/place_details.h"

#include "core/errors.h"
#include "core/federal_states.h"
#include "core/file_names.h"
#include "core/record_reader.h"
#include "core/rules.h"
#include "model/window_model.h"

namespace veldaris {

void ReadResultRecord(Window& w, int n) {
  // The search writes one record per line: the records before n are passed by their line
  // ends, and only record n is read. A file changed since takes the long way, record by
  // record, which also reports what is wrong with it.
  {
    RecordReader results(w.File(kResultFile), std::string(kResultFile));
    if (results.SkipWholeLines(static_cast<std::uint64_t>(n)) == static_cast<std::uint64_t>(n) &&
        !results.AtEnd()) {
      ReadPlaceRecord(results, w.CurrentRecord);
      results.Close();
      return;
    }
  }
  RecordReader results(w.File(kResultFile), std::string(kResultFile));
  for (int i = 0; i <= n; ++i) {
    if (results.AtEnd())
      throw SystemError(kErrRecordMissing, "Die Datei hat keinen Datensatz " + std::to_string(n + 1),
                        std::string(kResultFile));
    ReadPlaceRecord(results, w.CurrentRecord);
  }
  results.Close();
}

void ShowCurrentRecord(Window& w) {
  const PlaceRecord& record = w.CurrentRecord;
  w.CurrentStateName = GetStateDisplayName(TextOf(record.StateShortForm)).value_or("");
  w[Text7].SetText(TextOf(record.Place));
  w[Text8].SetText(TextOf(record.Municipality));
  w[Text9].SetText(TextOf(record.District));
  w[Text10].SetText(w.CurrentStateName);
  w[Text5].SetText("PLZ: " + TextOf(record.Postcode));
  w[Text12].SetText(MunicipalityLabel(TextOf(record.MunicipalityKind)));
  w[Text16].SetText(BuildPlaceString(record, w.CurrentStateName));
}

void ShowPlaceDetails(Window& w, int n) {
  ReadResultRecord(w, n);
  ShowCurrentRecord(w);
  CopyPlaceString(w);
}

void CopyPlaceString(Window& w) {
  w.platform.ClearClipboard();
  w.platform.SetClipboardText(w[Text16].text());
  w.focus = Text16;
  w[Text16].Select(0, static_cast<int>(w[Text16].text().size()));
}

}  // namespace veldaris
