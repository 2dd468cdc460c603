#include "base/bitmap_canvas.h"

#include <algorithm>

namespace netscry {

void BitmapCanvas::FillRect(const Rect& r, Color c) {
  const Rect clipped = r.Intersect(target_.Bounds());
  const DibPixel p = DibPixelOf(c);
  for (int y = clipped.top; y < clipped.bottom; ++y) {
    std::fill(target_.Row(y) + clipped.left, target_.Row(y) + clipped.right, p);
  }
}

void BitmapCanvas::Line(int x0, int y0, int x1, int y1, Color c) {
  // Like the platform's line: from the first point up to but excluding the last, either way.
  if (y0 != y1 && x0 != x1) return;
  const int dx = x1 > x0 ? 1 : x1 < x0 ? -1 : 0;
  const int dy = y1 > y0 ? 1 : y1 < y0 ? -1 : 0;
  for (int x = x0, y = y0; x != x1 || y != y1; x += dx, y += dy) target_.SetPixel(x, y, c);
}

void BitmapCanvas::DrawFocusRect(const Rect& r) {
  // Every other pixel of the outline, inverted, starting at the top-left corner.
  auto invert = [&](int x, int y) {
    if (target_.InBounds(x, y)) target_.SetPixel(x, y, target_.Pixel(x, y) ^ 0x00FFFFFF);
  };
  if (r.IsEmpty()) return;
  for (int x = r.left; x < r.right; x += 2) {
    invert(x, r.top);
    if (r.bottom - 1 != r.top) invert(x, r.bottom - 1);
  }
  for (int y = r.top + 2; y < r.bottom - 1; y += 2) {
    invert(r.left, y);
    if (r.right - 1 != r.left) invert(r.right - 1, y);
  }
}

void BitmapCanvas::DrawBitmap(const Bitmap32& bmp, const Rect& src_rect, int x, int y,
                              std::optional<Color> transparent) {
  // Clipped against the picture, then against the target; pixels are copied as stored.
  const Rect src = src_rect.Intersect(bmp.Bounds());
  if (src.IsEmpty()) return;
  const int dx = x + (src.left - src_rect.left), dy = y + (src.top - src_rect.top);
  const Rect dest = Rect{dx, dy, dx + src.Width(), dy + src.Height()}.Intersect(target_.Bounds());
  const std::optional<DibPixel> key = transparent ? std::optional(DibPixelOf(*transparent)) : std::nullopt;
  for (int ty = dest.top; ty < dest.bottom; ++ty) {
    const DibPixel* from = bmp.Row(src.top + (ty - dy)) + (src.left + (dest.left - dx));
    DibPixel* to = target_.Row(ty) + dest.left;
    for (int i = 0; i < dest.Width(); ++i) {
      if (!key || from[i] != *key) to[i] = from[i];
    }
  }
}

void BitmapCanvas::StretchBitmap(const Bitmap32& bmp, const Rect& src_rect, const Rect& dest) {
  if (dest.IsEmpty() || src_rect.IsEmpty()) return;
  const long long sw = src_rect.Width(), sh = src_rect.Height();
  const Rect clip = dest.Intersect(target_.Bounds());
  for (int dy = clip.top; dy < clip.bottom; ++dy) {
    const int sy = src_rect.top + int((dy - dest.top) * sh / dest.Height());
    for (int dx = clip.left; dx < clip.right; ++dx) {
      const int sx = src_rect.left + int((dx - dest.left) * sw / dest.Width());
      if (bmp.InBounds(sx, sy)) target_.Row(dy)[dx] = bmp.Row(sy)[sx];
    }
  }
}

Size BitmapCanvas::TextExtent(std::string_view ansi_text) {
  return {int(ansi_text.size()) * char_width_, ansi_text.empty() ? 0 : char_height_};
}

void BitmapCanvas::TextOut(int x, int y, std::string_view ansi_text, Color c, const Rect& clip) {
  text_runs_.push_back({x, y, std::string(ansi_text), c, clip, font_});
}

}  // namespace netscry
