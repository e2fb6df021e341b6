#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "platform/qt/map_widget.h"
#include "platform/qt/qt_text.h"

namespace veldaris {
namespace {


QString Shown(const std::filesystem::path& path) { return QFile::decodeName(QByteArray::fromStdString(path.string())); }

std::filesystem::path PathOf(const QString& file) { return std::filesystem::path(QFile::encodeName(file).toStdString()); }

// A message box with one OK button, or the test's hook.
void Message(QWidget* owner, const QString& title, const QString& text) {
  if (TestHooks().message) return TestHooks().message(title, text);
  QMessageBox box(owner);
  box.setIcon(QMessageBox::NoIcon);
  box.setWindowTitle(title);
  box.setText(text);
  box.setTextFormat(Qt::PlainText);
  box.setStandardButtons(QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

QString ShownText(const std::string& text) {
  QString shown = ToQString(text);
  shown.replace(QChar('\r'), QChar('\n'));
  return shown;
}

}  // namespace

QtTestHooks& TestHooks() {
  static QtTestHooks hooks;
  return hooks;
}

std::unique_ptr<QSettings> WindowSettings() {
  if (!TestHooks().settings.empty())
    return std::make_unique<QSettings>(Shown(TestHooks().settings), QSettings::IniFormat);
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Veldaris", "Veldaris");
}

void QuitApplication() {
  if (TestHooks().quit) return TestHooks().quit();
  QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void QtPlatform::ShowMessage(const std::string& title, const std::string& text) {
  if (beforeModal_) beforeModal_();
  Message(owner_, ToQString(title), ShownText(text));
}

void QtPlatform::ClearClipboard() { QGuiApplication::clipboard()->clear(); }

void QtPlatform::SetClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(ToQString(text));
}

void QtPlatform::Quit() { QuitApplication(); }

void QtTreePlatform::ShowMessage(const std::string& title, const std::string& text) {
  if (beforeModal_) beforeModal_();
  Message(owner_, FromUtf8(title), FromUtf8(text));
}

bool QtTreePlatform::AskYesNo(const std::string& title, const std::string& text) {
  if (beforeModal_) beforeModal_();
  if (TestHooks().question) return TestHooks().question(FromUtf8(title), FromUtf8(text));
  QMessageBox box(owner_);
  box.setIcon(QMessageBox::Question);
  box.setWindowTitle(FromUtf8(title));
  box.setText(FromUtf8(text));
  box.setTextFormat(Qt::PlainText);
  QPushButton* yes = box.addButton("&Ja", QMessageBox::YesRole);
  QPushButton* no = box.addButton("&Nein", QMessageBox::NoRole);
  box.setDefaultButton(no);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

std::optional<std::filesystem::path> QtTreePlatform::AskFileToOpen(const std::string& title,
                                                                   const std::filesystem::path& folder) {
  if (beforeModal_) beforeModal_();
  if (TestHooks().fileDialog) return TestHooks().fileDialog(false, folder);
  const QString file = QFileDialog::getOpenFileName(owner_, FromUtf8(title), Shown(folder),
                                                    "GEDCOM-Stammbäume (*.ged *.GED *.gedcom);;Alle Dateien (*)");
  if (file.isEmpty()) return std::nullopt;
  return PathOf(file);
}

std::optional<std::filesystem::path> QtTreePlatform::AskFileToSave(const std::string& title,
                                                                   const std::filesystem::path& proposed,
                                                                   tree::FileKind kind) {
  if (beforeModal_) beforeModal_();
  if (TestHooks().fileDialog) return TestHooks().fileDialog(true, proposed);
  const QString filter = kind == tree::FileKind::kGedcom ? "GEDCOM-Stammbäume (*.ged)"
                         : kind == tree::FileKind::kMap  ? "SVG-Bilder (*.svg);;PNG-Bilder (*.png)"
                                                         : "CSV-Dateien (*.csv)";
  const QString file = QFileDialog::getSaveFileName(owner_, FromUtf8(title), Shown(proposed), filter);
  if (file.isEmpty()) return std::nullopt;
  return PathOf(file);
}

std::vector<std::uint8_t> QtTreePlatform::RenderMap(const places::MapScene& scene) {
  QImage image(scene.view.width(), scene.view.height(), QImage::Format_RGB888);
  {
    QPainter painter(&image);
    PaintMap(painter, scene);
  }
  // The image's rows may be padded; the pixels are wanted without.
  const auto row = static_cast<std::size_t>(image.width()) * 3;
  std::vector<std::uint8_t> pixels(row * static_cast<std::size_t>(image.height()));
  for (int y = 0; y < image.height(); ++y)
    std::copy_n(image.constScanLine(y), row, pixels.begin() + static_cast<std::ptrdiff_t>(row * static_cast<std::size_t>(y)));
  return pixels;
}

void QtTreePlatform::Quit() { QuitApplication(); }

}  // namespace veldaris
