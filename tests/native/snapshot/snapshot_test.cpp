#include "snapshot/snapshot.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

namespace netscry {
namespace {

class FakeTables : public EndpointTableSource {
 public:
  std::optional<std::vector<EndpointRow>> tcp, udp;
  std::vector<TableKind> reads;
  std::optional<std::vector<EndpointRow>> ReadTable(TableKind kind) override {
    reads.push_back(kind);
    return kind == TableKind::Tcp ? tcp : udp;
  }
};

class FakeLookups : public ProcessLookups {
 public:
  std::map<std::uint32_t, std::string> names, paths;
  std::map<std::string, VersionText> versions;
  std::map<std::uint32_t, int> name_calls;
  int begins = 0, ends = 0;
  bool open = false;
  bool throw_on_path = false;

  void BeginSnapshot() override { ++begins; open = true; }
  void EndSnapshot() override { ++ends; open = false; }
  std::string ProcessName(std::uint32_t pid) override {
    EXPECT_TRUE(open) << "name lookups need the process list";
    ++name_calls[pid];
    auto it = names.find(pid);
    return it == names.end() ? "" : it->second;
  }
  std::string ProcessPath(std::uint32_t pid) override {
    if (throw_on_path) throw std::runtime_error("lookup failed");
    auto it = paths.find(pid);
    return it == paths.end() ? "" : it->second;
  }
  VersionText FileVersionText(const std::string& path) override {
    auto it = versions.find(path);
    return it == versions.end() ? VersionText{} : it->second;
  }
};

EndpointRow Tcp(std::uint32_t state, std::uint32_t la, std::uint16_t lp, std::uint32_t ra, std::uint16_t rp,
                std::uint32_t pid) {
  return {state, la, lp, ra, rp, pid};
}
EndpointRow Udp(std::uint32_t la, std::uint16_t lp, std::uint32_t pid) { return {0, la, lp, 0, 0, pid}; }

class SnapshotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lookups.names = {{100, "svc.exe"}, {200, "app.exe"}};
    lookups.paths = {{100, "C:\\svc.exe"}, {200, "C:\\app.exe"}};
    lookups.versions = {{"C:\\app.exe", {"应用程序", "Acme"}}};
  }
  FakeTables tables;
  FakeLookups lookups;
  FileRecArray tcp, udp;
};

TEST_F(SnapshotTest, FillsEntriesInSortedOrderWithIdentities) {
  tables.tcp = std::vector{Tcp(5, 0x7F000001, 5000, 0x7F000001, 80, 200), Tcp(2, 0, 135, 0, 0, 100)};
  tables.udp = std::vector{Udp(0x7F000001, 53, 200)};
  TakeSnapshot(tables, lookups, tcp, udp);

  EXPECT_EQ(tables.reads, (std::vector{TableKind::Tcp, TableKind::Udp}));
  ASSERT_EQ(tcp.size(), 2u);
  EXPECT_EQ(tcp[0], (File_Rec{2, "0.0.0.0", "135", "0.0.0.0", "0", "100", "svc.exe", "C:\\svc.exe", "", "", ""}));
  EXPECT_EQ(tcp[1], (File_Rec{5, "127.0.0.1", "5000", "127.0.0.1", "80", "200", "app.exe", "C:\\app.exe",
                              "应用程序", "Acme", ""}));
  ASSERT_EQ(udp.size(), 1u);
  EXPECT_EQ(udp[0], (File_Rec{0, "127.0.0.1", "53", "", "", "200", "app.exe", "C:\\app.exe", "应用程序", "Acme", ""}));
  EXPECT_EQ(lookups.begins, 1);
  EXPECT_EQ(lookups.ends, 1);
}

TEST_F(SnapshotTest, LooksEachProcessUpOncePerSnapshotAndAnewInTheNext) {
  tables.tcp = std::vector{Tcp(2, 0, 1, 0, 0, 200), Tcp(2, 0, 2, 0, 0, 200), Tcp(2, 0, 3, 0, 0, 200)};
  tables.udp = std::vector{Udp(0, 4, 200)};
  TakeSnapshot(tables, lookups, tcp, udp);
  for (const File_Rec& r : tcp) EXPECT_EQ(r.ProcessName, "app.exe");
  EXPECT_EQ(lookups.name_calls[200], 1);

  lookups.names[200] = "renamed.exe";  // a new process under a reused ID
  TakeSnapshot(tables, lookups, tcp, udp);
  EXPECT_EQ(lookups.name_calls[200], 2);
  EXPECT_EQ(tcp[2].ProcessName, "renamed.exe");
  EXPECT_EQ(udp[0].ProcessName, "renamed.exe");
}

TEST_F(SnapshotTest, UnknownProcessKeepsEntryWithEmptyIdentity) {
  tables.tcp = std::vector{Tcp(5, 1, 1, 2, 2, 999)};
  tables.udp = std::vector<EndpointRow>{};
  TakeSnapshot(tables, lookups, tcp, udp);
  ASSERT_EQ(tcp.size(), 1u);
  EXPECT_EQ(tcp[0].ProcessID, "999");
  EXPECT_EQ(tcp[0].ProcessName, "");
  EXPECT_EQ(tcp[0].FilePath, "");
  EXPECT_EQ(tcp[0].FileDesc, "");
}

TEST_F(SnapshotTest, UnreadableTableKeepsPreviousEntriesWithMarksClearedOtherTableStillRead) {
  tables.tcp = std::vector{Tcp(5, 1, 1, 2, 2, 100)};
  tables.udp = std::vector{Udp(1, 53, 100)};
  TakeSnapshot(tables, lookups, tcp, udp);
  tcp[0].Mark = "ok";
  udp[0].Mark = "ok";
  const File_Rec previous_tcp = tcp[0];

  tables.tcp = std::nullopt;  // the TCP table fails this time
  tables.udp = std::vector{Udp(1, 54, 200)};
  TakeSnapshot(tables, lookups, tcp, udp);
  ASSERT_EQ(tcp.size(), 1u);
  EXPECT_EQ(tcp[0].LocalPort, previous_tcp.LocalPort);
  EXPECT_EQ(tcp[0].Mark, "");
  ASSERT_EQ(udp.size(), 1u);
  EXPECT_EQ(udp[0].LocalPort, "54");
  EXPECT_EQ(udp[0].Mark, "");
}

TEST_F(SnapshotTest, EmptyTablesEmptyBothArrays) {
  tcp.resize(1);
  tcp[0].LocalIP = "1.1.1.1";
  udp.resize(2);
  tables.tcp = std::vector<EndpointRow>{};
  tables.udp = std::vector<EndpointRow>{};
  TakeSnapshot(tables, lookups, tcp, udp);
  EXPECT_TRUE(tcp.empty());
  EXPECT_TRUE(udp.empty());
}

TEST_F(SnapshotTest, ProcessListIsClosedWhenALookupThrows) {
  tables.tcp = std::vector{Tcp(5, 1, 1, 2, 2, 100)};
  tables.udp = std::vector<EndpointRow>{};
  lookups.throw_on_path = true;
  EXPECT_THROW(TakeSnapshot(tables, lookups, tcp, udp), std::runtime_error);
  EXPECT_EQ(lookups.begins, 1);
  EXPECT_EQ(lookups.ends, 1);
}

}  // namespace
}  // namespace netscry
