// libFuzzer target: the stored-skin file header that both windows read from their resources
// (ImportSkinFileBytes: version, byte count, the compressed package), then the load they make of
// what it imported.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

#include "skin/skin_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace netscry;
  const std::span<const std::uint8_t> input(data, size);
  TskCompressedStoredSkin stored;
  stored.ReadCompressedData(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>("old"), 3));
  if (!stored.ImportSkinFileBytes(input)) {
    // A refused file leaves no package behind, not even the one before.
    if (!stored.IsEmpty()) std::abort();
    return 0;
  }
  // Accepted: a version of 0 to 3 and a byte count that the file holds, exactly those bytes kept.
  if (size < 8) std::abort();
  std::int32_t version = 0, count = 0;
  std::memcpy(&version, data, 4);
  std::memcpy(&count, data + 4, 4);
  if (version < 0 || version > 3 || count < 0 || std::size_t(count) > size - 8) std::abort();
  if (stored.ImportedVersion() != version) std::abort();
  const auto& kept = stored.CompressedData();
  if (kept.size() != std::size_t(count) || (count > 0 && std::memcmp(kept.data(), data + 8, std::size_t(count)) != 0))
    std::abort();

  TskSkinData skin;
  const SkinLoadResult result = skin.LoadStoredSkin(stored);
  if (result.ok() == skin.Empty) std::abort();
  if (result.outcome == SkinLoadOutcome::Failed && result.error.empty()) std::abort();
  return 0;
}
