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

}  // namespace
}  // namespace netscry
