// Loading pictures for thumbnail cells: the header peek and the reduced
// JPEG decode.
#include "catalog/thumbnail_loader.h"

#include <gtest/gtest.h>

#include "app/tovra1.h"
#include "graphics/bmp_codec.h"
#include "graphics/jpeg_codec.h"
#include "support/temp_dir.h"

namespace {

class ThumbnailLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FormatTable[0] = {".BMP", ""};
    FormatTable[1] = {".JPG", ""};
  }
  std::string Jpeg(const std::string& name, int w, int h) {
    graphics::Bitmap b(w, h);
    b.FillRect({0, 0, w, h}, 0x204080);
    graphics::SaveJpegFile(dir / name, b, 90);
    return dir / name;
  }
  testsupport::TempDir dir;
};

TEST_F(ThumbnailLoaderTest, PeekReadsTheFrameSize) {
  const std::string plain = Jpeg("a.jpg", 640, 480);
  int w = 0, h = 0;
  ASSERT_TRUE(catalog::PeekJpegSize(plain, w, h));
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);

  // A large application segment (as cameras write) before the frame.
  const std::string bytes = testsupport::ReadFile(plain);
  std::string app1 = "\xFF\xE1";
  const int len = 60000;
  app1 += static_cast<char>(len >> 8);
  app1 += static_cast<char>(len & 0xFF);
  app1 += std::string(len - 2, '\xFF');
  const std::string withApp = dir.Write("exif.jpg", bytes.substr(0, 2) + app1 + bytes.substr(2));
  ASSERT_TRUE(catalog::PeekJpegSize(withApp, w, h));
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
}

TEST_F(ThumbnailLoaderTest, PeekRefusesDamagedHeaders) {
  const std::string good = testsupport::ReadFile(Jpeg("g.jpg", 16, 16));
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"soi only", std::string("\xFF\xD8", 2)},
      {"not jpeg", "GIF89a......"},
      {"short length", std::string("\xFF\xD8\xFF\xE0\x00\x01", 6)},
      {"length past end", std::string("\xFF\xD8\xFF\xE0\x7F\xFF", 6)},
      {"frame cut", std::string("\xFF\xD8\xFF\xC0\x00\x11\x08\x01", 8)},
      {"zero size frame", std::string("\xFF\xD8\xFF\xC0\x00\x0B\x08\x00\x00\x00\x00\x03", 12)},
      {"scan before frame", std::string("\xFF\xD8\xFF\xDA\x00\x08", 6)},
      {"cut in half", good.substr(0, 20)},
  };
  for (const auto& c : cases) {
    int w = -1, h = -1;
    EXPECT_FALSE(catalog::PeekJpegSize(dir.Write(std::string("bad") + c.name, c.bytes), w, h))
        << c.name;
  }
  int w = 0, h = 0;
  EXPECT_FALSE(catalog::PeekJpegSize(dir / "missing.jpg", w, h));
}

TEST_F(ThumbnailLoaderTest, JpegDecodedAtTheSmallestCoveringScale) {
  const struct {
    int w, h;
    float box;
    int outW, outH;
  } cases[] = {
      {1600, 1200, 100.0f, 200, 150},  // 1/8 covers 100 x 75
      {1600, 1200, 170.0f, 200, 150},  // 1/8 covers 170 x 127
      {800, 600, 170.0f, 200, 150},    // 2/8: 1/8 (100 x 75) is too small
      {1200, 1600, 170.0f, 150, 200},
      {90, 60, 100.0f, 90, 60},        // enlarged: full size
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + " box " + std::to_string(c.box));
    const std::string path = Jpeg("p.jpg", c.w, c.h);
    graphics::Bitmap picture;
    int fw = 0, fh = 0;
    catalog::LoadThumbnailPicture(path, c.box, picture, fw, fh);
    EXPECT_EQ(fw, c.w);
    EXPECT_EQ(fh, c.h);
    EXPECT_EQ(picture.Width(), c.outW);
    EXPECT_EQ(picture.Height(), c.outH);
  }
}

TEST_F(ThumbnailLoaderTest, OtherFormatsAndFailures) {
  graphics::Bitmap b(30, 20);
  graphics::SaveBmpFile(dir / "a.bmp", b);
  graphics::Bitmap picture;
  int fw = 0, fh = 0;
  catalog::LoadThumbnailPicture(dir / "a.bmp", 100.0f, picture, fw, fh);
  EXPECT_EQ(fw, 30);
  EXPECT_EQ(fh, 20);
  EXPECT_EQ(picture.Width(), 30);

  // No loader for the extension: nothing loaded, no error.
  graphics::Bitmap none;
  catalog::LoadThumbnailPicture(dir.Write("a.jpeg", "x"), 100.0f, none, fw, fh);
  EXPECT_TRUE(none.Empty());
  EXPECT_EQ(fw, 0);

  // A damaged JPEG raises the picture error.
  const std::string bad = dir.Write("bad.jpg", std::string("\xFF\xD8\xFF\xC0\x00\x11\x08\x01", 8));
  graphics::Bitmap p2;
  EXPECT_THROW(catalog::LoadThumbnailPicture(bad, 100.0f, p2, fw, fh), graphics::PictureError);
  EXPECT_THROW(catalog::LoadThumbnailPicture(dir / "gone.jpg", 100.0f, p2, fw, fh),
               graphics::PictureError);
}

}  // namespace
