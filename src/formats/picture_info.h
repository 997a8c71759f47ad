#pragma once
// What the information dialog tells about one picture file.
#include <cstdint>
#include <string>

#include "graphics/bitmap.h"

// Writes "1,234,567 Byte" and the like into ByteCountText.
void FormatFileSize(uint32_t bytes);

// "1Bit" ... "32Bit", "15Bit" for 5-5-5 pictures, "pfDevice", "pfCustom".
std::string PixelFormatText(graphics::PixelFormat format);

// The right-hand column of the dialog. Every field belongs to the file
// described: what could not be learnt is empty, never left from another file.
struct PictureDescription {
  std::string path;
  std::string dimensions;  // "640*480"
  std::string sizeText;    // FormatFileSize of the directory entry's size
  std::string colorText;
  std::string error;       // why the picture could not be read, if it could not
};

// Reads the directory entry and decodes the picture with the loader its
// extension selects (BMP, JPEG, or a plug-in format found beside the
// program). Decoding errors are returned in error, not raised.
PictureDescription DescribePicture(const std::string& path);
