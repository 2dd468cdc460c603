#pragma once
// Decoding of the platform's endpoint tables. The IPv4 tables (the XP-era ones and the owner-PID
// ones alike) are a 32-bit row count, then rows of 32-bit fields
//   TCP: state, local address, local port, remote address, remote port, owning process ID
//   UDP: local address, local port, owning process ID
// The IPv6 owner-PID tables are a 32-bit row count, then rows of 16-byte addresses and 32-bit
// fields (every field 4-aligned, so the rows follow the count without padding)
//   TCP: local address, local scope ID, local port, remote address, remote scope ID, remote port,
//        state, owning process ID (56 bytes)
//   UDP: local address, local scope ID, local port, owning process ID (28 bytes)
// Addresses and scope IDs are in network byte order; a port is the low 16 bits of its field, in
// network order.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace netscry {

using Ipv6Address = std::array<std::uint8_t, 16>;  // in network order, as the table holds it

// One table row. IPv4 addresses and ports are held in host order, so they compare as numbers;
// IPv6 rows hold their addresses in the *_addr6 fields (the IPv4 ones stay 0) and compare them
// byte by byte.
struct EndpointRow {
  std::uint32_t state = 0;  // 0 in UDP rows
  std::uint32_t local_addr = 0;
  std::uint16_t local_port = 0;
  std::uint32_t remote_addr = 0;
  std::uint16_t remote_port = 0;
  std::uint32_t pid = 0;
  bool ipv6 = false;
  Ipv6Address local_addr6{};
  std::uint32_t local_scope = 0;
  Ipv6Address remote_addr6{};
  std::uint32_t remote_scope = 0;
  friend bool operator==(const EndpointRow&, const EndpointRow&) = default;
};

enum class TableKind { Tcp, Udp, Tcp6, Udp6 };

constexpr bool IsTcpKind(TableKind kind) { return kind == TableKind::Tcp || kind == TableKind::Tcp6; }
constexpr bool IsIpv6Kind(TableKind kind) { return kind == TableKind::Tcp6 || kind == TableKind::Udp6; }

constexpr std::size_t kTcpRowBytes = 6 * 4;
constexpr std::size_t kUdpRowBytes = 3 * 4;
constexpr std::size_t kTcp6RowBytes = 2 * 16 + 6 * 4;
constexpr std::size_t kUdp6RowBytes = 16 + 3 * 4;
constexpr std::size_t RowBytes(TableKind kind) {
  switch (kind) {
    case TableKind::Tcp: return kTcpRowBytes;
    case TableKind::Udp: return kUdpRowBytes;
    case TableKind::Tcp6: return kTcp6RowBytes;
    case TableKind::Udp6: return kUdp6RowBytes;
  }
  return kTcpRowBytes;
}

// Decodes a table block as it lies in memory. nullopt when the block is shorter than its row
// count promises (the count is never trusted beyond the bytes actually there).
std::optional<std::vector<EndpointRow>> DecodeEndpointTable(std::span<const std::uint8_t> block, TableKind kind);

// Orders rows by local address, local port, remote address, remote port as numbers (IPv6 rows:
// local address, scope and port, then the remote ones); rows equal in all keys keep their table
// order. The platform's own "sorted" order differs between systems. One call sorts rows of one
// family.
void SortEndpointRows(std::vector<EndpointRow>& rows);

std::string DottedAddress(std::uint32_t host_order_addr);
// The address in its compressed text form (RFC 5952): groups in lower-case hexadecimal without
// leading zeros, the longest run of two or more zero groups (the first of equal runs) written as
// "::", an IPv4-mapped address as ::ffff:a.b.c.d. A link-local address (fe80::/10) with a
// non-zero scope ID is followed by "%" and the scope ID in decimal.
std::string Ipv6AddressText(const Ipv6Address& addr, std::uint32_t scope_id = 0);
std::string DecimalText(std::uint32_t value);

}  // namespace netscry
