// The committed glyphs and program icon are exactly what the generator makes, in the formats the
// program loads: 32 x 16 256-colour button glyphs, the 19 x 18 32-bit manage glyph, and an icon
// of 16, 32 and 48 pixels.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "glyph_art.h"
#include "skin/skin_bmp.h"

namespace netscry {
namespace {

std::vector<std::uint8_t> ReadResource(const std::string& path) {
  std::ifstream in(std::string(NETSCRY_RESOURCES_DIR) + "/" + path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(CarriedGlyphs, GeneratorIsDeterministicAndMatchesTheCommittedFiles) {
  const std::vector<glyphart::ArtFile> made = glyphart::BuildGlyphArt(), again = glyphart::BuildGlyphArt();
  ASSERT_EQ(made.size(), 7u);
  ASSERT_EQ(again.size(), made.size());
  for (std::size_t i = 0; i < made.size(); ++i) {
    EXPECT_EQ(made[i].path, again[i].path);
    EXPECT_EQ(made[i].bytes, again[i].bytes) << made[i].path;
    EXPECT_EQ(ReadResource(made[i].path), made[i].bytes)
        << made[i].path << " differs from the generator: run tools/glyphart/regenerate.sh";
  }
}

TEST(CarriedGlyphs, ButtonGlyphsAre256ColourPairsWithATransparentCorner) {
  using glyphart::ButtonGlyph;
  const std::pair<ButtonGlyph, const char*> glyphs[] = {
      {ButtonGlyph::kHelp, "glyphs/BTNHelp.bmp"},       {ButtonGlyph::kUpdate, "glyphs/BTNUpdate.bmp"},
      {ButtonGlyph::kHomePage, "glyphs/BTNHomePage.bmp"}, {ButtonGlyph::kRefresh, "glyphs/BTNRefresh.bmp"},
      {ButtonGlyph::kEndPro, "glyphs/BTNEndPro.bmp"}};
  for (const auto& [glyph, path] : glyphs) {
    const std::vector<std::uint8_t> bytes = ReadResource(path);
    std::size_t consumed = 0;
    const SkinBitmap bmp = DecodeBmp(bytes, consumed);
    EXPECT_EQ(consumed, bytes.size()) << path;
    EXPECT_EQ(bmp.BitCount(), 8) << path;
    ASSERT_EQ(bmp.Width(), 32) << path;
    ASSERT_EQ(bmp.Height(), 16) << path;
    EXPECT_EQ(static_cast<const Bitmap32&>(bmp), glyphart::ButtonGlyphPicture(glyph)) << path;
    const Color key = bmp.Pixel(0, 15);
    EXPECT_EQ(key, glyphart::kGlyphKey) << path;
    int normal_ink = 0, grey_ink = 0, coloured_grey = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const Color a = bmp.Pixel(x, y), b = bmp.Pixel(16 + x, y);
        // The two images cover the same pixels; the second is grey.
        EXPECT_EQ(a == key, b == key) << path << " at " << x << "," << y;
        normal_ink += a != key;
        grey_ink += b != key;
        if (b != key && (RedOf(b) != GreenOf(b) || GreenOf(b) != BlueOf(b))) ++coloured_grey;
      }
    }
    EXPECT_GT(normal_ink, 60) << path;
    EXPECT_EQ(grey_ink, normal_ink) << path;
    EXPECT_EQ(coloured_grey, 0) << path;
  }
}

TEST(CarriedGlyphs, ManageGlyphIs32BitNineteenByEighteen) {
  const std::vector<std::uint8_t> bytes = ReadResource("glyphs/manage.bmp");
  std::size_t consumed = 0;
  const SkinBitmap bmp = DecodeBmp(bytes, consumed);
  EXPECT_EQ(bmp.BitCount(), 32);
  EXPECT_EQ(bmp.Width(), 19);
  EXPECT_EQ(bmp.Height(), 18);
  // The green plus at the lower right, the window's white body.
  const Color plus = bmp.Pixel(13, 12);
  EXPECT_GT(GreenOf(plus), RedOf(plus) + 60);
  EXPECT_GT(GreenOf(plus), BlueOf(plus) + 60);
  EXPECT_EQ(bmp.Pixel(5, 11), kWhite);
}

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return at + 4 <= b.size() ? std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
                                  std::uint32_t(b[at + 3]) << 24
                            : 0;
}

TEST(CarriedGlyphs, ProgramIconHolds16_32And48PixelImages) {
  const std::vector<std::uint8_t> ico = ReadResource("netscry.ico");
  ASSERT_GE(ico.size(), 6u + 3 * 16);
  EXPECT_EQ(ico[2], 1);  // an icon
  ASSERT_EQ(ico[4], 3);  // three images
  for (int i = 0; i < 3; ++i) {
    const std::size_t e = 6 + 16 * std::size_t(i);
    const int size = 16 * (i + 1);
    EXPECT_EQ(ico[e], size);
    EXPECT_EQ(ico[e + 1], size);
    EXPECT_EQ(ico[e + 6], 32);  // bits per pixel
    const std::uint32_t length = Le32(ico, e + 8), offset = Le32(ico, e + 12);
    ASSERT_LE(std::size_t(offset) + length, ico.size());
    const std::uint32_t mask_stride = (std::uint32_t(size) + 31) / 32 * 4;
    EXPECT_EQ(length, 40 + std::uint32_t(size * size * 4) + mask_stride * std::uint32_t(size));
    EXPECT_EQ(Le32(ico, offset + 4), std::uint32_t(size));       // width
    EXPECT_EQ(Le32(ico, offset + 8), std::uint32_t(size * 2));   // height of colour and mask
    // The corners are transparent, the middle opaque.
    const glyphart::RgbaImage img = glyphart::ProgramIconPicture(size);
    EXPECT_EQ(img.Alpha(0, 0), 0);
    EXPECT_EQ(img.Alpha(size - 1, 0), 0);
    EXPECT_EQ(img.Alpha(size / 2, size / 2), 255);
  }
}

}  // namespace
}  // namespace netscry
