// Frame objects: cross-fade, the press and release routing of caption buttons, their commands
// and the frame state they change.
#include <gtest/gtest.h>

#include "frame_fixture.h"

namespace netscry {
namespace {

using namespace testing_frame;

TEST(MorphBlend, BlendsChannelsRoundedAndLimited) {
  struct Case {
    Color a, b;
    double k;
    Color expected;
  } cases[] = {
      {Rgb(10, 20, 30), kWhite, 0.0, Rgb(10, 20, 30)},
      {Rgb(10, 20, 30), kWhite, 0.2, Rgb(59, 67, 75)},    // 8 + 51, 16 + 51, 24 + 51
      {Rgb(10, 20, 30), kWhite, 0.6, Rgb(157, 161, 165)}, // 4 + 153, 8 + 153, 12 + 153
      {Rgb(0, 0, 0), Rgb(1, 3, 255), 0.5, Rgb(1, 2, 128)},  // 0.5, 1.5, 127.5 round up
      {Rgb(10, 20, 30), kWhite, 1.0, kWhite},
      {Rgb(10, 20, 30), kWhite, 1.7, kWhite},             // k limited to 0 … 1
      {Rgb(10, 20, 30), kWhite, -3.0, Rgb(10, 20, 30)},
  };
  for (const Case& c : cases) EXPECT_EQ(MorphBlend(c.a, c.b, c.k), c.expected) << c.k;
}

class MainFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildMainSkin(skin);
    // The maximise button's restore images: normal blue, hot green, pressed yellow.
    Bitmap32& buttons = *skin.ActivePictures[0];
    for (int x = 500; x < 525; ++x) {
      for (int y = 1; y < 18; ++y) {
        buttons.SetPixel(x, y, Rgb(0, 0, 255));
        buttons.SetPixel(x, y + 20, Rgb(0, 255, 0));
        buttons.SetPixel(x, y + 40, Rgb(255, 255, 0));
      }
    }
    frame.BorderIcons = biSystemMenu | biMinimize | biMaximize;
    frame.ShowIcon = true;
    frame.SetSkinData(&skin);
    frame.SetSize(762, 469);
    close = Index("closebutton");
    maximize = Index("maximizebutton");
  }
  int Index(const std::string& name) const {
    for (std::size_t i = 0; i < frame.FrameObjects.size(); ++i) {
      if (frame.FrameObjects[i]->IDName == name) return int(i);
    }
    return -1;
  }
  TskActiveSkinObject& Obj(int i) { return *frame.FrameObjects[std::size_t(i)]; }
  Point Centre(int i) {
    const Rect r = Obj(i).ObjectRect;
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // The colour the object shows when repainted onto the window.
  Color Shown(int i) {
    Bitmap32 window(762, 469, Rgb(1, 1, 1));
    BitmapCanvas canvas(window);
    frame.DrawObject(i, canvas);
    return window.Pixel(Centre(i).x, Centre(i).y);
  }
  FakeHost host;
  TskSkinData skin;
  TskSkinFrame frame{host};
  int close = -1, maximize = -1;
};

TEST_F(MainFrame, HoverCrossFadesInFiveStepsAndBack) {
  ASSERT_NE(close, -1);
  frame.UpdateHover(Centre(close));
  EXPECT_EQ(frame.HoverIndex, close);
  EXPECT_TRUE(Obj(close).Hot);
  EXPECT_EQ(host.morph_timer_starts, 1);  // the fade runs on the timer, not at once
  EXPECT_TRUE(host.repaints.empty());
  EXPECT_EQ(Shown(close), Rgb(10, 20, 30));
  const Color fade_in[5] = {Rgb(59, 67, 75), Rgb(108, 114, 120), Rgb(157, 161, 165), Rgb(206, 208, 210), kWhite};
  for (int step = 0; step < 5; ++step) {
    EXPECT_TRUE(frame.MorphTimerTick()) << step;
    EXPECT_EQ(Shown(close), fade_in[step]) << step;
  }
  EXPECT_EQ(host.repaints, std::vector<int>(5, close));
  EXPECT_FALSE(frame.MorphTimerTick());  // nothing moves any more: the timer stops
  EXPECT_EQ(host.morph_timer_stops, 1);

  frame.UpdateHover({400, 200});  // off every object
  EXPECT_EQ(frame.HoverIndex, -1);
  EXPECT_FALSE(Obj(close).Hot);
  EXPECT_EQ(host.morph_timer_starts, 2);
  for (int step = 3; step >= 0; --step) {
    EXPECT_TRUE(frame.MorphTimerTick());
    EXPECT_EQ(Shown(close), fade_in[step]) << step;
  }
  EXPECT_TRUE(frame.MorphTimerTick());
  EXPECT_EQ(Shown(close), Rgb(10, 20, 30));
  EXPECT_FALSE(frame.MorphTimerTick());
}

TEST_F(MainFrame, PressMoveOffAndReleaseRunsNothing) {
  frame.UpdateHover(Centre(close));
  frame.NcButtonDown(Centre(close), TskMouseButton::Left, kHitObject);
  EXPECT_EQ(frame.PressedIndex, close);
  EXPECT_TRUE(host.captured);
  auto& button = static_cast<TskSkinStdButtonObject&>(Obj(close));
  EXPECT_TRUE(button.Down);
  EXPECT_EQ(button.MorphFactor(), 1.0);
  EXPECT_EQ(Shown(close), Rgb(255, 0, 0));  // pressed image

  // Over another object while the close button holds the mouse: nothing is hovered.
  frame.UpdateHover(Centre(maximize));
  EXPECT_EQ(frame.HoverIndex, -1);
  EXPECT_FALSE(button.Hot);
  EXPECT_EQ(Shown(close), kWhite);  // down, but the mouse is outside: fading back from hot
  while (frame.MorphTimerTick()) {
  }
  EXPECT_EQ(Shown(close), Rgb(10, 20, 30));
  frame.ButtonUp(Centre(maximize), TskMouseButton::Left);
  EXPECT_EQ(host.closes, 0);
  EXPECT_FALSE(button.Down);
  EXPECT_FALSE(host.captured);
  EXPECT_EQ(frame.PressedIndex, -1);

  // Press and release on it: the form closes.
  frame.UpdateHover(Centre(close));
  frame.NcButtonDown(Centre(close), TskMouseButton::Left, kHitObject);
  frame.ButtonUp(Centre(close), TskMouseButton::Left);
  EXPECT_EQ(host.closes, 1);
  EXPECT_FALSE(button.Down);
  // The right button presses nothing down.
  frame.NcButtonDown(Centre(close), TskMouseButton::Right, kHitObject);
  EXPECT_FALSE(button.Down);
  frame.ButtonUp(Centre(close), TskMouseButton::Right);
  EXPECT_EQ(host.closes, 1);
}

TEST_F(MainFrame, MaximiseShowsRestoreImagesAndRestoresTheBounds) {
  const Rect normal = host.bounds;
  frame.NcButtonDown(Centre(maximize), TskMouseButton::Left, kHitObject);
  frame.ButtonUp(Centre(maximize), TskMouseButton::Left);
  EXPECT_EQ(frame.FrameState, TskFrameState::Maximized);
  EXPECT_EQ(host.bounds, (Rect{0, 0, 1024, 738}));  // the work area
  EXPECT_EQ(frame.SavedBounds, normal);
  // Still hovered after the click: the restore image's hot form once the fade has run.
  while (frame.MorphTimerTick()) {
  }
  EXPECT_EQ(Shown(maximize), Rgb(0, 255, 0));
  frame.UpdateHover({400, 200});
  while (frame.MorphTimerTick()) {
  }
  EXPECT_EQ(Shown(maximize), Rgb(0, 0, 255));
  frame.UpdateHover(Centre(maximize));
  frame.NcButtonDown(Centre(maximize), TskMouseButton::Left, kHitObject);
  EXPECT_EQ(Shown(maximize), Rgb(255, 255, 0));
  frame.ButtonUp(Centre(maximize), TskMouseButton::Left);
  EXPECT_EQ(frame.FrameState, TskFrameState::Normal);
  EXPECT_EQ(host.bounds, normal);
  EXPECT_TRUE(frame.SavedBounds.IsEmpty());
}

TEST_F(MainFrame, FrameStateBoundsArithmetic) {
  // A work area as large as the primary monitor is shrunk by a pixel on every side.
  host.monitor = {{0, 0, 1024, 768}, {0, 0, 1024, 768}, true};
  frame.SetFrameState(TskFrameState::Maximized);
  EXPECT_EQ(host.bounds, (Rect{1, 1, 1023, 767}));
  frame.SetFrameState(TskFrameState::Maximized);  // already: nothing happens
  EXPECT_EQ(host.bounds, (Rect{1, 1, 1023, 767}));
  frame.SetFrameState(TskFrameState::Normal);
  // Not on the primary screen: the whole work area.
  host.monitor = {{1024, 0, 2048, 768}, {1024, 0, 2048, 768}, false};
  frame.SetFrameState(TskFrameState::Maximized);
  EXPECT_EQ(host.bounds, (Rect{1024, 0, 2048, 768}));
  frame.SetFrameState(TskFrameState::Normal);
  EXPECT_EQ(host.bounds, (Rect{100, 100, 862, 569}));

  // The main form minimises the application and keeps its state.
  host.main_form = true;
  frame.SetFrameState(TskFrameState::Minimized);
  EXPECT_EQ(host.app_minimizes, 1);
  EXPECT_EQ(frame.FrameState, TskFrameState::Normal);

  // Another form parks at the bottom left of the work area at the skin's minimum size, beside
  // forms already parked (one per row on a 1024-pixel screen with 704-pixel forms).
  host.main_form = false;
  host.monitor = {{0, 0, 1024, 768}, {0, 0, 1024, 738}, true};
  host.parked = {{0, 702, 704, 738}};
  frame.SetFrameState(TskFrameState::Minimized);
  EXPECT_EQ(frame.FrameState, TskFrameState::Minimized);
  EXPECT_EQ(host.bounds, (Rect{0, 666, 704, 702}));
  frame.SetFrameState(TskFrameState::Normal);
  EXPECT_EQ(host.bounds, (Rect{100, 100, 862, 569}));

  // Maximised, then minimised: restoring returns to the normal bounds, not the maximised ones.
  frame.SetFrameState(TskFrameState::Maximized);
  frame.SetFrameState(TskFrameState::Minimized);
  frame.SetFrameState(TskFrameState::Normal);
  EXPECT_EQ(host.bounds, (Rect{100, 100, 862, 569}));

  // A restore to the same size asks for a relayout.
  host.bounds = {0, 0, 762, 469};
  frame.SavedBounds = {};
  frame.FrameState = TskFrameState::Maximized;
  frame.SavedBounds = {50, 50, 812, 519};
  frame.SetFrameState(TskFrameState::Normal);
  EXPECT_EQ(host.relayouts, 1);
}

TEST_F(MainFrame, CaptionDoubleClickAndTheIconButton) {
  frame.NcDblClick({300, 12}, TskMouseButton::Left, kHitCaption);
  EXPECT_EQ(frame.FrameState, TskFrameState::Maximized);
  frame.NcDblClick({300, 12}, TskMouseButton::Left, kHitCaption);
  EXPECT_EQ(frame.FrameState, TskFrameState::Normal);
  frame.Sizeable = false;  // the dialog: a double click rolls up, which it may not
  frame.NcDblClick({300, 12}, TskMouseButton::Left, kHitCaption);
  EXPECT_EQ(frame.FrameState, TskFrameState::Normal);
  EXPECT_FALSE(frame.RolledUp);

  const int icon = Index("sysmenubutton");
  frame.NcButtonDown(Centre(icon), TskMouseButton::Left, kHitObject);
  frame.ButtonUp(Centre(icon), TskMouseButton::Left);
  EXPECT_EQ(host.closes, 0);  // a single click opens the (empty) system menu only
  frame.NcDblClick(Centre(icon), TskMouseButton::Right, kHitObject);
  frame.ButtonUp(Centre(icon), TskMouseButton::Right);
  EXPECT_EQ(host.closes, 0);  // only the left button's double click closes
  frame.NcDblClick(Centre(icon), TskMouseButton::Left, kHitObject);
  EXPECT_EQ(host.closes, 1);
}

TEST_F(MainFrame, InactiveImagesActivationResetAndSizeLoops) {
  auto& button = static_cast<TskSkinStdButtonObject&>(Obj(close));
  button.InActiveSkinRect = {654, 61, 697, 78};  // picture 0 rows 60 … 80 are (10, 20, 30)
  skin.ActivePictures[0]->SetPixel(675, 69, Rgb(9, 9, 9));  // under the button's centre
  host.active = false;
  EXPECT_EQ(Shown(close), Rgb(9, 9, 9));
  host.active = true;
  frame.UpdateHover(Centre(close));
  while (frame.MorphTimerTick()) {
  }
  frame.ResetObjects();
  EXPECT_FALSE(button.Hot);
  EXPECT_EQ(button.MorphFactor(), 0.0);
  frame.UpdateHover(Centre(close));
  frame.EnterSizeMove();
  EXPECT_EQ(frame.HoverIndex, -1);
  EXPECT_FALSE(button.Hot);
  frame.HoverTimerTick(Centre(close));  // during the loop the hover timer only stops itself
  EXPECT_EQ(frame.HoverIndex, -1);
  frame.ExitSizeMove();
  frame.HoverTimerTick(Centre(close));
  EXPECT_EQ(frame.HoverIndex, close);
  frame.HoverTimerTick({400, 200});  // inside the client: no hover
  EXPECT_EQ(frame.HoverIndex, -1);
}

TEST_F(MainFrame, SkinChangingDropsTheObjects) {
  frame.UpdateHover(Centre(close));
  skin.Empty = true;
  frame.SkinChanging();
  EXPECT_TRUE(frame.FrameObjects.empty());
  EXPECT_EQ(frame.HoverIndex, -1);
  EXPECT_EQ(frame.CaptionObject(), nullptr);
  EXPECT_FALSE(frame.SkinActive());
  skin.Empty = false;
  frame.ApplySkin();
  EXPECT_EQ(frame.FrameObjects.size(), 5u);
  ASSERT_NE(frame.CaptionObject(), nullptr);
  EXPECT_EQ(frame.CaptionObject()->ObjectRect, (Rect{23, 5, 662, 24}));  // laid out again
}

}  // namespace
}  // namespace netscry

namespace netscry {
namespace {

using namespace testing_frame;

struct TimerHost : FakeHost {
  int hover_starts = 0;
  void SetTimer(FrameTimer timer, bool running) override {
    if (timer == FrameTimer::Hover && running) ++hover_starts;
    FakeHost::SetTimer(timer, running);
  }
};

TEST(FrameMessages, HitTestOverAnObjectStartsHoverTracking) {
  TimerHost host;
  TskSkinData skin;
  BuildMainSkin(skin);
  TskSkinFrame frame(host);
  frame.BorderIcons = biSystemMenu | biMinimize | biMaximize;
  frame.SetSkinData(&skin);
  frame.SetSize(762, 469);
  EXPECT_EQ(host.hover_starts, 1);  // applying the skin starts tracking
  frame.NcHitTest({733, 9});        // already tracking
  EXPECT_EQ(host.hover_starts, 1);
  frame.EnterSizeMove();  // a move or size loop stops it
  frame.ExitSizeMove();
  EXPECT_EQ(frame.NcHitTest({400, 200}), kHitClient);
  EXPECT_EQ(host.hover_starts, 1);
  EXPECT_EQ(frame.NcHitTest({733, 9}), kHitObject);  // over the close button: tracking again
  EXPECT_EQ(host.hover_starts, 2);
  EXPECT_EQ(frame.FrameObjects[std::size_t(frame.HoverIndex)]->IDName, "closebutton");
}

TEST(FrameMessages, ActivationRepaintsCaptionsWithHotImagesAndResetsButtons) {
  FakeHost host;
  TskSkinData skin;
  BuildMainSkin(skin);
  auto& caption = dynamic_cast<TskDataSkinCaption&>(*skin.Objects[0]);
  caption.ActivePictureIndex = 0;
  caption.ActiveSkinRect = {0, 20, 581, 39};
  caption.Morphing = true;
  TskSkinFrame frame(host);
  frame.BorderIcons = biSystemMenu | biMinimize | biMaximize;
  frame.SetSkinData(&skin);
  frame.SetSize(762, 469);
  TskSkinCaptionObject* c = frame.CaptionObject();
  // Activation: the caption fades to its active image in five steps.
  frame.ActivationChanged(false);
  EXPECT_TRUE(c->Hot);
  int ticks = 0;
  while (frame.MorphTimerTick()) ++ticks;
  EXPECT_EQ(ticks, 5);
  EXPECT_EQ(c->MorphFactor(), 1.0);

  frame.UpdateHover({733, 9});
  while (frame.MorphTimerTick()) {
  }
  host.active = false;
  frame.ActivationChanged(true);  // WM_ACTIVATE: hover cleared, buttons back to normal
  EXPECT_EQ(frame.HoverIndex, -1);
  auto& close = *frame.FrameObjects[1];
  EXPECT_FALSE(close.Hot);
  EXPECT_EQ(close.MorphFactor(), 0.0);
  EXPECT_FALSE(c->Hot);
  ticks = 0;
  while (frame.MorphTimerTick()) ++ticks;
  EXPECT_EQ(ticks, 5);  // the caption fades back; the reset button does not move
  EXPECT_EQ(c->MorphFactor(), 0.0);
}

TEST(FrameMessages, ClientBackgroundTilesTheFrameClientPart) {
  FakeHost host;
  TskSkinData skin;
  BuildMainSkin(skin);
  skin.Picture.SetPixel(8, 28, Rgb(1, 2, 3));    // the client part's top-left pixel
  TskSkinFrame frame(host);
  frame.SetSkinData(&skin);
  Bitmap32 client(1400, 600, kBlack);
  BitmapCanvas canvas(client);
  frame.PaintClientBackground(canvas, {1400, 600}, Rgb(240, 240, 240));
  EXPECT_EQ(client.Pixel(0, 0), Rgb(1, 2, 3));
  EXPECT_EQ(client.Pixel(688, 256), Rgb(1, 2, 3));  // the client part is 688 × 256
  EXPECT_EQ(client.Pixel(1, 0), Rgb(200, 210, 220));
  // A background picture instead.
  skin.ActivePictures.push_back(std::make_unique<SkinBitmap>(Bitmap32(10, 10, Rgb(7, 7, 7)), 24));
  skin.FormInfo.BGPictureIndex = 1;
  frame.PaintClientBackground(canvas, {1400, 600}, Rgb(240, 240, 240));
  EXPECT_EQ(client.Pixel(1399, 599), Rgb(7, 7, 7));
  // Without a skin: the face colour.
  skin.Empty = true;
  frame.PaintClientBackground(canvas, {1400, 600}, Rgb(240, 240, 240));
  EXPECT_EQ(client.Pixel(5, 5), Rgb(240, 240, 240));
}

}  // namespace
}  // namespace netscry

namespace netscry {
namespace {

using namespace testing_frame;

// Descriptions are outside data: absurd coordinates must neither overflow nor allocate wildly.
TEST(FrameRobustness, AbsurdSkinValuesAreHandledSafely) {
  constexpr int kMax = 2147483647;
  FakeHost host;
  host.caption = std::string(300, 'x');
  TskSkinData skin;
  BuildMainSkin(skin);
  TskSkinFormInfo& f = skin.FormInfo;
  f.LTPoint = {kMax, kMax};
  f.RBPoint = {kMax, 0};
  f.ClientRect = {0, kMax, kMax, kMax};
  f.CaptionRect = {kMax - 5, 0, kMax, kMax};
  f.MaskRectArea = {kMax, kMax, kMax, kMax};
  f.HitTestRTPoint = {kMax, kMax};
  f.BorderWidth = kMax;
  f.ButtonsOffset = -kMax - 1;
  for (auto& o : skin.Objects) {
    o->SkinRect = {0, 0, kMax, kMax};
    o->ActiveSkinRect = {kMax, 0, kMax, kMax};
    o->InActiveSkinRect = {0, 0, kMax, kMax};
  }
  auto& caption = dynamic_cast<TskDataSkinCaption&>(*skin.Objects[0]);
  caption.ActivePictureIndex = 0;
  caption.FrameRect = {0, 0, kMax, kMax};
  caption.FrameTextRect = {kMax, kMax, 0, 0};
  caption.FrameLeftOffset = kMax;
  caption.FrameRightOffset = -kMax - 1;
  caption.TextRect = {0, 0, kMax, kMax};
  TskSkinFrame frame(host);
  frame.SetSkinData(&skin);
  for (Size size : {Size{704, 292}, Size{762, 469}, Size{kMax, kMax}, Size{-5, -5}}) {
    frame.SetSize(size.cx, size.cy);
    for (int y = -10; y < 500; y += 7) {
      for (int x = -10; x < 800; x += 7) {
        const int hit = frame.HitTest({x, y});
        EXPECT_TRUE(hit == kHitClient || hit == kHitCaption || hit == kHitObject || (hit >= kHitLeft && hit <= kHitBottomRight));
        frame.UpdateHover({x, y});
      }
    }
    frame.UpdateShape();
    while (frame.MorphTimerTick()) {
    }
  }
  frame.SetSize(762, 469);
  FrameStrips strips;
  frame.ComposeFrame(strips, [](Bitmap32& b) -> std::unique_ptr<Canvas> { return std::make_unique<BitmapCanvas>(b); });
  host.active = false;
  Bitmap32 window(762, 469);
  BitmapCanvas canvas(window);
  for (int i = 0; i < int(frame.FrameObjects.size()); ++i) frame.DrawObject(i, canvas);
  EXPECT_LE(strips.top.Width(), 762);
  EXPECT_LE(strips.top.Height(), 469);
}

// The caption's text frame is widened for the text; absurd frame rectangles must not make that
// image wider than the picture and the text together.
TEST(FrameRobustness, TextFrameImageNeverWiderThanPictureAndText) {
  constexpr int kMax = 2147483647;
  struct WidthCanvas : BitmapCanvas {
    using BitmapCanvas::BitmapCanvas;
    std::vector<int> widths;
    void DrawBitmap(const Bitmap32& bmp, const Rect&, int, int, std::optional<Color>) override {
      widths.push_back(bmp.Width());
    }
  };
  struct Case {
    Rect frame_rect, text_rect;
    int width_beside_text;
  } cases[] = {
      {{0, 0, 40, 18}, {10, 1, 30, 15}, 20},        // a sane glow: 40 − 20, plus the text
      {{0, 0, 40, 18}, {kMax, 1, -kMax, 15}, 704},  // a text place of negative width
      {{-kMax, 0, kMax, 18}, {0, 1, 0, 15}, 704},   // a frame wider than any picture
  };
  for (const auto& [frame_rect, text_rect, width_beside_text] : cases) {
    FakeHost host;
    TskSkinData skin;
    BuildMainSkin(skin);
    auto& caption = dynamic_cast<TskDataSkinCaption&>(*skin.Objects[0]);
    caption.ActivePictureIndex = 0;
    caption.FrameRect = frame_rect;
    caption.FrameTextRect = text_rect;
    TskSkinFrame frame(host);
    frame.SetSkinData(&skin);
    frame.SetSize(762, 469);
    Bitmap32 target(762, 28);
    WidthCanvas canvas(target);
    frame.CaptionObject()->Draw(canvas, true, {0, 0});
    ASSERT_EQ(canvas.TextRuns().size(), 1u);
    const int text_width = canvas.TextWidth(canvas.TextRuns()[0].text);  // as shown, maybe shortened
    ASSERT_EQ(canvas.widths.size(), 1u);
    EXPECT_EQ(canvas.widths[0], width_beside_text + text_width) << width_beside_text;
  }
}

// Every coordinate is bounded, but a long row of wide caption buttons adds up one by one.
TEST(FrameRobustness, ManyWideCustomButtonsLayOutWithoutOverflow) {
  constexpr int kMax = 2147483647;
  struct CustomHost : FakeHost {
    bool ActivateCustomObject(const std::string&) override { return true; }
  } host;
  for (bool in_left : {false, true}) {
    TskSkinData skin;
    BuildMainSkin(skin);
    skin.FormInfo.ButtonsOffset = kMax;
    skin.FormInfo.ButtonsInLeft = in_left;
    for (int i = 0; i < 1000; ++i) AddButton(skin, "custom" + std::to_string(i), SkinCommand::Default, {-kMax, 1, kMax, 18});
    TskSkinFrame frame(host);
    frame.SetSkinData(&skin);
    ASSERT_TRUE(frame.SetSize(762, 469));
    // The row runs off the window on its side; every button keeps its own width.
    const TskActiveSkinObject& last = *frame.FrameObjects.back();
    EXPECT_EQ(last.IDName, "custom999");
    EXPECT_EQ(last.ObjectRect.Width(), 2 * kFrameCoordLimit);
    EXPECT_TRUE(in_left ? last.ObjectRect.left > 762 : last.ObjectRect.right < 0);
    EXPECT_EQ(frame.HitTest({733, 9}), kHitObject);
  }
}

}  // namespace
}  // namespace netscry

namespace netscry {
namespace {

using namespace testing_frame;

TEST(FrameRollUp, OnlyWithTheRollUpIconAndNotWhileMinimised) {
  FakeHost host;
  host.bounds = {100, 100, 862, 569};
  TskSkinData skin;
  BuildMainSkin(skin);
  TskSkinFrame frame(host);
  frame.MinHeight = 200;
  frame.BorderIcons = biSystemMenu;
  frame.SetSkinData(&skin);
  frame.SetRolledUp(true);  // not allowed: nothing changes
  EXPECT_FALSE(frame.RolledUp);
  EXPECT_EQ(host.bounds.Height(), 469);

  frame.BorderIcons = biSystemMenu | biRollUp;
  frame.SetRolledUp(true);
  EXPECT_TRUE(frame.RolledUp);
  EXPECT_EQ(host.bounds, (Rect{100, 100, 862, 136}));  // the caption band: 292 − 256
  frame.NcDblClick({300, 12}, TskMouseButton::Left, kHitCaption);  // not maximisable: rolls down
  EXPECT_FALSE(frame.RolledUp);
  EXPECT_EQ(host.bounds, (Rect{100, 100, 862, 569}));

  frame.FrameState = TskFrameState::Minimized;
  frame.SetRolledUp(true);
  EXPECT_FALSE(frame.RolledUp);
}

}  // namespace
}  // namespace netscry

namespace netscry {
namespace {

using namespace testing_frame;

TEST(FrameEvents, ObjectsReportTheirMouseEventsWithNameAndPlace) {
  struct EventHost : FakeHost {
    std::vector<std::pair<FrameObjectEvent, std::string>> events;
    Rect last_rect;
    void ObjectEvent(FrameObjectEvent e, const std::string& id, const Rect& r) override {
      events.push_back({e, id});
      last_rect = r;
    }
  } host;
  TskSkinData skin;
  BuildMainSkin(skin);
  TskSkinFrame frame(host);
  frame.BorderIcons = biSystemMenu | biMinimize | biMaximize;
  frame.SetSkinData(&skin);
  frame.SetSize(762, 469);
  using E = FrameObjectEvent;
  frame.UpdateHover({733, 9});
  frame.NcMouseMove({733, 9});
  frame.NcButtonDown({733, 9}, TskMouseButton::Right, kHitObject);
  frame.ButtonUp({733, 9}, TskMouseButton::Right);  // inside: reported
  frame.NcButtonDown({733, 9}, TskMouseButton::Right, kHitObject);
  frame.UpdateHover({400, 200});  // the pressed button loses the mouse
  frame.ButtonUp({400, 200}, TskMouseButton::Right);  // outside: not reported
  const std::vector<std::pair<E, std::string>> expected = {
      {E::MouseEnter, "closebutton"}, {E::MouseMove, "closebutton"}, {E::MouseDown, "closebutton"},
      {E::MouseUp, "closebutton"},    {E::MouseDown, "closebutton"}, {E::MouseLeave, "closebutton"}};
  EXPECT_EQ(host.events, expected);
  EXPECT_EQ(host.last_rect, (Rect{712, 1, 755, 18}));
}

}  // namespace
}  // namespace netscry

namespace netscry {
namespace {

using namespace testing_frame;

std::vector<std::string> Names(const std::vector<SysMenuItem>& items) {
  std::vector<std::string> names;
  for (const SysMenuItem& i : items) names.push_back(i.name);
  return names;
}

TEST(FrameTexts, DefaultSystemMenuFollowsStateAndIcons) {
  FakeHost host;
  TskSkinFrame frame(host);
  frame.BorderIcons = biSystemMenu | biMinimize | biMaximize;
  using V = std::vector<std::string>;
  EXPECT_EQ(Names(frame.DefaultSystemMenuItems(nullptr)), (V{"DSF_MINITEM", "DSF_MAXITEM", "DSF_CLOSE"}));
  frame.FrameState = TskFrameState::Maximized;
  EXPECT_EQ(Names(frame.DefaultSystemMenuItems(nullptr)), (V{"DSF_MINITEM", "DSF_RESTORE", "DSF_CLOSE"}));
  frame.FrameState = TskFrameState::Minimized;
  frame.BorderIcons = biSystemMenu | biMinimize | biMaximize | biRollUp | biMinimizeToTray;
  EXPECT_EQ(Names(frame.DefaultSystemMenuItems(nullptr)), (V{"DSF_RESTORE", "DSF_MAXITEM", "DSF_MINTOTRAY", "DSF_CLOSE"}));
  frame.FrameState = TskFrameState::Normal;
  frame.RolledUp = true;
  EXPECT_EQ(Names(frame.DefaultSystemMenuItems(nullptr)),
            (V{"DSF_MINITEM", "DSF_RESTORE", "DSF_MAXITEM", "DSF_MINTOTRAY", "DSF_CLOSE"}));

  const std::vector<SysMenuItem> items = frame.DefaultSystemMenuItems(nullptr);
  EXPECT_EQ(items.back().caption, "关闭(&C)");
  EXPECT_EQ(items.back().shortcut, "Alt+F4");
  EXPECT_EQ(items.front().caption, "最小化(&N)");
  frame.IsMDIChild = true;
  TskResourceStrData strings;
  strings.Strings["MI_CLOSECAPTION"] = "Close";
  const std::vector<SysMenuItem> replaced = frame.DefaultSystemMenuItems(&strings);
  EXPECT_EQ(replaced.back().caption, "Close");
  EXPECT_EQ(replaced.back().shortcut, "Ctrl+F4");
  EXPECT_EQ(replaced.front().caption, "最小化(&N)");  // no replacement: the engine's own
}

TEST(FrameTexts, DefaultHintsOfCaptionButtons) {
  FakeHost host;
  TskSkinData skin;
  BuildMainSkin(skin);
  TskSkinFrame frame(host);
  frame.SetSkinData(&skin);
  TskResourceStrData strings;
  strings.Strings["MAXBUTTON_HINT"] = "Maximise";
  frame.ApplyDefaultHints(&strings);
  auto hint = [&](const char* name) {
    for (const auto& o : frame.FrameObjects) {
      if (o->IDName == name) return o->Hint;
    }
    return std::string("?");
  };
  EXPECT_EQ(hint("closebutton"), "关闭");
  EXPECT_EQ(hint("maximizebutton"), "Maximise");
  EXPECT_EQ(hint("minimizebutton"), "最小化");
  EXPECT_EQ(hint("sysmenubutton"), "系统菜单");
  EXPECT_EQ(hint("caption"), "");
  frame.UseDefaultObjectHint = false;
  frame.ApplySkin();
  frame.ApplyDefaultHints(nullptr);
  EXPECT_EQ(hint("closebutton"), "");  // the skin's own hint (none in this skin)
}

}  // namespace
}  // namespace netscry
