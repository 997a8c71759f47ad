// The catalog's arithmetic, checked without a window.
#include "catalog/geometry.h"

#include <gtest/gtest.h>

#include "catalog/catlog1.h"

namespace {

using catalog::CanvasLayout;
using catalog::ComputeCanvasLayout;
using catalog::GeometryForMode;
using catalog::HitPosition;
using catalog::kNoEntry;
using catalog::PlaceThumbnail;
using catalog::SystemMetrics;

TEST(CatalogGeometry, TheTwoSizeModes) {
  const catalog::Geometry small = GeometryForMode(true);
  EXPECT_EQ(small.cellPitch, 110);
  EXPECT_EQ(small.cellSize, 106);
  EXPECT_EQ(small.thumbBox, 100.0f);
  EXPECT_EQ(small.columnCount, 8);
  const catalog::Geometry large = GeometryForMode(false);
  EXPECT_EQ(large.cellPitch, 175);
  EXPECT_EQ(large.cellSize, 170);
  EXPECT_EQ(large.thumbBox, 170.0f);
  EXPECT_EQ(large.columnCount, 5);
  catalog::ApplyGeometry(large);
  EXPECT_EQ(CellPitch, 175);
  EXPECT_EQ(CellSize, 170);
  EXPECT_EQ(ThumbBox, 170.0f);
  EXPECT_EQ(ColumnCount, 5);
  catalog::ApplyGeometry(small);
}

TEST(CatalogGeometry, HitPositions) {
  const struct {
    int x, y, pitch, columns, expected;
  } cases[] = {
      {0, 0, 110, 8, 0},
      {105, 105, 110, 8, 0},
      {108, 50, 110, 8, 0},  // the gap right of a cell belongs to it
      {110, 0, 110, 8, 1},
      {50, 108, 110, 8, 0},  // and the gap below it
      {50, 110, 110, 8, 8},
      {879, 0, 110, 8, 7},
      {880, 0, 110, 8, kNoEntry},  // white strip right of the last column
      {885, 230, 110, 8, kNoEntry},
      {174, 174, 175, 5, 0},
      {175 * 4 + 1, 175 * 2, 175, 5, 14},
      {875, 0, 175, 5, kNoEntry},
      {-1, 0, 110, 8, kNoEntry},
      {0, -1, 110, 8, kNoEntry},
      {0, 13749, 110, 8, 124 * 8},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HitPosition(c.x, c.y, c.pitch, c.columns), c.expected) << c.x << "," << c.y;
  }
}

TEST(CatalogGeometry, CellOriginsAndMarks) {
  const struct {
    int k, pitch, columns, x, y;
  } cases[] = {{0, 110, 8, 0, 0}, {7, 110, 8, 770, 0}, {8, 110, 8, 0, 110},
               {13, 175, 5, 525, 350}, {999, 110, 8, 770, 13640}};
  for (const auto& c : cases) {
    const catalog::Point p = catalog::CellOrigin(c.k, c.pitch, c.columns);
    EXPECT_EQ(p.x, c.x) << c.k;
    EXPECT_EQ(p.y, c.y) << c.k;
    EXPECT_EQ(HitPosition(p.x, p.y, c.pitch, c.columns), c.k);
  }
  const graphics::Rect m110 = catalog::MarkRect(220, 110, 110);
  EXPECT_EQ(m110.left, 225);
  EXPECT_EQ(m110.top, 218);
  EXPECT_EQ(m110.right, 320);
  EXPECT_EQ(m110.bottom, 219);
  EXPECT_EQ(m110.right - m110.left, 95);
  const graphics::Rect m170 = catalog::MarkRect(0, 0, 175);
  EXPECT_EQ(m170.right - m170.left, 160);
  EXPECT_EQ(m170.top, 173);
  EXPECT_EQ(m170.bottom - m170.top, 1);
}

TEST(CatalogGeometry, ThumbnailScaleAndRectangle) {
  const struct {
    int width, height;
    float box;
    float scale;
    int w, h, offX, offY;
    graphics::Rect draw;
  } cases[] = {
      // Enlarged.
      {50, 40, 100.0f, 2.0f, 100, 80, 0, 10, {5, 15, 104, 94}},
      // The float quotient leaves the longer side one pixel short.
      {3, 1, 100.0f, 33.333332f, 99, 33, 0, 33, {5, 38, 103, 70}},
      {400, 300, 100.0f, 0.25f, 100, 75, 0, 12, {5, 17, 104, 91}},
      // A square takes the height branch, with the same result.
      {200, 200, 100.0f, 0.5f, 100, 100, 0, 0, {5, 5, 104, 104}},
      {300, 400, 100.0f, 0.25f, 75, 100, 12, 0, {17, 5, 91, 104}},
      // The 170 mode draws up to 174, past the 170-pixel cell.
      {340, 170, 170.0f, 0.5f, 170, 85, 0, 42, {5, 47, 174, 131}},
      // Nothing loaded.
      {0, 0, 100.0f, 1.0f, 0, 0, 50, 50, {55, 55, 54, 54}},
  };
  for (const auto& c : cases) {
    const catalog::ThumbPlacement p = PlaceThumbnail(c.width, c.height, c.box);
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    EXPECT_EQ(p.scale, c.scale);
    EXPECT_EQ(p.w, c.w);
    EXPECT_EQ(p.h, c.h);
    EXPECT_EQ(p.offX, c.offX);
    EXPECT_EQ(p.offY, c.offY);
    EXPECT_EQ(p.draw.left, c.draw.left);
    EXPECT_EQ(p.draw.top, c.draw.top);
    EXPECT_EQ(p.draw.right, c.draw.right);
    EXPECT_EQ(p.draw.bottom, c.draw.bottom);
  }
}

// The cell's pixels: picture inside the rectangle, silver around it.
TEST(CatalogGeometry, PaintedCellPixels) {
  const graphics::Color blue = 0xFF0000;
  const struct {
    int width, height, cellSize;
    float box;
    graphics::Rect inside;
  } cases[] = {
      {50, 40, 106, 100.0f, {5, 15, 104, 94}},
      {3, 1, 106, 100.0f, {5, 38, 103, 70}},
      {400, 300, 106, 100.0f, {5, 17, 104, 91}},
      {200, 200, 106, 100.0f, {5, 5, 104, 104}},
      {340, 170, 170, 170.0f, {5, 47, 170, 131}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    graphics::Bitmap picture(c.width, c.height);
    picture.FillRect({0, 0, c.width, c.height}, blue);
    graphics::Bitmap cell;
    catalog::PaintCell(cell, c.cellSize, picture, c.width, c.height, c.box);
    ASSERT_EQ(cell.Width(), c.cellSize);
    ASSERT_EQ(cell.Height(), c.cellSize);
    int wrong = 0;
    for (int y = 0; y < c.cellSize; ++y) {
      for (int x = 0; x < c.cellSize; ++x) {
        const bool in = x >= c.inside.left && x < c.inside.right && y >= c.inside.top &&
                        y < c.inside.bottom;
        if (cell.PixelColor(x, y) != (in ? blue : 0xC0C0C0)) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0);
  }
  // An empty picture leaves the silver background.
  graphics::Bitmap cell;
  catalog::PaintCell(cell, 106, graphics::Bitmap(), 0, 0, 100.0f);
  EXPECT_EQ(cell.PixelColor(50, 50), 0xC0C0C0u);
  EXPECT_EQ(cell.PixelColor(0, 0), 0xC0C0C0u);
  EXPECT_EQ(cell.PixelColor(105, 105), 0xC0C0C0u);
}

// A reduced decode of a large picture lands in the rectangle of its own size.
TEST(CatalogGeometry, ReducedPictureUsesTheOwnSizeRectangle) {
  graphics::Bitmap reduced(500, 375);
  reduced.FillRect({0, 0, 500, 375}, 0x00FF00);
  graphics::Bitmap cell;
  catalog::PaintCell(cell, 106, reduced, 4000, 3000, 100.0f);
  EXPECT_EQ(cell.PixelColor(5, 17), 0x00FF00u);
  EXPECT_EQ(cell.PixelColor(103, 90), 0x00FF00u);
  EXPECT_EQ(cell.PixelColor(104, 90), 0xC0C0C0u);
  EXPECT_EQ(cell.PixelColor(50, 91), 0xC0C0C0u);
  EXPECT_EQ(cell.PixelColor(50, 16), 0xC0C0C0u);
}

TEST(CatalogGeometry, CanvasLayoutAtTypicalCounts) {
  const SystemMetrics m{20, 4, 17, 1000};  // overhead 82 with a 30-pixel status line, room 918
  const struct {
    int count;
    bool mode110;
    int canvasWidth, canvasHeight, windowHeight;
    bool scrollBar;
  } cases[] = {
      {1, true, 892, 110, 192, false},
      {8, true, 892, 110, 192, false},
      {9, true, 892, 220, 302, false},
      {1000, true, 909, 13750, 8 * 110 + 82, true},
      {1, false, 887, 175, 257, false},
      {5, false, 887, 175, 257, false},
      {6, false, 887, 350, 432, false},
      {1000, false, 904, 35000, 5 * 175 + 82, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.count) + (c.mode110 ? " in 110" : " in 170"));
    const catalog::Geometry g = GeometryForMode(c.mode110);
    const CanvasLayout l = ComputeCanvasLayout(c.count, 30, m, g.cellPitch, g.columnCount);
    EXPECT_EQ(l.overhead, 82);
    EXPECT_EQ(l.room, 918);
    EXPECT_EQ(l.canvasWidth, c.canvasWidth);
    EXPECT_EQ(l.canvasHeight, c.canvasHeight);
    EXPECT_EQ(l.windowHeight, c.windowHeight);
    EXPECT_EQ(l.scrollBar, c.scrollBar);
    EXPECT_EQ(l.visibleHeight % g.cellPitch, 0);
  }
}

TEST(CatalogGeometry, HeightEqualToRoomTakesTheScrollBranch) {
  // 9 entries in the 110 mode: H = 220; room = 302 - 82 = 220.
  const CanvasLayout equal = ComputeCanvasLayout(9, 30, SystemMetrics{20, 4, 17, 302}, 110, 8);
  EXPECT_EQ(equal.room, 220);
  EXPECT_TRUE(equal.scrollBar);
  EXPECT_EQ(equal.canvasWidth, 892 + 17);
  EXPECT_EQ(equal.windowHeight, 302);
  const CanvasLayout below = ComputeCanvasLayout(9, 30, SystemMetrics{20, 4, 17, 303}, 110, 8);
  EXPECT_FALSE(below.scrollBar);
  EXPECT_EQ(below.canvasWidth, 892);
  // A screen too small for a row still shows one.
  const CanvasLayout tiny = ComputeCanvasLayout(9, 30, SystemMetrics{20, 4, 17, 100}, 110, 8);
  EXPECT_TRUE(tiny.scrollBar);
  EXPECT_EQ(tiny.visibleHeight, 110);
}

}  // namespace
