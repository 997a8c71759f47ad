#include "graphics/dib.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace graphics {

namespace {

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiAlphaBitfields = 6;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

struct Header {
  uint32_t size = 0;
  int64_t width = 0;
  int64_t height = 0;  // as stored: negative means top-down
  int bitCount = 0;
  uint32_t compression = kBiRgb;
  uint32_t clrUsed = 0;
  uint32_t masks[3] = {0, 0, 0};
  bool core = false;
  size_t maskBytesAfter = 0;  // masks stored after a 40-byte header
  size_t tableOffset = 0;
  size_t tableEntries = 0;  // declared
  size_t entrySize = 4;
};

bool Fail(std::string* why, const char* text) {
  if (why) *why = text;
  return false;
}

bool ParseHeader(const uint8_t* info, size_t infoSize, Header& h, std::string* why) {
  if (!info || infoSize < 4) return Fail(why, "header missing");
  h.size = U32(info);
  if (h.size == 12) {
    if (infoSize < 12) return Fail(why, "header truncated");
    h.core = true;
    h.width = U16(info + 4);
    h.height = U16(info + 6);
    h.bitCount = U16(info + 10);
    h.entrySize = 3;
  } else if (h.size >= 16 && h.size <= 124) {
    // Short OS/2 2.x headers leave the later fields at their defaults.
    uint8_t hdr[124] = {};
    if (infoSize < h.size) return Fail(why, "header truncated");
    std::memcpy(hdr, info, h.size);
    h.width = static_cast<int32_t>(U32(hdr + 4));
    h.height = static_cast<int32_t>(U32(hdr + 8));
    h.bitCount = U16(hdr + 14);
    h.compression = U32(hdr + 16);
    h.clrUsed = U32(hdr + 32);
    if (h.size == 64 && h.compression > kBiRle4) {
      // OS/2 2.x numbers Huffman and RLE24 as 3 and 4; neither is read.
      return Fail(why, "unsupported compression");
    }
    if (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) {
      if (h.size >= 52) {
        h.masks[0] = U32(hdr + 40);
        h.masks[1] = U32(hdr + 44);
        h.masks[2] = U32(hdr + 48);
      } else if (h.size == 40) {
        h.maskBytesAfter = h.compression == kBiAlphaBitfields ? 16 : 12;
        if (infoSize < 40 + h.maskBytesAfter) return Fail(why, "bit fields truncated");
        h.masks[0] = U32(info + 40);
        h.masks[1] = U32(info + 44);
        h.masks[2] = U32(info + 48);
      } else {
        return Fail(why, "bit fields without masks");
      }
    }
  } else {
    return Fail(why, "unknown header size");
  }
  switch (h.bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return Fail(why, "unsupported bit count");
  }
  switch (h.compression) {
    case kBiRgb: break;
    case kBiRle8: if (h.bitCount != 8) return Fail(why, "RLE8 needs 8 bits"); break;
    case kBiRle4: if (h.bitCount != 4) return Fail(why, "RLE4 needs 4 bits"); break;
    case kBiBitfields:
    case kBiAlphaBitfields:
      if (h.bitCount != 16 && h.bitCount != 32) return Fail(why, "bit fields need 16 or 32 bits");
      if ((h.masks[0] | h.masks[1] | h.masks[2]) == 0) return Fail(why, "bit fields without bits");
      break;
    default: return Fail(why, "unsupported compression");
  }
  const int64_t absH = h.height < 0 ? -h.height : h.height;
  if (h.width <= 0 || absH == 0) return Fail(why, "zero or negative size");
  if (h.width > kMaxPictureSide || absH > kMaxPictureSide || h.width * absH > kMaxPicturePixels) {
    return Fail(why, "picture too large");
  }
  if (h.height < 0 && (h.compression == kBiRle8 || h.compression == kBiRle4)) {
    return Fail(why, "top-down RLE");
  }
  if (h.bitCount <= 8) {
    const size_t full = size_t{1} << h.bitCount;
    h.tableEntries = (h.clrUsed == 0 || h.core) ? full : std::min<size_t>(h.clrUsed, full);
  } else {
    // A colour table after true-colour pixels is only a hint for displays.
    h.tableEntries = h.core ? 0 : std::min<size_t>(h.clrUsed, 256);
  }
  h.tableOffset = h.size + h.maskBytesAfter;
  return true;
}

int MaskShift(uint32_t m) { return m ? std::countr_zero(m) : 0; }

struct Channel {
  uint32_t mask;
  int shift;
  uint32_t max;
  uint8_t Get(uint32_t v) const {
    if (!mask) return 0;
    return static_cast<uint8_t>((static_cast<uint64_t>((v & mask) >> shift) * 255 + max / 2) / max);
  }
};

Channel MakeChannel(uint32_t mask) {
  Channel c{mask, MaskShift(mask), 0};
  c.max = mask >> c.shift;
  if (!c.max) c.max = 1;
  return c;
}

// Palette-indexed pixels decoded from RLE into one byte each, bottom row first.
bool DecodeRle(const Header& h, const uint8_t* bits, size_t size, std::vector<uint8_t>& idx,
               std::string* why) {
  const int w = static_cast<int>(h.width);
  const int ht = static_cast<int>(h.height);
  try {
    idx.assign(static_cast<size_t>(w) * ht, 0);
  } catch (const std::bad_alloc&) {
    return Fail(why, "out of memory");
  }
  const bool four = h.compression == kBiRle4;
  size_t p = 0;
  int64_t x = 0, y = 0;
  auto put = [&](uint8_t v) {
    if (x < w && y < ht) idx[static_cast<size_t>(y) * w + x] = v;
    ++x;
  };
  while (p + 1 < size && y < ht) {
    const uint8_t count = bits[p], value = bits[p + 1];
    p += 2;
    if (count > 0) {
      for (int i = 0; i < count && x < w; ++i) {
        put(four ? ((i & 1) ? (value & 0x0F) : (value >> 4)) : value);
      }
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // delta
      if (p + 1 >= size) break;
      x += bits[p];
      y += bits[p + 1];
      p += 2;
    } else {  // absolute run
      const size_t n = value;
      const size_t bytes = four ? (n + 1) / 2 : n;
      if (p + bytes > size) return Fail(why, "RLE data truncated");
      for (size_t i = 0; i < n; ++i) {
        const uint8_t v = four ? ((i & 1) ? (bits[p + i / 2] & 0x0F) : (bits[p + i / 2] >> 4))
                               : bits[p + i];
        if (x >= w) break;
        put(v);
      }
      p += bytes + (bytes & 1);
    }
  }
  return true;
}

PixelFormat FormatFor(const Header& h) {
  switch (h.bitCount) {
    case 1: return PixelFormat::Bpp1;
    case 4: return PixelFormat::Bpp4;
    case 8: return PixelFormat::Bpp8;
    case 16:
      if (h.compression == kBiRgb ||
          (h.masks[0] == 0x7C00 && h.masks[1] == 0x03E0 && h.masks[2] == 0x001F)) {
        return PixelFormat::Bpp15;
      }
      return PixelFormat::Bpp16;
    case 24: return PixelFormat::Bpp24;
    default: return PixelFormat::Bpp32;
  }
}

}  // namespace

size_t DibInfoBytes(const uint8_t* info, size_t infoSize) {
  Header h;
  if (!ParseHeader(info, infoSize, h, nullptr)) return 0;
  return h.tableOffset + h.tableEntries * h.entrySize;
}

bool DecodeDib(const uint8_t* info, size_t infoSize, const uint8_t* bits, size_t bitsSize,
               Bitmap& out, std::string* why) {
  Header h;
  if (!ParseHeader(info, infoSize, h, why)) return false;
  if (h.tableOffset + h.tableEntries * h.entrySize > infoSize) {
    return Fail(why, "colour table does not fit");
  }
  if (!bits) return Fail(why, "pixel rows missing");
  const int w = static_cast<int>(h.width);
  const int ht = static_cast<int>(h.height < 0 ? -h.height : h.height);
  const bool topDown = h.height < 0;

  uint32_t palette[256];
  for (uint32_t& c : palette) c = 0xFF000000u;  // indices past the table are black
  for (size_t i = 0; i < h.tableEntries; ++i) {
    const uint8_t* e = info + h.tableOffset + i * h.entrySize;
    palette[i] = RgbPixel(e[2], e[1], e[0]);
  }

  const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
  const uint64_t stride = ((static_cast<uint64_t>(w) * h.bitCount + 31) / 32) * 4;
  if (!rle && stride * static_cast<uint64_t>(ht) > bitsSize) {
    return Fail(why, "pixel rows do not fit");
  }
  std::vector<uint8_t> rleIdx;
  if (rle && !DecodeRle(h, bits, bitsSize, rleIdx, why)) return false;

  Bitmap result;
  try {
    result.SetSize(w, ht);
  } catch (const PictureError&) {
    return Fail(why, "out of memory");
  }

  uint32_t m16[3] = {0x7C00, 0x03E0, 0x001F};
  uint32_t m32[3] = {0xFF0000, 0x00FF00, 0x0000FF};
  if (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) {
    std::copy_n(h.masks, 3, h.bitCount == 16 ? m16 : m32);
  }
  const uint32_t* masks = h.bitCount == 16 ? m16 : m32;
  const Channel cr = MakeChannel(masks[0]), cg = MakeChannel(masks[1]), cb = MakeChannel(masks[2]);
  const bool plain32 = h.bitCount == 32 && masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF;

  for (int row = 0; row < ht; ++row) {
    const int y = topDown ? row : ht - 1 - row;  // row is the stored order
    uint32_t* d = result.Scanline(y);
    if (rle) {
      const uint8_t* s = rleIdx.data() + static_cast<size_t>(row) * w;
      for (int x = 0; x < w; ++x) d[x] = palette[s[x]];
      continue;
    }
    const uint8_t* s = bits + stride * row;
    switch (h.bitCount) {
      case 1:
        for (int x = 0; x < w; ++x) d[x] = palette[(s[x >> 3] >> (7 - (x & 7))) & 1];
        break;
      case 4:
        for (int x = 0; x < w; ++x) d[x] = palette[(x & 1) ? (s[x >> 1] & 0x0F) : (s[x >> 1] >> 4)];
        break;
      case 8:
        for (int x = 0; x < w; ++x) d[x] = palette[s[x]];
        break;
      case 16:
        for (int x = 0; x < w; ++x) {
          const uint32_t v = U16(s + 2 * x);
          d[x] = RgbPixel(cr.Get(v), cg.Get(v), cb.Get(v));
        }
        break;
      case 24:
        for (int x = 0; x < w; ++x) d[x] = RgbPixel(s[3 * x + 2], s[3 * x + 1], s[3 * x]);
        break;
      case 32:
        if (plain32) {
          for (int x = 0; x < w; ++x) d[x] = RgbPixel(s[4 * x + 2], s[4 * x + 1], s[4 * x]);
        } else {
          for (int x = 0; x < w; ++x) {
            const uint32_t v = U32(s + 4 * x);
            d[x] = RgbPixel(cr.Get(v), cg.Get(v), cb.Get(v));
          }
        }
        break;
    }
  }
  result.SetFormat(FormatFor(h));
  out.Swap(result);
  return true;
}

bool DibToBitmap(const uint8_t* info, size_t infoSize, const uint8_t* bits, size_t bitsSize,
                 Bitmap& out) {
  return DecodeDib(info, infoSize, bits, bitsSize, out, nullptr);
}

}  // namespace graphics
