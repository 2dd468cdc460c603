#include "base/bitmap32.h"

namespace netscry {

Bitmap32::Bitmap32(int width, int height, Color fill)
    : width_(width > 0 && height > 0 ? width : 0),
      height_(width > 0 && height > 0 ? height : 0),
      pixels_(std::size_t(width_) * std::size_t(height_), fill) {}

Color Bitmap32::Pixel(int x, int y) const {
  return InBounds(x, y) ? Row(y)[x] : 0;
}

void Bitmap32::SetPixel(int x, int y, Color c) {
  if (InBounds(x, y)) Row(y)[x] = c;
}

}  // namespace netscry
