#include "forms/form1.h"

#include <QContextMenuEvent>
#include <QMenuBar>
#include <unistd.h>

#include "ui/guard.h"
#include "ui/scale.h"

namespace {

QAction* Item(QMenu* menu, const char* caption, std::function<void()> handler) {
  QAction* a = menu->addAction(QString::fromUtf8(caption));
  ui::OnTriggered(a, std::move(handler));
  return a;
}

QAction* Item(QMenuBar* bar, const char* caption, std::function<void()> handler) {
  QAction* a = bar->addAction(QString::fromUtf8(caption));
  ui::OnTriggered(a, std::move(handler));
  return a;
}

std::string CurrentFolder() {
  char buf[4096];
  return ::getcwd(buf, sizeof buf) ? std::string(buf) : std::string("/");
}

}  // namespace

TForm1::TForm1() : ui::TForm("Tovra", 672, 455) {
  // Sizeable, with the minimise box but no maximise box.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFont(ui::MakeFont("ＭＳ Ｐゴシック", 15));
  BuildComponents();
  BuildMenus();
  FormCreate();
}

void TForm1::BuildComponents() {
  Panel1 = new ui::TPanel(this);
  SetClient(Panel1);
  QWidget* p = Panel1;

  ComboBox2 = new ui::TComboBox(p);
  ComboBox2->setFont(ui::MakeFont("Terminal", 18));
  ui::Place(ComboBox2, 8, 14, 201, 26);

  ComboBox1 = new ui::TComboBox(p);
  ComboBox1->setFont(ui::MakeFont("ＭＳ Ｐゴシック", 18));
  ui::Place(ComboBox1, 216, 14, 129, 26);

  RadioGroup2 = new QGroupBox(QStringLiteral("Hidden"), p);
  ui::Place(RadioGroup2, 350, 8, 57, 40);
  CheckBox1 = new QCheckBox(p);
  ui::Place(CheckBox1, 360, 28, 17, 15);

  RadioGroup1 = new QGroupBox(QString::fromUtf8("サムネイル"), p);
  ui::Place(RadioGroup1, 410, 8, 113, 41);
  RadioButton1 = new QRadioButton(QStringLiteral("110"), p);
  RadioButton2 = new QRadioButton(QStringLiteral("170"), p);
  ui::Place(RadioButton1, 416, 24, 49, 17);
  ui::Place(RadioButton2, 468, 24, 49, 17);
  RadioButton1->setChecked(true);
  // Indicators never smaller than the style draws them.
  for (QWidget* w : std::initializer_list<QWidget*>{CheckBox1, RadioButton1, RadioButton2}) {
    w->resize(w->size().expandedTo(w->sizeHint()));
    w->raise();
  }

  LabeledEdit1 = new ui::TLabeledEdit(p, "ファイル数", 8);
  LabeledEdit1->SetReadOnly(true);
  LabeledEdit1->Edit()->setFont(ui::MakeFont("ＭＳ Ｐゴシック", 18, true));
  LabeledEdit1->PlaceEdit(608, 14, 49, 26);

  const QString hint = QString::fromUtf8("右クリックでメニュウがでます");
  DirectoryListBox1 = new ui::TFolderList(p);
  DirectoryListBox1->setFont(ui::MakeFont("ＭＳ Ｐゴシック", 18));
  DirectoryListBox1->setToolTip(hint);
  ui::Place(DirectoryListBox1, 7, 56, 234, 385);

  ListBox1 = new ui::TListBox(p);
  ListBox1->setFont(ui::MakeFont("Terminal", 18));
  ListBox1->setToolTip(hint);
  ui::Place(ListBox1, 248, 64, 409, 385);

  // The folder list starts where the process was started.
  DirectoryListBox1->SetDirectory(CurrentFolder());

  Panel1->OnResize = [this] { Panel1Resize(); };
  Panel1->OnPaint = [this] { FormPaint(); };
  DirectoryListBox1->OnChange = [this] { DirectoryListBox1Change(); };
  ComboBox1->OnChange = [this] { ComboBox1Change(); };
  ComboBox2->OnChange = [this] { ComboBox2Change(); };
  ui::OnClicked(CheckBox1, [this] { CheckBox1Click(); });
  ListBox1->OnDblClick = [this] { ListBox1DblClick(); };
}

void TForm1::BuildMenus() {
  QMenuBar* bar = menuBar();
  syuuryou1 = Item(bar, "終了", [this] { syuuryou1Click(); });
  N1 = Item(bar, "画像一覧", [this] { N1Click(); });
  N6 = bar->addMenu(QString::fromUtf8("変換"));
  N7 = Item(N6, "ＢＭＰ→ＪＰＧ", [this] { N7Click(); });
  N8 = Item(N6, "ＪＰＧ→ＢＭＰ", [this] { N8Click(); });
  PNGBMP1 = Item(N6, "PNG →BMP", [this] { PNGBMP1Click(); });
  PNGJPG1 = Item(N6, "PNG →JPG", [this] { PNGJPG1Click(); });
  Pelmo1 = Item(bar, "Pelmo起動", [this] { Pelmo1Click(); });
  N2 = bar->addMenu(QString::fromUtf8("ネットワ－ク"));
  N5 = Item(N2, "接続", [this] { N5Click(); });
  N11 = Item(N2, "切断", [this] { N11Click(); });
  N9 = Item(bar, "リソ－ス", [this] { N9Click(); });
  N10 = Item(bar, "ＨＥＬＰ", [this] { N10Click(); });

  PopupMenu1 = new QMenu(this);
  Info = Item(PopupMenu1, "情報", [this] { InfoClick(); });
  N3 = PopupMenu1->addSeparator();
  Copy1 = Item(PopupMenu1, "コピ－", [this] { Copy1Click(); });
  Move1 = Item(PopupMenu1, "移動", [this] { Move1Click(); });
  Rename1 = Item(PopupMenu1, "名前の変更", [this] { Rename1Click(); });
  N4 = PopupMenu1->addSeparator();
  Del1 = Item(PopupMenu1, "フアイルの削除", [this] { Del1Click(); });

  PopupMenu2 = new QMenu(this);
  MkDir1 = Item(PopupMenu2, "フオルダの作成", [this] { MkDir1Click(); });
  RENDIR1 = Item(PopupMenu2, "名前の変更", [this] { RENDIR1Click(); });

  ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ListBox1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { PopupMenu1->popup(ListBox1->viewport()->mapToGlobal(pos)); });
  DirectoryListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(DirectoryListBox1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    PopupMenu2->popup(DirectoryListBox1->viewport()->mapToGlobal(pos));
  });
}

bool TForm1::event(QEvent* e) {
  // Coming back to the window repaints it, so outside changes are noticed.
  if (e->type() == QEvent::WindowActivate) Panel1->update();
  return ui::TForm::event(e);
}
