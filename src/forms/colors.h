#pragma once
// Colour values of the components: an RGB colour (0x00BBGGRR) or a system colour that follows
// the platform's scheme, marked by the top bit with the platform's colour index below.
#include <cstdint>

#include "base/color.h"

namespace netscry::forms {

constexpr Color kSystemColorFlag = 0x80000000u;
constexpr Color SystemColor(int index) { return kSystemColorFlag | Color(std::uint32_t(index) & 0xFFu); }
constexpr bool IsSystemColor(Color c) { return (c & kSystemColorFlag) != 0; }
constexpr int SystemColorIndex(Color c) { return int(c & 0xFFu); }

// The platform's colour indices that the windows use (values of the platform's COLOR_ constants).
constexpr Color clBtnFace = SystemColor(15);
constexpr Color clBtnShadow = SystemColor(16);
constexpr Color clBtnText = SystemColor(18);
constexpr Color clBtnHighlight = SystemColor(20);
constexpr Color clWindow = SystemColor(5);
constexpr Color clWindowText = SystemColor(8);

constexpr Color clBlack = Rgb(0, 0, 0);
constexpr Color clWhite = Rgb(255, 255, 255);
constexpr Color clRed = Rgb(255, 0, 0);
constexpr Color clBlue = Rgb(0, 0, 255);

}  // namespace netscry::forms
