// Geometry, size limits and hit testing of the skinned frame at the programs' window sizes.
#include <gtest/gtest.h>

#include "frame_fixture.h"
#include "skin/frame/frame_geometry.h"

namespace netscry {
namespace {

using namespace testing_frame;

TEST(FrameGeometry, MainWindowAt762x469StretchesRightAndBottom) {
  const FrameGeometry g = ComputeGeometry(MainFormInfo(), {704, 292}, 762, 469);
  EXPECT_EQ(g.dx, 58);
  EXPECT_EQ(g.dy, 177);
  EXPECT_EQ(g.lt, (Point{8, 28}));
  EXPECT_EQ(g.rt, (Point{753, 28}));
  EXPECT_EQ(g.lb, (Point{8, 460}));
  EXPECT_EQ(g.rb, (Point{753, 460}));
  // Client 746 × 433 with the insets 8, 28, 8, 8.
  EXPECT_EQ(g.client, (Rect{8, 28, 754, 461}));
  EXPECT_EQ(g.caption, (Rect{7, 1, 755, 25}));
  EXPECT_TRUE(g.buttons.IsEmpty());
  EXPECT_EQ(g.hit_lt, (Point{6, 7}));
  EXPECT_EQ(g.hit_rt, (Point{754, 6}));
  EXPECT_EQ(g.hit_lb, (Point{8, 459}));
  EXPECT_EQ(g.hit_rb, (Point{752, 460}));
  EXPECT_EQ(g.mask_rect, (Rect{7, 3, 755, 461}));
}

TEST(FrameGeometry, ButtonsBandFollowsTheRightEdgeOnlyFromTheRightHalf) {
  TskSkinFormInfo info = MainFormInfo();
  info.ButtonsRect = {600, 1, 697, 20};
  EXPECT_EQ(ComputeGeometry(info, {704, 292}, 804, 292).buttons, (Rect{700, 1, 797, 20}));
  info.ButtonsRect = {300, 1, 340, 20};  // left lies at 300 < 704 / 2: stays
  EXPECT_EQ(ComputeGeometry(info, {704, 292}, 804, 292).buttons, (Rect{300, 1, 340, 20}));
}

TEST(FrameGeometry, ObjectsAnchorByTheCornerZones) {
  const TskSkinFormInfo info = MainFormInfo();
  const FrameGeometry g = ComputeGeometry(info, {704, 292}, 762, 469);  // dx 58, dy 177
  struct Case {
    Rect skin, expected;
  } cases[] = {
      {{1, 1, 5, 5}, {1, 1, 5, 5}},                          // top-left zone: stays
      {{697, 2, 702, 20}, {755, 2, 760, 20}},                // top-right zone: moves right
      {{2, 285, 6, 290}, {2, 462, 6, 467}},                  // bottom-left zone: moves down
      {{697, 285, 702, 290}, {755, 462, 760, 467}},          // bottom-right zone: both
      {{2, 2, 700, 290}, {2, 2, 758, 467}},                  // top-left to bottom-right: stretches
      {{2, 2, 700, 20}, {2, 2, 758, 20}},                    // top-left to top-right: wider
      {{2, 285, 700, 290}, {2, 462, 758, 467}},              // bottom-left to bottom-right
      {{2, 2, 6, 290}, {2, 2, 6, 467}},                      // top-left to bottom-left: taller
      {{697, 2, 702, 290}, {755, 2, 760, 467}},              // top-right to bottom-right
      {{23, 5, 604, 24}, {23, 5, 604, 24}},                  // in no zone: stays
      {{695, 0, 704, 28}, {695, 0, 704, 28}},                // right/bottom edge lies outside the zone
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AnchorObjectRect(c.skin, info, g), c.expected) << c.skin.left << "," << c.skin.top;
  }
}

TEST(FrameLimits, SkinPictureAndSettingsGiveTheTrackingSizes) {
  FakeHost host;
  TskSkinData skin;
  BuildMainSkin(skin);
  TskSkinFrame frame(host);
  frame.MinWidth = 672;
  frame.MinHeight = 200;
  // Without a skin: MinWidth, else 130; the plain caption height + 6 or MinHeight.
  EXPECT_EQ(frame.MinTrackWidth(), 672);
  EXPECT_EQ(frame.MinTrackHeight(), 200);
  frame.MinWidth = frame.MinHeight = 0;
  EXPECT_EQ(frame.MinTrackWidth(), 130);
  EXPECT_EQ(frame.MinTrackHeight(), 25);

  frame.MinWidth = 672;
  frame.MinHeight = 200;
  frame.SetSkinData(&skin);
  EXPECT_EQ(frame.MinTrackWidth(), 704);   // the picture is wider than 672
  EXPECT_EQ(frame.MinTrackHeight(), 200);  // 200 exceeds the non-client height 36
  frame.MinWidth = 900;
  EXPECT_EQ(frame.MinTrackWidth(), 900);
  frame.FrameState = TskFrameState::Minimized;  // minimised: the skin alone
  EXPECT_EQ(frame.MinTrackWidth(), 704);
  EXPECT_EQ(frame.MinTrackHeight(), 36);
  frame.FrameState = TskFrameState::Normal;
  frame.RolledUp = true;
  EXPECT_EQ(frame.MinTrackHeight(), 36);
  EXPECT_EQ(frame.SizeForSkin({1000, 500}), (Size{1000, 36}));  // rolled up: the caption band
  frame.RolledUp = false;

  const MonitorInfo m{{0, 0, 1024, 768}, {0, 0, 1024, 738}, true};
  EXPECT_EQ(frame.MaxTrackWidth(m), 1024);
  EXPECT_EQ(frame.MaxTrackHeight(m), 738);
  frame.MaxWidth = 800;
  frame.MaxHeight = 900;  // larger than the work area: no effect
  EXPECT_EQ(frame.MaxTrackWidth(m), 800);
  EXPECT_EQ(frame.MaxTrackHeight(m), 738);
  frame.MaximizeOnFullScreen = true;
  EXPECT_EQ(frame.MaxTrackHeight(m), 768);

  EXPECT_EQ(frame.ClientInsets(), (Rect{8, 28, 8, 8}));
  EXPECT_EQ(frame.SizeForSkin({600, 100}), (Size{900, 200}));
  EXPECT_EQ(frame.SizeForSkin({1000, 100}), (Size{1000, 200}));
}

// The main window at 762 × 469 with an all-black mask and the caption buttons laid out.
class MainHitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildMainSkin(skin);
    frame.BorderIcons = biSystemMenu | biMinimize | biMaximize;
    frame.ShowIcon = true;
    frame.SetSkinData(&skin);
    frame.SetSize(762, 469);
  }
  FakeHost host;
  TskSkinData skin;
  TskSkinFrame frame{host};
};

TEST_F(MainHitTest, ZonesOfTheFrame) {
  struct Case {
    Point p;
    int expected;
  } cases[] = {
      {{3, 200}, kHitLeft},            // a probe leaves the window
      {{758, 200}, kHitRight},
      {{300, 2}, kHitTop},
      {{300, 462}, kHitBottom},        // probe (300, 469) is outside
      {{3, 3}, kHitTopLeft},
      {{6, 7}, kHitTopLeft},           // the corner's hit point belongs to the corner
      {{5, 8}, kHitLeft},
      {{7, 2}, kHitTop},
      {{758, 3}, kHitTopRight},
      {{3, 465}, kHitBottomLeft},
      {{758, 465}, kHitBottomRight},
      {{300, 461}, kHitObject},        // outside the mask rectangle, every probe on black
      {{300, 12}, kHitCaption},        // inside the mask rectangle: never a sizing zone
      {{400, 200}, kHitClient},
      {{700, 10}, kHitObject},         // maximise button
      {{15, 10}, kHitObject},          // the icon
  };
  for (const Case& c : cases) EXPECT_EQ(frame.HitTest(c.p), c.expected) << c.p.x << "," << c.p.y;
}

TEST_F(MainHitTest, AProbeOnAWhiteMaskPixelMakesASizingZone) {
  // Window row 468 is mask row 291; the bottom strip's middle is tiled from column 8, so window
  // column 300 is mask column 308.
  skin.Mask.SetPixel(308, 291, kWhite);
  frame.SetSize(762, 469);
  EXPECT_EQ(frame.HitTest({300, 461}), kHitBottom);
  EXPECT_EQ(frame.HitTest({301, 461}), kHitObject);  // its probes miss the white pixel
}

TEST_F(MainHitTest, HoverMaximisedAndFixedFramesHaveNoSizingZones) {
  frame.UpdateHover({700, 10});
  ASSERT_NE(frame.HoverIndex, -1);
  EXPECT_EQ(frame.HitTest({3, 200}), kHitObject);  // an object is hovered
  EXPECT_EQ(frame.HitTest({400, 200}), kHitClient);
  frame.InSizeMove = true;
  EXPECT_EQ(frame.HitTest({3, 200}), kHitLeft);
  frame.InSizeMove = false;
  frame.ClearHover();

  frame.FrameState = TskFrameState::Maximized;
  EXPECT_EQ(frame.HitTest({3, 200}), kHitObject);
  frame.FrameState = TskFrameState::Normal;
  frame.Sizeable = false;
  EXPECT_EQ(frame.HitTest({3, 200}), kHitObject);
  EXPECT_EQ(frame.HitTest({300, 12}), kHitCaption);
  frame.FrameState = TskFrameState::Minimized;
  EXPECT_EQ(frame.HitTest({400, 200}), kHitObject);  // minimised: caption or object only
  EXPECT_EQ(frame.HitTest({300, 12}), kHitCaption);
}

TEST_F(MainHitTest, WithoutAMaskTheWindowEdgeDecides) {
  skin.Mask = SkinBitmap();
  frame.SetSize(762, 469);
  EXPECT_FALSE(frame.UpdateShape().has_value());
  EXPECT_EQ(frame.HitTest({5, 100}), kHitLeft);
  EXPECT_EQ(frame.HitTest({300, 461}), kHitObject);  // probe (300, 468) still inside
  EXPECT_EQ(frame.HitTest({300, 462}), kHitBottom);
  EXPECT_EQ(frame.HitTest({20, 2}), kHitTop);
}

TEST(PlainFrameHitTest, WithoutASkin) {
  FakeHost host;
  TskSkinFrame frame(host);
  frame.SetSize(200, 100);
  struct Case {
    Point p;
    int expected;
  } cases[] = {
      {{0, 50}, kHitLeft},    {{199, 50}, kHitRight},        {{100, 0}, kHitTop},         {{100, 99}, kHitBottom},
      {{0, 0}, kHitTopLeft},  {{199, 1}, kHitTopRight},      {{1, 99}, kHitBottomLeft},   {{198, 98}, kHitBottomRight},
      {{100, 10}, kHitCaption}, {{100, 50}, kHitClient},     {{2, 50}, kHitObject},
  };
  for (const Case& c : cases) EXPECT_EQ(frame.HitTest(c.p), c.expected) << c.p.x << "," << c.p.y;
  frame.Sizeable = false;
  EXPECT_EQ(frame.HitTest({0, 50}), kHitObject);
}

TEST(DialogHitTest, TheFixedDialogHasNoSizingZones) {
  CarriedFrame dialog(CarriedWindow::Dialog);
  TskSkinFrame& frame = dialog.frame;
  auto scan = [&] {
    int captions = 0, sizing = 0;
    for (int y = 0; y < 268; ++y) {
      for (int x = 0; x < 435; ++x) {
        const int ht = frame.HitTest({x, y});
        if (ht == kHitCaption) ++captions;
        if (ht != kHitCaption && ht != kHitObject && ht != kHitClient) ++sizing;
        if (ht == kHitClient) {
          EXPECT_TRUE(frame.Geometry().client.Contains({x, y}));
        }
      }
    }
    return std::pair{captions, sizing};
  };
  frame.SetSize(435, 268);
  const auto [captions, sizing] = scan();
  EXPECT_GT(captions, 0);
  EXPECT_EQ(sizing, 0);
  // The same frame made sizeable does have sizing zones: the scan would see them.
  frame.Sizeable = true;
  EXPECT_GT(scan().second, 0);
}

}  // namespace
}  // namespace netscry

namespace netscry {
namespace {

using namespace testing_frame;

TEST(FrameMessages, ClientRectangleMovingAndRelayoutWidth) {
  FakeHost host;
  TskSkinData skin;
  BuildMainSkin(skin);
  TskSkinFrame frame(host);
  // Without a skin: 3 pixels, and the plain caption height + 3 at the top.
  EXPECT_EQ(frame.ClientFromWindow({100, 100, 862, 569}), (Rect{103, 122, 859, 566}));
  frame.SetSkinData(&skin);
  EXPECT_EQ(frame.ClientFromWindow({100, 100, 862, 569}), (Rect{108, 128, 854, 561}));  // 746 × 433
  EXPECT_EQ(frame.ClientFromWindow({0, 0, 10, 10}), (Rect{8, 28, 8, 28}));  // never inside out
  skin.FormInfo.ClientRect = {};  // an empty client rectangle counts as no skin here
  EXPECT_EQ(frame.ClientFromWindow({100, 100, 862, 569}), (Rect{103, 122, 859, 566}));

  const Rect work{0, 0, 1024, 738};
  EXPECT_EQ(frame.Moving({5, 300, 767, 769}, {0, 0, 762, 469}, work), (Rect{5, 300, 767, 769}));
  frame.Magnetic = true;
  EXPECT_EQ(frame.Moving({5, 275, 767, 744}, {0, 0, 762, 469}, work), (Rect{0, 269, 762, 738}));
  EXPECT_EQ(frame.Moving({11, 300, 773, 769}, {0, 0, 762, 469}, work), (Rect{11, 300, 773, 769}));
  EXPECT_EQ(frame.Moving({255, -8, 1017, 461}, {0, 0, 762, 469}, work), (Rect{262, 0, 1024, 469}));
  frame.FrameState = TskFrameState::Maximized;
  EXPECT_EQ(frame.Moving({5, 300, 767, 769}, {1, 1, 1023, 737}, work), (Rect{1, 1, 1023, 737}));
  frame.FrameState = TskFrameState::Normal;

  skin.FormInfo = MainFormInfo();
  EXPECT_EQ(frame.ForceRelayoutWidth(704), 705);
  EXPECT_EQ(frame.ForceRelayoutWidth(762), 761);
}

}  // namespace
}  // namespace netscry
