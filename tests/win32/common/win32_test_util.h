#pragma once
// Helpers every Wine test shares: the message pump, a window's picture read back through a DIB
// and the count of live GDI objects.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/bitmap32.h"
#include "base/dib_win32.h"
#include "forms/application_win32.h"

namespace netscry::testing {

// Handles the queued messages as the program's own loop does (the dialog manager's keys for our
// windows included); false when they do not run out (a window that keeps posting to itself would
// keep the program busy for as long as it is in that state). A quit message is dropped: it ends
// the main form's loop in the program, and the test process has none.
inline bool Pump() {
  MSG msg;
  for (int handled = 0; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++handled) {
    if (handled == 10000) return false;
    if (msg.message == WM_QUIT) continue;
    forms::Application::Instance().Dispatch(msg);
  }
  return true;
}

// The window's client area as it paints itself, read back through a DIB.
inline Bitmap32 Snapshot(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  Dib32 dib(r.right, r.bottom);
  EXPECT_TRUE(dib.Valid());
  SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.Dc()), PRF_CLIENT);
  return dib.ToBitmap32();
}

// Live GDI objects of this process. The platform's count where it keeps one; Wine's returns 0,
// but there a handle whose upper word is 0 names whichever object holds that table slot, so the
// slots can be counted directly.
inline int LiveGdiObjects() {
  const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (counted) return int(counted);
  int n = 0;
  for (UINT_PTR slot = 1; slot < 0x10000; ++slot) n += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
  return n;
}

}  // namespace netscry::testing
