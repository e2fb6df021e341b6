#include "places/tree_map.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <tuple>

#include "places/coordinates.h"

namespace veldaris::places {
namespace {

using Pixel = MapView::Pixel;

std::string Colour(const MapColour& c) {
  static const char digits[] = "0123456789abcdef";
  std::string out = "#";
  for (std::uint8_t v : {c.r, c.g, c.b}) {
    out.push_back(digits[v >> 4]);
    out.push_back(digits[v & 15]);
  }
  return out;
}

// A number with one decimal, whatever the locale.
void Number(std::string& out, double v) {
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, std::round(v * 10) / 10, std::chars_format::fixed, 1);
  out.append(buffer, error == std::errc() ? end : buffer);
}

void Escaped(std::string& out, std::string_view text) {
  for (char c : text) switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out.push_back(c);
    }
}

class SvgPainter : public MapPainter {
 public:
  SvgPainter(std::string& out, const MapView& view, std::span<const std::string> titles)
      : out_(out), view_(view), titles_(titles) {}
  void Background(MapStyle style) override {
    out_ += "<rect width=\"" + std::to_string(view_.width()) + "\" height=\"" + std::to_string(view_.height()) +
            "\" fill=\"" + Colour(*LookOf(style).fill) + "\"/>\n";
  }
  void Area(std::span<const Pixel> points, std::span<const std::uint32_t> parts, MapStyle style) override {
    out_ += "<path fill-rule=\"evenodd\" fill=\"" + Colour(*LookOf(style).fill) + "\" d=\"";
    std::size_t at = 0;
    for (std::uint32_t size : parts) {
      Path(points.subspan(at, size));
      out_ += 'Z';
      at += size;
    }
    out_ += "\"/>\n";
  }
  void Line(std::span<const Pixel> points, MapStyle style) override {
    const MapLook& look = LookOf(style);
    out_ += "<path fill=\"none\" stroke-linejoin=\"round\" stroke=\"" + Colour(*look.line) + "\" stroke-width=\"";
    Number(out_, look.width);
    out_ += look.dashed ? "\" stroke-dasharray=\"6 3\" d=\"" : "\" d=\"";
    Path(points);
    out_ += "\"/>\n";
  }
  void Dot(Pixel centre, double radius, MapStyle style, std::size_t dot) override {
    const MapLook& look = LookOf(style);
    out_ += "<circle cx=\"";
    Number(out_, centre.x);
    out_ += "\" cy=\"";
    Number(out_, centre.y);
    out_ += "\" r=\"";
    Number(out_, radius);
    out_ += "\" fill=\"" + Colour(*look.fill) + "\" fill-opacity=\"0.8\" stroke=\"" + Colour(*look.line) + "\" stroke-width=\"";
    Number(out_, look.width);
    out_ += "\"><title>";
    if (dot < titles_.size()) Escaped(out_, titles_[dot]);
    out_ += "</title></circle>\n";
  }
  void Label(Pixel at, std::string_view text, MapStyle style) override {
    const bool credits = style == MapStyle::kCredits;
    if (credits) {
      // A light band behind the credits, about as long as they are (5.5 pixels a letter).
      out_ += "<rect fill=\"#ffffff\" fill-opacity=\"0.8\" x=\"";
      Number(out_, at.x - 2);
      out_ += "\" y=\"";
      Number(out_, at.y - 10);
      out_ += "\" width=\"";
      Number(out_, static_cast<double>(text.size()) * 5.5 + 4);
      out_ += "\" height=\"13\"/>\n";
    }
    out_ += "<text font-family=\"sans-serif\" font-size=\"";
    out_ += credits ? "10" : "12";
    out_ += credits ? "\" text-anchor=\"start\"" : "\" text-anchor=\"middle\"";
    out_ += " fill=\"" + Colour(*LookOf(style).line) + "\" x=\"";
    Number(out_, at.x);
    out_ += "\" y=\"";
    Number(out_, at.y);
    out_ += "\">";
    Escaped(out_, text);
    out_ += "</text>\n";
  }

 private:
  void Path(std::span<const Pixel> points) {
    for (std::size_t k = 0; k < points.size(); ++k) {
      out_ += k == 0 ? 'M' : 'L';
      Number(out_, points[k].x);
      out_ += ' ';
      Number(out_, points[k].y);
    }
  }
  std::string& out_;
  const MapView& view_;
  std::span<const std::string> titles_;
};

}  // namespace

const Candidate* PlacedCandidate(const CheckedPlace& place, const Choices& choices) {
  if (const auto chosen = choices.find(place.value); chosen != choices.end()) {
    for (const Candidate& c : place.resolution.Open())
      if (c.placeString == chosen->second) return &c;
    return nullptr;
  }
  return place.resolution.Place();
}

std::vector<MapDot> PlaceDots(std::span<const CheckedPlace> places, const Choices& choices) {
  std::vector<MapDot> dots;
  for (std::size_t k = 0; k < places.size(); ++k) {
    const Candidate* c = PlacedCandidate(places[k], choices);
    if (!c || !c->coordinates) continue;
    const auto lat = DegreesOf(c->coordinates->latitude, 90), lon = DegreesOf(c->coordinates->longitude, 180);
    if (!lat || !lon) continue;
    dots.push_back({ToLambert(*lat, *lon), places[k].uses, k, !c->country.code.empty() && !c->country.IsAustria()});
  }
  OrderForDrawing(dots);
  return dots;
}

std::string DotTitle(const CheckedPlace& place, const Choices& choices) {
  const Candidate* c = PlacedCandidate(place, choices);
  return place.value + "\n" + (c ? c->placeString : std::string()) + "\n" + std::to_string(place.uses) +
         (place.uses == 1 ? " Datensatz" : " Datensätze");
}

std::string MapSvg(const MapScene& scene, std::span<const std::string> titles) {
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                    std::to_string(scene.view.width()) + "\" height=\"" + std::to_string(scene.view.height()) +
                    "\" viewBox=\"0 0 " + std::to_string(scene.view.width()) + " " + std::to_string(scene.view.height()) +
                    "\">\n<title>Orte des Stammbaums</title>\n";
  SvgPainter painter(out, scene.view, titles);
  DrawMap(scene, painter);
  out += "</svg>\n";
  return out;
}

std::string TreeMapSvg(const MapData* data, std::span<const CheckedPlace> places, const Choices& choices,
                       bool lands1910, int width) {
  const std::vector<MapDot> dots = PlaceDots(places, choices);
  MapPoint low = data ? data->austriaLow : ToLambert(46.37, 9.53), high = data ? data->austriaHigh : ToLambert(49.02, 17.16);
  if (const auto box = DotsBox(dots)) std::tie(low, high) = *box;
  // The picture as wide as asked, as high as the extent needs (between a third and the same).
  const double aspect = std::clamp((high.y - low.y) / std::max(high.x - low.x, 1.0), 1.0 / 3, 1.0);
  MapScene scene{data, {}, dots, std::nullopt, lands1910};
  scene.view.SetSize(width, static_cast<int>(std::lround(width * aspect)) + 40);
  scene.view.Fit(low, high);
  std::vector<std::string> titles;
  titles.reserve(dots.size());
  for (const MapDot& d : dots) titles.push_back(DotTitle(places[d.item], choices));
  return MapSvg(scene, titles);
}

}  // namespace veldaris::places
