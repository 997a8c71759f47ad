// libFuzzer entry point for the DIB conversion the plug-in loader uses:
// the first byte splits the input into the info block and the rows.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/dib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const size_t split = 1 + (size_t{data[0]} * 2 > size - 1 ? size - 1 : size_t{data[0]} * 2);
  // Separate copies so the sanitizer sees each block's own end.
  const std::vector<uint8_t> info(data + 1, data + split);
  const std::vector<uint8_t> bits(data + split, data + size);
  graphics::Bitmap b;
  graphics::DibToBitmap(info.data(), info.size(), bits.data(), bits.size(), b);
  return 0;
}
