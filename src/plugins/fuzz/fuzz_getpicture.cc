// libFuzzer entry point for a decoder plug-in, built with the plug-in's
// source: GetPicture on the input as picture data in memory.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "plugins/spi.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  void* info = nullptr;
  void* bits = nullptr;
  GetPicture(reinterpret_cast<const char*>(data), static_cast<long>(size), 1, &info, &bits, nullptr, 0);
  std::free(info);
  std::free(bits);
  return 0;
}
