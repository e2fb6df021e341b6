#include "places/map.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numbers>

namespace veldaris::places {
namespace {

constexpr char kMagic[] = "VELDKRT\x01";
constexpr std::size_t kMagicSize = sizeof kMagic - 1;
constexpr double kUnit = 10;  // metres of a stored coordinate
constexpr std::int64_t kFarthest = 1'000'000'000;  // in those units: 10,000 km from the origin
bool Far(std::int64_t v) { return v > kFarthest || v < -kFarthest; }

// GRS 80 and the parameters of EPSG:3416.
struct Lambert {
  double e, n, aF, rF;
  double lon0;
  static double M(double phi, double e) { return std::cos(phi) / std::sqrt(1 - e * e * std::sin(phi) * std::sin(phi)); }
  static double T(double phi, double e) {
    return std::tan(std::numbers::pi / 4 - phi / 2) / std::pow((1 - e * std::sin(phi)) / (1 + e * std::sin(phi)), e / 2);
  }
  Lambert() {
    constexpr double a = 6378137, f = 1 / 298.257222101, rad = std::numbers::pi / 180;
    e = std::sqrt(2 * f - f * f);
    const double phi1 = 49 * rad, phi2 = 46 * rad, phi0 = 47.5 * rad;
    lon0 = (13 + 20.0 / 60) * rad;
    n = (std::log(M(phi1, e)) - std::log(M(phi2, e))) / (std::log(T(phi1, e)) - std::log(T(phi2, e)));
    aF = a * M(phi1, e) / (n * std::pow(T(phi1, e), n));
    rF = aF * std::pow(T(phi0, e), n);
  }
};

void PutU32(std::string& out, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) out.push_back(static_cast<char>((v >> (8 * k)) & 0xFF));
}
void PutVarint(std::string& out, std::int64_t v) {
  auto z = static_cast<std::uint64_t>((v << 1) ^ (v >> 63));
  while (z >= 0x80) {
    out.push_back(static_cast<char>((z & 0x7F) | 0x80));
    z >>= 7;
  }
  out.push_back(static_cast<char>(z));
}
std::int64_t Stored(double metres) { return std::llround(metres / kUnit); }

// Reads the file's bytes from the front; every read checks that the bytes are there.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  bool U8(std::uint32_t& v) {
    if (at_ >= bytes_.size()) return false;
    v = static_cast<unsigned char>(bytes_[at_++]);
    return true;
  }
  bool U32(std::uint32_t& v) {
    if (bytes_.size() - at_ < 4) return false;
    v = 0;
    for (int k = 0; k < 4; ++k) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at_++])) << (8 * k);
    return true;
  }
  bool Varint(std::int64_t& v) {
    std::uint64_t z = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      if (at_ >= bytes_.size()) return false;
      const auto c = static_cast<unsigned char>(bytes_[at_++]);
      z |= static_cast<std::uint64_t>(c & 0x7F) << shift;
      if (!(c & 0x80)) {
        v = static_cast<std::int64_t>(z >> 1) ^ -static_cast<std::int64_t>(z & 1);
        return true;
      }
    }
    return false;
  }
  bool Text(std::size_t size, std::string& text) {
    if (bytes_.size() - at_ < size) return false;
    text.assign(bytes_.substr(at_, size));
    at_ += size;
    return true;
  }
  std::size_t left() const { return bytes_.size() - at_; }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

}  // namespace

MapPoint ToLambert(double latitude, double longitude) {
  static const Lambert l;
  constexpr double rad = std::numbers::pi / 180;
  const double r = l.aF * std::pow(Lambert::T(latitude * rad, l.e), l.n);
  const double theta = l.n * (longitude * rad - l.lon0);
  return {400000 + r * std::sin(theta), 400000 + l.rF - r * std::cos(theta)};
}

void MapShape::Extend() {
  low = {1e300, 1e300};
  high = {-1e300, -1e300};
  for (const MapPoint& p : points) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y)};
  }
}

std::filesystem::path MapFileOf(const std::filesystem::path& dataFile) {
  std::filesystem::path file = dataFile;
  return file.replace_extension(".karte");
}

std::string MapData::Format(const std::vector<MapShape>& shapes) {
  std::string out(kMagic, kMagicSize);
  PutU32(out, static_cast<std::uint32_t>(shapes.size()));
  for (const MapShape& shape : shapes) {
    out.push_back(static_cast<char>(shape.layer));
    PutVarint(out, static_cast<std::int64_t>(shape.name.size()));
    out += shape.name;
    PutVarint(out, Stored(shape.label.x));
    PutVarint(out, Stored(shape.label.y));
    PutVarint(out, static_cast<std::int64_t>(shape.parts.size()));
    for (std::uint32_t part : shape.parts) PutVarint(out, part);
    // Each point as its difference to the one before, in whole 10 m.
    std::int64_t x = 0, y = 0;
    for (const MapPoint& p : shape.points) {
      const std::int64_t px = Stored(p.x), py = Stored(p.y);
      PutVarint(out, px - x);
      PutVarint(out, py - y);
      x = px;
      y = py;
    }
  }
  return out;
}

std::optional<MapData> MapData::Parse(std::string_view bytes, std::string& error) {
  if (bytes.size() < kMagicSize || bytes.substr(0, kMagicSize) != std::string_view(kMagic, kMagicSize)) {
    error = "keine Kartendatei dieser Version";
    return std::nullopt;
  }
  Reader in(bytes.substr(kMagicSize));
  const auto broken = [&](const std::string& why) {
    error = "Kartendatei beschädigt: " + why;
    return std::nullopt;
  };
  std::uint32_t count = 0;
  if (!in.U32(count) || count > in.left()) return broken("Zahl der Formen");
  MapData data;
  data.shapes.reserve(count);
  data.austriaLow = {1e300, 1e300};
  data.austriaHigh = {-1e300, -1e300};
  for (std::uint32_t s = 0; s < count; ++s) {
    MapShape shape;
    std::uint32_t layer = 0;
    std::int64_t nameSize = 0, lx = 0, ly = 0, parts = 0;
    if (!in.U8(layer) || layer >= static_cast<std::uint32_t>(MapLayer::kCount)) return broken("Ebene");
    shape.layer = static_cast<MapLayer>(layer);
    if (!in.Varint(nameSize) || nameSize < 0 || static_cast<std::uint64_t>(nameSize) > in.left() ||
        !in.Text(static_cast<std::size_t>(nameSize), shape.name))
      return broken("Name");
    if (!in.Varint(lx) || !in.Varint(ly) || Far(lx) || Far(ly)) return broken("Beschriftung");
    shape.label = {static_cast<double>(lx) * kUnit, static_cast<double>(ly) * kUnit};
    // Each point takes two bytes at least: counts beyond what is left are no map's.
    if (!in.Varint(parts) || parts < 0 || static_cast<std::uint64_t>(parts) > in.left()) return broken("Zahl der Teile");
    std::uint64_t points = 0;
    for (std::int64_t k = 0; k < parts; ++k) {
      std::int64_t size = 0;
      if (!in.Varint(size) || size < 0 || static_cast<std::uint64_t>(size) > in.left() / 2) return broken("Teil");
      shape.parts.push_back(static_cast<std::uint32_t>(size));
      points += static_cast<std::uint64_t>(size);
    }
    if (points > in.left() / 2) return broken("Zahl der Punkte");
    shape.points.reserve(static_cast<std::size_t>(points));
    std::int64_t x = 0, y = 0;
    for (std::uint64_t k = 0; k < points; ++k) {
      std::int64_t dx = 0, dy = 0;
      if (!in.Varint(dx) || !in.Varint(dy) || Far(dx) || Far(dy)) return broken("Punkte");
      x += dx;
      y += dy;
      if (Far(x) || Far(y)) return broken("Punkte");
      shape.points.push_back({static_cast<double>(x) * kUnit, static_cast<double>(y) * kUnit});
    }
    shape.Extend();
    if (shape.layer == MapLayer::kStates && !shape.points.empty()) {
      data.austriaLow = {std::min(data.austriaLow.x, shape.low.x), std::min(data.austriaLow.y, shape.low.y)};
      data.austriaHigh = {std::max(data.austriaHigh.x, shape.high.x), std::max(data.austriaHigh.y, shape.high.y)};
    }
    data.shapes.push_back(std::move(shape));
  }
  if (in.left() != 0) return broken("Bytes nach der letzten Form");
  if (data.austriaLow.x > data.austriaHigh.x) {
    // No states: the box of Austria as it is.
    data.austriaLow = ToLambert(46.37, 9.53);
    data.austriaHigh = ToLambert(49.02, 17.16);
  }
  return data;
}

void MapView::SetSize(int width, int height) {
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
}

void MapView::Fit(MapPoint low, MapPoint high) {
  centre_ = {(low.x + high.x) / 2, (low.y + high.y) / 2};
  // A tenth of the view around the box, and a single place shown with its surroundings.
  const double wide = std::max(high.x - low.x, 2000.0), tall = std::max(high.y - low.y, 2000.0);
  scale_ = std::clamp(std::max(wide / (width_ * 0.8), tall / (height_ * 0.8)), kNearest, kFarthest);
}

void MapView::ZoomAbout(Pixel at, double factor) {
  if (!(factor > 0)) return;
  const MapPoint fixed = ToMap(at);
  scale_ = std::clamp(scale_ / factor, kNearest, kFarthest);
  // The point under the pixel stays there.
  const MapPoint now = ToMap(at);
  centre_ = {centre_.x + fixed.x - now.x, centre_.y + fixed.y - now.y};
}

void MapView::Pan(double dx, double dy) { centre_ = {centre_.x - dx * scale_, centre_.y + dy * scale_}; }

bool MapView::Shows(MapPoint p) const {
  const Pixel at = ToScreen(p);
  return at.x >= 0 && at.y >= 0 && at.x <= width_ && at.y <= height_;
}

double DotRadius(std::size_t uses) {
  const double u = static_cast<double>(std::max<std::size_t>(uses, 1));
  // The area as the uses up to about two dozen, then only a little more for each tenfold.
  return std::min(2.5 * std::sqrt(u), 10 + 3 * std::log10(u));
}

void OrderForDrawing(std::vector<MapDot>& dots) {
  std::stable_sort(dots.begin(), dots.end(), [](const MapDot& a, const MapDot& b) { return a.uses > b.uses; });
}

std::optional<std::size_t> DotAt(const MapView& view, std::span<const MapDot> dots, MapView::Pixel at) {
  constexpr double kSlack = 3;  // pixels around a dot that still hit it
  for (std::size_t k = dots.size(); k-- > 0;) {
    const MapView::Pixel p = view.ToScreen(dots[k].at);
    const double r = DotRadius(dots[k].uses) + kSlack;
    if ((p.x - at.x) * (p.x - at.x) + (p.y - at.y) * (p.y - at.y) <= r * r) return k;
  }
  return std::nullopt;
}

std::optional<std::pair<MapPoint, MapPoint>> DotsBox(std::span<const MapDot> dots) {
  if (dots.empty()) return std::nullopt;
  MapPoint low = dots.front().at, high = low;
  for (const MapDot& d : dots) {
    low = {std::min(low.x, d.at.x), std::min(low.y, d.at.y)};
    high = {std::max(high.x, d.at.x), std::max(high.y, d.at.y)};
  }
  return std::pair{low, high};
}

const MapLook& LookOf(MapStyle style) {
  static const MapLook looks[] = {
      {MapColour{214, 230, 242}, std::nullopt, 1, false},                 // kWater
      {MapColour{238, 236, 229}, std::nullopt, 1, false},                 // kCountry
      {MapColour{252, 249, 236}, std::nullopt, 1, false},                 // kState
      {std::nullopt, MapColour{150, 150, 150}, 1, false},                 // kBorder
      {std::nullopt, MapColour{175, 165, 140}, 1, false},                 // kStateBorder
      {std::nullopt, MapColour{110, 100, 80}, 2, false},                  // kAustriaBorder
      {std::nullopt, MapColour{185, 60, 60}, 1.2, true},                  // kLand1910
      {std::nullopt, MapColour{150, 40, 40}, 1, false},                   // kLandName
      {MapColour{20, 110, 190}, MapColour{255, 255, 255}, 1, false},      // kDot
      {MapColour{200, 100, 20}, MapColour{255, 255, 255}, 1, false},      // kDotAbroad
      {MapColour{230, 20, 60}, MapColour{0, 0, 0}, 2.5, false},           // kDotSelected
      {std::nullopt, MapColour{90, 90, 90}, 1, false},                    // kCredits
  };
  static_assert(std::size(looks) == static_cast<std::size_t>(MapStyle::kCount));
  return looks[static_cast<std::size_t>(style)];
}

void DrawMap(const MapScene& scene, MapPainter& painter) {
  const MapView& view = scene.view;
  painter.Background(MapStyle::kWater);
  const MapPoint low = view.ToMap({0, static_cast<double>(view.height())});
  const MapPoint high = view.ToMap({static_cast<double>(view.width()), 0});
  std::vector<MapView::Pixel> pixels;
  std::vector<std::uint32_t> parts;
  const auto styleOf = [](MapLayer layer) {
    switch (layer) {
      case MapLayer::kCountries: return MapStyle::kCountry;
      case MapLayer::kStates: return MapStyle::kState;
      case MapLayer::kBorders: return MapStyle::kBorder;
      case MapLayer::kStateBorders: return MapStyle::kStateBorder;
      case MapLayer::kAustriaBorder: return MapStyle::kAustriaBorder;
      case MapLayer::kLands1910: case MapLayer::kCount: break;
    }
    return MapStyle::kLand1910;
  };
  if (scene.data)
    for (const MapShape& shape : scene.data->shapes) {
      if (shape.layer == MapLayer::kLands1910 && !scene.lands1910) continue;
      if (shape.high.x < low.x || shape.low.x > high.x || shape.high.y < low.y || shape.low.y > high.y) continue;
      const bool area = shape.IsArea();
      std::size_t at = 0;
      pixels.clear();
      parts.clear();
      for (std::uint32_t size : shape.parts) {
        const std::size_t first = pixels.size();
        for (std::uint32_t k = 0; k < size; ++k) {
          const MapView::Pixel p = view.ToScreen(shape.points[at + k]);
          // A point on the pixel of the one before adds nothing; a part's last point stays.
          if (pixels.size() > first && k + 1 < size && std::abs(p.x - pixels.back().x) + std::abs(p.y - pixels.back().y) < 0.7)
            continue;
          pixels.push_back(p);
        }
        at += size;
        const std::size_t kept = pixels.size() - first;
        if (kept < (area ? 3u : 2u)) {
          pixels.resize(first);
          continue;
        }
        if (area) parts.push_back(static_cast<std::uint32_t>(kept));
        else painter.Line(std::span(pixels).subspan(first), styleOf(shape.layer));
      }
      if (area && !parts.empty()) painter.Area(pixels, parts, styleOf(shape.layer));
    }
  if (scene.lands1910 && scene.data)
    for (const MapShape& shape : scene.data->shapes)
      if (shape.layer == MapLayer::kLands1910 && view.Shows(shape.label) &&
          (shape.high.x - shape.low.x) / view.metresPerPixel() > 7.0 * static_cast<double>(shape.name.size()))
        painter.Label(view.ToScreen(shape.label), shape.name, MapStyle::kLandName);
  const auto dot = [&](std::size_t k, MapStyle style) {
    const MapView::Pixel p = view.ToScreen(scene.dots[k].at);
    const double r = DotRadius(scene.dots[k].uses);
    if (p.x + r < 0 || p.y + r < 0 || p.x - r > view.width() || p.y - r > view.height()) return;
    painter.Dot(p, style == MapStyle::kDotSelected ? std::max(r, 5.0) : r, style, k);
  };
  for (std::size_t k = 0; k < scene.dots.size(); ++k)
    if (k != scene.selected) dot(k, scene.dots[k].abroad ? MapStyle::kDotAbroad : MapStyle::kDot);
  if (scene.selected && *scene.selected < scene.dots.size()) dot(*scene.selected, MapStyle::kDotSelected);
  painter.Label({6, view.height() - 6.0}, kMapCredits, MapStyle::kCredits);
  if (scene.lands1910) painter.Label({6, view.height() - 18.0}, kMapCredits1910, MapStyle::kCredits);
}

}  // namespace veldaris::places
