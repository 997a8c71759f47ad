#pragma once
// The rename dialog: a new name for one file, a base name and start number
// for several, or (DialogTarget "MKDIR") the name of a new folder. It has no
// close box; only its buttons or Enter in the name leave it.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string>

#include "ui/form.h"

class TTakeFile : public ui::TForm {
  Q_OBJECT
 public:
  TTakeFile();

  QLabel* Label3;
  QLabel* Label1;
  QLineEdit* Edit1;
  QLabel* Label2;
  QLineEdit* Edit2;
  QPushButton* Button1;
  QPushButton* Button2;

  // The extension, dot included, of the file shown.
  std::string TakeExt;
  bool FolderMode = false;

  void FormActivate() override;
  void FormClose() override;
  void Edit1Change();
  // True when the key was Enter, which is swallowed and acts as OK.
  bool Edit1KeyDown(int key);
  void Button1Click();
  void Button2Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};
