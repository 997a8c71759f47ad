#include "graphics/bmp_codec.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <bit>
#include <climits>
#include <cmath>
#include <filesystem>
#include <functional>
#include <random>
#include <vector>

#include "graphics/dib.h"
#include "support/temp_dir.h"

namespace graphics {
namespace {

using testsupport::TempDir;

void Put16(std::string& s, size_t at, uint32_t v) {
  s[at] = static_cast<char>(v);
  s[at + 1] = static_cast<char>(v >> 8);
}
void Put32(std::string& s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}
void Append32(std::string& s, uint32_t v) {
  s.resize(s.size() + 4);
  Put32(s, s.size() - 4, v);
}

struct Rgb {
  uint8_t r, g, b;
};

// What goes into one test BMP file.
struct BmpRecipe {
  uint32_t headerSize = 40;
  int32_t width = 0;
  int32_t height = 0;  // negative: top-down
  int bpp = 24;
  uint32_t compression = 0;
  uint32_t clrUsed = 0;
  std::vector<Rgb> palette;
  std::vector<uint32_t> masks;  // R, G, B
  std::string pixels;           // rows as stored
  int64_t offBits = -1;         // -1: right after the colour table
};

std::string BuildBmp(const BmpRecipe& s) {
  std::string info(s.headerSize, '\0');
  Put32(info, 0, s.headerSize);
  if (s.headerSize == 12) {
    Put16(info, 4, static_cast<uint32_t>(s.width));
    Put16(info, 6, static_cast<uint32_t>(s.height));
    Put16(info, 8, 1);
    Put16(info, 10, s.bpp);
  } else {
    Put32(info, 4, static_cast<uint32_t>(s.width));
    Put32(info, 8, static_cast<uint32_t>(s.height));
    Put16(info, 12, 1);
    Put16(info, 14, s.bpp);
    Put32(info, 16, s.compression);
    Put32(info, 20, static_cast<uint32_t>(s.pixels.size()));
    Put32(info, 32, s.clrUsed);
    if (!s.masks.empty()) {
      if (s.headerSize >= 52) {
        for (size_t i = 0; i < 3; ++i) Put32(info, 40 + 4 * i, s.masks[i]);
      } else {
        for (uint32_t m : s.masks) Append32(info, m);
      }
    }
  }
  for (const Rgb& c : s.palette) {
    info.push_back(static_cast<char>(c.b));
    info.push_back(static_cast<char>(c.g));
    info.push_back(static_cast<char>(c.r));
    if (s.headerSize != 12) info.push_back('\0');
  }
  std::string file(14, '\0');
  file[0] = 'B';
  file[1] = 'M';
  const uint32_t off = s.offBits >= 0 ? static_cast<uint32_t>(s.offBits) : static_cast<uint32_t>(14 + info.size());
  Put32(file, 2, static_cast<uint32_t>(14 + info.size() + s.pixels.size()));
  Put32(file, 10, off);
  return file + info + s.pixels;
}

// Packs per-pixel values (index or raw value, top row first) into rows of
// bpp bits padded to 4 bytes, bottom-up unless topDown.
std::string PackRows(const std::vector<std::vector<uint32_t>>& px, int bpp, bool topDown = false) {
  const size_t w = px[0].size();
  const size_t stride = ((w * bpp + 31) / 32) * 4;
  std::string out;
  for (size_t k = 0; k < px.size(); ++k) {
    const auto& row = px[topDown ? k : px.size() - 1 - k];
    std::string r(stride, '\0');
    for (size_t x = 0; x < w; ++x) {
      const uint32_t v = row[x];
      switch (bpp) {
        case 1: r[x / 8] = static_cast<char>(r[x / 8] | (v & 1) << (7 - x % 8)); break;
        case 4: r[x / 2] = static_cast<char>(r[x / 2] | (v & 15) << (x % 2 ? 0 : 4)); break;
        case 8: r[x] = static_cast<char>(v); break;
        case 16: Put16(r, 2 * x, v); break;
        case 24:
          r[3 * x] = static_cast<char>(v);
          r[3 * x + 1] = static_cast<char>(v >> 8);
          r[3 * x + 2] = static_cast<char>(v >> 16);
          break;
        case 32: Put32(r, 4 * x, v); break;
      }
    }
    out += r;
  }
  return out;
}

constexpr int kW = 5, kH = 3;

std::vector<Rgb> Palette(int n) {
  std::vector<Rgb> p;
  for (int i = 0; i < n; ++i) p.push_back({static_cast<uint8_t>(i * 37 + 5), static_cast<uint8_t>(255 - i * 11), static_cast<uint8_t>(i * 3)});
  return p;
}

// Indices of the reference picture, top row first.
std::vector<std::vector<uint32_t>> Indices(int n) {
  std::vector<std::vector<uint32_t>> v(kH, std::vector<uint32_t>(kW));
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) v[y][x] = static_cast<uint32_t>((x + 2 * y) % n);
  return v;
}

Color ToColor(Rgb c) { return c.r | (c.g << 8) | (c.b << 16); }

std::vector<std::vector<Color>> IndexedColors(int n, const std::vector<Rgb>& pal) {
  auto idx = Indices(n);
  std::vector<std::vector<Color>> out(kH, std::vector<Color>(kW));
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) out[y][x] = idx[y][x] < pal.size() ? ToColor(pal[idx[y][x]]) : 0;
  return out;
}

// Channel levels for direct-colour pictures: (r, g, b) per pixel as levels
// of a channel with `levels` steps.
uint32_t Level(int x, int y, int ch, uint32_t max) { return (static_cast<uint32_t>(x * 7 + y * 13 + ch * 5) * 3) % (max + 1); }

uint8_t Scale(uint32_t v, uint32_t max) { return static_cast<uint8_t>(std::lround(v * 255.0 / max)); }

struct DirectLayout {
  int bpp;
  uint32_t masks[3];
};

std::vector<std::vector<uint32_t>> DirectValues(const DirectLayout& l) {
  std::vector<std::vector<uint32_t>> v(kH, std::vector<uint32_t>(kW));
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      uint32_t word = 0;
      for (int c = 0; c < 3; ++c) {
        const uint32_t m = l.masks[c];
        const int shift = std::countr_zero(m);
        word |= Level(x, y, c, m >> shift) << shift;
      }
      v[y][x] = word;
    }
  return v;
}

std::vector<std::vector<Color>> DirectColors(const DirectLayout& l) {
  std::vector<std::vector<Color>> out(kH, std::vector<Color>(kW));
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      uint8_t ch[3];
      for (int c = 0; c < 3; ++c) {
        const uint32_t max = l.masks[c] >> std::countr_zero(l.masks[c]);
        ch[c] = Scale(Level(x, y, c, max), max);
      }
      out[y][x] = ch[0] | (ch[1] << 8) | (ch[2] << 16);
    }
  return out;
}

struct Variant {
  const char* name;
  std::function<BmpRecipe()> make;
  PixelFormat format;
  std::function<std::vector<std::vector<Color>>()> expected;
};

BmpRecipe Indexed(uint32_t header, int bpp, int paletteSize, uint32_t clrUsed, int indexRange) {
  BmpRecipe s;
  s.headerSize = header;
  s.width = kW;
  s.height = kH;
  s.bpp = bpp;
  s.clrUsed = clrUsed;
  s.palette = Palette(paletteSize);
  s.pixels = PackRows(Indices(indexRange), bpp);
  return s;
}

BmpRecipe Direct(uint32_t header, const DirectLayout& l, uint32_t compression, bool topDown = false) {
  BmpRecipe s;
  s.headerSize = header;
  s.width = kW;
  s.height = topDown ? -kH : kH;
  s.bpp = l.bpp;
  s.compression = compression;
  if (compression == 3) s.masks.assign(l.masks, l.masks + 3);
  s.pixels = PackRows(DirectValues(l), l.bpp, topDown);
  return s;
}

const DirectLayout k555{16, {0x7C00, 0x03E0, 0x001F}};
const DirectLayout k565{16, {0xF800, 0x07E0, 0x001F}};
const DirectLayout k888{24, {0xFF0000, 0xFF00, 0xFF}};
const DirectLayout k8888{32, {0xFF0000, 0xFF00, 0xFF}};
const DirectLayout kOdd32{32, {0xFF000000, 0x00FF0000, 0x0000FF00}};
const DirectLayout k10bit{32, {0x3FF00000, 0x000FFC00, 0x000003FF}};

std::vector<Variant> Variants() {
  return {
      {"1bit", [] { return Indexed(40, 1, 2, 0, 2); }, PixelFormat::Bpp1, [] { return IndexedColors(2, Palette(2)); }},
      {"1bit_os2", [] { return Indexed(12, 1, 2, 0, 2); }, PixelFormat::Bpp1, [] { return IndexedColors(2, Palette(2)); }},
      {"4bit", [] { return Indexed(40, 4, 16, 0, 16); }, PixelFormat::Bpp4, [] { return IndexedColors(16, Palette(16)); }},
      {"4bit_short_palette", [] { return Indexed(40, 4, 6, 6, 6); }, PixelFormat::Bpp4, [] { return IndexedColors(6, Palette(6)); }},
      {"8bit", [] { return Indexed(40, 8, 256, 0, 7); }, PixelFormat::Bpp8, [] { return IndexedColors(7, Palette(256)); }},
      {"8bit_os2", [] { return Indexed(12, 8, 256, 0, 7); }, PixelFormat::Bpp8, [] { return IndexedColors(7, Palette(256)); }},
      {"8bit_clrused", [] { return Indexed(40, 8, 9, 9, 9); }, PixelFormat::Bpp8, [] { return IndexedColors(9, Palette(9)); }},
      {"8bit_index_past_palette", [] { return Indexed(40, 8, 4, 4, 7); }, PixelFormat::Bpp8, [] { return IndexedColors(7, Palette(4)); }},
      {"8bit_v5_header", [] { return Indexed(124, 8, 16, 16, 16); }, PixelFormat::Bpp8, [] { return IndexedColors(16, Palette(16)); }},
      {"16bit_555", [] { return Direct(40, k555, 0); }, PixelFormat::Bpp15, [] { return DirectColors(k555); }},
      {"16bit_555_fields", [] { return Direct(40, k555, 3); }, PixelFormat::Bpp15, [] { return DirectColors(k555); }},
      {"16bit_565_fields", [] { return Direct(40, k565, 3); }, PixelFormat::Bpp16, [] { return DirectColors(k565); }},
      {"16bit_565_v2_header", [] { return Direct(52, k565, 3); }, PixelFormat::Bpp16, [] { return DirectColors(k565); }},
      {"16bit_565_v3_header", [] { return Direct(56, k565, 3); }, PixelFormat::Bpp16, [] { return DirectColors(k565); }},
      {"24bit", [] { return Direct(40, k888, 0); }, PixelFormat::Bpp24, [] { return DirectColors(k888); }},
      {"24bit_top_down", [] { return Direct(40, k888, 0, true); }, PixelFormat::Bpp24, [] { return DirectColors(k888); }},
      {"24bit_v4_header", [] { return Direct(108, k888, 0); }, PixelFormat::Bpp24, [] { return DirectColors(k888); }},
      {"32bit", [] { return Direct(40, k8888, 0); }, PixelFormat::Bpp32, [] { return DirectColors(k8888); }},
      {"32bit_top_down", [] { return Direct(40, k8888, 0, true); }, PixelFormat::Bpp32, [] { return DirectColors(k8888); }},
      {"32bit_fields_v4", [] { return Direct(108, kOdd32, 3); }, PixelFormat::Bpp32, [] { return DirectColors(kOdd32); }},
      {"32bit_10bit_fields_v5", [] { return Direct(124, k10bit, 3); }, PixelFormat::Bpp32, [] { return DirectColors(k10bit); }},
      {"32bit_fields_after_header", [] { return Direct(40, kOdd32, 3); }, PixelFormat::Bpp32, [] { return DirectColors(kOdd32); }},
  };
}

std::string Patched(std::string s, size_t at, uint32_t v, int bytes = 4) {
  for (int i = 0; i < bytes; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
  return s;
}

void ExpectPixels(const Bitmap& b, const std::vector<std::vector<Color>>& want, const std::string& name) {
  ASSERT_EQ(b.Width(), static_cast<int>(want[0].size())) << name;
  ASSERT_EQ(b.Height(), static_cast<int>(want.size())) << name;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      EXPECT_EQ(b.PixelColor(x, y), want[y][x]) << name << " at " << x << "," << y;
}

TEST(BmpReadTest, EveryVariantDecodesToTheRightPixelsAndDepth) {
  TempDir dir;
  for (const Variant& v : Variants()) {
    const std::string path = dir.Write(std::string(v.name) + ".bmp", BuildBmp(v.make()));
    Bitmap b;
    ASSERT_NO_THROW(LoadBmpFile(path, b)) << v.name;
    EXPECT_EQ(b.Format(), v.format) << v.name;
    ExpectPixels(b, v.expected(), v.name);
  }
}

TEST(BmpReadTest, PaletteCutShortByThePixelOffset) {
  // clrUsed says 0 (full table) but the rows start after 3 entries.
  BmpRecipe s = Indexed(40, 8, 3, 0, 3);
  s.offBits = 14 + 40 + 3 * 4;
  Bitmap b;
  const std::string bytes = BuildBmp(s);
  LoadBmpMemory(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), b);
  ExpectPixels(b, IndexedColors(3, Palette(3)), "cut palette");
}

TEST(BmpReadTest, BogusPixelOffsetFallsBackToRowsAfterTheTable) {
  for (uint32_t off : {0u, 20u, 0xFFFFFF00u}) {
    const std::string bytes = Patched(BuildBmp(Indexed(40, 8, 256, 0, 7)), 10, off);
    Bitmap b;
    LoadBmpMemory(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), b);
    ExpectPixels(b, IndexedColors(7, Palette(256)), "offset " + std::to_string(off));
  }
}

TEST(BmpReadTest, GapBeforeThePixelsIsHonoured) {
  BmpRecipe s = Direct(40, k888, 0);
  s.offBits = 14 + 40 + 10;
  s.pixels = std::string(10, '\x77') + s.pixels;
  const std::string bytes = BuildBmp(s);
  Bitmap b;
  LoadBmpMemory(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), b);
  ExpectPixels(b, DirectColors(k888), "gap");
}

std::string RlePicture(int bpp, const std::string& data, int w, int h) {
  BmpRecipe s;
  s.width = w;
  s.height = h;
  s.bpp = bpp;
  s.compression = bpp == 8 ? 1 : 2;
  s.palette = Palette(bpp == 8 ? 8 : 16);
  s.pixels = data;
  return BuildBmp(s);
}

std::vector<std::vector<Color>> FromIndices(const std::vector<std::vector<int>>& idx, int n) {
  const auto pal = Palette(n);
  std::vector<std::vector<Color>> out;
  for (const auto& row : idx) {
    std::vector<Color> r;
    for (int i : row) r.push_back(ToColor(pal[i]));
    out.push_back(r);
  }
  return out;
}

TEST(BmpReadTest, Rle8WithAbsoluteRunsDeltaAndEnd) {
  const std::string data{
      "\x03\x01"            // 1 1 1
      "\x00\x03\x02\x03\x04\x00"  // absolute 2 3 4, padded to a word
      "\x05\x07"            // a run past the row end is dropped, not wrapped
      "\x00\x00"            // end of line
      "\x00\x02\x02\x01"    // delta: right 2, up 1
      "\x02\x05"            // 5 5
      "\x00\x01"            // end of bitmap
      "\x03\x06",           // never reached
      22};
  Bitmap b;
  const std::string bytes = RlePicture(8, data, 6, 3);
  LoadBmpMemory(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), b);
  EXPECT_EQ(b.Format(), PixelFormat::Bpp8);
  ExpectPixels(b, FromIndices({{0, 0, 5, 5, 0, 0}, {0, 0, 0, 0, 0, 0}, {1, 1, 1, 2, 3, 4}}, 8), "rle8");
}

TEST(BmpReadTest, Rle4WithAbsoluteRuns) {
  const std::string data{
      "\x04\x12"          // 1 2 1 2
      "\x00\x03\x34\x50"  // absolute 3 4 5: only 3 fits
      "\x00\x00"
      "\x05\x67"          // 6 7 6 7 6
      "\x00\x01",
      12};
  Bitmap b;
  const std::string bytes = RlePicture(4, data, 5, 2);
  LoadBmpMemory(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), b);
  EXPECT_EQ(b.Format(), PixelFormat::Bpp4);
  ExpectPixels(b, FromIndices({{6, 7, 6, 7, 6}, {1, 2, 1, 2, 3}}, 16), "rle4");
}

TEST(BmpReadTest, RleDeltaOutsideThePictureWritesNothing) {
  const std::string data{"\x00\x02\xFF\xFF" "\x04\x03" "\x00\x02\x01\x00" "\x09\x02" "\x00\x01", 14};
  Bitmap b;
  const std::string bytes = RlePicture(8, data, 3, 2);
  LoadBmpMemory(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), b);
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Height(), 2);
}

TEST(BmpWriteTest, RoundTripKeepsEveryPixel) {
  TempDir dir;
  for (const auto& size : {std::pair{1, 1}, std::pair{5, 3}, std::pair{4, 4}, std::pair{7, 2}, std::pair{33, 17}}) {
    Bitmap src(size.first, size.second);
    for (int y = 0; y < src.Height(); ++y)
      for (int x = 0; x < src.Width(); ++x) src.SetPixelColor(x, y, static_cast<Color>((x * 41 + y * 97) * 0x10307 & 0xFFFFFF));
    const std::string path = dir / "round.bmp";
    SaveBmpFile(path, src);
    const std::string bytes = testsupport::ReadFile(path);
    const size_t stride = (size.first * 3 + 3) & ~size_t{3};
    EXPECT_EQ(bytes.size(), 54 + stride * size.second);
    EXPECT_EQ(static_cast<uint8_t>(bytes[28]), 24);  // bits per pixel
    Bitmap back;
    LoadBmpFile(path, back);
    EXPECT_EQ(back.Format(), PixelFormat::Bpp24);
    ASSERT_EQ(back.Width(), src.Width());
    ASSERT_EQ(back.Height(), src.Height());
    for (int y = 0; y < src.Height(); ++y)
      for (int x = 0; x < src.Width(); ++x) ASSERT_EQ(back.PixelColor(x, y), src.PixelColor(x, y));
  }
}

int CountEntries(const std::string& dir) {
  int n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++n;
  return n;
}

TEST(BmpWriteTest, ReplacesAnExistingFileAndLeavesNoTemporary) {
  TempDir dir;
  const std::string path = dir.Write("old.bmp", "old contents");
  ::chmod(path.c_str(), 0640);
  Bitmap b(3, 3);
  SaveBmpFile(path, b);
  Bitmap back;
  LoadBmpFile(path, back);
  EXPECT_EQ(back.Width(), 3);
  EXPECT_EQ(CountEntries(dir.path()), 1);
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(BmpWriteTest, RefusesReadOnlyDestinationAndKeepsIt) {
  TempDir dir;
  const std::string path = dir.Write("ro.bmp", "keep me");
  ::chmod(path.c_str(), 0444);
  Bitmap b(2, 2);
  EXPECT_THROW(SaveBmpFile(path, b), PictureError);
  EXPECT_EQ(testsupport::ReadFile(path), "keep me");
  EXPECT_EQ(CountEntries(dir.path()), 1);
}

TEST(BmpWriteTest, FailuresRaisePictureError) {
  TempDir dir;
  Bitmap b(2, 2);
  EXPECT_THROW(SaveBmpFile(dir / "missing/folder/x.bmp", b), PictureError);
  EXPECT_THROW(SaveBmpFile(dir.path(), b), PictureError);  // a folder
  Bitmap empty;
  EXPECT_THROW(SaveBmpFile(dir / "empty.bmp", empty), PictureError);
  EXPECT_FALSE(testsupport::Exists(dir / "empty.bmp"));
  EXPECT_EQ(CountEntries(dir.path()), 0);
}

TEST(BmpReadTest, MissingFileIsAPictureError) {
  TempDir dir;
  Bitmap b;
  EXPECT_THROW(LoadBmpFile(dir / "nope.bmp", b), PictureError);
  EXPECT_THROW(LoadBmpFile(dir.path(), b), PictureError);
}


TEST(BmpReadTest, BadFilesRaisePictureErrorAndLeaveTheBitmapAlone) {
  const std::string good24 = BuildBmp(Direct(40, k888, 0));
  const std::string good8 = BuildBmp(Indexed(40, 8, 256, 0, 7));
  BmpRecipe fields = Direct(40, k565, 3);
  fields.masks = {0, 0, 0};
  BmpRecipe rleTrunc;
  rleTrunc.width = 4;
  rleTrunc.height = 2;
  rleTrunc.bpp = 8;
  rleTrunc.compression = 1;
  rleTrunc.palette = Palette(4);
  rleTrunc.pixels = std::string("\x00\x08\x01\x02", 4);  // absolute run of 8, 2 bytes given
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"signature only", "BM"},
      {"not a bitmap", "GIF89a and some more bytes for the header"},
      {"truncated header", good24.substr(0, 30)},
      {"truncated rows", good24.substr(0, good24.size() - 5)},
      {"zero width", Patched(good24, 18, 0)},
      {"zero height", Patched(good24, 22, 0)},
      {"negative width", Patched(good24, 18, static_cast<uint32_t>(-5))},
      {"most negative height", Patched(good24, 22, 0x80000000u)},
      {"huge dimensions", Patched(Patched(good24, 18, 100000), 22, 100000)},
      {"too many pixels", Patched(Patched(good24, 18, 60000), 22, 60000)},
      {"bit count 7", Patched(good24, 28, 7, 2)},
      {"bit count 0", Patched(good24, 28, 0, 2)},
      {"header size 200", Patched(good24, 14, 200)},
      {"header size 0", Patched(good24, 14, 0)},
      {"unknown compression", Patched(good24, 30, 9)},
      {"RLE8 on 24 bits", Patched(good24, 30, 1)},
      {"JPEG compression", Patched(good24, 30, 4)},
      {"bit fields with no bits", BuildBmp(fields)},
      {"RLE run past the data", BuildBmp(rleTrunc)},
      {"top-down RLE", Patched(BuildBmp(rleTrunc), 22, static_cast<uint32_t>(-2))},
  };
  for (const auto& c : cases) {
    Bitmap b(2, 2);
    b.FillRect({0, 0, 2, 2}, 0x0000FF);
    try {
      LoadBmpMemory(reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size(), b);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const PictureError& e) {
      EXPECT_NE(std::string(e.what()).find("Bitmap image is not valid"), std::string::npos) << c.name;
    }
    EXPECT_EQ(b.Width(), 2) << c.name;
    EXPECT_EQ(b.PixelColor(1, 1), 0x0000FFu) << c.name;
  }
}

TEST(BmpReadTest, DamagedCopiesNeverCrash) {
  // Random damage to valid files of several kinds must end in an error or
  // in a picture of sane size, never in a crash or an over-read (run under
  // AddressSanitizer to see the latter).
  const std::string seeds[] = {
      BuildBmp(Direct(40, k888, 0)), BuildBmp(Indexed(40, 8, 256, 0, 7)), BuildBmp(Indexed(12, 4, 16, 0, 16)),
      BuildBmp(Direct(124, k10bit, 3)), RlePicture(8, std::string("\x03\x01\x00\x03\x02\x03\x04\x00\x00\x00\x02\x05\x00\x01", 14), 6, 3),
      RlePicture(4, std::string("\x04\x12\x00\x03\x34\x50\x00\x00\x05\x67\x00\x01", 12), 5, 2)};
  std::mt19937 rng(1234);
  int decoded = 0, refused = 0;
  for (const std::string& seed : seeds) {
    for (int i = 0; i < 400; ++i) {
      std::string s = seed;
      const int flips = 1 + static_cast<int>(rng() % 4);
      for (int k = 0; k < flips; ++k) s[rng() % s.size()] = static_cast<char>(rng());
      if (rng() % 5 == 0) s.resize(rng() % s.size());
      Bitmap b;
      try {
        LoadBmpMemory(reinterpret_cast<const uint8_t*>(s.data()), s.size(), b);
        ASSERT_GT(b.Width(), 0);
        ASSERT_LE(int64_t{b.Width()} * b.Height(), kMaxPicturePixels);
        ++decoded;
      } catch (const PictureError&) {
        ++refused;
      }
    }
  }
  EXPECT_GT(decoded, 0);
  EXPECT_GT(refused, 0);
}

TEST(BmpReadTest, RandomBytesAreRefused) {
  std::mt19937 rng(99);
  for (int i = 0; i < 200; ++i) {
    std::string s(rng() % 300, '\0');
    for (char& c : s) c = static_cast<char>(rng());
    if (s.size() >= 2 && i % 2 == 0) s[0] = 'B', s[1] = 'M';
    Bitmap b;
    try {
      LoadBmpMemory(reinterpret_cast<const uint8_t*>(s.data()), s.size(), b);
      EXPECT_GT(b.Width(), 0);
    } catch (const PictureError&) {
    }
  }
  Bitmap b;
  EXPECT_THROW(LoadBmpMemory(nullptr, 0, b), PictureError);
}

}  // namespace
}  // namespace graphics
