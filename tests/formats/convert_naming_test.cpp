// Naming rules and report texts of the format conversion.
#include <gtest/gtest.h>

#include "formats/convert_core.h"

namespace {

struct ExtensionCase {
  const char* name;
  const char* extension;
  bool matches;
};

TEST(ConvertNaming, SourceExtensionIsComparedInLowerCaseFromTheLastDot) {
  const ExtensionCase cases[] = {
      {"photo.bmp", ".bmp", true},      {"PHOTO.BMP", ".bmp", true},
      {"Photo.Jpg", ".jpg", true},      {"photo.jpeg", ".jpg", false},
      {"photo.jpg.bak", ".jpg", false}, {"archive.bmp.png", ".png", true},
      {"noextension", ".bmp", false},   {"photo.bmp", ".jpg", false},
      {"写真.PNG", ".png", true},       {".bmp", ".bmp", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HasSourceExtension(c.name, c.extension), c.matches) << c.name << " " << c.extension;
  }
}

struct OutputCase {
  const char* name;
  bool jpeg;
  const char* expected;
};

TEST(ConvertNaming, OutputNameDropsFourCharactersAndAddsALowerCaseExtension) {
  const OutputCase cases[] = {
      {"photo.JPG", false, "/out/photo.bmp"},
      {"photo.bmp", true, "/out/photo.jpg"},
      {"Scan 01.PNG", true, "/out/Scan 01.jpg"},
      {"Scan 01.PNG", false, "/out/Scan 01.bmp"},
      {"a.b.jpg", false, "/out/a.b.bmp"},
      {"写真.Bmp", true, "/out/写真.jpg"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ConvertOutputName("/out/", c.name, c.jpeg), c.expected) << c.name;
  }
}

TEST(ConvertNaming, OnlyBmpSourcesAndPngWithTheSwitchMakeJpeg) {
  EXPECT_TRUE(ConversionWritesJpeg(".bmp", 0));
  EXPECT_FALSE(ConversionWritesJpeg(".jpg", 0));
  EXPECT_FALSE(ConversionWritesJpeg(".png", 0));
  EXPECT_TRUE(ConversionWritesJpeg(".png", 255));
}

TEST(ConvertNaming, ReportTexts) {
  EXPECT_EQ(ConversionReport(0), "変換するＦｉｌｅがありませんでした");
  EXPECT_EQ(ConversionReport(3), "3　Ｆｉｌｅを変換しました");
  EXPECT_EQ(ConversionReport(1000), "1000　Ｆｉｌｅを変換しました");
}

}  // namespace
