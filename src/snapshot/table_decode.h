#pragma once
// Decoding of the platform's IPv4 endpoint tables. Both the XP-era tables and the owner-PID
// tables have the same layout: a 32-bit row count, then rows of 32-bit fields
//   TCP: state, local address, local port, remote address, remote port, owning process ID
//   UDP: local address, local port, owning process ID
// Addresses are in network byte order; a port is the low 16 bits of its field, in network order.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace netscry {

// One table row. Addresses and ports are held in host order, so they compare as numbers.
struct EndpointRow {
  std::uint32_t state = 0;  // 0 in UDP rows
  std::uint32_t local_addr = 0;
  std::uint16_t local_port = 0;
  std::uint32_t remote_addr = 0;
  std::uint16_t remote_port = 0;
  std::uint32_t pid = 0;
  friend bool operator==(const EndpointRow&, const EndpointRow&) = default;
};

enum class TableKind { Tcp, Udp };

constexpr std::size_t kTcpRowBytes = 6 * 4;
constexpr std::size_t kUdpRowBytes = 3 * 4;

// Decodes a table block as it lies in memory. nullopt when the block is shorter than its row
// count promises (the count is never trusted beyond the bytes actually there).
std::optional<std::vector<EndpointRow>> DecodeEndpointTable(std::span<const std::uint8_t> block, TableKind kind);

// Orders rows by local address, local port, remote address, remote port as numbers; rows equal
// in all four keep their table order. The platform's own "sorted" order differs between systems.
void SortEndpointRows(std::vector<EndpointRow>& rows);

std::string DottedAddress(std::uint32_t host_order_addr);
std::string DecimalText(std::uint32_t value);

}  // namespace netscry
