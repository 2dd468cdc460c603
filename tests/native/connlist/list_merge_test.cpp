// FillList and RefreshList: row descriptions, marks, the loopback filter, counters, selection and
// focus, duplicate keys, empty snapshots. The fill cases run for both ways the fill can go: one
// sort (VTSCompareNodes bound directly) and row by row (any other comparison bound).
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "conn_list_fixture.h"
#include "connlist/state_names.h"

namespace netscry::test {
namespace {

const Proc kSystem{"4", "System", "", "", ""};
const Proc kIdle{"0", "System Idle Process", "", "", ""};
const Proc kLowerSystem{"8", "system", "", "", ""};
const Proc kSvc1{"600", "svchost.exe", "C:\\Windows\\svchost.exe", "Host Process", "Microsoft"};
const Proc kSvc2{"700", "svchost.exe", "C:\\Windows\\svchost.exe", "Host Process", "Microsoft"};
const Proc kFirefox{"1200", "firefox.exe", "C:\\ff\\firefox.exe", "Firefox", "Mozilla"};

enum class FillWay { OneSort, RowByRow };

class MergeTest : public ::testing::TestWithParam<FillWay> {
 protected:
  void SetUp() override {
    SetUpConnList(list);
    if (GetParam() == FillWay::RowByRow)
      list.OnCompareNodes = [](TStringTreeList& s, PTreeNode a, PTreeNode b, TColumnIndex c, int& r) {
        VTSCompareNodes(s, a, b, c, r);
      };
  }

  ListCounters Fill(bool show_local = true) { return FillList(list, tcp, udp, Options(show_local)); }
  ListCounters Refresh(bool show_local = true) { return RefreshList(list, tcp, udp, Options(show_local)); }

  std::vector<TMyRec> Rows() {
    std::vector<TMyRec> v;
    for (PTreeNode n = list.FirstNode(); n; n = list.NextNode(n)) v.push_back(*list.ReadRowRecordAs<TMyRec>(n));
    return v;
  }
  std::vector<std::string> Column(FieldText TMyRec::*field) {
    std::vector<std::string> v;
    for (const TMyRec& r : Rows()) v.push_back((r.*field).str());
    return v;
  }
  const TMyRec* SelectedRec() { return list.ReadRowRecordAs<TMyRec>(list.SelectedRow()); }
  PTreeNode RowWithPort(const std::string& port) {
    for (PTreeNode n = list.FirstNode(); n; n = list.NextNode(n))
      if (list.ReadRowRecordAs<TMyRec>(n)->LocalPort == port) return n;
    return nullptr;
  }

  TStringTreeList list;
  FileRecArray tcp, udp;
};

INSTANTIATE_TEST_SUITE_P(BothFillWays, MergeTest, ::testing::Values(FillWay::OneSort, FillWay::RowByRow),
                         [](const auto& param_info) { return param_info.param == FillWay::OneSort ? "OneSort" : "RowByRow"; });

TEST_P(MergeTest, FillDescribesTcpAndUdpRows) {
  tcp = {Tcp(kFirefox, "192.168.1.5", "50000", "93.184.216.34", "443", 5),
         Tcp(kSystem, "0.0.0.0", "445", "0.0.0.0", "0", 2)};
  File_Rec udp_with_remote = Udp(kIdle, "0.0.0.0", "123");
  udp_with_remote.RemoteIP = "1.2.3.4";  // a UDP row never shows a remote end or a state
  udp_with_remote.State = 5;
  File_Rec no_path_with_desc = Udp(kLowerSystem, "0.0.0.0", "500");
  no_path_with_desc.FileDesc = "ignored";
  udp = {udp_with_remote, no_path_with_desc};
  Fill();
  list.SortList(5, sdAscending);
  const std::vector<TMyRec> expected = {
      {"UDP", "", "0.0.0.0", "123", "", "", "0", "System Idle Process", "", kIdleDesc, "", ""},
      {"TCP", "监听", "0.0.0.0", "445", "0.0.0.0", "0", "4", "System", "", kSystemDesc, "", ""},
      // Only "System" exactly gets the system text.
      {"UDP", "", "0.0.0.0", "500", "", "", "8", "system", "", kIdleDesc, "", ""},
      {"TCP", "已建立", "192.168.1.5", "50000", "93.184.216.34", "443", "1200", "firefox.exe", "C:\\ff\\firefox.exe",
       "Firefox", "Mozilla", ""},
  };
  EXPECT_EQ(Rows(), expected);
}

TEST_P(MergeTest, RowsShareTheLongTextsOfTheirEntries) {
  const Proc app{"900", "a-long-program-name.exe", "C:\\Program Files\\Vendor\\a-long-program-name.exe",
                 "A description of the program", "Vendor Incorporated"};
  tcp = {Tcp(app, "0.0.0.0", "1", "0.0.0.0", "0", 2)};
  udp = {Udp(app, "0.0.0.0", "2")};
  Fill();
  tcp.push_back(Tcp(app, "0.0.0.0", "3", "0.0.0.0", "0", 2));  // a row added by the refresh
  Refresh();
  ASSERT_EQ(list.RowCount(), 3);
  for (const File_Rec* e : {&tcp[0], &tcp[1], &udp[0]}) {
    const TMyRec* row = list.ReadRowRecordAs<TMyRec>(RowWithPort(e->LocalPort.str()));
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(row->ProcessName.SharesBlockWith(e->ProcessName)) << e->LocalPort;
    EXPECT_TRUE(row->FilePath.SharesBlockWith(e->FilePath)) << e->LocalPort;
    EXPECT_TRUE(row->FileDesc.SharesBlockWith(e->FileDesc)) << e->LocalPort;
    EXPECT_TRUE(row->Company.SharesBlockWith(e->Company)) << e->LocalPort;
  }
}

TEST_P(MergeTest, FillCountsProgramsAndConnections) {
  // Programs are distinct image names, case-sensitive, of rows with a FilePath.
  const struct {
    const char* name;
    std::vector<std::pair<std::string, std::string>> procs;  // image name, path
    int programs;
  } cases[] = {
      {"one name, two processes", {{"svchost.exe", "C:\\a"}, {"svchost.exe", "C:\\b"}}, 1},
      {"names differing in case", {{"x.exe", "C:\\x"}, {"X.EXE", "C:\\X"}}, 2},
      // A substring search of "@$!name" in "@$!abcd.exe" would skip abc.
      {"a name that begins an earlier one", {{"abcd.exe", "C:\\a"}, {"abc", "C:\\b"}}, 2},
      {"a name that ends an earlier one", {{"abc", "C:\\a"}, {"abcd.exe", "C:\\b"}}, 2},
      // Counting markers would make two programs of a@$!b.exe and skip b.exe.
      {"a name holding the marker", {{"a@$!b.exe", "C:\\a"}}, 1},
      {"a name holding the marker, then its tail", {{"a@$!b.exe", "C:\\a"}, {"b.exe", "C:\\b"}}, 2},
      {"no path, no program", {{"System", ""}, {"idle", ""}, {"x.exe", "C:\\x"}}, 1},
      {"an empty name with a path", {{"", "C:\\x"}, {"", "C:\\y"}}, 1},
      {"nothing at all", {}, 0},
  };
  for (const auto& c : cases) {
    list.Clear();
    tcp.clear();
    udp.clear();
    int port = 1;
    for (const auto& [name, path] : c.procs) udp.push_back(Udp({"9", name, path, "", ""}, "0.0.0.0", std::to_string(port++)));
    const ListCounters counters = Fill();
    EXPECT_EQ(counters.Programs, c.programs) << c.name;
    EXPECT_EQ(counters.Connections, int(c.procs.size())) << c.name;
  }
}

TEST_P(MergeTest, LoopbackFilter) {
  const Proc only_loopback{"900", "loop.exe", "C:\\loop.exe", "", ""};
  struct Case {
    const char* family;
    FileRecArray tcp, udp;  // the first TCP entry is the only one hidden while unticked
  };
  const Case cases[] = {
      {"IPv4",
       {Tcp(only_loopback, "127.0.0.1", "1", "127.0.0.1", "2", 5),  // hidden while unticked
        Tcp(kFirefox, "127.0.0.1", "3", "0.0.0.0", "0", 2),         // a loopback listener stays
        Tcp(kFirefox, "127.0.0.2", "4", "127.0.0.2", "5", 5),       // other loopback addresses stay
        Tcp(kFirefox, "127.0.0.1", "6", "127.0.0.2", "7", 5)},
       {Udp(kSvc1, "127.0.0.1", "8")}},
      {"IPv6",
       {Tcp6(only_loopback, "::1", "1", "::1", "2", 5),  // hidden while unticked
        Tcp6(kFirefox, "::1", "3", "::", "0", 2),         // a loopback listener stays
        Tcp6(kFirefox, "::1", "4", "::ffff:127.0.0.1", "5", 5),
        Tcp(kFirefox, "127.0.0.1", "6", "::1", "7", 5)},  // a pair of both families is no loopback pair
       {Udp6(kSvc1, "::1", "8")}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.family);
    list.Clear();
    tcp = k.tcp;
    udp = k.udp;
    ListCounters c = Fill(false);
    EXPECT_EQ(c.Connections, 4);
    EXPECT_EQ(c.Programs, 3) << "the hidden connection's program still counts";
    EXPECT_EQ(RowWithPort("1"), nullptr);

    // Ticking the option and refreshing brings the connection in as new; unticking removes it.
    c = Refresh(true);
    EXPECT_EQ(c.Connections, 5);
    ASSERT_NE(RowWithPort("1"), nullptr);
    EXPECT_EQ(list.ReadRowRecordAs<TMyRec>(RowWithPort("1"))->Remark, "add");
    c = Refresh(false);
    EXPECT_EQ(c.Connections, 4);
    EXPECT_EQ(c.Programs, 3);
    EXPECT_EQ(RowWithPort("1"), nullptr);
    EXPECT_EQ(tcp[0].Mark, "") << "a hidden connection claims nothing";
    c = Refresh(false);
    EXPECT_EQ(c.Connections, 4);
    EXPECT_EQ(RowWithPort("1"), nullptr);
  }
}

TEST_P(MergeTest, StartUpSelectionFollowsTheSortOnAppend) {
  auto named = [](const char* pid, const char* name) { return Proc{pid, name, std::string("C:\\") + name, "", ""}; };
  const struct {
    const char* name;
    TColumnIndex column;
    TSortDirection direction;
    std::vector<File_Rec> tcp, udp;
    bool show_local;
    std::vector<std::string> order;  // image names after the fill
    int selected;                    // index of the selected and focused row, -1 none
  } cases[] = {
      {"the row appended last", 1, sdAscending,
       {Tcp(named("1", "b.exe"), "1.1.1.1", "1", "2.2.2.2", "1", 5), Tcp(named("2", "a.exe"), "1.1.1.1", "2", "2.2.2.2", "1", 5)},
       {Udp(named("3", "m.exe"), "0.0.0.0", "3"), Udp(named("4", "c.exe"), "0.0.0.0", "4")},
       true, {"a.exe", "b.exe", "c.exe", "m.exe"}, 2},
      {"a row with an empty image name stays in front", 1, sdAscending,
       {Tcp(named("1", "b.exe"), "1.1.1.1", "1", "2.2.2.2", "1", 5), Tcp({"0", "", "", "", ""}, "1.1.1.1", "2", "2.2.2.2", "1", 5)},
       {Udp(named("3", "m.exe"), "0.0.0.0", "3")},
       true, {"", "b.exe", "m.exe"}, 0},
      {"the row appended last was left out", 1, sdAscending,
       {Tcp(named("1", "b.exe"), "1.1.1.1", "1", "2.2.2.2", "1", 5), Tcp(named("2", "a.exe"), "1.1.1.1", "2", "2.2.2.2", "1", 5),
        Tcp(named("3", "0.exe"), "127.0.0.1", "3", "127.0.0.1", "1", 5)},
       {}, false, {"a.exe", "b.exe"}, 0},
      {"descending: the top row before the last append", 1, sdDescending,
       {Tcp(named("1", "b.exe"), "1.1.1.1", "1", "2.2.2.2", "1", 5), Tcp(named("2", "a.exe"), "1.1.1.1", "2", "2.2.2.2", "1", 5)},
       {Udp(named("3", "c.exe"), "0.0.0.0", "3")},
       true, {"c.exe", "b.exe", "a.exe"}, 1},
      {"unsorted: the first row appended", -1, sdAscending,
       {Tcp(named("1", "b.exe"), "1.1.1.1", "1", "2.2.2.2", "1", 5)},
       {Udp(named("3", "a.exe"), "0.0.0.0", "3")},
       true, {"b.exe", "a.exe"}, 0},
      {"one row", 1, sdAscending, {}, {Udp(named("3", "a.exe"), "0.0.0.0", "3")}, true, {"a.exe"}, 0},
      {"no rows", 1, sdAscending, {Tcp(named("3", "a.exe"), "127.0.0.1", "3", "127.0.0.1", "1", 5)}, {}, false, {}, -1},
  };
  for (const auto& c : cases) {
    list.Clear();
    list.Header().SetSortColumn(c.column);
    list.Header().SetSortDirection(c.direction);
    tcp = c.tcp;
    udp = c.udp;
    Fill(c.show_local);
    EXPECT_EQ(Column(&TMyRec::ProcessName), c.order) << c.name;
    EXPECT_EQ(list.NodeIndex(list.SelectedRow()), c.selected) << c.name;
    EXPECT_EQ(list.FocusedRow(), list.SelectedRow()) << c.name;
    EXPECT_EQ(list.OffsetY(), 0) << c.name;
  }
}

TEST_P(MergeTest, FillOrdersEqualKeysAsTheSortOnAppendLeavesThem) {
  // Ascending, a row moves in front of its equal keys once its key is known: reverse append order.
  // Descending it stays behind them; rows with an empty key stay in append order either way.
  const Proc svc{"600", "svchost.exe", "C:\\s", "", ""};
  const Proc none{"0", "", "", "", ""};
  const struct {
    TSortDirection direction;
    std::vector<std::string> ports;
  } cases[] = {
      {sdAscending, {"4", "5", "3", "2", "1"}},
      {sdDescending, {"1", "2", "3", "4", "5"}},
  };
  for (const auto& c : cases) {
    list.Clear();
    list.Header().SetSortDirection(c.direction);
    tcp = {Tcp(svc, "0.0.0.0", "1", "0.0.0.0", "0", 2), Tcp(svc, "0.0.0.0", "2", "0.0.0.0", "0", 2),
           Tcp(none, "0.0.0.0", "4", "0.0.0.0", "0", 2)};
    udp = {Udp(svc, "0.0.0.0", "3"), Udp(none, "0.0.0.0", "5")};
    Fill();
    EXPECT_EQ(Column(&TMyRec::LocalPort), c.ports) << (c.direction == sdAscending ? "ascending" : "descending");
  }
}

TEST_P(MergeTest, RefreshMarksChangedAndAddedRows) {
  tcp = {Tcp(kFirefox, "10.0.0.1", "1", "10.0.0.2", "80", 2)};
  udp = {Udp(kSvc1, "0.0.0.0", "2")};
  Fill();
  PTreeNode tcp_row = RowWithPort("1");
  PTreeNode udp_row = RowWithPort("2");
  const struct {
    const char* name;
    std::uint32_t state;   // of the TCP entry on port 1
    bool add_entries;      // entries on ports 3 (TCP) and 4 (UDP) exist
    const char* remarks;   // Remark of ports 1, 2, 3, 4 (- for no row)
    const char* state_text;
  } steps[] = {
      {"state changed", 5, false, "md,,-,-", "已建立"},
      {"state unchanged", 5, false, ",,-,-", "已建立"},
      {"new endpoints", 5, true, ",,add,add", "已建立"},
      {"a TCP row is new once, a UDP row stays marked", 5, true, ",,,add", "已建立"},
      {"changed again", 11, true, "md,,,add", "等待时间"},
      {"gone", 11, false, ",,-,-", "等待时间"},
  };
  for (const auto& s : steps) {
    tcp = {Tcp(kFirefox, "10.0.0.1", "1", "10.0.0.2", "80", s.state)};
    udp = {Udp(kSvc1, "0.0.0.0", "2")};
    if (s.add_entries) {
      tcp.push_back(Tcp(kSvc2, "10.0.0.1", "3", "10.0.0.3", "80", 5));
      udp.push_back(Udp(kSvc2, "0.0.0.0", "4"));
    }
    Refresh();
    std::string remarks;
    for (const char* port : {"1", "2", "3", "4"}) {
      PTreeNode n = RowWithPort(port);
      remarks += n ? list.ReadRowRecordAs<TMyRec>(n)->Remark : "-";
      remarks += ',';
    }
    remarks.pop_back();
    EXPECT_EQ(remarks, s.remarks) << s.name;
    EXPECT_EQ(list.ReadRowRecordAs<TMyRec>(RowWithPort("1"))->StateText, s.state_text) << s.name;
    EXPECT_EQ(RowWithPort("1"), tcp_row) << s.name << ": a kept row is the same node";
    EXPECT_EQ(RowWithPort("2"), udp_row) << s.name;
  }
}

TEST_P(MergeTest, RefreshClaimsEntriesAndMarksThem) {
  tcp = {Tcp(kFirefox, "10.0.0.1", "1", "10.0.0.2", "80", 5), Tcp(kFirefox, "10.0.0.1", "2", "10.0.0.2", "80", 5)};
  udp = {Udp(kSvc1, "0.0.0.0", "3")};
  Fill();
  // One row gone, one kept, one new in each table.
  tcp = {Tcp(kFirefox, "10.0.0.1", "5", "10.0.0.2", "80", 5), Tcp(kFirefox, "10.0.0.1", "2", "10.0.0.2", "80", 5)};
  udp = {Udp(kSvc1, "0.0.0.0", "6"), Udp(kSvc1, "0.0.0.0", "3")};
  const ListCounters c = Refresh();
  EXPECT_EQ(c, (ListCounters{2, 4}));
  EXPECT_EQ(tcp[0].Mark, "");
  EXPECT_EQ(tcp[1].Mark, "ok");
  EXPECT_EQ(udp[0].Mark, "");
  EXPECT_EQ(udp[1].Mark, "ok");
  EXPECT_EQ(RowWithPort("1"), nullptr);
  ASSERT_NE(RowWithPort("5"), nullptr);
  ASSERT_NE(RowWithPort("6"), nullptr);
}

TEST_P(MergeTest, RefreshKeepsAKeptRowsDescriptionAndChangesNothingWhenNothingChanged) {
  tcp = {Tcp(kFirefox, "10.0.0.1", "1", "10.0.0.2", "80", 5)};
  udp = {Udp(kSvc1, "0.0.0.0", "2")};
  Fill();
  const std::vector<TMyRec> before = Rows();
  // Same keys; the version texts and even the image name changed meanwhile.
  Proc changed = kFirefox;
  changed.name = "other.exe";
  changed.desc = "New description";
  changed.company = "New company";
  Proc svc_changed = kSvc1;
  svc_changed.desc = "Changed";
  tcp = {Tcp(changed, "10.0.0.1", "1", "10.0.0.2", "80", 5)};
  udp = {Udp(svc_changed, "0.0.0.0", "2")};
  const ListCounters c = Refresh();
  EXPECT_EQ(Rows(), before);
  EXPECT_EQ(c, (ListCounters{2, 2})) << "the kept rows' names are counted";
}

TEST_P(MergeTest, DuplicateKeysGetOneRowEachAtEveryRefresh) {
  const File_Rec a = Tcp(kFirefox, "10.0.0.1", "1", "10.0.0.2", "80", 5);
  File_Rec a_other_state = a;
  a_other_state.State = 8;
  const File_Rec u = Udp(kSvc1, "0.0.0.0", "2");
  tcp = {a};
  udp = {u};
  Fill();
  for (int refresh = 1; refresh <= 3; ++refresh) {
    tcp = {a, a_other_state};
    udp = {u, u};
    const ListCounters c = Refresh();
    EXPECT_EQ(c.Connections, 4) << "refresh " << refresh;
    for (const File_Rec& e : tcp) EXPECT_EQ(e.Mark, refresh == 1 && &e == &tcp[1] ? "" : "ok") << refresh;
    std::vector<std::string> remarks = Column(&TMyRec::Remark);
    const long adds = std::count(remarks.begin(), remarks.end(), "add");
    // The second TCP entry is new once; the second UDP row keeps its mark.
    EXPECT_EQ(adds, refresh == 1 ? 2 : 1) << "refresh " << refresh;
  }
  // The rows match the entries in order: the first row (in display order) the first entry.
  std::vector<std::string> states;
  for (const TMyRec& r : Rows())
    if (r.Protocol == "TCP") states.push_back(r.StateText.str());
  std::vector<std::string> expected_states = {TcpStateName(5), TcpStateName(8)};
  std::sort(states.begin(), states.end());
  std::sort(expected_states.begin(), expected_states.end());
  EXPECT_EQ(states, expected_states);
  // One entry goes: one of the two rows goes with it.
  tcp = {a};
  udp = {u};
  EXPECT_EQ(Refresh().Connections, 2);
}

TEST_P(MergeTest, RefreshSelection) {
  tcp = {Tcp(kFirefox, "10.0.0.1", "1", "10.0.0.2", "80", 5), Tcp(kSvc1, "10.0.0.1", "2", "10.0.0.2", "80", 5)};
  udp = {Udp(kSvc2, "0.0.0.0", "3")};
  Fill();
  list.SortList(1, sdAscending);

  // Nothing selected: the top row after the sort.
  list.ClearSelection();
  list.FocusNode(RowWithPort("3"));
  tcp.insert(tcp.begin(), Tcp({"5", "a.exe", "C:\\a.exe", "", ""}, "10.0.0.1", "4", "10.0.0.2", "80", 5));
  Refresh();
  EXPECT_EQ(list.SelectedRow(), list.FirstNode());
  EXPECT_EQ(list.FocusedRow(), list.FirstNode());
  EXPECT_EQ(list.ReadRowRecordAs<TMyRec>(list.FirstNode())->ProcessName, "a.exe");

  // A selected row that stays keeps selection and focus, wherever the sort moves it.
  PTreeNode chosen = RowWithPort("2");
  list.SelectNode(chosen, true);
  list.FocusNode(chosen);
  tcp.push_back(Tcp({"6", "0.exe", "C:\\0.exe", "", ""}, "10.0.0.1", "7", "10.0.0.2", "80", 5));
  Refresh();
  EXPECT_EQ(list.SelectedRow(), chosen);
  EXPECT_EQ(list.FocusedRow(), chosen);

  // The selected row goes: the top row again.
  tcp.erase(std::find_if(tcp.begin(), tcp.end(), [](const File_Rec& e) { return e.LocalPort == "2"; }));
  Refresh();
  EXPECT_EQ(list.SelectedRow(), list.FirstNode());
  EXPECT_EQ(list.FocusedRow(), list.FirstNode());
  EXPECT_EQ(list.ReadRowRecordAs<TMyRec>(list.FirstNode())->ProcessName, "0.exe");
}

TEST_P(MergeTest, AnEmptySnapshotDeletesEveryRow) {
  tcp = {Tcp(kFirefox, "10.0.0.1", "1", "10.0.0.2", "80", 5)};
  udp = {Udp(kSvc1, "0.0.0.0", "2"), Udp(kSvc2, "0.0.0.0", "3")};
  int freed = 0;
  list.OnFreeNode = [&](TStringTreeList&, PTreeNode) { ++freed; };
  Fill();
  tcp.clear();
  udp.clear();
  EXPECT_EQ(Refresh(), (ListCounters{0, 0}));
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_EQ(freed, 3);
  EXPECT_EQ(list.SelectedRow(), nullptr);
  EXPECT_EQ(list.FocusedRow(), nullptr);
  EXPECT_EQ(Fill(), (ListCounters{0, 0})) << "an empty fill";
}

TEST_P(MergeTest, MarksLeftFromBeforeDoNotHideEntries) {
  tcp = {Tcp(kFirefox, "10.0.0.1", "1", "10.0.0.2", "80", 5)};
  udp = {Udp(kSvc1, "0.0.0.0", "2")};
  Fill();
  // Entries as a snapshot that kept an unreadable table's previous entries might hand them over.
  tcp.push_back(Tcp(kSvc2, "10.0.0.1", "3", "10.0.0.2", "80", 5));
  for (File_Rec& e : tcp) e.Mark = "ok";
  for (File_Rec& e : udp) e.Mark = "ok";
  EXPECT_EQ(Refresh().Connections, 3);
  EXPECT_EQ(tcp[1].Mark, "");
  ASSERT_NE(RowWithPort("3"), nullptr);
  EXPECT_EQ(list.ReadRowRecordAs<TMyRec>(RowWithPort("3"))->Remark, "add");
}

TEST_P(MergeTest, Ipv6EntriesGetRowsOfTheirOwnProtocol) {
  tcp = {Tcp(kFirefox, "0.0.0.0", "80", "0.0.0.0", "0", 2), Tcp6(kFirefox, "::", "80", "::", "0", 2)};
  udp = {Udp(kSvc1, "0.0.0.0", "53"), Udp6(kSvc1, "fe80::1%3", "53")};
  Fill();
  list.SortList(3, sdAscending);
  const std::vector<TMyRec> expected = {
      {"TCP", "监听", "0.0.0.0", "80", "0.0.0.0", "0", "1200", "firefox.exe", "C:\\ff\\firefox.exe", "Firefox", "Mozilla", ""},
      {"TCPv6", "监听", "::", "80", "::", "0", "1200", "firefox.exe", "C:\\ff\\firefox.exe", "Firefox", "Mozilla", ""},
      {"UDP", "", "0.0.0.0", "53", "", "", "600", "svchost.exe", "C:\\Windows\\svchost.exe", "Host Process",
       "Microsoft", ""},
      {"UDPv6", "", "fe80::1%3", "53", "", "", "600", "svchost.exe", "C:\\Windows\\svchost.exe", "Host Process",
       "Microsoft", ""},
  };
  EXPECT_EQ(Rows(), expected);
}

TEST_P(MergeTest, EndpointsOfBothFamiliesWithEqualTextStayApart) {
  // Texts no real table gives to both families, so that only the protocol tells them apart.
  tcp = {Tcp(kFirefox, "1.2.3.4", "80", "5.6.7.8", "443", 5)};
  udp = {Udp(kSvc1, "1.2.3.4", "53")};
  Fill();
  // The IPv4 endpoints are gone, IPv6 ones with the same text appeared: new rows, the old ones go.
  tcp = {Tcp6(kFirefox, "1.2.3.4", "80", "5.6.7.8", "443", 5)};
  udp = {Udp6(kSvc1, "1.2.3.4", "53")};
  ListCounters c = Refresh();
  EXPECT_EQ(c.Connections, 2);
  EXPECT_EQ(Column(&TMyRec::Remark), (std::vector<std::string>{"add", "add"}));
  list.SortList(3, sdAscending);
  EXPECT_EQ(Column(&TMyRec::Protocol), (std::vector<std::string>{"TCPv6", "UDPv6"}));
  EXPECT_EQ(tcp[0].Mark, "");
  EXPECT_EQ(udp[0].Mark, "");
  // Both families at once: each row claims its own entry, nothing is added.
  tcp = {Tcp(kFirefox, "1.2.3.4", "80", "5.6.7.8", "443", 5), Tcp6(kFirefox, "1.2.3.4", "80", "5.6.7.8", "443", 5)};
  udp = {Udp(kSvc1, "1.2.3.4", "53"), Udp6(kSvc1, "1.2.3.4", "53")};
  Refresh();
  c = Refresh();
  EXPECT_EQ(c.Connections, 4);
  for (const File_Rec* e : {&tcp[0], &tcp[1], &udp[0], &udp[1]}) EXPECT_EQ(e->Mark, "ok") << e->IPv6;
}

TEST_P(MergeTest, HidingIpv6LeavesOutItsEntriesRowsAndPrograms) {
  const Proc v6_only{"900", "v6only.exe", "C:\\v6only.exe", "", ""};
  tcp = {Tcp(kFirefox, "10.0.0.1", "1", "10.0.0.2", "80", 5), Tcp6(v6_only, "::", "2", "::", "0", 2)};
  udp = {Udp(kSvc1, "0.0.0.0", "3"), Udp6(kSvc1, "::", "4")};
  EXPECT_EQ(FillList(list, tcp, udp, Options(true, false)), (ListCounters{2, 2}));
  EXPECT_EQ(RowWithPort("2"), nullptr);
  EXPECT_EQ(RowWithPort("4"), nullptr);
  // Shown: the IPv6 rows come in as new.
  EXPECT_EQ(RefreshList(list, tcp, udp, Options(true, true)), (ListCounters{3, 4}));
  ASSERT_NE(RowWithPort("2"), nullptr);
  EXPECT_EQ(list.ReadRowRecordAs<TMyRec>(RowWithPort("2"))->Remark, "add");
  // Hidden again: they go, claim nothing, and their program no longer counts.
  EXPECT_EQ(RefreshList(list, tcp, udp, Options(true, false)), (ListCounters{2, 2}));
  EXPECT_EQ(RowWithPort("2"), nullptr);
  EXPECT_EQ(RowWithPort("4"), nullptr);
  EXPECT_EQ(tcp[1].Mark, "");
  EXPECT_EQ(udp[1].Mark, "");
  EXPECT_EQ(tcp[0].Mark, "ok");
}

TEST_P(MergeTest, RowsOfBothFamiliesSortTogetherByEveryColumnAsText) {
  const Proc a{"20", "a.exe", "C:\\a.exe", "A", "Acme"};
  const Proc b{"100", "B.exe", "C:\\b.exe", "b", "beta"};
  tcp = {Tcp(a, "192.168.1.5", "443", "10.0.0.1", "80", 5), Tcp6(b, "2001:db8::1", "1000", "::", "0", 2),
         Tcp6(a, "::1", "80", "::1", "139", 5)};
  udp = {Udp(b, "0.0.0.0", "139"), Udp6(a, "fe80::1%3", "53")};
  Fill();
  // The sorted column's texts from top to bottom, ascending; descending is the reverse.
  const struct {
    int column;
    std::vector<std::string> texts;
  } cases[] = {
      {1, {"a.exe", "a.exe", "a.exe", "B.exe", "B.exe"}},
      {3, {"TCP", "TCPv6", "TCPv6", "UDP", "UDPv6"}},
      {4, {"0.0.0.0", "192.168.1.5", "2001:db8::1", "::1", "fe80::1%3"}},
      {5, {"1000", "139", "443", "53", "80"}},
      {6, {"", "", "10.0.0.1", "::", "::1"}},
      {7, {"", "", "0", "139", "80"}},
      {8, {"", "", "监听", "已建立", "已建立"}},
      {10, {"C:\\a.exe", "C:\\a.exe", "C:\\a.exe", "C:\\b.exe", "C:\\b.exe"}},
      {11, {"A", "A", "A", "b", "b"}},
      {12, {"Acme", "Acme", "Acme", "beta", "beta"}},
  };
  for (const auto& c : cases) {
    const RecField field = SortField(c.column);
    ASSERT_NE(field, nullptr) << c.column;
    list.SortList(c.column, sdAscending);
    EXPECT_EQ(Column(field), c.texts) << "column " << c.column << " ascending";
    list.SortList(c.column, sdDescending);
    EXPECT_EQ(Column(field), std::vector<std::string>(c.texts.rbegin(), c.texts.rend()))
        << "column " << c.column << " descending";
  }
}

}  // namespace
}  // namespace netscry::test

