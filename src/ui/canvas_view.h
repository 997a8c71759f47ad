#pragma once
// Shows a bitmap at its own size without copying it: the visible part is
// painted straight from the bitmap's rows. Reports mouse presses and moves
// in bitmap coordinates.
#include <QWidget>
#include <functional>

#include "graphics/bitmap.h"

namespace ui {

class TCanvasView : public QWidget {
  Q_OBJECT
 public:
  explicit TCanvasView(QWidget* parent);
  // The bitmap must outlive the view or be replaced; nullptr shows nothing.
  void SetBitmap(const graphics::Bitmap* bitmap);
  // Takes the bitmap's current size (call after the bitmap was resized).
  void FitToBitmap();

  // button pressed, buttons held (the pressed one included), point.
  std::function<void(Qt::MouseButton, Qt::MouseButtons, int, int)> OnMouseDown;
  std::function<void(int, int)> OnMouseMove;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;

 private:
  const graphics::Bitmap* bitmap_ = nullptr;
};

}  // namespace ui
