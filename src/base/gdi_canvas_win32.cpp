#include "base/gdi_canvas_win32.h"

#include <algorithm>

#include "base/dib_win32.h"

namespace netscry {

std::wstring WideFromAnsi(std::string_view ansi_text) {
  if (ansi_text.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, ansi_text.data(), int(ansi_text.size()), nullptr, 0);
  std::wstring wide(std::size_t(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, ansi_text.data(), int(ansi_text.size()), wide.data(), n);
  return wide;
}

namespace {

RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

// Copies the part src of a picture onto dc at (x, y), straight from the picture's rows: they are
// handed to GDI as a top-down DIB as wide as the picture and as tall as src, starting at src's
// top row, so that only the column offset is left to GDI.
void SetPictureBits(HDC dc, int x, int y, const Bitmap32& bmp, const Rect& src) {
  const BITMAPINFO info = TopDown32BitInfo(bmp.Width(), src.Height());
  SetDIBitsToDevice(dc, x, y, DWORD(src.Width()), DWORD(src.Height()), src.left, 0, 0, UINT(src.Height()),
                    bmp.Row(src.top), &info, DIB_RGB_COLORS);
}

}  // namespace

GdiCanvas::GdiCanvas(HDC dc, int origin_x, int origin_y)
    : dc_(dc), saved_state_(SaveDC(dc)), origin_x_(origin_x), origin_y_(origin_y) {
  if (origin_x || origin_y) OffsetViewportOrgEx(dc_, origin_x, origin_y, nullptr);
  // Patterns are laid on device pixels from the brush origin: keep that at the device's corner.
  SetBrushOrgEx(dc_, 0, 0, nullptr);
  LPtoDP(dc_, &device_origin_, 1);
}

GdiCanvas::~GdiCanvas() {
  if (saved_state_) {
    RestoreDC(dc_, saved_state_);
  } else {
    // Our fonts and brushes cannot be deleted while selected.
    SelectObject(dc_, GetStockObject(SYSTEM_FONT));
    SelectObject(dc_, GetStockObject(WHITE_BRUSH));
  }
  for (auto& [key, font] : fonts_) DeleteObject(font);
  for (auto& [key, brush] : checker_brushes_) DeleteObject(brush);
}

HBRUSH GdiCanvas::CheckerBrush(Color even_color, Color odd_color) {
  HBRUSH& brush = checker_brushes_[{even_color, odd_color}];
  if (brush) return brush;
  // A packed top-down DIB of 8 × 8 pixels, the size every platform takes for a pattern.
  struct {
    BITMAPINFOHEADER header;
    DibPixel pixels[8 * 8];
  } packed{};
  packed.header = TopDown32BitInfo(8, 8).bmiHeader;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) packed.pixels[y * 8 + x] = DibPixelOf(((x + y) & 1) == 0 ? even_color : odd_color);
  }
  brush = CreateDIBPatternBrushPt(&packed, DIB_RGB_COLORS);
  return brush;
}

void GdiCanvas::DottedLine(int x0, int y0, int x1, int y1, Color dot, Color gap, int phase) {
  if ((x0 != x1 && y0 != y1) || (x0 == x1 && y0 == y1)) return;
  // The pixels from the first point up to but excluding the last, either way, as a rectangle.
  const Rect r = x0 == x1 ? Rect{x0, std::min(y0, y1 + 1), x0 + 1, std::max(y0 + 1, y1)}
                          : Rect{std::min(x0, x1 + 1), y0, std::max(x0 + 1, x1), y0 + 1};
  // Logical x + y + phase is even where device x + y − (origin x + origin y) + phase is.
  const unsigned shift = unsigned(device_origin_.x) + unsigned(device_origin_.y) - unsigned(phase);
  const bool dot_on_even = (shift & 1u) == 0;
  HBRUSH brush = dot_on_even ? CheckerBrush(dot, gap) : CheckerBrush(gap, dot);
  if (!brush) {
    Canvas::DottedLine(x0, y0, x1, y1, dot, gap, phase);
    return;
  }
  SelectObject(dc_, brush);
  PatBlt(dc_, r.left, r.top, r.Width(), r.Height(), PATCOPY);
}

void GdiCanvas::FillRect(const Rect& r, Color c) {
  if (r.IsEmpty()) return;
  const RECT rc = ToRECT(r);
  SetBkColor(dc_, c);
  ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

void GdiCanvas::SetPixel(int x, int y, Color c) { SetPixelV(dc_, x, y, c); }

void GdiCanvas::Line(int x0, int y0, int x1, int y1, Color c) {
  SelectObject(dc_, GetStockObject(DC_PEN));
  SetDCPenColor(dc_, c);
  MoveToEx(dc_, x0, y0, nullptr);
  LineTo(dc_, x1, y1);
}

void GdiCanvas::DrawFocusRect(const Rect& r) {
  // The dotted pattern inverts only with the default colours.
  SetTextColor(dc_, RGB(0, 0, 0));
  SetBkColor(dc_, RGB(255, 255, 255));
  const RECT rc = ToRECT(r);
  ::DrawFocusRect(dc_, &rc);
}

void GdiCanvas::DrawBitmap(const Bitmap32& bmp, const Rect& src_rect, int x, int y, std::optional<Color> transparent) {
  const Rect src = src_rect.Intersect(bmp.Bounds());
  if (src.IsEmpty()) return;
  const int dx = x + (src.left - src_rect.left), dy = y + (src.top - src_rect.top);
  if (!transparent) {
    SetPictureBits(dc_, dx, dy, bmp, src);
    return;
  }
  // The platform leaves out the transparent colour only when copying between device contexts.
  Dib32 temp(src.Width(), src.Height());
  if (!temp.Valid()) return;
  SetPictureBits(temp.Dc(), 0, 0, bmp, src);
  GdiTransparentBlt(dc_, dx, dy, src.Width(), src.Height(), temp.Dc(), 0, 0, src.Width(), src.Height(), *transparent);
}

void GdiCanvas::StretchBitmap(const Bitmap32& bmp, const Rect& src_rect, const Rect& dest) {
  const Rect src = src_rect.Intersect(bmp.Bounds());
  // A source partly outside the picture has no sound scale; nothing is drawn for it.
  if (src.IsEmpty() || dest.IsEmpty() || src != src_rect) return;
  // The picture's rows from src's top, as in SetPictureBits.
  const BITMAPINFO info = TopDown32BitInfo(bmp.Width(), src.Height());
  SetStretchBltMode(dc_, COLORONCOLOR);
  StretchDIBits(dc_, dest.left, dest.top, dest.Width(), dest.Height(), src.left, 0, src.Width(), src.Height(),
                bmp.Row(src.top), &info, DIB_RGB_COLORS, SRCCOPY);
}

void GdiCanvas::SetFont(const FontAttrs& f) {
  const FontKey key{f.name, f.height, f.bold, f.italic, f.underline, f.strikeout, f.cell_height};
  HFONT& font = fonts_[key];
  if (!font) {
    // The platform reads a positive height as the cell height, a negative one as the character height.
    font = CreateFontW(f.cell_height ? f.height : -f.height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, f.italic, f.underline, f.strikeout,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, WideFromAnsi(f.name).c_str());
  }
  if (font) SelectObject(dc_, font);
}

Size GdiCanvas::TextExtent(std::string_view ansi_text) {
  const std::wstring wide = WideFromAnsi(ansi_text);
  SIZE size{};
  if (wide.empty() || !GetTextExtentPoint32W(dc_, wide.c_str(), int(wide.size()), &size)) return {};
  return {size.cx, size.cy};
}

void GdiCanvas::TextOut(int x, int y, std::string_view ansi_text, Color c, const Rect& clip) {
  const std::wstring wide = WideFromAnsi(ansi_text);
  if (wide.empty()) return;
  const RECT rc = ToRECT(clip);
  SetTextColor(dc_, c);
  SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  ExtTextOutW(dc_, x, y, ETO_CLIPPED, &rc, wide.c_str(), UINT(wide.size()), nullptr);
}

}  // namespace netscry
