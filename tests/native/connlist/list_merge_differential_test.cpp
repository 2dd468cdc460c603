// FillList, RefreshList, VTSCompareNodes and VTSHeaderClick against the literal algorithms, over
// random sequences of snapshots, option changes, header clicks and user clicks. Three lists run
// side by side: ours, the literal algorithms over the literal sorted list, and the literal
// algorithms over the real list control (which adds scroll position and focus column to what can
// be compared). After every step they must agree on every row's twelve fields, the order, the
// entries' marks, the counters, the selected and focused row, and that kept rows are the same
// nodes as before.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <sstream>

#include "conn_list_fixture.h"
#include "literal_list_merge.h"

namespace netscry::test {
namespace {

class SnapshotGenerator {
 public:
  explicit SnapshotGenerator(std::uint32_t seed) : rng_(seed) {
    procs_ = {
        {"4", "System", "", "", ""},
        {"0", "", "", "", ""},
        {"200", "System", "C:\\fake\\System", "fake", "x"},
        {"100", "abcd.exe", "C:\\a\\abcd.exe", "A desc", "A co"},
        {"101", "abc", "C:\\a\\abc", "", ""},
        {"102", "ABCD.exe", "C:\\b\\ABCD.exe", "B", "B co"},
        {"103", "a@$!b.exe", "C:\\c\\a@$!b.exe", "", ""},
        {"104", "b.exe", "C:\\c\\b.exe", "", ""},
        {"105", "svchost.exe", "C:\\Windows\\svchost.exe", "Host", "MS"},
        {"106", "svchost.exe", "C:\\Windows\\svchost.exe", "Host", "MS"},
        {"1000", "监听.exe", "C:\\监听.exe", "中文", "公司"},
        {"139", "_x.exe", "C:\\_x.exe", "", ""},
        {"80", "", "C:\\noname.exe", "", ""},
        {"81", "nopath.exe", "", "", ""},
    };
  }

  int Pick(int n) { return int(rng_() % std::uint32_t(n)); }
  bool Chance(int percent) { return Pick(100) < percent; }
  template <class T, std::size_t N>
  const T& From(const T (&a)[N]) {
    return a[Pick(int(N))];
  }

  File_Rec NewEntry(bool tcp) {
    static const char* const lips[] = {"0.0.0.0", "127.0.0.1", "127.0.0.1", "127.0.0.2", "192.168.1.5"};
    static const char* const ports[] = {"80", "139", "1000", "443", ""};
    static const char* const rips[] = {"0.0.0.0", "127.0.0.1", "127.0.0.1", "10.0.0.1"};
    static const char* const rports[] = {"0", "80", "1000"};
    static const std::uint32_t states[] = {0, 1, 2, 2, 5, 5, 8, 11, 12, 13};
    // IPv6 entries, some with the text of IPv4 ones (which must not claim each other's rows).
    static const char* const lips6[] = {"::", "::1", "::1", "fe80::1%3", "0.0.0.0", "127.0.0.1"};
    static const char* const rips6[] = {"::", "::1", "::1", "2001:db8::1", "0.0.0.0", "127.0.0.1"};
    const Proc& p = procs_[std::size_t(Pick(int(procs_.size())))];
    if (Chance(35)) {
      if (tcp) return Tcp6(p, From(lips6), From(ports), From(rips6), From(rports), From(states));
      return Udp6(p, From(lips6), From(ports));
    }
    if (tcp) return Tcp(p, From(lips), From(ports), From(rips), From(rports), From(states));
    return Udp(p, From(lips), From(ports));
  }

  void Fill(FileRecArray& entries, bool tcp, int max) {
    int n = Pick(max + 1);
    for (int i = 0; i < n; ++i) entries.push_back(NewEntry(tcp));
  }

  // The next snapshot: entries vanish, change state, appear (anywhere), are duplicated; now and
  // then everything goes, or a process's version text changes for the rows that come later.
  void Mutate(FileRecArray& entries, bool tcp) {
    static const std::uint32_t states[] = {1, 2, 5, 8, 11, 13};
    if (Chance(4)) {
      entries.clear();
      return;
    }
    FileRecArray next;
    for (File_Rec& e : entries) {
      if (Chance(15)) continue;
      if (tcp && Chance(15)) e.State = From(states);
      e.Mark.clear();
      next.push_back(e);
    }
    for (int i = Pick(7); i > 0; --i) Insert(next, NewEntry(tcp));
    if (!next.empty() && Chance(15)) {
      File_Rec copy = next[std::size_t(Pick(int(next.size())))];
      if (tcp && Chance(50)) copy.State = From(states);
      Insert(next, copy);
    }
    if (Chance(5)) procs_[std::size_t(Pick(int(procs_.size())))].desc += "+";
    entries = std::move(next);
  }

  std::mt19937& Rng() { return rng_; }

 private:
  void Insert(FileRecArray& v, File_Rec e) {
    v.insert(v.begin() + Pick(int(v.size()) + 1), std::move(e));
  }

  std::mt19937 rng_;
  std::vector<Proc> procs_;
};

std::vector<const TMyRec*> RowsOf(TStringTreeList& list) {
  std::vector<const TMyRec*> v;
  for (PTreeNode n = list.FirstNode(); n; n = list.NextNode(n)) v.push_back(list.ReadRowRecordAs<TMyRec>(n));
  return v;
}

// Same rows in the same order; names the first difference.
void ExpectSameRows(const std::vector<const TMyRec*>& got, const std::vector<const TMyRec*>& want,
                    const char* side) {
  EXPECT_EQ(got.size(), want.size()) << side;
  for (std::size_t i = 0; i < std::min(got.size(), want.size()); ++i)
    if (!(*got[i] == *want[i])) {
      ADD_FAILURE() << side << " row " << i << ": " << ::testing::PrintToString(*got[i]) << " instead of "
                    << ::testing::PrintToString(*want[i]);
      return;
    }
}

std::vector<std::string> MarksOf(const FileRecArray& a) {
  std::vector<std::string> v;
  for (const File_Rec& e : a) v.push_back(e.Mark.str());
  return v;
}

// The three lists and the steps applied to each.
class MergeWorld {
 public:
  MergeWorld() {
    SetUpConnList(ours);
    SetUpConnList(real);
    real.OnCompareNodes = [](TStringTreeList& s, PTreeNode a, PTreeNode b, TColumnIndex c, int& r) {
      r = LiteralCompareRows(s.ReadRowRecordAs<TMyRec>(a), s.ReadRowRecordAs<TMyRec>(b), c);
    };
  }

  // One snapshot, handed to each side as its own copy.
  struct Snapshot {
    FileRecArray tcp, udp;
  };

  void Fill(const Snapshot& s, const ListMergeOptions& o) {
    Snapshot a = s, b = s, c = s;
    ListCounters ca = FillList(ours, a.tcp, a.udp, o);
    ListCounters cb = LiteralFillList(literal, b.tcp, b.udp, o);
    ListCounters cc = LiteralFillList(real_ops, c.tcp, c.udp, o);
    EXPECT_EQ(ca, cb);
    EXPECT_EQ(cc, cb);
  }

  void Refresh(const Snapshot& s, const ListMergeOptions& o) {
    Snapshot a = s, b = s, c = s;
    ListCounters ca = RefreshList(ours, a.tcp, a.udp, o);
    ListCounters cb = LiteralRefreshList(literal, b.tcp, b.udp, o);
    ListCounters cc = LiteralRefreshList(real_ops, c.tcp, c.udp, o);
    EXPECT_EQ(ca, cb);
    EXPECT_EQ(cc, cb);
    EXPECT_EQ(MarksOf(a.tcp), MarksOf(b.tcp));
    EXPECT_EQ(MarksOf(a.udp), MarksOf(b.udp));
    EXPECT_EQ(MarksOf(c.tcp), MarksOf(b.tcp));
    EXPECT_EQ(MarksOf(c.udp), MarksOf(b.udp));
  }

  void HeaderClick(TColumnIndex c) {
    ours.Header().SetClickedColumn(c);
    VTSHeaderClick(ours.Header(), TTreeHeaderHitInfo{c, TMouseButton::mbLeft, {}});
    LiteralHeaderClick(literal, c);
    LiteralHeaderClick(real_ops, c);
  }

  void UserClicksRow(int index) {
    for (TStringTreeList* l : {&ours, &real}) {
      PTreeNode n = l->NodeAtIndex(index);
      l->SelectNode(n, true);
      l->FocusNode(n);
    }
    std::vector<LiteralConnList::Node> rows = literal.Rows();
    literal.selected = literal.focused = rows[std::size_t(index)];
  }

  void UserDeselects() {
    for (TStringTreeList* l : {&ours, &real}) l->ClearSelection();
    literal.selected = nullptr;
  }

  void UserScrolls(int x, int y) {
    ours.SetOffsets(x, y);
    real.SetOffsets(x, y);
  }

  static int IndexIn(const std::vector<LiteralConnList::Node>& rows, LiteralConnList::Node n) {
    auto it = std::find(rows.begin(), rows.end(), n);
    return it == rows.end() ? -1 : int(it - rows.begin());
  }

  // Everything the user can see, and that rows kept are the same nodes.
  void ExpectSame() {
    std::vector<LiteralConnList::Node> lit_rows = literal.Rows();
    std::vector<const TMyRec*> lit;
    for (LiteralConnList::Node n : lit_rows) lit.push_back(&n->rec);
    ExpectSameRows(RowsOf(ours), lit, "ours");
    ExpectSameRows(RowsOf(real), lit, "literal over the list control");

    EXPECT_EQ(ours.NodeIndex(ours.SelectedRow()), IndexIn(lit_rows, literal.selected));
    EXPECT_EQ(ours.NodeIndex(ours.FocusedRow()), IndexIn(lit_rows, literal.focused));
    EXPECT_EQ(real.NodeIndex(real.SelectedRow()), IndexIn(lit_rows, literal.selected));
    EXPECT_EQ(real.NodeIndex(real.FocusedRow()), IndexIn(lit_rows, literal.focused));

    EXPECT_EQ(ours.Header().SortColumn(), literal.SortColumn());
    EXPECT_EQ(ours.Header().SortDirection() == sdDescending, literal.Descending());
    EXPECT_EQ(ours.OffsetX(), real.OffsetX());
    EXPECT_EQ(ours.OffsetY(), real.OffsetY());
    EXPECT_EQ(ours.FocusColumn(), real.FocusColumn());

    std::map<PTreeNode, int> now;
    PTreeNode n = ours.FirstNode();
    for (LiteralConnList::Node l : lit_rows) {
      if (!n) break;
      if (l->id < first_new_id_) {
        auto it = node_ids_.find(n);
        EXPECT_TRUE(it != node_ids_.end() && it->second == l->id) << "a kept row is not the same node";
      }
      now[n] = l->id;
      n = ours.NextNode(n);
    }
    node_ids_ = std::move(now);
    first_new_id_ = literal.RowsMade();
  }

  TStringTreeList ours;
  TStringTreeList real;
  LiteralConnList literal;
  RealConnList real_ops{real};
  std::map<PTreeNode, int> node_ids_;
  int first_new_id_ = 0;
};

// One complete random run; returns whether it matched throughout.
bool RunSequence(std::uint32_t seed, std::string& trace) {
  MergeWorld run;
  SnapshotGenerator gen(seed);
  std::ostringstream log;
  bool show_local = gen.Chance(50);
  bool show_ipv6 = gen.Chance(70);
  // The sort state at start-up is column 1 ascending; other states check the fill's rules for
  // every column and direction.
  if (gen.Chance(60)) {
    int c = gen.Pick(16) - 1;
    bool desc = gen.Chance(50);
    run.ours.Header().SetSortColumn(c);
    run.ours.Header().SetSortDirection(desc ? sdDescending : sdAscending);
    run.real_ops.SetSortColumn(c);
    run.real_ops.SetDescending(desc);
    run.literal.SetSortColumn(c);
    run.literal.SetDescending(desc);
    log << "sort " << c << (desc ? " desc; " : " asc; ");
  }
  // The fill takes its one-sort way with VTSCompareNodes bound directly, the row-by-row way
  // otherwise; both must give the literal result.
  if (gen.Chance(30)) {
    run.ours.OnCompareNodes = [](TStringTreeList& s, PTreeNode a, PTreeNode b, TColumnIndex c, int& r) {
      VTSCompareNodes(s, a, b, c, r);
    };
    log << "row-by-row fill; ";
  }
  MergeWorld::Snapshot snap;
  gen.Fill(snap.tcp, true, 40);
  gen.Fill(snap.udp, false, 25);
  log << "fill " << snap.tcp.size() << '+' << snap.udp.size() << (show_local ? " local" : "")
      << (show_ipv6 ? " v6; " : "; ");
  run.Fill(snap, Options(show_local, show_ipv6));
  run.ExpectSame();
  for (int step = 0; step < 25 && !::testing::Test::HasFailure(); ++step) {
    int what = gen.Pick(100);
    if (what < 45) {
      if (gen.Chance(20)) show_local = !show_local;
      if (gen.Chance(15)) show_ipv6 = !show_ipv6;
      gen.Mutate(snap.tcp, true);
      gen.Mutate(snap.udp, false);
      log << "refresh " << snap.tcp.size() << '+' << snap.udp.size() << (show_local ? " local" : "")
          << (show_ipv6 ? " v6; " : "; ");
      run.Refresh(snap, Options(show_local, show_ipv6));
    } else if (what < 62) {
      int c = gen.Chance(20) ? 9 : gen.Pick(18) - 3;
      log << "header " << c << "; ";
      run.HeaderClick(c);
    } else if (what < 68) {
      int c = gen.Pick(14);
      log << "double-click " << c << "; ";
      run.HeaderClick(c);
      run.HeaderClick(NoColumn);
    } else if (what < 85) {
      int rows = run.ours.RowCount();
      if (rows == 0) continue;
      int i = gen.Pick(rows);
      log << "click row " << i << "; ";
      run.UserClicksRow(i);
    } else if (what < 92) {
      log << "deselect; ";
      run.UserDeselects();
    } else {
      int x = gen.Pick(300), y = gen.Pick(22 * 60);
      log << "scroll " << x << ',' << y << "; ";
      run.UserScrolls(x, y);
    }
    run.ExpectSame();
  }
  trace = log.str();
  return !::testing::Test::HasFailure();
}

TEST(MergeDifferentialRuns, RandomSequencesMatchTheLiteralAlgorithms) {
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    std::string trace;
    if (!RunSequence(seed, trace)) {
      ADD_FAILURE() << "seed " << seed << ": " << trace;
      return;
    }
  }
}

}  // namespace
}  // namespace netscry::test
