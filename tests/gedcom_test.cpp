// Family trees as other programs write them: ANSEL, the corrected copy (veldaris-ort --gedcom
// IN --ausgabe OUT) in every encoding, what is never written, and the shared corpus of trees.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>
#include <set>

#include "core/text1252.h"
#include "tests/test_support.h"
#include "places/ansel.h"
#include "places/gedcom.h"
#include "places/tree_check.h"

namespace veldaris {
namespace {

using namespace places;

using places::Encoding;

// How a file writes its characters and its line ends.
struct Form {
  const char* name;
  Encoding encoding;
  bool byteOrderMark;
  const char* lineEnd;
  const char* charset;  // what its header names
};

std::string Encoded(std::string_view utf8, Encoding encoding) {
  if (encoding == Encoding::kUtf8) return std::string(utf8);
  if (encoding == Encoding::kWindows1252) return Cp1252(utf8);
  std::string out;
  const std::u32string points = DecodeUtf8(utf8).value();
  if (encoding == Encoding::kAnsel) {  // the letters of these trees
    for (char32_t cp : points) {
      const std::u32string_view letters = U"äöüÄÖÜß";
      const std::size_t at = letters.find(cp);
      if (cp < 0x80) out += static_cast<char>(cp);
      else if (at == 6) out += '\xCF';
      else if (at != std::u32string_view::npos) out += std::string("\xE8") + "aouAOU"[at];
      else ADD_FAILURE() << "no ANSEL in this test for U+" << std::hex << static_cast<unsigned>(cp);
    }
    return out;
  }
  for (char32_t cp : points) {
    const auto high = static_cast<char>(cp >> 8), low = static_cast<char>(cp & 0xFF);
    out += encoding == Encoding::kUtf16Be ? std::string{high, low} : std::string{low, high};
  }
  return out;
}

// Lines written with "\n" in UTF-8, in the form: {charset} stands for what the header names.
std::string Written(std::string text, const Form& form) {
  text.replace(text.find("{charset}"), 9, form.charset);
  std::string out;
  if (form.byteOrderMark)
    out = form.encoding == Encoding::kUtf8 ? "\xEF\xBB\xBF" : Encoded("\xEF\xBB\xBF", form.encoding);
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find('\n', at);
    out += Encoded(text.substr(at, end - at), form.encoding) + Encoded(form.lineEnd, form.encoding);
    at = end + 1;
  }
  return out;
}

const char* const kTree =
    "0 HEAD\n1 CHAR {charset}\n0 @I1@ INDI\n"
    "1 BIRT\n2 PLAC Gößl, Austria\n2 DATE 1900\n"
    "1 DEAT\n2 PLAC Gößl,\n3 CONC  Austria\n"                           // continued
    "1 BURI\n2 PLAC Goessl, Liezen, Steiermark, AUSTRIA\n"             // the place string already
    "1 RESI\n2 PLAC Gößl, Austria\n3 MAP\n4 LATI N1.0\n4 LONG E2.0\n"  // a map of its own
    "1 EVEN\n2 PLAC Paris, France\n0 TRLR\n";

const char* const kCorrected =
    "0 HEAD\n1 CHAR {charset}\n0 @I1@ INDI\n"
    "1 BIRT\n2 PLAC Goessl, Liezen, Steiermark, AUSTRIA\n3 MAP\n4 LATI N47.6405\n4 LONG E13.9055\n"
    "3 NOTE Ortsangabe vorher: Gößl, Austria\n2 DATE 1900\n"
    "1 DEAT\n2 PLAC Goessl, Liezen, Steiermark, AUSTRIA\n3 MAP\n4 LATI N47.6405\n4 LONG E13.9055\n"
    "3 NOTE Ortsangabe vorher: Gößl,\n4 CONC  Austria\n"
    "1 BURI\n2 PLAC Goessl, Liezen, Steiermark, AUSTRIA\n3 MAP\n4 LATI N47.6405\n4 LONG E13.9055\n"
    "1 RESI\n2 PLAC Goessl, Liezen, Steiermark, AUSTRIA\n3 NOTE Ortsangabe vorher: Gößl, Austria\n"
    "3 MAP\n4 LATI N1.0\n4 LONG E2.0\n"
    "1 EVEN\n2 PLAC Paris, France\n0 TRLR\n";

std::optional<places::PlaceCorrection> Gossl(const std::string& value) {
  if (value != "Gößl, Austria" && value != "Goessl, Liezen, Steiermark, AUSTRIA") return std::nullopt;
  return places::PlaceCorrection{"Goessl, Liezen, Steiermark, AUSTRIA", "N47.6405", "E13.9055", false, std::nullopt};
}

// The character set of the standard: the special characters, letters with the diacritics
// before them, and the bytes it leaves undefined.
TEST(Ansel, ReadsTheCharacterSetOfTheStandard) {
  const struct {
    std::string ansel;
    std::optional<std::string> utf8;
  } cases[] = {
      {"\xA1\xA2\xA3\xA4\xA5\xA6\xA7\xA8\xA9\xAA\xAB\xAC\xAD\xAE", "ŁØĐÞÆŒʹ·♭®±ƠƯʿ"},
      {"\xB0\xB1\xB2\xB3\xB4\xB5\xB6\xB7\xB8\xB9\xBA\xBC\xBD\xBE\xBF", "ʾłøđþæœʺı£ðơư□■"},
      {"\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xCD\xCE\xCF", "°ℓ℗©♯¿¡eoß"},
      {"G\xE8o\xCFl", "Gößl"},
      {"\xE8" "A\xE8" "a\xE8O\xE8o\xE8U\xE8u", "ÄäÖöÜü"},
      {"\xE2" "e\xE1" "e\xE3" "e \xE9s\xE9z\xE9" "c\xE9" "C \xF0" "c \xEA" "A", "éèê šžčČ ç Å"},
      {"\xE2\xA2", "Ǿ"},                 // a mark on a special letter
      {"\xE1\xE8u", "ǜ"},                // two marks, the nearest first
      {"\xE8q", "q\u0308"},              // no such letter: the combining mark follows
      {"\xF2\xE3q", "q\u0302\u0323"},   // the same for two marks, the nearest first
      {"a\xE8", "a\u0308"},              // a mark with no letter after it
      {std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const auto& c : cases) EXPECT_EQ(places::AnselToUtf8(c.ansel), c.utf8) << c.ansel;
  for (unsigned byte : {0x80u, 0x8Du, 0x9Fu, 0xA0u, 0xAFu, 0xBBu, 0xC7u, 0xC8u, 0xCCu, 0xD0u, 0xDFu, 0xFCu, 0xFDu, 0xFFu}) {
    EXPECT_FALSE(places::IsAnselByte(static_cast<unsigned char>(byte))) << byte;
    EXPECT_EQ(places::AnselToUtf8(std::string("a") + static_cast<char>(byte)), std::nullopt) << byte;
  }
}

// The torture test's notes list every special character as "A1 slash l - uppercase (Ł)"
// and every diacritic as "code: E8 (Unicode: diaeresis, 0308)": exactly those bytes are
// characters, and each diacritic is the mark the note names.
TEST(Ansel, AgreesWithTheNotesOfTheTortureTest) {
  const std::filesystem::path notes = VELDARIS_SOURCE_DIR "/../shared/gedcom/TGC551LF.ged";
  if (!std::filesystem::exists(notes)) GTEST_SKIP() << notes << " is not there";
  std::istringstream lines(test::ReadBytes(notes));
  const auto hex = [](std::string digits) {
    std::replace(digits.begin(), digits.end(), 'O', '0');  // the notes write "BO" and "CO"
    return static_cast<unsigned>(std::stoul(digits, nullptr, 16));
  };
  std::set<unsigned> listed;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t code = line.find("code: ");
    const std::size_t unicode = line.find(" (Unicode: ");
    if (code != std::string::npos && unicode == code + 8) {  // "code: E8 (Unicode: diaeresis, 0308)"
      const unsigned byte = hex(line.substr(code + 6, 2));
      std::string mark;
      AppendUtf8(mark, hex(line.substr(line.find(", ", unicode) + 2, 4)));
      EXPECT_EQ(places::AnselToUtf8(std::string(1, static_cast<char>(byte))), mark) << line;
      listed.insert(byte);
    } else if (line.starts_with("1 CONT ") && line.size() > 14 && line[9] == ' ' && line.ends_with(")") &&
               line[line.size() - 3] == '(' && std::isxdigit(static_cast<unsigned char>(line[7]))) {
      // "1 CONT A1 slash l - uppercase (Ł)", the character as its byte
      const unsigned byte = hex(line.substr(7, 2));
      EXPECT_EQ(static_cast<unsigned char>(line[line.size() - 2]), byte) << line;
      listed.insert(byte);
    }
  }
  EXPECT_EQ(listed.size(), 39u + 29u);
  for (unsigned byte = 0x80; byte < 0x100; ++byte)
    EXPECT_EQ(places::IsAnselByte(static_cast<unsigned char>(byte)), listed.count(byte) == 1) << std::hex << byte;
}

TEST(CorrectedTree, RewritesUniquePlacesAndLeavesEveryOtherByteInEveryEncoding) {
  const Form forms[] = {
      {"UTF-8, CR LF", Encoding::kUtf8, false, "\r\n", "UTF-8"},
      {"UTF-8 with its mark, LF", Encoding::kUtf8, true, "\n", "UTF-8"},
      {"Windows-1252, CR", Encoding::kWindows1252, false, "\r", "ANSI"},
      {"UTF-16 LE with its mark, CR LF", Encoding::kUtf16Le, true, "\r\n", "UNICODE"},
      {"UTF-16 BE without a mark, LF", Encoding::kUtf16Be, false, "\n", "UNICODE"},
      {"UTF-16 LE without a mark, CR", Encoding::kUtf16Le, false, "\r", "UNICODE"},
      {"ANSEL, CR LF", Encoding::kAnsel, false, "\r\n", "ANSEL"},
  };
  for (const Form& form : forms) {
    const std::string bytes = Written(kTree, form);
    const places::GedcomTree tree(bytes);
    EXPECT_EQ(tree.encoding(), form.encoding) << form.name;
    EXPECT_TRUE(tree.problems().empty()) << form.name;
    std::size_t rewritten = 0;
    const std::string copy = places::CorrectTree(tree, Gossl, rewritten);
    EXPECT_EQ(copy, Written(kCorrected, form)) << form.name;
    EXPECT_EQ(rewritten, 3u) << form.name;
    // Run again on its own output, it changes nothing.
    const places::GedcomTree again(copy);
    EXPECT_EQ(places::CorrectTree(again, Gossl, rewritten), copy) << form.name;
    // Nothing to correct: the copy is the file.
    EXPECT_EQ(places::CorrectTree(tree, [](const std::string&) { return std::optional<places::PlaceCorrection>(); }, rewritten),
              bytes)
        << form.name;
  }
}

// A place abroad keeps its historical name: the copy adds its point, unless the value has a
// MAP already, and today's name in a note, in letters the file's set can hold; once.
TEST(CorrectedTree, KeepsAPlaceAbroadAndAddsItsPointAndTodaysName) {
  places::Resolution krumlov;
  krumlov.status = places::Resolution::Status::kAbroad;
  krumlov.candidates = {{"Český Krumlov, Tschechien", places::Coordinates{"48.81091", "14.31521"}, {"CZ"}}};
  krumlov.chosen = 0;
  krumlov.keepValue = true;
  const char* const tree = "0 HEAD\n1 CHAR {charset}\n0 @I1@ INDI\n1 BIRT\n2 PLAC Krumau, Böhmen\n"
                           "1 DEAT\n2 PLAC Krumau, Böhmen\n3 MAP\n4 LATI N1.0\n4 LONG E2.0\n0 TRLR\n";
  const struct {
    Form form;
    const char* today;  // as the file's set can write it
  } cases[] = {
      {{"UTF-8", Encoding::kUtf8, false, "\n", "UTF-8"}, "Český Krumlov"},
      {{"UTF-16 LE", Encoding::kUtf16Le, true, "\r\n", "UNICODE"}, "Český Krumlov"},
      {{"Windows-1252", Encoding::kWindows1252, false, "\r\n", "ANSI"}, "Ceský Krumlov"},
      {{"ANSEL", Encoding::kAnsel, false, "\r\n", "ANSEL"}, "Cesky Krumlov"},
  };
  for (const auto& c : cases) {
    const std::string note = std::string("3 NOTE Heute: ") + c.today + ", Tschechien\n";
    const std::string expected = "0 HEAD\n1 CHAR {charset}\n0 @I1@ INDI\n1 BIRT\n2 PLAC Krumau, Böhmen\n"
                                 "3 MAP\n4 LATI N48.8109\n4 LONG E14.3152\n" + note +
                                 "1 DEAT\n2 PLAC Krumau, Böhmen\n" + note + "3 MAP\n4 LATI N1.0\n4 LONG E2.0\n0 TRLR\n";
    const std::string bytes = Written(tree, c.form);
    const places::GedcomTree parsed(bytes);
    const std::vector<places::CheckedPlace> places{{"Krumau, Böhmen", 1, krumlov}};
    std::size_t rewritten = 0;
    const std::string copy = places::CorrectedCopy(parsed, places, {}, rewritten);
    EXPECT_EQ(copy, Written(expected, c.form)) << c.form.name;
    EXPECT_EQ(rewritten, 0u) << c.form.name;  // no value changed
    const places::GedcomTree again(copy);
    EXPECT_EQ(places::CorrectedCopy(again, places, {}, rewritten), copy) << c.form.name;
  }
}

// The command: the copy, the report, and what is refused with nothing written.
TEST(CorrectedTree, TheCommandNeverWritesOverTheTreeOrTheDataAndReadsOnlyTrees) {
  test::TempDir dir;
  test::WriteBytes(dir / "orte.ort", test::RecordLine({"Gößl", "Grundlsee", "Liezen", "Stmk", "8993", {}, "g"}));
  test::WriteBytes(dir / "orte.koordinaten", Cp1252("Gößl\tGrundlsee\tLiezen\tStmk\t8993\t47.6405\t13.9055\r\n"));
  const Form utf8{"", Encoding::kUtf8, false, "\r\n", "UTF-8"};
  const std::string tree = Written(kTree, utf8);
  test::WriteBytes(dir / "baum.ged", tree);
  test::WriteBytes(dir / "kein.ged", "HEAD\r\n1 CHAR UTF-8\r\n");
  std::error_code noLinks;  // a system without links has one case less
  std::filesystem::create_symlink(dir / "baum.ged", dir / "link.ged", noLinks);
  const auto run = [&](const std::string& in, const std::string& out) {
    return test::RunProgram(VELDARIS_ORT, {"--daten", "orte.ort", "--gedcom", in, "--ausgabe", out, "--bericht", "b.csv"},
                            dir.path());
  };
  const auto ok = run("baum.ged", "neu.ged");
  EXPECT_EQ(ok.exitCode, 0) << ok.stderrText;
  EXPECT_EQ(test::ReadBytes(dir / "neu.ged"), Written(kCorrected, utf8));
  EXPECT_NE(test::ReadBytes(dir / "b.csv").find(",eindeutig,\"Goessl, Liezen, Steiermark, AUSTRIA\",,47.6405,13.9055,Österreich,\r\n"),
            std::string::npos);
  std::filesystem::remove(dir / "neu.ged");
  const struct {
    const char* in;
    const char* out;
    const char* says;
  } refused[] = {
      {"baum.ged", "baum.ged", "baum.ged"},
      {"baum.ged", "link.ged", "baum.ged"},
      {"baum.ged", "orte.ort", "orte.ort"},
      {"kein.ged", "neu.ged", "kein.ged:1: keine GEDCOM-Datei"},
  };
  for (const auto& r : refused) {
    if (noLinks && std::string_view(r.out) == "link.ged") continue;
    const auto outcome = run(r.in, r.out);
    EXPECT_EQ(outcome.exitCode, 2) << r.in << " " << r.out;
    EXPECT_NE(outcome.stderrText.find(r.says), std::string::npos) << outcome.stderrText;
    EXPECT_FALSE(std::filesystem::exists(dir / "neu.ged")) << r.in << " " << r.out;
  }
  EXPECT_EQ(test::ReadBytes(dir / "baum.ged"), tree);
  EXPECT_EQ(test::ReadBytes(dir / "orte.ort"),
            test::RecordLine({"Gößl", "Grundlsee", "Liezen", "Stmk", "8993", {}, "g"}));
}

// The "n PLAC value" lines of a file, counted without the reader: UTF-16 read as its low
// bytes, lines ended by CR or LF.
std::size_t PlacesCounted(const std::string& bytes) {
  std::string text;
  if (bytes.size() > 1 && (bytes[0] == '\0' || bytes[1] == '\0')) {
    for (std::size_t i = bytes[0] == '\0' ? 1 : 0; i < bytes.size(); i += 2) text += bytes[i];
  } else {
    text = bytes;
  }
  std::replace(text.begin(), text.end(), '\r', '\n');
  std::istringstream lines(text);
  std::size_t places = 0;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string level, tag, value;
    words >> level >> tag;
    if (tag.starts_with('@')) words >> tag;
    places += level.find_first_not_of("0123456789") == std::string::npos && tag == "PLAC" && (words >> value);
  }
  return places;
}

// A tree without the lines the check adds below a place it found abroad (its point, and the
// note of its name today), which leave everything else as it was.
std::string WithoutAddedLines(const std::string& bytes) {
  std::string out;
  for (std::size_t from = 0; from < bytes.size();) {
    const std::size_t end = std::min(bytes.find('\n', from), bytes.size() - 1) + 1;
    const std::string_view line(bytes.data() + from, end - from);
    const std::size_t tag = line.find(' ') + 1;
    const bool added = tag > 0 && (line.substr(tag).starts_with("MAP") || line.substr(tag).starts_with("LATI ") ||
                                   line.substr(tag).starts_with("LONG ") || line.substr(tag).starts_with("NOTE Heute: "));
    if (!added) out += line;
    from = end;
  }
  return out;
}

// Every tree of the corpus written by other programs: read whole, every place value found,
// and, with no Austrian place in it, copied byte for byte but for the points and today's names
// of the places abroad it names (Leányvár, Ungarn).
TEST(GedcomCorpus, EveryTreeIsReadWholeAndCopiedAsItIs) {
  const std::filesystem::path corpus = VELDARIS_SOURCE_DIR "/../shared/gedcom";
  if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << corpus << " is not there";
  test::TempDir dir;
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".md") continue;
    ++files;
    const std::string bytes = test::ReadBytes(entry.path());
    const places::GedcomTree tree(bytes);
    EXPECT_EQ(tree.places().size(), PlacesCounted(bytes)) << name;
    for (const places::GedcomProblem& problem : tree.problems())
      ADD_FAILURE() << name << ":" << problem.line << ": " << problem.what;
    const auto run = test::RunProgram(
        VELDARIS_ORT, {"--daten", test::Gazetteer().string(), "--gedcom", entry.path().string(), "--ausgabe", "kopie.ged"},
        dir.path());
    EXPECT_LE(run.exitCode, 1) << name << ": " << run.stderrText;
    EXPECT_TRUE(WithoutAddedLines(test::ReadBytes(dir / "kopie.ged")) == WithoutAddedLines(bytes)) << name;
    std::filesystem::remove(dir / "kopie.ged");
  }
  EXPECT_GT(files, 0u);
}

}  // namespace
}  // namespace veldaris
