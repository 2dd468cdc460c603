// The skinned frame on real windows under the platform: forms wearing the program's two carried
// skins (read from this test's resources as the program reads them) and the plain frame, driven
// by real non-client messages; the frame is read back at pixels, the window region by point.
#include "skin/frame_window/skin_form_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "common/win32_test_util.h"
#include "base/dib_win32.h"
#include "forms/resources_win32.h"
#include "forms/application_win32.h"
#include "forms/controls_win32.h"

namespace netscry {
namespace {

using testing::LiveGdiObjects;
using testing::Pump;


using forms::ResourceBytes;

enum class Skin { Main, Dialog, None };

// A form set up as one of the program's windows: the main window (sizeable, icon, minimise and
// maximise, at least 672 × 200, client 746 × 433) or the details dialog (fixed, icon and close,
// client 425 × 237), wearing its carried skin, or no skin at all.
class SkinnedForm {
 public:
  explicit SkinnedForm(Skin which) {
    const bool main = which != Skin::Dialog;
    forms::FormParams fp;
    fp.caption = main ? "Netscry V2.5(网络连接查看器)" : "进程详细信息";
    fp.client_size = main ? Size{746, 433} : Size{425, 237};
    fp.sizeable = main;
    fp.minimize_box = fp.maximize_box = main;
    fp.icon = LoadIcon(nullptr, IDI_APPLICATION);
    created = form.CreateForm(fp) != nullptr;
    form.OnCloseQuery = [this](bool& can_close) {
      ++close_queries;
      can_close = allow_close;
    };
    if (which != Skin::None) {
      const auto bytes = ResourceBytes(main ? "MAINSKIN" : "DIALOGSKIN");
      loaded = !bytes.empty() && stored.ImportSkinFileBytes(bytes) && data.SetCompressedStoredSkin(&stored).ok();
    }
    TskSkinFrame& frame = skin.Frame();
    frame.Sizeable = main;
    frame.BorderIcons = main ? (biSystemMenu | biMinimize | biMaximize) : TskBorderIcons(biSystemMenu);
    frame.MinWidth = main ? 672 : 0;
    frame.MinHeight = main ? 200 : 0;
    frame.ShowIcon = true;
    frame.UseDefaultObjectHint = false;
    skin.SystemMenu = &menu;
    skin.SetSkinData(&data);
    skin.Attach();
    form.Show();
    Pump();
  }

  HWND Handle() const { return form.Handle(); }
  Rect Bounds() const { return form.BoundsRect(); }
  TskSkinFrame& Frame() { return skin.Frame(); }
  const TskSkinData& Data() const { return data; }

  // The point of window coordinates as a message's screen position.
  LPARAM ScreenAt(Point p) const {
    const Rect b = Bounds();
    return MAKELPARAM(b.left + p.x, b.top + p.y);
  }
  LPARAM ClientAt(Point p) const {
    POINT s{Bounds().left + p.x, Bounds().top + p.y};
    ScreenToClient(Handle(), &s);
    return MAKELPARAM(s.x, s.y);
  }
  int HitAt(Point p) const { return int(SendMessageA(Handle(), WM_NCHITTEST, 0, ScreenAt(p))); }

  // The frame as the window paints it, through WM_PRINT into a DIB the window's size.
  Bitmap32 PrintedFrame() const {
    const Rect b = Bounds();
    Dib32 dib(b.Width(), b.Height());
    EXPECT_TRUE(dib.Valid());
    SendMessageA(Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dib.Dc()), PRF_NONCLIENT);
    return dib.ToBitmap32();
  }
  // The frame printed active with nothing hovered, its fades run out. The caller holds the hover
  // timer still (it follows the real cursor).
  Bitmap32 PrintedActiveFrame() {
    SetActiveWindow(Handle());
    Pump();
    Frame().ClearHover();
    for (int t = 0; t < 6; ++t) SendMessageA(Handle(), WM_TIMER, TskSkinForm::kMorphTimerId, 0);
    EXPECT_TRUE(skin.IsFormActive());
    return PrintedFrame();
  }
  // What the window shows on its own DC (where direct repaints go).
  Bitmap32 WindowPixels() const {
    const Rect b = Bounds();
    Dib32 dib(b.Width(), b.Height());
    HDC dc = GetWindowDC(Handle());
    BitBlt(dib.Dc(), 0, 0, b.Width(), b.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(Handle(), dc);
    return dib.ToBitmap32();
  }

  const TskActiveSkinObject* Object(const std::string& name) {
    for (const auto& o : Frame().LiveObjects()) {
      if (o->IDName == name) return o.get();
    }
    return nullptr;
  }

  forms::Form form;
  TskCompressedStoredSkin stored;
  TskSkinData data;
  forms::PopupMenu menu;  // empty, as the program's windows give it
  TskSkinForm skin{form};
  bool created = false, loaded = false;
  int close_queries = 0;
  bool allow_close = false;
};

Point Center(const Rect& r) { return {r.left + r.Width() / 2, r.top + r.Height() / 2}; }

// Compares the four corner zones of the frame (outside the client area and every frame
// object) with the same zones of a skin picture: corners are never stretched, they move with
// the edges they belong to.
// On the window itself only what lies inside the window's region is shown.
void ExpectCornersFrom(const Bitmap32& shown, const Bitmap32& picture, SkinnedForm& f, const char* what,
                       bool inside_region_only = false) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const bool has_region = GetWindowRgn(f.Handle(), region) != ERROR;
  const TskSkinFormInfo& info = f.Data().FormInfo;
  const int w = shown.Width(), h = shown.Height();
  const int dx = w - picture.Width(), dy = h - picture.Height();
  const FrameGeometry& g = f.Frame().Geometry();
  struct Zone {
    Rect window;
    Point shift;
  };
  const Zone zones[] = {
      {{0, 0, info.LTPoint.x, info.LTPoint.y}, {0, 0}},
      {{info.RTPoint.x + dx, 0, w, info.RTPoint.y}, {dx, 0}},
      {{0, info.LBPoint.y + dy, info.LBPoint.x, h}, {0, dy}},
      {{info.RBPoint.x + dx, info.RBPoint.y + dy, w, h}, {dx, dy}},
  };
  int compared = 0, differing = 0;
  for (const Zone& z : zones) {
    for (int y = z.window.top; y < z.window.bottom; ++y) {
      for (int x = z.window.left; x < z.window.right; ++x) {
        if (g.client.Contains({x, y})) continue;
        bool on_object = false;
        for (const auto& o : f.Frame().LiveObjects()) on_object |= o->Visible && o->ObjectRect.Contains({x, y});
        if (on_object) continue;
        if (inside_region_only && has_region && !PtInRegion(region, x, y)) continue;
        ++compared;
        if (shown.Pixel(x, y) != picture.Pixel(x - z.shift.x, y - z.shift.y)) ++differing;
      }
    }
  }
  DeleteObject(region);
  EXPECT_GT(compared, 100) << what;
  EXPECT_EQ(differing, 0) << what << ": " << differing << " of " << compared << " corner pixels differ";
}

// --- sizes and hit tests ------------------------------------------------------------------------

TEST(SkinFormWin32, MainWindowInsetsAndMinimumSizeComeFromTheSkin) {
  SkinnedForm f(Skin::Main);
  ASSERT_TRUE(f.created && f.loaded);
  EXPECT_TRUE(f.Frame().SkinActive());
  RECT window{}, client{};
  GetWindowRect(f.Handle(), &window);
  GetClientRect(f.Handle(), &client);
  POINT origin{0, 0};
  ClientToScreen(f.Handle(), &origin);
  // The client keeps its size inside the skin's insets 8, 28, 8, 8.
  EXPECT_EQ(client.right, 746);
  EXPECT_EQ(client.bottom, 433);
  EXPECT_EQ(origin.x - window.left, 8);
  EXPECT_EQ(origin.y - window.top, 28);
  EXPECT_EQ(window.right - (origin.x + client.right), 8);
  EXPECT_EQ(window.bottom - (origin.y + client.bottom), 8);
  EXPECT_EQ(window.right - window.left, 762);
  EXPECT_EQ(window.bottom - window.top, 469);
  // The platform draws no caption of its own.
  const LONG_PTR style = GetWindowLongPtrA(f.Handle(), GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, 0);
  EXPECT_EQ(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);

  MINMAXINFO mmi{};
  SendMessageA(f.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  EXPECT_EQ(mmi.ptMinTrackSize.x, 704);
  EXPECT_EQ(mmi.ptMinTrackSize.y, 200);
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(mmi.ptMaxTrackSize.x, work.right - work.left);
  EXPECT_EQ(mmi.ptMaxTrackSize.y, work.bottom - work.top);

  // A size below the minimum is taken up to it by the platform's own rules.
  SetWindowPos(f.Handle(), nullptr, 0, 0, 500, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  EXPECT_EQ(f.Bounds().Width(), 704);
  EXPECT_EQ(f.Bounds().Height(), 200);
  EXPECT_EQ(f.Frame().Width(), 704);
}

TEST(SkinFormWin32, DialogInsetsAndMinimumWidthComeFromItsSkin) {
  SkinnedForm f(Skin::Dialog);
  ASSERT_TRUE(f.created && f.loaded);
  const TskSkinFormInfo& info = f.Data().FormInfo;
  const int pw = f.Data().Picture.Width(), ph = f.Data().Picture.Height();
  RECT client{};
  GetClientRect(f.Handle(), &client);
  EXPECT_EQ(client.right, 425);
  EXPECT_EQ(client.bottom, 237);
  EXPECT_EQ(f.Bounds().Width(), 425 + info.ClientRect.left + (pw - info.ClientRect.right));
  EXPECT_EQ(f.Bounds().Height(), 237 + info.ClientRect.top + (ph - info.ClientRect.bottom));
  MINMAXINFO mmi{};
  SendMessageA(f.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  EXPECT_EQ(pw, 378);
  EXPECT_EQ(mmi.ptMinTrackSize.x, 378);
  EXPECT_EQ(mmi.ptMinTrackSize.y, ph - info.ClientRect.Height());
}

TEST(SkinFormWin32, HitTestsThroughTheRealMessage) {
  SkinnedForm main_form(Skin::Main);
  ASSERT_TRUE(main_form.loaded);
  const int w = main_form.Bounds().Width(), h = main_form.Bounds().Height();
  const Rect close = main_form.Object("closebutton")->ObjectRect;
  const Rect caption = main_form.Object("caption")->ObjectRect;
  struct Case {
    Point at;
    int hit;
  };
  const Case main_cases[] = {
      {{w / 2, 12}, HTCAPTION},      {Center(caption), HTCAPTION},   {{100, 100}, HTCLIENT},
      {Center(close), HTOBJECT},     {{w - 2, h - 2}, HTBOTTOMRIGHT}, {{1, h / 2}, HTLEFT},
      {{w - 2, h / 2}, HTRIGHT},     {{w / 2, h - 2}, HTBOTTOM},     {{w / 2, 1}, HTTOP},
      {{2, h - 2}, HTBOTTOMLEFT},    {{w - 3, 3}, HTTOPRIGHT},
  };
  for (const Case& c : main_cases) {
    main_form.Frame().ClearHover();
    EXPECT_EQ(main_form.HitAt(c.at), c.hit) << "main window at " << c.at.x << "," << c.at.y;
  }

  // The dialog has no sizing zones: its edges belong to the frame.
  SkinnedForm dialog(Skin::Dialog);
  ASSERT_TRUE(dialog.loaded);
  const int dw = dialog.Bounds().Width(), dh = dialog.Bounds().Height();
  const Rect dclose = dialog.Object("closebutton")->ObjectRect;
  const Rect dcaption = dialog.Object("caption")->ObjectRect;
  const Case dialog_cases[] = {
      {Center(dcaption), HTCAPTION}, {{dw / 2, dh / 2}, HTCLIENT}, {Center(dclose), HTOBJECT},
      {{dw - 2, dh - 2}, HTOBJECT},  {{1, dh / 2}, HTOBJECT},      {{dw / 2, dh - 2}, HTOBJECT},
  };
  for (const Case& c : dialog_cases) {
    dialog.Frame().ClearHover();
    EXPECT_EQ(dialog.HitAt(c.at), c.hit) << "dialog at " << c.at.x << "," << c.at.y;
  }
  // Minimise and maximise are neither shown nor hit in the dialog; the caption runs to close.
  EXPECT_FALSE(dialog.Object("minimizebutton")->Visible && dialog.Object("minimizebutton")->Enabled);
  EXPECT_FALSE(dialog.Object("maximizebutton")->Visible && dialog.Object("maximizebutton")->Enabled);
  EXPECT_LE(dcaption.right, dclose.left);
}

TEST(SkinFormWin32, WindowRegionIsTheMasksBlackPixels) {
  for (Skin which : {Skin::Main, Skin::Dialog}) {
    SkinnedForm f(which);
    ASSERT_TRUE(f.loaded);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(f.Handle(), region), ERROR);
    const Bitmap32& mask = f.Data().Mask;
    ASSERT_FALSE(mask.IsEmpty());
    const Rect mask_rect = f.Frame().Geometry().mask_rect;
    const int w = f.Bounds().Width(), h = f.Bounds().Height();
    const int dx = w - mask.Width(), dy = h - mask.Height();
    // The four 10 × 10 corners of the window against the mask's corners, pixel by pixel.
    const std::pair<Rect, Point> corners[] = {{{0, 0, 10, 10}, {0, 0}},
                                              {{w - 10, 0, w, 10}, {dx, 0}},
                                              {{0, h - 10, 10, h}, {0, dy}},
                                              {{w - 10, h - 10, w, h}, {dx, dy}}};
    int outside = 0;
    for (const auto& [area, shift] : corners) {
      for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
          const bool black = (mask.Pixel(x - shift.x, y - shift.y) & 0x00FFFFFF) == 0;
          const bool expected = mask_rect.Contains({x, y}) || black;
          outside += !expected;
          EXPECT_EQ(PtInRegion(region, x, y) != FALSE, expected) << int(which) << " at " << x << "," << y;
        }
      }
    }
    EXPECT_GT(outside, 0) << "the corners are cut off";
    // The middle of every edge and the client belong to the window.
    EXPECT_TRUE(PtInRegion(region, w / 2, h / 2));
    DeleteObject(region);
  }
}

// --- frame state --------------------------------------------------------------------------------

TEST(SkinFormWin32, CaptionDoubleClickMaximisesToTheWorkAreaAndRestores) {
  SkinnedForm f(Skin::Main);
  ASSERT_TRUE(f.loaded);
  const Rect before = f.Bounds();
  const Point on_caption = Center(f.Object("caption")->ObjectRect);
  ASSERT_EQ(f.HitAt(on_caption), HTCAPTION);
  SendMessageA(f.Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, f.ScreenAt(on_caption));
  SendMessageA(f.Handle(), WM_LBUTTONUP, 0, f.ClientAt(on_caption));
  Pump();
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoA(MonitorFromWindow(f.Handle(), MONITOR_DEFAULTTONEAREST), &mi);
  Rect expected{mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom};
  // A work area as large as the primary screen is kept 1 pixel inside it.
  if (EqualRect(&mi.rcWork, &mi.rcMonitor) && (mi.dwFlags & MONITORINFOF_PRIMARY)) expected = expected.Inflate(-1, -1);
  EXPECT_EQ(f.Frame().FrameState, TskFrameState::Maximized);
  EXPECT_EQ(f.Bounds(), expected);
  EXPECT_FALSE(IsZoomed(f.Handle())) << "the platform window itself stays normal";
  // Maximised, the edges no longer size the window and the caption no longer moves it.
  EXPECT_EQ(f.HitAt({f.Bounds().Width() - 2, f.Bounds().Height() - 2}), HTOBJECT);
  RECT moving{0, 0, 100, 100};
  SendMessageA(f.Handle(), WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&moving));
  EXPECT_EQ((Rect{moving.left, moving.top, moving.right, moving.bottom}), f.Bounds());

  const Point again = Center(f.Object("caption")->ObjectRect);
  SendMessageA(f.Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, f.ScreenAt(again));
  SendMessageA(f.Handle(), WM_LBUTTONUP, 0, f.ClientAt(again));
  Pump();
  EXPECT_EQ(f.Frame().FrameState, TskFrameState::Normal);
  EXPECT_EQ(f.Bounds(), before);
}

TEST(SkinFormWin32, MaximiseButtonMaximisesAndShowsTheRestoreImage) {
  SkinnedForm f(Skin::Main);
  ASSERT_TRUE(f.loaded);
  const auto* max = dynamic_cast<const TskSkinStdButtonObject*>(f.Object("maximizebutton"));
  ASSERT_NE(max, nullptr);
  const Point at = Center(max->ObjectRect);
  SendMessageA(f.Handle(), WM_NCLBUTTONDOWN, HTOBJECT, f.ScreenAt(at));
  SendMessageA(f.Handle(), WM_LBUTTONUP, 0, f.ClientAt(at));
  Pump();
  EXPECT_EQ(f.Frame().FrameState, TskFrameState::Maximized);
  EXPECT_TRUE(max->InRestoreState());
  // The mouse leaves; the button fades back from hot in five ticks (given here). Another
  // program's window on the display may have taken the activation meanwhile: the button's
  // images are those of the active window.
  SetActiveWindow(f.Handle());
  Pump();
  ASSERT_TRUE(f.skin.IsFormActive());
  KillTimer(f.Handle(), TskSkinForm::kHoverTimerId);
  f.Frame().ClearHover();
  for (int tick = 0; tick < 5; ++tick) SendMessageA(f.Handle(), WM_TIMER, TskSkinForm::kMorphTimerId, 0);
  // The button's place shows its restore image.
  const Bitmap32 shown = f.PrintedFrame();
  const Rect r = max->ObjectRect;
  int same = 0;
  for (int y = 0; y < r.Height(); ++y) {
    for (int x = 0; x < r.Width(); ++x) {
      same += shown.Pixel(r.left + x, r.top + y) == max->OwnPicture()->Pixel(max->RestoreRect.left + x, max->RestoreRect.top + y);
    }
  }
  EXPECT_EQ(same, r.Width() * r.Height()) << "active " << f.skin.IsFormActive() << " hot " << max->Hot << " down "
                                          << max->Down << " morph " << max->MorphFactor();
  const Point back = Center(max->ObjectRect);
  SendMessageA(f.Handle(), WM_NCLBUTTONDOWN, HTOBJECT, f.ScreenAt(back));
  SendMessageA(f.Handle(), WM_LBUTTONUP, 0, f.ClientAt(back));
  Pump();
  EXPECT_EQ(f.Frame().FrameState, TskFrameState::Normal);
}

TEST(SkinFormWin32, DialogCaptionDoubleClickDoesNothing) {
  SkinnedForm f(Skin::Dialog);
  ASSERT_TRUE(f.loaded);
  const Rect before = f.Bounds();
  const Point at = Center(f.Object("caption")->ObjectRect);
  SendMessageA(f.Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, f.ScreenAt(at));
  SendMessageA(f.Handle(), WM_LBUTTONUP, 0, f.ClientAt(at));
  Pump();
  EXPECT_EQ(f.Frame().FrameState, TskFrameState::Normal);
  EXPECT_EQ(f.Bounds(), before);
  // A right click on the caption opens nothing (the system menu is empty).
  SendMessageA(f.Handle(), WM_NCRBUTTONDOWN, HTCAPTION, f.ScreenAt(at));
  SendMessageA(f.Handle(), WM_NCRBUTTONUP, HTCAPTION, f.ScreenAt(at));
  Pump();
  EXPECT_EQ(f.close_queries, 0);
  EXPECT_TRUE(IsWindowVisible(f.Handle()));
}

// --- caption buttons ----------------------------------------------------------------------------

TEST(SkinFormWin32, CloseButtonRunsOnlyWhenReleasedOnIt) {
  for (Skin which : {Skin::Main, Skin::Dialog}) {
    SkinnedForm f(which);
    ASSERT_TRUE(f.loaded);
    const Rect close = f.Object("closebutton")->ObjectRect;
    const Point on = Center(close);
    const Point off{close.left - 40, close.bottom + 60};  // in the client area

    ASSERT_EQ(f.HitAt(on), HTOBJECT);
    SendMessageA(f.Handle(), WM_NCLBUTTONDOWN, HTOBJECT, f.ScreenAt(on));
    EXPECT_EQ(GetCapture(), f.Handle()) << "the pressed button holds the mouse";
    EXPECT_TRUE(dynamic_cast<const TskSkinButtonObject*>(f.Object("closebutton"))->Down);
    SendMessageA(f.Handle(), WM_MOUSEMOVE, MK_LBUTTON, f.ClientAt(off));
    SendMessageA(f.Handle(), WM_LBUTTONUP, 0, f.ClientAt(off));
    Pump();
    EXPECT_EQ(f.close_queries, 0) << "released off the button";
    EXPECT_TRUE(IsWindowVisible(f.Handle()));
    EXPECT_NE(GetCapture(), f.Handle());
    EXPECT_FALSE(dynamic_cast<const TskSkinButtonObject*>(f.Object("closebutton"))->Down);
    EXPECT_FALSE(f.Object("closebutton")->Hot);

    SendMessageA(f.Handle(), WM_NCHITTEST, 0, f.ScreenAt(on));
    SendMessageA(f.Handle(), WM_NCLBUTTONDOWN, HTOBJECT, f.ScreenAt(on));
    SendMessageA(f.Handle(), WM_LBUTTONUP, 0, f.ClientAt(on));
    Pump();
    EXPECT_EQ(f.close_queries, 1) << "released on it: the form's close question";
    EXPECT_TRUE(IsWindowVisible(f.Handle())) << "the question said no";

    f.allow_close = true;
    SendMessageA(f.Handle(), WM_NCHITTEST, 0, f.ScreenAt(on));
    SendMessageA(f.Handle(), WM_NCLBUTTONDOWN, HTOBJECT, f.ScreenAt(on));
    SendMessageA(f.Handle(), WM_LBUTTONUP, 0, f.ClientAt(on));
    Pump();
    EXPECT_EQ(f.close_queries, 2);
    EXPECT_FALSE(IsWindowVisible(f.Handle())) << "closed (hidden, the form's close action)";
  }
}

TEST(SkinFormWin32, KeyboardCloseAndIconDoubleClickGoThroughTheCloseQuestion) {
  SkinnedForm f(Skin::Dialog);
  ASSERT_TRUE(f.loaded);
  SendMessageA(f.Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);  // Alt alone: nothing
  SendMessageA(f.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);    // Alt+F4
  Pump();
  EXPECT_EQ(f.close_queries, 1);
  const Point icon = Center(f.Object("sysmenubutton")->ObjectRect);
  ASSERT_EQ(f.HitAt(icon), HTOBJECT);
  SendMessageA(f.Handle(), WM_NCLBUTTONDOWN, HTOBJECT, f.ScreenAt(icon));
  SendMessageA(f.Handle(), WM_LBUTTONUP, 0, f.ClientAt(icon));
  Pump();
  EXPECT_EQ(f.close_queries, 1) << "a single click on the icon opens nothing";
  SendMessageA(f.Handle(), WM_NCLBUTTONDBLCLK, HTOBJECT, f.ScreenAt(icon));
  SendMessageA(f.Handle(), WM_LBUTTONUP, 0, f.ClientAt(icon));
  Pump();
  EXPECT_EQ(f.close_queries, 2);
}

TEST(SkinFormWin32, HoverCrossFadesToTheHotImageInFiveTicks) {
  SkinnedForm f(Skin::Main);
  ASSERT_TRUE(f.loaded);
  SetActiveWindow(f.Handle());
  Pump();
  ASSERT_TRUE(f.skin.IsFormActive()) << "the hot image is the active window's";
  const TskActiveSkinObject* close = f.Object("closebutton");
  ASSERT_TRUE(close->Morphing && close->HasHotImage());
  const Rect r = close->ObjectRect;
  const Point on = Center(r);
  const Rect b = f.Bounds();
  // The hover timer follows the cursor.
  SetCursorPos(b.left + on.x, b.top + on.y);
  EXPECT_EQ(f.HitAt(on), HTOBJECT);
  ASSERT_TRUE(f.skin.TimerRunning(FrameTimer::Hover));
  SendMessageA(f.Handle(), WM_TIMER, TskSkinForm::kHoverTimerId, 0);
  EXPECT_TRUE(close->Hot);
  EXPECT_TRUE(f.skin.TimerRunning(FrameTimer::Morph));
  // The ticks are given here one by one; the cursor-following hover timer is held still.
  KillTimer(f.Handle(), TskSkinForm::kHoverTimerId);
  KillTimer(f.Handle(), TskSkinForm::kMorphTimerId);
  auto hot_pixels = [&](const Bitmap32& shown) {
    int same = 0;
    for (int y = 0; y < r.Height(); ++y) {
      for (int x = 0; x < r.Width(); ++x) {
        same += shown.Pixel(r.left + x, r.top + y) ==
                close->OwnPicture()->Pixel(close->ActiveSkinRect.left + x, close->ActiveSkinRect.top + y);
      }
    }
    return same;
  };
  const int all = r.Width() * r.Height();
  for (int tick = 1; tick <= 4; ++tick) SendMessageA(f.Handle(), WM_TIMER, TskSkinForm::kMorphTimerId, 0);
  EXPECT_LT(hot_pixels(f.WindowPixels()), all) << "four ticks: still between normal and hot";
  SendMessageA(f.Handle(), WM_TIMER, TskSkinForm::kMorphTimerId, 0);
  EXPECT_EQ(hot_pixels(f.WindowPixels()), all) << "five ticks: the hot image, drawn straight onto the window";
  const int compositions = f.skin.Compositions();
  SendMessageA(f.Handle(), WM_TIMER, TskSkinForm::kMorphTimerId, 0);  // nothing moves: the timer stops
  EXPECT_FALSE(f.skin.TimerRunning(FrameTimer::Morph));
  EXPECT_EQ(f.skin.Compositions(), compositions) << "a hot object is repainted without recomposing the frame";
  EXPECT_EQ(hot_pixels(f.PrintedFrame()), all) << "a full repaint shows it hot as well";
}

TEST(SkinFormWin32, FramePixelsAreTheSkinsPicturesActiveAndInactive) {
  for (Skin which : {Skin::Main, Skin::Dialog}) {
    SkinnedForm f(which);
    ASSERT_TRUE(f.loaded);
    SetActiveWindow(f.Handle());
    Pump();
    ASSERT_TRUE(f.skin.IsFormActive());
    ExpectCornersFrom(f.PrintedFrame(), f.Data().Picture, f, "active");
    ExpectCornersFrom(f.WindowPixels(), f.Data().Picture, f, "active, on the window", true);
    ASSERT_FALSE(f.Data().InActivePicture.IsEmpty());

    // Another window takes the activation: the inactive picture at once.
    forms::Form other;
    forms::FormParams fp;
    fp.caption = "other";
    fp.client_size = {100, 100};
    ASSERT_NE(other.CreateForm(fp), nullptr);
    other.Show();
    SetActiveWindow(other.Handle());
    Pump();
    EXPECT_FALSE(f.skin.IsFormActive());
    ExpectCornersFrom(f.PrintedFrame(), f.Data().InActivePicture, f, "inactive");
    ExpectCornersFrom(f.WindowPixels(), f.Data().InActivePicture, f, "inactive, on the window", true);
    other.Destroy();
    Pump();
  }
}

TEST(SkinFormWin32, CaptionTextIsShortenedBeforeTheButtons) {
  SkinnedForm f(Skin::Main);
  ASSERT_TRUE(f.loaded);
  // Both pictures are taken in the same state: active, nothing hovered (the hover timer, which
  // follows the real cursor, is held still).
  KillTimer(f.Handle(), TskSkinForm::kHoverTimerId);
  f.form.SetText(std::string(200, 'W'));
  const Bitmap32 shown = f.PrintedActiveFrame();
  const Bitmap32& picture = f.Data().Picture;
  const int dx = shown.Width() - picture.Width();
  // Left of the minimise button the band is written on; from the buttons on nothing of the text.
  const Rect buttons{f.Object("minimizebutton")->ObjectRect.left, f.Object("caption")->ObjectRect.top,
                     f.Object("closebutton")->ObjectRect.right, f.Object("caption")->ObjectRect.bottom};
  int changed_before = 0;
  const Rect text_band = dynamic_cast<const TskSkinCaptionObject*>(f.Object("caption"))->TextBand();
  for (int y = text_band.top; y < text_band.bottom; ++y) {
    for (int x = text_band.left; x < text_band.right; ++x) {
      // The caption band is stretched: compare with its own first column.
      changed_before += shown.Pixel(x, y) != picture.Pixel(text_band.left, y);
    }
  }
  EXPECT_GT(changed_before, 100);
  const Bitmap32 plain = [&] {
    f.form.SetText("");
    return f.PrintedActiveFrame();
  }();
  int text_on_buttons = 0;
  for (int y = buttons.top; y < buttons.bottom; ++y) {
    for (int x = buttons.left; x < buttons.right; ++x) text_on_buttons += shown.Pixel(x, y) != plain.Pixel(x, y);
  }
  EXPECT_EQ(text_on_buttons, 0);
  (void)dx;
}

// The caption text as the platform draws it: the main window's caption band shows exactly the
// frame without a caption with the text drawn over it in Arial bold of 14-pixel character cells
// (the skin's font height), at the place the band gives. Characters 14 pixels high would be an
// eighth larger and a pixel higher. (The dialog's skin draws a text frame image behind its
// caption, as wide as the text; its font is the same and is checked where it is handed over.)
TEST(SkinFormWin32, CaptionTextIsDrawnInTheSkinsCellHeight) {
  {
    SkinnedForm f(Skin::Main);
    ASSERT_TRUE(f.loaded);
    KillTimer(f.Handle(), TskSkinForm::kHoverTimerId);
    const std::string caption = f.form.Text();
    const Bitmap32 shown = f.PrintedActiveFrame();
    f.form.SetText("");
    const Bitmap32 plain = f.PrintedActiveFrame();
    const auto* object = dynamic_cast<const TskSkinCaptionObject*>(f.Object("caption"));
    ASSERT_NE(object, nullptr);
    const Rect band = object->TextBand();

    Dib32 expected(plain);
    ASSERT_TRUE(expected.Valid());
    HFONT font = CreateFontW(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Arial");
    ASSERT_NE(font, nullptr);
    HGDIOBJ old = SelectObject(expected.Dc(), font);
    wchar_t wide[256] = {};
    const int n = MultiByteToWideChar(CP_ACP, 0, caption.c_str(), int(caption.size()), wide, 255);
    SIZE extent{};
    GetTextExtentPoint32W(expected.Dc(), wide, n, &extent);
    ASSERT_LE(extent.cx, band.Width()) << "the caption fits its band, unshortened";
    const RECT clip{band.left, band.top, band.right, band.bottom};
    SetBkMode(expected.Dc(), TRANSPARENT);
    SetTextColor(expected.Dc(), object->ActiveFontColor);
    SetTextAlign(expected.Dc(), TA_LEFT | TA_TOP | TA_NOUPDATECP);
    ExtTextOutW(expected.Dc(), band.left, band.top + band.Height() / 2 - extent.cy / 2, ETO_CLIPPED, &clip, wide,
                UINT(n), nullptr);
    SelectObject(expected.Dc(), old);
    DeleteObject(font);
    const Bitmap32 want = expected.ToBitmap32();

    // Where the text's pixels lie, shown and wanted, for a readable failure.
    auto ink = [&](const Bitmap32& b) {
      int top = band.bottom, bottom = band.top, right = band.left;
      for (int y = band.top; y < band.bottom; ++y) {
        for (int x = band.left; x < band.right; ++x) {
          if (b.Pixel(x, y) == plain.Pixel(x, y)) continue;
          top = std::min(top, y);
          bottom = std::max(bottom, y + 1);
          right = std::max(right, x + 1);
        }
      }
      return "rows " + std::to_string(top) + "-" + std::to_string(bottom) + ", up to x " + std::to_string(right);
    };
    int differing = 0, ink_pixels = 0;
    for (int y = band.top; y < band.bottom; ++y) {
      for (int x = band.left; x < band.right; ++x) {
        differing += shown.Pixel(x, y) != want.Pixel(x, y);
        ink_pixels += want.Pixel(x, y) != plain.Pixel(x, y);
      }
    }
    EXPECT_GT(ink_pixels, 100) << "the expected text is drawn";
    EXPECT_EQ(differing, 0) << "shown: " << ink(shown) << "; wanted: " << ink(want);
  }
}

// --- plain frame and objects ---------------------------------------------------------------------

TEST(SkinFormWin32, PlainFrameWithoutASkinStillMovesSizesAndCloses) {
  SkinnedForm f(Skin::None);
  ASSERT_TRUE(f.created);
  EXPECT_FALSE(f.Frame().SkinActive());
  RECT client{};
  GetClientRect(f.Handle(), &client);
  EXPECT_EQ(client.right, 746);
  EXPECT_EQ(client.bottom, 433);
  const int w = f.Bounds().Width(), h = f.Bounds().Height();
  EXPECT_EQ(w, 746 + 6);
  EXPECT_EQ(h, 433 + f.Frame().PlainCaptionHeight + 6);
  EXPECT_EQ(f.HitAt({w / 2, 10}), HTCAPTION);
  EXPECT_EQ(f.HitAt({w - 1, h - 1}), HTBOTTOMRIGHT);
  EXPECT_EQ(f.HitAt({0, h / 2}), HTLEFT);
  EXPECT_EQ(f.HitAt({w / 2, h / 2}), HTCLIENT);
  const TskActiveSkinObject* close = nullptr;
  for (const auto& o : f.Frame().LiveObjects()) {
    const auto* b = dynamic_cast<const TskSkinStdButtonObject*>(o.get());
    if (b && b->Command == SkinCommand::Close) close = b;
  }
  ASSERT_NE(close, nullptr);
  const Point on = Center(close->ObjectRect);
  EXPECT_EQ(f.HitAt(on), HTOBJECT);
  // The plain frame is painted: its outer border in the 3-D light colour.
  const Bitmap32 shown = f.PrintedFrame();
  EXPECT_EQ(shown.Pixel(w / 2, 0), Color(GetSysColor(COLOR_3DLIGHT)));
  SendMessageA(f.Handle(), WM_NCLBUTTONDOWN, HTOBJECT, f.ScreenAt(on));
  SendMessageA(f.Handle(), WM_LBUTTONUP, 0, f.ClientAt(on));
  Pump();
  EXPECT_EQ(f.close_queries, 1);
  EXPECT_FALSE(IsWindowVisible(f.Handle()) && f.allow_close);
  EXPECT_EQ(f.skin.AppliedShape(), std::nullopt) << "no mask, no region";
}

TEST(SkinFormWin32, SkinChangesReachTheFrameAndAFailedLoadLeavesThePlainFrame) {
  SkinnedForm f(Skin::Main);
  ASSERT_TRUE(f.loaded);
  auto left_inset = [&] {
    POINT origin{0, 0};
    ClientToScreen(f.Handle(), &origin);
    return origin.x - f.Bounds().left;
  };
  ASSERT_EQ(left_inset(), 8);
  // A package that does not inflate: the skin data is left empty and says nothing more.
  TskCompressedStoredSkin broken;
  const std::uint8_t garbage[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  broken.ReadCompressedData(garbage);
  EXPECT_FALSE(f.data.SetCompressedStoredSkin(&broken).ok());
  Pump();
  EXPECT_FALSE(f.Frame().SkinActive());
  EXPECT_EQ(left_inset(), 3) << "the plain frame's border";
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(f.Handle(), region), ERROR) << "no mask, no region";
  EXPECT_EQ(f.HitAt({f.Bounds().Width() / 2, 10}), HTCAPTION);
  // The carried skin again: WM_SKINCHANGED applies it.
  EXPECT_TRUE(f.data.SetCompressedStoredSkin(&f.stored).ok());
  Pump();
  EXPECT_TRUE(f.Frame().SkinActive());
  EXPECT_EQ(left_inset(), 8);
  EXPECT_NE(GetWindowRgn(f.Handle(), region), ERROR);
  DeleteObject(region);
  f.data.SetCompressedStoredSkin(nullptr);
}

TEST(SkinFormWin32, RepaintsAreCachedAndReleaseEveryObject) {
  SkinnedForm f(Skin::Main);
  ASSERT_TRUE(f.loaded);
  for (int i = 0; i < 3; ++i) f.skin.RepaintFrame();
  const int compositions = f.skin.Compositions();
  f.skin.RepaintFrame();
  SendMessageA(f.Handle(), WM_NCPAINT, 1, 0);
  EXPECT_EQ(f.skin.Compositions(), compositions) << "nothing changed: the kept strips are copied again";
  const int gdi = LiveGdiObjects();
  const Rect start = f.Bounds();
  const Point close = Center(f.Object("closebutton")->ObjectRect);
  for (int i = 0; i < 20; ++i) {
    SetWindowPos(f.Handle(), nullptr, 0, 0, start.Width() + i % 5, start.Height() + i % 3,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(f.Handle(), WM_NCHITTEST, 0, f.ScreenAt(close));
    for (int t = 0; t < 6; ++t) SendMessageA(f.Handle(), WM_TIMER, TskSkinForm::kMorphTimerId, 0);
    f.Frame().ClearHover();
    SendMessageA(f.Handle(), WM_NCACTIVATE, i % 2, 0);
    SendMessageA(f.Handle(), WM_NCPAINT, 1, 0);
    Pump();
  }
  SetWindowPos(f.Handle(), nullptr, 0, 0, start.Width(), start.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(f.Handle(), WM_NCACTIVATE, TRUE, 0);
  Pump();
  EXPECT_GT(f.skin.Compositions(), compositions);
  EXPECT_EQ(LiveGdiObjects(), gdi);
}

TEST(SkinFormWin32, TakingAWindowOverAndGivingItBackLeavesNothingBehind) {
  { SkinnedForm warm(Skin::Main); }
  Pump();
  const int gdi = LiveGdiObjects();
  for (int i = 0; i < 3; ++i) {
    SkinnedForm f(i % 2 ? Skin::Dialog : Skin::Main);
    ASSERT_TRUE(f.loaded);
    f.skin.RepaintFrame();
  }
  Pump();
  EXPECT_EQ(LiveGdiObjects(), gdi);
}

}  // namespace
}  // namespace netscry
