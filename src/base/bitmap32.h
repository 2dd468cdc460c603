#pragma once
// A plain 32-bit picture held as one Color (0x00BBGGRR) per pixel, top row first.
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

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool IsEmpty() const { return width_ == 0 || height_ == 0; }
  Rect Bounds() const { return {0, 0, width_, height_}; }

  // Reads outside the picture give 0; writes outside are ignored.
  Color Pixel(int x, int y) const;
  void SetPixel(int x, int y, Color c);
  bool InBounds(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  Color* Row(int y) { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
  const Color* Row(int y) const { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
  const std::vector<Color>& Pixels() const { return pixels_; }

  friend bool operator==(const Bitmap32&, const Bitmap32&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Color> pixels_;
};

}  // namespace netscry
