// Typing into the real search and state fields, the buttons beside them, the Desktop folder.
#include <QClipboard>
#include <QComboBox>

#include "core/text1252.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_text.h"
#include "tests/qt_fixture.h"

using namespace veldaris;

class InputWidgetTest : public test::QtWindowFixture {
  Q_OBJECT

  int Height() { return Model().height; }

 private slots:
  void init() { SetUpWindow(); }
  void cleanup() { TearDownWindow(); }

  void accessWordTypedLetterByLetter() {
    const QString word = "tobrek";
    for (int i = 0; i < word.size(); ++i) {
      Type("Text1", word.mid(i, 1));
      QCOMPARE(Height(), i < 5 ? 6870 : 7200);
      QCOMPARE(Button("Command7")->isVisibleTo(window_.get()), i == 5);
    }
    Type("Text1", "x");
    QCOMPARE(Height(), 7200);
    QCOMPARE(window_->height(), window_->Px(7320));
    // Any of the first six letters deleted: back to the normal layout.
    Edit("Text1")->setCursorPosition(3);
    Key("Text1", Qt::Key_Backspace);
    QCOMPARE(Edit("Text1")->text(), QString("torekx"));
    QCOMPARE(Height(), 6870);
    QCOMPARE(window_->height(), window_->Px(6450));
    QVERIFY(!Button("Command7")->isVisibleTo(window_.get()));
  }

  void accessWordVariants_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("height");
    QTest::newRow("capitals") << "DOBREK" << 7200;
    QTest::newRow("mixed") << "ToBrEk" << 7200;
    QTest::newRow("leading blank") << " tobrek" << 6870;
    QTest::newRow("five letters") << "tobre" << 6870;
  }
  void accessWordVariants() {
    QFETCH(QString, typed);
    QFETCH(int, height);
    Type("Text1", typed);
    QCOMPARE(Height(), height);
  }

  void clearInMaintenanceModeAndWithEmptyFields() {
    Type("Text1", "tobrek");
    Type("Text3", "k");
    QTest::keyClick(Edit("Text1"), Qt::Key_L, Qt::AltModifier);
    QTRY_COMPARE(Edit("Text1")->text(), QString());
    QCOMPARE(Edit("Text3")->text(), QString());
    QCOMPARE(Height(), 6870);
    QCOMPARE(QApplication::focusWidget(), Edit("Text1"));

    Type("Text1", "Buch");
    Key("Text1", Qt::Key_Return);
    QCOMPARE(Rows(), 3);
    Edit("Text1")->selectAll();
    Key("Text1", Qt::Key_Delete);
    QCOMPARE(Rows(), 3);
    Edit("Text5")->setFocus();
    QTest::mouseClick(Button("Command2"), Qt::LeftButton);
    QCOMPARE(Rows(), 0);
    QCOMPARE(QApplication::focusWidget(), Edit("Text1"));
  }

  void stateCompletionKeystrokeByKeystroke_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("result");
    QTest::newRow("s") << "s" << "s";
    QTest::newRow("sa") << "sa" << "Salzburg";
    QTest::newRow("Sbg") << "Sbg" << "Sbg";
    // A completed name leaves the caret at its end: what follows lands behind it.
    QTest::newRow("Stmk") << "Stmk" << "Steiermark";
    QTest::newRow("NÖ") << "NÖ" << "Niederösterreich";
    QTest::newRow("st") << "st" << "Steiermark";
    QTest::newRow("Tirol letter by letter") << "Tirol" << "Tirol";
    QTest::newRow("tirol in small letters") << "tirol" << "Tirol";
    QTest::newRow("Kärnten letter by letter") << "Kärnten" << "Kärnten";
    QTest::newRow("kä") << "kä" << "Kärnten";
    QTest::newRow("Salzburg letter by letter") << "Salzburg" << "Salzburg";
    QTest::newRow("Oberösterreich letter by letter") << "Oberösterreich" << "Oberösterreich";
    QTest::newRow("leading blank") << " w" << " w";
    QTest::newRow("a letter behind Wien") << "wn" << "Wien";
    QTest::newRow("b") << "b" << "Burgenland";
  }
  void stateCompletionKeystrokeByKeystroke() {
    QFETCH(QString, keys);
    QFETCH(QString, result);
    Type("Text3", keys);
    QCOMPARE(Edit("Text3")->text(), result);
    QCOMPARE(ToQString(Model()[Text3].text()), result);
  }

  void deletingTheFirstLetterOfEveryStateEmptiesTheField() {
    for (const QString keys : {"n", "o", "sa", "st", "b", "v", "w", "t", "k"}) {
      Type("Text3", keys);
      QVERIFY2(Edit("Text3")->text().size() > 2, qPrintable(keys));
      QCOMPARE(Edit("Text3")->cursorPosition(), Edit("Text3")->text().size());
      Key("Text3", Qt::Key_Home);
      Key("Text3", Qt::Key_Delete);
      QCOMPARE(Edit("Text3")->text(), QString());
    }
  }

  void homeAndAKeyLetterSwitchesTheStateAndSelectAllDeleteEmpties() {
    Type("Text3", "Tirol");
    Key("Text3", Qt::Key_Home);
    Type("Text3", "w");
    QCOMPARE(Edit("Text3")->text(), QString("Wien"));
    QCOMPARE(ToQString(Model()[Text3].text()), QString("Wien"));
    Key("Text3", Qt::Key_Home);
    Type("Text3", "st");
    QCOMPARE(Edit("Text3")->text(), QString("Steiermark"));
    QTest::keyClick(Edit("Text3"), Qt::Key_A, Qt::ControlModifier);
    Key("Text3", Qt::Key_Delete);
    QCOMPARE(Edit("Text3")->text(), QString());
    QCOMPARE(Model()[Text3].text(), std::string());
    // And the completed name is what the search filters by.
    Type("Text3", "Kärnten");
    Type("Text1", "Sankt");
    Key("Text1", Qt::Key_Return);
    QCOMPARE(Rows(), 1);
    QVERIFY(List()->model()->index(0, 0).data().toString().startsWith("Sankt Veit an der Gl  "));
  }

  void placeEntryThroughTheWidgets() {
    Type("Text1", "tobrek");
    QTest::mouseClick(Button("Command7"), Qt::LeftButton);
    QCOMPARE(Edit("Text16")->text(), QString(" Wählen Sie im Feld >Bundesland< eines aus."));
    auto* combo1 = Find<QComboBox>("Combo1");
    QVERIFY(combo1->isVisible());
    // It covers the state field: a click there reaches the list of states.
    QWidget* hit = window_->childAt(combo1->geometry().center());
    QVERIFY(hit == combo1 || combo1->isAncestorOf(hit));
    QCOMPARE(combo1->count(), 9);
    QCOMPARE(combo1->itemText(5), QString("Voralrberg"));
    test::TypeText(combo1->lineEdit(), "Voralrberg");
    QCOMPARE(Edit("Text16")->text(), QString(" Wählen Sie im Feld >Bezirk< einen aus."));
    auto* combo2 = Find<QComboBox>("Combo2");
    QVERIFY(combo2->isVisible());
    Type("Text7", "Au");
    Type("Text8", "Au");
    test::TypeText(combo2->lineEdit(), "Bregenz");
    QCOMPARE(Edit("Text9")->text(), QString("Bregenz"));
    Type("Text5", "6883");
    const std::string before = test::ReadBytes(*dir_ / "orte-7sp.ort");
    QTest::mouseClick(Button("Command4"), Qt::LeftButton);
    QCOMPARE(test::ReadBytes(*dir_ / "orte-7sp.ort"),
             before + "\"Au\",\"Au\",\"Bregenz\",\"Vbg\",\"6883\",,\r\n");
    QVERIFY(!combo1->isVisible());
    QVERIFY(!Button("Command4")->isVisible());
    // A state picked from the list completes the wait as well.
    QTest::mouseClick(Button("Command5"), Qt::LeftButton);
    QTest::mouseClick(Button("Command7"), Qt::LeftButton);
    QCOMPARE(Edit("Text16")->text(), QString(" Wählen Sie im Feld >Bezirk< einen aus."));
  }

  void theStateListShowsExactlyWhatIsAppended() {
    Type("Text1", "tobrek");
    QTest::mouseClick(Button("Command7"), Qt::LeftButton);
    auto* combo1 = Find<QComboBox>("Combo1");
    test::TypeText(combo1->lineEdit(), "Wi");
    QCOMPARE(combo1->currentText(), QString("Wi"));  // no completion of the widget's own
    QCOMPARE(ToQString(Model()[Combo1].text()), QString("Wi"));
    Type("Text7", "Neudorf");
    const std::string before = test::ReadBytes(*dir_ / "orte-7sp.ort");
    QTest::mouseClick(Button("Command4"), Qt::LeftButton);
    QCOMPARE(test::ReadBytes(*dir_ / "orte-7sp.ort"), before);
    QCOMPARE(Edit("Text16")->text(), QString(" Wählen Sie im Feld >Bundesland< eines aus."));
    test::TypeText(combo1->lineEdit(), "en");
    QCOMPARE(combo1->currentText(), QString("Wien"));
    QTest::mouseClick(Button("Command4"), Qt::LeftButton);
    QCOMPARE(test::ReadBytes(*dir_ / "orte-7sp.ort"), before + "\"Neudorf\",\"\",\"\",\"W\",\"\",,\r\n");
  }

  void theDistrictListAndTheDistrictFieldHoldTheSameText() {
    Type("Text1", "Linz");
    Key("Text1", Qt::Key_Return);
    QCOMPARE(Rows(), 1);
    Edit("Text1")->selectAll();
    Type("Text1", "tobrek");  // the list keeps its row
    QTest::mouseClick(Button("Command7"), Qt::LeftButton);
    auto* combo1 = Find<QComboBox>("Combo1");
    auto* combo2 = Find<QComboBox>("Combo2");
    test::TypeText(combo1->lineEdit(), "Wien");
    QVERIFY(combo2->isVisible());
    test::TypeText(combo2->lineEdit(), "Favoriten");
    QCOMPARE(Edit("Text9")->text(), QString("Favoriten"));
    // A pick rewrites the district field under the list of districts: the list shows it.
    const QRect row = List()->visualRect(List()->model()->index(0, 0));
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(Edit("Text9")->text(), QString("Linz"));
    QCOMPARE(combo2->currentText(), QString("Linz"));
    QTest::mouseClick(Button("Command4"), Qt::LeftButton);
    QVERIFY(test::ReadBytes(*dir_ / "orte-7sp.ort")
                .ends_with("\"Linz\",\"Linz\",\"Linz\",\"W\",\"PLZ: 4020\",,\"s\"\r\n"));
  }

  void aSearchRunsTheConverter() {
    Type("Text1", "Linz");
    Key("Text1", Qt::Key_Return);
    const auto list = *dir_ / "OrtsList.csv";
    QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(list), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(test::ReadBytes(list), std::string("Linz;Linz;Linz\r\n"), 5000);
  }
};

QTEST_MAIN(InputWidgetTest)
#include "qt_input_test.moc"
