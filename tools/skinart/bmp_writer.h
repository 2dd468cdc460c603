#pragma once
// Writes Windows BMP file images (bottom-up rows, BITMAPINFOHEADER) in the three depths the
// skins carry: 24-bit colour, 8-bit with a grey palette, and 1-bit black and white.
#include <cstdint>
#include <string>
#include <vector>

#include "base/bitmap32.h"

namespace skinart {

enum class BmpDepth { k24, k8Grey, k1 };

// 1-bit: a pixel whose red + green + blue is 0 is black (palette index 0), any other is white.
// 8-bit: the palette is 256 greys and each pixel keeps the grey of its green channel.
std::vector<std::uint8_t> EncodeBmp(const netscry::Bitmap32& bmp, BmpDepth depth);

// Writes the bytes to path; returns false with a message on failure.
bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error);
bool WriteFile(const std::string& path, const std::string& text, std::string& error);

}  // namespace skinart
