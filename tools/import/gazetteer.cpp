#include "tools/import/gazetteer.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "core/text1252.h"

namespace veldaris::import {

using namespace places;
namespace {

// --- Unicode text -------------------------------------------------------------------------

// A file's text as UTF-8: UTF-8 as it stands (a byte order mark dropped), anything else read
// as Windows-1252, the code page older downloads of such lists come in.
std::string AsUtf8(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  if (DecodeUtf8(bytes)) return std::string(bytes);
  return Windows1252ToUtf8(bytes);
}

// DIN 5007-1: letter case aside, ä ö ü as a o u, ß as ss, other accented letters as their
// base letter. The result is compared byte by byte, which is code point order.
std::string SortForm(const std::string& utf8) {
  std::string out;
  for (char32_t cp : DecodeUtf8(utf8).value_or(std::u32string{})) {
    if (cp == 0xDF) {
      out += "ss";
      continue;
    }
    if (const char base = PlainLetter(cp)) cp = static_cast<unsigned char>(base);
    if (cp >= 'A' && cp <= 'Z') cp += 'a' - 'A';
    AppendUtf8(out, cp);
  }
  return out;
}

bool IsSpace(char32_t cp) { return cp == ' ' || cp == '\t' || cp == 0xA0 || cp == 0x2007 || cp == 0x202F; }

// Whitespace trimmed and runs of it made one blank; a double quote (which the record format
// cannot carry) becomes an apostrophe and a line break a blank.
std::string Clean(const std::string& utf8, Report& report) {
  std::string out;
  bool pendingBlank = false;
  for (char32_t cp : DecodeUtf8(utf8).value_or(std::u32string{})) {
    if (cp == '"') {
      cp = '\'';
      ++report.quotesOrBreaksReplaced;
    } else if (cp == '\r' || cp == '\n') {
      cp = ' ';
      ++report.quotesOrBreaksReplaced;
    }
    if (IsSpace(cp)) {
      pendingBlank = !out.empty();
      continue;
    }
    if (pendingBlank) out.push_back(' ');
    pendingBlank = false;
    AppendUtf8(out, cp);
  }
  return out;
}

// Windows-1252 text of a clean UTF-8 text; what it cannot hold is written plainer.
std::string To1252(const std::string& utf8, Report& report) {
  std::string out;
  for (char32_t cp : DecodeUtf8(utf8).value_or(std::u32string{})) {
    if (const auto byte = UnicodeToWindows1252(cp)) {
      out.push_back(static_cast<char>(*byte));
      continue;
    }
    const char base = PlainLetter(cp);
    out.push_back(base ? base : '?');
    ++report.transliterated;
    std::string shown;
    AppendUtf8(shown, cp);
    shown += std::string(" -> ") + (base ? base : '?');
    if (std::find(report.transliterations.begin(), report.transliterations.end(), shown) ==
        report.transliterations.end())
      report.transliterations.push_back(shown);
  }
  return out;
}

// --- the two files ---------------------------------------------------------------------------

struct Row {
  std::vector<std::string> fields;
  std::size_t line;
};

// Lines of fields separated by delimiter. With quoting, a field in double quotes may hold
// the delimiter, a line break and "" for a double quote (CSV); without, every character is
// what it is (GeoNames' tab-separated dump).
std::vector<Row> SplitRows(const std::string& text, char delimiter, bool quoting, const std::string& file) {
  std::vector<Row> rows;
  std::size_t line = 1;
  std::size_t i = 0;
  while (i < text.size()) {
    Row row{{}, line};
    std::string field;
    bool endOfLine = false;
    while (!endOfLine) {
      if (quoting && i < text.size() && text[i] == '"') {
        const std::size_t openedOn = line;
        ++i;
        for (;;) {
          if (i >= text.size()) throw InputError(file, openedOn, "Anführungszeichen wird nicht geschlossen");
          if (text[i] == '"') {
            if (i + 1 < text.size() && text[i + 1] == '"') {
              field.push_back('"');
              i += 2;
              continue;
            }
            ++i;
            break;
          }
          if (text[i] == '\n') ++line;
          field.push_back(text[i++]);
        }
        if (i < text.size() && text[i] != delimiter && text[i] != '\r' && text[i] != '\n')
          throw InputError(file, line, "Text nach dem schließenden Anführungszeichen");
      }
      while (i < text.size() && text[i] != delimiter && text[i] != '\n') field.push_back(text[i++]);
      if (!field.empty() && field.back() == '\r' && (i >= text.size() || text[i] == '\n'))
        field.pop_back();
      row.fields.push_back(std::move(field));
      field.clear();
      if (i >= text.size() || text[i] == '\n') {
        endOfLine = true;
        if (i < text.size()) ++line;
      }
      ++i;
    }
    const bool blank = row.fields.size() == 1 && row.fields[0].find_first_not_of(" \t") == std::string::npos;
    if (!blank) rows.push_back(std::move(row));
  }
  return rows;
}

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

}  // namespace

const std::array<std::string_view, 9>& StateOrder() {
  static const std::array<std::string_view, 9> order = {"N\xD6", "O\xD6", "Sbg", "Stmk", "Bgl",
                                                        "Vbg",   "W",     "T",   "K"};
  return order;
}

std::vector<PostalCodeRow> ReadPostalCodes(std::string_view bytes, const std::string& file) {
  const std::string text = AsUtf8(bytes);
  const bool csv = text.starts_with("country_code");
  if (!csv && text.find('\t') == std::string::npos)
    throw InputError(file, 1,
                     "weder die CSV-Liste (Kopfzeile \"country_code,zipcode,place,…\") noch "
                     "GeoNames' Liste mit Tabulatoren (AT.txt)");
  std::vector<Row> rows = SplitRows(text, csv ? ',' : '\t', csv, file);
  // The columns by name in the CSV, by place in the dump.
  std::array<std::size_t, 7> at = {0, 1, 2, 4, 5, 7, 8};
  const std::array<std::string_view, 7> names = {"country_code", "zipcode",  "place",
                                                 "state_code",   "province", "community",
                                                 "community_code"};
  Row header;
  if (csv) {
    header = rows.front();
    rows.erase(rows.begin());
    for (std::size_t k = 0; k < names.size(); ++k) {
      const auto found = std::find(header.fields.begin(), header.fields.end(), names[k]);
      if (found == header.fields.end())
        throw InputError(file, header.line, "der Kopfzeile fehlt die Spalte \"" + std::string(names[k]) + "\"");
      at[k] = static_cast<std::size_t>(found - header.fields.begin());
    }
  }
  const std::size_t needed = *std::max_element(at.begin(), at.end()) + 1;
  std::size_t latitude = 9, longitude = 10;
  if (csv) {
    const auto column = [&](std::string_view name) {
      const auto found = std::find(header.fields.begin(), header.fields.end(), name);
      return found == header.fields.end() ? std::string::npos : static_cast<std::size_t>(found - header.fields.begin());
    };
    latitude = column("latitude");
    longitude = column("longitude");
  }
  std::vector<PostalCodeRow> result;
  for (const Row& row : rows) {
    if (row.fields.size() < needed)
      throw InputError(file, row.line, "erwartet wurden " + std::to_string(needed) +
                                           " Spalten, gefunden " + std::to_string(row.fields.size()));
    const auto field = [&](std::size_t k) { return Trimmed(row.fields[at[k]]); };
    if (field(0) != "AT")
      throw InputError(file, row.line, "kein Ort in Österreich (Ländercode \"" + field(0) + "\")");
    PostalCodeRow out{field(1), field(2), field(3), field(4), field(5), field(6), row.line, {}};
    // Latitude and longitude, where the list has them (GeoNames' own has them in place 9 and 10).
    if (latitude < row.fields.size() && longitude < row.fields.size())
      out.coordinates = {Trimmed(row.fields[latitude]), Trimmed(row.fields[longitude])};
    if (out.postcode.empty()) throw InputError(file, row.line, "die Postleitzahl fehlt");
    if (out.place.empty()) throw InputError(file, row.line, "der Ortsname fehlt");
    if (out.stateCode.size() != 2 || out.stateCode < "01" || out.stateCode > "09")
      throw InputError(file, row.line, "unbekannter Bundesland-Code \"" + out.stateCode + "\"");
    if (!AllDigits(out.municipalityCode))
      throw InputError(file, row.line, "die Gemeindekennziffer \"" + out.municipalityCode + "\" ist keine Zahl");
    result.push_back(std::move(out));
  }
  if (result.empty()) throw InputError(file, 0, "die Liste enthält keinen Ort");
  return result;
}

std::vector<Municipality> ReadMunicipalities(std::string_view bytes, const std::string& file) {
  const std::vector<Row> rows = SplitRows(AsUtf8(bytes), ';', true, file);
  const auto header = std::find_if(rows.begin(), rows.end(), [](const Row& r) {
    return Trimmed(r.fields[0]) == "Gemeindekennziffer";
  });
  if (header == rows.end())
    throw InputError(file, 0, "keine Kopfzeile \"Gemeindekennziffer;Gemeindename;…\" gefunden");
  std::size_t name = 0;
  std::size_t status = 0;
  for (std::size_t k = 0; k < header->fields.size(); ++k) {
    const std::string column = Trimmed(header->fields[k]);
    if (column == "Gemeindename") name = k;
    if (column == "Status") status = k;
  }
  if (!name || !status)
    throw InputError(file, header->line, "der Kopfzeile fehlt die Spalte \"Gemeindename\" oder \"Status\"");
  std::vector<Municipality> result;
  std::size_t notesFrom = 0;  // the first line after the rows that is no municipality
  for (auto row = header + 1; row != rows.end(); ++row) {
    const std::string first = Trimmed(row->fields[0]);
    if (!AllDigits(first) || first.size() != 5 || row->fields.size() <= std::max(name, status)) {
      if (!notesFrom) notesFrom = row->line;
      continue;
    }
    if (notesFrom)
      throw InputError(file, notesFrom, "keine Gemeinde (Gemeindekennziffer mit fünf Ziffern erwartet)");
    result.push_back({first, Trimmed(row->fields[name]), Trimmed(row->fields[status])});
  }
  if (result.empty()) throw InputError(file, header->line, "die Liste enthält keine Gemeinde");
  return result;
}

namespace {

// The name of a municipality as the fall-back compares it: lower case, "sankt " read as
// "st.", everything but letters, digits and umlauts left out.
std::string NameKey(const std::string& utf8) {
  std::string lower;
  for (char32_t cp : DecodeUtf8(utf8).value_or(std::u32string{})) {
    if (cp >= 'A' && cp <= 'Z') cp += 'a' - 'A';
    if (cp == 0xC4 || cp == 0xD6 || cp == 0xDC) cp += 0x20;
    AppendUtf8(lower, cp);
  }
  for (std::size_t at; (at = lower.find("sankt ")) != std::string::npos;) lower.replace(at, 6, "st.");
  std::string key;
  for (char32_t cp : DecodeUtf8(lower).value_or(std::u32string{})) {
    const bool keep = (cp >= 'a' && cp <= 'z') || (cp >= '0' && cp <= '9') || cp == 0xE4 ||
                      cp == 0xF6 || cp == 0xFC || cp == 0xDF;
    if (keep) AppendUtf8(key, cp);
  }
  return key;
}

std::string KindOf(const std::string& status) {
  if (status == "SR" || status == "ST") return "s";
  if (status == "M") return "m";
  return {};
}

void Count(std::vector<Report::Counted>& list, const std::string& name, const std::string& code) {
  const auto found = std::find_if(list.begin(), list.end(),
                                  [&](const Report::Counted& c) { return c.code == code; });
  if (found != list.end())
    ++found->records;
  else
    list.push_back({name, code, 1});
}

}  // namespace

std::vector<PlaceRecord> BuildGazetteer(const std::vector<PostalCodeRow>& rows,
                                        const std::vector<Municipality>& municipalities,
                                        Report& report, std::vector<Coordinates>* coordinates,
                                        std::vector<std::string>* municipalityCodes) {
  // GeoNames' state codes, 01 to 09, as the data file's short forms.
  static const std::array<std::size_t, 9> kStateOfCode = {4, 8, 0, 1, 2, 3, 7, 5, 6};
  std::map<std::string, std::string> statusOf;
  std::map<std::pair<char, std::string>, std::set<std::string>> statusesByName;
  for (const Municipality& m : municipalities) {
    statusOf.emplace(m.code, m.status);
    statusesByName[{m.code[0], NameKey(m.name)}].insert(m.status);
  }

  struct Entry {
    std::size_t state;
    std::string sortDistrict, sortMunicipality, sortPlace;
    std::string postcode, district, municipality, place, kind;  // UTF-8
    std::string municipalityCode;
    PlaceRecord record;
    Coordinates coordinates;
  };
  std::vector<Entry> entries;
  entries.reserve(rows.size());
  report.rows = rows.size();
  for (const PostalCodeRow& row : rows) {
    const std::size_t code = static_cast<std::size_t>(row.stateCode[1] - '1');
    const std::size_t state = kStateOfCode[code];
    std::string place = Clean(row.place, report);
    std::string municipality = Clean(row.municipality, report);
    std::string district = Clean(row.district, report);
    const std::string postcode = Clean(row.postcode, report);
    std::string municipalityCode = row.municipalityCode;
    constexpr std::string_view kPrefix = "Politischer Bezirk ";
    if (district.starts_with(kPrefix)) district.erase(0, kPrefix.size());
    if (row.stateCode == "09") {
      // Vienna's districts stand as municipalities in the source: Vienna is one.
      municipality = "Wien";
      district = "Wien";
      municipalityCode = "90001";
    }
    std::string status;
    if (const auto found = statusOf.find(municipalityCode); found != statusOf.end()) {
      status = found->second;
    } else {
      const auto named = statusesByName.find({row.stateCode[1], NameKey(municipality)});
      if (named != statusesByName.end() && named->second.size() == 1) {
        status = *named->second.begin();
        Count(report.statusByName, municipality, municipalityCode);
      } else {
        Count(report.withoutStatus, municipality, municipalityCode);
      }
    }
    Entry entry{state, SortForm(district), SortForm(municipality), SortForm(place), postcode, district,
                municipality, place, KindOf(status), municipalityCode, {}, row.coordinates};
    PlaceRecord& r = entry.record;
    r.Place = To1252(place, report);
    r.Municipality = To1252(municipality, report);
    r.District = To1252(district, report);
    r.StateShortForm = std::string(StateOrder()[state]);
    r.Postcode = To1252(postcode, report);
    if (!entry.kind.empty()) r.MunicipalityKind = entry.kind;
    entries.push_back(std::move(entry));
  }

  const auto key = [](const Entry& e) {
    return std::tie(e.state, e.sortDistrict, e.sortMunicipality, e.sortPlace, e.postcode,
                    e.district, e.municipality, e.place, e.kind);
  };
  std::stable_sort(entries.begin(), entries.end(),
                   [&](const Entry& a, const Entry& b) { return key(a) < key(b); });

  std::vector<PlaceRecord> records;
  records.reserve(entries.size());
  std::set<std::string> written;
  for (const Entry& e : entries) {
    if (!written.insert(FormatPlaceRecordLine(e.record)).second) {
      ++report.duplicates;
      continue;
    }
    records.push_back(e.record);
    if (coordinates) coordinates->push_back(e.coordinates);
    if (municipalityCodes) municipalityCodes->push_back(e.municipalityCode);
    ++report.perState[e.state];
  }
  report.records = records.size();
  return records;
}

bool Utf8Lines::Next(std::string_view& line) {
  while (lines_.Next(line)) {
    if (line.empty()) continue;
    if (!IsUtf8(line)) throw InputError(file_, lines_.number(), "kein UTF-8");
    return true;
  }
  return false;
}

}  // namespace veldaris::import
