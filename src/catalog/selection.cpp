// Mouse and keyboard on the thumbnail grid.
#include "catalog/selection.h"

#include "app/startup.h"
#include "app/tovra1.h"
#include "browser/viewer_launch.h"
#include "catalog/builder.h"
#include "catalog/catlog1.h"
#include "catalog/geometry.h"
#include "formats/picture_info.h"
#include "forms/catlog.h"
#include "ui/scale.h"

void ToggleSelection() {
  const int k = catalog::HitPosition(HitX, HitY, CellPitch, ColumnCount);
  if (!IsBuiltEntry(k)) return;
  const int x = (HitX / CellPitch) * CellPitch;
  const int y = (HitY / CellPitch) * CellPitch;
  const graphics::Rect mark = catalog::MarkRect(x, y, CellPitch);
  SelectionMark& s = SelectionTable[static_cast<size_t>(k)];
  const bool select = s.Selected == 0;
  if (select) {
    ++SelectedCount;
    s = SelectionMark{k, x, y, 255};
  } else {
    --SelectedCount;
    s.Selected = 0;
  }
  if (catlog_f) {
    catlog_f->Canvas.FillRect(mark, select ? 0x0000FF : 0xFFFFFF);
    catlog_f->Image1->update(QRect(mark.left, mark.top, mark.right - mark.left, mark.bottom - mark.top));
  }
}

void Tcatlog_f::Image1MouseDown(Qt::MouseButton button, Qt::MouseButtons held, int x, int y) {
  HitX = x;
  HitY = y;
  if (button == Qt::RightButton) {
    if (CatalogBusy == 0) ToggleSelection();
    return;
  }
  // Viewing has no busy test: a drawn picture can be viewed during a build.
  const int k = catalog::HitPosition(x, y, CellPitch, ColumnCount);
  if (!IsBuiltEntry(k)) return;
  CurrentFilePath = CatalogTable[static_cast<size_t>(k)].Path;
  if (held & Qt::LeftButton) LaunchViewer(CurrentFilePath);
}

void Tcatlog_f::Image1MouseDown(bool rightButton, int x, int y) {
  if (rightButton) {
    Image1MouseDown(Qt::RightButton, Qt::RightButton, x, y);
  } else {
    Image1MouseDown(Qt::LeftButton, Qt::LeftButton, x, y);
  }
}

void Tcatlog_f::Image1MouseMove(int x, int y) {
  const int k = catalog::HitPosition(x, y, CellPitch, ColumnCount);
  if (k == LastHintIndex || !IsBuiltEntry(k)) return;
  QFont font = StatusBar1->font();
  font.setPointSize(12);
  StatusBar1->setFont(font);
  QPalette p = StatusBar1->palette();
  p.setColor(QPalette::WindowText, QColor(255, 0, 0));
  StatusBar1->setPalette(p);
  const CatalogEntry& e = CatalogTable[static_cast<size_t>(k)];
  FormatFileSize(e.Size);
  SetStatusText(e.Path + "  ( " + std::to_string(e.Width) + " * " + std::to_string(e.Height) +
                " )  " + ByteCountText);
  LastHintIndex = k;
}

void Tcatlog_f::N3Click() {
  if (CatalogBusy != 0) return;
  int column = 0;
  for (int i = 0; i < ImageFileCount && i < kCatalogCapacity; ++i) {
    if (i % ColumnCount == 0) {
      HitY = (i / ColumnCount) * CellPitch;
      column = 0;
    }
    HitX = column * CellPitch;
    ToggleSelection();
    ++column;
  }
}

void Tcatlog_f::FormKeyDown(int& key) {
  if (key == 27) {
    CancelRequest = 255;
    key = 0;
  }
}
