// The program reads no command-line option: Qt's own options given to it take no effect.
#include <QGuiApplication>
#include <cstdio>

#include "platform/qt/qt_application.h"

int main() {
  char name[] = "veldaris";
  char reverse[] = "-reverse";
  char style[] = "-style";
  char windows[] = "windows";
  char* argv[] = {name, reverse, style, windows, nullptr};
  const auto app = veldaris::MakeApplication(4, argv);
  if (QGuiApplication::isRightToLeft()) {
    std::fprintf(stderr, "-reverse was taken as an option\n");
    return 1;
  }
  if (QCoreApplication::arguments().size() != 1) {
    std::fprintf(stderr, "Qt saw arguments besides the program's name\n");
    return 1;
  }
  std::puts("no option reached Qt");
  return 0;
}
