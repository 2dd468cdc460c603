// Pictures are held as 32-bit DIBs hold their pixels, and read and written as colours.
#include "base/bitmap32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace netscry {
namespace {

std::vector<std::uint8_t> BytesOf(const Bitmap32& b) {
  std::vector<std::uint8_t> bytes(b.Pixels().size() * 4);
  if (!bytes.empty()) std::memcpy(bytes.data(), b.Pixels().data(), bytes.size());
  return bytes;
}

TEST(Bitmap32, StoresBlueGreenRedAndZeroInMemory) {
  Bitmap32 b(2, 2, Rgb(10, 20, 30));
  b.SetPixel(1, 0, Rgb(1, 2, 3));
  b.SetPixel(0, 1, Rgb(255, 0, 128));
  EXPECT_EQ(BytesOf(b), (std::vector<std::uint8_t>{30, 20, 10, 0, 3, 2, 1, 0,  //
                                                   128, 0, 255, 0, 30, 20, 10, 0}));
  EXPECT_EQ(b.Pixel(1, 0), Rgb(1, 2, 3));
  EXPECT_EQ(b.Pixel(0, 1), Rgb(255, 0, 128));
  EXPECT_EQ(b.Pixel(1, 1), Rgb(10, 20, 30));
  EXPECT_EQ(b.Row(1), b.Pixels().data() + 2) << "rows follow each other without a gap";

  // Outside the picture: reads give 0, writes change nothing.
  const Bitmap32 before = b;
  for (Point p : {Point{-1, 0}, Point{2, 0}, Point{0, -1}, Point{0, 2}}) {
    EXPECT_EQ(b.Pixel(p.x, p.y), 0u);
    b.SetPixel(p.x, p.y, kWhite);
  }
  EXPECT_EQ(b, before);
}

TEST(Bitmap32, EveryColourComesBackAsSet) {
  const Color colours[] = {kBlack, kWhite, Rgb(1, 2, 3), Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255),
                           Rgb(0x12, 0x34, 0x56), Rgb(254, 1, 127)};
  for (Color c : colours) {
    Bitmap32 b(1, 1);
    b.SetPixel(0, 0, c);
    EXPECT_EQ(b.Pixel(0, 0), c) << std::hex << c;
    EXPECT_EQ(b, Bitmap32(1, 1, c)) << "filled and set pixels are stored alike";
  }
  // A colour with bits above the three bytes stores only its colour.
  Bitmap32 b(1, 1);
  b.SetPixel(0, 0, 0xFF000000u | Rgb(4, 5, 6));
  EXPECT_EQ(BytesOf(b), (std::vector<std::uint8_t>{6, 5, 4, 0}));
}

TEST(Bitmap32, FromDibRowsCopiesTheRowsAndClearsTheUnusedByte) {
  // Two rows of a top-down DIB, as drawing may leave them (alpha in the fourth byte).
  const std::uint8_t rows[] = {30, 20, 10, 0xFF, 3, 2, 1, 0, 0, 0, 0, 0x80, 255, 255, 255, 0};
  const Bitmap32 b = Bitmap32::FromDibRows(2, 2, rows);
  ASSERT_EQ(b.Width(), 2);
  ASSERT_EQ(b.Height(), 2);
  EXPECT_EQ(b.Pixel(0, 0), Rgb(10, 20, 30));
  EXPECT_EQ(b.Pixel(1, 0), Rgb(1, 2, 3));
  EXPECT_EQ(b.Pixel(0, 1), kBlack);
  EXPECT_EQ(b.Pixel(1, 1), kWhite);
  Bitmap32 same(2, 2, kBlack);
  same.SetPixel(0, 0, Rgb(10, 20, 30));
  same.SetPixel(1, 0, Rgb(1, 2, 3));
  same.SetPixel(1, 1, kWhite);
  EXPECT_EQ(b, same);

  EXPECT_TRUE(Bitmap32::FromDibRows(0, 5, rows).IsEmpty());
  EXPECT_TRUE(Bitmap32::FromDibRows(-1, 2, rows).IsEmpty());
}

}  // namespace
}  // namespace netscry
