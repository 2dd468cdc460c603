#include "base/png_writer.h"

#include <zlib.h>

#include <array>
#include <cstdio>

namespace netscry {
namespace {

void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(v >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char type[4], const std::vector<std::uint8_t>& data) {
  PutBigEndian32(out, std::uint32_t(data.size()));
  const std::size_t type_at = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0L, out.data() + type_at, uInt(out.size() - type_at));
  PutBigEndian32(out, std::uint32_t(crc));
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Bitmap32& picture) {
  const int w = picture.Width(), h = picture.Height();
  // Each scanline: filter byte 0 (none), then R G B per pixel.
  std::vector<std::uint8_t> raw;
  raw.reserve(std::size_t(h) * (1 + std::size_t(w) * 3));
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);
    for (int x = 0; x < w; ++x) {
      const Color c = ColorOfDibPixel(picture.Row(y)[x]);
      raw.push_back(RedOf(c));
      raw.push_back(GreenOf(c));
      raw.push_back(BlueOf(c));
    }
  }
  uLongf packed_size = compressBound(uLong(raw.size()));
  std::vector<std::uint8_t> packed(packed_size);
  if (compress2(packed.data(), &packed_size, raw.data(), uLong(raw.size()), 6) != Z_OK) return {};
  packed.resize(packed_size);

  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutBigEndian32(header, std::uint32_t(w));
  PutBigEndian32(header, std::uint32_t(h));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter set, no interlace
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", {});
  return png;
}

bool WritePng(const Bitmap32& picture, const std::string& path) {
  const std::vector<std::uint8_t> png = EncodePng(picture);
  if (png.empty()) return false;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(png.data(), 1, png.size(), f) == png.size();
  return std::fclose(f) == 0 && written;
}

}  // namespace netscry
