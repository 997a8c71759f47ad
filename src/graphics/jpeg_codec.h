#pragma once
// JPEG through libjpeg-turbo. Every library error becomes a PictureError
// ("JPEG error: ..."); nothing is printed and the process never exits.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/bitmap.h"

namespace graphics {

// Full-size decode of greyscale, RGB/YCbCr and CMYK/YCCK files; Format() Bpp24.
void LoadJpegFile(const std::string& path, Bitmap& out);
void LoadJpegMemory(const uint8_t* data, size_t size, Bitmap& out);

// Decodes with DCT scaling at the smallest n/8 whose output still covers
// boxW x boxH (full size when none does) and reports the picture's own size.
void LoadJpegFileScaled(const std::string& path, int boxW, int boxH, Bitmap& out,
                        int* fullWidth, int* fullHeight);

// Quality is clamped to 1..100; 4:2:0 chroma.
std::vector<uint8_t> EncodeJpeg(const Bitmap& bmp, int quality);
// Replaces the file through a temporary file and a rename; a read-only
// destination is refused.
void SaveJpegFile(const std::string& path, const Bitmap& bmp, int quality);

// The JPEG picture object the commands work with: load a file, assign to
// and from a bitmap, compress at a quality, save.
class JpegImage {
 public:
  // Quality used by Compress, 1..100.
  int CompressionQuality = 75;

  void LoadFromFile(const std::string& path);  // decodes at once; throws PictureError
  void Assign(const Bitmap& bmp);              // takes a copy of the pixels
  void AssignTo(Bitmap& out) const;            // the decoded pixels, Bpp24
  void Compress();                             // encodes the pixels at CompressionQuality
  void SaveToFile(const std::string& path);    // compresses first when needed

  int Width() const { return bitmap_.Width(); }
  int Height() const { return bitmap_.Height(); }
  bool Empty() const { return bitmap_.Empty(); }
  const std::vector<uint8_t>& Data() const { return data_; }

 private:
  Bitmap bitmap_;
  std::vector<uint8_t> data_;  // the compressed form, when there is one
};

}  // namespace graphics
