#pragma once
// The destination dialog: pick a folder; the answer is DialogTarget (the
// folder followed by its separator), empty when cancelled. It keeps its
// folder and its caption between uses.
#include <QPushButton>

#include "ui/components.h"
#include "ui/drive_combo_box.h"
#include "ui/form.h"


class TForm5 : public ui::TForm {
  Q_OBJECT
 public:
  TForm5();

  ui::TDriveComboBox* DriveComboBox1;
  ui::TFolderList* DirectoryListBox1;
  QPushButton* Button1;
  QPushButton* Button2;
  ui::TListBox* ListBox1;
  ui::TLabeledEdit* LabeledEdit1;

  void FormActivate() override;
  void FormClose() override;
  void DirectoryListBox1Change();
  void Button1Click();
  void Button2Click();
  void FillDestinationFileList();
};
