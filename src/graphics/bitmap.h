#pragma once
// A 32-bit bitmap with the canvas operations the windows and the catalog
// use. Pixels are stored 0xFFRRGGBB, so a QImage of Format_RGB32 can wrap
// the rows as they are; colours passed in and out are 0x00BBGGRR.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/picture_error.h"

namespace graphics {

enum class PixelFormat { Device, Bpp1, Bpp4, Bpp8, Bpp15, Bpp16, Bpp24, Bpp32, Custom };

// Right and bottom are exclusive.
struct Rect {
  int left, top, right, bottom;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// 0x00BBGGRR: 0xFFFFFF white, 0xC0C0C0 silver, 0x0000FF red.
using Color = uint32_t;

// Largest canvas we agree to allocate (1 GiB of pixels).
inline constexpr int64_t kMaxBitmapPixels = int64_t{1} << 28;

// Colour value <-> stored pixel.
constexpr uint32_t ColorToPixel(Color c) {
  return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr Color PixelToColor(uint32_t p) {
  return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}
constexpr uint32_t RgbPixel(unsigned r, unsigned g, unsigned b) {
  return 0xFF000000u | ((r & 0xFFu) << 16) | ((g & 0xFFu) << 8) | (b & 0xFFu);
}

class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int w, int h) { SetSize(w, h); }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Keeps the overlapping pixels; new pixels are white. 0 x 0 is empty.
  // Negative or oversized dimensions, or a failed allocation, throw
  // PictureError and leave the bitmap as it was.
  void SetSize(int w, int h);
  bool Empty() const { return width_ == 0 || height_ == 0; }
  PixelFormat Format() const { return format_; }
  void SetFormat(PixelFormat f) { format_ = f; }

  uint32_t* Scanline(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const uint32_t* Scanline(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const uint32_t* Bits() const { return pixels_.data(); }
  uint32_t* Bits() { return pixels_.data(); }
  size_t ByteCount() const { return pixels_.size() * 4; }

  void FillRect(Rect r, Color c);
  // Unscaled copy of src with its top left at (x, y).
  void Draw(int x, int y, const Bitmap& src);
  // Scales src to fill r exactly: area averaging when shrinking, bilinear
  // when enlarging. Only the part of r on the canvas is written.
  void StretchDraw(Rect r, const Bitmap& src);
  // Copies srcRect of src onto dst, scaling when the sizes differ.
  void CopyRect(Rect dst, const Bitmap& src, Rect srcRect);
  // End point exclusive, as a pen moved by LineTo draws.
  void DrawLine(int x0, int y0, int x1, int y1, Color c, int penWidth = 1);

  // 0x00BBGGRR; outside the canvas answers 0.
  Color PixelColor(int x, int y) const;
  void SetPixelColor(int x, int y, Color c);

  void Swap(Bitmap& other) noexcept;

 private:
  int width_ = 0;
  int height_ = 0;
  PixelFormat format_ = PixelFormat::Device;
  std::vector<uint32_t> pixels_;
};

}  // namespace graphics
