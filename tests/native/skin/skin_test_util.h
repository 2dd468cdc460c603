#pragma once
// Small builders for skin tests: pictures, packages and stored skins made in memory.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "skin/skin_bmp.h"
#include "skin/skin_data.h"
#include "skin/skin_package.h"

namespace netscry::skintest {

// Overwrite a little-endian field of a byte image in place (the bytes must already exist).
inline void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}
inline void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  b[at] = std::uint8_t(v);
  b[at + 1] = std::uint8_t(v >> 8);
}

// A picture whose pixels tell where they come from: colour = Rgb(seed, x, y).
inline Bitmap32 MarkedPicture(int w, int h, std::uint8_t seed) {
  Bitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, Rgb(seed, std::uint8_t(x), std::uint8_t(y)));
  return b;
}

inline std::vector<std::uint8_t> MarkedBmp(int w, int h, std::uint8_t seed, int bits = 24) {
  return EncodeBmp(MarkedPicture(w, h, seed), bits);
}

// A mask with the top-left pixel white (outside the window), the rest black.
inline std::vector<std::uint8_t> MaskBmp(int w, int h) {
  Bitmap32 b(w, h, kBlack);
  b.SetPixel(0, 0, kWhite);
  return EncodeBmp(b, 1);
}

inline SkinPackageParts PartsWithAll(int version, std::string description) {
  SkinPackageParts p;
  p.version = version;
  p.picture = MarkedBmp(20, 10, 1);
  p.inactive_picture = MarkedBmp(21, 10, 2);
  p.mask = MaskBmp(22, 10);
  p.rollup_picture = MarkedBmp(23, 10, 4);
  p.rollup_mask = MaskBmp(24, 10);
  p.description = std::move(description);
  return p;
}

inline TskCompressedStoredSkin StoredFromPackage(const std::vector<std::uint8_t>& package) {
  TskCompressedStoredSkin s;
  s.ReadCompressedData(DeflateSkinStream(package));
  return s;
}

// Records the notifications a TskSkinData sends.
class RecordingNotifier : public SkinFormsNotifier {
 public:
  struct Call {
    TskSkinData* sender;
    std::uint32_t message;
    std::int32_t param;
  };
  void NotifyForms(TskSkinData& sender, std::uint32_t message, std::int32_t param) override {
    calls.push_back({&sender, message, param});
  }
  std::vector<std::uint32_t> Messages() const {
    std::vector<std::uint32_t> m;
    for (const Call& c : calls) m.push_back(c.message);
    return m;
  }
  std::vector<Call> calls;
};

}  // namespace netscry::skintest
