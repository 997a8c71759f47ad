#include "graphics/image_list.h"

#include <stdexcept>
#include <string>

namespace graphics {

void ImageList::SetSize(int w, int h) {
  if (w < 0 || h < 0) throw PictureError("Invalid image list size");
  if (w != width_ || h != height_) cells_.clear();
  width_ = w;
  height_ = h;
}

int ImageList::Add(const Bitmap& cell) {
  Bitmap copy;
  if (cell.Width() == width_ && cell.Height() == height_) {
    copy = cell;
  } else {
    copy.SetSize(width_, height_);
    copy.Draw(0, 0, cell);
  }
  if (cells_.size() == cells_.capacity()) cells_.reserve(cells_.size() + allocBy_);
  cells_.push_back(std::move(copy));
  return static_cast<int>(cells_.size()) - 1;
}

void ImageList::Draw(Bitmap& canvas, int x, int y, int index) const {
  if (index < 0 || index >= Count()) return;
  canvas.Draw(x, y, cells_[static_cast<size_t>(index)]);
}

const Bitmap& ImageList::At(int index) const {
  if (index < 0 || index >= Count()) {
    throw std::out_of_range("Image list index out of bounds (" + std::to_string(index) + ")");
  }
  return cells_[static_cast<size_t>(index)];
}

}  // namespace graphics
