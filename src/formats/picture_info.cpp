#include "formats/picture_info.h"

#include <cstdio>

#include "app/tovra1.h"
#include "browser/file_list.h"
#include "forms/form6.h"
#include "formats/picture_loading.h"
#include "platform/dir_search.h"
#include "ui/components.h"

void FormatFileSize(uint32_t bytes) { ByteCountText = GroupedDigits(bytes) + " Byte"; }

std::string PixelFormatText(graphics::PixelFormat format) {
  using graphics::PixelFormat;
  switch (format) {
    case PixelFormat::Device: return "pfDevice";
    case PixelFormat::Bpp1: return "1Bit";
    case PixelFormat::Bpp4: return "4Bit";
    case PixelFormat::Bpp8: return "8Bit";
    case PixelFormat::Bpp15: return "15Bit";
    case PixelFormat::Bpp16: return "16Bit";
    case PixelFormat::Bpp24: return "24Bit";
    case PixelFormat::Bpp32: return "32Bit";
    case PixelFormat::Custom: return "pfCustom";
  }
  return "pfCustom";
}

PictureDescription DescribePicture(const std::string& path) {
  PictureDescription d;
  d.path = path;
  platform::FindEntry entry{};
  if (platform::FindFile(path, entry) && !entry.directory) {
    FormatFileSize(entry.size);
    d.sizeText = ByteCountText;
  }
  graphics::Bitmap bitmap;
  try {
    LoadPictureFile(path, bitmap);
  } catch (const graphics::PictureError& e) {
    d.error = e.what();
    return d;
  }
  if (bitmap.Empty()) return d;
  d.dimensions = std::to_string(bitmap.Width()) + "*" + std::to_string(bitmap.Height());
  d.colorText = PixelFormatText(bitmap.Format());
  return d;
}

void TForm6::FormActivate() {
  const PictureDescription d = DescribePicture(CurrentFilePath);
  Label2->setText(ui::Q(d.path));
  Label4->setText(ui::Q(d.dimensions));
  Label6->setText(ui::Q(d.sizeText));
  Label8->setText(ui::Q(d.colorText));
  // The guard around the activation shows the reason in a message box.
  if (!d.error.empty()) throw graphics::PictureError(d.error);
}

void TForm6::Button1Click() {
  SetModalResult(ui::mrOk);
  Close();
}
