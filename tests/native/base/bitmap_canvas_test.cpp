#include "base/bitmap_canvas.h"

#include <gtest/gtest.h>

#include <vector>

namespace netscry {
namespace {

TEST(BitmapCanvas, FillClipsToTargetAndBitmapSkipsTransparent) {
  Bitmap32 target(4, 3, kWhite);
  BitmapCanvas canvas(target);
  canvas.FillRect({-5, 1, 2, 99}, Rgb(1, 2, 3));
  EXPECT_EQ(target.Pixel(0, 0), kWhite);
  EXPECT_EQ(target.Pixel(1, 2), Rgb(1, 2, 3));
  EXPECT_EQ(target.Pixel(2, 1), kWhite);

  Bitmap32 sprite(2, 1, Rgb(255, 0, 255));
  sprite.SetPixel(1, 0, Rgb(9, 9, 9));
  canvas.DrawBitmap(sprite, sprite.Bounds(), 2, 0, Rgb(255, 0, 255));
  EXPECT_EQ(target.Pixel(2, 0), kWhite);
  EXPECT_EQ(target.Pixel(3, 0), Rgb(9, 9, 9));
}

TEST(BitmapCanvas, DottedLinesFollowOneCheckerboardEitherWay) {
  constexpr Color kDot = Rgb(10, 20, 30), kGap = kWhite, kBack = Rgb(1, 1, 1);
  struct Case {
    int x0, y0, x1, y1, phase;
    std::vector<Point> dots, gaps;  // every pixel drawn; the rest keeps the background
  } cases[] = {
      {1, 2, 4, 2, 0, {{2, 2}}, {{1, 2}, {3, 2}}},
      {1, 2, 4, 2, 1, {{1, 2}, {3, 2}}, {{2, 2}}},
      {4, 2, 1, 2, 0, {{2, 2}, {4, 2}}, {{3, 2}}},  // leftwards: from 4 down to 2
      {3, 0, 3, 3, -3, {{3, 0}, {3, 2}}, {{3, 1}}},
      {3, 3, 3, 0, 7, {{3, 2}}, {{3, 1}, {3, 3}}},   // upwards: from 3 up to 1
      {2, 2, 2, 2, 0, {}, {}},                       // no length
      {0, 0, 3, 3, 0, {}, {}},                       // neither horizontal nor vertical
  };
  for (const Case& c : cases) {
    Bitmap32 target(6, 5, kBack);
    BitmapCanvas canvas(target);
    canvas.DottedLine(c.x0, c.y0, c.x1, c.y1, kDot, kGap, c.phase);
    Bitmap32 expected(6, 5, kBack);
    for (Point p : c.dots) expected.SetPixel(p.x, p.y, kDot);
    for (Point p : c.gaps) expected.SetPixel(p.x, p.y, kGap);
    EXPECT_EQ(target, expected) << c.x0 << "," << c.y0 << " to " << c.x1 << "," << c.y1 << " phase " << c.phase;
  }
}

TEST(BitmapCanvas, FocusRectangleDrawnTwiceRestoresPixels) {
  Bitmap32 target(9, 7, Rgb(10, 20, 30));
  const Bitmap32 before = target;
  BitmapCanvas canvas(target);
  canvas.DrawFocusRect({1, 1, 8, 6});
  EXPECT_NE(target, before);
  EXPECT_EQ(target.Pixel(1, 1), Rgb(10, 20, 30) ^ 0x00FFFFFF);
  EXPECT_EQ(target.Pixel(2, 1), Rgb(10, 20, 30));
  canvas.DrawFocusRect({1, 1, 8, 6});
  EXPECT_EQ(target, before);
}

TEST(BitmapCanvas, LinesExcludeTheirEndPointInEitherDirection) {
  struct Case {
    int x0, y0, x1, y1;
    std::vector<Point> ink;
  };
  const Case cases[] = {
      {1, 1, 4, 1, {{1, 1}, {2, 1}, {3, 1}}},
      {4, 1, 1, 1, {{4, 1}, {3, 1}, {2, 1}}},
      {2, 0, 2, 3, {{2, 0}, {2, 1}, {2, 2}}},
      {2, 3, 2, 0, {{2, 3}, {2, 2}, {2, 1}}},
      {2, 2, 2, 2, {}},
      {0, 0, 3, 3, {}},  // only horizontal and vertical lines are drawn
  };
  for (const Case& c : cases) {
    Bitmap32 target(6, 5, kWhite);
    BitmapCanvas canvas(target);
    canvas.Line(c.x0, c.y0, c.x1, c.y1, kBlack);
    int ink = 0;
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 6; ++x) ink += target.Pixel(x, y) == kBlack;
    }
    EXPECT_EQ(ink, int(c.ink.size())) << c.x0 << "," << c.y0 << "->" << c.x1 << "," << c.y1;
    for (Point p : c.ink) EXPECT_EQ(target.Pixel(p.x, p.y), kBlack) << p.x << "," << p.y;
  }
}

// Each target pixel either keeps the background or shows the source pixel it lands on, whatever
// part of the source or target the rectangle leaves.
TEST(BitmapCanvas, BitmapsAreClippedToSourceAndTarget) {
  constexpr Color kBack = Rgb(1, 1, 1), kKey = Rgb(255, 0, 255);
  Bitmap32 sprite(5, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) sprite.SetPixel(x, y, (x + y) % 3 == 0 ? kKey : Rgb(100, std::uint8_t(x), std::uint8_t(y)));
  struct Case {
    Rect src;
    int x, y;
  } const cases[] = {
      {{0, 0, 5, 4}, 0, 0},   {{1, 1, 4, 3}, 2, 1},     {{-2, -1, 3, 2}, 1, 1},  {{3, 2, 9, 8}, 4, 3},
      {{0, 0, 5, 4}, -3, -2}, {{0, 0, 5, 4}, 5, 4},     {{1, 0, 5, 4}, -1, 3},   {{0, 0, 5, 4}, 9, 0},
      {{2, 2, 2, 3}, 1, 1},   {{6, 0, 8, 4}, 0, 0},
  };
  for (bool keyed : {false, true}) {
    for (const Case& c : cases) {
      Bitmap32 target(7, 6, kBack);
      BitmapCanvas canvas(target);
      canvas.DrawBitmap(sprite, c.src, c.x, c.y, keyed ? std::optional(kKey) : std::nullopt);
      const Rect drawn = c.src.Intersect(sprite.Bounds());
      for (int ty = 0; ty < 6; ++ty) {
        for (int tx = 0; tx < 7; ++tx) {
          const int sx = tx - c.x + c.src.left, sy = ty - c.y + c.src.top;
          Color want = kBack;
          if (drawn.Contains({sx, sy}) && !(keyed && sprite.Pixel(sx, sy) == kKey)) want = sprite.Pixel(sx, sy);
          ASSERT_EQ(target.Pixel(tx, ty), want) << "source " << c.src.left << "," << c.src.top << " at " << c.x << ","
                                                << c.y << (keyed ? " keyed" : "") << ": pixel " << tx << "," << ty;
        }
      }
    }
  }
}

TEST(BitmapCanvas, StretchScalesByNearestPixel) {
  Bitmap32 src(2, 1);
  src.SetPixel(0, 0, Rgb(1, 0, 0));
  src.SetPixel(1, 0, Rgb(2, 0, 0));
  Bitmap32 target(4, 2);
  BitmapCanvas canvas(target);
  canvas.StretchBitmap(src, src.Bounds(), target.Bounds());
  EXPECT_EQ(target.Pixel(1, 1), Rgb(1, 0, 0));
  EXPECT_EQ(target.Pixel(2, 0), Rgb(2, 0, 0));
  EXPECT_EQ(target.Pixel(3, 1), Rgb(2, 0, 0));
}

}  // namespace
}  // namespace netscry
