#pragma once
// Naming rules of the format conversion, free of windows and files.
#include <string>

// True when the name's extension (the text from its last "."), lower-cased,
// equals sourceExtension (".bmp", ".jpg" or ".png").
bool HasSourceExtension(const std::string& fileName, const std::string& sourceExtension);
// True when the command writes JPEG: a ".bmp" source, or a ".png" source
// with toJpeg 255.
bool ConversionWritesJpeg(const std::string& sourceExtension, int toJpeg);
// targetFolder (ending in "/"), the name without its extension, and ".jpg"
// or ".bmp" in lower case. The name must carry the source extension.
std::string ConvertOutputName(const std::string& targetFolder, const std::string& fileName,
                              bool jpegResult);
// The report of a finished conversion.
std::string ConversionReport(int count);
