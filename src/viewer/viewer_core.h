#pragma once
// The default viewer's work apart from its window: reading its argument and
// loading the one picture it shows.
#include <string>
#include <vector>

#include "graphics/bitmap.h"

namespace viewer {

// The picture's path from the viewer's argument. Tovra hands over
// "picture,viewer" when the viewer is pelmo.exe; since a path may itself hold
// commas, the text is split at its last comma only when what follows ends in
// "pelmo.exe".
std::string PicturePathFromArgument(const std::string& argument);

// The arguments after the program's name as one text: a path with blanks
// split by a caller's shell comes back whole.
std::string JoinArguments(const std::vector<std::string>& args);

enum class PictureKind { Unknown, Bmp, Jpeg, Png, Gif };

// By the first bytes of the file; Unknown when they are not a known signature.
PictureKind KindFromSignature(const unsigned char* data, size_t size);
// By the extension of the name, case-insensitively.
PictureKind KindFromExtension(const std::string& path);

// Loads the picture at full size: BMP and JPEG by their own loaders, PNG and
// GIF through the *.spi plug-ins of pluginFolder (in name order, the first
// that accepts the file). The content decides the loader; the extension only
// when the content is not recognised. Throws graphics::PictureError with a
// readable reason when the file cannot be shown.
void LoadViewerPicture(const std::string& path, const std::string& pluginFolder,
                       graphics::Bitmap& out);

}  // namespace viewer
