#include "bmp_writer.h"

#include <cstdio>

namespace skinart {

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(std::uint8_t(v & 0xFF));
  out.push_back(std::uint8_t((v >> 8) & 0xFF));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const netscry::Bitmap32& bmp, BmpDepth depth) {
  const std::uint32_t bits = depth == BmpDepth::k24 ? 24 : depth == BmpDepth::k8Grey ? 8 : 1;
  const std::uint32_t colours = depth == BmpDepth::k24 ? 0 : depth == BmpDepth::k8Grey ? 256 : 2;
  const std::uint32_t w = std::uint32_t(bmp.Width()), h = std::uint32_t(bmp.Height());
  const std::uint32_t stride = ((w * bits + 31) / 32) * 4;
  const std::uint32_t offset = 14 + 40 + colours * 4;
  const std::uint32_t size = offset + stride * h;

  std::vector<std::uint8_t> out;
  out.reserve(size);
  out.push_back('B');
  out.push_back('M');
  Put32(out, size);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, w);
  Put32(out, h);
  Put16(out, 1);
  Put16(out, bits);
  Put32(out, 0);  // BI_RGB
  Put32(out, stride * h);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, colours);
  Put32(out, 0);
  if (depth == BmpDepth::k8Grey) {
    for (std::uint32_t i = 0; i < 256; ++i) {
      out.push_back(std::uint8_t(i));
      out.push_back(std::uint8_t(i));
      out.push_back(std::uint8_t(i));
      out.push_back(0);
    }
  } else if (depth == BmpDepth::k1) {
    Put32(out, 0x00000000);
    Put32(out, 0x00FFFFFF);
  }
  for (int y = int(h) - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(stride, 0);
    for (std::uint32_t x = 0; x < w; ++x) {
      const netscry::Color c = bmp.Pixel(int(x), y);
      switch (depth) {
        case BmpDepth::k24:
          row[x * 3] = netscry::BlueOf(c);
          row[x * 3 + 1] = netscry::GreenOf(c);
          row[x * 3 + 2] = netscry::RedOf(c);
          break;
        case BmpDepth::k8Grey:
          row[x] = netscry::GreenOf(c);
          break;
        case BmpDepth::k1:
          if ((c & 0x00FFFFFF) != 0) row[x / 8] = std::uint8_t(row[x / 8] | (0x80u >> (x % 8)));
          break;
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    error = "cannot create " + path;
    return false;
  }
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  const bool closed = std::fclose(f) == 0;
  if (!ok || !closed) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

bool WriteFile(const std::string& path, const std::string& text, std::string& error) {
  return WriteFile(path, std::vector<std::uint8_t>(text.begin(), text.end()), error);
}

}  // namespace skinart
