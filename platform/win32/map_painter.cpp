#include "platform/win32/map_painter.h"

#include <cmath>
#include <string>

#include "core/text1252.h"

namespace veldaris {
namespace {

using places::MapStyle;
using Pixel = places::MapView::Pixel;

COLORREF Colour(const places::MapColour& c) { return RGB(c.r, c.g, c.b); }

POINT Point(const Pixel& p) { return {static_cast<LONG>(std::lround(p.x)), static_cast<LONG>(std::lround(p.y))}; }

class GdiMapPainter : public places::MapPainter {
 public:
  GdiMapPainter(HDC dc, const places::MapView& view, HFONT font, int dpi) : dc_(dc), view_(view) {
    LOGFONTW base{};
    GetObjectW(font, sizeof base, &base);
    for (auto [font_, points] : {std::pair{&names_, 9}, std::pair{&credits_, 7}}) {
      LOGFONTW f = base;
      f.lfHeight = -MulDiv(points, dpi, 72);
      *font_ = CreateFontIndirectW(&f);
    }
    SetBkMode(dc_, TRANSPARENT);
    SetPolyFillMode(dc_, ALTERNATE);
  }
  ~GdiMapPainter() override {
    DeleteObject(names_);
    DeleteObject(credits_);
  }
  GdiMapPainter(const GdiMapPainter&) = delete;
  GdiMapPainter& operator=(const GdiMapPainter&) = delete;

  void Background(MapStyle style) override {
    RECT all{0, 0, view_.width(), view_.height()};
    HBRUSH brush = CreateSolidBrush(Colour(*places::LookOf(style).fill));
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }
  void Area(std::span<const Pixel> points, std::span<const std::uint32_t> parts, MapStyle style) override {
    points_.clear();
    for (const Pixel& p : points) points_.push_back(Point(p));
    counts_.assign(parts.begin(), parts.end());
    HBRUSH brush = CreateSolidBrush(Colour(*places::LookOf(style).fill));
    HGDIOBJ oldBrush = SelectObject(dc_, brush), oldPen = SelectObject(dc_, GetStockObject(NULL_PEN));
    std::vector<INT> counts(counts_.begin(), counts_.end());
    PolyPolygon(dc_, points_.data(), counts.data(), static_cast<int>(counts.size()));
    SelectObject(dc_, oldBrush);
    SelectObject(dc_, oldPen);
    DeleteObject(brush);
  }
  void Line(std::span<const Pixel> points, MapStyle style) override {
    points_.clear();
    for (const Pixel& p : points) points_.push_back(Point(p));
    HPEN pen = PenOf(places::LookOf(style));
    HGDIOBJ old = SelectObject(dc_, pen);
    Polyline(dc_, points_.data(), static_cast<int>(points_.size()));
    SelectObject(dc_, old);
    DeleteObject(pen);
  }
  void Dot(Pixel centre, double radius, MapStyle style, std::size_t) override {
    const places::MapLook& look = places::LookOf(style);
    HBRUSH brush = CreateSolidBrush(Colour(*look.fill));
    HPEN pen = PenOf(look);
    HGDIOBJ oldBrush = SelectObject(dc_, brush), oldPen = SelectObject(dc_, pen);
    const auto at = [](double v) { return static_cast<int>(std::lround(v)); };
    Ellipse(dc_, at(centre.x - radius), at(centre.y - radius), at(centre.x + radius) + 1, at(centre.y + radius) + 1);
    SelectObject(dc_, oldBrush);
    SelectObject(dc_, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
  }
  void Label(Pixel at, std::string_view text, MapStyle style) override {
    const bool credits = style == MapStyle::kCredits;
    const std::wstring shown = Utf8ToWide(text);
    HGDIOBJ old = SelectObject(dc_, credits ? credits_ : names_);
    SIZE size{};
    GetTextExtentPoint32W(dc_, shown.c_str(), static_cast<int>(shown.size()), &size);
    const POINT p = Point(at);
    RECT box = credits ? RECT{p.x - 2, p.y - size.cy, p.x + size.cx + 2, p.y + 2}
                       : RECT{p.x - size.cx / 2, p.y - size.cy / 2, p.x + size.cx - size.cx / 2, p.y + size.cy - size.cy / 2};
    if (credits) {
      HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
      FillRect(dc_, &box, white);
      DeleteObject(white);
    }
    SetTextColor(dc_, Colour(*places::LookOf(style).line));
    DrawTextW(dc_, shown.c_str(), static_cast<int>(shown.size()), &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc_, old);
  }

 private:
  HPEN PenOf(const places::MapLook& look) const {
    const int width = std::max(1, static_cast<int>(std::lround(look.width)));
    LOGBRUSH brush{BS_SOLID, Colour(*look.line), 0};
    return ExtCreatePen(static_cast<DWORD>(PS_GEOMETRIC | (look.dashed ? PS_DASH : PS_SOLID) | PS_ENDCAP_ROUND | PS_JOIN_ROUND),
                        static_cast<DWORD>(width), &brush, 0, nullptr);
  }
  HDC dc_;
  const places::MapView& view_;
  HFONT names_ = nullptr, credits_ = nullptr;
  std::vector<POINT> points_;
  std::vector<std::uint32_t> counts_;
};

}  // namespace

void PaintMap(HDC dc, const places::MapScene& scene, HFONT font, int dpi) {
  GdiMapPainter painter(dc, scene.view, font, dpi);
  places::DrawMap(scene, painter);
}

std::vector<std::uint8_t> RenderMapPixels(const places::MapScene& scene, HFONT font, int dpi) {
  const int width = scene.view.width(), height = scene.view.height();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::vector<std::uint8_t> rgb;
  if (bitmap && bits) {
    HGDIOBJ old = SelectObject(dc, bitmap);
    PaintMap(dc, scene, font, dpi);
    GdiFlush();
    const auto* bgra = static_cast<const std::uint8_t*>(bits);
    rgb.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    for (std::size_t k = 0; k < static_cast<std::size_t>(width) * static_cast<std::size_t>(height); ++k) {
      rgb.push_back(bgra[4 * k + 2]);
      rgb.push_back(bgra[4 * k + 1]);
      rgb.push_back(bgra[4 * k]);
    }
    SelectObject(dc, old);
  }
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(dc);
  return rgb;
}

}  // namespace veldaris
