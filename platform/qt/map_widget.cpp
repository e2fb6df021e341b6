#include "platform/qt/map_widget.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainterPath>
#include <QPolygonF>
#include <QStyleOptionFocusRect>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>
#include <map>
#include <tuple>

#include "platform/qt/qt_text.h"
#include "stammbaum/tree_events.h"

namespace veldaris {
namespace {

using Pixel = places::MapView::Pixel;

QColor ColourOf(const places::MapColour& c) { return QColor(c.r, c.g, c.b); }


QPolygonF Polygon(std::span<const Pixel> points) {
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const Pixel& p : points) polygon.append(QPointF(p.x, p.y));
  return polygon;
}

class QtMapPainter : public places::MapPainter {
 public:
  QtMapPainter(QPainter& painter, const places::MapView& view) : painter_(painter), view_(view) {}
  void Background(places::MapStyle style) override {
    painter_.fillRect(QRectF(0, 0, view_.width(), view_.height()), ColourOf(*places::LookOf(style).fill));
  }
  void Area(std::span<const Pixel> points, std::span<const std::uint32_t> parts, places::MapStyle style) override {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    std::size_t at = 0;
    for (std::uint32_t size : parts) {
      path.addPolygon(Polygon(points.subspan(at, size)));
      path.closeSubpath();
      at += size;
    }
    painter_.fillPath(path, ColourOf(*places::LookOf(style).fill));
  }
  void Line(std::span<const Pixel> points, places::MapStyle style) override {
    const places::MapLook& look = places::LookOf(style);
    QPen pen(ColourOf(*look.line), look.width, look.dashed ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPolyline(Polygon(points));
  }
  // A dot is a picture of it drawn once for its look and size (in half pixels) and then only
  // copied: tens of thousands of them in a frame.
  void Dot(Pixel centre, double radius, places::MapStyle style, std::size_t) override {
    const QImage& sprite = SpriteOf(style, radius);
    const double half = sprite.width() / sprite.devicePixelRatio() / 2;
    painter_.drawImage(QPointF(std::round(centre.x - half), std::round(centre.y - half)), sprite);
  }
  void Label(Pixel at, std::string_view text, places::MapStyle style) override {
    QFont font = painter_.font();
    font.setPointSizeF(style == places::MapStyle::kCredits ? 7 : 9);
    painter_.setFont(font);
    const QString shown = FromUtf8(text);
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(shown);
    QRectF box = style == places::MapStyle::kCredits
                     ? QRectF(at.x - 2, at.y - metrics.ascent() - 1, width + 4, metrics.height() + 2)
                     : QRectF(at.x - width / 2, at.y - metrics.height() / 2, width, metrics.height());
    if (style == places::MapStyle::kCredits) painter_.fillRect(box, QColor(255, 255, 255, 200));
    painter_.setPen(ColourOf(*places::LookOf(style).line));
    painter_.drawText(box, Qt::AlignCenter, shown);
  }

 private:
  const QImage& SpriteOf(places::MapStyle style, double radius) {
    const qreal ratio = painter_.device() ? painter_.device()->devicePixelRatioF() : 1.0;
    const int halves = static_cast<int>(std::lround(radius * 2));
    const auto key = std::make_tuple(static_cast<int>(style), halves, static_cast<int>(std::lround(ratio * 100)));
    static std::map<std::tuple<int, int, int>, QImage> sprites;
    auto at = sprites.find(key);
    if (at != sprites.end()) return at->second;
    const places::MapLook& look = places::LookOf(style);
    const double r = halves / 2.0;
    const int side = static_cast<int>(std::ceil(2 * r + look.width + 2));
    QImage sprite(static_cast<int>(std::ceil(side * ratio)), static_cast<int>(std::ceil(side * ratio)),
                  QImage::Format_ARGB32_Premultiplied);
    sprite.setDevicePixelRatio(ratio);
    sprite.fill(Qt::transparent);
    {
      QPainter p(&sprite);
      p.setRenderHint(QPainter::Antialiasing, true);
      QColor fill = ColourOf(*look.fill);
      fill.setAlphaF(style == places::MapStyle::kDotSelected ? 1.0f : 0.8f);
      p.setPen(QPen(ColourOf(*look.line), look.width));
      p.setBrush(fill);
      p.drawEllipse(QPointF(side / 2.0, side / 2.0), r, r);
    }
    return sprites.emplace(key, std::move(sprite)).first->second;
  }

  QPainter& painter_;
  const places::MapView& view_;
};

}  // namespace

void PaintMap(QPainter& painter, const places::MapScene& scene) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  QtMapPainter drawn(painter, scene.view);
  places::DrawMap(scene, drawn);
}

MapWidget::MapWidget(tree::TreeWindow& model, std::function<void(const std::function<void()>&)> dispatch, QWidget* parent)
    : QWidget(parent), model_(model), dispatch_(std::move(dispatch)) {
  setMouseTracking(false);
  setCursor(Qt::OpenHandCursor);
}

bool MapWidget::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const std::string tip = tree::MapTip(model_, help->pos().x(), help->pos().y());
    if (tip.empty()) {
      QToolTip::hideText();
      event->ignore();
    } else {
      QToolTip::showText(help->globalPos(), FromUtf8(tip), this);
    }
    return true;
  }
  return QWidget::event(event);
}

void MapWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintMap(painter, model_.Scene());
  if (hasFocus()) {
    // The keyboard's focus, as the other controls show it.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
  }
}

void MapWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  dispatch_([&] { tree::OnMapSize(model_, width(), height()); });
}

void MapWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  setFocus(Qt::MouseFocusReason);
  pressed_ = last_ = event->position().toPoint();
  pressing_ = true;
  dragging_ = false;
}

void MapWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!pressing_) return;
  const QPoint now = event->position().toPoint();
  // A few pixels are a shaky click, not a drag.
  if (!dragging_ && (now - pressed_).manhattanLength() > 3) {
    dragging_ = true;
    setCursor(Qt::ClosedHandCursor);
  }
  if (!dragging_) return;
  const QPoint moved = now - last_;
  last_ = now;
  dispatch_([&] { tree::OnMapDrag(model_, moved.x(), moved.y()); });
}

void MapWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressing_) return QWidget::mouseReleaseEvent(event);
  pressing_ = false;
  setCursor(Qt::OpenHandCursor);
  if (!dragging_) {
    const QPointF at = event->position();
    dispatch_([&] { tree::OnMapClick(model_, at.x(), at.y()); });
  }
  dragging_ = false;
}

void MapWidget::wheelEvent(QWheelEvent* event) {
  const double notches = event->angleDelta().y() / 120.0;
  const QPointF at = event->position();
  if (notches != 0) dispatch_([&] { tree::OnMapWheel(model_, at.x(), at.y(), notches); });
  event->accept();
}

void MapWidget::keyPressEvent(QKeyEvent* event) {
  std::optional<tree::MapKey> key;
  switch (event->key()) {
    case Qt::Key_Plus: case Qt::Key_Equal: key = tree::MapKey::kZoomIn; break;
    case Qt::Key_Minus: key = tree::MapKey::kZoomOut; break;
    case Qt::Key_Left: key = tree::MapKey::kLeft; break;
    case Qt::Key_Right: key = tree::MapKey::kRight; break;
    case Qt::Key_Up: key = tree::MapKey::kUp; break;
    case Qt::Key_Down: key = tree::MapKey::kDown; break;
    case Qt::Key_Home: key = tree::MapKey::kAll; break;
    default: return QWidget::keyPressEvent(event);
  }
  dispatch_([&] { tree::OnMapKey(model_, *key); });
  event->accept();
}

}  // namespace veldaris
