// libFuzzer target: reading an endpoint table the way the owner-PID calls are read (a size
// query, then reads with a growing buffer while the table grows or the call fails for a moment)
// and decoding the block, with the rows then sorted and turned into text.
//
// Input: byte 0 picks the table kind (IPv4 or IPv6, TCP or UDP) and the number of attempts; then, per call, a status byte
// and a growth byte; the bytes after a 0xFF separator (or all of the rest) are the table.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <tuple>
#include <vector>

#include "snapshot/table_decode.h"
#include "snapshot/table_read.h"

namespace {

using namespace netscry;

void CheckDecoded(std::span<const std::uint8_t> block, TableKind kind) {
  std::optional<std::vector<EndpointRow>> rows = DecodeEndpointTable(block, kind);
  if (!rows) return;
  const std::size_t row_bytes = RowBytes(kind);
  if (block.size() < 4 || rows->size() > (block.size() - 4) / row_bytes) std::abort();
  std::vector<EndpointRow> reference = *rows;
  std::stable_sort(reference.begin(), reference.end(), [](const EndpointRow& a, const EndpointRow& b) {
    return std::tie(a.local_addr, a.local_addr6, a.local_scope, a.local_port, a.remote_addr, a.remote_addr6,
                    a.remote_scope, a.remote_port) < std::tie(b.local_addr, b.local_addr6, b.local_scope, b.local_port,
                                                              b.remote_addr, b.remote_addr6, b.remote_scope,
                                                              b.remote_port);
  });
  SortEndpointRows(*rows);
  if (*rows != reference) std::abort();
  for (const EndpointRow& r : *rows) {
    if (r.ipv6 != IsIpv6Kind(kind)) std::abort();
    if (DottedAddress(r.local_addr).size() > 15 || DecimalText(r.pid).size() > 10) std::abort();
    // Eight groups of four, seven colons, "%" and a ten-digit scope at most.
    if (Ipv6AddressText(r.local_addr6, r.local_scope).size() > 39 + 11) std::abort();
    if (Ipv6AddressText(r.remote_addr6, r.remote_scope).size() > 39 + 11) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::span<const std::uint8_t> input(data, size);
  constexpr TableKind kKinds[] = {TableKind::Tcp, TableKind::Udp, TableKind::Tcp6, TableKind::Udp6};
  const TableKind kind = kKinds[input[0] & 3];
  const int attempts = 1 + (input[0] >> 2) % 8;
  std::span<const std::uint8_t> rest = input.subspan(1);
  const std::size_t split = std::find(rest.begin(), rest.end(), 0xFF) - rest.begin();
  std::span<const std::uint8_t> script = rest.subspan(0, split);
  std::vector<std::uint8_t> table(rest.begin() + std::ptrdiff_t(std::min(split + 1, rest.size())), rest.end());
  if (split == rest.size()) {
    table.assign(rest.begin(), rest.end());
    script = {};
  }

  // The platform: answers from the script while it lasts, then as a well-behaved call would.
  std::size_t call = 0;
  std::vector<std::uint8_t> current = table;
  const auto result = ReadGrowingTable(
      [&](std::uint8_t* buffer, std::uint32_t& size_in_out) -> std::uint32_t {
        const std::uint8_t status = call < script.size() ? script[call] : 0;
        const std::uint8_t growth = call + 1 < script.size() ? script[call + 1] : 0;
        call += 2;
        // The table grows between calls, as rows appear.
        current.insert(current.end(), std::size_t(growth % 64), std::uint8_t(growth));
        switch (status % 4) {
          case 1: size_in_out = std::uint32_t(current.size()); return kStatusUnsuccessful;
          case 2: return 5;  // access denied: not a passing failure
          case 3: size_in_out = std::uint32_t(growth) << (status % 12); return kErrorInsufficientBuffer;
          default: break;
        }
        if (buffer == nullptr || size_in_out < current.size()) {
          size_in_out = std::uint32_t(current.size());
          return kErrorInsufficientBuffer;
        }
        std::copy(current.begin(), current.end(), buffer);
        size_in_out = std::uint32_t(current.size());
        return kStatusOk;
      },
      attempts);
  if (result) {
    // What the call wrote, exactly as many bytes as it reported.
    if (result->size() != current.size() || !std::equal(result->begin(), result->end(), current.begin())) std::abort();
    CheckDecoded(*result, kind);
  }
  for (TableKind k : kKinds) CheckDecoded(table, k);
  return 0;
}
