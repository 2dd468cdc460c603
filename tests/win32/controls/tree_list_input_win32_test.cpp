// The list in a form of the window layer, driven with input in the order a person produces it:
// a caption click re-sorts the rows and the screen shows the new order, Escape ends a width drag
// although the dialog manager would take it, a double click whose handler ran a modal loop leaves
// the mouse free for the next control, and a press on a row released over the header.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/dib_win32.h"
#include "common/win32_test_util.h"
#include "connlist/row_compare.h"
#include "connlist/text_compare.h"
#include "controls/tree_list_win32.h"
#include "forms/application_win32.h"
#include "forms/controls_win32.h"

namespace netscry {
namespace {

struct Row {
  std::string name, port;
};

constexpr int kHeader = TTreeHeader::kHeight;
constexpr int kRow = TStringTreeList::DefaultNodeHeight;
// Visible columns: 1 [0,120) 3 [120,160) 4 [160,250) 5 [250,310) 6 … 9.
constexpr int kPortCaptionX = 280;
constexpr int kNameX = 60;

using testing::Pump;

// Pumps until done() holds, at most about two seconds; true when it did.
bool PumpUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 200 && !done(); ++i) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    Pump();
  }
  return done();
}

void SendMouse(std::initializer_list<DWORD> flags) {
  std::vector<INPUT> in;
  for (DWORD f : flags) {
    INPUT i{};
    i.type = INPUT_MOUSE;
    i.mi.dwFlags = f;
    in.push_back(i);
  }
  ASSERT_EQ(SendInput(UINT(in.size()), in.data(), sizeof(INPUT)), in.size());
}

void SendKey(WORD vk) {
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

// A thread timer's tick: once a message box is the active window, Enter is pressed on it.
bool g_enter_sent = false;
void CALLBACK PressEnterInABox(HWND, UINT, UINT_PTR, DWORD) {
  char cls[16] = {};
  HWND active = GetActiveWindow();
  if (g_enter_sent || !active || !GetClassNameA(active, cls, sizeof cls) || std::string(cls) != "#32770") return;
  g_enter_sent = true;
  SendKey(VK_RETURN);
}

class ListInFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    forms::FormParams fp;
    fp.caption = "list input test";
    fp.client_size = {600, 300};
    ASSERT_NE(form.CreateForm(fp), nullptr);
    TStringTreeList& l = win.List();
    const int widths[14] = {60, 120, 60, 40, 90, 60, 90, 60, 70, 40, 200, 150, 120, 50};
    for (int c = 0; c < 14; ++c) {
      TTreeColumn col;
      col.Text = "c" + std::to_string(c);
      col.Width = widths[c];
      col.Options = TColumnOptions::FromValue(2293);
      if (c == 0 || c == 2 || c >= 10) col.Options = col.Options.Without(coVisible);
      if (c == 9) col.MinWidth = col.MaxWidth = 40;
      l.Header().AddColumn(col);
    }
    l.SetNodeRecordType(NodeRecordTypeOf<Row>());
    l.SetNodeDataSize(48);
    l.OnGetText = [](TStringTreeList& s, PTreeNode n, TColumnIndex c, TTreeTextType, std::string& t) {
      const Row* r = s.ReadRowRecordAs<Row>(n);
      if (r && c == 1) t = r->name;
      if (r && c == 5) t = r->port;
    };
    l.OnCompareNodes = [](TStringTreeList& s, PTreeNode a, PTreeNode b, TColumnIndex c, int& result) {
      const Row* ra = s.ReadRowRecordAs<Row>(a);
      const Row* rb = s.ReadRowRecordAs<Row>(b);
      if (ra && rb && c == 1) result = CompareAnsiTextNoCase(ra->name, rb->name);
      if (ra && rb && c == 5) result = CompareAnsiTextNoCase(ra->port, rb->port);
    };
    // The main window's own handler: the clicked column, then the direction reversed.
    l.OnHeaderClick = [this](TTreeHeader& h, const TTreeHeaderHitInfo& hit) {
      header_clicks.push_back(h.ClickedColumn());
      VTSHeaderClick(h, hit);
    };
    ASSERT_NE(win.Create(form.Handle(), 100, {0, 0, 600, 240}), nullptr);
    ASSERT_NE(button.Create(form, {"OK", {10, 250, 110, 280}}), nullptr);
    button.OnClick = [this] { ++button_clicks; };
    // By name ascending alpha … echo; by port as text descending: 8080, 80, 443, 139, 1000.
    const Row rows[] = {{"charlie.exe", "1000"}, {"alpha.exe", "80"}, {"echo.exe", "8080"},
                        {"bravo.exe", "443"}, {"delta.exe", "139"}};
    for (const Row& r : rows) *l.RowRecordAs<Row>(l.AppendNode()) = r;
    l.SortList(l.Header().SortColumn(), l.Header().SortDirection());
    form.Show();
    Pump();
  }

  std::string NameAt(int index) { return win.List().ReadRowRecordAs<Row>(win.List().NodeAtIndex(index))->name; }

  // What the window shows: its pixels as they are, without asking it to paint.
  Bitmap32 OnScreen() {
    RECT rc;
    GetClientRect(win.Handle(), &rc);
    Dib32 dib(rc.right, rc.bottom);
    EXPECT_TRUE(dib.Valid());
    HDC dc = GetDC(win.Handle());
    BitBlt(dib.Dc(), 0, 0, rc.right, rc.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(win.Handle(), dc);
    return dib.ToBitmap32();
  }
  // What a whole new paint of the window gives.
  Bitmap32 Painted() {
    RECT rc;
    GetClientRect(win.Handle(), &rc);
    Dib32 dib(rc.right, rc.bottom);
    EXPECT_TRUE(dib.Valid());
    SendMessageA(win.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.Dc()), PRF_CLIENT);
    return dib.ToBitmap32();
  }
  // Pixels that differ between two pictures in row `index` of the rows area.
  static int RowDifferences(const Bitmap32& a, const Bitmap32& b, int index) {
    int n = 0;
    for (int y = kHeader + index * kRow; y < kHeader + (index + 1) * kRow; ++y)
      for (int x = 0; x < a.Width(); ++x) n += a.Pixel(x, y) != b.Pixel(x, y);
    return n;
  }
  POINT OnScreenAt(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
  }
  void Press(UINT down, UINT up, int x_down, int y_down, int x_up, int y_up) {
    SendMessageA(win.Handle(), down, down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(x_down, y_down));
    SendMessageA(win.Handle(), up, 0, MAKELPARAM(x_up, y_up));
  }

  forms::Form form;
  TreeListWindow win;
  forms::PushButton button;
  int button_clicks = 0;
  std::vector<TColumnIndex> header_clicks;
};

TEST_F(ListInFormTest, ACaptionClickSortsAndTheScreenShowsTheNewOrder) {
  const Bitmap32 before = OnScreen();
  ASSERT_EQ(RowDifferences(before, Painted(), 0), 0) << "the window shows its rows";
  ASSERT_EQ(NameAt(0), "alpha.exe");

  Press(WM_LBUTTONDOWN, WM_LBUTTONUP, kPortCaptionX, kHeader / 2, kPortCaptionX, kHeader / 2);
  EXPECT_EQ(header_clicks, std::vector<TColumnIndex>{5});
  EXPECT_EQ(win.List().Header().SortColumn(), 5);
  EXPECT_EQ(win.List().Header().SortDirection(), sdDescending);
  EXPECT_EQ(NameAt(0), "echo.exe");
  // The rows are to be painted again, all of them …
  RECT update{};
  ASSERT_TRUE(GetUpdateRect(win.Handle(), &update, FALSE)) << "nothing to paint after the sort";
  EXPECT_LE(update.top, kHeader);
  EXPECT_GE(update.bottom, kHeader + 5 * kRow);
  // … and once the window has painted, its first row is the new first row.
  Pump();
  const Bitmap32 after = OnScreen();
  const Bitmap32 painted = Painted();
  ASSERT_GT(RowDifferences(before, painted, 0), 0) << "fixture: the new first row looks like the old one";
  for (int index = 0; index < 5; ++index)
    EXPECT_EQ(RowDifferences(after, painted, index), 0) << "row " << index << " on screen is not the sorted one";
}

TEST_F(ListInFormTest, EscapeEndsAWidthDragThoughTheDialogManagerWouldTakeIt) {
  struct Case {
    const char* what;
    bool focus_on_button;
  };
  const Case cases[] = {{"the list has the keyboard", false}, {"a button has the keyboard", true}};
  TTreeHeader& h = win.List().Header();
  for (const Case& c : cases) {
    h.SetColumnWidth(1, 120);
    if (c.focus_on_button) {
      SetFocus(button.Handle());
    } else {
      Press(WM_LBUTTONDOWN, WM_LBUTTONUP, kNameX, kHeader + 5, kNameX, kHeader + 5);
    }
    ASSERT_EQ(GetFocus(), c.focus_on_button ? button.Handle() : win.Handle()) << c.what;
    header_clicks.clear();
    SendMessageA(win.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, kHeader / 2));
    SendMessageA(win.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, kHeader / 2));
    ASSERT_TRUE(h.Tracking()) << c.what;
    ASSERT_EQ(h.Column(1).Width, 150) << c.what;
    // The key goes where the keyboard is, through the program's own dispatch (dialog manager
    // included), as a key a person presses does.
    HWND target = GetFocus();
    PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(target, WM_KEYUP, VK_ESCAPE, LPARAM(0xC0000001u));
    forms::Application::Instance().ProcessMessages();
    EXPECT_FALSE(h.Tracking()) << c.what << ": Escape did not end the drag";
    SendMessageA(win.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, kHeader / 2));
    SendMessageA(win.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300, kHeader / 2));
    EXPECT_EQ(h.Column(1).Width, 150) << c.what << ": the width followed the mouse after Escape";
    EXPECT_TRUE(header_clicks.empty()) << c.what;
  }
}

TEST_F(ListInFormTest, ADoubleClickThatRanAModalLoopLeavesTheMouseFree) {
  int opened = 0, closed = 0;
  // As the main window's double click does: a modal loop (here a message box) that the user
  // ends with Enter, while the button goes up inside it.
  win.List().OnDblClick = [&](TStringTreeList&) {
    ++opened;
    MessageBoxA(form.Handle(), "details", "list input test", MB_OK);
    ++closed;
  };
  g_enter_sent = false;
  const UINT_PTR closer = SetTimer(nullptr, 0, 50, &PressEnterInABox);
  const POINT row = OnScreenAt(win.Handle(), kNameX, kHeader + kRow + kRow / 2);
  ASSERT_TRUE(SetCursorPos(row.x, row.y));
  SendMouse({MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
  EXPECT_TRUE(PumpUntil([&] { return closed == 1; })) << "the double click's box did not open and close";
  KillTimer(nullptr, closer);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(win.List().NodeIndex(win.List().FocusedRow()), 1);
  EXPECT_NE(GetCapture(), win.Handle()) << "the list kept the mouse after the dialog closed";

  // The next click goes where the person clicks.
  const POINT ok = OnScreenAt(button.Handle(), 50, 15);
  ASSERT_TRUE(SetCursorPos(ok.x, ok.y));
  SendMouse({MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
  EXPECT_TRUE(PumpUntil([&] { return button_clicks == 1; })) << "the click on the button did not reach it";
  EXPECT_EQ(opened, 1);
}

TEST_F(ListInFormTest, APressOnARowReleasedOverTheHeader) {
  // A left press on a row belongs to the rows: released over the header it is no header click
  // and leaves the order alone. A right release over the header reports the column under it,
  // wherever the button went down.
  struct Case {
    const char* what;
    UINT down, up;
    std::vector<TColumnIndex> clicks;
    TColumnIndex sort_column;
  };
  const Case cases[] = {
      {"left", WM_LBUTTONDOWN, WM_LBUTTONUP, {}, 1},
      {"right", WM_RBUTTONDOWN, WM_RBUTTONUP, {5}, 5},
  };
  for (const Case& c : cases) {
    header_clicks.clear();
    Press(c.down, c.up, kPortCaptionX, kHeader + 2 * kRow + 5, kPortCaptionX, kHeader / 2);
    EXPECT_EQ(header_clicks, c.clicks) << c.what;
    EXPECT_EQ(win.List().Header().SortColumn(), c.sort_column) << c.what;
    EXPECT_NE(GetCapture(), win.Handle()) << c.what;
  }
}

}  // namespace
}  // namespace netscry
