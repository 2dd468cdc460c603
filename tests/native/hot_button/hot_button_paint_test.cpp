// The unthemed face pixel by pixel, and where glyph, caption and focus rectangle go.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/bitmap_canvas.h"
#include "controls/hot_button/hot_button.h"

namespace netscry {
namespace {

constexpr Color kParent = Rgb(236, 245, 248);  // the panel behind the button
constexpr Size kClient{80, 26};

struct Painted {
  Bitmap32 bmp;
  std::vector<BitmapCanvas::TextRun> text;
};

HotButtonStyle MainStyle() {
  HotButtonStyle s;
  s.color = Rgb(244, 244, 240);
  s.highlight_color = Rgb(106, 141, 244);
  s.hot_track_color = Rgb(255, 199, 60);
  return s;
}

Painted Paint(const HotButtonVisual& v, bool many_colors = true, const HotButtonGlyph* glyph = nullptr,
              const std::string& caption = {}, Size client = kClient, bool content = true) {
  static const HotButtonStyle style = MainStyle();
  HotButtonPaint p;
  p.client = client;
  p.visual = v;
  p.many_colors = many_colors;
  p.style = &style;
  p.glyph = glyph;
  p.caption = caption;
  Painted out{Bitmap32(client.cx, client.cy, kParent), {}};
  BitmapCanvas canvas(out.bmp);
  PaintHotButtonFace(canvas, p);
  if (content) PaintHotButtonContent(canvas, p);
  out.text = canvas.TextRuns();
  return out;
}

const HotButtonFaceColors kC = FaceColorsOf(MainStyle(), HotButtonSystemColors{});

TEST(HotButtonFace, NormalFaceEdgesFrameGradientAndBottomLines) {
  const Bitmap32 b = Paint({true, false, false, false}).bmp;
  struct Px {
    int x, y;
    Color want;
    const char* what;
  };
  const Px cases[] = {
      {0, 0, kParent, "outer corner"}, {1, 0, kParent, "outer corner"}, {0, 1, kParent, "outer corner"},
      {79, 0, kParent, "outer corner"}, {0, 25, kParent, "outer corner"}, {79, 25, kParent, "outer corner"},
      {0, 2, kC.outer_dark, "left edge top"}, {0, 23, kC.outer_dark, "left edge bottom"},
      {0, 24, kParent, "left edge ends 2 above the bottom"}, {2, 0, kC.outer_dark, "top edge"},
      {77, 0, kC.outer_dark, "top edge end"}, {78, 0, kParent, "top edge ends 2 left of the right"},
      {79, 2, kC.outer_light, "right edge"}, {79, 23, kC.outer_light, "right edge"},
      {2, 25, kC.outer_light, "bottom edge"}, {77, 25, kC.outer_light, "bottom edge"},
      {1, 1, kC.outer_dark, "corner top-left"}, {78, 1, kC.outer_dark, "corner top-right"},
      {1, 24, kC.outer_dark, "corner bottom-left"}, {78, 24, kC.outer_light, "corner bottom-right"},
      {1, 2, kC.frame, "frame left"}, {1, 23, kC.frame, "frame left"}, {2, 1, kC.frame, "frame top"},
      {77, 1, kC.frame, "frame top"}, {78, 2, kC.frame, "frame right"}, {2, 24, kC.frame, "frame bottom"},
      {2, 2, kC.gradient_top, "gradient first row"}, {77, 2, kC.gradient_top, "gradient first row"},
      {40, 21, kC.gradient_bottom, "gradient last row"}, {40, 22, kC.line_bottom2, "line at bottom - 2"},
      {40, 23, kC.line_bottom1, "line at bottom - 1"},
  };
  for (const Px& c : cases) EXPECT_EQ(b.Pixel(c.x, c.y), c.want) << c.what << " at " << c.x << "," << c.y;
  // The gradient darkens row by row, the same across a row.
  for (int y = 3; y <= 21; ++y) {
    EXPECT_LE(GreenOf(b.Pixel(40, y)), GreenOf(b.Pixel(40, y - 1))) << y;
    EXPECT_EQ(b.Pixel(2, y), b.Pixel(77, y)) << y;
  }
}

TEST(HotButtonFace, RingsByState) {
  struct Case {
    const char* name;
    HotButtonVisual v;
    Color top, bottom;
    bool ring;
  };
  const Case cases[] = {
      {"hot", {true, false, true, false}, kC.hot_top, kC.hot_bottom, true},
      {"hot and focused: hot ring", {true, false, true, true}, kC.hot_top, kC.hot_bottom, true},
      {"focused, not hot", {true, false, false, true}, kC.focus_top, kC.focus_bottom, true},
      {"neither", {true, false, false, false}, kC.gradient_top, kC.line_bottom1, false},
  };
  const Bitmap32 plain = Paint({true, false, false, false}).bmp;
  for (const Case& c : cases) {
    const Bitmap32 b = Paint(c.v, true, nullptr, {}, kClient, /*content=*/false).bmp;
    EXPECT_EQ(b.Pixel(2, 2), c.top) << c.name;
    EXPECT_EQ(b.Pixel(77, 2), c.top) << c.name;
    EXPECT_EQ(b.Pixel(40, 23), c.bottom) << c.name;
    if (!c.ring) {
      EXPECT_EQ(b, plain) << c.name;
      continue;
    }
    // Two pixels wide all round, one colour per row, darkening downwards; the inside keeps the gradient.
    for (int y = 2; y <= 23; ++y) {
      const Color ring = b.Pixel(2, y);
      EXPECT_EQ(b.Pixel(3, y), ring) << c.name << " row " << y;
      EXPECT_EQ(b.Pixel(76, y), ring) << c.name << " row " << y;
      EXPECT_EQ(b.Pixel(77, y), ring) << c.name << " row " << y;
      const bool band = y <= 3 || y >= 22;
      EXPECT_EQ(b.Pixel(40, y), band ? ring : plain.Pixel(40, y)) << c.name << " row " << y;
      EXPECT_EQ(b.Pixel(4, y), band ? ring : plain.Pixel(4, y)) << c.name << " row " << y;
      if (y > 2) {
        EXPECT_LE(BlueOf(ring), BlueOf(b.Pixel(2, y - 1))) << c.name << " row " << y;
      }
    }
  }
}

TEST(HotButtonFace, PressedDisabledAndFewColourFaces) {
  const Bitmap32 pressed = Paint({true, true, true, true}).bmp;
  for (Point p : {Point{2, 2}, Point{40, 12}, Point{40, 23}, Point{77, 22}}) {
    EXPECT_EQ(pressed.Pixel(p.x, p.y), kC.gradient_bottom) << p.x << "," << p.y;
  }

  const Bitmap32 disabled = Paint({false, false, false, false}).bmp;
  EXPECT_EQ(kC.frame_disabled, Rgb(172, 172, 142));
  EXPECT_EQ(disabled.Pixel(0, 2), kParent);  // no outer edge
  EXPECT_EQ(disabled.Pixel(1, 1), kParent);
  EXPECT_EQ(disabled.Pixel(1, 2), Rgb(172, 172, 142));
  EXPECT_EQ(disabled.Pixel(40, 24), Rgb(172, 172, 142));
  for (Point p : {Point{2, 2}, Point{40, 12}, Point{40, 23}}) EXPECT_EQ(disabled.Pixel(p.x, p.y), Rgb(244, 244, 240));

  for (const HotButtonVisual& v : {HotButtonVisual{true, false, true, false}, HotButtonVisual{true, false, false, true}}) {
    const Bitmap32 flat = Paint(v, /*many_colors=*/false).bmp;
    for (Point p : {Point{2, 2}, Point{40, 12}, Point{40, 23}, Point{3, 12}}) {
      EXPECT_EQ(flat.Pixel(p.x, p.y), Rgb(244, 244, 240)) << p.x << "," << p.y;
    }
    EXPECT_EQ(flat.Pixel(1, 2), kC.frame);
  }
}

TEST(HotButtonFace, TinyClientsDrawWithinBounds) {
  for (Size s : {Size{0, 0}, Size{1, 1}, Size{3, 3}, Size{4, 5}, Size{5, 4}, Size{6, 6}}) {
    for (bool enabled : {true, false}) {
      const Painted p = Paint({enabled, false, true, true}, true, nullptr, "x", s);
      EXPECT_EQ(p.bmp.Width(), s.cx);
    }
  }
}

HotButtonGlyph TestGlyph() {
  // Image 0 red, image 1 blue; the bottom-left pixel (magenta) is the transparent colour, and
  // image 0 has a second transparent pixel in its middle.
  HotButtonGlyph g{Bitmap32(32, 16, Rgb(255, 0, 0)), 2};
  for (int y = 0; y < 16; ++y) {
    for (int x = 16; x < 32; ++x) g.bitmap.SetPixel(x, y, Rgb(0, 0, 255));
  }
  g.bitmap.SetPixel(0, 15, Rgb(255, 0, 255));
  g.bitmap.SetPixel(8, 8, Rgb(255, 0, 255));
  return g;
}

TEST(HotButtonContent, GlyphImageByStateWithTransparentColour) {
  const HotButtonGlyph glyph = TestGlyph();
  const Bitmap32 on = Paint({true, false, false, false}, true, &glyph).bmp;
  // Content area (5,5)-(75,21): glyph at x 5 + 2, y 5 + (16 - 16 + 1) / 2.
  EXPECT_EQ(on.Pixel(7, 5), Rgb(255, 0, 0));
  EXPECT_EQ(on.Pixel(22, 20), Rgb(255, 0, 0));
  EXPECT_NE(on.Pixel(6, 5), Rgb(255, 0, 0));
  EXPECT_NE(on.Pixel(23, 5), Rgb(255, 0, 0));
  EXPECT_NE(on.Pixel(7, 20), Rgb(255, 0, 255));  // transparent: the face shows
  EXPECT_NE(on.Pixel(15, 13), Rgb(255, 0, 255));
  EXPECT_EQ(on.Pixel(15, 13), Paint({true, false, false, false}).bmp.Pixel(15, 13));

  const Bitmap32 off = Paint({false, false, false, false}, true, &glyph).bmp;
  EXPECT_EQ(off.Pixel(7, 5), Rgb(0, 0, 255));
  EXPECT_EQ(off.Pixel(7, 20), Rgb(0, 0, 255));  // image 1's own bottom-left is not the key colour

  // Pressing does not move the glyph.
  const Bitmap32 down = Paint({true, true, true, true}, true, &glyph).bmp;
  EXPECT_EQ(down.Pixel(7, 5), Rgb(255, 0, 0));
  EXPECT_NE(down.Pixel(6, 5), Rgb(255, 0, 0));
}

TEST(HotButtonContent, CaptionPlacementColoursAndFocusRectangle) {
  const HotButtonGlyph glyph = TestGlyph();
  // BitmapCanvas: 7 pixels per byte, 14 high. "刷新" is 4 bytes, 28 pixels.
  Painted p = Paint({true, false, false, false}, true, &glyph, "刷新");
  ASSERT_EQ(p.text.size(), 1u);
  EXPECT_EQ(p.text[0].x, 27 + (48 - 28) / 2);  // caption area starts 22 after the content's left
  EXPECT_EQ(p.text[0].y, 5 + (16 - 14) / 2);
  EXPECT_EQ(p.text[0].color, HotButtonSystemColors{}.window_text);
  EXPECT_EQ(p.text[0].font, (FontAttrs{"Arial", 11}));

  p = Paint({true, false, false, false}, true, nullptr, "刷新");
  ASSERT_EQ(p.text.size(), 1u);
  EXPECT_EQ(p.text[0].x, 5 + (70 - 28) / 2);  // no glyph: the whole content area

  p = Paint({false, false, false, false}, true, &glyph, "刷新");
  ASSERT_EQ(p.text.size(), 2u);  // embossed: highlight 1 pixel right and down, then shadow in place
  EXPECT_EQ(p.text[0].color, HotButtonSystemColors{}.btn_highlight);
  EXPECT_EQ(p.text[0].x, 38);
  EXPECT_EQ(p.text[0].y, 7);
  EXPECT_EQ(p.text[1].color, HotButtonSystemColors{}.btn_shadow);
  EXPECT_EQ(p.text[1].x, 37);
  EXPECT_EQ(p.text[1].y, 6);

  p = Paint({true, true, true, true}, true, &glyph, "刷新");
  ASSERT_EQ(p.text.size(), 1u);
  EXPECT_EQ(p.text[0].x, 37);  // pressing does not move the caption

  // Focus rectangle 3 pixels inside: the dotted outline inverts the face.
  const Bitmap32 focused = Paint({true, false, false, true}).bmp;
  HotButtonStyle no_rect = MainStyle();
  no_rect.show_focus_rect = false;
  HotButtonPaint np;
  np.client = kClient;
  np.visual = {true, false, false, true};
  np.style = &no_rect;
  Bitmap32 b(kClient.cx, kClient.cy, kParent);
  BitmapCanvas c(b);
  PaintHotButtonFace(c, np);
  PaintHotButtonContent(c, np);
  EXPECT_EQ(focused.Pixel(3, 3), b.Pixel(3, 3) ^ 0x00FFFFFF);
  EXPECT_EQ(focused.Pixel(4, 3), b.Pixel(4, 3));  // dotted
  EXPECT_EQ(focused.Pixel(75, 3), b.Pixel(75, 3) ^ 0x00FFFFFF);
  EXPECT_EQ(focused.Pixel(2, 2), b.Pixel(2, 2));
  EXPECT_EQ(focused.Pixel(3, 23), b.Pixel(3, 23));  // the rectangle's last row is 22
}

TEST(HotButtonLayout, GlyphAndCaptionAreas) {
  struct Case {
    Size client, glyph;
    std::optional<Point> glyph_at;
    Rect caption;
  };
  const Case cases[] = {
      {{74, 32}, {16, 16}, Point{7, 8}, {27, 5, 69, 27}},
      {{80, 26}, {16, 16}, Point{7, 5}, {27, 5, 75, 21}},
      {{110, 26}, {16, 16}, Point{7, 5}, {27, 5, 105, 21}},
      {{97, 26}, {0, 0}, std::nullopt, {5, 5, 92, 21}},
      {{80, 25}, {16, 16}, Point{7, 5}, {27, 5, 75, 20}},      // (15 - 16 + 1) / 2 = 0
      {{80, 24}, {16, 16}, Point{7, 4}, {27, 5, 75, 19}},      // (14 - 16 + 1) / 2 rounds down to -1
      {{20, 10}, {16, 16}, Point{7, 5 - 5}, {27, 5, 15, 5}},  // (0 - 16 + 1) / 2 = -8 (rounded down)
  };
  for (const Case& c : cases) {
    const HotButtonLayout l = LayoutHotButton(c.client, c.glyph, 2, 4);
    EXPECT_EQ(l.glyph_at.has_value(), c.glyph_at.has_value()) << c.client.cx << "x" << c.client.cy;
    if (l.glyph_at && c.glyph_at) {
      EXPECT_EQ(l.glyph_at->x, c.glyph_at->x) << c.client.cx << "x" << c.client.cy;
    }
    EXPECT_EQ(l.caption_area, c.caption) << c.client.cx << "x" << c.client.cy;
  }
}

TEST(HotButtonLayout, CaptionWrapsAtBlanksAndBetweenCharacters) {
  struct Case {
    std::string caption;
    int width;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"abc def ghi", 50, {"abc def", "ghi"}},
      {"abc def", 49, {"abc def"}},
      {"ab  cd", 42, {"ab  cd"}},
      {"abcdefghij", 50, {"abcdefg", "hij"}},
      {"结束进程", 50, {"结束进", "程"}},  // never half a character
      {"ab 结束进程", 30, {"ab", "结束", "进程"}},
      {"abc   ", 14, {"ab", "c"}},
      {"x", 0, {"x"}},  // a line always holds at least one character
  };
  Bitmap32 b(1, 1);
  BitmapCanvas canvas(b);
  for (const Case& c : cases) {
    const std::vector<CaptionLine> lines = LayoutCaption(canvas, c.caption, {10, 0, 10 + c.width, 60});
    std::vector<std::string> texts;
    for (const CaptionLine& l : lines) texts.push_back(l.text);
    EXPECT_EQ(texts, c.lines) << c.caption << " in " << c.width;
    // Centred: the block's middle is the area's middle, each line centred across.
    if (!lines.empty()) {
      EXPECT_EQ(lines[0].y, (60 - 14 * int(lines.size())) / 2) << c.caption;
      const int spare = c.width - 7 * int(lines[0].text.size());
      EXPECT_EQ(lines[0].x, 10 + (spare >= 0 ? spare / 2 : -((-spare + 1) / 2))) << c.caption;
    }
  }
}

}  // namespace
}  // namespace netscry
