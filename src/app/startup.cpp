#include "app/startup.h"

#include <QApplication>
#include <exception>

#include "forms/catlog.h"
#include "forms/form1.h"
#include "forms/form4.h"
#include "forms/form5.h"
#include "forms/form6.h"
#include "forms/form7.h"
#include "forms/form8.h"
#include "forms/help.h"
#include "forms/rendir.h"
#include "forms/takefile.h"
#include "ui/dialogs.h"

std::string CommandLineText;

TForm1* Form1 = nullptr;
THelp* Help = nullptr;
Tcatlog_f* catlog_f = nullptr;
TForm6* Form6 = nullptr;
TForm5* Form5 = nullptr;
TForm4* Form4 = nullptr;
TTakeFile* TakeFile = nullptr;
TForm7* Form7 = nullptr;
TForm8* Form8 = nullptr;
TRENDIR* RENDIR = nullptr;

std::string JoinCommandLine(const std::vector<std::string>& argsAfterProgram) {
  std::string text;
  for (const std::string& a : argsAfterProgram) {
    if (!text.empty()) text += ' ';
    text += a;
  }
  return text;
}

void CreateWindows() {
  Form1 = new TForm1();
  ui::TForm::SetMainForm(Form1);
  Help = new THelp();
  catlog_f = new Tcatlog_f();
  Form6 = new TForm6();
  Form5 = new TForm5();
  Form4 = new TForm4();
  TakeFile = new TTakeFile();
  Form7 = new TForm7();
  Form8 = new TForm8();
  RENDIR = new TRENDIR();
}

void DestroyWindows() {
  delete RENDIR;
  delete Form8;
  delete Form7;
  delete TakeFile;
  delete Form4;
  delete Form5;
  delete Form6;
  delete catlog_f;
  delete Help;
  ui::TForm::SetMainForm(nullptr);
  delete Form1;
  RENDIR = nullptr;
  Form8 = nullptr;
  Form7 = nullptr;
  TakeFile = nullptr;
  Form4 = nullptr;
  Form5 = nullptr;
  Form6 = nullptr;
  catlog_f = nullptr;
  Help = nullptr;
  Form1 = nullptr;
}

int RunTovra(int argc, char** argv) {
  QApplication app(argc, argv);
  // The constructor has removed the options Qt took as its own from argv.
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
  CommandLineText = JoinCommandLine(args);
  try {
    CreateWindows();
    Form1->show();
    Form1->Activate();
    app.exec();
  } catch (const std::exception& e) {
    ui::MessageBox(e.what(), ui::ApplicationTitle(), ui::MB_OK);
  }
  DestroyWindows();
  return 0;
}
