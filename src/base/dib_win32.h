#pragma once
// A 32-bit top-down DIB section selected into its own memory DC: the off-screen surface that
// painting goes through, and whose pixels tests read back.
#include <windows.h>

#include "base/bitmap32.h"

namespace netscry {

class Dib32 {
 public:
  Dib32(int width, int height);
  ~Dib32();
  Dib32(const Dib32&) = delete;
  Dib32& operator=(const Dib32&) = delete;

  bool Valid() const { return dc_ != nullptr && bits_ != nullptr; }
  HDC Dc() const { return dc_; }
  HBITMAP Bitmap() const { return bitmap_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The pixels as colours (0x00BBGGRR); GDI must be flushed first, which this does.
  Bitmap32 ToBitmap32() const;
  Color Pixel(int x, int y) const;

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  std::uint32_t* bits_ = nullptr;  // 0x00RRGGBB per pixel, top row first
};

// The layout GDI wants for a top-down 32-bit picture of the given size.
BITMAPINFO TopDown32BitInfo(int width, int height);
// Converts between our colour order and a 32-bit DIB pixel.
constexpr std::uint32_t DibPixelOf(Color c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
constexpr Color ColorOfDibPixel(std::uint32_t p) { return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF); }

}  // namespace netscry
