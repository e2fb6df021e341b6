#include "place_details.h"

#include "errors.h"
#include "federal_states.h"
#include "files.h"
#include "model.h"
#include "search.h"
#include "text1252.h"

namespace veldaris {
namespace {

void ReplaceAll(std::string& text, char umlaut, std::string_view replacement) {
  for (auto at = text.find(umlaut); at != std::string::npos; at = text.find(umlaut, at))
    text.replace(at, 1, replacement);
}

void ReplaceCapital(std::string& text, char umlaut, char capital) {
  for (auto at = text.find(umlaut); at != std::string::npos; at = text.find(umlaut, at)) {
    const bool small = at + 1 < text.size() && static_cast<unsigned char>(text[at + 1]) > 96;
    text.replace(at, 1, {capital, small ? 'e' : 'E'});
  }
}

}  // namespace

std::string ReplaceUmlauts(std::string_view input) {
  std::string text(input);
  ReplaceAll(text, '\xE4', "ae");
  ReplaceAll(text, '\xF6', "oe");
  ReplaceAll(text, '\xFC', "ue");
  ReplaceAll(text, '\xDF', "ss");
  ReplaceCapital(text, '\xC4', 'A');
  ReplaceCapital(text, '\xD6', 'O');
  ReplaceCapital(text, '\xDC', 'U');
  return text;
}

std::string BuildPlaceString(const PlaceRecord& record, const std::string& stateName) {
  return ReplaceUmlauts(TextOf(record.Place) + ", " + TextOf(record.District) + ", " + stateName +
                        ", AUSTRIA");
}

std::string MunicipalityLabel(const std::string& kind) {
  if (kind == "m" || kind == "M") return "Markt";
  if (kind == "s" || kind == "S") return "Stadt";
  return "Gemeinde";
}

void ReadResultRecord(Window& w, int n) {
  InputFile results(w.File(kResultFile), std::string(kResultFile));
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
  w[Text7].text = TextOf(record.Place);
  w[Text8].text = TextOf(record.Municipality);
  w[Text9].text = TextOf(record.District);
  w[Text10].text = w.CurrentStateName;
  w[Text5].text = "PLZ: " + TextOf(record.Postcode);
  w[Text12].text = MunicipalityLabel(TextOf(record.MunicipalityKind));
  w[Text16].text = BuildPlaceString(record, w.CurrentStateName);
}

void ShowPlaceDetails(Window& w, int n) {
  ReadResultRecord(w, n);
  ShowCurrentRecord(w);
  CopyPlaceString(w);
}

void CopyPlaceString(Window& w) {
  w.platform.ClearClipboard();
  w.platform.SetClipboardText(w[Text16].text);
  w.focus = Text16;
  w[Text16].selStart = 0;
  w[Text16].selLength = static_cast<int>(w[Text16].text.size());
}

}  // namespace veldaris
