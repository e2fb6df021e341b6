// The corrected copy of a family tree (veldaris-ort --gedcom IN --ausgabe OUT): what is
// rewritten, what stays byte for byte, in every encoding; what is never written.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/text1252.h"
#include "tests/test_support.h"
#include "tools/ort/gedcom.h"

namespace veldaris {
namespace {

using ort::Encoding;

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

std::optional<ort::PlaceCorrection> Gossl(const std::string& value) {
  if (value != "Gößl, Austria" && value != "Goessl, Liezen, Steiermark, AUSTRIA") return std::nullopt;
  return ort::PlaceCorrection{"Goessl, Liezen, Steiermark, AUSTRIA", "N47.6405", "E13.9055"};
}

TEST(CorrectedTree, RewritesUniquePlacesAndLeavesEveryOtherByteInEveryEncoding) {
  const Form forms[] = {
      {"UTF-8, CR LF", Encoding::kUtf8, false, "\r\n", "UTF-8"},
      {"UTF-8 with its mark, LF", Encoding::kUtf8, true, "\n", "UTF-8"},
      {"Windows-1252, CR", Encoding::kWindows1252, false, "\r", "ANSI"},
      {"UTF-16 LE with its mark, CR LF", Encoding::kUtf16Le, true, "\r\n", "UNICODE"},
      {"UTF-16 BE without a mark, LF", Encoding::kUtf16Be, false, "\n", "UNICODE"},
  };
  for (const Form& form : forms) {
    const std::string bytes = Written(kTree, form);
    const ort::GedcomTree tree(bytes);
    EXPECT_EQ(tree.encoding(), form.encoding) << form.name;
    EXPECT_TRUE(tree.problems().empty()) << form.name;
    std::size_t rewritten = 0;
    const std::string copy = ort::CorrectTree(tree, Gossl, rewritten);
    EXPECT_EQ(copy, Written(kCorrected, form)) << form.name;
    EXPECT_EQ(rewritten, 3u) << form.name;
    // Run again on its own output, it changes nothing.
    const ort::GedcomTree again(copy);
    EXPECT_EQ(ort::CorrectTree(again, Gossl, rewritten), copy) << form.name;
    // Nothing to correct: the copy is the file.
    EXPECT_EQ(ort::CorrectTree(tree, [](const std::string&) { return std::optional<ort::PlaceCorrection>(); }, rewritten),
              bytes)
        << form.name;
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
  EXPECT_NE(test::ReadBytes(dir / "b.csv").find(",eindeutig,\"Goessl, Liezen, Steiermark, AUSTRIA\",,47.6405,13.9055\r\n"),
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

}  // namespace
}  // namespace veldaris
