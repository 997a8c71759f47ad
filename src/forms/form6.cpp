#include "forms/form6.h"

#include "ui/guard.h"
#include "ui/scale.h"

namespace {

QLabel* MakeLabel(QWidget* parent, const char* text, int left, int top, int width, int height) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  ui::Place(label, left, top, width, height);
  return label;
}

}  // namespace

TForm6::TForm6() : ui::TForm("Info", 520, 240) {
  setFont(ui::MakeFont("ＭＳ Ｐゴシック", 15));
  SetFixedBorder();
  QWidget* c = Client();

  Label1 = MakeLabel(c, "File Name", 16, 16, 110, 20);
  Label2 = MakeLabel(c, "Label2", 130, 12, 380, 50);
  Label2->setFont(ui::MakeFont("ＭＳ Ｐゴシック", 18, true));
  Label2->setWordWrap(true);
  Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Long paths wrap anywhere, and the path can be selected and copied.
  Label2->setTextInteractionFlags(Qt::TextSelectableByMouse);

  Label3 = MakeLabel(c, "Width*Height", 16, 72, 110, 20);
  Label4 = MakeLabel(c, "Label4", 130, 72, 380, 20);
  Label5 = MakeLabel(c, "File Size", 16, 104, 110, 20);
  Label6 = MakeLabel(c, "Label6", 130, 104, 380, 20);
  Label7 = MakeLabel(c, "Color", 16, 136, 110, 20);
  Label8 = MakeLabel(c, "Label8", 130, 136, 380, 20);

  Button1 = new QPushButton(QStringLiteral("OK"), c);
  ui::Place(Button1, 220, 186, 80, 32);
  ui::OnClicked(Button1, [this] { Button1Click(); });
}
