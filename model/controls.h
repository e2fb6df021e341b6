// The 37 controls of the window: their names, their design properties, and the state that
// the handlers read and write.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/row_list.h"

namespace veldaris {

// In the order of the window's description.
enum ControlId : int {
  Text2, Combo2, Combo1, Command11, Frame1, Option4, Option3, Option5, Command10, Command9,
  Command7, Command6, Command5, Command4, Text5, Picture2, Text16, Text15, List1, Picture1,
  Command3, Option2, Option1, Text14, Text13, Text12, Text11, Text10, Text9, Text8, Text7,
  Command2, Command1, Text6, Text4, Text3, Text1,
  kControlCount
};

enum class ControlKind { kTextBox, kComboBox, kButton, kFrame, kOptionButton, kPictureBox, kListBox };

// The events a control raises. Each window layer turns its own notifications into exactly
// these, for every control that the table says raises them, and the router (window/events.h)
// hands each to its handler.
enum ControlEvent : unsigned {
  kClickEvent = 1u << 0,   // the left mouse button released over it; Enter or Space on a
                           // focused picture
  kChangeEvent = 1u << 1,  // the user changed its text: typing, pasting, a list item picked
  kEnterEvent = 1u << 2,   // the Enter key (character code 13) while it has the focus
  kPickEvent = 1u << 3,    // a row picked with the mouse, or moved to with the keyboard
};
inline constexpr ControlEvent kEveryEvent[] = {kClickEvent, kChangeEvent, kEnterEvent, kPickEvent};
enum class Alignment { kLeft, kCentre, kRight };

struct Rgb {
  std::uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

constexpr Rgb kFormBackground{192, 255, 192};
constexpr Rgb kInputBackground{255, 224, 192};

// A control as the designer made it. Positions and sizes in twips, relative to the client
// area or, for the controls in Frame1, to the frame. Texts are Windows-1252.
struct ControlSpec {
  ControlId id;
  const char* name;
  ControlKind kind;
  bool inFrame;
  int left, top, width, height;
  std::string caption;      // caption or initial text
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
  std::optional<ControlId> label;
  std::string accessibleName;
  unsigned events = 0;  // the ControlEvents it raises
  bool flat = false;    // drawn without a border
  // A control that shows and edits the text of another one, which holds it alone (Combo2,
  // over the district field).
  std::optional<ControlId> textOf;

  bool Raises(ControlEvent event) const { return (events & event) != 0; }
};

const std::array<ControlSpec, kControlCount>& ControlTable();
const ControlSpec& SpecOf(ControlId id);
const char* NameOf(ControlId id);
const char* NameOf(ControlEvent event);

// The caption of the window, with the program's version.
std::string WindowCaption();

// What a control shows now.
class Control {
 public:
  bool selected = false;
  bool visible = true;
  int width = 0;        // twips; the handlers change only Command2's
  int listIndex = -1;   // picked row of List1, -1 for none

  const std::string& text() const { return text_; }
  // A text the program writes shows unselected, the caret at its start.
  void SetText(std::string text) {
    text_ = std::move(text);
    Select(0, 0);
  }

  // The caret and the selected part of a field.
  int selStart() const { return selStart_; }
  int selLength() const { return selLength_; }
  void Select(int start, int length) {
    selStart_ = start;
    selLength_ = length;
    ++selRevision_;
  }
  std::uint64_t selRevision() const { return selRevision_; }  // raised whenever they are set

  // The rows of List1, the list items of Combo1; new rows pick no row.
  const RowList& rows() const { return rows_; }
  void SetRows(RowList rows) {
    // Swapped, so that the old rows' memory goes with `rows` (a string moved onto keeps its
    // own): a list of all places should not outlive its search.
    std::swap(rows_, rows);
    listIndex = -1;
    ++rowsRevision_;
  }
  std::uint64_t rowsRevision() const { return rowsRevision_; }  // raised on every change of rows

 private:
  std::string text_;  // text or caption
  int selStart_ = 0;
  int selLength_ = 0;
  std::uint64_t selRevision_ = 0;
  RowList rows_;
  std::uint64_t rowsRevision_ = 0;
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
