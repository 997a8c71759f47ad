// Layout and text of the main help window.
#include "forms/help.h"

#include "ui/guard.h"
#include "ui/scale.h"

const std::vector<std::string>& THelp::HelpLines() {
  static const std::vector<std::string> lines = {
      "Tovra　Ｖｅｒ　1．１3　2006.5.20",
      "使用法",
      "",
      "画像の表示には　pelmo.exe　を　Tovra　と同じフォルダに置いてください",
      "または，コマンドラインのパラメ－タで　Ｖｉｅｗｅｒ　のパスを指定すると（例　Tovra　/opt/viewer/show）",
      " 他の Ｖｉｅｗｅｒ も使用可能",
      "　ReadOnly　も無条件で削除するので要注意",
      "",
      "画像Ｆｏｒｍａｔ　は　ＪＰＧ，ＢＭＰ（２４Ｂｉｔ）　は表示，保存可能，ＰＮＧは表示可能",
      "",
      "フアイルを　左ダブルクリック　すると画像を表示，左シングルクリック　で選",
      "択",
      "マルチセレクト可能（Ｃｔｒｌ　Ｋｅｙ）",
      "",
      "Ｖｅｒ１．０１　Ｒｅｎａｍｅ　のタイムスタンプを変更，同名Ｆｉｌｅのエラ－表示",
      "リソ－スの消費を減らす（ＭｏｕｓｅＭｏｖｅを変更）",
      "",
      "Ver 1.02 ImageList を使用，リソ－スの消費減と２回目以降のサムネイルの",
      "表示の高速化",
      "",
      "Ｖｅｒ1.03　Ｑｔ６，Ｃ＋＋２０　でコンパイル，選択の方法を変更",
      "Ver 1.05　フアイルの表示の時の選択位置を保持、ＲｅｄＯｎｌｙも削除",
      "Ｖｅｒ1.06　一覧表示で，１ファイルの名前変更で，一部誤動作するＢｕｇを修正",
      "Ｖｅｒ1.07　2Ｂｙｔｅコ－ド（83　5ＣＨ）のＤｉｒ名での誤動作を修正",
      "Ｖｅｒ1.08　ル－ト　ディレクトリ－のファイル名が表示されないＢｕｇの修正（Ｗｉｎ98）",
      "Ｖｅｒ1.09　同じＤｉｒに移動，コピ－を出来ないようにした",
      "Ｖｅｒ1.10　サムネイルのサイズを選択可能とした，Tovra　のフォルダは　カレント",
      "ディレクトリ－ではなく実行ファイルのパスから取得する",
      "Ｖｅｒ1.11　ＰＮＧを表示可能とする（ｓｕｓｉｅ　ｐｌｕｇｉｎ　「ＩｎＰｎｇ．ｓｐｉ」を利用），保存は",
      "出来ない",
      "Ｖｅｒ1.12　ＬｉｓｔＢｏｘに水平スクロ－ルバ－をつけた",
      "Ｖｅｒ1.13　リネ－ムなどの修正",
  };
  return lines;
}

THelp::THelp() : ui::TForm("Ｈｅｌｐ", 612, 439) {
  setFont(ui::MakeFont("ＭＳ Ｐゴシック", 15));
  SetFixedBorder();

  Memo1 = new ui::TMemo(Client());
  ui::Place(Memo1, 4, 8, 603, 376);
  Memo1->setFont(ui::MakeFont("ＭＳ Ｐ明朝", 17));
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->SetLines(HelpLines());
  connect(Memo1, &QPlainTextEdit::textChanged, this, [this] { ui::Guard([this] { Memo1Change(); }); });

  Button1 = new QPushButton(ui::Q("ＯＫ"), Client());
  ui::Place(Button1, 269, 405, 75, 25);
  Button1->setFont(ui::MakeFont("ＭＳ Ｐゴシック", 17));
  ui::OnClicked(Button1, [this] { Button1Click(); });
}
