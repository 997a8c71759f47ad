#pragma once
// Converts every listed file with sourceExtension (".bmp", ".jpg", ".png",
// lower case) into BMP or JPEG files in a folder the user chooses; toJpeg
// 255 makes JPEG of PNG sources. The report box is the result.
#include <string>

void ConvertImages(const std::string& sourceExtension, int toJpeg);
