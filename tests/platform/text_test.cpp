#include "platform/text.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;

TEST(TextTest, DisplayColumns) {
  const std::pair<std::string, int> cases[] = {
      {"", 0},
      {"a.jpg", 5},
      {"写真.jpg", 8},            // two wide characters
      {"ｱｲｳ.jpg", 7},             // half-width katakana are narrow
      {"ＡＢ", 4},                // fullwidth letters
      {"\xE3\x80\x80", 2},        // ideographic space
      {"caf\xC3\xA9", 4},         // é
      {"\xF0\x9F\x98\x80", 2},    // emoji
      {"\xF0\xA0\x80\x80", 2},    // CJK extension B
      {"a\xFF" "b", 3},           // invalid byte
      {"\xE5\x86", 2},            // truncated sequence: two bytes
      {"\xC0\xAF", 2},            // overlong form
      {"\xED\xA0\x80", 3},        // surrogate
  };
  for (const auto& [text, columns] : cases) EXPECT_EQ(DisplayColumns(text), columns) << text;
}

TEST(TextTest, PadAndCut) {
  struct Case {
    std::string text;
    int columns;
    std::string padded, cut;
  };
  const Case cases[] = {
      {"abc", 5, "abc  ", "abc"},
      {"abcdef", 3, "abcdef", "abc"},
      {"写真.jpg", 10, "写真.jpg  ", "写真.jpg"},
      {"写真.jpg", 3, "写真.jpg", "写"},  // never half of 真
      {"写真.jpg", 4, "写真.jpg", "写真"},
      {"写真", 1, "写真", ""},
      {"a\xFF" "b", 2, "a\xFF" "b", "a\xFF"},
      {"", 2, "  ", ""},
      {"abc", 0, "abc", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " / " + std::to_string(c.columns));
    EXPECT_EQ(PadToColumns(c.text, c.columns), c.padded);
    EXPECT_EQ(CutToColumns(c.text, c.columns), c.cut);
  }
  // Padded names end in the same column, wide characters or not.
  EXPECT_EQ(DisplayColumns(PadToColumns("写真.jpg", 25)), DisplayColumns(PadToColumns("photo.jpg", 25)));
}

TEST(TextTest, AsciiCaseOnlyTouchesAsciiLetters) {
  EXPECT_EQ(AsciiLower("Photo.JPG"), "photo.jpg");
  EXPECT_EQ(AsciiUpper("photo.jpg"), "PHOTO.JPG");
  EXPECT_EQ(AsciiLower("\xC3\x84" "B"), "\xC3\x84" "b");    // Ä stays
  EXPECT_EQ(AsciiUpper("ａb\xE5\x86\x99"), "ａB\xE5\x86\x99");  // fullwidth a stays
  EXPECT_EQ(AsciiLower(std::string("A\0B", 3)), std::string("a\0b", 3));
}

TEST(TextTest, CompareBytesIsUnsignedWithPrefixFirst) {
  struct Case {
    std::string a, b;
    int sign;
  };
  const Case cases[] = {
      {"C.jpg", "a.bmp", -1}, {"a.bmp", "b.JPG", -1}, {"a.jpg", "a1.jpg", -1}, {"a", "a.jpg", -1},
      {"abc", "abc", 0},      {"", "", 0},             {"\xE5\x86\x99", "z", 1}, {"b", "a", 1},
      {"a.jpg", "a", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.a + " vs " + c.b);
    const int r = CompareBytes(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign);
  }
}

}  // namespace
