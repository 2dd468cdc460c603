#pragma once
// Colours are 32-bit values with red in the lowest byte (0x00BBGGRR), the platform's COLORREF layout.
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

}  // namespace netscry
