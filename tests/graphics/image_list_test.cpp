#include "graphics/image_list.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace graphics {
namespace {

TEST(ImageListTest, AddCopiesCellsInOrder) {
  ImageList list;
  list.SetSize(4, 4);
  list.SetAllocBy(3);
  Bitmap cell(4, 4);
  for (Color c : {0x0000FFu, 0x00FF00u, 0xFF0000u, 0xC0C0C0u}) {
    cell.FillRect({0, 0, 4, 4}, c);
    const int index = list.Add(cell);
    EXPECT_EQ(index, list.Count() - 1);
  }
  cell.FillRect({0, 0, 4, 4}, 0);  // the stored cells are copies
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.At(0).PixelColor(3, 3), 0x0000FFu);
  EXPECT_EQ(list.At(2).PixelColor(0, 0), 0xFF0000u);
  EXPECT_THROW(list.At(4), std::out_of_range);
  EXPECT_THROW(list.At(-1), std::out_of_range);
}

TEST(ImageListTest, CellsAreCutOrPaddedToTheCellSize) {
  ImageList list;
  list.SetSize(3, 3);
  Bitmap big(5, 5);
  big.FillRect({0, 0, 5, 5}, 0x0000FF);
  Bitmap small(2, 1);
  small.FillRect({0, 0, 2, 1}, 0x0000FF);
  list.Add(big);
  list.Add(small);
  EXPECT_EQ(list.At(0).Width(), 3);
  EXPECT_EQ(list.At(0).PixelColor(2, 2), 0x0000FFu);
  EXPECT_EQ(list.At(1).Height(), 3);
  EXPECT_EQ(list.At(1).PixelColor(1, 0), 0x0000FFu);
  EXPECT_EQ(list.At(1).PixelColor(2, 0), 0xFFFFFFu);
}

TEST(ImageListTest, DrawPaintsTheCellOnACanvas) {
  ImageList list;
  list.SetSize(2, 2);
  Bitmap cell(2, 2);
  cell.FillRect({0, 0, 2, 2}, 0xC0C0C0);
  list.Add(cell);
  Bitmap canvas(6, 6);
  list.Draw(canvas, 3, 4, 0);
  list.Draw(canvas, 0, 0, 7);  // no such cell: nothing
  EXPECT_EQ(canvas.PixelColor(3, 4), 0xC0C0C0u);
  EXPECT_EQ(canvas.PixelColor(4, 5), 0xC0C0C0u);
  EXPECT_EQ(canvas.PixelColor(2, 4), 0xFFFFFFu);
  EXPECT_EQ(canvas.PixelColor(0, 0), 0xFFFFFFu);
}

TEST(ImageListTest, ClearAndResizeDropCells) {
  ImageList list;
  list.SetSize(2, 2);
  list.Add(Bitmap(2, 2));
  list.Add(Bitmap(2, 2));
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  list.Add(Bitmap(2, 2));
  list.SetSize(2, 2);  // same size keeps the cells
  EXPECT_EQ(list.Count(), 1);
  list.SetSize(110, 110);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Add(Bitmap(1, 1)), 0);
  EXPECT_EQ(list.At(0).Width(), 110);
}

}  // namespace
}  // namespace graphics
