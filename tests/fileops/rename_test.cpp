// Renaming from the main list, and the rename dialog in its modes.
#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include "fileops/rename.h"
#include "catalog/catlog1.h"
#include "forms/takefile.h"
#include "window_fixture.h"

namespace {

using fileops_test::Names;
using testsupport::ReadFile;

class RenameFiles : public fileops_test::WindowTest {
 protected:
  void AnswerName(const std::string& name, const std::string& start = "1") {
    script.modalAnswers.push_back([name, start](ui::TForm&) {
      TakeFile->Edit1->setText(QString::fromStdString(name));
      TakeFile->Edit2->setText(QString::fromStdString(start));
      TakeFile->Button1Click();
    });
  }
};

struct DialogView {
  std::string label1, label3, edit1;
  bool edit2Shown = false, label2Shown = false;
};

DialogView ViewOfTakeFile() {
  DialogView v;
  v.label1 = TakeFile->Label1->text().toStdString();
  v.label3 = TakeFile->Label3->text().toStdString();
  v.edit1 = TakeFile->Edit1->text().toStdString();
  v.edit2Shown = !TakeFile->Edit2->isHidden();
  v.label2Shown = !TakeFile->Label2->isHidden();
  return v;
}

TEST_F(RenameFiles, OneFileGetsTheNewNameWithItsExtension) {
  src.Write("a.jpg", "A");
  Select({"a.jpg"});
  DialogView seen;
  script.modalAnswers.push_back([&](ui::TForm&) {
    seen = ViewOfTakeFile();
    TakeFile->Edit1->setText("b");
    TakeFile->Button1Click();
  });
  Form1->Rename1Click();
  EXPECT_EQ(seen.label1, "ファイル名");
  EXPECT_EQ(seen.edit1, "a");
  EXPECT_EQ(seen.label3, "a");
  EXPECT_FALSE(seen.edit2Shown);
  EXPECT_FALSE(seen.label2Shown);
  EXPECT_EQ(script.modalCaptions, (std::vector<std::string>{"名前変更"}));
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"b.jpg"}));
  EXPECT_EQ(ReadFile(src / "b.jpg"), "A");
  EXPECT_TRUE(script.boxes.empty());
  ASSERT_EQ(ImageFileCount, 1);
  EXPECT_EQ(ImageFileList[0].FileName, "b.jpg");
}

TEST_F(RenameFiles, OneFileOntoATakenNameLeavesBothFilesAsTheyWere) {
  src.Write("a.jpg", "A");
  src.Write("b.jpg", "B");
  Select({"a.jpg"});
  AnswerName("b");
  Form1->Rename1Click();
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, "同じ名前のフアイルがあり，変更できません");
  EXPECT_EQ(script.boxes[0].caption, "Tovra");
  EXPECT_EQ(ReadFile(src / "a.jpg"), "A");
  EXPECT_EQ(ReadFile(src / "b.jpg"), "B");
}

TEST_F(RenameFiles, OneFileKeptUnchangedDoesNothing) {
  src.Write("a.jpg", "A");
  Select({"a.jpg"});
  AnswerName("a");
  Form1->Rename1Click();
  EXPECT_TRUE(script.boxes.empty());
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"a.jpg"}));
}

TEST_F(RenameFiles, EnterInTheNameFieldActsAsOk) {
  src.Write("a.jpg", "A");
  Select({"a.jpg"});
  script.modalAnswers.push_back([](ui::TForm&) {
    TakeFile->Edit1->setText("c");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(TakeFile->Edit1, &enter);
  });
  Form1->Rename1Click();
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"c.jpg"}));
}

TEST_F(RenameFiles, CancelRenamesNothing) {
  src.Write("a.jpg", "A");
  Select({"a.jpg"});
  script.modalAnswers.push_back([](ui::TForm&) {
    TakeFile->Edit1->setText("z");
    TakeFile->Button2Click();
  });
  Form1->Rename1Click();
  EXPECT_TRUE(DialogTarget.empty());
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"a.jpg"}));
}

TEST_F(RenameFiles, SeveralFilesBecomeASeries) {
  src.Write("a.jpg", "A");
  src.Write("b.bmp", "B");
  src.Write("c.jpg", "C");
  src.Write("keep.jpg", "K");
  Select({"a.jpg", "b.bmp", "c.jpg"});
  DialogView seen;
  script.modalAnswers.push_back([&](ui::TForm&) {
    seen = ViewOfTakeFile();
    TakeFile->Edit1->setText("img");
    TakeFile->Edit2->setText("1");
    TakeFile->Button1Click();
  });
  Form1->Rename1Click();
  EXPECT_TRUE(seen.edit2Shown);
  EXPECT_TRUE(seen.label2Shown);
  EXPECT_EQ(seen.edit1, "a");
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"img1.jpg", "img2.bmp", "img3.jpg", "keep.jpg"}));
  EXPECT_EQ(ReadFile(src / "img2.bmp"), "B");
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(RenameFiles, SeriesSkipsTakenNamesAndKeepsAFileThatBearsItsName) {
  src.Write("img1.jpg", "first");
  src.Write("img3.jpg", "taken");
  src.Write("p.jpg", "P");
  src.Write("q.jpg", "Q");
  Select({"img1.jpg", "p.jpg", "q.jpg"});
  AnswerName("img", "1");
  Form1->Rename1Click();
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"img1.jpg", "img2.jpg", "img3.jpg", "img4.jpg"}));
  EXPECT_EQ(ReadFile(src / "img1.jpg"), "first");
  EXPECT_EQ(ReadFile(src / "img2.jpg"), "P");
  EXPECT_EQ(ReadFile(src / "img3.jpg"), "taken");
  EXPECT_EQ(ReadFile(src / "img4.jpg"), "Q");
}

TEST_F(RenameFiles, NonIntegerStartRenamesNothing) {
  src.Write("a.jpg", "A");
  src.Write("b.jpg", "B");
  Select({"a.jpg", "b.jpg"});
  AnswerName("img", "x1");
  Form1->Rename1Click();
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"a.jpg", "b.jpg"}));
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, StartNumberErrorText("x1"));
}

TEST_F(RenameFiles, EmptyBaseNameForSeveralFilesIsACancel) {
  src.Write("a.jpg", "A");
  src.Write("b.jpg", "B");
  Select({"a.jpg", "b.jpg"});
  AnswerName("", "1");
  Form1->Rename1Click();
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"a.jpg", "b.jpg"}));
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(RenameFiles, NothingSelectedIsWarned) {
  src.Write("a.jpg", "A");
  Select({});
  Form1->Rename1Click();
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, "Ｆｉｌｅを選択してください");
  EXPECT_TRUE(script.modalCaptions.empty());
}

TEST_F(RenameFiles, FolderModeAsksForAFolderName) {
  DialogTarget = "MKDIR";
  DialogValue = "/photos/";
  SelectedCount = 3;
  TakeFile->Edit1->setText("left over");
  DialogView seen;
  script.modalAnswers.push_back([&](ui::TForm&) {
    seen = ViewOfTakeFile();
    TakeFile->Edit1->setText("new");
    TakeFile->Button1Click();
  });
  TakeFile->ShowModal();
  EXPECT_EQ(seen.label1, "フオルダ－名");
  EXPECT_EQ(seen.label3, "/photos/");
  EXPECT_EQ(seen.edit1, "");
  EXPECT_FALSE(seen.edit2Shown);
  EXPECT_EQ(DialogTarget, "/photos/new");
  EXPECT_EQ(DialogValue, "/photos/");
}

}  // namespace
