// The window "Veldaris Stammbaum" in Qt: widgets built from the tree window's control table
// and bound to its model. The model is the truth; after every event the widgets show it
// again, and while a tree is read a timer asks the model how far it is.
#pragma once

#include <QAbstractListModel>
#include <QAbstractTableModel>
#include <QListView>
#include <QTableView>
#include <QTimer>
#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <optional>

#include "platform/qt/qt_platform.h"
#include "stammbaum/tree_window.h"

namespace veldaris {

// The rows of a table or list control of the model, read when the view draws them.
class TreeRowsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  TreeRowsModel(const Control& control, std::vector<QString> headings, QObject* parent)
      : QAbstractTableModel(parent), control_(control), headings_(std::move(headings)) {}
  void Reset();
  void CellsChanged();
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const Control& control_;
  std::vector<QString> headings_;
};

// CandidateList: a row is chosen by a click, Enter or Space; the arrow keys only move.
class CandidateView : public QListView {
  Q_OBJECT
 public:
  using QListView::QListView;
  void keyboardSearch(const QString&) override {}
 signals:
  void chosen(int row);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// PlaceList: the focus coming in makes no row current; the keys then pick from the first.
class PlaceView : public QTableView {
  Q_OBJECT
 public:
  using QTableView::QTableView;
  void keyboardSearch(const QString&) override {}

 protected:
  void focusInEvent(QFocusEvent* event) override;
};

class TreeMainWindow : public QWidget {
  Q_OBJECT
 public:
  explicit TreeMainWindow(std::filesystem::path dataFile, QWidget* parent = nullptr);
  ~TreeMainWindow() override;

  tree::TreeWindow& model() { return model_; }
  QWidget* widget(tree::ControlId id) const { return widgets_[static_cast<std::size_t>(id)]; }
  int Px(int twips) const;
  // Twips for pixels on this screen.
  int Twips(int pixels) const;

  // The window is there: a tree given on the command line is opened.
  void Load(const std::optional<std::filesystem::path>& tree);
  void Sync();
  // Runs a handler, then shows the model.
  void Dispatch(const std::function<void()>& event);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Each control where the table's rule puts it in a window of this size.
  void Layout();
  void Build();
  QWidget* Create(const tree::ControlSpec& spec);
  void SyncControl(tree::ControlId id);
  tree::ControlId IdOf(const QObject* object) const;

  QtTreePlatform platform_;
  tree::TreeWindow model_;
  double scale_ = 1.0;
  std::array<QWidget*, tree::kControlCount> widgets_{};
  TreeRowsModel* places_ = nullptr;
  TreeRowsModel* candidates_ = nullptr;
  QWidget* map_ = nullptr;
  std::uint64_t shownMap_ = 0;
  QTimer ticker_;
  // The revisions shown (one more than the model's, so that a new window shows everything).
  std::array<std::uint64_t, tree::kControlCount> shown_{}, shownRows_{};
  bool syncing_ = false;
  QMetaObject::Connection focusWatch_;
};

}  // namespace veldaris
