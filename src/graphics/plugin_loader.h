#pragma once
// Decoding a picture through a plug-in library, and asking a plug-in which
// format it reads. No user interface here: the caller turns the status
// into its messages.
#include <string>

#include "graphics/bitmap.h"

namespace graphics {

enum class PluginStatus {
  Decoded,           // out holds the picture
  LibraryNotLoaded,  // the library could not be loaded (empty path included)
  NoIsSupported,     // no IsSupported entry point
  NotSupported,      // IsSupported answered 0, or the picture could not be opened
  NoGetPicture,      // no GetPicture entry point
  NoPicture,         // GetPicture delivered no usable blocks; out untouched
};

// Loads the library by its full path, asks IsSupported with a read-only
// descriptor of the picture, then GetPicture; the delivered blocks are
// checked against their real allocation sizes before they are read, freed,
// and the library is released before returning. out changes only on Decoded.
PluginStatus DecodeWithPlugin(const std::string& pluginFullPath, const std::string& picturePath,
                              Bitmap& out);

// GetPluginInfo(3) of the library: the name of its first format. *loaded is
// false (and the result empty) when the library or the entry point is missing.
std::string PluginTypeName(const std::string& pluginFullPath, bool* loaded);

}  // namespace graphics
