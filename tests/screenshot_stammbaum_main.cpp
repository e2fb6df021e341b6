// Opens the tree window on the gazetteer, opens a family tree, picks the row of a value, chooses
// one of its candidates, and saves a picture of the window; maximised, where asked; and of the
// dialog that "Berichtigte Kopie speichern…" opens, where asked, which it then cancels; the map
// with the crown lands of 1910, where asked.
//
//   veldaris_stammbaum_screenshot OUTPUT.png DATA_FILE TREE.ged VALUE CANDIDATE_ROW [--maximiert]
//                                 [--1910] [--dialog DIALOG.png]
#include <QApplication>
#include <QDialog>
#include <QListView>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <iostream>

#include "platform/qt/qt_application.h"
#include "platform/qt/tree_window.h"

int main(int argc, char** argv) {
  const auto app = veldaris::MakeApplication(argc, argv);
  if (argc < 6) {
    std::cerr << "usage: veldaris_stammbaum_screenshot OUTPUT.png DATA_FILE TREE.ged VALUE CANDIDATE_ROW "
                 "[--maximiert] [--1910] [--dialog DIALOG.png]\n";
    return 2;
  }
  bool maximised = false, lands1910 = false;
  QString dialogPicture;
  for (int i = 6; i < argc; ++i) {
    if (std::string(argv[i]) == "--maximiert") maximised = true;
    if (std::string(argv[i]) == "--1910") lands1910 = true;
    if (std::string(argv[i]) == "--dialog" && i + 1 < argc) dialogPicture = QString::fromLocal8Bit(argv[++i]);
  }
  const QString output = QString::fromLocal8Bit(argv[1]);
  const QString value = QString::fromUtf8(argv[4]);
  const int candidate = std::atoi(argv[5]);
  veldaris::TestHooks().message = [](const QString& title, const QString& text) {
    std::cerr << "message box: " << title.toStdString() << ": " << text.toStdString() << "\n";
  };
  veldaris::TreeMainWindow window{std::filesystem::path(argv[2])};
  if (maximised) window.showMaximized();
  else window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  // The window manager maximises it a moment later.
  const QSize designed = window.size();
  for (int waited = 0; maximised && window.size() == designed && waited < 3000; waited += 50) QTest::qWait(50);
  window.Load(std::filesystem::path(argv[3]));
  for (int waited = 0; window.model().Reading() && waited < 30000; waited += 20) QTest::qWait(20);
  auto* places = window.findChild<QTableView*>("PlaceList");
  for (int row = 0; row < places->model()->rowCount(); ++row)
    if (places->model()->index(row, 0).data().toString() == value) {
      QTest::mouseClick(places->viewport(), Qt::LeftButton, {}, places->visualRect(places->model()->index(row, 0)).center());
      auto* candidates = window.findChild<QListView*>("CandidateList");
      const QModelIndex at = candidates->model()->index(candidate, 0);
      QTest::mouseClick(candidates->viewport(), Qt::LeftButton, {}, candidates->visualRect(at).center());
      break;
    }
  if (lands1910) QTest::mouseClick(window.findChild<QWidget*>("Lands1910Box"), Qt::LeftButton);
  QTest::qWait(300);
  if (!window.grab().save(output)) return 1;
  std::cout << "saved " << output.toStdString() << "\n";
  if (dialogPicture.isEmpty()) return 0;
  // The save dialog as the button opens it, pictured once it is drawn, then cancelled.
  bool saved = false;
  QTimer::singleShot(1500, [&] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      saved = dialog->grab().save(dialogPicture);
      dialog->reject();
    }
  });
  QTest::mouseClick(window.findChild<QPushButton*>("SaveCopyButton"), Qt::LeftButton);
  if (!saved) return 1;
  std::cout << "saved " << dialogPicture.toStdString() << "\n";
  return 0;
}
