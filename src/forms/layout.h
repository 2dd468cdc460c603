#pragma once
// Placement arithmetic of the window layer: aligned children, self-sizing labels, centring.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"

namespace netscry::forms {

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TTextAlign { taLeftJustify, taRightJustify, taCenter };

struct AlignedBox {
  TAlign align = TAlign::alNone;
  Rect bounds;  // current bounds; the aligned side keeps its width or height from here
};

// Places aligned boxes in area the way the framework does: first every alTop box (in the given
// order, each below the previous, full width, its own height), then alBottom (upwards from the
// bottom), then alLeft (rightwards, full remaining height, own width), then alRight (leftwards
// from the right: the first alRight box is the rightmost), then alClient boxes take what is left.
// alNone boxes keep their bounds. Sizes never go negative. Returns the new bounds, in order.
std::vector<Rect> AlignBoxes(const Rect& area, std::span<const AlignedBox> boxes);

// The bounds of a self-sizing control whose content measures `content`: width and height become
// the content's; the anchor follows the text alignment (left edge kept for left-justified text,
// right edge for right-justified, centre for centred).
Rect AutoSizeBounds(const Rect& current, Size content, TTextAlign alignment);

// A box of the given size centred in area (rounded towards the top-left).
Rect CenteredIn(const Rect& area, Size size);

// The text the default error handler shows: the message with "." appended when its last
// character sorts after "." (compared as an unsigned byte). An empty message stays empty.
std::string ErrorBoxText(std::string_view message);

}  // namespace netscry::forms
