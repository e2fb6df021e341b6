// The program on a German desktop: under the program's own QApplication, which sets the C
// library's locale from the environment (LC_ALL=de_AT.UTF-8 gives a decimal comma), numbers
// are written and read as in every other locale, a family tree's report and corrected copy
// are byte for byte veldaris-ort's, and Qt's own texts are German.
//   LC_ALL=de_AT.UTF-8 VELDARIS_DECIMAL_POINT=, build/bin/veldaris_qt_locale_tests
// Without VELDARIS_DECIMAL_POINT it checks the same in whatever locale it runs.
#include <QFileDialog>
#include <QTest>
#include <clocale>
#include <cstdlib>
#include <string>

#include "core/numbers.h"
#include "places/coordinates.h"
#include "places/data_files.h"
#include "places/gedcom.h"
#include "places/tree_check.h"
#include "platform/qt/qt_application.h"
#include "tests/test_support.h"

using namespace veldaris;

class GermanDesktop : public QObject {
  Q_OBJECT

 private slots:
  // The locale the test is run for is the one in force: the C library writes the decimal
  // point that the environment's locale has.
  void theLocaleIsInForce() {
    const char* expected = std::getenv("VELDARIS_DECIMAL_POINT");
    if (!expected) QSKIP("no locale asked for (VELDARIS_DECIMAL_POINT)");
    QCOMPARE(std::string(std::localeconv()->decimal_point), std::string(expected));
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 1.5);
    QCOMPARE(std::string(text), "1" + std::string(expected) + "5");
  }

  void numbersKeepTheirPoint() {
    QCOMPARE(Fixed(48.25, 4), std::string("48.2500"));
    QCOMPARE(Fixed(-0.5, 1, 6), std::string("  -0.5"));
    QCOMPARE(ParseNumber("48.25").value_or(0), 48.25);
    QVERIFY(!ParseNumber("48,25"));
    QCOMPARE(places::GedcomLatitude("48.25").value_or(""), std::string("N48.2500"));
    QCOMPARE(places::GedcomLongitude("-15.1167").value_or(""), std::string("W15.1167"));
    QCOMPARE(places::DegreesOf("16.3725", 180).value_or(0), 16.3725);
  }

  // The lookup of a tree of every kind of value (today's Austria, the monarchy abroad with the
  // distances between its places, buildings, noise) gives the report and the copy that
  // veldaris-ort gives, which never sets a locale.
  void theReportAndTheCopyAreTheCommandLines() {
    test::TempDir dir;
    const std::filesystem::path tree = dir / "baum.ged";
    std::filesystem::copy_file(VELDARIS_SOURCE_DIR "/tests/data/ortsangaben-gemischt.ged", tree);
    const auto cli = test::RunProgram(VELDARIS_ORT, {"--daten", test::Gazetteer().string(), "--gedcom", "baum.ged",
                                                     "--bericht", "cli.csv", "--ausgabe", "cli.ged"},
                                      dir.path());
    QCOMPARE(cli.exitCode, 0);
    std::vector<std::string> warnings;
    const places::Gazetteer gazetteer = places::LoadGazetteer(test::Gazetteer(), warnings);
    const std::string bytes = test::ReadBytes(tree);
    const places::GedcomTree gedcom(bytes);
    const auto checked = places::CheckPlaces(gedcom, gazetteer, false);
    std::size_t rewritten = 0;
    QVERIFY(places::ReportCsv(checked, false) == test::ReadBytes(dir / "cli.csv"));
    QVERIFY(places::CorrectedCopy(gedcom, checked, {}, rewritten) == test::ReadBytes(dir / "cli.ged"));
    QVERIFY(rewritten > 50);
  }

  // Qt's translations for the user's language are loaded: its file dialogs speak German.
  void qtSpeaksTheUsersLanguage() {
    const char* expected = std::getenv("VELDARIS_DECIMAL_POINT");
    if (!expected || std::string(expected) != ",") QSKIP("not a German locale");
    QCOMPARE(QFileDialog::tr("Look in:"), QString("Suchen in:"));
  }
};

int main(int argc, char** argv) {
  const auto app = MakeApplication(argc, argv);
  GermanDesktop test;
  return QTest::qExec(&test, argc, argv);
}

#include "qt_locale_test.moc"
