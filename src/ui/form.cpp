#include "ui/form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QWidget>

#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/scale.h"

namespace ui {
namespace {
TForm* g_mainForm = nullptr;
int g_modalDepth = 0;
}  // namespace

TForm::TForm(const std::string& caption, int clientWidth, int clientHeight) {
  SetCaption(caption);
  auto* client = new QWidget(this);
  SetClient(client);
  resize(S(clientWidth), S(clientHeight));
}

TForm::~TForm() {
  if (g_mainForm == this) g_mainForm = nullptr;
}

void TForm::SetClient(QWidget* client) {
  client_ = client;
  setCentralWidget(client);
}

void TForm::SetFixedBorder() {
  setFixedSize(size());
  setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
}

void TForm::SetPosition(int left, int top) { move(left, top); }

std::string TForm::Caption() const { return windowTitle().toStdString(); }

void TForm::SetCaption(const std::string& caption) {
  setWindowTitle(QString::fromUtf8(caption.c_str()));
}

void TForm::Activate() {
  Guard([this] { FormActivate(); });
}

int TForm::ShowModal() {
  modalResult_ = mrNone;
  closing_ = false;
  showing_ = true;
  ++g_modalDepth;
  setWindowModality(Qt::ApplicationModal);
  show();
  Activate();
  // The activation may already have closed the form (a cancelled build).
  if (showing_ && !CurrentDialogSeam()->AnswerModal(*this) && showing_) {
    QEventLoop loop;
    loop_ = &loop;
    loop.exec(QEventLoop::DialogExec);
    loop_ = nullptr;
  }
  if (showing_) Close();
  --g_modalDepth;
  if (g_modalDepth == 0 && g_mainForm && g_mainForm != this) g_mainForm->Activate();
  return modalResult_;
}

void TForm::Close() {
  if (closing_) return;
  closing_ = true;
  Guard([this] { FormClose(); });
  showing_ = false;
  hide();
  if (loop_) loop_->quit();
  closing_ = false;
}

void TForm::closeEvent(QCloseEvent* event) {
  if (this == g_mainForm && !showing_) {
    QMainWindow::closeEvent(event);
    return;
  }
  if (modalResult_ == mrNone) modalResult_ = mrCancel;
  event->ignore();
  Close();
}

TForm* TForm::MainForm() { return g_mainForm; }
void TForm::SetMainForm(TForm* form) { g_mainForm = form; }
int TForm::ModalDepth() { return g_modalDepth; }

void ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

HourglassCursor::HourglassCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
HourglassCursor::~HourglassCursor() { QApplication::restoreOverrideCursor(); }

bool RepaintWindowTitled(const std::string& caption) {
  const QString title = QString::fromUtf8(caption.c_str());
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->windowTitle() != title || !w->isVisible()) continue;
    if (auto* form = qobject_cast<TForm*>(w)) {
      Guard([form] { form->FormPaint(); });
    } else {
      w->repaint();
    }
    return true;
  }
  return false;
}

}  // namespace ui
