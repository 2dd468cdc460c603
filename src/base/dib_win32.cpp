#include "base/dib_win32.h"

#include <cstring>

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
  bits_ = static_cast<DibPixel*>(bits);
  old_bitmap_ = SelectObject(dc_, bitmap_);
}

Dib32::Dib32(const Bitmap32& picture) : Dib32(picture.Width(), picture.Height()) {
  // Nothing has drawn on the new section yet, so its bits can be written without a flush.
  if (Valid() && !picture.IsEmpty()) {
    std::memcpy(bits_, picture.Pixels().data(), picture.Pixels().size() * sizeof(DibPixel));
  }
}

Dib32::~Dib32() {
  if (dc_ && old_bitmap_) SelectObject(dc_, old_bitmap_);
  if (dc_) DeleteDC(dc_);
  if (bitmap_) DeleteObject(bitmap_);
}

Bitmap32 Dib32::ToBitmap32() const {
  if (!Valid()) return Bitmap32(width_, height_);
  GdiFlush();
  return Bitmap32::FromDibRows(width_, height_, bits_);
}

Color Dib32::Pixel(int x, int y) const {
  if (!Valid() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  GdiFlush();
  return ColorOfDibPixel(bits_[std::size_t(y) * std::size_t(width_) + std::size_t(x)]);
}

}  // namespace netscry
