#include "snapshot/identity_cache.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "snapshot/snapshot.h"

namespace netscry {
namespace {

// A small machine: processes with their endpoints, and the files they run from. It answers the
// lookups as the platform would and counts every call, per process ID and per path.
struct FakeProcess {
  std::uint64_t created = 0;
  std::string name, path;
  std::vector<EndpointRow> endpoints;
  bool times_readable = true;  // whether its creation time can be asked
  bool listed = true;          // false: started after the process list was taken
};
struct FakeFile {
  std::uint64_t write_time = 0, size = 0;
  VersionText text;
  bool stamp_readable = true;
};

class Machine : public ProcessLookups, public EndpointTableSource {
 public:
  std::map<std::uint32_t, FakeProcess> processes;
  std::map<std::string, FakeFile> files;
  std::vector<EndpointRow> ownerless;  // endpoints of processes the machine does not have
  bool list_fails = false;
  bool throw_on_path = false;

  int walks = 0;
  std::map<std::uint32_t, int> creation_queries, path_lookups;
  std::map<std::string, int> version_reads, stamp_reads;

  void ResetCounts() {
    walks = 0;
    creation_queries.clear();
    path_lookups.clear();
    version_reads.clear();
    stamp_reads.clear();
  }

  std::optional<std::vector<EndpointRow>> ReadTable(TableKind kind) override {
    std::vector<EndpointRow> rows;
    if (IsIpv6Kind(kind)) return rows;  // every endpoint here is IPv4
    auto add = [&](const EndpointRow& r) {
      if ((r.state != 0) == (kind == TableKind::Tcp)) rows.push_back(r);
    };
    for (const auto& [pid, p] : processes)
      for (const EndpointRow& r : p.endpoints) add(r);
    for (const EndpointRow& r : ownerless) add(r);
    return rows;
  }
  std::unordered_map<std::uint32_t, std::string> ProcessImageNames() override {
    ++walks;
    std::unordered_map<std::uint32_t, std::string> names;
    if (list_fails) return names;
    for (const auto& [pid, p] : processes)
      if (p.listed) names.emplace(pid, p.name);
    return names;
  }
  std::string ProcessPath(std::uint32_t pid) override {
    ++path_lookups[pid];
    if (throw_on_path) throw std::runtime_error("lookup failed");
    auto it = processes.find(pid);
    return it == processes.end() ? "" : it->second.path;
  }
  VersionText FileVersionText(const std::string& path) override {
    ++version_reads[path];
    auto it = files.find(path);
    return it == files.end() ? VersionText{} : it->second.text;
  }
  std::optional<std::uint64_t> ProcessCreationTime(std::uint32_t pid) override {
    ++creation_queries[pid];
    auto it = processes.find(pid);
    if (it == processes.end() || !it->second.times_readable) return std::nullopt;
    return it->second.created;
  }
  std::optional<FileStamp> FileStampOf(const std::string& path) override {
    ++stamp_reads[path];
    auto it = files.find(path);
    if (it == files.end() || !it->second.stamp_readable) return std::nullopt;
    return FileStamp{it->second.write_time, it->second.size};
  }
};

EndpointRow Listener(std::uint16_t port, std::uint32_t pid) { return {2, 0, port, 0, 0, pid}; }
EndpointRow Udp(std::uint16_t port, std::uint32_t pid) { return {0, 0x7F000001, port, 0, 0, pid}; }

struct Snapshot {
  FileRecArray tcp, udp;
  friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

Snapshot Uncached(Machine& m) {
  Snapshot s;
  TakeSnapshot(m, m, s.tcp, s.udp);
  return s;
}
Snapshot Cached(Machine& m, ProcessIdentityCache& cache) {
  Snapshot s;
  TakeSnapshot(m, m, cache, s.tcp, s.udp);
  return s;
}

template <typename Key>
std::set<Key> Keys(const std::map<Key, int>& counts) {
  std::set<Key> keys;
  for (const auto& [k, n] : counts) keys.insert(k);
  return keys;
}

// Thirty processes of five programs (several processes per file), a service, a process whose
// path cannot be read, and endpoints of a process that is gone.
Machine SmallMachine() {
  Machine m;
  for (int f = 0; f < 5; ++f) {
    const std::string path = "C:\\Program Files\\App" + std::to_string(f) + "\\app" + std::to_string(f) + ".exe";
    m.files[path] = {1000u + unsigned(f), 4096u * unsigned(f + 1), {"应用程序 " + std::to_string(f), "Acme"}};
  }
  std::uint16_t port = 1000;
  for (std::uint32_t pid = 200; pid < 230; ++pid) {
    FakeProcess& p = m.processes[pid];
    p.created = 50 + pid;
    const int f = int(pid % 5);
    p.path = "C:\\Program Files\\App" + std::to_string(f) + "\\app" + std::to_string(f) + ".exe";
    p.name = "app" + std::to_string(f) + ".exe";
    p.endpoints = {Listener(port++, pid), Listener(port++, pid), Udp(port++, pid)};
  }
  m.processes[4] = {1, "System", "", {Listener(445, 4)}};
  m.ownerless = {Listener(9999, 31337)};
  return m;
}

TEST(IdentityCacheCalls, SteadyStateAsksOnlyForTheProcessListAndCreationTimes) {
  Machine m = SmallMachine();
  ProcessIdentityCache cache;
  const Snapshot first = Cached(m, cache);
  EXPECT_EQ(first, Uncached(m));

  m.ResetCounts();
  const Snapshot second = Cached(m, cache);
  EXPECT_EQ(second, first);
  EXPECT_EQ(m.walks, 1);
  // Only the ID that cannot be asked is looked up as without a cache (on the platform: an open
  // that fails, before any module call).
  EXPECT_EQ(Keys(m.path_lookups), std::set<std::uint32_t>{31337}) << "a process met before was opened for its path";
  EXPECT_TRUE(m.version_reads.empty()) << "a file met before was read again";
  // One creation-time question per process that owns an endpoint, none for the others.
  std::set<std::uint32_t> owners{4, 31337};
  for (std::uint32_t pid = 200; pid < 230; ++pid) owners.insert(pid);
  EXPECT_EQ(Keys(m.creation_queries), owners);
  for (const auto& [pid, n] : m.creation_queries) EXPECT_EQ(n, 1) << pid;
  // One look at each file's time and size (the empty path of the service is not a file).
  EXPECT_EQ(m.stamp_reads.size(), 5u);
  for (const auto& [path, n] : m.stamp_reads) EXPECT_EQ(n, 1) << path;
}

// What changes between two snapshots, what is then asked again, and what is not.
TEST(IdentityCacheCalls, ChangesAreLookedUpAgainAndNothingElse) {
  const std::string app0 = "C:\\Program Files\\App0\\app0.exe";
  const std::string app1 = "C:\\Program Files\\App1\\app1.exe";
  struct Case {
    const char* what;
    std::function<void(Machine&)> change;
    std::set<std::uint32_t> paths_looked_up;
    std::set<std::string> files_read;
  };
  const std::vector<Case> cases = {
      {"nothing changed", [](Machine&) {}, {}, {}},
      {"process 200 ended and another program got its ID",
       [&](Machine& m) {
         FakeProcess& p = m.processes[200];
         p.created = 900;
         p.path = app1;
         p.name = "app1.exe";
       },
       {200},
       {}},
      {"the same program started again under the same ID",
       [](Machine& m) { m.processes[200].created = 900; },
       {200},
       {}},
      {"every process of a program ended and a new one of it started",
       [&](Machine& m) {
         for (std::uint32_t pid = 200; pid < 230; pid += 5) m.processes.erase(pid);
         m.processes[600] = {901, "app0.exe", app0, {Listener(6000, 600)}};
       },
       {600},
       {}},
      {"a new process of a program not seen before",
       [](Machine& m) {
         m.files["C:\\new.exe"] = {7, 7, {"新程序", "Newco"}};
         m.processes[500] = {901, "new.exe", "C:\\new.exe", {Listener(5000, 500)}};
       },
       {500},
       {"C:\\new.exe"}},
      {"a file replaced with a newer one of the same size",
       [&](Machine& m) {
         m.files[app0].write_time += 1;
         m.files[app0].text.FileDesc = "新版本";
       },
       {},
       {app0}},
      {"a file replaced with one of another size at the same time",
       [&](Machine& m) {
         m.files[app0].size += 1;
         m.files[app0].text.Company = "Other";
       },
       {},
       {app0}},
      {"a process whose creation time cannot be read",
       [](Machine& m) { m.processes[201].times_readable = false; },
       {201},
       {}},
      {"a file whose time cannot be read",
       [&](Machine& m) { m.files[app1].stamp_readable = false; },
       {},
       {app1}},
      {"a process that started after the process list was taken is met anew",
       [](Machine& m) { m.processes[202].listed = false; },
       {202},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Machine m = SmallMachine();
    m.ownerless.clear();
    ProcessIdentityCache cache;
    Cached(m, cache);
    c.change(m);
    m.ResetCounts();
    const Snapshot cached = Cached(m, cache);
    EXPECT_EQ(Keys(m.path_lookups), c.paths_looked_up);
    EXPECT_EQ(Keys(m.version_reads), c.files_read);
    EXPECT_EQ(cached, Uncached(m));
  }
}

TEST(IdentityCacheKeeping, EndedProcessesAndTheirFilesAreDroppedAtTheNextSnapshot) {
  Machine m = SmallMachine();
  ProcessIdentityCache cache;
  Cached(m, cache);
  EXPECT_EQ(cache.ProcessCount(), 31u);  // thirty programs and the service; the ownerless ID is not kept
  EXPECT_EQ(cache.FileCount(), 5u);
  // Every process of app0 ends; one of app1 stays in the list but owns no endpoint any more.
  for (std::uint32_t pid = 200; pid < 230; pid += 5) m.processes.erase(pid);
  m.processes[201].endpoints.clear();
  Cached(m, cache);
  EXPECT_EQ(cache.ProcessCount(), 25u);
  EXPECT_EQ(cache.FileCount(), 4u);

  // A list that could not be taken drops nothing, and nothing wrong is given out.
  m.list_fails = true;
  m.processes.erase(206);
  m.processes[207].created = 999;
  const Snapshot blind = Cached(m, cache);
  EXPECT_EQ(blind, Uncached(m));
  EXPECT_EQ(cache.ProcessCount(), 25u);

  // The process the listed walk finds no more goes; the one back with its endpoint is met again.
  m.list_fails = false;
  m.processes[201].endpoints = {Listener(7001, 201)};
  m.ResetCounts();
  EXPECT_EQ(Cached(m, cache), Uncached(m));
  EXPECT_EQ(m.path_lookups[201], 1);  // once, by the uncached snapshot only
  EXPECT_EQ(cache.ProcessCount(), 24u);
}

TEST(IdentityCacheKeeping, SnapshotsShareNoTextWithEachOther) {
  // The cache keeps plain strings: a later snapshot's texts are its own, never a block an
  // earlier snapshot (handed to another thread, say) still counts.
  Machine m = SmallMachine();
  ProcessIdentityCache cache;
  const Snapshot first = Cached(m, cache);
  const Snapshot second = Cached(m, cache);
  ASSERT_EQ(first, second);
  std::size_t i = 0;
  while (i < first.tcp.size() && first.tcp[i].ProcessID != "200") ++i;
  ASSERT_LT(i, first.tcp.size());
  const File_Rec& a = first.tcp[i];
  const File_Rec& b = second.tcp[i];
  ASSERT_EQ(a.FilePath, b.FilePath);
  ASSERT_GT(a.FilePath.size(), FieldText::kInPlace);
  EXPECT_FALSE(a.FilePath.SharesBlockWith(b.FilePath));
  EXPECT_FALSE(a.FileDesc.SharesBlockWith(b.FileDesc));
  // Within one snapshot the entries of a process still share them.
  const File_Rec* other = nullptr;
  for (const File_Rec& r : second.tcp)
    if (&r != &b && r.ProcessID == b.ProcessID) other = &r;
  ASSERT_NE(other, nullptr);
  EXPECT_TRUE(other->FilePath.SharesBlockWith(b.FilePath));
}

TEST(IdentityCacheKeeping, ALookupThatThrowsLeavesNothingWrongBehind) {
  Machine m = SmallMachine();
  ProcessIdentityCache cache;
  Cached(m, cache);
  m.processes[200].created = 900;
  m.processes[200].path = "C:\\Program Files\\App1\\app1.exe";
  m.throw_on_path = true;
  Snapshot failed;
  EXPECT_THROW(TakeSnapshot(m, m, cache, failed.tcp, failed.udp), std::runtime_error);
  m.throw_on_path = false;
  EXPECT_EQ(Cached(m, cache), Uncached(m));
}

// Many snapshots of a machine whose processes come and go, reuse IDs, cannot always be asked,
// and whose files are replaced: every cached snapshot equals an uncached one of the same moment.
TEST(IdentityCacheDifferential, SameAsUncachedLookupsOverManySnapshots) {
  std::mt19937 rng(20261211);
  auto below = [&](std::uint32_t n) { return std::uint32_t(rng() % n); };
  Machine m;
  std::uint64_t clock = 1;
  std::vector<std::string> paths = {""};
  for (int i = 0; i < 8; ++i) paths.push_back("C:\\prog" + std::to_string(i) + "\\a long file name.exe");
  for (std::size_t i = 1; i < paths.size(); ++i)
    m.files[paths[i]] = {clock++, 100 * i, {"描述 " + std::to_string(i), "公司 " + std::to_string(i)}};
  std::uint16_t port = 1;
  auto start = [&](std::uint32_t pid) {
    FakeProcess p;
    p.created = clock++;
    p.path = paths[below(std::uint32_t(paths.size()))];
    p.name = p.path.empty() ? "noread.exe" : "prog.exe";
    for (std::uint32_t n = below(4); n > 0; --n) p.endpoints.push_back(below(3) ? Listener(port++, pid) : Udp(port++, pid));
    m.processes[pid] = p;
  };
  // IDs come from a small range so that they are reused often.
  for (std::uint32_t pid = 1; pid <= 20; ++pid) start(pid);

  ProcessIdentityCache cache;
  for (int step = 0; step < 400; ++step) {
    SCOPED_TRACE(step);
    const int events = int(below(4));
    for (int e = 0; e < events; ++e) {
      const std::uint32_t pid = 1 + below(30);
      switch (below(8)) {
        case 0: m.processes.erase(pid); break;
        case 1: case 2: start(pid); break;  // a new process, maybe under an ID just freed
        case 3: {
          auto& f = m.files[paths[1 + below(std::uint32_t(paths.size() - 1))]];
          f.write_time = clock++;
          if (below(2)) f.size += 1;
          f.text.FileDesc = "描述 " + std::to_string(clock);
          break;
        }
        case 4:
          if (auto it = m.processes.find(pid); it != m.processes.end()) it->second.times_readable ^= true;
          break;
        case 5: m.files[paths[1 + below(std::uint32_t(paths.size() - 1))]].stamp_readable ^= true; break;
        case 6:
          if (auto it = m.processes.find(pid); it != m.processes.end()) it->second.listed ^= true;
          break;
        default: m.list_fails = below(4) == 0; break;
      }
    }
    m.ownerless = {Listener(60000, 40 + below(5))};
    const Snapshot cached = Cached(m, cache);
    ASSERT_EQ(cached, Uncached(m));
    // What is kept is of processes and files that exist.
    if (!m.list_fails) {
      EXPECT_LE(cache.ProcessCount(), m.processes.size());
    }
    EXPECT_LE(cache.FileCount(), paths.size() - 1);
  }
}

}  // namespace
}  // namespace netscry
