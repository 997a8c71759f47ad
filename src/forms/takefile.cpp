#include "forms/takefile.h"

#include <QKeyEvent>

#include "app/tovra1.h"
#include "catalog/catlog1.h"
#include "platform/paths.h"
#include "ui/components.h"
#include "ui/guard.h"
#include "ui/scale.h"

TTakeFile::TTakeFile() : ui::TForm("名前変更", 444, 180) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  SetPosition(557, 124);
  setFont(ui::MakeFont("ＭＳ Ｐゴシック", 15));
  QWidget* p = Client();

  Label3 = new QLabel(p);
  ui::PlaceAt(Label3, 104, 9);
  Label1 = new QLabel(QString::fromUtf8("ファイル名"), p);
  ui::PlaceAt(Label1, 8, 40);
  Edit1 = new QLineEdit(p);
  ui::Place(Edit1, 104, 40, 305, 23);
  Label2 = new QLabel(QString::fromUtf8("通し番号"), p);
  ui::PlaceAt(Label2, 168, 80);
  Edit2 = new QLineEdit(QString::fromUtf8("1"), p);
  Edit2->setToolTip(QString::fromUtf8("指定した番号から順に番号が付けられます"));
  ui::Place(Edit2, 320, 72, 89, 23);
  Button1 = new QPushButton(QString::fromUtf8("OK"), p);
  ui::Place(Button1, 112, 128, 73, 25);
  Button2 = new QPushButton(QString::fromUtf8("キャンセル"), p);
  ui::Place(Button2, 248, 128, 81, 25);
  // Neither button answers Enter or Esc on its own.
  Button1->setAutoDefault(false);
  Button2->setAutoDefault(false);
  for (QLabel* l : {Label3, Label1, Label2}) l->adjustSize();

  setTabOrder(Edit2, Button1);
  setTabOrder(Button1, Button2);
  setTabOrder(Button2, Edit1);

  connect(Edit1, &QLineEdit::textChanged, this, [this](const QString&) {
    ui::Guard([this] { Edit1Change(); });
  });
  Edit1->installEventFilter(this);
  ui::OnClicked(Button1, [this] { Button1Click(); });
  ui::OnClicked(Button2, [this] { Button2Click(); });
}

bool TTakeFile::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Edit1 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    bool swallowed = false;
    ui::Guard([&] { swallowed = Edit1KeyDown(key); });
    if (swallowed) return true;
  }
  return ui::TForm::eventFilter(watched, event);
}

void TTakeFile::FormActivate() {
  if (DialogTarget == "MKDIR") {
    FolderMode = true;
    Edit1->clear();
    Edit1->setFocus();
    Label3->setText(ui::Q(DialogValue));
    Label1->setText(QString::fromUtf8("フオルダ－名"));
  } else {
    FolderMode = false;
    Label1->setText(QString::fromUtf8("ファイル名"));
  }
  const bool serial = SelectedCount >= 2 && !FolderMode;
  Edit2->setVisible(serial);
  Label2->setVisible(serial);
  if (!FolderMode) {
    CurrentFilePath = platform::NameOf(CurrentFilePath);
    const size_t dot = CurrentFilePath.rfind('.');
    TakeExt = dot == std::string::npos ? std::string() : CurrentFilePath.substr(dot);
    Edit1->setText(ui::Q(CurrentFilePath.substr(0, CurrentFilePath.size() - TakeExt.size())));
    Edit1->setFocus();
  }
  Label1->adjustSize();
  Label3->adjustSize();
}

void TTakeFile::FormClose() {
  // Alt+F4 or the window manager's close is a cancel as well.
  if (ModalResult() != ui::mrOk) DialogTarget.clear();
}

void TTakeFile::Edit1Change() {
  if (FolderMode) return;
  Label3->setText(Edit1->text());
  Label3->adjustSize();
}

bool TTakeFile::Edit1KeyDown(int key) {
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  Button1Click();
  return true;
}

void TTakeFile::Button1Click() {
  const std::string name = ui::U(Edit1->text());
  if (FolderMode) {
    DialogTarget = DialogValue + name;
  } else {
    DialogTarget = SelectedCount > 1 ? name : name + TakeExt;
    DialogValue = ui::U(Edit2->text());
  }
  Label3->setText(Edit1->text());
  Label3->adjustSize();
  SetModalResult(ui::mrOk);
  Close();
}

void TTakeFile::Button2Click() {
  DialogTarget.clear();
  SetModalResult(ui::mrCancel);
  Close();
}
