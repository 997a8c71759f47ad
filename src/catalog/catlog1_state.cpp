#include "catalog/catlog1.h"

std::array<CatalogEntry, kCatalogCapacity> CatalogTable;
std::array<SelectionMark, kCatalogCapacity> SelectionTable;
int32_t SelectedCount = 0;
int32_t HitX = 0;
int32_t HitY = 0;
int32_t LastHintIndex = -1;
int32_t CancelRequest = 0;
int32_t CatalogBusy = 0;
int32_t BuiltCount = 0;
int32_t CellPitch = 110;
int32_t CellSize = 106;
float ThumbBox = 100.0f;
int32_t ColumnCount = 8;
int32_t JpegQuality = 0;
float ScaleBox = 0.0f;
