// The picture information dialog and the byte-size text.
#include <gtest/gtest.h>

#include <fstream>

#include "app/tovra1.h"
#include "formats/loading_fixtures.h"
#include "formats/picture_info.h"
#include "forms/form6.h"
#include "graphics/jpeg_codec.h"
#include "platform/paths.h"
#include "support/dialog_script.h"
#include "support/temp_dir.h"
#include "ui/components.h"

namespace {

TEST(FormatFileSize, GroupsOfThreeDigitsAndTheUnit) {
  const struct {
    uint32_t bytes;
    const char* text;
  } cases[] = {
      {0, "0 Byte"},
      {7, "7 Byte"},
      {999, "999 Byte"},
      {1000, "1,000 Byte"},
      {1001, "1,001 Byte"},
      {2000, "2,000 Byte"},
      {12345, "12,345 Byte"},
      {999999, "999,999 Byte"},
      {1000000, "1,000,000 Byte"},
      {1000999, "1,000,999 Byte"},
      {1234567, "1,234,567 Byte"},
      {123456789, "123,456,789 Byte"},
      {999999999, "999,999,999 Byte"},
      {1000000000, "1,000,000,000 Byte"},
      {2147483648u, "2,147,483,648 Byte"},
      {4294967295u, "4,294,967,295 Byte"},
  };
  for (const auto& c : cases) {
    ByteCountText = "stale";
    FormatFileSize(c.bytes);
    EXPECT_EQ(ByteCountText, c.text) << c.bytes;
  }
}

std::string Text(const QLabel* l) { return ui::U(l->text()); }

class InfoDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    savedTable_ = FormatTable;
    for (auto& slot : FormatTable) slot = {};
    FormatTable[0] = {".BMP", ""};
    FormatTable[1] = {".JPG", ""};
    platform::SetExecutablePathForTesting(std::string(TOVRA_BIN_DIR) + "/tovra");
    form = new TForm6();
  }
  void TearDown() override {
    delete form;
    platform::SetExecutablePathForTesting("");
    FormatTable = savedTable_;
  }
  // Shows the dialog on a file as the main window does, closing it by OK.
  void ShowOn(const std::string& path) {
    CurrentFilePath = path;
    script.modalAnswers.push_back([](ui::TForm& f) { static_cast<TForm6&>(f).Button1Click(); });
    EXPECT_EQ(form->ShowModal(), ui::mrOk);
  }
  std::string SizeText(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    FormatFileSize(static_cast<uint32_t>(in.tellg()));
    return ByteCountText;
  }

  testsupport::TempDir dir;
  testsupport::DialogScript script;
  TForm6* form = nullptr;

 private:
  std::array<FormatSlot, kFormatCapacity> savedTable_;
};

TEST_F(InfoDialog, FixedTextsAndCaption) {
  EXPECT_EQ(form->Caption(), "Info");
  EXPECT_EQ(Text(form->Label1), "File Name");
  EXPECT_EQ(Text(form->Label3), "Width*Height");
  EXPECT_EQ(Text(form->Label5), "File Size");
  EXPECT_EQ(Text(form->Label7), "Color");
  EXPECT_EQ(ui::U(form->Button1->text()), "OK");
  // Before the first showing the right column holds the designer's captions.
  EXPECT_EQ(Text(form->Label2), "Label2");
  EXPECT_EQ(Text(form->Label4), "Label4");
  EXPECT_EQ(Text(form->Label6), "Label6");
  EXPECT_EQ(Text(form->Label8), "Label8");
  EXPECT_TRUE(form->Label2->font().bold());
  EXPECT_GT(form->Label2->font().pixelSize(), form->Label1->font().pixelSize());
}

TEST_F(InfoDialog, DescribesEveryBmpDepthAndJpeg) {
  const struct {
    const char* name;
    int w, h, bits;
    bool rgb565;
    const char* color;
  } cases[] = {
      {"mono.bmp", 13, 7, 1, false, "1Bit"},
      {"sixteen.BMP", 9, 4, 4, false, "4Bit"},
      {"palette.bmp", 640, 480, 8, false, "8Bit"},
      {"five55.bmp", 5, 3, 16, false, "15Bit"},
      {"five65.bmp", 5, 3, 16, true, "16Bit"},
      {"true.bmp", 31, 2, 24, false, "24Bit"},
      {"alpha.bmp", 3, 33, 32, false, "32Bit"},
  };
  for (const auto& c : cases) {
    const std::string path = dir.Write(c.name, fixtures::MakeBmp(c.w, c.h, c.bits, c.rgb565));
    ShowOn(path);
    EXPECT_EQ(Text(form->Label2), path);
    EXPECT_EQ(Text(form->Label4), std::to_string(c.w) + "*" + std::to_string(c.h)) << c.name;
    EXPECT_EQ(Text(form->Label6), SizeText(path)) << c.name;
    EXPECT_EQ(Text(form->Label8), c.color) << c.name;
  }
  for (const char* name : {"photo.jpg", "PHOTO.JPG"}) {
    graphics::Bitmap pic(1600, 1200);
    graphics::SaveJpegFile(dir / name, pic, 90);
    ShowOn(dir / name);
    EXPECT_EQ(Text(form->Label2), dir / name);
    EXPECT_EQ(Text(form->Label4), "1600*1200");
    EXPECT_EQ(Text(form->Label6), SizeText(dir / name));
    EXPECT_EQ(Text(form->Label8), "24Bit");
  }
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(InfoDialog, PluginFormatsAreDescribedToo) {
  FormatTable[2] = {".PNG", "InPng.spi"};
  FormatTable[3] = {".GIF", "InGif.spi"};
  const std::string png = dir.Write("pic.png", fixtures::MakePng(21, 12));
  ShowOn(png);
  EXPECT_EQ(Text(form->Label4), "21*12");
  EXPECT_EQ(Text(form->Label8), "24Bit");
  const std::string gif = dir.Write("anim.gif", fixtures::MakeGif(6, 10));
  ShowOn(gif);
  EXPECT_EQ(Text(form->Label4), "6*10");
  // The depth is that of the rows the plug-in delivers (24 bits, after its
  // transparency is flattened), not the file's colour map.
  EXPECT_EQ(Text(form->Label8), "24Bit");
  EXPECT_EQ(Text(form->Label6), SizeText(gif));
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(InfoDialog, NeverShowsThePreviousPicturesValues) {
  const std::string bmp = dir.Write("first.bmp", fixtures::MakeBmp(8, 8, 8));
  ShowOn(bmp);
  ASSERT_EQ(Text(form->Label8), "8Bit");

  // Not a picture format: path and size of its own, nothing else.
  const std::string text = dir.Write("notes.txt", std::string(1234, 'n'));
  ShowOn(text);
  EXPECT_EQ(Text(form->Label2), text);
  EXPECT_EQ(Text(form->Label4), "");
  EXPECT_EQ(Text(form->Label6), "1,234 Byte");
  EXPECT_EQ(Text(form->Label8), "");
  EXPECT_TRUE(script.boxes.empty());

  // A damaged picture: the reason is shown once, the values are its own.
  ShowOn(bmp);
  const std::string broken = dir.Write("broken.jpg", "\xFF\xD8\xFF garbage");
  ShowOn(broken);
  EXPECT_EQ(Text(form->Label2), broken);
  EXPECT_EQ(Text(form->Label4), "");
  EXPECT_EQ(Text(form->Label6), SizeText(broken));
  EXPECT_EQ(Text(form->Label8), "");
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].caption, "Tovra");
  EXPECT_FALSE(script.boxes[0].text.empty());

  // A file that has gone: no size either.
  script.boxes.clear();
  ShowOn(bmp);
  ShowOn(dir / "gone.bmp");
  EXPECT_EQ(Text(form->Label2), dir / "gone.bmp");
  EXPECT_EQ(Text(form->Label6), "");
  EXPECT_EQ(Text(form->Label4), "");
  EXPECT_EQ(script.boxes.size(), 1u);
}

TEST_F(InfoDialog, DescriptionWithoutTheWindow) {
  const std::string path = dir.Write("x.bmp", fixtures::MakeBmp(4, 2, 4));
  const PictureDescription d = DescribePicture(path);
  EXPECT_EQ(d.path, path);
  EXPECT_EQ(d.dimensions, "4*2");
  EXPECT_EQ(d.colorText, "4Bit");
  EXPECT_EQ(d.sizeText, SizeText(path));
  EXPECT_EQ(d.error, "");
}

TEST(PixelFormatText, EveryFormatHasItsText) {
  using graphics::PixelFormat;
  const struct {
    PixelFormat f;
    const char* text;
  } cases[] = {
      {PixelFormat::Device, "pfDevice"}, {PixelFormat::Bpp1, "1Bit"},   {PixelFormat::Bpp4, "4Bit"},
      {PixelFormat::Bpp8, "8Bit"},       {PixelFormat::Bpp15, "15Bit"}, {PixelFormat::Bpp16, "16Bit"},
      {PixelFormat::Bpp24, "24Bit"},     {PixelFormat::Bpp32, "32Bit"}, {PixelFormat::Custom, "pfCustom"},
  };
  for (const auto& c : cases) EXPECT_EQ(PixelFormatText(c.f), c.text);
}

}  // namespace
