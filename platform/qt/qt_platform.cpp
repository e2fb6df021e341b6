#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>

#include "platform/qt/qt_text.h"

namespace veldaris {
namespace {

QtPlatform::MessageHook& Hook() {
  static QtPlatform::MessageHook hook;
  return hook;
}

std::function<void()>& QuitHook() {
  static std::function<void()> hook;
  return hook;
}

QString ShownText(const std::string& text) {
  QString shown = ToQString(text);
  shown.replace(QChar('\r'), QChar('\n'));
  return shown;
}

}  // namespace

void QtPlatform::SetMessageHook(MessageHook hook) { Hook() = std::move(hook); }

void QtPlatform::SetQuitHook(std::function<void()> hook) { QuitHook() = std::move(hook); }

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

void QtPlatform::ClearClipboard() { QGuiApplication::clipboard()->clear(); }

void QtPlatform::SetClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(ToQString(text));
}

void QtPlatform::Quit() {
  if (QuitHook()) {
    QuitHook()();
    return;
  }
  QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

}  // namespace veldaris
