#pragma once
// The skin package byte format: zlib inflate/deflate with a size bound, the little-endian reader
// that checks every length before it reads, and the writer used when packing a skin folder.
//
// Inflated package (all integers int32 little-endian):
//   version (0…3); picture record Picture; [InActivePicture if version 2 or 3]; Mask;
//   [RollUpPicture, RollUpMask if version 1 or 2]; count N; N BMP images; description text to
//   the end. A picture record is one flag byte (0 = a BMP image follows, else absent).
// Compressed skin file (.skn): int32 version (≤ 3), int32 byte count n, n bytes of zlib stream.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/bitmap32.h"

namespace netscry {

// Inflating stops with an error past this many bytes: a package is a few hundred KiB, so more
// than this is a corrupt or hostile stream, not a skin.
constexpr std::size_t kSkinMaxInflatedSize = std::size_t(64) << 20;

// Inflates a whole RFC 1950 stream and appends the output to out. Throws SkinError with
// "compression error" for a corrupt or truncated stream, and kSkinTooLarge past max_size.
void InflateSkinStream(std::span<const std::uint8_t> compressed, std::vector<std::uint8_t>& out,
                       std::size_t max_size = kSkinMaxInflatedSize);
// Deflates at the best-compression level (9). Throws SkinError("error") on failure.
std::vector<std::uint8_t> DeflateSkinStream(std::span<const std::uint8_t> data);

// Sequential reader over package bytes; every read checks the remaining length first and throws
// SkinError(kSkinStreamReadError) when the data ends early.
class SkinByteReader {
 public:
  explicit SkinByteReader(std::span<const std::uint8_t> data) : data_(data) {}
  std::int32_t ReadInt32();
  std::uint8_t ReadByte();
  std::span<const std::uint8_t> Rest() const { return data_.subspan(pos_); }
  void Skip(std::size_t n);
  std::size_t Remaining() const { return data_.size() - pos_; }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
};

// The pieces of a package, for building one. An empty BMP image means an absent picture.
struct SkinPackageParts {
  int version = 2;  // 0…3
  std::vector<std::uint8_t> picture, inactive_picture, mask, rollup_picture, rollup_mask;
  std::vector<std::vector<std::uint8_t>> active_pictures;  // complete BMP images, in order
  std::string description;                                 // the INI text, CR LF line ends
};

// Lays out the inflated package for parts.version, writing only the pictures that version holds.
std::vector<std::uint8_t> BuildSkinPackage(const SkinPackageParts& parts);
// The compressed skin file: version, byte count, the zlib stream.
std::vector<std::uint8_t> BuildCompressedSkinFile(int version, std::span<const std::uint8_t> zlib_stream);

void AppendInt32(std::vector<std::uint8_t>& out, std::int32_t v);

// Reads a whole file; false when it cannot be opened or read.
bool ReadSkinFile(const std::string& path, std::vector<std::uint8_t>& out);
bool WriteSkinFile(const std::string& path, std::span<const std::uint8_t> data);

}  // namespace netscry
