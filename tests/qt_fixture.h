// The real window, offscreen, on a copy of the sample data in a scratch folder. Message
// boxes are answered at once and recorded.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "platform/qt/main_window.h"
#include "tests/qt_typing.h"
#include "tests/test_support.h"

namespace veldaris::test {

class QtWindowFixture : public QObject {
  Q_OBJECT

 protected:
  void SetUpWindow() {
    dir_ = std::make_unique<TempDir>();
    std::filesystem::copy_file(VELDARIS_SAMPLE_DATA, *dir_ / "orte-7sp.ort");
    messages_.clear();
    TestHooks().message = [this](const QString& title, const QString& text) { messages_.append({title, text}); };
    window_ = std::make_unique<MainWindow>(dir_->path());
    window_->Load();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }

  void TearDownWindow() {
    window_.reset();
    TestHooks() = {};
    dir_.reset();
  }

  template <typename T>
  T* Find(const char* name) {
    auto* w = window_->findChild<T*>(name);
    if (!w) qFatal("no control %s", name);
    return w;
  }
  QLineEdit* Edit(const char* name) { return Find<QLineEdit>(name); }
  QPushButton* Button(const char* name) { return Find<QPushButton>(name); }
  QListView* List() { return Find<QListView>("List1"); }
  int Rows() { return List()->model()->rowCount(); }
  Window& Model() { return window_->model(); }
  // Types into a field at its caret, key by key.
  void Type(const char* name, const QString& text) { TypeText(Edit(name), text); }
  void Key(const char* name, Qt::Key key) { QTest::keyClick(Edit(name), key); }

  std::unique_ptr<TempDir> dir_;
  std::unique_ptr<MainWindow> window_;
  QList<QPair<QString, QString>> messages_;
};

}  // namespace veldaris::test
