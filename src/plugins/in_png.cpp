// PNG decoder plug-in: every colour type and depth, palettes, transparency
// flattened on white, interlaced and 16-bit files; delivers a 24-bit DIB.
#include <png.h>

#include <csetjmp>

#include "plugins/spi_common.h"

namespace {

struct MemReader {
  const uint8_t* data;
  size_t size;
  size_t pos;
};

void ReadMem(png_structp png, png_bytep out, png_size_t n) {
  auto* r = static_cast<MemReader*>(png_get_io_ptr(png));
  if (n > r->size - r->pos) png_error(png, "unexpected end of data");
  std::memcpy(out, r->data + r->pos, n);
  r->pos += n;
}

void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

// Everything the decode allocates lives here, so a longjmp loses nothing.
struct Job {
  png_structp png = nullptr;
  png_infop info = nullptr;
  uint8_t* image = nullptr;
  png_bytep* rows = nullptr;
  spi::Dib24 dib;
  ~Job() {
    std::free(rows);
    std::free(image);
    if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
  }
};

int Decode(Job* job, MemReader* reader, SpiProgressCallback progress, long lData) {
  job->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (!job->png) return SPI_NO_MEMORY;
  job->info = png_create_info_struct(job->png);
  if (!job->info) return SPI_NO_MEMORY;
  if (setjmp(png_jmpbuf(job->png))) return SPI_BROKEN_DATA;
  png_set_read_fn(job->png, reader, ReadMem);
  png_set_user_limits(job->png, spi::kMaxSide, spi::kMaxSide);
  png_read_info(job->png, job->info);
  png_uint_32 w = 0, h = 0;
  int depth = 0, colorType = 0, interlace = 0;
  png_get_IHDR(job->png, job->info, &w, &h, &depth, &colorType, &interlace, nullptr, nullptr);
  const int created = job->dib.Create(w, h);
  if (created != SPI_SUCCESS) return created;

  // Everything becomes 8-bit RGBA.
  png_set_expand(job->png);
  png_set_scale_16(job->png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_gray_to_rgb(job->png);
  }
  png_set_filler(job->png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(job->png);
  png_read_update_info(job->png, job->info);
  const size_t rowBytes = png_get_rowbytes(job->png, job->info);
  if (rowBytes != static_cast<size_t>(w) * 4) return SPI_INTERNAL_ERROR;

  if (progress && progress(0, static_cast<int>(h), lData)) return SPI_ABORTED;
  auto flatten = [&](const uint8_t* s, png_uint_32 y) {
    uint8_t* d = job->dib.Row(static_cast<int>(y));
    for (png_uint_32 x = 0; x < w; ++x, s += 4, d += 3) {
      d[0] = spi::OnWhite(s[2], s[3]);
      d[1] = spi::OnWhite(s[1], s[3]);
      d[2] = spi::OnWhite(s[0], s[3]);
    }
  };
  if (interlace == PNG_INTERLACE_NONE) {
    // Row by row: a picture that claims to be huge costs one row until its
    // data runs out.
    job->image = static_cast<uint8_t*>(std::malloc(rowBytes));
    if (!job->image) return SPI_NO_MEMORY;
    for (png_uint_32 y = 0; y < h; ++y) {
      png_read_row(job->png, job->image, nullptr);
      flatten(job->image, y);
    }
  } else {
    // Interlaced passes refine the whole picture, so it is kept whole.
    job->image = static_cast<uint8_t*>(std::malloc(rowBytes * h));
    job->rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * h));
    if (!job->image || !job->rows) return SPI_NO_MEMORY;
    for (png_uint_32 y = 0; y < h; ++y) job->rows[y] = job->image + rowBytes * y;
    png_read_image(job->png, job->rows);
    for (png_uint_32 y = 0; y < h; ++y) flatten(job->rows[y], y);
  }
  if (progress && progress(static_cast<int>(h), static_cast<int>(h), lData)) return SPI_ABORTED;
  return SPI_SUCCESS;
}

}  // namespace

extern "C" {

SPI_EXPORT int GetPluginInfo(int infono, char* buf, int buflen) {
  switch (infono) {
    case 0: return spi::CopyInfo("00IN", buf, buflen);
    case 1: return spi::CopyInfo("Tovra PNG decoder (libpng " PNG_LIBPNG_VER_STRING ")", buf, buflen);
    case 2: return spi::CopyInfo("*.png", buf, buflen);
    case 3: return spi::CopyInfo("PNG file", buf, buflen);
    default: return 0;
  }
}

SPI_EXPORT int IsSupported(const char*, intptr_t fd) {
  uint8_t head[8];
  if (spi::ReadHead(fd, head, sizeof head) != static_cast<ssize_t>(sizeof head)) return 0;
  return png_sig_cmp(head, 0, sizeof head) == 0 ? 1 : 0;
}

SPI_EXPORT int GetPicture(const char* buf, long len, unsigned int flag, void** pHBInfo,
                          void** pHBm, SpiProgressCallback progress, long lData) {
  if (!pHBInfo || !pHBm) return SPI_INTERNAL_ERROR;
  *pHBInfo = nullptr;
  *pHBm = nullptr;
  spi::Source src;
  const int opened = spi::OpenSource(buf, len, flag, src);
  if (opened != SPI_SUCCESS) return opened;
  if (src.size < 8 || png_sig_cmp(src.data, 0, 8) != 0) return SPI_UNKNOWN_FORMAT;
  MemReader reader{src.data, src.size, 0};
  Job job;
  const int rc = Decode(&job, &reader, progress, lData);
  if (rc != SPI_SUCCESS) return rc;
  job.dib.HandOver(pHBInfo, pHBm);
  return SPI_SUCCESS;
}

}  // extern "C"
