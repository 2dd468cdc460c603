#pragma once
// Windows BMP images as skin packages hold them: a 14-byte file header ("BM"), the 40-byte info
// header, the colour table and the pixel rows, nothing else. Decoding checks every header field
// against the bytes that remain before it reads a pixel.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "base/bitmap32.h"

namespace netscry {

// A decoded picture of a skin, a plain Bitmap32 (Pixel() gives colours); BitCount()
// remembers the depth the image was stored with (1, 4, 8, 16, 24 or 32; 0 for an absent picture).
// A 1-bit mask decodes to the two colours of its colour table, normally black (0x000000, the
// pixel belongs to the window) and white (0xFFFFFF, it does not): test mask pixels against kBlack.
class SkinBitmap : public Bitmap32 {
 public:
  SkinBitmap() = default;
  SkinBitmap(Bitmap32 pixels, int bit_count) : Bitmap32(std::move(pixels)), bit_count_(bit_count) {}
  int BitCount() const { return bit_count_; }

 private:
  int bit_count_ = 0;
};

// Limits on outside data: a picture larger than this is refused as invalid.
constexpr int kBmpMaxDimension = 16384;
constexpr std::int64_t kBmpMaxPixels = std::int64_t(1) << 24;  // 16 M pixels = 64 MiB decoded

// Decodes the BMP image at the start of data; consumed receives the number of bytes that the
// image takes (file header + info header + colour table + rows), i.e. where the next item of a
// package starts. Throws SkinError (kSkinInvalidBitmap) for anything that is not a valid image
// of the supported kinds: info header size 40, planes 1, bit count 1/4/8/16/24/32, no compression,
// width 1…16384, height ±1…16384, at most 256 colour-table entries, the pixel offset equal to the
// end of the colour table, and all of it inside data. The file header's size field is not used.
SkinBitmap DecodeBmp(std::span<const std::uint8_t> data, std::size_t& consumed);

// Encodes a picture as a complete BMP file image of the given depth, bottom-up, with no gap:
// 24 and 32 bits store the colours; 8 bits builds a colour table of the picture's colours (at
// most 256, else SkinError); 1 bit stores black pixels as 0 and every other colour as 1, with
// the table black, white.
std::vector<std::uint8_t> EncodeBmp(const Bitmap32& picture, int bit_count);

}  // namespace netscry
