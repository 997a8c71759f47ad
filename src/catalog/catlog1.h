#pragma once
// Process-wide state of the catalog unit: the entry and selection tables,
// counters, flags, geometry, and the compression dialog's answers.
#include <array>
#include <cstdint>
#include <string>

inline constexpr int kCatalogCapacity = 1000;

struct CatalogEntry {
  std::string Path;
  int32_t Width = 0;
  int32_t Height = 0;
  uint32_t Size = 0;
  int32_t ImageIndex = 0;
};

struct SelectionMark {
  int32_t Index = 0;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Selected = 0;
};

extern std::array<CatalogEntry, kCatalogCapacity> CatalogTable;
extern std::array<SelectionMark, kCatalogCapacity> SelectionTable;

// Selected entries: of the main list after RequireSelection, of the catalog
// while it is open.
extern int32_t SelectedCount;
extern int32_t HitX;
extern int32_t HitY;
extern int32_t LastHintIndex;
// 0 none, 255 Esc pressed, 200 the stop command.
extern int32_t CancelRequest;
// 255 while a build or redraw runs.
extern int32_t CatalogBusy;
// Grid positions the last build or redraw has written (0 .. count); the
// positions beyond count as empty.
extern int32_t BuiltCount;

extern int32_t CellPitch;
extern int32_t CellSize;
extern float ThumbBox;
extern int32_t ColumnCount;

// Answers of the compression dialog.
extern int32_t JpegQuality;
extern float ScaleBox;
