// The derived colours of the two configured faces, to the exact RGB, and the arithmetic under them.
#include "controls/hot_button/hot_colors.h"

#include <gtest/gtest.h>

#include "controls/hot_button/hot_button.h"

namespace netscry {
namespace {

struct FaceCase {
  const char* name;
  Color face;
  HotButtonFaceColors want;
};

TEST(HotButtonColors, DerivedColoursOfTheConfiguredFaces) {
  const Color hot = Rgb(255, 199, 60);
  const FaceCase cases[] = {
      {"main window", Rgb(244, 244, 240),
       {/*outer*/ 0, 0, /*frame*/ 0, Rgb(172, 172, 142), Rgb(255, 255, 255), Rgb(235, 235, 228), Rgb(226, 226, 216),
        Rgb(217, 217, 203), Rgb(255, 241, 205), hot, Rgb(220, 228, 252), Rgb(162, 183, 248)}},
      {"dialog", Rgb(209, 218, 238),
       {0, 0, 0, Rgb(85, 115, 192), Rgb(255, 255, 255), Rgb(193, 204, 232), Rgb(178, 191, 226), Rgb(162, 179, 220),
        Rgb(255, 241, 205), hot, Rgb(220, 228, 252), Rgb(162, 183, 248)}},
  };
  for (const FaceCase& c : cases) {
    HotButtonStyle style;
    style.color = c.face;
    style.highlight_color = Rgb(106, 141, 244);
    style.hot_track_color = hot;
    const HotButtonFaceColors got = FaceColorsOf(style, HotButtonSystemColors{});
    EXPECT_EQ(got.frame_disabled, c.want.frame_disabled) << c.name;
    EXPECT_EQ(got.gradient_top, c.want.gradient_top) << c.name;
    EXPECT_EQ(got.gradient_bottom, c.want.gradient_bottom) << c.name;
    EXPECT_EQ(got.line_bottom2, c.want.line_bottom2) << c.name;
    EXPECT_EQ(got.line_bottom1, c.want.line_bottom1) << c.name;
    EXPECT_EQ(got.hot_top, c.want.hot_top) << c.name;
    EXPECT_EQ(got.hot_bottom, c.want.hot_bottom) << c.name;
    EXPECT_EQ(got.focus_top, c.want.focus_top) << c.name;
    EXPECT_EQ(got.focus_bottom, c.want.focus_bottom) << c.name;
  }
}

TEST(HotButtonColors, HueSaturationLuminanceOnThe240Scale) {
  struct Case {
    Color c;
    HslColor want;
  };
  const Case cases[] = {
      {Rgb(0, 0, 0), {0, 0, 0}},
      {Rgb(255, 255, 255), {0, 0, 240}},
      {Rgb(128, 128, 128), {0, 0, 120}},
      {Rgb(255, 0, 0), {0, 240, 120}},
      {Rgb(0, 255, 0), {80, 240, 120}},
      {Rgb(0, 0, 255), {160, 240, 120}},
      {Rgb(255, 0, 255), {200, 240, 120}},
      {Rgb(244, 244, 240), {40, 37, 228}},
      {Rgb(106, 141, 244), {150, 207, 165}},
      {Rgb(255, 199, 60), {29, 240, 148}},
  };
  for (const Case& c : cases) EXPECT_EQ(ColorToHsl(c.c), c.want) << std::hex << c.c;
}

TEST(HotButtonColors, DarkenAndLightenClampAndRoundTrip) {
  // Red and greys come back unchanged; other hues move a little, because the way back divides
  // the hue by 239 (the derived colours of the faces depend on exactly that).
  for (Color c : {Rgb(255, 0, 0), Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(128, 128, 128)}) {
    EXPECT_EQ(HslToColor(ColorToHsl(c)), c) << std::hex << c;
  }
  EXPECT_EQ(HslToColor(ColorToHsl(Rgb(0, 255, 0))), Rgb(0, 255, 2));
  EXPECT_EQ(HslToColor(ColorToHsl(Rgb(0, 0, 255))), Rgb(4, 0, 255));
  EXPECT_EQ(DarkenColor(Rgb(40, 40, 40), 200), Rgb(0, 0, 0));
  EXPECT_EQ(LightenColor(Rgb(200, 10, 10), 200), kWhite);   // above 240 is white
  EXPECT_EQ(LightenColor(Rgb(255, 0, 0), 120), kWhite);     // exactly 240
  EXPECT_EQ(DarkenColor(Rgb(255, 0, 0), 60), Rgb(128, 0, 0));
  EXPECT_EQ(LightenColor(Rgb(0, 0, 255), 60), Rgb(130, 128, 255));
  EXPECT_EQ(DarkenColor(Rgb(128, 128, 128), 0), Rgb(128, 128, 128));
}

TEST(HotButtonColors, BlendWeighsTheFirstColourByKOver255) {
  EXPECT_EQ(BlendColors(Rgb(255, 255, 255), Rgb(0, 0, 0), 255), Rgb(255, 255, 255));
  EXPECT_EQ(BlendColors(Rgb(255, 255, 255), Rgb(0, 0, 0), 0), Rgb(0, 0, 0));
  EXPECT_EQ(BlendColors(Rgb(200, 100, 0), Rgb(0, 100, 200), 51), Rgb(40, 100, 160));
  EXPECT_EQ(BlendColors(kWhite, Rgb(255, 199, 60), 190), Rgb(255, 241, 205));
}

TEST(HotButtonColors, HighlightTooCloseToTheButtonFaceIsDarkened) {
  HotButtonStyle style;
  style.color = Rgb(244, 244, 240);
  style.highlight_color = Rgb(106, 141, 244);
  HotButtonSystemColors sys;
  const HotButtonFaceColors usual = FaceColorsOf(style, sys);
  // A button face of nearly the highlight's hue and luminance.
  sys.btn_face = Rgb(110, 140, 240);
  ASSERT_TRUE(ColorsAreClose(style.highlight_color, sys.btn_face));
  const HotButtonFaceColors close = FaceColorsOf(style, sys);
  const Color darker = DarkenColor(style.highlight_color, 30);
  EXPECT_EQ(close.focus_top, BlendColors(darker, kWhite, 60));
  EXPECT_EQ(close.focus_bottom, BlendColors(darker, kWhite, 160));
  EXPECT_NE(close.focus_bottom, usual.focus_bottom);
  // Hue close but luminance far, and the reverse: not close.
  EXPECT_FALSE(ColorsAreClose(Rgb(106, 141, 244), Rgb(20, 30, 60)));
  EXPECT_FALSE(ColorsAreClose(Rgb(255, 0, 0), Rgb(0, 255, 0)));
}

TEST(HotButtonColors, OuterEdgeAndFrameFollowTheSystemColours) {
  HotButtonStyle style;
  HotButtonSystemColors sys;
  sys.btn_face = Rgb(212, 208, 200);
  sys.dark_shadow = Rgb(64, 64, 64);
  HotButtonFaceColors c = FaceColorsOf(style, sys);
  EXPECT_EQ(c.outer_dark, DarkenColor(sys.btn_face, 20));
  EXPECT_EQ(c.outer_light, LightenColor(sys.btn_face, 20));
  EXPECT_EQ(c.frame, Rgb(64, 64, 64));
  style.frame_color = Rgb(1, 2, 3);
  c = FaceColorsOf(style, sys);
  EXPECT_EQ(c.frame, Rgb(1, 2, 3));
}

}  // namespace
}  // namespace netscry
