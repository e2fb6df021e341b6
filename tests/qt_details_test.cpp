// Picking rows of the real list, the clipboard, the pictures.
#include <QApplication>
#include <QClipboard>
#include <QLabel>

#include "tests/qt_fixture.h"

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
    QCOMPARE(Model()[List1].current(), -1);
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
