#include "glyph_art.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace glyphart {

using netscry::BlueOf;
using netscry::GreenOf;
using netscry::RedOf;
using netscry::Rgb;

namespace {

// --- Drawing ---------------------------------------------------------------------------------
// Shapes are predicates over continuous coordinates in which pixel (x, y) covers [x, x+1) x [y, y+1).

using Inside = std::function<bool(double, double)>;
using PaintAt = std::function<Color(double, double)>;

struct Pt {
  double x, y;
};

std::uint8_t Clamp8(double v) { return std::uint8_t(std::clamp(int(std::floor(v + 0.5)), 0, 255)); }

Color Mix(Color a, Color b, double t) {
  auto m = [t](int x, int y) { return Clamp8(x + (y - x) * t); };
  return Rgb(m(RedOf(a), RedOf(b)), m(GreenOf(a), GreenOf(b)), m(BlueOf(a), BlueOf(b)));
}

// Fills shape with paint, each pixel weighted by the share of its 4 x 4 samples inside.
void Fill(Bitmap32& bmp, const Inside& shape, const PaintAt& paint, double alpha = 1.0) {
  for (int y = 0; y < bmp.Height(); ++y) {
    for (int x = 0; x < bmp.Width(); ++x) {
      int hits = 0;
      for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) hits += shape(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0) ? 1 : 0;
      }
      if (hits == 0) continue;
      bmp.SetPixel(x, y, Mix(bmp.Pixel(x, y), paint(x + 0.5, y + 0.5), alpha * hits / 16.0));
    }
  }
}

PaintAt Solid(Color c) {
  return [c](double, double) { return c; };
}
PaintAt Vertical(double top, double bottom, Color c0, Color c1) {
  return [=](double, double y) { return Mix(c0, c1, std::clamp((y - top) / (bottom - top), 0.0, 1.0)); };
}

Inside Circle(double cx, double cy, double r) {
  return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}
Inside Ellipse(double cx, double cy, double rx, double ry) {
  return [=](double x, double y) {
    const double dx = (x - cx) / rx, dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
  };
}
Inside RoundRect(double l, double t, double r, double b, double rad) {
  return [=](double x, double y) {
    if (x < l || x >= r || y < t || y >= b) return false;
    const double cx = std::clamp(x, l + rad, r - rad), cy = std::clamp(y, t + rad, b - rad);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= rad * rad;
  };
}
Inside Box(double l, double t, double r, double b) {
  return [=](double x, double y) { return x >= l && x < r && y >= t && y < b; };
}
// Even-odd rule.
Inside Polygon(std::vector<Pt> pts) {
  return [pts = std::move(pts)](double x, double y) {
    bool in = false;
    for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
      const Pt& a = pts[i];
      const Pt& b = pts[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
  };
}
// Points within width / 2 of the open polyline.
Inside Stroke(std::vector<Pt> pts, double width) {
  return [pts = std::move(pts), h2 = width * width / 4.0](double x, double y) {
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
      const double vx = pts[i + 1].x - pts[i].x, vy = pts[i + 1].y - pts[i].y;
      const double len2 = vx * vx + vy * vy;
      double t = len2 > 0 ? ((x - pts[i].x) * vx + (y - pts[i].y) * vy) / len2 : 0.0;
      t = std::clamp(t, 0.0, 1.0);
      const double dx = x - (pts[i].x + t * vx), dy = y - (pts[i].y + t * vy);
      if (dx * dx + dy * dy <= h2) return true;
    }
    return false;
  };
}
Inside And(Inside a, Inside b) {
  return [=](double x, double y) { return a(x, y) && b(x, y); };
}
Inside Or(Inside a, Inside b) {
  return [=](double x, double y) { return a(x, y) || b(x, y); };
}
Inside Minus(Inside a, Inside b) {
  return [=](double x, double y) { return a(x, y) && !b(x, y); };
}
// Every point scaled by k about the origin: lets one drawing serve several sizes.
Inside Scaled(Inside a, double k) {
  return [=](double x, double y) { return a(x / k, y / k); };
}

// Draws art over black and over white and recovers each pixel's straight colour and alpha.
RgbaImage Render(int w, int h, const std::function<void(Bitmap32&)>& art) {
  Bitmap32 on_black(w, h, Rgb(0, 0, 0)), on_white(w, h, Rgb(255, 255, 255));
  art(on_black);
  art(on_white);
  RgbaImage out{Bitmap32(w, h, Rgb(0, 0, 0)), std::vector<std::uint8_t>(std::size_t(w) * std::size_t(h), 0)};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const Color b = on_black.Pixel(x, y), wh = on_white.Pixel(x, y);
      const int spread = (RedOf(wh) - RedOf(b)) + (GreenOf(wh) - GreenOf(b)) + (BlueOf(wh) - BlueOf(b));
      const int a = std::clamp(255 - (spread + 1) / 3, 0, 255);
      out.alpha[std::size_t(y) * std::size_t(w) + std::size_t(x)] = std::uint8_t(a);
      if (a == 0) continue;
      auto straight = [a](int v) { return Clamp8(v * 255.0 / a); };
      out.rgb.SetPixel(x, y, Rgb(straight(RedOf(b)), straight(GreenOf(b)), straight(BlueOf(b))));
    }
  }
  return out;
}

// --- Colours ---------------------------------------------------------------------------------

constexpr Color kBlueLight = Rgb(120, 182, 250);
constexpr Color kBlueDark = Rgb(28, 96, 206);
constexpr Color kBlueEdge = Rgb(20, 64, 160);
constexpr Color kWhite = Rgb(255, 255, 255);

// --- The button glyphs (16 x 16 each) --------------------------------------------------------

void DrawHelp(Bitmap32& b) {
  Fill(b, Circle(8, 7.6, 7.2), Solid(kBlueEdge));
  Fill(b, Circle(8, 7.6, 6.3), Vertical(1.3, 13.9, kBlueLight, kBlueDark));
  Fill(b, And(Ellipse(8, 4.4, 4.4, 2.4), Circle(8, 7.6, 6.3)), Solid(kWhite), 0.3);
  Fill(b, Stroke({{6.0, 6.2}, {6.2, 4.9}, {7.0, 4.0}, {8.1, 3.7}, {9.2, 4.0}, {10.0, 4.9}, {10.0, 6.0},
                  {9.3, 6.9}, {8.3, 7.7}, {8.1, 8.6}, {8.1, 9.5}},
                 1.8),
       Solid(kWhite));
  Fill(b, Circle(8.1, 11.6, 1.1), Solid(kWhite));
}

void DrawUpdate(Bitmap32& b) {
  Fill(b, Polygon({{5.5, 1.0}, {10.5, 1.0}, {10.5, 7.0}, {14.6, 7.0}, {8.0, 14.6}, {1.4, 7.0}, {5.5, 7.0}}),
       Solid(kBlueEdge));
  Fill(b, Polygon({{6.5, 2.0}, {9.5, 2.0}, {9.5, 8.0}, {12.4, 8.0}, {8.0, 13.1}, {3.6, 8.0}, {6.5, 8.0}}),
       Vertical(2.0, 13.0, kBlueLight, kBlueDark));
  Fill(b, Box(6.5, 2.0, 7.6, 8.4), Solid(kWhite), 0.35);
}

void DrawHomePage(Bitmap32& b) {
  const Inside inner = Circle(8, 8, 6.3);
  Fill(b, Circle(8, 8, 7.2), Solid(Rgb(22, 78, 150)));
  Fill(b, inner, Vertical(1.7, 14.3, Rgb(118, 196, 252), Rgb(30, 112, 200)));
  const Inside land = Or(Or(Ellipse(5.4, 6.0, 2.7, 2.1), Ellipse(10.6, 10.6, 2.4, 2.7)), Ellipse(11.0, 4.3, 1.7, 1.1));
  Fill(b, And(land, inner), Vertical(3.0, 13.0, Rgb(110, 200, 80), Rgb(40, 140, 40)));
  const Inside meridian = Minus(Ellipse(8, 8, 3.3, 6.3), Ellipse(8, 8, 2.6, 5.6));
  Fill(b, And(Or(meridian, Box(1.7, 7.6, 14.3, 8.4)), inner), Solid(kWhite), 0.45);
  Fill(b, And(Box(7.6, 1.7, 8.4, 14.3), inner), Solid(kWhite), 0.45);
  Fill(b, And(Ellipse(6.5, 4.2, 3.6, 1.9), inner), Solid(kWhite), 0.3);
}

void DrawRefresh(Bitmap32& b) {
  // A ring open at the upper right; the arrow head at its top end points clockwise into the gap.
  const Inside gap = [](double x, double y) { return x > 8.0 && y < 8.0 && (8.0 - y) > (x - 8.0) * 0.45; };
  const Inside ring_outer = Minus(Minus(Circle(8, 8, 6.9), Circle(8, 8, 3.7)), gap);
  const Inside ring_inner = Minus(Minus(Circle(8, 8, 6.0), Circle(8, 8, 4.6)), gap);
  const Inside head_outer = Polygon({{7.9, -0.8}, {13.4, 2.7}, {7.9, 6.2}});
  const Inside head_inner = Polygon({{8.7, 0.9}, {11.6, 2.7}, {8.7, 4.5}});
  const PaintAt fill = Vertical(1.0, 14.9, kBlueLight, kBlueDark);
  Fill(b, Or(ring_outer, head_outer), Solid(kBlueEdge));
  Fill(b, Or(Or(ring_inner, head_inner), Box(7.5, 2.0, 8.8, 3.4)), fill);
}

void DrawEndPro(Bitmap32& b) {
  Fill(b, RoundRect(1.0, 2.5, 15.0, 13.5, 3.0), Solid(Rgb(140, 16, 16)));
  Fill(b, RoundRect(2.0, 3.5, 14.0, 12.5, 2.2), Vertical(3.5, 12.5, Rgb(252, 120, 108), Rgb(196, 28, 28)));
  Fill(b, RoundRect(2.8, 4.2, 13.2, 7.8, 1.6), Solid(kWhite), 0.3);
}

Bitmap32 Flatten(const RgbaImage& art, Color backdrop) {
  // Pixels with little coverage become the transparent colour; the rest lie over a face colour.
  Bitmap32 out(art.rgb.Width(), art.rgb.Height(), kGlyphKey);
  for (int y = 0; y < out.Height(); ++y) {
    for (int x = 0; x < out.Width(); ++x) {
      const int a = art.Alpha(x, y);
      if (a >= 40) out.SetPixel(x, y, Mix(backdrop, art.rgb.Pixel(x, y), a / 255.0));
    }
  }
  return out;
}

Color Greyed(Color c) {
  const int lum = (77 * RedOf(c) + 151 * GreenOf(c) + 28 * BlueOf(c) + 128) >> 8;
  const std::uint8_t g = std::uint8_t(112 + lum * 120 / 255);
  return Rgb(g, g, g);
}

Bitmap32 TwoImageGlyph(const std::function<void(Bitmap32&)>& art) {
  const Bitmap32 normal = Flatten(Render(16, 16, art), Rgb(240, 240, 236));
  Bitmap32 out(32, 16, kGlyphKey);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const Color c = normal.Pixel(x, y);
      out.SetPixel(x, y, c);
      out.SetPixel(16 + x, y, c == kGlyphKey ? kGlyphKey : Greyed(c));
    }
  }
  // The transparent colour is read from the bottom-left pixel.
  out.SetPixel(0, 15, kGlyphKey);
  return out;
}

std::function<void(Bitmap32&)> ArtOf(ButtonGlyph g) {
  switch (g) {
    case ButtonGlyph::kHelp: return DrawHelp;
    case ButtonGlyph::kUpdate: return DrawUpdate;
    case ButtonGlyph::kHomePage: return DrawHomePage;
    case ButtonGlyph::kRefresh: return DrawRefresh;
    case ButtonGlyph::kEndPro: return DrawEndPro;
  }
  return DrawHelp;
}

Bitmap32 Quantised(const Bitmap32& picture, std::vector<Color>& palette) {
  palette = MakePalette(picture, kGlyphKey);
  // The encoder maps each pixel to its nearest entry; do the same here so the picture is final.
  Bitmap32 out = picture;
  for (int y = 0; y < out.Height(); ++y) {
    for (int x = 0; x < out.Width(); ++x) {
      const Color c = out.Pixel(x, y);
      std::size_t best = 0;
      int best_d = 1 << 30;
      for (std::size_t i = 0; i < palette.size(); ++i) {
        const int dr = RedOf(c) - RedOf(palette[i]), dg = GreenOf(c) - GreenOf(palette[i]),
                  db = BlueOf(c) - BlueOf(palette[i]);
        const int d = dr * dr + dg * dg + db * db;
        if (d < best_d) {
          best_d = d;
          best = i;
        }
      }
      out.SetPixel(x, y, palette[best]);
    }
  }
  return out;
}

// --- Manage column glyph and program icon ----------------------------------------------------

void DrawManage(Bitmap32& b) {
  // A small window: frame, blue title bar, white body with two text lines.
  Fill(b, Box(1, 1, 15, 14), Solid(Rgb(64, 92, 140)));
  Fill(b, Box(2, 2, 14, 5), Vertical(2, 5, Rgb(100, 160, 236), Rgb(40, 100, 200)));
  Fill(b, Box(2, 5, 14, 13), Solid(kWhite));
  Fill(b, Box(4, 7, 11, 8), Solid(Rgb(176, 188, 206)));
  Fill(b, Box(4, 9, 9, 10), Solid(Rgb(176, 188, 206)));
  // A green plus over its lower right corner.
  const Inside plus_outer = Or(Box(9.0, 10.9, 18.6, 15.1), Box(11.7, 8.2, 15.9, 17.8));
  const Inside plus_inner = Or(Box(10.0, 11.9, 17.6, 14.1), Box(12.7, 9.2, 14.9, 16.8));
  Fill(b, plus_outer, Solid(Rgb(24, 116, 24)));
  Fill(b, plus_inner, Vertical(9, 17, Rgb(120, 220, 100), Rgb(40, 160, 40)));
}

void DrawIcon(Bitmap32& b, int size) {
  // Designed on a 48-pixel grid: a globe with a magnifying glass over its lower right.
  const double k = size / 48.0;
  const Inside inner = Scaled(Circle(21, 21, 17.5), k);
  Fill(b, Scaled(Circle(21, 21, 19.5), k), Solid(Rgb(22, 78, 150)));
  Fill(b, inner, Vertical(3 * k, 39 * k, Rgb(118, 196, 252), Rgb(30, 112, 200)));
  const Inside land = Scaled(Or(Or(Ellipse(13, 15, 7, 5.5), Ellipse(27, 28, 6.5, 7.5)), Ellipse(29, 10, 4.5, 3)), k);
  Fill(b, And(land, inner), Vertical(6 * k, 36 * k, Rgb(110, 200, 80), Rgb(40, 140, 40)));
  if (size >= 32) {
    const Inside meridian = Scaled(Minus(Ellipse(21, 21, 8.5, 17.5), Ellipse(21, 21, 7, 16)), k);
    const Inside lines = Scaled(Or(Box(3, 20.2, 39, 21.8), Box(20.2, 3, 21.8, 39)), k);
    Fill(b, And(Or(meridian, lines), inner), Solid(kWhite), 0.45);
  }
  Fill(b, And(Scaled(Ellipse(16, 11, 10, 5), k), inner), Solid(kWhite), 0.3);
  // The glass: a dark ring, a pale lens, a handle towards the corner.
  Fill(b, Scaled(Stroke({{36.5, 36.5}, {44.5, 44.5}}, 6.0), k), Solid(Rgb(60, 52, 44)));
  Fill(b, Scaled(Circle(31, 31, 11), k), Solid(Rgb(48, 48, 56)));
  Fill(b, Scaled(Circle(31, 31, 8), k), Vertical(23 * k, 39 * k, Rgb(236, 246, 255), Rgb(170, 200, 230)), 0.85);
  Fill(b, Scaled(Ellipse(28.5, 27.5, 4, 2.5), k), Solid(kWhite), 0.7);
}

RgbaImage OverWhite(RgbaImage art) {
  // Colours as they look on the white rows of the list; the alpha byte is kept beside them.
  for (int y = 0; y < art.rgb.Height(); ++y) {
    for (int x = 0; x < art.rgb.Width(); ++x) {
      art.rgb.SetPixel(x, y, Mix(kWhite, art.rgb.Pixel(x, y), art.Alpha(x, y) / 255.0));
    }
  }
  return art;
}

}  // namespace

Bitmap32 ButtonGlyphPicture(ButtonGlyph glyph) {
  std::vector<Color> palette;
  return Quantised(TwoImageGlyph(ArtOf(glyph)), palette);
}

RgbaImage ManageGlyphPicture() { return OverWhite(Render(19, 18, DrawManage)); }

RgbaImage ProgramIconPicture(int size) {
  return Render(size, size, [size](Bitmap32& b) { DrawIcon(b, size); });
}

std::vector<ArtFile> BuildGlyphArt() {
  struct Named {
    ButtonGlyph glyph;
    const char* file;
  };
  const Named glyphs[] = {{ButtonGlyph::kHelp, "glyphs/BTNHelp.bmp"},
                          {ButtonGlyph::kUpdate, "glyphs/BTNUpdate.bmp"},
                          {ButtonGlyph::kHomePage, "glyphs/BTNHomePage.bmp"},
                          {ButtonGlyph::kRefresh, "glyphs/BTNRefresh.bmp"},
                          {ButtonGlyph::kEndPro, "glyphs/BTNEndPro.bmp"}};
  std::vector<ArtFile> files;
  for (const Named& n : glyphs) {
    std::vector<Color> palette;
    const Bitmap32 picture = Quantised(TwoImageGlyph(ArtOf(n.glyph)), palette);
    files.push_back({n.file, EncodeBmp8(picture, palette)});
  }
  files.push_back({"glyphs/manage.bmp", EncodeBmp32(ManageGlyphPicture())});
  files.push_back({"netscry.ico", EncodeIco({ProgramIconPicture(16), ProgramIconPicture(32), ProgramIconPicture(48)})});
  return files;
}

}  // namespace glyphart
