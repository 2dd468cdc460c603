#pragma once
// The file formats the glyphs and the program icon are stored in: a 256-colour BMP (the palette
// made from the picture's own colours), a 32-bit BMP with an alpha byte, and an ICO of 32-bit
// images with their AND masks. Every encoder is deterministic.
#include <cstdint>
#include <vector>

#include "base/bitmap32.h"

namespace glyphart {

using netscry::Bitmap32;
using netscry::Color;

// A picture with straight (not premultiplied) alpha per pixel.
struct RgbaImage {
  Bitmap32 rgb;
  std::vector<std::uint8_t> alpha;  // one per pixel, top row first
  std::uint8_t Alpha(int x, int y) const {
    return rgb.InBounds(x, y) ? alpha[std::size_t(y) * std::size_t(rgb.Width()) + std::size_t(x)] : 0;
  }
};

// At most 256 colours for the picture: its own colours when there are that few, else a median
// cut of them. keep is always an exact entry (the transparent colour).
std::vector<Color> MakePalette(const Bitmap32& picture, Color keep);

// 8 bits per pixel, 256 palette entries, bottom-up rows. Pixels take their nearest palette colour.
std::vector<std::uint8_t> EncodeBmp8(const Bitmap32& picture, const std::vector<Color>& palette);
// 32 bits per pixel (blue, green, red, alpha), bottom-up rows.
std::vector<std::uint8_t> EncodeBmp32(const RgbaImage& picture);
// One 32-bit image per entry; widths and heights up to 256.
std::vector<std::uint8_t> EncodeIco(const std::vector<RgbaImage>& images);

}  // namespace glyphart
