#include "frame_painter.h"

#include <algorithm>

namespace skinart {

using netscry::Rgb;

Bitmap32 PaintFrame(const FrameStyle& s) {
  Bitmap32 bmp(s.width, s.height, 0);
  const Color white = Rgb(255, 255, 255);
  for (int y = 0; y < s.height; ++y) {
    const Color row = Gradient(s.glass, s.height > 1 ? double(y) / (s.height - 1) : 0.0);
    for (int x = 0; x < s.width; ++x) bmp.SetPixel(x, y, row);
  }
  // Sheen and reflections over the caption band.
  for (int y = 0; y < s.caption_bottom; ++y) {
    const double fade = 1.0 - double(y) / s.caption_bottom;
    for (int x = 0; x < s.width; ++x) {
      Blend(bmp, x, y, white, s.top_gloss * fade * fade);
      if (x < s.streak_left || x >= s.streak_right) continue;
      // Reflections fade out towards both ends of their range so the ends stay plain.
      const double edge = std::min(x - s.streak_left, s.streak_right - x) / 40.0;
      const double ends = std::min(1.0, edge);
      const double u = x + s.slant * y;
      for (const Streak& st : s.streaks) {
        const double d = (u - st.centre) / st.half_width;
        if (d > -1 && d < 1) Blend(bmp, x, y, white, st.alpha * (1 - d * d) * ends);
      }
    }
  }
  const netscry::Rect& c = s.client;
  // The light line outside the client part and the dark line right around it.
  for (int x = c.left - 2; x < c.right + 2; ++x) {
    Blend(bmp, x, c.top - 2, s.edge_light, s.edge_light_alpha);
    Blend(bmp, x, c.bottom + 1, s.edge_light, s.edge_light_alpha);
  }
  for (int y = c.top - 1; y < c.bottom + 1; ++y) {
    Blend(bmp, c.left - 2, y, s.edge_light, s.edge_light_alpha);
    Blend(bmp, c.right + 1, y, s.edge_light, s.edge_light_alpha);
  }
  for (int x = c.left - 1; x < c.right + 1; ++x) {
    bmp.SetPixel(x, c.top - 1, s.edge_dark);
    bmp.SetPixel(x, c.bottom, s.edge_dark);
  }
  for (int y = c.top - 1; y < c.bottom + 1; ++y) {
    bmp.SetPixel(c.left - 1, y, s.edge_dark);
    bmp.SetPixel(c.right, y, s.edge_dark);
  }
  Fill(bmp, c.left, c.top, c.right, c.bottom, s.client_fill);
  // The glass edge: an inner highlight and the dark outline, both following the rounded top.
  const Radii outline{s.radius, s.radius, 0, 0};
  StrokeRoundRect(bmp, 1, 1, s.width - 1, s.height - 1, Radii{s.radius - 1, s.radius - 1, 0, 0},
                  s.inner_light, s.inner_light_alpha);
  StrokeRoundRect(bmp, 0, 0, s.width, s.height, outline, s.outer, s.outer_alpha);
  // Outside the outline the mask cuts the window away; a neutral colour keeps the picture tidy.
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) {
      if (RoundRectCoverage(x, y, 0, 0, s.width, s.height, outline) < 0.5) bmp.SetPixel(x, y, Rgb(255, 255, 255));
    }
  }
  return bmp;
}

Bitmap32 PaintMask(const FrameStyle& s) {
  Bitmap32 mask(s.width, s.height, Rgb(255, 255, 255));
  const Radii outline{s.radius, s.radius, 0, 0};
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) {
      if (RoundRectCoverage(x, y, 0, 0, s.width, s.height, outline) >= 0.5) mask.SetPixel(x, y, 0);
    }
  }
  return mask;
}

}  // namespace skinart
