#include "snapshot/table_decode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <random>
#include <tuple>

namespace netscry {
namespace {

// Builds a table block as the platform lays it out: a 32-bit count, then 32-bit fields in
// little-endian memory order. Addresses and ports are given as their bytes in memory.
class BlockBuilder {
 public:
  explicit BlockBuilder(std::uint32_t count) { Word(count); }
  BlockBuilder& Word(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(std::uint8_t(v >> (8 * i)));
    return *this;
  }
  BlockBuilder& Bytes(std::initializer_list<std::uint8_t> b) {
    bytes_.insert(bytes_.end(), b);
    return *this;
  }
  const std::vector<std::uint8_t>& Get() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

TEST(DecodeEndpointTable, TcpRowFieldsPortsAndUnsignedPids) {
  BlockBuilder b(2);
  // State 5, 127.0.0.1:80 (port bytes 00 50, upper half garbage) -> 10.1.2.3:443, PID 0.
  b.Word(5).Bytes({127, 0, 0, 1}).Bytes({0x00, 0x50, 0xAB, 0xCD}).Bytes({10, 1, 2, 3}).Bytes({0x01, 0xBB, 0, 0}).Word(0);
  // State 2, 0.0.0.0:65535, remote 0.0.0.0:0, PID above 2^31.
  b.Word(2).Bytes({0, 0, 0, 0}).Bytes({0xFF, 0xFF, 0xFF, 0xFF}).Bytes({0, 0, 0, 0}).Bytes({0, 0, 0x12, 0x34}).Word(0xFFFFFFFEu);
  const auto rows = DecodeEndpointTable(b.Get(), TableKind::Tcp);
  ASSERT_TRUE(rows);
  ASSERT_EQ(rows->size(), 2u);
  const EndpointRow& r0 = (*rows)[0];
  EXPECT_EQ(r0.state, 5u);
  EXPECT_EQ(DottedAddress(r0.local_addr), "127.0.0.1");
  EXPECT_EQ(DecimalText(r0.local_port), "80");
  EXPECT_EQ(DottedAddress(r0.remote_addr), "10.1.2.3");
  EXPECT_EQ(DecimalText(r0.remote_port), "443");
  EXPECT_EQ(DecimalText(r0.pid), "0");
  const EndpointRow& r1 = (*rows)[1];
  EXPECT_EQ(DecimalText(r1.local_port), "65535");
  EXPECT_EQ(DecimalText(r1.remote_port), "0");
  EXPECT_EQ(DecimalText(r1.pid), "4294967294");
}

TEST(DecodeEndpointTable, UdpRowsHaveNoStateOrRemote) {
  BlockBuilder b(1);
  b.Bytes({192, 168, 1, 20}).Bytes({0x00, 0x35, 0x77, 0x77}).Word(2147483648u);
  const auto rows = DecodeEndpointTable(b.Get(), TableKind::Udp);
  ASSERT_TRUE(rows);
  ASSERT_EQ(rows->size(), 1u);
  EXPECT_EQ(DottedAddress((*rows)[0].local_addr), "192.168.1.20");
  EXPECT_EQ((*rows)[0].local_port, 53);
  EXPECT_EQ((*rows)[0].state, 0u);
  EXPECT_EQ((*rows)[0].remote_addr, 0u);
  EXPECT_EQ(DecimalText((*rows)[0].pid), "2147483648");
}

TEST(DecodeEndpointTable, RejectsBlocksShorterThanTheirCount) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> block;
    TableKind kind;
  };
  std::vector<std::uint8_t> one_tcp_row_short = BlockBuilder(1).Word(1).Word(2).Word(3).Word(4).Word(5).Get();
  std::vector<std::uint8_t> huge_count = BlockBuilder(0xFFFFFFFFu).Word(1).Word(2).Word(3).Get();
  const Case cases[] = {
      {"empty", {}, TableKind::Tcp},
      {"count cut short", {1, 0, 0}, TableKind::Udp},
      {"tcp row one field short", one_tcp_row_short, TableKind::Tcp},
      {"count far beyond the block", huge_count, TableKind::Udp},
  };
  for (const Case& c : cases) EXPECT_FALSE(DecodeEndpointTable(c.block, c.kind)) << c.name;

  const auto none = DecodeEndpointTable(BlockBuilder(0).Get(), TableKind::Tcp);
  ASSERT_TRUE(none);
  EXPECT_TRUE(none->empty());
}

TEST(SortEndpointRows, ComparesAddressesAndPortsAsNumbersAndKeepsTies) {
  auto row = [](std::uint32_t la, std::uint16_t lp, std::uint32_t ra, std::uint16_t rp, std::uint32_t pid) {
    return EndpointRow{0, la, lp, ra, rp, pid};
  };
  std::vector<EndpointRow> rows = {
      row(0x0A000002, 80, 0, 0, 1),    // 10.0.0.2:80
      row(0x09000001, 443, 0, 0, 2),   // 9.0.0.1 sorts before 10.0.0.2 (as text it would not)
      row(0x0A000002, 1000, 0, 0, 3),  // port 1000 after port 80
      row(0x0A000002, 80, 0, 0, 4),    // tie with the first row: keeps its place after it
      row(0x0A000002, 80, 0x7F000001, 9, 5),
      row(0x0A000002, 80, 0x7F000001, 10, 6),
  };
  SortEndpointRows(rows);
  std::vector<std::uint32_t> pids;
  for (const auto& r : rows) pids.push_back(r.pid);
  EXPECT_EQ(pids, (std::vector<std::uint32_t>{2, 1, 4, 5, 6, 3}));
}

TEST(SortEndpointRows, AgreesWithAStableSortOnRandomTables) {
  std::mt19937 rng(7);
  for (int table = 0; table < 50; ++table) {
    // Narrow ranges make ties and shared bytes common; wide ones exercise every byte.
    const std::uint32_t spread = table % 2 ? 4u : 0xFFFFFFFFu;
    std::vector<EndpointRow> rows(std::size_t(rng() % 300));
    std::uint32_t pid = 0;
    for (EndpointRow& r : rows) {
      r.local_addr = std::uint32_t(rng()) % spread * 0x01010101u;
      r.local_port = std::uint16_t(rng() % (spread == 4 ? 3 : 65536));
      r.remote_addr = std::uint32_t(rng()) % spread;
      r.remote_port = std::uint16_t(rng() % (spread == 4 ? 2 : 65536) * 257);
      r.pid = pid++;  // the table order, to see that ties keep it
    }
    std::vector<EndpointRow> expected = rows;
    std::stable_sort(expected.begin(), expected.end(), [](const EndpointRow& a, const EndpointRow& b) {
      return std::tie(a.local_addr, a.local_port, a.remote_addr, a.remote_port) <
             std::tie(b.local_addr, b.local_port, b.remote_addr, b.remote_port);
    });
    SortEndpointRows(rows);
    ASSERT_EQ(rows, expected) << "table " << table;
  }
}

// Digits at every width, inner zeros and the widest texts (which must not lose a digit).
TEST(DecimalText, WidthsZerosAndLargestValues) {
  const struct {
    std::uint32_t value;
    const char* text;
  } decimal[] = {{0, "0"}, {7, "7"}, {10, "10"}, {100, "100"}, {65535, "65535"}, {1000000007u, "1000000007"},
                 {4294967295u, "4294967295"}};
  for (const auto& c : decimal) EXPECT_EQ(DecimalText(c.value), c.text) << c.value;
  const struct {
    std::uint32_t addr;
    const char* text;
  } dotted[] = {{0, "0.0.0.0"}, {0xFFFFFFFFu, "255.255.255.255"}, {0x0A00640Bu, "10.0.100.11"},
                {0x7F000001u, "127.0.0.1"}, {0xC0A80001u, "192.168.0.1"}};
  for (const auto& c : dotted) EXPECT_EQ(DottedAddress(c.addr), c.text) << c.addr;
}

// An IPv6 address from its eight groups.
Ipv6Address Groups(std::initializer_list<std::uint16_t> g) {
  Ipv6Address a{};
  std::size_t i = 0;
  for (std::uint16_t v : g) {
    a[i++] = std::uint8_t(v >> 8);
    a[i++] = std::uint8_t(v);
  }
  return a;
}

TEST(Ipv6AddressText, CompressedTextForm) {
  const struct {
    const char* name;
    Ipv6Address addr;
    std::uint32_t scope;
    const char* text;
  } cases[] = {
      {"unspecified", Groups({0, 0, 0, 0, 0, 0, 0, 0}), 0, "::"},
      {"loopback", Groups({0, 0, 0, 0, 0, 0, 0, 1}), 0, "::1"},
      {"zeros at the start", Groups({0, 0, 0, 0, 0, 0, 0x1234, 0xABCD}), 0, "::1234:abcd"},
      {"zeros in the middle", Groups({0x2001, 0xDB8, 0, 0, 0, 0, 0, 1}), 0, "2001:db8::1"},
      {"zeros at the end", Groups({0x2001, 0xDB8, 0, 0, 0, 0, 0, 0}), 0, "2001:db8::"},
      {"no zeros, leading zeros dropped, lower case", Groups({0x2001, 0xDB8, 0xA, 0xB0, 0xC00, 0xDEF, 0xFFFF, 0x10}),
       0, "2001:db8:a:b0:c00:def:ffff:10"},
      {"a single zero group stays 0", Groups({0x2001, 0xDB8, 0, 1, 1, 1, 1, 1}), 0, "2001:db8:0:1:1:1:1:1"},
      {"two single zero groups", Groups({1, 0, 1, 0, 1, 0, 1, 0}), 0, "1:0:1:0:1:0:1:0"},
      {"the longer run wins", Groups({0x2001, 0, 0, 1, 0, 0, 0, 1}), 0, "2001:0:0:1::1"},
      {"of two equal runs the first", Groups({0x2001, 0xDB8, 0, 0, 1, 0, 0, 1}), 0, "2001:db8::1:0:0:1"},
      {"IPv4-mapped", Groups({0, 0, 0, 0, 0, 0xFFFF, 0xC0A8, 0x0105}), 0, "::ffff:192.168.1.5"},
      {"IPv4-mapped any", Groups({0, 0, 0, 0, 0, 0xFFFF, 0, 0}), 0, "::ffff:0.0.0.0"},
      {"not mapped: ffff elsewhere", Groups({0, 0, 0, 0, 0xFFFF, 0, 0xC0A8, 0x0105}), 0, "::ffff:0:c0a8:105"},
      {"link-local with scope", Groups({0xFE80, 0, 0, 0, 0x1234, 0x56FF, 0xFE78, 0x9ABC}), 12,
       "fe80::1234:56ff:fe78:9abc%12"},
      {"link-local, the largest scope", Groups({0xFEBF, 0, 0, 0, 0, 0, 0, 1}), 4294967295u, "febf::1%4294967295"},
      {"link-local without scope", Groups({0xFE80, 0, 0, 0, 0, 0, 0, 1}), 0, "fe80::1"},
      {"scope of a global address is not shown", Groups({0x2001, 0xDB8, 0, 0, 0, 0, 0, 1}), 7, "2001:db8::1"},
      {"site-local is not link-local", Groups({0xFEC0, 0, 0, 0, 0, 0, 0, 1}), 7, "fec0::1"},
      {"the widest text", Groups({0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}), 0,
       "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"},
  };
  for (const auto& c : cases) EXPECT_EQ(Ipv6AddressText(c.addr, c.scope), c.text) << c.name;
}

// IPv6 rows as the platform lays them out: 16 address bytes, then 32-bit fields.
TEST(DecodeEndpointTable, Ipv6TcpAndUdpRowsInThePlatformLayout) {
  const Ipv6Address local = Groups({0xFE80, 0, 0, 0, 0, 0, 0, 1});
  const Ipv6Address remote = Groups({0x2001, 0xDB8, 0, 0, 0, 0, 0, 2});
  BlockBuilder t(1);
  t.Bytes({0xFE, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1})
      .Bytes({0, 0, 0, 12})                // scope 12, network order
      .Bytes({0x1F, 0x90, 0xAB, 0xCD})     // port 8080; the upper half is ignored
      .Bytes({0x20, 0x01, 0x0D, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2})
      .Bytes({0, 0, 0, 0})
      .Bytes({0x01, 0xBB, 0, 0})           // port 443
      .Word(5)                             // established
      .Word(0xFFFFFFFEu);
  ASSERT_EQ(t.Get().size(), 4 + kTcp6RowBytes);
  const auto tcp = DecodeEndpointTable(t.Get(), TableKind::Tcp6);
  ASSERT_TRUE(tcp);
  ASSERT_EQ(tcp->size(), 1u);
  const EndpointRow& r = (*tcp)[0];
  EXPECT_TRUE(r.ipv6);
  EXPECT_EQ(r.local_addr6, local);
  EXPECT_EQ(r.local_scope, 12u);
  EXPECT_EQ(r.local_port, 8080);
  EXPECT_EQ(r.remote_addr6, remote);
  EXPECT_EQ(r.remote_scope, 0u);
  EXPECT_EQ(r.remote_port, 443);
  EXPECT_EQ(r.state, 5u);
  EXPECT_EQ(r.pid, 0xFFFFFFFEu);

  BlockBuilder u(2);
  u.Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}).Word(0).Bytes({0x00, 0x35, 0, 0}).Word(700);
  u.Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}).Word(0).Bytes({0x14, 0xE9, 0, 0}).Word(4);
  ASSERT_EQ(u.Get().size(), 4 + 2 * kUdp6RowBytes);
  const auto udp = DecodeEndpointTable(u.Get(), TableKind::Udp6);
  ASSERT_TRUE(udp);
  ASSERT_EQ(udp->size(), 2u);
  EXPECT_EQ(Ipv6AddressText((*udp)[0].local_addr6), "::1");
  EXPECT_EQ((*udp)[0].local_port, 53);
  EXPECT_EQ((*udp)[0].pid, 700u);
  EXPECT_EQ((*udp)[0].state, 0u);
  EXPECT_EQ((*udp)[1].local_port, 5353);
  EXPECT_EQ((*udp)[1].pid, 4u);
  EXPECT_TRUE((*udp)[1].ipv6);
}

TEST(DecodeEndpointTable, RejectsIpv6BlocksShorterThanTheirCount) {
  auto block = [](std::uint32_t count, std::size_t body) {
    std::vector<std::uint8_t> b = BlockBuilder(count).Get();
    b.resize(4 + body, 0x5A);
    return b;
  };
  const struct {
    const char* name;
    std::vector<std::uint8_t> block;
    TableKind kind;
    bool accepted;
  } cases[] = {
      {"tcp6: one whole row", block(1, kTcp6RowBytes), TableKind::Tcp6, true},
      {"tcp6: a row one byte short", block(1, kTcp6RowBytes - 1), TableKind::Tcp6, false},
      {"tcp6: two rows, the second truncated", block(2, 2 * kTcp6RowBytes - 4), TableKind::Tcp6, false},
      {"tcp6: an IPv4 row's bytes are not enough", block(1, kTcpRowBytes), TableKind::Tcp6, false},
      {"udp6: one whole row", block(1, kUdp6RowBytes), TableKind::Udp6, true},
      {"udp6: a row one byte short", block(1, kUdp6RowBytes - 1), TableKind::Udp6, false},
      {"udp6: count far beyond the block", block(0xFFFFFFFFu, 3 * kUdp6RowBytes), TableKind::Udp6, false},
      {"tcp6: count far beyond the block", block(0x80000000u, kTcp6RowBytes), TableKind::Tcp6, false},
      {"udp6: count cut short", std::vector<std::uint8_t>{1, 0, 0}, TableKind::Udp6, false},
      {"tcp6: no rows", block(0, 0), TableKind::Tcp6, true},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeEndpointTable(c.block, c.kind).has_value(), c.accepted) << c.name;
}

TEST(SortEndpointRows, OrdersIpv6RowsByAddressScopeAndPortKeepingTies) {
  auto row = [](Ipv6Address la, std::uint32_t scope, std::uint16_t lp, Ipv6Address ra, std::uint32_t pid) {
    EndpointRow r;
    r.ipv6 = true;
    r.local_addr6 = la;
    r.local_scope = scope;
    r.local_port = lp;
    r.remote_addr6 = ra;
    r.pid = pid;
    return r;
  };
  const Ipv6Address any{}, one = Groups({0, 0, 0, 0, 0, 0, 0, 1}), big = Groups({0x2001, 0, 0, 0, 0, 0, 0, 0});
  std::vector<EndpointRow> rows = {
      row(big, 0, 80, any, 1),
      row(one, 0, 443, any, 2),
      row(one, 0, 80, one, 3),
      row(one, 0, 80, any, 4),
      row(one, 3, 1, any, 5),   // a larger scope sorts after, whatever the port
      row(one, 0, 80, any, 6),  // tie with 4: stays behind it
  };
  SortEndpointRows(rows);
  std::vector<std::uint32_t> pids;
  for (const auto& r : rows) pids.push_back(r.pid);
  EXPECT_EQ(pids, (std::vector<std::uint32_t>{4, 6, 3, 2, 5, 1}));
}

}  // namespace
}  // namespace netscry
