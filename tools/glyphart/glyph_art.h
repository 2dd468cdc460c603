#pragma once
// The program's small pictures: the five button glyphs of the main window (32 x 16, 256 colours:
// the normal image and a grey disabled image side by side, the bottom-left pixel transparent),
// the 19 x 18 glyph of the list's manage column, and the program icon (16, 32 and 48 pixels).
// Drawn with plain arithmetic only (no transcendental functions), so every run gives the same bytes.
#include <cstdint>
#include <string>
#include <vector>

#include "image_files.h"

namespace glyphart {

// The colour that marks transparent glyph pixels (the glyphs' bottom-left pixel).
constexpr Color kGlyphKey = netscry::Rgb(255, 0, 255);

enum class ButtonGlyph { kHelp, kUpdate, kHomePage, kRefresh, kEndPro };

// The 32 x 16 picture of a button glyph, in its final (palette) colours.
Bitmap32 ButtonGlyphPicture(ButtonGlyph glyph);
// The manage column's 19 x 18 picture, alpha included.
RgbaImage ManageGlyphPicture();
// The program icon at size x size pixels.
RgbaImage ProgramIconPicture(int size);

struct ArtFile {
  std::string path;  // relative to the resources folder, '/' separated
  std::vector<std::uint8_t> bytes;
};
// Every file, in a fixed order: glyphs/*.bmp, then netscry.ico.
std::vector<ArtFile> BuildGlyphArt();

}  // namespace glyphart
