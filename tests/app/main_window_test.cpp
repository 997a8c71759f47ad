// The main window: start-up, activation, resize, and the commands that only
// open another window.
#include <gtest/gtest.h>

#include "app/resources.h"
#include "app/startup.h"
#include "app/tovra1.h"
#include "browser/viewer_launch.h"
#include "forms/catlog.h"
#include "forms/form1.h"
#include "platform/paths.h"
#include "support/windows_fixture.h"

namespace {

TEST(CommandLine, ArgumentsJoinedBySingleBlanks) {
  EXPECT_EQ(JoinCommandLine({}), "");
  EXPECT_EQ(JoinCommandLine({"/opt/view/show"}), "/opt/view/show");
  EXPECT_EQ(JoinCommandLine({"\"/opt/my viewer/show\"", "x"}), "\"/opt/my viewer/show\" x");
}

TEST(PanelLayout, ArithmeticAtDesignAndLargerSizes) {
  const struct {
    int w, h, listHeight, folderWidth, fileWidth, fileLeft;
  } cases[] = {
      {672, 455, 395, 234, 412, 249},
      {1000, 600, 540, 349, 613, 364},
  };
  for (const auto& c : cases) {
    const PanelLayout l = ComputePanelLayout(c.w, c.h);
    EXPECT_EQ(l.listHeight, c.listHeight);
    EXPECT_EQ(l.folderWidth, c.folderWidth);
    EXPECT_EQ(l.fileWidth, c.fileWidth);
    EXPECT_EQ(l.fileLeft, c.fileLeft);
  }
}

class MainWindowTest : public testsupport::WindowsTest {};

TEST_F(MainWindowTest, EveryWindowExistsBeforeTheFirstShowing) {
  EXPECT_EQ(ui::TForm::MainForm(), Form1);
  for (ui::TForm* f : std::initializer_list<ui::TForm*>{Form1}) EXPECT_NE(f, nullptr);
  EXPECT_NE(Help, nullptr);
  EXPECT_NE(catlog_f, nullptr);
  EXPECT_NE(Form6, nullptr);
  EXPECT_NE(Form5, nullptr);
  EXPECT_NE(Form4, nullptr);
  EXPECT_NE(TakeFile, nullptr);
  EXPECT_NE(Form7, nullptr);
  EXPECT_NE(Form8, nullptr);
  EXPECT_NE(RENDIR, nullptr);
  EXPECT_EQ(Form1->Caption(), "Tovra");
  EXPECT_TRUE(Form1->RadioButton1->isChecked());
  EXPECT_FALSE(Form1->CheckBox1->isChecked());
  EXPECT_EQ(Form1->ListBox1->HorizontalExtent(), 1800);
  EXPECT_EQ(Form1->DirectoryListBox1->HorizontalExtent(), 1200);
}

TEST_F(MainWindowTest, ResizeFollowsThePanel) {
  Form1->show();
  for (auto [w, h] : {std::pair{672, 455}, std::pair{1000, 600}}) {
    Form1->Panel1->resize(w, h);
    const PanelLayout l = ComputePanelLayout(w, h);
    EXPECT_EQ(Form1->ListBox1->height(), l.listHeight);
    EXPECT_EQ(Form1->DirectoryListBox1->height(), l.listHeight);
    EXPECT_EQ(Form1->DirectoryListBox1->width(), l.folderWidth);
    EXPECT_EQ(Form1->ListBox1->width(), l.fileWidth);
    EXPECT_EQ(Form1->ListBox1->x(), l.fileLeft);
  }
}

TEST_F(MainWindowTest, ActivationRestoresPositionFilterAndViewedPositions) {
  Form1->show();
  Form1->move(400, 300);
  Form1->ComboBox1->SetText("jpg");
  ViewedCount = 7;
  CommandLineText.clear();
  Form1->Activate();
  EXPECT_EQ(Form1->pos(), QPoint(200, 100));
  EXPECT_EQ(Form1->ComboBox1->Text(), FilterText);
  EXPECT_EQ(ViewedCount, 0);
  EXPECT_EQ(ViewerPath, platform::JoinPath(platform::ExecutableFolder(), "pelmo.exe"));
  // The filter list does not grow with repeated activations.
  const auto items = Form1->ComboBox1->Items();
  Form1->Activate();
  EXPECT_EQ(Form1->ComboBox1->Items(), items);
}

TEST_F(MainWindowTest, ViewerNamedOnTheCommandLine) {
  CommandLineText = "/opt/view/show";
  Form1->Activate();
  EXPECT_EQ(ViewerPath, "/opt/view/show");
  EXPECT_EQ(ViewerParameterText("/p/a.jpg"), "/p/a.jpg");
  CommandLineText = "/opt/tools/pelmo.exe";
  Form1->Activate();
  EXPECT_EQ(ViewerParameterText("/p/a b.jpg"), "/p/a b.jpg,/opt/tools/pelmo.exe");
  CommandLineText.clear();
  Form1->Activate();
  EXPECT_EQ(ViewerParameterText("/p/a.jpg"), "/p/a.jpg," + ViewerPath);
}

TEST_F(MainWindowTest, EmptyCatalogIsRefused) {
  Browse(dir.path(), "jpg");
  Form1->N1Click();
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, "表示する　Ｆｉｌｅ　がありません");
  EXPECT_EQ(script.boxes[0].caption, "警告");
  EXPECT_EQ(script.boxes[0].buttons, ui::MB_OK);
  EXPECT_TRUE(script.modalCaptions.empty());
}

TEST_F(MainWindowTest, InfoWithoutSelectionAsksForOne) {
  dir.Write("a.jpg", "x");
  Browse(dir.path(), "jpg");
  Form1->InfoClick();
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, "Ｆｉｌｅを選択してください");
  EXPECT_EQ(script.boxes[0].caption, "警告");
}

TEST_F(MainWindowTest, DoubleClickChecksTheTypeAgainstTheFilter) {
  dir.Write("photo.JPG", "x");
  dir.Write("noext", "x");
  CommandLineText = dir / "missing-viewer";
  Form1->Activate();
  const struct {
    const char* filter;
    const char* name;
    bool refused;
  } cases[] = {
      {"bmp,jpg,png", "photo.JPG", false},
      {"all", "photo.JPG", true},
      {"all", "noext", true},
  };
  for (const auto& c : cases) {
    Browse(dir.path(), c.filter);
    int line = -1;
    for (int i = 0; i < ImageFileCount; ++i) {
      if (ImageFileList[static_cast<size_t>(i)].FileName == c.name) line = i;
    }
    ASSERT_GE(line, 0) << c.name;
    Form1->ListBox1->setCurrentRow(line);
    script.boxes.clear();
    CurrentFilePath.clear();
    ViewedCount = 0;
    Form1->ListBox1DblClick();
    EXPECT_EQ(ViewedCount, 1);
    EXPECT_EQ(ViewedIndices[0], line);
    if (c.refused) {
      ASSERT_EQ(script.boxes.size(), 1u) << c.filter << " " << c.name;
      EXPECT_EQ(script.boxes[0].text, "フアイルタイプが違うようで，表示できません");
      EXPECT_EQ(script.boxes[0].caption, "警告");
      EXPECT_TRUE(CurrentFilePath.empty());
    } else {
      // A viewer that cannot start fails silently.
      EXPECT_TRUE(script.boxes.empty());
      EXPECT_EQ(CurrentFilePath, dir / c.name);
    }
  }
}

TEST_F(MainWindowTest, ViewedPositionsKeepTheNewest) {
  for (int i = 0; i < 150; ++i) RecordViewedPosition(i);
  EXPECT_EQ(ViewedCount, kViewedCapacity);
  EXPECT_EQ(ViewedIndices[0], 50);
  EXPECT_EQ(ViewedIndices[kViewedCapacity - 1], 149);
}

}  // namespace

namespace {

TEST_F(MainWindowTest, CatalogOpensOnTheListAndTheListIsRebuiltAfterIt) {
  dir.Write("a.jpg", "not really a picture");
  Browse(dir.path(), "jpg");
  CommandLineText = "/opt/view/show";  // keeps the drive set-up out of it
  Form1->RadioButton2->setChecked(true);
  int catalogCount = -1;
  script.modalAnswers.push_back([&](ui::TForm& form) {
    EXPECT_EQ(&form, catlog_f);
    catalogCount = ImageFileCount;
    // A file appears while the catalog is open.
    dir.Write("b.jpg", "x");
    form.close();
  });
  Form1->N1Click();
  EXPECT_EQ(script.modalCaptions.size(), 1u);
  EXPECT_EQ(catalogCount, 1);
  EXPECT_EQ(ImageFileCount, 2);
  EXPECT_EQ(Form1->ListBox1->Count(), 2);
  // The 170 choice stays: nothing resets it.
  EXPECT_TRUE(Form1->RadioButton2->isChecked());
}

}  // namespace
