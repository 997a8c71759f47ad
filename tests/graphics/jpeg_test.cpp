#include "graphics/jpeg_codec.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

// jpeglib.h needs size_t and FILE declared first.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include <jpeglib.h>

#include "support/temp_dir.h"

namespace graphics {
namespace {

using testsupport::TempDir;

// A picture with smooth gradients and flat blocks: JPEG keeps it well.
Bitmap Reference(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const unsigned r = x * 255 / (w - 1), g = y * 255 / (h - 1), bl = ((x / 16 + y / 16) % 2) ? 200 : 40;
      b.SetPixelColor(x, y, r | (g << 8) | (bl << 16));
    }
  return b;
}

struct Error {
  double mean = 0;
  int max = 0;
};

Error Compare(const Bitmap& a, const Bitmap& b) {
  Error e;
  double sum = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      for (int s : {0, 8, 16}) {
        const int d = std::abs(static_cast<int>((a.PixelColor(x, y) >> s) & 0xFF) -
                               static_cast<int>((b.PixelColor(x, y) >> s) & 0xFF));
        sum += d;
        e.max = std::max(e.max, d);
      }
  e.mean = sum / (3.0 * a.Width() * a.Height());
  return e;
}

// Writes a JPEG with libjpeg directly, from 8-bit samples of the given
// colour space (1, 3 or 4 components per pixel).
std::string WriteRawJpeg(int w, int h, J_COLOR_SPACE space, int comps, const std::vector<uint8_t>& samples,
                         bool adobeMarker = true) {
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* mem = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &mem, &size);
  c.image_width = w;
  c.image_height = h;
  c.input_components = comps;
  c.in_color_space = space;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 95, TRUE);
  c.write_Adobe_marker = adobeMarker ? TRUE : FALSE;
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(samples.data() + static_cast<size_t>(c.next_scanline) * w * comps);
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  std::string out(reinterpret_cast<char*>(mem), size);
  jpeg_destroy_compress(&c);
  std::free(mem);
  return out;
}

Bitmap Decode(const std::string& bytes) {
  Bitmap b;
  LoadJpegMemory(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), b);
  return b;
}

TEST(JpegTest, KnownPictureSurvivesARoundTrip) {
  TempDir dir;
  const Bitmap ref = Reference(96, 64);
  const std::string path = dir / "ref.jpg";
  SaveJpegFile(path, ref, 95);
  Bitmap back;
  LoadJpegFile(path, back);
  ASSERT_EQ(back.Width(), 96);
  ASSERT_EQ(back.Height(), 64);
  EXPECT_EQ(back.Format(), PixelFormat::Bpp24);
  const Error e = Compare(ref, back);
  EXPECT_LT(e.mean, 5.0);  // 4:2:0 blurs the sharp chroma edges a little
  EXPECT_LT(e.max, 60);
  // Every stored pixel is opaque RGB32.
  for (int x = 0; x < back.Width(); ++x) EXPECT_EQ(back.Scanline(10)[x] >> 24, 0xFFu);
}

TEST(JpegTest, HigherQualityGivesLargerFileAndSmallerError) {
  const Bitmap ref = Reference(128, 96);
  size_t lastSize = 0;
  double lastError = 1e9;
  for (int q : {5, 30, 75, 100}) {
    const std::vector<uint8_t> data = EncodeJpeg(ref, q);
    EXPECT_GT(data.size(), lastSize) << "quality " << q;
    Bitmap back;
    LoadJpegMemory(data.data(), data.size(), back);
    const double err = Compare(ref, back).mean;
    EXPECT_LT(err, lastError) << "quality " << q;
    lastSize = data.size();
    lastError = err;
  }
}

TEST(JpegTest, QualityIsClampedAndChromaIsHalved) {
  const Bitmap ref = Reference(32, 32);
  EXPECT_EQ(EncodeJpeg(ref, -7), EncodeJpeg(ref, 1));
  EXPECT_EQ(EncodeJpeg(ref, 1000), EncodeJpeg(ref, 100));
  const std::vector<uint8_t> data = EncodeJpeg(ref, 50);
  jpeg_decompress_struct d;
  jpeg_error_mgr err;
  d.err = jpeg_std_error(&err);
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, data.data(), data.size());
  jpeg_read_header(&d, TRUE);
  EXPECT_EQ(d.num_components, 3);
  EXPECT_EQ(d.comp_info[0].h_samp_factor, 2);
  EXPECT_EQ(d.comp_info[0].v_samp_factor, 2);
  EXPECT_EQ(d.comp_info[1].h_samp_factor, 1);
  EXPECT_EQ(d.comp_info[1].v_samp_factor, 1);
  jpeg_destroy_decompress(&d);
}

TEST(JpegTest, ScaledDecodeCoversTheBoxAndReportsFullSize) {
  TempDir dir;
  const std::string path = dir / "big.jpg";
  SaveJpegFile(path, Reference(800, 600), 80);
  const struct {
    int boxW, boxH, w, h;
  } cases[] = {
      {100, 75, 100, 75},    // 1/8
      {100, 100, 200, 150},  // 1/8 is too short: 2/8
      {150, 100, 200, 150},
      {101, 1, 200, 150},
      {500, 10, 500, 375},   // 5/8
      {800, 600, 800, 600},
      {1000, 1000, 800, 600},  // bigger than the picture: full size
  };
  for (const auto& c : cases) {
    Bitmap b;
    int fw = 0, fh = 0;
    LoadJpegFileScaled(path, c.boxW, c.boxH, b, &fw, &fh);
    EXPECT_EQ(fw, 800);
    EXPECT_EQ(fh, 600);
    EXPECT_EQ(b.Width(), c.w) << c.boxW << "x" << c.boxH;
    EXPECT_EQ(b.Height(), c.h) << c.boxW << "x" << c.boxH;
  }
  // The scaled picture looks like the full one shrunk.
  Bitmap small;
  int fw = 0, fh = 0;
  LoadJpegFileScaled(path, 100, 75, small, &fw, &fh);
  Bitmap shrunk(100, 75);
  shrunk.StretchDraw({0, 0, 100, 75}, Reference(800, 600));
  EXPECT_LT(Compare(small, shrunk).mean, 12.0);
}

TEST(JpegTest, GreyscaleDecodes) {
  const int w = 40, h = 24;
  std::vector<uint8_t> grey(w * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) grey[y * w + x] = static_cast<uint8_t>(x * 6);
  const Bitmap b = Decode(WriteRawJpeg(w, h, JCS_GRAYSCALE, 1, grey));
  ASSERT_EQ(b.Width(), w);
  EXPECT_EQ(b.Format(), PixelFormat::Bpp24);
  for (int x = 2; x < w - 2; x += 5) {
    const Color c = b.PixelColor(x, 10);
    EXPECT_NEAR(static_cast<int>(c & 0xFF), x * 6, 4);
    EXPECT_EQ(c & 0xFF, (c >> 8) & 0xFF);
    EXPECT_EQ(c & 0xFF, (c >> 16) & 0xFF);
  }
}

TEST(JpegTest, CmykDecodesPlainAndAdobeInverted) {
  // Left half red, right half blue.
  const int w = 32, h = 16;
  const struct {
    const char* name;
    bool adobe;
    uint8_t red[4], blue[4];
  } cases[] = {
      {"adobe inverted", true, {255, 0, 0, 255}, {0, 0, 255, 255}},
      {"plain", false, {0, 255, 255, 0}, {255, 255, 0, 0}},
  };
  for (const auto& c : cases) {
    std::vector<uint8_t> s(w * h * 4);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) std::copy_n(x < w / 2 ? c.red : c.blue, 4, &s[(y * w + x) * 4]);
    const Bitmap b = Decode(WriteRawJpeg(w, h, JCS_CMYK, 4, s, c.adobe));
    ASSERT_EQ(b.Width(), w) << c.name;
    const Color left = b.PixelColor(4, 8), right = b.PixelColor(28, 8);
    EXPECT_NEAR(static_cast<int>(left & 0xFF), 255, 6) << c.name;
    EXPECT_NEAR(static_cast<int>((left >> 8) & 0xFF), 0, 6) << c.name;
    EXPECT_NEAR(static_cast<int>((left >> 16) & 0xFF), 0, 6) << c.name;
    EXPECT_NEAR(static_cast<int>(right & 0xFF), 0, 6) << c.name;
    EXPECT_NEAR(static_cast<int>((right >> 16) & 0xFF), 255, 6) << c.name;
  }
}

TEST(JpegTest, JpegImageLoadsAssignsCompressesAndSaves) {
  TempDir dir;
  const Bitmap ref = Reference(64, 48);
  JpegImage out;
  EXPECT_EQ(out.CompressionQuality, 75);
  out.Assign(ref);
  out.CompressionQuality = 20;
  out.Compress();
  const size_t low = out.Data().size();
  out.CompressionQuality = 95;
  out.Compress();
  EXPECT_GT(out.Data().size(), low);
  out.SaveToFile(dir / "a.jpg");
  EXPECT_EQ(testsupport::ReadFile(dir / "a.jpg").size(), out.Data().size());

  JpegImage in;
  in.LoadFromFile(dir / "a.jpg");
  EXPECT_EQ(in.Width(), 64);
  EXPECT_EQ(in.Height(), 48);
  Bitmap b;
  in.AssignTo(b);
  EXPECT_EQ(b.Format(), PixelFormat::Bpp24);
  EXPECT_LT(Compare(ref, b).mean, 5.0);

  // A fresh picture compresses on save at its quality.
  JpegImage lazy;
  lazy.Assign(ref);
  lazy.CompressionQuality = 20;
  lazy.SaveToFile(dir / "b.jpg");
  EXPECT_EQ(testsupport::ReadFile(dir / "b.jpg").size(), low);
}

TEST(JpegTest, SavingRefusesReadOnlyAndEmpty) {
  TempDir dir;
  const std::string ro = dir.Write("ro.jpg", "keep");
  ::chmod(ro.c_str(), 0444);
  EXPECT_THROW(SaveJpegFile(ro, Reference(8, 8), 50), PictureError);
  EXPECT_EQ(testsupport::ReadFile(ro), "keep");
  Bitmap empty;
  EXPECT_THROW(SaveJpegFile(dir / "e.jpg", empty, 50), PictureError);
  EXPECT_THROW(SaveJpegFile(dir / "no/such/dir.jpg", Reference(8, 8), 50), PictureError);
  int n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++n;
  EXPECT_EQ(n, 1);
}

std::string Patch16BE(std::string s, size_t at, unsigned v) {
  s[at] = static_cast<char>(v >> 8);
  s[at + 1] = static_cast<char>(v);
  return s;
}

size_t FindSof(const std::string& s) {
  for (size_t i = 0; i + 1 < s.size(); ++i)
    if (static_cast<uint8_t>(s[i]) == 0xFF && static_cast<uint8_t>(s[i + 1]) == 0xC0) return i;
  return std::string::npos;
}

TEST(JpegTest, BadFilesRaisePictureErrorQuietly) {
  TempDir dir;
  const std::vector<uint8_t> goodBytes = EncodeJpeg(Reference(64, 64), 80);
  const std::string good(goodBytes.begin(), goodBytes.end());
  const size_t sof = FindSof(good);
  ASSERT_NE(sof, std::string::npos);
  const struct {
    const char* name;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"empty", "", "JPEG error"},
      {"not a JPEG", "AB not a picture", "JPEG error: Not a JPEG file: starts with 0x41 0x42"},
      {"header cut", good.substr(0, 30), "JPEG error"},
      {"no frame", good.substr(0, sof), "JPEG error"},
      {"zero height", Patch16BE(good, sof + 5, 0), "JPEG error"},
      {"too many pixels", Patch16BE(Patch16BE(good, sof + 5, 60000), sof + 7, 60000), "JPEG error"},
      {"SOI then garbage", std::string("\xFF\xD8\xFF\x17\x00\x02\x99\x99", 8) + std::string(100, '\x42'), "JPEG error"},
  };
  testing::internal::CaptureStderr();
  for (const auto& c : cases) {
    const std::string path = dir.Write("bad.jpg", c.bytes);
    Bitmap b(3, 3);
    try {
      LoadJpegFile(path, b);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const PictureError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << c.name << ": " << e.what();
    }
    EXPECT_EQ(b.Width(), 3) << c.name;
    JpegImage j;
    EXPECT_THROW(j.LoadFromFile(path), PictureError) << c.name;
  }
  Bitmap b;
  EXPECT_THROW(LoadJpegFile(dir / "missing.jpg", b), PictureError);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(JpegTest, DamagedCopiesNeverCrash) {
  const std::vector<uint8_t> goodBytes = EncodeJpeg(Reference(48, 40), 70);
  std::mt19937 rng(77);
  int decoded = 0, refused = 0;
  testing::internal::CaptureStderr();
  for (int i = 0; i < 300; ++i) {
    std::vector<uint8_t> s = goodBytes;
    const int flips = 1 + static_cast<int>(rng() % 6);
    for (int k = 0; k < flips; ++k) s[rng() % s.size()] = static_cast<uint8_t>(rng());
    if (i % 3 == 0) s.resize(rng() % s.size());
    Bitmap b;
    try {
      LoadJpegMemory(s.data(), s.size(), b);
      ASSERT_GT(b.Width(), 0);
      ++decoded;
    } catch (const PictureError&) {
      ++refused;
    }
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_GT(decoded, 0);
  EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace graphics
