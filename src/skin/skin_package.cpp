#include "skin/skin_package.h"

#include <zlib.h>

#include <array>
#include <climits>
#include <fstream>
#include <iterator>

#include "skin/skin_error.h"

namespace netscry {

void InflateSkinStream(std::span<const std::uint8_t> compressed, std::vector<std::uint8_t>& out,
                       std::size_t max_size) {
  if (compressed.size() > UINT_MAX) throw SkinError(kSkinTooLarge);
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) throw SkinError(kSkinCompressionError);
  zs.next_in = const_cast<Bytef*>(compressed.data());  // zlib does not write through next_in
  zs.avail_in = static_cast<uInt>(compressed.size());
  std::array<std::uint8_t, 4096> chunk{};
  std::size_t produced = 0;
  const char* error = nullptr;
  for (;;) {
    zs.next_out = chunk.data();
    zs.avail_out = static_cast<uInt>(chunk.size());
    const int ret = inflate(&zs, Z_NO_FLUSH);
    const std::size_t got = chunk.size() - zs.avail_out;
    if (ret != Z_OK && ret != Z_STREAM_END) {
      error = kSkinCompressionError;  // corrupt data, or the input ended before the stream did
      break;
    }
    produced += got;
    if (produced > max_size) {
      error = kSkinTooLarge;
      break;
    }
    out.insert(out.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
    if (ret == Z_STREAM_END) break;
    if (got == 0 && zs.avail_in == 0) {
      error = kSkinCompressionError;
      break;
    }
  }
  inflateEnd(&zs);
  if (error != nullptr) throw SkinError(error);
}

std::vector<std::uint8_t> DeflateSkinStream(std::span<const std::uint8_t> data) {
  if (data.size() > UINT_MAX / 2) throw SkinError(kSkinCompressingError);
  uLongf bound = compressBound(static_cast<uLong>(data.size()));
  std::vector<std::uint8_t> out(bound);
  if (compress2(out.data(), &bound, data.data(), static_cast<uLong>(data.size()), Z_BEST_COMPRESSION) != Z_OK) {
    throw SkinError(kSkinCompressingError);
  }
  out.resize(bound);
  return out;
}

std::int32_t SkinByteReader::ReadInt32() {
  if (Remaining() < 4) throw SkinError(kSkinStreamReadError);
  const std::uint8_t* p = data_.data() + pos_;
  pos_ += 4;
  return static_cast<std::int32_t>(std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
                                   (std::uint32_t(p[3]) << 24));
}

std::uint8_t SkinByteReader::ReadByte() {
  if (Remaining() < 1) throw SkinError(kSkinStreamReadError);
  return data_[pos_++];
}

void SkinByteReader::Skip(std::size_t n) {
  if (Remaining() < n) throw SkinError(kSkinStreamReadError);
  pos_ += n;
}

void AppendInt32(std::vector<std::uint8_t>& out, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>((u >> shift) & 0xFF));
}

namespace {
void AppendPictureRecord(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& bmp) {
  out.push_back(bmp.empty() ? 1 : 0);
  out.insert(out.end(), bmp.begin(), bmp.end());
}
}  // namespace

std::vector<std::uint8_t> BuildSkinPackage(const SkinPackageParts& parts) {
  std::vector<std::uint8_t> out;
  AppendInt32(out, parts.version);
  AppendPictureRecord(out, parts.picture);
  if (parts.version == 2 || parts.version == 3) AppendPictureRecord(out, parts.inactive_picture);
  AppendPictureRecord(out, parts.mask);
  if (parts.version == 1 || parts.version == 2) {
    AppendPictureRecord(out, parts.rollup_picture);
    AppendPictureRecord(out, parts.rollup_mask);
  }
  AppendInt32(out, static_cast<std::int32_t>(parts.active_pictures.size()));
  for (const auto& bmp : parts.active_pictures) out.insert(out.end(), bmp.begin(), bmp.end());
  out.insert(out.end(), parts.description.begin(), parts.description.end());
  return out;
}

std::vector<std::uint8_t> BuildCompressedSkinFile(int version, std::span<const std::uint8_t> zlib_stream) {
  std::vector<std::uint8_t> out;
  AppendInt32(out, version);
  AppendInt32(out, static_cast<std::int32_t>(zlib_stream.size()));
  out.insert(out.end(), zlib_stream.begin(), zlib_stream.end());
  return out;
}

bool ReadSkinFile(const std::string& path, std::vector<std::uint8_t>& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool WriteSkinFile(const std::string& path, std::span<const std::uint8_t> data) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) return false;
  f.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  return bool(f);
}

}  // namespace netscry
