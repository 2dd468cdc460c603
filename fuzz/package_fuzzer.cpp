// libFuzzer target: the skin package reader. The input is taken twice: as an inflated package
// (pictures, further bitmaps, description) and as the compressed stream a window carries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "skin/skin_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace netscry;
  const std::span<const std::uint8_t> input(data, size);
  {
    TskSkinData skin;
    try {
      if (skin.ReadPackage(input)) {
        // Whatever was decoded stays inside the limits on outside data.
        for (const auto& picture : skin.ActivePictures) {
          if (std::int64_t(picture->Width()) * picture->Height() > kBmpMaxPixels) std::abort();
        }
      }
    } catch (const SkinError&) {
    }
  }
  {
    TskCompressedStoredSkin stored;
    stored.ReadCompressedData(input);
    TskSkinData skin;
    const SkinLoadResult result = skin.LoadStoredSkin(stored);
    // A load either succeeds or leaves the skin empty with a reason.
    if (result.ok() == skin.Empty) std::abort();
    if (result.outcome == SkinLoadOutcome::Failed && result.error.empty()) std::abort();
  }
  return 0;
}
