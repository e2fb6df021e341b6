// The map of the tree window and of veldaris-ort --karte (orte-7sp.karte): Austria's states of
// 2021, the countries around it from Natural Earth and the crown lands of 1910, projected to
// Austria Lambert and simplified to what a screen shows.
#pragma once

#include <cstddef>
#include <vector>

#include "places/map.h"
#include "tools/import/borders.h"

namespace veldaris::import {

struct MapReport {
  std::size_t states = 0, countries = 0, lands = 0;
  std::size_t pointsBefore = 0, pointsAfter = 0;
};

// Each border drawn once: an arc between two states is a state border, one of a single state
// Austria's border; the countries' arcs that Austria (ISO 040) uses are left to Austria's own,
// finer border.
std::vector<places::MapShape> MakeMap(const Topology& states, const Topology& countries, const std::vector<Shape>& lands,
                                      MapReport& report);

}  // namespace veldaris::import
