#pragma once
// Device-independent bitmaps: a BITMAPINFO block (header and colour table)
// and a separate block of pixel rows, as plug-ins deliver them and as a BMP
// file stores them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "graphics/bitmap.h"

namespace graphics {

// Sides and pixel count above which a picture is refused before any
// allocation.
inline constexpr int kMaxPictureSide = 65536;
inline constexpr int64_t kMaxPicturePixels = int64_t{1} << 28;

// Converts the DIB into out. Rows are bottom-up unless the height is
// negative and padded to 4 bytes; 1, 4, 8, 16, 24 and 32 bits per pixel,
// uncompressed, bit fields, RLE8 and RLE4. Headers of 12 (OS/2) and 16 to
// 124 bytes (Windows) are read. Returns false, leaving out untouched, when
// the header is not sane or its sizes do not fit the two blocks.
bool DibToBitmap(const uint8_t* info, size_t infoSize, const uint8_t* bits, size_t bitsSize,
                 Bitmap& out);

// The same, with the reason of a refusal in *why.
bool DecodeDib(const uint8_t* info, size_t infoSize, const uint8_t* bits, size_t bitsSize,
               Bitmap& out, std::string* why);

// Bytes the info block of this header needs (header, bit masks stored after
// a 40-byte header, colour table), or 0 when the header is not sane.
// Reads at most the first 40 bytes and never more than infoSize.
size_t DibInfoBytes(const uint8_t* info, size_t infoSize);

}  // namespace graphics
