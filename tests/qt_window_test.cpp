// The real window, offscreen: every control against the design table, typing, clicking,
// keyboard order, and the model shown by the widgets.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "core/files.h"
#include "platform/qt/qt_text.h"
#include "tests/qt_fixture.h"

using namespace veldaris;

namespace {

struct Expected {
  const char* name;
  const char* kind;  // Qt class
  bool inFrame;
  int left, top, width, height;
  const char* text;  // caption or text after start-up
  const char* family;
  double points;
  bool bold;
  int tabIndex;
  bool tabStop;
  bool readOnly;
  bool visible;  // after start-up
  const char* tooltip;
};

const char* const T1 = "Geben Sie den Ort, nachdem Sie suchen ein. Es genügen meist die ersten fünf Buchstaben.";
const char* const T2 = "Nach Bedarf können Sie das Bundesland eingeben. Es genügen die ersten Buchstaben.";
const char* const T3 = "Tastenkombination ALT + s";
const char* const T4 = "Löscht die Eingabefelder in >Sucheingabe< und >Bundesland<. Tastenkombination  ALT + l";
const char* const T5 = "Beendet das Programm. Tastenkombination ALT + e";
const char* const T6 = "Sucht nach Wortanfängen z.B.: \"Buch\" in Buchkirchen.";
const char* const T7 = "Sucht nach Teilen im Wort z.B.: \"kirch\" in \"Buchkirchen\".";
const char* const T8 = "Klicken Sie den gewünschten Ort an und Sie erhalten Details in den unteren Feldern.";
const char* const T9 = "Ortsbezeichnung im PAF-Standart. Durch einfachen Klick in Zwischenablage kopieren.";

// The window as designed, written out here independently of the program's own table.
const Expected kControls[] = {
    {"Text2", "QLineEdit", false, 120, 5880, 1335, 150, " Im Zwischenspeicher", "Small Fonts", 6.75, false, 35, false, false, true, ""},
    {"Combo2", "QComboBox", false, 1680, 4800, 4095, 420, "", "MS Sans Serif", 12, false, 34, true, false, false, ""},
    {"Combo1", "QComboBox", false, 1680, 5400, 4095, 420, "", "MS Sans Serif", 12, false, 33, true, false, false, ""},
    {"Command11", "QPushButton", false, 5040, 840, 375, 495, "List", "", 0, false, 32, true, false, false, ""},
    {"Frame1", "QFrame", false, 5760, 3600, 375, 2295, "", "", 0, false, 29, false, false, true, ""},
    {"Option4", "QRadioButton", true, 120, 720, 255, 255, "", "", 0, false, 31, true, false, true, ""},
    {"Option3", "QRadioButton", true, 120, 120, 255, 255, "", "", 0, false, 30, true, false, true, ""},
    {"Option5", "QRadioButton", true, 120, 1200, 255, 375, "", "", 0, false, 36, true, false, true, ""},
    {"Command10", "QPushButton", false, 7080, 6720, 615, 495, "c10", "", 0, false, 28, true, false, true, ""},
    {"Command9", "QPushButton", false, 6360, 6720, 615, 495, "c9", "", 0, false, 27, true, false, false, ""},
    {"Command7", "QPushButton", false, 1320, 6720, 1215, 495, "Orte eingeben", "", 0, false, 26, true, false, false, ""},
    {"Command6", "QPushButton", false, 120, 6720, 1095, 495, "*.ort  prüfen", "", 0, false, 25, true, false, false, ""},
    {"Command5", "QPushButton", false, 3960, 6720, 1215, 495, "Ergänzung beenden", "", 0, false, 24, true, false, false, ""},
    {"Command4", "QPushButton", false, 2640, 6720, 1215, 495, "Ort hinzufügen", "", 0, false, 23, true, false, false, ""},
    {"Text5", "QLineEdit", false, 6120, 3600, 1575, 375, "", "MS Sans Serif", 12, false, 22, true, false, true, ""},
    {"Picture2", "QLabel", false, 5520, 120, 2175, 1215, "", "", 0, false, 21, true, false, true, ""},
    {"Text16", "QLineEdit", false, 120, 6000, 7575, 360, "", "MS Sans Serif", 9.75, false, 20, true, false, true, T9},
    {"Text15", "QLineEdit", false, 120, 1440, 7575, 285, "Suchergebnisse", "", 0, false, 19, true, true, true, ""},
    {"List1", "QListView", false, 120, 1680, 7575, 1740, "", "Courier New", 8.25, false, 18, true, false, true, T8},
    {"Picture1", "QLabel", false, 6120, 4200, 1575, 975, "", "", 0, false, 17, true, false, true, ""},
    {"Command3", "QPushButton", false, 6120, 5400, 1575, 375, "B&eenden", "", 0, false, 16, true, false, true, T5},
    {"Option2", "QRadioButton", false, 120, 1080, 975, 255, "enthält", "", 0, false, 15, true, false, true, T7},
    {"Option1", "QRadioButton", false, 120, 840, 975, 255, "beginnt", "", 0, false, 14, true, false, true, T6},
    {"Text14", "QLineEdit", false, 120, 5400, 1455, 375, "Bundesland", "MS Sans Serif", 12, true, 13, false, true, true, ""},
    {"Text13", "QLineEdit", false, 120, 4800, 1455, 375, "Bezirk", "MS Sans Serif", 12, true, 12, false, true, true, ""},
    {"Text12", "QLineEdit", false, 120, 4200, 1455, 375, "Gemeinde", "MS Sans Serif", 12, true, 11, false, false, true, ""},
    {"Text11", "QLineEdit", false, 120, 3600, 1455, 375, "Ort", "MS Sans Serif", 12, true, 10, false, true, true, ""},
    {"Text10", "QLineEdit", false, 1680, 5400, 4095, 375, "", "MS Sans Serif", 12, false, 9, true, false, true, ""},
    {"Text9", "QLineEdit", false, 1680, 4800, 4095, 375, "", "MS Sans Serif", 12, false, 8, true, false, true, ""},
    {"Text8", "QLineEdit", false, 1680, 4200, 4095, 375, "", "MS Sans Serif", 12, false, 7, true, false, true, ""},
    {"Text7", "QLineEdit", false, 1680, 3600, 4095, 375, "", "MS Sans Serif", 12, false, 6, true, false, true, ""},
    {"Command2", "QPushButton", false, 3360, 840, 2055, 495, "Eingabe &Löschen", "", 0, false, 5, true, false, true, T4},
    {"Command1", "QPushButton", false, 1200, 840, 2055, 495, "&Suchen", "", 0, false, 4, true, false, true, T3},
    {"Text6", "QLineEdit", false, 3360, 120, 2055, 285, "Bundesland", "", 0, false, 3, true, true, true, ""},
    {"Text4", "QLineEdit", false, 120, 120, 3135, 285, "Sucheingabe", "", 0, false, 2, true, true, true, ""},
    {"Text3", "QLineEdit", false, 3360, 360, 2055, 375, "", "MS Sans Serif", 12, false, 1, true, false, true, T2},
    {"Text1", "QLineEdit", false, 120, 360, 3135, 375, "", "MS Sans Serif", 12, false, 0, true, false, true, T1},
};

}  // namespace

class WindowTest : public test::QtWindowFixture {
  Q_OBJECT

 private slots:
  void init() { SetUpWindow(); }
  void cleanup() { TearDownWindow(); }

  void window() {
    QCOMPARE(window_->windowTitle(), QString("Veldaris in Österreich     Version: 6.6"));
    QCOMPARE(window_->palette().color(QPalette::Window), QColor(192, 255, 192));
    QVERIFY(window_->windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(window_->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QCOMPARE(window_->windowIcon().availableSizes().value(0), QSize(48, 48));
    QCOMPARE(window_->width(), window_->Px(7830));
    QCOMPARE(window_->height(), window_->Px(6450));
    QCOMPARE(QApplication::focusWidget(), Edit("Text1"));
  }

  void controls_data() {
    QTest::addColumn<int>("row");
    for (int i = 0; i < static_cast<int>(std::size(kControls)); ++i)
      QTest::newRow(kControls[i].name) << i;
  }

  void controls() {
    QFETCH(int, row);
    const Expected& e = kControls[row];
    QWidget* w = window_->findChild<QWidget*>(e.name);
    QVERIFY2(w, e.name);
    QVERIFY2(w->inherits(e.kind), w->metaObject()->className());
    QCOMPARE(w->parentWidget()->objectName(), QString(e.inFrame ? "Frame1" : "Veldaris"));
    const auto px = [&](int twips) { return window_->Px(twips); };
    QCOMPARE(w->geometry(), QRect(px(e.left), px(e.top), px(e.width), px(e.height)));
    QCOMPARE(w->isVisibleTo(window_.get()), e.visible);
    QCOMPARE(w->toolTip(), QString(e.tooltip));
    QCOMPARE(bool(w->focusPolicy() & Qt::TabFocus), e.tabStop && std::string(e.kind) != "QFrame");
    if (e.family[0]) {
      QCOMPARE(w->font().families().value(0), QString(e.family));
      QCOMPARE(w->font().pointSizeF(), e.points);
      QCOMPARE(w->font().bold(), e.bold);
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
      QCOMPARE(edit->text(), QString(e.text));
      QCOMPARE(edit->isReadOnly(), e.readOnly);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      QCOMPARE(button->text(), QString(e.text));
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
      QCOMPARE(combo->currentText(), QString(e.text));
    }
  }

  void fontsFallBackToTheirKind() {
    QVERIFY(QFontInfo(List()->font()).fixedPitch());
    QVERIFY(!QFontInfo(Edit("Text1")->font()).fixedPitch());
    QVERIFY(!QFontInfo(Edit("Text2")->font()).fixedPitch());
    QVERIFY(Edit("Text14")->alignment() & Qt::AlignRight);
    QVERIFY(Edit("Text4")->alignment() & Qt::AlignHCenter);
    QCOMPARE(Edit("Text1")->palette().color(QPalette::Base), QColor(255, 224, 192));
    QCOMPARE(Edit("Text3")->palette().color(QPalette::Base), QColor(255, 224, 192));
  }

  void picturesShowTheirImageUnscaled() {
    auto* flag = Find<QLabel>("Picture1");
    auto* picture = Find<QLabel>("Picture2");
    QCOMPARE(flag->pixmap().size(), QSize(110, 60));
    QCOMPARE(picture->pixmap().size(), QSize(640, 864));
    QVERIFY(!picture->hasScaledContents());
    QCOMPARE(picture->alignment(), Qt::AlignLeft | Qt::AlignTop);
    const QImage image = flag->pixmap().toImage();
    QCOMPARE(image.pixelColor(5, 5).red() > 150 && image.pixelColor(5, 5).green() < 60, true);
    QCOMPARE(image.pixelColor(5, 30), QColor(Qt::white));
  }

  // The names the focus passes through with the real Tab key (or Shift+Tab), from Text1 on,
  // until it comes back to Text1.
  QStringList TabRound(Qt::Key key) {
    Edit("Text1")->setFocus();
    QStringList names;
    for (int i = 0; i < 60; ++i) {
      QTest::keyClick(QApplication::focusWidget(), key);
      QWidget* focus = QApplication::focusWidget();
      while (focus && focus->objectName().isEmpty()) focus = focus->parentWidget();
      if (focus == Edit("Text1")) break;
      names << (focus ? focus->objectName() : "?");
    }
    return names;
  }

  void theTabKeyFollowsTheKeyboardOrder() {
    // The visible tab stops by tab index; of each option group the selected option only.
    // Command10 lies below the window, but it is visible, so Tab reaches it, as designed.
    QStringList expected = {"Text3",   "Text4",    "Text6",  "Command1", "Command2", "Text7",
                            "Text8",   "Text9",    "Text10", "Option1",  "Command3", "Picture1",
                            "List1",   "Text15",   "Text16", "Picture2", "Text5",    "Command10",
                            "Option3"};
    QCOMPARE(TabRound(Qt::Key_Tab), expected);
    QStringList backwards(expected.rbegin(), expected.rend());
    QCOMPARE(TabRound(Qt::Key_Backtab), backwards);
    // Other options selected, the entry's controls shown.
    auto* option2 = Find<QRadioButton>("Option2");
    auto* option5 = Find<QRadioButton>("Option5");
    QTest::mouseClick(option2, Qt::LeftButton, {}, QPoint(6, option2->height() / 2));
    QTest::mouseClick(option5, Qt::LeftButton, {}, QPoint(6, option5->height() / 2));
    test::TypeText(Edit("Text1"), "tobrek");
    QTest::mouseClick(Find<QPushButton>("Command7"), Qt::LeftButton);
    test::TypeText(Find<QComboBox>("Combo1")->lineEdit(), "Tirol");
    expected = {"Text3", "Text4", "Text6", "Command1", "Command2", "Text7", "Text8", "Text9",
                "Text10", "Option2", "Command3", "Picture1", "List1", "Text15", "Text16",
                "Picture2", "Text5", "Command4", "Command5", "Command6", "Command7", "Command9",
                "Command10", "Combo1", "Combo2", "Option5"};
    QCOMPARE(TabRound(Qt::Key_Tab), expected);
    // Captions without a tab stop are never reached by Tab.
    for (const char* name : {"Text2", "Text11", "Text12", "Text13", "Text14"})
      QVERIFY(!(Edit(name)->focusPolicy() & Qt::TabFocus));
  }

  void everyControlHasANameForScreenReaders() {
    const std::pair<const char*, const char*> named[] = {
        {"Text1", "Sucheingabe"},     {"Text3", "Bundesland"},
        {"Text7", "Ort"},             {"Text8", "Gemeinde"},
        {"Text9", "Bezirk"},          {"Text10", "Bundesland"},
        {"Text5", "Postleitzahl"},    {"Text16", "Ortsbezeichnung im Zwischenspeicher"},
        {"List1", "Suchergebnisse"},  {"Option3", "Suche im Ort"},
        {"Option4", "Suche in der Gemeinde"}, {"Option5", "Suche im Bezirk"},
        {"Picture1", "Zitat"},        {"Picture2", "Information"},
        {"Command1", "Suchen"},       {"Option1", "beginnt"},
    };
    const auto nameOf = [](QWidget* w) {
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
      return a ? a->text(QAccessible::Name) : QString();
    };
    for (const auto& [control, name] : named)
      QCOMPARE(nameOf(Find<QWidget>(control)), QString(name));
    for (const Expected& e : kControls) {
      QWidget* w = Find<QWidget>(e.name);
      if (!w->isVisible()) continue;
      QVERIFY2(!nameOf(w).isEmpty(), e.name);
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
      if (e.tooltip[0]) QCOMPARE(a->text(QAccessible::Description), QString(e.tooltip));
    }
    // The municipality field is named by its caption as it stands.
    test::TypeText(Edit("Text1"), "Hallst");
    QTest::keyClick(Edit("Text1"), Qt::Key_Return);
    QCOMPARE(Edit("Text12")->text(), QString("Markt"));
    QCOMPARE(nameOf(Edit("Text8")), QString("Markt"));
    test::TypeText(Edit("Text1"), "tobrek");
    QTest::mouseClick(Find<QPushButton>("Command7"), Qt::LeftButton);
    QCOMPARE(nameOf(Find<QWidget>("Combo1")), QString("Bundesland des neuen Orts"));
  }

  void optionGroupsAreIndependent() {
    auto* option2 = Find<QRadioButton>("Option2");
    auto* option4 = Find<QRadioButton>("Option4");
    QTest::mouseClick(option2, Qt::LeftButton, {}, QPoint(6, option2->height() / 2));
    QVERIFY(Model()[Option2].selected && !Model()[Option1].selected);
    QVERIFY(Model()[Option3].selected);
    QTest::mouseClick(option4, Qt::LeftButton, {}, QPoint(6, option4->height() / 2));
    QVERIFY(Model()[Option4].selected && !Model()[Option3].selected);
    QVERIFY(Model()[Option2].selected);
    QVERIFY(Find<QRadioButton>("Option2")->isChecked());
    QVERIFY(!Find<QRadioButton>("Option3")->isChecked());
  }

  void typingAndSearchFillTheList() {
    test::TypeText(Edit("Text1"), "Buch");
    QCOMPARE(Model()[Text1].text, std::string("Buch"));
    QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
    QCOMPARE(Rows(), 3);
    QVERIFY(List()->model()->index(0, 0).data().toString().startsWith("Buchkirchen "));
    QVERIFY(std::filesystem::exists(*dir_ / "ergebdat.txt"));
    QCOMPARE(test::ReadBytes(*dir_ / "ergeb.csv").substr(0, 10), std::string("\"Buchkirch"));
    QVERIFY(Find<QPushButton>("Command11")->isVisible());
    QCOMPARE(Find<QPushButton>("Command2")->width(), window_->Px(1575));
    QVERIFY(messages_.isEmpty());
    QVERIFY(List()->uniformItemSizes());
  }

  void altSSearchesAndNoMatchAnswersTheMessage() {
    test::TypeText(Edit("Text1"), "Zzzyx");
    QTest::keyClick(Edit("Text1"), Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(messages_.size(), 1);  // an access key clicks its button a moment later
    QCOMPARE(messages_[0].first, QString(" Eingabe ändern "));
    QCOMPARE(messages_[0].second,
             QString("Es wurde kein entsprechender Begriff gefunden!\nKorrigieren oder verkürzen "
                     "Sie die Eingabe, oder\nändern Sie die Suchoption >beginnt<->enthält.<"));
    QCOMPARE(Rows(), 0);
    QCOMPARE(QApplication::focusWidget(), Edit("Text1"));
  }

  void oneMatchShowsTheDetailsAndUmlautsAreTyped() {
    test::TypeText(Edit("Text1"), "Gö");
    QCOMPARE(Edit("Text1")->text(), QString("Gö"));
    QTest::keyClick(Edit("Text1"), Qt::Key_Return);
    QCOMPARE(Rows(), 1);
    QCOMPARE(Edit("Text7")->text(), QString("Gößl"));
    QCOMPARE(Edit("Text5")->text(), QString("PLZ: 8993"));
    QCOMPARE(Edit("Text16")->text(), QString("Goessl, Liezen, Steiermark, AUSTRIA"));
  }

  void charactersOutsideWindows1252AreNotInserted() {
    test::TypeText(Edit("Text1"), QString::fromUtf8("a\u2192b\u0416c"));
    QCOMPARE(Edit("Text1")->text(), QString("abc"));
    QCOMPARE(Model()[Text1].text, std::string("abc"));
    test::TypeText(Edit("Text3"), QString::fromUtf8("\u20AC"));  // the euro sign is in the set
    QCOMPARE(Edit("Text3")->text(), QString::fromUtf8("\u20AC"));
  }

  void theBottomRowShowsOnlyInMaintenanceMode() {
    auto* command10 = Find<QPushButton>("Command10");
    QVERIFY(command10->geometry().top() >= window_->height());
    test::TypeText(Edit("Text1"), "tobrek");
    QCOMPARE(Model().height, 7200);
    for (const char* name : {"Command4", "Command5", "Command6", "Command7", "Command9", "Command10"}) {
      auto* button = Find<QPushButton>(name);
      QVERIFY2(button->isVisible(), name);
      QVERIFY2(window_->rect().contains(button->geometry()), name);
    }
    QTest::keyClick(Edit("Text1"), Qt::Key_Backspace);
    QCOMPARE(window_->height(), window_->Px(6450));
  }

  void aLongListFillsAtOnce() {
    std::string bytes;
    const std::string line = "\"Ort\",\"Gemeinde\",\"Bezirk\",\"W\",\"1010\",,\"s\"\r\n";
    for (int i = 0; i < 21000; ++i) bytes += line;
    test::WriteBytes(*dir_ / "orte-7sp.ort", bytes);
    test::TypeText(Edit("Text1"), " ");
    QElapsedTimer timer;
    timer.start();
    QTest::keyClick(Edit("Text1"), Qt::Key_Return);
    QCOMPARE(Rows(), 21000);
    qInfo("search and list of 21000 rows: %lld ms", static_cast<long long>(timer.elapsed()));
    List()->scrollToBottom();
    QCOMPARE(List()->model()->index(20999, 0).data().toString().left(3), QString("Ort"));
  }
};

QTEST_MAIN(WindowTest)
#include "qt_window_test.moc"
