#pragma once
// The main window: folder browser, file list, filter, thumbnail size.
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QMenu>
#include <QRadioButton>

#include "ui/components.h"
#include "ui/form.h"

class TForm1 : public ui::TForm {
  Q_OBJECT
 public:
  TForm1();

  ui::TPanel* Panel1;
  ui::TComboBox* ComboBox2;
  ui::TComboBox* ComboBox1;
  QGroupBox* RadioGroup2;
  QCheckBox* CheckBox1;
  QGroupBox* RadioGroup1;
  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  ui::TLabeledEdit* LabeledEdit1;
  ui::TFolderList* DirectoryListBox1;
  ui::TListBox* ListBox1;

  QAction* syuuryou1;
  QAction* N1;
  QMenu* N6;
  QAction* N7;
  QAction* N8;
  QAction* PNGBMP1;
  QAction* PNGJPG1;
  QAction* Pelmo1;
  QMenu* N2;
  QAction* N5;
  QAction* N11;
  QAction* N9;
  QAction* N10;

  QMenu* PopupMenu1;
  QAction* Info;
  QAction* N3;
  QAction* Copy1;
  QAction* Move1;
  QAction* Rename1;
  QAction* N4;
  QAction* Del1;

  QMenu* PopupMenu2;
  QAction* MkDir1;
  QAction* RENDIR1;

  // Handlers.
  void FormCreate();
  void FormActivate() override;
  void FormPaint() override;
  void Panel1Resize();
  void DirectoryListBox1Change();
  void ComboBox1Change();
  void CheckBox1Click();
  void ComboBox2Change();
  void N5Click();
  void N11Click();
  void ListBox1DblClick();
  void Pelmo1Click();
  void InfoClick();
  void N1Click();
  void syuuryou1Click();
  void N9Click();
  void N10Click();
  void N7Click();
  void N8Click();
  void PNGBMP1Click();
  void PNGJPG1Click();
  void Copy1Click();
  void Move1Click();
  void Rename1Click();
  void Del1Click();
  void MkDir1Click();
  void RENDIR1Click();

 protected:
  bool event(QEvent* e) override;

 private:
  void BuildMenus();
  void BuildComponents();
};
