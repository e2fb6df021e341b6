// The events of the tree window, each routed to its handler. Texts are UTF-8.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "stammbaum/tree_controls.h"

namespace veldaris::tree {

class TreeWindow;

// The window is there: a tree given on the command line (as a desktop entry or a shortcut
// passes it) is opened.
void OnLoad(TreeWindow& w, const std::optional<std::filesystem::path>& tree);
void OnClick(TreeWindow& w, ControlId id);
// The user asks to end the program ("Beenden", or the window's close box): true when it may
// end; choices not yet saved are not given up without asking.
bool OnClose(TreeWindow& w);
// An item of a drop-down list picked.
void OnChange(TreeWindow& w, ControlId id, int item);
// PlaceList: a row made current; CandidateList: a row chosen.
void OnPick(TreeWindow& w, ControlId id, int row);
// A click on the heading of a column of PlaceList.
void OnSort(TreeWindow& w, int column);
// A file dropped onto the window.
void OnDrop(TreeWindow& w, const std::filesystem::path& file);
// Now and then while a tree is read: how far it is; at its end, the tree in the window.
void OnTick(TreeWindow& w);
// Waits for a reading to end and shows its tree, as the last tick would (for the tests and
// the benchmark, which have no timer).
void WaitForTree(TreeWindow& w);
// The user moved the keyboard focus.
void OnFocus(TreeWindow& w, ControlId id);
// The map (pixels of the map control): a key that zooms or moves it; a click without a drag,
// which makes the value of the dot under it current (the list then shows it, if it was
// filtered out); the wheel turned, zooming about the pointer (notches positive: nearer); a
// drag; the control's size; the tooltip of the dot under the pointer (empty over none).
enum class MapKey { kZoomIn, kZoomOut, kLeft, kRight, kUp, kDown, kAll };
void OnMapKey(TreeWindow& w, MapKey key);
void OnMapClick(TreeWindow& w, double x, double y);
void OnMapWheel(TreeWindow& w, double x, double y, double notches);
void OnMapDrag(TreeWindow& w, double dx, double dy);
void OnMapSize(TreeWindow& w, int width, int height);
std::string MapTip(const TreeWindow& w, double x, double y);
// Whether an event of a control has a handler.
bool IsRouted(ControlId id, ControlEvent event);

// The names of the files the window proposes beside a tree: the corrected copy, the choices
// saved beside it, the report.
std::filesystem::path ProposedCopy(const std::filesystem::path& tree);
std::filesystem::path ChoicesFileOf(const std::filesystem::path& copy);
std::filesystem::path ProposedReport(const std::filesystem::path& tree);
std::filesystem::path ProposedMap(const std::filesystem::path& tree);

}  // namespace veldaris::tree
