// Picking rows of the real list, the clipboard, the pictures.
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

  void arrowKeysPickRows() {
    Type("Text1", "Sankt");
    Key("Text1", Qt::Key_Return);
    ClickRow(0);
    QCOMPARE(Edit("Text7")->text(), QString("Sankt Pölten"));
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_Down);
    QCOMPARE(Edit("Text7")->text(), QString("Sankt Johann im Pongau"));
    QCOMPARE(Clipboard(), QString("Sankt Johann im Pongau, Sankt Johann im Pongau, Salzburg, AUSTRIA"));
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_End);
    QCOMPARE(Edit("Text7")->text(), QString("Sankt Veit an der Glan"));
    QCOMPARE(Edit("Text10")->text(), QString("Kaernten"));
  }

  void theFlagPutsTheQuotationAndAClickOnThePlaceStringCopiesIt() {
    Type("Text1", "Gö");
    Key("Text1", Qt::Key_Return);
    QGuiApplication::clipboard()->setText("before");
    QTest::mouseClick(Find<QLabel>("Picture1"), Qt::LeftButton);
    QCOMPARE(Edit("Text16")->text(),
             QString(" Es ist ein gutes Land, wohl wert, dass sich ein Fürst sein unterwinde...  F. Grillparzer."));
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
