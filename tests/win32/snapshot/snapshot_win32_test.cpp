#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <vector>

#include "helper_process.h"
#include "snapshot/endpoint_tables_win32.h"
#include "snapshot/get_tcp_udp_table.h"
#include "snapshot/process_identity_win32.h"

namespace netscry {
namespace {

using testing::HelperProcess;
using testing::WinePath;

// The strings of the helper's Chinese version resource (language 0804, code page 04B0).
const std::string kHelperDesc = "网络端点测试助手";
const std::string kHelperCompany = "网擎测试工作室";

bool SamePath(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

const File_Rec* FindTcp(const std::string& local_port, const std::string& remote_port) {
  for (const File_Rec& r : TcpRecs) {
    if (r.LocalIP == "127.0.0.1" && r.LocalPort == local_port && r.RemotePort == remote_port) return &r;
  }
  return nullptr;
}

const File_Rec* FindUdp(const std::string& local_port) {
  for (const File_Rec& r : UdpRecs) {
    if (r.LocalIP == "127.0.0.1" && r.LocalPort == local_port) return &r;
  }
  return nullptr;
}

const File_Rec* FindIpv6(const FileRecArray& recs, const std::string& local_port, const std::string& remote_port) {
  for (const File_Rec& r : recs) {
    if (r.IPv6 && r.LocalIP == "::1" && r.LocalPort == local_port && r.RemotePort == remote_port) return &r;
  }
  return nullptr;
}

class SnapshotWithHelper : public ::testing::Test {
 protected:
  static std::string HelperPath() { return WinePath(NETSCRY_SOCKET_HELPER); }
  void SetUp() override {
    helper_ = std::make_unique<HelperProcess>(HelperPath());
    ASSERT_TRUE(helper_->Started()) << helper_->Error();
  }
  void ExpectHelperIdentity(const File_Rec& r) {
    EXPECT_EQ(r.ProcessID, std::to_string(helper_->Pid()));
    EXPECT_TRUE(SamePath(r.ProcessName.str(), "socket_helper.exe")) << r.ProcessName;
    EXPECT_TRUE(SamePath(r.FilePath.str(), HelperPath())) << r.FilePath;
    EXPECT_EQ(r.FileDesc, kHelperDesc);
    EXPECT_EQ(r.Company, kHelperCompany);
    EXPECT_EQ(r.Mark, "");
  }
  std::unique_ptr<HelperProcess> helper_;
};

TEST_F(SnapshotWithHelper, ShowsTheHelpersEndpointsWithItsIdentity) {
  GetTcpUdpTable();
  const auto& ports = helper_->Ports();
  const std::string listen = std::to_string(ports.listen), client = std::to_string(ports.client);

  const File_Rec* listener = FindTcp(listen, "0");
  ASSERT_NE(listener, nullptr) << "listener on port " << listen;
  EXPECT_EQ(listener->State, 2u);
  EXPECT_EQ(listener->RemoteIP, "0.0.0.0");
  ExpectHelperIdentity(*listener);

  const File_Rec* connection = FindTcp(client, listen);
  ASSERT_NE(connection, nullptr) << "connection from port " << client;
  EXPECT_EQ(connection->State, 5u);
  EXPECT_EQ(connection->RemoteIP, "127.0.0.1");
  ExpectHelperIdentity(*connection);

  // The accepted end exists; Wine may leave its owner at PID 0.
  const File_Rec* accepted = FindTcp(listen, client);
  ASSERT_NE(accepted, nullptr);
  EXPECT_EQ(accepted->State, 5u);

  const File_Rec* udp = FindUdp(std::to_string(ports.udp));
  ASSERT_NE(udp, nullptr) << "udp port " << ports.udp;
  EXPECT_EQ(udp->State, 0u);
  EXPECT_EQ(udp->RemoteIP, "");
  EXPECT_EQ(udp->RemotePort, "");
  ExpectHelperIdentity(*udp);
}

// The helper's IPv6 endpoints on ::1 come from the IPv6 tables, after the IPv4 entries of their
// protocol. Wine 8 leaves the owner of a loopback IPv6 socket at PID 0 (then without a name or
// path); where it names one, it must be the helper.
TEST_F(SnapshotWithHelper, ShowsTheHelpersIpv6Endpoints) {
  const auto& ports = helper_->Ports();
  ASSERT_NE(ports.listen6, 0u) << "the helper could not listen on ::1";
  GetTcpUdpTable();
  const std::string listen6 = std::to_string(ports.listen6);
  const File_Rec* listener = FindIpv6(TcpRecs, listen6, "0");
  ASSERT_NE(listener, nullptr) << "IPv6 listener on port " << listen6;
  EXPECT_EQ(listener->State, 2u);
  EXPECT_EQ(listener->RemoteIP, "::");
  std::printf("IPv6 listener ::1:%s owned by PID %s (%s)\n", listen6.c_str(), listener->ProcessID.c_str(),
              listener->ProcessName.c_str());
  if (listener->ProcessID != "0") ExpectHelperIdentity(*listener);

  if (ports.client6 != 0) {
    const File_Rec* connection = FindIpv6(TcpRecs, std::to_string(ports.client6), listen6);
    ASSERT_NE(connection, nullptr);
    EXPECT_EQ(connection->State, 5u);
    EXPECT_EQ(connection->RemoteIP, "::1");
  }
  if (ports.udp6 != 0) {
    const File_Rec* udp = FindIpv6(UdpRecs, std::to_string(ports.udp6), "");
    ASSERT_NE(udp, nullptr) << "IPv6 UDP port " << ports.udp6;
    EXPECT_EQ(udp->State, 0u);
    EXPECT_EQ(udp->RemoteIP, "");
  }
  // Each array holds its IPv4 entries first.
  for (const auto* recs : {&TcpRecs, &UdpRecs})
    EXPECT_TRUE(std::is_partitioned(recs->begin(), recs->end(), [](const File_Rec& r) { return !r.IPv6; }));
}

TEST_F(SnapshotWithHelper, EntriesOfAnEndedProcessAreGoneFromTheNextSnapshot) {
  GetTcpUdpTable();
  const std::string pid = std::to_string(helper_->Pid());
  auto count_of_pid = [&] {
    std::size_t n = 0;
    for (const auto* recs : {&TcpRecs, &UdpRecs}) {
      n += std::count_if(recs->begin(), recs->end(), [&](const File_Rec& r) { return r.ProcessID == pid; });
    }
    return n;
  };
  EXPECT_GE(count_of_pid(), 3u);
  ASSERT_TRUE(helper_->Stop());
  GetTcpUdpTable();
  EXPECT_EQ(count_of_pid(), 0u);
  EXPECT_EQ(FindTcp(std::to_string(helper_->Ports().listen), "0"), nullptr);
  EXPECT_EQ(FindUdp(std::to_string(helper_->Ports().udp)), nullptr);
}

TEST_F(SnapshotWithHelper, RowsComeInNumericOrder) {
  GetTcpUdpTable();
  auto key = [](const File_Rec& r) {
    std::vector<unsigned long> k;
    for (const FieldText* s : {&r.LocalIP, &r.LocalPort, &r.RemoteIP, &r.RemotePort}) {
      std::istringstream in(s->str());
      std::string part;
      while (std::getline(in, part, '.')) k.push_back(part.empty() ? 0 : std::stoul(part));
    }
    return k;
  };
  for (const auto* recs : {&TcpRecs, &UdpRecs}) {
    for (std::size_t i = 1; i < recs->size() && !(*recs)[i].IPv6; ++i)
      EXPECT_LE(key((*recs)[i - 1]), key((*recs)[i])) << i;
  }
}

TEST_F(SnapshotWithHelper, IdentityLookupsOnTheHelperProcess) {
  HANDLE snapshot = CreateProcessSnapshot();
  ASSERT_NE(snapshot, nullptr);
  EXPECT_TRUE(SamePath(GetProcessName(snapshot, helper_->Pid()), "socket_helper.exe"));
  CloseHandle(snapshot);
  const std::string path = GetProcessPath(helper_->Pid());
  EXPECT_TRUE(SamePath(path, HelperPath())) << path;
  // The fallback for processes whose module list cannot be read names the same file.
  EXPECT_TRUE(SamePath(GetProcessImagePathLimited(helper_->Pid()), HelperPath()));
  std::string desc, company;
  GetFileVersionText(path, desc, company);
  EXPECT_EQ(desc, kHelperDesc);
  EXPECT_EQ(company, kHelperCompany);
}

TEST_F(SnapshotWithHelper, OneWalkNamesEveryProcessAsTheWalkPerProcessDoes) {
  HANDLE snapshot = CreateProcessSnapshot();
  ASSERT_NE(snapshot, nullptr);
  const std::unordered_map<std::uint32_t, std::string> names = GetProcessImageNames(snapshot);
  EXPECT_GE(names.size(), 3u);
  ASSERT_TRUE(names.count(helper_->Pid()));
  EXPECT_TRUE(SamePath(names.at(helper_->Pid()), "socket_helper.exe"));
  ASSERT_TRUE(names.count(GetCurrentProcessId()));
  for (const auto& [pid, name] : names) EXPECT_EQ(name, GetProcessName(snapshot, pid)) << pid;
  CloseHandle(snapshot);
  EXPECT_TRUE(GetProcessImageNames(nullptr).empty());
  EXPECT_TRUE(GetProcessImageNames(INVALID_HANDLE_VALUE).empty());
}

TEST(IdentityLookups, MissingProcessAndFilesGiveEmptyText) {
  constexpr DWORD kNoSuchPid = 0x7FFFFFF0;
  HANDLE snapshot = CreateProcessSnapshot();
  EXPECT_EQ(GetProcessName(snapshot, kNoSuchPid), "");
  CloseHandle(snapshot);
  EXPECT_EQ(GetProcessName(nullptr, GetCurrentProcessId()), "");
  EXPECT_EQ(GetProcessPath(kNoSuchPid), "");
  EXPECT_EQ(GetProcessImagePathLimited(kNoSuchPid), "");

  std::string desc = "stale", company = "stale";
  GetFileVersionText("", desc, company);
  EXPECT_EQ(desc, "");
  EXPECT_EQ(company, "");
  // Wine's own system programs carry no version resource.
  char system_dir[MAX_PATH];
  GetSystemDirectoryA(system_dir, MAX_PATH);
  desc = company = "stale";
  GetFileVersionText(std::string(system_dir) + "\\services.exe", desc, company);
  EXPECT_EQ(desc, "");
  EXPECT_EQ(company, "");
  GetFileVersionText("C:\\no\\such\\file.exe", desc, company);
  EXPECT_EQ(desc, "");
}

TEST(IdentityLookups, OwnProcessAndDebugPrivilege) {
  HANDLE snapshot = CreateProcessSnapshot();
  EXPECT_TRUE(SamePath(GetProcessName(snapshot, GetCurrentProcessId()), "snapshot_win32_tests.exe"));
  CloseHandle(snapshot);
  char own_path[1025];
  GetModuleFileNameA(nullptr, own_path, sizeof own_path);
  EXPECT_TRUE(SamePath(GetProcessPath(GetCurrentProcessId()), own_path));
  EXPECT_TRUE(EnableDebugPrivilege());
  EXPECT_TRUE(CheckPSAPILoaded());
}

TEST(EndpointTables, AllTablesAreReadAndTheXpEraUdpCallIsNotRequired) {
  Win32EndpointTables tables;
  EXPECT_TRUE(tables.ReadTable(TableKind::Tcp).has_value());
  EXPECT_TRUE(tables.ReadTable(TableKind::Udp).has_value());
  // The IPv6 tables come from the owner-PID calls only.
  for (TableKind kind : {TableKind::Tcp6, TableKind::Udp6}) {
    const auto rows = tables.ReadTable(kind);
    EXPECT_TRUE(rows.has_value());
    EXPECT_EQ(LastTableApi(kind), TableApi::Extended);
    if (rows) {
      for (const EndpointRow& r : *rows) EXPECT_TRUE(r.ipv6);
    }
  }
  // Where the XP-era UDP call is missing (every Windows since Vista, and Wine) the owner-PID call answers.
  if (!GetProcAddress(GetModuleHandleA("iphlpapi.dll"), "AllocateAndGetUdpExTableFromStack")) {
    EXPECT_EQ(LastTableApi(TableKind::Udp), TableApi::Extended);
  }
}

TEST_F(SnapshotWithHelper, SnapshotToolPrintsTheHelpersRows) {
  DWORD exit_code = 99;
  const std::string out = testing::RunAndCapture(WinePath(NETSCRY_SNAPSHOT_TOOL), 60000, &exit_code);
  EXPECT_EQ(exit_code, 0u);
  std::istringstream lines(out);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line.substr(0, 15), "Protocol\tState\t");
  const std::string pid = std::to_string(helper_->Pid());
  const auto& ports = helper_->Ports();
  int found = 0;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> f;
    std::istringstream fields(line);
    std::string field;
    while (std::getline(fields, field, '\t')) f.push_back(field);
    while (f.size() < 12) f.emplace_back();
    // The IPv6 listener, whoever Wine says owns it.
    if (f[0] == "TCPv6" && f[2] == "::1" && f[3] == std::to_string(ports.listen6) && f[1] == "2" && f[4] == "::") ++found;
    if (f[6] != pid) continue;
    EXPECT_EQ(f[9], kHelperDesc);
    EXPECT_EQ(f[10], kHelperCompany);
    if (f[0] == "TCP" && f[3] == std::to_string(ports.listen) && f[1] == "2") ++found;
    if (f[0] == "TCP" && f[3] == std::to_string(ports.client) && f[1] == "5") ++found;
    if (f[0] == "UDP" && f[3] == std::to_string(ports.udp) && f[1] == "0") ++found;
  }
  EXPECT_EQ(found, 4) << out;
}

}  // namespace
}  // namespace netscry
