#include "skin/skin_bmp.h"

#include <cstdlib>
#include <unordered_map>

#include "skin/skin_error.h"

namespace netscry {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;

std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t U32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}
std::int32_t I32(const std::uint8_t* p) { return static_cast<std::int32_t>(U32(p)); }

[[noreturn]] void Invalid() { throw SkinError(kSkinInvalidBitmap); }

std::uint8_t Expand5(unsigned v) { return static_cast<std::uint8_t>((v << 3) | (v >> 2)); }

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(std::uint8_t(v & 0xFF));
  out.push_back(std::uint8_t((v >> 8) & 0xFF));
}
void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

}  // namespace

SkinBitmap DecodeBmp(std::span<const std::uint8_t> data, std::size_t& consumed) {
  consumed = 0;
  if (data.size() < kHeadersSize) Invalid();
  const std::uint8_t* h = data.data();
  if (h[0] != 'B' || h[1] != 'M') Invalid();
  const std::uint32_t off_bits = U32(h + 10);
  const std::uint32_t info_size = U32(h + 14);
  const std::int32_t width = I32(h + 18);
  const std::int32_t height = I32(h + 22);
  const std::uint16_t planes = U16(h + 26);
  const std::uint16_t bit_count = U16(h + 28);
  const std::uint32_t compression = U32(h + 30);
  const std::uint32_t clr_used = U32(h + 46);

  if (info_size != kInfoHeaderSize || planes != 1 || compression != 0) Invalid();
  if (bit_count != 1 && bit_count != 4 && bit_count != 8 && bit_count != 16 && bit_count != 24 && bit_count != 32) {
    Invalid();
  }
  const std::int64_t abs_height = std::llabs(static_cast<std::int64_t>(height));
  if (width < 1 || width > kBmpMaxDimension || abs_height < 1 || abs_height > kBmpMaxDimension) Invalid();
  if (std::int64_t(width) * abs_height > kBmpMaxPixels) Invalid();
  if (clr_used > 256) Invalid();

  const std::uint32_t table_entries = clr_used != 0 ? clr_used : (bit_count <= 8 ? (1u << bit_count) : 0u);
  const std::size_t table_offset = kHeadersSize;
  const std::size_t pixel_offset = table_offset + std::size_t(table_entries) * 4;
  if (off_bits != pixel_offset) Invalid();
  // Bounded by the dimension limits above, so none of this can overflow.
  const std::size_t stride = ((std::size_t(width) * bit_count + 31) / 32) * 4;
  const std::size_t pixel_bytes = stride * std::size_t(abs_height);
  if (pixel_offset > data.size() || pixel_bytes > data.size() - pixel_offset) Invalid();

  // Colour-table entries and 24- and 32-bit pixels are stored blue, green, red: the order pictures
  // hold them in. The fourth byte of either is not a colour.
  std::vector<DibPixel> palette;
  if (bit_count <= 8) {
    for (std::uint32_t i = 0; i < table_entries; ++i) {
      const std::uint8_t* q = h + table_offset + std::size_t(i) * 4;
      palette.push_back(DibPixelOfRgb(q[2], q[1], q[0]));
    }
  }
  auto from_palette = [&palette](unsigned index) -> DibPixel {
    return index < palette.size() ? palette[index] : DibPixelOf(kBlack);
  };

  Bitmap32 bmp(width, static_cast<int>(abs_height));
  for (int y = 0; y < bmp.Height(); ++y) {
    // Bottom-up rows unless the height is negative.
    const int src_row = height > 0 ? bmp.Height() - 1 - y : y;
    const std::uint8_t* row = h + pixel_offset + stride * std::size_t(src_row);
    DibPixel* dst = bmp.Row(y);
    for (int x = 0; x < width; ++x) {
      const std::size_t ux = std::size_t(x);
      switch (bit_count) {
        case 1:
          dst[x] = from_palette((row[ux / 8] >> (7 - ux % 8)) & 1u);
          break;
        case 4:
          dst[x] = from_palette((row[ux / 2] >> (ux % 2 == 0 ? 4 : 0)) & 0x0Fu);
          break;
        case 8:
          dst[x] = from_palette(row[ux]);
          break;
        case 16: {
          const unsigned v = U16(row + ux * 2);
          dst[x] = DibPixelOfRgb(Expand5((v >> 10) & 31u), Expand5((v >> 5) & 31u), Expand5(v & 31u));
          break;
        }
        case 24:
          dst[x] = DibPixelOfRgb(row[ux * 3 + 2], row[ux * 3 + 1], row[ux * 3]);
          break;
        default:  // 32
          dst[x] = DibPixel(U32(row + ux * 4) & 0x00FFFFFFu);
          break;
      }
    }
  }
  consumed = pixel_offset + pixel_bytes;
  return SkinBitmap(std::move(bmp), bit_count);
}

std::vector<std::uint8_t> EncodeBmp(const Bitmap32& picture, int bit_count) {
  if (picture.IsEmpty() || picture.Width() > kBmpMaxDimension || picture.Height() > kBmpMaxDimension) {
    throw SkinError("cannot encode an empty or oversized picture");
  }
  // Pixels and table entries are written as stored: a DibPixel's bytes are the file's blue,
  // green, red and 0.
  std::vector<DibPixel> palette;
  std::unordered_map<DibPixel, std::uint8_t> index_of;
  const DibPixel black = DibPixelOf(kBlack);
  if (bit_count == 1) {
    palette = {black, DibPixelOf(kWhite)};
  } else if (bit_count == 8) {
    for (DibPixel p : picture.Pixels()) {
      if (index_of.count(p)) continue;
      if (palette.size() == 256) throw SkinError("more than 256 colours for an 8-bit picture");
      index_of.emplace(p, std::uint8_t(palette.size()));
      palette.push_back(p);
    }
  } else if (bit_count != 24 && bit_count != 32) {
    throw SkinError("unsupported bit count for encoding");
  }
  const std::size_t width = std::size_t(picture.Width());
  const std::size_t height = std::size_t(picture.Height());
  const std::size_t stride = ((width * std::size_t(bit_count) + 31) / 32) * 4;
  const std::size_t off_bits = kHeadersSize + palette.size() * 4;
  const std::size_t total = off_bits + stride * height;

  std::vector<std::uint8_t> out;
  out.reserve(total);
  out.push_back('B');
  out.push_back('M');
  PutU32(out, std::uint32_t(total));
  PutU32(out, 0);
  PutU32(out, std::uint32_t(off_bits));
  PutU32(out, kInfoHeaderSize);
  PutU32(out, std::uint32_t(width));
  PutU32(out, std::uint32_t(height));  // positive: bottom-up rows
  PutU16(out, 1);
  PutU16(out, std::uint32_t(bit_count));
  PutU32(out, 0);                              // no compression
  PutU32(out, std::uint32_t(stride * height)); // image size
  PutU32(out, 2835);                           // 72 dpi
  PutU32(out, 2835);
  PutU32(out, std::uint32_t(palette.size()));
  PutU32(out, 0);
  for (DibPixel p : palette) PutU32(out, std::uint32_t(p) & 0x00FFFFFFu);
  for (std::size_t row = 0; row < height; ++row) {
    const DibPixel* src = picture.Row(int(height - 1 - row));
    std::vector<std::uint8_t> line(stride, 0);
    for (std::size_t x = 0; x < width; ++x) {
      const std::uint32_t v = std::uint32_t(src[x]);
      switch (bit_count) {
        case 1:
          if (src[x] != black) line[x / 8] = std::uint8_t(line[x / 8] | (0x80u >> (x % 8)));
          break;
        case 8:
          line[x] = index_of.at(src[x]);
          break;
        case 24:
          line[x * 3] = std::uint8_t(v);
          line[x * 3 + 1] = std::uint8_t(v >> 8);
          line[x * 3 + 2] = std::uint8_t(v >> 16);
          break;
        default:
          line[x * 4] = std::uint8_t(v);
          line[x * 4 + 1] = std::uint8_t(v >> 8);
          line[x * 4 + 2] = std::uint8_t(v >> 16);
          break;
      }
    }
    out.insert(out.end(), line.begin(), line.end());
  }
  return out;
}

}  // namespace netscry
