// The header: option sets, click reporting, resizing, auto-fit, auto-size and hot tracking.
#include <gtest/gtest.h>

#include <algorithm>

#include "list_fixture.h"

namespace netscry::test {
namespace {

TEST(TreeColumnOptions, ProgramValuesMeanTheirOptions) {
  TColumnOptions on = TColumnOptions::FromValue(2293);
  TColumnOptions off = TColumnOptions::FromValue(2165);
  EXPECT_EQ(on, (TColumnOptions{coAllowClick, coEnabled, coParentColor, coResizable, coShowDropMark, coVisible,
                                coAllowFocus}));
  EXPECT_EQ(off, on.Without(coVisible));
  EXPECT_FALSE(on.Has(coParentBidiMode));
  EXPECT_TRUE(on.Has(coVisible));
  EXPECT_FALSE(off.Has(coVisible));
  EXPECT_EQ(on.With(coFixed).Value(), 2293 + 512);
}

// Header x ranges of the connection layout: 1 [0,120) 3 [120,160) 4 [160,250) 5 [250,310)
// 6 [310,400) 7 [400,460) 8 [460,530) 9 [530,570); empty header area from 570.
class HeaderTest : public ListTest {
 protected:
  void SetUp() override {
    ListTest::SetUp();
    list.OnHeaderClick = [this](TTreeHeader& h, const TTreeHeaderHitInfo& hit) {
      EXPECT_EQ(hit.Column, h.ClickedColumn());
      clicks.push_back(h.ClickedColumn());
    };
  }
  void Click(TMouseButton b, int x_down, int x_up, bool dbl = false) {
    list.Header().MouseDown(b, {x_down, 10}, {}, dbl);
    list.Header().MouseUp(b, {x_up, 10}, {});
  }
  TTreeHeader& H() { return list.Header(); }
  void RunAutoFit() {
    for (int i = 0; i < 100 && H().AutoFitAnimating(); ++i) H().AutoFitTimerFired();
  }
  std::vector<TColumnIndex> clicks;
};

TEST_F(HeaderTest, ClickReportsTheColumnPressedAndReleasedOn) {
  struct Case {
    TMouseButton button;
    int down, up;
    TColumnIndex expected;
  };
  const Case cases[] = {
      {TMouseButton::mbLeft, 50, 60, 1},       // same item
      {TMouseButton::mbLeft, 50, 140, -1},     // released over another item
      {TMouseButton::mbLeft, 50, 600, -1},     // released right of the last item
      {TMouseButton::mbRight, 50, 140, 3},     // right and middle: the item released over
      {TMouseButton::mbMiddle, 600, 300, 5},
      {TMouseButton::mbRight, 600, 650, -1},
  };
  for (const Case& c : cases) {
    clicks.clear();
    Click(c.button, c.down, c.up);
    EXPECT_EQ(clicks, std::vector<TColumnIndex>{c.expected}) << c.down << "->" << c.up;
    EXPECT_EQ(H().PressedColumn(), NoColumn);
  }
}

TEST_F(HeaderTest, DoubleClickOnCaptionReportsColumnThenNone) {
  Click(TMouseButton::mbLeft, 300, 300);
  Click(TMouseButton::mbLeft, 300, 300, true);
  EXPECT_EQ(clicks, (std::vector<TColumnIndex>{5, -1}));
}

TEST_F(HeaderTest, DoubleHeaderClickThroughTheProgramsHandlerLeavesListUnsorted) {
  // The main window's handler: column 9 ignored; otherwise set the column, then reverse.
  list.OnHeaderClick = [](TTreeHeader& h, const TTreeHeaderHitInfo&) {
    TColumnIndex c = h.ClickedColumn();
    if (c == 9) return;
    h.SetSortColumn(c);
    h.SetSortDirection(h.SortDirection() == sdAscending ? sdDescending : sdAscending);
  };
  Add("b", 1, "", "2");
  Add("a", 2, "", "1");
  Add("c", 3, "", "3");
  Click(TMouseButton::mbLeft, 300, 300);  // port column, reversed to descending
  EXPECT_EQ(H().SortColumn(), 5);
  EXPECT_EQ(H().SortDirection(), sdDescending);
  EXPECT_EQ(Ids(), (std::vector<int>{3, 1, 2}));
  Click(TMouseButton::mbLeft, 300, 300, true);  // reported without column
  EXPECT_EQ(H().SortColumn(), -1);
  EXPECT_EQ(H().SortDirection(), sdAscending);
  EXPECT_EQ(Ids(), (std::vector<int>{3, 1, 2}));
  PTreeNode n = list.AppendNode();  // unsorted from now on: new rows stay at the end
  EXPECT_EQ(list.NodeIndex(n), 3);
  Click(TMouseButton::mbLeft, 550, 550);  // column 9 changes nothing
  EXPECT_EQ(H().SortColumn(), -1);
}

TEST_F(HeaderTest, RightReleaseAsksForAMenuWithoutNode) {
  PTreeNode node = list.RootNode();
  TColumnIndex column = -5;
  list.OnGetPopupMenu = [&](TStringTreeList&, PTreeNode n, TColumnIndex c, Point, bool&, TPopupMenu&) {
    node = n;
    column = c;
  };
  Click(TMouseButton::mbRight, 130, 130);
  EXPECT_EQ(node, nullptr);
  EXPECT_EQ(column, 3);
  EXPECT_TRUE(host.popups.empty());  // none returned, none shown
}

TEST_F(HeaderTest, ResizeZonesAndDraggingWithLimits) {
  // Zone of column 1: x from 116 to 122; column 3's zone starts at 156.
  EXPECT_EQ(H().ResizeZoneAt(115), NoColumn);
  EXPECT_EQ(H().ResizeZoneAt(116), 1);
  EXPECT_EQ(H().ResizeZoneAt(122), 1);
  EXPECT_EQ(H().ResizeZoneAt(123), NoColumn);
  EXPECT_EQ(H().CursorAt({118, 5}), HeaderCursor::HorizontalSplit);
  EXPECT_EQ(H().CursorAt({60, 5}), HeaderCursor::Arrow);

  H().MouseDown(TMouseButton::mbLeft, {120, 10}, {}, false);
  EXPECT_TRUE(H().Tracking());
  H().MouseMove({200, 10});
  EXPECT_EQ(H().Column(1).Width, 200);
  EXPECT_EQ(H().ColumnAtX(210), 3);  // the list follows at once
  H().MouseMove({-50, 10});
  EXPECT_EQ(H().Column(1).Width, 10);  // MinWidth
  H().MouseMove({20000, 10});
  EXPECT_EQ(H().Column(1).Width, 10000);  // MaxWidth
  H().MouseUp(TMouseButton::mbLeft, {20000, 10}, {});
  EXPECT_FALSE(H().Tracking());
  EXPECT_TRUE(clicks.empty());  // ending a drag is no click
}

TEST_F(HeaderTest, EscapeEndsAWidthDragAndAPressEndingOutsideIsNoClick) {
  H().MouseDown(TMouseButton::mbLeft, {120, 10}, {}, false);
  H().MouseMove({150, 10});
  EXPECT_TRUE(list.KeyDown(TListKey::Escape, {}));
  EXPECT_FALSE(H().Tracking());
  H().MouseMove({300, 10});
  EXPECT_EQ(H().Column(1).Width, 150);
  EXPECT_FALSE(list.KeyDown(TListKey::Escape, {}));  // nothing to end: not the list's key
  // The release of the press that started the drag is no click either: for the program's
  // handler a click without a column would leave the list unsorted.
  H().MouseUp(TMouseButton::mbLeft, {300, 10}, {});
  EXPECT_TRUE(clicks.empty());
  Click(TMouseButton::mbLeft, 300, 300);  // the next press is a click again
  EXPECT_EQ(clicks, std::vector<TColumnIndex>{5});
  clicks.clear();
  H().MouseDown(TMouseButton::mbLeft, {30, 10}, {}, false);
  H().ReleaseOutside();
  EXPECT_EQ(H().PressedColumn(), NoColumn);
  EXPECT_TRUE(clicks.empty());
}

TEST_F(HeaderTest, ManageColumnKeepsItsWidth) {
  H().MouseDown(TMouseButton::mbLeft, {570, 10}, {}, false);
  ASSERT_EQ(H().TrackingColumn(), 9);
  H().MouseMove({700, 10});
  H().MouseUp(TMouseButton::mbLeft, {700, 10}, {});
  EXPECT_EQ(H().Column(9).Width, 40);
  H().SetColumnWidth(9, 5);
  EXPECT_EQ(H().Column(9).Width, 40);
}

TEST_F(HeaderTest, DoubleClickInZoneAutoFitsToTheWidestCell) {
  Add("ab", 1);
  Add("abcdefghij", 2);  // 70 pixels
  list.OnGetImageIndex = [](TStringTreeList&, PTreeNode, TTreeImageKind, TColumnIndex c, bool&, int& i) {
    if (c == 1) i = 0;
  };
  struct NoImages : StateImageSource {
    int Count() const override { return 1; }
    Size ImageSize() const override { return {16, 16}; }
    void Draw(Canvas&, int, int, int) const override {}
  } images;
  list.SetStateImages(&images);
  H().MouseDown(TMouseButton::mbLeft, {119, 10}, {}, true);
  RunAutoFit();
  // Margin 4 + image 18 + text 70 + 2 × TextMargin 8, plus the grid line.
  EXPECT_EQ(H().Column(1).Width, 4 + 18 + 70 + 8 + 1);
  // Without images and text the width is clamped to MinWidth.
  list.SetStateImages(nullptr);
  H().MouseDown(TMouseButton::mbLeft, {H().ColumnLeft(4) + 90, 10}, {}, true);
  RunAutoFit();
  EXPECT_EQ(H().Column(4).Width, 13);  // 4 + 8 + 1
  list.Clear();
  H().MouseDown(TMouseButton::mbLeft, {H().ColumnLeft(4) + 13, 10}, {}, true);
  RunAutoFit();
  EXPECT_EQ(H().Column(4).Width, 10);
}

TEST_F(HeaderTest, AutoFitAnimatesInStepsAndANewPressFinishesIt) {
  Add("abcdefghijklmnopqrstuvwxyz0123", 1);  // 210 pixels in column 1
  const int from = H().Column(1).Width;
  const int target = 4 + 210 + 8 + 1;
  H().MouseDown(TMouseButton::mbLeft, {119, 10}, {}, true);
  ASSERT_TRUE(H().AutoFitAnimating());
  EXPECT_EQ(H().Column(1).Width, from) << "nothing moves before the first step";
  std::vector<int> widths;
  while (H().AutoFitAnimating() && widths.size() < 100) {
    H().AutoFitTimerFired();
    widths.push_back(H().Column(1).Width);
  }
  ASSERT_EQ(int(widths.size()), TTreeHeader::kAutoFitSteps);
  EXPECT_TRUE(std::is_sorted(widths.begin(), widths.end()));
  EXPECT_GT(widths.front(), from);
  EXPECT_EQ(widths.back(), target);

  // Shrinking back, interrupted by a press: the width lands on the target at once.
  list.Clear();
  Add("ab", 1);
  H().MouseDown(TMouseButton::mbLeft, {H().ColumnLeft(1) + target - 1, 10}, {}, true);
  ASSERT_TRUE(H().AutoFitAnimating());
  H().AutoFitTimerFired();
  EXPECT_LT(H().Column(1).Width, target);
  H().MouseDown(TMouseButton::mbLeft, {300, 10}, {}, false);
  EXPECT_FALSE(H().AutoFitAnimating());
  EXPECT_EQ(H().Column(1).Width, 4 + 14 + 8 + 1);
  H().MouseUp(TMouseButton::mbLeft, {300, 10}, {});

  // A column already at its fitted width does not animate.
  H().MouseDown(TMouseButton::mbLeft, {H().ColumnLeft(1) + H().Column(1).Width - 1, 10}, {}, true);
  EXPECT_FALSE(H().AutoFitAnimating());
}

TEST_F(HeaderTest, AutoSizeGivesColumnZeroTheRestOfTheClientWidth) {
  EXPECT_EQ(H().Column(0).Width, 746 - 570);
  list.SetClientSize(400, 100);  // less than the visible columns: clamped at MinWidth
  EXPECT_EQ(H().Column(0).Width, 10);
  list.SetClientSize(1000, 100);
  H().SetColumnWidth(1, 220);
  EXPECT_EQ(H().Column(0).Width, 1000 - 670);
  // Showing the file details columns (2293) adds them after column 9 and widens the range.
  for (TColumnIndex c : {10, 11, 12}) H().SetColumnOptions(c, TColumnOptions::FromValue(2293));
  EXPECT_EQ(H().ColumnLeft(10), 670);
  EXPECT_EQ(list.ContentWidth(), 670 + 200 + 150 + 120);
  EXPECT_EQ(H().Column(0).Width, 10);
  for (TColumnIndex c : {10, 11, 12}) H().SetColumnOptions(c, TColumnOptions::FromValue(2165));
  EXPECT_EQ(list.ContentWidth(), 670);
  EXPECT_EQ(H().Column(0).Width, 330);
}

TEST_F(HeaderTest, HotTrackingAndItsTimer) {
  H().MouseMove({130, 5});
  EXPECT_EQ(H().HotColumn(), 3);
  EXPECT_TRUE(H().HotTimerRunning());
  H().HotTimerFired(Point{135, 5});  // still inside: stays hot, timer keeps running
  EXPECT_EQ(H().HotColumn(), 3);
  EXPECT_TRUE(H().HotTimerRunning());
  H().HotTimerFired(std::nullopt);  // the mouse left the header
  EXPECT_EQ(H().HotColumn(), NoColumn);
  EXPECT_FALSE(H().HotTimerRunning());

  // Pressed on one item and moved to another: the timer drops the press, so the release
  // reports no column.
  H().MouseDown(TMouseButton::mbLeft, {30, 5}, {}, false);
  EXPECT_EQ(H().PressedColumn(), 1);
  H().MouseMove({140, 5});
  H().HotTimerFired(Point{140, 5});
  EXPECT_EQ(H().PressedColumn(), NoColumn);
  H().MouseMove({30, 5});
  H().MouseUp(TMouseButton::mbLeft, {30, 5}, {});
  EXPECT_EQ(clicks, std::vector<TColumnIndex>{-1});
}

TEST_F(HeaderTest, RowPressRecordsClickedColumnForTheHeader) {
  Add("x", 1);
  list.MouseDown(TMouseButton::mbLeft, {260, 5}, {}, false);
  EXPECT_EQ(H().ClickedColumn(), 5);
}

}  // namespace
}  // namespace netscry::test
