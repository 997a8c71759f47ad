// The catalog window over real folders: building, stopping, selecting,
// describing, and the commands that only hand over to other windows.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QImage>
#include <QMenuBar>
#include <functional>
#include <sstream>

#include "app/startup.h"
#include "app/tovra1.h"
#include "catalog/builder.h"
#include "catalog/catlog1.h"
#include "catalog/selection.h"
#include "forms/catlog.h"
#include "forms/form1.h"
#include "forms/form4.h"
#include "forms/form8.h"
#include "graphics/bmp_codec.h"
#include "graphics/jpeg_codec.h"
#include "support/windows_fixture.h"

namespace {

constexpr graphics::Color kSilver = 0xC0C0C0;
constexpr graphics::Color kWhite = 0xFFFFFF;
constexpr graphics::Color kRed = 0x0000FF;

class CatalogTest : public testsupport::WindowsTest {
 protected:
  void SetUp() override {
    WindowsTest::SetUp();
    FormatTable[0] = {".BMP", ""};
    FormatTable[1] = {".JPG", ""};
    PictureLoadHook = nullptr;
    CancelRequest = 0;
    // A viewer named on the command line keeps the main window's activation
    // (after each modal showing) away from the drives, and starts nothing.
    CommandLineText = "/nonexistent/viewer";
    ViewerPath = CommandLineText;
  }
  void TearDown() override {
    PictureLoadHook = nullptr;
    CommandLineText.clear();
    WindowsTest::TearDown();
  }

  void WriteBmp(const std::string& name, int w, int h, graphics::Color c) {
    graphics::Bitmap b(w, h);
    b.FillRect({0, 0, w, h}, c);
    graphics::SaveBmpFile(dir / name, b);
  }

  // Opens the catalog; whileOpen runs once the build has ended, the window
  // still showing.
  void Open(const std::function<void()>& whileOpen = {}) {
    script.modalAnswers.push_back([whileOpen](ui::TForm&) {
      if (whileOpen) whileOpen();
    });
    catlog_f->ShowModal();
  }

  graphics::Color CanvasAt(int x, int y) const { return catlog_f->Canvas.PixelColor(x, y); }

  // Counts the pictures the builder starts to load.
  int CountLoads() {
    auto n = std::make_shared<int>(0);
    loads_ = n;
    PictureLoadHook = [n](const std::string&) { ++*n; };
    return 0;
  }
  int Loads() const { return loads_ ? *loads_ : 0; }

  std::shared_ptr<int> loads_;
};

TEST_F(CatalogTest, BuildDrawsEveryCellAtTheRightPlace) {
  WriteBmp("a.bmp", 50, 40, 0xFF0000);
  WriteBmp("b.bmp", 3, 1, 0x00FF00);
  WriteBmp("c.bmp", 400, 300, 0x0000FF);
  WriteBmp("d.bmp", 200, 200, 0x808000);
  Browse(dir.path(), "bmp");
  ASSERT_EQ(ImageFileCount, 4);
  Open([&] {
    EXPECT_EQ(CatalogBusy, 0);
    EXPECT_EQ(BuiltCount, 4);
    EXPECT_EQ(catlog_f->Caption(), "一覧表示");
    EXPECT_EQ(catlog_f->StatusText(), "");
  });
  EXPECT_EQ(CellPitch, 110);
  EXPECT_EQ(ColumnCount, 8);
  EXPECT_EQ(catlog_f->Canvas.Height(), 110);
  EXPECT_GT(catlog_f->Canvas.Width(), 880);
  EXPECT_EQ(catlog_f->Image1->width(), catlog_f->Canvas.Width());
  EXPECT_EQ(catlog_f->Image1->height(), 110);
  EXPECT_EQ(catlog_f->ImList.Count(), 4);
  EXPECT_EQ(catlog_f->ImList.Width(), 106);

  const struct {
    int k;
    graphics::Color c;
    graphics::Rect inside;
    int w, h;
  } cells[] = {{0, 0xFF0000, {5, 15, 104, 94}, 50, 40},
               {1, 0x00FF00, {5, 38, 103, 70}, 3, 1},
               {2, 0x0000FF, {5, 17, 104, 91}, 400, 300},
               {3, 0x808000, {5, 5, 104, 104}, 200, 200}};
  for (const auto& c : cells) {
    SCOPED_TRACE(c.k);
    const CatalogEntry& e = CatalogTable[static_cast<size_t>(c.k)];
    EXPECT_EQ(e.Path, dir / ImageFileList[static_cast<size_t>(c.k)].FileName);
    EXPECT_EQ(e.Width, c.w);
    EXPECT_EQ(e.Height, c.h);
    EXPECT_EQ(e.ImageIndex, c.k);
    EXPECT_EQ(e.Size, ImageFileList[static_cast<size_t>(c.k)].FileSize);
    const int x0 = c.k * 110;
    int wrong = 0;
    for (int y = 0; y < 110; ++y) {
      for (int x = 0; x < 110; ++x) {
        graphics::Color want = kWhite;
        if (x < 106 && y < 106) {
          const bool in = x >= c.inside.left && x < c.inside.right && y >= c.inside.top &&
                          y < c.inside.bottom;
          want = in ? c.c : kSilver;
        }
        if (CanvasAt(x0 + x, y) != want) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0);
  }
  // The rest of the row stays white.
  EXPECT_EQ(CanvasAt(4 * 110 + 50, 50), kWhite);
  // What Image1 paints is the canvas.
  const QImage shown = catlog_f->Image1->grab(QRect(0, 0, 220, 110)).toImage();
  EXPECT_EQ(shown.pixel(50, 50), qRgb(0, 0, 255));
  EXPECT_EQ(shown.pixel(50, 10), qRgb(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(shown.pixel(108, 50), qRgb(255, 255, 255));
  EXPECT_EQ(shown.pixel(160, 50), qRgb(0, 255, 0));
}

TEST_F(CatalogTest, LargeModeOverrunIsCutAtTheCell) {
  Form1->RadioButton2->setChecked(true);
  WriteBmp("wide.bmp", 340, 170, 0x0000FF);
  Browse(dir.path(), "bmp");
  Open();
  EXPECT_EQ(CellPitch, 175);
  EXPECT_EQ(CellSize, 170);
  EXPECT_EQ(ColumnCount, 5);
  EXPECT_EQ(catlog_f->Canvas.Height(), 175);
  EXPECT_EQ(CanvasAt(169, 60), 0x0000FFu);
  EXPECT_EQ(CanvasAt(170, 60), kWhite);
  EXPECT_EQ(CanvasAt(100, 46), kSilver);
  EXPECT_EQ(CanvasAt(100, 130), 0x0000FFu);
  EXPECT_EQ(CanvasAt(100, 131), kSilver);
}

TEST_F(CatalogTest, JpegThumbnailKeepsThePicturesOwnSize) {
  graphics::Bitmap photo(1600, 1200);
  photo.FillRect({0, 0, 1600, 1200}, 0x3060C0);
  graphics::SaveJpegFile(dir / "photo.jpg", photo, 90);
  Browse(dir.path(), "jpg");
  Open();
  EXPECT_EQ(CatalogTable[0].Width, 1600);
  EXPECT_EQ(CatalogTable[0].Height, 1200);
  // 0.0625 scale: 100 x 75, drawn into (5, 17, 104, 91).
  const graphics::Color c = CanvasAt(50, 50);
  EXPECT_NEAR(static_cast<int>(c & 0xFF), 0xC0, 4);
  EXPECT_NEAR(static_cast<int>((c >> 8) & 0xFF), 0x60, 4);
  EXPECT_NEAR(static_cast<int>((c >> 16) & 0xFF), 0x30, 4);
  EXPECT_EQ(CanvasAt(50, 16), kSilver);
  EXPECT_EQ(CanvasAt(50, 91), kSilver);
  EXPECT_EQ(CanvasAt(104, 50), kSilver);
}

TEST_F(CatalogTest, TextFileUnderAllGivesSilverCellAndTheBuildGoesOn) {
  dir.Write("a.txt", "not a picture");
  WriteBmp("b.bmp", 10, 10, 0xFF0000);
  Browse(dir.path(), "all");
  ASSERT_EQ(ImageFileCount, 2);
  Open();
  EXPECT_TRUE(script.boxes.empty());
  EXPECT_EQ(BuiltCount, 2);
  EXPECT_EQ(CatalogTable[0].Width, 0);
  EXPECT_EQ(CatalogTable[0].Height, 0);
  EXPECT_EQ(CatalogTable[0].Size, 13u);
  for (int y : {0, 50, 105}) {
    for (int x : {0, 50, 105}) EXPECT_EQ(CanvasAt(x, y), kSilver) << x << "," << y;
  }
  EXPECT_EQ(CanvasAt(160, 50), 0xFF0000u);
}

TEST_F(CatalogTest, DamagedJpegStopsTheBuildWithItsPath) {
  WriteBmp("a.bmp", 10, 10, 0xFF0000);
  dir.Write("b.jpg", std::string("\xFF\xD8\xFF\xE0 broken", 12));
  WriteBmp("c.bmp", 10, 10, 0xFF0000);
  Browse(dir.path(), "bmp,jpg");
  ASSERT_EQ(ImageFileCount, 3);
  CatalogTable[1] = CatalogEntry{"old", 7, 7, 7, 7};
  CountLoads();
  Open([&] {
    EXPECT_EQ(catlog_f->Caption(), "一覧表示");
    EXPECT_EQ(ui::U(catlog_f->Exit1->text()), "終了");
    EXPECT_TRUE(catlog_f->Save1->isEnabled());
    EXPECT_EQ(CatalogBusy, 0);
  });
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, dir / "b.jpg" + " が異常です，表示を中止します");
  EXPECT_EQ(script.boxes[0].caption, "");
  EXPECT_EQ(script.boxes[0].buttons, ui::MB_OK);
  EXPECT_EQ(Loads(), 2);  // c.bmp is never read
  EXPECT_EQ(BuiltCount, 1);
  EXPECT_EQ(CatalogTable[1].Path, "old");  // entry 1 not written
  EXPECT_EQ(CanvasAt(160, 50), kWhite);
  EXPECT_EQ(catlog_f->ImList.Count(), 1);
}

// Esc pressed while the 3rd of 6 files loads: that cell is still drawn.
TEST_F(CatalogTest, EscDuringBuildStopsAfterTheFileInProgress) {
  for (const char* n : {"a", "b", "c", "d", "e", "f"}) WriteBmp(std::string(n) + ".bmp", 10, 10, 0xFF0000);
  Browse(dir.path(), "bmp");
  int loads = 0;
  std::string captionAtThird, exitAtThird;
  bool saveEnabled = true, helpEnabled = false;
  PictureLoadHook = [&](const std::string&) {
    if (++loads != 3) return;
    captionAtThird = catlog_f->Caption();
    exitAtThird = ui::U(catlog_f->Exit1->text());
    saveEnabled = catlog_f->Save1->isEnabled() || catlog_f->N3->isEnabled() ||
                  catlog_f->Delete1->isEnabled();
    helpEnabled = catlog_f->Help1->isEnabled() && catlog_f->INFO1->isEnabled() &&
                  catlog_f->Exit1->isEnabled();
    QCoreApplication::postEvent(catlog_f,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
  };
  bool openAfter = false;
  Open([&] { openAfter = catlog_f->Showing(); });
  EXPECT_EQ(captionAtThird, "一覧表示    2 / 6");
  EXPECT_EQ(exitAtThird, "中断");
  EXPECT_FALSE(saveEnabled);
  EXPECT_TRUE(helpEnabled);
  EXPECT_EQ(loads, 3);
  EXPECT_EQ(BuiltCount, 3);
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, "Esc Key によりキャンセルされました");
  EXPECT_EQ(script.boxes[0].caption, "報告");
  EXPECT_TRUE(openAfter);
  EXPECT_EQ(catlog_f->Caption(), "一覧表示");
  EXPECT_EQ(ui::U(catlog_f->Exit1->text()), "終了");
  EXPECT_TRUE(catlog_f->Save1->isEnabled());
  EXPECT_EQ(CanvasAt(2 * 110 + 50, 50), 0xFF0000u);
  EXPECT_EQ(CanvasAt(3 * 110 + 50, 50), kWhite);
  EXPECT_EQ(CancelRequest, 0);
}

TEST_F(CatalogTest, StopItemDuringBuildThenExitCloses) {
  for (const char* n : {"a", "b", "c", "d"}) WriteBmp(std::string(n) + ".bmp", 10, 10, 0xFF0000);
  Browse(dir.path(), "bmp");
  int loads = 0;
  PictureLoadHook = [&](const std::string&) {
    if (++loads == 2) catlog_f->Exit1->trigger();
  };
  bool openAfterStop = false, closedByExit = false;
  std::string exitCaption;
  Open([&] {
    openAfterStop = catlog_f->Showing();
    exitCaption = ui::U(catlog_f->Exit1->text());
    catlog_f->Exit1->trigger();
    closedByExit = !catlog_f->Showing();
  });
  EXPECT_EQ(loads, 2);
  EXPECT_EQ(BuiltCount, 2);
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, "中断します");
  EXPECT_EQ(script.boxes[0].caption, "報告");
  EXPECT_TRUE(openAfterStop);
  EXPECT_EQ(exitCaption, "終了");
  EXPECT_TRUE(closedByExit);
}

TEST_F(CatalogTest, ClosingTheWindowDuringBuildReadsNoFurtherFile) {
  for (const char* n : {"a", "b", "c", "d"}) WriteBmp(std::string(n) + ".bmp", 10, 10, 0xFF0000);
  Browse(dir.path(), "bmp");
  int loads = 0;
  PictureLoadHook = [&](const std::string&) {
    if (++loads == 2) catlog_f->close();  // the close box
  };
  bool answered = false;
  Open([&] { answered = true; });
  EXPECT_EQ(loads, 2);
  EXPECT_EQ(BuiltCount, 2);
  EXPECT_FALSE(catlog_f->Showing());
  EXPECT_FALSE(answered);
  EXPECT_TRUE(script.boxes.empty());
  EXPECT_EQ(CatalogBusy, 0);
  EXPECT_EQ(ui::U(catlog_f->Exit1->text()), "終了");
  script.modalAnswers.clear();
  // The next opening builds everything again.
  PictureLoadHook = nullptr;
  Open();
  EXPECT_EQ(BuiltCount, 4);
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(CatalogTest, HelpAndResourcesDuringBuild) {
  for (const char* n : {"a", "b", "c"}) WriteBmp(std::string(n) + ".bmp", 10, 10, 0xFF0000);
  Browse(dir.path(), "bmp");
  int loads = 0;
  PictureLoadHook = [&](const std::string&) {
    if (++loads != 2) return;
    catlog_f->Help1->trigger();
    catlog_f->INFO1->trigger();
  };
  std::string helpCaption;
  script.modalAnswers.push_back([&](ui::TForm& f) {
    helpCaption = f.Caption();
    Form8->Button1->click();
  });
  Open();
  EXPECT_EQ(helpCaption, "Help");
  EXPECT_EQ(BuiltCount, 3);  // the build went on after the help
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].caption, "");
  EXPECT_EQ(script.boxes[0].text.rfind("Used : ", 0), 0u);
}

TEST_F(CatalogTest, RightClicksToggleSelection) {
  for (int i = 0; i < 10; ++i) WriteBmp("p" + std::to_string(i) + ".bmp", 10, 10, 0xFF0000);
  Browse(dir.path(), "bmp");
  SelectedCount = 5;  // the main list's count, replaced by the build
  Open([&] {
    EXPECT_EQ(SelectedCount, 0);
    auto right = [](int x, int y) { catlog_f->Image1MouseDown(Qt::RightButton, Qt::RightButton, x, y); };
    right(50, 50);
    EXPECT_EQ(SelectedCount, 1);
    EXPECT_EQ(SelectionTable[0].Selected, 255);
    // The mark: one red line 95 pixels long in the strip under the cell.
    for (int x = 5; x < 100; ++x) EXPECT_EQ(CanvasAt(x, 108), kRed) << x;
    EXPECT_EQ(CanvasAt(4, 108), kWhite);
    EXPECT_EQ(CanvasAt(100, 108), kWhite);
    EXPECT_EQ(CanvasAt(50, 107), kWhite);
    EXPECT_EQ(CanvasAt(50, 109), kWhite);

    right(3 * 110 + 20, 10);
    EXPECT_EQ(SelectedCount, 2);
    EXPECT_EQ(SelectionTable[3].Index, 3);
    EXPECT_EQ(SelectionTable[3].X, 330);
    EXPECT_EQ(SelectionTable[3].Y, 0);
    EXPECT_EQ(SelectionTable[3].Selected, 255);
    EXPECT_EQ(HitX, 350);
    EXPECT_EQ(HitY, 10);

    // The gap right of cell 0 belongs to it: a second toggle deselects.
    right(108, 50);
    EXPECT_EQ(SelectedCount, 1);
    EXPECT_EQ(SelectionTable[0].Selected, 0);
    for (int x = 5; x < 100; ++x) EXPECT_EQ(CanvasAt(x, 108), kWhite) << x;

    // Below the last entry of the short second row, and in the strip right
    // of the last column: nothing.
    right(2 * 110 + 5, 115);
    right(catlog_f->Canvas.Width() - 1, 50);
    EXPECT_EQ(SelectedCount, 1);

    right(110 + 5, 110 + 5);  // entry 9
    EXPECT_EQ(SelectionTable[9].Selected, 255);
    right(0, 0);
    EXPECT_EQ(SelectedCount, 3);

    // Inverting 3 of 10 selects the other 7.
    catlog_f->N3->trigger();
    EXPECT_EQ(SelectedCount, 7);
    for (int k = 0; k < 10; ++k) {
      const bool was = k == 0 || k == 3 || k == 9;
      EXPECT_EQ(SelectionTable[static_cast<size_t>(k)].Selected, was ? 0 : 255) << k;
    }
    EXPECT_EQ(SelectionTable[3].Index, 3);
    catlog_f->N3Click();
    EXPECT_EQ(SelectedCount, 3);
  });
}

TEST_F(CatalogTest, ClicksDuringBuildAndOtherButtons) {
  for (const char* n : {"a", "b", "c"}) WriteBmp(std::string(n) + ".bmp", 10, 10, 0xFF0000);
  Browse(dir.path(), "bmp");
  int loads = 0;
  std::string viewedDuringBuild, notYetBuilt;
  int selectedDuringBuild = -1;
  PictureLoadHook = [&](const std::string&) {
    if (++loads != 2) return;
    CurrentFilePath = "unchanged";
    catlog_f->Image1MouseDown(Qt::LeftButton, Qt::LeftButton, 160, 50);  // entry 1 not drawn yet
    notYetBuilt = CurrentFilePath;
    catlog_f->Image1MouseDown(Qt::LeftButton, Qt::LeftButton, 50, 50);  // entry 0 drawn
    viewedDuringBuild = CurrentFilePath;
    catlog_f->Image1MouseDown(Qt::RightButton, Qt::RightButton, 50, 50);
    selectedDuringBuild = SelectedCount;
  };
  Open([&] {
    CurrentFilePath.clear();
    catlog_f->Image1MouseDown(Qt::MiddleButton, Qt::MiddleButton, 2 * 110 + 3, 3);
    EXPECT_EQ(CurrentFilePath, dir / "c.bmp");
    CurrentFilePath.clear();
    catlog_f->Image1MouseDown(Qt::MiddleButton, Qt::MiddleButton, 3 * 110 + 3, 3);
    EXPECT_EQ(CurrentFilePath, "");
  });
  EXPECT_EQ(notYetBuilt, "unchanged");
  EXPECT_EQ(viewedDuringBuild, dir / "a.bmp");
  EXPECT_EQ(selectedDuringBuild, 0);
  EXPECT_EQ(SelectedCount, 0);
}

TEST_F(CatalogTest, HoverDescribesTheEntryInRed) {
  WriteBmp("a.bmp", 50, 40, 0xFF0000);
  WriteBmp("b.bmp", 2, 2, 0xFF0000);
  Browse(dir.path(), "bmp");
  Open([&] {
    EXPECT_EQ(LastHintIndex, -1);
    catlog_f->Image1MouseMove(20, 20);
    // 54 + 40 rows of 152 bytes.
    EXPECT_EQ(catlog_f->StatusText(), dir / "a.bmp" + "  ( 50 * 40 )  6,134 Byte");
    EXPECT_EQ(LastHintIndex, 0);
    EXPECT_EQ(catlog_f->StatusBar1->font().pointSize(), 12);
    EXPECT_EQ(catlog_f->StatusBar1->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    // And it is drawn in red.
    const QImage shown = catlog_f->StatusBar1->grab().toImage();
    int red = 0;
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = 0; x < shown.width(); ++x) {
        const QColor c = shown.pixelColor(x, y);
        if (c.red() > 200 && c.green() < 80 && c.blue() < 80) ++red;
      }
    }
    EXPECT_GT(red, 20);
    catlog_f->SetStatusText("other");
    catlog_f->Image1MouseMove(30, 30);  // same entry: nothing rebuilt
    EXPECT_EQ(catlog_f->StatusText(), "other");
    catlog_f->Image1MouseMove(300, 30);  // past the last entry
    EXPECT_EQ(catlog_f->StatusText(), "other");
    catlog_f->Image1MouseMove(115, 30);
    EXPECT_EQ(catlog_f->StatusText(), dir / "b.bmp" + "  ( 2 * 2 )  70 Byte");
    EXPECT_EQ(LastHintIndex, 1);
  });
}

TEST_F(CatalogTest, MenuCaptionsAndHints) {
  const struct {
    QAction* a;
    const char* caption;
  } items[] = {{catlog_f->Exit1, "終了"}, {catlog_f->Save1, "保存"},     {catlog_f->N1, "コピ－"},
               {catlog_f->GoTo1, "移動"}, {catlog_f->N2, "名前の変更"}, {catlog_f->Delete1, "削除"},
               {catlog_f->N3, "選択"},    {catlog_f->N4, "作成"},       {catlog_f->N5, "縮小"},
               {catlog_f->Help1, "Help"}, {catlog_f->INFO1, "リソ－ス"}};
  ASSERT_EQ(catlog_f->menuBar()->actions().size(), 11);
  for (size_t i = 0; i < 11; ++i) {
    EXPECT_EQ(catlog_f->menuBar()->actions()[static_cast<qsizetype>(i)], items[i].a);
    EXPECT_EQ(ui::U(items[i].a->text()), items[i].caption);
    EXPECT_TRUE(items[i].a->menu() == nullptr);
  }
  catlog_f->N4->hover();
  EXPECT_EQ(catlog_f->StatusText(), "表示されている画像からＨＴＭＬのＭａｐ，Ｔａｂｌｅのソ－スを作成");
  catlog_f->Save1->hover();
  EXPECT_EQ(catlog_f->StatusText(), "表示されている画像をＭＡＰ用のＪＰＧ　Ｆｉｌｅとして保存");
  catlog_f->Exit1->hover();
  EXPECT_EQ(catlog_f->StatusText(), "");
  EXPECT_EQ(ui::U(catlog_f->Image1->toolTip()), "左画像表示，右選択");
  EXPECT_EQ(catlog_f->Caption(), "一覧表示");
}

TEST_F(CatalogTest, OpensFromTheMainWindowAtItsPlace) {
  WriteBmp("a.bmp", 10, 10, 0xFF0000);
  Browse(dir.path(), "bmp");
  QPoint pos;
  script.modalAnswers.push_back([&](ui::TForm&) { pos = catlog_f->pos(); });
  Form1->N1Click();
  EXPECT_EQ(pos, QPoint(100, 20));
  EXPECT_EQ(script.modalCaptions.size(), 1u);
  EXPECT_EQ(BuiltCount, 1);
}

TEST_F(CatalogTest, RedrawFromCacheAfterTheTableChanged) {
  WriteBmp("a.bmp", 10, 10, 0xFF0000);
  WriteBmp("b.bmp", 10, 10, 0x00FF00);
  WriteBmp("c.bmp", 10, 10, 0x0000FF);
  Browse(dir.path(), "bmp");
  Open([&] {
    catlog_f->Image1MouseDown(Qt::RightButton, Qt::RightButton, 5, 5);
    EXPECT_EQ(SelectedCount, 1);
    // Drop entry 0 as the file commands do: compact and lower the count.
    CatalogTable[0] = CatalogTable[1];
    CatalogTable[1] = CatalogTable[2];
    ImageFileCount = 2;
    CountLoads();
    RedrawCatalog();
    EXPECT_EQ(Loads(), 0);
    EXPECT_EQ(SelectedCount, 0);
    EXPECT_EQ(BuiltCount, 2);
    EXPECT_EQ(CanvasAt(50, 50), 0x00FF00u);
    EXPECT_EQ(CanvasAt(160, 50), 0x0000FFu);
    EXPECT_EQ(CanvasAt(50, 108), kWhite);
    EXPECT_EQ(catlog_f->ImList.Count(), 3);
    EXPECT_EQ(catlog_f->Caption(), "一覧表示");
    EXPECT_EQ(ui::U(catlog_f->Exit1->text()), "終了");
    EXPECT_EQ(CatalogBusy, 0);
  });
}

TEST_F(CatalogTest, ThousandEntriesInTheLargeModeGiveATallCanvas) {
  Form1->RadioButton2->setChecked(true);
  for (int i = 0; i < 1000; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "f%04d.txt", i);
    dir.Write(name, "x");
  }
  Browse(dir.path(), "all");
  ASSERT_EQ(ImageFileCount, 1000);
  Open([&] {
    EXPECT_EQ(catlog_f->Canvas.Height(), 35000);
    EXPECT_EQ(catlog_f->Image1->height(), 35000);
    EXPECT_EQ(catlog_f->ScrollBox1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(CanvasAt(4 * 175 + 10, 199 * 175 + 10), kSilver);
    EXPECT_EQ(BuiltCount, 1000);
    const QImage bottom = catlog_f->Image1->grab(QRect(4 * 175, 199 * 175, 175, 175)).toImage();
    EXPECT_EQ(bottom.pixel(10, 10), qRgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(bottom.pixel(172, 10), qRgb(255, 255, 255));
  });
}

TEST_F(CatalogTest, EscWhenIdleStaysPendingUntilTheNextBuildClearsIt) {
  WriteBmp("a.bmp", 10, 10, 0xFF0000);
  Browse(dir.path(), "bmp");
  int key = 27;
  catlog_f->FormKeyDown(key);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(CancelRequest, 255);
  int other = 'A';
  catlog_f->FormKeyDown(other);
  EXPECT_EQ(other, 'A');
  Open();
  EXPECT_TRUE(script.boxes.empty());
  EXPECT_EQ(BuiltCount, 1);
}

TEST_F(CatalogTest, CreateDoesNothingWhileBusyAndOpensTheHtmlWindowOtherwise) {
  CatalogBusy = 255;
  catlog_f->N4Click();
  EXPECT_TRUE(script.modalCaptions.empty());
  CatalogBusy = 0;
  catlog_f->N4Click();
  ASSERT_EQ(script.modalCaptions.size(), 1u);
  EXPECT_EQ(script.modalCaptions[0], Form4->Caption());
}

// Closing makes the main window check its list at once.
TEST_F(CatalogTest, ClosingRepaintsTheMainWindow) {
  WriteBmp("a.bmp", 10, 10, 0xFF0000);
  Browse(dir.path(), "bmp");
  Form1->show();
  Open([&] { WriteBmp("b.bmp", 10, 10, 0xFF0000); });
  EXPECT_EQ(ImageFileCount, 2);
}

}  // namespace
