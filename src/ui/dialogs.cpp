#include "ui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace ui {
namespace {

QWidget* ActiveParent() {
  QWidget* w = QApplication::activeModalWidget();
  if (!w) w = QApplication::activeWindow();
  return w;
}

class QtDialogs : public DialogSeam {
 public:
  int MessageBox(const std::string& text, const std::string& caption, int buttons) override {
    QMessageBox box(ActiveParent());
    box.setWindowTitle(QString::fromUtf8(caption.c_str()));
    box.setText(QString::fromUtf8(text.c_str()));
    if (buttons == MB_OKCANCEL) {
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    } else if (buttons == MB_YESNO) {
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    } else {
      box.setStandardButtons(QMessageBox::Ok);
    }
    switch (box.exec()) {
      case QMessageBox::Ok: return IDOK;
      case QMessageBox::Yes: return IDYES;
      case QMessageBox::No: return IDNO;
      default: return buttons == MB_OK ? IDOK : IDCANCEL;
    }
  }

  std::string SaveFileDialog(const std::string& title, const std::string& proposedName,
                             const std::string& filter) override {
    QFileDialog dlg(ActiveParent(), QString::fromUtf8(title.c_str()));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    // Outputs replace files of the same name without asking.
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!filter.empty()) dlg.setNameFilter(QString::fromUtf8(filter.c_str()));
    if (!proposedName.empty()) dlg.selectFile(QString::fromUtf8(proposedName.c_str()));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first().toStdString();
  }

  bool AnswerModal(TForm&) override { return false; }
};

QtDialogs& RealDialogs() {
  static QtDialogs real;
  return real;
}

DialogSeam* g_seam = nullptr;

}  // namespace

void SetDialogSeam(DialogSeam* seam) { g_seam = seam; }

DialogSeam* CurrentDialogSeam() { return g_seam ? g_seam : &RealDialogs(); }

int MessageBox(const std::string& text, const std::string& caption, int buttons) {
  return CurrentDialogSeam()->MessageBox(text, caption, buttons);
}

void ShowMessage(const std::string& text) { MessageBox(text, ApplicationTitle(), MB_OK); }

std::string SaveFileDialog(const std::string& title, const std::string& proposedName,
                           const std::string& filter) {
  return CurrentDialogSeam()->SaveFileDialog(title, proposedName, filter);
}

const std::string& ApplicationTitle() {
  static const std::string title = "Tovra";
  return title;
}

}  // namespace ui
