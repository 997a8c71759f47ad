// The catalog's save and shrink commands, over a catalog state set up by
// the test and real files.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/startup.h"
#include "app/tovra1.h"
#include "catalog/catlog1.h"
#include "catalog/geometry.h"
#include "catalog/selection.h"
#include "formats/convert_fixture.h"
#include "forms/catlog.h"
#include "forms/form5.h"
#include "forms/form7.h"
#include "ui/dialogs.h"
#include "ui/guard.h"

namespace {

using exporttest::ChooseFolder;
using exporttest::Compression;

struct Rgb {
  int r, g, b;
};
Rgb At(const graphics::Bitmap& b, int x, int y) {
  const graphics::Color c = b.PixelColor(x, y);
  return {static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
          static_cast<int>((c >> 16) & 0xFF)};
}

class ExportTest : public exporttest::PictureWindowsTest {
 protected:
  void SetUp() override {
    exporttest::PictureWindowsTest::SetUp();
    src = dir.MakeDir("src");
    out = dir.MakeDir("out");
  }

  // The state a finished build leaves: geometry, a canvas whose first-row
  // cells are green and whose other pixels are white, nothing selected.
  void PretendBuilt(bool mode110) {
    catalog::ApplyGeometry(catalog::GeometryForMode(mode110));
    BuiltCount = ImageFileCount;
    CatalogBusy = 0;
    SelectedCount = 0;
    for (auto& s : SelectionTable) s = SelectionMark{};
    const int rows = (ImageFileCount - 1) / ColumnCount + 1;
    graphics::Bitmap& canvas = catlog_f->Canvas;
    canvas.SetSize(ColumnCount * CellPitch + 12, rows * CellPitch);
    canvas.FillRect({0, 0, canvas.Width(), canvas.Height()}, 0xFFFFFF);
    for (int k = 0; k < ImageFileCount && k < ColumnCount; ++k) {
      canvas.FillRect({k * CellPitch, 0, k * CellPitch + CellSize, CellSize}, 0x00FF00);
    }
  }

  void Select(int k) {
    HitX = (k % ColumnCount) * CellPitch;
    HitY = (k / ColumnCount) * CellPitch;
    ToggleSelection();
  }

  void ListPictures(int n) {
    for (int i = 0; i < n; ++i) {
      exporttest::WriteBmp(src + "/p" + std::to_string(100 + i) + ".bmp", 4, 4);
    }
    Browse(src, "bmp,jpg,png");
    ASSERT_EQ(ImageFileCount, n);
  }

  std::string src, out;
};

TEST_F(ExportTest, SavedCatalogIsTheFirstRowWideAndTheCanvasHigh) {
  const struct {
    bool mode110;
    int count, width, height;
  } cases[] = {{true, 3, 330, 110}, {true, 12, 880, 220}, {false, 12, 875, 525}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    std::filesystem::remove_all(src);
    std::filesystem::create_directory(src);
    ListPictures(c.count);
    PretendBuilt(c.mode110);
    script.boxes.clear();
    script.savePaths = {out + "/catalog"};
    script.modalAnswers = {Compression(100)};
    catlog_f->Save1Click();
    graphics::Bitmap saved;
    graphics::LoadJpegFile(out + "/catalog.jpg", saved);
    EXPECT_EQ(saved.Width(), c.width);
    EXPECT_EQ(saved.Height(), c.height);
    const Rgb inside = At(saved, c.width - 20, 20);
    EXPECT_LT(inside.r, 40);
    EXPECT_GT(inside.g, 215);
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_EQ(script.boxes[0].text, "保存しました");
    EXPECT_EQ(script.boxes[0].caption, "報告");
  }
}

TEST_F(ExportTest, SelectionMarksAreSavedWithTheCatalog) {
  ListPictures(3);
  PretendBuilt(true);
  Select(1);
  script.savePaths = {out + "/marked.png"};
  script.modalAnswers = {Compression(100)};
  catlog_f->Save1Click();
  graphics::Bitmap saved;
  graphics::LoadJpegFile(out + "/marked.jpg", saved);
  // The mark is the line just above the bottom of the first row, under cell 1.
  const Rgb mark = At(saved, 110 + 50, 108);
  EXPECT_GT(mark.r, mark.g + 50);
  const Rgb plain = At(saved, 220 + 50, 108);
  EXPECT_GT(plain.g, 200);
}

TEST_F(ExportTest, SaveNameRuleAndTheDialogProposesTheNameAsTyped) {
  ListPictures(2);
  PretendBuilt(true);
  const std::pair<std::string, std::string> cases[] = {
      {"catalog", "catalog.jpg"}, {"INDEX.JPG", "INDEX.jpg"}, {"index.png", "index.jpg"}};
  std::string previous;
  for (const auto& [typed, written] : cases) {
    script.savePaths = {out + "/" + typed};
    script.modalAnswers = {Compression()};
    catlog_f->Save1Click();
    EXPECT_TRUE(exporttest::IsJpegFile(out + "/" + written)) << typed;
    // The first proposal is whatever an earlier save in this run left.
    if (!previous.empty()) {
      EXPECT_EQ(script.saveDialogProposals.back(), previous);
    }
    previous = out + "/" + typed;
  }
  // A cancelled dialog does nothing, and the name stays proposed.
  const size_t boxes = script.boxes.size();
  catlog_f->Save1Click();
  EXPECT_EQ(script.saveDialogProposals.back(), previous);
  EXPECT_EQ(script.boxes.size(), boxes);
}

TEST_F(ExportTest, SaveOffersThePitchAsAFixedSizeAndLeavesItForTheShrink) {
  ListPictures(2);
  PretendBuilt(false);
  bool editEnabled = true;
  std::string editText;
  script.savePaths = {out + "/c"};
  script.modalAnswers = {[&](ui::TForm& f) {
    auto& d = dynamic_cast<TForm7&>(f);
    editEnabled = d.LabeledEdit1->Edit()->isEnabled();
    editText = d.LabeledEdit1->Text();
    d.Button1Click();
  }};
  catlog_f->Save1Click();
  EXPECT_FALSE(editEnabled);
  EXPECT_EQ(editText, "175");
  EXPECT_TRUE(Form7->LabeledEdit1->Edit()->isEnabled());
  EXPECT_EQ(ScaleBox, 175.0f);

  // The shrink then offers 175 as its box side, enabled.
  Select(0);
  script.modalAnswers = {ChooseFolder(out), [&](ui::TForm& f) {
                           auto& d = dynamic_cast<TForm7&>(f);
                           editEnabled = d.LabeledEdit1->Edit()->isEnabled();
                           editText = d.LabeledEdit1->Text();
                           d.Button1Click();
                         }};
  catlog_f->N5Click();
  EXPECT_TRUE(editEnabled);
  EXPECT_EQ(editText, "175");
  graphics::Bitmap shrunk;
  graphics::LoadJpegFile(out + "/p100.jpg", shrunk);
  EXPECT_EQ(shrunk.Width(), 175);
  EXPECT_EQ(shrunk.Height(), 175);
}

TEST_F(ExportTest, CancellingTheCompressionDialogInTheSaveWritesNothing) {
  ListPictures(2);
  PretendBuilt(true);
  script.savePaths = {out + "/catalog"};
  catlog_f->Save1Click();  // the compression dialog closed by its close box
  EXPECT_FALSE(testsupport::Exists(out + "/catalog.jpg"));
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, "中止します");
  EXPECT_EQ(script.boxes[0].caption, ui::ApplicationTitle());
  EXPECT_TRUE(Form7->LabeledEdit1->Edit()->isEnabled());
}

class ShrinkTest : public ExportTest {
 protected:
  void SetUp() override {
    ExportTest::SetUp();
    exporttest::WriteJpeg(src + "/big.jpg", 1600, 1200);
    exporttest::WriteBmp(src + "/small.bmp", 50, 40);
    exporttest::WriteBmp(src + "/sq.bmp", 100, 100);
    exporttest::WriteBmp(src + "/tiny.bmp", 3, 2);
    exporttest::WriteJpeg(src + "/wide.jpg", 1920, 1080);
    Browse(src, "bmp,jpg,png");
    ASSERT_EQ(ImageFileCount, 5);
    PretendBuilt(true);
  }
};

TEST_F(ShrinkTest, SelectedPicturesAreScaledIntoTheBoxAndDeselected) {
  for (int k : {0, 1, 3, 4}) Select(k);
  ASSERT_EQ(SelectedCount, 4);
  script.modalAnswers = {ChooseFolder(out), Compression(90)};
  catlog_f->N5Click();

  ASSERT_GE(script.modalCaptions.size(), 1u);
  EXPECT_EQ(script.modalCaptions[0], "縮少");
  EXPECT_EQ(Form5->Caption(), "縮少");
  const struct {
    const char* name;
    int w, h;
  } outputs[] = {{"big.jpg", 100, 75}, {"small.jpg", 100, 80}, {"tiny.jpg", 99, 66},
                 {"wide.jpg", 99, 56}};
  for (const auto& o : outputs) {
    graphics::Bitmap b;
    graphics::LoadJpegFile(out + "/" + o.name, b);
    EXPECT_EQ(b.Width(), o.w) << o.name;
    EXPECT_EQ(b.Height(), o.h) << o.name;
    // The picture itself, not a blank: red on the left, blue on the right.
    const Rgb left = At(b, 2, o.h / 2), right = At(b, o.w - 3, o.h / 2);
    EXPECT_GT(left.r, 180) << o.name;
    EXPECT_LT(left.b, 80) << o.name;
    EXPECT_GT(right.b, 180) << o.name;
    EXPECT_LT(right.r, 80) << o.name;
  }
  EXPECT_FALSE(testsupport::Exists(out + "/sq.jpg"));
  EXPECT_EQ(SelectedCount, 0);
  for (int k = 0; k < 5; ++k) EXPECT_EQ(SelectionTable[k].Selected, 0) << k;
  EXPECT_EQ(catlog_f->Canvas.PixelColor(5, 108), 0xFFFFFFu) << "the mark is erased";
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, "選択された4 ファイル を縮小しＳａｖｅ　しました");
  EXPECT_EQ(script.boxes[0].caption, "報告");
  EXPECT_EQ(ScaleBox, 0.0f);
}

TEST_F(ShrinkTest, NothingSelectedIsRefused) {
  catlog_f->N5Click();
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, "選択されたフｱイルがありません");
  EXPECT_EQ(script.boxes[0].caption, "警告");
  EXPECT_TRUE(script.modalCaptions.empty());
}

TEST_F(ShrinkTest, CancelsAndEmptyBoxesWriteNothingAndSayNothing) {
  Select(1);
  const std::vector<std::function<void()>> runs = {
      [] {},  // the destination dialog closed
      [&] { script.modalAnswers = {ChooseFolder(out)}; },  // the compression dialog closed
      [&] { script.modalAnswers = {ChooseFolder(out), Compression(0, "0")}; },
      [&] { script.modalAnswers = {ChooseFolder(out), Compression(0, "-40")}; },
  };
  for (const auto& prepare : runs) {
    prepare();
    catlog_f->N5Click();
    EXPECT_TRUE(script.boxes.empty());
    EXPECT_TRUE(std::filesystem::is_empty(out));
    EXPECT_EQ(SelectedCount, 1);
    EXPECT_EQ(SelectionTable[1].Selected, 255);
    EXPECT_EQ(ScaleBox, 0.0f);
  }
}

TEST_F(ShrinkTest, BusyCatalogIgnoresBothCommands) {
  Select(0);
  CatalogBusy = 255;
  catlog_f->N5Click();
  catlog_f->Save1Click();
  EXPECT_TRUE(script.modalCaptions.empty());
  EXPECT_TRUE(script.saveDialogProposals.empty());
  EXPECT_TRUE(script.boxes.empty());
  CatalogBusy = 0;
}

TEST_F(ShrinkTest, APictureThatIsNeitherJpegNorBmpEndsTheCommand) {
  exporttest::WritePng(src + "/sn.png", 10, 10);  // sorts between small.bmp and sq.bmp
  Browse(src, "bmp,jpg,png");
  ASSERT_EQ(ImageFileList[2].FileName, "sn.png");
  PretendBuilt(true);
  for (int k : {1, 2, 4}) Select(k);
  script.modalAnswers = {ChooseFolder(out), Compression()};
  ui::Guard([] { catlog_f->N5Click(); });
  EXPECT_TRUE(testsupport::Exists(out + "/small.jpg"));
  EXPECT_FALSE(testsupport::Exists(out + "/sn.jpg"));
  EXPECT_FALSE(testsupport::Exists(out + "/tiny.jpg"));
  EXPECT_EQ(SelectionTable[1].Selected, 0);
  EXPECT_EQ(SelectionTable[2].Selected, 255);
  EXPECT_EQ(SelectionTable[4].Selected, 255);
  EXPECT_EQ(SelectedCount, 2);
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].caption, ui::ApplicationTitle());
  EXPECT_EQ(ScaleBox, 0.0f);
}

}  // namespace
