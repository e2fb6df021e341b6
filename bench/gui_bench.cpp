// The window's blank search over the full data file, offscreen: from the Enter key until
// the list is painted, the converter's start included; and the tree window's map of the
// benchmark's family tree, a frame drawn offscreen. Prints gui_blank_ms=MEDIAN map_frame_ms=MEDIAN.
//
//   QT_QPA_PLATFORM=offscreen veldaris_gui_bench DATA_FILE
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QListView>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "bench/bench_support.h"
#include "bench/bench_tree.h"
#include "core/numbers.h"
#include "platform/qt/map_widget.h"
#include "platform/qt/tree_window.h"
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
  // The tree window's map of the benchmark's family tree, every dot in view, drawn as the window
  // draws it into an image of the map's size, against copying an image of that size.
  double frame = -1;
  {
    const std::filesystem::path tree = dir / "stammbaum.ged";
    {
      std::ofstream out(tree, std::ios::binary);
      out << veldaris::bench::FamilyTree(argv[1]);
    }
    veldaris::TreeMainWindow window(argv[1]);
    window.resize(1920, 1200);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    window.Load(tree);
    while (window.model().Reading()) QTest::qWait(20);
    QTest::qWait(50);
    const veldaris::places::MapScene scene = window.model().Scene();
    QImage image(scene.view.width(), scene.view.height(), QImage::Format_ARGB32_Premultiplied);
    const auto time = [&](const std::function<void()>& f) {
      std::vector<double> ms;
      for (int run = 0; run < 15; ++run) {
        QElapsedTimer timer;
        timer.start();
        f();
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
      }
      std::sort(ms.begin(), ms.end());
      return ms[ms.size() / 2];
    };
    frame = time([&] {
      QPainter painter(&image);
      veldaris::PaintMap(painter, scene);
    });
    veldaris::places::MapScene bare = scene;
    bare.dots = {};
    const double borders = time([&] {
      QPainter painter(&image);
      veldaris::PaintMap(painter, bare);
    });
    std::printf("map: the borders alone %s ms\n", veldaris::Fixed(borders, 2).c_str());
    QImage copy;
    const double reference = time([&] { copy = image.copy(); });
    std::printf("map: %zu dots of %zu values in %dx%d pixels, a frame drawn in %s ms (%s); an image copied in %s ms; "
                "ratio %s\n",
                scene.dots.size(), window.model().tree ? window.model().tree->places.size() : 0, scene.view.width(),
                scene.view.height(), veldaris::Fixed(frame, 2).c_str(),
                veldaris::bench::Goal("frame", frame, 16, " ms").c_str(), veldaris::Fixed(reference, 3).c_str(),
                veldaris::Fixed(frame / reference, 0).c_str());
  }
  std::filesystem::remove_all(dir);
  // Read by scripts/bench.sh, and written with a point whatever the locale that Qt has set.
  std::printf("gui_blank_ms=%s map_frame_ms=%s\n", veldaris::Fixed(median, 2).c_str(), veldaris::Fixed(frame, 2).c_str());
  return 0;
}
