// The HTML fragments and pages, byte for byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "html/html_source.h"

namespace {

using html::LayoutFor;

const std::string kHead =
    "<HTML>\r\n<HEAD>\r\n<META http-equiv=\"Content-Type\" content=\"text/html\";CHRSET=\"x-sjis\">"
    "\r\n<META NAME=\"Keywords\"  CONTENT=\"\">\r\n<META NAME=\"description\"  CONTENT=\"\">\r\n"
    "<TITLE>無題</TITLE>\r\n</HEAD>\r\n"
    "<BODY BGCOLOR=#FFFFF0 TEXT=#0000FF LINK=#FF0000 VlINK=#000000>\r\n\r\n";
const std::string kFoot = "</BODY>\r\n</HTML>\r\n";

std::vector<std::string> Names(int n) {
  std::vector<std::string> v;
  for (int i = 0; i < n; ++i) v.push_back(std::string(1, static_cast<char>('a' + i)) + ".jpg");
  return v;
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

std::string Area(int x, int y, const char* radius, const std::string& name) {
  return "<AREA SHAPE=CIRCLE COORDS=\"" + std::to_string(x) + "," + std::to_string(y) + radius +
         " HREF=\"" + name + "\">\r\n";
}

std::string Pic110(const std::string& n) {
  return "<TD><A HREF=\"" + n + "\"><IMG SRC=\"" + n + "\" WIDTH=100 HEIGHT=100></A>\r\n";
}
std::string Cap(const std::string& n, const std::string& size = "-3") {
  return "<TD><FONT SIZE=" + size + ">" + n + "</FONT></TD>\r\n";
}
const std::string kEmpty = "<TD><BR></TD>";

TEST(HtmlLayouts, TheTwoThumbnailSizes) {
  const html::HtmlLayout small = LayoutFor(true);
  EXPECT_EQ(small.CellPitch, 110);
  EXPECT_EQ(small.ColumnCount, 8);
  EXPECT_EQ(small.RadiusText, ",50\"");
  EXPECT_EQ(small.ImageTail, "\" WIDTH=100 HEIGHT=100></A>\r\n");
  const html::HtmlLayout large = LayoutFor(false);
  EXPECT_EQ(large.CellPitch, 175);
  EXPECT_EQ(large.ColumnCount, 5);
  EXPECT_EQ(large.RadiusText, ",85\"");
  EXPECT_EQ(large.ImageTail, "\" WIDTH=170 HEIGHT=170></A>\r\n");
}

TEST(HtmlPage, HeadAndFootSurroundTheBody) {
  EXPECT_EQ(html::PageHead(), kHead);
  EXPECT_EQ(html::PageFoot(), kFoot);
  EXPECT_EQ(html::WrapInPageText("X"), kHead + "X" + kFoot);
}

TEST(HtmlMap, WholeFragmentForThreeFilesInThe110Layout) {
  const std::string expected = "<MAP NAME=\"ndx\">\r\n"
                               "<AREA SHAPE=CIRCLE COORDS=\"55,55,50\" HREF=\"a.jpg\">\r\n"
                               "<AREA SHAPE=CIRCLE COORDS=\"165,55,50\" HREF=\"b.jpg\">\r\n"
                               "<AREA SHAPE=CIRCLE COORDS=\"275,55,50\" HREF=\"c.jpg\">\r\n"
                               "</MAP>\r\n"
                               "<IMG SRC=\"indx.jpg\" ALIGN=BOTTOM USEMAP=\"#ndx\">\r\n";
  EXPECT_EQ(html::MapSource(Names(3), LayoutFor(true), "indx.jpg"), expected);
}

TEST(HtmlMap, CentresFollowTheGrid) {
  struct Case {
    bool small;
    int count;
    int index;
    int x, y;
  };
  const Case cases[] = {
      {true, 2, 1, 165, 55},    // second entry, 110 layout
      {false, 7, 5, 87, 262},   // sixth entry, 170 layout
      {false, 7, 6, 262, 262},  // seventh entry, 170 layout
      {true, 9, 8, 55, 165},    // first of the second row
      {true, 8, 7, 825, 55},    // last column
  };
  for (const Case& c : cases) {
    const html::HtmlLayout layout = LayoutFor(c.small);
    const std::vector<std::string> names = Names(c.count);
    const std::string map = html::MapSource(names, layout, "indx.jpg");
    const std::string area =
        Area(c.x, c.y, c.small ? ",50\"" : ",85\"", names[static_cast<size_t>(c.index)]);
    EXPECT_NE(map.find(area), std::string::npos) << area;
  }
}

TEST(HtmlMap, NoFilesGiveTheBareMapAndImage) {
  EXPECT_EQ(html::MapSource({}, LayoutFor(false), "cat.jpg"),
            "<MAP NAME=\"ndx\">\r\n</MAP>\r\n<IMG SRC=\"cat.jpg\" ALIGN=BOTTOM USEMAP=\"#ndx\">\r\n");
}

TEST(HtmlTable, ThreeFilesWithBorderThree) {
  const std::vector<std::string> names = {"a.jpg", "b.jpg", "c.bmp"};
  const std::string expected = "<CENTER>\r\n<TABLE BORDER=3>\r\n" + std::string("\r\n<TR>\r\n") +
                               Pic110("a.jpg") + Pic110("b.jpg") + Pic110("c.bmp") +
                               Repeat(kEmpty, 5) + "</TR>\r\n" + "\r\n<TR>\r\n" + Cap("a.jpg") +
                               Cap("b.jpg") + Cap("c.bmp") + Repeat(kEmpty, 5) + "</TR>\r\n" +
                               "</TABLE>\r\n</CENTER>\r\n";
  EXPECT_EQ(html::TableSource(names, LayoutFor(true), "3", "-3"), expected);
}

TEST(HtmlTable, EightFilesFillOneRowExactly) {
  const std::vector<std::string> names = Names(8);
  std::string pics, caps;
  for (const auto& n : names) {
    pics += Pic110(n);
    caps += Cap(n);
  }
  const std::string expected = "<CENTER>\r\n<TABLE BORDER=3>\r\n\r\n<TR>\r\n" + pics +
                               "</TR>\r\n\r\n<TR>\r\n" + caps + "</TR>\r\n</TABLE>\r\n</CENTER>\r\n";
  EXPECT_EQ(html::TableSource(names, LayoutFor(true), "3", "-3"), expected);
}

TEST(HtmlTable, NineFilesStartASecondRowPaddedWithSevenEmptyCells) {
  const std::vector<std::string> names = Names(9);
  std::string pics, caps;
  for (int i = 0; i < 8; ++i) {
    pics += Pic110(names[i]);
    caps += Cap(names[i]);
  }
  const std::string expected = "<CENTER>\r\n<TABLE BORDER=3>\r\n\r\n<TR>\r\n" + pics +
                               "</TR>\r\n\r\n<TR>\r\n" + caps + "</TR>\r\n\r\n<TR>\r\n" +
                               Pic110("i.jpg") + Repeat(kEmpty, 7) + "</TR>\r\n\r\n<TR>\r\n" +
                               Cap("i.jpg") + Repeat(kEmpty, 7) +
                               "</TR>\r\n</TABLE>\r\n</CENTER>\r\n";
  EXPECT_EQ(html::TableSource(names, LayoutFor(true), "3", "-3"), expected);
}

TEST(HtmlTable, LargeLayoutAndFontSizeFromTheEdit) {
  const std::string expected =
      "<CENTER>\r\n<TABLE BORDER=0>\r\n\r\n<TR>\r\n"
      "<TD><A HREF=\"x.png\"><IMG SRC=\"x.png\" WIDTH=170 HEIGHT=170></A>\r\n" +
      Repeat(kEmpty, 4) + "</TR>\r\n\r\n<TR>\r\n" + Cap("x.png", "+1") + Repeat(kEmpty, 4) +
      "</TR>\r\n</TABLE>\r\n</CENTER>\r\n";
  EXPECT_EQ(html::TableSource({"x.png"}, LayoutFor(false), "0", "+1"), expected);
}

TEST(HtmlNames, OnlyQuoteAndAngleBracketsAreEscaped) {
  const std::pair<const char*, const char*> cases[] = {
      {"写真 1&2.jpg", "写真 1&2.jpg"},
      {"a\"b.jpg", "a&quot;b.jpg"},
      {"<script>.jpg", "&lt;script&gt;.jpg"},
      {"it's.jpg", "it's.jpg"},
  };
  for (const auto& [raw, escaped] : cases) EXPECT_EQ(html::EscapeName(raw), escaped) << raw;
  EXPECT_EQ(html::MapSource({"a\"><b.jpg"}, LayoutFor(true), "indx.jpg"),
            "<MAP NAME=\"ndx\">\r\n"
            "<AREA SHAPE=CIRCLE COORDS=\"55,55,50\" HREF=\"a&quot;&gt;&lt;b.jpg\">\r\n"
            "</MAP>\r\n<IMG SRC=\"indx.jpg\" ALIGN=BOTTOM USEMAP=\"#ndx\">\r\n");
  const std::string table = html::TableSource({"写真 &.jpg"}, LayoutFor(true), "3", "-3");
  EXPECT_NE(table.find("<TD><A HREF=\"写真 &.jpg\"><IMG SRC=\"写真 &.jpg\""), std::string::npos);
}

}  // namespace
