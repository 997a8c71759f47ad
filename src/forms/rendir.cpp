#include "forms/rendir.h"

#include <QKeyEvent>

#include "app/tovra1.h"
#include "fileops/folder_commands.h"
#include "ui/components.h"
#include "ui/guard.h"
#include "ui/scale.h"

TRENDIR::TRENDIR() : ui::TForm("フオルダ－の名前変更", 492, 157) {
  SetPosition(497, 105);
  setFont(ui::MakeFont("ＭＳ Ｐゴシック", 15));
  QWidget* p = Client();

  Label2 = new QLabel(p);
  ui::Place(Label2, 136, 16, 321, 17);
  Label1 = new QLabel(QString::fromUtf8("フオルダ－名"), p);
  ui::PlaceAt(Label1, 16, 48);
  Label1->adjustSize();
  Edit1 = new QLineEdit(p);
  ui::Place(Edit1, 136, 48, 321, 23);
  Button1 = new QPushButton(QString::fromUtf8("ＯＫ"), p);
  ui::Place(Button1, 144, 104, 75, 25);
  Button2 = new QPushButton(QString::fromUtf8("中止"), p);
  ui::Place(Button2, 280, 104, 75, 25);
  Button1->setAutoDefault(false);
  Button2->setAutoDefault(false);

  setTabOrder(Edit1, Button1);
  setTabOrder(Button1, Button2);

  Edit1->installEventFilter(this);
  ui::OnClicked(Button1, [this] { Button1Click(); });
  ui::OnClicked(Button2, [this] { Button2Click(); });
}

bool TRENDIR::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Edit1 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    bool swallowed = false;
    ui::Guard([&] { swallowed = Edit1KeyPress(key); });
    if (swallowed) return true;
  }
  return ui::TForm::eventFilter(watched, event);
}

void TRENDIR::FormActivate() {
  ParentFolder.clear();
  const FolderSplit split = SplitFolderPath(DialogValue);
  if (split.found) {
    ParentFolder = split.parent;
    Edit1->setText(ui::Q(split.name));
  }
  Label2->setText(ui::Q(ParentFolder));
  Edit1->setFocus();
}

void TRENDIR::FormClose() {
  // The close box and Alt+F4 cancel like 中止.
  if (ModalResult() != ui::mrOk) DialogValue.clear();
}

void TRENDIR::Button1Click() {
  DialogValue = ParentFolder + ui::U(Edit1->text());
  SetModalResult(ui::mrOk);
  Close();
}

void TRENDIR::Button2Click() {
  DialogValue.clear();
  SetModalResult(ui::mrCancel);
  Close();
}

bool TRENDIR::Edit1KeyPress(int key) {
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  Button1Click();
  return true;
}
