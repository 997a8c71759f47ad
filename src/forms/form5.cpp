#include "forms/form5.h"

#include <QLabel>
#include <unistd.h>

#include "app/tovra1.h"
#include "fileops/copy_move_delete.h"
#include "platform/dir_search.h"
#include "ui/guard.h"
#include "ui/scale.h"

namespace {

std::string ProcessFolder() {
  char buf[4096];
  return ::getcwd(buf, sizeof buf) ? std::string(buf) : std::string("/");
}

}  // namespace

TForm5::TForm5() : ui::TForm("", 509, 339) {
  SetPosition(282, 208);
  setFont(ui::MakeFont("ＭＳ Ｐゴシック", 15));
  QWidget* p = Client();
  const QFont listFont = ui::MakeFont("ＭＳ Ｐゴシック", 17);

  DriveComboBox1 = new ui::TDriveComboBox(p);
  ui::Place(DriveComboBox1, 16, 16, 113, 23);

  DirectoryListBox1 = new ui::TFolderList(p);
  DirectoryListBox1->setFont(listFont);
  ui::Place(DirectoryListBox1, 16, 50, 209, 255);

  Button1 = new QPushButton(QString::fromUtf8("OK"), p);
  ui::Place(Button1, 400, 314, 73, 25);
  Button2 = new QPushButton(QString::fromUtf8("中止"), p);
  ui::Place(Button2, 264, 314, 73, 25);

  ListBox1 = new ui::TListBox(p);
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBox1->setFont(listFont);
  ui::Place(ListBox1, 232, 50, 265, 255);

  LabeledEdit1 = new ui::TLabeledEdit(p, "保存先", 4);
  LabeledEdit1->SetReadOnly(true);
  LabeledEdit1->Edit()->setFont(listFont);
  LabeledEdit1->Edit()->setStyleSheet("QLineEdit { background-color: #e3e3e3; }");  // cl3DLight
  LabeledEdit1->PlaceEdit(136, 18, 361, 25);
  // The label stands above the edit.
  QLabel* label = LabeledEdit1->Label();
  label->setFont(ui::MakeFont("ＭＳ Ｐゴシック", 15, true));
  label->adjustSize();
  label->move(LabeledEdit1->Edit()->x(), LabeledEdit1->Edit()->y() - label->height() - ui::S(2));

  setTabOrder(DriveComboBox1, DirectoryListBox1);
  setTabOrder(DirectoryListBox1, Button1);
  setTabOrder(Button1, Button2);
  setTabOrder(Button2, ListBox1);
  setTabOrder(ListBox1, LabeledEdit1->Edit());

  // The dialog opens first on the folder the process was started in.
  DirectoryListBox1->SetDirectory(ProcessFolder());
  DriveComboBox1->SetFolderList(DirectoryListBox1);
  DirectoryListBox1->OnChange = [this] { DirectoryListBox1Change(); };
  ui::OnClicked(Button1, [this] { Button1Click(); });
  ui::OnClicked(Button2, [this] { Button2Click(); });
}

void TForm5::FormActivate() {
  DirectoryListBox1->Update();
  FillDestinationFileList();
}

void TForm5::FormClose() {
  // Any way out but OK is a cancel.
  if (ModalResult() != ui::mrOk) DialogTarget.clear();
}

void TForm5::DirectoryListBox1Change() {
  LabeledEdit1->SetText(DirectoryListBox1->Directory());
  DriveComboBox1->SyncToFolderList();
  FillDestinationFileList();
}

void TForm5::Button1Click() {
  DialogTarget = FolderWithSeparator(LabeledEdit1->Text());
  SetModalResult(ui::mrOk);
  Close();
}

void TForm5::Button2Click() {
  DialogTarget.clear();
  SetModalResult(ui::mrCancel);
  Close();
}

void TForm5::FillDestinationFileList() {
  ListBox1->Clear();
  std::vector<platform::FindEntry> entries;
  if (!platform::FindFiles(DirectoryListBox1->Directory(), entries)) return;
  for (const auto& e : entries) {
    if (e.directory || e.hidden) continue;
    ListBox1->Add(e.name);
  }
}
