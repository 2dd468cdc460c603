#include "paint.h"

#include <algorithm>
#include <cmath>

namespace skinart {

using netscry::Rgb;

Rgbf ToF(Color c) { return {double(netscry::RedOf(c)), double(netscry::GreenOf(c)), double(netscry::BlueOf(c))}; }

static std::uint8_t Channel(double v) {
  v = std::clamp(v, 0.0, 255.0);
  return std::uint8_t(int(v + 0.5));
}

Color ToColor(const Rgbf& c) { return Rgb(Channel(c.r), Channel(c.g), Channel(c.b)); }

Color Mix(Color a, Color b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  const Rgbf fa = ToF(a), fb = ToF(b);
  return ToColor({fa.r + (fb.r - fa.r) * t, fa.g + (fb.g - fa.g) * t, fa.b + (fb.b - fa.b) * t});
}

Color Gradient(const std::vector<Stop>& stops, double t) {
  if (stops.empty()) return 0;
  if (t <= stops.front().at) return stops.front().color;
  for (std::size_t i = 1; i < stops.size(); ++i) {
    if (t <= stops[i].at) {
      const double span = stops[i].at - stops[i - 1].at;
      return Mix(stops[i - 1].color, stops[i].color, span > 0 ? (t - stops[i - 1].at) / span : 1.0);
    }
  }
  return stops.back().color;
}

void Blend(Bitmap32& bmp, int x, int y, Color c, double alpha) {
  if (!bmp.InBounds(x, y) || alpha <= 0) return;
  bmp.SetPixel(x, y, Mix(bmp.Pixel(x, y), c, alpha));
}

static bool InsideRoundRect(double px, double py, double l, double t, double r, double b,
                            const Radii& rad) {
  if (px < l || px >= r || py < t || py >= b) return false;
  auto outside_corner = [&](double cx, double cy, double radius) {
    const double dx = px - cx, dy = py - cy;
    return dx * dx + dy * dy > radius * radius;
  };
  if (rad.tl > 0 && px < l + rad.tl && py < t + rad.tl && outside_corner(l + rad.tl, t + rad.tl, rad.tl)) return false;
  if (rad.tr > 0 && px > r - rad.tr && py < t + rad.tr && outside_corner(r - rad.tr, t + rad.tr, rad.tr)) return false;
  if (rad.br > 0 && px > r - rad.br && py > b - rad.br && outside_corner(r - rad.br, b - rad.br, rad.br)) return false;
  if (rad.bl > 0 && px < l + rad.bl && py > b - rad.bl && outside_corner(l + rad.bl, b - rad.bl, rad.bl)) return false;
  return true;
}

double RoundRectCoverage(int x, int y, double left, double top, double right, double bottom,
                         const Radii& r) {
  int hits = 0;
  for (int sy = 0; sy < 4; ++sy) {
    for (int sx = 0; sx < 4; ++sx) {
      if (InsideRoundRect(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0, left, top, right, bottom, r)) ++hits;
    }
  }
  return hits / 16.0;
}

void FillRoundRect(Bitmap32& bmp, double left, double top, double right, double bottom,
                   const Radii& r, const std::function<Color(int, int)>& fill, double alpha) {
  const int x0 = std::max(0, int(std::floor(left))), y0 = std::max(0, int(std::floor(top)));
  const int x1 = std::min(bmp.Width(), int(std::ceil(right))), y1 = std::min(bmp.Height(), int(std::ceil(bottom)));
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const double cov = RoundRectCoverage(x, y, left, top, right, bottom, r);
      if (cov > 0) Blend(bmp, x, y, fill(x, y), cov * alpha);
    }
  }
}

void StrokeRoundRect(Bitmap32& bmp, double left, double top, double right, double bottom,
                     const Radii& r, Color c, double alpha, double width) {
  const Radii inner{std::max(0.0, r.tl - width), std::max(0.0, r.tr - width), std::max(0.0, r.br - width),
                    std::max(0.0, r.bl - width)};
  const int x0 = std::max(0, int(std::floor(left))), y0 = std::max(0, int(std::floor(top)));
  const int x1 = std::min(bmp.Width(), int(std::ceil(right))), y1 = std::min(bmp.Height(), int(std::ceil(bottom)));
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const double outer_cov = RoundRectCoverage(x, y, left, top, right, bottom, r);
      const double inner_cov =
          RoundRectCoverage(x, y, left + width, top + width, right - width, bottom - width, inner);
      const double cov = outer_cov - inner_cov;
      if (cov > 0) Blend(bmp, x, y, c, cov * alpha);
    }
  }
}

void Segment(Bitmap32& bmp, double x0, double y0, double x1, double y1, double width, Color c,
             double alpha) {
  const double half = width / 2.0;
  const int bx0 = std::max(0, int(std::floor(std::min(x0, x1) - half - 1)));
  const int by0 = std::max(0, int(std::floor(std::min(y0, y1) - half - 1)));
  const int bx1 = std::min(bmp.Width() - 1, int(std::ceil(std::max(x0, x1) + half + 1)));
  const int by1 = std::min(bmp.Height() - 1, int(std::ceil(std::max(y0, y1) + half + 1)));
  const double vx = x1 - x0, vy = y1 - y0;
  const double len2 = vx * vx + vy * vy;
  for (int y = by0; y <= by1; ++y) {
    for (int x = bx0; x <= bx1; ++x) {
      int hits = 0;
      for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
          // Pixel (x, y) covers [x, x+1) x [y, y+1); its centre is (x + 0.5, y + 0.5).
          const double px = x + (sx + 0.5) / 4.0 - 0.5, py = y + (sy + 0.5) / 4.0 - 0.5;
          double t = len2 > 0 ? ((px - x0) * vx + (py - y0) * vy) / len2 : 0.0;
          t = std::clamp(t, 0.0, 1.0);
          const double dx = px - (x0 + t * vx), dy = py - (y0 + t * vy);
          if (dx * dx + dy * dy <= half * half) ++hits;
        }
      }
      if (hits) Blend(bmp, x, y, c, alpha * hits / 16.0);
    }
  }
}

void Fill(Bitmap32& bmp, int left, int top, int right, int bottom, Color c, double alpha) {
  for (int y = std::max(0, top); y < std::min(bmp.Height(), bottom); ++y) {
    for (int x = std::max(0, left); x < std::min(bmp.Width(), right); ++x) Blend(bmp, x, y, c, alpha);
  }
}

void FillVertical(Bitmap32& bmp, int left, int top, int right, int bottom,
                  const std::vector<Stop>& stops) {
  const int h = bottom - top;
  for (int y = std::max(0, top); y < std::min(bmp.Height(), bottom); ++y) {
    const Color c = Gradient(stops, h > 1 ? double(y - top) / double(h - 1) : 0.0);
    for (int x = std::max(0, left); x < std::min(bmp.Width(), right); ++x) bmp.SetPixel(x, y, c);
  }
}

}  // namespace skinart
