#pragma once
// Colours are 32-bit values with red in the lowest byte (0x00BBGGRR), the platform's COLORREF layout.
// Pictures hold their pixels the other way round, as 32-bit DIBs do (DibPixel, below).
#include <bit>
#include <cstdint>

namespace netscry {

using Color = std::uint32_t;

constexpr Color Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return Color(r) | (Color(g) << 8) | (Color(b) << 16);
}
constexpr std::uint8_t RedOf(Color c) { return std::uint8_t(c & 0xFF); }
constexpr std::uint8_t GreenOf(Color c) { return std::uint8_t((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(Color c) { return std::uint8_t((c >> 16) & 0xFF); }

constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kWhite = Rgb(255, 255, 255);

// One pixel of a 32-bit DIB without compression: 0x00RRGGBB, so the bytes in memory are blue,
// green, red and an unused byte, which pictures keep at 0. A type of its own, so that a pixel is
// never taken for a Color (or the reverse) without a conversion.
enum class DibPixel : std::uint32_t {};

// The byte order above is what a little-endian machine stores; every target of this code is one.
static_assert(std::endian::native == std::endian::little, "DIB pixels are stored little-endian");

constexpr DibPixel DibPixelOfRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return DibPixel((std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | std::uint32_t(b));
}
constexpr DibPixel DibPixelOf(Color c) { return DibPixelOfRgb(RedOf(c), GreenOf(c), BlueOf(c)); }
constexpr Color ColorOfDibPixel(DibPixel p) {
  const auto v = std::uint32_t(p);
  return Rgb(std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v));
}

}  // namespace netscry
