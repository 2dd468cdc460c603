// The window layer under the platform: binding and release of the window objects, reflected
// notifications, the frame filter hook, the components' own behaviour, menus, the timer, modal
// showing, the application's message boxes and error handler, and the objects left behind.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/dib_win32.h"
#include "common/message_box_catcher.h"
#include "common/win32_test_util.h"
#include "forms/application_win32.h"
#include "forms/controls_win32.h"
#include "forms/menu_win32.h"
#include "forms/timer_win32.h"

namespace netscry::forms {
namespace {

using testing::MessageBoxCatcher;

using testing::Pump;

Rect RectIn(HWND child, HWND parent) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

// A window of our own class that records what reaches its procedure.
class Recorder : public Window {
 public:
  std::vector<UINT> messages;
  std::vector<UINT> reflected;
  int destroyed_calls = 0;
  std::function<LRESULT(UINT, WPARAM, LPARAM, bool&)> handler;

  HWND Make(HWND parent = nullptr, DWORD style = WS_OVERLAPPEDWINDOW) {
    CreateParams p;
    p.class_name = "NetscryTestRecorder";
    p.style = style;
    p.bounds = {10, 10, 210, 160};
    p.parent = parent;
    p.id = 7;
    return CreateHandle(p);
  }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
    messages.push_back(msg);
    if (handler) {
      bool handled = false;
      const LRESULT r = handler(msg, wp, lp, handled);
      if (handled) return r;
    }
    return Window::WndProc(msg, wp, lp);
  }
  bool OnReflected(UINT msg, WPARAM, LPARAM, LRESULT& result) override {
    reflected.push_back(msg);
    result = 1234;
    return true;
  }
  void OnHandleDestroyed() override { ++destroyed_calls; }
};

TEST(Trampoline, BindsAtTheFirstMessageAndLetsGoAtNcDestroy) {
  Recorder w;
  HWND h = w.Make();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(w.Handle(), h);
  EXPECT_EQ(Window::FromHandle(h), &w);
  ASSERT_FALSE(w.messages.empty());
  // A top-level window's first message comes before WM_NCCREATE; it reached the object too.
  EXPECT_EQ(w.messages.front(), UINT(WM_GETMINMAXINFO));
  EXPECT_NE(std::find(w.messages.begin(), w.messages.end(), UINT(WM_NCCREATE)), w.messages.end());
  EXPECT_NE(std::find(w.messages.begin(), w.messages.end(), UINT(WM_CREATE)), w.messages.end());
  EXPECT_EQ(GetWindowLongPtrA(h, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&w));

  w.Destroy();
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(w.Handle(), nullptr);
  EXPECT_EQ(w.destroyed_calls, 1);
  EXPECT_EQ(w.messages.back(), UINT(WM_NCDESTROY));
  // The object is free of the handle: its calls do nothing.
  w.SetText("x");
  EXPECT_EQ(w.Text(), "");
  EXPECT_EQ(w.ClientRect(), Rect{});
}

TEST(Trampoline, AnObjectGoingFirstTakesItsWindowAlong) {
  HWND h = nullptr;
  {
    Recorder w;
    h = w.Make();
    ASSERT_TRUE(IsWindow(h));
  }
  EXPECT_FALSE(IsWindow(h));
}

TEST(Trampoline, WindowsOfOthersAreNotOurs) {
  HWND plain = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(plain, nullptr);
  SetWindowLongPtrA(plain, GWLP_USERDATA, 12345);  // someone else's use of the slot
  EXPECT_EQ(Window::FromHandle(plain), nullptr);
  EXPECT_EQ(Window::FromHandle(nullptr), nullptr);
  DestroyWindow(plain);
}

class Blocker : public MessageFilter {
 public:
  std::vector<UINT> seen;
  bool FilterMessage(Window& window, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    seen.push_back(msg);
    if (msg == WM_USER + 1) {
      result = 42;
      return true;
    }
    if (msg == WM_USER + 2) {
      // Pass on to the window's own procedure and then change the answer.
      result = window.CallOwnProc(msg, wp, lp) + 1;
      return true;
    }
    return false;
  }
};

TEST(Trampoline, AnInstalledFilterSeesMessagesFirst) {
  Recorder w;
  HWND h = w.Make();
  w.handler = [](UINT msg, WPARAM, LPARAM, bool& handled) -> LRESULT {
    handled = msg == WM_USER + 2 || msg == WM_USER + 3;
    return 10;
  };
  Blocker filter;
  w.SetMessageFilter(&filter);
  w.messages.clear();
  EXPECT_EQ(SendMessageA(h, WM_USER + 1, 0, 0), 42);
  EXPECT_EQ(SendMessageA(h, WM_USER + 2, 0, 0), 11);
  EXPECT_EQ(SendMessageA(h, WM_USER + 3, 0, 0), 10);
  EXPECT_EQ(filter.seen, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_USER + 3}));
  EXPECT_EQ(w.messages, (std::vector<UINT>{WM_USER + 2, WM_USER + 3}));
  w.SetMessageFilter(nullptr);
  w.messages.clear();
  EXPECT_EQ(SendMessageA(h, WM_USER + 1, 0, 0), 0);
  EXPECT_EQ(w.messages, (std::vector<UINT>{WM_USER + 1}));
}

TEST(Trampoline, ParentsReflectNotificationsToTheChildsObject) {
  Form parent;
  ASSERT_TRUE(parent.CreateForm({}));
  Recorder child;
  HWND c = child.Make(parent.Handle(), WS_CHILD | WS_VISIBLE);
  ASSERT_NE(c, nullptr);
  HWND p = parent.Handle();
  NMHDR hdr{c, 7, 1};
  EXPECT_EQ(SendMessageA(p, WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&hdr)), 1234);
  EXPECT_EQ(SendMessageA(p, WM_COMMAND, MAKEWPARAM(7, 0), reinterpret_cast<LPARAM>(c)), 1234);
  HDC dc = GetDC(c);
  EXPECT_EQ(SendMessageA(p, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(c)), 1234);
  ReleaseDC(c, dc);
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_BUTTON;
  dis.hwndItem = c;
  EXPECT_EQ(SendMessageA(p, WM_DRAWITEM, 7, reinterpret_cast<LPARAM>(&dis)), 1234);
  EXPECT_EQ(child.reflected, (std::vector<UINT>{WM_NOTIFY, WM_COMMAND, WM_CTLCOLORSTATIC, WM_DRAWITEM}));
  // A notification from a window that is not ours is the parent's own business.
  HWND stranger = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, p, nullptr, nullptr, nullptr);
  EXPECT_EQ(SendMessageA(p, WM_COMMAND, 0, reinterpret_cast<LPARAM>(stranger)), 0);
  EXPECT_EQ(child.reflected.size(), 4u);
}

TEST(Application, AnEscapingErrorIsShownAndTheProgramGoesOn) {
  Application::Instance().SetTitle("Netscry");
  Recorder w;
  HWND h = w.Make();
  w.handler = [](UINT msg, WPARAM wp, LPARAM, bool& handled) -> LRESULT {
    if (msg != WM_USER + 5) return 0;
    handled = true;
    if (wp == 0) throw std::runtime_error("Access denied");
    if (wp == 1) throw std::runtime_error("Stopped!");
    throw 17;  // not a std::exception
  };
  MessageBoxCatcher catcher(IDOK);
  EXPECT_EQ(SendMessageA(h, WM_USER + 5, 0, 0), 0);
  EXPECT_EQ(SendMessageA(h, WM_USER + 5, 1, 0), 0);
  EXPECT_EQ(SendMessageA(h, WM_USER + 5, 2, 0), 0);
  ASSERT_EQ(catcher.Boxes().size(), 3u);
  EXPECT_EQ(catcher.Boxes()[0].text, "Access denied.");
  EXPECT_EQ(catcher.Boxes()[1].text, "Stopped!");
  EXPECT_EQ(catcher.Boxes()[2].text, "Unknown error.");
  for (const auto& b : catcher.Boxes()) {
    EXPECT_EQ(b.caption, "Netscry");
    EXPECT_TRUE(b.has_icon);
    EXPECT_EQ(b.buttons, (std::vector<int>{IDOK}));
  }
  // The window still works.
  w.SetText("alive");
  EXPECT_EQ(w.Text(), "alive");
}

TEST(Application, MessageDialogAndQuestionBox) {
  Application& app = Application::Instance();
  app.SetTitle("Netscry");
  {
    MessageBoxCatcher catcher(IDOK);
    app.ShowMessage("The program already start");
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    const auto& b = catcher.Boxes()[0];
    EXPECT_EQ(b.text, "The program already start");
    EXPECT_EQ(b.caption, "Netscry");
    EXPECT_FALSE(b.has_icon);
    EXPECT_EQ(b.buttons, (std::vector<int>{IDOK}));
    // No window of ours to own it (a second instance): it still opens above topmost windows.
    EXPECT_EQ(b.owner, nullptr);
    EXPECT_TRUE(b.topmost);
    const int cx = (b.rect.left + b.rect.right) / 2, cy = (b.rect.top + b.rect.bottom) / 2;
    EXPECT_LE(std::abs(cx - GetSystemMetrics(SM_CXSCREEN) / 2), 2);
    EXPECT_LE(std::abs(cy - GetSystemMetrics(SM_CYSCREEN) / 2), 2);
  }
  Form form;
  ASSERT_TRUE(form.CreateForm({}));
  form.Show();
  SetActiveWindow(form.Handle());
  for (int answer : {IDYES, IDNO}) {
    MessageBoxCatcher catcher(answer);
    EXPECT_EQ(app.ShowMessageBox("您确认要退出网络连接查看器?", app.Title(), MB_YESNO | MB_ICONQUESTION), answer);
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    const auto& b = catcher.Boxes()[0];
    EXPECT_EQ(b.text, "您确认要退出网络连接查看器?");
    EXPECT_TRUE(b.has_icon);
    EXPECT_EQ(b.buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(b.owner, form.Handle());
    EXPECT_FALSE(b.owner_enabled) << "the box is modal for its owner";
  }
  EXPECT_TRUE(IsWindowEnabled(form.Handle()));
}

TEST(CheckBox, HandlesItsOwnClickAndCodeChangesRunItToo) {
  Form form;
  ASSERT_TRUE(form.CreateForm({}));
  CheckBox box;
  CheckBoxParams p;
  p.caption = "自动刷新";
  p.bounds = {8, 6, 132, 23};
  p.tag = 2;
  ASSERT_NE(box.Create(form, p), nullptr);
  std::vector<bool> clicks;
  box.OnClick = [&] { clicks.push_back(box.Checked()); };
  EXPECT_EQ(Window::FromHandle(box.Handle()), &box);
  EXPECT_EQ(box.Tag(), 2);
  SendMessageA(box.Handle(), BM_CLICK, 0, 0);  // the user's click
  box.SetChecked(true);                         // no change: no click
  box.SetChecked(false);                        // a change from code: a click
  SendMessageA(box.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, (std::vector<bool>{true, false, true}));
  EXPECT_TRUE(box.Checked());
  // The handler's error goes to the caller of SetChecked; the state has changed already.
  box.OnClick = [] { throw std::runtime_error("write failed"); };
  EXPECT_THROW(box.SetChecked(false), std::runtime_error);
  EXPECT_FALSE(box.Checked());
}

COLORREF BrushColor(LRESULT brush) {
  LOGBRUSH lb{};
  GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof(lb), &lb);
  return lb.lbColor;
}

TEST(Components, ColoursComeFromTheControlsOwnObject) {
  Form form;
  ASSERT_TRUE(form.CreateForm({}));
  Panel panel;
  panel.Create(form, {{0, 0, 300, 28}, Rgb(236, 245, 248), TBevel::bvRaised, 1});
  CheckBox own, plain;
  CheckBoxParams p;
  p.caption = "显示本地连接";
  p.bounds = {8, 6, 153, 23};
  p.own_color = true;
  p.color = Rgb(1, 2, 3);
  p.font_color = Rgb(0, 0, 0);
  own.Create(panel, p);
  p.own_color = false;
  p.bounds = {157, 6, 281, 23};
  plain.Create(panel, p);
  Label label;
  LabelParams lp;
  lp.caption = "0";
  lp.color = Rgb(255, 0, 0);
  label.Create(panel, lp);
  HDC dc = GetDC(panel.Handle());
  const LRESULT b1 = SendMessageA(panel.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                  reinterpret_cast<LPARAM>(own.Handle()));
  EXPECT_EQ(BrushColor(b1), Rgb(1, 2, 3));
  const LRESULT b2 = SendMessageA(panel.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                  reinterpret_cast<LPARAM>(plain.Handle()));
  EXPECT_EQ(BrushColor(b2), Rgb(236, 245, 248)) << "the panel's colour";
  const LRESULT b3 = SendMessageA(panel.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                  reinterpret_cast<LPARAM>(label.Handle()));
  EXPECT_EQ(BrushColor(b3), Rgb(236, 245, 248));
  EXPECT_EQ(GetTextColor(dc), Rgb(255, 0, 0));
  ReleaseDC(panel.Handle(), dc);

  // The read-only edit: its own background, text the user cannot change but can select.
  ReadOnlyEdit edit;
  edit.Create(form, {"C:\\windows\\system32\\services.exe", {8, 40, 417, 60}, Rgb(235, 235, 235)});
  EXPECT_NE(GetWindowLongPtrA(edit.Handle(), GWL_STYLE) & ES_READONLY, 0);
  HDC edc = GetDC(edit.Handle());
  const LRESULT b4 = SendMessageA(form.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(edc),
                                  reinterpret_cast<LPARAM>(edit.Handle()));
  EXPECT_EQ(BrushColor(b4), Rgb(235, 235, 235));
  ReleaseDC(edit.Handle(), edc);
  SendMessageA(edit.Handle(), WM_CHAR, 'x', 0);
  EXPECT_EQ(edit.Text(), "C:\\windows\\system32\\services.exe");
  SendMessageA(edit.Handle(), EM_SETSEL, 0, -1);
  DWORD from = 0, to = 0;
  SendMessageA(edit.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(to - from, edit.Text().size());
}

TEST(Components, LabelsSizeThemselvesAndAlignedChildrenFollow) {
  Form form;
  FormParams fp;
  fp.client_size = {400, 100};
  ASSERT_TRUE(form.CreateForm(fp));
  Panel top;
  top.Create(form, {{0, 0, 400, 34}, Rgb(236, 245, 248), TBevel::bvRaised, 1});
  form.AddAligned(top, TAlign::alTop);
  Label a, b, right;
  LabelParams lp;
  lp.caption = "当前有";
  lp.center_vertically = true;
  a.Create(top, lp);
  top.AddAligned(a, TAlign::alLeft);
  lp.caption = "0";
  lp.font.bold = true;
  b.Create(top, lp);
  top.AddAligned(b, TAlign::alLeft);
  const Rect ra = RectIn(a.Handle(), top.Handle());
  EXPECT_EQ(ra, (Rect{1, 1, 1 + a.TextExtent().cx, 33}));
  EXPECT_EQ(RectIn(b.Handle(), top.Handle()).left, ra.right);
  const int narrow = RectIn(b.Handle(), top.Handle()).Width();
  b.SetCaption("12345");
  EXPECT_GT(RectIn(b.Handle(), top.Handle()).Width(), narrow);
  EXPECT_EQ(RectIn(b.Handle(), top.Handle()).Width(), b.TextExtent().cx);
  // A right-justified self-sizing label keeps its right edge.
  LabelParams rp;
  rp.caption = "Email:";
  rp.bounds = {200, 50, 227, 64};
  rp.alignment = TTextAlign::taRightJustify;
  right.Create(form, rp);
  EXPECT_EQ(RectIn(right.Handle(), form.Handle()).right, 227);
  right.SetCaption("Email address:");
  EXPECT_EQ(RectIn(right.Handle(), form.Handle()).right, 227);
  EXPECT_EQ(RectIn(right.Handle(), form.Handle()).Width(), right.TextExtent().cx);
  // The panel follows the form's width.
  SetWindowPos(form.Handle(), nullptr, 0, 0, 700, 300, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(RectIn(top.Handle(), form.Handle()).Width(), form.ClientRect().Width());
}

TEST(Components, PanelPaintsItsColourAndRaisedBevel) {
  Form form;
  FormParams fp;
  fp.client_size = {200, 60};
  ASSERT_TRUE(form.CreateForm(fp));
  Panel panel;
  panel.Create(form, {{10, 10, 110, 40}, Rgb(236, 245, 248), TBevel::bvRaised, 1});
  form.Show();
  UpdateWindow(form.Handle());
  Dib32 dib(100, 30);
  ASSERT_TRUE(dib.Valid());
  HDC dc = GetDC(panel.Handle());
  // The panel's own painting, asked for directly into the test's surface.
  RedrawWindow(panel.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  BitBlt(dib.Dc(), 0, 0, 100, 30, dc, 0, 0, SRCCOPY);
  ReleaseDC(panel.Handle(), dc);
  const Color light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
  EXPECT_EQ(dib.Pixel(0, 0), light);
  EXPECT_EQ(dib.Pixel(50, 0), light);
  EXPECT_EQ(dib.Pixel(0, 15), light);
  EXPECT_EQ(dib.Pixel(99, 15), dark);
  EXPECT_EQ(dib.Pixel(50, 29), dark);
  EXPECT_EQ(dib.Pixel(99, 29), dark);
  EXPECT_EQ(dib.Pixel(50, 15), Rgb(236, 245, 248));
  EXPECT_EQ(panel.AlignArea(), (Rect{1, 1, 99, 29}));
}

TEST(Menus, ItemsSeparatorsEnabledStateAndCommands) {
  Form form;
  ASSERT_TRUE(form.CreateForm({}));
  PopupMenu menu;
  std::vector<std::string> ran;
  MenuItem& info = menu.Add("进程信息", [&] { ran.push_back("info"); });
  menu.AddSeparator();
  MenuItem& end = menu.Add("结束进程(&E)", [&] { ran.push_back("end"); });
  ASSERT_EQ(GetMenuItemCount(menu.Handle()), 3);
  char text[64] = {};
  GetMenuStringA(menu.Handle(), 2, text, sizeof(text), MF_BYPOSITION);
  EXPECT_STREQ(text, "结束进程(&E)");
  EXPECT_TRUE(menu.Item(1).IsSeparator());
  EXPECT_NE(info.Command(), end.Command());
  EXPECT_GT(info.Command(), UINT(IDCONTINUE)) << "never one of the dialog manager's identifiers";

  end.SetEnabled(false);
  EXPECT_NE(GetMenuState(menu.Handle(), end.Command(), MF_BYCOMMAND) & MF_GRAYED, 0u);
  end.Click();  // ignored
  info.Click();
  // A menu's WM_COMMAND to any of our windows runs its item.
  SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(info.Command(), 0), 0);
  SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(end.Command(), 0), 0);
  end.SetEnabled(true);
  end.Click();
  EXPECT_EQ(ran, (std::vector<std::string>{"info", "info", "end"}));
  EXPECT_EQ(GetMenuState(menu.Handle(), end.Command(), MF_BYCOMMAND) & MF_GRAYED, 0u);
  // Dialog commands (Enter, Escape) are not menu commands.
  EXPECT_FALSE(MenuItem::DispatchCommand(IDOK));
  EXPECT_FALSE(MenuItem::DispatchCommand(IDCANCEL));
}

// Closes every popup menu as it opens, choosing the item with the given command (0: none).
class MenuChooser {
 public:
  explicit MenuChooser(UINT choose) : choose_(choose) {
    current_ = this;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, &MenuChooser::Hook, nullptr, GetCurrentThreadId());
  }
  ~MenuChooser() {
    UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  int opened = 0;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && current_ && m->message == WM_INITMENUPOPUP) {
      ++current_->opened;
      EndMenu();
      // What TrackPopupMenu returns as chosen arrives after the menu loop: a WM_COMMAND from
      // the menu to its owner.
      if (current_->choose_) PostMessageA(m->hwnd, WM_COMMAND, MAKEWPARAM(current_->choose_, 0), 0);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
  }
  static inline MenuChooser* current_ = nullptr;
  UINT choose_;
  HHOOK hook_;
};

TEST(Menus, PopupOpensAtAPointAndRunsOnPopupFirst) {
  Form form;
  ASSERT_TRUE(form.CreateForm({}));
  form.Show();
  PopupMenu menu;
  int popups = 0, clicks = 0;
  menu.OnPopup = [&] { ++popups; };
  MenuItem& item = menu.Add("拷贝到剪贴板", [&] { ++clicks; });
  {
    MenuChooser chooser(item.Command());
    menu.Popup({100, 100}, form);
    Pump();
    EXPECT_EQ(chooser.opened, 1);
  }
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(clicks, 1);
}

TEST(Timer, TicksWhileEnabledAndNotOtherwise) {
  WindowTimer timer(10, false);
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  ASSERT_NE(timer.Handle(), nullptr);
  EXPECT_FALSE(timer.Enabled());
  // A tick that was already queued when the timer was disabled is dropped.
  SendMessageA(timer.Handle(), WM_TIMER, WindowTimer::kTimerId, 0);
  EXPECT_EQ(ticks, 0);
  timer.SetEnabled(true);
  const DWORD start = GetTickCount();
  MSG msg;
  while (ticks < 2 && GetTickCount() - start < 10000) {
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) break;
    DispatchMessageA(&msg);
  }
  EXPECT_GE(ticks, 2);
  timer.SetEnabled(false);
  Pump();
  const int after = ticks;
  Sleep(50);
  Pump();
  EXPECT_EQ(ticks, after);
  timer.SetInterval(10000);
  EXPECT_EQ(timer.Interval(), 10000u);
}

class Dialog : public Form {
 public:
  static inline int alive = 0;
  HWND owner = nullptr;
  bool owner_enabled_at_destroy = false;
  Dialog() { ++alive; }
  ~Dialog() override { --alive; }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_DESTROY) owner_enabled_at_destroy = IsWindowEnabled(owner) != FALSE;
    return Form::WndProc(msg, wp, lp);
  }
};

TEST(Modal, OwnerDisabledWhileShownAndEnabledBeforeTheDialogGoes) {
  Form main;
  ASSERT_TRUE(main.CreateForm({}));
  main.Show();
  auto* dialog = new Dialog;
  dialog->owner = main.Handle();
  FormParams dp;
  dp.caption = "进程详细信息";
  dp.client_size = {425, 237};
  dp.owner = main.Handle();
  dp.center_on_desktop = false;
  ASSERT_TRUE(dialog->CreateForm(dp));
  dialog->SetDeleteWhenDestroyed(true);
  int queries = 0;
  dialog->OnCloseQuery = [&](bool& can_close) { can_close = ++queries > 1; };  // the first close is refused
  dialog->OnClose = [](TCloseAction& action) { action = TCloseAction::caFree; };
  bool owner_enabled_during = true, modal_during = false;
  WindowTimer closer(5, true);
  int closes = 0;
  closer.OnTimer = [&] {
    owner_enabled_during = IsWindowEnabled(main.Handle()) != FALSE;
    modal_during = dialog->IsModal();
    if (closes++ < 2) PostMessageA(dialog->Handle(), WM_CLOSE, 0, 0);
  };
  // Centred on its owner.
  RECT mr{}, dr{};
  GetWindowRect(main.Handle(), &mr);
  GetWindowRect(dialog->Handle(), &dr);
  EXPECT_LE(std::abs((mr.left + mr.right) - (dr.left + dr.right)), 1);
  EXPECT_EQ(dialog->ShowModal(), IDCANCEL);
  closer.SetEnabled(false);
  EXPECT_EQ(queries, 2);
  EXPECT_FALSE(owner_enabled_during);
  EXPECT_TRUE(modal_during);
  EXPECT_EQ(Dialog::alive, 0) << "caFree: the dialog deleted itself";
  EXPECT_TRUE(IsWindowEnabled(main.Handle()));
}

TEST(Modal, ClosedByModalResultWithoutFreeKeepsTheDialogHidden) {
  Form main;
  ASSERT_TRUE(main.CreateForm({}));
  Dialog dialog;
  dialog.owner = main.Handle();
  FormParams dp;
  dp.owner = main.Handle();
  ASSERT_TRUE(dialog.CreateForm(dp));
  WindowTimer ok(5, true);
  ok.OnTimer = [&] { dialog.SetModalResult(IDOK); };
  EXPECT_EQ(dialog.ShowModal(), IDOK);
  ok.SetEnabled(false);
  EXPECT_TRUE(IsWindow(dialog.Handle()));
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
  EXPECT_TRUE(IsWindowEnabled(main.Handle()));
}

TEST(Application, ClosingTheMainFormEndsTheMessageLoop) {
  Application& app = Application::Instance();
  auto* form = new Form;
  ASSERT_TRUE(form->CreateForm({}));
  form->SetDeleteWhenDestroyed(true);
  form->OnClose = [](TCloseAction& action) { action = TCloseAction::caFree; };
  app.SetMainForm(form);
  form->Show();
  PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(app.Run(), 0);
  EXPECT_EQ(app.MainForm(), nullptr);
}

TEST(Fonts, SharedWhileHeldAndReleasedAfter) {
  const int before = SharedFont::LiveCount();
  {
    auto a = SharedFont::Get({{"Arial", 11}, ANSI_CHARSET});
    auto b = SharedFont::Get({{"Arial", 11}, ANSI_CHARSET});
    FontAttrs bold{"Arial", 11};
    bold.bold = true;
    auto c = SharedFont::Get({bold, ANSI_CHARSET});
    ASSERT_NE(a->Handle(), nullptr);
    EXPECT_EQ(a->Handle(), b->Handle());
    EXPECT_NE(a->Handle(), c->Handle());
    EXPECT_EQ(SharedFont::LiveCount(), before + 2);
    LOGFONTA lf{};
    GetObjectA(a->Handle(), sizeof(lf), &lf);
    EXPECT_EQ(lf.lfHeight, -11);
    EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
  }
  EXPECT_EQ(SharedFont::LiveCount(), before);
}

TEST(Resources, ComponentsLeaveNoObjectsBehind) {
  auto cycle = [] {
    Form form;
    form.CreateForm({});
    Panel panel;
    panel.Create(form, {{0, 0, 300, 28}, Rgb(236, 245, 248), TBevel::bvRaised, 1});
    Label label;
    LabelParams lp;
    lp.caption = "个连接。";
    label.Create(panel, lp);
    CheckBox box;
    CheckBoxParams cp;
    cp.caption = "x";
    cp.own_color = true;
    box.Create(panel, cp);
    ReadOnlyEdit edit;
    edit.Create(form, {"C:\\a.exe", {0, 40, 200, 60}, Rgb(235, 235, 235)});
    PushButton button;
    button.Create(form, {"确定", {0, 70, 80, 96}});
    PopupMenu menu;
    menu.Add("a");
    WindowTimer timer(1000, true);
    form.Show();
    UpdateWindow(form.Handle());
    Pump();
  };
  cycle();
  HANDLE self = GetCurrentProcess();
  const int gdi = testing::LiveGdiObjects();
  const DWORD user = GetGuiResources(self, GR_USEROBJECTS);
  for (int i = 0; i < 5; ++i) cycle();
  EXPECT_EQ(testing::LiveGdiObjects(), gdi);
  EXPECT_EQ(GetGuiResources(self, GR_USEROBJECTS), user);
}

}  // namespace
}  // namespace netscry::forms
