#pragma once
/* Decoder plug-in interface shared by Tovra and its *.spi libraries.
 *
 * A plug-in is a shared library exporting three C entry points:
 *
 *   GetPluginInfo(infono, buf, buflen)
 *     Copies a NUL-terminated text into buf (at most buflen bytes with the
 *     NUL) and returns its length without the NUL, or 0 for an unknown
 *     number. 0: interface version ("00IN"), 1: plug-in name, 2n+2: file
 *     pattern of format n ("*.png"), 2n+3: type name of format n ("PNG file").
 *
 *   IsSupported(filename, fd)
 *     fd is a POSIX descriptor of the file opened read-only; the plug-in
 *     reads its signature with pread (the file position is not moved).
 *     Non-zero: the plug-in decodes this file. A bad descriptor answers 0.
 *
 *   GetPicture(buf, len, flag, pHBInfo, pHBm, progress, lData)
 *     (flag & 7) == 0: buf is a file path and len the offset of the picture
 *     in it; (flag & 7) == 1: buf points to len bytes of picture data.
 *     On success *pHBInfo receives a malloc'd BITMAPINFO (header and colour
 *     table) and *pHBm a malloc'd block of pixel rows (bottom-up, each padded
 *     to 4 bytes); the caller frees both with free(). On failure both stay
 *     NULL. progress may be NULL; a non-zero answer from it aborts.
 */
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define SPI_EXPORT __attribute__((visibility("default")))

/* Results of GetPicture. */
enum {
  SPI_SUCCESS = 0,
  SPI_NOT_IMPLEMENTED = -1, /* the request (e.g. a flag) is not handled */
  SPI_ABORTED = 1,          /* the progress callback asked to stop */
  SPI_UNKNOWN_FORMAT = 2,   /* not a picture of this plug-in's format */
  SPI_BROKEN_DATA = 3,      /* damaged, truncated or oversized picture */
  SPI_NO_MEMORY = 4,        /* an allocation failed */
  SPI_FILE_READ_ERROR = 6,  /* the file could not be opened or read */
  SPI_INTERNAL_ERROR = 8,
};

#pragma pack(push, 1)
typedef struct SpiBitmapInfoHeader {
  uint32_t biSize; /* 40 */
  int32_t biWidth;
  int32_t biHeight; /* positive: rows bottom-up */
  uint16_t biPlanes;
  uint16_t biBitCount; /* 1, 4, 8, 16, 24 or 32 */
  uint32_t biCompression; /* 0: uncompressed */
  uint32_t biSizeImage;
  int32_t biXPelsPerMeter;
  int32_t biYPelsPerMeter;
  uint32_t biClrUsed;
  uint32_t biClrImportant;
} SpiBitmapInfoHeader;

typedef struct SpiRgbQuad {
  uint8_t rgbBlue;
  uint8_t rgbGreen;
  uint8_t rgbRed;
  uint8_t rgbReserved;
} SpiRgbQuad;
#pragma pack(pop)

typedef int (*SpiProgressCallback)(int nNum, int nDenom, long lData);

typedef int (*GetPluginInfoFunc)(int infono, char* buf, int buflen);
typedef int (*IsSupportedFunc)(const char* filename, intptr_t fd_or_data);
typedef int (*GetPictureFunc)(const char* buf, long len, unsigned int flag, void** pHBInfo,
                              void** pHBm, SpiProgressCallback progress, long lData);

SPI_EXPORT int GetPluginInfo(int infono, char* buf, int buflen);
SPI_EXPORT int IsSupported(const char* filename, intptr_t fd_or_data);
SPI_EXPORT int GetPicture(const char* buf, long len, unsigned int flag, void** pHBInfo,
                          void** pHBm, SpiProgressCallback progress, long lData);

#ifdef __cplusplus
}
#endif
