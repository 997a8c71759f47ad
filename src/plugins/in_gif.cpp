// GIF decoder plug-in: the first frame, interlaced or not, with its local
// or the global colour map; transparency flattened on white. Delivers a
// 24-bit DIB.
#include <gif_lib.h>

#include "plugins/spi_common.h"

namespace {

struct MemReader {
  const uint8_t* data;
  size_t size;
  size_t pos;
};

int ReadMem(GifFileType* gif, GifByteType* out, int n) {
  auto* r = static_cast<MemReader*>(gif->UserData);
  if (n <= 0) return 0;
  size_t k = static_cast<size_t>(n);
  if (k > r->size - r->pos) k = r->size - r->pos;
  std::memcpy(out, r->data + r->pos, k);
  r->pos += k;
  return static_cast<int>(k);
}

struct Gif {
  GifFileType* file = nullptr;
  ~Gif() {
    if (file) {
      int err = 0;
      DGifCloseFile(file, &err);
    }
  }
};

struct Buffer {
  uint8_t* p = nullptr;
  ~Buffer() { std::free(p); }
};

bool IsGif(const uint8_t* p, size_t n) {
  return n >= 6 && std::memcmp(p, "GIF", 3) == 0 &&
         (std::memcmp(p + 3, "87a", 3) == 0 || std::memcmp(p + 3, "89a", 3) == 0);
}

int Decode(GifFileType* gif, spi::Dib24& dib, SpiProgressCallback progress, long lData) {
  int transparent = -1;
  for (;;) {
    GifRecordType type;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) return SPI_BROKEN_DATA;
    if (type == TERMINATE_RECORD_TYPE) return SPI_BROKEN_DATA;  // no frame at all
    if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* ext = nullptr;
      if (DGifGetExtension(gif, &code, &ext) == GIF_ERROR) return SPI_BROKEN_DATA;
      if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4) {
        GraphicsControlBlock gcb;
        if (DGifExtensionToGCB(ext[0], ext + 1, &gcb) == GIF_OK) transparent = gcb.TransparentColor;
      }
      while (ext) {
        if (DGifGetExtensionNext(gif, &ext) == GIF_ERROR) return SPI_BROKEN_DATA;
      }
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE) continue;
    if (DGifGetImageDesc(gif) == GIF_ERROR) return SPI_BROKEN_DATA;
    break;
  }
  const GifImageDesc& d = gif->Image;
  if (d.Left < 0 || d.Top < 0 || d.Width <= 0 || d.Height <= 0) return SPI_BROKEN_DATA;
  const int64_t right = int64_t{d.Left} + d.Width, bottom = int64_t{d.Top} + d.Height;
  const int64_t cw = gif->SWidth > right ? gif->SWidth : right;
  const int64_t ch = gif->SHeight > bottom ? gif->SHeight : bottom;
  const int created = dib.Create(cw, ch);
  if (created != SPI_SUCCESS) return created;
  // Whatever the frame leaves uncovered shows as white.
  for (int y = 0; y < ch; ++y) std::memset(dib.Row(y), 0xFF, static_cast<size_t>(cw) * 3);

  uint8_t palette[256][3];
  const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
  int colors = 0;
  if (map && map->Colors) {
    colors = map->ColorCount < 256 ? map->ColorCount : 256;
    for (int i = 0; i < colors; ++i) {
      palette[i][0] = map->Colors[i].Blue;
      palette[i][1] = map->Colors[i].Green;
      palette[i][2] = map->Colors[i].Red;
    }
  } else {
    // No colour map anywhere: show the indices as grey levels.
    colors = 256;
    for (int i = 0; i < 256; ++i) palette[i][0] = palette[i][1] = palette[i][2] = static_cast<uint8_t>(i);
  }
  for (int i = colors; i < 256; ++i) palette[i][0] = palette[i][1] = palette[i][2] = 0;

  if (progress && progress(0, d.Height, lData)) return SPI_ABORTED;
  Buffer line;
  line.p = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(d.Width)));
  if (!line.p) return SPI_NO_MEMORY;
  static const int kStart[4] = {0, 4, 2, 1};
  static const int kStep[4] = {8, 8, 4, 2};
  const int passes = d.Interlace ? 4 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    const int start = d.Interlace ? kStart[pass] : 0;
    const int step = d.Interlace ? kStep[pass] : 1;
    for (int y = start; y < d.Height; y += step) {
      if (DGifGetLine(gif, line.p, d.Width) == GIF_ERROR) return SPI_BROKEN_DATA;
      uint8_t* out = dib.Row(d.Top + y) + static_cast<size_t>(d.Left) * 3;
      for (int x = 0; x < d.Width; ++x, out += 3) {
        const int idx = line.p[x];
        if (idx == transparent) continue;
        out[0] = palette[idx][0];
        out[1] = palette[idx][1];
        out[2] = palette[idx][2];
      }
    }
  }
  if (progress && progress(d.Height, d.Height, lData)) return SPI_ABORTED;
  return SPI_SUCCESS;
}

}  // namespace

extern "C" {

SPI_EXPORT int GetPluginInfo(int infono, char* buf, int buflen) {
  switch (infono) {
    case 0: return spi::CopyInfo("00IN", buf, buflen);
    case 1: return spi::CopyInfo("Tovra GIF decoder (giflib)", buf, buflen);
    case 2: return spi::CopyInfo("*.gif", buf, buflen);
    case 3: return spi::CopyInfo("GIF file", buf, buflen);
    default: return 0;
  }
}

SPI_EXPORT int IsSupported(const char*, intptr_t fd) {
  uint8_t head[6];
  const ssize_t n = spi::ReadHead(fd, head, sizeof head);
  return n == static_cast<ssize_t>(sizeof head) && IsGif(head, sizeof head) ? 1 : 0;
}

SPI_EXPORT int GetPicture(const char* buf, long len, unsigned int flag, void** pHBInfo,
                          void** pHBm, SpiProgressCallback progress, long lData) {
  if (!pHBInfo || !pHBm) return SPI_INTERNAL_ERROR;
  *pHBInfo = nullptr;
  *pHBm = nullptr;
  spi::Source src;
  const int opened = spi::OpenSource(buf, len, flag, src);
  if (opened != SPI_SUCCESS) return opened;
  if (!IsGif(src.data, src.size)) return SPI_UNKNOWN_FORMAT;
  MemReader reader{src.data, src.size, 0};
  Gif gif;
  int err = 0;
  gif.file = DGifOpen(&reader, ReadMem, &err);
  if (!gif.file) return err == D_GIF_ERR_NOT_ENOUGH_MEM ? SPI_NO_MEMORY : SPI_BROKEN_DATA;
  spi::Dib24 dib;
  const int rc = Decode(gif.file, dib, progress, lData);
  if (rc != SPI_SUCCESS) return rc;
  dib.HandOver(pHBInfo, pHBm);
  return SPI_SUCCESS;
}

}  // extern "C"
