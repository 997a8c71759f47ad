#include "browser/file_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/tovra1.h"
#include "support/windows_fixture.h"

using testsupport::TempDir;

namespace {

std::vector<std::string> ListedNames() {
  std::vector<std::string> names;
  for (int i = 0; i < ImageFileCount; ++i) names.push_back(ImageFileList[static_cast<size_t>(i)].FileName);
  return names;
}

TEST(FormatByteCount, SizeTexts) {
  const struct {
    uint32_t size;
    const char* text;
  } cases[] = {
      {0, "0"},
      {999, "999"},
      {1000, "1,000"},
      {7000, "7,000"},
      {1000000, "1,000,000"},
      {16777217, "16,777,217"},
      {1000001, "1,000,001"},
      {1234567890, "1,234,567,890 Byte"},
      {4294967295u, "4,294,967,295 Byte"},
  };
  for (const auto& c : cases) {
    FormatByteCount(c.size);
    EXPECT_EQ(ByteCountText, c.text) << c.size;
  }
}

TEST(ListLine, PadsNamesToTwentyFiveColumns) {
  EXPECT_EQ(ListLine("abcdef.jpg", "12"), "abcdef.jpg" + std::string(15, ' ') + " 12");
  const std::string thirty(30, 'n');
  EXPECT_EQ(ListLine(thirty, "1,000"), thirty + " 1,000");
  // A wide character takes two columns, as a double-byte one took two bytes.
  EXPECT_EQ(ListLine("写真.jpg", "5"), "写真.jpg" + std::string(17, ' ') + " 5");
  // A long name is kept whole.
  const std::string longName(300, 'x');
  EXPECT_EQ(ListLine(longName, "0"), longName + " 0");
}

TEST(ParseExtensionFilter, EntriesAndLastIndex) {
  EXPECT_EQ(ParseExtensionFilter("BMP,jpg,png"), 2);
  EXPECT_EQ(ExtensionFilter[0], ".bmp");
  EXPECT_EQ(ExtensionFilter[1], ".jpg");
  EXPECT_EQ(ExtensionFilter[2], ".png");
  EXPECT_EQ(ParseExtensionFilter("bmp, jpg"), 1);
  EXPECT_EQ(ExtensionFilter[1], ". jpg");
  EXPECT_EQ(ParseExtensionFilter(""), 0);
  EXPECT_EQ(ExtensionFilter[0], ".");
  // Entries past the table's capacity are ignored, never written.
  std::string many;
  for (int i = 0; i < 30; ++i) many += "e" + std::to_string(i) + ",";
  EXPECT_EQ(ParseExtensionFilter(many), kFilterCapacity - 1);
  EXPECT_EQ(ExtensionFilter[kFilterCapacity - 1], ".e19");
}

class FileListTest : public testsupport::WindowsTest {};

TEST_F(FileListTest, FiltersAndSortsByUnsignedBytes) {
  for (const char* n : {"b.JPG", "a.bmp", "C.jpg", "x.txt", "noext"}) dir.Write(n, "data");
  dir.MakeDir("folder.jpg");
  const struct {
    const char* filter;
    std::vector<std::string> names;
  } cases[] = {
      {"bmp,jpg", {"C.jpg", "a.bmp", "b.JPG"}},
      {"all", {"C.jpg", "a.bmp", "b.JPG", "noext", "x.txt"}},
      {"ALL,jpg", {"C.jpg", "a.bmp", "b.JPG", "noext", "x.txt"}},
      {"", {"C.jpg", "a.bmp", "b.JPG", "x.txt"}},
      {"bmp, jpg", {"a.bmp"}},
      {"png", {}},
  };
  for (const auto& c : cases) {
    Browse(dir.path(), c.filter);
    EXPECT_EQ(ListedNames(), c.names) << "filter '" << c.filter << "'";
    EXPECT_EQ(Form1->ListBox1->Count(), static_cast<int>(c.names.size()));
    EXPECT_EQ(Form1->LabeledEdit1->Text(), std::to_string(c.names.size()));
    EXPECT_EQ(Form1->Copy1->isEnabled(), !c.names.empty()) << c.filter;
    EXPECT_EQ(Form1->Info->isEnabled(), !c.names.empty()) << c.filter;
  }
}

TEST_F(FileListTest, ListLinesCarryNameAndSize) {
  dir.Write("a.jpg", std::string(1234, 'x'));
  Browse(dir.path(), "jpg");
  ASSERT_EQ(ImageFileCount, 1);
  EXPECT_EQ(ImageFileList[0].FileSize, 1234u);
  EXPECT_EQ(Form1->ListBox1->Line(0), "a.jpg" + std::string(20, ' ') + " 1,234");
}

TEST_F(FileListTest, NameMatchingTwoEntriesIsListedTwice) {
  dir.Write("x.bmp.jpg", "1");
  dir.Write("y.bmp", "1");
  dir.Write("a.jpg", "1");
  Browse(dir.path(), "bmp,jpg");
  EXPECT_EQ(ListedNames(), (std::vector<std::string>{"a.jpg", "x.bmp.jpg", "x.bmp.jpg", "y.bmp"}));
  EXPECT_EQ(Form1->LabeledEdit1->Text(), "4");
  // An unchanged folder is not rebuilt by the repaint check.
  EXPECT_FALSE(FolderChanged());
}

TEST_F(FileListTest, HiddenFilesOnlyWithTheSwitch) {
  dir.Write(".secret.jpg", "1");
  dir.Write("open.jpg", "1");
  Browse(dir.path(), "jpg");
  EXPECT_EQ(ListedNames(), std::vector<std::string>{"open.jpg"});
  Form1->CheckBox1->click();  // the handler rebuilds the list
  EXPECT_EQ(ListedNames(), (std::vector<std::string>{".secret.jpg", "open.jpg"}));
}

TEST_F(FileListTest, EmptyFolderAfterAFullOne) {
  for (int i = 0; i < 12; ++i) dir.Write("p" + std::to_string(i) + ".jpg", "x");
  Browse(dir.path(), "jpg");
  EXPECT_EQ(ImageFileCount, 12);
  const std::string empty = dir.MakeDir("empty");
  Browse(empty, "jpg");
  EXPECT_EQ(ImageFileCount, 0);
  EXPECT_EQ(Form1->ListBox1->Count(), 0);
  EXPECT_EQ(Form1->LabeledEdit1->Text(), "0");
  EXPECT_FALSE(Form1->Del1->isEnabled());
}

TEST_F(FileListTest, MakeFullPathAtRootAndBelow) {
  ASSERT_TRUE(Form1->DirectoryListBox1->SetDirectory("/"));
  EXPECT_EQ(MakeFullPath("a.jpg"), "/a.jpg");
  Browse(dir.path(), "jpg");
  EXPECT_EQ(MakeFullPath("a.jpg"), dir.path() + "/a.jpg");
}

TEST_F(FileListTest, RepaintCheckNoticesOutsideChanges) {
  dir.Write("a.jpg", "1");
  dir.Write("b.jpg", "22");
  Browse(dir.path(), "jpg");
  ASSERT_EQ(ImageFileCount, 2);

  // A file added from outside changes the count: the repaint rebuilds.
  dir.Write("c.jpg", "333");
  Form1->FormPaint();
  EXPECT_EQ(ImageFileCount, 3);

  // A viewed file whose size changed: rebuilt, and that line selected again.
  ViewedIndices[0] = 1;
  ViewedCount = 1;
  Form1->ListBox1->clearSelection();
  dir.Write("b.jpg", "a longer content");
  Form1->FormPaint();
  EXPECT_EQ(ImageFileList[1].FileSize, 16u);
  EXPECT_TRUE(Form1->ListBox1->Selected(1));
  EXPECT_EQ(Form1->ListBox1->SelCount(), 1);
  EXPECT_EQ(ViewedCount, 0);

  // A file deleted from outside: rebuilt, nothing selected.
  std::filesystem::remove(dir / "a.jpg");
  Form1->FormPaint();
  EXPECT_EQ(ListedNames(), (std::vector<std::string>{"b.jpg", "c.jpg"}));
  EXPECT_EQ(Form1->ListBox1->SelCount(), 0);
}

TEST_F(FileListTest, MoreMatchesThanTheListHolds) {
  for (int i = 0; i < 1005; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "img%04d.jpg", 1004 - i);
    dir.Write(name, "x");
  }
  Browse(dir.path(), "jpg");
  EXPECT_EQ(ImageFileCount, 1000);
  EXPECT_EQ(ImageFileList[0].FileName, "img0000.jpg");
  EXPECT_EQ(ImageFileList[999].FileName, "img0999.jpg");
  EXPECT_EQ(Form1->LabeledEdit1->Text(), "1000+");
  // Compared like with like, so the repaint does not rebuild every time.
  EXPECT_FALSE(FolderChanged());
}

}  // namespace
