#include "forms/form4.h"

#include <QFont>
#include <QMenuBar>
#include <QVBoxLayout>

#include "ui/guard.h"
#include "ui/scale.h"

namespace {

QAction* Item(QMenu* menu, const char* caption, std::function<void()> handler) {
  QAction* a = menu->addAction(QString::fromUtf8(caption));
  ui::OnTriggered(a, std::move(handler));
  return a;
}

}  // namespace

TForm4::TForm4() : ui::TForm("HTML 変換", 600, 450) {
  setFont(ui::MakeFont("ＭＳ Ｐゴシック", 15));
  auto* client = new QWidget(this);
  SetClient(client);

  // The panel keeps its height at the top; the text area fills the rest.
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  Panel1 = new ui::TPanel(client);
  Panel1->setFixedHeight(ui::S(49));
  layout->addWidget(Panel1);

  GroupBox2 = new QGroupBox(QStringLiteral("Map"), Panel1);
  ui::Place(GroupBox2, 4, 0, 240, 46);
  Label1 = new QLabel(QStringLiteral("Image File"), GroupBox2);
  ui::Place(Label1, 8, 20, 72, 18);
  Edit4 = new QLineEdit(QStringLiteral("indx.jpg"), GroupBox2);
  QFont bold = Edit4->font();
  bold.setBold(true);
  Edit4->setFont(bold);
  ui::Place(Edit4, 84, 16, 148, 24);

  GroupBox1 = new QGroupBox(QStringLiteral("Table"), Panel1);
  ui::Place(GroupBox1, 252, 0, 340, 46);
  Label3 = new QLabel(QStringLiteral("Boder"), GroupBox1);
  ui::Place(Label3, 8, 20, 48, 18);
  Edit3 = new QLineEdit(QStringLiteral("3"), GroupBox1);
  ui::Place(Edit3, 60, 16, 60, 24);
  Label2 = new QLabel(QString::fromUtf8("文字サイズ"), GroupBox1);
  ui::Place(Label2, 132, 20, 88, 18);
  Edit2 = new QLineEdit(QStringLiteral("-3"), GroupBox1);
  ui::Place(Edit2, 224, 16, 60, 24);

  RichEdit1 = new QPlainTextEdit(client);
  RichEdit1->setFont(ui::MakeFont("ＭＳ Ｐゴシック", 20));
  RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
  RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  layout->addWidget(RichEdit1, 1);

  QMenuBar* bar = menuBar();
  File1 = bar->addMenu(QStringLiteral("File"));
  Save1 = Item(File1, "Save", [this] { Save1Click(); });
  N1 = File1->addSeparator();
  Exi1 = Item(File1, "Exit", [this] { Exi1Click(); });
  Edit1 = bar->addMenu(QString::fromUtf8("編集"));
  Undo1 = Item(Edit1, "Undo", [this] { Undo1Click(); });
  Cut1 = Item(Edit1, "Cut", [this] { Cut1Click(); });
  Copy1 = Item(Edit1, "Copy", [this] { Copy1Click(); });
  Paste1 = Item(Edit1, "Paste", [this] { Paste1Click(); });
  N2 = bar->addMenu(QString::fromUtf8("作成"));
  N3 = Item(N2, "Ｍａｐ", [this] { N3Click(); });
  MapHTML1 = Item(N2, "Map (HTML)", [this] { MapHTML1Click(); });
  N4 = Item(N2, "Ｔａｂｌｅ", [this] { N4Click(); });
  TableHTML1 = Item(N2, "Table (HTML)", [this] { TableHTML1Click(); });

  PopupMenu1 = new QMenu(this);
  Undo2 = Item(PopupMenu1, "Undo", [this] { Undo2Click(); });
  Cut2 = Item(PopupMenu1, "Cut", [this] { Cut2Click(); });
  Copy2 = Item(PopupMenu1, "Copy", [this] { Copy2Click(); });
  Paste2 = Item(PopupMenu1, "Paste", [this] { Paste2Click(); });
  RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(RichEdit1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { PopupMenu1->popup(RichEdit1->viewport()->mapToGlobal(pos)); });
}
