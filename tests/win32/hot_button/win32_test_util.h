#pragma once
// Helpers of the button and link label Wine tests: a form with a coloured panel to put the
// controls on, message pumping, snapshots through WM_PRINTCLIENT and a count of live GDI objects.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/bitmap32.h"
#include "base/dib_win32.h"
#include "forms/application_win32.h"
#include "forms/controls_win32.h"

namespace netscry::testing_buttons {

constexpr Color kPanelColor = 16315884;  // RGB (236, 245, 248)

// Handles what is queued through the window layer's dispatch (the dialog manager included).
inline void Pump() { forms::Application::Instance().ProcessMessages(); }

// The control as it paints itself, read back through a DIB.
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

// A shown form with a panel in the main window's top-panel colour.
class PanelFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    forms::FormParams fp;
    fp.caption = "buttons";
    fp.client_size = {420, 120};
    ASSERT_NE(form.CreateForm(fp), nullptr);
    forms::PanelParams pp;
    pp.bounds = {0, 0, 420, 120};
    pp.color = kPanelColor;
    ASSERT_NE(panel.Create(form, pp), nullptr);
    form.Show();
    Pump();
  }
  void TearDown() override { Pump(); }

  forms::Form form;
  forms::Panel panel;
};

}  // namespace netscry::testing_buttons
