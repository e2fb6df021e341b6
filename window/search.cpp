#include "window/search.h"

#include "core/file_names.h"
#include "core/output_file.h"
#include "core/record_reader.h"
#include "core/result_row.h"
#include "core/rules.h"
#include "core/search_pass.h"
#include "core/text1252.h"
#include "model/window_model.h"
#include "window/place_details.h"

namespace veldaris {

void SearchPlaces(Window& w) {
  // Preparation, on every click before the input is looked at.
  w[Text12].SetText("Gemeinde");
  w.CurrentStateName.clear();
  w[List1].SetRows({});
  w[Text16].SetText("");
  w.RecordCount = 0;
  w[Command11].SetVisible(true);
  w[Command2].SetWidth(kCommand2NarrowWidth);
  TryDeleteFile(w.File(kResultFile));  // a missing file is no error

  if (w[Text1].text().empty()) {
    w.platform.ShowMessage(Cp1252("  S U C H B E G R I F F   E I N G E B E N  "),
                           Cp1252("Wenigsten drei Buchstaben in das Feld >Sucheingabe< eingeben!"));
    return;
  }

  w.SearchText = TrimBlanks(ToLower1252(w[Text1].text()));
  w.MatchCount = 0;

  SearchQuery query;
  query.searchText = w.SearchText;
  query.stateFilter = w[Text3].text();
  query.mode = w[Option1].selected() ? MatchMode::kBeginsWith : MatchMode::kContains;
  query.item = w[Option4].selected()   ? SearchedItem::kMunicipality
               : w[Option5].selected() ? SearchedItem::kDistrict
                                     : SearchedItem::kPlace;

  {
    RecordReader data(w.File(kDataFile), std::string(kDataFile));
    OutputFile results(w.File(kResultFile), std::string(kResultFile), w.system);
    OutputFile csv(w.File(kResultCsvFile), std::string(kResultCsvFile), w.system);
    PassOutcome found = RunSearchPass(data, results, csv, query);
    data.Close();
    results.Close();
    csv.Close();
    w.RecordCount = found.recordCount;
    w.MatchCount = found.matchCount;
    if (found.lastRecord) w.CurrentRecord = std::move(*found.lastRecord);
    w.CurrentStateName = std::move(found.lastStateName);
  }

  if (w.MatchCount == 0) {
    w.platform.ShowMessage(Cp1252(" Eingabe ändern "),
                           Cp1252("Es wurde kein entsprechender Begriff gefunden!\r"
                                  "Korrigieren oder verkürzen Sie die Eingabe, oder\r"
                                  "ändern Sie die Suchoption >beginnt<->enthält.<"));
    w.focus = Text1;
    return;
  }

  w.system.StartProgram(std::string(kConverterProgram),
                          {"34", std::string(kResultCsvFile), std::string(kConvertedFile)},
                          w.workDir);

  if (w.MatchCount > 4) {
    w[Text16].SetText("   Es wurden " + NumberWithSignPlace(w.MatchCount) + " von " +
                      NumberWithSignPlace(w.RecordCount) + " Orten gefunden");
  }

  FillResultList(w);

  if (w.MatchCount > 1) {
    w.focus = Text1;
    return;
  }
  ShowSingleResult(w);
}

void FillResultList(Window& w) {
  w[List1].SetRows({});
  RecordReader results(w.File(kResultFile), std::string(kResultFile));
  w.ListRow = 0;
  w.CurrentStateName.clear();
  RowList rows;
  // One allocation for a list of any length: a row keeps about 45 bytes of text.
  if (w.MatchCount > 0) rows.reserve(static_cast<std::size_t>(w.MatchCount), 48);
  const std::optional<RecordRef> last = results.ForEach([&](const RecordRef& row) {
    rows.AddResultRow(row.Text(0), row.Text(1), row.Text(2), row.Text(3));
    ++w.ListRow;
  });
  w[List1].SetRows(std::move(rows));
  // The record read last, with place, municipality and district in their list form.
  if (last) {
    CopyRecord(last->View(), w.CurrentRecord);
    w.CurrentRecord.Place = ToListColumn(last->Text(0));
    w.CurrentRecord.Municipality = ToListColumn(last->Text(1));
    w.CurrentRecord.District = ToListColumn(last->Text(2));
  }
  results.Close();
}

void ShowSingleResult(Window& w) {
  ReadResultRecord(w, 0);
  // The same details and place string as a pick in the list gives: a click on Text16 copies
  // the string, umlauts written out, for pasting into genealogy software.
  ShowCurrentRecord(w);
  const PlaceRecord& record = w.CurrentRecord;
  if (TextOf(record.Municipality) != TextOf(record.Place)) w.focus = Text1;
}

}  // namespace veldaris
