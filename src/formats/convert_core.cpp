#include "formats/convert_core.h"

#include "platform/text.h"

bool HasSourceExtension(const std::string& fileName, const std::string& sourceExtension) {
  const size_t dot = fileName.rfind('.');
  if (dot == std::string::npos) return false;
  return platform::AsciiLower(fileName.substr(dot)) == sourceExtension;
}

bool ConversionWritesJpeg(const std::string& sourceExtension, int toJpeg) {
  return sourceExtension == ".bmp" || (sourceExtension == ".png" && toJpeg == 255);
}

std::string ConvertOutputName(const std::string& targetFolder, const std::string& fileName,
                              bool jpegResult) {
  // Every source extension is four characters long.
  const std::string base = fileName.size() >= 4 ? fileName.substr(0, fileName.size() - 4) : "";
  return targetFolder + base + (jpegResult ? ".jpg" : ".bmp");
}

std::string ConversionReport(int count) {
  if (count == 0) return "変換するＦｉｌｅがありませんでした";
  return std::to_string(count) + "　Ｆｉｌｅを変換しました";
}
