#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/output_file.h"
#include "core/record_reader.h"
#include "core/place_record.h"
#include "core/result_row.h"
#include "tests/test_support.h"

namespace veldaris {
namespace {

using test::TempDir;
using test::WriteBytes;

// Reads every record of the bytes; throws what the reader throws.
std::vector<PlaceRecord> ReadAll(const std::string& bytes) {
  TempDir dir;
  WriteBytes(dir / "f.ort", bytes);
  RecordReader in(dir / "f.ort", "f.ort");
  std::vector<PlaceRecord> records;
  PlaceRecord record;
  while (!in.AtEnd()) {
    ReadPlaceRecord(in, record);
    records.push_back(record);
  }
  return records;
}

PlaceRecord Rec(std::optional<std::string> a, std::optional<std::string> b,
                std::optional<std::string> c, std::optional<std::string> d,
                std::optional<std::string> e, std::optional<std::string> f,
                std::optional<std::string> g) {
  return {a, b, c, d, e, f, g};
}

// The csv line of a record, as the search writes it.
std::string ResultCsvLine(const PlaceRecord& record) {
  TempDir dir;
  OutputFile csv(dir / "ergeb.csv", "ergeb.csv");
  WriteResultCsvLine(csv, ViewOf(record));
  csv.Close();
  return test::ReadBytes(dir / "ergeb.csv");
}

TEST(PlaceRecordFormat, WritesTheLineOfTheDataFile) {
  const PlaceRecord hallstatt =
      Rec("Hallstatt", "Hallstatt", "Gmunden", Cp1252("OÖ"), "4830", "", "m");
  EXPECT_EQ(FormatPlaceRecordLine(hallstatt),
            Cp1252("\"Hallstatt\",\"Hallstatt\",\"Gmunden\",\"OÖ\",\"4830\",\"\",\"m\"\r\n"));
  EXPECT_EQ(ResultCsvLine(hallstatt), "\"Hallstatt;Hallstatt;Gmunden\"\r\n");
  const PlaceRecord noPlace =
      Rec(std::nullopt, "Au", "Bregenz", "Vbg", "6883", std::nullopt, std::nullopt);
  EXPECT_EQ(FormatPlaceRecordLine(noPlace), ",\"Au\",\"Bregenz\",\"Vbg\",\"6883\",,\r\n");
  EXPECT_EQ(ResultCsvLine(noPlace), "\";Au;Bregenz\"\r\n");
}

TEST(PlaceRecordFormat, RoundTripsByteForByte) {
  std::string high;
  for (int b = 0x80; b <= 0xFF; ++b) high.push_back(static_cast<char>(b));
  const std::vector<PlaceRecord> records = {
      Rec("Graz,01.Bez.:Innere Stadt", "Graz", "Graz", "Stmk", "8010", std::nullopt, "s"),
      Rec("  Blanks  inside ", "a;b", "", "W", "", "", ""),
      Rec(std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
          std::nullopt),
      Rec(Cp1252("Gößl"), "Grundlsee", "Liezen", "Stmk", "8993", std::nullopt, "m"),
      Rec(high, Cp1252("Steinbrunn / Štikapron"), "x", Cp1252("NÖ"), "1", "r", "M"),
  };
  std::string bytes;
  for (const auto& r : records) bytes += FormatPlaceRecordLine(r);
  EXPECT_EQ(ReadAll(bytes), records);

  // Rewriting what was read gives the same bytes.
  std::string again;
  for (const auto& r : ReadAll(bytes)) again += FormatPlaceRecordLine(r);
  EXPECT_EQ(again, bytes);
}

TEST(PlaceRecordFormat, ReadsTheFormsTheRulesAllow) {
  // Blanks before items, unquoted items, items spread over lines, a last line without CR LF.
  const auto records = ReadAll(
      "  \"a\", b ,c,  \"d\",5,,\r\n"
      "\"p\",\"q\"\r\n\"r\",\"s\",\"t\",\r\n\"u\",\"v\"\r\n"
      "\"x\",\"y\",\"z\",\"W\",\"1\",,");
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0], Rec("a", "b", "c", "d", "5", std::nullopt, std::nullopt));
  EXPECT_EQ(records[1], Rec("p", "q", "r", "s", "t", std::nullopt, "u"));
  // The second record took its seven items from three lines; "v" begins the third.
  EXPECT_EQ(records[2], Rec("v", "x", "y", "z", "W", "1", std::nullopt));
}

TEST(PlaceRecordFormat, AnEmptyFileHasNoRecords) { EXPECT_TRUE(ReadAll("").empty()); }

TEST(PlaceRecordFormat, RefusesWhatTheProgramNeverWritesAndNamesThePlace) {
  struct Case {
    const char* name;
    std::string bytes;
    int number;
    const char* where;
  };
  const Case cases[] = {
      {"text after a closing quote", "\"a\"x,\"b\",,,,,\r\n", kErrTextAfterQuote, "Zeile 1, Spalte 4"},
      {"quote inside an item", "\"a\",b\"c,,,,,\r\n", kErrQuoteInItem, "Zeile 1, Spalte 6"},
      {"lone CR", "\"a\",\"b\"\r\"c\",,,,\r\n", kErrLoneLineBreak, "Zeile 1, Spalte 8"},
      {"lone LF", "\"a\",\"b\",\"c\",,,,\n", kErrLoneLineBreak, "Zeile 1, Spalte 16"},
      {"unclosed quote", "\"a\",\"b,,,,,\r\n\"c\"", kErrUnclosedQuote, "Zeile 1, Spalte 5"},
      {"end inside a record", "\"a\",\"b\",\"c\",\"W\",\"1\",\r\n", kErrEndInsideRecord,
       "Zeile 1, Spalte 1"},
      {"end inside the second record", "\"a\",,,,,,\r\n\"b\",\"c\"\r\n", kErrEndInsideRecord,
       "Zeile 2, Spalte 1"},
      {"end right after an item", "\"a\",\"b\",\"c\"", kErrEndInsideRecord, "Zeile 1, Spalte 1"},
      {"a trailing empty line", "\"a\",,,,,,\r\n\r\n", kErrEndInsideRecord, "Zeile 2, Spalte 1"},
  };
  for (const auto& c : cases) {
    try {
      ReadAll(c.bytes);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const SystemError& e) {
      EXPECT_EQ(e.Number(), c.number) << c.name;
      EXPECT_NE(e.Description().find(c.where), std::string::npos)
          << c.name << ": " << e.Description();
      EXPECT_EQ(e.File(), "f.ort") << c.name;
    }
  }
}

TEST(PlaceRecordFormat, AProblemNamesTheFirstRecordThatLeftItsLine) {
  const std::string good = "\"a\",\"b\",\"c\",\"W\",\"1\",,\"m\"\r\n";
  // Line 3 lacks its seventh item: its record takes the first item of line 4, and from
  // there on every record is out of step until the file ends inside one.
  std::string bytes = good + good + "\"a\",\"b\",\"c\",\"W\",\"1\",\r\n" + good + good;
  std::string line = "Der Datensatz in Zeile 3 endet nicht am Zeilenende";
  try {
    ReadAll(bytes);
    ADD_FAILURE() << "no error";
  } catch (const SystemError& e) {
    EXPECT_EQ(e.Number(), kErrEndInsideRecord);
    EXPECT_EQ(e.Description().rfind(line, 0), 0u) << e.Description();
  }
  // The same in the gazetteer, with line 15000 cut short.
  bytes = test::ReadBytes(test::Gazetteer());
  std::size_t at = 0;
  for (int n = 1; n < 15000; ++n) at = bytes.find('\n', at) + 1;
  const std::size_t end = bytes.find("\r\n", at);
  const std::size_t lastComma = bytes.rfind(',', end);
  bytes.erase(lastComma, end - lastComma);
  try {
    ReadAll(bytes);
    ADD_FAILURE() << "no error";
  } catch (const SystemError& e) {
    EXPECT_EQ(e.Description().rfind("Der Datensatz in Zeile 15000 endet nicht am Zeilenende", 0), 0u)
        << e.Description();
  }
}

TEST(PlaceRecordFormat, WholeLinesArePassedByTheirLineEnds) {
  const std::string a = "\"a\",,,,,,\r\n";
  const std::string b = "\"bb\",,,,,,\r\n";
  const std::string c = "\"ccc\",,,,,,\r\n";
  const struct {
    std::string bytes;
    std::uint64_t skip, passed;
    std::optional<std::string> next;  // the place of the record after them
  } cases[] = {
      {a + b + c, 2, 2, "ccc"},
      {a + b + c, 0, 0, "a"},
      {a + b, 3, 2, std::nullopt},                    // the file ends first
      {a + "\"x\",,,,,,\n" + c, 2, 1, "!"},           // a LF alone stops the count
      {a + "\"x\",,,\r\n,,,\r\n" + c, 2, 2, ",,,"},  // lines, not records, are counted
  };
  for (const auto& c2 : cases) {
    for (std::size_t buffer : {std::size_t{1}, std::size_t{3}, std::size_t{8}, InputFile::kBufferSize}) {
      RecordReader in = RecordReader::InMemory(c2.bytes, "f.ort", buffer);
      EXPECT_EQ(in.SkipWholeLines(c2.skip), c2.passed) << c2.bytes << " buffer " << buffer;
      if (!c2.next) {
        EXPECT_TRUE(in.AtEnd());
        continue;
      }
      if (c2.next == ",,,") continue;  // the next bytes begin no record: only the count matters
      PlaceRecord record;
      if (c2.next == "!") {  // the reader takes over, and says what is wrong there
        EXPECT_THROW(ReadPlaceRecord(in, record), SystemError);
        continue;
      }
      ReadPlaceRecord(in, record);
      EXPECT_EQ(record.Place, c2.next) << c2.bytes << " buffer " << buffer;
      EXPECT_EQ(in.Line(), c2.passed + 2) << "the line count goes on from the lines passed";
    }
  }
}

TEST(PlaceRecordFormat, ReadsAcrossBufferBoundaries) {
  // Enough records that items straddle the reader's 64 KiB buffer many times.
  std::string bytes;
  std::vector<PlaceRecord> expected;
  for (int i = 0; i < 5000; ++i) {
    PlaceRecord r = Rec("Ort " + std::to_string(i), std::string(static_cast<std::size_t>(i % 37), 'g'),
                        "Bezirk", "T", std::to_string(6000 + i), std::nullopt, "m");
    bytes += FormatPlaceRecordLine(r);
    expected.push_back(r);
  }
  EXPECT_EQ(ReadAll(bytes), expected);
}

TEST(ResultListRow, ColumnsAreCutAndFilled) {
  struct Case {
    std::string place, municipality, district, state;
    std::string row;
  };
  const std::string b22(22, ' ');
  const Case cases[] = {
      {"Sankt Margarethen an der Raab", "Sankt Margarethen an der Raab", "Weiz", "Stmk",
       "Sankt Margarethen an  Sankt Margarethen an  Weiz                  Stmk"},
      {"Exactly twenty chars", "Twenty-one characters", "Abc", "W",
       "Exactly twenty chars  Twenty-one character  Abc                   W"},
      {"Buchkirchen", "Buchkirchen", "Wels-Land", Cp1252("OÖ"),
       "Buchkirchen           Buchkirchen           Wels-Land             " + Cp1252("OÖ")},
      {"", "", "", "", b22 + b22 + b22},
  };
  for (const auto& c : cases) {
    const std::string row =
        FormatResultListLine(Rec(c.place, c.municipality, c.district, c.state, "1", {}, {}));
    EXPECT_EQ(row, c.row);
    EXPECT_EQ(row.size(), 66 + c.state.size());
  }
  EXPECT_EQ(FormatResultListLine(PlaceRecord{}), b22 + b22 + b22);
}

}  // namespace
}  // namespace veldaris
