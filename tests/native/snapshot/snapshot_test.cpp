#include "snapshot/snapshot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <stdexcept>
#include <unordered_map>
#include <utility>
#include <vector>

namespace netscry {
namespace {

class FakeTables : public EndpointTableSource {
 public:
  std::optional<std::vector<EndpointRow>> tcp, udp;
  std::optional<std::vector<EndpointRow>> tcp6 = std::vector<EndpointRow>{}, udp6 = std::vector<EndpointRow>{};
  std::vector<TableKind> reads;
  std::optional<std::vector<EndpointRow>> ReadTable(TableKind kind) override {
    reads.push_back(kind);
    switch (kind) {
      case TableKind::Tcp: return tcp;
      case TableKind::Udp: return udp;
      case TableKind::Tcp6: return tcp6;
      case TableKind::Udp6: return udp6;
    }
    return std::nullopt;
  }
};

class FakeLookups : public ProcessLookups {
 public:
  std::map<std::uint32_t, std::string> names, paths;
  std::map<std::string, VersionText> versions;
  int walks = 0;
  bool throw_on_path = false;

  std::unordered_map<std::uint32_t, std::string> ProcessImageNames() override {
    ++walks;
    return {names.begin(), names.end()};
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

Ipv6Address V6(std::initializer_list<std::uint8_t> tail) {  // :: followed by the given last bytes
  Ipv6Address a{};
  std::copy(tail.begin(), tail.end(), a.end() - tail.size());
  return a;
}
EndpointRow Tcp6(std::uint32_t state, Ipv6Address la, std::uint16_t lp, Ipv6Address ra, std::uint16_t rp,
                 std::uint32_t pid) {
  EndpointRow r{state, 0, lp, 0, rp, pid};
  r.ipv6 = true;
  r.local_addr6 = la;
  r.remote_addr6 = ra;
  return r;
}
EndpointRow Udp6(Ipv6Address la, std::uint16_t lp, std::uint32_t pid) { return Tcp6(0, la, lp, {}, 0, pid); }

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

  EXPECT_EQ(tables.reads, (std::vector{TableKind::Tcp, TableKind::Tcp6, TableKind::Udp, TableKind::Udp6}));
  ASSERT_EQ(tcp.size(), 2u);
  EXPECT_EQ(tcp[0], (File_Rec{2, "0.0.0.0", "135", "0.0.0.0", "0", "100", "svc.exe", "C:\\svc.exe", "", "", ""}));
  EXPECT_EQ(tcp[1], (File_Rec{5, "127.0.0.1", "5000", "127.0.0.1", "80", "200", "app.exe", "C:\\app.exe",
                              "应用程序", "Acme", ""}));
  ASSERT_EQ(udp.size(), 1u);
  EXPECT_EQ(udp[0], (File_Rec{0, "127.0.0.1", "53", "", "", "200", "app.exe", "C:\\app.exe", "应用程序", "Acme", ""}));
  EXPECT_EQ(lookups.walks, 1);
}

TEST_F(SnapshotTest, LooksEachProcessUpOncePerSnapshotAndAnewInTheNext) {
  tables.tcp = std::vector{Tcp(2, 0, 1, 0, 0, 200), Tcp(2, 0, 2, 0, 0, 200), Tcp(2, 0, 3, 0, 0, 200)};
  tables.udp = std::vector{Udp(0, 4, 200)};
  TakeSnapshot(tables, lookups, tcp, udp);
  for (const File_Rec& r : tcp) EXPECT_EQ(r.ProcessName, "app.exe");
  EXPECT_EQ(lookups.walks, 1);

  lookups.names[200] = "renamed.exe";  // a new process under a reused ID
  TakeSnapshot(tables, lookups, tcp, udp);
  EXPECT_EQ(lookups.walks, 2);
  EXPECT_EQ(tcp[2].ProcessName, "renamed.exe");
  EXPECT_EQ(udp[0].ProcessName, "renamed.exe");
}

// Counts the platform work the way the glue does it: one walk of the process list for the names
// (the first entry of an ID wins), one read of a file for every version text.
class CountingLookups : public ProcessLookups {
 public:
  std::vector<std::pair<std::uint32_t, std::string>> process_list;
  std::map<std::uint32_t, std::string> paths;
  std::map<std::string, VersionText> versions;
  int walks = 0;
  std::map<std::uint32_t, int> path_lookups;
  std::map<std::string, int> version_reads;

  std::unordered_map<std::uint32_t, std::string> ProcessImageNames() override {
    ++walks;
    std::unordered_map<std::uint32_t, std::string> names;
    for (const auto& [id, name] : process_list) names.emplace(id, name);
    return names;
  }
  std::string ProcessPath(std::uint32_t pid) override {
    ++path_lookups[pid];
    auto it = paths.find(pid);
    return it == paths.end() ? "" : it->second;
  }
  VersionText FileVersionText(const std::string& path) override {
    ++version_reads[path];
    auto it = versions.find(path);
    return it == versions.end() ? VersionText{} : it->second;
  }
};

TEST(SnapshotLookups, OneProcessWalkAndOneVersionReadPerFileInASnapshot) {
  // Dozens of processes from one file, a service, a process without a readable path and one
  // that is not in the process list at all.
  CountingLookups lookups;
  lookups.process_list = {{100, "svc.exe"}, {7, "other.exe"}, {100, "stale.exe"}};
  lookups.paths = {{100, "C:\\svc.exe"}};
  lookups.versions = {{"C:\\svc.exe", {"服务", "Acme"}}, {"C:\\app.exe", {"应用程序", "Acme"}}};
  FakeTables tables;
  tables.tcp.emplace();
  for (std::uint32_t pid = 200; pid < 240; ++pid) {
    lookups.process_list.push_back({pid, "app.exe"});
    lookups.paths[pid] = "C:\\app.exe";
    tables.tcp->push_back(Tcp(5, 0x7F000001, std::uint16_t(pid), 0x7F000001, 80, pid));
    tables.tcp->push_back(Tcp(2, 0, std::uint16_t(pid), 0, 0, pid));
  }
  lookups.process_list.push_back({300, "nopath.exe"});
  tables.tcp->push_back(Tcp(2, 0, 135, 0, 0, 100));
  tables.udp = std::vector{Udp(0, 53, 100), Udp(0, 54, 300), Udp(0, 55, 999), Udp(0, 56, 201)};
  FileRecArray tcp, udp;
  TakeSnapshot(tables, lookups, tcp, udp);

  EXPECT_EQ(lookups.walks, 1);
  EXPECT_EQ(lookups.version_reads, (std::map<std::string, int>{{"C:\\app.exe", 1}, {"C:\\svc.exe", 1}}));
  for (const auto& [pid, n] : lookups.path_lookups) EXPECT_EQ(n, 1) << pid;
  // The results are those of one lookup per entry.
  ASSERT_EQ(tcp.size(), 81u);
  for (const File_Rec& r : tcp) {
    if (r.ProcessID == "100") {
      EXPECT_EQ(r.ProcessName, "svc.exe");  // the first entry of the ID
      EXPECT_EQ(r.FileDesc, "服务");
      continue;
    }
    EXPECT_EQ(r.ProcessName, "app.exe");
    EXPECT_EQ(r.FilePath, "C:\\app.exe");
    EXPECT_EQ(r.FileDesc, "应用程序");
    EXPECT_EQ(r.Company, "Acme");
  }
  ASSERT_EQ(udp.size(), 4u);
  EXPECT_EQ(udp[0], (File_Rec{0, "0.0.0.0", "53", "", "", "100", "svc.exe", "C:\\svc.exe", "服务", "Acme", ""}));
  EXPECT_EQ(udp[1], (File_Rec{0, "0.0.0.0", "54", "", "", "300", "nopath.exe", "", "", "", ""}));
  EXPECT_EQ(udp[2], (File_Rec{0, "0.0.0.0", "55", "", "", "999", "", "", "", "", ""}));
  EXPECT_EQ(udp[3].ProcessName, "app.exe");
  EXPECT_EQ(udp[3].FileDesc, "应用程序");

  // The next snapshot walks and reads anew.
  TakeSnapshot(tables, lookups, tcp, udp);
  EXPECT_EQ(lookups.walks, 2);
  EXPECT_EQ(lookups.version_reads["C:\\app.exe"], 2);
}

TEST_F(SnapshotTest, EntriesShareTheLongTextsOfTheirProcessAndFile) {
  // Two processes of one file, each with several endpoints; every text longer than fits in place.
  lookups.names = {{300, "long-process-name.exe"}, {301, "long-process-name.exe"}};
  lookups.paths = {{300, "C:\\Program Files\\Vendor\\long-process-name.exe"},
                   {301, "C:\\Program Files\\Vendor\\long-process-name.exe"}};
  lookups.versions = {{lookups.paths[300], {"A description of the program", "Vendor Incorporated"}}};
  tables.tcp = std::vector{Tcp(2, 0, 1, 0, 0, 300), Tcp(2, 0, 2, 0, 0, 300), Tcp(2, 0, 3, 0, 0, 301)};
  tables.udp = std::vector{Udp(0, 4, 300)};
  TakeSnapshot(tables, lookups, tcp, udp);
  ASSERT_EQ(tcp.size(), 3u);
  ASSERT_EQ(udp.size(), 1u);
  for (const File_Rec* e : {&tcp[1], &udp[0]}) {
    EXPECT_TRUE(e->ProcessName.SharesBlockWith(tcp[0].ProcessName));
    EXPECT_TRUE(e->FilePath.SharesBlockWith(tcp[0].FilePath));
  }
  // The version texts are the file's: shared by both processes.
  for (const File_Rec* e : {&tcp[1], &tcp[2], &udp[0]}) {
    EXPECT_TRUE(e->FileDesc.SharesBlockWith(tcp[0].FileDesc));
    EXPECT_TRUE(e->Company.SharesBlockWith(tcp[0].Company));
  }
  EXPECT_EQ(tcp[2].FilePath, tcp[0].FilePath);
  EXPECT_EQ(tcp[2].FileDesc, "A description of the program");
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

// A snapshot taken over earlier arrays (more entries, every field set, marks, remote ends in what
// is now a UDP slot) gives exactly the entries a snapshot into empty arrays gives.
TEST_F(SnapshotTest, EarlierEntriesLeaveNothingBehind) {
  const File_Rec stale{9, "255.255.255.255", "65535", "10.20.30.40", "4444", "4294967295", "a long image name.exe",
                       "C:\\a rather long path\\to\\a file.exe", "a long file description", "A Company Name", "ok"};
  tables.tcp = std::vector{Tcp(5, 0x7F000001, 5000, 0x7F000001, 80, 200), Tcp(2, 0, 135, 0, 0, 999)};
  tables.udp = std::vector{Udp(0x7F000001, 53, 100), Udp(0, 7, 999)};
  FileRecArray fresh_tcp, fresh_udp;
  TakeSnapshot(tables, lookups, fresh_tcp, fresh_udp);

  tcp.assign(3, stale);
  udp.assign(1, stale);
  TakeSnapshot(tables, lookups, tcp, udp);
  EXPECT_EQ(tcp, fresh_tcp);
  EXPECT_EQ(udp, fresh_udp);
  ASSERT_EQ(udp.size(), 2u);
  EXPECT_EQ(udp[1], (File_Rec{0, "127.0.0.1", "53", "", "", "100", "svc.exe", "C:\\svc.exe", "", "", ""}));
  ASSERT_EQ(tcp.size(), 2u);
  EXPECT_EQ(tcp[0], (File_Rec{2, "0.0.0.0", "135", "0.0.0.0", "0", "999", "", "", "", "", ""}));
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

TEST_F(SnapshotTest, ALookupThatThrowsLeavesTheArrayBeingBuiltAsItWas) {
  tables.tcp = std::vector{Tcp(5, 1, 1, 2, 2, 100)};
  tables.udp = std::vector<EndpointRow>{};
  TakeSnapshot(tables, lookups, tcp, udp);
  const FileRecArray before = tcp;
  tables.tcp = std::vector{Tcp(5, 1, 1, 2, 2, 100), Tcp(2, 0, 7, 0, 0, 200)};
  lookups.throw_on_path = true;
  EXPECT_THROW(TakeSnapshot(tables, lookups, tcp, udp), std::runtime_error);
  EXPECT_EQ(tcp, before);
}

TEST_F(SnapshotTest, Ipv6EntriesFollowTheIpv4OnesOfTheirProtocolWithTheSameIdentities) {
  tables.tcp = std::vector{Tcp(2, 0, 135, 0, 0, 100)};
  Ipv6Address link_local{0xFE, 0x80};
  link_local[15] = 1;
  EndpointRow scoped = Udp6(link_local, 546, 100);
  scoped.local_scope = 12;
  tables.tcp6 = std::vector{Tcp6(5, V6({1}), 5000, V6({1}), 80, 200), Tcp6(2, {}, 135, {}, 0, 100)};
  tables.udp = std::vector{Udp(0x7F000001, 53, 200)};
  tables.udp6 = std::vector{scoped};
  TakeSnapshot(tables, lookups, tcp, udp);

  File_Rec listener6{2, "::", "135", "::", "0", "100", "svc.exe", "C:\\svc.exe", "", "", ""};
  listener6.IPv6 = true;
  File_Rec loop6{5, "::1", "5000", "::1", "80", "200", "app.exe", "C:\\app.exe", "应用程序", "Acme", ""};
  loop6.IPv6 = true;
  File_Rec udp6{0, "fe80::1%12", "546", "", "", "100", "svc.exe", "C:\\svc.exe", "", "", ""};
  udp6.IPv6 = true;
  EXPECT_EQ(tcp, (FileRecArray{{2, "0.0.0.0", "135", "0.0.0.0", "0", "100", "svc.exe", "C:\\svc.exe", "", "", ""},
                               listener6, loop6}));
  EXPECT_EQ(udp, (FileRecArray{{0, "127.0.0.1", "53", "", "", "200", "app.exe", "C:\\app.exe", "应用程序", "Acme", ""},
                               udp6}));
  EXPECT_EQ(lookups.walks, 1);
}

// A table that cannot be read keeps its own family's previous entries; the other family's table
// is read as usual, in either direction and for both protocols.
TEST_F(SnapshotTest, AFailedTableOfOneFamilyNeverTouchesTheOther) {
  const struct {
    const char* name;
    bool fail_v4, fail_v6;
  } cases[] = {{"IPv6 fails", false, true}, {"IPv4 fails", true, false}, {"both fail", true, true}};
  for (const auto& c : cases) {
    tcp.clear();
    udp.clear();
    tables.tcp = std::vector{Tcp(5, 1, 1, 2, 2, 100)};
    tables.tcp6 = std::vector{Tcp6(5, V6({1}), 2, V6({2}), 2, 100)};
    tables.udp = std::vector{Udp(1, 3, 100)};
    tables.udp6 = std::vector{Udp6(V6({1}), 4, 100)};
    TakeSnapshot(tables, lookups, tcp, udp);
    for (File_Rec* e : {&tcp[0], &tcp[1], &udp[0], &udp[1]}) e->Mark = "ok";

    // The next snapshot: every table has other rows, and some tables fail.
    auto next = [&](bool fail, auto rows) { return fail ? std::nullopt : std::optional(rows); };
    tables.tcp = next(c.fail_v4, std::vector{Tcp(5, 1, 11, 2, 2, 100)});
    tables.tcp6 = next(c.fail_v6, std::vector{Tcp6(5, V6({1}), 12, V6({2}), 2, 100)});
    tables.udp = next(c.fail_v4, std::vector{Udp(1, 13, 100)});
    tables.udp6 = next(c.fail_v6, std::vector{Udp6(V6({1}), 14, 100)});
    TakeSnapshot(tables, lookups, tcp, udp);
    auto ports = [](const FileRecArray& a) {
      std::vector<std::string> v;
      for (const File_Rec& e : a) v.push_back(e.LocalPort.str() + (e.IPv6 ? "/6" : "/4") + e.Mark.str());
      return v;
    };
    EXPECT_EQ(ports(tcp), (std::vector<std::string>{c.fail_v4 ? "1/4" : "11/4", c.fail_v6 ? "2/6" : "12/6"})) << c.name;
    EXPECT_EQ(ports(udp), (std::vector<std::string>{c.fail_v4 ? "3/4" : "13/4", c.fail_v6 ? "4/6" : "14/6"})) << c.name;
  }
}

}  // namespace
}  // namespace netscry
