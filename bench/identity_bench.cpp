// A snapshot's identity lookups with and without what earlier snapshots learned. A simulated
// machine of 300 processes (run from 60 programs, a few processes each) owns 5,000 endpoints;
// before each refresh 1 % of the processes end and as many start (half of them under an ID that
// just became free, as IDs are reused), 1 % of the endpoints close and as many open, and one
// program file in a hundred is replaced.
//   BM_Uncached  every refresh opens every owning process and reads every file (before)
//   BM_Cached    a refresh asks only about processes and files it has not met (after)
// The platform is an in-memory fake: the times are those of our own code. What a refresh costs
// on a real system is its platform calls, counted per refresh in the counters
// (walks, creation, path, stamp, version) and printed side by side at the end.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "snapshot/identity_cache.h"
#include "snapshot/snapshot.h"

namespace {

using namespace netscry;

constexpr int kProcesses = 300;
constexpr int kPrograms = 60;
constexpr int kEndpoints = 5000;

struct Process {
  std::uint64_t created = 0;
  int program = 0;
  std::vector<EndpointRow> endpoints;
};

struct Calls {
  double walks = 0, creation = 0, path = 0, stamp = 0, version = 0;
};

class Machine : public ProcessLookups, public EndpointTableSource {
 public:
  Machine() {
    for (int p = 0; p < kPrograms; ++p) {
      programs_.push_back({"C:\\Program Files\\Vendor " + std::to_string(p) + "\\program" + std::to_string(p) + ".exe",
                           {"程序说明 " + std::to_string(p), "Vendor Corporation " + std::to_string(p)},
                           FileStamp{clock_++, 100000u + std::uint64_t(p)}});
    }
    for (int i = 0; i < kProcesses; ++i) Start(NewPid());
    while (EndpointCount() < kEndpoints) OpenEndpoint();
  }

  // One refresh interval of change; the machine keeps its 5,000 endpoints.
  void Churn() {
    for (int i = 0; i < kEndpoints / 100; ++i) {
      auto it = processes_.begin();
      std::advance(it, long(rng_() % processes_.size()));
      if (it->second.endpoints.empty()) continue;
      it->second.endpoints.pop_back();
    }
    for (int i = 0; i < kProcesses / 100; ++i) {
      auto it = processes_.begin();
      std::advance(it, long(rng_() % processes_.size()));
      const std::uint32_t freed = it->first;
      processes_.erase(it);
      Start(i % 2 ? freed : NewPid());
    }
    while (EndpointCount() < kEndpoints) OpenEndpoint();
    if (rng_() % 100 < kPrograms) {
      Program& replaced = programs_[rng_() % programs_.size()];
      replaced.stamp.write_time = clock_++;
      replaced.text.FileDesc = "程序说明 " + std::to_string(clock_);
    }
  }

  Calls calls;

  std::optional<std::vector<EndpointRow>> ReadTable(TableKind kind) override {
    std::vector<EndpointRow> rows;
    if (IsIpv6Kind(kind)) return rows;  // every endpoint here is IPv4
    for (const auto& [pid, p] : processes_)
      for (const EndpointRow& r : p.endpoints)
        if ((r.state != 0) == (kind == TableKind::Tcp)) rows.push_back(r);
    return rows;
  }
  std::unordered_map<std::uint32_t, std::string> ProcessImageNames() override {
    ++calls.walks;
    std::unordered_map<std::uint32_t, std::string> names;
    for (const auto& [pid, p] : processes_) names.emplace(pid, "program" + std::to_string(p.program) + ".exe");
    return names;
  }
  std::string ProcessPath(std::uint32_t pid) override {
    ++calls.path;
    auto it = processes_.find(pid);
    return it == processes_.end() ? std::string() : programs_[std::size_t(it->second.program)].path;
  }
  VersionText FileVersionText(const std::string& path) override {
    ++calls.version;
    const Program* p = ProgramAt(path);
    return p ? p->text : VersionText{};
  }
  std::optional<std::uint64_t> ProcessCreationTime(std::uint32_t pid) override {
    ++calls.creation;
    auto it = processes_.find(pid);
    if (it == processes_.end()) return std::nullopt;
    return it->second.created;
  }
  std::optional<FileStamp> FileStampOf(const std::string& path) override {
    ++calls.stamp;
    const Program* p = ProgramAt(path);
    if (!p) return std::nullopt;
    return p->stamp;
  }

 private:
  struct Program {
    std::string path;
    VersionText text;
    FileStamp stamp;
  };
  const Program* ProgramAt(const std::string& path) const {
    for (const Program& p : programs_)
      if (p.path == path) return &p;
    return nullptr;
  }
  std::uint32_t NewPid() { return next_pid_ += 4; }
  void Start(std::uint32_t pid) {
    Process p;
    p.created = clock_++;
    p.program = int(rng_() % kPrograms);
    processes_[pid] = std::move(p);
  }
  void OpenEndpoint() {
    auto it = processes_.begin();
    std::advance(it, long(rng_() % processes_.size()));
    const std::uint32_t pid = it->first;
    const std::uint16_t port = std::uint16_t(1024 + next_port_++ % 60000);
    if (rng_() % 5 == 0) {
      it->second.endpoints.push_back({0, 0x7F000001, port, 0, 0, pid});
    } else {
      it->second.endpoints.push_back({5, 0x0A000001, port, 0x0A000002, std::uint16_t(443), pid});
    }
  }
  std::size_t EndpointCount() const {
    std::size_t n = 0;
    for (const auto& [pid, p] : processes_) n += p.endpoints.size();
    return n;
  }

  std::mt19937 rng_{42};
  std::uint64_t clock_ = 1;
  std::uint32_t next_pid_ = 1000;
  std::uint32_t next_port_ = 0;
  std::vector<Program> programs_;
  std::map<std::uint32_t, Process> processes_;
};

std::map<std::string, Calls> g_calls_per_refresh;

void Refreshes(benchmark::State& state, bool cached) {
  Machine machine;
  ProcessIdentityCache known;
  FileRecArray tcp, udp;
  if (cached) TakeSnapshot(machine, machine, known, tcp, udp);  // the first fill
  machine.calls = {};
  std::int64_t refreshes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    machine.Churn();
    state.ResumeTiming();
    if (cached) {
      TakeSnapshot(machine, machine, known, tcp, udp);
    } else {
      TakeSnapshot(machine, machine, tcp, udp);
    }
    benchmark::DoNotOptimize(tcp.data());
    ++refreshes;
  }
  const double n = double(refreshes);
  const Calls c{machine.calls.walks / n, machine.calls.creation / n, machine.calls.path / n, machine.calls.stamp / n,
                machine.calls.version / n};
  state.counters["walks"] = c.walks;
  state.counters["creation"] = c.creation;
  state.counters["path"] = c.path;
  state.counters["stamp"] = c.stamp;
  state.counters["version"] = c.version;
  state.counters["entries"] = double(tcp.size() + udp.size());
  g_calls_per_refresh[cached ? "after (cached)" : "before (uncached)"] = c;
}

void BM_Uncached(benchmark::State& state) { Refreshes(state, false); }
void BM_Cached(benchmark::State& state) { Refreshes(state, true); }
BENCHMARK(BM_Uncached)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Cached)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::printf("\nPlatform calls per refresh (%d processes, %d endpoints, 1 %% churn):\n", kProcesses, kEndpoints);
  std::printf("  %-18s %8s %9s %9s %9s %9s\n", "", "walks", "creation", "path", "stamp", "version");
  for (const auto& [name, c] : g_calls_per_refresh)
    std::printf("  %-18s %8.1f %9.1f %9.1f %9.1f %9.1f\n", name.c_str(), c.walks, c.creation, c.path, c.stamp,
                c.version);
  return 0;
}
