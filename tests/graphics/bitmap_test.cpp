#include "graphics/bitmap.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace graphics {

void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

constexpr Color kWhite = 0xFFFFFF, kSilver = 0xC0C0C0, kRed = 0x0000FF, kBlack = 0x000000;

// Bounding box of the pixels of colour c, or {0,0,0,0} when none.
Rect Extent(const Bitmap& b, Color c) {
  Rect r{b.Width(), b.Height(), 0, 0};
  bool any = false;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.PixelColor(x, y) == c) {
        any = true;
        r.left = std::min(r.left, x);
        r.top = std::min(r.top, y);
        r.right = std::max(r.right, x + 1);
        r.bottom = std::max(r.bottom, y + 1);
      }
  return any ? r : Rect{0, 0, 0, 0};
}

int CountColor(const Bitmap& b, Color c) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) n += b.PixelColor(x, y) == c;
  return n;
}

TEST(BitmapTest, NewPixelsAreWhiteAndStoredAsRgb32) {
  Bitmap b;
  EXPECT_TRUE(b.Empty());
  b.SetSize(3, 2);
  EXPECT_FALSE(b.Empty());
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Height(), 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(b.Scanline(y)[x], 0xFFFFFFFFu);
  b.SetPixelColor(1, 1, 0x0000FF);  // red as a colour value
  EXPECT_EQ(b.Scanline(1)[1], 0xFFFF0000u);  // 0xFFRRGGBB in memory
  EXPECT_EQ(b.PixelColor(1, 1), 0x0000FFu);
  b.Scanline(0)[2] = 0xFF123456u;
  EXPECT_EQ(b.PixelColor(2, 0), 0x563412u);
  EXPECT_EQ(b.Bits(), b.Scanline(0));
  EXPECT_EQ(b.Scanline(1), b.Bits() + 3);
}

TEST(BitmapTest, ResizeKeepsOverlapAndWhitensTheRest) {
  Bitmap b(2, 2);
  b.FillRect({0, 0, 2, 2}, kRed);
  b.SetSize(3, 3);
  EXPECT_EQ(Extent(b, kRed), (Rect{0, 0, 2, 2}));
  EXPECT_EQ(CountColor(b, kWhite), 5);
  b.SetSize(1, 1);
  EXPECT_EQ(b.PixelColor(0, 0), kRed);
  b.SetSize(0, 0);
  EXPECT_TRUE(b.Empty());
}

TEST(BitmapTest, FormatTagIsKept) {
  Bitmap b;
  EXPECT_EQ(b.Format(), PixelFormat::Device);
  b.SetFormat(PixelFormat::Bpp15);
  b.SetSize(4, 4);
  EXPECT_EQ(b.Format(), PixelFormat::Bpp15);
}

TEST(BitmapTest, BadAndHugeSizesThrowAndLeaveTheBitmapAlone) {
  Bitmap b(2, 2);
  b.FillRect({0, 0, 1, 1}, kRed);
  const struct { int w, h; } cases[] = {{-1, 5}, {5, -1}, {100000, 100000}, {2147483647, 2147483647}, {70000, 70000}};
  for (const auto& c : cases) {
    EXPECT_THROW(b.SetSize(c.w, c.h), PictureError) << c.w << "x" << c.h;
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.PixelColor(0, 0), kRed);
  }
}

TEST(BitmapTest, TallCatalogCanvasIsAllocated) {
  Bitmap b;
  ASSERT_NO_THROW(b.SetSize(1000, 35000));
  b.FillRect({0, 34990, 1000, 35000}, kRed);
  EXPECT_EQ(b.PixelColor(999, 34999), kRed);
  EXPECT_EQ(b.PixelColor(0, 34989), kWhite);
}

TEST(BitmapTest, FillRectIsExactAndClipped) {
  struct Case {
    Rect r;
    Rect expected;
  } cases[] = {
      {{5, 15, 104, 94}, {5, 15, 104, 94}},
      {{-10, -10, 3, 2}, {0, 0, 3, 2}},
      {{100, 100, 200, 200}, {100, 100, 110, 110}},
      {{7, 7, 7, 9}, {0, 0, 0, 0}},  // zero width
      {{9, 9, 3, 3}, {0, 0, 0, 0}},  // inverted
  };
  for (const Case& c : cases) {
    Bitmap b(110, 110);
    b.FillRect(c.r, kSilver);
    EXPECT_EQ(Extent(b, kSilver), c.expected);
    const Rect e = c.expected;
    EXPECT_EQ(CountColor(b, kSilver), (e.right - e.left) * (e.bottom - e.top));
  }
}

TEST(BitmapTest, DrawCopiesWithClipping) {
  Bitmap src(3, 2);
  src.FillRect({0, 0, 3, 2}, kRed);
  src.SetPixelColor(2, 1, kBlack);
  Bitmap dst(4, 4);
  dst.Draw(2, 3, src);
  EXPECT_EQ(Extent(dst, kRed), (Rect{2, 3, 4, 4}));
  dst.Draw(-2, -1, src);  // only src (2,1) lands, on (0,0)
  EXPECT_EQ(dst.PixelColor(0, 0), kBlack);
  EXPECT_EQ(dst.PixelColor(1, 0), kWhite);
  Bitmap empty;
  dst.Draw(0, 0, empty);
  EXPECT_EQ(dst.PixelColor(0, 0), kBlack);
}

TEST(BitmapTest, StretchShrinkAveragesAreas) {
  Bitmap checker(2, 2);
  checker.SetPixelColor(0, 0, kBlack);
  checker.SetPixelColor(1, 1, kBlack);  // the other two stay white
  Bitmap dst(1, 1);
  dst.StretchDraw({0, 0, 1, 1}, checker);
  const Color c = dst.PixelColor(0, 0);
  for (int shift : {0, 8, 16}) {
    const int v = static_cast<int>((c >> shift) & 0xFF);
    EXPECT_NEAR(v, 128, 1);
  }
}

TEST(BitmapTest, StretchShrinkOfFineStripesDoesNotAlias) {
  // One-pixel stripes shrunk by 10: every output pixel is the mean, grey,
  // where point sampling would give pure black or white.
  Bitmap stripes(200, 20);
  for (int x = 0; x < 200; x += 2) stripes.FillRect({x, 0, x + 1, 20}, kBlack);
  Bitmap dst(20, 2);
  dst.StretchDraw({0, 0, 20, 2}, stripes);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 20; ++x) EXPECT_NEAR(static_cast<int>(dst.PixelColor(x, y) & 0xFF), 128, 1);
}

TEST(BitmapTest, StretchShrinkByNonIntegerFactorKeepsMean) {
  Bitmap src(7, 1);
  const int values[7] = {0, 30, 60, 90, 120, 150, 210};
  for (int x = 0; x < 7; ++x) src.SetPixelColor(x, 0, values[x] * 0x010101u);
  Bitmap dst(3, 1);
  dst.StretchDraw({0, 0, 3, 1}, src);
  // The first output covers source 0..2.333: (0 + 30 + 60/3) / 2.333.
  EXPECT_NEAR(static_cast<int>(dst.PixelColor(0, 0) & 0xFF), 21, 1);
  double sum = 0;
  for (int x = 0; x < 3; ++x) sum += dst.PixelColor(x, 0) & 0xFF;
  EXPECT_NEAR(sum / 3, (0 + 30 + 60 + 90 + 120 + 150 + 210) / 7.0, 1.0);
}

TEST(BitmapTest, StretchEnlargeIsSmoothAndKeepsCorners) {
  Bitmap src(2, 1);
  src.SetPixelColor(0, 0, kBlack);
  src.SetPixelColor(1, 0, kWhite);
  Bitmap dst(8, 1);
  dst.StretchDraw({0, 0, 8, 1}, src);
  int prev = -1;
  for (int x = 0; x < 8; ++x) {
    const int v = static_cast<int>(dst.PixelColor(x, 0) & 0xFF);
    EXPECT_GE(v, prev) << x;
    prev = v;
  }
  EXPECT_EQ(dst.PixelColor(0, 0), kBlack);
  EXPECT_EQ(dst.PixelColor(7, 0), kWhite);
  EXPECT_GT(dst.PixelColor(4, 0) & 0xFF, 0u);
  EXPECT_LT(dst.PixelColor(4, 0) & 0xFF, 255u);
}

TEST(BitmapTest, StretchFillsExactlyTheRectangle) {
  // The catalog draws a 50 x 40 picture into (5, 15, 104, 94) of a cell.
  Bitmap pic(50, 40);
  pic.FillRect({0, 0, 50, 40}, kRed);
  struct Case {
    int cell;
    Rect r;
    Rect expected;
  } cases[] = {
      {110, {5, 15, 104, 94}, {5, 15, 104, 94}},
      {110, {5, 17, 104, 91}, {5, 17, 104, 91}},
      {170, {5, 40, 174, 134}, {5, 40, 170, 134}},  // runs off the cell
      {110, {-20, -20, 10, 10}, {0, 0, 10, 10}},
      {110, {10, 10, 10, 50}, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    Bitmap cell(c.cell, c.cell);
    cell.FillRect({0, 0, c.cell, c.cell}, kSilver);
    cell.StretchDraw(c.r, pic);
    EXPECT_EQ(Extent(cell, kRed), c.expected);
    const Rect e = c.expected;
    EXPECT_EQ(CountColor(cell, kRed), (e.right - e.left) * (e.bottom - e.top));
  }
}

TEST(BitmapTest, StretchClippedPartMatchesUnclippedDraw) {
  Bitmap src(37, 23);
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 37; ++x) src.SetPixelColor(x, y, static_cast<Color>((x * 7) | ((y * 11) << 8) | (((x + y) * 3) << 16)));
  Bitmap whole(100, 60);
  whole.StretchDraw({0, 0, 100, 60}, src);
  Bitmap part(40, 30);
  part.StretchDraw({-30, -20, 70, 40}, src);  // shows whole(30..70, 20..50)
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(part.PixelColor(x, y), whole.PixelColor(x + 30, y + 20)) << x << "," << y;
}

TEST(BitmapTest, StretchIdentityCopies) {
  Bitmap src(5, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) src.SetPixelColor(x, y, static_cast<Color>(x * 40 + y * 0x2000 + 0x110000));
  Bitmap dst(5, 4);
  dst.StretchDraw({0, 0, 5, 4}, src);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(dst.PixelColor(x, y), src.PixelColor(x, y));
}

TEST(BitmapTest, StretchOfEmptySourceDrawsNothing) {
  Bitmap dst(4, 4);
  Bitmap empty;
  dst.StretchDraw({0, 0, 4, 4}, empty);
  EXPECT_EQ(CountColor(dst, kWhite), 16);
}

TEST(BitmapTest, CopyRectSameSizeAndScaled) {
  Bitmap src(10, 10);
  src.FillRect({2, 2, 5, 5}, kRed);
  Bitmap dst(10, 10);
  dst.CopyRect({0, 0, 4, 4}, src, {2, 2, 6, 6});
  EXPECT_EQ(Extent(dst, kRed), (Rect{0, 0, 3, 3}));
  Bitmap big(20, 20);
  big.CopyRect({0, 0, 20, 20}, src, {0, 0, 10, 10});
  // Enlarged smoothly: a pure red core, blended edges, white beyond.
  EXPECT_EQ(Extent(big, kRed), (Rect{5, 5, 9, 9}));
  EXPECT_NE(big.PixelColor(4, 4), kRed);
  EXPECT_NE(big.PixelColor(4, 4), kWhite);
  EXPECT_EQ(big.PixelColor(2, 2), kWhite);
  EXPECT_EQ(big.PixelColor(11, 11), kWhite);
  // A source rectangle reaching off the source copies only what exists.
  Bitmap edge(4, 4);
  edge.FillRect({0, 0, 4, 4}, kSilver);
  edge.CopyRect({0, 0, 4, 4}, src, {8, 8, 12, 12});
  EXPECT_EQ(Extent(edge, kWhite), (Rect{0, 0, 2, 2}));
  EXPECT_EQ(CountColor(edge, kSilver), 12);
}

TEST(BitmapTest, LinesLeaveOutTheEndPoint) {
  Bitmap b(20, 20);
  b.DrawLine(5, 3, 10, 3, kRed);
  EXPECT_EQ(Extent(b, kRed), (Rect{5, 3, 10, 4}));
  b.FillRect({0, 0, 20, 20}, kWhite);
  b.DrawLine(10, 3, 5, 3, kRed);
  EXPECT_EQ(Extent(b, kRed), (Rect{6, 3, 11, 4}));
  b.FillRect({0, 0, 20, 20}, kWhite);
  b.DrawLine(4, 2, 4, 8, kRed, 3);
  EXPECT_EQ(Extent(b, kRed), (Rect{3, 2, 6, 8}));
  b.FillRect({0, 0, 20, 20}, kWhite);
  b.DrawLine(0, 0, 5, 5, kRed);
  EXPECT_EQ(CountColor(b, kRed), 5);
  EXPECT_EQ(b.PixelColor(5, 5), kWhite);
  EXPECT_EQ(b.PixelColor(4, 4), kRed);
}

}  // namespace
}  // namespace graphics

