#include "tools/import/map_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace veldaris::import {
namespace {

using places::MapLayer;
using places::MapPoint;
using places::MapShape;

// Metres a simplified line may stray from the border: about a pixel at the scale that shows
// a whole state.
constexpr double kToleranceM = 150;

double Distance(MapPoint p, MapPoint a, MapPoint b) {
  const double dx = b.x - a.x, dy = b.y - a.y, length = dx * dx + dy * dy;
  double t = length > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Douglas and Peucker's simplification: the points a line needs to stay within the tolerance.
void Simplify(const std::vector<MapPoint>& in, std::size_t from, std::size_t to, std::vector<bool>& keep) {
  if (to <= from + 1) return;
  double farthest = -1;
  std::size_t at = from;
  for (std::size_t k = from + 1; k < to; ++k)
    if (const double d = Distance(in[k], in[from], in[to]); d > farthest) {
      farthest = d;
      at = k;
    }
  if (farthest <= kToleranceM) return;
  keep[at] = true;
  Simplify(in, from, at, keep);
  Simplify(in, at, to, keep);
}

std::vector<MapPoint> Projected(const std::vector<GeoPoint>& points, MapReport& report) {
  std::vector<MapPoint> projected;
  projected.reserve(points.size());
  for (const GeoPoint& p : points) projected.push_back(places::ToLambert(p.lat, p.lon));
  report.pointsBefore += projected.size();
  if (projected.size() < 3) {
    report.pointsAfter += projected.size();
    return projected;
  }
  std::vector<bool> keep(projected.size(), false);
  keep.front() = keep.back() = true;
  // A closed ring split at its farthest point, so that it keeps its shape.
  std::size_t split = projected.size() - 1;
  if (std::hypot(projected.front().x - projected.back().x, projected.front().y - projected.back().y) < 1) {
    double farthest = -1;
    for (std::size_t k = 1; k + 1 < projected.size(); ++k)
      if (const double d = std::hypot(projected[k].x - projected[0].x, projected[k].y - projected[0].y); d > farthest) {
        farthest = d;
        split = k;
      }
    keep[split] = true;
  }
  Simplify(projected, 0, split, keep);
  Simplify(projected, split, projected.size() - 1, keep);
  std::vector<MapPoint> kept;
  for (std::size_t k = 0; k < projected.size(); ++k)
    if (keep[k]) kept.push_back(projected[k]);
  report.pointsAfter += kept.size();
  return kept;
}

void AddPart(MapShape& shape, const std::vector<MapPoint>& points) {
  if (points.size() < (shape.IsArea() ? 4u : 2u)) return;
  shape.parts.push_back(static_cast<std::uint32_t>(points.size()));
  shape.points.insert(shape.points.end(), points.begin(), points.end());
}

MapShape Area(const Shape& from, MapLayer layer, MapReport& report) {
  MapShape shape;
  shape.layer = layer;
  shape.name = from.name;
  for (const auto& polygon : from.polygons)
    for (const auto& ring : polygon) AddPart(shape, Projected(ring, report));
  return shape;
}

// The arcs of a topology, each once, as lines of the layer that `layerOf` gives it by the
// number of shapes that use it (none: left out).
void AddArcs(const Topology& topology, MapLayer (*layerOf)(std::size_t users, bool austrian),
             std::vector<MapShape>& shapes, MapReport& report) {
  std::vector<std::size_t> users(topology.arcs.size(), 0);
  std::vector<bool> austrian(topology.arcs.size(), false);
  for (std::size_t s = 0; s < topology.shapes.size(); ++s)
    for (std::size_t arc : topology.arcsOf[s]) {
      ++users[arc];
      if (topology.shapes[s].id == "040") austrian[arc] = true;
    }
  std::array<MapShape, static_cast<std::size_t>(MapLayer::kCount)> lines;
  for (std::size_t k = 0; k < lines.size(); ++k) lines[k].layer = static_cast<MapLayer>(k);
  for (std::size_t arc = 0; arc < topology.arcs.size(); ++arc) {
    if (users[arc] == 0) continue;
    const MapLayer layer = layerOf(users[arc], austrian[arc]);
    if (layer == MapLayer::kCount) continue;
    AddPart(lines[static_cast<std::size_t>(layer)], Projected(topology.arcs[arc], report));
  }
  for (MapShape& line : lines)
    if (!line.parts.empty()) shapes.push_back(std::move(line));
}

// "Königreich Böhmen": "Böhmen".
std::string ShortName(std::string name) {
  for (std::string_view title : {"Gefürstete Grafschaft ", "Königreich ", "Erzherzogtum ", "Herzogtum ", "Markgrafschaft ",
                                 "Land ", "Freie Stadt "})
    if (name.starts_with(title)) return name.substr(title.size());
  return name;
}

}  // namespace

std::vector<MapShape> MakeMap(const Topology& states, const Topology& countries, const std::vector<Shape>& lands,
                              MapReport& report) {
  std::vector<MapShape> shapes;
  for (const Shape& country : countries.shapes) {
    shapes.push_back(Area(country, MapLayer::kCountries, report));
    ++report.countries;
  }
  for (const Shape& state : states.shapes) {
    shapes.push_back(Area(state, MapLayer::kStates, report));
    ++report.states;
  }
  AddArcs(countries, [](std::size_t, bool austrian) { return austrian ? MapLayer::kCount : MapLayer::kBorders; }, shapes,
          report);
  AddArcs(states,
          [](std::size_t users, bool) { return users > 1 ? MapLayer::kStateBorders : MapLayer::kAustriaBorder; },
          shapes, report);
  for (const Shape& land : lands) {
    MapShape shape;
    shape.layer = MapLayer::kLands1910;
    shape.name = ShortName(land.name);
    for (const auto& polygon : land.polygons)
      for (const auto& ring : polygon) AddPart(shape, Projected(ring, report));
    const GeoPoint inside = land.Inside();
    shape.label = places::ToLambert(inside.lat, inside.lon);
    shapes.push_back(std::move(shape));
    ++report.lands;
  }
  for (MapShape& shape : shapes) shape.Extend();
  return shapes;
}

}  // namespace veldaris::import
