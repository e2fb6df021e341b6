// A family tree's places on the map: a dot for each value placed (unique, abroad or chosen
// among its candidates), the text that names it, and the map as an SVG picture, which
// veldaris-ort writes and the tree window saves.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "places/map.h"
#include "places/tree_check.h"

namespace veldaris::places {

// The candidate a value stands for now: the one chosen, or the place found; none where it is
// not placed.
const Candidate* PlacedCandidate(const CheckedPlace& place, const Choices& choices);

// One dot for each value placed that has coordinates, `item` its index in `places`, in the
// order they are drawn.
std::vector<MapDot> PlaceDots(std::span<const CheckedPlace> places, const Choices& choices);

// What a dot's tooltip and its SVG title say: the value, its place string (or, abroad,
// today's name) and how many records use it, a line each.
std::string DotTitle(const CheckedPlace& place, const Choices& choices);

// The scene as SVG (UTF-8), a <circle> with a <title> (titles[k]) for each dot.
std::string MapSvg(const MapScene& scene, std::span<const std::string> titles);

// The map of a tree's places as veldaris-ort writes it: the whole extent of its dots (or of
// Austria where it has none), about `width` pixels wide.
std::string TreeMapSvg(const MapData* data, std::span<const CheckedPlace> places, const Choices& choices,
                       bool lands1910, int width = 1200);

}  // namespace veldaris::places
