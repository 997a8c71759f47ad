// Error texts: the whole table, and the texts real failing calls produce.
#include "fileops/file_error.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/tovra1.h"
#include "platform/file_ops.h"
#include "platform/last_error.h"
#include "support/dialog_script.h"
#include "support/temp_dir.h"

namespace {

using testsupport::DialogScript;
using testsupport::TempDir;

struct TextCase {
  int32_t code;
  int32_t kind;
  const char* text;
};

const std::string kDenied = "Accesee Denied  :  ";

TEST(FileErrorText, EveryCodeOfTheTable) {
  const TextCase cases[] = {
      {2, fileop_kind::Copy, "File Not Found"},
      {3, fileop_kind::Delete, "Path Not Found"},
      {16, fileop_kind::Delete, "Curren Directory　を削除しようとした"},
      {19, fileop_kind::Copy, "書き込み禁止になっている"},
      {32, fileop_kind::Copy, "使用中のファイルは操作出来ません"},
      {80, fileop_kind::Copy, "同じＤｉｓｋ上で上書きしようとした"},
      {112, fileop_kind::Copy, "ディスク容量を越えました"},
      {161, fileop_kind::Rename, "Bad PathName !"},
      {183, fileop_kind::MakeFolder, "同じ名前が既にあります"},
      {87, fileop_kind::Copy, "エラー番号　87"},
      {0, fileop_kind::Copy, "エラー番号　0"},
      {1117, fileop_kind::Rename, "エラー番号　1117"},
      {-7, fileop_kind::Rename, "エラー番号　-7"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileErrorText(c.code, c.kind), c.text) << "code " << c.code;
  }
}

TEST(FileErrorText, AccessDeniedSuffixFollowsTheKind) {
  const TextCase cases[] = {
      {5, fileop_kind::Copy, "空でないフォルダーを削除しようとした"},
      {5, fileop_kind::Delete, "ＲｅａｄＯｎｌｙ　を削除しようとした"},
      {5, fileop_kind::Rename, "ＲｅａｄＯｎｌｙ　に上書きしようとした"},
      {5, fileop_kind::MakeFolder, "ＲｅａｄＯｎｌｙ　に上書きしようとした"},
      {5, 1, "ＲｅａｄＯｎｌｙ　に上書きしようとした"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileErrorText(c.code, c.kind), kDenied + c.text) << "kind " << c.kind;
  }
}

// Each report is one plain box captioned with the application's title.
class ReportFromRealCalls : public ::testing::Test {
 protected:
  DialogScript script;
  TempDir dir;

  void ExpectOneBox(const std::string& text) {
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_EQ(script.boxes[0].text, text);
    EXPECT_EQ(script.boxes[0].caption, "Tovra");
    EXPECT_EQ(script.boxes[0].buttons, ui::MB_OK);
  }
};

TEST_F(ReportFromRealCalls, MissingSourceOfACopy) {
  ASSERT_FALSE(platform::CopyFile(dir / "missing.jpg", dir / "b.jpg", false));
  FileOpKind = fileop_kind::Copy;
  ReportFileError();
  ExpectOneBox("File Not Found");
}

TEST_F(ReportFromRealCalls, MissingParentOfANewFolder) {
  ASSERT_FALSE(platform::CreateDirectory(dir / "no/such"));
  FileOpKind = fileop_kind::MakeFolder;
  ReportFileError();
  ExpectOneBox("Path Not Found");
}

TEST_F(ReportFromRealCalls, ReadOnlyDestinationOfACopy) {
  dir.Write("a.jpg", "new");
  const std::string dst = dir.Write("b.jpg", "old");
  ASSERT_EQ(::chmod(dst.c_str(), 0444), 0);
  ASSERT_FALSE(platform::CopyFile(dir / "a.jpg", dst, false));
  FileOpKind = fileop_kind::Copy;
  ReportFileError();
  ExpectOneBox(kDenied + "空でないフォルダーを削除しようとした");
  EXPECT_EQ(testsupport::ReadFile(dst), "old");
}

TEST_F(ReportFromRealCalls, ReadOnlyDelete) {
  const std::string f = dir.Write("a.jpg", "x");
  ASSERT_EQ(::chmod(f.c_str(), 0444), 0);
  ASSERT_FALSE(platform::DeleteFile(f));
  FileOpKind = fileop_kind::Delete;
  ReportFileError();
  ExpectOneBox(kDenied + "ＲｅａｄＯｎｌｙ　を削除しようとした");
  EXPECT_TRUE(testsupport::Exists(f));
}

TEST_F(ReportFromRealCalls, ExistingFolder) {
  dir.MakeDir("sub");
  ASSERT_FALSE(platform::CreateDirectory(dir / "sub"));
  FileOpKind = fileop_kind::MakeFolder;
  ReportFileError();
  ExpectOneBox("同じ名前が既にあります");
}

TEST_F(ReportFromRealCalls, CopyOntoItself) {
  const std::string f = dir.Write("a.jpg", "keep me");
  ASSERT_FALSE(platform::CopyFile(f, f, false));
  FileOpKind = fileop_kind::Copy;
  ReportFileError();
  ExpectOneBox("使用中のファイルは操作出来ません");
  EXPECT_EQ(testsupport::ReadFile(f), "keep me");
}

TEST_F(ReportFromRealCalls, TwoFailuresGiveTwoBoxesWithTheirOwnCodes) {
  ASSERT_FALSE(platform::CopyFile(dir / "missing.jpg", dir / "b.jpg", false));
  FileOpKind = fileop_kind::Copy;
  ReportFileError();
  dir.MakeDir("sub");
  ASSERT_FALSE(platform::CreateDirectory(dir / "sub"));
  FileOpKind = fileop_kind::MakeFolder;
  ReportFileError();
  ASSERT_EQ(script.boxes.size(), 2u);
  EXPECT_EQ(script.boxes[0].text, "File Not Found");
  EXPECT_EQ(script.boxes[1].text, "同じ名前が既にあります");
}

TEST_F(ReportFromRealCalls, TakenCodeWinsOverALaterOne) {
  platform::SetLastError(0);
  FileOpKind = fileop_kind::Copy;
  ReportFileErrorCode(5);
  ExpectOneBox(kDenied + "空でないフォルダーを削除しようとした");
}

}  // namespace
