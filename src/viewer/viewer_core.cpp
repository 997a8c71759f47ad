#include "viewer/viewer_core.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "graphics/bmp_codec.h"
#include "graphics/jpeg_codec.h"
#include "graphics/plugin_loader.h"
#include "platform/dir_search.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace viewer {

namespace {

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Reads up to n bytes from the start of the file; false when it cannot be opened.
bool ReadHead(const std::string& path, unsigned char* buf, size_t n, size_t* got) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  *got = std::fread(buf, 1, n, f);
  std::fclose(f);
  return true;
}

std::vector<std::string> PluginsIn(const std::string& folder) {
  std::vector<platform::FindEntry> entries;
  platform::FindFiles(folder, entries);
  std::vector<std::string> names;
  for (const auto& e : entries) {
    if (e.directory || e.hidden) continue;
    if (EndsWith(platform::AsciiLower(e.name), ".spi")) names.push_back(e.name);
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return platform::CompareBytes(a, b) < 0; });
  return names;
}

void LoadThroughPlugins(const std::string& path, const std::string& folder, const char* what,
                        graphics::Bitmap& out) {
  const std::vector<std::string> plugins = PluginsIn(folder);
  bool refusedBroken = false;
  for (const std::string& name : plugins) {
    const graphics::PluginStatus s =
        graphics::DecodeWithPlugin(platform::JoinPath(folder, name), path, out);
    if (s == graphics::PluginStatus::Decoded) return;
    // The plug-in accepted the file but could not deliver it: it is damaged.
    if (s == graphics::PluginStatus::NoPicture) refusedBroken = true;
  }
  if (refusedBroken) throw graphics::PictureError(std::string("The ") + what + " file is damaged or not readable.");
  throw graphics::PictureError(std::string("No plug-in beside pelmo.exe reads ") + what + " files.");
}

}  // namespace

std::string PicturePathFromArgument(const std::string& argument) {
  const size_t comma = argument.rfind(',');
  if (comma == std::string::npos) return argument;
  if (!EndsWith(argument.substr(comma + 1), "pelmo.exe")) return argument;
  return argument.substr(0, comma);
}

std::string JoinArguments(const std::vector<std::string>& args) {
  std::string text;
  for (size_t i = 0; i < args.size(); ++i) {
    if (i) text += ' ';
    text += args[i];
  }
  return text;
}

PictureKind KindFromSignature(const unsigned char* d, size_t n) {
  if (n >= 2 && d[0] == 'B' && d[1] == 'M') return PictureKind::Bmp;
  if (n >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF) return PictureKind::Jpeg;
  if (n >= 8 && std::memcmp(d, "\x89PNG\r\n\x1a\n", 8) == 0) return PictureKind::Png;
  if (n >= 6 && (std::memcmp(d, "GIF87a", 6) == 0 || std::memcmp(d, "GIF89a", 6) == 0)) {
    return PictureKind::Gif;
  }
  return PictureKind::Unknown;
}

PictureKind KindFromExtension(const std::string& path) {
  const std::string name = platform::NameOf(path);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return PictureKind::Unknown;
  const std::string ext = platform::AsciiLower(name.substr(dot + 1));
  if (ext == "bmp" || ext == "dib") return PictureKind::Bmp;
  if (ext == "jpg" || ext == "jpeg" || ext == "jpe" || ext == "jfif") return PictureKind::Jpeg;
  if (ext == "png") return PictureKind::Png;
  if (ext == "gif") return PictureKind::Gif;
  return PictureKind::Unknown;
}

void LoadViewerPicture(const std::string& path, const std::string& pluginFolder,
                       graphics::Bitmap& out) {
  unsigned char head[16];
  size_t got = 0;
  platform::FindEntry entry{};
  if (platform::FindFile(path, entry) && entry.directory) {
    throw graphics::PictureError("This is a folder, not a picture file.");
  }
  if (!ReadHead(path, head, sizeof head, &got)) {
    throw graphics::PictureError("The file cannot be opened.");
  }
  PictureKind kind = KindFromSignature(head, got);
  if (kind == PictureKind::Unknown) kind = KindFromExtension(path);
  switch (kind) {
    case PictureKind::Bmp:
      graphics::LoadBmpFile(path, out);
      return;
    case PictureKind::Jpeg:
      graphics::LoadJpegFile(path, out);
      return;
    case PictureKind::Png:
      LoadThroughPlugins(path, pluginFolder, "PNG", out);
      return;
    case PictureKind::Gif:
      LoadThroughPlugins(path, pluginFolder, "GIF", out);
      return;
    case PictureKind::Unknown:
      break;
  }
  throw graphics::PictureError("This is not a picture format pelmo.exe knows (BMP, JPEG, PNG, GIF).");
}

}  // namespace viewer
