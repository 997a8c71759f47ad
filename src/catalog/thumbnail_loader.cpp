#include "catalog/thumbnail_loader.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "catalog/geometry.h"
#include "formats/picture_loading.h"
#include "graphics/jpeg_codec.h"

namespace catalog {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

bool IsFrameMarker(int m) {
  return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

}  // namespace

bool PeekJpegSize(const std::string& path, int& width, int& height) {
  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
  if (!f) return false;
  std::FILE* in = f.get();
  if (std::fgetc(in) != 0xFF || std::fgetc(in) != 0xD8) return false;
  // Segments before the frame header are few; a damaged file must not
  // keep us walking.
  for (int segments = 0; segments < 1000; ++segments) {
    int c = std::fgetc(in);
    if (c != 0xFF) return false;
    do {
      c = std::fgetc(in);
    } while (c == 0xFF);
    if (c == EOF) return false;
    if (c == 0x01 || (c >= 0xD0 && c <= 0xD8)) continue;  // no length
    if (c == 0xD9 || c == 0xDA) return false;              // end or scan: no frame seen
    const int hi = std::fgetc(in), lo = std::fgetc(in);
    if (hi == EOF || lo == EOF) return false;
    const int length = (hi << 8) | lo;
    if (length < 2) return false;
    if (IsFrameMarker(c)) {
      unsigned char b[5];
      if (length < 7 || std::fread(b, 1, 5, in) != 5) return false;
      height = (b[1] << 8) | b[2];
      width = (b[3] << 8) | b[4];
      return width > 0 && height > 0;
    }
    if (std::fseek(in, length - 2, SEEK_CUR) != 0) return false;
  }
  return false;
}

void LoadThumbnailPicture(const std::string& path, float box, graphics::Bitmap& picture,
                          int& fullWidth, int& fullHeight) {
  fullWidth = 0;
  fullHeight = 0;
  if (FormatSlotOf(path) == 1) {
    // Cover the rectangle the picture will be stretched into; without a
    // readable header, cover the whole box.
    int coverW = static_cast<int>(box + 0.999f), coverH = coverW;
    int w = 0, h = 0;
    if (PeekJpegSize(path, w, h)) {
      const ThumbPlacement p = PlaceThumbnail(w, h, box);
      coverW = std::max(p.w, 1);
      coverH = std::max(p.h, 1);
    }
    graphics::LoadJpegFileScaled(path, coverW, coverH, picture, &fullWidth, &fullHeight);
    return;
  }
  LoadPictureFile(path, picture);
  fullWidth = picture.Width();
  fullHeight = picture.Height();
}

}  // namespace catalog
