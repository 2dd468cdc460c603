// BMP images inside skin packages: decoding every depth, and refusing every malformed header.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>

#include "skin/skin_bmp.h"
#include "skin/skin_error.h"
#include "skin_test_util.h"

namespace netscry {
namespace {

using skintest::Put16;
using skintest::Put32;

// A BMP image put together field by field; palette entries are colours, pixels are raw rows.
std::vector<std::uint8_t> RawBmp(int width, int height, int bits, std::uint32_t clr_used,
                                 const std::vector<Color>& palette, const std::vector<std::uint8_t>& pixels) {
  std::vector<std::uint8_t> b(54, 0);
  b[0] = 'B';
  b[1] = 'M';
  const std::size_t off = 54 + palette.size() * 4;
  Put32(b, 2, std::uint32_t(off + pixels.size()));
  Put32(b, 10, std::uint32_t(off));
  Put32(b, 14, 40);
  Put32(b, 18, std::uint32_t(width));
  Put32(b, 22, std::uint32_t(height));
  Put16(b, 26, 1);
  Put16(b, 28, std::uint32_t(bits));
  Put32(b, 46, clr_used);
  for (Color c : palette) {
    b.push_back(BlueOf(c));
    b.push_back(GreenOf(c));
    b.push_back(RedOf(c));
    b.push_back(0);
  }
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

// The colours of a picture, row after row.
std::vector<Color> Colors(const Bitmap32& b) {
  std::vector<Color> colors;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) colors.push_back(b.Pixel(x, y));
  return colors;
}

SkinBitmap Decode(const std::vector<std::uint8_t>& bytes, std::size_t* consumed_out = nullptr) {
  std::size_t consumed = 0;
  SkinBitmap b = DecodeBmp(bytes, consumed);
  if (consumed_out) *consumed_out = consumed;
  return b;
}

TEST(SkinBmp, DecodesEveryDepth) {
  const Color red = Rgb(255, 0, 0), green = Rgb(0, 255, 0), blue = Rgb(0, 0, 255);
  {  // 1 bit, bottom-up, 3 × 2: rows are stored bottom row first
    auto bytes = RawBmp(3, 2, 1, 0, {kBlack, kWhite}, {0xA0, 0, 0, 0, 0x40, 0, 0, 0});
    std::size_t consumed = 0;
    SkinBitmap b = Decode(bytes, &consumed);
    EXPECT_EQ(consumed, bytes.size());
    EXPECT_EQ(b.BitCount(), 1);
    EXPECT_EQ(Colors(b), (std::vector<Color>{kBlack, kWhite, kBlack, kWhite, kBlack, kWhite}));
  }
  {  // 4 bits: two pixels a byte, high nibble first; a 16-entry table when biClrUsed is 0
    std::vector<Color> pal(16, kBlack);
    pal[1] = red;
    pal[2] = green;
    pal[3] = blue;
    SkinBitmap b = Decode(RawBmp(3, 1, 4, 0, pal, {0x12, 0x30, 0, 0}));
    EXPECT_EQ(Colors(b), (std::vector<Color>{red, green, blue}));
  }
  {  // 8 bits with a short table: an index past it reads as black
    SkinBitmap b = Decode(RawBmp(2, 1, 8, 3, {red, green, blue}, {2, 5, 0, 0}));
    EXPECT_EQ(b.BitCount(), 8);
    EXPECT_EQ(Colors(b), (std::vector<Color>{blue, kBlack}));
  }
  {  // the fourth byte of a table entry is not part of the colour either
    auto bytes = RawBmp(2, 1, 8, 2, {red, Rgb(1, 2, 3)}, {1, 0, 0, 0});
    bytes[54 + 4 + 3] = 0xFF;
    Bitmap32 expected(2, 1, red);
    expected.SetPixel(0, 0, Rgb(1, 2, 3));
    EXPECT_EQ(static_cast<const Bitmap32&>(Decode(bytes)), expected);
  }
  {  // 16 bits, 5-5-5
    SkinBitmap b = Decode(RawBmp(2, 1, 16, 0, {}, {0x00, 0x7C, 0x1F, 0x00}));
    EXPECT_EQ(Colors(b), (std::vector<Color>{red, blue}));
  }
  {  // 24 bits, top-down (negative height), rows padded to 4 bytes
    SkinBitmap b = Decode(RawBmp(1, -2, 24, 0, {}, {0, 0, 255, 0, 0, 255, 0, 0}));
    EXPECT_EQ(b.Width(), 1);
    EXPECT_EQ(b.Height(), 2);
    EXPECT_EQ(Colors(b), (std::vector<Color>{red, green}));
  }
  {  // 32 bits, the fourth byte ignored: the stored pixel equals one set from the colour
    SkinBitmap b = Decode(RawBmp(1, 1, 32, 0, {}, {255, 0, 0, 0x80}));
    EXPECT_EQ(Colors(b), (std::vector<Color>{blue}));
    EXPECT_EQ(static_cast<const Bitmap32&>(b), Bitmap32(1, 1, blue));
  }
}

TEST(SkinBmp, EncodedPicturesDecodeToThemselves) {
  Bitmap32 colours = skintest::MarkedPicture(13, 7, 9);
  for (int bits : {24, 32}) {
    std::size_t consumed = 0;
    auto bytes = EncodeBmp(colours, bits);
    SkinBitmap b = DecodeBmp(bytes, consumed);
    EXPECT_EQ(consumed, bytes.size());
    EXPECT_EQ(static_cast<const Bitmap32&>(b), colours) << bits;
    EXPECT_EQ(b.BitCount(), bits);
  }
  Bitmap32 few(9, 3, Rgb(1, 2, 3));
  few.SetPixel(4, 1, Rgb(200, 100, 50));
  EXPECT_EQ(static_cast<const Bitmap32&>(Decode(EncodeBmp(few, 8))), few);
  Bitmap32 mask(17, 5, kBlack);
  mask.SetPixel(16, 4, kWhite);
  mask.SetPixel(0, 0, kWhite);
  EXPECT_EQ(static_cast<const Bitmap32&>(Decode(EncodeBmp(mask, 1))), mask);
  EXPECT_THROW(EncodeBmp(skintest::MarkedPicture(20, 20, 1), 8), SkinError);  // 400 colours
  EXPECT_THROW(EncodeBmp(Bitmap32(), 24), SkinError);
}

TEST(SkinBmp, ConsumesExactlyTheImageAndIgnoresWhatFollows) {
  auto bytes = skintest::MarkedBmp(5, 3, 1);
  const std::size_t image = bytes.size();
  bytes.insert(bytes.end(), {'n', 'e', 'x', 't'});
  Put32(bytes, 2, 12345);  // the size field is not what the reader goes by
  std::size_t consumed = 0;
  DecodeBmp(bytes, consumed);
  EXPECT_EQ(consumed, image);
}

TEST(SkinBmp, RefusesMalformedHeaders) {
  const std::vector<std::uint8_t> good = skintest::MarkedBmp(4, 4, 7);  // 24 bits, 48 pixel bytes
  struct Case {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> change;
  };
  const Case cases[] = {
      {"wrong magic", [](auto& b) { b[1] = 'A'; }},
      {"shorter than the headers", [](auto& b) { b.resize(53); }},
      {"empty", [](auto& b) { b.clear(); }},
      {"a version 5 info header", [](auto& b) { Put32(b, 14, 124); }},
      {"two planes", [](auto& b) { Put16(b, 26, 2); }},
      {"bit count 7", [](auto& b) { Put16(b, 28, 7); }},
      {"bit count 0", [](auto& b) { Put16(b, 28, 0); }},
      {"bit count 64", [](auto& b) { Put16(b, 28, 64); }},
      {"run-length compression", [](auto& b) { Put32(b, 30, 1); }},
      {"bit fields", [](auto& b) { Put32(b, 30, 3); }},
      {"width 0", [](auto& b) { Put32(b, 18, 0); }},
      {"negative width", [](auto& b) { Put32(b, 18, std::uint32_t(-4)); }},
      {"height 0", [](auto& b) { Put32(b, 22, 0); }},
      {"height INT_MIN", [](auto& b) { Put32(b, 22, 0x80000000u); }},
      {"absurd width", [](auto& b) { Put32(b, 18, 0x7FFFFFFF); }},
      {"absurd height", [](auto& b) { Put32(b, 22, 100000); }},
      {"too many pixels", [](auto& b) { Put32(b, 18, 16384); Put32(b, 22, 16384); }},
      {"colour table larger than 256", [](auto& b) { Put32(b, 46, 257); }},
      {"colour table of 2^32-1 entries", [](auto& b) { Put32(b, 46, 0xFFFFFFFFu); }},
      {"colour table promised but missing", [](auto& b) { Put32(b, 46, 3); Put32(b, 10, 54 + 12); }},
      {"pixel offset behind a gap", [](auto& b) { Put32(b, 10, 58); }},
      {"pixel offset inside the header", [](auto& b) { Put32(b, 10, 14); }},
      {"one pixel byte missing", [](auto& b) { b.pop_back(); }},
      {"rows promised beyond the data", [](auto& b) { Put32(b, 22, 5); }},
      {"8 bits without the table", [](auto& b) { Put16(b, 28, 8); }},
      // A table of 256 entries that the header accounts for but the data lacks puts the pixels
      // past the end: the reader must not compute the room left as a negative size.
      {"pixel offset beyond the data", [](auto& b) { Put32(b, 46, 256); Put32(b, 10, 54 + 1024); }},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> bytes = good;
    c.change(bytes);
    std::size_t consumed = 99;
    try {
      DecodeBmp(bytes, consumed);
      ADD_FAILURE() << c.what << ": decoded";
    } catch (const SkinError& e) {
      EXPECT_STREQ(e.what(), kSkinInvalidBitmap) << c.what;
    }
  }
  std::size_t consumed = 0;
  EXPECT_NO_THROW(DecodeBmp(good, consumed));
}

}  // namespace
}  // namespace netscry
