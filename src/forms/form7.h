#pragma once
// The compression dialog: JPEG quality, and the box side for the shrink.
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "ui/components.h"
#include "ui/form.h"

class TForm7 : public ui::TForm {
  Q_OBJECT
 public:
  TForm7();

  QGroupBox* RadioGroup1;
  QSlider* TrackBar1;
  QLabel* Label1;
  QLabel* Label2;
  ui::TLabeledEdit* LabeledEdit1;
  QPushButton* Button1;
  QPushButton* Button2;

  void FormActivate() override;
  void FormClose() override;
  void TrackBar1Change();
  void Button1Click();
  void Button2Click();
};
