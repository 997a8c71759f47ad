// Handlers of the two help windows.
#include "forms/form8.h"
#include "forms/help.h"

void THelp::FormActivate() { SetPosition(200, 150); }

// The memo is read-only; should its text change anyway, it is put back.
void THelp::Memo1Change() {
  if (Memo1->Lines() != HelpLines()) {
    const QSignalBlocker block(Memo1);
    Memo1->SetLines(HelpLines());
  }
}

void THelp::Button1Click() { Close(); }

void TForm8::Button1Click() { Close(); }
