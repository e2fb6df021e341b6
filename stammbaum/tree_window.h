// The model of the window "Veldaris Stammbaum": what every control shows, the family tree
// that is open, its checked places and the user's choices among their candidates. The
// handlers (stammbaum/tree_events.h) work on this alone; the window layers draw it.
//
// A tree is read, and its places looked up, off the window's thread, so that the window
// stays responsive and shows how far the reading is; the result is handed back whole, and the
// model changes on the window's thread alone (PollReading, which the window layer calls on a
// timer while Reading()).
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/output_file.h"
#include "stammbaum/tree_controls.h"
#include "stammbaum/tree_platform.h"
#include "places/gedcom.h"
#include "places/map.h"
#include "places/resolver.h"
#include "places/tree_check.h"

namespace veldaris::tree {

// What PlaceList shows, as the items of Filter.
enum class Showing { kAll, kOpen, kUnique, kAmbiguous, kSimilar, kNotFound, kAbroad, kChosen, kNotLookedUp };

// A tree read and checked, whole.
struct OpenTree {
  std::filesystem::path path;
  std::unique_ptr<std::string> bytes;  // held apart: the tree reads its lines from them
  std::unique_ptr<places::GedcomTree> tree;
  std::vector<places::CheckedPlace> places;
};

class TreeWindow {
 public:
  // dataFile: the gazetteer the places are looked up in (its coordinates and the places of
  // the monarchy beside it); disk: where the saved files go.
  TreeWindow(TreePlatform& platform, std::filesystem::path dataFile, Disk& disk = SystemDisk());
  // A reading on its way is stopped and waited for.
  ~TreeWindow();
  TreeWindow(const TreeWindow&) = delete;
  TreeWindow& operator=(const TreeWindow&) = delete;

  Control& operator[](ControlId id) { return controls_[static_cast<std::size_t>(id)]; }
  const Control& operator[](ControlId id) const { return controls_[static_cast<std::size_t>(id)]; }

  TreePlatform& platform;
  Disk& disk;
  const std::filesystem::path dataFile;
  ControlId focus = OpenButton;

  // The open tree; none before the first one is read.
  std::optional<OpenTree> tree;
  // The candidate chosen for each decided value, and the choices as the file beside the copy
  // holds them since the tree was opened (none before they are saved or taken): where the two
  // differ, the user has choices that are not saved yet.
  places::Choices choices;
  places::Choices savedChoices;
  // The user has agreed to end the program.
  bool leaving = false;
  // The choices saved beside the proposed copy of the open tree, not yet taken, and how many
  // of that file's rows no longer fit the tree.
  std::optional<places::Choices> offered;
  std::size_t offeredLeftOut = 0;
  // PlaceList's rows: indexes into tree->places, in the order and the filter shown.
  std::vector<std::size_t> view;
  std::size_t sortColumn = 0;
  bool descending = false;
  Showing showing = Showing::kAll;

  // The map: its borders (none where the map file is missing), the part of it shown, a dot for
  // each value placed (`item` its index in tree->places; dotOf the other way round, kNoDot for
  // a value without one), and a revision raised whenever what it shows changes.
  static constexpr std::size_t kNoDot = static_cast<std::size_t>(-1);
  std::shared_ptr<const places::MapData> map;
  places::MapView mapView;
  std::vector<places::MapDot> dots;
  std::vector<std::size_t> dotOf;
  std::uint64_t mapRevision = 0;
  // What the map shows now: the dot of the current value highlighted, the lands of 1910 where
  // they are switched on.
  places::MapScene Scene() const;

  // Reading a tree in the background.
  bool Reading() const { return job_ != nullptr; }
  // Starts reading a tree (and, the first time, the gazetteer); nothing while one is read.
  void StartReading(const std::filesystem::path& path);
  // On the window's thread: the progress shown; once the reading has finished, its tree, or
  // the message of why it cannot be read. True then (the reading is over).
  struct Finished {
    std::optional<OpenTree> tree;
    std::string failure;  // UTF-8; empty when the tree was read
  };
  std::optional<Finished> PollReading();
  // Waits until the reading has finished (for the tests and the benchmark).
  std::optional<Finished> WaitForReading();

 private:
  struct Job;
  std::array<Control, kControlCount> controls_;
  std::shared_ptr<const places::Gazetteer> gazetteer_;
  std::unique_ptr<Job> job_;
  std::optional<Finished> Take();
};

// The items of Filter and Sort, in their order.
std::vector<std::string> FilterItems();
std::vector<std::string> SortItems();

}  // namespace veldaris::tree
