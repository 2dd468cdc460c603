#pragma once
// A 32-bit top-down DIB section selected into its own memory DC: the off-screen surface that
// painting goes through, and whose pixels tests read back.
#include <windows.h>

#include "base/bitmap32.h"

namespace netscry {

class Dib32 {
 public:
  Dib32(int width, int height);
  // A surface holding a copy of the picture: the rows are copied as they are, the orders being
  // the same. An empty picture gives the 1 × 1 black surface.
  explicit Dib32(const Bitmap32& picture);
  ~Dib32();
  Dib32(const Dib32&) = delete;
  Dib32& operator=(const Dib32&) = delete;

  bool Valid() const { return dc_ != nullptr && bits_ != nullptr; }
  HDC Dc() const { return dc_; }
  HBITMAP Bitmap() const { return bitmap_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The pixels as a picture (a copy of the rows) and one pixel as a colour; GDI must be flushed
  // first, which these do.
  Bitmap32 ToBitmap32() const;
  Color Pixel(int x, int y) const;

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  DibPixel* bits_ = nullptr;  // top row first
};

// The layout GDI wants for a top-down 32-bit picture of the given size: a Bitmap32's rows.
BITMAPINFO TopDown32BitInfo(int width, int height);

}  // namespace netscry
