// The catalog's save (the drawn grid as one JPEG picture) and shrink (each
// selected picture as a small JPEG file) commands.
#include <algorithm>
#include <cmath>
#include <string>

#include "app/startup.h"
#include "app/tovra1.h"
#include "browser/file_list.h"
#include "catalog/catlog1.h"
#include "catalog/selection.h"
#include "formats/catalog_export_core.h"
#include "forms/catlog.h"
#include "forms/form5.h"
#include "forms/form7.h"
#include "graphics/bmp_codec.h"
#include "graphics/jpeg_codec.h"
#include "platform/text.h"
#include "ui/dialogs.h"
#include "ui/form.h"

namespace {

// The save dialog proposes the name given the time before, as typed.
std::string LastCatalogSaveName;

template <class F>
struct AtExit {
  F f;
  ~AtExit() { f(); }
};
template <class F>
AtExit(F) -> AtExit<F>;

bool IsJpegName(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot != std::string::npos && platform::AsciiUpper(name.substr(dot)) == ".JPG";
}

// The source picture and its own size. A JPEG is decoded at the smallest
// reduction that still covers the box along its width; since the width is
// never the longer side by more than the box needs, both scaled sides stay
// covered. Other files are read as BMP, which refuses what is not one.
void LoadShrinkSource(const std::string& path, const std::string& name, float box,
                      graphics::Bitmap& source, int& fullWidth, int& fullHeight) {
  if (IsJpegName(name)) {
    const int boxSide = static_cast<int>(std::min(std::ceil(static_cast<double>(box)), 1.0e9));
    graphics::LoadJpegFileScaled(path, boxSide, 1, source, &fullWidth, &fullHeight);
  } else {
    graphics::LoadBmpFile(path, source);
    fullWidth = source.Width();
    fullHeight = source.Height();
  }
}

}  // namespace

void Tcatlog_f::Save1Click() {
  if (CatalogBusy != 0) return;
  const std::string chosen = ui::SaveFileDialog("", LastCatalogSaveName, "");
  if (chosen.empty()) return;
  LastCatalogSaveName = chosen;
  const std::string output = CatalogSaveName(chosen);

  const int width = CatalogSaveWidth(CellPitch, ColumnCount, ImageFileCount);
  const int height = Canvas.Height();
  graphics::Bitmap shot(width, height);
  shot.Draw(0, 0, Canvas);
  graphics::JpegImage jpeg;
  jpeg.Assign(shot);

  Form7->LabeledEdit1->Edit()->setEnabled(false);
  Form7->LabeledEdit1->SetText(std::to_string(CellPitch));
  bool cancelled = false;
  {
    // The edit comes back enabled however the save ends; its text stays
    // the pitch, which a later shrink offers as its box side.
    AtExit enable{[] { Form7->LabeledEdit1->Edit()->setEnabled(true); }};
    ScaleBox = 255;
    Form7->ShowModal();
    cancelled = ScaleBox == 0;
    if (cancelled) {
      ui::ShowMessage("中止します");
    } else {
      jpeg.CompressionQuality = JpegQuality;
      jpeg.Compress();
      jpeg.SaveToFile(output);
    }
  }
  if (!cancelled) ui::MessageBox("保存しました", "報告", ui::MB_OK);
  RefreshFileList();
}

void Tcatlog_f::N5Click() {
  if (CatalogBusy != 0) return;
  if (SelectedCount == 0 || ImageFileCount == 0) {
    ui::MessageBox("選択されたフｱイルがありません", "警告", ui::MB_OK);
    return;
  }
  Form5->SetCaption("縮少");
  DialogTarget.clear();
  Form5->ShowModal();
  if (DialogTarget.empty()) return;

  ui::HourglassCursor hourglass;
  // Whatever ends the command, the box is not left behind.
  AtExit clearBox{[] { ScaleBox = 0; }};
  ScaleBox = 100;
  Form7->ShowModal();
  // A box of 0 or less would make pictures of no size: a cancel.
  if (!(ScaleBox > 0)) return;
  const float box = ScaleBox;

  int count = 0;
  const int last = std::min({ImageFileCount, BuiltCount, kCatalogCapacity});
  for (int i = 0; i < last; ++i) {
    if (SelectionTable[i].Selected == 0) continue;
    const std::string name = ImageFileList[i].FileName;
    const std::string path = MakeFullPath(name);
    graphics::Bitmap source;
    int fullWidth = 0, fullHeight = 0;
    LoadShrinkSource(path, name, box, source, fullWidth, fullHeight);
    const std::string output = ShrinkOutputName(DialogTarget, name);
    const ShrinkSize size = ShrinkedSize(fullWidth, fullHeight, box);
    graphics::Bitmap small(size.width, size.height);
    small.StretchDraw({0, 0, size.width, size.height}, source);
    graphics::JpegImage jpeg;
    jpeg.Assign(small);
    jpeg.CompressionQuality = JpegQuality;
    jpeg.Compress();
    jpeg.SaveToFile(output);

    HitX = SelectionTable[i].X;
    HitY = SelectionTable[i].Y;
    ToggleSelection();
    ++count;
  }
  ui::MessageBox(ShrinkReport(count), "報告", ui::MB_OK);
}
