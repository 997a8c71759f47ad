#pragma once
// Building the thumbnail grid from the listed files, and redrawing it from
// the cache after the file commands changed the table.
#include <functional>
#include <string>

// Loads every listed picture into its cell, cell by cell, letting window
// messages run after each file; stops at a cancel, a load failure or when
// the window is closed.
void BuildCatalog();
// Repaints the grid from the cache in the table's order; reads no file.
void RedrawCatalog();
// 1 when no cancel is pending; -1 after reporting the pending one.
int CheckCancel();
void DisableCatalogMenus();
void EnableCatalogMenus();
// Sizes the window and the white canvas for the entry count and clears the
// selection; 1 when ready, -1 when there is nothing to show (or the canvas
// cannot be had).
int PrepareCanvas();

// True when grid position k holds an entry the last build or redraw wrote.
bool IsBuiltEntry(int k);

// For tests and the benchmark: called with the full path just before each
// picture is loaded.
extern std::function<void(const std::string& path)> PictureLoadHook;
