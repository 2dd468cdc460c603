// Row comparison by column, header clicks and the manage-column click decision.
#include <gtest/gtest.h>

#include <vector>

#include "conn_list_fixture.h"

namespace netscry::test {
namespace {

TMyRec Row(std::string field_value, FieldText TMyRec::*field) {
  TMyRec r;
  r.*field = std::move(field_value);
  return r;
}

TEST(CompareConnRows, ComparesTheColumnsFieldAsTextIgnoringAsciiCase) {
  const struct {
    int column;
    FieldText TMyRec::*field;
    std::string a, b;
    int sign;  // of the result
  } cases[] = {
      // Numbers compare as text.
      {5, &TMyRec::LocalPort, "1000", "139", -1},
      {5, &TMyRec::LocalPort, "139", "80", -1},
      {7, &TMyRec::RemotePort, "443", "80", -1},
      {4, &TMyRec::LocalIP, "192.168.1.10", "192.168.1.9", -1},
      // Letters sort as capitals: "a" before "_", equal to "A".
      {1, &TMyRec::ProcessName, "a", "_", -1},
      {1, &TMyRec::ProcessName, "explorer.exe", "EXPLORER.EXE", 0},
      {3, &TMyRec::Protocol, "TCP", "UDP", -1},
      {6, &TMyRec::RemoteIP, "", "0.0.0.0", -1},
      // State names by their code-page bytes: 监听 (BC E0) before 已建立 (D2 D1); UDP's empty state first.
      {8, &TMyRec::StateText, "监听", "已建立", -1},
      {8, &TMyRec::StateText, "关闭", "监听", -1},  // B9 D8 before BC E0
      {8, &TMyRec::StateText, "", "关闭", -1},
      {10, &TMyRec::FilePath, "C:\\b", "c:\\A", 1},
      {11, &TMyRec::FileDesc, "Desc", "desc", 0},
      {12, &TMyRec::Company, "Microsoft", "Mozilla", -1},
      // Columns that compare nothing, whatever their fields hold.
      {0, &TMyRec::ProcessID, "1", "2", 0},
      {2, &TMyRec::ProcessName, "a", "b", 0},
      {9, &TMyRec::ProcessName, "a", "b", 0},
      {13, &TMyRec::Remark, "add", "md", 0},
      {14, &TMyRec::ProcessName, "a", "b", 0},
      {-1, &TMyRec::ProcessName, "a", "b", 0},
  };
  for (const auto& c : cases) {
    TMyRec a = Row(c.a, c.field), b = Row(c.b, c.field);
    if (c.column == 2 || c.column == 9 || c.column == 14 || c.column == -1) {
      // Every field differs, and still nothing is compared.
      a = {"TCP", "x", "1", "1", "1", "1", "1", "a", "a", "a", "a", "a"};
      b = {"UDP", "y", "2", "2", "2", "2", "2", "b", "b", "b", "b", "b"};
    }
    const int r = CompareConnRows(a, b, c.column);
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << "column " << c.column << ": " << c.a << " vs " << c.b;
    const int back = CompareConnRows(b, a, c.column);
    EXPECT_EQ((back > 0) - (back < 0), -c.sign) << "column " << c.column;
  }
}

class ConnListTest : public ::testing::Test {
 protected:
  void SetUp() override { SetUpConnList(list); }

  PTreeNode Add(const TMyRec& r) {
    PTreeNode n = list.AppendNode();
    *list.RowRecordAs<TMyRec>(n) = r;
    return n;
  }
  std::vector<std::string> Column(FieldText TMyRec::*field) {
    std::vector<std::string> v;
    for (PTreeNode n = list.FirstNode(); n; n = list.NextNode(n)) v.push_back((list.ReadRowRecordAs<TMyRec>(n)->*field).str());
    return v;
  }
  void Click(TColumnIndex c) {
    list.Header().SetClickedColumn(c);
    ASSERT_TRUE(list.OnHeaderClick);
    list.OnHeaderClick(list.Header(), TTreeHeaderHitInfo{c, TMouseButton::mbLeft, {}});
  }

  TStringTreeList list;
};

TEST_F(ConnListTest, CompareNodesLeavesThePresetWithoutRecords) {
  PTreeNode a = Add(Row("b", &TMyRec::ProcessName));
  PTreeNode b = Add(Row("a", &TMyRec::ProcessName));
  for (PTreeNode x : {PTreeNode(nullptr), list.RootNode()}) {
    int result = 7;
    VTSCompareNodes(list, x, a, 1, result);
    EXPECT_EQ(result, 7);
    VTSCompareNodes(list, a, x, 1, result);
    EXPECT_EQ(result, 7);
  }
  int result = 7;
  VTSCompareNodes(list, a, b, 9, result);
  EXPECT_EQ(result, 7);
  VTSCompareNodes(list, a, b, 1, result);
  EXPECT_GT(result, 0);
}

TEST_F(ConnListTest, SortingByStatePutsUdpFirstAndChineseNamesInByteOrder) {
  list.Header().SetSortColumn(-1);
  for (const char* s : {"已建立", "", "监听", "关闭", "", "等待时间"}) Add(Row(s, &TMyRec::StateText));
  list.SortList(8, sdAscending);
  // 关 B9 D8, 监 BC E0, 等 B5 C8, 已 D2 D1.
  EXPECT_EQ(Column(&TMyRec::StateText), (std::vector<std::string>{"", "", "等待时间", "关闭", "监听", "已建立"}));
}

TEST_F(ConnListTest, HeaderClickSequences) {
  // Rows by local port: the order shows the sort that is in force.
  list.Header().SetSortColumn(-1);
  for (const char* p : {"80", "1000", "139", "443"}) Add(Row(p, &TMyRec::LocalPort));
  list.Header().SetSortColumn(1);  // the start-up state: column 1 ascending (all names empty)
  const struct {
    const char* name;
    std::vector<TColumnIndex> clicks;
    TColumnIndex column;
    TSortDirection direction;
  } cases[] = {
      {"first click on another column sorts it against the previous direction", {5}, 5, sdDescending},
      {"clicking the sorted column again reverses it", {5, 5}, 5, sdAscending},
      {"the manage column changes nothing", {9}, 1, sdAscending},
      {"the manage column after a sort keeps that sort", {5, 9}, 5, sdDescending},
      {"a click without a column leaves the list unsorted, direction reversed", {-1}, -1, sdDescending},
      {"a double click on a caption: the column, then no column", {5, -1}, -1, sdAscending},
      {"out-of-range columns are clamped by the header", {20}, 13, sdDescending},
  };
  for (const auto& c : cases) {
    list.Header().SetSortColumn(1);
    list.Header().SetSortDirection(sdAscending);
    for (TColumnIndex click : c.clicks) Click(click);
    EXPECT_EQ(list.Header().SortColumn(), c.column) << c.name;
    EXPECT_EQ(list.Header().SortDirection(), c.direction) << c.name;
  }

  list.Header().SetSortColumn(1);
  list.Header().SetSortDirection(sdAscending);
  Click(5);
  EXPECT_EQ(Column(&TMyRec::LocalPort), (std::vector<std::string>{"80", "443", "139", "1000"}));
  Click(5);
  EXPECT_EQ(Column(&TMyRec::LocalPort), (std::vector<std::string>{"1000", "139", "443", "80"}));
  Click(9);
  EXPECT_EQ(Column(&TMyRec::LocalPort), (std::vector<std::string>{"1000", "139", "443", "80"}));
  // Unsorted from now on: the order stays and later rows stay at the end.
  Click(-1);
  Add(Row("1", &TMyRec::LocalPort));
  list.SortList(list.Header().SortColumn(), list.Header().SortDirection());
  EXPECT_EQ(Column(&TMyRec::LocalPort), (std::vector<std::string>{"1000", "139", "443", "80", "1"}));
}

}  // namespace
}  // namespace netscry::test
