#pragma once
// Turning a picture file into a bitmap, by the loader its caller chooses.
#include <string>

#include "graphics/bitmap.h"
#include "graphics/plugin_loader.h"

// The FormatTable slot whose extension equals the name's upper-cased
// extension, or -1.
int FormatSlotOf(const std::string& path);
// The catalog builder's choice of loader by FormatTable; an unknown
// extension leaves the bitmap empty. Raises graphics::PictureError.
void LoadPictureFile(const std::string& path, graphics::Bitmap& bitmap);
// Decodes through the plug-in named by CurrentPluginPath; failures are shown
// as messages and leave the bitmap as it was.
void LoadPluginPicture(const std::string& path, graphics::Bitmap& bitmap);

// The message the user sees for a plug-in outcome; empty for the outcomes
// that pass silently (decoded, refused by the plug-in, no picture delivered).
std::string PluginStatusMessage(graphics::PluginStatus status);
