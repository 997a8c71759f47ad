// The resource report and the two help windows.
#include <gtest/gtest.h>

#include <sstream>

#include "app/resources.h"
#include "app/startup.h"
#include "forms/form8.h"
#include "forms/help.h"
#include "platform/memory_status.h"
#include "support/windows_fixture.h"

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

TEST(ResourceReport, SevenLinesWithExactLabelsAndFullCounts) {
  const platform::MemoryStatus m{37,          17179869184ull, 8589934592ull, 4294967296ull,
                                 1073741825ull, 140737488351232ull, 140737488000000ull};
  EXPECT_EQ(ResourceReportText(m),
            "Used : 37 %\n"
            "Total Memory 17179869184 Byte\n"
            "Free  Memory  8589934592 Byte\n"
            "TotalPageFile 4294967296 Byte\n"
            "AvailPageFile 1073741825 Byte\n"
            "TotalVirtual  140737488351232 Byte\n"
            "AvailVirtual  140737488000000 Byte\n");
  const platform::MemoryStatus zero{0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(SplitLines(ResourceReportText(zero))[1], "Total Memory 0 Byte");
}

class HelpWindowsTest : public testsupport::WindowsTest {};

TEST_F(HelpWindowsTest, ReportShownWithEmptyCaptionAndOk) {
  ShowResourceReport();
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].caption, "");
  EXPECT_EQ(script.boxes[0].buttons, ui::MB_OK);
  const std::string& text = script.boxes[0].text;
  EXPECT_EQ(text.back(), '\n');
  const std::vector<std::string> lines = SplitLines(text);
  ASSERT_EQ(lines.size(), 7u);
  const char* labels[] = {"Used : ",        "Total Memory ",   "Free  Memory  ", "TotalPageFile ",
                          "AvailPageFile ", "TotalVirtual  ", "AvailVirtual  "};
  for (size_t i = 0; i < 7; ++i) {
    SCOPED_TRACE(lines[i]);
    EXPECT_EQ(lines[i].rfind(labels[i], 0), 0u);
    const std::string unit = i == 0 ? " %" : " Byte";
    ASSERT_GT(lines[i].size(), unit.size());
    EXPECT_EQ(lines[i].substr(lines[i].size() - unit.size()), unit);
    const std::string number =
        lines[i].substr(std::string(labels[i]).size(),
                        lines[i].size() - std::string(labels[i]).size() - unit.size());
    ASSERT_FALSE(number.empty());
    EXPECT_EQ(number.find_first_not_of("0123456789"), std::string::npos);
  }
  // The machine has memory: the total is no small 32-bit remnant.
  EXPECT_GT(std::stoull(SplitLines(text)[1].substr(13)), 1000000ull);
}

TEST_F(HelpWindowsTest, MainHelpTextAndPlace) {
  const std::vector<std::string> lines = Help->Memo1->Lines();
  ASSERT_EQ(lines.size(), 32u);
  EXPECT_TRUE(Help->Memo1->isReadOnly());
  EXPECT_EQ(Help->Caption(), "Ｈｅｌｐ");
  EXPECT_EQ(ui::U(Help->Button1->text()), "ＯＫ");
  const struct {
    size_t line;
    const char* text;
  } exact[] = {
      {2, "使用法"},
      {3, ""},
      {6, " 他の Ｖｉｅｗｅｒ も使用可能"},
      {7, "　ReadOnly　も無条件で削除するので要注意"},
      {8, ""},
      {9, "画像Ｆｏｒｍａｔ　は　ＪＰＧ，ＢＭＰ（２４Ｂｉｔ）　は表示，保存可能，ＰＮＧは表示可能"},
      {11, "フアイルを　左ダブルクリック　すると画像を表示，左シングルクリック　で選"},
      {12, "択"},
      {13, "マルチセレクト可能（Ｃｔｒｌ　Ｋｅｙ）"},
      {15, "Ｖｅｒ１．０１　Ｒｅｎａｍｅ　のタイムスタンプを変更，同名Ｆｉｌｅのエラ－表示"},
      {16, "リソ－スの消費を減らす（ＭｏｕｓｅＭｏｖｅを変更）"},
      {18, "Ver 1.02 ImageList を使用，リソ－スの消費減と２回目以降のサムネイルの"},
      {19, "表示の高速化"},
      {22, "Ver 1.05　フアイルの表示の時の選択位置を保持、ＲｅｄＯｎｌｙも削除"},
      {23, "Ｖｅｒ1.06　一覧表示で，１ファイルの名前変更で，一部誤動作するＢｕｇを修正"},
      {24, "Ｖｅｒ1.07　2Ｂｙｔｅコ－ド（83　5ＣＨ）のＤｉｒ名での誤動作を修正"},
      {25, "Ｖｅｒ1.08　ル－ト　ディレクトリ－のファイル名が表示されないＢｕｇの修正（Ｗｉｎ98）"},
      {26, "Ｖｅｒ1.09　同じＤｉｒに移動，コピ－を出来ないようにした"},
      {29, "Ｖｅｒ1.11　ＰＮＧを表示可能とする（ｓｕｓｉｅ　ｐｌｕｇｉｎ　「ＩｎＰｎｇ．ｓｐｉ」を利用），保存は"},
      {30, "出来ない"},
      {31, "Ｖｅｒ1.12　ＬｉｓｔＢｏｘに水平スクロ－ルバ－をつけた"},
      {32, "Ｖｅｒ1.13　リネ－ムなどの修正"},
  };
  for (const auto& e : exact) EXPECT_EQ(lines[e.line - 1], e.text) << "line " << e.line;
  // The lines given by content name the program and its viewer.
  EXPECT_NE(lines[0].find("Tovra"), std::string::npos);
  EXPECT_NE(lines[0].find("Ｖｅｒ"), std::string::npos);
  EXPECT_NE(lines[0].find("1．１3"), std::string::npos);
  EXPECT_NE(lines[0].find("2006.5.20"), std::string::npos);
  EXPECT_NE(lines[3].find("pelmo.exe"), std::string::npos);
  EXPECT_NE(lines[20].find("1.03"), std::string::npos);
  EXPECT_NE(lines[26].find("1.10"), std::string::npos);

  // Moved away, it comes back to (200, 150) at every opening.
  QPoint first, second;
  script.modalAnswers.push_back([&](ui::TForm& f) {
    first = f.pos();
    f.move(400, 400);
    Help->Button1->click();
  });
  script.modalAnswers.push_back([&](ui::TForm&) { second = Help->pos(); });
  Help->ShowModal();
  EXPECT_FALSE(Help->Showing());
  Help->ShowModal();
  EXPECT_EQ(first, QPoint(200, 150));
  EXPECT_EQ(second, QPoint(200, 150));
}

TEST_F(HelpWindowsTest, HelpTextCannotBeChanged) {
  Help->Memo1->setPlainText("changed");
  EXPECT_EQ(Help->Memo1->Lines(), THelp::HelpLines());
}

TEST_F(HelpWindowsTest, CatalogHelpTextExactly) {
  const std::vector<std::string> want = {
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
  EXPECT_EQ(Form8->Memo1->Lines(), want);
  EXPECT_TRUE(Form8->Memo1->isReadOnly());
  EXPECT_EQ(Form8->Caption(), "Help");
  EXPECT_EQ(ui::U(Form8->Button1->text()), "OK");
  bool showing = false;
  script.modalAnswers.push_back([&](ui::TForm&) {
    showing = Form8->Showing();
    Form8->Button1->click();
  });
  Form8->ShowModal();
  EXPECT_TRUE(showing);
  EXPECT_FALSE(Form8->Showing());
}

}  // namespace
