#include "snapshot/table_read.h"

#include <algorithm>

namespace netscry {

bool IsPassingTableFailure(std::uint32_t status) {
  return status == kErrorInsufficientBuffer || status == kStatusUnsuccessful;
}

std::optional<std::vector<std::uint8_t>> ReadGrowingTable(const TableCall& call, int attempts) {
  std::vector<std::uint8_t> buffer;
  std::uint32_t size = 0;
  for (int attempt = 0; attempt < attempts; ++attempt) {
    std::uint32_t reported = std::uint32_t(buffer.size());
    const std::uint32_t status = call(buffer.empty() ? nullptr : buffer.data(), reported);
    if (status == kStatusOk && !buffer.empty()) {
      buffer.resize(std::min<std::size_t>(reported, buffer.size()));
      return buffer;
    }
    if (status != kStatusOk && !IsPassingTableFailure(status)) return std::nullopt;
    // Leave room for rows that appear before the next call; never shrink.
    size = std::max<std::uint32_t>({size, reported, 4});
    const std::uint64_t grown = std::uint64_t(size) + size / 4 + 1024;
    if (grown > 0x7FFFFFFF) return std::nullopt;
    size = std::uint32_t(grown);
    buffer.assign(size, 0);
  }
  return std::nullopt;
}

}  // namespace netscry
