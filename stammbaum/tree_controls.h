// The window "Veldaris Stammbaum": its controls, their places and texts, and the events each
// raises, in one table that both window systems build the window from. Its texts are UTF-8:
// a family tree's places are Unicode (GEDCOM is UTF-8 or UTF-16, and today's names abroad
// hold letters such as "Č" that Windows-1252 has not), so that this window converts only at
// the window system, as the main window does from Windows-1252.
#pragma once

#include <array>
#include <span>
#include <string>

#include "model/controls.h"

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
  MapLabel,
  Map,
  Lands1910Box,
  ShowAllButton,
  SaveMapButton,
  ReasonLabel,
  ReasonText,
  SaveCopyButton,
  SaveReportButton,
  QuitButton,
  kControlCount
};

// A control of this window as it is designed, in the vocabulary of model/controls.h; each
// says how its edges follow the window's when it is made larger.
using ControlSpec = ControlSpecOf<ControlId>;
using veldaris::Control;
using veldaris::ControlEvent;
using veldaris::ControlKind;
using veldaris::NameOf;

const std::array<ControlSpec, kControlCount>& ControlTable();
const ControlSpec& SpecOf(ControlId id);
const char* NameOf(ControlId id);

// The columns of PlaceList, and the window's smallest client area (twips), as designed.
std::span<const std::string> PlaceColumns();
constexpr int kClientWidth = 920 * 15;
constexpr int kClientHeight = 626 * 15;

// The caption of the window.
std::string WindowCaption();

}  // namespace veldaris::tree
