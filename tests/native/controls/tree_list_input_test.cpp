// Mouse, keyboard, wheel and incremental search in the rows area.
#include <gtest/gtest.h>

#include "list_fixture.h"

namespace netscry::test {
namespace {

// Rows in a fixed order (no sort column), 22 pixels each; column x ranges with the connection
// layout: 1 [0,120) 3 [120,160) 4 [160,250) 5 [250,310) 6 [310,400) 7 [400,460) 8 [460,530) 9 [530,570).
class InputTest : public ListTest {
 protected:
  void SetUp() override {
    ListTest::SetUp();
    list.Header().SetSortColumn(-1);
    const char* names[] = {"alpha", "beta", "bravo", "charlie", "abc", "delta", "echo"};
    for (int i = 0; i < 7; ++i) Add(names[i], i, std::to_string(100 + i * 11));
  }
  Point RowPoint(int row, int x = 10) { return {x, row * 22 + 5}; }
  int FocusedId() { return list.FocusedRow() ? R(list.FocusedRow()).id : -1; }
  void Type(std::string_view chars, std::int64_t t0, std::int64_t step) {
    for (char ch : chars) {
      list.KeyChar(std::string_view(&ch, 1), t0);
      t0 += step;
    }
  }
};

TEST_F(InputTest, LeftPressSelectsFocusesAndRecordsTheColumn) {
  list.MouseDown(TMouseButton::mbLeft, RowPoint(2, 130), {}, false);
  EXPECT_EQ(host.focus_requests, 1);
  EXPECT_EQ(FocusedId(), 2);
  EXPECT_TRUE(list.Selected(list.FocusedRow()));
  EXPECT_EQ(list.Header().ClickedColumn(), 3);
  // The clicked column is not the search column: it becomes the main column, not column 3.
  EXPECT_EQ(list.FocusColumn(), 0);
}

TEST_F(InputTest, ColumnClickNeedsReleaseOverTheSameColumn) {
  std::vector<TColumnIndex> clicks;
  list.OnColumnClick = [&](TStringTreeList&, TColumnIndex c, TShiftState) { clicks.push_back(c); };
  list.MouseDown(TMouseButton::mbLeft, RowPoint(1, 540), {}, false);
  list.MouseUp(TMouseButton::mbLeft, RowPoint(4, 545), {});  // another row, same column: a click
  list.MouseDown(TMouseButton::mbLeft, RowPoint(1, 540), {}, false);
  list.MouseUp(TMouseButton::mbLeft, RowPoint(1, 500), {});  // another column: none
  EXPECT_EQ(clicks, std::vector<TColumnIndex>{9});
}

TEST_F(InputTest, PressBelowLastRowOnlyTakesFocus) {
  std::vector<TColumnIndex> clicks;
  list.OnColumnClick = [&](TStringTreeList&, TColumnIndex c, TShiftState) { clicks.push_back(c); };
  list.MouseDown(TMouseButton::mbLeft, RowPoint(3), {}, false);
  list.MouseUp(TMouseButton::mbLeft, RowPoint(3), {});
  list.MouseDown(TMouseButton::mbLeft, RowPoint(8), {}, false);
  list.MouseUp(TMouseButton::mbLeft, RowPoint(8), {});
  EXPECT_EQ(FocusedId(), 3);
  EXPECT_EQ(list.SelectedNodeCount(), 1);
  EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(InputTest, RightClickSelectsReportsColumnClickThenAsksForMenu) {
  std::vector<std::string> events;
  static const int menu_tag = 0;
  list.OnColumnClick = [&](TStringTreeList&, TColumnIndex c, TShiftState) { events.push_back("click " + std::to_string(c)); };
  list.OnGetPopupMenu = [&](TStringTreeList& s, PTreeNode n, TColumnIndex c, Point, bool&, TPopupMenu& menu) {
    events.push_back("popup " + std::to_string(n ? s.ReadRowRecordAs<Rec>(n)->id : -1) + " " + std::to_string(c));
    if (n) menu = &menu_tag;
  };
  list.MouseDown(TMouseButton::mbRight, RowPoint(5, 535), {}, false);
  list.MouseUp(TMouseButton::mbRight, RowPoint(5, 536), {});
  EXPECT_EQ(FocusedId(), 5);
  // Below the last row: no row, no column click, and no menu returned.
  list.MouseDown(TMouseButton::mbRight, RowPoint(9), {}, false);
  list.MouseUp(TMouseButton::mbRight, RowPoint(9), {});
  EXPECT_EQ(events, (std::vector<std::string>{"click 9", "popup 5 9", "popup -1 -1"}));
  ASSERT_EQ(host.popups.size(), 1u);
  EXPECT_EQ(host.popups[0].first, &menu_tag);
  EXPECT_EQ(host.popups[0].second, RowPoint(5, 536));
}

TEST_F(InputTest, DoubleClickSequence) {
  std::vector<std::string> events;
  list.OnColumnClick = [&](TStringTreeList&, TColumnIndex c, TShiftState) { events.push_back("click " + std::to_string(c)); };
  list.OnDblClick = [&](TStringTreeList&) { events.push_back("dbl"); };
  list.MouseDown(TMouseButton::mbLeft, RowPoint(2, 20), {}, false);
  list.MouseUp(TMouseButton::mbLeft, RowPoint(2, 20), {});
  list.MouseDown(TMouseButton::mbLeft, RowPoint(2, 20), {}, true);
  list.MouseUp(TMouseButton::mbLeft, RowPoint(2, 20), {});
  EXPECT_EQ(events, (std::vector<std::string>{"click 1", "dbl", "click 1"}));
  // Below the last row the double click is reported as well.
  events.clear();
  list.MouseDown(TMouseButton::mbLeft, RowPoint(9), {}, true);
  EXPECT_EQ(events, std::vector<std::string>{"dbl"});
}

TEST_F(InputTest, NavigationKeysMoveFocusAndSelection) {
  struct Case {
    TListKey key;
    int from, to;
  };
  // Client height 220: ten rows a page.
  list.SetClientSize(746, 66);  // three rows a page
  const Case cases[] = {{TListKey::Down, 0, 1},     {TListKey::Up, 0, 0},     {TListKey::Down, 6, 6},
                        {TListKey::PageDown, 1, 4}, {TListKey::PageDown, 5, 6}, {TListKey::PageUp, 5, 2},
                        {TListKey::PageUp, 1, 0},   {TListKey::Home, 4, 0},   {TListKey::End, 2, 6}};
  for (const Case& c : cases) {
    list.FocusNode(list.NodeAtIndex(c.from));
    list.KeyDown(c.key, {});
    EXPECT_EQ(FocusedId(), c.to) << int(c.key) << " from " << c.from;
    EXPECT_TRUE(list.Selected(list.FocusedRow()));
    // The focused row is in view.
    Rect r = list.RowRect(list.FocusedRow());
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.bottom, 66);
  }
}

TEST_F(InputTest, UpDownSetMainColumnWhenNone) {
  EXPECT_EQ(list.FocusColumn(), NoColumn);
  list.KeyDown(TListKey::Down, {});
  EXPECT_EQ(FocusedId(), 0);
  EXPECT_EQ(list.FocusColumn(), 0);
}

TEST_F(InputTest, CtrlKeysScrollWithoutMovingFocus) {
  list.SetClientSize(300, 66);
  list.FocusNode(list.NodeAtIndex(0));
  list.KeyDown(TListKey::Down, {false, true, false});
  EXPECT_EQ(list.OffsetY(), 22);
  list.KeyDown(TListKey::PageDown, {false, true, false});
  EXPECT_EQ(list.OffsetY(), 7 * 22 - 66);  // clamped to the range
  list.KeyDown(TListKey::Right, {false, true, false});
  // Visible columns 1, 3–9: 570 pixels over 8 columns.
  EXPECT_EQ(list.OffsetX(), 570 / 8);
  list.KeyDown(TListKey::Right, {});  // without Ctrl: nothing on a flat list
  EXPECT_EQ(list.OffsetX(), 71);
  EXPECT_EQ(FocusedId(), 0);
}

TEST_F(InputTest, WheelScrollsRowsOrSidewaysWhenAllRowsFit) {
  list.SetClientSize(300, 66);
  list.MouseWheel(-120, {}, 3);
  EXPECT_EQ(list.OffsetY(), 66);
  list.MouseWheel(120, {}, 3);
  EXPECT_EQ(list.OffsetY(), 0);
  list.MouseWheel(-120, {}, -1);  // page scrolling
  EXPECT_EQ(list.OffsetY(), 66);
  list.MouseWheel(-120, {true, false, false}, 1);  // Shift: horizontal
  EXPECT_EQ(list.OffsetX(), 22);
  list.SetClientSize(300, 500);  // every row fits: the wheel scrolls horizontally
  list.MouseWheel(-120, {}, 1);
  EXPECT_EQ(list.OffsetY(), 0);
  EXPECT_EQ(list.OffsetX(), 44);
}

TEST_F(InputTest, ContextMenuKeyAsksForFocusedRowAtItsTextMiddle) {
  Point asked{};
  PTreeNode asked_node = nullptr;
  list.OnGetPopupMenu = [&](TStringTreeList&, PTreeNode n, TColumnIndex, Point p, bool&, TPopupMenu&) {
    asked = p;
    asked_node = n;
  };
  list.SelectNode(list.NodeAtIndex(3), true);  // focus column 1
  list.FocusNode(list.NodeAtIndex(3));
  list.KeyDown(TListKey::Apps, {});
  EXPECT_EQ(asked_node, list.NodeAtIndex(3));
  // "charlie": 49 pixels + Margin 4 + 2 × TextMargin 8 = 61, halved.
  EXPECT_EQ(asked, (Point{30, 3 * 22 + 11}));
}

// --- Incremental search --------------------------------------------------------------------------

TEST_F(InputTest, QuickKeysExtendThePrefixSlowKeysStartOver) {
  list.SelectNode(list.NodeAtIndex(0), true);
  list.FocusNode(list.NodeAtIndex(0));  // "alpha", searching column 1
  Type("br", 0, 100);                   // "b" → beta, "br" → bravo (continues from beta)
  EXPECT_EQ(FocusedId(), 2);
  EXPECT_EQ(list.SearchPrefix(), "br");
  list.SearchTimerFired();
  EXPECT_EQ(list.SearchPrefix(), "");
  EXPECT_EQ(list.LastHitRow(), nullptr);

  list.FocusNode(list.NodeAtIndex(0));
  Type("bc", 1000, 200);  // 200 ms apart: "b" → beta, then a new search "c" → charlie
  EXPECT_EQ(FocusedId(), 3);
  EXPECT_EQ(list.SearchPrefix(), "c");
  EXPECT_EQ(host.beeps, 0);
}

TEST_F(InputTest, SameKeyRepeatsToTheNextRowWithThatCharacter) {
  list.FocusNode(list.NodeAtIndex(6));
  list.SelectNode(list.NodeAtIndex(6), true);
  Type("aaa", 0, 50);  // alpha, abc, alpha again (wraps)
  EXPECT_EQ(FocusedId(), 0);
  EXPECT_EQ(list.SearchPrefix(), "a");
  EXPECT_TRUE(list.Selected(list.FocusedRow()));
  EXPECT_EQ(list.SelectedNodeCount(), 1);
}

TEST_F(InputTest, SameKeyRepeatsOnlyWhenTheFocusedRowLacksTheDoubledCharacter) {
  // The repeat rule counts characters, not bytes (a CP936 character is two), and it holds only
  // while the focused row does not begin with the character twice.
  const std::string jian = "\xBC\xE0";  // 监
  struct Case {
    const char* what;
    std::vector<std::string> names;  // rows after the fixture's seven, in this order
    std::string key;
    int first_hit, second_hit;       // rows (ids) focused after the first and second key
    std::string prefix;              // SearchPrefix after the second key
  } cases[] = {
      {"a two-byte character typed twice moves on", {jian + "\xCC\xFD", jian + "\xCA\xD3"}, jian, 7, 8, jian},
      {"a row beginning with the doubled character keeps it", {"aardvark", "apple"}, "a", 7, 7, "aa"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    list.Clear();
    const char* names[] = {"alpha", "beta", "bravo", "charlie", "abc", "delta", "echo"};
    for (int i = 0; i < 7; ++i) Add(names[i], i, std::to_string(100 + i * 11));
    for (std::size_t i = 0; i < c.names.size(); ++i) Add(c.names[i], 7 + int(i));
    list.SearchTimerFired();
    list.SelectNode(list.NodeAtIndex(6), true);
    list.FocusNode(list.NodeAtIndex(6));  // echo: the search starts after it
    list.KeyChar(c.key, 0);
    EXPECT_EQ(FocusedId(), c.first_hit);
    list.KeyChar(c.key, 50);
    EXPECT_EQ(FocusedId(), c.second_hit);
    EXPECT_EQ(list.SearchPrefix(), c.prefix);
    EXPECT_EQ(host.beeps, 0);
  }
}

TEST_F(InputTest, NoMatchBeepsAndKeepsSelection) {
  list.FocusNode(list.NodeAtIndex(1));
  list.SelectNode(list.NodeAtIndex(1), true);
  Type("z", 0, 0);
  EXPECT_EQ(host.beeps, 1);
  EXPECT_EQ(FocusedId(), 1);
  EXPECT_EQ(list.SearchPrefix(), "");
  EXPECT_TRUE(list.SearchTimerRunning());
  // "bz" after "b": beta is kept only while it matches; no row begins with "bz" → beep, prefix "b".
  list.SearchTimerFired();
  Type("bz", 0, 10);
  EXPECT_EQ(FocusedId(), 2);  // the new search starts after the focused row: bravo
  EXPECT_EQ(list.SearchPrefix(), "b");
  EXPECT_EQ(host.beeps, 2);
}

TEST_F(InputTest, EmptyListNeitherMovesNorBeeps) {
  list.Clear();
  Type("ab\b", 0, 10);
  EXPECT_EQ(host.beeps, 0);
  EXPECT_EQ(list.FocusedRow(), nullptr);
}

TEST_F(InputTest, BackspaceShortensAndSearchesBackward) {
  list.FocusNode(list.NodeAtIndex(6));
  list.SelectNode(list.NodeAtIndex(6), true);
  Type("ab", 0, 10);  // "a" → alpha (from the top after echo), "ab" → abc
  EXPECT_EQ(FocusedId(), 4);
  list.KeyChar("\b", 30);  // "a", backward from the row before abc: charlie, bravo, beta, alpha
  EXPECT_EQ(list.SearchPrefix(), "a");
  EXPECT_EQ(FocusedId(), 0);
  list.SearchTimerFired();
  list.KeyChar("\b", 1000);  // not searching: Backspace does nothing
  EXPECT_EQ(FocusedId(), 0);
  EXPECT_TRUE(list.SearchTimerRunning());
}

TEST_F(InputTest, ClickOutsideSearchColumnSearchesProcessIdsUntilNextHit) {
  list.SelectNode(list.NodeAtIndex(0), true);
  list.FocusNode(list.NodeAtIndex(0));
  EXPECT_EQ(list.FocusColumn(), 1);
  list.MouseDown(TMouseButton::mbLeft, RowPoint(0, 130), {}, false);  // protocol column
  list.MouseUp(TMouseButton::mbLeft, RowPoint(0, 130), {});
  EXPECT_EQ(list.FocusColumn(), 0);
  list.FocusNode(list.NodeAtIndex(2));
  Type("1", 0, 10);  // process ids 100, 111, 122, 133, …: after row 2 the next beginning with 1
  EXPECT_EQ(FocusedId(), 3);
  // The hit selected the row through SelectNode: the hidden column gives way to column 1, so
  // the quick second key searches the names for "13".
  EXPECT_EQ(list.FocusColumn(), 1);
  Type("3", 10, 10);
  EXPECT_EQ(FocusedId(), 3);
  EXPECT_EQ(host.beeps, 1);
  // A click inside the search column keeps it.
  list.MouseDown(TMouseButton::mbLeft, RowPoint(1, 10), {}, false);
  EXPECT_EQ(list.FocusColumn(), 1);
}

TEST_F(InputTest, TwoByteCharactersSearchWhole) {
  list.Header().SetSortColumn(-1);
  PTreeNode n = Add("\xB1\xBE\xB5\xD8", 50);  // two CP936 characters
  Add("\xB1\xBE", 51);
  list.SelectNode(list.NodeAtIndex(0), true);
  list.FocusNode(list.NodeAtIndex(0));
  list.KeyChar("\xB1\xBE", 0);
  EXPECT_EQ(list.FocusedRow(), n);
  list.KeyChar("\xB5\xD8", 10);
  EXPECT_EQ(list.FocusedRow(), n);
  list.KeyChar("\b", 20);
  EXPECT_EQ(list.SearchPrefix(), "\xB1\xBE");
}

}  // namespace
}  // namespace netscry::test
