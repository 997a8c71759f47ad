// The HTML source window: commands, page wrapping, saving the text's bytes.
#include <gtest/gtest.h>

#include <QTextCursor>

#include "app/startup.h"
#include "app/tovra1.h"
#include "forms/form1.h"
#include "forms/form4.h"
#include "html/html_source.h"
#include "support/windows_fixture.h"

namespace {

std::string Crlf(std::string s) {
  std::string out;
  for (char c : s) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

class HtmlWindowTest : public testsupport::WindowsTest {
 protected:
  void SetUp() override {
    testsupport::WindowsTest::SetUp();
    SetNames({"a.jpg", "写真 1&2.jpg", "c.bmp"});
  }

  void SetNames(const std::vector<std::string>& names) {
    ImageFileCount = static_cast<int>(names.size());
    for (size_t i = 0; i < names.size(); ++i) ImageFileList[i].FileName = names[i];
    names_ = names;
  }

  // The text area's content with CR LF line ends.
  std::string Shown() const { return Crlf(Form4->RichEdit1->toPlainText().toStdString()); }

  std::vector<std::string> names_;
};

TEST_F(HtmlWindowTest, MapAndTableFragmentsFollowTheThumbnailSize) {
  for (bool small : {true, false}) {
    (small ? Form1->RadioButton1 : Form1->RadioButton2)->setChecked(true);
    Form4->FormActivate();
    EXPECT_TRUE(Form4->RichEdit1->toPlainText().isEmpty());
    const html::HtmlLayout layout = html::LayoutFor(small);
    Form4->N3Click();
    EXPECT_EQ(Shown(), html::MapSource(names_, layout, "indx.jpg"));
    Form4->N4Click();
    EXPECT_EQ(Shown(), html::TableSource(names_, layout, "3", "-3"));
  }
}

TEST_F(HtmlWindowTest, TheEditsGoIntoTheSource) {
  Form4->FormActivate();
  Form4->Edit4->setText("cat.jpg");
  Form4->Edit3->setText("0");
  Form4->Edit2->setText("+2");
  Form4->N3Click();
  EXPECT_NE(Shown().find("<IMG SRC=\"cat.jpg\" ALIGN=BOTTOM"), std::string::npos);
  Form4->N4Click();
  EXPECT_EQ(Shown().rfind("<CENTER>\r\n<TABLE BORDER=0>\r\n", 0), 0u);
  EXPECT_NE(Shown().find("<TD><FONT SIZE=+2>a.jpg</FONT></TD>\r\n"), std::string::npos);
}

TEST_F(HtmlWindowTest, HtmlCommandsWrapOnlyTheirOwnResult) {
  Form4->FormActivate();
  const html::HtmlLayout layout = html::LayoutFor(true);
  const std::string map = html::MapSource(names_, layout, "indx.jpg");
  Form4->MapHTML1Click();
  EXPECT_EQ(Shown(), html::PageHead() + map + html::PageFoot());
  EXPECT_FALSE(Form4->WrapInPage);
  Form4->N3Click();
  EXPECT_EQ(Shown(), map);
  const std::string table = html::TableSource(names_, layout, "3", "-3");
  Form4->TableHTML1Click();
  EXPECT_EQ(Shown(), html::PageHead() + table + html::PageFoot());
  Form4->N4Click();
  EXPECT_EQ(Shown(), table);
}

TEST_F(HtmlWindowTest, SaveWritesTheBytesAndRemembersTheName) {
  Form4->FormActivate();
  Form4->TableHTML1Click();
  const std::string expected = html::WrapInPageText(
      html::TableSource(names_, html::LayoutFor(true), "3", "-3"));
  const std::string path = dir / "page.html";
  script.savePaths = {path, "", path};
  Form4->Save1Click();
  EXPECT_EQ(testsupport::ReadFile(path), expected);
  EXPECT_FALSE(Form4->RichEdit1->document()->isModified());
  EXPECT_EQ(Form4->LastHtmlFileName, path);
  // Cancelled, then saved again: the last name is offered both times.
  Form4->Save1Click();
  Form4->Save1Click();
  ASSERT_EQ(script.saveDialogProposals.size(), 3u);
  EXPECT_EQ(script.saveDialogProposals[1], path);
  EXPECT_EQ(script.saveDialogProposals[2], path);
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(HtmlWindowTest, AnEditedTextIsSavedAsShownWithCrLf) {
  Form4->FormActivate();
  Form4->N3Click();
  QTextCursor end = Form4->RichEdit1->textCursor();
  end.movePosition(QTextCursor::End);
  end.insertText("<P>extra line</P>\nlast");
  Form4->RichEdit1->setTextCursor(end);
  EXPECT_TRUE(Form4->RichEdit1->document()->isModified());
  const std::string path = dir / "edited.html";
  script.savePaths = {path};
  Form4->Save1Click();
  const std::string bytes = testsupport::ReadFile(path);
  EXPECT_EQ(bytes, html::MapSource(names_, html::LayoutFor(true), "indx.jpg") +
                       "<P>extra line</P>\r\nlast");
  EXPECT_FALSE(Form4->RichEdit1->document()->isModified());
}

TEST_F(HtmlWindowTest, AFailedSaveIsReported) {
  Form4->FormActivate();
  Form4->N3Click();
  const std::string path = dir / "missing-folder/page.html";
  script.savePaths = {path};
  Form4->Save1Click();
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].caption, "警告");
  EXPECT_NE(script.boxes[0].text.find(path), std::string::npos);
}

TEST_F(HtmlWindowTest, TheTextAreaHoldsAThousandEntries) {
  std::vector<std::string> many;
  for (int i = 0; i < 1000; ++i) many.push_back("picture" + std::to_string(1000 + i) + ".jpg");
  SetNames(many);
  Form1->RadioButton2->setChecked(true);
  Form4->FormActivate();
  Form4->TableHTML1Click();
  const std::string expected =
      html::WrapInPageText(html::TableSource(many, html::LayoutFor(false), "3", "-3"));
  EXPECT_EQ(Shown(), expected);
  const std::string path = dir / "all.html";
  script.savePaths = {path};
  Form4->Save1Click();
  EXPECT_EQ(testsupport::ReadFile(path), expected);
}

TEST_F(HtmlWindowTest, EditCommandsWorkOnTheSelection) {
  Form4->FormActivate();
  Form4->RichEdit1->setPlainText("alpha beta");
  Form4->RichEdit1->selectAll();
  Form4->Cut1Click();
  EXPECT_TRUE(Form4->RichEdit1->toPlainText().isEmpty());
  Form4->Paste2Click();
  EXPECT_EQ(Form4->RichEdit1->toPlainText().toStdString(), "alpha beta");
  Form4->Undo1Click();
  EXPECT_TRUE(Form4->RichEdit1->toPlainText().isEmpty());
}

}  // namespace
