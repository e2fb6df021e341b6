// A GEDCOM family tree (5.5.1 and 7.0) read as lines of its own bytes: the places it names,
// and a copy of it in which some of them are corrected, every other line byte for byte as it
// was.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace veldaris::places {

// How the characters of a file are written.
enum class Encoding { kUtf8, kWindows1252, kAnsel, kUtf16Le, kUtf16Be };

// At most one per line.
struct GedcomProblem {
  std::size_t line;
  std::string what;
  bool passedOver = true;  // false: the line was read all the same (as Windows-1252)
};

// Bytes that are no GEDCOM tree at all: where, and why.
class GedcomError : public std::runtime_error {
 public:
  GedcomError(std::size_t at, const std::string& what) : std::runtime_error(what), line(at) {}
  std::size_t line;
};

// The tags a reader of places looks at; any other is kOther.
enum class Tag : unsigned char { kUnread, kBlank, kFailed, kOther, kHead, kPlac, kConc, kCont, kMap, kNote };

// One line as its bytes stand: from begin to end, its line end up to next. Where it is a
// GEDCOM line, its level, tag and where these and its value begin.
struct GedcomLine {
  std::size_t begin = 0, end = 0, next = 0;
  std::size_t tagBegin = 0;
  std::size_t value = 0;  // end when it has none
  int level = -1;         // -1: no GEDCOM line (a blank line, or one that was passed over)
  Tag tag = Tag::kUnread;
};

// A PLAC of the tree, its value with its CONC and CONT lines joined.
struct GedcomPlace {
  std::size_t line = 0;       // the PLAC line, an index into the lines
  std::size_t lines = 1;      // it and its CONC and CONT lines
  std::string value;          // UTF-8, the blanks around it left out
  std::size_t record = 0;     // the level-0 record that holds it
  bool hasMap = false;        // a MAP stands under it already
  std::vector<std::string> notes;  // the NOTEs right under it, UTF-8
};

class GedcomTree {
 public:
  // Reads the lines of the bytes, which must outlive the tree. The character set: a byte
  // order mark (UTF-8, UTF-16), or else UTF-16 where the first level "0" comes with a NUL, or
  // else what the header names (CHAR: ANSEL, ANSI), or else UTF-8 where the bytes are UTF-8,
  // Windows-1252 where not. A line that is no GEDCOM line is reported with
  // its number and passed over. Throws GedcomError where the bytes do not begin a tree with
  // "0 HEAD".
  explicit GedcomTree(std::string_view bytes);

  std::string_view bytes() const { return bytes_; }
  Encoding encoding() const { return encoding_; }
  const std::vector<GedcomLine>& lines() const { return lines_; }
  const std::vector<GedcomPlace>& places() const { return places_; }
  const std::vector<GedcomProblem>& problems() const { return problems_; }
  // UTF-8 text as the file writes it; nothing when its character set cannot hold the text.
  std::optional<std::string> Encode(std::string_view utf8) const;
  // The same, the letters its set cannot hold written as their plain letters ("Č" as "C").
  std::optional<std::string> EncodePlain(std::string_view utf8) const;

 private:
  // The code unit at a byte offset.
  std::size_t Unit(std::size_t byte) const {
    const auto a = static_cast<unsigned char>(bytes_[byte]);
    if (unit_ == 1) return a;
    const auto b = static_cast<unsigned char>(bytes_[byte + 1]);
    return encoding_ == Encoding::kUtf16Be ? (std::size_t{a} << 8) | b : (std::size_t{b} << 8) | a;
  }
  std::optional<std::string> Decode(std::size_t begin, std::size_t end) const;
  void Split(std::size_t at);
  void ParseLine(GedcomLine& line, std::size_t number);
  template <typename UnitAt>
  void ParseUnits(GedcomLine& line, std::size_t number, UnitAt unit);

  std::string_view bytes_;
  Encoding encoding_ = Encoding::kUtf8;
  std::size_t unit_ = 1;  // bytes per code unit
  bool allUtf8_ = false;  // a UTF-8 file without a fault
  std::vector<GedcomLine> lines_;
  std::vector<GedcomPlace> places_;
  std::vector<GedcomProblem> problems_;
};

// The distinct place values of a tree, in the order of their first use, with the number of
// records that use each.
struct PlaceUse {
  std::string value;     // UTF-8
  std::size_t uses = 0;
};
std::vector<PlaceUse> PlaceUses(const GedcomTree& tree);

// A place value in Windows-1252 for the lookup; a character it cannot hold becomes its plain
// letter ("Čechy" -> "Cechy"), or "?" where it has none.
std::string PlaceIn1252(std::string_view utf8);

// What a PLAC becomes: the place string (UTF-8), and its coordinates in GEDCOM's form; or,
// for a value that keeps its text (a building or an address, a place abroad by its historical
// name), only the coordinates, and a note of its own where it has one.
struct PlaceCorrection {
  std::string placeString;
  std::optional<std::string> latitude, longitude;  // "N47.6405", "E13.9055"
  bool keepValue = false;
  std::optional<std::string> note;  // "Heute: Brno, Tschechien"; added where no NOTE under the PLAC says it
};

// The tree with every PLAC for whose value `correct` gives a correction rewritten: its value
// becomes the place string, its earlier value goes into a NOTE under it ("Ortsangabe vorher:
// ", then the earlier value's own bytes and CONC and CONT lines), and a MAP with LATI and LONG
// is added where it has none and the coordinates are known. A value that is the place string
// already keeps its line, and so does one whose correction keeps it. Every other line stays
// byte for byte. `rewritten` counts the PLACs
// whose value changed.
std::string CorrectTree(const GedcomTree& tree,
                        const std::function<std::optional<PlaceCorrection>(const std::string& value)>& correct,
                        std::size_t& rewritten);

}  // namespace veldaris::places
