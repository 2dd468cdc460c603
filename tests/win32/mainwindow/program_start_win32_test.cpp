// The program started with a show state, as a shortcut set to "maximised" or "minimised" (or
// `start /max`, `start /min`) starts it: the main window appears in that state, and from there
// the user gets back to the normal window (the frame's maximise button, or a restore).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "program_process.h"

namespace {

using Program = netscry::testing::ProgramProcess;

// The program's main window once it is shown and its list is filled (it answers messages).
HWND WaitForMainWindow(DWORD pid) {
  for (int i = 0; i < 600; ++i) {
    HWND found = netscry::testing::VisibleWindowOf(pid, "NetscryForm");
    DWORD_PTR answer = 0;
    if (found && SendMessageTimeoutA(found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer)) return found;
    Sleep(50);
  }
  return nullptr;
}

RECT BoundsOf(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return r;
}

bool Same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

// Where the frame maximises the main window: its monitor's work area, one pixel smaller on every
// side when that is the whole primary screen.
RECT MaximisedArea(HWND h) {
  MONITORINFO m{};
  m.cbSize = sizeof(m);
  GetMonitorInfoA(MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST), &m);
  RECT area = m.rcWork;
  if (Same(area, m.rcMonitor) && (m.dwFlags & MONITORINFOF_PRIMARY)) InflateRect(&area, -1, -1);
  return area;
}

// The window as a program started without a show state shows it.
RECT NormalBounds() {
  static RECT normal = [] {
    Program p;
    RECT r{};
    if (p.Start(0, false)) {
      if (HWND h = WaitForMainWindow(p.pi.dwProcessId)) r = BoundsOf(h);
    }
    return r;
  }();
  return normal;
}

// A left press and release with real non-client messages at a point of the window.
void PressFrameAt(HWND h, int x, int y) {
  const RECT b = BoundsOf(h);
  const LPARAM screen = MAKELPARAM(b.left + x, b.top + y);
  POINT client{b.left + x, b.top + y};
  ScreenToClient(h, &client);
  const LRESULT hit = SendMessageA(h, WM_NCHITTEST, 0, screen);
  SendMessageA(h, WM_NCMOUSEMOVE, WPARAM(hit), screen);
  SendMessageA(h, WM_NCLBUTTONDOWN, WPARAM(hit), screen);
  SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
}

class ProgramStart : public ::testing::Test {
 protected:
  void SetUp() override {
    if (HANDLE other = OpenMutexA(SYNCHRONIZE, FALSE, "Netscry")) {
      CloseHandle(other);
      GTEST_SKIP() << "another Netscry is running on this machine";
    }
    normal_ = NormalBounds();
    ASSERT_GT(normal_.right - normal_.left, 700) << "the normally started window was not found";
  }
  RECT normal_{};
};

TEST_F(ProgramStart, StartedMaximisedFillsTheWorkAreaAndTheMaximiseButtonRestores) {
  Program p;
  ASSERT_TRUE(p.Start(SW_SHOWMAXIMIZED, true));
  HWND h = WaitForMainWindow(p.pi.dwProcessId);
  ASSERT_NE(h, nullptr);
  const RECT area = MaximisedArea(h);
  EXPECT_TRUE(Same(BoundsOf(h), area)) << Text(BoundsOf(h)) << " is not the maximised area " << Text(area);
  EXPECT_FALSE(IsIconic(h));
  // The frame knows it is maximised: its maximise button (25 pixels left of the close button's
  // 43, at the right end of the caption) now restores the window as it was created.
  const int w = BoundsOf(h).right - BoundsOf(h).left;
  PressFrameAt(h, w - 704 + 641, 9);
  EXPECT_TRUE(Same(BoundsOf(h), normal_)) << Text(BoundsOf(h)) << " is not the normal window " << Text(normal_);
  EXPECT_FALSE(IsZoomed(h));
}

TEST_F(ProgramStart, StartedMinimisedIsIconicAndRestoresToTheNormalWindow) {
  for (WORD show : {WORD(SW_SHOWMINIMIZED), WORD(SW_SHOWMINNOACTIVE), WORD(SW_MINIMIZE)}) {
    SCOPED_TRACE(show);
    Program p;
    ASSERT_TRUE(p.Start(show, true));
    HWND h = WaitForMainWindow(p.pi.dwProcessId);
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(IsIconic(h));
    ShowWindow(h, SW_RESTORE);
    EXPECT_FALSE(IsIconic(h));
    EXPECT_TRUE(Same(BoundsOf(h), normal_)) << Text(BoundsOf(h)) << " is not the normal window " << Text(normal_);
  }
}

TEST_F(ProgramStart, StartedNormallyIsNeitherMaximisedNorMinimised) {
  for (WORD show : {WORD(SW_SHOWNORMAL), WORD(SW_SHOW), WORD(SW_SHOWDEFAULT)}) {
    SCOPED_TRACE(show);
    Program p;
    ASSERT_TRUE(p.Start(show, true));
    HWND h = WaitForMainWindow(p.pi.dwProcessId);
    ASSERT_NE(h, nullptr);
    EXPECT_FALSE(IsIconic(h));
    EXPECT_FALSE(IsZoomed(h));
    EXPECT_TRUE(Same(BoundsOf(h), normal_)) << Text(BoundsOf(h));
  }
}

}  // namespace
