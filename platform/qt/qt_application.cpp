#include "platform/qt/qt_application.h"

namespace veldaris {

std::unique_ptr<QApplication> MakeApplication(int argc, char** argv) {
  // QApplication keeps references to both for its whole life.
  static int qtArgc = 1;
  static char programName[] = "veldaris";
  static char* qtArgv[] = {argc > 0 && argv[0] ? argv[0] : programName, nullptr};
  return std::make_unique<QApplication>(qtArgc, qtArgv);
}

}  // namespace veldaris
