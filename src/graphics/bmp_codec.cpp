#include "graphics/bmp_codec.h"

#include <vector>

#include "graphics/dib.h"
#include "graphics/file_io.h"
#include "graphics/picture_error.h"

namespace graphics {

namespace {

constexpr size_t kFileHeader = 14;

uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void Put16(std::vector<uint8_t>& v, size_t at, uint32_t x) {
  v[at] = static_cast<uint8_t>(x);
  v[at + 1] = static_cast<uint8_t>(x >> 8);
}
void Put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
  for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i));
}

[[noreturn]] void Invalid(const std::string& why) {
  throw PictureError("Bitmap image is not valid (" + why + ")");
}

}  // namespace

void LoadBmpMemory(const uint8_t* data, size_t size, Bitmap& out) {
  if (!data || size < kFileHeader + 4) Invalid("file too short");
  if (data[0] != 'B' || data[1] != 'M') Invalid("no BM signature");
  const uint8_t* info = data + kFileHeader;
  const size_t rest = size - kFileHeader;
  const size_t infoBytes = DibInfoBytes(info, rest);
  if (infoBytes == 0) {
    std::string why;
    Bitmap scratch;
    DecodeDib(info, rest, nullptr, 0, scratch, &why);
    Invalid(why.empty() ? "bad header" : why);
  }
  const uint32_t headerSize = U32(info);
  size_t maskBytes = 0;
  if (headerSize == 40) {
    const uint32_t compression = U32(info + 16);
    maskBytes = compression == 3 ? 12 : compression == 6 ? 16 : 0;
  }
  // The pixel offset decides where the rows start; a colour table may be
  // shorter than declared when the rows begin before its end.
  const uint64_t off = U32(data + 10);
  size_t bitsAt;
  size_t infoLen;
  if (off >= kFileHeader + headerSize + maskBytes && off <= size) {
    bitsAt = static_cast<size_t>(off);
    infoLen = bitsAt - kFileHeader;
  } else {
    // A bogus offset: assume the rows follow the colour table.
    bitsAt = kFileHeader + infoBytes;
    infoLen = infoBytes;
    if (bitsAt > size) Invalid("pixel offset out of range");
  }
  if (infoLen < infoBytes) {
    // Short palette: give the decoder a table padded with black.
    std::vector<uint8_t> padded(info, info + infoLen);
    padded.resize(infoBytes, 0);
    std::string why;
    if (!DecodeDib(padded.data(), padded.size(), data + bitsAt, size - bitsAt, out, &why)) {
      Invalid(why);
    }
    return;
  }
  std::string why;
  if (!DecodeDib(info, infoLen, data + bitsAt, size - bitsAt, out, &why)) Invalid(why);
}

void LoadBmpFile(const std::string& path, Bitmap& out) {
  const std::vector<uint8_t> data = ReadWholeFile(path);
  LoadBmpMemory(data.data(), data.size(), out);
}

void SaveBmpFile(const std::string& path, const Bitmap& bmp) {
  const int w = bmp.Width(), h = bmp.Height();
  if (w <= 0 || h <= 0) throw PictureError("Cannot save an empty bitmap as \"" + path + "\"");
  const uint64_t stride = (static_cast<uint64_t>(w) * 3 + 3) & ~uint64_t{3};
  const uint64_t imageSize = stride * static_cast<uint64_t>(h);
  if (imageSize + 54 > 0xFFFFFFFFull) throw PictureError("Bitmap too large to save as BMP");
  std::vector<uint8_t> head(54, 0);
  head[0] = 'B';
  head[1] = 'M';
  Put32(head, 2, static_cast<uint32_t>(54 + imageSize));
  Put32(head, 10, 54);
  Put32(head, 14, 40);
  Put32(head, 18, static_cast<uint32_t>(w));
  Put32(head, 22, static_cast<uint32_t>(h));
  Put16(head, 26, 1);
  Put16(head, 28, 24);
  Put32(head, 34, static_cast<uint32_t>(imageSize));
  Put32(head, 38, 3780);  // 96 dpi
  Put32(head, 42, 3780);

  AtomicFileWriter file(path);
  file.Write(head.data(), head.size());
  std::vector<uint8_t> row(static_cast<size_t>(stride), 0);
  for (int y = h - 1; y >= 0; --y) {
    const uint32_t* s = bmp.Scanline(y);
    for (int x = 0; x < w; ++x) {
      row[3 * x] = static_cast<uint8_t>(s[x]);
      row[3 * x + 1] = static_cast<uint8_t>(s[x] >> 8);
      row[3 * x + 2] = static_cast<uint8_t>(s[x] >> 16);
    }
    file.Write(row.data(), row.size());
  }
  file.Commit();
}

}  // namespace graphics
