#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "helper_process.h"
#include "snapshot/endpoint_tables_win32.h"
#include "snapshot/identity_cache.h"
#include "snapshot/process_identity_win32.h"
#include "snapshot/process_lookups_win32.h"
#include "snapshot/snapshot.h"

namespace netscry {
namespace {

using testing::HelperProcess;
using testing::WinePath;

std::uint64_t Ticks(const FILETIME& t) { return (std::uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

TEST(IdentityTimes, ACreationTimeIsThatOfTheProcessAndOnlyOfALiveOne) {
  FILETIME created{}, exited{}, kernel{}, user{};
  ASSERT_TRUE(GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user));
  EXPECT_EQ(GetProcessCreationTime(GetCurrentProcessId()), Ticks(created));

  HelperProcess helper(WinePath(NETSCRY_SOCKET_HELPER));
  ASSERT_TRUE(helper.Started()) << helper.Error();
  const std::optional<std::uint64_t> helper_created = GetProcessCreationTime(helper.Pid());
  ASSERT_TRUE(helper_created.has_value());
  EXPECT_GE(*helper_created, Ticks(created)) << "the helper started after this program";
  EXPECT_EQ(GetProcessCreationTime(helper.Pid()), helper_created) << "asked twice, the same answer";

  EXPECT_EQ(GetProcessCreationTime(0x7FFFFFF0), std::nullopt);
}

TEST(IdentityTimes, AFilesStampChangesWithItsSizeAndWriteTime) {
  char dir[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, dir), 0u);
  const std::string path = std::string(dir) + "netscry_stamp_test.bin";
  auto write = [&](const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  };
  write("four");
  const std::optional<FileStamp> first = GetFileStamp(path);
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->size, 4u);

  write("five!");
  const std::optional<FileStamp> longer = GetFileStamp(path);
  ASSERT_TRUE(longer.has_value());
  EXPECT_EQ(longer->size, 5u);

  // Same size, another write time: a replaced file all the same.
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const std::uint64_t later = longer->write_time + 36000000000ull;  // an hour on
  const FILETIME when{DWORD(later), DWORD(later >> 32)};
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &when));
  CloseHandle(file);
  const std::optional<FileStamp> touched = GetFileStamp(path);
  ASSERT_TRUE(touched.has_value());
  EXPECT_EQ(touched->size, 5u);
  EXPECT_EQ(touched->write_time, later);

  DeleteFileA(path.c_str());
  EXPECT_EQ(GetFileStamp(path), std::nullopt);
  EXPECT_EQ(GetFileStamp(""), std::nullopt);
}

// The real lookups, counted.
class CountedLookups : public ProcessLookups {
 public:
  std::map<std::uint32_t, int> path_lookups, creation_queries;
  std::map<std::string, int> version_reads;
  int walks = 0;
  std::unordered_map<std::uint32_t, std::string> ProcessImageNames() override {
    ++walks;
    return real_.ProcessImageNames();
  }
  std::string ProcessPath(std::uint32_t pid) override {
    ++path_lookups[pid];
    return real_.ProcessPath(pid);
  }
  VersionText FileVersionText(const std::string& path) override {
    ++version_reads[path];
    return real_.FileVersionText(path);
  }
  std::optional<std::uint64_t> ProcessCreationTime(std::uint32_t pid) override {
    ++creation_queries[pid];
    return real_.ProcessCreationTime(pid);
  }
  std::optional<FileStamp> FileStampOf(const std::string& path) override { return real_.FileStampOf(path); }

 private:
  Win32ProcessLookups real_;
};

TEST(CachedSnapshot, TheNextSnapshotAsksOnlyForTimesAndGivesTheSameIdentities) {
  HelperProcess helper(WinePath(NETSCRY_SOCKET_HELPER));
  ASSERT_TRUE(helper.Started()) << helper.Error();
  Win32EndpointTables tables;
  CountedLookups lookups;
  ProcessIdentityCache known;
  FileRecArray tcp, udp;
  TakeSnapshot(tables, lookups, known, tcp, udp);
  const std::string helper_pid = std::to_string(helper.Pid());
  ASSERT_EQ(lookups.path_lookups.count(helper.Pid()), 1u);

  lookups = CountedLookups();
  TakeSnapshot(tables, lookups, known, tcp, udp);
  EXPECT_EQ(lookups.walks, 1);
  EXPECT_EQ(lookups.creation_queries[helper.Pid()], 1);
  EXPECT_EQ(lookups.path_lookups.count(helper.Pid()), 0u) << "the helper was opened for its path again";
  EXPECT_TRUE(lookups.version_reads.empty()) << lookups.version_reads.begin()->first;

  // Every entry's identity is the one an uncached snapshot gives its process.
  FileRecArray fresh_tcp, fresh_udp;
  Win32ProcessLookups uncached;
  TakeSnapshot(tables, uncached, fresh_tcp, fresh_udp);
  std::map<std::string, const File_Rec*> fresh_by_pid;
  for (const auto* recs : {&fresh_tcp, &fresh_udp})
    for (const File_Rec& r : *recs) fresh_by_pid.emplace(r.ProcessID.str(), &r);
  int helper_entries = 0;
  for (const auto* recs : {&tcp, &udp}) {
    for (const File_Rec& r : *recs) {
      helper_entries += r.ProcessID == helper_pid;
      auto it = fresh_by_pid.find(r.ProcessID.str());
      if (it == fresh_by_pid.end()) continue;  // its endpoints closed in between
      EXPECT_EQ(r.ProcessName, it->second->ProcessName) << r.ProcessID;
      EXPECT_EQ(r.FilePath, it->second->FilePath) << r.ProcessID;
      EXPECT_EQ(r.FileDesc, it->second->FileDesc) << r.ProcessID;
      EXPECT_EQ(r.Company, it->second->Company) << r.ProcessID;
    }
  }
  EXPECT_GE(helper_entries, 3);
  ASSERT_TRUE(fresh_by_pid.count(helper_pid));
  EXPECT_EQ(fresh_by_pid[helper_pid]->FileDesc, "网络端点测试助手");

  // An ended helper's place is taken by a new one: it is looked up as new.
  ASSERT_TRUE(helper.Stop());
  HelperProcess next(WinePath(NETSCRY_SOCKET_HELPER));
  ASSERT_TRUE(next.Started()) << next.Error();
  lookups = CountedLookups();
  TakeSnapshot(tables, lookups, known, tcp, udp);
  EXPECT_EQ(lookups.path_lookups.count(next.Pid()), 1u);
  EXPECT_TRUE(lookups.version_reads.empty()) << "the same file, unchanged";
}

}  // namespace
}  // namespace netscry
