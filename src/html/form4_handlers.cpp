// The HTML source window's commands.
#include <algorithm>
#include <vector>

#include "app/startup.h"
#include "app/tovra1.h"
#include "forms/form1.h"
#include "forms/form4.h"
#include "html/html_source.h"
#include "platform/file_ops.h"
#include "ui/dialogs.h"

namespace {

std::vector<std::string> ListedNames() {
  std::vector<std::string> names;
  const int count = std::min(ImageFileCount, kImageFileCapacity);
  for (int i = 0; i < count; ++i) names.push_back(ImageFileList[i].FileName);
  return names;
}

std::string ReplaceAll(std::string s, const std::string& from, const std::string& to) {
  for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size())) {
    s.replace(at, from.size(), to);
  }
  return s;
}

// The editor keeps lines apart by paragraph, not by CR LF.
QString ToEditorText(const std::string& crlf) { return ui::Q(ReplaceAll(crlf, "\r\n", "\n")); }

}  // namespace

void TForm4::FormActivate() {
  RichEdit1->clear();
  generated_.clear();
  Layout = html::LayoutFor(Form1 && Form1->RadioButton1->isChecked());
}

void TForm4::PutSource(const std::string& text) {
  std::string all = text;
  if (WrapInPage) {
    all = html::WrapInPageText(text);
    WrapInPage = false;
  }
  generated_ = all;
  RichEdit1->clear();
  RichEdit1->insertPlainText(ToEditorText(all));
}

void TForm4::N3Click() {
  PutSource(html::MapSource(ListedNames(), Layout, ui::U(Edit4->text())));
}

void TForm4::MapHTML1Click() {
  WrapInPage = true;
  N3Click();
}

void TForm4::N4Click() {
  PutSource(html::TableSource(ListedNames(), Layout, ui::U(Edit3->text()), ui::U(Edit2->text())));
}

void TForm4::TableHTML1Click() {
  WrapInPage = true;
  N4Click();
}

std::string TForm4::SourceBytes() const {
  const QString shown = RichEdit1->toPlainText();
  if (!generated_.empty() && shown == ToEditorText(generated_)) return generated_;
  return ReplaceAll(ui::U(shown), "\n", "\r\n");
}

void TForm4::Save1Click() {
  const std::string chosen = ui::SaveFileDialog("", LastHtmlFileName, "");
  if (!chosen.empty()) {
    LastHtmlFileName = chosen;
    // A save that did not happen is said so; silence would read as success.
    if (!platform::WriteWholeFile(chosen, SourceBytes())) {
      ui::MessageBox(chosen + " を保存できませんでした", "警告", ui::MB_OK);
    }
  }
  RichEdit1->document()->setModified(false);
}

void TForm4::Exi1Click() { Close(); }

void TForm4::Undo1Click() { RichEdit1->undo(); }
void TForm4::Cut1Click() { RichEdit1->cut(); }
void TForm4::Copy1Click() { RichEdit1->copy(); }
void TForm4::Paste1Click() { RichEdit1->paste(); }
void TForm4::Undo2Click() { Undo1Click(); }
void TForm4::Cut2Click() { Cut1Click(); }
void TForm4::Copy2Click() { Copy1Click(); }
void TForm4::Paste2Click() { Paste1Click(); }
