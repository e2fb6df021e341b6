// Picking rows of the real list, the clipboard, the pictures.
#include <QApplication>
#include <QClipboard>
#include <QLabel>

#include "platform/qt/qt_text.h"
#include "tests/qt_fixture.h"
#include "window/information.h"

using namespace veldaris;

class DetailsWidgetTest : public test::QtWindowFixture {
  Q_OBJECT

  void ClickRow(int row) {
    const QRect rect = List()->visualRect(List()->model()->index(row, 0));
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, rect.center());
  }
  QString Clipboard() { return QGuiApplication::clipboard()->text(); }

 private slots:
  void init() { SetUpWindow(); }
  void cleanup() { TearDownWindow(); }

  void clickingARowCopiesItsPlaceString() {
    Type("Text1", "Sankt");
    Key("Text1", Qt::Key_Return);
    QCOMPARE(Rows(), 4);
    ClickRow(2);
    QCOMPARE(Edit("Text7")->text(), QString("Sankt Margarethen an der Raab"));
    QCOMPARE(Edit("Text12")->text(), QString("Markt"));
    QCOMPARE(Edit("Text16")->text(), QString("Sankt Margarethen an der Raab, Weiz, Steiermark, AUSTRIA"));
    QCOMPARE(Clipboard(), Edit("Text16")->text());
    QCOMPARE(QApplication::focusWidget(), Edit("Text16"));
    QCOMPARE(Edit("Text16")->selectedText(), Edit("Text16")->text());
    QCOMPARE(List()->currentIndex().row(), 2);
    // Clicking the same row again copies again.
    QGuiApplication::clipboard()->setText("something else");
    ClickRow(2);
    QCOMPARE(Clipboard(), Edit("Text16")->text());
  }

  // Presses Tab (or Shift+Tab) until the focus is in the named control.
  void TabTo(const char* name, bool back = false) {
    for (int i = 0; i < 40 && QApplication::focusWidget()->objectName() != name; ++i)
      QTest::keyClick(QApplication::focusWidget(), back ? Qt::Key_Backtab : Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString(name));
  }

  void movingTheFocusIntoTheListPicksNothing() {
    Type("Text1", "Sankt");
    Key("Text1", Qt::Key_Return);
    QCOMPARE(Rows(), 4);
    QGuiApplication::clipboard()->setText("before");
    TabTo("List1");
    QCOMPARE(Edit("Text7")->text(), QString());
    QCOMPARE(Clipboard(), QString("before"));
    QVERIFY(!List()->currentIndex().isValid());
    TabTo("Text15");
    TabTo("List1", true);  // and back with Shift+Tab
    QCOMPARE(Edit("Text7")->text(), QString());
    QCOMPARE(Clipboard(), QString("before"));
    QCOMPARE(Model()[List1].listIndex, -1);
  }

  void theKeyboardBrowsesTheListRowByRow() {
    Type("Text1", "Sankt");
    Key("Text1", Qt::Key_Return);
    TabTo("List1");
    const struct {
      Qt::Key key;
      int row;
      const char* place;
    } steps[] = {
        {Qt::Key_Down, 0, "Sankt Pölten"},
        {Qt::Key_Down, 1, "Sankt Johann im Pongau"},
        {Qt::Key_Down, 2, "Sankt Margarethen an der Raab"},
        {Qt::Key_Up, 1, "Sankt Johann im Pongau"},
        {Qt::Key_End, 3, "Sankt Veit an der Glan"},
        {Qt::Key_Home, 0, "Sankt Pölten"},
        {Qt::Key_PageDown, 3, "Sankt Veit an der Glan"},
        {Qt::Key_PageUp, 0, "Sankt Pölten"},
    };
    for (const auto& step : steps) {
      QGuiApplication::clipboard()->setText("before");
      QTest::keyClick(List(), step.key);
      QCOMPARE(List()->currentIndex().row(), step.row);
      QCOMPARE(Edit("Text7")->text(), QString(step.place));
      QCOMPARE(Clipboard(), Edit("Text16")->text());
      QVERIFY(Edit("Text16")->text().startsWith(QString(step.place).replace("ö", "oe")));
      QCOMPARE(QApplication::focusWidget(), List());
    }
    // A click still takes the focus to the place string, selected.
    ClickRow(1);
    QCOMPARE(QApplication::focusWidget(), Edit("Text16"));
    QCOMPARE(Edit("Text16")->selectedText(), Edit("Text16")->text());
  }

  void copyingSelectsThePlaceStringEveryTime() {
    Type("Text1", "Sankt");
    Key("Text1", Qt::Key_Return);
    ClickRow(2);
    for (int i = 0; i < 2; ++i) {  // a second click on the place string, too
      QTest::mouseClick(Edit("Text16"), Qt::LeftButton, {}, QPoint(20, 5));
      QCOMPARE(QApplication::focusWidget(), Edit("Text16"));
      QCOMPARE(Edit("Text16")->selectedText(), Edit("Text16")->text());
    }
    ClickRow(2);  // the same row again
    QCOMPARE(QApplication::focusWidget(), Edit("Text16"));
    QCOMPARE(Edit("Text16")->selectedText(), Edit("Text16")->text());
    // A text that a handler writes shows unselected.
    QTest::mouseClick(Find<QLabel>("Picture1"), Qt::LeftButton);
    QVERIFY(Edit("Text16")->text().startsWith(" Es ist ein gutes Land"));
    QCOMPARE(Edit("Text16")->selectedText(), QString());
    Type("Text1", "x");
    Key("Text1", Qt::Key_Return);  // the message that nothing was found; Text16 emptied
    Type("Text1", "\b");
  }

  void aFocusedPictureAnswersEnterAndSpace() {
    TabTo("Picture1");
    QTest::keyClick(Find<QLabel>("Picture1"), Qt::Key_Space);
    QVERIFY(Edit("Text16")->text().startsWith(" Es ist ein gutes Land"));
    TabTo("Picture2");
    QTest::keyClick(Find<QLabel>("Picture2"), Qt::Key_Return);
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0].first, QString("    I N F O R M A T I O N  "));
  }

  void theFlagPutsTheQuotationAndAClickOnThePlaceStringCopiesIt() {
    Type("Text1", "Gö");
    Key("Text1", Qt::Key_Return);
    QGuiApplication::clipboard()->setText("before");
    QTest::mouseClick(Find<QLabel>("Picture1"), Qt::LeftButton);
    QCOMPARE(Edit("Text16")->text(), ToQString(QuotationLine()));
    QCOMPARE(Clipboard(), QString("before"));
    QCOMPARE(Edit("Text7")->text(), QString("Gößl"));
    QTest::mouseClick(Edit("Text16"), Qt::LeftButton);
    QCOMPARE(Clipboard(), Edit("Text16")->text());
    QCOMPARE(Edit("Text16")->selectedText(), Edit("Text16")->text());
  }

  void thePictureShowsTheInformation() {
    QTest::mouseClick(Find<QLabel>("Picture2"), Qt::LeftButton);
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(messages_[0].first, QString("    I N F O R M A T I O N  "));
    QVERIFY(messages_[0].second.startsWith("Dieses Programm wurde vom derzeitigen Leiter der "));
    QVERIFY(!messages_[0].second.contains('\r'));
  }
};

QTEST_MAIN(DetailsWidgetTest)
#include "qt_details_test.moc"
