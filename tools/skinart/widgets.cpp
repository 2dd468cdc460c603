#include "widgets.h"

#include <algorithm>
#include <cmath>

#include "base/bitmap_canvas.h"

namespace skinart {

using netscry::Rgb;

namespace {

const Color kWhite = Rgb(255, 255, 255);

// A glyph as a coverage grid (red channel, 0..255) of the button's size.
Bitmap32 GlyphCoverage(int w, int h, Glyph glyph) {
  Bitmap32 g(w, h, 0);
  const double cx = (w - 1) / 2.0, cy = (h - 1) / 2.0;
  const int bw = h >= 17 ? 9 : 8, bh = h >= 17 ? 7 : 6;
  const int bx = int(std::floor(cx - bw / 2.0 + 0.5)), by = int(std::floor(cy - bh / 2.0 + 0.5));
  auto box = [&](int l, int t, int bwid, int bhgt) {
    Fill(g, l, t, l + bwid, t + 2, kWhite);                  // thick top, like a title bar
    Fill(g, l, t, l + 1, t + bhgt, kWhite);
    Fill(g, l + bwid - 1, t, l + bwid, t + bhgt, kWhite);
    Fill(g, l, t + bhgt - 1, l + bwid, t + bhgt, kWhite);
  };
  switch (glyph) {
    case Glyph::Close: {
      const double s = h * 0.25;
      Segment(g, cx - s, cy - s, cx + s, cy + s, 2.1, kWhite);
      Segment(g, cx - s, cy + s, cx + s, cy - s, 2.1, kWhite);
      break;
    }
    case Glyph::Maximize:
      box(bx, by, bw, bh);
      break;
    case Glyph::Minimize:
      Fill(g, bx, by + bh - 2, bx + bw, by + bh, kWhite);
      break;
    case Glyph::Restore:
      box(bx + 2, by - 1, bw - 2, bh - 2);
      Fill(g, bx, by + 2, bx + bw - 2, by + bh + 1, 0);  // the front window hides the back one
      box(bx, by + 2, bw - 2, bh - 1);
      break;
  }
  return g;
}

// Paints a glyph: a soft dark outline around a light symbol, the way glass captions need it.
void PaintGlyph(Bitmap32& bmp, int x, int y, int w, int h, Glyph glyph, Color fill, Color outline) {
  const Bitmap32 cov = GlyphCoverage(w, h, glyph);
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) {
      int around = 0;
      for (int dj = -1; dj <= 1; ++dj) {
        for (int di = -1; di <= 1; ++di) around = std::max<int>(around, netscry::RedOf(cov.Pixel(i + di, j + dj)));
      }
      Blend(bmp, x + i, y + j, outline, around / 255.0 * 0.8);
    }
  }
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) Blend(bmp, x + i, y + j, fill, netscry::RedOf(cov.Pixel(i, j)) / 255.0);
  }
}

// A soft radial glow centred at (cx, cy) with radii rx, ry.
void Glow(Bitmap32& bmp, double cx, double cy, double rx, double ry, Color c, double strength) {
  for (int y = 0; y < bmp.Height(); ++y) {
    for (int x = 0; x < bmp.Width(); ++x) {
      const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      const double d = dx * dx + dy * dy;
      if (d < 1) Blend(bmp, x, y, c, (1 - d) * (1 - d) * strength);
    }
  }
}

// A glossy vertical fill: the upper part from c0 to c1, a crisp step, the lower part c2 to c3.
std::function<Color(int, int)> Gloss(int top, int height, Color c0, Color c1, Color c2, Color c3, double split = 0.46) {
  return [=](int, int py) {
    const double v = (py - top + 0.5) / height;
    return v < split ? Mix(c0, c1, v / split) : Mix(c2, c3, (v - split) / (1 - split));
  };
}

// A rounded, glossy face with an outline and an inner highlight (push buttons, tabs, thumbs).
void Face(Bitmap32& bmp, int l, int t, int r, int b, double radius, Color top, Color bottom,
          Color border, double gloss = 0.5) {
  const Radii rad{radius, radius, radius, radius};
  const int h = b - t;
  FillRoundRect(bmp, l, t, r, b, rad, Gloss(t, h, Mix(top, kWhite, gloss * 0.6), top, Mix(top, bottom, 0.4), bottom));
  StrokeRoundRect(bmp, l + 1, t + 1, r - 1, b - 1, Radii{radius - 1, radius - 1, radius - 1, radius - 1}, kWhite, 0.55);
  StrokeRoundRect(bmp, l, t, r, b, rad, border, 1.0);
}

void Arrow(Bitmap32& bmp, double cx, double cy, int dir, Color c) {
  // dir: 0 up, 1 down, 2 left, 3 right; a small solid triangle 7 wide.
  for (int k = 0; k < 4; ++k) {
    const int len = 7 - 2 * k;
    for (int i = 0; i < len; ++i) {
      const int a = int(cx) - len / 2 + i;
      switch (dir) {
        // The widest row is the base; the tip points the arrow's way.
        case 0: bmp.SetPixel(a, int(cy) + 1 - k, c); break;
        case 1: bmp.SetPixel(a, int(cy) - 2 + k, c); break;
        case 2: bmp.SetPixel(int(cx) + 1 - k, int(cy) - len / 2 + i, c); break;
        default: bmp.SetPixel(int(cx) - 2 + k, int(cy) - len / 2 + i, c); break;
      }
    }
  }
}

}  // namespace

void CaptionButton(Bitmap32& bmp, int x, int y, int w, int h, Glyph glyph, bool is_close,
                   ButtonState state, const Theme& theme, const Radii& radii, bool join_left) {
  const int s = int(state);
  const Color* c = is_close ? theme.close[s] : theme.plain[s];
  // Work on a copy one pixel larger on every side so the shared edges fall outside the button.
  Bitmap32 work(w + 2, h + 2);
  netscry::BitmapCanvas(work).DrawBitmap(bmp, {x - 1, y - 1, x + w + 1, y + h + 1}, 0, 0);
  const double l = join_left ? 0 : 1, t = 0, r = w + 1, b = h + 1;
  FillRoundRect(work, l, t, r, b, radii, Gloss(1, h, c[0], c[1], c[2], c[3]));
  if (state == ButtonState::Hot) {
    const Color glow = is_close ? Rgb(255, 200, 120) : Rgb(150, 240, 255);
    Glow(work, (w + 2) / 2.0, h + 1.0, w * 0.55, h * 0.75, glow, 0.85);
  } else if (state == ButtonState::Down) {
    Glow(work, (w + 2) / 2.0, h + 1.0, w * 0.5, h * 0.6, is_close ? Rgb(255, 120, 60) : Rgb(60, 160, 230), 0.5);
  }
  const Radii inner{std::max(0.0, radii.tl - 1), std::max(0.0, radii.tr - 1), std::max(0.0, radii.br - 1),
                    std::max(0.0, radii.bl - 1)};
  StrokeRoundRect(work, l + 1, t + 1, r - 1, b - 1, inner, kWhite, state == ButtonState::Down ? 0.2 : 0.5);
  StrokeRoundRect(work, l, t, r, b, radii, theme.button_outline[s], 0.9);
  Bitmap32 face(w, h);
  netscry::BitmapCanvas(face).DrawBitmap(work, {1, 1, w + 1, h + 1}, 0, 0);
  PaintGlyph(face, 0, state == ButtonState::Down ? 1 : 0, w, h, glyph, theme.glyph_fill[s], theme.glyph_outline[s]);
  netscry::BitmapCanvas(bmp).DrawBitmap(face, face.Bounds(), x, y);
}

Bitmap32 MenuWindowPicture(const Theme& t) {
  Bitmap32 bmp(64, 64, t.menu_bg);
  // A gutter for icons at the left, like the menus of the era.
  Fill(bmp, 2, 2, 28, 62, Mix(t.menu_bg, t.face_bottom, 0.35));
  Fill(bmp, 28, 2, 29, 62, Mix(t.menu_border, kWhite, 0.6));
  Fill(bmp, 29, 2, 30, 62, kWhite);
  StrokeRoundRect(bmp, 0, 0, 64, 64, Radii{}, t.menu_border);
  StrokeRoundRect(bmp, 1, 1, 63, 63, Radii{}, kWhite, 0.8);
  return bmp;
}

Bitmap32 MenuItemPicture(const Theme& t) {
  Bitmap32 bmp(120, 48, t.menu_bg);
  Fill(bmp, 0, 0, 26, 44, Mix(t.menu_bg, t.face_bottom, 0.35));
  FillRoundRect(bmp, 1, 23, 119, 43, Radii{3, 3, 3, 3}, Gloss(23, 20, t.menu_hot_top, t.menu_hot_top, t.menu_hot_bottom, t.menu_hot_bottom));
  StrokeRoundRect(bmp, 1, 23, 119, 43, Radii{3, 3, 3, 3}, t.menu_hot_border);
  Fill(bmp, 28, 45, 120, 46, Mix(t.menu_border, kWhite, 0.5));
  Fill(bmp, 28, 46, 120, 47, kWhite);
  return bmp;
}

Bitmap32 HintPicture(const Theme& t) {
  Bitmap32 bmp(48, 32, kWhite);
  FillRoundRect(bmp, 0, 0, 48, 32, Radii{3, 3, 3, 3}, Gloss(0, 32, kWhite, Rgb(248, 250, 253), Rgb(240, 243, 249), Rgb(228, 233, 243), 0.5));
  StrokeRoundRect(bmp, 0, 0, 48, 32, Radii{3, 3, 3, 3}, Mix(t.menu_border, Rgb(0, 0, 0), 0.2));
  return bmp;
}

Bitmap32 PushButtonPicture(const Theme& t) {
  Bitmap32 bmp(75, 92, t.menu_bg);
  Face(bmp, 0, 0, 75, 23, 3, t.face_top, t.face_bottom, t.face_border);
  Face(bmp, 0, 23, 75, 46, 3, t.hot_top, t.hot_bottom, t.hot_border);
  Face(bmp, 0, 46, 75, 69, 3, t.down_top, t.down_bottom, t.hot_border, 0.2);
  Face(bmp, 0, 69, 75, 92, 3, Rgb(244, 244, 244), Rgb(236, 236, 236), Rgb(173, 178, 181), 0.1);
  return bmp;
}

Bitmap32 CheckRadioPicture(const Theme& t) {
  Bitmap32 bmp(78, 26, kWhite);
  for (int i = 0; i < 6; ++i) {
    const bool hot = i == 2 || i == 3, disabled = i >= 4, checked = i % 2 == 1;
    const Color border = disabled ? Rgb(190, 190, 190) : hot ? t.hot_border : t.face_border;
    const Color top = disabled ? Rgb(244, 244, 244) : hot ? t.hot_top : Rgb(222, 226, 232);
    const Color bottom = disabled ? Rgb(236, 236, 236) : hot ? t.hot_bottom : Rgb(248, 249, 250);
    const Color mark = disabled ? Rgb(160, 160, 160) : t.accent;
    // Check box.
    const int x = i * 13;
    Fill(bmp, x, 0, x + 13, 13, kWhite);
    StrokeRoundRect(bmp, x, 0, x + 13, 13, Radii{}, border);
    FillRoundRect(bmp, x + 2, 2, x + 11, 11, Radii{}, Gloss(2, 9, top, top, bottom, bottom, 0.5));
    if (checked) {
      Segment(bmp, x + 3.5, 6.5, x + 5.5, 8.8, 1.8, mark);
      Segment(bmp, x + 5.5, 8.8, x + 9.5, 3.5, 1.8, mark);
    }
    // Radio button.
    Fill(bmp, x, 13, x + 13, 26, kWhite);
    FillRoundRect(bmp, x + 0.5, 13.5, x + 12.5, 25.5, Radii{6, 6, 6, 6}, [&](int, int) { return border; });
    FillRoundRect(bmp, x + 1.5, 14.5, x + 11.5, 24.5, Radii{5, 5, 5, 5}, Gloss(15, 10, top, top, bottom, bottom, 0.5));
    if (checked) {
      FillRoundRect(bmp, x + 4, 17, x + 9, 22, Radii{2.5, 2.5, 2.5, 2.5}, Gloss(17, 5, Mix(mark, kWhite, 0.5), mark, mark, Mix(mark, Rgb(0, 0, 0), 0.2)));
    }
  }
  return bmp;
}

Bitmap32 ScrollBarPicture(const Theme& t) {
  // Row 0: up arrow, row 1: down arrow, row 2: thumb; columns normal, hot, down (17 each);
  // then the track (17 x 51) at column 51 and the thumb glyph at 68.
  Bitmap32 bmp(119, 51, Rgb(240, 240, 240));
  for (int s = 0; s < 3; ++s) {
    const Color top = s == 0 ? t.face_top : s == 1 ? t.hot_top : t.down_top;
    const Color bottom = s == 0 ? t.face_bottom : s == 1 ? t.hot_bottom : t.down_bottom;
    const Color border = s == 0 ? t.face_border : t.hot_border;
    for (int r = 0; r < 3; ++r) {
      const int x = s * 17, y = r * 17;
      Face(bmp, x, y, x + 17, y + 17, 2, top, bottom, border);
      if (r < 2) Arrow(bmp, x + 8, y + 8, r, t.text_dark);
    }
  }
  FillVertical(bmp, 51, 0, 68, 51, {{0, Rgb(232, 232, 236)}, {1, Rgb(244, 244, 246)}});
  for (int i = 0; i < 3; ++i) Fill(bmp, 70 + 2 * i, 5, 71 + 2 * i, 12, t.text_dark, 0.5);
  return bmp;
}

Bitmap32 EditPicture(const Theme& t) {
  Bitmap32 bmp(60, 42, kWhite);
  StrokeRoundRect(bmp, 0, 0, 60, 21, Radii{}, Mix(t.face_border, kWhite, 0.2));
  Fill(bmp, 1, 1, 59, 2, Mix(t.face_border, kWhite, 0.6));
  StrokeRoundRect(bmp, 0, 21, 60, 42, Radii{}, t.hot_border);
  Fill(bmp, 1, 22, 59, 23, Mix(t.hot_border, kWhite, 0.6));
  return bmp;
}

Bitmap32 GaugePicture(const Theme& t) {
  Bitmap32 bmp(100, 28, kWhite);
  Face(bmp, 0, 0, 100, 14, 2, Rgb(230, 230, 230), Rgb(246, 246, 246), Rgb(178, 178, 178), 0.1);
  FillRoundRect(bmp, 0, 14, 100, 28, Radii{2, 2, 2, 2}, Gloss(14, 14, Mix(t.accent, kWhite, 0.65), Mix(t.accent, kWhite, 0.3), t.accent, Mix(t.accent, kWhite, 0.25)));
  return bmp;
}

Bitmap32 TrackBarPicture(const Theme& t) {
  Bitmap32 bmp(100, 40, Rgb(240, 240, 240));
  Fill(bmp, 0, 7, 100, 11, Rgb(231, 234, 234));
  StrokeRoundRect(bmp, 0, 7, 100, 11, Radii{}, Rgb(176, 176, 176));
  Face(bmp, 0, 20, 11, 40, 2, t.face_top, t.face_bottom, t.face_border);
  Face(bmp, 11, 20, 22, 40, 2, t.hot_top, t.hot_bottom, t.hot_border);
  return bmp;
}

Bitmap32 TabPicture(const Theme& t) {
  Bitmap32 bmp(240, 60, Rgb(240, 240, 240));
  Face(bmp, 0, 2, 60, 24, 2, Rgb(242, 242, 242), Rgb(218, 222, 228), t.face_border, 0.4);
  Face(bmp, 60, 2, 120, 24, 2, t.hot_top, t.hot_bottom, t.hot_border, 0.4);
  Face(bmp, 120, 0, 180, 24, 2, kWhite, kWhite, t.face_border, 0.0);
  Fill(bmp, 180, 0, 240, 60, kWhite);
  StrokeRoundRect(bmp, 180, 0, 240, 60, Radii{}, t.face_border);
  return bmp;
}

Bitmap32 ComboBoxPicture(const Theme& t) {
  Bitmap32 bmp(151, 21, kWhite);
  StrokeRoundRect(bmp, 0, 0, 100, 21, Radii{}, Mix(t.face_border, kWhite, 0.2));
  for (int s = 0; s < 3; ++s) {
    const int x = 100 + s * 17;
    const Color top = s == 0 ? t.face_top : s == 1 ? t.hot_top : t.down_top;
    const Color bottom = s == 0 ? t.face_bottom : s == 1 ? t.hot_bottom : t.down_bottom;
    Face(bmp, x, 1, x + 17, 20, 2, top, bottom, s == 0 ? t.face_border : t.hot_border);
    Arrow(bmp, x + 8, 11, 1, t.text_dark);
  }
  return bmp;
}

Bitmap32 PanelPicture(const Theme& t) {
  Bitmap32 bmp(64, 64, Rgb(240, 240, 240));
  StrokeRoundRect(bmp, 0, 6, 64, 64, Radii{3, 3, 3, 3}, Mix(t.face_border, kWhite, 0.35));
  StrokeRoundRect(bmp, 1, 7, 63, 63, Radii{2, 2, 2, 2}, kWhite, 0.9);
  return bmp;
}

Bitmap32 GlowLayerPicture() {
  Bitmap32 bmp(64, 32, 0);
  Glow(bmp, 32, 16, 32, 16, kWhite, 1.0);
  return bmp;
}

Bitmap32 GlowLayerMask() {
  Bitmap32 bmp(64, 32, kWhite);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 64; ++x) {
      const double dx = (x + 0.5 - 32) / 32, dy = (y + 0.5 - 16) / 16;
      if (dx * dx + dy * dy < 1) bmp.SetPixel(x, y, 0);
    }
  }
  return bmp;
}

}  // namespace skinart
