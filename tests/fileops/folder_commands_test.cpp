// Making and renaming folders from the main window's folder list.
#include <gtest/gtest.h>

#include "fileops/folder_commands.h"
#include "forms/rendir.h"
#include "forms/takefile.h"
#include "window_fixture.h"

namespace {

using fileops_test::Names;
using testsupport::Exists;
using testsupport::ReadFile;

bool ListShows(const std::string& path) {
  for (int i = 0; i < Form1->DirectoryListBox1->count(); ++i) {
    if (Form1->DirectoryListBox1->ItemPath(i) == path) return true;
  }
  return false;
}

int ItemOf(const std::string& path) {
  for (int i = 0; i < Form1->DirectoryListBox1->count(); ++i) {
    if (Form1->DirectoryListBox1->ItemPath(i) == path) return i;
  }
  return -1;
}

TEST(SplitFolderPath, LastSeparator) {
  struct Case {
    const char* path;
    bool found;
    const char* parent;
    const char* name;
  } cases[] = {
      {"/photos/2024", true, "/photos/", "2024"},
      {"/photos", true, "/", "photos"},
      {"/", true, "/", ""},
      {"name", false, "", ""},
      {"/写真/夏", true, "/写真/", "夏"},
  };
  for (const auto& c : cases) {
    const FolderSplit s = SplitFolderPath(c.path);
    EXPECT_EQ(s.found, c.found) << c.path;
    EXPECT_EQ(s.parent, c.parent) << c.path;
    EXPECT_EQ(s.name, c.name) << c.path;
  }
}

TEST(FolderToRename, HighlightedSubfolderOrTheCurrentFolder) {
  EXPECT_EQ(FolderToRename("/a/photos", "/a/photos/photo"), "/a/photos/photo");
  EXPECT_EQ(FolderToRename("/a/photos", "/a/photos"), "/a/photos");
  EXPECT_EQ(FolderToRename("/a/photos", "/a"), "/a/photos");
  EXPECT_EQ(FolderToRename("/a/photos", "/"), "/a/photos");
  EXPECT_EQ(FolderToRename("/a/photos", ""), "/a/photos");
  EXPECT_EQ(FolderToRename("/", "/etc"), "/etc");
}

class FolderCommands : public fileops_test::WindowTest {};

TEST_F(FolderCommands, MakeFolderBelowTheCurrentOne) {
  std::string label;
  script.modalAnswers.push_back([&](ui::TForm&) {
    label = TakeFile->Label3->text().toStdString();
    TakeFile->Edit1->setText("new");
    TakeFile->Button1Click();
  });
  Form1->MkDir1Click();
  EXPECT_EQ(label, src.path() + "/");
  EXPECT_TRUE(std::filesystem::is_directory(src / "new"));
  EXPECT_TRUE(ListShows(src / "new"));
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(FolderCommands, MakeFolderAtTheRootAsksUnderTheRootItself) {
  ASSERT_TRUE(Form1->DirectoryListBox1->SetDirectory("/"));
  std::string label;
  script.modalAnswers.push_back([&](ui::TForm&) {
    label = TakeFile->Label3->text().toStdString();
    TakeFile->Button2Click();
  });
  Form1->MkDir1Click();
  EXPECT_EQ(label, "/");
  EXPECT_TRUE(DialogTarget.empty());
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(FolderCommands, MakeFolderFailuresAreReported) {
  src.MakeDir("old");
  struct Case {
    const char* name;
    const char* text;
  } cases[] = {
      {"old", "同じ名前が既にあります"},
      {"", "同じ名前が既にあります"},
      {"no/such", "Path Not Found"},
  };
  for (const auto& c : cases) {
    script.boxes.clear();
    const std::string name = c.name;
    script.modalAnswers.push_back([name](ui::TForm&) {
      TakeFile->Edit1->setText(QString::fromStdString(name));
      TakeFile->Button1Click();
    });
    Form1->MkDir1Click();
    ASSERT_EQ(script.boxes.size(), 1u) << c.name;
    EXPECT_EQ(script.boxes[0].text, c.text) << c.name;
    EXPECT_EQ(FileOpKind, 0);
  }
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"old"}));
}

TEST_F(FolderCommands, RenameTheHighlightedSubfolder) {
  src.MakeDir("old");
  src.Write("old/inside.jpg", "I");
  Form1->DirectoryListBox1->Update();
  const int item = ItemOf(src / "old");
  ASSERT_GE(item, 0);
  Form1->DirectoryListBox1->SetItemIndex(item);
  std::string parent, name;
  script.modalAnswers.push_back([&](ui::TForm&) {
    parent = RENDIR->Label2->text().toStdString();
    name = RENDIR->Edit1->text().toStdString();
    RENDIR->Edit1->setText("renamed");
    RENDIR->Button1Click();
  });
  Form1->RENDIR1Click();
  EXPECT_EQ(parent, src.path() + "/");
  EXPECT_EQ(name, "old");
  EXPECT_EQ(script.modalCaptions, (std::vector<std::string>{"フオルダ－の名前変更"}));
  EXPECT_EQ(ReadFile(src / "renamed/inside.jpg"), "I");
  EXPECT_FALSE(Exists(src / "old"));
  EXPECT_TRUE(ListShows(src / "renamed"));
  EXPECT_EQ(Form1->DirectoryListBox1->Directory(), src.path());
}

TEST_F(FolderCommands, RenameTheCurrentFolderMovesTheListWithIt) {
  src.MakeDir("photos");
  src.Write("photos/a.jpg", "A");
  src.MakeDir("photos/photo");
  ASSERT_TRUE(Form1->DirectoryListBox1->SetDirectory(src / "photos"));
  Form1->DirectoryListBox1->SetItemIndex(ItemOf(src / "photos"));
  script.modalAnswers.push_back([](ui::TForm&) {
    RENDIR->Edit1->setText("pictures");
    RENDIR->Button1Click();
  });
  Form1->RENDIR1Click();
  EXPECT_TRUE(std::filesystem::is_directory(src / "pictures/photo"));
  EXPECT_FALSE(Exists(src / "photos"));
  EXPECT_EQ(Form1->DirectoryListBox1->Directory(), src / "pictures");
  ASSERT_EQ(ImageFileCount, 1);
  EXPECT_EQ(ImageFileList[0].FileName, "a.jpg");
}

TEST_F(FolderCommands, ASubfolderNamedLikePartOfThePathIsStillTheSubfolder) {
  src.MakeDir("photos");
  src.MakeDir("photos/photo");
  ASSERT_TRUE(Form1->DirectoryListBox1->SetDirectory(src / "photos"));
  Form1->DirectoryListBox1->SetItemIndex(ItemOf(src / "photos/photo"));
  script.modalAnswers.push_back([](ui::TForm&) {
    RENDIR->Edit1->setText("snap");
    RENDIR->Button1Click();
  });
  Form1->RENDIR1Click();
  EXPECT_TRUE(std::filesystem::is_directory(src / "photos/snap"));
  EXPECT_EQ(Form1->DirectoryListBox1->Directory(), src / "photos");
}

TEST_F(FolderCommands, RenameOntoAnExistingNameLeavesBothFolders) {
  src.MakeDir("a");
  src.Write("a/x.jpg", "X");
  src.MakeDir("b");
  src.Write("b/y.jpg", "Y");
  Form1->DirectoryListBox1->Update();
  Form1->DirectoryListBox1->SetItemIndex(ItemOf(src / "a"));
  script.modalAnswers.push_back([](ui::TForm&) {
    RENDIR->Edit1->setText("b");
    RENDIR->Button1Click();
  });
  Form1->RENDIR1Click();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"同じ名前が既にあります"}));
  EXPECT_EQ(FileOpKind, 5);
  EXPECT_EQ(ReadFile(src / "a/x.jpg"), "X");
  EXPECT_EQ(ReadFile(src / "b/y.jpg"), "Y");
  EXPECT_EQ(Names(src / "b"), (std::set<std::string>{"y.jpg"}));
}

TEST_F(FolderCommands, CancelByButtonOrCloseBoxChangesNothing) {
  src.MakeDir("a");
  Form1->DirectoryListBox1->Update();
  Form1->DirectoryListBox1->SetItemIndex(ItemOf(src / "a"));
  script.modalAnswers.push_back([](ui::TForm&) {
    RENDIR->Edit1->setText("z");
    RENDIR->Button2Click();
  });
  Form1->RENDIR1Click();
  EXPECT_TRUE(DialogValue.empty());
  Form1->RENDIR1Click();  // closed by its close box
  EXPECT_TRUE(DialogValue.empty());
  script.modalAnswers.push_back([](ui::TForm&) {
    TakeFile->Edit1->setText("z");
    TakeFile->Button2Click();
  });
  Form1->MkDir1Click();
  EXPECT_TRUE(script.boxes.empty());
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"a"}));
}

}  // namespace
