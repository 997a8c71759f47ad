#pragma once
// The thumbnail cache: equally sized cells, appended in order.
#include <vector>

#include "graphics/bitmap.h"

namespace graphics {

class ImageList {
 public:
  // Changing the cell size drops every cell.
  void SetSize(int w, int h);
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Growth step: room for n more cells is reserved at once.
  void SetAllocBy(int n) { allocBy_ = n > 0 ? n : 1; }
  void Clear() { cells_.clear(); }
  // Stores a copy of cell, cut or padded (white) to the cell size; returns its index.
  int Add(const Bitmap& cell);
  int Count() const { return static_cast<int>(cells_.size()); }
  // Draws cell index with its top left at (x, y); a bad index draws nothing.
  void Draw(Bitmap& canvas, int x, int y, int index) const;
  // Throws std::out_of_range for a bad index.
  const Bitmap& At(int index) const;

 private:
  int width_ = 16;
  int height_ = 16;
  int allocBy_ = 4;
  std::vector<Bitmap> cells_;
};

}  // namespace graphics
