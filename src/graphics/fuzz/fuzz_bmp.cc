// libFuzzer entry point for the BMP reader.
#include <cstddef>
#include <cstdint>

#include "graphics/bmp_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  graphics::Bitmap b;
  try {
    graphics::LoadBmpMemory(data, size, b);
  } catch (const graphics::PictureError&) {
  }
  return 0;
}
