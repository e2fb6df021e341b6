// Opens the real window in the current folder, searches for the text given (typed into the
// search field, then Enter) and saves a picture of the window.
//
//   veldaris_screenshot OUTPUT.png SEARCH_TEXT [ROW]
//
// With ROW, that row of the result list is clicked afterwards.
#include <QApplication>
#include <QListView>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <iostream>

#include "platform/qt/main_window.h"
#include "tests/qt_typing.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) {
    std::cerr << "usage: veldaris_screenshot OUTPUT.png SEARCH_TEXT [ROW]\n";
    return 2;
  }
  const QString output = QString::fromLocal8Bit(argv[1]);
  const QString search = QString::fromLocal8Bit(argv[2]);
  const int row = argc > 3 ? std::atoi(argv[3]) : -1;
  veldaris::TestHooks().message = [](const QString& title, const QString& text) {
    std::cerr << "message box: " << title.toStdString() << ": " << text.toStdString() << "\n";
  };
  veldaris::MainWindow window(std::filesystem::current_path());
  window.Load();
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  auto* text1 = window.findChild<QLineEdit*>("Text1");
  veldaris::test::TypeText(text1, search);
  QTest::keyClick(text1, Qt::Key_Return);
  if (row >= 0) {
    auto* list = window.findChild<QListView*>("List1");
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
  }
  QTest::qWait(300);
  if (!window.grab().save(output)) return 1;
  std::cout << "saved " << output.toStdString() << "\n";
  return 0;
}
