// The window Veldaris: the real widgets, built from the control table and bound to the
// window model. The model is the truth; after every event the widgets show it again.
#pragma once

#include <QAbstractButton>
#include <QAbstractListModel>
#include <QLineEdit>
#include <QListView>
#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>

#include "model/window_model.h"
#include "platform/qt/qt_platform.h"

namespace veldaris {

// A line edit that reports a mouse click once its own handling of it is done.
class ClickableLineEdit : public QLineEdit {
  Q_OBJECT
 public:
  using QLineEdit::QLineEdit;
 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// The rows of List1, read from the model when the view draws them.
class ResultListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  using QAbstractListModel::QAbstractListModel;
  void Reset(const RowList* rows);
  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  const RowList* rows_ = nullptr;
};

// List1. A pick is a mouse click on a row, or a move of the current row by the keyboard
// (arrow keys, Home, End, Page Up, Page Down) while the list has the focus. Moving the focus
// into the list picks nothing, and leaves no row current until one is picked.
class ResultListView : public QListView {
  Q_OBJECT
 public:
  using QListView::QListView;
  // Keeps the first row clear of a caption that overlaps the top of the list.
  void SetTopMargin(int pixels) { setViewportMargins(0, pixels, 0, 0); }
  void keyboardSearch(const QString&) override {}  // a typed letter is no pick
 signals:
  void picked(int row, bool byKeyboard);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
};

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  explicit MainWindow(std::filesystem::path workDir, QWidget* parent = nullptr);
  ~MainWindow() override;

  Window& model() { return model_; }
  QWidget* widget(ControlId id) const { return widgets_[static_cast<std::size_t>(id)]; }
  // Pixels for twips on this screen.
  int Px(int twips) const;

  // The load event: start-up, then the widgets show the model.
  void Load();
  // Makes every widget show the model.
  void Sync();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Tab and Shift+Tab follow the keyboard order of the design: the visible tab stops by tab
  // index, and of each group of options the selected one only.
  bool focusNextPrevChild(bool next) override;

 private:
  // Runs one event on the model and shows the outcome.
  void Dispatch(const std::function<void()>& event);
  void Build();
  // The widget of a control, one function per kind; each hands the model the events that
  // the control table says the control raises.
  QWidget* Create(const ControlSpec& spec, QWidget* parent);
  QWidget* CreateTextBox(const ControlSpec& spec, QWidget* parent);
  QWidget* CreateComboBox(const ControlSpec& spec, QWidget* parent);
  QWidget* CreateButton(const ControlSpec& spec, QWidget* parent);
  QWidget* CreateFrame(const ControlSpec& spec, QWidget* parent);
  QWidget* CreateOptionButton(const ControlSpec& spec, QWidget* parent);
  QWidget* CreatePictureBox(const ControlSpec& spec, QWidget* parent);
  QWidget* CreateListBox(const ControlSpec& spec, QWidget* parent);
  void ForwardClicks(QAbstractButton* button, const ControlSpec& spec);
  // Accepts only Windows-1252 in a field and hands what the user types to the model.
  void ForwardEdits(QLineEdit* edit, ControlId id);
  void SyncControl(ControlId id);
  ControlId IdOf(const QObject* object) const;

  QtPlatform platform_;
  Window model_;
  double scale_ = 1.0 / 15;
  std::array<QWidget*, kControlCount> widgets_{};
  ResultListModel* listModel_ = nullptr;
  // What the widgets were last made to show, so that only the model's changes are pushed
  // and the user's own cursor and focus stay as they are.
  struct Shown {
    std::uint64_t selRevision = ~0ull;
    std::uint64_t rowsRevision = ~0ull;
    std::string name;  // the accessible name, for controls named by their caption
  };
  std::array<Shown, kControlCount> shown_{};
  ControlId shownFocus_ = kControlCount;
  int shownHeight_ = -1;
  bool syncing_ = false;
  QMetaObject::Connection focusWatch_;
};

}  // namespace veldaris
