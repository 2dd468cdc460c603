#pragma once
// Paints a glass window frame picture (and its shape mask) of a given size.
#include <vector>

#include "base/geometry.h"
#include "paint.h"

namespace skinart {

struct Streak {
  double centre;     // along u = x + slant * y
  double half_width;
  double alpha;
};

struct FrameStyle {
  int width = 0, height = 0;
  double radius = 0;               // top corners
  netscry::Rect client;            // client part of the picture
  int caption_bottom = 0;          // rows above this belong to the caption band
  std::vector<Stop> glass;         // body colour by row (0 = top row, 1 = bottom row)
  double top_gloss = 0;            // white sheen over the caption band, fading downwards
  std::vector<Streak> streaks;     // light reflections across the caption band
  double slant = 0.9;
  int streak_left = 0, streak_right = 0;
  Color outer = 0;                 // outermost line
  double outer_alpha = 1;
  Color inner_light = 0;           // the glass edge's inner highlight
  double inner_light_alpha = 0;
  Color edge_dark = 0, edge_light = 0;  // lines around the client part
  double edge_light_alpha = 0;
  Color client_fill = 0;
};

Bitmap32 PaintFrame(const FrameStyle& s);
// Black (part of the window) inside the rounded outline, white outside.
Bitmap32 PaintMask(const FrameStyle& s);

}  // namespace skinart
