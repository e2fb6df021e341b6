// The map of a family tree's places: today's borders (Austria's states and the countries around
// it) and the crown lands of 1910 from the map file beside the data file, in ETRS89 / Austria
// Lambert (EPSG:3416); a view of it in pixels; one dot for each value placed; and one drawing
// of it all for every face: the Qt and the Win32 window paint it through a MapPainter, the SVG
// writer (places/map_svg.h) writes it. No window system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veldaris::places {

// Metres east and north in ETRS89 / Austria Lambert (EPSG:3416): Lambert's conformal conic
// projection of GRS 80, standard parallels 49° and 46°, origin 47.5° N 13°20' E at 400 km east
// and 400 km north. WGS 84 and ETRS89 differ by less than a metre here.
struct MapPoint {
  double x = 0, y = 0;
};
MapPoint ToLambert(double latitude, double longitude);

// What a shape of the map shows, in the order it is drawn.
enum class MapLayer : std::uint8_t {
  kCountries,      // today's countries, areas
  kStates,         // Austria's nine states, areas
  kBorders,        // the countries' borders and coasts, Austria's border left to kAustriaBorder
  kStateBorders,   // between two of Austria's states
  kAustriaBorder,  // Austria's border
  kLands1910,      // the crown lands and lands of Austria-Hungary in 1910, lines with a name
  kCount
};

struct MapShape {
  MapLayer layer = MapLayer::kCountries;
  std::string name;  // UTF-8; of a land of 1910 written at `label`
  std::vector<std::uint32_t> parts;  // how many points each ring (of an area) or line has
  std::vector<MapPoint> points;
  MapPoint label;
  MapPoint low, high;  // the box around it

  bool IsArea() const { return layer == MapLayer::kCountries || layer == MapLayer::kStates; }
  void Extend();  // low and high from the points
};

// The map file beside the data file (orte-7sp.karte).
std::filesystem::path MapFileOf(const std::filesystem::path& dataFile);

class MapData {
 public:
  // The bytes of a map file; nothing, with the reason (UTF-8), where they are not one.
  static std::optional<MapData> Parse(std::string_view bytes, std::string& error);
  // The bytes of a map file of these shapes, points rounded to 10 m.
  static std::string Format(const std::vector<MapShape>& shapes);

  std::vector<MapShape> shapes;
  MapPoint austriaLow, austriaHigh;  // the box of Austria's states
};

// Where the map's borders come from, as their licences ask it to be said: today's, and the
// crown lands' where they are shown.
constexpr const char* kMapCredits = "Grenzen: Flooh Perlot nach Statistik Austria, CC BY 4.0; Natural Earth";
constexpr const char* kMapCredits1910 = "Kronländer 1910: HistoGIS (ACDH-CH, ÖAW), CC BY 4.0";

// A window onto the map: its size in pixels, the point at its middle, and how many metres a
// pixel spans.
class MapView {
 public:
  struct Pixel {
    double x = 0, y = 0;
  };
  static constexpr double kNearest = 5, kFarthest = 20000;  // metres per pixel

  int width() const { return width_; }
  int height() const { return height_; }
  double metresPerPixel() const { return scale_; }
  MapPoint centre() const { return centre_; }
  // A new size keeps the middle and the scale.
  void SetSize(int width, int height);
  // The whole box in the view, with a margin.
  void Fit(MapPoint low, MapPoint high);
  // Larger (factor above 1) or smaller, the point under the pixel staying where it is.
  void ZoomAbout(Pixel at, double factor);
  // The map moved by so many pixels to the right and down.
  void Pan(double dx, double dy);
  void CentreOn(MapPoint p) { centre_ = p; }

  Pixel ToScreen(MapPoint p) const {
    return {width_ / 2.0 + (p.x - centre_.x) / scale_, height_ / 2.0 - (p.y - centre_.y) / scale_};
  }
  MapPoint ToMap(Pixel p) const {
    return {centre_.x + (p.x - width_ / 2.0) * scale_, centre_.y - (p.y - height_ / 2.0) * scale_};
  }
  bool Shows(MapPoint p) const;

 private:
  int width_ = 0, height_ = 0;
  MapPoint centre_{400000, 400000};
  double scale_ = 1500;
};

// A value of the tree on the map.
struct MapDot {
  MapPoint at;
  std::size_t uses = 0;
  std::size_t item = 0;  // the caller's: which value it is
  bool abroad = false;   // a place of the monarchy outside today's Austria
};

// A dot's radius in pixels: its area grows with the value's uses, up to a limit.
double DotRadius(std::size_t uses);
// Dots in the order they are drawn: the larger first, so that none hides a smaller one.
void OrderForDrawing(std::vector<MapDot>& dots);
// The dot under a pixel, the topmost of those it touches (a few pixels around each count).
std::optional<std::size_t> DotAt(const MapView& view, std::span<const MapDot> dots, MapView::Pixel at);
// The box around the dots; nothing where there are none.
std::optional<std::pair<MapPoint, MapPoint>> DotsBox(std::span<const MapDot> dots);

// The look of each thing drawn, shared by every face.
enum class MapStyle {
  kWater, kCountry, kState, kBorder, kStateBorder, kAustriaBorder, kLand1910, kLandName,
  kDot, kDotAbroad, kDotSelected, kCredits, kCount
};
struct MapColour {
  std::uint8_t r = 0, g = 0, b = 0;
};
struct MapLook {
  std::optional<MapColour> fill;
  std::optional<MapColour> line;
  double width = 1;  // of the line, pixels
  bool dashed = false;
};
const MapLook& LookOf(MapStyle style);

class MapPainter {
 public:
  virtual ~MapPainter() = default;
  // The whole view in one colour.
  virtual void Background(MapStyle style) = 0;
  // An area of rings (holes where they overlap, even-odd); `parts` says how many points each has.
  virtual void Area(std::span<const MapView::Pixel> points, std::span<const std::uint32_t> parts, MapStyle style) = 0;
  virtual void Line(std::span<const MapView::Pixel> points, MapStyle style) = 0;
  // A dot; `dot` is its index among the scene's dots.
  virtual void Dot(MapView::Pixel centre, double radius, MapStyle style, std::size_t dot) = 0;
  // A short text in the middle at a pixel (kLandName) or from its left end (kCredits), UTF-8.
  virtual void Label(MapView::Pixel at, std::string_view text, MapStyle style) = 0;
};

// Everything one picture of the map shows.
struct MapScene {
  const MapData* data = nullptr;  // none: the dots on water alone
  MapView view;
  std::span<const MapDot> dots;
  std::optional<std::size_t> selected;  // a dot drawn over the others, highlighted
  bool lands1910 = false;
};

// Draws the scene: the shapes that reach into the view, each point that falls on the pixel
// of the one before left out, the names of the lands of 1910 that are wide enough on the
// screen to hold them, then the dots, the selected one last, then the credits, a line each.
void DrawMap(const MapScene& scene, MapPainter& painter);

}  // namespace veldaris::places
