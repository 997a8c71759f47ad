// Layout and text of the catalog help window.
#include "forms/form8.h"

#include "ui/guard.h"
#include "ui/scale.h"

const std::vector<std::string>& TForm8::HelpLines() {
  static const std::vector<std::string> lines = {
      "メニュ－　項目",
      "",
      "選択　全部選択",
      "縮小　インデックス用に指定したサイズ＊サイズに収まる縮小画像を作成　（＊．ＪＰＧ）",
      "作成　ＨＴＭＬ用の Ｍａｐ,TABLE を作成",
      "保存　一覧表示の画像を　Ｍａｐ用の画像として保存　（＊．ＪＰＧ）",
      "",
      "削除，コピ－，移動，Ｒｅｎａｍｅ，縮小は選択されたＦｉｌｅにたいして有効",
      "",
      "サムネイルを表示中は，中断，Ｈｅｌｐ以外のメニュは無効となっている，表示を，中断，ＥＳＣ　Ｋｅｙで",
      "中断可能",
  };
  return lines;
}

// Sized to its contents: the memo and the button below it.
TForm8::TForm8() : ui::TForm("Help", 633, 250) {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFont(ui::MakeFont("ＭＳ Ｐゴシック", 15));
  QPalette p = Client()->palette();
  p.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
  Client()->setPalette(p);
  Client()->setAutoFillBackground(true);

  Memo1 = new ui::TMemo(Client());
  ui::Place(Memo1, 0, 0, 633, 193);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->SetLines(HelpLines());

  Button1 = new QPushButton(ui::Q("OK"), Client());
  ui::Place(Button1, 280, 216, 75, 25);
  ui::OnClicked(Button1, [this] { Button1Click(); });
  SetPosition(303, 373);
}
