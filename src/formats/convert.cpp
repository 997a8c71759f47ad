// Converting every listed picture of one format into BMP or JPEG files.
#include "formats/convert.h"

#include "app/startup.h"
#include "app/tovra1.h"
#include "browser/file_list.h"
#include "catalog/catlog1.h"
#include "formats/convert_core.h"
#include "formats/picture_loading.h"
#include "forms/form1.h"
#include "forms/form5.h"
#include "forms/form7.h"
#include "graphics/bmp_codec.h"
#include "graphics/jpeg_codec.h"
#include "ui/dialogs.h"
#include "ui/form.h"

namespace {

void SaveAsJpeg(const graphics::Bitmap& bmp, const std::string& path) {
  graphics::JpegImage jpeg;
  jpeg.Assign(bmp);
  jpeg.CompressionQuality = JpegQuality;
  jpeg.Compress();
  jpeg.SaveToFile(path);
}

}  // namespace

void ConvertImages(const std::string& sourceExtension, int toJpeg) {
  if (ImageFileCount == 0) return;
  ScaleBox = 0;
  DialogTarget.clear();
  Form5->ShowModal();
  if (DialogTarget.empty()) return;
  const bool jpegResult = ConversionWritesJpeg(sourceExtension, toJpeg);
  if (jpegResult) {
    Form7->ShowModal();
    if (JpegQuality == 0) return;
  }

  int count = 0;
  {
    ui::HourglassCursor hourglass;
    const int total = ImageFileCount;
    for (int i = 0; i < total; ++i) {
      const std::string name = ImageFileList[i].FileName;
      if (!HasSourceExtension(name, sourceExtension)) continue;
      const std::string source = MakeFullPath(name);
      const std::string output = ConvertOutputName(DialogTarget, name, jpegResult);
      graphics::Bitmap bmp;
      if (sourceExtension == ".jpg") {
        graphics::LoadJpegFile(source, bmp);
      } else if (sourceExtension == ".bmp") {
        graphics::LoadBmpFile(source, bmp);
      } else {
        CurrentPluginPath = FormatTable[2].PluginFile;
        LoadPluginPicture(source, bmp);
        // A picture its plug-in did not decode is neither written nor
        // counted: an empty output would be a failure reported as success.
        if (bmp.Empty()) continue;
      }
      if (jpegResult) {
        SaveAsJpeg(bmp, output);
      } else {
        bmp.SetFormat(graphics::PixelFormat::Bpp24);
        graphics::SaveBmpFile(output, bmp);
      }
      ++count;
    }
  }
  RefreshFileList();
  ui::MessageBox(ConversionReport(count), "報告", ui::MB_OK);
}

void TForm1::N7Click() { ConvertImages(".bmp", 0); }
void TForm1::N8Click() { ConvertImages(".jpg", 0); }
void TForm1::PNGBMP1Click() { ConvertImages(".png", 0); }
void TForm1::PNGJPG1Click() { ConvertImages(".png", 255); }
