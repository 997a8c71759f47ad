// libFuzzer entry point for the JPEG decoder glue.
#include <cstddef>
#include <cstdint>

#include "graphics/jpeg_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  graphics::Bitmap b;
  try {
    graphics::LoadJpegMemory(data, size, b);
  } catch (const graphics::PictureError&) {
  }
  return 0;
}
