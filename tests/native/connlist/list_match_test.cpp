// MatchSnapshot on plain rows and entries: which entry each row claims when keys repeat, what
// becomes of loopback rows and entries while they are not shown, and that the key's fields are
// told apart. The differential tests compare whole refreshes; these name the plan itself.
#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "conn_list_fixture.h"
#include "connlist/state_names.h"

namespace netscry {

inline void PrintTo(const MergePlan::Row& r, std::ostream* os) {
  static const char* const names[] = {"Delete", "Keep", "Settle", "NewState"};
  *os << names[int(r.action)] << '(' << r.state << ')';
}

namespace test {
namespace {

using Action = MergePlan::RowAction;

const Proc kFirefox{"1200", "firefox.exe", "C:\\ff\\firefox.exe", "Firefox", "Mozilla"};
const Proc kSvc{"600", "svchost.exe", "C:\\Windows\\svchost.exe", "Host Process", "Microsoft"};
const Proc kNoPath{"12", "nopath.exe", "", "", ""};

// The row a fill makes of an entry, showing the state `shown`.
TMyRec RowOf(const File_Rec& e, bool tcp, std::uint32_t shown = 0) {
  TMyRec r;
  r.Protocol = tcp ? "TCP" : "UDP";
  r.StateText = tcp ? TcpStateName(shown) : "";
  r.LocalIP = e.LocalIP;
  r.LocalPort = e.LocalPort;
  r.RemoteIP = tcp ? e.RemoteIP : FieldText();
  r.RemotePort = tcp ? e.RemotePort : FieldText();
  r.ProcessID = e.ProcessID;
  r.ProcessName = e.ProcessName;
  r.FilePath = e.FilePath;
  return r;
}

TMyRec WithRemark(TMyRec r, const char* remark) {
  r.Remark = remark;
  return r;
}

const File_Rec kConn = Tcp(kFirefox, "10.0.0.1", "5000", "93.184.216.34", "443", 5);
const File_Rec kConnClosing = Tcp(kFirefox, "10.0.0.1", "5000", "93.184.216.34", "443", 8);
const File_Rec kLoop = Tcp(kSvc, "127.0.0.1", "6000", "127.0.0.1", "6001", 5);
const File_Rec kListen = Tcp(kNoPath, "0.0.0.0", "135", "0.0.0.0", "0", 2);
const File_Rec kDns = Udp(kSvc, "10.0.0.1", "53");
// Same texts as kDns once the fields are run together: "10.0.0.15" + "3".
const File_Rec kDnsShifted = Udp(kSvc, "10.0.0.15", "3");

struct MatchCase {
  const char* name;
  std::vector<TMyRec> rows;
  FileRecArray tcp, udp;
  bool show_local;
  std::vector<MergePlan::Row> plan_rows;
  std::vector<bool> tcp_claimed, udp_claimed;
  std::vector<std::size_t> added;
  int programs;
};

const MatchCase kCases[] = {
    {"rows of one key claim its entries front to back; the row left over goes",
     {RowOf(kConn, true, 5), RowOf(kConn, true, 5), RowOf(kConn, true, 5)},
     {kConn, kConnClosing}, {}, true,
     {{Action::Keep, 5}, {Action::NewState, 8}, {Action::Delete, 0}},
     {true, true}, {}, {}, 1},
    {"an entry of a key with fewer rows than entries gets a row",
     {RowOf(kDns, false)},
     {}, {kDns, kDns}, true,
     {{Action::Keep, 0}},
     {}, {true, false}, {1}, 1},
    {"a loopback row while loopback is hidden goes; its entry is neither claimed nor added, yet counts its program",
     {RowOf(kLoop, true, 5)},
     {kLoop}, {}, false,
     {{Action::Delete, 0}},
     {false}, {}, {}, 1},
    {"a loopback row while loopback is shown claims as any other",
     {RowOf(kLoop, true, 5)},
     {kLoop}, {}, true,
     {{Action::Keep, 5}},
     {true}, {}, {}, 1},
    {"a TCP row in the state it shows loses its mark; one marked in another state keeps a new one",
     {WithRemark(RowOf(kConn, true, 5), "add"), WithRemark(RowOf(kListen, true, 5), "md")},
     {kConn, kListen}, {}, true,
     {{Action::Settle, 5}, {Action::NewState, 2}},
     {true, true}, {}, {}, 1},
    {"key fields do not run into each other",
     {RowOf(kDns, false)},
     {}, {kDnsShifted}, true,
     {{Action::Delete, 0}},
     {}, {false}, {0}, 1},
    {"a UDP row does not claim a TCP entry of the same local end",
     {RowOf(kDns, false)},
     {Tcp(kSvc, "10.0.0.1", "53", "", "", 2)}, {}, true,
     {{Action::Delete, 0}},
     {false}, {}, {0}, 1},
    {"added entries: TCP before UDP, hidden loopback left out; a program without path is not counted",
     {},
     {kListen, kLoop, kConn}, {kDns}, false,
     {},
     {false, false, false}, {false}, {0, 2, 3}, 2},
};

class MatchSnapshotTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchSnapshotTest, Plan) {
  const MatchCase& c = GetParam();
  std::vector<const TMyRec*> rows;
  for (const TMyRec& r : c.rows) rows.push_back(&r);
  const MergePlan plan = MatchSnapshot(rows, c.tcp, c.udp, Options(c.show_local));
  EXPECT_EQ(plan.rows, c.plan_rows);
  EXPECT_EQ(plan.tcp_claimed, c.tcp_claimed);
  EXPECT_EQ(plan.udp_claimed, c.udp_claimed);
  EXPECT_EQ(plan.added, c.added);
  EXPECT_EQ(plan.programs, c.programs);
}

INSTANTIATE_TEST_SUITE_P(Cases, MatchSnapshotTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<MatchCase>& case_info) { return "case" + std::to_string(case_info.index); });

// The plan is made for the rows it was given: a list with other rows is refused, not changed.
TEST(ApplyPlanTest, RefusesAPlanMadeForOtherRows) {
  TStringTreeList list;
  SetUpConnList(list);
  FileRecArray tcp = {kConn}, udp;
  FillList(list, tcp, udp, Options(true));
  const TMyRec shown = *list.ReadRowRecordAs<TMyRec>(list.FirstNode());
  const MergePlan plan = MatchSnapshot({}, tcp, udp, Options(true));  // made for no rows
  EXPECT_THROW(ApplyPlan(list, {list.FirstNode()}, plan, tcp, udp, Options(true)), std::invalid_argument);
  EXPECT_THROW(ApplyPlan(list, {}, plan, {}, {}, Options(true)), std::out_of_range);
  ASSERT_EQ(list.RowCount(), 1);
  EXPECT_EQ(*list.ReadRowRecordAs<TMyRec>(list.FirstNode()), shown);
}

}  // namespace
}  // namespace test
}  // namespace netscry
