#include "platform/qt/qt_application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace veldaris {

std::unique_ptr<QApplication> MakeApplication(int argc, char** argv) {
  // QApplication keeps references to both for its whole life.
  static int qtArgc = 1;
  static char programName[] = "veldaris";
  static char* qtArgv[] = {argc > 0 && argv[0] ? argv[0] : programName, nullptr};
  auto app = std::make_unique<QApplication>(qtArgc, qtArgv);
  // Qt's own texts (the file dialogs, the standard buttons) in the user's language, where
  // Qt's translations are installed (Debian's qt6-translations-l10n); English otherwise.
  auto* translator = new QTranslator(app.get());
  if (translator->load(QLocale(), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    app->installTranslator(translator);
  return app;
}

}  // namespace veldaris
