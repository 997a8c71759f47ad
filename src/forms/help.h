#pragma once
// The main help window: the program's help text and an OK button.
#include <QPushButton>
#include <string>
#include <vector>

#include "ui/components.h"
#include "ui/form.h"

class THelp : public ui::TForm {
  Q_OBJECT
 public:
  THelp();

  ui::TMemo* Memo1 = nullptr;
  QPushButton* Button1 = nullptr;

  void FormActivate() override;
  void Memo1Change();
  void Button1Click();

  // The help text, line by line.
  static const std::vector<std::string>& HelpLines();
};
