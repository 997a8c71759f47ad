#include "formats/picture_loading.h"

#include "app/tovra1.h"
#include "graphics/bmp_codec.h"
#include "graphics/jpeg_codec.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "ui/dialogs.h"

namespace {

// From the last dot of the file name (not of a folder) to its end.
std::string UpperExtension(const std::string& path) {
  const std::string name = platform::NameOf(path);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return std::string();
  return platform::AsciiUpper(name.substr(dot));
}

}  // namespace

int FormatSlotOf(const std::string& path) {
  const std::string ext = UpperExtension(path);
  if (ext.empty()) return -1;
  for (size_t i = 0; i < FormatTable.size(); ++i) {
    if (!FormatTable[i].Extension.empty() && FormatTable[i].Extension == ext) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

void LoadPictureFile(const std::string& path, graphics::Bitmap& bitmap) {
  const int slot = FormatSlotOf(path);
  if (slot < 0) return;
  if (slot == 0) {
    graphics::LoadBmpFile(path, bitmap);
  } else if (slot == 1) {
    // Full size, straight into the bitmap: no second copy of a large photo.
    graphics::LoadJpegFile(path, bitmap);
  } else {
    CurrentPluginPath = FormatTable[static_cast<size_t>(slot)].PluginFile;
    LoadPluginPicture(path, bitmap);
  }
}

std::string PluginStatusMessage(graphics::PluginStatus status) {
  switch (status) {
    case graphics::PluginStatus::LibraryNotLoaded:
      // Whatever plug-in was asked for, the text has always named this one.
      return "InPng.spiが見つかりません";
    case graphics::PluginStatus::NoIsSupported:
      return "サポ－トしていないＦｏｒｍａｔのようです";
    case graphics::PluginStatus::NoGetPicture:
      return "ＧｅｔＰｉｃｔｕｒｅが見つかりません";
    case graphics::PluginStatus::Decoded:
    case graphics::PluginStatus::NotSupported:
    case graphics::PluginStatus::NoPicture:
      break;
  }
  return std::string();
}

void LoadPluginPicture(const std::string& path, graphics::Bitmap& bitmap) {
  // Only a bare name is ever looked up, and only beside the executable.
  const std::string& name = CurrentPluginPath;
  const bool bare = !name.empty() && name.find('/') == std::string::npos;
  const std::string library = bare ? platform::JoinPath(platform::ExecutableFolder(), name) : std::string();
  // A plug-in that delivers nothing usable leaves the bitmap as it was,
  // without a message, like one that refuses the file.
  const graphics::PluginStatus status = graphics::DecodeWithPlugin(library, path, bitmap);
  const std::string message = PluginStatusMessage(status);
  if (!message.empty()) ui::ShowMessage(message);
}
