// The real window, offscreen: every control against the design table, typing, clicking,
// keyboard order, and the model shown by the widgets.
#include <QAbstractItemModelTester>
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

#include "platform/qt/qt_text.h"
#include "tests/qt_fixture.h"

using namespace veldaris;

namespace {

// The Qt class that draws each kind of control.
const char* ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kTextBox: return "QLineEdit";
    case ControlKind::kComboBox: return "QComboBox";
    case ControlKind::kButton: return "QPushButton";
    case ControlKind::kFrame: return "QFrame";
    case ControlKind::kOptionButton: return "QRadioButton";
    case ControlKind::kPictureBox: return "QLabel";
    case ControlKind::kListBox: return "QListView";
  }
  return "";
}

// A few rows of the design, checked here by hand against the control table.
struct Designed {
  ControlId id;
  int left, top, width, height;
  const char* family;
  double points;
  int tabIndex;
  const char* tooltip;
};
const Designed kHandChecked[] = {
    {Text1, 120, 360, 3135, 375, "MS Sans Serif", 12, 0,
     "Geben Sie den Ort, nachdem Sie suchen ein. Es genügen meist die ersten fünf Buchstaben."},
    {Text2, 120, 5880, 1335, 150, "Small Fonts", 6.75, 35, ""},
    {Option5, 120, 1200, 255, 375, "", 0, 36, ""},
    {List1, 120, 1680, 7575, 1740, "Courier New", 8.25, 18,
     "Klicken Sie den gewünschten Ort an und Sie erhalten Details in den unteren Feldern."},
    {Command2, 3360, 840, 2055, 495, "", 0, 5,
     "Löscht die Eingabefelder in >Sucheingabe< und >Bundesland<. Tastenkombination  ALT + l"},
    {Option1, 120, 840, 975, 255, "", 0, 14, "Sucht nach Wortanfängen z.B.: \"Buch\" in Buchkirchen."},
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

  void controlsFollowTheTable_data() {
    QTest::addColumn<int>("id");
    for (const ControlSpec& spec : ControlTable()) QTest::newRow(spec.name) << static_cast<int>(spec.id);
  }

  void controlsFollowTheTable() {
    QFETCH(int, id);
    const ControlSpec& spec = SpecOf(static_cast<ControlId>(id));
    QWidget* w = window_->findChild<QWidget*>(spec.name);
    QVERIFY2(w, spec.name);
    QVERIFY2(w->inherits(ClassOf(spec.kind)), w->metaObject()->className());
    QCOMPARE(w->parentWidget()->objectName(), QString(spec.inFrame ? "Frame1" : "Veldaris"));
    const auto px = [&](int twips) { return window_->Px(twips); };
    QCOMPARE(w->geometry(), QRect(px(spec.left), px(spec.top), px(spec.width), px(spec.height)));
    QCOMPARE(w->isVisibleTo(window_.get()), Model()[spec.id].visible());
    QCOMPARE(w->toolTip(), ToQString(spec.tooltip));
    QCOMPARE(bool(w->focusPolicy() & Qt::TabFocus), spec.tabStop && spec.kind != ControlKind::kFrame);
    if (!spec.fontFamily.empty()) {
      QCOMPARE(w->font().families().value(0), QString::fromStdString(spec.fontFamily));
      QCOMPARE(w->font().pointSizeF(), spec.fontPoints);
      QCOMPARE(w->font().bold(), spec.bold);
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
      QCOMPARE(edit->text(), ToQString(Model()[spec.id].text()));
      QCOMPARE(edit->isReadOnly(), spec.readOnly);
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
      QCOMPARE(button->text(), ToQString(spec.caption));
    }
  }

  void theTableIsTheDesign() {
    for (const Designed& d : kHandChecked) {
      const ControlSpec& spec = SpecOf(d.id);
      QCOMPARE(QRect(spec.left, spec.top, spec.width, spec.height), QRect(d.left, d.top, d.width, d.height));
      QCOMPARE(spec.fontFamily, std::string(d.family));
      QCOMPARE(spec.fontPoints, d.points);
      QCOMPARE(spec.tabIndex, d.tabIndex);
      QCOMPARE(ToQString(spec.tooltip), QString(d.tooltip));
    }
    // At first display: Command10 visible below the window, the entry's controls hidden.
    QVERIFY(Find<QPushButton>("Command10")->isVisibleTo(window_.get()));
    QVERIFY(!Find<QComboBox>("Combo1")->isVisibleTo(window_.get()));
    QCOMPARE(Button("Command3")->text(), QString("B&eenden"));
    QCOMPARE(Edit("Text12")->text(), QString("Gemeinde"));
    QVERIFY(!Edit("Text12")->isReadOnly() && Edit("Text11")->isReadOnly());
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
    for (const ControlSpec& spec : ControlTable()) {
      QWidget* w = Find<QWidget>(spec.name);
      if (!w->isVisible()) continue;
      QVERIFY2(!nameOf(w).isEmpty(), spec.name);
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
      if (!spec.tooltip.empty()) QCOMPARE(a->text(QAccessible::Description), ToQString(spec.tooltip));
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
    QVERIFY(Model()[Option2].selected() && !Model()[Option1].selected());
    QVERIFY(Model()[Option3].selected());
    QTest::mouseClick(option4, Qt::LeftButton, {}, QPoint(6, option4->height() / 2));
    QVERIFY(Model()[Option4].selected() && !Model()[Option3].selected());
    QVERIFY(Model()[Option2].selected());
    QVERIFY(Find<QRadioButton>("Option2")->isChecked());
    QVERIFY(!Find<QRadioButton>("Option3")->isChecked());
  }

  void typingAndSearchFillTheList() {
    // The list's model keeps the rules of Qt's item models through every change of the rows.
    QAbstractItemModelTester tester(List()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    test::TypeText(Edit("Text1"), "Buch");
    QCOMPARE(Model()[Text1].text(), std::string("Buch"));
    QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
    QCOMPARE(Rows(), 3);
    QVERIFY(List()->model()->index(0, 0).data().toString().startsWith("Buchkirchen "));
    QVERIFY(std::filesystem::exists(*dir_ / "ergebdat.txt"));
    QCOMPARE(test::ReadBytes(*dir_ / "ergeb.csv").substr(0, 10), std::string("\"Buchkirch"));
    QVERIFY(Find<QPushButton>("Command11")->isVisible());
    QCOMPARE(Find<QPushButton>("Command2")->width(), window_->Px(1575));
    QVERIFY(messages_.isEmpty());
    QVERIFY(List()->uniformItemSizes());
    test::TypeText(Edit("Text1"), "k");
    QTest::keyClick(Edit("Text1"), Qt::Key_Return);
    QCOMPARE(Rows(), 1);
    QTest::mouseClick(Button("Command2"), Qt::LeftButton);
    QCOMPARE(Rows(), 0);
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
    QCOMPARE(Model()[Text1].text(), std::string("abc"));
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
