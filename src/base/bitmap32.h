#pragma once
// A plain 32-bit picture, held exactly as a top-down 32-bit DIB holds its pixels: one DibPixel
// (bytes blue, green, red, 0) per pixel, top row first, rows one after another without a gap.
// The buffer goes to the platform's DIB functions as it is.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/color.h"
#include "base/geometry.h"

namespace netscry {

class Bitmap32 {
 public:
  Bitmap32() = default;
  // Negative sizes are treated as 0.
  Bitmap32(int width, int height, Color fill = kBlack);
  // A copy of the rows of a top-down 32-bit DIB of this size (width × height pixels, no gap
  // between rows). The byte a DIB leaves unused is cleared: drawing on a DIB may leave alpha
  // there, and equal colours must give equal pixels.
  static Bitmap32 FromDibRows(int width, int height, const void* rows);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool IsEmpty() const { return width_ == 0 || height_ == 0; }
  Rect Bounds() const { return {0, 0, width_, height_}; }

  // Colours, converted from and to the stored order. Reads outside the picture give 0; writes
  // outside are ignored.
  Color Pixel(int x, int y) const;
  void SetPixel(int x, int y, Color c);
  bool InBounds(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  // The stored pixels of row y (0 ≤ y < Height()), in DIB order; whoever reads them as colours
  // converts with ColorOfDibPixel, whoever writes keeps the unused byte 0.
  DibPixel* Row(int y) { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
  const DibPixel* Row(int y) const { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
  // Every stored pixel, row after row: the bits of a top-down 32-bit DIB of Width() × Height().
  const std::vector<DibPixel>& Pixels() const { return pixels_; }

  friend bool operator==(const Bitmap32&, const Bitmap32&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<DibPixel> pixels_;
};

}  // namespace netscry
