// THotBitBtn in a real window under the platform: real mouse and keyboard messages, the face
// painted into a DIB and read back, glyphs loaded from resources, and GDI objects counted over
// create, paint and destroy cycles.
#include "controls/hot_button/hot_button_win32.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/bitmap_canvas.h"
#include "base/png_writer.h"
#include "controls/hot_button/hot_colors.h"
#include "panel_fixture.h"

namespace netscry {
namespace {

using namespace testing_buttons;

constexpr Color kMainFace = 15791348;   // RGB (244, 244, 240)
constexpr Color kHighlight = 16026986;  // RGB (106, 141, 244)
constexpr Color kHotTrack = 3983359;    // RGB (255, 199, 60)

HotBitBtnParams MainButton(const std::string& caption, Rect bounds, const char* glyph_resource = "BTNREFRESH",
                           bool theme_aware = false) {
  HotBitBtnParams p;
  p.theme_aware = theme_aware;
  p.caption = caption;
  p.bounds = bounds;
  p.color = kMainFace;
  p.highlight_color = kHighlight;
  p.hot_track_color = kHotTrack;
  if (glyph_resource) p.glyph = LoadHotButtonGlyphResource(GetModuleHandleA(nullptr), glyph_resource);
  return p;
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class HotBitBtnTest : public PanelFixture {
 protected:
  void SetUp() override {
    PanelFixture::SetUp();
    ASSERT_NE(button.Create(panel, MainButton("刷新", {100, 40, 180, 66})), nullptr);
    button.OnClick = [this] { ++clicks; };
    Pump();
  }
  void Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) { SendMessageA(button.Handle(), msg, wp, lp); }
  Color Px(int x, int y) { return Snapshot(button.Handle()).Pixel(x, y); }

  THotBitBtn button;
  int clicks = 0;
};

TEST_F(HotBitBtnTest, UnthemedFaceShowsTheDerivedColoursOverThePanel) {
  ASSERT_FALSE(button.Themed());
  const Bitmap32 b = Snapshot(button.Handle());
  ASSERT_EQ(b.Width(), 80);
  ASSERT_EQ(b.Height(), 26);
  const Color btn_face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(b.Pixel(0, 0), kPanelColor);  // the corners show the parent's background
  EXPECT_EQ(b.Pixel(79, 25), kPanelColor);
  EXPECT_EQ(b.Pixel(0, 5), DarkenColor(btn_face, 20));
  EXPECT_EQ(b.Pixel(79, 5), LightenColor(btn_face, 20));
  EXPECT_EQ(b.Pixel(1, 5), Color(GetSysColor(COLOR_3DDKSHADOW)));
  EXPECT_EQ(b.Pixel(40, 2), Rgb(255, 255, 255));
  EXPECT_EQ(b.Pixel(40, 21), Rgb(235, 235, 228));
  EXPECT_EQ(b.Pixel(40, 22), Rgb(226, 226, 216));
  EXPECT_EQ(b.Pixel(40, 23), Rgb(217, 217, 203));
  // The glyph sits at (7, 5) with its transparent pixels showing the face.
  const HotButtonGlyph& g = button.Glyph();
  int glyph_pixels = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const Color c = g.bitmap.Pixel(x, y);
      if (c == g.TransparentColor()) {
        EXPECT_NE(b.Pixel(7 + x, 5 + y), c);
      } else {
        EXPECT_EQ(b.Pixel(7 + x, 5 + y), c) << x << "," << y;
        ++glyph_pixels;
      }
    }
  }
  EXPECT_GT(glyph_pixels, 60);
  // Some caption ink in the caption area, right of the glyph, in the window-text colour's range.
  int ink = 0;
  for (int y = 5; y < 21; ++y) {
    for (int x = 27; x < 75; ++x) ink += GreenOf(b.Pixel(x, y)) < 150;
  }
  EXPECT_GT(ink, 10);
}

TEST_F(HotBitBtnTest, FaceWithoutCaptionEqualsThePortablePainter) {
  ASSERT_FALSE(button.Themed());
  button.SetCaption("");
  for (const HotButtonVisual& v : {HotButtonVisual{true, false, false, false}, HotButtonVisual{false, false, false, false}}) {
    button.SetEnabled(v.enabled);
    const Bitmap32 real = Snapshot(button.Handle());
    Bitmap32 want(80, 26, kPanelColor);
    BitmapCanvas canvas(want);
    HotButtonStyle style;
    style.color = kMainFace;
    style.highlight_color = kHighlight;
    style.hot_track_color = kHotTrack;
    style.frame_color = Color(GetSysColor(COLOR_3DDKSHADOW));
    HotButtonPaint p;
    p.client = {80, 26};
    p.visual = v;
    p.style = &style;
    p.sys = CurrentHotButtonSystemColors();
    p.glyph = &button.Glyph();
    PaintHotButtonFace(canvas, p);
    PaintHotButtonContent(canvas, p);
    EXPECT_EQ(real, want) << (v.enabled ? "enabled" : "disabled");
  }
}

TEST_F(HotBitBtnTest, MouseClicksFireOnlyOnReleaseInside) {
  struct Case {
    const char* name;
    std::vector<std::pair<UINT, Point>> events;
    int clicks;
  };
  const Case cases[] = {
      {"press and release inside", {{WM_LBUTTONDOWN, {40, 13}}, {WM_LBUTTONUP, {40, 13}}}, 1},
      {"press, move out, release outside",
       {{WM_LBUTTONDOWN, {40, 13}}, {WM_MOUSEMOVE, {120, 13}}, {WM_LBUTTONUP, {120, 13}}}, 0},
      {"press, out, back in, release",
       {{WM_LBUTTONDOWN, {40, 13}}, {WM_MOUSEMOVE, {-5, 40}}, {WM_MOUSEMOVE, {10, 10}}, {WM_LBUTTONUP, {10, 10}}}, 1},
      {"release at the right edge is outside", {{WM_LBUTTONDOWN, {40, 13}}, {WM_LBUTTONUP, {80, 13}}}, 0},
      {"release without press", {{WM_MOUSEMOVE, {40, 13}}, {WM_LBUTTONUP, {40, 13}}}, 0},
      {"double click counts twice", {{WM_LBUTTONDOWN, {40, 13}}, {WM_LBUTTONUP, {40, 13}}, {WM_LBUTTONDBLCLK, {40, 13}},
                                     {WM_LBUTTONUP, {40, 13}}}, 2},
  };
  for (const Case& c : cases) {
    clicks = 0;
    for (const auto& [msg, p] : c.events) {
      Send(msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, At(p.x, p.y));
      if (msg == WM_LBUTTONDOWN) {
        EXPECT_EQ(GetCapture(), button.Handle()) << c.name;
        EXPECT_EQ(GetFocus(), button.Handle()) << c.name;
      }
    }
    EXPECT_EQ(clicks, c.clicks) << c.name;
    EXPECT_NE(GetCapture(), button.Handle()) << c.name;
    Send(WM_MOUSELEAVE);
  }
}

TEST_F(HotBitBtnTest, HoverFocusAndPressShowTheirFaces) {
  ASSERT_FALSE(button.Themed());
  Send(WM_MOUSEMOVE, 0, At(40, 13));
  EXPECT_TRUE(button.Visual().hot);
  EXPECT_EQ(Px(2, 2), Rgb(255, 241, 205));
  EXPECT_EQ(Px(40, 23), Rgb(255, 199, 60));

  Send(WM_MOUSELEAVE);
  button.SetFocus();
  Pump();
  EXPECT_TRUE(button.Visual().focused);
  const Bitmap32 focused = Snapshot(button.Handle());
  EXPECT_EQ(focused.Pixel(2, 2), Rgb(220, 228, 252));
  EXPECT_EQ(focused.Pixel(40, 23), Rgb(162, 183, 248));
  // The dotted focus rectangle 3 pixels inside: some of its row differs from the ring's row.
  int dotted = 0;
  for (int x = 3; x < 77; ++x) dotted += focused.Pixel(x, 3) != focused.Pixel(2, 3);
  EXPECT_GT(dotted, 10);

  Send(WM_MOUSEMOVE, 0, At(40, 13));  // focused and under the mouse: the amber ring
  EXPECT_EQ(Px(2, 2), Rgb(255, 241, 205));

  Send(WM_LBUTTONDOWN, MK_LBUTTON, At(40, 13));
  EXPECT_TRUE(button.Visual().pressed);
  EXPECT_EQ(Px(40, 12), Rgb(235, 235, 228));
  EXPECT_EQ(Px(40, 23), Rgb(235, 235, 228));
  Send(WM_MOUSEMOVE, MK_LBUTTON, At(200, 13));
  EXPECT_FALSE(button.Visual().pressed);
  EXPECT_EQ(Px(2, 2), Rgb(220, 228, 252));  // out while held: focused, not hot
  Send(WM_LBUTTONUP, 0, At(200, 13));
  EXPECT_EQ(clicks, 0);
}

TEST_F(HotBitBtnTest, SpaceAndEnterClickTheFocusedButton) {
  button.SetFocus();
  Pump();
  Send(WM_KEYDOWN, VK_SPACE, 0x00390001);
  EXPECT_TRUE(button.Visual().pressed);
  EXPECT_EQ(clicks, 0);
  Send(WM_KEYUP, VK_SPACE, LPARAM(0xC0390001));
  EXPECT_FALSE(button.Visual().pressed);
  EXPECT_EQ(clicks, 1);

  // Enter through the window layer's dispatch, where the dialog manager sees it first.
  PostMessageA(button.Handle(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
  Pump();
  EXPECT_EQ(clicks, 2);
  // Space through the same path: pressed on the way down, clicked on the way up.
  PostMessageA(button.Handle(), WM_KEYDOWN, VK_SPACE, 0x00390001);
  PostMessageA(button.Handle(), WM_KEYUP, VK_SPACE, LPARAM(0xC0390001));
  Pump();
  EXPECT_EQ(clicks, 3);

  // Losing the focus with space held abandons the press.
  Send(WM_KEYDOWN, VK_SPACE, 0x00390001);
  SetFocus(panel.Handle());
  Send(WM_KEYUP, VK_SPACE, LPARAM(0xC0390001));
  EXPECT_EQ(clicks, 3);
  EXPECT_FALSE(button.Visual().focused);
}

TEST_F(HotBitBtnTest, DisabledButtonShowsGreyGlyphIgnoresInputButRunsClickFromCode) {
  button.SetEnabled(false);
  EXPECT_FALSE(button.Visual().enabled);
  {
    const Bitmap32 b = Snapshot(button.Handle());
    EXPECT_EQ(b.Pixel(1, 5), Rgb(172, 172, 142));
    EXPECT_EQ(b.Pixel(0, 5), kPanelColor);  // no outer edge
    EXPECT_EQ(b.Pixel(40, 3), kMainFace);   // flat face
    // Image 1 of the glyph (the grey one).
    const HotButtonGlyph& g = button.Glyph();
    int grey = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const Color c = g.bitmap.Pixel(16 + x, y);
        if (c == g.TransparentColor()) continue;
        EXPECT_EQ(b.Pixel(7 + x, 5 + y), c) << x << "," << y;
        ++grey;
      }
    }
    EXPECT_GT(grey, 60);
  }
  Send(WM_MOUSEMOVE, 0, At(40, 13));
  Send(WM_LBUTTONDOWN, MK_LBUTTON, At(40, 13));
  Send(WM_LBUTTONUP, 0, At(40, 13));
  Send(WM_KEYDOWN, VK_SPACE, 0);
  Send(WM_KEYUP, VK_SPACE, 0);
  Send(WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(button.Visual().hot);
  EXPECT_NE(GetCapture(), button.Handle());

  button.Click();  // a click from code runs the handler even now
  EXPECT_EQ(clicks, 1);

  button.SetEnabled(true);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, At(40, 13));
  Send(WM_LBUTTONUP, 0, At(40, 13));
  EXPECT_EQ(clicks, 2);
}

TEST_F(HotBitBtnTest, HandlerThatDisablesOrDestroysTheButtonIsSafe) {
  // Like the refresh: the handler disables the button, works, and enables it again.
  bool was_disabled_inside = false;
  button.OnClick = [&] {
    ++clicks;
    button.SetEnabled(false);
    was_disabled_inside = !button.Visual().enabled;
    button.SetEnabled(true);
  };
  Send(WM_LBUTTONDOWN, MK_LBUTTON, At(40, 13));
  Send(WM_LBUTTONUP, 0, At(40, 13));
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(was_disabled_inside);
  EXPECT_TRUE(button.Visual().enabled);
  EXPECT_NE(GetCapture(), button.Handle());

  button.OnClick = [&] {
    ++clicks;
    button.Destroy();
  };
  HWND hwnd = button.Handle();
  SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(40, 13));
  SendMessageA(hwnd, WM_LBUTTONUP, 0, At(40, 13));
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(button.Handle(), nullptr);
}

TEST_F(HotBitBtnTest, RealMouseInputClicks) {
  // The pointer moved and pressed through the platform's input queue, not sent messages.
  POINT centre{40, 13};
  ClientToScreen(button.Handle(), &centre);
  ASSERT_TRUE(SetCursorPos(centre.x, centre.y));
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ASSERT_EQ(SendInput(2, in, sizeof(INPUT)), 2u);
  // Bounded wait for the input to come through the queue.
  for (int i = 0; i < 200 && clicks == 0; ++i) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    Pump();
  }
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(button.Visual().focused);
}

TEST(HotButtonGlyphs, ResourcesLoadAsTheirFiles) {
  const std::pair<const char*, const char*> glyphs[] = {{"BTNHELP", "BTNHelp.bmp"},
                                                        {"BTNUPDATE", "BTNUpdate.bmp"},
                                                        {"BTNHOMEPAGE", "BTNHomePage.bmp"},
                                                        {"BTNREFRESH", "BTNRefresh.bmp"},
                                                        {"BTNENDPRO", "BTNEndPro.bmp"}};
  for (const auto& [name, file] : glyphs) {
    const HotButtonGlyph g = LoadHotButtonGlyphResource(GetModuleHandleA(nullptr), name);
    ASSERT_FALSE(g.Empty()) << name;
    EXPECT_EQ(g.bitmap.Width(), 32) << name;
    EXPECT_EQ(g.bitmap.Height(), 16) << name;
    EXPECT_EQ(g.ImageSize(), (Size{16, 16})) << name;
    EXPECT_EQ(g.TransparentColor(), Rgb(255, 0, 255)) << name;
    const HotButtonGlyph from_file = LoadHotButtonGlyphFile(std::string(NETSCRY_RESOURCES_DIR) + "/glyphs/" + file);
    EXPECT_EQ(g.bitmap, from_file.bitmap) << name;
  }
  EXPECT_TRUE(LoadHotButtonGlyphResource(GetModuleHandleA(nullptr), "NO_SUCH_GLYPH").Empty());
  EXPECT_TRUE(LoadHotButtonGlyphFile("C:\\no-such-glyph.bmp").Empty());
  EXPECT_TRUE(HotButtonGlyphFromBitmap(nullptr).Empty());
}

TEST(HotButtonGlyphs, ManageGlyphAndProgramIconLoadThroughThePlatform) {
  const HotButtonGlyph manage = LoadHotButtonGlyphFile(std::string(NETSCRY_RESOURCES_DIR) + "/glyphs/manage.bmp", 1);
  ASSERT_EQ(manage.bitmap.Width(), 19);
  ASSERT_EQ(manage.bitmap.Height(), 18);
  const Color plus = manage.bitmap.Pixel(13, 12);
  EXPECT_GT(GreenOf(plus), RedOf(plus) + 60);
  EXPECT_EQ(manage.bitmap.Pixel(5, 11), Rgb(255, 255, 255));

  const std::string ico = std::string(NETSCRY_RESOURCES_DIR) + "/netscry.ico";
  for (int size : {16, 32, 48}) {
    HICON icon = static_cast<HICON>(LoadImageA(nullptr, ico.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, size);
    EXPECT_EQ(colour.bmHeight, size);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    Dib32 dib(size, size);
    const RECT all{0, 0, size, size};
    FillRect(dib.Dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ASSERT_TRUE(DrawIconEx(dib.Dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL));
    DestroyIcon(icon);
    EXPECT_EQ(dib.Pixel(0, 0), Rgb(255, 255, 255)) << size;  // transparent corner
    const Color sea = dib.Pixel(size * 12 / 48, size * 30 / 48);  // the globe's sea, clear of land and glass
    EXPECT_GT(BlueOf(sea), RedOf(sea) + 40) << size;
  }
}

TEST_F(PanelFixture, ThemedFaceFollowsTheState) {
  THotBitBtn b;
  ASSERT_NE(b.Create(panel, MainButton("刷新", {100, 40, 180, 66}, "BTNREFRESH", /*theme_aware=*/true)), nullptr);
  if (!b.Themed()) GTEST_SKIP() << "no visual theme is active here";
  const Bitmap32 normal = Snapshot(b.Handle());
  SendMessageA(b.Handle(), WM_MOUSEMOVE, 0, At(40, 13));
  const Bitmap32 hot = Snapshot(b.Handle());
  SendMessageA(b.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(40, 13));
  const Bitmap32 pressed = Snapshot(b.Handle());
  SendMessageA(b.Handle(), WM_LBUTTONUP, 0, At(40, 13));
  b.SetEnabled(false);
  const Bitmap32 disabled = Snapshot(b.Handle());
  EXPECT_NE(hot, normal);
  EXPECT_NE(pressed, hot);
  EXPECT_NE(disabled, normal);
  // Not the unthemed face: no gradient from white to the derived bottom colours.
  EXPECT_NE(normal.Pixel(40, 23), Rgb(217, 217, 203));
  // The glyph is drawn over the theme's face at the same place, image 0 and then image 1.
  const HotButtonGlyph& g = b.Glyph();
  for (const auto& [shot, offset] : {std::pair{&normal, 0}, std::pair{&disabled, 16}}) {
    int same = 0, drawn = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const Color c = g.bitmap.Pixel(offset + x, y);
        if (c == g.TransparentColor()) continue;
        ++drawn;
        same += shot->Pixel(7 + x, 5 + y) == c;
      }
    }
    EXPECT_EQ(same, drawn) << offset;
  }
}

TEST_F(PanelFixture, CreatePaintDestroyCyclesKeepGdiObjectsFlat) {
  auto cycle = [&](int i) {
    THotBitBtn b;
    HotBitBtnParams p = MainButton(i % 2 ? "结束进程" : "帮助", {10, 10, 120, 36}, i % 2 ? "BTNENDPRO" : "BTNHELP");
    ASSERT_NE(b.Create(panel, p), nullptr);
    UpdateWindow(b.Handle());
    (void)Snapshot(b.Handle());
    SendMessageA(b.Handle(), WM_MOUSEMOVE, 0, At(5, 5));
    b.SetFocus();
    (void)Snapshot(b.Handle());
    MoveWindow(b.Handle(), 10, 10, 90 + i % 7, 30, TRUE);  // a new size: new buffer and font
    UpdateWindow(b.Handle());
    b.SetEnabled(false);
    (void)Snapshot(b.Handle());
  };
  cycle(0);  // the platform makes its own lasting objects on first use
  Pump();
  const int before = LiveGdiObjects();
  ASSERT_GT(before, 0);
  for (int i = 1; i <= 40; ++i) cycle(i);
  Pump();
  EXPECT_EQ(LiveGdiObjects(), before);

  // The counter sees a leak: one object kept alive shows.
  HBRUSH leak = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(LiveGdiObjects(), before + 1);
  DeleteObject(leak);
}

TEST_F(PanelFixture, ButtonsOfTheMainWindowForAPersonToLookAt) {
  // Writes hot_buttons.png and hot_buttons_themed.png: the five buttons and the dialog's OK
  // button, then the refresh button hot, focused, pressed and disabled.
  struct Placed {
    const char* caption;
    const char* glyph;
    Rect bounds;
  };
  const Placed placed[] = {{"帮助", "BTNHELP", {4, 4, 78, 36}},        {"更新", "BTNUPDATE", {80, 4, 166, 36}},
                        {"主页", "BTNHOMEPAGE", {168, 4, 254, 36}}, {"刷新", "BTNREFRESH", {4, 44, 84, 70}},
                        {"结束进程", "BTNENDPRO", {88, 44, 198, 70}}, {"确定", nullptr, {300, 44, 397, 70}}};
  for (bool themed : {false, true}) {
    std::vector<std::unique_ptr<THotBitBtn>> buttons;
    for (const Placed& s : placed) {
      HotBitBtnParams p = MainButton(s.caption, s.bounds, s.glyph, themed);
      if (!s.glyph) p.color = 15653585;  // the dialog's face
      buttons.push_back(std::make_unique<THotBitBtn>());
      ASSERT_NE(buttons.back()->Create(panel, p), nullptr);
    }
    Pump();
    Bitmap32 sheet(420, 120, kPanelColor);
    auto place = [&](const Bitmap32& b, int x, int y) {
      for (int j = 0; j < b.Height(); ++j) {
        for (int i = 0; i < b.Width(); ++i) sheet.SetPixel(x + i, y + j, b.Pixel(i, j));
      }
    };
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      place(Snapshot(buttons[i]->Handle()), placed[i].bounds.left, placed[i].bounds.top);
    }
    THotBitBtn& r = *buttons[3];
    SendMessageA(r.Handle(), WM_MOUSEMOVE, 0, At(5, 5));
    place(Snapshot(r.Handle()), 4, 80);
    SendMessageA(r.Handle(), WM_MOUSELEAVE, 0, 0);
    r.SetFocus();
    place(Snapshot(r.Handle()), 88, 80);
    SendMessageA(r.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    place(Snapshot(r.Handle()), 172, 80);
    SendMessageA(r.Handle(), WM_KEYUP, VK_SPACE, 0);
    r.SetEnabled(false);
    place(Snapshot(r.Handle()), 256, 80);
    EXPECT_TRUE(WritePng(sheet, themed ? "hot_buttons_themed.png" : "hot_buttons.png"));
  }
}

}  // namespace
}  // namespace netscry
