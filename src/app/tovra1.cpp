// The main window's own handlers: set-up, repaint, resize, and the commands
// that only open another window.
#include <cmath>

#include "app/resources.h"
#include "app/startup.h"
#include "app/tovra1.h"
#include "browser/drives.h"
#include "browser/file_list.h"
#include "browser/plugin_discovery.h"
#include "browser/viewer_launch.h"
#include "forms/catlog.h"
#include "forms/form1.h"
#include "forms/form6.h"
#include "forms/help.h"
#include "fileops/selection.h"
#include "ui/dialogs.h"

PanelLayout ComputePanelLayout(int width, int height) {
  PanelLayout l;
  l.listHeight = height - 60;
  l.folderWidth = static_cast<int>(width * 0.3495);
  l.fileWidth = static_cast<int>(width * 0.6134);
  l.fileLeft = l.folderWidth + 15;
  return l;
}

void TForm1::FormCreate() {
  ListBox1->SetHorizontalExtent(1800);
  DirectoryListBox1->SetHorizontalExtent(1200);
}

void TForm1::FormActivate() {
  if (!CommandLineText.empty()) {
    ViewerPath = CommandLineText;
  } else {
    RunStartSetUp();
    ViewerPath = DefaultViewerPath();
  }
  FindPlugins();
  SetUpFilterAndFormats();
  SetPosition(200, 100);
  ViewedCount = 0;
}

void TForm1::FormPaint() { CheckListCurrent(); }

void TForm1::Panel1Resize() {
  const PanelLayout l = ComputePanelLayout(Panel1->width(), Panel1->height());
  DirectoryListBox1->resize(l.folderWidth, l.listHeight);
  ListBox1->setGeometry(l.fileLeft, ListBox1->y(), l.fileWidth, l.listHeight);
}

void TForm1::DirectoryListBox1Change() {
  RememberFolder(DirectoryListBox1->Directory());
  RefreshFileList();
}
void TForm1::ComboBox1Change() { RefreshFileList(); }
void TForm1::CheckBox1Click() { RefreshFileList(); }

void TForm1::InfoClick() {
  if (RequireSelection() == -1) return;
  const int line = ListBox1->ItemIndex();
  if (line < 0 || line >= ImageFileCount) return;
  CurrentFilePath = MakeFullPath(ImageFileList[static_cast<size_t>(line)].FileName);
  Form6->ShowModal();
}

void TForm1::N1Click() {
  if (ImageFileCount < 1) {
    ui::MessageBox("表示する　Ｆｉｌｅ　がありません", "警告", ui::MB_OK);
    return;
  }
  catlog_f->ShowModal();
  RefreshFileList();
}

void TForm1::syuuryou1Click() { close(); }

void TForm1::N9Click() { ShowResourceReport(); }

void TForm1::N10Click() { Help->ShowModal(); }
