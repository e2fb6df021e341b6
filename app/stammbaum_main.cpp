// Veldaris Stammbaum: the window to check a family tree's places, on the gazetteer that
// veldaris-ort uses; a tree given as the argument (as the desktop entry passes it) is opened.
#include <filesystem>
#include <optional>

#include "platform/qt/qt_application.h"
#include "platform/qt/tree_window.h"
#include "places/data_files.h"

int main(int argc, char** argv) {
  const auto app = veldaris::MakeApplication(argc, argv);
  veldaris::TreeMainWindow window(veldaris::places::DefaultDataFile());
  window.show();
  std::optional<std::filesystem::path> tree;
  if (argc > 1) tree = std::filesystem::path(argv[1]);
  window.Load(tree);
  return app->exec();
}
