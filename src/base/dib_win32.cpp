#include "base/dib_win32.h"

namespace netscry {

BITMAPINFO TopDown32BitInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: the first row in memory is the top row
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

Dib32::Dib32(int width, int height) : width_(width > 0 ? width : 1), height_(height > 0 ? height : 1) {
  const BITMAPINFO info = TopDown32BitInfo(width_, height_);
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  dc_ = CreateCompatibleDC(nullptr);
  if (!bitmap_ || !dc_ || !bits) return;
  bits_ = static_cast<std::uint32_t*>(bits);
  old_bitmap_ = SelectObject(dc_, bitmap_);
}

Dib32::~Dib32() {
  if (dc_ && old_bitmap_) SelectObject(dc_, old_bitmap_);
  if (dc_) DeleteDC(dc_);
  if (bitmap_) DeleteObject(bitmap_);
}

Bitmap32 Dib32::ToBitmap32() const {
  Bitmap32 out(width_, height_);
  if (!Valid()) return out;
  GdiFlush();
  for (int y = 0; y < height_; ++y) {
    const std::uint32_t* row = bits_ + std::size_t(y) * std::size_t(width_);
    for (int x = 0; x < width_; ++x) out.Row(y)[x] = ColorOfDibPixel(row[x]);
  }
  return out;
}

Color Dib32::Pixel(int x, int y) const {
  if (!Valid() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  GdiFlush();
  return ColorOfDibPixel(bits_[std::size_t(y) * std::size_t(width_) + std::size_t(x)]);
}

}  // namespace netscry
