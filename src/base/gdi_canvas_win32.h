#pragma once
// The Canvas over a GDI device context. Text arrives as ANSI (code page 936) bytes and is drawn
// as wide text; fonts and the dotted lines' pattern brushes are created on first use and kept
// until the canvas goes, so a canvas kept over a kept surface makes them once. An origin lets
// portable code paint in its own coordinates into part of a window or off-screen bitmap: the
// point (x, y) lands at device point (x + origin_x, y + origin_y). The DC's state is restored
// when the canvas goes.
#include <windows.h>

#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "base/canvas.h"

namespace netscry {

class GdiCanvas : public Canvas {
 public:
  explicit GdiCanvas(HDC dc, int origin_x = 0, int origin_y = 0);
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  void FillRect(const Rect& r, Color c) override;
  void SetPixel(int x, int y, Color c) override;
  void Line(int x0, int y0, int x1, int y1, Color c) override;
  void DottedLine(int x0, int y0, int x1, int y1, Color dot, Color gap, int phase) override;
  void DrawFocusRect(const Rect& r) override;
  void DrawBitmap(const Bitmap32& bmp, const Rect& src_rect, int x, int y,
                  std::optional<Color> transparent = std::nullopt) override;
  void StretchBitmap(const Bitmap32& bmp, const Rect& src_rect, const Rect& dest) override;
  void SetFont(const FontAttrs& font) override;
  Size TextExtent(std::string_view ansi_text) override;
  void TextOut(int x, int y, std::string_view ansi_text, Color c, const Rect& clip) override;

  HDC Dc() const { return dc_; }
  int OriginX() const { return origin_x_; }
  int OriginY() const { return origin_y_; }

 private:
  using FontKey = std::tuple<std::string, int, bool, bool, bool, bool, bool>;
  // A checkerboard brush: even_color where device x + device y is even, odd_color elsewhere.
  HBRUSH CheckerBrush(Color even_color, Color odd_color);

  HDC dc_;
  int saved_state_;
  int origin_x_;
  int origin_y_;
  POINT device_origin_{};  // where logical (0, 0) lies on the device
  std::map<FontKey, HFONT> fonts_;
  std::map<std::pair<Color, Color>, HBRUSH> checker_brushes_;
};

// ANSI (system code page) text as UTF-16.
std::wstring WideFromAnsi(std::string_view ansi_text);

}  // namespace netscry
