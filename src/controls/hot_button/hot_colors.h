#pragma once
// The colour arithmetic of the hot-track buttons: hue, saturation and luminance on a 0 … 240
// scale, darkening and lightening by moving the luminance, and blending two colours.
#include "base/color.h"

namespace netscry {

struct HslColor {
  int h = 0;  // 0 … 240
  int s = 0;  // 0 … 240
  int l = 0;  // 0 … 240 from a colour; may exceed 240 after lightening (then it is white)
  friend bool operator==(const HslColor&, const HslColor&) = default;
};

// Each component taken to the nearest integer, halves to the even one.
HslColor ColorToHsl(Color c);
// The inverse; a luminance above 240 gives white, below 0 is taken as 0.
Color HslToColor(const HslColor& hsl);

// Luminance lowered by n (not below 0) or raised by n (not above 255).
Color DarkenColor(Color c, int n);
Color LightenColor(Color c, int n);

// Per channel the nearest integer to k/255 × a + (1 − k/255) × b, halves to the even one.
Color BlendColors(Color a, Color b, int k);

// Hues less than 20 and luminances less than 60 apart on the 0 … 240 scale.
bool ColorsAreClose(Color a, Color b);

}  // namespace netscry
