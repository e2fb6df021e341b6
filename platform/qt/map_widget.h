// The tree window's map in Qt: the model's scene painted with QPainter, the mouse and the keys
// handed to the map's handlers.
#pragma once

#include <QPainter>
#include <QPoint>
#include <QWidget>
#include <functional>

#include "places/map.h"
#include "stammbaum/tree_window.h"

namespace veldaris {

// The scene, in the view's pixels from the painter's origin.
void PaintMap(QPainter& painter, const places::MapScene& scene);

class MapWidget : public QWidget {
  Q_OBJECT
 public:
  // `dispatch` runs a handler as the window runs every event (and shows the model after it).
  MapWidget(tree::TreeWindow& model, std::function<void(const std::function<void()>&)> dispatch, QWidget* parent);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  tree::TreeWindow& model_;
  std::function<void(const std::function<void()>&)> dispatch_;
  QPoint pressed_, last_;
  bool pressing_ = false, dragging_ = false;
};

}  // namespace veldaris
