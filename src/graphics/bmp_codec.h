#pragma once
// Our own BMP reader and writer.
#include <cstddef>
#include <cstdint>
#include <string>

#include "graphics/bitmap.h"

namespace graphics {

// Read a BMP file (Windows and OS/2 headers, 1 to 32 bits, RLE). Throws
// PictureError on unreadable or malformed input; out is untouched then.
// out.Format() tells the stored depth.
void LoadBmpFile(const std::string& path, Bitmap& out);
void LoadBmpMemory(const uint8_t* data, size_t size, Bitmap& out);

// 24-bit uncompressed, bottom-up. Replaces the file through a temporary
// file and a rename; a read-only destination is refused. Throws PictureError.
void SaveBmpFile(const std::string& path, const Bitmap& bmp);

}  // namespace graphics
