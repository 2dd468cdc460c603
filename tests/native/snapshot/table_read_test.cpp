#include "snapshot/table_read.h"

#include <gtest/gtest.h>

#include <cstring>

namespace netscry {
namespace {

// A table that answers like the platform: too small a buffer gets error 122 and the size needed.
struct FakeTable {
  std::vector<std::uint8_t> bytes;
  std::vector<std::uint32_t> scripted;  // statuses to answer first, one per call
  std::size_t grow_per_call = 0;        // rows appearing between calls
  bool doubles = false;                 // the table doubles between calls
  bool keeps_size_on_success = false;   // a read that fits leaves the size as offered
  int calls = 0;

  std::uint32_t operator()(std::uint8_t* buffer, std::uint32_t& size) {
    ++calls;
    if (!scripted.empty()) {
      const std::uint32_t status = scripted.front();
      scripted.erase(scripted.begin());
      return status;
    }
    const std::size_t need = bytes.size();
    bytes.resize(doubles ? bytes.size() * 2 : bytes.size() + grow_per_call, 0xAB);
    if (buffer == nullptr || size < need) {
      size = std::uint32_t(need);
      return kErrorInsufficientBuffer;
    }
    std::memcpy(buffer, bytes.data(), need);
    if (!keeps_size_on_success) size = std::uint32_t(need);
    return kStatusOk;
  }
};

TEST(ReadGrowingTable, SurvivesATableThatGrowsBetweenSizeQueryAndRead) {
  FakeTable table;
  table.bytes.assign(4000, 1);
  table.grow_per_call = 900;  // more than the first headroom of a quarter
  int calls = 0;
  const auto bytes = ReadGrowingTable([&](std::uint8_t* b, std::uint32_t& s) {
    ++calls;
    return table(b, s);
  });
  ASSERT_TRUE(bytes);
  EXPECT_GE(bytes->size(), 4000u);
  EXPECT_EQ((*bytes)[0], 1);
  EXPECT_LE(calls, kTableReadAttempts);
}

TEST(ReadGrowingTable, RetriesAPassingStatusUnsuccessful) {
  FakeTable table;
  table.bytes.assign(28, 7);
  table.scripted = {kStatusUnsuccessful, kStatusUnsuccessful};
  const auto bytes = ReadGrowingTable(std::ref(table));
  ASSERT_TRUE(bytes);
  EXPECT_EQ(*bytes, std::vector<std::uint8_t>(28, 7));
}

TEST(ReadGrowingTable, GivesUpOnHardErrorsAndAfterBoundedAttempts) {
  FakeTable hard;
  hard.scripted = {87};  // invalid parameter: asking again will not help
  EXPECT_FALSE(ReadGrowingTable(std::ref(hard)));
  EXPECT_EQ(hard.calls, 1);

  FakeTable busy;
  busy.scripted.assign(100, kStatusUnsuccessful);
  EXPECT_FALSE(ReadGrowingTable(std::ref(busy)));
  EXPECT_EQ(busy.calls, kTableReadAttempts);

  FakeTable runaway;  // grows faster than any buffer we offer
  runaway.bytes.assign(100000, 0);
  runaway.doubles = true;
  EXPECT_FALSE(ReadGrowingTable(std::ref(runaway)));
  EXPECT_EQ(runaway.calls, kTableReadAttempts);
}

TEST(ReadGrowingTable, SuccessWithoutABufferIsNotATable) {
  // Some tables answer a size query without a buffer with success and size 0; that is no table,
  // only a sign to ask again with room.
  int calls = 0;
  const auto bytes = ReadGrowingTable([&](std::uint8_t* buffer, std::uint32_t& size) -> std::uint32_t {
    ++calls;
    if (buffer == nullptr) {
      size = 0;
      return kStatusOk;
    }
    if (size < 8) {
      size = 8;
      return kErrorInsufficientBuffer;
    }
    const std::uint8_t table[8] = {1, 0, 0, 0, 9, 9, 9, 9};
    std::memcpy(buffer, table, sizeof table);
    size = 8;
    return kStatusOk;
  });
  ASSERT_TRUE(bytes);
  EXPECT_EQ(*bytes, (std::vector<std::uint8_t>{1, 0, 0, 0, 9, 9, 9, 9}));
  EXPECT_GE(calls, 2);
}

TEST(ReadGrowingTable, TheOfferedBufferNeverShrinks) {
  // A failing call that reports a smaller size (the table shrank for a moment, or the call
  // wrote a meaningless size) must not make the next buffer smaller than one already offered.
  FakeTable table;
  table.bytes.assign(4000, 3);
  table.scripted = {kErrorInsufficientBuffer, kStatusUnsuccessful, kStatusUnsuccessful};
  std::vector<std::uint32_t> offered;
  const auto bytes = ReadGrowingTable([&](std::uint8_t* buffer, std::uint32_t& size) {
    offered.push_back(buffer ? size : 0);
    const std::size_t call = offered.size();
    const std::uint32_t status = table(buffer, size);
    if (call == 1) size = 4000;  // the first answer asks for the whole table
    if (call == 2 || call == 3) size = 16;  // then two answers claim almost nothing
    return status;
  });
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->size(), 4000u);
  ASSERT_GE(offered.size(), 3u);
  for (std::size_t i = 1; i < offered.size(); ++i) EXPECT_GE(offered[i], offered[i - 1]) << "call " << i;
}

TEST(ReadGrowingTable, EmptyTableIsReadAsItsCountAlone) {
  FakeTable table;
  table.bytes.assign(4, 0);
  const auto bytes = ReadGrowingTable(std::ref(table));
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->size(), 4u);
}

// Every call can cost a whole enumeration of the system's sockets, so a table read again is
// offered its last size with room first, and takes one call while it has not outgrown that room.
TEST(ReadGrowingTable, AHintedReadTakesOneCallUntilTheTableOutgrowsTheRoom) {
  struct Step {
    const char* what;
    std::size_t table_bytes;
    int calls;
  };
  const Step steps[] = {
      {"first read, no hint yet: size query, then the read", 4000, 2},
      {"the same size again", 4000, 1},
      {"grown within the room", 4900, 1},
      {"shrunk", 1000, 1},
      {"grown past the room", 9000, 2},
      {"the same size again after growing", 9000, 1},
  };
  FakeTable table;
  std::uint32_t hint = 0;
  for (const Step& step : steps) {
    table.bytes.assign(step.table_bytes, 5);
    table.calls = 0;
    const auto bytes = ReadGrowingTable(std::ref(table), hint);
    ASSERT_TRUE(bytes) << step.what;
    EXPECT_EQ(*bytes, std::vector<std::uint8_t>(step.table_bytes, 5)) << step.what;
    EXPECT_EQ(table.calls, step.calls) << step.what;
    EXPECT_GT(hint, step.table_bytes) << step.what;
  }

  // A failed read leaves the hint as it was; the first hint of a table never read holds a small
  // table whole.
  FakeTable hard;
  hard.scripted = {87};
  const std::uint32_t before = hint;
  EXPECT_FALSE(ReadGrowingTable(std::ref(hard), hint));
  EXPECT_EQ(hint, before);
  FakeTable small;
  small.bytes.assign(28 * 200 + 4, 1);
  std::uint32_t first = kFirstTableBuffer;
  ASSERT_TRUE(ReadGrowingTable(std::ref(small), first));
  EXPECT_EQ(small.calls, 1);

  // A call that succeeds without writing the size back does not make the hint grow read by read.
  small.keeps_size_on_success = true;
  std::uint32_t kept = kFirstTableBuffer;
  for (int read = 0; read < 5; ++read) {
    const auto bytes = ReadGrowingTable(std::ref(small), kept);
    ASSERT_TRUE(bytes);
    EXPECT_GE(bytes->size(), small.bytes.size());
    EXPECT_EQ(kept, kFirstTableBuffer) << "read " << read;
  }
}

}  // namespace
}  // namespace netscry
