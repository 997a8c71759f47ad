// The build and redraw loops of the catalog.
#include "catalog/builder.h"

#include <QScrollBar>
#include <algorithm>
#include <exception>

#include "app/startup.h"
#include "app/tovra1.h"
#include "browser/file_list.h"
#include "catalog/catlog1.h"
#include "catalog/geometry.h"
#include "forms/catlog.h"
#include "catalog/thumbnail_loader.h"
#include "platform/dir_search.h"
#include "ui/components.h"
#include "ui/dialogs.h"

std::function<void(const std::string& path)> PictureLoadHook;

namespace {

const char kCaption[] = "一覧表示";

int EntryCount() { return std::clamp(ImageFileCount, 0, kCatalogCapacity); }

void ShowProgress(Tcatlog_f& f, int k) {
  f.SetCaption(std::string(kCaption) + "    " + std::to_string(k + 1) + " / " +
               std::to_string(ImageFileCount));
}

void FinishLoop(Tcatlog_f& f) {
  CatalogBusy = 0;
  f.SetStatusText("");
  f.SetCaption(kCaption);
}

uint32_t DirectorySize(const std::string& path) {
  platform::FindEntry e{};
  return platform::FindFile(path, e) ? e.size : 0;
}

}  // namespace

bool IsBuiltEntry(int k) { return k >= 0 && k < BuiltCount && k < EntryCount(); }

void DisableCatalogMenus() {
  Tcatlog_f& f = *catlog_f;
  for (QAction* a : {f.Save1, f.N1, f.N2, f.N3, f.N4, f.N5, f.GoTo1, f.Delete1}) a->setEnabled(false);
  f.Exit1->setText(ui::Q("中断"));
}

void EnableCatalogMenus() {
  Tcatlog_f& f = *catlog_f;
  for (QAction* a : {f.Save1, f.N1, f.N2, f.N3, f.N4, f.N5, f.GoTo1, f.Delete1}) a->setEnabled(true);
  f.Exit1->setText(ui::Q("終了"));
}

int CheckCancel() {
  if (CancelRequest == 0) return 1;
  if (CancelRequest == 255) ui::MessageBox("Esc Key によりキャンセルされました", "報告", ui::MB_OK);
  if (CancelRequest == 200) ui::MessageBox("中断します", "報告", ui::MB_OK);
  CancelRequest = 0;
  return -1;
}

int PrepareCanvas() {
  Tcatlog_f& f = *catlog_f;
  CatalogBusy = 255;
  BuiltCount = 0;
  const int count = EntryCount();
  f.ImList.SetAllocBy(count);
  if (count <= 0) return -1;
  f.ScrollBox1->verticalScrollBar()->setValue(0);
  LastHintIndex = -1;
  SelectedCount = 0;
  std::fill(SelectionTable.begin(), SelectionTable.begin() + count, SelectionMark{});

  const catalog::CanvasLayout layout = catalog::ComputeCanvasLayout(
      count, f.StatusBar1->height(), f.CurrentSystemMetrics(), CellPitch, ColumnCount);
  f.ApplyCanvasLayout(layout);
  f.Image1->move(0, 0);
  // Give the old canvas back before asking for the new one.
  graphics::Bitmap().Swap(f.Canvas);
  try {
    f.Canvas.SetSize(layout.canvasWidth, layout.canvasHeight);
  } catch (const std::exception&) {
    graphics::Bitmap().Swap(f.Canvas);
    f.ShowCanvas();
    ui::MessageBox("一覧表示の画像を作れません（メモリ不足）", "警告", ui::MB_OK);
    return -1;
  }
  f.Canvas.FillRect(graphics::Rect{0, 0, layout.canvasWidth, layout.canvasHeight}, 0xFFFFFF);
  f.ShowCanvas();
  return 1;
}

void BuildCatalog() {
  Tcatlog_f& f = *catlog_f;
  f.ImList.SetSize(CellSize, CellSize);
  f.ImList.Clear();
  DisableCatalogMenus();
  CancelRequest = 0;
  f.ClosedDuringBuild = false;
  if (PrepareCanvas() != -1) {
    int column = 0;
    for (int k = 0; k < EntryCount(); ++k) {
      const std::string path = MakeFullPath(ImageFileList[static_cast<size_t>(k)].FileName);
      graphics::Bitmap cell;
      int fullWidth = 0, fullHeight = 0;
      {
        // Only this one picture is alive; it goes as soon as its cell is made.
        graphics::Bitmap picture;
        if (PictureLoadHook) PictureLoadHook(path);
        try {
          catalog::LoadThumbnailPicture(path, ThumbBox, picture, fullWidth, fullHeight);
        } catch (const std::exception&) {
          ui::MessageBox(path + " が異常です，表示を中止します", "", ui::MB_OK);
          break;
        }
        ScaleBox = ThumbBox;
        CatalogEntry& e = CatalogTable[static_cast<size_t>(k)];
        e.Width = fullWidth;
        e.Height = fullHeight;
        e.Path = path;
        e.ImageIndex = k;
        e.Size = DirectorySize(path);
        catalog::PaintCell(cell, CellSize, picture, fullWidth, fullHeight, ScaleBox);
      }
      const int x = column * CellPitch;
      const int y = (k / ColumnCount) * CellPitch;
      if (++column > ColumnCount - 1) column = 0;
      f.ImList.Add(cell);
      f.Canvas.Draw(x, y, cell);
      BuiltCount = k + 1;

      f.ShowCanvas(graphics::Rect{x, y, x + CellSize, y + CellSize});
      ui::ProcessMessages();
      if (f.ClosedDuringBuild) break;
      if (CheckCancel() == -1) break;
      ShowProgress(f, k);
    }
  }
  EnableCatalogMenus();
  FinishLoop(f);
}

void RedrawCatalog() {
  Tcatlog_f& f = *catlog_f;
  graphics::Bitmap scratch;
  CancelRequest = 0;
  f.ClosedDuringBuild = false;
  if (PrepareCanvas() != -1) {
    int column = 0;
    bool contiguous = true;
    for (int k = 0; k < EntryCount(); ++k) {
      const int index = CatalogTable[static_cast<size_t>(k)].ImageIndex;
      const int x = column * CellPitch;
      const int y = (k / ColumnCount) * CellPitch;
      if (++column > ColumnCount - 1) column = 0;
      // An entry without a cached cell (never built) stays white and empty.
      if (index >= 0 && index < f.ImList.Count()) {
        scratch = f.ImList.At(index);
        f.Canvas.Draw(x, y, scratch);
        if (contiguous) BuiltCount = k + 1;
      } else {
        contiguous = false;
      }
      f.ShowCanvas(graphics::Rect{x, y, x + CellSize, y + CellSize});
      ui::ProcessMessages();
      if (f.ClosedDuringBuild) break;
      if (CheckCancel() == -1) break;
      ShowProgress(f, k);
    }
  }
  FinishLoop(f);
}
