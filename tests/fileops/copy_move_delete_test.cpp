// Copy, move and delete from the main list, with the destination dialog.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include "fileops/copy_move_delete.h"
#include "forms/form5.h"
#include "window_fixture.h"

namespace {

using fileops_test::MakeReadOnly;
using fileops_test::Names;
using testsupport::Exists;
using testsupport::ReadFile;

class CopyMoveDelete : public fileops_test::WindowTest {
 protected:
  // Answers the destination dialog with folder and OK.
  void AnswerDestination(const std::string& folder) {
    script.modalAnswers.push_back([folder](ui::TForm&) {
      ASSERT_TRUE(Form5->DirectoryListBox1->SetDirectory(folder));
      Form5->Button1Click();
    });
  }
};

TEST(FolderWithSeparator, OneSeparatorRootStaysRoot) {
  EXPECT_EQ(FolderWithSeparator("/photos"), "/photos/");
  EXPECT_EQ(FolderWithSeparator("/photos/"), "/photos/");
  EXPECT_EQ(FolderWithSeparator("/"), "/");
}

TEST_F(CopyMoveDelete, CopyReplacesAFileOfTheSameNameSilently) {
  src.Write("a.jpg", "new");
  dst.Write("a.jpg", "old");
  Select({"a.jpg"});
  AnswerDestination(dst.path());
  Form1->Copy1Click();
  EXPECT_EQ(ReadFile(dst / "a.jpg"), "new");
  EXPECT_EQ(ReadFile(src / "a.jpg"), "new");
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, "1　Ｆｉｌｅをコピ－しました");
  EXPECT_EQ(script.boxes[0].caption, "報告");
  EXPECT_EQ(script.boxes[0].buttons, ui::MB_OK);
}

TEST_F(CopyMoveDelete, CopyOntoAReadOnlyFileShowsBothBoxesAndSkipsIt) {
  src.Write("a.jpg", "new a");
  src.Write("b.jpg", "new b");
  const std::string ro = dst.Write("a.jpg", "old a");
  MakeReadOnly(ro);
  Select({"a.jpg", "b.jpg"});
  AnswerDestination(dst.path());
  Form1->Copy1Click();
  ASSERT_EQ(script.boxes.size(), 3u);
  EXPECT_EQ(script.boxes[0].text, (src / "a.jpg") + "  : " + (dst / "a.jpg"));
  EXPECT_EQ(script.boxes[0].caption, "警告");
  EXPECT_EQ(script.boxes[1].text, "Accesee Denied  :  空でないフォルダーを削除しようとした");
  EXPECT_EQ(script.boxes[1].caption, "Tovra");
  EXPECT_EQ(script.boxes[2].text, "1　Ｆｉｌｅをコピ－しました");
  EXPECT_EQ(ReadFile(ro), "old a");
  EXPECT_EQ(ReadFile(dst / "b.jpg"), "new b");
}

TEST_F(CopyMoveDelete, MoveOfThreeWhereTheSecondFails) {
  src.Write("a.jpg", "A");
  src.Write("b.jpg", "B");
  src.Write("c.jpg", "C");
  MakeReadOnly(dst.Write("b.jpg", "old B"));
  Select({"a.jpg", "b.jpg", "c.jpg"});
  AnswerDestination(dst.path());
  Form1->Move1Click();
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"b.jpg"}));
  EXPECT_EQ(ReadFile(src / "b.jpg"), "B");
  EXPECT_EQ(ReadFile(dst / "a.jpg"), "A");
  EXPECT_EQ(ReadFile(dst / "b.jpg"), "old B");
  EXPECT_EQ(ReadFile(dst / "c.jpg"), "C");
  ASSERT_EQ(script.boxes.size(), 3u);
  EXPECT_EQ(script.boxes[2].text, "2　Ｆｉｌｅを移動しました");
  EXPECT_EQ(script.boxes[2].caption, "報告");
  // The list was rebuilt: only the file that stayed.
  ASSERT_EQ(ImageFileCount, 1);
  EXPECT_EQ(ImageFileList[0].FileName, "b.jpg");
}

TEST_F(CopyMoveDelete, MoveAcrossFileSystemsKeepsTheContent) {
  std::string templ = "/dev/shm/tovra-fileops-XXXXXX";
  if (!::mkdtemp(templ.data())) GTEST_SKIP() << "no /dev/shm";
  struct stat a{}, b{};
  ASSERT_EQ(::stat(src.path().c_str(), &a), 0);
  ASSERT_EQ(::stat(templ.c_str(), &b), 0);
  if (a.st_dev == b.st_dev) {
    std::filesystem::remove_all(templ);
    GTEST_SKIP() << "/tmp and /dev/shm share a file system";
  }
  std::string big(300000, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + 3);
  src.Write("a.jpg", big);
  Select({"a.jpg"});
  AnswerDestination(templ);
  Form1->Move1Click();
  EXPECT_FALSE(Exists(src / "a.jpg"));
  EXPECT_EQ(ReadFile(templ + "/a.jpg"), big);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"1　Ｆｉｌｅを移動しました"}));
  // And back again.
  Form1->DirectoryListBox1->SetDirectory(templ);
  Select({"a.jpg"});
  AnswerDestination(src.path());
  Form1->Move1Click();
  EXPECT_EQ(ReadFile(src / "a.jpg"), big);
  EXPECT_FALSE(Exists(templ + "/a.jpg"));
  std::filesystem::remove_all(templ);
}

TEST_F(CopyMoveDelete, DeleteTakesReadOnlyFilesWithoutAQuestion) {
  MakeReadOnly(src.Write("a.jpg", "A"));
  src.Write("b.jpg", "B");
  src.Write("c.jpg", "C");
  Select({"a.jpg", "c.jpg"});
  Form1->Del1Click();
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"b.jpg"}));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"選択された　2　ファイルを削除しました"}));
  EXPECT_EQ(script.boxes[0].caption, "報告");
}

TEST_F(CopyMoveDelete, FailedDeleteIsReportedAndNotCounted) {
  src.Write("a.jpg", "A");
  src.Write("b.jpg", "B");
  Select({"a.jpg", "b.jpg"});
  // Another program took a.jpg away after the list was made.
  ASSERT_EQ(::unlink((src / "a.jpg").c_str()), 0);
  Form1->Del1Click();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"File Not Found", "選択された　1　ファイルを削除しました"}));
  EXPECT_FALSE(Exists(src / "b.jpg"));
}

TEST_F(CopyMoveDelete, TheCurrentFolderAsDestinationStopsAtOnce) {
  src.Write("a.jpg", "A");
  Select({"a.jpg"});
  AnswerDestination(src.path());
  Form1->Copy1Click();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"同じＤｉｒが指定されたので中止します"}));
  EXPECT_EQ(script.boxes[0].caption, "警告");
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"a.jpg"}));
  EXPECT_EQ(ReadFile(src / "a.jpg"), "A");
}

TEST_F(CopyMoveDelete, TheSameFolderByAnotherNameIsRefusedFileByFile) {
  src.Write("a.jpg", "A");
  const std::string link = dst / "alias";
  ASSERT_EQ(::symlink(src.path().c_str(), link.c_str()), 0);
  Select({"a.jpg"});
  AnswerDestination(link);
  Form1->Move1Click();
  EXPECT_EQ(ReadFile(src / "a.jpg"), "A");
  ASSERT_EQ(script.boxes.size(), 3u);
  EXPECT_EQ(script.boxes[1].text, "使用中のファイルは操作出来ません");
  EXPECT_EQ(script.boxes[2].text, "0　Ｆｉｌｅを移動しました");
}

TEST_F(CopyMoveDelete, CancelByButtonOrCloseBoxChangesNothing) {
  src.Write("a.jpg", "A");
  Select({"a.jpg"});
  script.modalAnswers.push_back([&](ui::TForm&) {
    Form5->DirectoryListBox1->SetDirectory(dst.path());
    Form5->Button2Click();
  });
  Form1->Move1Click();
  EXPECT_TRUE(DialogTarget.empty());
  // No answer: the close box.
  Form1->Copy1Click();
  EXPECT_TRUE(DialogTarget.empty());
  EXPECT_TRUE(script.boxes.empty());
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"a.jpg"}));
  EXPECT_TRUE(Names(dst.path()).empty());
}

TEST_F(CopyMoveDelete, NothingSelectedIsWarned) {
  src.Write("a.jpg", "A");
  Select({});
  for (auto handler : {&TForm1::Copy1Click, &TForm1::Move1Click, &TForm1::Del1Click}) {
    script.boxes.clear();
    (Form1->*handler)();
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_EQ(script.boxes[0].text, "Ｆｉｌｅを選択してください");
    EXPECT_EQ(script.boxes[0].caption, "警告");
  }
  EXPECT_TRUE(script.modalCaptions.empty());
  EXPECT_TRUE(Exists(src / "a.jpg"));
}

TEST_F(CopyMoveDelete, DestinationListShowsPlainVisibleFilesOnly) {
  src.Write("a.jpg", "A");
  dst.Write("plain.txt", "x");
  dst.Write(".hidden", "x");
  dst.MakeDir("folder");
  Select({"a.jpg"});
  std::vector<std::string> shown;
  std::string edit;
  script.modalAnswers.push_back([&](ui::TForm&) {
    Form5->DirectoryListBox1->SetDirectory(dst.path());
    for (int i = 0; i < Form5->ListBox1->Count(); ++i) shown.push_back(Form5->ListBox1->Line(i));
    edit = Form5->LabeledEdit1->Text();
    Form5->Button2Click();
  });
  Form1->Copy1Click();
  EXPECT_EQ(shown, (std::vector<std::string>{"plain.txt"}));
  EXPECT_EQ(Form5->DriveComboBox1->FolderList(), Form5->DirectoryListBox1);
  EXPECT_EQ(edit, dst.path());
}

TEST_F(CopyMoveDelete, DialogKeepsItsFolderAndCaptionBetweenUses) {
  src.Write("a.jpg", "A");
  src.Write("b.jpg", "B");
  Form5->SetCaption("移動");
  Select({"a.jpg"});
  AnswerDestination(dst.path());
  Form1->Copy1Click();
  Select({"b.jpg"});
  std::string openedOn;
  script.modalAnswers.push_back([&](ui::TForm&) {
    openedOn = Form5->LabeledEdit1->Text();
    Form5->Button1Click();
  });
  Form1->Copy1Click();
  ASSERT_EQ(script.modalCaptions.size(), 2u);
  EXPECT_EQ(script.modalCaptions[0], "移動");
  EXPECT_EQ(script.modalCaptions[1], "移動");
  EXPECT_EQ(openedOn, dst.path());
  EXPECT_EQ(ReadFile(dst / "b.jpg"), "B");
}

}  // namespace
