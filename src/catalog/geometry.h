#pragma once
// The catalog's arithmetic: size modes, grid positions, thumbnail scaling,
// the selection mark and the window sizing. No window is involved, so all
// of it can be checked directly.
#include "graphics/bitmap.h"

namespace catalog {

struct Geometry {
  int cellPitch;
  int cellSize;
  float thumbBox;
  int columnCount;
};

// The "110" mode (small cells) or the "170" mode.
Geometry GeometryForMode(bool mode110);
// Copies the values into CellPitch, CellSize, ThumbBox and ColumnCount.
void ApplyGeometry(const Geometry& g);

// No catalog entry at the point asked.
inline constexpr int kNoEntry = -255;

// Grid position of a canvas point; kNoEntry for negative points and for the
// white strip right of the last column (which the plain formula would turn
// into the first cell of the next row).
int HitPosition(int x, int y, int cellPitch, int columnCount);

struct Point {
  int x, y;
};
// Top left of the cell of grid position k.
Point CellOrigin(int k, int cellPitch, int columnCount);

// The red mark under the cell whose origin is (x, y).
graphics::Rect MarkRect(int x, int y, int cellPitch);

// Where a picture of the given size goes inside its cell.
struct ThumbPlacement {
  float scale;  // held as a 32-bit float
  int w, h;     // scaled size, truncated
  int offX, offY;
  graphics::Rect draw;  // the stretch rectangle inside the cell
};
ThumbPlacement PlaceThumbnail(int width, int height, float box);

// Paints one finished cell: silver background, the picture stretched into
// the placement's rectangle. The picture may be a reduced decode of a
// picture whose own size is fullWidth x fullHeight; the rectangle comes
// from the own size.
void PaintCell(graphics::Bitmap& cell, int cellSize, const graphics::Bitmap& picture, int fullWidth,
               int fullHeight, float box);

// The figures the window takes from the system.
struct SystemMetrics {
  int captionHeight;     // title bar
  int frameWidth;        // sizing frame
  int scrollBarExtent;   // width of a vertical scroll bar
  int fullScreenHeight;  // room on the screen for a window's client area
};

struct CanvasLayout {
  int overhead;
  int room;
  int canvasWidth;   // W, also the window's outer width
  int canvasHeight;  // H
  int windowHeight;  // outer height
  bool scrollBar;
  // Canvas rows the window shows at once (all of them without scroll bar).
  int visibleHeight;
};
// count must be at least 1.
CanvasLayout ComputeCanvasLayout(int count, int statusBarHeight, const SystemMetrics& m,
                                 int cellPitch, int columnCount);

}  // namespace catalog
