// The window's blank search over the full data file, offscreen: from the Enter key until
// the list is painted, the converter's start included. Prints gui_blank_ms=MEDIAN.
//
//   QT_QPA_PLATFORM=offscreen veldaris_gui_bench DATA_FILE
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "core/numbers.h"
#include "platform/qt/main_window.h"
#include "platform/qt/qt_application.h"

int main(int argc, char** argv) {
  if (argc < 2 || !std::filesystem::exists(argv[1])) {
    std::puts("skipped: no data file");
    return 0;
  }
  const auto app = veldaris::MakeApplication(argc, argv);
  const auto dir = std::filesystem::temp_directory_path() / ("veldaris-gui-bench-" + std::to_string(QCoreApplication::applicationPid()));
  std::filesystem::create_directories(dir);
  std::filesystem::copy_file(argv[1], dir / "orte-7sp.ort", std::filesystem::copy_options::overwrite_existing);
  double median = -1;
  {
    veldaris::TestHooks().message = [](const QString&, const QString&) {};
    veldaris::MainWindow window(dir);
    window.Load();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    auto* text1 = window.findChild<QLineEdit*>("Text1");
    auto* list = window.findChild<QListView*>("List1");
    // Counts the paints of the list's rows, so that a run ends only once they are painted.
    struct PaintCounter : QObject {
      int paints = 0;
      bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
      }
    } counter;
    list->viewport()->installEventFilter(&counter);
    QTest::keyClicks(text1, " ");
    std::vector<double> ms;
    for (int run = 0; run < 9; ++run) {
      const int before = counter.paints;
      QElapsedTimer timer;
      timer.start();
      QTest::keyClick(text1, Qt::Key_Return);  // the search, the list filled from the result file
      // What the search changed is painted as the window system asks: the list, the place
      // string with the count, the buttons.
      while (counter.paints == before) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
      ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
      QTest::qWait(60);  // the converter ends before the next search
    }
    std::sort(ms.begin(), ms.end());
    median = ms[ms.size() / 2];
    std::printf("window: blank search over %d places, listed and painted: %s ms (%s-%s)\n", list->model()->rowCount(),
                veldaris::Fixed(median, 2).c_str(), veldaris::Fixed(ms.front(), 2).c_str(),
                veldaris::Fixed(ms.back(), 2).c_str());
  }
  std::filesystem::remove_all(dir);
  // Read by scripts/bench.sh, and written with a point whatever the locale that Qt has set.
  std::printf("gui_blank_ms=%s\n", veldaris::Fixed(median, 2).c_str());
  return 0;
}
