#include "base/bitmap32.h"

#include <cstring>

namespace netscry {

Bitmap32::Bitmap32(int width, int height, Color fill)
    : width_(width > 0 && height > 0 ? width : 0),
      height_(width > 0 && height > 0 ? height : 0),
      pixels_(std::size_t(width_) * std::size_t(height_), DibPixelOf(fill)) {}

Bitmap32 Bitmap32::FromDibRows(int width, int height, const void* rows) {
  Bitmap32 out(width, height);
  if (out.pixels_.empty() || rows == nullptr) return out;
  std::memcpy(out.pixels_.data(), rows, out.pixels_.size() * sizeof(DibPixel));
  for (DibPixel& p : out.pixels_) p = DibPixel(std::uint32_t(p) & 0x00FFFFFFu);
  return out;
}

Color Bitmap32::Pixel(int x, int y) const {
  return InBounds(x, y) ? ColorOfDibPixel(Row(y)[x]) : 0;
}

void Bitmap32::SetPixel(int x, int y, Color c) {
  if (InBounds(x, y)) Row(y)[x] = DibPixelOf(c);
}

}  // namespace netscry
