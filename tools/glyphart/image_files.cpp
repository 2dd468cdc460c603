#include "image_files.h"

#include <algorithm>
#include <map>

namespace glyphart {

using netscry::BlueOf;
using netscry::GreenOf;
using netscry::RedOf;
using netscry::Rgb;

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(std::uint8_t(v & 0xFF));
  out.push_back(std::uint8_t((v >> 8) & 0xFF));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void PutInfoHeader(std::vector<std::uint8_t>& out, std::uint32_t w, std::uint32_t h, std::uint32_t bits,
                   std::uint32_t image_size, std::uint32_t colours) {
  Put32(out, 40);
  Put32(out, w);
  Put32(out, h);
  Put16(out, 1);
  Put16(out, bits);
  Put32(out, 0);  // BI_RGB
  Put32(out, image_size);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, colours);
  Put32(out, 0);
}

void PutFileHeader(std::vector<std::uint8_t>& out, std::uint32_t size, std::uint32_t offset) {
  out.push_back('B');
  out.push_back('M');
  Put32(out, size);
  Put32(out, 0);
  Put32(out, offset);
}

int Channel(Color c, int i) { return i == 0 ? RedOf(c) : i == 1 ? GreenOf(c) : BlueOf(c); }

struct Box {
  std::vector<std::pair<Color, int>> colours;  // colour and pixel count
  int Extent(int ch) const {
    int lo = 255, hi = 0;
    for (const auto& [c, n] : colours) {
      lo = std::min(lo, Channel(c, ch));
      hi = std::max(hi, Channel(c, ch));
    }
    return hi - lo;
  }
  Color Average() const {
    long long sum[3] = {0, 0, 0}, total = 0;
    for (const auto& [c, n] : colours) {
      for (int ch = 0; ch < 3; ++ch) sum[ch] += static_cast<long long>(Channel(c, ch)) * n;
      total += n;
    }
    auto avg = [&](int ch) { return std::uint8_t((sum[ch] * 2 + total) / (2 * total)); };
    return Rgb(avg(0), avg(1), avg(2));
  }
};

int Distance(Color a, Color b) {
  int d = 0;
  for (int ch = 0; ch < 3; ++ch) d += (Channel(a, ch) - Channel(b, ch)) * (Channel(a, ch) - Channel(b, ch));
  return d;
}

}  // namespace

std::vector<Color> MakePalette(const Bitmap32& picture, Color keep) {
  std::map<Color, int> counts;
  for (netscry::DibPixel p : picture.Pixels()) {
    const Color c = netscry::ColorOfDibPixel(p);
    if (c != keep) ++counts[c];
  }
  std::vector<Box> boxes(1);
  boxes[0].colours.assign(counts.begin(), counts.end());
  while (boxes.size() < 255) {
    // Split the box with the widest channel range at its weighted median.
    int best = -1, best_extent = 0, best_ch = 0;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].colours.size() < 2) continue;
      for (int ch = 0; ch < 3; ++ch) {
        const int e = boxes[i].Extent(ch);
        if (e > best_extent) {
          best = int(i);
          best_extent = e;
          best_ch = ch;
        }
      }
    }
    if (best < 0) break;
    Box& box = boxes[std::size_t(best)];
    std::sort(box.colours.begin(), box.colours.end(), [&](const auto& a, const auto& b) {
      const int ca = Channel(a.first, best_ch), cb = Channel(b.first, best_ch);
      return ca != cb ? ca < cb : a.first < b.first;
    });
    long long total = 0, run = 0;
    for (const auto& [c, n] : box.colours) total += n;
    std::size_t cut = 1;
    for (std::size_t i = 0; i + 1 < box.colours.size(); ++i) {
      run += box.colours[i].second;
      cut = i + 1;
      if (run * 2 >= total) break;
    }
    Box upper;
    upper.colours.assign(box.colours.begin() + std::ptrdiff_t(cut), box.colours.end());
    box.colours.resize(cut);
    boxes.push_back(std::move(upper));
  }
  std::vector<Color> palette{keep};
  for (const Box& b : boxes) {
    if (!b.colours.empty()) palette.push_back(b.Average());
  }
  return palette;
}

std::vector<std::uint8_t> EncodeBmp8(const Bitmap32& picture, const std::vector<Color>& palette) {
  const std::uint32_t w = std::uint32_t(picture.Width()), h = std::uint32_t(picture.Height());
  const std::uint32_t stride = (w + 3) / 4 * 4;
  const std::uint32_t offset = 14 + 40 + 256 * 4;
  std::vector<std::uint8_t> out;
  PutFileHeader(out, offset + stride * h, offset);
  PutInfoHeader(out, w, h, 8, stride * h, 256);
  for (std::size_t i = 0; i < 256; ++i) {
    const Color c = i < palette.size() ? palette[i] : 0;
    out.push_back(BlueOf(c));
    out.push_back(GreenOf(c));
    out.push_back(RedOf(c));
    out.push_back(0);
  }
  const std::size_t used = std::min<std::size_t>(palette.size(), 256);
  std::map<Color, std::uint8_t> index;
  for (int y = int(h) - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(stride, 0);
    for (std::uint32_t x = 0; x < w; ++x) {
      const Color c = picture.Pixel(int(x), y);
      auto it = index.find(c);
      if (it == index.end()) {
        std::size_t best = 0;
        for (std::size_t i = 1; i < used; ++i) {
          if (Distance(palette[i], c) < Distance(palette[best], c)) best = i;
        }
        it = index.emplace(c, std::uint8_t(best)).first;
      }
      row[x] = it->second;
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

namespace {

void PutBgraRows(std::vector<std::uint8_t>& out, const RgbaImage& picture) {
  for (int y = picture.rgb.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < picture.rgb.Width(); ++x) {
      const Color c = picture.rgb.Pixel(x, y);
      out.push_back(BlueOf(c));
      out.push_back(GreenOf(c));
      out.push_back(RedOf(c));
      out.push_back(picture.Alpha(x, y));
    }
  }
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp32(const RgbaImage& picture) {
  const std::uint32_t w = std::uint32_t(picture.rgb.Width()), h = std::uint32_t(picture.rgb.Height());
  const std::uint32_t offset = 14 + 40;
  std::vector<std::uint8_t> out;
  PutFileHeader(out, offset + w * h * 4, offset);
  PutInfoHeader(out, w, h, 32, w * h * 4, 0);
  PutBgraRows(out, picture);
  return out;
}

std::vector<std::uint8_t> EncodeIco(const std::vector<RgbaImage>& images) {
  std::vector<std::vector<std::uint8_t>> blobs;
  for (const RgbaImage& img : images) {
    const std::uint32_t w = std::uint32_t(img.rgb.Width()), h = std::uint32_t(img.rgb.Height());
    const std::uint32_t mask_stride = (w + 31) / 32 * 4;
    std::vector<std::uint8_t> blob;
    PutInfoHeader(blob, w, h * 2, 32, w * h * 4 + mask_stride * h, 0);
    PutBgraRows(blob, img);
    for (int y = int(h) - 1; y >= 0; --y) {
      std::vector<std::uint8_t> row(mask_stride, 0);
      for (std::uint32_t x = 0; x < w; ++x) {
        if (img.Alpha(int(x), y) == 0) row[x / 8] = std::uint8_t(row[x / 8] | (0x80u >> (x % 8)));
      }
      blob.insert(blob.end(), row.begin(), row.end());
    }
    blobs.push_back(std::move(blob));
  }
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, std::uint32_t(images.size()));
  std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int w = images[i].rgb.Width(), h = images[i].rgb.Height();
    out.push_back(std::uint8_t(w >= 256 ? 0 : w));
    out.push_back(std::uint8_t(h >= 256 ? 0 : h));
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, std::uint32_t(blobs[i].size()));
    Put32(out, offset);
    offset += std::uint32_t(blobs[i].size());
  }
  for (const auto& b : blobs) out.insert(out.end(), b.begin(), b.end());
  return out;
}

}  // namespace glyphart
