#pragma once
// Size and naming arithmetic of the catalog's save and shrink commands,
// free of windows and files.
#include <string>

// Width of the saved catalog picture: whole cells of the first row only.
int CatalogSaveWidth(int cellPitch, int columnCount, int entryCount);
// The chosen path with its file name's extension (from the last ".")
// replaced by ".jpg"; a name without "." gets ".jpg" appended.
std::string CatalogSaveName(const std::string& chosenPath);

struct ShrinkSize {
  int width;
  int height;
};
// Scales width x height into a square box of side box with a 32-bit float
// scale; the products are truncated. A side that comes out below 1 pixel is
// 1. Requires a positive, finite box and positive sides.
ShrinkSize ShrinkedSize(int width, int height, float box);
// targetFolder (ending in "/"), the name without its extension, ".jpg".
std::string ShrinkOutputName(const std::string& targetFolder, const std::string& fileName);
// The report of a finished shrink.
std::string ShrinkReport(int count);
