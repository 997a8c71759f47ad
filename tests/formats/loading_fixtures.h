#pragma once
// Small picture files written byte by byte inside the tests: BMP of every
// depth, PNG (stored deflate blocks) and GIF (LZW kept at its smallest code
// size by frequent clear codes). Each holds a known picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/bitmap.h"

namespace fixtures {

inline void Put16(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
inline void Put32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}
inline void Put32BE(std::string& s, uint32_t v) {
  for (int sh = 24; sh >= 0; sh -= 8) s += static_cast<char>((v >> sh) & 0xFF);
}

// Colour of pixel (x, y) of the test pattern, 0xRRGGBB.
inline uint32_t PatternRgb(int x, int y) {
  static const uint32_t colours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  return colours[(x + 2 * y) % 4];
}
inline int PatternIndex(int x, int y) { return (x + 2 * y) % 4; }

// A bottom-up BMP with a 40-byte header: 1, 4, 8 bits with a palette of the
// four pattern colours (1 bit: indexes mod 2), 24 and 32 bits plain, 16 bits
// as 5-5-5 (plain) or 5-6-5 (bit fields).
inline std::string MakeBmp(int w, int h, int bits, bool rgb565 = false) {
  const int palette = bits <= 8 ? (1 << bits) : 0;
  const bool fields = bits == 16 && rgb565;
  const uint32_t rowBytes = ((static_cast<uint32_t>(w) * bits + 31) / 32) * 4;
  const uint32_t infoBytes = 40 + (fields ? 12 : 0) + palette * 4;
  std::string s = "BM";
  Put32(s, 14 + infoBytes + rowBytes * h);
  Put32(s, 0);
  Put32(s, 14 + infoBytes);
  Put32(s, 40);
  Put32(s, static_cast<uint32_t>(w));
  Put32(s, static_cast<uint32_t>(h));
  Put16(s, 1);
  Put16(s, static_cast<uint32_t>(bits));
  Put32(s, fields ? 3 : 0);
  Put32(s, rowBytes * h);
  Put32(s, 2835);
  Put32(s, 2835);
  Put32(s, 0);
  Put32(s, 0);
  if (fields) {
    Put32(s, 0xF800);
    Put32(s, 0x07E0);
    Put32(s, 0x001F);
  }
  for (int i = 0; i < palette; ++i) {
    const uint32_t c = i < 4 ? PatternRgb(i, 0) : 0;
    Put32(s, c);  // stored B, G, R, 0: little-endian 0x00RRGGBB
  }
  for (int y = h - 1; y >= 0; --y) {
    std::string row(rowBytes, '\0');
    for (int x = 0; x < w; ++x) {
      const uint32_t c = PatternRgb(x, y);
      const unsigned r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
      const int idx = PatternIndex(x, y) % (palette ? palette : 1);
      switch (bits) {
        case 1: row[x / 8] = static_cast<char>(row[x / 8] | (idx << (7 - x % 8))); break;
        case 4: row[x / 2] = static_cast<char>(row[x / 2] | (idx << (x % 2 ? 0 : 4))); break;
        case 8: row[x] = static_cast<char>(idx); break;
        case 16: {
          const uint32_t v = rgb565 ? ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)
                                    : ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
          row[2 * x] = static_cast<char>(v & 0xFF);
          row[2 * x + 1] = static_cast<char>(v >> 8);
          break;
        }
        case 24:
        case 32: {
          const int n = bits / 8;
          row[n * x] = static_cast<char>(b);
          row[n * x + 1] = static_cast<char>(g);
          row[n * x + 2] = static_cast<char>(r);
          break;
        }
      }
    }
    s += row;
  }
  return s;
}

inline uint32_t Crc32(const std::string& data) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char ch : data) {
    crc ^= ch;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

inline void PngChunk(std::string& out, const char* type, const std::string& body) {
  Put32BE(out, static_cast<uint32_t>(body.size()));
  const std::string typed = std::string(type, 4) + body;
  out += typed;
  Put32BE(out, Crc32(typed));
}

// 8-bit RGB PNG of the pattern.
inline std::string MakePng(int w, int h) {
  std::string raw;
  for (int y = 0; y < h; ++y) {
    raw += '\0';  // filter: none
    for (int x = 0; x < w; ++x) {
      const uint32_t c = PatternRgb(x, y);
      raw += static_cast<char>(c >> 16);
      raw += static_cast<char>((c >> 8) & 0xFF);
      raw += static_cast<char>(c & 0xFF);
    }
  }
  std::string z = "\x78\x01";
  for (size_t pos = 0; pos < raw.size() || pos == 0; pos += 65535) {
    const size_t n = std::min<size_t>(65535, raw.size() - pos);
    const bool last = pos + n >= raw.size();
    z += static_cast<char>(last ? 1 : 0);
    Put16(z, static_cast<uint32_t>(n));
    Put16(z, static_cast<uint32_t>(~n & 0xFFFF));
    z += raw.substr(pos, n);
    if (last) break;
  }
  uint32_t a = 1, b = 0;
  for (unsigned char ch : raw) {
    a = (a + ch) % 65521;
    b = (b + a) % 65521;
  }
  Put32BE(z, (b << 16) | a);
  std::string ihdr;
  Put32BE(ihdr, static_cast<uint32_t>(w));
  Put32BE(ihdr, static_cast<uint32_t>(h));
  ihdr += std::string("\x08\x02\x00\x00\x00", 5);
  std::string png = "\x89PNG\r\n\x1a\n";
  PngChunk(png, "IHDR", ihdr);
  PngChunk(png, "IDAT", z);
  PngChunk(png, "IEND", "");
  return png;
}

// GIF89a of the pattern with a four-colour global map.
inline std::string MakeGif(int w, int h) {
  std::string g = "GIF89a";
  Put16(g, static_cast<uint32_t>(w));
  Put16(g, static_cast<uint32_t>(h));
  g += static_cast<char>(0x80 | 0x10 | 0x01);  // global map of 4 entries, 2 bits of colour
  g += '\0';
  g += '\0';
  for (int i = 0; i < 4; ++i) {
    const uint32_t c = PatternRgb(i, 0);
    g += static_cast<char>(c >> 16);
    g += static_cast<char>((c >> 8) & 0xFF);
    g += static_cast<char>(c & 0xFF);
  }
  g += ',';
  Put16(g, 0);
  Put16(g, 0);
  Put16(g, static_cast<uint32_t>(w));
  Put16(g, static_cast<uint32_t>(h));
  g += '\0';
  // Codes of 3 bits: clear 4, end 5; a clear before every pair of pixels
  // keeps the table from growing past 7.
  std::vector<int> codes;
  int n = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (n % 2 == 0) codes.push_back(4);
      codes.push_back(PatternIndex(x, y));
      ++n;
    }
  }
  codes.push_back(5);
  std::string data;
  uint32_t acc = 0;
  int bitsHeld = 0;
  for (int c : codes) {
    acc |= static_cast<uint32_t>(c) << bitsHeld;
    bitsHeld += 3;
    while (bitsHeld >= 8) {
      data += static_cast<char>(acc & 0xFF);
      acc >>= 8;
      bitsHeld -= 8;
    }
  }
  if (bitsHeld > 0) data += static_cast<char>(acc & 0xFF);
  g += '\x02';  // minimum code size
  for (size_t pos = 0; pos < data.size(); pos += 255) {
    const size_t len = std::min<size_t>(255, data.size() - pos);
    g += static_cast<char>(len);
    g += data.substr(pos, len);
  }
  g += '\0';
  g += ';';
  return g;
}

// The decoded bitmap is the pattern, pixel for pixel.
inline void ExpectPattern(const graphics::Bitmap& b, int w, int h) {
  ASSERT_EQ(b.Width(), w);
  ASSERT_EQ(b.Height(), h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t rgb = PatternRgb(x, y);
      const graphics::Color want = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16);
      ASSERT_EQ(b.PixelColor(x, y), want) << "at " << x << "," << y;
    }
  }
}

}  // namespace fixtures
