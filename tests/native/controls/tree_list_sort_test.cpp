// Automatic and explicit sorting: the stable merge sort's exact results, ties in both directions,
// the header setters, and the incremental sorting compared with the literal algorithm.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>

#include "list_fixture.h"
#include "literal_sort_reference.h"

namespace netscry::test {
namespace {

TEST_F(ListTest, AppendedRowIsPlacedByItsEmptyKeyAndMovesAtTheNextSort) {
  Add("b", 1);
  Add("a", 2);  // empty while the append sorts: placed first, filled afterwards
  EXPECT_EQ(Ids(), (std::vector<int>{2, 1}));
  PTreeNode n = list.AppendNode();  // the previous row now moves to its place
  EXPECT_EQ(list.FirstNode(), n);   // the new, empty row lands in front
  EXPECT_EQ(list.NodeIndex(ById(2)), 1);
  EXPECT_EQ(list.NodeIndex(ById(1)), 2);
}

TEST_F(ListTest, AppendedRowGoesBehindEmptyKeysAscendingAndToTheEndDescending) {
  Add("", 1);
  Add("x", 2);
  list.SortList(1, sdAscending);  // [1 "", 2 x]
  PTreeNode n = list.AppendNode();
  EXPECT_EQ(list.NodeIndex(n), 1);  // after the rows whose key is empty, before all others
  list.RemoveNode(n);
  list.Header().SetSortDirection(sdDescending);  // sorts: [2 x, 1 ""]
  EXPECT_EQ(Ids(), (std::vector<int>{2, 1}));
  n = list.AppendNode();
  EXPECT_EQ(list.NodeIndex(n), 2);  // at the end, behind the equal empty key
}

TEST_F(ListTest, EqualKeysKeepTheirOrderInBothDirections) {
  list.Header().SetSortColumn(-1);
  Add("b", 1);
  Add("a", 2);
  Add("B", 3);  // equal to "b" without case
  Add("a", 4);
  list.SortList(1, sdAscending);
  EXPECT_EQ(Ids(), (std::vector<int>{2, 4, 1, 3}));
  list.SortList(1, sdDescending);  // not the reverse: ties keep their order
  EXPECT_EQ(Ids(), (std::vector<int>{1, 3, 2, 4}));
  list.SortList(1, sdAscending);
  EXPECT_EQ(Ids(), (std::vector<int>{2, 4, 1, 3}));
}

TEST_F(ListTest, SortingByNoColumnOrAColumnThatComparesNothingKeepsTheOrder) {
  list.Header().SetSortColumn(-1);
  for (int i = 0; i < 7; ++i) Add(std::string(1, char('g' - i)), i);
  std::vector<int> before = Ids();
  for (TColumnIndex c : {-1, 0, 2, 9}) {
    for (TSortDirection d : {sdAscending, sdDescending}) {
      compares = 0;
      list.SortList(c, d);
      EXPECT_EQ(Ids(), before) << c;
    }
  }
  list.SortList(-2, sdAscending);  // below -1: nothing at all
  EXPECT_EQ(Ids(), before);
}

TEST_F(ListTest, SortByNoColumnStillAsksTheComparison) {
  list.Header().SetSortColumn(-1);
  for (int i = 0; i < 4; ++i) Add("x", i);
  std::vector<TColumnIndex> asked;
  list.OnCompareNodes = [&](TStringTreeList&, PTreeNode, PTreeNode, TColumnIndex c, int&) { asked.push_back(c); };
  list.SortList(-1, sdDescending);
  ASSERT_FALSE(asked.empty());
  for (TColumnIndex c : asked) EXPECT_EQ(c, -1);
}

TEST_F(ListTest, NumbersSortAsText) {
  list.Header().SetSortColumn(-1);
  const char* ports[] = {"80", "1000", "139", "443"};
  for (int i = 0; i < 4; ++i) Add("p", i, "", ports[i]);
  list.SortList(5, sdAscending);
  EXPECT_EQ(Ids(), (std::vector<int>{1, 2, 3, 0}));
}

TEST_F(ListTest, SortColumnSetterClampsAndSortsOnlyOnChange) {
  for (int i = 0; i < 5; ++i) Add(std::string(1, char('e' - i)), i);
  list.SortList(1, sdAscending);
  compares = 0;
  list.Header().SetSortColumn(1);  // unchanged
  EXPECT_EQ(compares, 0);
  list.Header().SetSortColumn(99);
  EXPECT_EQ(list.Header().SortColumn(), 13);
  list.Header().SetSortColumn(-7);
  EXPECT_EQ(list.Header().SortColumn(), -1);
  list.Header().SetSortDirection(sdAscending);  // unchanged
  EXPECT_EQ(list.Header().SortDirection(), sdAscending);
}

TEST_F(ListTest, HeaderSetterSortsBySortColumnAndDirectionAndRepaintsTheRows) {
  list.Header().SetSortColumn(-1);
  const char* names[] = {"c", "a", "b"};
  const char* ports[] = {"1", "3", "2"};
  for (int i = 0; i < 3; ++i) Add(names[i], i, "", ports[i]);
  // Each change puts the rows in another order on screen: the rows area must be painted again.
  struct Step {
    std::function<void()> change;
    std::vector<int> order;
  };
  const Step steps[] = {
      {[&] { list.Header().SetSortColumn(5); }, {0, 2, 1}},
      {[&] { list.Header().SetSortDirection(sdDescending); }, {1, 2, 0}},
      {[&] { list.Header().SetSortColumn(1); }, {0, 2, 1}},  // by name, still descending
  };
  for (const Step& step : steps) {
    host.row_invalidations = 0;
    step.change();
    EXPECT_EQ(Ids(), step.order);
    EXPECT_GT(host.row_invalidations, 0) << "sorted without repainting the rows";
  }
}

TEST_F(ListTest, NoAutomaticSortInsideABatchOrOnRemoval) {
  list.BeginUpdate();
  Add("b", 1);
  Add("a", 2);
  list.AppendNode();
  EXPECT_EQ(compares, 0);
  host.row_invalidations = 0;
  list.EndUpdate();  // the batch's end sorts, and shows the new order
  EXPECT_EQ(Ids(), (std::vector<int>{0, 2, 1}));
  EXPECT_GT(host.row_invalidations, 0);
  compares = 0;
  list.RemoveNode(ById(2));
  EXPECT_EQ(compares, 0);
}

TEST_F(ListTest, SortInitializesEveryRowSoEveryRemovalFreesIt) {
  int freed = 0;
  list.OnFreeNode = [&](TStringTreeList&, PTreeNode) { ++freed; };
  list.BeginUpdate();
  PTreeNode a = list.AppendNode();
  PTreeNode b = list.AppendNode();
  EXPECT_FALSE(list.IsInitialized(b));
  list.RemoveNode(b);  // never needed: no OnFreeNode
  EXPECT_EQ(freed, 0);
  list.EndUpdate();
  EXPECT_TRUE(list.IsInitialized(a));
  list.RemoveNode(a);
  EXPECT_EQ(freed, 1);
  list.OnFreeNode = nullptr;
}

// --- The incremental sort against the literal one ---------------------------------------------

struct Model {
  std::map<int, Rec> recs;
};

class DifferentialTest : public ListTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(DifferentialTest, RandomOperationsGiveTheLiteralOrder) {
  std::mt19937 rng(GetParam());
  // Keys from a small alphabet so that ties are frequent; lower and upper case compare equal.
  const std::vector<std::string> keys = {"", "a", "A", "b", "ab", "aB", "B", "c", "ba", "1000", "139", "80"};
  std::map<int, PTreeNode> nodes;
  auto key_of = [&](int id, int column) -> const std::string& {
    PTreeNode n = nodes.at(id);
    const Rec& r = *list.ReadRowRecordAs<Rec>(n);
    return column == 5 ? r.port : r.name;
  };
  LiteralSortedList literal([&](int a, int b, int column) {
    if (column != 1 && column != 5) return 0;
    return CompareAnsiTextNoCase(key_of(a, column), key_of(b, column));
  });
  const TColumnIndex columns[] = {1, 5, -1, 0};
  int next_id = 1;
  for (int step = 0; step < 600; ++step) {
    int op = int(rng() % 100);
    if (op < 55 || nodes.empty()) {
      // Append (the list sorts with the record still empty), then fill the record.
      int id = next_id++;
      PTreeNode n = list.AppendNode();
      nodes[id] = n;
      literal.Append(id);
      Rec* r = list.RowRecordAs<Rec>(n);
      r->id = id;
      r->name = keys[rng() % keys.size()];
      r->port = keys[rng() % keys.size()];
    } else if (op < 70) {
      auto it = std::next(nodes.begin(), std::ptrdiff_t(rng() % nodes.size()));
      literal.Remove(it->first);
      list.RemoveNode(it->second);
      nodes.erase(it);
    } else if (op < 82) {
      // A refresh changing a kept row's field.
      auto it = std::next(nodes.begin(), std::ptrdiff_t(rng() % nodes.size()));
      list.RowRecordAs<Rec>(it->second)->name = keys[rng() % keys.size()];
    } else if (op < 88) {
      TColumnIndex c = columns[rng() % 4];
      literal.SetSortColumn(c);
      list.Header().SetSortColumn(c);
    } else if (op < 94) {
      bool d = rng() % 2;
      literal.SetDescending(d);
      list.Header().SetSortDirection(d ? sdDescending : sdAscending);
    } else {
      literal.Sort(literal.sort_column, literal.descending);
      list.SortList(list.Header().SortColumn(), list.Header().SortDirection());
    }
    std::vector<int> ours = Ids();
    ASSERT_EQ(ours, literal.Order()) << "step " << step;
    ASSERT_EQ(list.TotalNodeCount(), int(nodes.size()));
    if (!nodes.empty()) {
      PTreeNode n = nodes.begin()->second;
      ASSERT_EQ(list.NodeAtIndex(list.NodeIndex(n)), n);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, DifferentialTest, ::testing::Range(1u, 21u));

TEST_F(ListTest, FillOfManyRowsMatchesLiteralWithFarFewerComparisons) {
  // The fill of the program: append, fill, append, …; then an explicit sort.
  std::mt19937 rng(7);
  std::vector<std::string> names;
  for (int i = 0; i < 1500; ++i) names.push_back(std::string(1, char('a' + rng() % 20)) + char('a' + rng() % 3));
  std::map<int, std::string> by_id;
  LiteralSortedList literal([&](int a, int b, int) { return CompareAnsiTextNoCase(by_id[a], by_id[b]); });
  long literal_compares = 0;
  LiteralSortedList counted([&](int a, int b, int) {
    ++literal_compares;
    return CompareAnsiTextNoCase(by_id[a], by_id[b]);
  });
  for (int i = 0; i < 1500; ++i) {
    by_id[i + 1];  // empty while the append sorts
    counted.Append(i + 1);
    Add(names[i], i + 1);
    by_id[i + 1] = names[i];
  }
  list.SortList(1, sdAscending);
  counted.Sort(1, false);
  EXPECT_EQ(Ids(), counted.Order());
  EXPECT_LT(compares * 20, literal_compares);
}

}  // namespace
}  // namespace netscry::test

namespace netscry::test {
namespace {

TEST_F(ListTest, ThrowingComparisonLosesNoRow) {
  for (int i = 0; i < 40; ++i) Add(std::string(1, char('a' + i % 26)), i);
  list.SortList(1, sdAscending);
  auto cmp = list.OnCompareNodes;
  int calls = 0;
  list.OnCompareNodes = [&](TStringTreeList& s, PTreeNode a, PTreeNode b, TColumnIndex c, int& r) {
    if (++calls == 3) throw std::runtime_error("comparison failed");
    cmp(s, a, b, c, r);
  };
  list.RowRecordAs<Rec>(list.NodeAtIndex(5))->name = "zz";  // one changed row: a re-placing sort
  EXPECT_THROW(list.AppendNode(), std::runtime_error);
  EXPECT_EQ(list.TotalNodeCount(), 41);
  std::vector<int> ids = Ids();
  std::sort(ids.begin(), ids.end());
  for (int i = 0; i < 40; ++i) EXPECT_EQ(ids[std::size_t(i) + 1], i);  // the new row's id is 0 too
  // The next sort orders everything again.
  list.OnCompareNodes = cmp;
  list.SortList(1, sdAscending);
  PTreeNode prev = list.FirstNode();
  for (PTreeNode n = list.NextNode(prev); n; prev = n, n = list.NextNode(n)) EXPECT_LE(CompareAnsiTextNoCase(R(prev).name, R(n).name), 0);
}

}  // namespace
}  // namespace netscry::test
