#pragma once
// The folder-rename dialog: DialogValue brings the folder's full path in and
// takes the new full path out (empty when cancelled).
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string>

#include "ui/form.h"

class TRENDIR : public ui::TForm {
  Q_OBJECT
 public:
  TRENDIR();

  QLabel* Label2;
  QLabel* Label1;
  QLineEdit* Edit1;
  QPushButton* Button1;
  QPushButton* Button2;

  // The folder's path up to and including its last separator.
  std::string ParentFolder;

  void FormActivate() override;
  void FormClose() override;
  void Button1Click();
  void Button2Click();
  // True when the character was Enter, which acts as OK.
  bool Edit1KeyPress(int key);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};
