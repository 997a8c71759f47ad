#include "graphics/bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <string>
#include <utility>

namespace graphics {

void Bitmap::SetSize(int w, int h) {
  if (w < 0 || h < 0) {
    throw PictureError("Invalid bitmap size " + std::to_string(w) + " x " + std::to_string(h));
  }
  if (w == 0 || h == 0) {
    // A bitmap with one side 0 holds no pixel but remembers its sides.
    std::vector<uint32_t>().swap(pixels_);
    width_ = w;
    height_ = h;
    return;
  }
  const int64_t count = int64_t{w} * h;
  if (count > kMaxBitmapPixels) {
    throw PictureError("Bitmap too large: " + std::to_string(w) + " x " + std::to_string(h));
  }
  if (w == width_ && h == height_) return;
  std::vector<uint32_t> fresh;
  try {
    fresh.assign(static_cast<size_t>(count), 0xFFFFFFFFu);
  } catch (const std::bad_alloc&) {
    throw PictureError("Out of memory for a bitmap of " + std::to_string(w) + " x " +
                       std::to_string(h));
  }
  const int keepW = std::min(w, width_);
  const int keepH = std::min(h, height_);
  for (int y = 0; y < keepH; ++y) {
    std::copy_n(pixels_.data() + static_cast<size_t>(y) * width_, keepW,
                fresh.data() + static_cast<size_t>(y) * w);
  }
  pixels_.swap(fresh);
  width_ = w;
  height_ = h;
}

namespace {

// The part of r that lies on a w x h canvas; empty when right <= left.
Rect Clip(Rect r, int w, int h) {
  return Rect{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, w), std::min(r.bottom, h)};
}

bool IsEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

// Contributions of source samples to one destination sample.
struct Tap {
  int first = 0;               // first source index
  std::vector<float> weights;  // one per source index from first on, summing to 1
};

// Taps for destination indices [from, to) of a destination of length dst
// (as 64-bit, since a rectangle may reach far off the canvas) taken from
// a source of length src.
std::vector<Tap> MakeTaps(int src, int64_t dst, int64_t from, int64_t to) {
  std::vector<Tap> taps;
  taps.reserve(static_cast<size_t>(to - from));
  const double scale = static_cast<double>(src) / static_cast<double>(dst);
  for (int64_t i = from; i < to; ++i) {
    Tap t;
    if (src == dst) {
      t.first = static_cast<int>(i);
      t.weights.push_back(1.0f);
    } else if (src > dst) {
      // Shrinking: every source sample weighs by how much of it the
      // destination sample covers.
      const double start = static_cast<double>(i) * scale;
      const double end = static_cast<double>(i + 1) * scale;
      int j0 = static_cast<int>(std::floor(start));
      int j1 = static_cast<int>(std::ceil(end));
      j0 = std::clamp(j0, 0, src - 1);
      j1 = std::clamp(j1, j0 + 1, src);
      t.first = j0;
      double sum = 0;
      std::vector<double> w;
      for (int j = j0; j < j1; ++j) {
        const double overlap = std::min<double>(j + 1, end) - std::max<double>(j, start);
        w.push_back(std::max(overlap, 0.0));
        sum += w.back();
      }
      if (sum <= 0) {
        w.assign(w.size(), 0.0);
        w[0] = 1.0;
        sum = 1.0;
      }
      for (double v : w) t.weights.push_back(static_cast<float>(v / sum));
    } else {
      // Enlarging: bilinear between the two nearest source centres.
      double pos = (static_cast<double>(i) + 0.5) * scale - 0.5;
      pos = std::clamp(pos, 0.0, static_cast<double>(src - 1));
      const int j = std::min(static_cast<int>(pos), src - 1);
      const double frac = pos - j;
      t.first = j;
      if (j + 1 < src && frac > 0) {
        t.weights.push_back(static_cast<float>(1.0 - frac));
        t.weights.push_back(static_cast<float>(frac));
      } else {
        t.weights.push_back(1.0f);
      }
    }
    taps.push_back(std::move(t));
  }
  return taps;
}

inline uint32_t PackRounded(float r, float g, float b) {
  auto ch = [](float v) -> unsigned {
    const float c = std::clamp(v + 0.5f, 0.0f, 255.0f);
    return static_cast<unsigned>(c);
  };
  return RgbPixel(ch(r), ch(g), ch(b));
}

}  // namespace

void Bitmap::FillRect(Rect r, Color c) {
  const Rect v = Clip(r, width_, height_);
  if (IsEmpty(v)) return;
  const uint32_t p = ColorToPixel(c);
  for (int y = v.top; y < v.bottom; ++y) {
    std::fill(Scanline(y) + v.left, Scanline(y) + v.right, p);
  }
}

void Bitmap::Draw(int x, int y, const Bitmap& src) {
  if (src.Empty() || Empty()) return;
  const Rect dst{x, y, static_cast<int>(std::min<int64_t>(int64_t{x} + src.width_, width_)),
                 static_cast<int>(std::min<int64_t>(int64_t{y} + src.height_, height_))};
  const Rect v = Clip(dst, width_, height_);
  if (IsEmpty(v)) return;
  if (&src == this) {
    Bitmap copy = src;
    Draw(x, y, copy);
    return;
  }
  for (int dy = v.top; dy < v.bottom; ++dy) {
    const uint32_t* s = src.Scanline(dy - y) + (v.left - x);
    std::copy_n(s, v.right - v.left, Scanline(dy) + v.left);
  }
}

void Bitmap::StretchDraw(Rect r, const Bitmap& src) {
  if (src.Empty() || Empty() || IsEmpty(r)) return;
  const Rect v = Clip(r, width_, height_);
  if (IsEmpty(v)) return;
  if (&src == this) {
    Bitmap copy = src;
    StretchDraw(r, copy);
    return;
  }
  const int64_t dw = int64_t{r.right} - r.left;
  const int64_t dh = int64_t{r.bottom} - r.top;
  const std::vector<Tap> xt = MakeTaps(src.width_, dw, v.left - int64_t{r.left}, v.right - int64_t{r.left});
  const std::vector<Tap> yt = MakeTaps(src.height_, dh, v.top - int64_t{r.top}, v.bottom - int64_t{r.top});
  const size_t outW = xt.size();
  std::vector<float> acc(outW * 3);
  std::vector<float> row(outW * 3);
  int cachedRow = -1;
  for (size_t oy = 0; oy < yt.size(); ++oy) {
    std::fill(acc.begin(), acc.end(), 0.0f);
    const Tap& ty = yt[oy];
    for (size_t k = 0; k < ty.weights.size(); ++k) {
      const float wy = ty.weights[k];
      if (wy == 0.0f) continue;
      const int sy = ty.first + static_cast<int>(k);
      if (sy != cachedRow) {
        // Horizontal pass of one source row.
        const uint32_t* s = src.Scanline(sy);
        for (size_t ox = 0; ox < outW; ++ox) {
          const Tap& tx = xt[ox];
          float rr = 0, gg = 0, bb = 0;
          for (size_t m = 0; m < tx.weights.size(); ++m) {
            const uint32_t p = s[tx.first + static_cast<int>(m)];
            const float w = tx.weights[m];
            rr += w * static_cast<float>((p >> 16) & 0xFF);
            gg += w * static_cast<float>((p >> 8) & 0xFF);
            bb += w * static_cast<float>(p & 0xFF);
          }
          row[ox * 3] = rr;
          row[ox * 3 + 1] = gg;
          row[ox * 3 + 2] = bb;
        }
        cachedRow = sy;
      }
      for (size_t i = 0; i < outW * 3; ++i) acc[i] += wy * row[i];
    }
    uint32_t* d = Scanline(v.top + static_cast<int>(oy)) + v.left;
    for (size_t ox = 0; ox < outW; ++ox) {
      d[ox] = PackRounded(acc[ox * 3], acc[ox * 3 + 1], acc[ox * 3 + 2]);
    }
  }
}

void Bitmap::CopyRect(Rect dst, const Bitmap& src, Rect srcRect) {
  if (src.Empty() || Empty() || IsEmpty(dst) || IsEmpty(srcRect)) return;
  const int64_t sw = int64_t{srcRect.right} - srcRect.left;
  const int64_t sh = int64_t{srcRect.bottom} - srcRect.top;
  const int64_t dw = int64_t{dst.right} - dst.left;
  const int64_t dh = int64_t{dst.bottom} - dst.top;
  if (sw == dw && sh == dh) {
    // Same size: a plain copy of what lies inside both bitmaps.
    Bitmap copy;
    const Bitmap* from = &src;
    if (&src == this) {
      copy = src;
      from = &copy;
    }
    for (int64_t y = 0; y < dh; ++y) {
      const int64_t sy = srcRect.top + y;
      const int64_t dy = dst.top + y;
      if (sy < 0 || sy >= from->height_ || dy < 0 || dy >= height_) continue;
      int64_t x0 = 0, x1 = dw;
      x0 = std::max({x0, -int64_t{srcRect.left}, -int64_t{dst.left}});
      x1 = std::min({x1, from->width_ - int64_t{srcRect.left}, width_ - int64_t{dst.left}});
      if (x1 <= x0) continue;
      std::copy_n(from->Scanline(static_cast<int>(sy)) + srcRect.left + x0, x1 - x0,
                  Scanline(static_cast<int>(dy)) + dst.left + x0);
    }
    return;
  }
  // Different sizes: scale the part of the source that exists.
  const Rect s = Clip(srcRect, src.width_, src.height_);
  if (IsEmpty(s)) return;
  Bitmap part(s.right - s.left, s.bottom - s.top);
  part.CopyRect(Rect{0, 0, part.width_, part.height_}, src, s);
  StretchDraw(dst, part);
}

void Bitmap::DrawLine(int x0, int y0, int x1, int y1, Color c, int penWidth) {
  if (Empty()) return;
  if (penWidth < 1) penWidth = 1;
  const int before = (penWidth - 1) / 2;
  const int after = penWidth - 1 - before;
  if (y0 == y1) {
    if (x0 == x1) return;
    const int from = x0 < x1 ? x0 : x1 + 1;
    const int to = x0 < x1 ? x1 : x0 + 1;
    FillRect(Rect{from, y0 - before, to, y0 + after + 1}, c);
    return;
  }
  if (x0 == x1) {
    const int from = y0 < y1 ? y0 : y1 + 1;
    const int to = y0 < y1 ? y1 : y0 + 1;
    FillRect(Rect{x0 - before, from, x0 + after + 1, to}, c);
    return;
  }
  // Any other direction: Bresenham, leaving out the end point; a line that
  // misses the canvas is not walked at all.
  if (std::max(x0, x1) + after < 0 || std::min(x0, x1) - before >= width_ ||
      std::max(y0, y1) + after < 0 || std::min(y0, y1) - before >= height_) {
    return;
  }
  int64_t x = x0, y = y0;
  const int64_t dx = std::llabs(int64_t{x1} - x0), dy = -std::llabs(int64_t{y1} - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int64_t err = dx + dy;
  while (!(x == x1 && y == y1)) {
    FillRect(Rect{static_cast<int>(x) - before, static_cast<int>(y) - before,
                  static_cast<int>(x) + after + 1, static_cast<int>(y) + after + 1},
             c);
    const int64_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

Color Bitmap::PixelColor(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return PixelToColor(Scanline(y)[x]);
}

void Bitmap::SetPixelColor(int x, int y, Color c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Scanline(y)[x] = ColorToPixel(c);
}

void Bitmap::Swap(Bitmap& other) noexcept {
  std::swap(width_, other.width_);
  std::swap(height_, other.height_);
  std::swap(format_, other.format_);
  pixels_.swap(other.pixels_);
}

}  // namespace graphics
