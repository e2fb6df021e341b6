// Veldaris: opens the window in the current folder, which holds the data file.
#include <filesystem>

#include "platform/qt/main_window.h"
#include "platform/qt/qt_application.h"

int main(int argc, char** argv) {
  const auto app = veldaris::MakeApplication(argc, argv);
  veldaris::MainWindow window(std::filesystem::current_path());
  window.Load();
  if (window.model().ended) return 1;  // another program works in this folder
  window.show();
  return app->exec();
}
