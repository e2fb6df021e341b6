// The vocabulary of the controls of both windows of the program, Veldaris and Veldaris
// Stammbaum: the kinds of control, the events they raise, a control as it is designed (a row
// of a window's control table) and what a control shows now. Each window has a table of its
// own controls by its own ids; the 37 controls of the window Veldaris are below.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/row_list.h"

namespace veldaris {

// The controls of the window Veldaris, in the order of the window's description.
enum ControlId : int {
  Text2, Combo2, Combo1, Command11, Frame1, Option4, Option3, Option5, Command10, Command9,
  Command7, Command6, Command5, Command4, Text5, Picture2, Text16, Text15, List1, Picture1,
  Command3, Option2, Option1, Text14, Text13, Text12, Text11, Text10, Text9, Text8, Text7,
  Command2, Command1, Text6, Text4, Text3, Text1,
  kControlCount
};

enum class ControlKind {
  // The window Veldaris.
  kTextBox, kComboBox, kButton, kFrame, kOptionButton, kPictureBox, kListBox,
  // The window Veldaris Stammbaum besides its buttons.
  kLabel,         // a caption; its access key moves the focus to the control after it
  kText,          // read-only text, one line
  kNotes,         // read-only text, several lines
  kDropDownList,  // a list to pick one item from
  kTable,         // rows of columns, sortable by a click on a column's heading
  kChoiceList,    // rows of one column, one chosen by a click, Enter or Space
  kProgress,      // how much of a long reading is done
  kCheckBox,      // a choice on or off, switched by a click or Space
  kMap,           // a map drawn by the window layer from the model's scene
};

// The events a control raises. Each window layer turns its own notifications into exactly
// these, for every control that the table says raises them, and the window's router hands
// each to its handler (window/events.h, stammbaum/tree_events.h).
enum ControlEvent : unsigned {
  kClickEvent = 1u << 0,   // the left mouse button released over it; Enter or Space on a
                           // focused picture; a button pressed by Space, Enter or its access key
  kChangeEvent = 1u << 1,  // the user changed its text: typing, pasting, a list item picked
  kEnterEvent = 1u << 2,   // the Enter key (character code 13) while it has the focus
  kPickEvent = 1u << 3,    // a row picked with the mouse, or moved to with the keyboard; of a
                           // choice list, a row chosen
  kSortEvent = 1u << 4,    // a column's heading clicked
};
inline constexpr ControlEvent kEveryEvent[] = {kClickEvent, kChangeEvent, kEnterEvent, kPickEvent, kSortEvent};
const char* NameOf(ControlEvent event);

enum class Alignment { kLeft, kCentre, kRight };

struct Rgb {
  std::uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

constexpr Rgb kFormBackground{192, 255, 192};
constexpr Rgb kInputBackground{255, 224, 192};

// How far each edge of a control moves when the window is made larger than its design: in
// percent of what the window grew by in that direction. A control whose right edge follows
// fully (100) and left edge not at all (0) grows with the window's width; one whose edges both
// follow fully moves with its right edge.
struct Follow {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Follow&) const = default;
};

// A control as the designer made it, by the ids of its window. Positions and sizes in twips
// (1/1440 inch; the tree window's are its pixels at 96 dots per inch, 15 twips each),
// relative to the client area or, for the controls in Frame1, to the frame. Texts in the
// window's own encoding: Windows-1252 in the window Veldaris, UTF-8 in Veldaris Stammbaum.
template <typename Id>
struct ControlSpecOf {
  Id id;
  const char* name;
  ControlKind kind;
  bool inFrame;
  int left, top, width, height;
  std::string caption;      // caption or initial text; "&" before an access key
  std::string fontFamily;   // empty: the window system's standard dialog font
  double fontPoints;        // 0 with the standard font
  bool bold;
  std::optional<Rgb> background;
  int tabIndex;
  bool tabStop;
  bool readOnly;
  Alignment alignment;
  std::string tooltip;
  std::string picture;      // resource name of a picture box's image
  // What a screen reader calls the control: the text of its caption control where it has
  // one beside it (label), otherwise its own name; empty for a control named by its text.
  std::optional<Id> label;
  std::string accessibleName;
  unsigned events = 0;  // the ControlEvents it raises
  bool flat = false;    // drawn without a border
  // A control that shows and edits the text of another one, which holds it alone (Combo2,
  // over the district field).
  std::optional<Id> textOf;
  Follow follows{};  // how its edges follow the window's

  bool Raises(ControlEvent event) const { return (events & event) != 0; }
};

using ControlSpec = ControlSpecOf<ControlId>;

const std::array<ControlSpec, kControlCount>& ControlTable();
const ControlSpec& SpecOf(ControlId id);
const char* NameOf(ControlId id);

// The caption of the window, with the program's version.
std::string WindowCaption();

// A control's place in a window made larger than its design (client sizes in twips).
struct Placement {
  int left, top, width, height;
  bool operator==(const Placement&) const = default;
};
template <typename Id>
Placement PlacementOf(const ControlSpecOf<Id>& spec, int designWidth, int designHeight, int width, int height) {
  const int dx = width > designWidth ? width - designWidth : 0;
  const int dy = height > designHeight ? height - designHeight : 0;
  const Follow& f = spec.follows;
  const int left = spec.left + dx * f.left / 100, right = spec.left + spec.width + dx * f.right / 100;
  const int top = spec.top + dy * f.top / 100, bottom = spec.top + spec.height + dy * f.bottom / 100;
  return {left, top, right - left, bottom - top};
}

// What a control shows now. Each change raises its revision, so that a window layer pushes
// to the native control only what changed.
class Control {
 public:
  const std::string& text() const { return text_; }
  // A text the program writes shows unselected, the caret at its start.
  void SetText(std::string text) {
    Set(text_, std::move(text));
    Select(0, 0);
  }
  bool visible() const { return visible_; }
  void SetVisible(bool visible) { Set(visible_, visible); }
  bool enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { Set(enabled_, enabled); }
  bool selected() const { return selected_; }  // an option button
  void SetSelected(bool selected) { Set(selected_, selected); }
  int width() const { return width_; }  // twips; the handlers change only Command2's
  void SetWidth(int width) { Set(width_, width); }
  int progress() const { return progress_; }  // 0 to 100
  void SetProgress(int percent) { Set(progress_, percent); }

  // The caret and the selected part of a field.
  int selStart() const { return selStart_; }
  int selLength() const { return selLength_; }
  void Select(int start, int length) {
    selStart_ = start;
    selLength_ = length;
    ++selRevision_;
    ++revision_;
  }
  std::uint64_t selRevision() const { return selRevision_; }  // raised whenever they are set

  // The rows of a list or a table, the items of a drop-down list; the current one, -1 for
  // none.
  const RowList& rows() const { return rows_; }
  int current() const { return current_; }
  void SetCurrent(int row) { Set(current_, row); }
  // New rows, with the current one (none by default).
  void SetRows(RowList rows, int current = -1) {
    // Swapped, so that the old rows' memory goes with `rows` (a string moved onto keeps its
    // own): a list of all places should not outlive its search.
    std::swap(rows_, rows);
    current_ = current;
    ++rowsRevision_;
    ++revision_;
  }
  void SetCell(std::size_t row, std::size_t column, std::string_view text) {
    if (rows_.SetCell(row, column, text)) ++revision_;
  }
  std::uint64_t rowsRevision() const { return rowsRevision_; }  // raised only when the rows are new
  std::uint64_t revision() const { return revision_; }          // raised on every change

 private:
  template <typename T>
  void Set(T& field, T value) {
    if (field == value) return;
    field = std::move(value);
    ++revision_;
  }
  std::string text_;  // text or caption
  bool visible_ = true;
  bool enabled_ = true;
  bool selected_ = false;
  int width_ = 0;
  int progress_ = 0;
  int selStart_ = 0;
  int selLength_ = 0;
  std::uint64_t selRevision_ = 0;
  RowList rows_;
  int current_ = -1;
  std::uint64_t rowsRevision_ = 0;
  std::uint64_t revision_ = 0;
};

// Window sizes (outer size, twips).
constexpr int kWindowWidth = 7950;
constexpr int kNormalHeight = 6870;
constexpr int kMaintenanceHeight = 7200;
constexpr int kClientWidth = 7830;
constexpr int kClientHeight = 6450;
constexpr int kCommand2FullWidth = 2055;
constexpr int kCommand2NarrowWidth = 1575;

}  // namespace veldaris
