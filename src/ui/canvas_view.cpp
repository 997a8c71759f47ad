#include "ui/canvas_view.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "ui/guard.h"

namespace ui {

TCanvasView::TCanvasView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent, true);
}

void TCanvasView::SetBitmap(const graphics::Bitmap* bitmap) {
  bitmap_ = bitmap;
  FitToBitmap();
}

void TCanvasView::FitToBitmap() {
  const int w = bitmap_ ? bitmap_->Width() : 0;
  const int h = bitmap_ ? bitmap_->Height() : 0;
  setFixedSize(w, h);
  update();
}

void TCanvasView::paintEvent(QPaintEvent* e) {
  QPainter painter(this);
  const QRect want = e->rect();
  if (!bitmap_ || bitmap_->Empty()) {
    painter.fillRect(want, Qt::white);
    return;
  }
  const QRect part = want.intersected(QRect(0, 0, bitmap_->Width(), bitmap_->Height()));
  if (!part.isEmpty()) {
    // Wrap only the rows in view: the pixels are already 0xFFRRGGBB.
    const uchar* first = reinterpret_cast<const uchar*>(bitmap_->Scanline(part.top()));
    const qsizetype stride = static_cast<qsizetype>(bitmap_->Width()) * 4;
    const QImage rows(first, bitmap_->Width(), part.height(), stride, QImage::Format_RGB32);
    painter.drawImage(part.topLeft(), rows, QRect(part.left(), 0, part.width(), part.height()));
  }
  // Whatever lies beyond a bitmap that shrank since the last fit.
  QRegion rest(want);
  rest -= part;
  for (const QRect& r : rest) painter.fillRect(r, Qt::white);
}

void TCanvasView::mousePressEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  if (OnMouseDown) {
    const Qt::MouseButton b = e->button();
    const Qt::MouseButtons held = e->buttons() | b;
    Guard([this, b, held, p] { OnMouseDown(b, held, p.x(), p.y()); });
  }
  e->accept();
}

void TCanvasView::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  if (OnMouseMove) Guard([this, p] { OnMouseMove(p.x(), p.y()); });
  e->accept();
}

}  // namespace ui
