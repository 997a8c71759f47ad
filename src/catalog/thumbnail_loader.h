#pragma once
// Loading a picture for its thumbnail cell.
#include <string>

#include "graphics/bitmap.h"

namespace catalog {

// The frame size of a JPEG file from its header, read without decoding;
// false when the file has no readable frame header before its scan.
bool PeekJpegSize(const std::string& path, int& width, int& height);

// Loads the picture at path for a cell whose box side is box and reports
// the picture's own size. A JPEG (by the format table) is decoded at the
// smallest DCT scale whose output still covers the scaled picture, so
// photos cost a fraction of a full decode; every other format loads through
// LoadPictureFile. Raises what the loaders raise.
void LoadThumbnailPicture(const std::string& path, float box, graphics::Bitmap& picture,
                          int& fullWidth, int& fullHeight);

}  // namespace catalog
