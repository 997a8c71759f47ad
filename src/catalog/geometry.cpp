#include "catalog/geometry.h"

#include "catalog/catlog1.h"

namespace catalog {

Geometry GeometryForMode(bool mode110) {
  if (mode110) return Geometry{110, 106, 100.0f, 8};
  return Geometry{175, 170, 170.0f, 5};
}

void ApplyGeometry(const Geometry& g) {
  CellPitch = g.cellPitch;
  CellSize = g.cellSize;
  ThumbBox = g.thumbBox;
  ColumnCount = g.columnCount;
}

int HitPosition(int x, int y, int cellPitch, int columnCount) {
  if (x < 0 || y < 0 || cellPitch <= 0 || columnCount <= 0) return kNoEntry;
  const int column = x / cellPitch;
  if (column >= columnCount) return kNoEntry;
  const long long k = static_cast<long long>(y / cellPitch) * columnCount + column;
  if (k > 0x7FFFFFFF) return kNoEntry;
  return static_cast<int>(k);
}

Point CellOrigin(int k, int cellPitch, int columnCount) {
  return Point{(k % columnCount) * cellPitch, (k / columnCount) * cellPitch};
}

graphics::Rect MarkRect(int x, int y, int cellPitch) {
  return graphics::Rect{x + 5, y + cellPitch - 2, x + cellPitch - 10, y + cellPitch - 1};
}

ThumbPlacement PlaceThumbnail(int width, int height, float box) {
  ThumbPlacement p{};
  // The quotient is kept as a float, but the products are formed at higher
  // precision: 3 x 33.333332f must stay just below 100 and truncate to 99.
  if (width > 0) {
    p.scale = width > height ? static_cast<float>(static_cast<double>(box) / width)
                             : static_cast<float>(static_cast<double>(box) / height);
  } else {
    p.scale = 1.0f;
  }
  p.w = static_cast<int>(static_cast<double>(width) * static_cast<double>(p.scale));
  p.h = static_cast<int>(static_cast<double>(height) * static_cast<double>(p.scale));
  p.offX = static_cast<int>((static_cast<double>(box) - p.w) * 0.5);
  p.offY = static_cast<int>((static_cast<double>(box) - p.h) * 0.5);
  // Right and bottom exclusive: the drawn picture is one pixel short each way.
  p.draw = graphics::Rect{p.offX + 5, p.offY + 5, p.offX + p.w + 4, p.offY + p.h + 4};
  return p;
}

void PaintCell(graphics::Bitmap& cell, int cellSize, const graphics::Bitmap& picture, int fullWidth,
               int fullHeight, float box) {
  cell.SetSize(cellSize, cellSize);
  cell.FillRect(graphics::Rect{0, 0, cellSize, cellSize}, 0xC0C0C0);
  if (picture.Empty() || fullWidth <= 0 || fullHeight <= 0) return;
  const ThumbPlacement p = PlaceThumbnail(fullWidth, fullHeight, box);
  cell.StretchDraw(p.draw, picture);
}

CanvasLayout ComputeCanvasLayout(int count, int statusBarHeight, const SystemMetrics& m,
                                 int cellPitch, int columnCount) {
  CanvasLayout l{};
  l.overhead = 2 * m.captionHeight + statusBarHeight + 12;
  l.room = m.fullScreenHeight - l.overhead;
  l.canvasHeight = ((count - 1) / columnCount + 1) * cellPitch;
  const int columnsWidth = 3 * m.frameWidth + cellPitch * columnCount;
  if (l.canvasHeight < l.room) {
    l.windowHeight = l.canvasHeight + l.overhead;
    l.canvasWidth = columnsWidth;
    l.scrollBar = false;
  } else {
    l.canvasWidth = columnsWidth + m.scrollBarExtent;
    l.scrollBar = true;
    // A screen too small for one row still gets a window showing one.
    const int rows = l.room >= cellPitch ? l.room / cellPitch : 1;
    l.windowHeight = rows * cellPitch + l.overhead;
  }
  l.visibleHeight = l.windowHeight - l.overhead;
  return l;
}

}  // namespace catalog
