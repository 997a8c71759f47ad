// The real PNG and GIF plug-ins, loaded with dlopen from the program's
// folder, and the loader's handling of broken plug-ins.
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <gif_lib.h>
#include <png.h>
#include <unistd.h>
#include <zlib.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "graphics/plugin_loader.h"
#include "plugins/spi.h"
#include "support/temp_dir.h"

namespace {

using graphics::Bitmap;
using graphics::Color;
using graphics::PluginStatus;
using testsupport::TempDir;

const std::string kPng = std::string(TOVRA_BIN_DIR) + "/InPng.spi";
const std::string kGif = std::string(TOVRA_BIN_DIR) + "/InGif.spi";
const std::string kFakeDir = TOVRA_FAKE_PLUGIN_DIR;

struct Rgba {
  uint8_t r, g, b, a;
};

Color OnWhite(Rgba p) {
  auto ch = [&](unsigned c) { return (c * p.a + 255u * (255u - p.a) + 127u) / 255u; };
  return ch(p.r) | (ch(p.g) << 8) | (ch(p.b) << 16);
}

// ---------------------------------------------------------------- PNG files

struct PngCase {
  const char* name;
  int colorType;
  int depth;
  bool interlaced;
  int w, h;
  // One row of samples in libpng's packing.
  std::function<std::vector<uint8_t>(int y)> row;
  std::function<Color(int x, int y)> expected;
  std::vector<png_color> palette = {};
  std::vector<uint8_t> trnsAlpha = {};  // palette alpha
  bool grayTrns = false;
  png_color_16 trnsColor{};
};

void WritePng(const std::string& path, const PngCase& c) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, f);
  png_set_IHDR(png, info, c.w, c.h, c.depth, c.colorType, c.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!c.palette.empty()) png_set_PLTE(png, info, c.palette.data(), static_cast<int>(c.palette.size()));
  if (!c.trnsAlpha.empty()) png_set_tRNS(png, info, c.trnsAlpha.data(), static_cast<int>(c.trnsAlpha.size()), nullptr);
  if (c.grayTrns) png_set_tRNS(png, info, nullptr, 0, const_cast<png_color_16*>(&c.trnsColor));
  png_write_info(png, info);
  std::vector<std::vector<uint8_t>> rows;
  std::vector<png_bytep> ptrs;
  for (int y = 0; y < c.h; ++y) rows.push_back(c.row(y));
  for (auto& r : rows) ptrs.push_back(r.data());
  png_write_image(png, ptrs.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
}

std::vector<uint8_t> Pack(const std::vector<unsigned>& samples, int depth) {
  std::vector<uint8_t> out;
  if (depth >= 8) {
    for (unsigned s : samples) {
      if (depth == 16) out.push_back(static_cast<uint8_t>(s >> 8));
      out.push_back(static_cast<uint8_t>(s));
    }
    return out;
  }
  const int perByte = 8 / depth;
  out.assign((samples.size() + perByte - 1) / perByte, 0);
  for (size_t i = 0; i < samples.size(); ++i)
    out[i / perByte] |= static_cast<uint8_t>(samples[i] << (8 - depth * (1 + i % perByte)));
  return out;
}

Rgba Rgb8(int x, int y) { return {static_cast<uint8_t>(x * 20), static_cast<uint8_t>(y * 30), 100, 255}; }
uint8_t Alpha(int x, int y) { return static_cast<uint8_t>((x * 60 + y * 25) % 256); }
unsigned GrayLevel(int x, int y, int depth) { return static_cast<unsigned>(x + 3 * y) % (1u << depth); }
Color Gray(unsigned v) { return v | (v << 8) | (v << 16); }

std::vector<png_color> TestPalette(int n) {
  std::vector<png_color> p;
  for (int i = 0; i < n; ++i) p.push_back({static_cast<png_byte>(i * 15), static_cast<png_byte>(255 - i * 7), static_cast<png_byte>(i * 3 + 1)});
  return p;
}

std::vector<PngCase> PngCases() {
  std::vector<PngCase> cases;
  const int W = 13, H = 11;
  auto rgbRow = [W](int depth, bool alpha) {
    return [W, depth, alpha](int y) {
      std::vector<unsigned> s;
      for (int x = 0; x < W; ++x) {
        const Rgba p = Rgb8(x, y);
        const unsigned k = depth == 16 ? 257 : 1;
        s.insert(s.end(), {p.r * k, p.g * k, p.b * k});
        if (alpha) s.push_back(Alpha(x, y) * k);
      }
      return Pack(s, depth);
    };
  };
  for (bool interlaced : {false, true}) {
    cases.push_back({interlaced ? "rgb8 interlaced" : "rgb8", PNG_COLOR_TYPE_RGB, 8, interlaced, W, H, rgbRow(8, false),
                     [](int x, int y) { return OnWhite(Rgb8(x, y)); }});
    cases.push_back({interlaced ? "rgba8 interlaced" : "rgba8", PNG_COLOR_TYPE_RGBA, 8, interlaced, W, H, rgbRow(8, true),
                     [](int x, int y) { Rgba p = Rgb8(x, y); p.a = Alpha(x, y); return OnWhite(p); }});
  }
  cases.push_back({"rgb16", PNG_COLOR_TYPE_RGB, 16, false, W, H, rgbRow(16, false),
                   [](int x, int y) { return OnWhite(Rgb8(x, y)); }});
  cases.push_back({"rgba16", PNG_COLOR_TYPE_RGBA, 16, true, W, H, rgbRow(16, true),
                   [](int x, int y) { Rgba p = Rgb8(x, y); p.a = Alpha(x, y); return OnWhite(p); }});
  for (int depth : {1, 2, 4, 8, 16}) {
    static const char* names[] = {"", "gray1", "gray2", "", "gray4", "", "", "", "gray8", "", "", "", "", "", "", "", "gray16"};
    cases.push_back({names[depth], PNG_COLOR_TYPE_GRAY, depth, depth == 2, W, H,
                     [W, depth](int y) {
                       std::vector<unsigned> s;
                       for (int x = 0; x < W; ++x) s.push_back(GrayLevel(x, y, depth));
                       return Pack(s, depth);
                     },
                     [depth](int x, int y) {
                       const unsigned v = GrayLevel(x, y, depth);
                       const unsigned max = (1u << depth) - 1;
                       return Gray(depth == 16 ? (v * 255 + max / 2) / max : v * 255 / max);
                     }});
  }
  cases.push_back({"gray alpha 8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, W, H,
                   [W](int y) {
                     std::vector<unsigned> s;
                     for (int x = 0; x < W; ++x) s.insert(s.end(), {GrayLevel(x, y, 8) * 9 % 256, Alpha(x, y)});
                     return Pack(s, 8);
                   },
                   [](int x, int y) {
                     const uint8_t v = static_cast<uint8_t>(GrayLevel(x, y, 8) * 9 % 256);
                     return OnWhite({v, v, v, Alpha(x, y)});
                   }});
  {
    PngCase c{"gray8 with transparent level", PNG_COLOR_TYPE_GRAY, 8, false, W, H,
              [W](int y) {
                std::vector<unsigned> s;
                for (int x = 0; x < W; ++x) s.push_back(x == y ? 7u : 90u);
                return Pack(s, 8);
              },
              [](int x, int y) { return x == y ? Gray(255) : Gray(90); }};
    c.grayTrns = true;
    c.trnsColor.gray = 7;
    cases.push_back(c);
  }
  for (int depth : {1, 4, 8}) {
    const int n = 1 << depth;
    PngCase c{depth == 1 ? "palette1" : depth == 4 ? "palette4 with alpha" : "palette8 with alpha", PNG_COLOR_TYPE_PALETTE, depth,
              depth == 4, W, H,
              [W, depth, n](int y) {
                std::vector<unsigned> s;
                for (int x = 0; x < W; ++x) s.push_back(static_cast<unsigned>(x + y) % n);
                return Pack(s, depth);
              },
              nullptr, TestPalette(n)};
    if (depth > 1) c.trnsAlpha = {0, 128, 255, 40};  // entries past the table are opaque
    const auto pal = c.palette;
    const auto alpha = c.trnsAlpha;
    c.expected = [pal, alpha, n](int x, int y) {
      const int i = (x + y) % n;
      const uint8_t a = i < static_cast<int>(alpha.size()) ? alpha[i] : 255;
      return OnWhite({pal[i].red, pal[i].green, pal[i].blue, a});
    };
    cases.push_back(c);
  }
  return cases;
}

void ExpectPicture(const Bitmap& b, int w, int h, const std::function<Color(int, int)>& expected, const std::string& name) {
  ASSERT_EQ(b.Width(), w) << name;
  ASSERT_EQ(b.Height(), h) << name;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) ASSERT_EQ(b.PixelColor(x, y), expected(x, y)) << name << " at " << x << "," << y;
}

TEST(PngPluginTest, EveryColourTypeAndDepthDecodes) {
  TempDir dir;
  for (const PngCase& c : PngCases()) {
    const std::string path = dir / (std::string(c.name) + ".png");
    WritePng(path, c);
    Bitmap b;
    ASSERT_EQ(graphics::DecodeWithPlugin(kPng, path, b), PluginStatus::Decoded) << c.name;
    EXPECT_EQ(b.Format(), graphics::PixelFormat::Bpp24);
    ExpectPicture(b, c.w, c.h, c.expected, c.name);
  }
}

// ---------------------------------------------------------------- GIF files

struct GifFrame {
  int left, top, w, h;
  bool interlaced;
  std::vector<GifColorType> localMap;
  int transparent = -1;
  std::function<int(int x, int y)> index;
};

void WriteGif(const std::string& path, int sw, int sh, const std::vector<GifColorType>& globalMap,
              const std::vector<GifFrame>& frames) {
  int err = 0;
  GifFileType* gif = EGifOpenFileName(path.c_str(), false, &err);
  ASSERT_NE(gif, nullptr);
  EGifSetGifVersion(gif, true);
  ColorMapObject* global = globalMap.empty() ? nullptr : GifMakeMapObject(static_cast<int>(globalMap.size()), globalMap.data());
  ASSERT_EQ(EGifPutScreenDesc(gif, sw, sh, 8, 0, global), GIF_OK);
  for (const GifFrame& f : frames) {
    if (f.transparent >= 0) {
      GraphicsControlBlock gcb{};
      gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
      gcb.TransparentColor = f.transparent;
      GifByteType ext[4];
      EGifGCBToExtension(&gcb, ext);
      ASSERT_EQ(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext), GIF_OK);
    }
    ColorMapObject* local = f.localMap.empty() ? nullptr : GifMakeMapObject(static_cast<int>(f.localMap.size()), f.localMap.data());
    ASSERT_EQ(EGifPutImageDesc(gif, f.left, f.top, f.w, f.h, f.interlaced, local), GIF_OK);
    std::vector<int> order;
    if (f.interlaced) {
      const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
      for (int p = 0; p < 4; ++p)
        for (int y = start[p]; y < f.h; y += step[p]) order.push_back(y);
    } else {
      for (int y = 0; y < f.h; ++y) order.push_back(y);
    }
    std::vector<GifPixelType> line(f.w);
    for (int y : order) {
      for (int x = 0; x < f.w; ++x) line[x] = static_cast<GifPixelType>(f.index(x, y));
      ASSERT_EQ(EGifPutLine(gif, line.data(), f.w), GIF_OK);
    }
    GifFreeMapObject(local);
  }
  GifFreeMapObject(global);
  ASSERT_EQ(EGifCloseFile(gif, &err), GIF_OK);
}

std::vector<GifColorType> GifMap(int n, int seed) {
  std::vector<GifColorType> m;
  for (int i = 0; i < n; ++i) m.push_back({static_cast<GifByteType>(i * 13 + seed), static_cast<GifByteType>(200 - i * 5), static_cast<GifByteType>(i * 29 % 256)});
  return m;
}

Color MapColor(const std::vector<GifColorType>& m, int i) { return m[i].Red | (m[i].Green << 8) | (m[i].Blue << 16); }

TEST(GifPluginTest, FirstFrameWithItsColourMapAndTransparency) {
  TempDir dir;
  const auto global = GifMap(16, 3), local = GifMap(16, 100);
  auto pattern = [](int x, int y) { return (x * 3 + y * 5) % 16; };
  struct Case {
    const char* name;
    int sw, sh;
    GifFrame frame;
    std::function<Color(int, int)> expected;
  } cases[] = {
      {"global map", 9, 7, {0, 0, 9, 7, false, {}, -1, pattern}, [&](int x, int y) { return MapColor(global, pattern(x, y)); }},
      {"interlaced", 9, 19, {0, 0, 9, 19, true, {}, -1, pattern}, [&](int x, int y) { return MapColor(global, pattern(x, y)); }},
      {"local map wins", 9, 7, {0, 0, 9, 7, false, local, -1, pattern}, [&](int x, int y) { return MapColor(local, pattern(x, y)); }},
      {"transparency on white", 9, 7, {0, 0, 9, 7, false, {}, 4, pattern},
       [&](int x, int y) { return pattern(x, y) == 4 ? 0xFFFFFFu : MapColor(global, pattern(x, y)); }},
      {"frame inside a larger screen", 12, 10, {2, 3, 5, 4, false, {}, -1, pattern},
       [&](int x, int y) {
         return (x >= 2 && x < 7 && y >= 3 && y < 7) ? MapColor(global, pattern(x - 2, y - 3)) : 0xFFFFFFu;
       }},
  };
  for (const Case& c : cases) {
    const std::string path = dir / (std::string(c.name) + ".gif");
    // The second frame repeats the first one's local map: giflib's encoder
    // loses a local map that is followed by a frame without one.
    GifFrame second{0, 0, c.sw, c.sh, false, c.frame.localMap, -1, [](int, int) { return 1; }};
    WriteGif(path, c.sw, c.sh, global, {c.frame, second});
    Bitmap b;
    ASSERT_EQ(graphics::DecodeWithPlugin(kGif, path, b), PluginStatus::Decoded) << c.name;
    ExpectPicture(b, c.sw, c.sh, c.expected, c.name);
  }
}

// ------------------------------------------------------ the entry points

struct Plugin {
  explicit Plugin(const std::string& path) : handle(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {}
  ~Plugin() {
    if (handle) dlclose(handle);
  }
  template <typename F>
  F Get(const char* name) const {
    return reinterpret_cast<F>(dlsym(handle, name));
  }
  void* handle;
};

TEST(PluginEntryTest, InformationTexts) {
  const struct {
    const std::string& path;
    const char* pattern;
    const char* type;
  } cases[] = {{kPng, "*.png", "PNG"}, {kGif, "*.gif", "GIF"}};
  for (const auto& c : cases) {
    Plugin p(c.path);
    ASSERT_NE(p.handle, nullptr) << dlerror();
    auto info = p.Get<GetPluginInfoFunc>("GetPluginInfo");
    ASSERT_NE(info, nullptr);
    char buf[80];
    EXPECT_GT(info(0, buf, 80), 0);
    EXPECT_STREQ(buf, "00IN");
    EXPECT_GT(info(1, buf, 80), 0);
    info(2, buf, 80);
    EXPECT_STREQ(buf, c.pattern);
    info(3, buf, 80);
    EXPECT_NE(std::strstr(buf, c.type), nullptr);
    EXPECT_EQ(info(4, buf, 80), 0);
    EXPECT_EQ(info(-1, buf, 80), 0);
    char tiny[3] = {'x', 'x', 'x'};
    info(3, tiny, 3);
    EXPECT_EQ(tiny[2], '\0');
    // Nothing but the three entry points is exported.
    EXPECT_EQ(dlsym(p.handle, "_ZN3spi8CopyInfoEPKcPci"), nullptr);
  }
  bool loaded = false;
  EXPECT_EQ(graphics::PluginTypeName(kPng, &loaded), "PNG file");
  EXPECT_TRUE(loaded);
  EXPECT_EQ(graphics::PluginTypeName(kGif, &loaded), "GIF file");
  EXPECT_TRUE(loaded);
}

TEST(PluginEntryTest, IsSupportedReadsTheSignatureWithoutMovingTheFile) {
  TempDir dir;
  const std::string png = dir / "a.png", gif = dir / "a.gif";
  WritePng(png, PngCases()[0]);
  WriteGif(gif, 2, 2, GifMap(4, 0), {{0, 0, 2, 2, false, {}, -1, [](int, int) { return 1; }}});
  const std::string text = dir.Write("a.txt", "GIF8");
  const struct {
    const std::string& plugin;
    const std::string& file;
    int expected;
  } cases[] = {{kPng, png, 1}, {kPng, gif, 0}, {kPng, text, 0}, {kGif, gif, 1}, {kGif, png, 0}, {kGif, text, 0}};
  for (const auto& c : cases) {
    Plugin p(c.plugin);
    auto isSupported = p.Get<IsSupportedFunc>("IsSupported");
    ASSERT_NE(isSupported, nullptr);
    const int fd = ::open(c.file.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ::lseek(fd, 3, SEEK_SET);
    EXPECT_EQ(isSupported(c.file.c_str(), fd) != 0, c.expected != 0) << c.plugin << " " << c.file;
    EXPECT_EQ(::lseek(fd, 0, SEEK_CUR), 3);
    ::close(fd);
    EXPECT_EQ(isSupported(c.file.c_str(), -1), 0);
    EXPECT_EQ(isSupported(c.file.c_str(), 987654), 0);
    EXPECT_EQ(isSupported(nullptr, -5), 0);
  }
}

TEST(PluginEntryTest, GetPictureFromMemoryAndFromAnOffset) {
  TempDir dir;
  const std::string png = dir / "m.png";
  WritePng(png, PngCases()[0]);
  const std::string bytes = testsupport::ReadFile(png);
  const std::string padded = dir.Write("padded.bin", std::string(5, 'x') + bytes);
  Plugin p(kPng);
  auto getPicture = p.Get<GetPictureFunc>("GetPicture");
  ASSERT_NE(getPicture, nullptr);
  void* info = nullptr;
  void* bits = nullptr;
  ASSERT_EQ(getPicture(bytes.data(), static_cast<long>(bytes.size()), 1, &info, &bits, nullptr, 0), SPI_SUCCESS);
  ASSERT_NE(info, nullptr);
  ASSERT_NE(bits, nullptr);
  const auto* h = static_cast<const SpiBitmapInfoHeader*>(info);
  EXPECT_EQ(h->biSize, 40u);
  EXPECT_EQ(h->biWidth, 13);
  EXPECT_EQ(h->biHeight, 11);
  EXPECT_EQ(h->biBitCount, 24);
  // Bottom-up: the first stored row is the picture's last.
  const auto* row = static_cast<const uint8_t*>(bits);
  const Rgba last = Rgb8(1, 10);
  EXPECT_EQ(row[3 + 2], last.r);
  EXPECT_EQ(row[3 + 1], last.g);
  EXPECT_EQ(row[3 + 0], last.b);
  std::free(info);
  std::free(bits);

  info = bits = nullptr;
  ASSERT_EQ(getPicture(padded.c_str(), 5, 0, &info, &bits, nullptr, 0), SPI_SUCCESS);
  std::free(info);
  std::free(bits);

  // A progress callback that asks to stop.
  info = bits = nullptr;
  auto stop = [](int, int, long) { return 1; };
  EXPECT_EQ(getPicture(png.c_str(), 0, 0, &info, &bits, stop, 0), SPI_ABORTED);
  EXPECT_EQ(info, nullptr);
  EXPECT_EQ(bits, nullptr);
}

// ------------------------------------------------------------- bad files

std::string WithCrc(std::string png, size_t chunkStart) {
  // chunkStart points at the length field.
  const uint32_t len = (static_cast<uint8_t>(png[chunkStart]) << 24) | (static_cast<uint8_t>(png[chunkStart + 1]) << 16) |
                       (static_cast<uint8_t>(png[chunkStart + 2]) << 8) | static_cast<uint8_t>(png[chunkStart + 3]);
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(png.data() + chunkStart + 4), len + 4);
  for (int i = 0; i < 4; ++i) png[chunkStart + 8 + len + i] = static_cast<char>(crc >> (24 - 8 * i));
  return png;
}

std::string PngWithSize(const std::string& good, uint32_t w, uint32_t h) {
  std::string s = good;
  for (int i = 0; i < 4; ++i) {
    s[16 + i] = static_cast<char>(w >> (24 - 8 * i));
    s[20 + i] = static_cast<char>(h >> (24 - 8 * i));
  }
  return WithCrc(s, 8);
}

std::string GifWithScreen(std::string s, unsigned w, unsigned h) {
  s[6] = static_cast<char>(w);
  s[7] = static_cast<char>(w >> 8);
  s[8] = static_cast<char>(h);
  s[9] = static_cast<char>(h >> 8);
  return s;
}

void ExpectRefused(const std::string& plugin, const std::string& path, const std::string& name) {
  Plugin p(plugin);
  auto getPicture = p.Get<GetPictureFunc>("GetPicture");
  void* info = reinterpret_cast<void*>(1);
  void* bits = reinterpret_cast<void*>(1);
  EXPECT_NE(getPicture(path.c_str(), 0, 0, &info, &bits, nullptr, 0), SPI_SUCCESS) << name;
  EXPECT_EQ(info, nullptr) << name;
  EXPECT_EQ(bits, nullptr) << name;
  Bitmap b(2, 2);
  const PluginStatus st = graphics::DecodeWithPlugin(plugin, path, b);
  EXPECT_TRUE(st == PluginStatus::NotSupported || st == PluginStatus::NoPicture) << name;
  EXPECT_EQ(b.Width(), 2) << name;
}

TEST(PluginBadFileTest, DamagedPngAndGifAreRefusedQuietly) {
  TempDir dir;
  WritePng(dir / "good.png", PngCases()[0]);
  const std::string png = testsupport::ReadFile(dir / "good.png");
  WriteGif(dir / "good.gif", 9, 7, GifMap(16, 0), {{0, 0, 9, 7, false, {}, -1, [](int x, int) { return x; }}});
  const std::string gif = testsupport::ReadFile(dir / "good.gif");
  std::string randomBytes(300, '\0');
  std::mt19937 rng(5);
  for (char& c : randomBytes) c = static_cast<char>(rng());
  std::string gifFrameOff = gif;
  // Image descriptor: the first 0x2C after the header and colour map.
  const size_t desc = gif.find('\x2C', 13 + 16 * 3);
  ASSERT_NE(desc, std::string::npos);
  gifFrameOff[desc + 1] = gifFrameOff[desc + 2] = '\xFF';  // left 65535
  std::string gifZeroFrame = gif;
  gifZeroFrame[desc + 5] = gifZeroFrame[desc + 6] = 0;  // width 0
  const struct {
    const std::string& plugin;
    const char* name;
    std::string bytes;
  } cases[] = {
      {kPng, "png empty", ""},
      {kPng, "png signature only", png.substr(0, 8)},
      {kPng, "png header cut", png.substr(0, 20)},
      {kPng, "png without IEND and half the data", png.substr(0, png.size() / 2)},
      {kPng, "png huge", PngWithSize(png, 100000, 100000)},
      {kPng, "png too many pixels", PngWithSize(png, 60000, 60000)},
      {kPng, "png zero width", PngWithSize(png, 0, 11)},
      {kPng, "png bad crc", [&] { std::string s = png; s[30] ^= 0x55; return s; }()},
      {kPng, "png random", std::string("\x89PNG\r\n\x1a\n", 8) + randomBytes},
      {kPng, "random", randomBytes},
      {kGif, "gif empty", ""},
      {kGif, "gif header only", gif.substr(0, 6)},
      {kGif, "gif cut in the map", gif.substr(0, 20)},
      {kGif, "gif cut in the data", gif.substr(0, gif.size() - 6)},
      {kGif, "gif huge screen", GifWithScreen(gif, 65535, 65535)},
      {kGif, "gif frame far outside", gifFrameOff},
      {kGif, "gif zero frame", gifZeroFrame},
      {kGif, "gif no frame", gif.substr(0, desc) + ";"},
      {kGif, "gif random", std::string("GIF89a") + randomBytes},
      {kGif, "random", randomBytes},
  };
  testing::internal::CaptureStderr();
  for (const auto& c : cases) ExpectRefused(c.plugin, dir.Write("bad.bin", c.bytes), c.name);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(PluginBadFileTest, RandomDamageNeverCrashes) {
  TempDir dir;
  WritePng(dir / "g.png", PngCases()[3]);
  WriteGif(dir / "g.gif", 9, 19, GifMap(16, 0), {{0, 0, 9, 19, true, {}, 2, [](int x, int y) { return (x + y) % 16; }}});
  std::mt19937 rng(8);
  testing::internal::CaptureStderr();
  for (const auto& [plugin, file] : {std::pair{kPng, dir / "g.png"}, std::pair{kGif, dir / "g.gif"}}) {
    const std::string good = testsupport::ReadFile(file);
    Plugin p(plugin);
    auto getPicture = p.Get<GetPictureFunc>("GetPicture");
    int decoded = 0;
    for (int i = 0; i < 300; ++i) {
      std::string s = good;
      for (int k = 0, n = 1 + static_cast<int>(rng() % 5); k < n; ++k) s[rng() % s.size()] = static_cast<char>(rng());
      if (i % 4 == 0) s.resize(rng() % s.size());
      void* info = nullptr;
      void* bits = nullptr;
      const int rc = getPicture(s.data(), static_cast<long>(s.size()), 1, &info, &bits, nullptr, 0);
      EXPECT_EQ(rc == SPI_SUCCESS, info != nullptr);
      EXPECT_EQ(rc == SPI_SUCCESS, bits != nullptr);
      decoded += rc == SPI_SUCCESS;
      std::free(info);
      std::free(bits);
    }
    EXPECT_GT(decoded, 0) << plugin;
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// ------------------------------------------------------------- the loader

int OpenDescriptors() {
  int n = 0;
  DIR* d = opendir("/proc/self/fd");
  while (readdir(d)) ++n;
  closedir(d);
  return n;
}

bool Mapped(const std::string& path) {
  return testsupport::ReadFile("/proc/self/maps").find(path) != std::string::npos;
}

class FakePluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log_ = dir_ / "calls.log";
    ::setenv("TOVRA_FAKE_SPI_LOG", log_.c_str(), 1);
    ::unsetenv("TOVRA_FAKE_SPI");
    ::unsetenv("TOVRA_FAKE_SPI_SUPPORTED");
    picture_ = dir_.Write("p.png", "anything");
  }
  void TearDown() override {
    ::unsetenv("TOVRA_FAKE_SPI_LOG");
    ::unsetenv("TOVRA_FAKE_SPI");
    ::unsetenv("TOVRA_FAKE_SPI_SUPPORTED");
  }
  TempDir dir_;
  std::string log_;
  std::string picture_;
  const std::string fake_ = kFakeDir + "/FakeSpi.spi";
};

TEST_F(FakePluginTest, GoodBlocksDecodeInTheDocumentedOrder) {
  Bitmap b;
  const int fds = OpenDescriptors();
  ASSERT_EQ(graphics::DecodeWithPlugin(fake_, picture_, b), PluginStatus::Decoded);
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(b.PixelColor(0, 1), 0x0000FFu);
  EXPECT_EQ(b.PixelColor(1, 1), 0x00FF00u);
  EXPECT_EQ(b.PixelColor(0, 0), 0xFF0000u);
  EXPECT_EQ(b.PixelColor(1, 0), 0xFFFFFFu);
  EXPECT_EQ(testsupport::ReadFile(log_), "IsSupported " + picture_ + " fd=read-only\nGetPicture " + picture_ +
                                             " len=0 flag=0 progress=null data=0\n");
  EXPECT_EQ(OpenDescriptors(), fds);
  EXPECT_FALSE(Mapped(fake_));
}

TEST_F(FakePluginTest, BlocksThatDoNotFitLeaveTheBitmapUntouched) {
  for (const char* mode : {"lie", "tiny_info", "palette_lie", "info_only", "bits_only", "none", "huge"}) {
    ::setenv("TOVRA_FAKE_SPI", mode, 1);
    Bitmap b(3, 1);
    b.SetPixelColor(0, 0, 0x123456);
    EXPECT_EQ(graphics::DecodeWithPlugin(fake_, picture_, b), PluginStatus::NoPicture) << mode;
    EXPECT_EQ(b.Width(), 3) << mode;
    EXPECT_EQ(b.PixelColor(0, 0), 0x123456u) << mode;
  }
  EXPECT_FALSE(Mapped(fake_));
}

TEST_F(FakePluginTest, EveryFailureHasItsStatus) {
  const std::string notALibrary = dir_.Write("text.spi", "not a library");
  ::setenv("TOVRA_FAKE_SPI_SUPPORTED", "1", 1);
  const struct {
    const char* name;
    std::string plugin;
    std::string picture;
    PluginStatus status;
  } cases[] = {
      {"empty plug-in name", "", picture_, PluginStatus::LibraryNotLoaded},
      {"missing plug-in", kFakeDir + "/Missing.spi", picture_, PluginStatus::LibraryNotLoaded},
      {"not a library", notALibrary, picture_, PluginStatus::LibraryNotLoaded},
      {"no IsSupported", kFakeDir + "/FakeSpiNoIsSupported.spi", picture_, PluginStatus::NoIsSupported},
      {"picture missing", fake_, dir_ / "gone.png", PluginStatus::NotSupported},
      {"no GetPicture", kFakeDir + "/FakeSpiNoGetPicture.spi", picture_, PluginStatus::NoGetPicture},
  };
  for (const auto& c : cases) {
    Bitmap b;
    EXPECT_EQ(graphics::DecodeWithPlugin(c.plugin, c.picture, b), c.status) << c.name;
    EXPECT_TRUE(b.Empty()) << c.name;
  }
  ::setenv("TOVRA_FAKE_SPI_SUPPORTED", "0", 1);
  std::remove(log_.c_str());
  Bitmap b;
  EXPECT_EQ(graphics::DecodeWithPlugin(fake_, picture_, b), PluginStatus::NotSupported);
  EXPECT_EQ(testsupport::ReadFile(log_), "IsSupported " + picture_ + " fd=read-only\n");  // GetPicture never called
}

TEST_F(FakePluginTest, TypeNameIsCutToTheBuffer) {
  bool loaded = false;
  const std::string name = graphics::PluginTypeName(fake_, &loaded);
  EXPECT_TRUE(loaded);
  EXPECT_EQ(name.size(), 79u);
  EXPECT_EQ(name.rfind("FAKE file", 0), 0u);
  EXPECT_EQ(graphics::PluginTypeName(kFakeDir + "/FakeSpiNoGetPicture.spi", &loaded).substr(0, 4), "FAKE");
  EXPECT_TRUE(loaded);
  EXPECT_EQ(graphics::PluginTypeName(kFakeDir + "/Missing.spi", &loaded), "");
  EXPECT_FALSE(loaded);
  EXPECT_EQ(graphics::PluginTypeName(dir_.Write("x.spi", "text"), &loaded), "");
  EXPECT_FALSE(loaded);
  EXPECT_FALSE(Mapped(fake_));
}

TEST(PluginLoaderTest, RealPluginsRefuseTheOtherFormat) {
  TempDir dir;
  WritePng(dir / "a.png", PngCases()[0]);
  Bitmap b;
  EXPECT_EQ(graphics::DecodeWithPlugin(kGif, dir / "a.png", b), PluginStatus::NotSupported);
  EXPECT_TRUE(b.Empty());
  // Twice in a row: the library is loaded and released each time.
  EXPECT_EQ(graphics::DecodeWithPlugin(kPng, dir / "a.png", b), PluginStatus::Decoded);
  EXPECT_EQ(graphics::DecodeWithPlugin(kPng, dir / "a.png", b), PluginStatus::Decoded);
  EXPECT_FALSE(Mapped(kPng));
}

}  // namespace
