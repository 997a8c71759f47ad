// The four conversion commands of the main window and the compression
// dialog, on real folders.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "app/startup.h"
#include "app/tovra1.h"
#include "catalog/catlog1.h"
#include "formats/convert.h"
#include "forms/form1.h"
#include "forms/form7.h"
#include "formats/convert_fixture.h"
#include "ui/dialogs.h"
#include "ui/guard.h"

namespace {

using exporttest::ChooseFolder;
using exporttest::Compression;

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class ConvertTest : public exporttest::PictureWindowsTest {
 protected:
  void SetUp() override {
    exporttest::PictureWindowsTest::SetUp();
    ASSERT_EQ(FormatTable[2].Extension, ".PNG") << "the PNG plug-in was not found";
    src = dir.MakeDir("src");
    out = dir.MakeDir("out");
    exporttest::WriteBmp(src + "/a.bmp", 40, 30);
    exporttest::WriteBmp(src + "/B.BMP", 20, 10);
    exporttest::WriteJpeg(src + "/c.jpg", 64, 48);
    exporttest::WriteJpeg(src + "/D.JPG", 16, 32);
    exporttest::WritePng(src + "/e.png", 12, 8);
    dir.Write("src/bad.png", "this is no picture");
    Browse(src, "bmp,jpg,png");
    ASSERT_EQ(ImageFileCount, 6);
  }

  std::string src, out;
};

struct Output {
  std::string name;
  int width, height;
};

struct CommandCase {
  const char* title;
  void (TForm1::*handler)();
  bool asksQuality;
  std::vector<Output> outputs;  // sorted by name
};

TEST_F(ConvertTest, EachCommandConvertsItsFormatIntoTheChosenFolder) {
  const CommandCase cases[] = {
      {"BMP to JPG", &TForm1::N7Click, true, {{"B.jpg", 20, 10}, {"a.jpg", 40, 30}}},
      {"JPG to BMP", &TForm1::N8Click, false, {{"D.bmp", 16, 32}, {"c.bmp", 64, 48}}},
      {"PNG to BMP", &TForm1::PNGBMP1Click, false, {{"e.bmp", 12, 8}}},
      {"PNG to JPG", &TForm1::PNGJPG1Click, true, {{"e.jpg", 12, 8}}},
  };
  for (const CommandCase& c : cases) {
    SCOPED_TRACE(c.title);
    std::filesystem::remove_all(out);
    std::filesystem::create_directory(out);
    script.boxes.clear();
    script.modalCaptions.clear();
    script.modalAnswers.push_back(ChooseFolder(out));
    if (c.asksQuality) script.modalAnswers.push_back(Compression());
    (Form1->*c.handler)();

    EXPECT_EQ(script.modalCaptions.size(), c.asksQuality ? 2u : 1u);
    EXPECT_TRUE(script.modalAnswers.empty());
    std::vector<std::string> names;
    for (const Output& o : c.outputs) names.push_back(o.name);
    EXPECT_EQ(FilesIn(out), names);
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_EQ(script.boxes[0].text, std::to_string(c.outputs.size()) + "　Ｆｉｌｅを変換しました");
    EXPECT_EQ(script.boxes[0].caption, "報告");
    EXPECT_EQ(script.boxes[0].buttons, ui::MB_OK);
    for (const Output& o : c.outputs) {
      const std::string path = out + "/" + o.name;
      graphics::Bitmap b;
      if (o.name.ends_with(".bmp")) {
        EXPECT_EQ(exporttest::BmpBitCount(path), 24) << o.name;
        graphics::LoadBmpFile(path, b);
      } else {
        ASSERT_TRUE(exporttest::IsJpegFile(path)) << o.name;
        graphics::LoadJpegFile(path, b);
      }
      EXPECT_EQ(b.Width(), o.width) << o.name;
      EXPECT_EQ(b.Height(), o.height) << o.name;
    }
  }
}

TEST_F(ConvertTest, QualityComesFromTheTrackBarAndStartsAtThirtyEachTime) {
  graphics::Bitmap source;
  graphics::LoadBmpFile(src + "/a.bmp", source);
  const std::vector<uint8_t> at30 = graphics::EncodeJpeg(source, 30);
  const std::vector<uint8_t> at85 = graphics::EncodeJpeg(source, 85);
  ASSERT_NE(at30, at85);
  auto written = [&] {
    const std::string s = testsupport::ReadFile(out + "/a.jpg");
    return std::vector<uint8_t>(s.begin(), s.end());
  };

  script.modalAnswers = {ChooseFolder(out), Compression(85)};
  Form1->N7Click();
  EXPECT_EQ(JpegQuality, 85);
  EXPECT_EQ(written(), at85);

  // The next showing starts again at 30, whatever was chosen before.
  script.modalAnswers = {ChooseFolder(out), Compression()};
  Form1->N7Click();
  EXPECT_EQ(JpegQuality, 30);
  EXPECT_EQ(written(), at30);
}

TEST_F(ConvertTest, NoFileOfTheFormatIsReportedAfterTheDialogs) {
  const std::string only = dir.MakeDir("only");
  exporttest::WriteJpeg(only + "/x.jpg", 8, 8);
  Browse(only, "bmp,jpg,png");
  script.modalAnswers = {ChooseFolder(out), Compression()};
  Form1->N7Click();
  EXPECT_EQ(script.modalCaptions.size(), 2u);
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, "変換するＦｉｌｅがありませんでした");
  EXPECT_EQ(script.boxes[0].caption, "報告");
  EXPECT_TRUE(FilesIn(out).empty());
}

TEST_F(ConvertTest, APngItsPlugInCannotDecodeIsNeitherWrittenNorCounted) {
  script.modalAnswers = {ChooseFolder(out)};
  Form1->PNGBMP1Click();
  EXPECT_EQ(FilesIn(out), std::vector<std::string>{"e.bmp"});
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, "1　Ｆｉｌｅを変換しました");
}

TEST_F(ConvertTest, CancellingEitherDialogConvertsNothingAndSaysNothing) {
  // The destination dialog closed by its close box.
  Form1->N7Click();
  EXPECT_EQ(script.modalCaptions.size(), 1u);
  // The compression dialog closed by its close box, then by 中止.
  script.modalAnswers = {ChooseFolder(out)};
  Form1->N7Click();
  EXPECT_EQ(JpegQuality, 0);
  script.modalAnswers = {ChooseFolder(out),
                         [](ui::TForm& f) { dynamic_cast<TForm7&>(f).Button2Click(); }};
  Form1->PNGJPG1Click();
  EXPECT_EQ(JpegQuality, 0);
  EXPECT_EQ(ScaleBox, 0.0f);
  EXPECT_EQ(script.modalCaptions.size(), 5u);
  EXPECT_TRUE(script.boxes.empty());
  EXPECT_TRUE(FilesIn(out).empty());
}

TEST_F(ConvertTest, AnEmptyListAsksNothing) {
  Browse(dir.MakeDir("empty"), "bmp,jpg,png");
  ASSERT_EQ(ImageFileCount, 0);
  Form1->N8Click();
  EXPECT_TRUE(script.modalCaptions.empty());
  EXPECT_TRUE(script.boxes.empty());
}

TEST_F(ConvertTest, ConvertingIntoTheListedFolderAddsTheOutputsToTheList) {
  dir.Write("src/a.jpg", "old content");  // replaced without asking
  Browse(src, "bmp,jpg,png");
  const int before = ImageFileCount;
  script.modalAnswers = {ChooseFolder(src), Compression()};
  Form1->N7Click();
  EXPECT_TRUE(exporttest::IsJpegFile(src + "/a.jpg"));
  EXPECT_TRUE(exporttest::IsJpegFile(src + "/B.jpg"));
  EXPECT_EQ(ImageFileCount, before + 1);  // B.jpg is new, a.jpg was listed
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, "2　Ｆｉｌｅを変換しました");
}

TEST_F(ConvertTest, AFaultyPictureEndsTheCommandWithTheErrorAndNoReport) {
  dir.Write("src/B0.bmp", "BM broken");
  Browse(src, "bmp,jpg,png");
  script.modalAnswers = {ChooseFolder(out), Compression()};
  ui::Guard([] { Form1->N7Click(); });
  // B.BMP sorts first and is written; B0.bmp fails; a.bmp after it is not reached.
  EXPECT_EQ(FilesIn(out), std::vector<std::string>{"B.jpg"});
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].caption, ui::ApplicationTitle());
  EXPECT_TRUE(script.boxes[0].text.starts_with("Bitmap image is not valid")) << script.boxes[0].text;
}

class CompressionDialogTest : public testsupport::WindowsTest {};

TEST_F(CompressionDialogTest, ActivationResetsTheTrackBarAndShowsTheSizeOnlyForABox) {
  for (float box : {0.0f, 100.0f}) {
    ScaleBox = box;
    Form7->TrackBar1->setValue(77);
    bool sizeShown = true;
    script.modalAnswers.push_back([&](ui::TForm& f) {
      auto& d = dynamic_cast<TForm7&>(f);
      EXPECT_EQ(d.TrackBar1->value(), 30);
      EXPECT_EQ(d.Label2->text().toStdString(), "30");
      sizeShown = d.LabeledEdit1->Edit()->isVisible() && d.LabeledEdit1->Label()->isVisible();
      d.Button1Click();
    });
    Form7->ShowModal();
    EXPECT_EQ(sizeShown, box != 0) << box;
    EXPECT_EQ(JpegQuality, 30);
    EXPECT_EQ(ScaleBox, box == 0 ? 0.0f : 100.0f);
  }
}

TEST_F(CompressionDialogTest, TrackBarMovesTheValueAndOkReadsTheSize) {
  ScaleBox = 100;
  script.modalAnswers.push_back(Compression(64, " 48.5 "));
  Form7->ShowModal();
  EXPECT_EQ(Form7->Label2->text().toStdString(), "64");
  EXPECT_EQ(JpegQuality, 64);
  EXPECT_EQ(ScaleBox, 48.5f);
  // The size text carries over to the next showing.
  EXPECT_EQ(Form7->LabeledEdit1->Text(), " 48.5 ");
}

TEST_F(CompressionDialogTest, ASizeThatIsNoNumberKeepsTheDialogOpen) {
  for (const std::string text : {"abc", "", "12x", "nan", "1e99"}) {
    ScaleBox = 100;
    script.modalAnswers.push_back([&](ui::TForm& f) {
      auto& d = dynamic_cast<TForm7&>(f);
      d.LabeledEdit1->SetText(text);
      EXPECT_THROW(d.Button1Click(), std::invalid_argument) << text;
      EXPECT_TRUE(d.Showing()) << text;
      EXPECT_EQ(JpegQuality, 30) << "the quality is taken before the size";
      EXPECT_EQ(ScaleBox, 100.0f);
    });
    Form7->ShowModal();
    // Closed afterwards by its close box: a cancel.
    EXPECT_EQ(ScaleBox, 0.0f);
  }
}

TEST_F(CompressionDialogTest, TheCloseBoxCancelsLikeTheCancelButton) {
  ScaleBox = 100;
  JpegQuality = 55;
  Form7->ShowModal();  // no answer: the close box
  EXPECT_EQ(ScaleBox, 0.0f);
  EXPECT_EQ(JpegQuality, 0);
}

}  // namespace
