// Picture loading by the format table and through the real plug-ins.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <jpeglib.h>

#include <fstream>
#include <sstream>

#include "app/tovra1.h"
#include "formats/loading_fixtures.h"
#include "formats/picture_loading.h"
#include "graphics/bmp_codec.h"
#include "graphics/jpeg_codec.h"
#include "platform/paths.h"
#include "support/dialog_script.h"
#include "support/temp_dir.h"

namespace {

using graphics::Bitmap;

const char kNotFound[] = "InPng.spiが見つかりません";
const char kUnsupported[] = "サポ－トしていないＦｏｒｍａｔのようです";
const char kNoGetPicture[] = "ＧｅｔＰｉｃｔｕｒｅが見つかりません";

std::string BinFile(const std::string& name) { return std::string(TOVRA_BIN_DIR) + "/" + name; }

void CopyFile(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  ASSERT_TRUE(in) << from;
  std::ofstream out(to, std::ios::binary);
  out << in.rdbuf();
}

bool MappedInProcess(const std::string& path) {
  std::ifstream maps("/proc/self/maps");
  std::string line;
  while (std::getline(maps, line)) {
    if (line.find(path) != std::string::npos) return true;
  }
  return false;
}

class Loading : public ::testing::Test {
 protected:
  void SetUp() override {
    savedTable_ = FormatTable;
    savedPlugin_ = CurrentPluginPath;
    for (auto& slot : FormatTable) slot = {};
    FormatTable[0] = {".BMP", ""};
    FormatTable[1] = {".JPG", ""};
    // The program believes it lies in the temp folder, beside the plug-ins
    // each test puts there.
    platform::SetExecutablePathForTesting(dir / "tovra");
  }
  void TearDown() override {
    platform::SetExecutablePathForTesting("");
    FormatTable = savedTable_;
    CurrentPluginPath = savedPlugin_;
  }
  void InstallPlugin(const std::string& builtName, const std::string& asName) {
    CopyFile(BinFile(builtName), dir / asName);
  }
  testsupport::TempDir dir;
  testsupport::DialogScript script;

 private:
  std::array<FormatSlot, kFormatCapacity> savedTable_;
  std::string savedPlugin_;
};

TEST_F(Loading, SlotLookupUsesTheUpperCasedExtensionOfTheName) {
  FormatTable[3] = {".GIF", "InGif.spi"};
  const struct {
    const char* path;
    int slot;
  } cases[] = {
      {"/p/a.bmp", 0},       {"/p/A.BMP", 0},          {"/p/photo.jpg", 1},
      {"/p/PHOTO.JPG", 1},   {"/p/photo.Jpg", 1},      {"/p/photo.jpeg", -1},
      {"/p/x.jpg.bak", -1},  {"/p/noext", -1},         {"/p/dir.jpg/noext", -1},
      {"/p/anim.gif", 3},    {"/p/pic.png", -1},       {"/p/.bmp", 0},
      {"", -1},              {"/p/trailingdot.", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatSlotOf(c.path), c.slot) << c.path;
}

TEST_F(Loading, BmpAndJpegLoadWhateverTheCaseOfTheExtension) {
  for (const char* name : {"a.bmp", "B.BMP"}) {
    const std::string path = dir.Write(name, fixtures::MakeBmp(7, 5, 24));
    Bitmap b;
    LoadPictureFile(path, b);
    fixtures::ExpectPattern(b, 7, 5);
    EXPECT_EQ(b.Format(), graphics::PixelFormat::Bpp24);
  }
  Bitmap src(40, 24);
  src.FillRect({0, 0, 40, 24}, 0x0000FF);
  for (const char* name : {"photo.jpg", "PHOTO.JPG"}) {
    graphics::SaveJpegFile(dir / name, src, 95);
    Bitmap b;
    LoadPictureFile(dir / name, b);
    ASSERT_EQ(b.Width(), 40);
    ASSERT_EQ(b.Height(), 24);
    const graphics::Color c = b.PixelColor(20, 12);
    EXPECT_GT(c & 0xFF, 240u);           // red
    EXPECT_LT((c >> 8) & 0xFF, 16u);     // green
    EXPECT_LT((c >> 16) & 0xFF, 16u);    // blue
  }
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(Loading, ExtensionsWithoutASlotLoadNothing) {
  graphics::SaveJpegFile(dir / "photo.jpeg", Bitmap(8, 8), 80);
  dir.Write("x.jpg.bak", fixtures::MakeBmp(4, 4, 24));
  dir.Write("pic.png", fixtures::MakePng(4, 4));
  for (const char* name : {"photo.jpeg", "x.jpg.bak", "pic.png"}) {
    Bitmap b;
    LoadPictureFile(dir / name, b);
    EXPECT_TRUE(b.Empty()) << name;
  }
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(Loading, PngAndGifLoadThroughTheirPlugins) {
  InstallPlugin("InPng.spi", "InPng.spi");
  InstallPlugin("InGif.spi", "InGif.spi");
  FormatTable[2] = {".PNG", "InPng.spi"};
  FormatTable[3] = {".GIF", "InGif.spi"};
  const std::string png = dir.Write("pic.PNG", fixtures::MakePng(9, 6));
  const std::string gif = dir.Write("anim.gif", fixtures::MakeGif(5, 7));
  Bitmap b;
  LoadPictureFile(png, b);
  fixtures::ExpectPattern(b, 9, 6);
  EXPECT_EQ(CurrentPluginPath, "InPng.spi");
  Bitmap g;
  LoadPictureFile(gif, g);
  fixtures::ExpectPattern(g, 5, 7);
  EXPECT_EQ(CurrentPluginPath, "InGif.spi");
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(Loading, WithOnlyAGifPluginPngFilesLoadNothing) {
  InstallPlugin("InGif.spi", "InGif.spi");
  FormatTable[3] = {".GIF", "InGif.spi"};
  Bitmap g, p;
  LoadPictureFile(dir.Write("a.gif", fixtures::MakeGif(3, 3)), g);
  LoadPictureFile(dir.Write("a.png", fixtures::MakePng(3, 3)), p);
  fixtures::ExpectPattern(g, 3, 3);
  EXPECT_TRUE(p.Empty());
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(Loading, NoPluginHandleSurvivesALoad) {
  InstallPlugin("InPng.spi", "InPng.spi");
  FormatTable[2] = {".PNG", "InPng.spi"};
  const std::string png = dir.Write("a.png", fixtures::MakePng(4, 4));
  for (int i = 0; i < 2; ++i) {
    Bitmap b;
    LoadPictureFile(png, b);
    fixtures::ExpectPattern(b, 4, 4);
    EXPECT_FALSE(MappedInProcess(dir / "InPng.spi"));
  }
}

TEST_F(Loading, PluginRefusalsLeaveTheBitmapAsItWasWithoutAMessage) {
  InstallPlugin("InPng.spi", "InPng.spi");
  FormatTable[2] = {".PNG", "InPng.spi"};
  const std::string whole = fixtures::MakePng(16, 16);
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"text.png", "this is no picture"},
      {"empty.png", ""},
      {"gif_inside.png", fixtures::MakeGif(4, 4)},
      {"truncated.png", whole.substr(0, whole.size() / 2)},
      {"header_only.png", whole.substr(0, 33)},
  };
  for (const auto& c : cases) {
    Bitmap fresh;
    LoadPictureFile(dir.Write(c.name, c.bytes), fresh);
    EXPECT_TRUE(fresh.Empty()) << c.name;
    Bitmap used(3, 2);
    used.FillRect({0, 0, 3, 2}, 0x123456);
    CurrentPluginPath = "InPng.spi";
    LoadPluginPicture(dir / c.name, used);
    EXPECT_EQ(used.Width(), 3) << c.name;
    EXPECT_EQ(used.PixelColor(1, 1), 0x123456u) << c.name;
  }
  Bitmap missing;
  LoadPictureFile(dir / "not_there.png", missing);
  EXPECT_TRUE(missing.Empty());
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(Loading, AMissingPluginIsReportedOncePerPicture) {
  FormatTable[2] = {".PNG", "InPng.spi"};  // found once, removed since
  const std::string png = dir.Write("a.png", fixtures::MakePng(4, 4));
  Bitmap b(2, 2);
  LoadPictureFile(png, b);
  LoadPictureFile(png, b);
  ASSERT_EQ(script.boxes.size(), 2u);
  for (const auto& box : script.boxes) {
    EXPECT_EQ(box.text, kNotFound);
    EXPECT_EQ(box.caption, "Tovra");
    EXPECT_EQ(box.buttons, ui::MB_OK);
  }
  EXPECT_EQ(b.Width(), 2);
}

TEST_F(Loading, TheMissingPluginTextNamesInPngWhateverWasAskedFor) {
  dir.Write("a.gif", fixtures::MakeGif(2, 2));
  for (const char* plugin : {"InGif.spi", "", "../InGif.spi"}) {
    script.boxes.clear();
    CurrentPluginPath = plugin;
    Bitmap b;
    LoadPluginPicture(dir / "a.gif", b);
    ASSERT_EQ(script.boxes.size(), 1u) << plugin;
    EXPECT_EQ(script.boxes[0].text, kNotFound);
    EXPECT_TRUE(b.Empty());
  }
}

TEST_F(Loading, ALibraryWithoutIsSupportedIsAnUnsupportedFormat) {
  // A real shared library that loads but is no plug-in: the JPEG library
  // this test is linked with.
  Dl_info info{};
  ASSERT_NE(dladdr(reinterpret_cast<void*>(&jpeg_std_error), &info), 0);
  ASSERT_NE(info.dli_fname, nullptr);
  CopyFile(info.dli_fname, dir / "NotAPlugin.spi");
  CurrentPluginPath = "NotAPlugin.spi";
  Bitmap b;
  LoadPluginPicture(dir.Write("a.png", fixtures::MakePng(2, 2)), b);
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, kUnsupported);
  EXPECT_EQ(script.boxes[0].caption, "Tovra");
  EXPECT_TRUE(b.Empty());
}

TEST_F(Loading, AFileThatIsNoLibraryIsReportedAsNotFound) {
  dir.Write("Garbage.spi", "\x7f" "ELF but not really");
  CurrentPluginPath = "Garbage.spi";
  Bitmap b;
  LoadPluginPicture(dir.Write("a.png", fixtures::MakePng(2, 2)), b);
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, kNotFound);
}

TEST(PluginMessages, EachOutcomeHasItsText) {
  using graphics::PluginStatus;
  const struct {
    PluginStatus status;
    const char* text;
  } cases[] = {
      {PluginStatus::Decoded, ""},
      {PluginStatus::LibraryNotLoaded, kNotFound},
      {PluginStatus::NoIsSupported, kUnsupported},
      {PluginStatus::NotSupported, ""},
      {PluginStatus::NoGetPicture, kNoGetPicture},
      {PluginStatus::NoPicture, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(PluginStatusMessage(c.status), c.text);
}

// Damaged and hostile files: a picture error or an empty bitmap, never a
// crash or a read past the data.
TEST_F(Loading, BadFilesGiveAnErrorOrAnEmptyBitmap) {
  InstallPlugin("InPng.spi", "InPng.spi");
  InstallPlugin("InGif.spi", "InGif.spi");
  FormatTable[2] = {".PNG", "InPng.spi"};
  FormatTable[3] = {".GIF", "InGif.spi"};
  const std::string bmp = fixtures::MakeBmp(8, 8, 8);
  std::string zeroWidth = bmp;
  zeroWidth[18] = zeroWidth[19] = zeroWidth[20] = zeroWidth[21] = 0;
  std::string hugeSize = bmp;
  hugeSize[18] = hugeSize[19] = hugeSize[20] = static_cast<char>(0xFF);
  hugeSize[21] = 0x7F;
  hugeSize[22] = hugeSize[23] = hugeSize[24] = static_cast<char>(0xFF);
  hugeSize[25] = 0x7F;
  std::string bigPalette = bmp;  // 2^31 colours in the table
  bigPalette[46] = bigPalette[47] = bigPalette[48] = 0;
  bigPalette[49] = static_cast<char>(0x80);
  std::string bigOffset = bmp;
  bigOffset[10] = bigOffset[11] = bigOffset[12] = static_cast<char>(0xFF);
  bigOffset[13] = 0x7F;
  graphics::SaveJpegFile(dir / "good.jpg", Bitmap(64, 48), 80);
  const std::string jpeg = testsupport::ReadFile(dir / "good.jpg");
  std::string jpegBadMarker = jpeg;
  for (size_t i = 20; i < 60 && i < jpegBadMarker.size(); ++i) jpegBadMarker[i] = static_cast<char>(0xFF);
  const std::string png = fixtures::MakePng(8, 8);
  std::string pngHuge = png;
  // Width and height near 2^31, with a correct checksum so only the size
  // can be what refuses it.
  pngHuge[16] = pngHuge[20] = 0x7F;
  {
    std::string crc;
    fixtures::Put32BE(crc, fixtures::Crc32(pngHuge.substr(12, 17)));
    pngHuge.replace(29, 4, crc);
  }
  const std::string gif = fixtures::MakeGif(8, 8);
  std::string gifHuge = gif;
  // The frame (not the logical screen) claims 65535 x 65535.
  for (size_t i = 30; i < 34; ++i) gifHuge[i] = static_cast<char>(0xFF);
  // Refused: must raise the picture error. Tolerated: may also load, as
  // long as what loads is the picture's own size. Plug-in: the plug-in
  // refuses it, so the bitmap stays empty without a message.
  enum Expect { Refused, Tolerated, PluginEmpty };
  const struct {
    const char* name;
    std::string bytes;
    Expect expect;
  } cases[] = {
      {"empty.bmp", "", Refused},
      {"magic_only.bmp", "BM", Refused},
      {"truncated.bmp", bmp.substr(0, bmp.size() - 30), Refused},
      {"header_cut.bmp", bmp.substr(0, 30), Refused},
      {"zero_width.bmp", zeroWidth, Refused},
      {"huge.bmp", hugeSize, Refused},
      {"big_palette.bmp", bigPalette, Tolerated},
      {"big_offset.bmp", bigOffset, Tolerated},
      {"text.bmp", std::string(200, 'x'), Refused},
      {"empty.jpg", "", Refused},
      {"soi_only.jpg", "\xFF\xD8", Refused},
      {"truncated.jpg", jpeg.substr(0, jpeg.size() / 3), Tolerated},
      {"bad_markers.jpg", jpegBadMarker, Refused},
      {"text.jpg", std::string(500, 'j'), Refused},
      {"huge.png", pngHuge, PluginEmpty},
      {"cut.png", png.substr(0, png.size() - 20), PluginEmpty},
      {"huge.gif", gifHuge, PluginEmpty},
      {"header.gif", gif.substr(0, 13), PluginEmpty},
  };
  for (const auto& c : cases) {
    const std::string path = dir.Write(c.name, c.bytes);
    Bitmap b;
    bool raised = false;
    try {
      LoadPictureFile(path, b);
    } catch (const graphics::PictureError& e) {
      raised = true;
      EXPECT_STRNE(e.what(), "") << c.name;
    }
    switch (c.expect) {
      case Refused:
        EXPECT_TRUE(raised) << c.name;
        EXPECT_TRUE(b.Empty()) << c.name;
        break;
      case Tolerated:
        if (!raised) {
          EXPECT_EQ(b.Width(), std::string(c.name).find(".jpg") != std::string::npos ? 64 : 8) << c.name;
        }
        break;
      case PluginEmpty:
        EXPECT_FALSE(raised) << c.name;
        EXPECT_TRUE(b.Empty()) << c.name;
        break;
    }
  }
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(Loading, AMissingBmpOrJpegFileRaisesAPictureError) {
  for (const char* name : {"gone.bmp", "gone.jpg"}) {
    Bitmap b;
    EXPECT_THROW(LoadPictureFile(dir / name, b), graphics::PictureError) << name;
    EXPECT_TRUE(b.Empty());
  }
}

}  // namespace
