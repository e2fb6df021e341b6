// The user's scenarios (tests/scenarios/) on the real Qt window, offscreen: keys and mouse
// clicks through QTest, readings from the widgets.
//   build/bin/veldaris_qt_scenarios [SCENARIO]    (QT_QPA_PLATFORM=offscreen)
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "platform/qt/main_window.h"
#include "platform/qt/qt_text.h"
#include "tests/qt_typing.h"
#include "tests/scenarios/scenario.h"
#include "tests/test_support.h"

using namespace veldaris;
using scenario::Key;

namespace {

// The Desktop folder of the window: a folder of the scratch home, named in the user
// directories as xdg-user-dirs writes them.
class ScratchDesktop {
 public:
  explicit ScratchDesktop(const std::filesystem::path& home) {
    std::filesystem::create_directories(home / "config");
    std::filesystem::create_directories(home / "Desktop");
    test::WriteBytes(home / "config" / "user-dirs.dirs",
                     "XDG_DESKTOP_DIR=\"" + (home / "Desktop").string() + "\"\n");
    if (const char* before = std::getenv("XDG_CONFIG_HOME")) before_ = before;
    setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
  }
  ~ScratchDesktop() {
    if (before_)
      setenv("XDG_CONFIG_HOME", before_->c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
  }

 private:
  std::optional<std::string> before_;
};

std::string From(const QString& text) { return FromQString(text).value_or("(not Windows-1252)"); }

class QtDriver : public scenario::Driver {
 public:
  QtDriver() : desktop_(home_.path()) {
    TestHooks().message = [this](const QString& title, const QString& text) {
      QString raw = text;
      raw.replace('\n', '\r');
      messages_.push_back({From(title), From(raw)});
    };
    TestHooks().quit = [this] { quit_ = true; };
    window_ = std::make_unique<MainWindow>(dir_.path());
    window_->Load();
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get())) qWarning("the window was not exposed");
    window_->activateWindow();
    if (!QTest::qWaitForWindowActive(window_.get())) qWarning("the window did not become active");
  }
  ~QtDriver() override {
    window_.reset();
    TestHooks() = {};
  }

  QWidget* Widget(ControlId id) { return window_->widget(id); }
  QLineEdit* EditOf(ControlId id) {
    if (auto* combo = qobject_cast<QComboBox*>(Widget(id))) return combo->lineEdit();
    return qobject_cast<QLineEdit*>(Widget(id));
  }
  QListView* List() { return qobject_cast<QListView*>(Widget(List1)); }

  std::string Shown(ControlId id) override {
    QWidget* w = Widget(id);
    if (auto* combo = qobject_cast<QComboBox*>(w)) return From(combo->currentText());
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return From(edit->text());
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return From(button->text());
    return {};
  }
  bool ShownVisible(ControlId id) override { return Widget(id)->isVisibleTo(window_.get()); }
  bool ShownChecked(ControlId id) override {
    auto* button = qobject_cast<QAbstractButton*>(Widget(id));
    return button && button->isChecked();
  }
  int ShownRowCount(ControlId id) override {
    if (auto* combo = qobject_cast<QComboBox*>(Widget(id))) return combo->count();
    return List()->model()->rowCount();
  }
  int ShownCurrentRow() override { return List()->currentIndex().isValid() ? List()->currentIndex().row() : -1; }
  int ShownWidthPx(ControlId id) override { return Widget(id)->width(); }
  std::pair<int, int> ShownSelection(ControlId id) override {
    QLineEdit* edit = EditOf(id);
    if (!edit->hasSelectedText()) return {edit->cursorPosition(), 0};
    return {edit->selectionStart(), static_cast<int>(edit->selectedText().size())};
  }
  ControlId ShownFocus() override {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
      for (const ControlSpec& spec : ControlTable())
        if (Widget(spec.id) == w) return spec.id;
    return kControlCount;
  }
  std::string ShownCaption() override { return From(window_->windowTitle()); }
  int ShownClientHeightPx() override { return window_->height(); }
  int Px(int twips) override { return window_->Px(twips); }

  std::string Clipboard() override { return From(QGuiApplication::clipboard()->text()); }
  void SetClipboard(const std::string& text) override { QGuiApplication::clipboard()->setText(ToQString(text)); }
  Window& Model() override { return window_->model(); }

 protected:
  void Idle() override { QTest::qWait(10); }
  void DoType(ControlId id, std::string_view text) override {
    QLineEdit* edit = EditOf(id);
    edit->setFocus(Qt::OtherFocusReason);
    test::TypeText(edit, ToQString(std::string(text)));
  }
  void DoPress(Key key) override {
    static const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Tab,  Qt::Key_Backtab, Qt::Key_Space,
                                   Qt::Key_Up,     Qt::Key_Down, Qt::Key_PageUp,  Qt::Key_PageDown,
                                   Qt::Key_Home,   Qt::Key_End,  Qt::Key_Delete,  Qt::Key_Backspace};
    QTest::keyClick(QApplication::focusWidget(), keys[static_cast<int>(key)]);
  }
  void DoAlt(char letter) override {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(Qt::Key_A + (letter - 'a')), Qt::AltModifier);
    QTest::qWait(250);  // an access key clicks its button a moment later
  }
  void DoClick(ControlId id) override {
    QWidget* w = Widget(id);
    // An option in the frame is as wide as its mark: click on the mark.
    const QPoint at = qobject_cast<QRadioButton*>(w) ? QPoint(6, w->height() / 2) : w->rect().center();
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
  }
  void DoClickRow(int row) override {
    const QRect rect = List()->visualRect(List()->model()->index(row, 0));
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, rect.center());
  }
  void DoChoose(ControlId id, int index) override {
    auto* combo = qobject_cast<QComboBox*>(Widget(id));
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(index, 0)).center());
    QTest::qWait(20);
  }

 private:
  test::TempDir home_;
  ScratchDesktop desktop_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace

class QtScenarios : public QObject {
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
    QtDriver driver;
    scenario::Checks checks;
    scenario::Run(scenario::Scenarios()[static_cast<std::size_t>(index)], driver, checks);
    ++run_;
    for (const std::string& failure : checks.failures()) qWarning("%s", failure.c_str());
    QVERIFY2(checks.failures().empty(), "the scenario failed, see above");
  }
  // Once the whole list has run: every event of the control table was exercised by a
  // scenario, so that a window layer that does not route one fails here.
  void cleanupTestCase() {
    if (run_ < static_cast<int>(scenario::Scenarios().size())) return;
    const std::vector<std::string> missing = scenario::EventsNotExercised();
    std::string text;
    for (const std::string& m : missing) text += " " + m + ";";
    QVERIFY2(missing.empty(), ("no scenario exercises:" + text).c_str());
  }
};

QTEST_MAIN(QtScenarios)
#include "qt_scenarios_test.moc"
