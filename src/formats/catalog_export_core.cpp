#include "formats/catalog_export_core.h"

#include <climits>
#include <cmath>

#include "platform/paths.h"

int CatalogSaveWidth(int cellPitch, int columnCount, int entryCount) {
  return entryCount < columnCount ? cellPitch * entryCount : cellPitch * columnCount;
}

namespace {

std::string WithoutExtension(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

// Truncated toward zero, kept within 1 .. INT_MAX.
int SideOf(double exact) {
  if (!(exact >= 1.0)) return 1;
  if (exact >= static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(exact);
}

}  // namespace

std::string CatalogSaveName(const std::string& chosenPath) {
  const std::string name = platform::NameOf(chosenPath);
  const std::string folderPart = chosenPath.substr(0, chosenPath.size() - name.size());
  return folderPart + WithoutExtension(name) + ".jpg";
}

ShrinkSize ShrinkedSize(int width, int height, float box) {
  // The quotient is rounded to a 32-bit float, as the catalog's scale is;
  // the products with it are exact in double.
  const double b = box;
  const float scale = width > height ? static_cast<float>(b / width) : static_cast<float>(b / height);
  const double s = scale;
  return {SideOf(s * width), SideOf(s * height)};
}

std::string ShrinkOutputName(const std::string& targetFolder, const std::string& fileName) {
  return targetFolder + WithoutExtension(fileName) + ".jpg";
}

std::string ShrinkReport(int count) {
  return "選択された" + std::to_string(count) + " ファイル を縮小しＳａｖｅ　しました";
}
