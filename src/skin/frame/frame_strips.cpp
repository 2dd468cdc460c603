#include "skin/frame/frame_strips.h"

#include <algorithm>

namespace netscry {

void CopyRect(const Bitmap32& src, const Rect& src_rect, Bitmap32& dst, int x, int y) {
  // Clip against the source, then against the destination.
  Rect s = src_rect.Intersect(src.Bounds());
  if (s.IsEmpty()) return;
  x += s.left - src_rect.left;
  y += s.top - src_rect.top;
  const Rect d = Rect{x, y, x + s.Width(), y + s.Height()}.Intersect(dst.Bounds());
  if (d.IsEmpty()) return;
  for (int row = d.top; row < d.bottom; ++row) {
    const DibPixel* from = src.Row(s.top + row - y) + (s.left + d.left - x);
    std::copy(from, from + d.Width(), dst.Row(row) + d.left);
  }
}

namespace {

// Copies src_rect of src into dst at dest by repeating or dropping whole rows and columns.
void StretchCopy(const Bitmap32& src, const Rect& src_rect, Bitmap32& dst, const Rect& dest) {
  if (src_rect.IsEmpty() || dest.IsEmpty()) return;
  const long long sw = src_rect.Width(), sh = src_rect.Height();
  const long long dw = dest.Width(), dh = dest.Height();
  const Rect clip = dest.Intersect(dst.Bounds());
  for (int y = clip.top; y < clip.bottom; ++y) {
    const int sy = src_rect.top + int((y - dest.top) * sh / dh);
    for (int x = clip.left; x < clip.right; ++x) {
      const int sx = src_rect.left + int((x - dest.left) * sw / dw);
      if (src.InBounds(sx, sy)) dst.Row(y)[x] = src.Row(sy)[sx];
    }
  }
}

// A strip across the window (top or bottom): source rows [src_top, src_top + h), the middle
// source columns [m0, m1) stretched onto [t0, t1) or tiled from column 0, then the fixed corners.
Bitmap32 HorizontalStrip(const Bitmap32& src, int width, int h, int src_top, int m0, int m1, int t0, int t1,
                         bool stretch) {
  Bitmap32 strip(width, h);
  if (strip.IsEmpty() || m1 <= m0) return strip;
  const int pw = src.Width();
  if (stretch) {
    StretchCopy(src, {m0, src_top, m1, src_top + h}, strip, {t0, 0, t1, h});
  } else {
    for (int x = 0; x < width; x += m1 - m0) CopyRect(src, {m0, src_top, m1, src_top + h}, strip, x, 0);
  }
  CopyRect(src, {0, src_top, m0, src_top + h}, strip, 0, 0);
  CopyRect(src, {m1, src_top, pw, src_top + h}, strip, t1, 0);
  return strip;
}

// A strip down a side (left or right): source columns [src_left, src_left + w), middle rows
// [m0, m1) stretched onto [t0, t1) or tiled from row 0; the fixed pieces [fixed_top, m0) at the
// strip's top and [m1, fixed_bottom) at its bottom.
Bitmap32 VerticalStrip(const Bitmap32& src, int w, int height, int src_left, int m0, int m1, int t0, int t1,
                       int fixed_top, int fixed_bottom, bool stretch) {
  Bitmap32 strip(w, height);
  if (strip.IsEmpty()) return strip;
  if (m1 > m0) {
    if (stretch) {
      StretchCopy(src, {src_left, m0, src_left + w, m1}, strip, {0, t0, w, t1});
    } else {
      for (int y = 0; y < height; y += m1 - m0) CopyRect(src, {src_left, m0, src_left + w, m1}, strip, 0, y);
    }
  }
  if (m0 > fixed_top) CopyRect(src, {src_left, fixed_top, src_left + w, m0}, strip, 0, 0);
  if (fixed_bottom > m1) CopyRect(src, {src_left, m1, src_left + w, fixed_bottom}, strip, 0, height - (fixed_bottom - m1));
  return strip;
}

// Cuts around inner (the stretched inner rectangle) with unstretched inner rectangle inner0.
FrameStrips Cut(const Bitmap32& src, const TskSkinFormInfo& raw, const FrameGeometry& g, const Rect& inner0,
                const Rect& inner, bool ls, bool rs, bool ts, bool bs) {
  FrameStrips s;
  const TskSkinFormInfo info = BoundFormInfo(raw);
  const int W = g.width, H = g.height;
  const Point LT = info.LTPoint, RT = info.RTPoint, LB = info.LBPoint, RB = info.RBPoint;
  // The strips never reach beyond the window, whatever the skin's rectangles say.
  const int top_h = std::clamp(inner.top, 0, std::max(0, H));
  const int bottom_h = std::clamp(H - inner.bottom, 0, std::max(0, H - top_h));
  if (W > 0 && top_h > 0 && RT.x > LT.x) {
    s.top = HorizontalStrip(src, W, top_h, 0, LT.x, RT.x, LT.x, g.rt.x, ts);
  }
  if (W > 0 && bottom_h > 0 && RB.x > LB.x) {
    s.bottom = HorizontalStrip(src, W, bottom_h, g.ph - bottom_h, LB.x, RB.x, LB.x, g.rb.x, bs);
  }
  const int side_h = H - top_h - bottom_h;
  const int left_w = std::clamp(inner.left, 0, std::max(0, W));
  const int right_w = std::clamp(W - inner.right, 0, std::max(0, W - left_w));
  if (side_h > 0 && left_w > 0) {
    s.left = VerticalStrip(src, left_w, side_h, 0, LT.y, LB.y, LT.y - inner0.top, side_h - (inner0.bottom - LB.y),
                           inner0.top, inner0.bottom, ls);
  }
  if (side_h > 0 && right_w > 0) {
    s.right = VerticalStrip(src, right_w, side_h, inner0.right, RT.y, RB.y, RT.y - inner0.top,
                            side_h - (inner0.bottom - RB.y), inner0.top, inner0.bottom, rs);
  }
  s.top_at = {0, 0};
  s.left_at = {0, top_h};
  s.right_at = {W - right_w, top_h};
  s.bottom_at = {0, H - bottom_h};
  return s;
}

}  // namespace

FrameStrips CutFrameStrips(const Bitmap32& source, const TskSkinFormInfo& info, const FrameGeometry& g) {
  return Cut(source, info, g, BoundRect(info.ClientRect), g.client, info.LeftStretch, info.RightStretch, info.TopStretch,
             info.BottomStretch);
}

FrameStrips CutMaskStrips(const Bitmap32& mask, const TskSkinFormInfo& info, const FrameGeometry& g) {
  return Cut(mask, info, g, BoundRect(info.MaskRectArea), g.mask_rect, false, false, false, false);
}

std::vector<Rect> MaskStripRuns(const Bitmap32& strip, Point at) {
  std::vector<Rect> runs;
  const auto black = [](DibPixel p) { return (std::uint32_t(p) & 0x00FFFFFFu) == 0; };
  for (int y = 0; y < strip.Height(); ++y) {
    const DibPixel* row = strip.Row(y);
    for (int x = 0; x < strip.Width();) {
      if (!black(row[x])) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < strip.Width() && black(row[x])) ++x;
      runs.push_back({at.x + start, at.y + y, at.x + x, at.y + y + 1});
    }
  }
  if (runs.size() <= std::size_t(kMaxRunsPerStrip)) return runs;
  // Too many: merge each run into the run of the same columns on the row above when the two
  // rows have the same runs (the same pixels, fewer rectangles).
  std::vector<Rect> merged;
  std::size_t prev_begin = 0, prev_end = 0;  // runs of the previous row inside merged
  std::size_t i = 0;
  while (i < runs.size()) {
    std::size_t j = i;
    while (j < runs.size() && runs[j].top == runs[i].top) ++j;
    bool same = prev_end - prev_begin == j - i && prev_end > prev_begin && merged[prev_begin].bottom == runs[i].top;
    for (std::size_t k = 0; same && k < j - i; ++k) {
      same = merged[prev_begin + k].left == runs[i + k].left && merged[prev_begin + k].right == runs[i + k].right;
    }
    if (same) {
      for (std::size_t k = prev_begin; k < prev_end; ++k) merged[k].bottom = runs[i].bottom;
    } else {
      prev_begin = merged.size();
      merged.insert(merged.end(), runs.begin() + std::ptrdiff_t(i), runs.begin() + std::ptrdiff_t(j));
      prev_end = merged.size();
    }
    i = j;
  }
  if (merged.size() <= std::size_t(kMaxRunsPerStrip)) return merged;
  return {Rect{at.x, at.y, at.x + strip.Width(), at.y + strip.Height()}};
}

std::vector<Rect> ShapeRectangles(const FrameStrips& m, const Rect& mask_rect) {
  std::vector<Rect> rects;
  if (!mask_rect.IsEmpty()) rects.push_back(mask_rect);
  for (const auto& [strip, at] : {std::pair<const Bitmap32*, Point>{&m.top, m.top_at}, {&m.bottom, m.bottom_at},
                                  {&m.left, m.left_at}, {&m.right, m.right_at}}) {
    const std::vector<Rect> runs = MaskStripRuns(*strip, at);
    rects.insert(rects.end(), runs.begin(), runs.end());
  }
  return rects;
}

Bitmap32 AssembleStrips(const FrameStrips& s, int width, int height, Color background) {
  Bitmap32 out(width, height, background);
  CopyRect(s.top, s.top.Bounds(), out, s.top_at.x, s.top_at.y);
  CopyRect(s.left, s.left.Bounds(), out, s.left_at.x, s.left_at.y);
  CopyRect(s.right, s.right.Bounds(), out, s.right_at.x, s.right_at.y);
  CopyRect(s.bottom, s.bottom.Bounds(), out, s.bottom_at.x, s.bottom_at.y);
  return out;
}

}  // namespace netscry
