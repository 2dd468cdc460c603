#include "base/png_writer.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace netscry {
namespace {

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

TEST(EncodePng, HeaderChunksAndPixelsRoundTrip) {
  Bitmap32 picture(3, 2, Rgb(0, 128, 64));
  picture.SetPixel(2, 1, Rgb(255, 1, 2));
  const std::vector<std::uint8_t> png = EncodePng(picture);
  ASSERT_GT(png.size(), 8u + 25u);
  EXPECT_EQ(std::vector<std::uint8_t>(png.begin(), png.begin() + 8),
            (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));

  // Walk the chunks, checking each CRC, and collect the image data.
  std::size_t at = 8;
  std::vector<std::uint8_t> idat;
  std::vector<std::string> types;
  while (at + 12 <= png.size()) {
    const std::uint32_t len = BigEndian32(&png[at]);
    ASSERT_LE(at + 12 + len, png.size());
    const std::string type(png.begin() + long(at) + 4, png.begin() + long(at) + 8);
    types.push_back(type);
    const uLong crc = crc32(0L, &png[at + 4], uInt(len + 4));
    EXPECT_EQ(BigEndian32(&png[at + 8 + len]), crc) << type;
    if (type == "IHDR") {
      EXPECT_EQ(BigEndian32(&png[at + 8]), 3u);
      EXPECT_EQ(BigEndian32(&png[at + 12]), 2u);
    }
    if (type == "IDAT") idat.insert(idat.end(), png.begin() + long(at) + 8, png.begin() + long(at) + 8 + len);
    at += 12 + len;
  }
  EXPECT_EQ(at, png.size());
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));

  std::vector<std::uint8_t> raw(2 * (1 + 3 * 3));
  uLongf raw_size = uLongf(raw.size());
  ASSERT_EQ(uncompress(raw.data(), &raw_size, idat.data(), uLong(idat.size())), Z_OK);
  ASSERT_EQ(raw_size, raw.size());
  EXPECT_EQ(raw[0], 0);                                                         // filter of row 0
  EXPECT_EQ(std::vector<std::uint8_t>(raw.begin() + 1, raw.begin() + 4), (std::vector<std::uint8_t>{0, 128, 64}));
  EXPECT_EQ(std::vector<std::uint8_t>(raw.end() - 3, raw.end()), (std::vector<std::uint8_t>{255, 1, 2}));
}

TEST(WritePng, ReportsAnUnwritablePath) {
  EXPECT_FALSE(WritePng(Bitmap32(1, 1), "/nonexistent-folder/x.png"));
}

}  // namespace
}  // namespace netscry
