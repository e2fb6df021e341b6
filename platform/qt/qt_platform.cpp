#include "qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <cerrno>

#include "errors.h"
#include "qt_text.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace veldaris {
namespace {

QtPlatform::MessageHook& Hook() {
  static QtPlatform::MessageHook hook;
  return hook;
}

QString ShownText(const std::string& text) {
  QString shown = ToQString(text);
  shown.replace(QChar('\r'), QChar('\n'));
  return shown;
}

}  // namespace

void QtPlatform::SetMessageHook(MessageHook hook) { Hook() = std::move(hook); }

void QtPlatform::ShowMessage(const std::string& title, const std::string& text) {
  if (beforeModal_) beforeModal_();
  if (Hook()) {
    Hook()(ToQString(title), ShownText(text));
    return;
  }
  QMessageBox box(owner_);
  box.setIcon(QMessageBox::NoIcon);
  box.setWindowTitle(ToQString(title));
  box.setText(ShownText(text));
  box.setTextFormat(Qt::PlainText);
  box.setStandardButtons(QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

QString QtPlatform::FindProgram(const QString& name) {
#ifdef Q_OS_WIN
  const QString file = name + ".exe";
#else
  const QString& file = name;
#endif
  const QFileInfo beside(QDir(QCoreApplication::applicationDirPath()).filePath(file));
  if (beside.isFile() && beside.isExecutable()) return beside.absoluteFilePath();
  return QStandardPaths::findExecutable(file);
}

void QtPlatform::StartProgram(const std::string& name, const std::vector<std::string>& args,
                              const std::filesystem::path& workDir) {
  const QString program = FindProgram(ToQString(name));
  if (program.isEmpty()) throw ErrnoError(ENOENT, name);
  QStringList arguments;
  for (const auto& arg : args) arguments << ToQString(arg);
  QProcess process;
  process.setProgram(program);
  process.setArguments(arguments);
  process.setWorkingDirectory(QString::fromStdU16String(workDir.u16string()));
#ifdef Q_OS_WIN
  process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* a) {
    a->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
    a->startupInfo->wShowWindow = SW_SHOWMINIMIZED;
  });
#endif
  errno = 0;
  if (!process.startDetached()) {
    const int err = errno ? errno : ENOEXEC;
    throw SystemError(err, FromQString(process.errorString()).value_or("cannot start"), name);
  }
}

void QtPlatform::ClearClipboard() { QGuiApplication::clipboard()->clear(); }

void QtPlatform::SetClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(ToQString(text));
}

std::string QtPlatform::SpecialFolderPath(int csidl) {
  if (csidl != 0) return {};
  // The desktop folder of the user's directories; only a folder that exists counts.
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  if (desktop.isEmpty() || !QFileInfo(desktop).isDir()) return {};
  QString path = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(desktop).absoluteFilePath()));
  while (path.size() > 1 && path.endsWith(QDir::separator())) path.chop(1);
  // A path that Windows-1252 cannot hold cannot be named in the program's texts.
  return FromQString(path).value_or("");
}

void QtPlatform::Quit() {
  QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

}  // namespace veldaris
