#include "window/search.h"

#include "core/file_names.h"
#include "core/files.h"
#include "core/record_stream.h"
#include "core/result_row.h"
#include "core/rules.h"
#include "core/search_pass.h"
#include "core/text1252.h"
#include "model/window_model.h"
#include "window/place_details.h"

namespace veldaris {

void SearchPlaces(Window& w) {
  // Preparation, on every click before the input is looked at.
  w[Text12].text = "Gemeinde";
  w.CurrentStateName.clear();
  w[List1].ClearRows();
  w[Text16].text.clear();
  w.RecordCount = 0;
  w[Command11].visible = true;
  w[Command2].width = kCommand2NarrowWidth;
  TryDeleteFile(w.File(kResultFile));  // a missing file is no error

  if (w[Text1].text.empty()) {
    w.platform.ShowMessage(Cp1252("  S U C H B E G R I F F   E I N G E B E N  "),
                           Cp1252("Wenigsten drei Buchstaben in das Feld >Sucheingabe< eingeben!"));
    return;
  }

  w.SearchText = TrimBlanks(ToLower1252(w[Text1].text));
  w.MatchCount = 0;

  SearchQuery query;
  query.searchText = w.SearchText;
  query.stateFilter = w[Text3].text;
  query.mode = w[Option1].selected ? MatchMode::kBeginsWith : MatchMode::kContains;
  query.item = w[Option4].selected   ? SearchedItem::kMunicipality
               : w[Option5].selected ? SearchedItem::kDistrict
                                     : SearchedItem::kPlace;

  {
    InputFile data(w.File(kDataFile), std::string(kDataFile));
    OutputFile results(w.File(kResultFile), std::string(kResultFile));
    OutputFile csv(w.File(kResultCsvFile), std::string(kResultCsvFile));
    RunSearchPass(data, results, csv, query,
                  {w.CurrentRecord, w.CurrentStateName, w.RecordCount, w.MatchCount});
    data.Close();
    results.Close();
    csv.Close();
  }

  if (w.MatchCount == 0) {
    w.platform.ShowMessage(Cp1252(" Eingabe ändern "),
                           Cp1252("Es wurde kein entsprechender Begriff gefunden!\r"
                                  "Korrigieren oder verkürzen Sie die Eingabe, oder\r"
                                  "ändern Sie die Suchoption >beginnt<->enthält.<"));
    w.focus = Text1;
    return;
  }

  w.platform.StartProgram(std::string(kConverterProgram),
                          {"34", std::string(kResultCsvFile), std::string(kConvertedFile)},
                          w.workDir);

  if (w.MatchCount > 4) {
    w[Text16].text = "   Es wurden " + NumberWithSignPlace(w.MatchCount) + " von " +
                     NumberWithSignPlace(w.RecordCount) + " Orten gefunden";
  }

  FillResultList(w);

  if (w.MatchCount > 1) {
    w.focus = Text1;
    return;
  }
  ShowSingleResult(w);
}

void FillResultList(Window& w) {
  Control& list = w[List1];
  list.ClearRows();
  InputFile results(w.File(kResultFile), std::string(kResultFile));
  w.ListRow = 0;
  w.CurrentStateName.clear();
  // One allocation for a list of any length: a row keeps about 45 bytes of text.
  if (w.MatchCount > 0) list.rows.reserve(static_cast<std::size_t>(w.MatchCount), 48);
  PlaceRecordView record;
  PlaceRecord storage;
  const bool anyRecord = ReadEveryRecord(results, record, storage, [&](const RecordRef& row) {
    list.rows.AddResultRow(row.Text(0), row.Text(1), row.Text(2), row.Text(3));
    ++w.ListRow;
  });
  ++list.rowsRevision;
  // The record read last, with place, municipality and district in their list form.
  if (anyRecord) {
    CopyRecord(record, w.CurrentRecord);
    w.CurrentRecord.Place = ToListColumn(record.Place());
    w.CurrentRecord.Municipality = ToListColumn(record.Municipality());
    w.CurrentRecord.District = ToListColumn(record.District());
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
