#pragma once
// The picture information dialog: path, size in pixels, size in bytes and
// colour depth of one file.
#include <QLabel>
#include <QPushButton>

#include "ui/form.h"

class TForm6 : public ui::TForm {
  Q_OBJECT
 public:
  TForm6();

  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label5;
  QLabel* Label6;
  QLabel* Label7;
  QLabel* Label8;
  QPushButton* Button1;

  // Handlers.
  void FormActivate() override;
  void Button1Click();
};
