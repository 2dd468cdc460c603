// The list control in a real window under the platform: filled with 50,000 rows, driven with
// real mouse and keyboard messages, painted into a DIB whose pixels are read back, and saved as
// a PNG for a person to look at.
#include "controls/tree_list_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/dib_win32.h"
#include "base/png_writer.h"
#include "common/win32_test_util.h"
#include "connlist/text_compare.h"

namespace netscry {
namespace {

struct Row {
  std::string name, pid, proto, port;
};

constexpr int kRows = 50000;
constexpr int kHeader = 20;

class TreeListWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = inst;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "TreeListTestParent";
    RegisterClassA(&wc);
    parent = CreateWindowExA(0, "TreeListTestParent", "list test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 10, 10,
                             800, 480, nullptr, nullptr, inst, nullptr);
    ASSERT_NE(parent, nullptr);
    TStringTreeList& l = win.List();
    const char* captions[14] = {"进程ID", "进程", "安全等级", "协议", "本地IP", "本地端口", "目标IP",
                                "目标端口", "状态", "管理", "文件路径", "文件说明", "公司", "备注"};
    const int widths[14] = {60, 120, 60, 40, 90, 60, 90, 60, 70, 40, 200, 150, 120, 50};
    for (int c = 0; c < 14; ++c) {
      TTreeColumn col;
      col.Text = captions[c];
      col.Width = widths[c];
      col.Options = TColumnOptions::FromValue(2293);
      if (c == 0) col.Options = col.Options.Without(coParentColor).Without(coVisible);
      if (c == 2 || c >= 10) col.Options = col.Options.Without(coVisible);
      if (c == 9) {
        col.MinWidth = col.MaxWidth = 40;
        col.Alignment = TAlignment::taCenter;
      }
      l.Header().AddColumn(col);
    }
    l.SetNodeRecordType(NodeRecordTypeOf<Row>());
    l.SetNodeDataSize(48);
    l.OnGetText = [](TStringTreeList& s, PTreeNode n, TColumnIndex c, TTreeTextType, std::string& t) {
      const Row* r = s.ReadRowRecordAs<Row>(n);
      if (!r) return;
      if (c == 0) t = r->pid;
      if (c == 1) t = r->name;
      if (c == 3) t = r->proto;
      if (c == 5) t = r->port;
      if (c == 8 && r->proto == "TCP") t = "已建立";
    };
    l.OnCompareNodes = [](TStringTreeList& s, PTreeNode a, PTreeNode b, TColumnIndex c, int& result) {
      const Row* ra = s.ReadRowRecordAs<Row>(a);
      const Row* rb = s.ReadRowRecordAs<Row>(b);
      if (!ra || !rb) return;
      if (c == 1) result = CompareAnsiTextNoCase(ra->name, rb->name);
      if (c == 5) result = CompareAnsiTextNoCase(ra->port, rb->port);
    };
    l.OnHeaderClick = [this](TTreeHeader& h, const TTreeHeaderHitInfo&) { header_clicks.push_back(h.ClickedColumn()); };
    // 1 px border on each side: client 746 × 391, rows area 371 high.
    ASSERT_NE(win.Create(parent, 100, {0, 0, 748, 393}), nullptr);
    DWORD t0 = GetTickCount();
    for (int i = 0; i < kRows; ++i) {
      Row* r = l.RowRecordAs<Row>(l.AppendNode());
      char name[32];
      std::snprintf(name, sizeof name, "proc%03d.exe", (i * 7919) % 400);
      r->name = name;
      r->pid = std::to_string(1000 + i);
      r->proto = i % 3 ? "TCP" : "UDP";
      r->port = std::to_string((i * 31) % 65536);
    }
    l.SortList(l.Header().SortColumn(), l.Header().SortDirection());
    fill_ms = GetTickCount() - t0;
    ShowWindow(parent, SW_SHOW);
    UpdateWindow(parent);
  }
  void TearDown() override {
    if (parent) DestroyWindow(parent);
  }

  static LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
  void Click(int x, int y, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP) {
    SendMessageA(win.Handle(), down, down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON, At(x, y));
    SendMessageA(win.Handle(), up, 0, At(x, y));
  }
  void Key(WPARAM vk) { SendMessageA(win.Handle(), WM_KEYDOWN, vk, 0); }
  void Char(char c) { SendMessageA(win.Handle(), WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 0); }

  // The control as it paints itself, read back through a DIB.
  Bitmap32 Snapshot() {
    Dib32 dib(746, 391);
    EXPECT_TRUE(dib.Valid());
    SendMessageA(win.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.Dc()), PRF_CLIENT);
    return dib.ToBitmap32();
  }
  int FocusedIndex() { return win.List().NodeIndex(win.List().FocusedRow()); }
  static void Pump() { testing::Pump(); }

  HWND parent = nullptr;
  TreeListWindow win;
  std::vector<TColumnIndex> header_clicks;
  DWORD fill_ms = 0;
};

TEST_F(TreeListWindowTest, DoubleClickInAResizeZoneAutoFitsWithAShortAnimation) {
  TTreeHeader& h = win.List().Header();
  const int from = h.Column(1).Width;
  const int target = std::clamp(h.AutoFitWidth(1), h.Column(1).MinWidth, h.Column(1).MaxWidth);
  ASSERT_NE(from, target);
  const int x = h.ColumnLeft(1) + from - 1;
  Click(x, 10);
  SendMessageA(win.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(x, 10));
  SendMessageA(win.Handle(), WM_LBUTTONUP, 0, At(x, 10));
  ASSERT_TRUE(h.AutoFitAnimating());
  EXPECT_EQ(h.Column(1).Width, from);
  // The window's own timer carries the steps.
  std::vector<int> widths;
  const DWORD start = GetTickCount();
  while (h.AutoFitAnimating() && GetTickCount() - start < 5000) {
    MSG msg;
    // Each timer message is one step, so every width the animation passes through is seen here.
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageA(&msg);
      if (h.Column(1).Width != (widths.empty() ? from : widths.back())) widths.push_back(h.Column(1).Width);
    }
    Sleep(1);
  }
  EXPECT_FALSE(h.AutoFitAnimating());
  EXPECT_EQ(h.Column(1).Width, target);
  EXPECT_EQ(int(widths.size()), TTreeHeader::kAutoFitSteps) << "each step showed a width of its own";
}

TEST_F(TreeListWindowTest, ClickSelectsRowAndPaintShowsBandGridHeaderAndGlyph) {
  TStringTreeList& l = win.List();
  ASSERT_EQ(l.TotalNodeCount(), kRows);
  EXPECT_EQ(l.ClientHeight(), 371);
  std::printf("fill of %d rows with a sort after each append: %lu ms\n", kRows, static_cast<unsigned long>(fill_ms));
  // Sorted by name: every row's name is not below the one before.
  PTreeNode prev = l.FirstNode();
  for (PTreeNode n = l.NextNode(prev); n; prev = n, n = l.NextNode(n))
    ASSERT_LE(CompareAnsiTextNoCase(l.ReadRowRecordAs<Row>(prev)->name, l.ReadRowRecordAs<Row>(n)->name), 0);

  Click(60, kHeader + 2 * 22 + 8);
  EXPECT_EQ(FocusedIndex(), 2);
  EXPECT_EQ(GetFocus(), win.Handle());
  EXPECT_EQ(l.SelectedNodeCount(), 1);

  DWORD t0 = GetTickCount();
  Bitmap32 shot = Snapshot();
  std::printf("one paint at %d rows: %lu ms\n", kRows, static_cast<unsigned long>(GetTickCount() - t0));
  const Color band = Rgb(0, 128, 64);
  for (int x : {5, 60, 117, 125, 300, 528, 560}) EXPECT_EQ(shot.Pixel(x, kHeader + 44 + 2), band) << x;
  // Dots of the grid lines: the active caption colour and white in a checkerboard fixed to the
  // content (row 0's bottom line is content y 21).
  const Color grid = GetSysColor(COLOR_ACTIVECAPTION);
  for (int x = 0; x < 100; ++x)
    EXPECT_EQ(shot.Pixel(x, kHeader + 21), ((x + 21) % 2 == 0) ? grid : kWhite) << x;
  for (int y = 0; y < 21; ++y) EXPECT_EQ(shot.Pixel(119, kHeader + y), ((119 + y) % 2 == 0) ? grid : kWhite) << y;
  // Header with the platform's theme, when one is active: the solid grey sort glyph.
  auto count = [&](const Bitmap32& b, Color c) {
    int n = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 120; ++x) n += b.Pixel(x, y) == c;
    return n;
  };
  if (win.HeaderThemed()) {
    EXPECT_GT(count(shot, Rgb(154, 154, 154)), 5);
    const char* themed_path = "tree_list_screenshot_themed.png";
    EXPECT_TRUE(WritePng(shot, themed_path));
    std::printf("screenshot: %s\n", themed_path);
    // Without the theme the header is drawn flat.
    win.SetThemeAware(false);
    ASSERT_FALSE(win.HeaderThemed());
    shot = Snapshot();
  }
  // Flat header: face, separator, bottom lines and the sort glyph after the caption of column 1.
  EXPECT_EQ(shot.Pixel(100, 3), Rgb(235, 234, 219));
  EXPECT_EQ(shot.Pixel(118, 8), Rgb(199, 197, 178));
  EXPECT_EQ(shot.Pixel(119, 8), kWhite);
  EXPECT_EQ(shot.Pixel(60, 19), Rgb(203, 199, 184));
  EXPECT_GT(count(shot, Rgb(197, 197, 197)), 5);
  EXPECT_GT(count(shot, Rgb(134, 134, 134)), 3);
  // Below nothing; right of the columns white.
  EXPECT_EQ(shot.Pixel(700, kHeader + 100), kWhite);

  const char* path = "tree_list_screenshot.png";
  EXPECT_TRUE(WritePng(shot, path));
  std::printf("screenshot: %s\n", path);
}

TEST_F(TreeListWindowTest, RowsScrolledByPartOfARowStayOutOfTheHeader) {
  TStringTreeList& l = win.List();
  const Bitmap32 unscrolled = Snapshot();
  const Color grid = GetSysColor(COLOR_ACTIVECAPTION);
  for (int offset : {5, 21, 3 * 22 + 11}) {
    l.SetOffsets(0, offset);
    ASSERT_EQ(l.OffsetY(), offset);
    const Bitmap32 shot = Snapshot();
    int changed = 0;
    Point first{-1, -1};
    for (int y = 0; y < kHeader; ++y) {
      for (int x = 0; x < shot.Width(); ++x) {
        if (shot.Pixel(x, y) == unscrolled.Pixel(x, y)) continue;
        if (changed++ == 0) first = {x, y};
      }
    }
    EXPECT_EQ(changed, 0) << "offset " << offset << ": header pixels painted over, first at " << first.x << ","
                          << first.y;
    // The rows area starts inside a row: the grid line of the row cut at the top (content y
    // 21 of that row) lies where the offset puts it, dotted in the content's checkerboard.
    const int line_y = kHeader + (offset / 22) * 22 + 21 - offset;
    for (int x = 0; x < 100; ++x)
      EXPECT_EQ(shot.Pixel(x, line_y), ((x + (offset / 22) * 22 + 21) % 2 == 0) ? grid : kWhite)
          << "offset " << offset << " x " << x;
  }
}

// Draws dotted lines one pixel at a time, the way the list painted its grid before pattern lines.
class DotByDotCanvas : public GdiCanvas {
 public:
  using GdiCanvas::GdiCanvas;
  void DottedLine(int x0, int y0, int x1, int y1, Color dot, Color gap, int phase) override {
    Canvas::DottedLine(x0, y0, x1, y1, dot, gap, phase);
  }
};

TEST_F(TreeListWindowTest, PatternGridIsPixelForPixelTheDotByDotGrid) {
  TStringTreeList& l = win.List();
  l.SetOffsets(3, 22 * 7 + 5);  // odd in both directions
  l.SelectNode(l.NodeAtIndex(8), true);
  l.FocusNode(l.NodeAtIndex(8));
  l.SetFocused(true);
  for (int index : {7, 8, 9, 10}) {
    Dib32 by_pattern(746, 22), dot_by_dot(746, 22);
    ASSERT_TRUE(by_pattern.Valid() && dot_by_dot.Valid());
    {
      GdiCanvas canvas(by_pattern.Dc());
      l.PaintRow(canvas, l.NodeAtIndex(index));
    }
    {
      DotByDotCanvas canvas(dot_by_dot.Dc());
      l.PaintRow(canvas, l.NodeAtIndex(index));
    }
    const Bitmap32 a = by_pattern.ToBitmap32(), b = dot_by_dot.ToBitmap32();
    int differing = 0;
    for (int y = 0; y < 22; ++y)
      for (int x = 0; x < 746; ++x) differing += a.Pixel(x, y) != b.Pixel(x, y);
    EXPECT_EQ(differing, 0) << "row " << index;
  }
}

TEST_F(TreeListWindowTest, PaintSurfacesAreKeptWhileTheWidthStays) {
  win.SetThemeAware(false);  // the flat header's face colour is known
  Snapshot();
  const int made = win.PaintSurfacesMade();
  EXPECT_EQ(made, 2) << "header and row strip";
  for (int i = 0; i < 5; ++i) {
    win.List().ScrollBy(0, 22);
    Snapshot();
  }
  EXPECT_EQ(win.PaintSurfacesMade(), made);
  // Another height keeps them; another width makes new ones, and the paint is whole at once.
  SetWindowPos(win.Handle(), nullptr, 0, 0, 748, 300, SWP_NOMOVE | SWP_NOZORDER);
  Snapshot();
  EXPECT_EQ(win.PaintSurfacesMade(), made);
  SetWindowPos(win.Handle(), nullptr, 0, 0, 600, 300, SWP_NOMOVE | SWP_NOZORDER);
  const Bitmap32 narrow = Snapshot();
  EXPECT_EQ(win.PaintSurfacesMade(), made + 2);
  RECT rc;
  GetClientRect(win.Handle(), &rc);
  ASSERT_LT(rc.right, 600);
  EXPECT_EQ(narrow.Pixel(rc.right - 5, 3), Rgb(235, 234, 219)) << "the header reaches the new right edge";
}

TEST_F(TreeListWindowTest, KeyboardMovesScrollsAndSearches) {
  TStringTreeList& l = win.List();
  Click(60, kHeader + 5);
  EXPECT_EQ(FocusedIndex(), 0);
  Key(VK_DOWN);
  EXPECT_EQ(FocusedIndex(), 1);
  Key(VK_NEXT);
  EXPECT_EQ(FocusedIndex(), 1 + 371 / 22);
  Key(VK_END);
  EXPECT_EQ(FocusedIndex(), kRows - 1);
  EXPECT_EQ(l.OffsetY(), kRows * 22 - 371);
  Pump();  // the scroll bars follow when the messages are handled
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(win.Handle(), SB_VERT, &si);
  EXPECT_EQ(si.nPos, l.OffsetY());
  EXPECT_EQ(si.nMax, kRows * 22 - 1);
  Bitmap32 shot = Snapshot();
  // The last row sits at the bottom, selected.
  EXPECT_EQ(shot.Pixel(110, kHeader + 371 - 10), Rgb(0, 128, 64));
  EXPECT_EQ(shot.Pixel(110, kHeader + 371 - 23), kWhite);  // the row above
  Key(VK_HOME);
  EXPECT_EQ(FocusedIndex(), 0);
  EXPECT_EQ(l.OffsetY(), 0);

  // The click in column 1 made column 0 (process IDs) the searched column: the clicked column
  // never becomes it. The first hit selects its row and brings the search back to column 1.
  EXPECT_EQ(l.FocusColumn(), 0);
  Char('1');
  ASSERT_NE(l.FocusedRow(), nullptr);
  EXPECT_EQ(l.ReadRowRecordAs<Row>(l.FocusedRow())->pid.substr(0, 1), "1");
  EXPECT_NE(FocusedIndex(), 0);
  EXPECT_EQ(l.FocusColumn(), 1);
  Char('p');  // within 200 ms: "1p" among the names finds nothing
  EXPECT_EQ(l.SearchPrefix(), "1");
  EXPECT_TRUE(l.SearchTimerRunning());
  // The 200 ms timer ends the search.
  Sleep(300);
  Pump();
  EXPECT_EQ(l.SearchPrefix(), "");
}

TEST_F(TreeListWindowTest, HeaderClicksAndWidthDrag) {
  Click(300, 10);  // column 5
  Click(30, 10);   // column 1
  SendMessageA(win.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(30, 10));
  SendMessageA(win.Handle(), WM_LBUTTONUP, 0, At(200, 10));  // released over another item
  Click(30, 10, WM_RBUTTONDOWN, WM_RBUTTONUP);
  EXPECT_EQ(header_clicks, (std::vector<TColumnIndex>{5, 1, -1, 1}));
  // Drag column 1's right edge from 120 to 200; column 9 does not move.
  SendMessageA(win.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(120, 10));
  SendMessageA(win.Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(200, 10));
  SendMessageA(win.Handle(), WM_LBUTTONUP, 0, At(200, 10));
  EXPECT_EQ(win.List().Header().Column(1).Width, 200);
  EXPECT_EQ(header_clicks.size(), 4u);
  int edge9 = win.List().Header().ColumnLeft(9) + 40;
  SendMessageA(win.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(edge9, 10));
  SendMessageA(win.Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(edge9 + 60, 10));
  SendMessageA(win.Handle(), WM_LBUTTONUP, 0, At(edge9 + 60, 10));
  EXPECT_EQ(win.List().Header().Column(9).Width, 40);
}

TEST_F(TreeListWindowTest, TooltipOnlyOverShortenedTextLaidOverTheCell) {
  TStringTreeList& l = win.List();
  SetForegroundWindow(parent);
  SetActiveWindow(parent);
  // Column 1 at 40 pixels shortens every name; the port column (60) shows its text whole.
  l.Header().SetColumnWidth(1, 40);
  const int y = kHeader + 22 + 10;
  SendMessageA(win.Handle(), WM_MOUSEHOVER, 0, At(250 - 80 + 10, y));  // port column, text fits
  EXPECT_EQ(win.TooltipWindow(), nullptr);
  SendMessageA(win.Handle(), WM_MOUSEHOVER, 0, At(10, y));
  HWND tip = win.TooltipWindow();
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(IsWindowVisible(tip));
  RECT tr;
  GetWindowRect(tip, &tr);
  POINT origin{0, 0};
  ClientToScreen(win.Handle(), &origin);
  std::string name = l.ReadRowRecordAs<Row>(l.NodeAtIndex(1))->name;
  int text_width = win.CellTextExtent(name).cx;
  // Over the text rectangle (Margin 4, the full text plus 2 × TextMargin), one pixel larger.
  EXPECT_EQ(tr.left - origin.x, 4 - 1);
  EXPECT_EQ(tr.right - origin.x, 4 + text_width + 8 + 1);
  EXPECT_EQ(tr.top - origin.y, kHeader + 22 - 1);
  EXPECT_EQ(tr.bottom - origin.y, kHeader + 44);
  // Leaving the rectangle hides it.
  SendMessageA(win.Handle(), WM_MOUSEMOVE, 0, At(200, y));
  EXPECT_EQ(win.TooltipWindow(), nullptr);
}

BOOL CALLBACK CollectTips(HWND hwnd, LPARAM found) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (std::string_view(name) == "NetscryTreeListTip") reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
  return TRUE;
}

// The list tooltip windows of this thread (top-level popups of their own class).
std::vector<HWND> TipWindows() {
  std::vector<HWND> found;
  EnumThreadWindows(GetCurrentThreadId(), &CollectTips, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The tooltip window a list made: the one that was not there before it.
HWND NewTipWindow(const std::vector<HWND>& before) {
  for (HWND tip : TipWindows())
    if (std::find(before.begin(), before.end(), tip) == before.end()) return tip;
  return nullptr;
}

// The list inside a parent that is destroyed first, as a form destroys its children before
// their objects go: the list object must let go of its handles on the way and touch none of them
// afterwards.
TEST(TreeListWindowLifetime, ParentDestroyedFirstLeavesNoHandleBehind) {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = inst;
  wc.lpszClassName = "TreeListLifetimeParent";
  RegisterClassA(&wc);
  // The second round is counted: the first makes what the platform keeps once made (caches of
  // the first window, the first font).
  int gdi_before = 0;
  DWORD user_before = 0;
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    if (round == 1) {
      gdi_before = testing::LiveGdiObjects();
      user_before = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    }
    HWND parent = CreateWindowExA(0, "TreeListLifetimeParent", "lifetime", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                  10, 10, 400, 300, nullptr, nullptr, inst, nullptr);
    ASSERT_NE(parent, nullptr);
    auto win = std::make_unique<TreeListWindow>();
    TStringTreeList& l = win->List();
    TTreeColumn col;
    col.Text = "进程";
    col.Width = 40;  // every name is shortened: a tooltip can show
    col.Options = TColumnOptions::FromValue(2293);
    l.Header().AddColumn(col);
    l.SetNodeRecordType(NodeRecordTypeOf<Row>());
    l.SetNodeDataSize(48);
    l.OnGetText = [](TStringTreeList& s, PTreeNode n, TColumnIndex, TTreeTextType, std::string& t) {
      if (const Row* r = s.ReadRowRecordAs<Row>(n)) t = r->name;
    };
    const std::vector<HWND> tips_before = TipWindows();
    HWND list = win->Create(parent, 7, {0, 0, 380, 260});
    ASSERT_NE(list, nullptr);
    for (int i = 0; i < 40; ++i) l.RowRecordAs<Row>(l.AppendNode())->name = "process" + std::to_string(i) + ".exe";
    ShowWindow(parent, SW_SHOW);
    UpdateWindow(parent);
    SetForegroundWindow(parent);
    SetActiveWindow(parent);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, kHeader + 5));
    SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(10, kHeader + 5));
    SendMessageA(list, WM_CHAR, 'p', 0);  // the search timer runs
    SendMessageA(list, WM_MOUSEHOVER, 0, MAKELPARAM(10, kHeader + 22 + 10));  // a tooltip is asked for
    const HWND tip = NewTipWindow(tips_before);
    ASSERT_NE(tip, nullptr);
    l.ScrollBy(0, 22);  // a scroll-bar update is posted

    DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(list));
    EXPECT_FALSE(IsWindow(tip));
    EXPECT_EQ(win->Handle(), nullptr) << "the object let go of its window";
    EXPECT_EQ(win->TooltipWindow(), nullptr);
    // What is still queued for the window, and the object's own calls, find nothing to touch.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    l.ScrollBy(0, 22);
    l.Header().SetColumnWidth(0, 60);
    SetLastError(0);
    win.reset();
    EXPECT_EQ(GetLastError(), 0u) << "a call on a handle that is gone";
  }
  // Every GDI object is back (counted slot by slot where the platform keeps no count); the USER
  // count is checked where the platform keeps one (Wine's stays 0).
  EXPECT_EQ(testing::LiveGdiObjects(), gdi_before);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user_before);
}

TEST(TreeListWindowLifetime, ObjectDestroyedFirstTakesItsWindowsWithIt) {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = inst;
  wc.lpszClassName = "TreeListLifetimeParent";
  RegisterClassA(&wc);
  HWND parent = CreateWindowExA(0, "TreeListLifetimeParent", "lifetime", WS_OVERLAPPEDWINDOW, 10, 10, 400, 300,
                                nullptr, nullptr, inst, nullptr);
  ASSERT_NE(parent, nullptr);
  auto win = std::make_unique<TreeListWindow>();
  const std::vector<HWND> tips_before = TipWindows();
  HWND list = win->Create(parent, 7, {0, 0, 380, 260});
  ASSERT_NE(list, nullptr);
  const HWND tip = NewTipWindow(tips_before);
  ASSERT_NE(tip, nullptr);
  win.reset();
  EXPECT_FALSE(IsWindow(list));
  EXPECT_FALSE(IsWindow(tip));
  EXPECT_TRUE(IsWindow(parent));
  EXPECT_EQ(TipWindows(), tips_before);
  DestroyWindow(parent);
}

}  // namespace
}  // namespace netscry
