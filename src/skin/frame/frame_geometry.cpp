#include "skin/frame/frame_geometry.h"

#include <algorithm>

namespace netscry {

int BoundCoord(int v) { return std::clamp(v, -kFrameCoordLimit, kFrameCoordLimit); }
Point BoundPoint(Point p) { return {BoundCoord(p.x), BoundCoord(p.y)}; }
Rect BoundRect(const Rect& r) {
  return {BoundCoord(r.left), BoundCoord(r.top), BoundCoord(r.right), BoundCoord(r.bottom)};
}

TskSkinFormInfo BoundFormInfo(const TskSkinFormInfo& in) {
  TskSkinFormInfo f = in;
  for (Point* p : {&f.LTPoint, &f.RTPoint, &f.LBPoint, &f.RBPoint, &f.HitTestLTPoint, &f.HitTestRTPoint,
                   &f.HitTestLBPoint, &f.HitTestRBPoint, &f.RollUpLeftPoint, &f.RollUpRightPoint}) {
    *p = BoundPoint(*p);
  }
  for (Rect* r : {&f.ClientRect, &f.ButtonsRect, &f.CaptionRect, &f.MaskRectArea, &f.MainMenuRect, &f.IconRect}) {
    *r = BoundRect(*r);
  }
  f.ButtonsOffset = BoundCoord(f.ButtonsOffset);
  f.BorderWidth = BoundCoord(f.BorderWidth);
  return f;
}

FrameGeometry ComputeGeometry(const TskSkinFormInfo& raw, Size picture, int width, int height) {
  const TskSkinFormInfo info = BoundFormInfo(raw);
  picture = {BoundCoord(picture.cx), BoundCoord(picture.cy)};
  width = BoundCoord(width);
  height = BoundCoord(height);
  FrameGeometry g;
  g.width = width;
  g.height = height;
  g.pw = picture.cx;
  g.ph = picture.cy;
  g.dx = width - picture.cx;
  g.dy = height - picture.cy;
  g.lt = info.LTPoint;
  g.rt = {info.RTPoint.x + g.dx, info.RTPoint.y};
  g.lb = {info.LBPoint.x, info.LBPoint.y + g.dy};
  g.rb = {info.RBPoint.x + g.dx, info.RBPoint.y + g.dy};
  const Rect& cr = info.ClientRect;
  g.client = {cr.left, cr.top, cr.right + g.dx, cr.bottom + g.dy};
  g.caption = info.CaptionRect;
  if (!g.caption.IsEmpty()) g.caption.right += g.dx;
  g.buttons = info.ButtonsRect;
  // Only a band in the right half of the picture follows the right edge.
  if (!g.buttons.IsEmpty() && g.buttons.left > g.pw / 2) g.buttons = g.buttons.Offset(g.dx, 0);
  g.hit_lt = info.HitTestLTPoint;
  g.hit_rt = {info.HitTestRTPoint.x + g.dx, info.HitTestRTPoint.y};
  g.hit_lb = {info.HitTestLBPoint.x, info.HitTestLBPoint.y + g.dy};
  g.hit_rb = {info.HitTestRBPoint.x + g.dx, info.HitTestRBPoint.y + g.dy};
  const Rect& mr = info.MaskRectArea;
  g.mask_rect = {mr.left, mr.top, mr.right + g.dx, mr.bottom + g.dy};
  return g;
}

Rect AnchorObjectRect(const Rect& raw, const TskSkinFormInfo& info, const FrameGeometry& g) {
  const Rect r = BoundRect(raw);
  const Point lt = BoundPoint(info.LTPoint), rt = BoundPoint(info.RTPoint), lb = BoundPoint(info.LBPoint),
              rb = BoundPoint(info.RBPoint);
  const Rect top_left{0, 0, lt.x, lt.y};
  const Rect top_right{rt.x, 0, g.pw, rt.y};
  const Rect bottom_left{0, lb.y, lb.x, g.ph};
  const Rect bottom_right{rb.x, rb.y, g.pw, g.ph};
  const Point a{r.left, r.top}, b{r.right, r.bottom};
  auto in = [&](const Rect& zone) { return zone.Contains(a) && zone.Contains(b); };
  if (in(top_left)) return r;
  if (in(top_right)) return r.Offset(g.dx, 0);
  if (in(bottom_left)) return r.Offset(0, g.dy);
  if (in(bottom_right)) return r.Offset(g.dx, g.dy);
  const bool a_tl = top_left.Contains(a), a_tr = top_right.Contains(a), a_bl = bottom_left.Contains(a);
  const bool b_tr = top_right.Contains(b), b_bl = bottom_left.Contains(b), b_br = bottom_right.Contains(b);
  if (a_tl && b_br) return {r.left, r.top, r.right + g.dx, r.bottom + g.dy};
  if (a_tl && b_tr) return {r.left, r.top, r.right + g.dx, r.bottom};
  if (a_bl && b_br) return {r.left, r.top + g.dy, r.right + g.dx, r.bottom + g.dy};
  if (a_tl && b_bl) return {r.left, r.top, r.right, r.bottom + g.dy};
  if (a_tr && b_br) return {r.left + g.dx, r.top, r.right + g.dx, r.bottom + g.dy};
  return r;
}

}  // namespace netscry
