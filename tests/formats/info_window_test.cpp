// The main list's information item opens the dialog on the file under the
// cursor.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "app/tovra1.h"
#include "formats/loading_fixtures.h"
#include "forms/form1.h"
#include "forms/form6.h"
#include "support/windows_fixture.h"
#include "ui/components.h"

namespace {

class InfoItem : public testsupport::WindowsTest {
 protected:
  void SetUp() override {
    WindowsTest::SetUp();
    FormatTable[0] = {".BMP", ""};
    FormatTable[1] = {".JPG", ""};
  }
};

TEST_F(InfoItem, DescribesTheFileUnderTheCursor) {
  dir.Write("a.bmp", fixtures::MakeBmp(10, 10, 24));
  dir.Write("b.bmp", fixtures::MakeBmp(12, 3, 4));
  Browse(dir.path(), "bmp,jpg");
  ASSERT_EQ(ImageFileCount, 2);
  Form1->ListBox1->SetItemIndex(1);
  Form1->ListBox1->SetSelected(1, true);
  std::string shown[4];
  script.modalAnswers.push_back([&shown](ui::TForm& f) {
    auto& d = dynamic_cast<TForm6&>(f);
    shown[0] = ui::U(d.Label2->text());
    shown[1] = ui::U(d.Label4->text());
    shown[2] = ui::U(d.Label6->text());
    shown[3] = ui::U(d.Label8->text());
    d.Button1Click();
  });
  Form1->Info->trigger();
  ASSERT_EQ(script.modalCaptions.size(), 1u);
  EXPECT_EQ(script.modalCaptions[0], "Info");
  EXPECT_EQ(CurrentFilePath, dir / "b.bmp");
  EXPECT_EQ(shown[0], dir / "b.bmp");
  EXPECT_EQ(shown[1], "12*3");
  EXPECT_EQ(shown[2], "142 Byte");  // 14 + 40 + 16 * 4 + 3 rows of 8 bytes
  EXPECT_EQ(shown[3], "4Bit");
  EXPECT_TRUE(script.boxes.empty());
  EXPECT_FALSE(Form6->Showing());
}

}  // namespace
