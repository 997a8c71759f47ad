// Layout of the catalog window.
#include "forms/catlog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "catalog/catlog1.h"
#include "ui/components.h"
#include "ui/guard.h"
#include "ui/scale.h"

namespace {

struct MenuItem {
  QAction* Tcatlog_f::*member;
  const char* caption;
  const char* hint;
  void (Tcatlog_f::*handler)();
};

const MenuItem kMenu[] = {
    {&Tcatlog_f::Exit1, "終了", "", &Tcatlog_f::Exit1Click},
    {&Tcatlog_f::Save1, "保存", "表示されている画像をＭＡＰ用のＪＰＧ　Ｆｉｌｅとして保存",
     &Tcatlog_f::Save1Click},
    {&Tcatlog_f::N1, "コピ－", "選択されたＦｉｌｅ　を　コピ－", &Tcatlog_f::N1Click},
    {&Tcatlog_f::GoTo1, "移動", "選択されたＦｉｌｅ　を移動", &Tcatlog_f::GoTo1Click},
    {&Tcatlog_f::N2, "名前の変更", "選択されたＦｉｌｅ　のリネ－ム", &Tcatlog_f::N2Click},
    {&Tcatlog_f::Delete1, "削除", "選択されたＦｉｌｅを削除", &Tcatlog_f::Delete1Click},
    {&Tcatlog_f::N3, "選択", "全画像の選択（トグル）", &Tcatlog_f::N3Click},
    {&Tcatlog_f::N4, "作成", "表示されている画像からＨＴＭＬのＭａｐ，Ｔａｂｌｅのソ－スを作成",
     &Tcatlog_f::N4Click},
    {&Tcatlog_f::N5, "縮小", "選択された画像を縮小セ－ブ（サムネイル用として）", &Tcatlog_f::N5Click},
    {&Tcatlog_f::Help1, "Help", "", &Tcatlog_f::Help1Click},
    {&Tcatlog_f::INFO1, "リソ－ス", "", &Tcatlog_f::INFO1Click},
};

}  // namespace

Tcatlog_f::Tcatlog_f() : ui::TForm("一覧表示", 676, 361) {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFont(ui::MakeFont("ＭＳ Ｐゴシック", 20));
  setBackgroundRole(QPalette::Button);

  for (const MenuItem& m : kMenu) {
    QAction* a = menuBar()->addAction(ui::Q(m.caption));
    this->*(m.member) = a;
    ui::OnTriggered(a, [this, h = m.handler] { (this->*h)(); });
    // The status line shows the hint of the item under the pointer.
    const std::string hint = m.hint;
    connect(a, &QAction::hovered, this, [this, hint] { SetStatusText(hint); });
  }

  auto* layout = new QVBoxLayout(Client());
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  StatusBar1 = new QLabel(Client());
  StatusBar1->setFixedHeight(ui::S(30));
  StatusBar1->setAutoFillBackground(true);
  // Its own roles, not the ones the button-face window would hand down.
  StatusBar1->setBackgroundRole(QPalette::Window);
  StatusBar1->setForegroundRole(QPalette::WindowText);
  QPalette sp = StatusBar1->palette();
  sp.setColor(QPalette::Window, sp.color(QPalette::HighlightedText));
  sp.setColor(QPalette::WindowText, Qt::black);
  StatusBar1->setPalette(sp);
  StatusBar1->setFont(ui::MakeFont("MS UI Gothic", 15));
  StatusBar1->setTextFormat(Qt::PlainText);
  layout->addWidget(StatusBar1);

  ScrollBox1 = new QScrollArea(Client());
  ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ScrollBox1->setWidgetResizable(false);
  ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  ScrollBox1->setBackgroundRole(QPalette::Mid);
  ScrollBox1->verticalScrollBar()->setSingleStep(110);
  layout->addWidget(ScrollBox1, 1);

  Image1 = new ui::TCanvasView(ScrollBox1);
  Image1->setToolTip(ui::Q("左画像表示，右選択"));
  Image1->SetBitmap(&Canvas);
  Image1->OnMouseDown = [this](Qt::MouseButton b, Qt::MouseButtons held, int x, int y) {
    Image1MouseDown(b, held, x, y);
  };
  Image1->OnMouseMove = [this](int x, int y) { Image1MouseMove(x, y); };
  ScrollBox1->setWidget(Image1);
}

void Tcatlog_f::ShowCanvas() {
  if (Image1->width() != Canvas.Width() || Image1->height() != Canvas.Height()) {
    Image1->FitToBitmap();
  }
  Image1->repaint();
}

void Tcatlog_f::ShowCanvas(const graphics::Rect& part) {
  if (Image1->width() != Canvas.Width() || Image1->height() != Canvas.Height()) {
    Image1->FitToBitmap();
  }
  Image1->repaint(QRect(part.left, part.top, part.right - part.left, part.bottom - part.top));
}

void Tcatlog_f::SetStatusText(const std::string& text) { StatusBar1->setText(ui::Q(text)); }

std::string Tcatlog_f::StatusText() const { return ui::U(StatusBar1->text()); }

catalog::SystemMetrics Tcatlog_f::CurrentSystemMetrics() const {
  const QStyle* s = style();
  catalog::SystemMetrics m{};
  m.captionHeight = s->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
  m.frameWidth = std::max(s->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this),
                          ScrollBox1->frameWidth());
  m.scrollBarExtent = s->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  m.fullScreenHeight = screen ? screen->availableGeometry().height() : 768;
  return m;
}

void Tcatlog_f::ApplyCanvasLayout(const catalog::CanvasLayout& layout) {
  ScrollBox1->setVerticalScrollBarPolicy(layout.scrollBar ? Qt::ScrollBarAlwaysOn
                                                          : Qt::ScrollBarAlwaysOff);
  // The window system draws the title bar and frame; what we size is the
  // menu, the status line and a viewport of whole rows.
  const int frame = 2 * ScrollBox1->frameWidth();
  const int menuHeight = menuBar()->sizeHint().height();
  const int height = menuHeight + StatusBar1->height() + frame + std::max(layout.visibleHeight, 0);
  const int bar = layout.scrollBar ? ScrollBox1->verticalScrollBar()->sizeHint().width() : 0;
  const int width = std::max(layout.canvasWidth,
                             CellPitch * ColumnCount + frame + bar);
  resize(width, height);
}

void Tcatlog_f::keyPressEvent(QKeyEvent* e) {
  int key = e->key() == Qt::Key_Escape ? 27 : e->key();
  const int before = key;
  ui::Guard([this, &key] { FormKeyDown(key); });
  if (key == 0 && before != 0) {
    e->accept();
    return;
  }
  ui::TForm::keyPressEvent(e);
}
