#include "snapshot/process_path.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "snapshot/snapshot.h"

namespace netscry {
namespace {

// A process as the platform lets us see it.
struct FakeProcess {
  bool opens_with_module_rights = true;
  bool opens_limited = true;
  std::optional<std::string> module_path;  // nullopt: the module functions fail
  std::optional<std::string> image_path;   // nullopt: the image name query fails
};

class FakeImagePlatform : public ProcessImagePlatform {
 public:
  std::map<std::uint32_t, FakeProcess> processes;
  std::vector<std::uint32_t> opened_with;  // the access of every open that succeeded
  std::set<Handle> open;

  Handle Open(std::uint32_t pid, std::uint32_t access) override {
    auto it = processes.find(pid);
    if (it == processes.end()) return 0;
    const bool allowed = access == kProcessQueryLimited ? it->second.opens_limited : it->second.opens_with_module_rights;
    if (!allowed) return 0;
    const Handle h = ++next_;
    handles_[h] = pid;
    open.insert(h);
    opened_with.push_back(access);
    return h;
  }
  std::optional<std::string> MainModulePath(Handle h) override { return Process(h).module_path; }
  std::optional<std::string> ImagePath(Handle h) override { return Process(h).image_path; }
  void Close(Handle h) override {
    EXPECT_EQ(open.erase(h), 1u) << "closed a handle that is not open";
  }

 private:
  const FakeProcess& Process(Handle h) {
    EXPECT_TRUE(open.count(h)) << "used a handle that is not open";
    return processes.at(handles_.at(h));
  }
  Handle next_ = 0x40;
  std::map<Handle, std::uint32_t> handles_;
};

TEST(ProcessPathOf, ModulePathThenLimitedImagePathThenNothing) {
  struct Case {
    const char* name;
    std::optional<FakeProcess> process;  // nullopt: no such process
    std::string path;
    std::vector<std::uint32_t> opens;
  };
  const Case cases[] = {
      {"the module path", FakeProcess{true, true, "C:\\a.exe", "\\\\?\\C:\\a.exe"}, "C:\\a.exe", {kProcessQueryAndRead}},
      {"module rights refused: the image path with limited rights",
       FakeProcess{false, true, std::nullopt, "C:\\Windows\\System32\\svchost.exe"},
       "C:\\Windows\\System32\\svchost.exe", {kProcessQueryLimited}},
      {"module functions fail (a 64-bit process seen from a 32-bit program)",
       FakeProcess{true, true, std::nullopt, "C:\\Program Files\\b.exe"}, "C:\\Program Files\\b.exe",
       {kProcessQueryAndRead, kProcessQueryLimited}},
      {"an empty module path counts as none", FakeProcess{true, true, std::string("\0junk", 5), "C:\\c.exe"},
       "C:\\c.exe", {kProcessQueryAndRead, kProcessQueryLimited}},
      {"a process that cannot be opened at all", FakeProcess{false, false, "C:\\x.exe", "C:\\x.exe"}, "", {}},
      {"a process that has ended", std::nullopt, "", {}},
      {"both queries fail", FakeProcess{true, true, std::nullopt, std::nullopt}, "",
       {kProcessQueryAndRead, kProcessQueryLimited}},
      {"the module path is taken up to its NUL", FakeProcess{true, true, std::string("C:\\d.exe\0old", 12), std::nullopt},
       "C:\\d.exe", {kProcessQueryAndRead}},
  };
  for (const Case& c : cases) {
    FakeImagePlatform platform;
    if (c.process) platform.processes[100] = *c.process;
    EXPECT_EQ(ProcessPathOf(100, platform), c.path) << c.name;
    EXPECT_EQ(platform.opened_with, c.opens) << c.name;
    EXPECT_TRUE(platform.open.empty()) << c.name << ": a handle was left open";
  }
}

// The lookups of a snapshot over the fake platform, with a version reader that records which
// files it was asked about.
class PlatformLookups : public ProcessLookups {
 public:
  explicit PlatformLookups(FakeImagePlatform& platform) : platform_(platform) {}
  std::vector<std::string> version_reads;
  std::unordered_map<std::uint32_t, std::string> ProcessImageNames() override {
    return {{4, "System"}, {100, "a.exe"}, {200, "guarded.exe"}};
  }
  std::string ProcessPath(std::uint32_t pid) override { return ProcessPathOf(pid, platform_); }
  VersionText FileVersionText(const std::string& path) override {
    version_reads.push_back(path);
    return {"desc of " + path, "company"};
  }

 private:
  FakeImagePlatform& platform_;
};

class OneTable : public EndpointTableSource {
 public:
  std::optional<std::vector<EndpointRow>> ReadTable(TableKind kind) override {
    if (kind != TableKind::Tcp) return std::vector<EndpointRow>{};
    return std::vector<EndpointRow>{{2, 0, 1, 0, 0, 4}, {2, 0, 2, 0, 0, 100}, {2, 0, 3, 0, 0, 200}};
  }
};

TEST(ProcessPathOf, AProcessThatCannotBeOpenedGivesNoPathAndNoTexts) {
  FakeImagePlatform platform;
  platform.processes[4] = {false, false, std::nullopt, std::nullopt};
  platform.processes[100] = {true, true, "C:\\a.exe", std::nullopt};
  platform.processes[200] = {false, true, std::nullopt, "C:\\guarded.exe"};
  PlatformLookups lookups(platform);
  OneTable tables;
  FileRecArray tcp, udp;
  TakeSnapshot(tables, lookups, tcp, udp);
  ASSERT_EQ(tcp.size(), 3u);
  EXPECT_EQ(tcp[0].ProcessName, "System");
  EXPECT_EQ(tcp[0].FilePath, "");
  EXPECT_EQ(tcp[0].FileDesc, "");
  EXPECT_EQ(tcp[0].Company, "");
  EXPECT_EQ(tcp[1].FilePath, "C:\\a.exe");
  EXPECT_EQ(tcp[1].FileDesc, "desc of C:\\a.exe");
  EXPECT_EQ(tcp[2].FilePath, "C:\\guarded.exe");
  EXPECT_EQ(tcp[2].FileDesc, "desc of C:\\guarded.exe");
  // No file is looked at for the process without a path.
  EXPECT_EQ(lookups.version_reads, (std::vector<std::string>{"C:\\a.exe", "C:\\guarded.exe"}));
  EXPECT_TRUE(platform.open.empty());
}

}  // namespace
}  // namespace netscry
