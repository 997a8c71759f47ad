#include "graphics/plugin_loader.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "graphics/dib.h"
#include "plugins/spi.h"

namespace graphics {

namespace {

class Library {
 public:
  explicit Library(const std::string& path)
      : handle_(path.empty() ? nullptr : ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {}
  ~Library() {
    if (handle_) ::dlclose(handle_);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  bool loaded() const { return handle_ != nullptr; }
  void* symbol(const char* name) const { return handle_ ? ::dlsym(handle_, name) : nullptr; }

 private:
  void* handle_;
};

// Takes over a block the plug-in allocated with malloc.
struct Block {
  void* p = nullptr;
  ~Block() { std::free(p); }
  size_t usable() const { return p ? ::malloc_usable_size(p) : 0; }
};

}  // namespace

PluginStatus DecodeWithPlugin(const std::string& pluginFullPath, const std::string& picturePath,
                              Bitmap& out) {
  Library lib(pluginFullPath);
  if (!lib.loaded()) return PluginStatus::LibraryNotLoaded;
  auto isSupported = reinterpret_cast<IsSupportedFunc>(lib.symbol("IsSupported"));
  if (!isSupported) return PluginStatus::NoIsSupported;
  const int fd = ::open(picturePath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return PluginStatus::NotSupported;
  const int answer = isSupported(picturePath.c_str(), fd);
  ::close(fd);
  if (answer == 0) return PluginStatus::NotSupported;
  auto getPicture = reinterpret_cast<GetPictureFunc>(lib.symbol("GetPicture"));
  if (!getPicture) return PluginStatus::NoGetPicture;
  // The blocks are freed before the library is released (declared after it).
  Block info, bits;
  getPicture(picturePath.c_str(), 0, 0, &info.p, &bits.p, nullptr, 0);
  if (!info.p || !bits.p) return PluginStatus::NoPicture;
  // The header can only be trusted as far as the blocks really reach.
  const size_t infoSize = info.usable();
  const size_t bitsSize = bits.usable();
  if (!DibToBitmap(static_cast<const uint8_t*>(info.p), infoSize,
                   static_cast<const uint8_t*>(bits.p), bitsSize, out)) {
    return PluginStatus::NoPicture;
  }
  return PluginStatus::Decoded;
}

std::string PluginTypeName(const std::string& pluginFullPath, bool* loaded) {
  if (loaded) *loaded = false;
  Library lib(pluginFullPath);
  auto info = reinterpret_cast<GetPluginInfoFunc>(lib.symbol("GetPluginInfo"));
  if (!info) return std::string();
  if (loaded) *loaded = true;
  char buf[80];
  std::memset(buf, 0, sizeof buf);
  info(3, buf, static_cast<int>(sizeof buf));
  buf[sizeof buf - 1] = '\0';
  return std::string(buf);
}

}  // namespace graphics
