#pragma once
// Shared by the conversion and export window tests: pictures made on the
// spot, and scripted answers for the destination and compression dialogs.
#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "app/tovra1.h"
#include "forms/form7.h"
#include "graphics/bitmap.h"
#include "graphics/bmp_codec.h"
#include "graphics/jpeg_codec.h"
#include "platform/paths.h"
#include "support/temp_dir.h"
#include "support/windows_fixture.h"
#include "ui/form.h"

namespace exporttest {

// Left half red, right half blue, so scaled copies can be told apart.
inline graphics::Bitmap SplitPicture(int w, int h) {
  graphics::Bitmap b(w, h);
  b.FillRect({0, 0, w / 2, h}, 0x0000FF);
  b.FillRect({w / 2, 0, w, h}, 0xFF0000);
  return b;
}

inline void WriteBmp(const std::string& path, int w, int h) {
  graphics::SaveBmpFile(path, SplitPicture(w, h));
}
inline void WriteJpeg(const std::string& path, int w, int h) {
  graphics::SaveJpegFile(path, SplitPicture(w, h), 90);
}
inline void WritePng(const std::string& path, int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(QColor(0, 200, 0));
  ASSERT_TRUE(img.save(QString::fromStdString(path), "PNG"));
}

// The destination dialog answered with a folder.
inline std::function<void(ui::TForm&)> ChooseFolder(const std::string& folder) {
  return [folder](ui::TForm& f) {
    DialogTarget = folder + "/";
    f.SetModalResult(ui::mrOk);
    f.Close();
  };
}

// The compression dialog answered with OK, after moving the track bar when
// quality is not 0 and typing a size when size is not empty.
inline std::function<void(ui::TForm&)> Compression(int quality = 0, const std::string& size = "") {
  return [quality, size](ui::TForm& f) {
    auto& d = dynamic_cast<TForm7&>(f);
    if (quality != 0) d.TrackBar1->setValue(quality);
    if (!size.empty()) d.LabeledEdit1->SetText(size);
    d.Button1Click();
  };
}

// Bits per pixel recorded in a BMP file's header.
inline int BmpBitCount(const std::string& path) {
  const std::string bytes = testsupport::ReadFile(path);
  if (bytes.size() < 30 || bytes.compare(0, 2, "BM") != 0) return -1;
  return static_cast<unsigned char>(bytes[28]) | (static_cast<unsigned char>(bytes[29]) << 8);
}

inline bool IsJpegFile(const std::string& path) {
  const std::string bytes = testsupport::ReadFile(path);
  return bytes.size() > 4 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
         static_cast<unsigned char>(bytes[1]) == 0xD8;
}

// Window tests whose plug-ins are the ones built beside the program.
class PictureWindowsTest : public testsupport::WindowsTest {
 protected:
  void SetUp() override {
    platform::SetExecutablePathForTesting(std::string(TOVRA_BIN_DIR) + "/tovra");
    testsupport::WindowsTest::SetUp();
    Form1->Activate();  // plug-in discovery from the folder above
  }
  void TearDown() override {
    testsupport::WindowsTest::TearDown();
    platform::SetExecutablePathForTesting("");
  }
};

}  // namespace exporttest
