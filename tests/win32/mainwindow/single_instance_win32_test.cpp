// The program itself: a second start while one runs shows "The program already start" and ends
// without a window; the first keeps running and ends only after Yes to the close question.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "program_process.h"

namespace {

using Process = netscry::testing::ProgramProcess;

// The first visible top-level window of the process with this class, waiting up to 30 seconds.
HWND WaitForWindow(DWORD pid, const char* cls, int tries = 600) {
  for (int i = 0; i < tries; ++i) {
    if (HWND found = netscry::testing::VisibleWindowOf(pid, cls)) return found;
    Sleep(50);
  }
  return nullptr;
}

bool WaitGone(HWND h) {
  for (int i = 0; i < 600 && IsWindow(h); ++i) Sleep(50);
  return !IsWindow(h);
}

std::string TextOf(HWND h) {
  char buf[512] = {};
  if (h) GetWindowTextA(h, buf, sizeof(buf));
  return buf;
}

// True when window a lies above window b in the order of top-level windows.
bool Above(HWND a, HWND b) {
  for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (h == a) return true;
    if (h == b) return false;
  }
  return false;
}

TEST(SingleInstance, SecondStartShowsTheMessageAndEnds) {
  if (HANDLE other = OpenMutexA(SYNCHRONIZE, FALSE, "Netscry")) {
    CloseHandle(other);
    GTEST_SKIP() << "another Netscry is running on this machine";
  }
  Process first;
  ASSERT_TRUE(first.Start());
  HWND main = WaitForWindow(first.pi.dwProcessId, "NetscryForm");
  ASSERT_NE(main, nullptr) << "the first instance shows no window";

  Process second;
  ASSERT_TRUE(second.Start());
  HWND box = WaitForWindow(second.pi.dwProcessId, "#32770");
  ASSERT_NE(box, nullptr) << "the second instance shows no message";
  EXPECT_EQ(TextOf(box), "Netscry");
  EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), "The program already start");
  EXPECT_EQ(SendMessageA(GetDlgItem(box, 0x440), STM_GETICON, 0, 0), 0) << "no icon";
  // The running instance's window is topmost: the box must open above it, not hidden behind it.
  ASSERT_TRUE(GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(GetWindowLongPtrA(box, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(Above(box, main)) << "the box opened behind the running instance's window";
  RECT r{};
  GetWindowRect(box, &r);
  EXPECT_LE(std::abs((r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 2) << "centred on the screen";
  EXPECT_LE(std::abs((r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 2) << "centred on the screen";
  EXPECT_EQ(WaitForWindow(second.pi.dwProcessId, "NetscryForm", 1), nullptr);
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_TRUE(second.Ended(30000));
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(IsWindow(main));
  EXPECT_FALSE(first.Ended(0));

  // Closing: No keeps the program, Yes ends it.
  PostMessageA(main, WM_CLOSE, 0, 0);
  HWND question = WaitForWindow(first.pi.dwProcessId, "#32770");
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(question, 0xFFFF)), "您确认要退出网络连接查看器?");
  PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
  ASSERT_TRUE(WaitGone(question));
  EXPECT_FALSE(first.Ended(0));
  EXPECT_TRUE(IsWindow(main));
  PostMessageA(main, WM_CLOSE, 0, 0);
  question = WaitForWindow(first.pi.dwProcessId, "#32770");
  ASSERT_NE(question, nullptr);
  PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
  EXPECT_TRUE(first.Ended(30000));
  EXPECT_EQ(first.ExitCode(), 0u);
}

}  // namespace
