#pragma once
// The drawing surface the portable code paints through. The Windows glue implements it over a
// device context; native tests use BitmapCanvas, which draws into a Bitmap32.
#include <optional>
#include <string>
#include <string_view>

#include "base/bitmap32.h"
#include "base/color.h"
#include "base/geometry.h"

namespace netscry {

struct FontAttrs {
  std::string name = "Arial";  // face name, ANSI text
  int height = 12;             // character height in pixels (cell height with cell_height)
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  // height is the whole character cell, internal leading included (how a skin gives its fonts),
  // not the character height the other fonts are given in.
  bool cell_height = false;
  friend bool operator==(const FontAttrs&, const FontAttrs&) = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void FillRect(const Rect& r, Color c) = 0;
  virtual void SetPixel(int x, int y, Color c) = 0;
  // A one-pixel line from (x0,y0) up to but excluding (x1,y1); horizontal or vertical.
  virtual void Line(int x0, int y0, int x1, int y1, Color c) = 0;
  // A dotted one-pixel line from (x0,y0) up to but excluding (x1,y1), horizontal or vertical:
  // pixel (x, y) takes dot where x + y + phase is even and gap where it is odd, so lines drawn
  // with one phase make one checkerboard. Pixel by pixel here; a platform canvas does it in one
  // pattern operation.
  virtual void DottedLine(int x0, int y0, int x1, int y1, Color dot, Color gap, int phase) {
    if (x0 != x1 && y0 != y1) return;
    const int dx = x1 > x0 ? 1 : x1 < x0 ? -1 : 0;
    const int dy = y1 > y0 ? 1 : y1 < y0 ? -1 : 0;
    for (int x = x0, y = y0; x != x1 || y != y1; x += dx, y += dy)
      SetPixel(x, y, ((unsigned(x) + unsigned(y) + unsigned(phase)) & 1u) == 0 ? dot : gap);
  }
  // The platform's dotted focus rectangle (drawn by inverting, so drawing it twice removes it).
  virtual void DrawFocusRect(const Rect& r) = 0;
  // Copies src_rect of bmp to (x, y); pixels equal to transparent are skipped.
  virtual void DrawBitmap(const Bitmap32& bmp, const Rect& src_rect, int x, int y,
                          std::optional<Color> transparent = std::nullopt) = 0;
  // Scales src_rect of bmp into dest (nearest pixel).
  virtual void StretchBitmap(const Bitmap32& bmp, const Rect& src_rect, const Rect& dest) = 0;

  virtual void SetFont(const FontAttrs& font) = 0;
  // Width and height in pixels of ANSI (code page 936) text in the current font.
  virtual Size TextExtent(std::string_view ansi_text) = 0;
  // Draws text with its top-left at (x, y), clipped to clip.
  virtual void TextOut(int x, int y, std::string_view ansi_text, Color c, const Rect& clip) = 0;

  int TextWidth(std::string_view ansi_text) { return TextExtent(ansi_text).cx; }
};

}  // namespace netscry
