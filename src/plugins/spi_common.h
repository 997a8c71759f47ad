#pragma once
// Helpers both decoder plug-ins share: reading the source, the answer of
// GetPluginInfo and the 24-bit DIB they deliver.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "plugins/spi.h"

namespace spi {

inline constexpr int64_t kMaxSide = 65536;
inline constexpr int64_t kMaxPixels = int64_t{1} << 28;
inline constexpr size_t kMaxFileBytes = size_t{1} << 30;

inline int CopyInfo(const char* text, char* buf, int buflen) {
  if (!buf || buflen <= 0) return 0;
  const size_t n = std::strlen(text);
  const size_t k = n < static_cast<size_t>(buflen) - 1 ? n : static_cast<size_t>(buflen) - 1;
  std::memcpy(buf, text, k);
  buf[k] = '\0';
  return static_cast<int>(k);
}

// The first bytes of the file behind fd, without moving its position.
inline ssize_t ReadHead(intptr_t fd, uint8_t* buf, size_t n) {
  if (fd < 0 || fd > INT32_MAX) return -1;
  ssize_t r;
  do {
    r = ::pread(static_cast<int>(fd), buf, n, 0);
  } while (r < 0 && errno == EINTR);
  return r;
}

// The picture's bytes: a whole file from an offset, or the caller's memory.
struct Source {
  const uint8_t* data = nullptr;
  size_t size = 0;
  uint8_t* owned = nullptr;
  ~Source() { std::free(owned); }
};

inline int OpenSource(const char* buf, long len, unsigned int flag, Source& src) {
  if (!buf) return SPI_FILE_READ_ERROR;
  if ((flag & 7) == 1) {
    if (len <= 0) return SPI_BROKEN_DATA;
    src.data = reinterpret_cast<const uint8_t*>(buf);
    src.size = static_cast<size_t>(len);
    return SPI_SUCCESS;
  }
  if ((flag & 7) != 0) return SPI_NOT_IMPLEMENTED;
  const int fd = ::open(buf, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return SPI_FILE_READ_ERROR;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || len < 0 || st.st_size < len ||
      static_cast<uint64_t>(st.st_size - len) > kMaxFileBytes) {
    ::close(fd);
    return SPI_FILE_READ_ERROR;
  }
  const size_t want = static_cast<size_t>(st.st_size - len);
  src.owned = static_cast<uint8_t*>(std::malloc(want ? want : 1));
  if (!src.owned) {
    ::close(fd);
    return SPI_NO_MEMORY;
  }
  size_t got = 0;
  while (got < want) {
    const ssize_t r = ::pread(fd, src.owned + got, want - got, static_cast<off_t>(len + got));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) break;
    got += static_cast<size_t>(r);
  }
  ::close(fd);
  src.data = src.owned;
  src.size = got;
  return SPI_SUCCESS;
}

// A 24-bit bottom-up DIB being filled; released unless handed over.
struct Dib24 {
  SpiBitmapInfoHeader* info = nullptr;
  uint8_t* bits = nullptr;
  size_t stride = 0;
  int height = 0;

  ~Dib24() {
    std::free(info);
    std::free(bits);
  }

  int Create(int64_t w, int64_t h) {
    if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide || w * h > kMaxPixels) {
      return SPI_BROKEN_DATA;
    }
    stride = static_cast<size_t>((w * 3 + 3) & ~int64_t{3});
    height = static_cast<int>(h);
    info = static_cast<SpiBitmapInfoHeader*>(std::calloc(1, sizeof(SpiBitmapInfoHeader)));
    bits = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(h), stride));
    if (!info || !bits) return SPI_NO_MEMORY;
    info->biSize = sizeof(SpiBitmapInfoHeader);
    info->biWidth = static_cast<int32_t>(w);
    info->biHeight = static_cast<int32_t>(h);
    info->biPlanes = 1;
    info->biBitCount = 24;
    info->biCompression = 0;
    info->biSizeImage = static_cast<uint32_t>(stride * static_cast<size_t>(h));
    info->biXPelsPerMeter = info->biYPelsPerMeter = 3780;
    return SPI_SUCCESS;
  }

  // Row y counted from the top of the picture.
  uint8_t* Row(int y) { return bits + stride * static_cast<size_t>(height - 1 - y); }

  void HandOver(void** pInfo, void** pBits) {
    *pInfo = info;
    *pBits = bits;
    info = nullptr;
    bits = nullptr;
  }
};

// Colour c seen through alpha a on white.
inline uint8_t OnWhite(unsigned c, unsigned a) {
  return static_cast<uint8_t>((c * a + 255u * (255u - a) + 127u) / 255u);
}

}  // namespace spi
