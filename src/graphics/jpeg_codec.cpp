#include "graphics/jpeg_codec.h"

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

#include "graphics/dib.h"
#include "graphics/file_io.h"
#include "graphics/picture_error.h"

namespace graphics {

namespace {

constexpr J_COLOR_SPACE kNativeRgbx =
    std::endian::native == std::endian::little ? JCS_EXT_BGRX : JCS_EXT_XRGB;

// Lives at a fixed address the library knows, so what it holds survives a
// longjmp.
struct Context {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  unsigned char* mem = nullptr;  // encoder output
  unsigned long memSize = 0;
};

void ErrorExit(j_common_ptr cinfo) {
  Context* ctx = reinterpret_cast<Context*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, ctx->message);
  std::longjmp(ctx->jump, 1);
}

void OutputMessage(j_common_ptr) {}  // warnings stay silent

void InitErrors(Context& ctx) {
  jpeg_std_error(&ctx.pub);
  ctx.pub.error_exit = ErrorExit;
  ctx.pub.output_message = OutputMessage;
  ctx.message[0] = '\0';
}

struct DecompressGuard {
  jpeg_decompress_struct* cinfo;
  volatile bool created = false;
  ~DecompressGuard() {
    if (created) jpeg_destroy_decompress(cinfo);
  }
};

struct CompressGuard {
  jpeg_compress_struct* cinfo;
  Context* ctx;
  volatile bool created = false;
  ~CompressGuard() {
    if (created) jpeg_destroy_compress(cinfo);
    std::free(ctx->mem);
  }
};

uint8_t Mul255(unsigned a, unsigned b) { return static_cast<uint8_t>((a * b + 127) / 255); }

// boxW <= 0 decodes at full size.
void Decode(const uint8_t* data, size_t size, int boxW, int boxH, Bitmap& out, int* fullW,
            int* fullH) {
  jpeg_decompress_struct cinfo;
  Context ctx;
  Bitmap result;
  std::vector<uint8_t> row;
  DecompressGuard guard{&cinfo};
  cinfo.err = &ctx.pub;
  InitErrors(ctx);
  if (setjmp(ctx.jump)) {
    throw PictureError(std::string("JPEG error: ") + ctx.message);
  }
  jpeg_create_decompress(&cinfo);
  guard.created = true;
  // Never let a hostile header make the library reach for gigabytes.
  cinfo.mem->max_memory_to_use = 1L << 30;
  if (!data || size == 0) {
    ERREXIT(&cinfo, JERR_INPUT_EMPTY);
  }
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  const int64_t w = cinfo.image_width, h = cinfo.image_height;
  if (w <= 0 || h <= 0 || w > kMaxPictureSide || h > kMaxPictureSide || w * h > kMaxPicturePixels) {
    throw PictureError("JPEG error: picture too large (" + std::to_string(w) + " x " +
                       std::to_string(h) + ")");
  }
  const J_COLOR_SPACE in = cinfo.jpeg_color_space;
  const bool gray = in == JCS_GRAYSCALE;
  const bool cmyk = in == JCS_CMYK || in == JCS_YCCK;
  cinfo.out_color_space = gray ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : kNativeRgbx;
  cinfo.scale_num = 8;
  cinfo.scale_denom = 8;
  if (boxW > 0 || boxH > 0) {
    for (unsigned n = 1; n <= 8; ++n) {
      cinfo.scale_num = n;
      jpeg_calc_output_dimensions(&cinfo);
      if (static_cast<int64_t>(cinfo.output_width) >= boxW &&
          static_cast<int64_t>(cinfo.output_height) >= boxH) {
        break;
      }
    }
  }
  jpeg_start_decompress(&cinfo);
  const int ow = static_cast<int>(cinfo.output_width), oh = static_cast<int>(cinfo.output_height);
  result.SetSize(ow, oh);
  if (gray || cmyk) row.resize(static_cast<size_t>(ow) * cinfo.output_components);
  // Adobe writes CMYK inverted.
  const bool inverted = cmyk && cinfo.saw_Adobe_marker;
  while (cinfo.output_scanline < cinfo.output_height) {
    const int y = static_cast<int>(cinfo.output_scanline);
    uint32_t* d = result.Scanline(y);
    JSAMPROW rp = (gray || cmyk) ? row.data() : reinterpret_cast<JSAMPROW>(d);
    if (jpeg_read_scanlines(&cinfo, &rp, 1) != 1) break;
    if (gray) {
      for (int x = 0; x < ow; ++x) d[x] = RgbPixel(row[x], row[x], row[x]);
    } else if (cmyk) {
      for (int x = 0; x < ow; ++x) {
        unsigned c = row[4 * x], m = row[4 * x + 1], ye = row[4 * x + 2], k = row[4 * x + 3];
        if (!inverted) {
          c = 255 - c;
          m = 255 - m;
          ye = 255 - ye;
          k = 255 - k;
        }
        d[x] = RgbPixel(Mul255(c, k), Mul255(m, k), Mul255(ye, k));
      }
    } else {
      for (int x = 0; x < ow; ++x) d[x] |= 0xFF000000u;
    }
  }
  jpeg_finish_decompress(&cinfo);
  if (fullW) *fullW = static_cast<int>(w);
  if (fullH) *fullH = static_cast<int>(h);
  result.SetFormat(PixelFormat::Bpp24);
  out.Swap(result);
}

}  // namespace

void LoadJpegMemory(const uint8_t* data, size_t size, Bitmap& out) {
  Decode(data, size, 0, 0, out, nullptr, nullptr);
}

void LoadJpegFile(const std::string& path, Bitmap& out) {
  const std::vector<uint8_t> data = ReadWholeFile(path);
  Decode(data.data(), data.size(), 0, 0, out, nullptr, nullptr);
}

void LoadJpegFileScaled(const std::string& path, int boxW, int boxH, Bitmap& out, int* fullWidth,
                        int* fullHeight) {
  const std::vector<uint8_t> data = ReadWholeFile(path);
  Decode(data.data(), data.size(), std::max(boxW, 1), std::max(boxH, 1), out, fullWidth,
         fullHeight);
}

std::vector<uint8_t> EncodeJpeg(const Bitmap& bmp, int quality) {
  if (bmp.Empty()) throw PictureError("JPEG error: cannot compress an empty picture");
  const volatile int q = std::clamp(quality, 1, 100);
  jpeg_compress_struct cinfo;
  Context ctx;
  std::vector<uint8_t> encoded;
  CompressGuard guard{&cinfo, &ctx};
  cinfo.err = &ctx.pub;
  InitErrors(ctx);
  if (setjmp(ctx.jump)) {
    throw PictureError(std::string("JPEG error: ") + ctx.message);
  }
  jpeg_create_compress(&cinfo);
  guard.created = true;
  jpeg_mem_dest(&cinfo, &ctx.mem, &ctx.memSize);
  cinfo.image_width = static_cast<JDIMENSION>(bmp.Width());
  cinfo.image_height = static_cast<JDIMENSION>(bmp.Height());
  cinfo.input_components = 4;
  cinfo.in_color_space = kNativeRgbx;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, q, TRUE);
  // 4:2:0: chroma at half resolution both ways.
  cinfo.comp_info[0].h_samp_factor = 2;
  cinfo.comp_info[0].v_samp_factor = 2;
  cinfo.comp_info[1].h_samp_factor = cinfo.comp_info[1].v_samp_factor = 1;
  cinfo.comp_info[2].h_samp_factor = cinfo.comp_info[2].v_samp_factor = 1;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    // The library only reads the row.
    JSAMPROW rp = reinterpret_cast<JSAMPROW>(
        const_cast<uint32_t*>(bmp.Scanline(static_cast<int>(cinfo.next_scanline))));
    jpeg_write_scanlines(&cinfo, &rp, 1);
  }
  jpeg_finish_compress(&cinfo);
  encoded.assign(ctx.mem, ctx.mem + ctx.memSize);
  return encoded;
}

void SaveJpegFile(const std::string& path, const Bitmap& bmp, int quality) {
  const std::vector<uint8_t> data = EncodeJpeg(bmp, quality);
  AtomicFileWriter file(path);
  file.Write(data.data(), data.size());
  file.Commit();
}

void JpegImage::LoadFromFile(const std::string& path) {
  std::vector<uint8_t> data = ReadWholeFile(path);
  Bitmap decoded;
  LoadJpegMemory(data.data(), data.size(), decoded);
  bitmap_.Swap(decoded);
  data_.swap(data);
}

void JpegImage::Assign(const Bitmap& bmp) {
  bitmap_ = bmp;
  bitmap_.SetFormat(PixelFormat::Bpp24);
  data_.clear();
}

void JpegImage::AssignTo(Bitmap& out) const {
  Bitmap copy = bitmap_;
  copy.SetFormat(PixelFormat::Bpp24);
  out.Swap(copy);
}

void JpegImage::Compress() {
  data_ = EncodeJpeg(bitmap_, CompressionQuality);
}

void JpegImage::SaveToFile(const std::string& path) {
  if (data_.empty()) Compress();
  AtomicFileWriter file(path);
  file.Write(data_.data(), data_.size());
  file.Commit();
}

}  // namespace graphics
