#include "snapshot/table_decode.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <utility>

namespace netscry {
namespace {

// Fields are 32-bit values in the machine's (little-endian) order.
std::uint32_t LittleEndian32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}
// A network-order address field: its bytes in memory are a.b.c.d.
std::uint32_t NetworkAddress(const std::uint8_t* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | std::uint32_t(p[3]);
}
// A port field: the first two bytes in memory are the port, high byte first; the rest is ignored.
std::uint16_t NetworkPort(const std::uint8_t* p) {
  return std::uint16_t((unsigned(p[0]) << 8) | unsigned(p[1]));
}

Ipv6Address Address6(const std::uint8_t* p) {
  Ipv6Address a;
  std::copy(p, p + 16, a.begin());
  return a;
}

}  // namespace

std::optional<std::vector<EndpointRow>> DecodeEndpointTable(std::span<const std::uint8_t> block, TableKind kind) {
  if (block.size() < 4) return std::nullopt;
  const std::uint32_t count = LittleEndian32(block.data());
  const std::size_t row_bytes = RowBytes(kind);
  const std::size_t available = (block.size() - 4) / row_bytes;
  if (count > available) return std::nullopt;

  std::vector<EndpointRow> rows(count);
  const std::uint8_t* p = block.data() + 4;
  for (EndpointRow& row : rows) {
    if (kind == TableKind::Tcp6) {
      row.ipv6 = true;
      row.local_addr6 = Address6(p);
      row.local_scope = NetworkAddress(p + 16);
      row.local_port = NetworkPort(p + 20);
      row.remote_addr6 = Address6(p + 24);
      row.remote_scope = NetworkAddress(p + 40);
      row.remote_port = NetworkPort(p + 44);
      row.state = LittleEndian32(p + 48);
      row.pid = LittleEndian32(p + 52);
    } else if (kind == TableKind::Udp6) {
      row.ipv6 = true;
      row.local_addr6 = Address6(p);
      row.local_scope = NetworkAddress(p + 16);
      row.local_port = NetworkPort(p + 20);
      row.pid = LittleEndian32(p + 24);
    } else if (kind == TableKind::Tcp) {
      row.state = LittleEndian32(p);
      row.local_addr = NetworkAddress(p + 4);
      row.local_port = NetworkPort(p + 8);
      row.remote_addr = NetworkAddress(p + 12);
      row.remote_port = NetworkPort(p + 16);
      row.pid = LittleEndian32(p + 20);
    } else {
      row.local_addr = NetworkAddress(p);
      row.local_port = NetworkPort(p + 4);
      row.pid = LittleEndian32(p + 8);
    }
    p += row_bytes;
  }
  return rows;
}

void SortEndpointRows(std::vector<EndpointRow>& rows) {
  if (!rows.empty() && rows.front().ipv6) {
    // IPv6 tables are sorted by comparison: their keys are three times as long and the tables
    // are smaller.
    std::stable_sort(rows.begin(), rows.end(), [](const EndpointRow& a, const EndpointRow& b) {
      return std::tie(a.local_addr6, a.local_scope, a.local_port, a.remote_addr6, a.remote_scope, a.remote_port) <
             std::tie(b.local_addr6, b.local_scope, b.local_port, b.remote_addr6, b.remote_scope, b.remote_port);
    });
    return;
  }
  // A least-significant-digit radix sort over the key's twelve bytes, which is stable and reads
  // the rows a few times in order instead of comparing them. Bytes in which all rows agree (the
  // local addresses of a machine share most of theirs) need no pass.
  constexpr int kBytes = 12;
  auto byte_of = [](const EndpointRow& r, int b) -> std::size_t {  // b = 0: least significant
    if (b < 2) return (r.remote_port >> (8 * b)) & 0xFFu;
    if (b < 6) return (r.remote_addr >> (8 * (b - 2))) & 0xFFu;
    if (b < 8) return (r.local_port >> (8 * (b - 6))) & 0xFFu;
    return (r.local_addr >> (8 * (b - 8))) & 0xFFu;
  };
  std::array<std::array<std::size_t, 256>, kBytes> counts{};
  for (const EndpointRow& r : rows)
    for (int b = 0; b < kBytes; ++b) ++counts[std::size_t(b)][byte_of(r, b)];
  std::vector<EndpointRow> sorted;
  for (int b = 0; b < kBytes; ++b) {
    std::array<std::size_t, 256>& count = counts[std::size_t(b)];
    if (std::find(count.begin(), count.end(), rows.size()) != count.end()) continue;
    std::size_t start = 0;
    for (std::size_t& c : count) start += std::exchange(c, start);
    sorted.resize(rows.size());
    for (const EndpointRow& r : rows) sorted[count[byte_of(r, b)]++] = r;
    rows.swap(sorted);
  }
}

namespace {

// Writes value's decimal digits at p and returns the end; at most ten digits.
char* PutDecimal(char* p, std::uint32_t value) {
  char digits[10];
  int n = 0;
  do {
    digits[n++] = char('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (n > 0) *p++ = digits[--n];
  return p;
}

}  // namespace

// Both texts fit the string's own small buffer (at most 15 characters), so each is made with one
// construction and no intermediate strings.
std::string DottedAddress(std::uint32_t a) {
  char text[16];
  char* p = PutDecimal(text, a >> 24);
  *p++ = '.';
  p = PutDecimal(p, (a >> 16) & 0xFF);
  *p++ = '.';
  p = PutDecimal(p, (a >> 8) & 0xFF);
  *p++ = '.';
  p = PutDecimal(p, a & 0xFF);
  return std::string(text, p);
}

std::string Ipv6AddressText(const Ipv6Address& a, std::uint32_t scope_id) {
  std::uint16_t groups[8];
  for (int g = 0; g < 8; ++g) groups[g] = std::uint16_t((unsigned(a[std::size_t(2 * g)]) << 8) | a[std::size_t(2 * g + 1)]);
  // At most 39 characters, "%" and ten digits.
  char text[64];
  char* p = text;
  auto put_hex = [&p](unsigned v) {
    static constexpr char kDigits[] = "0123456789abcdef";
    bool started = false;
    for (int shift = 12; shift >= 0; shift -= 4) {
      const unsigned d = (v >> shift) & 0xF;
      if (d != 0 || started || shift == 0) {
        *p++ = kDigits[d];
        started = true;
      }
    }
  };
  const bool mapped = groups[0] == 0 && groups[1] == 0 && groups[2] == 0 && groups[3] == 0 && groups[4] == 0 &&
                      groups[5] == 0xFFFF;
  const int hex_groups = mapped ? 6 : 8;
  // The longest run of zero groups, the first one of equal length; a lone zero group stays "0".
  int best_start = -1, best_length = 1;
  for (int g = 0; g < hex_groups;) {
    if (groups[g] != 0) {
      ++g;
      continue;
    }
    int end = g;
    while (end < hex_groups && groups[end] == 0) ++end;
    if (end - g > best_length) {
      best_start = g;
      best_length = end - g;
    }
    g = end;
  }
  for (int g = 0; g < hex_groups;) {
    if (g == best_start) {
      *p++ = ':';
      *p++ = ':';
      g += best_length;
      continue;
    }
    if (g > 0 && g != best_start + best_length) *p++ = ':';
    put_hex(groups[g]);
    ++g;
  }
  if (mapped) {
    // "::ffff:" then the IPv4 address; the run of five zero groups always gives the "::".
    *p++ = ':';
    for (int i = 12; i < 16; ++i) {
      p = PutDecimal(p, a[std::size_t(i)]);
      if (i < 15) *p++ = '.';
    }
  }
  const bool link_local = a[0] == 0xFE && (a[1] & 0xC0) == 0x80;
  if (link_local && scope_id != 0) {
    *p++ = '%';
    p = PutDecimal(p, scope_id);
  }
  return std::string(text, p);
}

std::string DecimalText(std::uint32_t value) {
  char text[10];
  return std::string(text, PutDecimal(text, value));
}

}  // namespace netscry
