// Size and naming arithmetic of the catalog's save and shrink.
#include <gtest/gtest.h>

#include "formats/catalog_export_core.h"

namespace {

struct WidthCase {
  int pitch, columns, count, width;
};

TEST(CatalogSaveArithmetic, WidthCoversTheFirstRowOnly) {
  const WidthCase cases[] = {
      {110, 8, 3, 330},  {110, 8, 12, 880}, {175, 5, 12, 875}, {110, 8, 8, 880},
      {110, 8, 7, 770},  {175, 5, 4, 700},  {175, 5, 5, 875},  {110, 8, 1, 110},
      {110, 8, 1000, 880},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CatalogSaveWidth(c.pitch, c.columns, c.count), c.width)
        << c.pitch << " " << c.count;
  }
}

TEST(CatalogSaveArithmetic, NameGetsJpgInPlaceOfItsExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"/tmp/catalog", "/tmp/catalog.jpg"},
      {"/tmp/index.png", "/tmp/index.jpg"},
      {"/tmp/INDEX.JPG", "/tmp/INDEX.jpg"},
      {"/tmp/a.b.c", "/tmp/a.b.jpg"},
      {"/tmp/dir.v2/catalog", "/tmp/dir.v2/catalog.jpg"},
      {"/tmp/一覧.bmp", "/tmp/一覧.jpg"},
      {"relative.txt", "relative.jpg"},
  };
  for (const auto& [chosen, expected] : cases) EXPECT_EQ(CatalogSaveName(chosen), expected) << chosen;
}

struct ShrinkCase {
  int w, h;
  float box;
  int outW, outH;
};

TEST(ShrinkArithmetic, ScaleIsAThirtyTwoBitFloatAndProductsAreTruncated) {
  const ShrinkCase cases[] = {
      {1600, 1200, 100, 100, 75}, {50, 40, 100, 100, 80},   {100, 100, 100, 100, 100},
      {1920, 1080, 100, 99, 56},  {3, 2, 100, 99, 66},      {1200, 1600, 100, 75, 100},
      {1080, 1920, 100, 56, 99},  {400, 300, 110, 110, 82}, {640, 480, 175, 175, 131},
      {2, 3, 100, 66, 99},
  };
  for (const auto& c : cases) {
    const ShrinkSize s = ShrinkedSize(c.w, c.h, c.box);
    EXPECT_EQ(s.width, c.outW) << c.w << "x" << c.h << " in " << c.box;
    EXPECT_EQ(s.height, c.outH) << c.w << "x" << c.h << " in " << c.box;
  }
}

TEST(ShrinkArithmetic, ASideThatWouldVanishIsOnePixel) {
  const ShrinkCase cases[] = {
      {1000, 1, 100, 100, 1}, {1, 5000, 100, 1, 99}, {4000, 3, 100, 100, 1}, {7, 5, 0.5f, 1, 1},
  };
  for (const auto& c : cases) {
    const ShrinkSize s = ShrinkedSize(c.w, c.h, c.box);
    EXPECT_EQ(s.width, c.outW) << c.w << "x" << c.h;
    EXPECT_EQ(s.height, c.outH) << c.w << "x" << c.h;
  }
}

TEST(ShrinkArithmetic, OutputNameAndReport) {
  EXPECT_EQ(ShrinkOutputName("/out/", "photo.bmp"), "/out/photo.jpg");
  EXPECT_EQ(ShrinkOutputName("/out/", "photo.JPG"), "/out/photo.jpg");
  EXPECT_EQ(ShrinkOutputName("/out/", "a.b.gif"), "/out/a.b.jpg");
  EXPECT_EQ(ShrinkOutputName("/out/", "noext"), "/out/noext.jpg");
  EXPECT_EQ(ShrinkReport(3), "選択された3 ファイル を縮小しＳａｖｅ　しました");
  EXPECT_EQ(ShrinkReport(0), "選択された0 ファイル を縮小しＳａｖｅ　しました");
}

}  // namespace
