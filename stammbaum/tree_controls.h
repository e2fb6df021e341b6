// The window "Veldaris Stammbaum": its controls, their places and texts, and the events each
// raises, in one table that both window systems build the window from. Its texts are UTF-8:
// a family tree's places are Unicode (GEDCOM is UTF-8 or UTF-16, and today's names abroad
// hold letters such as "Č" that Windows-1252 has not), so that this window converts only at
// the window system, as the main window does from Windows-1252.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace veldaris::tree {

// In the keyboard order.
enum ControlId : int {
  OpenButton,
  TreeText,
  CountsText,
  Progress,
  FilterLabel,
  Filter,
  SortLabel,
  Sort,
  TakeChoicesButton,
  PlacesLabel,
  PlaceList,
  CandidatesLabel,
  CandidateList,
  ReasonLabel,
  ReasonText,
  SaveCopyButton,
  SaveReportButton,
  QuitButton,
  kControlCount
};

enum class ControlKind {
  kButton,
  kLabel,      // a caption; its access key moves the focus to the control after it
  kText,       // read-only text, one line
  kNotes,      // read-only text, several lines
  kComboBox,   // a drop-down list to pick from
  kTable,      // rows of columns, sortable by a click on a column's heading
  kList,       // rows of one column
  kProgress,   // how much of a long reading is done
};

// The events a control raises; each window layer turns its own notifications into exactly
// these, and the router (stammbaum/tree_events.h) hands each to its handler.
enum ControlEvent : unsigned {
  kClickEvent = 1u << 0,   // a button pressed: the mouse, Space, Enter, or its access key
  kChangeEvent = 1u << 1,  // an item of a drop-down list picked
  kPickEvent = 1u << 2,    // PlaceList: a row made current by the mouse or the keys;
                           // CandidateList: a row chosen by a click, Enter or Space
  kSortEvent = 1u << 3,    // a column's heading clicked
};
inline constexpr ControlEvent kEveryEvent[] = {kClickEvent, kChangeEvent, kPickEvent, kSortEvent};

// A control as it is designed: place and size in pixels at 96 dots per inch, inside the
// window's client area; caption (with "&" before its access key); tooltip; what a screen
// reader calls it.
struct ControlSpec {
  ControlId id;
  const char* name;
  ControlKind kind;
  int left, top, width, height;
  std::string caption;
  std::string accessibleName;
  std::string tooltip;
  bool tabStop;
  unsigned events;
  bool Raises(ControlEvent event) const { return (events & event) != 0; }
};

const std::array<ControlSpec, kControlCount>& ControlTable();
const ControlSpec& SpecOf(ControlId id);
const char* NameOf(ControlId id);
const char* NameOf(ControlEvent event);

// The columns of PlaceList, and the window's size.
std::span<const std::string> PlaceColumns();
constexpr int kClientWidth = 920;
constexpr int kClientHeight = 626;

// The caption of the window.
std::string WindowCaption();

// What a control shows now. Each change raises its revision, so that a window layer pushes
// to the native control only what changed.
class Control {
 public:
  const std::string& text() const { return text_; }
  bool visible() const { return visible_; }
  bool enabled() const { return enabled_; }
  // The rows of a table or a list (their cells), the items of a drop-down list (one cell).
  const std::vector<std::vector<std::string>>& rows() const { return rows_; }
  int current() const { return current_; }  // the current row or item; -1 for none
  int progress() const { return progress_; }  // 0 to 100
  std::uint64_t revision() const { return revision_; }
  std::uint64_t rowsRevision() const { return rowsRevision_; }  // raised only when the rows are new

  void SetText(std::string text) { Set(text_, std::move(text)); }
  void SetVisible(bool visible) { Set(visible_, visible); }
  void SetEnabled(bool enabled) { Set(enabled_, enabled); }
  void SetRows(std::vector<std::vector<std::string>> rows, int current = -1) {
    rows_ = std::move(rows);
    current_ = current;
    ++revision_;
    ++rowsRevision_;
  }
  void SetCell(std::size_t row, std::size_t column, std::string text) {
    if (row < rows_.size() && column < rows_[row].size()) Set(rows_[row][column], std::move(text));
  }
  void SetCurrent(int row) { Set(current_, row); }
  void SetProgress(int percent) { Set(progress_, percent); }

 private:
  template <typename T>
  void Set(T& field, T value) {
    if (field == value) return;
    field = std::move(value);
    ++revision_;
  }
  std::string text_;
  bool visible_ = true;
  bool enabled_ = true;
  std::vector<std::vector<std::string>> rows_;
  int current_ = -1;
  int progress_ = 0;
  std::uint64_t revision_ = 0;
  std::uint64_t rowsRevision_ = 0;
};

}  // namespace veldaris::tree
