#pragma once
// The skin's frame geometry stretched to a window size, and where frame objects sit.
#include "base/geometry.h"
#include "skin/skin_descriptions.h"

namespace netscry {

// The [FORMINFO] values moved for a window of width × height: everything left of the corner
// points' left column and above their top row stays put, everything right of the right column
// moves with the right edge (dx), everything below the bottom row with the bottom edge (dy).
struct FrameGeometry {
  int width = 0, height = 0;  // window size W × H
  int pw = 0, ph = 0;         // frame picture size
  int dx = 0, dy = 0;         // W − pw, H − ph
  Point lt, rt, lb, rb;       // corner points
  Rect client;                // client rectangle (window coordinates)
  Rect caption;               // caption band
  Rect buttons;               // caption-button band ("buttonsrect"; empty when the skin has none)
  Point hit_lt, hit_rt, hit_lb, hit_rb;  // corners of the sizing zones
  Rect mask_rect;             // area that always belongs to the window shape
};

// Skin coordinates are outside data. Every coordinate, size and offset the frame computes with
// is first limited to ±kFrameCoordLimit, so sums of a few of them never overflow.
constexpr int kFrameCoordLimit = 1 << 20;
int BoundCoord(int v);
Point BoundPoint(Point p);
Rect BoundRect(const Rect& r);
// The [FORMINFO] values with every coordinate and offset bounded.
TskSkinFormInfo BoundFormInfo(const TskSkinFormInfo& info);

FrameGeometry ComputeGeometry(const TskSkinFormInfo& info, Size picture, int width, int height);

// An object's rectangle for the current size, from its place in the frame picture ("skinrect"):
// by the four corner zones of the picture a rectangle stays, moves with the right or bottom
// edge, or stretches between them.
Rect AnchorObjectRect(const Rect& skin_rect, const TskSkinFormInfo& info, const FrameGeometry& g);

}  // namespace netscry
