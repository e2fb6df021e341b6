// The window model: what every control shows, the window's size and focus, and the
// window-level variables that the handlers share. The handlers work on this alone; the Qt
// layer draws it.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/folder_lock.h"
#include "core/place_record.h"
#include "model/controls.h"
#include "model/platform.h"
#include "model/system.h"

namespace veldaris {

class SystemError;
class Window;

// The client height in twips for the window's outer height: the title bar and the borders
// take 420 twips; in maintenance mode the window grows so that the whole bottom button row
// shows. Both window systems draw the client area at this size.
int ClientHeightTwips(int outerHeight);

// The keyboard order: the control that Tab (forward) or Shift+Tab reaches from `from` (or
// from the start, for kControlCount): the visible tab stops by tab index, of each group of
// options the selected one only. kControlCount when there is none.
ControlId NextTabStop(const Window& w, ControlId from, bool forward);

// The states of the place entry.
enum class EntryState { kNotInEntryMode, kWaitingForState, kReady, kAppended };

class Window {
 public:
  // workDir: the working folder in which every file is addressed by its bare name.
  Window(Platform& platform, std::filesystem::path workDir, System& system = TheSystem());

  Control& operator[](ControlId id) { return controls_[static_cast<std::size_t>(id)]; }
  const Control& operator[](ControlId id) const {
    return controls_[static_cast<std::size_t>(id)];
  }
  // The text a control shows: its own, or that of the control whose text it stands for.
  const std::string& ShownText(ControlId id) const { return (*this)[SpecOf(id).textOf.value_or(id)].text(); }

  Platform& platform;
  System& system;
  const std::filesystem::path workDir;

  // Outer size in twips, and the control with the keyboard focus.
  int height = kNormalHeight;
  int width = kWindowWidth;
  ControlId focus = Text1;

  // Window-level variables.
  PlaceRecord CurrentRecord;
  std::string CurrentStateName;
  std::string SearchText;
  long MatchCount = 0;
  long RecordCount = 0;
  long ListRow = 0;
  std::string DesktopPath;
  std::string EntryStateShortForm;
  EntryState Entry = EntryState::kNotInEntryMode;

  // Set once a failure has ended the program: no further event is handled.
  bool ended = false;

  // Held from start-up on, so that no second program uses the same working folder.
  std::optional<FolderLock> folderLock;

  // The path of a file of the working folder, by its bare (Windows-1252) name.
  std::filesystem::path File(std::string_view name) const;

  // Runs one handler. A SystemError that the handler does not catch itself is shown in a
  // message box with its number, description and file, and the program ends.
  void Run(const std::function<void()>& handler);

  // The message box of an uncaught failure; the program then ends.
  void ReportFailure(const SystemError& error);
  // The same message box, for a failure after which the program goes on.
  void ShowFailure(const SystemError& error);

 private:
  std::array<Control, kControlCount> controls_;
};

}  // namespace veldaris
