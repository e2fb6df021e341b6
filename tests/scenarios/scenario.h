// The user's scenarios, written once and run against both windows: a driver acts on the real
// window as a user's mouse and keys do, and reads back what the window shows; a scenario is a
// sequence of such actions with the model, files, clipboard and messages they must leave.
#pragma once

#include <filesystem>
#include <functional>
#include <source_location>
#include <string>
#include <string_view>
#include <vector>

#include "model/window_model.h"
#include "tests/test_support.h"

namespace veldaris::scenario {

enum class Key { kEnter, kTab, kBackTab, kSpace, kUp, kDown, kPageUp, kPageDown, kHome, kEnd, kDelete, kBackspace };

struct Message {
  std::string title;
  std::string text;  // Windows-1252, lines broken by a CR alone, as the program wrote it
};

// One window on a copy of the sample data in a scratch working folder. The actions go
// through the window system's own input (the non-virtual members note which events of the
// control table a scenario exercises); the readings ask the native controls, not the model.
class Driver {
 public:
  // Makes the scratch working folder with a copy of the sample data; the window comes after.
  Driver();
  virtual ~Driver() = default;

  // Puts the keyboard focus into a field (as a user clicking into it would, without a click
  // event) and types the Windows-1252 text at its caret, key by key.
  void Type(ControlId id, std::string_view text);
  // A key to the control that has the focus.
  void Press(Key key);
  // Alt and a letter.
  void Alt(char letter);
  // The left mouse button pressed and released over the control.
  void Click(ControlId id);
  // The left mouse button on a row of List1.
  void ClickRow(int row);
  // An item picked from a combo box's drop-down list.
  void Choose(ControlId combo, int index);

  // What the native controls show. Texts are Windows-1252.
  virtual std::string Shown(ControlId id) = 0;
  virtual bool ShownVisible(ControlId id) = 0;
  virtual bool ShownChecked(ControlId id) = 0;
  virtual int ShownRowCount(ControlId id) = 0;  // rows of List1, items of a combo box
  virtual int ShownCurrentRow() = 0;            // List1's, -1 for none
  virtual int ShownWidthPx(ControlId id) = 0;
  // The selected part of a field: start and length.
  virtual std::pair<int, int> ShownSelection(ControlId id) = 0;
  virtual ControlId ShownFocus() = 0;  // kControlCount when no control has it
  virtual std::string ShownCaption() = 0;
  virtual int ShownClientHeightPx() = 0;
  virtual int Px(int twips) = 0;

  virtual std::string Clipboard() = 0;
  virtual void SetClipboard(const std::string& text) = 0;
  virtual Window& Model() = 0;
  // The message boxes shown, as the program wrote them, and whether the program ended.
  const std::vector<Message>& Messages() const { return messages_; }
  bool QuitRequested() const { return quit_; }
  const std::filesystem::path& WorkDir() const { return dir_.path(); }
  // Handles the window's events until the condition holds or the time is up.
  bool WaitUntil(const std::function<bool()>& condition, int milliseconds);

 protected:
  // Handles the window's events for about ten milliseconds.
  virtual void Idle() = 0;
  virtual void DoType(ControlId id, std::string_view text) = 0;
  virtual void DoPress(Key key) = 0;
  virtual void DoAlt(char letter) = 0;
  virtual void DoClick(ControlId id) = 0;
  virtual void DoClickRow(int row) = 0;
  virtual void DoChoose(ControlId combo, int index) = 0;

  test::TempDir dir_;
  std::vector<Message> messages_;
  bool quit_ = false;
};

// The failures of one scenario, each with the line of the scenario that found it.
class Checks {
 public:
  void Fail(std::string_view what, const std::source_location& where);
  void True(bool condition, std::string_view what,
            const std::source_location& where = std::source_location::current()) {
    if (!condition) Fail(what, where);
  }
  template <typename T, typename U>
  void Equal(const T& actual, const U& expected, std::string_view what,
             const std::source_location& where = std::source_location::current()) {
    if (!(actual == expected)) Fail(std::string(what) + ": " + Printed(actual) + ", expected " + Printed(expected), where);
  }
  // A failure after which the rest of the scenario means nothing: the scenario stops.
  void Require(bool condition, std::string_view what,
               const std::source_location& where = std::source_location::current());

  const std::vector<std::string>& failures() const { return failures_; }

  static std::string Printed(const std::string& text);  // Windows-1252, shown in UTF-8
  static std::string Printed(const char* text) { return Printed(std::string(text)); }
  static std::string Printed(long long number) { return std::to_string(number); }
  static std::string Printed(int number) { return std::to_string(number); }
  static std::string Printed(bool value) { return value ? "true" : "false"; }
  static std::string Printed(ControlId id) { return id == kControlCount ? "none" : NameOf(id); }
  static std::string Printed(const std::pair<int, int>& pair);
  static std::string Printed(const std::vector<ControlId>& ids);

 private:
  std::vector<std::string> failures_;
};

struct Scenario {
  const char* name;
  void (*run)(Driver&, Checks&);
};

const std::vector<Scenario>& Scenarios();

// Runs one scenario on a fresh window; a Require that fails ends it early.
void Run(const Scenario& scenario, Driver& driver, Checks& checks);

// The events that the control table says a control raises and that no scenario run so far
// has exercised, as "Control event".
std::vector<std::string> EventsNotExercised();

}  // namespace veldaris::scenario
