#include "forms/form7.h"

#include <QFont>

#include "ui/guard.h"
#include "ui/scale.h"

TForm7::TForm7() : ui::TForm("圧縮率", 400, 220) {
  setFont(ui::MakeFont("ＭＳ Ｐゴシック", 15));
  QWidget* p = Client();

  RadioGroup1 = new QGroupBox(QString::fromUtf8("圧縮率の設定"), p);
  ui::Place(RadioGroup1, 16, 12, 368, 96);

  TrackBar1 = new QSlider(Qt::Horizontal, p);
  TrackBar1->setRange(1, 100);
  TrackBar1->setSingleStep(10);
  TrackBar1->setPageStep(5);
  TrackBar1->setTickInterval(10);
  TrackBar1->setTickPosition(QSlider::TicksBelow);
  TrackBar1->setValue(30);
  ui::Place(TrackBar1, 28, 36, 344, 36);

  Label1 = new QLabel(QString::fromUtf8("圧縮率"), p);
  ui::Place(Label1, 28, 80, 60, 20);
  Label2 = new QLabel(QStringLiteral("30"), p);
  ui::Place(Label2, 96, 80, 60, 20);

  LabeledEdit1 = new ui::TLabeledEdit(p, "Size ", 4);
  QFont bold = LabeledEdit1->Label()->font();
  bold.setBold(true);
  LabeledEdit1->Label()->setFont(bold);
  LabeledEdit1->SetText("100");
  LabeledEdit1->PlaceEdit(72, 124, 80, 24);

  Button1 = new QPushButton(QStringLiteral("OK"), p);
  ui::Place(Button1, 200, 172, 80, 28);
  Button2 = new QPushButton(QString::fromUtf8("中止"), p);
  ui::Place(Button2, 296, 172, 80, 28);

  QObject::connect(TrackBar1, &QSlider::valueChanged, this,
                   [this] { ui::Guard([this] { TrackBar1Change(); }); });
  ui::OnClicked(Button1, [this] { Button1Click(); });
  ui::OnClicked(Button2, [this] { Button2Click(); });
  SetFixedBorder();
}
