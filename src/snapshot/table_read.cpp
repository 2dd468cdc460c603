#include "snapshot/table_read.h"

#include <algorithm>

namespace netscry {

bool IsPassingTableFailure(std::uint32_t status) {
  return status == kErrorInsufficientBuffer || status == kStatusUnsuccessful;
}

namespace {

// Room for rows that appear before the next call; 0 when no buffer that large is offered.
std::uint32_t WithRoom(std::uint32_t size) {
  const std::uint64_t grown = std::uint64_t(size) + size / 4 + 1024;
  return grown > 0x7FFFFFFF ? 0 : std::uint32_t(grown);
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadGrowingTable(const TableCall& call, int attempts) {
  std::uint32_t no_hint = 0;
  return ReadGrowingTable(call, no_hint, attempts);
}

std::optional<std::vector<std::uint8_t>> ReadGrowingTable(const TableCall& call, std::uint32_t& size_hint,
                                                          int attempts) {
  std::vector<std::uint8_t> buffer(std::min<std::uint32_t>(size_hint, 0x7FFFFFFF), 0);
  std::uint32_t size = std::uint32_t(buffer.size());
  for (int attempt = 0; attempt < attempts; ++attempt) {
    const std::uint32_t offered = std::uint32_t(buffer.size());
    std::uint32_t reported = offered;
    const std::uint32_t status = call(buffer.empty() ? nullptr : buffer.data(), reported);
    if (status == kStatusOk && !buffer.empty()) {
      // A call may succeed without writing the size back; the hint then stays as it was rather
      // than growing at every read.
      size_hint = reported < offered ? WithRoom(reported) : offered;
      buffer.resize(std::min(reported, offered));
      return buffer;
    }
    if (status != kStatusOk && !IsPassingTableFailure(status)) return std::nullopt;
    // Never shrink: a failing call may report less than a buffer already offered.
    size = WithRoom(std::max<std::uint32_t>({size, reported, 4}));
    if (size == 0) return std::nullopt;
    buffer.assign(size, 0);
  }
  return std::nullopt;
}

}  // namespace netscry
