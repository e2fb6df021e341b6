// The scenarios of the tree window (tests/scenarios/tree_scenarios.cpp) on the real Qt window,
// offscreen: mouse and keys through QTest, a drop as the window system delivers it, readings
// from the widgets.
//   build/bin/veldaris_qt_tree_scenarios [SCENARIO]    (QT_QPA_PLATFORM=offscreen)
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>
#include <memory>

#include "platform/qt/qt_application.h"
#include "platform/qt/tree_window.h"
#include "tests/scenarios/tree_scenario.h"

using namespace veldaris;
using namespace veldaris::tree;
using scenario::Key;

namespace {

using tree::ControlId;
using tree::ControlSpec;
using tree::ControlTable;
using tree::kControlCount;
using tree::NameOf;
using tree::SpecOf;
using tree::WindowCaption;

std::string From(const QString& text) { return text.toStdString(); }

class QtTreeDriver : public scenario::Driver {
 public:
  QtTreeDriver() {
    TestHooks().message = [this](const QString& title, const QString& text) {
      messages_.push_back(From(title) + ": " + From(text));
    };
    TestHooks().fileDialog = [this](bool, const std::filesystem::path& proposed) { return NextAnswer(proposed); };
    TestHooks().question = [this](const QString& title, const QString& text) {
      return NextQuestionAnswer(From(title), From(text));
    };
    TestHooks().quit = [this] { quit_ = true; };
    TestHooks().settings = dir_ / "einstellungen.ini";
    OpenWindow();
  }
  void OpenWindow() {
    window_ = std::make_unique<TreeMainWindow>(test::Gazetteer());
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get())) qWarning("the window was not exposed");
    window_->activateWindow();
    if (!QTest::qWaitForWindowActive(window_.get())) qWarning("the window did not become active");
  }
  ~QtTreeDriver() override {
    window_.reset();
    TestHooks() = {};
  }

  void Start(const std::optional<std::filesystem::path>& tree) override {
    window_->Load(tree);
    Idle();
  }

  QWidget* Widget(ControlId id) { return window_->widget(id); }
  QAbstractItemView* View(ControlId id) { return qobject_cast<QAbstractItemView*>(Widget(id)); }

  std::string Shown(ControlId id) override {
    QWidget* w = Widget(id);
    if (auto* combo = qobject_cast<QComboBox*>(w)) return From(combo->currentText());
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return From(edit->text());
    if (auto* notes = qobject_cast<QPlainTextEdit*>(w)) return From(notes->toPlainText());
    if (auto* button = qobject_cast<QPushButton*>(w)) return From(button->text());
    return {};
  }
  bool ShownVisible(ControlId id) override { return Widget(id)->isVisibleTo(window_.get()); }
  bool ShownEnabled(ControlId id) override { return Widget(id)->isEnabled(); }
  int ShownRowCount(ControlId id) override {
    if (auto* combo = qobject_cast<QComboBox*>(Widget(id))) return combo->count();
    return View(id)->model()->rowCount();
  }
  std::string ShownCell(ControlId id, int row, int column) override {
    return From(View(id)->model()->index(row, column).data().toString());
  }
  int ShownCurrentRow(ControlId id) override {
    const QModelIndex at = View(id)->currentIndex();
    return at.isValid() ? at.row() : -1;
  }
  ControlId ShownFocus() override {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
      for (const ControlSpec& spec : ControlTable())
        if (Widget(spec.id) == w) return spec.id;
    return kControlCount;
  }
  std::string ShownCaption() override { return From(window_->windowTitle()); }
  Placement ShownClientSize() override {
    return {0, 0, window_->Twips(window_->width()), window_->Twips(window_->height())};
  }
  Placement ShownPlacement(ControlId id) override {
    const QRect r = Widget(id)->geometry();
    return {window_->Twips(r.left()), window_->Twips(r.top()), window_->Twips(r.width()), window_->Twips(r.height())};
  }
  TreeWindow& Model() override { return window_->model(); }
  void ClickMap(int x, int y) override {
    QTest::mouseClick(Widget(Map), Qt::LeftButton, {}, QPoint(x, y));
    Idle();
  }
  void WheelMap(int x, int y, int notches) override {
    QWidget* map = Widget(Map);
    QWheelEvent wheel(QPointF(x, y), QPointF(map->mapToGlobal(QPoint(x, y))), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(map, &wheel);
    Idle();
  }
  void DragMap(int fromX, int fromY, int toX, int toY) override {
    QWidget* map = Widget(Map);
    QTest::mousePress(map, Qt::LeftButton, {}, QPoint(fromX, fromY));
    for (int step = 1; step <= 4; ++step) {
      const QPoint at(fromX + (toX - fromX) * step / 4, fromY + (toY - fromY) * step / 4);
      QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(map->mapToGlobal(at)), Qt::NoButton, Qt::LeftButton,
                       Qt::NoModifier);
      QApplication::sendEvent(map, &move);
    }
    QTest::mouseRelease(map, Qt::LeftButton, {}, QPoint(toX, toY));
    Idle();
  }
  std::string ShownAccessibleName(ControlId id) override { return From(Widget(id)->accessibleName()); }
  std::optional<std::string> ShownDescription(ControlId id) override {
    return From(Widget(id)->accessibleDescription());
  }
  unsigned ShownMapPixel(int x, int y) override {
    return static_cast<unsigned>(Widget(Map)->grab().toImage().pixel(x, y)) & 0xFFFFFFu;
  }

 protected:
  void Idle() override { QTest::qWait(10); }
  void DoClick(ControlId id) override { QTest::mouseClick(Widget(id), Qt::LeftButton, {}, Widget(id)->rect().center()); }
  void DoChoose(ControlId id, int item) override {
    auto* combo = qobject_cast<QComboBox*>(Widget(id));
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(item, 0)).center());
    QTest::qWait(20);
    // The offscreen platform leaves no window active once a popup has closed, as a desktop does.
    window_->activateWindow();
    if (!QTest::qWaitForWindowActive(window_.get())) qWarning("the window did not become active again");
  }
  void DoClickRow(ControlId id, int row) override {
    QAbstractItemView* view = View(id);
    const QModelIndex at = view->model()->index(row, 0);
    view->scrollTo(at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(at).center());
    Idle();
  }
  void DoClickHeading(int column) override {
    QHeaderView* header = qobject_cast<QTableView*>(Widget(PlaceList))->horizontalHeader();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    Idle();
  }
  void DoPress(Key key) override {
    static const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Space, Qt::Key_Tab,  Qt::Key_Backtab,
                                   Qt::Key_Up,     Qt::Key_Down,  Qt::Key_Home, Qt::Key_End,
                                   Qt::Key_Plus,   Qt::Key_Minus, Qt::Key_Left, Qt::Key_Right};
    QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : window_.get();
    QTest::keyClick(to, keys[static_cast<int>(key)]);
    Idle();
  }
  void DoAlt(char letter) override {
    QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : window_.get();
    QTest::keyClick(to, static_cast<Qt::Key>(Qt::Key_A + (letter - 'a')), Qt::AltModifier);
    QTest::qWait(50);
  }
  // As the window system delivers a file dragged from the file manager.
  void DoDrop(const std::filesystem::path& file) override {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
    const QPoint at = window_->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &enter);
    if (!enter.isAccepted()) return;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &drop);
    Idle();
  }
  void DoCloseWindow() override {
    window_->close();
    Idle();
  }
  void DoResize(int width, int height) override {
    window_->resize(window_->Px(width), window_->Px(height));
    Idle();
  }
  void DoRestart() override {
    DoCloseWindow();
    OpenWindow();
    Idle();
  }

 private:
  std::unique_ptr<TreeMainWindow> window_;
};

}  // namespace

class QtTreeScenarios : public QObject {
  Q_OBJECT

  int run_ = 0;

 private slots:
  void scenario_data() {
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < scenario::Scenarios().size(); ++i)
      QTest::newRow(scenario::Scenarios()[i].name) << static_cast<int>(i);
  }
  void scenario() {
    QFETCH(int, index);
    QtTreeDriver driver;
    scenario::Checks checks;
    scenario::Run(scenario::Scenarios()[static_cast<std::size_t>(index)], driver, checks);
    ++run_;
    for (const std::string& failure : checks.failures()) qWarning("%s", failure.c_str());
    QVERIFY2(checks.failures().empty(), "the scenario failed, see above");
  }
  // Once the whole list has run, every event of the control table was exercised.
  void cleanupTestCase() {
    if (run_ < static_cast<int>(scenario::Scenarios().size())) return;
    std::string text;
    for (const std::string& m : scenario::EventsNotExercised()) text += " " + m + ";";
    QVERIFY2(text.empty(), ("no scenario exercises:" + text).c_str());
  }
};

// The program's own application, as the window runs in it: Qt's translations loaded for the
// user's language.
int main(int argc, char** argv) {
  const auto app = MakeApplication(argc, argv);
  QtTreeScenarios scenarios;
  return QTest::qExec(&scenarios, argc, argv);
}
#include "qt_tree_scenarios_test.moc"
