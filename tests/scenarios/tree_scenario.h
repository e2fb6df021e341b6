// The user's scenarios at the window "Veldaris Stammbaum", written once and run against both
// window systems: a driver acts on the real window as a user's mouse and keys do, answers the
// system's file dialogs as a user would, and reads back what the native controls show.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <source_location>
#include <string>
#include <vector>

#include "stammbaum/tree_window.h"
#include "tests/test_support.h"

namespace veldaris::tree::scenario {

enum class Key { kEnter, kSpace, kTab, kBackTab, kUp, kDown, kHome, kEnd, kPlus, kMinus, kLeft, kRight };

class Driver {
 public:
  // The scratch folder, with a copy of the test's family tree (baum.ged, 48 place values as
  // old records write them); the window comes after, on the build's gazetteer.
  Driver();
  virtual ~Driver() = default;

  // The window's load event, with the tree of its command line (or none).
  virtual void Start(const std::optional<std::filesystem::path>& tree) = 0;

  // The left mouse button over a button; an item picked from a drop-down list; a row of a
  // table or list clicked; a column's heading clicked; a key to the focused control; Alt and
  // a letter; a file dropped onto the window.
  void Click(ControlId id);
  void Choose(ControlId combo, int item);
  void ClickRow(ControlId list, int row);
  void ClickHeading(int column);
  void Press(Key key);
  void Alt(char letter);
  void Drop(const std::filesystem::path& file);
  // The window's close box.
  void CloseWindow() { DoCloseWindow(); }
  // The window's border dragged until its client area is that large (twips); the window
  // closed and the program started again, as a user does the next day.
  void Resize(int width, int height) { DoResize(width, height); }
  void Restart() { DoRestart(); }
  // What the user does in the next file dialog: a file, or cancel; the answer to the next
  // question ("Ja" or "Nein"; "Nein" when none is given).
  void Answer(std::optional<std::filesystem::path> file) { answers_.push_back(std::move(file)); }
  void AnswerQuestion(bool yes) { questionAnswers_.push_back(yes); }

  // The map, at a pixel of the map control: a click, the wheel turned by notches (positive:
  // nearer), a drag from one pixel to another with the left button held; the colour drawn there
  // (0xRRGGBB), read from what the window drew.
  virtual void ClickMap(int x, int y) = 0;
  virtual void WheelMap(int x, int y, int notches) = 0;
  virtual void DragMap(int fromX, int fromY, int toX, int toY) = 0;
  virtual unsigned ShownMapPixel(int x, int y) = 0;
  // What a screen reader is told of a control: its name and its description (none where the
  // system has no service that keeps one: wine).
  virtual std::string ShownAccessibleName(ControlId id) = 0;
  virtual std::optional<std::string> ShownDescription(ControlId id) = 0;

  // What the native controls show (UTF-8).
  virtual std::string Shown(ControlId id) = 0;
  virtual bool ShownVisible(ControlId id) = 0;
  virtual bool ShownEnabled(ControlId id) = 0;
  virtual int ShownRowCount(ControlId id) = 0;
  virtual std::string ShownCell(ControlId id, int row, int column) = 0;
  virtual int ShownCurrentRow(ControlId id) = 0;
  virtual ControlId ShownFocus() = 0;  // kControlCount when no control has it
  virtual std::string ShownCaption() = 0;
  // The size of the client area, and where a control stands in it (twips).
  virtual Placement ShownClientSize() = 0;
  virtual Placement ShownPlacement(ControlId id) = 0;
  virtual TreeWindow& Model() = 0;

  // The message boxes and questions shown ("title: text"), the names the file dialogs proposed, whether
  // the program ended.
  const std::vector<std::string>& Messages() const { return messages_; }
  const std::vector<std::filesystem::path>& Proposals() const { return proposals_; }
  bool QuitRequested() const { return quit_; }
  const std::filesystem::path& Dir() const { return dir_.path(); }
  std::filesystem::path Tree() const { return dir_ / "baum.ged"; }
  // Handles the window's events until it reads no tree any more, or the time is up.
  bool WaitUntilRead(int milliseconds = 30000);

 protected:
  virtual void Idle() = 0;  // handles the window's events for about ten milliseconds
  virtual void DoClick(ControlId id) = 0;
  virtual void DoChoose(ControlId combo, int item) = 0;
  virtual void DoClickRow(ControlId list, int row) = 0;
  virtual void DoClickHeading(int column) = 0;
  virtual void DoPress(Key key) = 0;
  virtual void DoAlt(char letter) = 0;
  virtual void DoDrop(const std::filesystem::path& file) = 0;
  virtual void DoCloseWindow() = 0;
  virtual void DoResize(int width, int height) = 0;
  virtual void DoRestart() = 0;
  // The answer to a file dialog that the window opens, and what it proposed; to a question.
  std::optional<std::filesystem::path> NextAnswer(const std::filesystem::path& proposed);
  bool NextQuestionAnswer(const std::string& title, const std::string& text);

  test::TempDir dir_;
  std::deque<std::optional<std::filesystem::path>> answers_;
  std::deque<bool> questionAnswers_;
  std::vector<std::string> messages_;
  std::vector<std::filesystem::path> proposals_;
  bool quit_ = false;
};

class Checks {
 public:
  void True(bool condition, const std::string& what, const std::source_location& where = std::source_location::current());
  template <typename T, typename U>
  void Equal(const T& actual, const U& expected, const std::string& what,
             const std::source_location& where = std::source_location::current()) {
    if (!(actual == expected)) Fail(what + ": " + Printed(actual) + ", expected " + Printed(expected), where);
  }
  // A failure after which the rest of the scenario means nothing: the scenario stops.
  void Require(bool condition, const std::string& what, const std::source_location& where = std::source_location::current());
  void Fail(const std::string& what, const std::source_location& where);
  const std::vector<std::string>& failures() const { return failures_; }

 private:
  static std::string Printed(const std::string& text) { return "\"" + text + "\""; }
  static std::string Printed(const char* text) { return Printed(std::string(text)); }
  static std::string Printed(long long n) { return std::to_string(n); }
  static std::string Printed(int n) { return std::to_string(n); }
  static std::string Printed(std::size_t n) { return std::to_string(n); }
  static std::string Printed(unsigned n) { return std::to_string(n); }
  static std::string Printed(bool b) { return b ? "true" : "false"; }
  static std::string Printed(ControlId id) { return NameOf(id); }
  static std::string Printed(Showing showing) { return std::to_string(static_cast<int>(showing)); }
  static std::string Printed(const std::filesystem::path& path) { return path.string(); }
  std::vector<std::string> failures_;
};

struct Scenario {
  const char* name;
  void (*run)(Driver&, Checks&);
};

const std::vector<Scenario>& Scenarios();
void Run(const Scenario& scenario, Driver& driver, Checks& checks);
// The events of the control table that no scenario run so far exercised.
std::vector<std::string> EventsNotExercised();

}  // namespace veldaris::tree::scenario
