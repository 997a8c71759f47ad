#pragma once
// The catalog help window: the catalog's menu explained and an OK button.
#include <QPushButton>
#include <string>
#include <vector>

#include "ui/components.h"
#include "ui/form.h"

class TForm8 : public ui::TForm {
  Q_OBJECT
 public:
  TForm8();

  ui::TMemo* Memo1 = nullptr;
  QPushButton* Button1 = nullptr;

  void Button1Click();

  static const std::vector<std::string>& HelpLines();
};
