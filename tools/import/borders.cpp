#include "tools/import/borders.h"

#include <algorithm>
#include <cmath>

#include "tools/import/gazetteer.h"
#include "tools/import/json.h"

namespace veldaris::import {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kKmPerDegree = 111.195;

using Ring = std::vector<GeoPoint>;

void Extend(Shape& shape) {
  for (const auto& polygon : shape.polygons)
    for (const Ring& ring : polygon)
      for (const GeoPoint& p : ring) {
        shape.west = std::min(shape.west, p.lon);
        shape.east = std::max(shape.east, p.lon);
        shape.south = std::min(shape.south, p.lat);
        shape.north = std::max(shape.north, p.lat);
      }
}

// A ring of GeoJSON: [[lon, lat], ...].
Ring RingOf(const JsonValue& points) {
  Ring ring;
  for (const JsonValue& p : points.items) ring.push_back({p[0].number, p[1].number});
  return ring;
}

// The polygons of a GeoJSON geometry.
std::vector<std::vector<Ring>> PolygonsOf(const JsonValue& geometry) {
  std::vector<std::vector<Ring>> polygons;
  const auto polygon = [&](const JsonValue& rings) {
    auto& out = polygons.emplace_back();
    for (const JsonValue& ring : rings.items) out.push_back(RingOf(ring));
  };
  if (geometry["type"].text == "Polygon") polygon(geometry["coordinates"]);
  else if (geometry["type"].text == "MultiPolygon")
    for (const JsonValue& p : geometry["coordinates"].items) polygon(p);
  return polygons;
}

}  // namespace

bool Shape::Contains(GeoPoint p) const {
  if (p.lon < west || p.lon > east || p.lat < south || p.lat > north) return false;
  bool inside = false;  // even and odd crossings, over every ring: holes count out
  for (const auto& polygon : polygons)
    for (const Ring& ring : polygon)
      for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const GeoPoint& a = ring[i];
        const GeoPoint& b = ring[j];
        if ((a.lat > p.lat) != (b.lat > p.lat) && p.lon < (b.lon - a.lon) * (p.lat - a.lat) / (b.lat - a.lat) + a.lon)
          inside = !inside;
      }
  return inside;
}

double Shape::BorderDistanceKm(GeoPoint p) const {
  // In a plane around the point: x east, y north, in km.
  const double scale = std::cos(p.lat * kPi / 180) * kKmPerDegree;
  double best = 1e9;
  for (const auto& polygon : polygons)
    for (const Ring& ring : polygon)
      for (std::size_t i = 0; i + 1 < ring.size(); ++i) {
        const double ax = (ring[i].lon - p.lon) * scale, ay = (ring[i].lat - p.lat) * kKmPerDegree;
        const double bx = (ring[i + 1].lon - p.lon) * scale, by = (ring[i + 1].lat - p.lat) * kKmPerDegree;
        const double dx = bx - ax, dy = by - ay, length = dx * dx + dy * dy;
        const double t = length > 0 ? std::clamp(-(ax * dx + ay * dy) / length, 0.0, 1.0) : 0;
        best = std::min(best, std::hypot(ax + t * dx, ay + t * dy));
      }
  return best;
}

GeoPoint Shape::Inside() const {
  const GeoPoint middle{(west + east) / 2, (south + north) / 2};
  if (Contains(middle)) return middle;
  // The crossings of the middle's latitude with every ring, in order: inside between pairs.
  std::vector<double> crossings;
  for (const auto& polygon : polygons)
    for (const Ring& ring : polygon)
      for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const GeoPoint& a = ring[i];
        const GeoPoint& b = ring[j];
        if ((a.lat > middle.lat) != (b.lat > middle.lat))
          crossings.push_back((b.lon - a.lon) * (middle.lat - a.lat) / (b.lat - a.lat) + a.lon);
      }
  std::sort(crossings.begin(), crossings.end());
  GeoPoint best = middle;
  double widest = -1;
  for (std::size_t k = 0; k + 1 < crossings.size(); k += 2)
    if (crossings[k + 1] - crossings[k] > widest) {
      widest = crossings[k + 1] - crossings[k];
      best = {(crossings[k] + crossings[k + 1]) / 2, middle.lat};
    }
  return best;
}

Topology ReadTopology(std::string_view bytes, const std::string& file) {
  JsonValue doc;
  try {
    doc = ParseJson(bytes);
  } catch (const JsonError& error) {
    throw InputError(file, 0, "kein JSON (Byte " + std::to_string(error.offset) + "): " + error.what());
  }
  if (doc["type"].text != "Topology" || doc["objects"].members.empty())
    throw InputError(file, 0, "keine TopoJSON-Datei");
  // The arcs: points as whole numbers, each after the first the difference to the one before.
  const JsonValue& transform = doc["transform"];
  const double sx = transform["scale"][0].number, sy = transform["scale"][1].number;
  const double tx = transform["translate"][0].number, ty = transform["translate"][1].number;
  const bool quantized = transform.Is(JsonValue::Kind::kObject);
  Topology topology;
  std::vector<Ring>& arcs = topology.arcs;
  for (const JsonValue& arc : doc["arcs"].items) {
    Ring& ring = arcs.emplace_back();
    double x = 0, y = 0;
    for (const JsonValue& p : arc.items) {
      if (quantized) {
        x += p[0].number;
        y += p[1].number;
        ring.push_back({x * sx + tx, y * sy + ty});
      } else {
        ring.push_back({p[0].number, p[1].number});
      }
    }
  }
  // A ring of arcs by their numbers, a negative one (~i) read backwards; each arc's first point
  // is the last of the one before.
  const auto ringOf = [&](const JsonValue& indexes) {
    Ring ring;
    for (const JsonValue& index : indexes.items) {
      const auto i = static_cast<long>(index.number);
      const std::size_t arc = static_cast<std::size_t>(i < 0 ? ~i : i);
      if (arc >= arcs.size()) throw InputError(file, 0, "ein Bogen, den es nicht gibt: " + std::to_string(i));
      Ring points = arcs[arc];
      if (i < 0) std::reverse(points.begin(), points.end());
      ring.insert(ring.end(), points.begin() + (ring.empty() ? 0 : 1), points.end());
    }
    return ring;
  };
  for (const JsonValue& geometry : doc["objects"].members.begin()->second["geometries"].items) {
    Shape shape;
    std::vector<std::size_t> used;
    shape.id = geometry["properties"]["iso"].Text();
    shape.name = geometry["properties"]["name"].Text();
    const auto polygon = [&](const JsonValue& rings) {
      auto& out = shape.polygons.emplace_back();
      for (const JsonValue& ring : rings.items) {
        out.push_back(ringOf(ring));
        for (const JsonValue& index : ring.items) {
          const auto i = static_cast<long>(index.number);
          used.push_back(static_cast<std::size_t>(i < 0 ? ~i : i));
        }
      }
    };
    if (geometry["type"].text == "Polygon") polygon(geometry["arcs"]);
    else if (geometry["type"].text == "MultiPolygon")
      for (const JsonValue& p : geometry["arcs"].items) polygon(p);
    else continue;
    Extend(shape);
    topology.shapes.push_back(std::move(shape));
    topology.arcsOf.push_back(std::move(used));
  }
  return topology;
}

std::vector<Shape> ReadTopoJson(std::string_view bytes, const std::string& file) {
  return ReadTopology(bytes, file).shapes;
}

std::vector<Shape> ReadGeoJson(std::string_view bytes, const std::string& file, std::string_view idProperty) {
  JsonValue doc;
  try {
    doc = ParseJson(bytes);
  } catch (const JsonError& error) {
    throw InputError(file, 0, "kein JSON (Byte " + std::to_string(error.offset) + "): " + error.what());
  }
  std::vector<const JsonValue*> features;
  if (doc["type"].text == "FeatureCollection")
    for (const JsonValue& f : doc["features"].items) features.push_back(&f);
  else if (doc["type"].text == "Feature")
    features.push_back(&doc);
  else
    throw InputError(file, 0, "keine GeoJSON-Datei");
  std::vector<Shape> shapes;
  for (const JsonValue* f : features) {
    Shape shape;
    shape.id = (*f)["properties"][idProperty].Text();
    shape.name = (*f)["properties"]["name"].Text();
    shape.polygons = PolygonsOf((*f)["geometry"]);
    if (shape.polygons.empty()) continue;
    Extend(shape);
    shapes.push_back(std::move(shape));
  }
  return shapes;
}

ShapeIndex::ShapeIndex(const std::vector<Shape>& shapes) : shapes_(shapes) {}

std::vector<const Shape*> ShapeIndex::Holding(GeoPoint p) const {
  std::vector<const Shape*> found;
  for (const Shape& shape : shapes_)
    if (shape.Contains(p)) found.push_back(&shape);
  return found;
}

const Shape* ShapeIndex::Find(std::string_view id) const {
  for (const Shape& shape : shapes_)
    if (shape.id == id) return &shape;
  return nullptr;
}

double DistanceKm(GeoPoint a, GeoPoint b) {
  const double la1 = a.lat * kPi / 180, la2 = b.lat * kPi / 180;
  const double dla = la2 - la1, dlo = (b.lon - a.lon) * kPi / 180;
  const double h = std::sin(dla / 2) * std::sin(dla / 2) + std::cos(la1) * std::cos(la2) * std::sin(dlo / 2) * std::sin(dlo / 2);
  return 2 * 6371.0 * std::asin(std::min(1.0, std::sqrt(h)));
}

}  // namespace veldaris::import
