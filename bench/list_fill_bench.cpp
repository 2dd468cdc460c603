// Filling the list the way the program does (append a row, the list sorts, then fill the row),
// the literal sort after every append versus the list's own sorting, and a repaint of one page at
// a small and a large row count. Prints the literal/ours ratios at the end of the run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "base/bitmap_canvas.h"
#include "connlist/text_compare.h"
#include "controls/tree_list.h"
#include "literal_sort_reference.h"

namespace {

using namespace netscry;

struct Row {
  std::string name;
};

// Image names of a machine: a few hundred programs, many rows each.
std::vector<std::string> Names(int n) {
  std::mt19937 rng(12345);
  std::vector<std::string> v;
  v.reserve(std::size_t(n));
  for (int i = 0; i < n; ++i) v.push_back("proc" + std::to_string(rng() % 300) + ".exe");
  return v;
}

void SetUpList(TStringTreeList& list) {
  TTreeColumn col;
  col.Width = 120;
  list.Header().AddColumn(col);
  list.Header().AddColumn(col);
  list.SetNodeRecordType(NodeRecordTypeOf<Row>());
  list.SetNodeDataSize(48);
  list.OnCompareNodes = [](TStringTreeList& s, PTreeNode a, PTreeNode b, TColumnIndex c, int& r) {
    if (c != 1) return;
    const Row* ra = s.ReadRowRecordAs<Row>(a);
    const Row* rb = s.ReadRowRecordAs<Row>(b);
    if (ra && rb) r = CompareAnsiTextNoCase(ra->name, rb->name);
  };
  list.OnGetText = [](TStringTreeList& s, PTreeNode n, TColumnIndex, TTreeTextType, std::string& t) {
    if (const Row* r = s.ReadRowRecordAs<Row>(n)) t = r->name;
  };
}

void BM_FillOurs(benchmark::State& state) {
  const int n = int(state.range(0));
  const std::vector<std::string> names = Names(n);
  for (auto _ : state) {
    TStringTreeList list;
    SetUpList(list);
    for (int i = 0; i < n; ++i) list.RowRecordAs<Row>(list.AppendNode())->name = names[std::size_t(i)];
    list.SortList(1, sdAscending);
    benchmark::DoNotOptimize(list.FirstNode());
  }
}

void BM_FillLiteral(benchmark::State& state) {
  const int n = int(state.range(0));
  const std::vector<std::string> names = Names(n);
  for (auto _ : state) {
    std::vector<std::string> recs;
    recs.reserve(std::size_t(n));
    test::LiteralSortedList list(
        [&](int a, int b, int c) { return c == 1 ? CompareAnsiTextNoCase(recs[std::size_t(a)], recs[std::size_t(b)]) : 0; });
    for (int i = 0; i < n; ++i) {
      recs.emplace_back();
      list.Append(i);
      recs[std::size_t(i)] = names[std::size_t(i)];
    }
    list.Sort(1, false);
    benchmark::DoNotOptimize(list.Order().data());
  }
}

struct DirectStrips : RowStripSink {
  explicit DirectStrips(Bitmap32& strip) : canvas(strip) {}
  Canvas& BeginStrip(const Rect&) override { return canvas; }
  void EndStrip() override {}
  BitmapCanvas canvas;
};

void BM_RepaintPage(benchmark::State& state) {
  const int n = int(state.range(0));
  const std::vector<std::string> names = Names(n);
  TStringTreeList list;
  SetUpList(list);
  list.BeginUpdate();
  for (int i = 0; i < n; ++i) list.RowRecordAs<Row>(list.AppendNode())->name = names[std::size_t(i)];
  list.EndUpdate();
  list.SetClientSize(746, 371);
  list.SetOffsets(0, list.ContentHeight() / 2);
  Bitmap32 strip(746, 22);
  Bitmap32 page(746, 371);
  DirectStrips strips(strip);
  BitmapCanvas below(page);
  for (auto _ : state) list.PaintRows(strips, below, {0, 0, 746, 371});
}

BENCHMARK(BM_FillOurs)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillLiteral)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_RepaintPage)->Arg(50)->Arg(50000)->Unit(benchmark::kMicrosecond);

// Collects CPU times so that the ratios can be printed after the usual table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) cpu_ms[r.benchmark_name()] = r.GetAdjustedCPUTime();
  }
  std::map<std::string, double> cpu_ms;
};

}  // namespace

int main(int argc, char** argv) {
  // The literal fill of 50,000 rows takes minutes; it runs only when asked for.
  const char* want_50k = std::getenv("NETSCRY_BENCH_LITERAL_50K");
  if (want_50k && *want_50k == '1')
    benchmark::RegisterBenchmark("BM_FillLiteral", BM_FillLiteral)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(1);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nliteral / ours, CPU time of one fill (append, sort, fill the row; then a final sort):\n");
  for (const char* n : {"1000", "10000", "50000"}) {
    auto lit = reporter.cpu_ms.find(std::string("BM_FillLiteral/") + n + "/iterations:1");
    auto ours = reporter.cpu_ms.find(std::string("BM_FillOurs/") + n);
    if (lit != reporter.cpu_ms.end() && ours != reporter.cpu_ms.end())
      std::printf("  %6s rows: literal %10.2f ms, ours %8.3f ms, ratio %8.1f\n", n, lit->second, ours->second,
                  lit->second / ours->second);
  }
  auto small = reporter.cpu_ms.find("BM_RepaintPage/50");
  auto large = reporter.cpu_ms.find("BM_RepaintPage/50000");
  if (small != reporter.cpu_ms.end() && large != reporter.cpu_ms.end())
    std::printf("repaint of one page, 50000 rows / 50 rows: %.2f\n", large->second / small->second);
  benchmark::Shutdown();
  return 0;
}
