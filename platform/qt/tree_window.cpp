#include "platform/qt/tree_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QResizeEvent>
#include <QSettings>
#include <QSignalBlocker>

#include "platform/qt/map_widget.h"
#include "platform/qt/qt_text.h"
#include "stammbaum/tree_events.h"

namespace veldaris {
namespace {




std::filesystem::path PathOf(const QString& file) { return std::filesystem::path(QFile::encodeName(file).toStdString()); }

}  // namespace

void TreeRowsModel::Reset() {
  beginResetModel();
  endResetModel();
}

void TreeRowsModel::CellsChanged() {
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int TreeRowsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(control_.rows().size());
}

int TreeRowsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headings_.size());
}

QVariant TreeRowsModel::data(const QModelIndex& at, int role) const {
  if (!at.isValid() || at.row() >= rowCount()) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
    return FromUtf8(control_.rows().Cell(static_cast<std::size_t>(at.row()), static_cast<std::size_t>(at.column())));
  if (role == Qt::TextAlignmentRole && headings_.size() > 1 && at.column() == 1)
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant TreeRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      static_cast<std::size_t>(section) >= headings_.size())
    return {};
  return headings_[static_cast<std::size_t>(section)];
}

void CandidateView::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) &&
      currentIndex().isValid()) {
    emit chosen(currentIndex().row());
    event->accept();
    return;
  }
  QListView::keyPressEvent(event);
}

void PlaceView::focusInEvent(QFocusEvent* event) {
  if (selectionModel()->hasSelection()) return QTableView::focusInEvent(event);
  {
    // Qt makes the first row current when the focus comes in; that is no pick.
    const QSignalBlocker quiet(selectionModel());
    QTableView::focusInEvent(event);
    selectionModel()->clearCurrentIndex();
  }
  viewport()->update();
}

TreeMainWindow::TreeMainWindow(std::filesystem::path dataFile, QWidget* parent)
    : QWidget(parent), model_(platform_, std::move(dataFile)) {
  platform_.SetOwner(this);
  platform_.SetBeforeModal([this] { Sync(); });
  if (const QScreen* screen = QGuiApplication::primaryScreen()) scale_ = screen->logicalDotsPerInchY() / 96.0;
  setObjectName("VeldarisStammbaum");
  setWindowTitle(FromUtf8(tree::WindowCaption()));
  setWindowIcon(QIcon(":/resources/stammbaum.png"));
  setAcceptDrops(true);
  Build();
  ticker_.setInterval(50);
  connect(&ticker_, &QTimer::timeout, this, [this] { Dispatch([&] { tree::OnTick(model_); }); });
  focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (syncing_ || !now) return;
    const tree::ControlId id = IdOf(now);
    if (id != tree::kControlCount) tree::OnFocus(model_, id);
  });
}

TreeMainWindow::~TreeMainWindow() { disconnect(focusWatch_); }

int TreeMainWindow::Px(int twips) const { return static_cast<int>(twips * scale_ / 15 + 0.5); }

int TreeMainWindow::Twips(int pixels) const { return static_cast<int>(pixels * 15 / scale_ + 0.5); }

void TreeMainWindow::Build() {
  // The design's size is the smallest; the window opens at the size and place it had when it
  // was last closed.
  setMinimumSize(Px(tree::kClientWidth), Px(tree::kClientHeight));
  resize(minimumSize());
  if (const auto settings = WindowSettings()) restoreGeometry(settings->value("Stammbaum/Fenster").toByteArray());
  for (const tree::ControlSpec& spec : tree::ControlTable()) {
    QWidget* w = Create(spec);
    w->setObjectName(spec.name);
    if (!spec.accessibleName.empty()) w->setAccessibleName(FromUtf8(spec.accessibleName));
    if (!spec.tooltip.empty()) {
      w->setToolTip(FromUtf8(spec.tooltip));
      w->setAccessibleDescription(FromUtf8(spec.tooltip));
    }
    w->setFocusPolicy(spec.tabStop ? Qt::StrongFocus : Qt::NoFocus);
    widgets_[static_cast<std::size_t>(spec.id)] = w;
  }
  // A caption's access key reaches the control after it; the keyboard order is the table's.
  for (const tree::ControlSpec& spec : tree::ControlTable())
    if (spec.kind == ControlKind::kLabel)
      static_cast<QLabel*>(widget(spec.id))->setBuddy(widget(static_cast<tree::ControlId>(spec.id + 1)));
  QWidget* previous = nullptr;
  for (const tree::ControlSpec& spec : tree::ControlTable()) {
    if (!spec.tabStop) continue;
    if (previous) setTabOrder(previous, widget(spec.id));
    previous = widget(spec.id);
  }
  Layout();
}

QWidget* TreeMainWindow::Create(const tree::ControlSpec& spec) {
  const tree::ControlId id = spec.id;
  switch (spec.kind) {
    case ControlKind::kButton: {
      auto* button = new QPushButton(FromUtf8(spec.caption), this);
      if (spec.Raises(kClickEvent))
        connect(button, &QPushButton::clicked, this, [this, id] { Dispatch([&] { tree::OnClick(model_, id); }); });
      return button;
    }
    case ControlKind::kLabel: return new QLabel(FromUtf8(spec.caption), this);
    case ControlKind::kText: {
      auto* text = new QLineEdit(this);
      text->setReadOnly(true);
      return text;
    }
    case ControlKind::kNotes: {
      auto* notes = new QPlainTextEdit(this);
      notes->setReadOnly(true);
      notes->setTabChangesFocus(true);
      return notes;
    }
    case ControlKind::kDropDownList: {
      auto* combo = new QComboBox(this);
      combo->setMaxVisibleItems(12);
      if (spec.Raises(kChangeEvent))
        connect(combo, &QComboBox::activated, this, [this, id](int item) {
          if (!syncing_) Dispatch([&] { tree::OnChange(model_, id, item); });
        });
      return combo;
    }
    case ControlKind::kTable: {
      auto* table = new PlaceView(this);
      std::vector<QString> headings;
      for (const std::string& column : tree::PlaceColumns()) headings.push_back(FromUtf8(column));
      places_ = new TreeRowsModel(model_[id], std::move(headings), table);
      table->setModel(places_);
      table->setSelectionBehavior(QAbstractItemView::SelectRows);
      table->setSelectionMode(QAbstractItemView::SingleSelection);
      table->setEditTriggers(QAbstractItemView::NoEditTriggers);
      table->setTabKeyNavigation(false);
      table->setWordWrap(false);
      table->verticalHeader()->setVisible(false);
      table->verticalHeader()->setDefaultSectionSize(Px(20 * 15));
      table->horizontalHeader()->setSectionsClickable(true);
      table->horizontalHeader()->setSortIndicatorShown(true);
      table->setColumnWidth(0, Px(235 * 15));
      table->setColumnWidth(1, Px(55 * 15));
      table->setColumnWidth(2, Px(112 * 15));
      table->horizontalHeader()->setStretchLastSection(true);
      connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
              [this, id](const QModelIndex& now) {
                if (!syncing_ && now.isValid()) Dispatch([&] { tree::OnPick(model_, id, now.row()); });
              });
      connect(table->horizontalHeader(), &QHeaderView::sectionClicked, this,
              [this](int column) { Dispatch([&] { tree::OnSort(model_, column); }); });
      return table;
    }
    case ControlKind::kChoiceList: {
      auto* list = new CandidateView(this);
      candidates_ = new TreeRowsModel(model_[id], {QString()}, list);
      list->setModel(candidates_);
      list->setUniformItemSizes(true);
      list->setEditTriggers(QAbstractItemView::NoEditTriggers);
      connect(list, &CandidateView::clicked, this,
              [this, id](const QModelIndex& at) { Dispatch([&] { tree::OnPick(model_, id, at.row()); }); });
      connect(list, &CandidateView::chosen, this,
              [this, id](int row) { Dispatch([&] { tree::OnPick(model_, id, row); }); });
      return list;
    }
    case ControlKind::kProgress: {
      auto* progress = new QProgressBar(this);
      progress->setRange(0, 100);
      progress->setTextVisible(true);
      return progress;
    }
    case ControlKind::kCheckBox: {
      auto* box = new QCheckBox(FromUtf8(spec.caption), this);
      if (spec.Raises(kClickEvent))
        connect(box, &QCheckBox::clicked, this, [this, id] { Dispatch([&] { tree::OnClick(model_, id); }); });
      return box;
    }
    case ControlKind::kMap: {
      auto* map = new MapWidget(model_, [this](const std::function<void()>& event) { Dispatch(event); }, this);
      map_ = map;
      return map;
    }
    // The main window's kinds, of which this window has none.
    case ControlKind::kTextBox: case ControlKind::kComboBox: case ControlKind::kFrame: case ControlKind::kOptionButton:
    case ControlKind::kPictureBox: case ControlKind::kListBox: break;
  }
  return new QWidget(this);
}

void TreeMainWindow::Load(const std::optional<std::filesystem::path>& tree) {
  Dispatch([&] { tree::OnLoad(model_, tree); });
}

void TreeMainWindow::Dispatch(const std::function<void()>& event) {
  event();
  Sync();
  if (model_.Reading() && !ticker_.isActive()) ticker_.start();
  if (!model_.Reading()) ticker_.stop();
}

void TreeMainWindow::Sync() {
  syncing_ = true;
  for (int i = 0; i < tree::kControlCount; ++i) SyncControl(static_cast<tree::ControlId>(i));
  if (map_ && shownMap_ != model_.mapRevision + 1) {
    map_->update();
    shownMap_ = model_.mapRevision + 1;
  }
  syncing_ = false;
}

void TreeMainWindow::SyncControl(tree::ControlId id) {
  const tree::Control& c = model_[id];
  std::uint64_t& shown = shown_[static_cast<std::size_t>(id)];
  if (shown == c.revision() + 1) return;  // revisions shown as one more, so that 0 is never taken for shown
  QWidget* w = widget(id);
  w->setVisible(c.visible());
  w->setEnabled(c.enabled());
  switch (tree::SpecOf(id).kind) {
    case ControlKind::kButton: static_cast<QPushButton*>(w)->setText(FromUtf8(c.text())); break;
    case ControlKind::kLabel: static_cast<QLabel*>(w)->setText(FromUtf8(c.text())); break;
    case ControlKind::kText: {
      auto* text = static_cast<QLineEdit*>(w);
      if (text->text() != FromUtf8(c.text())) {
        text->setText(FromUtf8(c.text()));
        text->setCursorPosition(0);
      }
      break;
    }
    case ControlKind::kNotes: {
      auto* notes = static_cast<QPlainTextEdit*>(w);
      if (notes->toPlainText() != FromUtf8(c.text())) notes->setPlainText(FromUtf8(c.text()));
      break;
    }
    case ControlKind::kDropDownList: {
      auto* combo = static_cast<QComboBox*>(w);
      if (combo->count() != static_cast<int>(c.rows().size())) {
        combo->clear();
        for (const std::string& row : c.rows()) combo->addItem(FromUtf8(row));
      }
      combo->setCurrentIndex(c.current());
      break;
    }
    case ControlKind::kTable:
    case ControlKind::kChoiceList: {
      auto* view = static_cast<QAbstractItemView*>(w);
      TreeRowsModel* rows = id == tree::PlaceList ? places_ : candidates_;
      if (shownRows_[static_cast<std::size_t>(id)] != c.rowsRevision() + 1) {
        rows->Reset();
        shownRows_[static_cast<std::size_t>(id)] = c.rowsRevision() + 1;
      } else {
        rows->CellsChanged();
      }
      if (c.current() >= 0 && c.current() < rows->rowCount()) {
        const QModelIndex at = rows->index(c.current(), 0);
        if (view->currentIndex().row() != c.current()) view->setCurrentIndex(at);
        view->selectionModel()->select(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        view->scrollTo(at);
      } else {
        view->selectionModel()->clearSelection();
        view->selectionModel()->clearCurrentIndex();
      }
      if (id == tree::PlaceList)
        static_cast<QTableView*>(w)->horizontalHeader()->setSortIndicator(
            static_cast<int>(model_.sortColumn), model_.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
      break;
    }
    case ControlKind::kProgress: {
      auto* progress = static_cast<QProgressBar*>(w);
      progress->setValue(c.progress());
      progress->setFormat(FromUtf8(c.text()) + " (%p %)");
      break;
    }
    case ControlKind::kCheckBox: {
      auto* box = static_cast<QCheckBox*>(w);
      box->setText(FromUtf8(c.text()));
      box->setChecked(c.selected());
      break;
    }
    case ControlKind::kMap: break;  // drawn when the model's map changes (Sync)
    case ControlKind::kTextBox: case ControlKind::kComboBox: case ControlKind::kFrame: case ControlKind::kOptionButton:
    case ControlKind::kPictureBox: case ControlKind::kListBox: break;
  }
  shown = c.revision() + 1;
}

tree::ControlId TreeMainWindow::IdOf(const QObject* object) const {
  for (int i = 0; i < tree::kControlCount; ++i)
    for (const QObject* o = object; o; o = o->parent())
      if (o == widgets_[static_cast<std::size_t>(i)]) return static_cast<tree::ControlId>(i);
  return tree::kControlCount;
}

void TreeMainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls() && event->mimeData()->urls().size() == 1 && event->mimeData()->urls().front().isLocalFile())
    event->acceptProposedAction();
}

void TreeMainWindow::dropEvent(QDropEvent* event) {
  const QString file = event->mimeData()->urls().front().toLocalFile();
  event->acceptProposedAction();
  Dispatch([&] { tree::OnDrop(model_, PathOf(file)); });
}

// The close box, Alt+F4, and the end of the program asked for by "Beenden" alike; the window's
// size and place are kept for the next start.
void TreeMainWindow::closeEvent(QCloseEvent* event) {
  bool closing = false;
  Dispatch([&] { closing = tree::OnClose(model_); });
  if (!closing) return event->ignore();
  if (const auto settings = WindowSettings()) settings->setValue("Stammbaum/Fenster", saveGeometry());
  event->accept();
  platform_.Quit();
}

void TreeMainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Layout();
}

void TreeMainWindow::Layout() {
  const int width = Twips(this->width()), height = Twips(this->height());
  for (const tree::ControlSpec& spec : tree::ControlTable()) {
    const Placement p = PlacementOf(spec, tree::kClientWidth, tree::kClientHeight, width, height);
    if (QWidget* w = widget(spec.id)) w->setGeometry(Px(p.left), Px(p.top), Px(p.width), Px(p.height));
  }
}

}  // namespace veldaris
