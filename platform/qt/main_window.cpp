#include "platform/qt/main_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>

#include "core/text1252.h"
#include "platform/qt/qt_text.h"
#include "window/events.h"

// The pictures are compiled into this static library; register them before first use.
static void InitResources() { Q_INIT_RESOURCE(resources); }

namespace veldaris {
namespace {


QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

// The standard dialog font of the window's design: MS Sans Serif 8.25 pt, where it is
// missing a sans-serif of similar width.
QFont StandardFont() {
  QFont font;
  font.setFamilies({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial",
                    "DejaVu Sans"});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8.25);
  return font;
}

QFont FontOf(const ControlSpec& spec) {
  QFont font = StandardFont();
  if (spec.fontFamily.empty()) return font;
  if (spec.fontFamily == "Courier New") {
    font.setFamilies({"Courier New", "Liberation Mono", "DejaVu Sans Mono", "Noto Mono"});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
  } else {
    // "MS Sans Serif" and "Small Fonts": where they are missing, a sans-serif of similar size.
    font.setFamilies({QString::fromStdString(spec.fontFamily), "Microsoft Sans Serif",
                      "Liberation Sans", "Arial", "DejaVu Sans"});
    font.setStyleHint(QFont::SansSerif);
  }
  font.setPointSizeF(spec.fontPoints);
  font.setBold(spec.bold);
  font.setItalic(false);
  font.setUnderline(false);
  return font;
}

Qt::Alignment AlignmentOf(Alignment a) {
  switch (a) {
    case Alignment::kCentre: return Qt::AlignHCenter | Qt::AlignVCenter;
    case Alignment::kRight: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

}  // namespace

void ClickableLineEdit::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit clicked();
}

void ResultListModel::Reset(const RowList* rows) {
  beginResetModel();
  rows_ = rows;
  endResetModel();
}

int ResultListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !rows_ ? 0 : static_cast<int>(rows_->size());
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !rows_ || !index.isValid() ||
      index.row() >= static_cast<int>(rows_->size()))
    return {};
  return ToQString((*rows_)[static_cast<std::size_t>(index.row())]);
}

void ResultListView::mousePressEvent(QMouseEvent* event) {
  QListView::mousePressEvent(event);
  const QModelIndex at = indexAt(event->position().toPoint());
  if (at.isValid() && event->button() == Qt::LeftButton) emit picked(at.row(), false);
}

void ResultListView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: break;
    default:
      QListView::keyPressEvent(event);
      return;
  }
  const int rows = model() ? model()->rowCount() : 0;
  const QModelIndex before = currentIndex();
  if (!before.isValid() && event->key() == Qt::Key_End && rows > 0) {
    // Without a current row the view would start at the first one.
    setCurrentIndex(model()->index(rows - 1, 0));
    event->accept();
  } else {
    QListView::keyPressEvent(event);
  }
  const QModelIndex now = currentIndex();
  if (now.isValid() && now != before) emit picked(now.row(), true);
}

void ResultListView::focusInEvent(QFocusEvent* event) {
  QListView::focusInEvent(event);
  // Qt makes the first row current when the focus comes in; that is no pick.
  if (!selectionModel()->hasSelection()) selectionModel()->clearCurrentIndex();
}

MainWindow::MainWindow(std::filesystem::path workDir, QWidget* parent)
    : QWidget(parent), model_(platform_, std::move(workDir)) {
  InitResources();
  platform_.SetOwner(this);
  platform_.SetBeforeModal([this] { Sync(); });
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    scale_ = screen->logicalDotsPerInchY() / 1440.0;
  setObjectName("Veldaris");
  setWindowTitle(ToQString(WindowCaption()));
  setWindowIcon(QIcon(":/resources/icon.png"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ToQColor(kFormBackground));
  setPalette(palette);
  setAutoFillBackground(true);
  Build();
  focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (syncing_ || !now) return;
    const ControlId id = IdOf(now);
    if (id == kControlCount) return;
    OnFocus(model_, id);
    shownFocus_ = id;
  });
}

MainWindow::~MainWindow() {
  // The widgets go after this object, and the focus moves while they go: the model must no
  // longer hear of it.
  disconnect(focusWatch_);
}

int MainWindow::Px(int twips) const { return static_cast<int>(twips * scale_ + 0.5); }

void MainWindow::Build() {
  for (const ControlSpec& spec : ControlTable()) {
    QWidget* parent = spec.inFrame ? widget(Frame1) : this;
    widgets_[static_cast<std::size_t>(spec.id)] = Create(spec, parent);
  }
  // The heading Text15 reaches 45 twips into the list it names.
  static_cast<ResultListView*>(widget(List1))
      ->SetTopMargin(std::max(0, Px(SpecOf(Text15).top + SpecOf(Text15).height) - Px(SpecOf(List1).top)));
  // The controls stack in the order of the design: an earlier one lies on top of a later
  // one, so that Combo1 and Combo2 cover the fields under them and Text2 overlaps Text16.
  for (auto spec = ControlTable().rbegin(); spec != ControlTable().rend(); ++spec)
    widget(spec->id)->raise();
  // Keyboard order by tab index; controls without a tab stop are reached by the mouse only.
  std::vector<const ControlSpec*> order;
  for (const ControlSpec& spec : ControlTable())
    if (widget(spec.id)->focusPolicy() & Qt::TabFocus) order.push_back(&spec);
  std::sort(order.begin(), order.end(),
            [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
  for (std::size_t i = 1; i < order.size(); ++i)
    setTabOrder(widget(order[i - 1]->id), widget(order[i]->id));
}

QWidget* MainWindow::CreateTextBox(const ControlSpec& spec, QWidget* parent) {
  auto* edit = new ClickableLineEdit(parent);
  edit->setReadOnly(spec.readOnly);
  edit->setAlignment(AlignmentOf(spec.alignment));
  if (spec.flat) {
    edit->setFrame(false);
    edit->setTextMargins(0, 0, 0, 0);
    edit->setContentsMargins(0, 0, 0, 0);
  }
  const ControlId id = spec.id;
  if (spec.Raises(kChangeEvent)) ForwardEdits(edit, id);
  if (spec.Raises(kEnterEvent))
    connect(edit, &QLineEdit::returnPressed, this, [this, id] { Dispatch([&] { OnEnter(model_, id); }); });
  if (spec.Raises(kClickEvent))
    connect(edit, &ClickableLineEdit::clicked, this, [this, id] { Dispatch([&] { OnClick(model_, id); }); });
  return edit;
}

QWidget* MainWindow::CreateComboBox(const ControlSpec& spec, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  // No completion of its own: what the field shows is exactly what the model holds, and
  // what the place entry reads.
  combo->setCompleter(nullptr);
  const ControlId id = spec.id;
  if (spec.Raises(kChangeEvent)) {
    ForwardEdits(combo->lineEdit(), id);
    connect(combo, &QComboBox::activated, this, [this, id, combo](int index) {
      if (syncing_) return;
      if (const auto converted = FromQString(combo->itemText(index)))
        Dispatch([&] { OnUserEdit(model_, id, *converted, 0); });
    });
  }
  return combo;
}

QWidget* MainWindow::CreateButton(const ControlSpec& spec, QWidget* parent) {
  auto* button = new QPushButton(ToQString(spec.caption), parent);
  button->setAutoDefault(false);
  // Captions as wide as the narrow buttons of the design need the whole face.
  button->setStyleSheet("QPushButton { padding: 0px 1px; }");
  ForwardClicks(button, spec);
  return button;
}

QWidget* MainWindow::CreateFrame(const ControlSpec&, QWidget* parent) {
  auto* frame = new QFrame(parent);
  frame->setFrameShape(QFrame::NoFrame);
  return frame;
}

QWidget* MainWindow::CreateOptionButton(const ControlSpec& spec, QWidget* parent) {
  // The options in Frame1 are only as wide as their mark: their captions never show.
  auto* option = new QRadioButton(spec.inFrame ? QString() : ToQString(spec.caption), parent);
  option->setAccessibleName(ToQString(spec.caption));
  ForwardClicks(option, spec);
  return option;
}

QWidget* MainWindow::CreatePictureBox(const ControlSpec& spec, QWidget* parent) {
  auto* picture = new QLabel(parent);
  picture->setPixmap(QPixmap(":/resources/" + QString::fromStdString(spec.picture)));
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picture->setScaledContents(false);
  picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  picture->setFocusPolicy(Qt::StrongFocus);
  picture->setStyleSheet("QLabel:focus { border: 1px dotted black; }");
  if (spec.Raises(kClickEvent)) picture->installEventFilter(this);  // clicks: eventFilter
  return picture;
}

QWidget* MainWindow::CreateListBox(const ControlSpec& spec, QWidget* parent) {
  auto* list = new ResultListView(parent);
  listModel_ = new ResultListModel(list);
  list->setModel(listModel_);
  list->setUniformItemSizes(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setTextElideMode(Qt::ElideNone);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  if (spec.Raises(kPickEvent))
    connect(list, &ResultListView::picked, this, [this](int row, bool byKeyboard) {
      Dispatch([&] { OnListPick(model_, row, byKeyboard ? PickedBy::kKeyboard : PickedBy::kMouse); });
    });
  return list;
}

void MainWindow::ForwardClicks(QAbstractButton* button, const ControlSpec& spec) {
  if (!spec.Raises(kClickEvent)) return;
  const ControlId id = spec.id;
  connect(button, &QAbstractButton::clicked, this, [this, id] { Dispatch([&] { OnClick(model_, id); }); });
}

QWidget* MainWindow::Create(const ControlSpec& spec, QWidget* parent) {
  QWidget* w = nullptr;
  switch (spec.kind) {  // every kind, so that a new one does not compile until it is made here
    case ControlKind::kTextBox: w = CreateTextBox(spec, parent); break;
    case ControlKind::kComboBox: w = CreateComboBox(spec, parent); break;
    case ControlKind::kButton: w = CreateButton(spec, parent); break;
    case ControlKind::kFrame: w = CreateFrame(spec, parent); break;
    case ControlKind::kOptionButton: w = CreateOptionButton(spec, parent); break;
    case ControlKind::kPictureBox: w = CreatePictureBox(spec, parent); break;
    case ControlKind::kListBox: w = CreateListBox(spec, parent); break;
    // The tree window's kinds, of which this window has none.
    case ControlKind::kLabel: case ControlKind::kText: case ControlKind::kNotes: case ControlKind::kDropDownList:
    case ControlKind::kTable: case ControlKind::kChoiceList: case ControlKind::kProgress: case ControlKind::kCheckBox: case ControlKind::kMap: w = new QWidget(parent); break;
  }
  w->setObjectName(spec.name);
  w->setGeometry(Px(spec.left), Px(spec.top), Px(spec.width), Px(spec.height));
  QFont font = FontOf(spec);
  if (auto* button = qobject_cast<QPushButton*>(w)) {
    // A caption wider than its button: a narrow face of the same kind where the design's own
    // font is missing, a little smaller if need be, so that it stays readable.
    const QString caption = button->text().remove('&');
    const int room = w->width() - 6;
    if (QFontMetrics(font).horizontalAdvance(caption) > room) {
      QStringList families = font.families();
      families.insert(1, "Liberation Sans Narrow");
      families.insert(2, "Nimbus Sans Narrow");
      font.setFamilies(families);
    }
    while (QFontMetrics(font).horizontalAdvance(caption) > room && font.pointSizeF() > 6.5)
      font.setPointSizeF(font.pointSizeF() - 0.25);
  }
  w->setFont(font);
  if (!spec.tooltip.empty()) {
    w->setToolTip(ToQString(spec.tooltip));
    w->setAccessibleDescription(ToQString(spec.tooltip));
  }
  // Named by its caption (kept in step by Sync), by its own name, or else by its text.
  if (!spec.label) {
    QString name = ToQString(spec.accessibleName.empty() ? spec.caption : spec.accessibleName);
    w->setAccessibleName(name.remove('&'));
  }
  if (!spec.tabStop) w->setFocusPolicy(Qt::ClickFocus);
  if (spec.background) {
    QPalette palette = w->palette();
    palette.setColor(QPalette::Base, ToQColor(*spec.background));
    palette.setColor(QPalette::Window, ToQColor(*spec.background));
    palette.setColor(QPalette::Button, ToQColor(*spec.background));
    w->setPalette(palette);
    if (spec.kind == ControlKind::kOptionButton || spec.kind == ControlKind::kFrame)
      w->setAutoFillBackground(true);
  }
  return w;
}

void MainWindow::ForwardEdits(QLineEdit* edit, ControlId id) {
  edit->setValidator(new Windows1252Validator(edit));
  connect(edit, &QLineEdit::textEdited, this, [this, id, edit](const QString& text) {
    if (syncing_) return;
    const auto converted = FromQString(text);
    if (!converted) return;  // the validator lets nothing else through
    Dispatch([&] { OnUserEdit(model_, id, *converted, edit->cursorPosition()); });
  });
}

ControlId MainWindow::IdOf(const QObject* object) const {
  for (const QObject* o = object; o; o = o->parent()) {
    const auto found = std::find(widgets_.begin(), widgets_.end(), o);
    if (found != widgets_.end()) return static_cast<ControlId>(found - widgets_.begin());
    if (o == this) break;
  }
  return kControlCount;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // Only the pictures are watched: they have no click of their own.
  const ControlId id = IdOf(watched);
  if (id == kControlCount || SpecOf(id).kind != ControlKind::kPictureBox)
    return QWidget::eventFilter(watched, event);
  // A picture is clicked with the mouse, or with Enter or Space while it has the focus.
  bool click = false;
  if (event->type() == QEvent::MouseButtonRelease)
    click = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    click = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
  }
  if (!click) return QWidget::eventFilter(watched, event);
  Dispatch([&] { OnClick(model_, id); });
  return true;
}

bool MainWindow::focusNextPrevChild(bool next) {
  const ControlId target = NextTabStop(model_, IdOf(QApplication::focusWidget()), next);
  if (target == kControlCount) return false;
  widget(target)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  return true;
}

void MainWindow::Load() {
  Dispatch([&] { OnLoad(model_); });
}

void MainWindow::Dispatch(const std::function<void()>& event) {
  event();
  Sync();
}

void MainWindow::Sync() {
  syncing_ = true;
  if (model_.height != shownHeight_) {
    setFixedSize(Px(kClientWidth), Px(ClientHeightTwips(model_.height)));
    shownHeight_ = model_.height;
  }
  for (int i = 0; i < kControlCount; ++i) SyncControl(static_cast<ControlId>(i));
  if (model_.focus != shownFocus_) {
    widget(model_.focus)->setFocus(Qt::OtherFocusReason);
    shownFocus_ = model_.focus;
  }
  syncing_ = false;
}

void MainWindow::SyncControl(ControlId id) {
  const Control& control = model_[id];
  Shown& shown = shown_[static_cast<std::size_t>(id)];
  QWidget* w = widget(id);
  if (const auto& label = SpecOf(id).label) {
    // A field is named by the caption beside it, which a handler may change ("Markt").
    const std::string& name = model_[*label].text();
    if (shown.name != name) {
      w->setAccessibleName(ToQString(name));
      shown.name = name;
    }
  }
  if (w->isVisibleTo(this) != control.visible()) w->setVisible(control.visible());
  if (w->width() != Px(control.width())) w->resize(Px(control.width()), w->height());

  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    const QString text = ToQString(model_.ShownText(id));
    const bool textChanged = edit->text() != text;
    if (textChanged) edit->setText(text);
    // Caret and selection as the model last set them, however often it sets the same.
    if (textChanged || shown.selRevision != control.selRevision()) {
      if (control.selLength() > 0)
        edit->setSelection(control.selStart(), control.selLength());
      else
        edit->setCursorPosition(control.selStart());
      shown.selRevision = control.selRevision();
    }
  } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
    if (shown.rowsRevision != control.rowsRevision()) {
      combo->clear();
      for (const auto& row : control.rows()) combo->addItem(ToQString(row));
      shown.rowsRevision = control.rowsRevision();
    }
    const QString text = ToQString(model_.ShownText(id));
    if (combo->currentText() != text) combo->setEditText(text);
  } else if (auto* option = qobject_cast<QRadioButton*>(w)) {
    if (option->isChecked() != control.selected()) {
      // Auto-exclusive buttons cannot be unchecked directly.
      option->setAutoExclusive(false);
      option->setChecked(control.selected());
      option->setAutoExclusive(true);
    }
  } else if (auto* list = qobject_cast<ResultListView*>(w)) {
    if (shown.rowsRevision != control.rowsRevision()) {
      listModel_->Reset(&control.rows());
      shown.rowsRevision = control.rowsRevision();
    }
    if (list->currentIndex().row() != control.current()) {
      if (control.current() < 0)
        list->setCurrentIndex({});
      else
        list->setCurrentIndex(listModel_->index(control.current()));
    }
  }
}

}  // namespace veldaris
