// The main window made for real under the platform, with a fixed snapshot instead of the
// system's, driven by real messages: layout, counters, options and the settings file, the
// refresh timer's rules, the detail columns, the window order, the row menu, closing, and the
// user and GDI objects it leaves behind.
#include "mainwindow/main_form_win32.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/message_box_catcher.h"
#include "common/win32_test_util.h"
#include "main_form_fixture.h"
#include "base/dib_win32.h"
#include "connlist/columns.h"
#include "forms/application_win32.h"

namespace netscry {
namespace {

using testing::MessageBoxCatcher;

using testing::ClickControl;
using testing::MakeRow;
using testing::Pump;

File_Rec Tcp(std::uint32_t state, const char* lip, const char* lport, const char* rip, const char* rport,
             const char* pid, const char* name, const char* path) {
  return MakeRow(state, lip, lport, rip, rport, pid, name, path, path[0] ? "desc" : "");
}

File_Rec Udp(const char* lip, const char* lport, const char* pid, const char* name, const char* path) {
  return Tcp(0, lip, lport, "", "", pid, name, path);
}

class FakeSnapshot : public testing::FakeSnapshot {
 public:
  FakeSnapshot() {
    tcp = {Tcp(5, "10.0.0.1", "1000", "10.0.0.2", "80", "100", "a.exe", "C:\\a.exe"),
           Tcp(5, "127.0.0.1", "2000", "127.0.0.1", "3000", "200", "b.exe", "C:\\b.exe"),
           Tcp(2, "0.0.0.0", "135", "0.0.0.0", "0", "300", "svc.exe", "")};
    udp = {Udp("0.0.0.0", "53", "100", "a.exe", "C:\\a.exe"), Udp("127.0.0.1", "123", "400", "c.exe", "C:\\c.exe")};
  }
};

class RecordingShell : public ShellOpener {
 public:
  struct Call {
    HWND parent;
    std::string verb, file;
  };
  std::vector<Call> calls;
  void Open(HWND parent, const char* verb, const std::string& file) override {
    calls.push_back({parent, verb ? verb : "(null)", file});
  }
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

Rect RectIn(HWND child, HWND parent) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

class MainFormTest : public testing::MainFormFixture {
 protected:
  MainFormTest() : MainFormFixture("mw") {}

  TFormNetscry& Make() {
    form_ = std::make_unique<TFormNetscry>(testing::DepsFor(snapshot_, dir_, nullptr, &shell_));
    EXPECT_TRUE(form_->Create());
    return *form_;
  }

  std::string Ini() { return ReadFile(ini_); }
  bool Topmost() const { return (GetWindowLongPtrA(form_->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

  FakeSnapshot snapshot_;
  RecordingShell shell_;
};

TEST_F(MainFormTest, LayoutOfTheWindowAndItsComponents) {
  TFormNetscry& f = Make();
  HWND w = f.Handle();
  EXPECT_EQ(f.ClientRect(), (Rect{0, 0, 746, 433}));
  EXPECT_EQ(f.Text(), "Netscry V2.5(网络连接查看器)");
  EXPECT_TRUE(Topmost());

  // Centred on the desktop.
  RECT wr{};
  GetWindowRect(w, &wr);
  const int sw = GetSystemMetrics(SM_CXVIRTUALSCREEN), sh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  EXPECT_LE(std::abs((wr.left + wr.right) - sw), 1);
  EXPECT_LE(std::abs((wr.top + wr.bottom) - sh), 1);

  EXPECT_EQ(RectIn(f.PTop.Handle(), w), (Rect{0, 0, 746, 34}));
  EXPECT_EQ(RectIn(f.VTS->Handle(), w), (Rect{0, 34, 746, 405}));
  EXPECT_EQ(RectIn(f.PBottom.Handle(), w), (Rect{0, 405, 746, 433}));

  // Top panel: the three buttons aligned right inside the 1-pixel bevel, Help leftmost.
  HWND top = f.PTop.Handle();
  EXPECT_EQ(RectIn(f.BTNHomePage->Handle(), top), (Rect{659, 1, 745, 33}));
  EXPECT_EQ(RectIn(f.BTNUpdate->Handle(), top), (Rect{573, 1, 659, 33}));
  EXPECT_EQ(RectIn(f.BTNHelp->Handle(), top), (Rect{499, 1, 573, 33}));
  // The counters line: five labels from the left edge one after the other, as wide as their text.
  int x = 1;
  for (forms::Label* l : {&f.Label1, &f.LabAppCount, &f.Label3, &f.LabNetCount, &f.Label5}) {
    const Rect r = RectIn(l->Handle(), top);
    EXPECT_EQ(r.left, x) << l->Caption();
    EXPECT_EQ(r.Width(), l->TextExtent().cx) << l->Caption();
    EXPECT_GT(r.Width(), 0);
    EXPECT_EQ(r.top, 1);
    EXPECT_EQ(r.bottom, 33);
    x = r.right;
  }
  EXPECT_LT(x, 499);
  EXPECT_EQ(f.Label1.Caption(), "当前有");
  EXPECT_EQ(f.Label3.Caption(), "个程序已连接或尝试连接网络，共建立");
  EXPECT_EQ(f.Label5.Caption(), "个连接。");
  EXPECT_EQ(f.LabAppCount.FontColor(), Rgb(255, 0, 0));
  EXPECT_EQ(f.LabNetCount.FontColor(), Rgb(0, 0, 255));

  // Bottom panel children keep their places.
  HWND bottom = f.PBottom.Handle();
  EXPECT_EQ(RectIn(f.CBShowLocal.Handle(), bottom), (Rect{8, 6, 153, 23}));
  EXPECT_EQ(RectIn(f.CBAutoRefresh.Handle(), bottom), (Rect{157, 6, 281, 23}));
  EXPECT_EQ(RectIn(f.CBAlwaysTop.Handle(), bottom), (Rect{282, 6, 464, 23}));
  EXPECT_EQ(RectIn(f.BTNRefresh->Handle(), bottom), (Rect{553, 1, 633, 27}));
  EXPECT_EQ(RectIn(f.BTNEndPro->Handle(), bottom), (Rect{633, 1, 743, 27}));
  EXPECT_EQ(RectIn(f.CBShowInfo.Handle(), bottom), (Rect{755, 6, 921, 23}));
  EXPECT_EQ(RectIn(f.Label6.Handle(), bottom).right, 977);  // right-aligned, sized to "Email:"
  EXPECT_EQ(RectIn(f.URLLabel1.Handle(), bottom).left, 984);
  EXPECT_EQ(f.CBShowLocal.Text(), "显示本地连接");
  EXPECT_EQ(f.CBAlwaysTop.Text(), "始终保持在其他窗口前端");
  EXPECT_EQ(f.BTNRefresh->Text(), "刷新");
  EXPECT_TRUE(f.CBShowLocal.Checked());
  EXPECT_FALSE(f.CBAutoRefresh.Checked());
  EXPECT_TRUE(f.CBAlwaysTop.Checked());
  EXPECT_FALSE(f.CBShowInfo.Checked());

  // Widening the window keeps the bottom panel's children where they are and stretches the rest.
  SetWindowPos(w, nullptr, 0, 0, wr.right - wr.left + 400, wr.bottom - wr.top + 100, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(RectIn(f.PBottom.Handle(), w), (Rect{0, 505, 1146, 533}));
  EXPECT_EQ(RectIn(f.VTS->Handle(), w), (Rect{0, 34, 1146, 505}));
  EXPECT_EQ(RectIn(f.BTNHomePage->Handle(), top), (Rect{1059, 1, 1145, 33}));
  EXPECT_EQ(RectIn(f.CBShowInfo.Handle(), bottom), (Rect{755, 6, 921, 23}));

  EXPECT_FALSE(f.Timer1.Enabled());
  EXPECT_EQ(f.Timer1.Interval(), 10000u);
  EXPECT_FALSE(f.skSkinData1.Empty) << "the carried skin did not load";
}

// The IPv6 box sits in the gap between the always-on-top box and the refresh button, moving none
// of the placed controls (the layout test above checks them), in view at the initial width, and
// wide enough for its caption.
TEST_F(MainFormTest, Ipv6BoxFitsBetweenThePlacedControls) {
  TFormNetscry& f = Make();
  f.Show();
  HWND bottom = f.PBottom.Handle();
  const Rect box = RectIn(f.CBShowIPv6.Handle(), bottom);
  EXPECT_EQ(box, (Rect{467, 6, 552, 23}));
  EXPECT_EQ(f.CBShowIPv6.Text(), "显示IPv6连接");
  EXPECT_TRUE(f.CBShowIPv6.Checked());
  EXPECT_EQ(f.CBShowIPv6.Tag(), 5);
  EXPECT_TRUE(IsWindowVisible(f.CBShowIPv6.Handle()));
  for (HWND other : {f.CBAlwaysTop.Handle(), f.BTNRefresh->Handle()}) {
    const Rect o = RectIn(other, bottom);
    EXPECT_TRUE(box.right <= o.left || o.right <= box.left) << "overlaps a placed control";
  }
  EXPECT_LE(box.right, 746);
  // The check mark, the gap after it and the caption in the box's own font.
  HDC dc = GetDC(f.CBShowIPv6.Handle());
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(f.CBShowIPv6.Handle(), WM_GETFONT, 0, 0)));
  const std::wstring caption = L"显示IPv6连接";
  SIZE text{};
  GetTextExtentPoint32W(dc, caption.c_str(), int(caption.size()), &text);
  SelectObject(dc, old);
  ReleaseDC(f.CBShowIPv6.Handle(), dc);
  EXPECT_GT(text.cx, 0);
  EXPECT_LE(GetSystemMetrics(SM_CXMENUCHECK) + 4 + text.cx, box.Width()) << "caption " << text.cx << " pixels";
}

TEST_F(MainFormTest, ManageColumnShowsTheGlyphOnEveryRow) {
  TFormNetscry& f = Make();
  ASSERT_EQ(f.Image1.Width(), 19);
  ASSERT_EQ(f.Image1.Height(), 18);
  TStringTreeList& list = f.VTS->List();
  const RECT client = [&] {
    RECT r{};
    GetClientRect(f.VTS->Handle(), &r);
    return r;
  }();
  Dib32 dib(client.right, client.bottom);
  ASSERT_TRUE(dib.Valid());
  f.VTS->PaintTo(dib.Dc(), client);
  const Bitmap32 shot = dib.ToBitmap32();
  int rows = 0;
  for (PTreeNode n = list.FirstNode(); n; n = list.NextNode(n), ++rows) {
    const Rect cell = list.LayoutCell(n, kColManage, list.RowRect(n).top).cell;
    const int x0 = cell.left + 12, y0 = TTreeHeader::kHeight + cell.top + 3;
    int same = 0;
    for (int y = 0; y < 18; ++y) {
      for (int x = 0; x < 19; ++x) same += shot.Pixel(x0 + x, y0 + y) == f.Image1.Pixel(x, y);
    }
    EXPECT_EQ(same, 19 * 18) << "row " << rows;
  }
  EXPECT_EQ(rows, 5);
}

TEST_F(MainFormTest, TabOrderRunsThroughListTopPanelAndBottomPanel) {
  TFormNetscry& f = Make();
  f.Show();
  std::vector<HWND> order;
  HWND h = f.VTS->Handle();
  for (int i = 0; i < 13 && h; ++i) {
    order.push_back(h);
    h = GetNextDlgTabItem(f.Handle(), h, FALSE);
    if (h == f.VTS->Handle()) break;
  }
  const std::vector<HWND> expected{f.VTS->Handle(),   f.BTNHelp->Handle(),      f.BTNHomePage->Handle(),
                                   f.BTNUpdate->Handle(), f.BTNRefresh->Handle(), f.BTNEndPro->Handle(),
                                   f.CBShowLocal.Handle(), f.CBAutoRefresh.Handle(), f.CBAlwaysTop.Handle(),
                                   f.CBShowInfo.Handle(),  f.CBShowIPv6.Handle()};
  EXPECT_EQ(order, expected);
}

TEST_F(MainFormTest, ColumnsAndRowMenuAsCreated) {
  TFormNetscry& f = Make();
  const TTreeHeader& h = f.VTS->List().Header();
  ASSERT_EQ(h.ColumnCount(), 14);
  EXPECT_EQ(h.VisibleColumns(), (std::vector<TColumnIndex>{1, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(h.SortColumn(), 1);
  EXPECT_EQ(h.SortDirection(), sdAscending);
  const int widths[14] = {24, 120, 80, 60, 100, 80, 130, 110, 80, 40, 260, 150, 80, 50};
  for (int c = 0; c < 14; ++c) EXPECT_EQ(h.Column(c).Width, widths[c]) << c;
  EXPECT_EQ(h.Column(9).MinWidth, 40);
  EXPECT_EQ(h.Column(9).MaxWidth, 40);
  EXPECT_EQ(h.Column(0).Color, Color(15532031));
  EXPECT_FALSE(h.Column(0).Options.Has(coParentColor));
  EXPECT_FALSE(h.Column(10).Options.Has(coParentBidiMode));
  EXPECT_TRUE(h.Column(11).Options.Has(coParentBidiMode));
  EXPECT_TRUE(h.Column(13).Options.Has(coDraggable));
  EXPECT_FALSE(h.Column(12).Options.Has(coDraggable));

  const std::vector<std::string> captions{"进程信息", "-", "结束进程(&E)", "-", "拷贝到剪贴板", "定位文件", "属性(&R)"};
  ASSERT_EQ(f.PmTree.Count(), 7);
  ASSERT_EQ(GetMenuItemCount(f.PmTree.Handle()), 7);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(f.PmTree.Item(i).Caption(), captions[std::size_t(i)]);
    char text[64] = {};
    GetMenuStringA(f.PmTree.Handle(), UINT(i), text, sizeof(text), MF_BYPOSITION);
    EXPECT_EQ(std::string(text), captions[std::size_t(i)] == "-" ? "" : captions[std::size_t(i)]);
    if (f.PmTree.Item(i).IsSeparator()) continue;
    EXPECT_EQ(GetMenuState(f.PmTree.Handle(), UINT(i), MF_BYPOSITION) & MF_GRAYED, 0u) << i;
    EXPECT_TRUE(f.PmTree.Item(i).Enabled());
  }
}

TEST_F(MainFormTest, FillShowsCountersAndRows) {
  TFormNetscry& f = Make();
  EXPECT_EQ(snapshot_.calls, 1);
  EXPECT_EQ(f.LabNetCount.Caption(), "5");
  EXPECT_EQ(f.LabAppCount.Caption(), "3");  // a.exe, b.exe, c.exe; svc.exe has no path
  EXPECT_EQ(f.VTS->List().TotalNodeCount(), 5);
  EXPECT_FALSE(f.FCreating);
  EXPECT_EQ(f.FMsgNotEnabled, "未启用");
  EXPECT_EQ(f.FUpdateURL, f.FHomePageURL + "/netscry.html");
  char sys[MAX_PATH] = {};
  GetSystemDirectoryA(sys, MAX_PATH);
  EXPECT_EQ(f.FSysDir, CharUpperA(sys));
  EXPECT_EQ(f.FAppPath, dir_);
  // The counter labels grew to their new texts; the ones after them moved along.
  EXPECT_EQ(RectIn(f.Label5.Handle(), f.PTop.Handle()).left, RectIn(f.LabNetCount.Handle(), f.PTop.Handle()).right);
  // No settings file is written by a start with the defaults.
  EXPECT_EQ(GetFileAttributesA(ini_.c_str()), INVALID_FILE_ATTRIBUTES);
  // The system process without path shows the idle description in column 11.
  for (PTreeNode n = f.VTS->List().FirstNode(); n; n = f.VTS->List().NextNode(n)) {
    const TMyRec* r = f.VTS->List().ReadRowRecordAs<TMyRec>(n);
    if (r->ProcessName == "svc.exe") {
      EXPECT_EQ(f.VTS->List().CellText(n, kColFileDesc), f.FMsgIdleDesc);
    }
    EXPECT_EQ(f.VTS->List().CellText(n, kColSecurity), "未启用");
  }
}

TEST_F(MainFormTest, StoredOptionsAreAppliedAtStartAndWrittenAgain) {
  WriteFile(ini_, "[Set]\r\nShowLocal=0x0\r\nAutoRefresh=1\r\nAlwaysTop=0\r\nShowInfo=5\r\n");
  TFormNetscry& f = Make();
  EXPECT_EQ(snapshot_.calls, 1) << "the loopback handler must not refresh during start-up";
  EXPECT_FALSE(f.CBShowLocal.Checked());
  EXPECT_TRUE(f.CBAutoRefresh.Checked());
  EXPECT_TRUE(f.Timer1.Enabled());
  EXPECT_FALSE(f.CBAlwaysTop.Checked());
  EXPECT_FALSE(Topmost());
  EXPECT_TRUE(f.CBShowInfo.Checked());
  EXPECT_TRUE(f.VTS->List().Header().IsVisible(kColFilePath));
  // Loopback connection left out, its program still counted.
  EXPECT_EQ(f.LabNetCount.Caption(), "4");
  EXPECT_EQ(f.LabAppCount.Caption(), "3");
  EXPECT_EQ(Ini(), "[Set]\r\nShowLocal=0\r\nAutoRefresh=1\r\nAlwaysTop=0\r\nShowInfo=1\r\n");
}

TEST_F(MainFormTest, ValuesEqualToTheDefaultsLeaveTheFileAlone) {
  const std::string text = "[Set]\r\nShowLocal=5\r\nAutoRefresh=yes\r\nAlwaysTop=1\r\n";
  WriteFile(ini_, text);
  TFormNetscry& f = Make();
  EXPECT_TRUE(f.CBShowLocal.Checked());
  EXPECT_FALSE(f.CBAutoRefresh.Checked());
  EXPECT_FALSE(f.Timer1.Enabled());
  EXPECT_TRUE(Topmost());
  EXPECT_EQ(Ini(), text);
}

TEST_F(MainFormTest, OptionClicksWriteTheirKeyAndApplyIt) {
  TFormNetscry& f = Make();
  ClickControl(f.CBAutoRefresh.Handle());
  EXPECT_TRUE(f.CBAutoRefresh.Checked());
  EXPECT_TRUE(f.FAutoRefresh);
  EXPECT_TRUE(f.Timer1.Enabled());
  EXPECT_EQ(Ini(), "[Set]\r\nAutoRefresh=1\r\n");

  ClickControl(f.CBShowInfo.Handle());
  const TTreeHeader& h = f.VTS->List().Header();
  for (int c : {10, 11, 12}) {
    EXPECT_TRUE(h.IsVisible(c)) << c;
    EXPECT_EQ(h.Column(c).Options.Value(), 2293) << c;
  }
  EXPECT_EQ(h.VisibleColumns(), (std::vector<TColumnIndex>{1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
  ClickControl(f.CBShowInfo.Handle());
  for (int c : {10, 11, 12}) EXPECT_EQ(h.Column(c).Options.Value(), 2165) << c;
  EXPECT_EQ(h.VisibleColumns(), (std::vector<TColumnIndex>{1, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(h.Column(10).Width, 260);

  ClickControl(f.CBAutoRefresh.Handle());
  EXPECT_FALSE(f.Timer1.Enabled());
  EXPECT_EQ(Ini(), "[Set]\r\nAutoRefresh=0\r\nShowInfo=0\r\n");
  EXPECT_EQ(snapshot_.calls, 1) << "these options do not refresh";
}

// Unticking the IPv6 box writes its key and refreshes without the IPv6 rows; a stored 0 leaves
// them out from the start, and ticking the box brings them in as new rows.
TEST_F(MainFormTest, Ipv6OptionWritesItsKeyAndLeavesIpv6RowsOut) {
  File_Rec listener6 = Tcp(2, "::", "445", "::", "0", "500", "v6.exe", "C:\\v6.exe");
  listener6.IPv6 = true;
  File_Rec udp6 = Udp("::1", "5353", "100", "a.exe", "C:\\a.exe");
  udp6.IPv6 = true;
  snapshot_.tcp.push_back(listener6);
  snapshot_.udp.push_back(udp6);
  TFormNetscry& f = Make();
  EXPECT_EQ(f.LabNetCount.Caption(), "7");
  EXPECT_EQ(f.LabAppCount.Caption(), "4");
  ClickControl(f.CBShowIPv6.Handle());
  ASSERT_TRUE(testing::WaitForRefresh(f));
  EXPECT_FALSE(f.CBShowIPv6.Checked());
  EXPECT_FALSE(f.FShowIPv6);
  EXPECT_EQ(snapshot_.calls, 2) << "the option refreshes";
  EXPECT_EQ(f.LabNetCount.Caption(), "5");
  EXPECT_EQ(f.LabAppCount.Caption(), "3") << "a program with IPv6 endpoints only is not counted";
  EXPECT_EQ(Ini(), "[Set]\r\nShowIPv6=0\r\n");
  TStringTreeList& list = f.VTS->List();
  for (PTreeNode n = list.FirstNode(); n; n = list.NextNode(n)) {
    const std::string protocol = list.CellText(n, kColProtocol);
    EXPECT_TRUE(protocol == "TCP" || protocol == "UDP") << protocol;
  }
  form_.reset();
  Pump();

  // A stored 0: the box starts unticked, without a refresh of its own, and the key is written again.
  form_ = std::make_unique<TFormNetscry>(testing::DepsFor(snapshot_, dir_, nullptr, &shell_));
  ASSERT_TRUE(form_->Create());
  TFormNetscry& g = *form_;
  EXPECT_FALSE(g.CBShowIPv6.Checked());
  EXPECT_EQ(snapshot_.calls, 3);
  EXPECT_EQ(g.LabNetCount.Caption(), "5");
  ClickControl(g.CBShowIPv6.Handle());
  ASSERT_TRUE(testing::WaitForRefresh(g));
  EXPECT_EQ(snapshot_.calls, 4);
  EXPECT_EQ(g.LabNetCount.Caption(), "7");
  EXPECT_EQ(Ini(), "[Set]\r\nShowIPv6=1\r\n");
  int added = 0;
  TStringTreeList& rows = g.VTS->List();
  for (PTreeNode n = rows.FirstNode(); n; n = rows.NextNode(n)) {
    const std::string protocol = rows.CellText(n, kColProtocol);
    if (protocol == "TCPv6" || protocol == "UDPv6") {
      EXPECT_EQ(rows.CellText(n, kColRemark), "add");
      ++added;
    }
  }
  EXPECT_EQ(added, 2);
}

TEST_F(MainFormTest, AlwaysOnTopChangesOnlyTheWindowOrder) {
  TFormNetscry& f = Make();
  f.Show();
  RECT before{};
  GetWindowRect(f.Handle(), &before);
  ClickControl(f.CBAlwaysTop.Handle());
  EXPECT_FALSE(f.FAlwaysTop);
  EXPECT_FALSE(Topmost());
  // Another window raised above it now covers it.
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, before.left, before.top, 50, 50, nullptr,
                               nullptr, nullptr, nullptr);
  SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ClickControl(f.CBAlwaysTop.Handle());
  EXPECT_TRUE(f.FAlwaysTop);
  // Measured under Wine 8.0: SetWindowPos(HWND_TOPMOST) often leaves WS_EX_TOPMOST unset on a
  // window that owns a popup window (the list's tooltip window is one); never on one that owns none.
  EXPECT_TRUE(Topmost());
  SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  bool above_other = false;
  for (HWND h = GetWindow(f.Handle(), GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT)) above_other |= h == other;
  EXPECT_TRUE(above_other) << "a normal window raised later must stay below the topmost window";
  RECT after{};
  GetWindowRect(f.Handle(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(Ini(), "[Set]\r\nAlwaysTop=1\r\n");
  DestroyWindow(other);
}

TEST_F(MainFormTest, LoopbackOptionRefreshesAndRemovesLoopbackRows) {
  TFormNetscry& f = Make();
  ClickControl(f.CBShowLocal.Handle());
  ASSERT_TRUE(testing::WaitForRefresh(f));
  EXPECT_EQ(snapshot_.calls, 2);
  EXPECT_EQ(f.LabNetCount.Caption(), "4");
  // The loopback entry gets a row that is deleted again at once; its program is still counted.
  EXPECT_EQ(f.LabAppCount.Caption(), "3");
  EXPECT_EQ(Ini(), "[Set]\r\nShowLocal=0\r\n");
  ClickControl(f.CBShowLocal.Handle());
  ASSERT_TRUE(testing::WaitForRefresh(f));
  EXPECT_EQ(snapshot_.calls, 3);
  EXPECT_EQ(f.LabNetCount.Caption(), "5");
  EXPECT_EQ(f.LabAppCount.Caption(), "3");
}

TEST_F(MainFormTest, RefreshDisablesButtonAndTimerWhileItRunsAndRestartsThem) {
  TFormNetscry& f = Make();
  bool button_during = true, timer_during = true;
  snapshot_.during = [&] {
    button_during = f.BTNRefresh->Enabled();
    timer_during = f.Timer1.Enabled();
  };
  // Auto refresh off: the refresh leaves the timer alone.
  f.BTNRefresh->Click();
  ASSERT_TRUE(testing::WaitForRefresh(f));
  EXPECT_FALSE(button_during);
  EXPECT_FALSE(timer_during);
  EXPECT_TRUE(f.BTNRefresh->Enabled());
  EXPECT_FALSE(f.Timer1.Enabled());

  ClickControl(f.CBAutoRefresh.Handle());
  ASSERT_TRUE(f.Timer1.Enabled());
  timer_during = true;
  // A real click on the button, then a tick of the timer: both go through the same refresh.
  ClickControl(f.BTNRefresh->Handle());
  ASSERT_TRUE(testing::WaitForRefresh(f));
  EXPECT_FALSE(button_during);
  EXPECT_FALSE(timer_during);
  EXPECT_TRUE(f.Timer1.Enabled());
  EXPECT_TRUE(f.BTNRefresh->Enabled());
  const int calls = snapshot_.calls;
  SendMessageA(f.Timer1.Handle(), WM_TIMER, forms::WindowTimer::kTimerId, 0);
  ASSERT_TRUE(testing::WaitForRefresh(f));
  EXPECT_EQ(snapshot_.calls, calls + 1);
  EXPECT_FALSE(timer_during);
  EXPECT_TRUE(f.Timer1.Enabled());

  // A refresh started from code runs while the button is disabled, too.
  f.BTNRefresh->SetEnabled(false);
  f.Timer1Timer();
  ASSERT_TRUE(testing::WaitForRefresh(f));
  EXPECT_EQ(snapshot_.calls, calls + 2);
}

TEST_F(MainFormTest, FailedRefreshReenablesAndReachesTheErrorHandler) {
  TFormNetscry& f = Make();
  ClickControl(f.CBAutoRefresh.Handle());
  snapshot_.fail = true;
  MessageBoxCatcher catcher(IDOK);
  ASSERT_TRUE(catcher.Installed());
  ClickControl(f.BTNRefresh->Handle());
  ASSERT_TRUE(testing::WaitForRefresh(f));
  ASSERT_EQ(catcher.Boxes().size(), 1u);
  EXPECT_EQ(catcher.Boxes()[0].text, "snapshot failed.");
  EXPECT_EQ(catcher.Boxes()[0].caption, "Netscry");
  EXPECT_TRUE(catcher.Boxes()[0].has_icon);
  EXPECT_EQ(catcher.Boxes()[0].buttons, (std::vector<int>{IDOK}));
  EXPECT_TRUE(f.BTNRefresh->Enabled());
  EXPECT_TRUE(f.Timer1.Enabled());
  EXPECT_EQ(f.LabNetCount.Caption(), "5") << "rows and counters stay as they were";
}

TEST_F(MainFormTest, RefusedWriteShowsTheErrorAndSkipsTheOptionsEffect) {
  TFormNetscry& f = Make();
  ASSERT_TRUE(CreateDirectoryA(ini_.c_str(), nullptr));  // a folder where the file should be
  MessageBoxCatcher catcher(IDOK);
  ClickControl(f.CBAutoRefresh.Handle());
  ASSERT_EQ(catcher.Boxes().size(), 1u);
  EXPECT_EQ(catcher.Boxes()[0].text, "Unable to write to " + ini_ + ".");
  EXPECT_EQ(catcher.Boxes()[0].caption, "Netscry");
  EXPECT_TRUE(catcher.Boxes()[0].has_icon);
  EXPECT_TRUE(f.CBAutoRefresh.Checked()) << "the box shows its new state";
  EXPECT_TRUE(f.FAutoRefresh);
  EXPECT_FALSE(f.Timer1.Enabled()) << "the option's effect is not applied";

  ClickControl(f.CBShowLocal.Handle());
  ASSERT_EQ(catcher.Boxes().size(), 2u);
  EXPECT_EQ(snapshot_.calls, 1) << "no refresh after a failed save";
  ClickControl(f.CBAlwaysTop.Handle());
  EXPECT_TRUE(Topmost()) << "the window order is not changed after a failed save";
  RemoveDirectoryA(ini_.c_str());
}

// Holds the settings file open for reading only, so that every write to it is refused (as a
// read-only file would be; under Wine as root a read-only attribute does not stop writes).
class WriteLock {
 public:
  explicit WriteLock(const std::string& path)
      : h_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~WriteLock() { Release(); }
  bool Held() const { return h_ != INVALID_HANDLE_VALUE; }
  void Release() {
    if (Held()) CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE h_;
};

TEST_F(MainFormTest, RefusedWriteOfAClickLosesNothingInTheFile) {
  const std::string text = "[Set]\r\nShowInfo=0\r\n[Other]\r\nkeep=me\r\n";
  WriteFile(ini_, text);
  TFormNetscry& f = Make();
  WriteLock lock(ini_);
  ASSERT_TRUE(lock.Held());
  MessageBoxCatcher catcher(IDOK);
  ClickControl(f.CBShowInfo.Handle());
  ASSERT_EQ(catcher.Boxes().size(), 1u);
  EXPECT_EQ(catcher.Boxes()[0].text, "Unable to write to " + ini_ + ".");
  EXPECT_TRUE(f.CBShowInfo.Checked());
  EXPECT_FALSE(f.VTS->List().Header().IsVisible(kColFilePath)) << "columns not shown after a failed save";
  lock.Release();
  EXPECT_EQ(Ini(), text);
  // With the file writable again the clicks save and apply as usual.
  ClickControl(f.CBShowInfo.Handle());
  ClickControl(f.CBShowInfo.Handle());
  EXPECT_EQ(catcher.Boxes().size(), 1u);
  EXPECT_TRUE(f.VTS->List().Header().IsVisible(kColFilePath));
  EXPECT_EQ(Ini(), "[Set]\r\nShowInfo=1\r\n[Other]\r\nkeep=me\r\n");
}

TEST_F(MainFormTest, RefusedWriteDuringStartIsSilentAndStopsApplying) {
  const std::string text = "[Set]\r\nShowLocal=0\r\nAutoRefresh=1\r\n";
  WriteFile(ini_, text);
  WriteLock lock(ini_);
  ASSERT_TRUE(lock.Held());
  MessageBoxCatcher catcher(IDOK);
  TFormNetscry& f = Make();
  EXPECT_TRUE(catcher.Boxes().empty()) << "no message during start-up";
  EXPECT_FALSE(f.CBShowLocal.Checked()) << "the box changed before its save failed";
  EXPECT_FALSE(f.CBAutoRefresh.Checked()) << "applying stopped at the first failure";
  EXPECT_FALSE(f.Timer1.Enabled());
  EXPECT_EQ(f.LabNetCount.Caption(), "4") << "the fill still reads the loopback box";
  lock.Release();
  EXPECT_EQ(Ini(), text);
}

TEST_F(MainFormTest, HelpHomeAndUpdateGoToTheShell) {
  TFormNetscry& f = Make();
  ClickControl(f.BTNHelp->Handle());
  ClickControl(f.BTNHomePage->Handle());
  ClickControl(f.BTNUpdate->Handle());
  ASSERT_EQ(shell_.calls.size(), 3u);
  EXPECT_EQ(shell_.calls[0].verb, "open");
  EXPECT_EQ(shell_.calls[0].parent, f.Handle());
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string dir = exe;
  dir.erase(dir.find_last_of('\\') + 1);
  EXPECT_EQ(shell_.calls[0].file, dir + "NetscryHelp.chm");
  EXPECT_EQ(shell_.calls[1].verb, "(null)");
  EXPECT_EQ(shell_.calls[1].file, f.FHomePageURL);
  EXPECT_EQ(shell_.calls[2].file, f.FHomePageURL + "/netscry.html");
}

// Watches for a popup menu being opened on this thread and closes it at once.
class MenuWatcher {
 public:
  MenuWatcher() {
    current_ = this;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, &MenuWatcher::Hook, nullptr, GetCurrentThreadId());
  }
  ~MenuWatcher() {
    UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  std::vector<HMENU> opened;
  std::vector<bool> row_commands_enabled;  // NProcInfo's state as the menu opened
  UINT probe_item = 0;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && current_ && m->message == WM_INITMENUPOPUP) {
      HMENU menu = reinterpret_cast<HMENU>(m->wParam);
      current_->opened.push_back(menu);
      current_->row_commands_enabled.push_back(
          (GetMenuState(menu, current_->probe_item, MF_BYCOMMAND) & MF_GRAYED) == 0);
      PostMessageA(m->hwnd, WM_CANCELMODE, 0, 0);
      EndMenu();
    }
    return CallNextHookEx(nullptr, code, wp, lp);
  }
  static inline MenuWatcher* current_ = nullptr;
  HHOOK hook_;
};

TEST_F(MainFormTest, ClickInTheManageColumnOpensTheRowMenu) {
  snapshot_.tcp = {Tcp(2, "0.0.0.0", "135", "0.0.0.0", "0", "300", "svc.exe", "")};
  snapshot_.udp = {Udp("0.0.0.0", "53", "100", "a.exe", "C:\\a.exe")};
  TFormNetscry& f = Make();
  f.Show();
  Pump();
  TStringTreeList& list = f.VTS->List();
  ASSERT_EQ(list.TotalNodeCount(), 2);
  MenuWatcher watcher;
  watcher.probe_item = f.NProcInfo->Command();
  HWND lw = f.VTS->Handle();
  const int manage_x = list.Header().ColumnLeft(kColManage) + 20;
  const int process_x = list.Header().ColumnLeft(kColProcess) + 20;
  auto click_row = [&](int row, int x) {
    const LPARAM at = MAKELPARAM(x, TTreeHeader::kHeight + row * 22 + 10);
    SendMessageA(lw, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(lw, WM_LBUTTONUP, 0, at);
  };
  // Rows sorted by image name: a.exe first, then svc.exe (no path).
  click_row(0, manage_x);
  click_row(1, manage_x);
  click_row(1, process_x);  // another column opens nothing
  ASSERT_EQ(watcher.opened.size(), 2u);
  EXPECT_EQ(watcher.opened[0], f.PmTree.Handle());
  EXPECT_EQ(watcher.row_commands_enabled, (std::vector<bool>{true, false}));
  EXPECT_FALSE(f.NEndProc->Enabled());
  EXPECT_TRUE(f.NCopy->Enabled());
  // A disabled item ignores a click from code: the double click reaches NProcInfo only when enabled.
  bool ran = false;
  f.NProcInfo->OnClick = [&] { ran = true; };
  f.NProcInfo->Click();
  EXPECT_FALSE(ran);
  click_row(0, manage_x);
  f.NProcInfo->Click();
  EXPECT_TRUE(ran);
}

TEST_F(MainFormTest, ClosingAsksAndOnlyYesCloses) {
  TFormNetscry& f = Make();
  f.Show();
  HWND w = f.Handle();
  {
    MessageBoxCatcher catcher(IDNO);
    SendMessageA(w, WM_CLOSE, 0, 0);
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].text, "您确认要退出网络连接查看器?");
    EXPECT_EQ(catcher.Boxes()[0].caption, "Netscry");
    EXPECT_TRUE(catcher.Boxes()[0].has_icon);
    EXPECT_EQ(catcher.Boxes()[0].buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_TRUE(IsWindow(w));
    EXPECT_EQ(f.VTS->List().TotalNodeCount(), 5);
  }
  {
    MessageBoxCatcher catcher(IDYES);
    SendMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(f.Handle(), nullptr);
  }
  // The main form's destruction ends the message loop.
  MSG msg;
  bool quit = false;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) quit = quit || msg.message == WM_QUIT;
  EXPECT_FALSE(quit) << "not the application's main form here";
}

TEST_F(MainFormTest, CreatingAndDestroyingLeavesNoObjectsBehind) {
  auto cycle = [&] {
    Make();
    form_->Show();
    Pump();
    ClickControl(form_->CBShowInfo.Handle());
    ClickControl(form_->BTNRefresh->Handle());
    ASSERT_TRUE(testing::WaitForRefresh(*form_));
    Pump();
    form_.reset();
    Pump();
  };
  cycle();  // first use: window classes, shared system lists
  HANDLE self = GetCurrentProcess();
  // GDI objects counted slot by slot where the platform's count answers 0 (Wine); USER objects
  // only where the platform counts them.
  const int gdi = testing::LiveGdiObjects();
  const DWORD user = GetGuiResources(self, GR_USEROBJECTS);
  for (int i = 0; i < 4; ++i) cycle();
  EXPECT_EQ(testing::LiveGdiObjects(), gdi);
  EXPECT_EQ(GetGuiResources(self, GR_USEROBJECTS), user);
}

}  // namespace
}  // namespace netscry
