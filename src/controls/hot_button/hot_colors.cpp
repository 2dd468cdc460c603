#include "controls/hot_button/hot_colors.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace netscry {

namespace {

constexpr double kScale = 240.0;
// The way back divides the hue by one less than the scale.
constexpr double kHueBack = 239.0;

int RoundHalfEven(double v) {
  const double f = std::floor(v);
  const double diff = v - f;
  if (diff > 0.5) return int(f) + 1;
  if (diff < 0.5) return int(f);
  return std::fmod(f, 2.0) == 0.0 ? int(f) : int(f) + 1;
}

std::uint8_t Channel(double v01) { return std::uint8_t(std::clamp(RoundHalfEven(v01 * 255.0), 0, 255)); }

}  // namespace

HslColor ColorToHsl(Color c) {
  const double r = RedOf(c) / 255.0, g = GreenOf(c) / 255.0, b = BlueOf(c) / 255.0;
  const double hi = std::max({r, g, b}), lo = std::min({r, g, b});
  const double l = (hi + lo) / 2.0;
  double h = 0.0, s = 0.0;
  if (hi != lo) {
    const double d = hi - lo;
    s = l < 0.5 ? d / (hi + lo) : d / (2.0 - hi - lo);
    if (r == hi) {
      h = (g - b) / d;
    } else if (g == hi) {
      h = 2.0 + (b - r) / d;
    } else {
      h = 4.0 + (r - g) / d;
    }
    h /= 6.0;
    if (h < 0.0) h += 1.0;
  }
  return {RoundHalfEven(h * kScale), RoundHalfEven(s * kScale), RoundHalfEven(l * kScale)};
}

Color HslToColor(const HslColor& hsl) {
  if (hsl.l > 240) return kWhite;
  const double l = std::max(hsl.l, 0) / kScale;
  const double s = std::clamp(hsl.s, 0, 240) / kScale;
  if (s == 0.0) {
    const std::uint8_t v = Channel(l);
    return Rgb(v, v, v);
  }
  const double hi = l <= 0.5 ? l * (1.0 + s) : l + s - l * s;
  const double lo = 2.0 * l - hi;
  // Position on the colour circle in sixths: the integer part is the sector.
  const double pos = std::clamp(hsl.h, 0, 240) / kHueBack * 6.0;
  auto channel_at = [&](double p) {
    while (p < 0.0) p += 6.0;
    while (p >= 6.0) p -= 6.0;
    double v;
    if (p < 1.0) {
      v = lo + (hi - lo) * p;
    } else if (p < 3.0) {
      v = hi;
    } else if (p < 4.0) {
      v = lo + (hi - lo) * (4.0 - p);
    } else {
      v = lo;
    }
    return Channel(v);
  };
  return Rgb(channel_at(pos + 2.0), channel_at(pos), channel_at(pos - 2.0));
}

Color DarkenColor(Color c, int n) {
  HslColor hsl = ColorToHsl(c);
  hsl.l = std::max(hsl.l - n, 0);
  return HslToColor(hsl);
}

Color LightenColor(Color c, int n) {
  HslColor hsl = ColorToHsl(c);
  hsl.l = std::min(hsl.l + n, 255);
  return HslToColor(hsl);
}

Color BlendColors(Color a, Color b, int k) {
  const double t = std::clamp(k, 0, 255) / 255.0;
  auto mix = [t](std::uint8_t x, std::uint8_t y) {
    return std::uint8_t(std::clamp(RoundHalfEven(t * x + (1.0 - t) * y), 0, 255));
  };
  return Rgb(mix(RedOf(a), RedOf(b)), mix(GreenOf(a), GreenOf(b)), mix(BlueOf(a), BlueOf(b)));
}

bool ColorsAreClose(Color a, Color b) {
  const HslColor x = ColorToHsl(a), y = ColorToHsl(b);
  return std::abs(x.h - y.h) < 20 && std::abs(x.l - y.l) < 60;
}

}  // namespace netscry
