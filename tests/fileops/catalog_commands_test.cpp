// The catalog's copy, move, rename and delete on real files, with the table,
// the selection and the redrawn grid checked afterwards.
#include <gtest/gtest.h>

#include "catalog/builder.h"
#include "catalog/catlog1.h"
#include "catalog/geometry.h"
#include "catalog/selection.h"
#include "fileops/catalog_file_commands.h"
#include "forms/catlog.h"
#include "forms/form5.h"
#include "forms/takefile.h"
#include "platform/paths.h"
#include "window_fixture.h"

namespace {

using fileops_test::MakeReadOnly;
using fileops_test::Names;
using testsupport::Exists;
using testsupport::ReadFile;

graphics::Color CellColour(int imageIndex) {
  return 0x102030u + static_cast<graphics::Color>(imageIndex) * 0x0A0B0Cu;
}

class CatalogCommands : public fileops_test::WindowTest {
 protected:
  // Lists the files and fills the catalog as a finished build would.
  void Build(const std::vector<std::string>& names, int built = -1) {
    for (const std::string& n : names) src.Write(n, "data of " + n);
    RefreshFileList();
    ASSERT_EQ(ImageFileCount, static_cast<int>(names.size()));
    catalog::ApplyGeometry(catalog::GeometryForMode(true));
    catlog_f->ImList.Clear();
    catlog_f->ImList.SetSize(CellSize, CellSize);
    for (int k = 0; k < ImageFileCount; ++k) {
      graphics::Bitmap cell(CellSize, CellSize);
      cell.FillRect({0, 0, CellSize, CellSize}, CellColour(k));
      catlog_f->ImList.Add(cell);
      CatalogTable[static_cast<size_t>(k)] =
          CatalogEntry{MakeFullPath(ImageFileList[static_cast<size_t>(k)].FileName), 10, 10, 8, k};
      SelectionTable[static_cast<size_t>(k)] = SelectionMark{};
    }
    catlog_f->Canvas.SetSize(ColumnCount * CellPitch + 10, (ImageFileCount / ColumnCount + 1) * CellPitch);
    BuiltCount = built < 0 ? ImageFileCount : built;
    SelectedCount = 0;
    CatalogBusy = 0;
  }

  // A right click on the cell of grid position k.
  void Click(int k) {
    const catalog::Point o = catalog::CellOrigin(k, CellPitch, ColumnCount);
    HitX = o.x + 20;
    HitY = o.y + 20;
  }
  void Toggle(int k) {
    Click(k);
    ToggleSelection();
  }

  void AnswerDestination(const std::string& folder) {
    script.modalAnswers.push_back([folder](ui::TForm&) {
      ASSERT_TRUE(Form5->DirectoryListBox1->SetDirectory(folder));
      Form5->Button1Click();
    });
  }
  void AnswerName(const std::string& name, const std::string& start = "1") {
    script.modalAnswers.push_back([name, start](ui::TForm&) {
      TakeFile->Edit1->setText(QString::fromStdString(name));
      TakeFile->Edit2->setText(QString::fromStdString(start));
      TakeFile->Button1Click();
    });
  }

  std::vector<std::string> TableNames(int n) const {
    std::vector<std::string> out;
    for (int k = 0; k < n; ++k) out.push_back(platform::NameOf(CatalogTable[static_cast<size_t>(k)].Path));
    return out;
  }
  std::vector<int32_t> TableIndices(int n) const {
    std::vector<int32_t> out;
    for (int k = 0; k < n; ++k) out.push_back(CatalogTable[static_cast<size_t>(k)].ImageIndex);
    return out;
  }
  int SelectedMarks(int n) const {
    int s = 0;
    for (int k = 0; k < n; ++k) s += SelectionTable[static_cast<size_t>(k)].Selected != 0;
    return s;
  }
  graphics::Color CanvasAtCell(int k) const {
    const catalog::Point o = catalog::CellOrigin(k, CellPitch, ColumnCount);
    return catlog_f->Canvas.PixelColor(o.x + 50, o.y + 50);
  }
};

TEST_F(CatalogCommands, CopyOfThreeIntoAnotherFolder) {
  Build({"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"});
  Toggle(0);
  Toggle(2);
  Toggle(4);
  ASSERT_EQ(SelectedCount, 3);
  AnswerDestination(dst.path());
  catlog_f->N1Click();
  EXPECT_EQ(script.modalCaptions, (std::vector<std::string>{"コピ－"}));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"選択された3 ファイル をコピ－しました"}));
  EXPECT_EQ(script.boxes[0].caption, "報告");
  EXPECT_EQ(Names(dst.path()), (std::set<std::string>{"a.jpg", "c.jpg", "e.jpg"}));
  EXPECT_EQ(ReadFile(dst / "c.jpg"), "data of c.jpg");
  EXPECT_EQ(SelectedCount, 0);
  EXPECT_EQ(SelectedMarks(5), 0);
  EXPECT_EQ(ImageFileCount, 5);
  EXPECT_EQ(TableNames(5), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"}));
  EXPECT_EQ(Names(src.path()).size(), 5u);
}

TEST_F(CatalogCommands, CopyIntoTheCatalogsOwnFolderIsRefusedFileByFile) {
  Build({"a.jpg", "b.jpg", "c.jpg"});
  Toggle(0);
  Toggle(1);
  AnswerDestination(src.path());
  catlog_f->N1Click();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"使用中のファイルは操作出来ません", "使用中のファイルは操作出来ません",
                                               "選択された0 ファイル をコピ－しました"}));
  EXPECT_EQ(SelectedCount, 2);
  EXPECT_EQ(SelectedMarks(3), 2);
  EXPECT_EQ(ReadFile(src / "a.jpg"), "data of a.jpg");
  EXPECT_EQ(ReadFile(src / "b.jpg"), "data of b.jpg");

  // A move there fails the same way and deletes nothing.
  script.boxes.clear();
  AnswerDestination(src.path());
  catlog_f->GoTo1Click();
  EXPECT_EQ(script.boxes.back().text, "選択された0 ファイル を移動しました");
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"a.jpg", "b.jpg", "c.jpg"}));
  EXPECT_EQ(ReadFile(src / "a.jpg"), "data of a.jpg");
  EXPECT_EQ(ImageFileCount, 3);
}

TEST_F(CatalogCommands, MoveOfTwoOfFiveClosesUpTheGrid) {
  Build({"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"});
  Toggle(1);
  Toggle(3);
  AnswerDestination(dst.path());
  catlog_f->GoTo1Click();
  EXPECT_EQ(script.modalCaptions, (std::vector<std::string>{"移動"}));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"選択された2 ファイル を移動しました"}));
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"a.jpg", "c.jpg", "e.jpg"}));
  EXPECT_EQ(Names(dst.path()), (std::set<std::string>{"b.jpg", "d.jpg"}));
  EXPECT_EQ(ReadFile(dst / "d.jpg"), "data of d.jpg");
  ASSERT_EQ(ImageFileCount, 3);
  EXPECT_EQ(TableNames(3), (std::vector<std::string>{"a.jpg", "c.jpg", "e.jpg"}));
  EXPECT_EQ(TableIndices(3), (std::vector<int32_t>{0, 2, 4}));
  EXPECT_EQ(SelectedCount, 0);
  EXPECT_EQ(SelectedMarks(3), 0);
  // The redraw put each surviving thumbnail at its new place.
  EXPECT_EQ(CanvasAtCell(0), CellColour(0));
  EXPECT_EQ(CanvasAtCell(1), CellColour(2));
  EXPECT_EQ(CanvasAtCell(2), CellColour(4));
  EXPECT_EQ(CanvasAtCell(3), 0xFFFFFFu);
}

TEST_F(CatalogCommands, DeleteAnsweredCancelChangesNothing) {
  Build({"a.jpg", "b.jpg"});
  Toggle(0);
  script.answers.push_back(ui::IDCANCEL);
  catlog_f->Delete1Click();
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, "削除しても良いですか　？");
  EXPECT_EQ(script.boxes[0].caption, "注意");
  EXPECT_EQ(script.boxes[0].buttons, ui::MB_OKCANCEL);
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"a.jpg", "b.jpg"}));
  EXPECT_EQ(SelectedCount, 1);
  EXPECT_EQ(ImageFileCount, 2);
}

TEST_F(CatalogCommands, DeleteAnsweredOkTakesReadOnlyFilesToo) {
  Build({"a.jpg", "b.jpg", "c.jpg"});
  MakeReadOnly(src / "a.jpg");
  Toggle(0);
  Toggle(2);
  script.answers.push_back(ui::IDOK);
  catlog_f->Delete1Click();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"削除しても良いですか　？", "選択された2 ファイル を削除しました"}));
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"b.jpg"}));
  ASSERT_EQ(ImageFileCount, 1);
  EXPECT_EQ(TableNames(1), (std::vector<std::string>{"b.jpg"}));
  EXPECT_EQ(TableIndices(1), (std::vector<int32_t>{1}));
  EXPECT_EQ(CanvasAtCell(0), CellColour(1));
  EXPECT_EQ(SelectedCount, 0);
}

TEST_F(CatalogCommands, SerialRenameResortsTheCatalog) {
  Build({"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"});
  Toggle(2);
  Toggle(4);
  AnswerName("img", "1");
  catlog_f->N2Click();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"ＲＥＮＡＭＥが終わりました"}));
  EXPECT_EQ(script.boxes[0].caption, "報告");
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"a.jpg", "b.jpg", "d.jpg", "img1.jpg", "img2.jpg"}));
  EXPECT_EQ(ReadFile(src / "img1.jpg"), "data of c.jpg");
  EXPECT_EQ(ReadFile(src / "img2.jpg"), "data of e.jpg");
  ASSERT_EQ(ImageFileCount, 5);
  EXPECT_EQ(TableNames(5), (std::vector<std::string>{"a.jpg", "b.jpg", "d.jpg", "img1.jpg", "img2.jpg"}));
  EXPECT_EQ(TableIndices(5), (std::vector<int32_t>{0, 1, 3, 2, 4}));
  EXPECT_EQ(CanvasAtCell(2), CellColour(3));
  EXPECT_EQ(CanvasAtCell(3), CellColour(2));
  EXPECT_EQ(SelectedCount, 0);
  // The main list follows the new names.
  EXPECT_EQ(ImageFileList[3].FileName, "img1.jpg");
}

TEST_F(CatalogCommands, SerialRenameStopsAtAFileThatBearsItsName) {
  Build({"a.jpg", "img2.jpg", "z.jpg"});
  Toggle(0);
  Toggle(1);
  Toggle(2);
  AnswerName("img", "1");
  catlog_f->N2Click();
  // a.jpg took 1, img2.jpg already bears 2: the series stops before z.jpg,
  // without the closing message, and the catalog is still re-sorted.
  EXPECT_TRUE(script.boxes.empty());
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"img1.jpg", "img2.jpg", "z.jpg"}));
  EXPECT_EQ(TableNames(3), (std::vector<std::string>{"img1.jpg", "img2.jpg", "z.jpg"}));
  EXPECT_EQ(TableIndices(3), (std::vector<int32_t>{0, 1, 2}));
  EXPECT_EQ(SelectedCount, 0);
}

TEST_F(CatalogCommands, SingleRenameAndItsRefusals) {
  Build({"a.jpg", "b.jpg", "c.jpg"});
  Toggle(0);
  std::string shown;
  script.modalAnswers.push_back([&](ui::TForm&) {
    shown = TakeFile->Edit1->text().toStdString();
    TakeFile->Button1Click();  // the name left as it was
  });
  catlog_f->N2Click();
  EXPECT_EQ(shown, "a");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"同じ名前のファイルがあり，変更出来ませんでした"}));

  script.boxes.clear();
  AnswerName("z");
  catlog_f->N2Click();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"ＲＥＮＡＭＥが終わりました"}));
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"b.jpg", "c.jpg", "z.jpg"}));
  EXPECT_EQ(TableNames(3), (std::vector<std::string>{"b.jpg", "c.jpg", "z.jpg"}));
  EXPECT_EQ(TableIndices(3), (std::vector<int32_t>{1, 2, 0}));
}

TEST_F(CatalogCommands, FailedSingleRenameIsReportedTwice) {
  Build({"a.jpg", "b.jpg"});
  Toggle(1);
  src.MakeDir("x.jpg");
  AnswerName("x");
  catlog_f->N2Click();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"同じ名前が既にあります", "変更出来ませんでした"}));
  EXPECT_EQ(ReadFile(src / "b.jpg"), "data of b.jpg");
}

TEST_F(CatalogCommands, NothingHappensWhileBusyOrWithoutSelection) {
  Build({"a.jpg", "b.jpg"});
  catlog_f->N1Click();
  catlog_f->GoTo1Click();
  catlog_f->N2Click();
  catlog_f->Delete1Click();
  ASSERT_EQ(script.boxes.size(), 4u);
  for (const auto& b : script.boxes) {
    EXPECT_EQ(b.text, "フｱイルを選択してください");
    EXPECT_EQ(b.caption, "警告");
  }
  script.boxes.clear();
  Toggle(0);
  CatalogBusy = 255;
  catlog_f->N1Click();
  catlog_f->GoTo1Click();
  catlog_f->N2Click();
  catlog_f->Delete1Click();
  CatalogBusy = 0;
  EXPECT_TRUE(script.boxes.empty());
  EXPECT_TRUE(script.modalCaptions.empty());
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"a.jpg", "b.jpg"}));
}

TEST_F(CatalogCommands, RenameAfterAClickBelowTheLastThumbnailDoesNothing) {
  Build({"a.jpg", "b.jpg"});
  Toggle(0);
  Click(9);
  catlog_f->N2Click();
  EXPECT_TRUE(script.modalCaptions.empty());
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(CatalogCommands, PositionsTheBuildDidNotWriteAreLeftAlone) {
  Build({"a.jpg", "b.jpg", "c.jpg", "d.jpg"}, 2);
  Toggle(0);
  // A record from an earlier build still marks position 3.
  const catalog::Point o = catalog::CellOrigin(3, CellPitch, ColumnCount);
  SelectionTable[3] = SelectionMark{3, o.x, o.y, 255};
  ++SelectedCount;
  script.answers.push_back(ui::IDOK);
  catlog_f->Delete1Click();
  EXPECT_EQ(script.boxes.back().text, "選択された1 ファイル を削除しました");
  EXPECT_EQ(Names(src.path()), (std::set<std::string>{"b.jpg", "c.jpg", "d.jpg"}));
  Click(3);
  EXPECT_EQ(CatalogProcessEntry(FileOperation::Delete), -255);
  EXPECT_TRUE(Exists(src / "d.jpg"));
}

}  // namespace
