#include "forms/layout.h"

#include <algorithm>

namespace netscry::forms {

std::vector<Rect> AlignBoxes(const Rect& area, std::span<const AlignedBox> boxes) {
  std::vector<Rect> out;
  out.reserve(boxes.size());
  for (const AlignedBox& b : boxes) out.push_back(b.bounds);
  Rect rest = area;
  if (rest.right < rest.left) rest.right = rest.left;
  if (rest.bottom < rest.top) rest.bottom = rest.top;
  auto place = [&](TAlign which) {
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].align != which) continue;
      const int w = std::max(0, boxes[i].bounds.Width());
      const int h = std::max(0, boxes[i].bounds.Height());
      Rect r;
      switch (which) {
        case TAlign::alTop: {
          const int hh = std::min(h, rest.Height());
          r = {rest.left, rest.top, rest.right, rest.top + hh};
          rest.top += hh;
          break;
        }
        case TAlign::alBottom: {
          const int hh = std::min(h, rest.Height());
          r = {rest.left, rest.bottom - hh, rest.right, rest.bottom};
          rest.bottom -= hh;
          break;
        }
        case TAlign::alLeft: {
          const int ww = std::min(w, rest.Width());
          r = {rest.left, rest.top, rest.left + ww, rest.bottom};
          rest.left += ww;
          break;
        }
        case TAlign::alRight: {
          const int ww = std::min(w, rest.Width());
          r = {rest.right - ww, rest.top, rest.right, rest.bottom};
          rest.right -= ww;
          break;
        }
        case TAlign::alClient:
          r = rest;
          break;
        case TAlign::alNone:
          continue;
      }
      out[i] = r;
    }
  };
  place(TAlign::alTop);
  place(TAlign::alBottom);
  place(TAlign::alLeft);
  place(TAlign::alRight);
  place(TAlign::alClient);
  return out;
}

Rect AutoSizeBounds(const Rect& current, Size content, TTextAlign alignment) {
  const int w = std::max(0, content.cx);
  const int h = std::max(0, content.cy);
  int left = current.left;
  switch (alignment) {
    case TTextAlign::taLeftJustify:
      break;
    case TTextAlign::taRightJustify:
      left = current.right - w;
      break;
    case TTextAlign::taCenter:
      // The same centre: the old centre (left + width/2) minus the new half width.
      left = current.left + (current.Width() - w) / 2;
      break;
  }
  return {left, current.top, left + w, current.top + h};
}

Rect CenteredIn(const Rect& area, Size size) {
  const int left = area.left + (area.Width() - size.cx) / 2;
  const int top = area.top + (area.Height() - size.cy) / 2;
  return {left, top, left + size.cx, top + size.cy};
}

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
  return text;
}

}  // namespace netscry::forms
