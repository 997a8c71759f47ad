#include "graphics/dib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace graphics {
namespace {

std::vector<uint8_t> Header(int32_t w, int32_t h, uint16_t bpp, uint32_t clrUsed = 0, uint32_t size = 40) {
  std::vector<uint8_t> v(std::max<uint32_t>(size, 40), 0);  // the size field may lie
  auto put32 = [&](size_t at, uint32_t x) { std::memcpy(&v[at], &x, 4); };
  put32(0, size);
  put32(4, static_cast<uint32_t>(w));
  put32(8, static_cast<uint32_t>(h));
  v[12] = 1;
  std::memcpy(&v[14], &bpp, 2);
  put32(32, clrUsed);
  return v;
}

TEST(DibTest, BottomUpAndTopDownRows) {
  auto info = Header(2, 2, 24);
  // Two rows of 2 pixels, 6 bytes padded to 8: first stored row red/green,
  // second blue/white.
  const uint8_t bits[16] = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
  Bitmap b;
  ASSERT_TRUE(DibToBitmap(info.data(), info.size(), bits, sizeof bits, b));
  EXPECT_EQ(b.PixelColor(0, 1), 0x0000FFu);  // first stored row is the bottom
  EXPECT_EQ(b.PixelColor(1, 1), 0x00FF00u);
  EXPECT_EQ(b.PixelColor(0, 0), 0xFF0000u);
  EXPECT_EQ(b.PixelColor(1, 0), 0xFFFFFFu);
  EXPECT_EQ(b.Format(), PixelFormat::Bpp24);
  info = Header(2, -2, 24);
  ASSERT_TRUE(DibToBitmap(info.data(), info.size(), bits, sizeof bits, b));
  EXPECT_EQ(b.PixelColor(0, 0), 0x0000FFu);
  EXPECT_EQ(b.PixelColor(1, 1), 0xFFFFFFu);
}

TEST(DibTest, SizesThatDoNotFitTheBlocksAreRefused) {
  std::vector<uint8_t> bits(64, 0);
  struct Case {
    const char* name;
    std::vector<uint8_t> info;
    size_t infoSize;  // what the block really holds
    size_t bitsSize;
  } cases[] = {
      {"rows larger than the pixel block", Header(100, 100, 24), 40, 64},
      {"one byte short", Header(5, 4, 24), 40, 63},  // 16 * 4 = 64 needed
      {"palette beyond the info block", Header(4, 4, 8, 256), 40 + 16, 64},
      {"header cut", Header(4, 4, 24), 20, 64},
      {"no header", Header(4, 4, 24), 0, 64},
      {"zero width", Header(0, 4, 24), 40, 64},
      {"negative width", Header(-4, 4, 24), 40, 64},
      {"huge", Header(70000, 70000, 1), 40, 64},
      {"bit count 3", Header(4, 4, 3), 40, 64},
      {"header size 5", Header(4, 4, 24, 0, 5), 5, 64},
  };
  for (Case& c : cases) {
    c.info.resize(std::max(c.info.size(), c.infoSize));
    Bitmap b(1, 1);
    b.SetPixelColor(0, 0, 0x123456);
    EXPECT_FALSE(DibToBitmap(c.info.data(), c.infoSize, bits.data(), c.bitsSize, b)) << c.name;
    EXPECT_EQ(b.Width(), 1) << c.name;
    EXPECT_EQ(b.PixelColor(0, 0), 0x123456u) << c.name;
  }
  Bitmap b;
  auto info = Header(5, 4, 24);
  EXPECT_FALSE(DibToBitmap(info.data(), info.size(), nullptr, 64, b));
  EXPECT_FALSE(DibToBitmap(nullptr, 40, bits.data(), 64, b));
  EXPECT_TRUE(DibToBitmap(info.data(), info.size(), bits.data(), 64, b));
}

TEST(DibTest, PaletteEntriesAndInfoSize) {
  auto info = Header(3, 1, 8, 2);
  const uint8_t table[8] = {10, 20, 30, 0, 40, 50, 60, 0};
  info.insert(info.end(), table, table + 8);
  EXPECT_EQ(DibInfoBytes(info.data(), info.size()), 48u);
  const uint8_t bits[4] = {1, 0, 200};  // 200 is past the table: black
  Bitmap b;
  ASSERT_TRUE(DibToBitmap(info.data(), info.size(), bits, 4, b));
  EXPECT_EQ(b.PixelColor(0, 0), 0x28323Cu);
  EXPECT_EQ(b.PixelColor(1, 0), 0x0A141Eu);
  EXPECT_EQ(b.PixelColor(2, 0), 0u);
  EXPECT_EQ(b.Format(), PixelFormat::Bpp8);
}

}  // namespace
}  // namespace graphics
