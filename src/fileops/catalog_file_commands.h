#pragma once
// The catalog's copy, move, rename and delete of its selected thumbnails.
#include <cstdint>

#include "fileops/copy_move_delete.h"

// Runs CatalogProcessEntry on every selected entry in grid order; returns
// how many succeeded.
int32_t CatalogProcessSelection(FileOperation op);
// Acts on the entry under (HitX, HitY): 0 done, -1 failed (reported),
// -255 no built entry there.
int32_t CatalogProcessEntry(FileOperation op);
// Serial rename of entry k: 1 renamed; -1 failed, out of numbers, or the
// file already bears its name (the series stops).
int32_t CatalogRenameWithSerial(int k);
// Closes up the table over entries whose Path was emptied, keeping order and
// ImageIndex; the entry count becomes the number kept. Positions the last
// build did not write count as empty.
void CompactCatalog();
// Orders the built entries by Path, unsigned bytes.
void SortCatalogByPath();
void WarnNoSelection();
