#pragma once
// Small raster helpers for drawing skin artwork into a Bitmap32: straight-alpha blending,
// gradients, anti-aliased rounded rectangles and strokes. Everything is integer or plain IEEE
// arithmetic (no transcendental functions), so every run writes the same bytes.
#include <functional>
#include <vector>

#include "base/bitmap32.h"

namespace skinart {

using netscry::Bitmap32;
using netscry::Color;

struct Rgbf {
  double r = 0, g = 0, b = 0;
};

Rgbf ToF(Color c);
Color ToColor(const Rgbf& c);
Color Mix(Color a, Color b, double t);  // t = 0 gives a, 1 gives b

// Colour at position t (0..1) along a list of evenly spaced or explicitly placed stops.
struct Stop {
  double at;
  Color color;
};
Color Gradient(const std::vector<Stop>& stops, double t);

// Paints colour c over (x, y) with the given opacity (0..1).
void Blend(Bitmap32& bmp, int x, int y, Color c, double alpha);

// Coverage (0..1) of pixel (x, y) by a rounded rectangle with per-corner radii, sampled on a
// 4 x 4 grid. Radii order: top-left, top-right, bottom-right, bottom-left.
struct Radii {
  double tl = 0, tr = 0, br = 0, bl = 0;
};
double RoundRectCoverage(int x, int y, double left, double top, double right, double bottom,
                         const Radii& r);

// Fills a rounded rectangle, taking each pixel's colour from fill(x, y).
void FillRoundRect(Bitmap32& bmp, double left, double top, double right, double bottom,
                   const Radii& r, const std::function<Color(int, int)>& fill, double alpha = 1.0);

// Strokes the outline of a rounded rectangle one pixel wide (inside the shape).
void StrokeRoundRect(Bitmap32& bmp, double left, double top, double right, double bottom,
                     const Radii& r, Color c, double alpha = 1.0, double width = 1.0);

// Anti-aliased thick segment from (x0, y0) to (x1, y1), in pixel-centre coordinates.
void Segment(Bitmap32& bmp, double x0, double y0, double x1, double y1, double width, Color c,
             double alpha = 1.0);

// Axis-aligned filled rectangle in whole pixels.
void Fill(Bitmap32& bmp, int left, int top, int right, int bottom, Color c, double alpha = 1.0);

// Vertical gradient over a rectangle.
void FillVertical(Bitmap32& bmp, int left, int top, int right, int bottom,
                  const std::vector<Stop>& stops);

}  // namespace skinart
