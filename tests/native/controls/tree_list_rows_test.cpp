// Rows, the user area and its record, removal, selection and focus.
#include <gtest/gtest.h>

#include "list_fixture.h"

namespace netscry::test {
namespace {

TEST_F(ListTest, EmptyListHasNoRows) {
  EXPECT_EQ(list.FirstNode(), nullptr);
  EXPECT_EQ(list.TotalNodeCount(), 0);
  EXPECT_EQ(list.SelectedNodeCount(), 0);
  EXPECT_EQ(list.FocusedRow(), nullptr);
  EXPECT_EQ(list.NextNode(nullptr), nullptr);
  EXPECT_EQ(list.RowRecord(nullptr), nullptr);
  EXPECT_EQ(list.RowRecord(list.RootNode()), nullptr);
}

TEST_F(ListTest, NewRowHasEmptyRecordAndWalkFollowsDisplayOrder) {
  list.Header().SetSortColumn(-1);
  PTreeNode a = list.AppendNode();
  EXPECT_EQ(R(a).name, "");
  EXPECT_EQ(R(a).id, 0);
  PTreeNode b = list.AppendNode();
  PTreeNode c = list.AppendNode();
  EXPECT_EQ(list.FirstNode(), a);
  EXPECT_EQ(list.NextNode(a), b);
  EXPECT_EQ(list.NextNode(b), c);
  EXPECT_EQ(list.NextNode(c), nullptr);
  EXPECT_EQ(list.NodeIndex(c), 2);
  EXPECT_EQ(list.TotalNodeCount(), 3);
  EXPECT_EQ(list.NodeIndex(list.RootNode()), -1);
}

TEST_F(ListTest, InsertedRowGoesInFrontOfItsRowAndSortsLikeAnAppendedOne) {
  Add("b", 1);
  Add("c", 2);
  list.SortList(1, sdAscending);  // [1 b, 2 c]
  list.BeginUpdate();
  list.RowRecordAs<Rec>(list.InsertNode(ById(2)))->id = 3;
  list.RowRecordAs<Rec>(list.InsertNode(list.NodeAtIndex(0)))->id = 4;
  list.RowRecordAs<Rec>(list.InsertNode(nullptr))->id = 5;
  list.RowRecordAs<Rec>(list.InsertNode(list.RootNode()))->id = 6;
  EXPECT_EQ(Ids(), (std::vector<int>{4, 1, 3, 2, 5, 6}));
  list.EndUpdate();  // the empty rows sort first, keeping their order
  EXPECT_EQ(Ids(), (std::vector<int>{4, 3, 5, 6, 1, 2}));
  PTreeNode n = list.InsertNode(ById(2));  // outside a batch it is sorted at once, as on append
  EXPECT_EQ(list.NodeIndex(n), 4);
  EXPECT_EQ(list.TotalNodeCount(), 7);
}

TEST(TreeListRecord, RowRecordBeforeNodeDataSizeIsAProgrammingError) {
  TStringTreeList list;
  list.SetNodeRecordType(NodeRecordTypeOf<Rec>());
  PTreeNode n = list.AppendNode();
  try {
    list.RowRecord(n);
    FAIL() << "no assertion";
  } catch (const std::logic_error& e) {
    EXPECT_STREQ(e.what(), "NodeDataSize not initialized.");
  }
  list.SetNodeDataSize(-5);
  EXPECT_THROW(list.RowRecord(n), std::logic_error);
}

TEST(TreeListRecord, TypedAccessChecksTheRecordType) {
  TStringTreeList list;
  list.SetNodeRecordType(NodeRecordTypeOf<Rec>());
  list.SetNodeDataSize(48);
  PTreeNode n = list.AppendNode();
  EXPECT_NE(list.RowRecordAs<Rec>(n), nullptr);
  EXPECT_THROW(list.RowRecordAs<std::string>(n), std::logic_error);
}

TEST(TreeListRecord, RawUserAreaIsZeroFilledBytes) {
  TStringTreeList list;
  list.SetNodeDataSize(48);
  PTreeNode n = list.AppendNode();
  auto* bytes = static_cast<unsigned char*>(list.RowRecord(n));
  ASSERT_NE(bytes, nullptr);
  for (int i = 0; i < 48; ++i) EXPECT_EQ(bytes[i], 0) << i;
}

// Counts live records, so that every made record is seen to be destroyed exactly once.
struct Counted {
  static inline int live = 0;
  static inline int made = 0;
  std::string text = "x";
  Counted() { ++live, ++made; }
  ~Counted() { --live; }
};

TEST(TreeListRecord, NodeDataSizeChangeRemakesRowsAndFreesEachOnce) {
  Counted::live = Counted::made = 0;
  std::vector<PTreeNode> freed;
  {
    TStringTreeList list;
    list.SetNodeRecordType(NodeRecordTypeOf<Counted>());
    list.SetNodeDataSize(48);
    list.OnFreeNode = [&](TStringTreeList& s, PTreeNode n) {
      // The record is still alive while the handler runs.
      EXPECT_EQ(s.RowRecordAs<Counted>(n)->text, "x");
      freed.push_back(n);
    };
    for (int i = 0; i < 3; ++i) list.RowRecordAs<Counted>(list.AppendNode())->text = "x";
    EXPECT_EQ(Counted::live, 3);

    list.SetNodeDataSize(48);  // the same value: nothing happens
    EXPECT_TRUE(freed.empty());
    EXPECT_EQ(Counted::made, 3);

    list.SetNodeDataSize(64);  // another value: every row deleted, as many new empty rows made
    EXPECT_EQ(freed.size(), 3u);
    EXPECT_EQ(Counted::live, 3);
    EXPECT_EQ(Counted::made, 6);
    EXPECT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.SelectedNodeCount(), 0);
    freed.clear();
  }
  // The remade rows were never needed, so they raise no OnFreeNode, but their records are gone.
  EXPECT_TRUE(freed.empty());
  EXPECT_EQ(Counted::live, 0);
}

TEST(TreeListRecord, DestroyingTheListFreesEveryInitializedRow) {
  Counted::live = 0;
  int freed = 0;
  {
    TStringTreeList list;
    list.SetNodeRecordType(NodeRecordTypeOf<Counted>());
    list.SetNodeDataSize(48);
    list.OnFreeNode = [&](TStringTreeList&, PTreeNode) { ++freed; };
    for (int i = 0; i < 5; ++i) list.AppendNode();
  }
  EXPECT_EQ(freed, 5);
  EXPECT_EQ(Counted::live, 0);
}

TEST_F(ListTest, RemovingFocusedSelectedRowLeavesNeitherAndRaisesFreeOnce) {
  std::vector<int> freed_ids;
  list.OnFreeNode = [&](TStringTreeList& s, PTreeNode n) { freed_ids.push_back(s.ReadRowRecordAs<Rec>(n)->id); };
  PTreeNode a = Add("a", 1);
  PTreeNode b = Add("b", 2);
  PTreeNode c = Add("c", 3);
  list.SortList(1, sdAscending);
  list.SelectNode(b, true);
  list.FocusNode(b);
  list.RemoveNode(b);
  EXPECT_EQ(list.FocusedRow(), nullptr);  // the focus does not move to a neighbour
  EXPECT_EQ(list.SelectedNodeCount(), 0);
  EXPECT_EQ(freed_ids, std::vector<int>{2});
  EXPECT_EQ(list.NodeIndex(c), 1);  // later rows renumbered
  EXPECT_EQ(Ids(), (std::vector<int>{1, 3}));
  // Removing nothing or the root does nothing.
  list.RemoveNode(nullptr);
  list.RemoveNode(list.RootNode());
  EXPECT_EQ(list.TotalNodeCount(), 2);
  // Removing a row that is neither focused nor selected keeps both.
  list.SelectNode(a, true);
  list.FocusNode(a);
  list.RemoveNode(c);
  EXPECT_EQ(list.FocusedRow(), a);
  EXPECT_TRUE(list.Selected(a));
  list.OnFreeNode = nullptr;
}

// A free handler may take the record for writing (which queues the row for the next sort); the
// row must not stay queued once it is gone, whether removed alone or with every row.
TEST_F(ListTest, FreeHandlerWritingTheRecordLeavesNoDeletedRowToSort) {
  int freed = 0;
  list.OnFreeNode = [&](TStringTreeList& s, PTreeNode n) {
    s.RowRecordAs<Rec>(n)->name.clear();
    ++freed;
  };
  Add("b", 2);
  PTreeNode a = Add("a", 1);
  Add("c", 3);
  list.SortList(1, sdAscending);
  list.RemoveNode(a);
  Add("a2", 4);  // the append sorts the queued rows
  list.SortList(1, sdAscending);
  EXPECT_EQ(Ids(), (std::vector<int>{4, 2, 3}));
  list.Clear();
  Add("d", 5);
  list.SortList(1, sdAscending);
  EXPECT_EQ(Ids(), std::vector<int>{5});
  EXPECT_EQ(freed, 4);
  list.OnFreeNode = nullptr;
}

TEST_F(ListTest, WalkTakingNextBeforeRemovingVisitsEveryRow) {
  list.Header().SetSortColumn(-1);
  for (int i = 0; i < 10; ++i) Add(std::string(1, char('a' + i)), i);
  std::vector<int> seen;
  for (PTreeNode n = list.FirstNode(); n;) {
    PTreeNode next = list.NextNode(n);
    seen.push_back(R(n).id);
    if (R(n).id % 2 == 0) list.RemoveNode(n);
    n = next;
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(Ids(), (std::vector<int>{1, 3, 5, 7, 9}));
}

TEST_F(ListTest, SelectionIsSingleAndSelectNodeChoosesTheSearchColumn) {
  PTreeNode a = Add("a", 1);
  PTreeNode b = Add("b", 2);
  EXPECT_EQ(list.FocusColumn(), NoColumn);
  list.SelectNode(a, true);
  // Column 0 is hidden, so the first visible column that allows focus.
  EXPECT_EQ(list.FocusColumn(), 1);
  list.SelectNode(b, true);
  EXPECT_EQ(list.SelectedNodeCount(), 1);
  EXPECT_TRUE(list.Selected(b));
  EXPECT_FALSE(list.Selected(a));
  list.SelectNode(a, false);  // not selected: no change
  EXPECT_TRUE(list.Selected(b));
  list.SelectNode(b, false);
  EXPECT_EQ(list.SelectedNodeCount(), 0);
}

TEST_F(ListTest, FocusNodeSetsMainColumnOnlyWhenNone) {
  PTreeNode a = Add("a", 1);
  list.FocusNode(a);
  EXPECT_EQ(list.FocusedRow(), a);
  EXPECT_EQ(list.FocusColumn(), 0);
  // Selecting now moves the hidden focus column to the first visible one.
  list.SelectNode(a, true);
  EXPECT_EQ(list.FocusColumn(), 1);
  list.FocusNode(a);
  EXPECT_EQ(list.FocusColumn(), 1);
}

TEST_F(ListTest, FocusNodeScrollsRowIntoView) {
  list.Header().SetSortColumn(-1);
  for (int i = 0; i < 30; ++i) Add("r", i);
  list.FocusNode(list.NodeAtIndex(25));  // below: becomes the bottom row
  EXPECT_EQ(list.OffsetY(), 26 * 22 - 220);
  list.FocusNode(list.NodeAtIndex(17));  // visible: no scrolling
  EXPECT_EQ(list.OffsetY(), 26 * 22 - 220);
  list.FocusNode(list.NodeAtIndex(3));  // above: becomes the top row
  EXPECT_EQ(list.OffsetY(), 3 * 22);
}

}  // namespace
}  // namespace netscry::test
