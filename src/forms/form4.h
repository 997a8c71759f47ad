#pragma once
// The HTML source window: image-map or table source for the catalog,
// editable, saved as a text file.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

#include "html/html_source.h"
#include "ui/components.h"
#include "ui/form.h"

class TForm4 : public ui::TForm {
  Q_OBJECT
 public:
  TForm4();

  ui::TPanel* Panel1;
  QGroupBox* GroupBox2;
  QLabel* Label1;
  QLineEdit* Edit4;
  QGroupBox* GroupBox1;
  QLabel* Label3;
  QLineEdit* Edit3;
  QLabel* Label2;
  QLineEdit* Edit2;
  QPlainTextEdit* RichEdit1;

  QMenu* File1;
  QAction* Save1;
  QAction* N1;
  QAction* Exi1;
  QMenu* Edit1;
  QAction* Undo1;
  QAction* Cut1;
  QAction* Copy1;
  QAction* Paste1;
  QMenu* N2;
  QAction* N3;
  QAction* MapHTML1;
  QAction* N4;
  QAction* TableHTML1;
  QMenu* PopupMenu1;
  QAction* Undo2;
  QAction* Cut2;
  QAction* Copy2;
  QAction* Paste2;

  // Set by the "(HTML)" commands, consumed by the next source command.
  bool WrapInPage = false;
  // The thumbnail layout read at activation.
  html::HtmlLayout Layout = html::LayoutFor(true);
  std::string LastHtmlFileName;

  void FormActivate() override;
  void N3Click();
  void MapHTML1Click();
  void N4Click();
  void TableHTML1Click();
  void Save1Click();
  void Exi1Click();
  void Undo1Click();
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  void Undo2Click();
  void Cut2Click();
  void Copy2Click();
  void Paste2Click();

  // The text area's content as the saved file's bytes: CR LF line ends, no
  // byte-order mark, no terminating zero.
  std::string SourceBytes() const;

 private:
  // Replaces the text area's content with text (CR LF lines).
  void PutSource(const std::string& text);
  // The last text put in, byte for byte; names that are not valid UTF-8
  // survive a save as long as the user has not edited the text.
  std::string generated_;
};
