// Borders as the open data has them: Austria's municipalities, districts and states of 2021
// (TopoJSON), the crown lands of 1910 (GeoJSON); whether a point lies inside, and how far it
// lies from a border.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace veldaris::import {

// A point in decimal degrees (WGS 84).
struct GeoPoint {
  double lon = 0, lat = 0;
};

// An area of one or more polygons, each an outer ring with its holes.
struct Shape {
  std::string id;    // TopoJSON's "iso" (a Gemeindekennziffer), HistoGIS's slugged name
  std::string name;  // UTF-8
  std::vector<std::vector<std::vector<GeoPoint>>> polygons;
  double west = 180, south = 90, east = -180, north = -90;  // the box around it

  bool Contains(GeoPoint p) const;
  // The distance of a point to the nearest of its borders, in km.
  double BorderDistanceKm(GeoPoint p) const;
  // A point inside it: its middle where that lies inside, else the middle of the widest
  // stretch inside it along the middle's latitude.
  GeoPoint Inside() const;
};

// Every geometry (Polygon or MultiPolygon) of the first object of a TopoJSON file, with its
// properties "iso" and "name"; its arcs decoded with the file's transform.
std::vector<Shape> ReadTopoJson(std::string_view bytes, const std::string& file);

// The same with the arcs: each border between two shapes is one arc, which both use.
struct Topology {
  std::vector<std::vector<GeoPoint>> arcs;
  std::vector<Shape> shapes;
  std::vector<std::vector<std::size_t>> arcsOf;  // the arcs of each shape, by their numbers
};
Topology ReadTopology(std::string_view bytes, const std::string& file);

// A GeoJSON Feature or FeatureCollection of Polygons and MultiPolygons; the id from the
// property named.
std::vector<Shape> ReadGeoJson(std::string_view bytes, const std::string& file, std::string_view idProperty);

// The shapes by their boxes, for the shape that holds a point.
class ShapeIndex {
 public:
  explicit ShapeIndex(const std::vector<Shape>& shapes);
  // The shapes that hold the point (several where they lie on top of each other, as Vienna's
  // districts on Vienna).
  std::vector<const Shape*> Holding(GeoPoint p) const;
  const Shape* Find(std::string_view id) const;

 private:
  const std::vector<Shape>& shapes_;
};

// The great-circle distance of two points, in km.
double DistanceKm(GeoPoint a, GeoPoint b);

}  // namespace veldaris::import
