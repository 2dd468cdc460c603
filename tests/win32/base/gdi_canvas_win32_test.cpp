#include "base/gdi_canvas_win32.h"

#include <gtest/gtest.h>

#include "base/dib_win32.h"

namespace netscry {
namespace {

constexpr Color kBack = Rgb(250, 250, 250);

class GdiCanvasTest : public ::testing::Test {
 protected:
  GdiCanvasTest() : dib(64, 40), canvas(dib.Dc()) {}
  void SetUp() override {
    ASSERT_TRUE(dib.Valid());
    canvas.FillRect({0, 0, 64, 40}, kBack);
  }
  int InkCount(const Rect& r) {
    const Bitmap32 pixels = dib.ToBitmap32();
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) n += pixels.Pixel(x, y) != kBack;
    }
    return n;
  }
  Dib32 dib;
  GdiCanvas canvas;
};

TEST_F(GdiCanvasTest, FillPixelAndLineLandExactlyWhereAsked) {
  canvas.FillRect({2, 3, 5, 6}, Rgb(0, 128, 64));
  EXPECT_EQ(dib.Pixel(2, 3), Rgb(0, 128, 64));
  EXPECT_EQ(dib.Pixel(4, 5), Rgb(0, 128, 64));
  EXPECT_EQ(dib.Pixel(5, 5), kBack);  // right and bottom are exclusive
  EXPECT_EQ(dib.Pixel(4, 6), kBack);
  canvas.SetPixel(10, 10, Rgb(1, 2, 3));
  EXPECT_EQ(dib.Pixel(10, 10), Rgb(1, 2, 3));
  canvas.Line(20, 1, 25, 1, Rgb(200, 0, 0));
  EXPECT_EQ(dib.Pixel(20, 1), Rgb(200, 0, 0));
  EXPECT_EQ(dib.Pixel(24, 1), Rgb(200, 0, 0));
  EXPECT_EQ(dib.Pixel(25, 1), kBack);
}

TEST_F(GdiCanvasTest, OriginShiftsEveryOperationAndIsUndoneAfterwards) {
  {
    GdiCanvas shifted(dib.Dc(), 10, 20);
    shifted.FillRect({0, 0, 2, 2}, Rgb(9, 9, 9));
    shifted.SetPixel(5, 5, Rgb(8, 8, 8));
    Bitmap32 dot(1, 1, Rgb(7, 7, 7));
    shifted.DrawBitmap(dot, dot.Bounds(), 6, 6);
    shifted.DrawBitmap(dot, dot.Bounds(), 7, 7, Rgb(1, 1, 1));
  }
  EXPECT_EQ(dib.Pixel(10, 20), Rgb(9, 9, 9));
  EXPECT_EQ(dib.Pixel(11, 21), Rgb(9, 9, 9));
  EXPECT_EQ(dib.Pixel(0, 0), kBack);
  EXPECT_EQ(dib.Pixel(15, 25), Rgb(8, 8, 8));
  EXPECT_EQ(dib.Pixel(16, 26), Rgb(7, 7, 7));
  EXPECT_EQ(dib.Pixel(17, 27), Rgb(7, 7, 7));
  GdiCanvas plain(dib.Dc());
  plain.SetPixel(0, 0, Rgb(6, 6, 6));
  EXPECT_EQ(dib.Pixel(0, 0), Rgb(6, 6, 6));
}

TEST_F(GdiCanvasTest, BitmapsKeepColourOrderAndSkipTheTransparentColour) {
  Bitmap32 sprite(3, 2, Rgb(255, 0, 255));
  sprite.SetPixel(1, 0, Rgb(10, 20, 30));
  sprite.SetPixel(2, 1, Rgb(200, 100, 50));
  canvas.DrawBitmap(sprite, sprite.Bounds(), 30, 30);
  EXPECT_EQ(dib.Pixel(30, 30), Rgb(255, 0, 255));
  EXPECT_EQ(dib.Pixel(31, 30), Rgb(10, 20, 30));
  EXPECT_EQ(dib.Pixel(32, 31), Rgb(200, 100, 50));

  canvas.DrawBitmap(sprite, {1, 0, 3, 2}, 40, 30, Rgb(255, 0, 255));
  EXPECT_EQ(dib.Pixel(40, 30), Rgb(10, 20, 30));
  EXPECT_EQ(dib.Pixel(41, 30), kBack);
  EXPECT_EQ(dib.Pixel(40, 31), kBack);
  EXPECT_EQ(dib.Pixel(41, 31), Rgb(200, 100, 50));

  canvas.StretchBitmap(sprite, {1, 0, 2, 1}, {50, 30, 54, 33});
  EXPECT_EQ(dib.Pixel(50, 30), Rgb(10, 20, 30));
  EXPECT_EQ(dib.Pixel(53, 32), Rgb(10, 20, 30));
  EXPECT_EQ(dib.Pixel(54, 32), kBack);
}

// Parts of a picture that leave columns and rows out on every side reach the surface pixel for
// pixel, copied and stretched, with and without a transparent colour.
TEST_F(GdiCanvasTest, PartsOfAPictureLandPixelForPixel) {
  constexpr Color kKey = Rgb(255, 0, 255);
  Bitmap32 sprite(7, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) sprite.SetPixel(x, y, Rgb(std::uint8_t(40 * x), std::uint8_t(50 * y), 99));
  sprite.SetPixel(3, 2, kKey);
  struct Case {
    Rect src;
    int x, y;
    bool keyed;
  } const cases[] = {{{2, 1, 5, 4}, 3, 4, false}, {{2, 1, 5, 4}, 13, 4, true}, {{-2, 3, 2, 9}, 23, 4, false},
                     {{6, 0, 7, 5}, 33, 4, true}};
  for (const Case& c : cases) canvas.DrawBitmap(sprite, c.src, c.x, c.y, c.keyed ? std::optional(kKey) : std::nullopt);
  canvas.StretchBitmap(sprite, {1, 2, 4, 4}, {40, 20, 46, 24});
  for (const Case& c : cases) {
    const Rect drawn = c.src.Intersect(sprite.Bounds());
    for (int ty = c.y - 1; ty <= c.y + c.src.Height(); ++ty) {
      for (int tx = c.x - 1; tx <= c.x + c.src.Width(); ++tx) {
        const int sx = tx - c.x + c.src.left, sy = ty - c.y + c.src.top;
        Color want = kBack;
        if (drawn.Contains({sx, sy}) && !(c.keyed && sprite.Pixel(sx, sy) == kKey)) want = sprite.Pixel(sx, sy);
        EXPECT_EQ(dib.Pixel(tx, ty), want) << "drawn at " << c.x << ": pixel " << tx << "," << ty;
      }
    }
  }
  for (int ty = 19; ty <= 24; ++ty) {
    for (int tx = 39; tx <= 46; ++tx) {
      const bool inside = tx >= 40 && tx < 46 && ty >= 20 && ty < 24;
      const Color want = inside ? sprite.Pixel(1 + (tx - 40) / 2, 2 + (ty - 20) / 2) : kBack;
      EXPECT_EQ(dib.Pixel(tx, ty), want) << "stretched: pixel " << tx << "," << ty;
    }
  }
}

// The pattern-brush dotted line gives exactly the pixels of the pixel-by-pixel one, at every
// canvas origin, phase, direction and length, also where it runs off the surface.
TEST(GdiCanvasDottedLine, PatternGivesThePixelsOfThePixelByPixelLine) {
  constexpr Color kDot = Rgb(0, 84, 227), kGap = kWhite, kGrey = Rgb(90, 90, 90);
  struct Line {
    int x0, y0, x1, y1;
  } const lines[] = {{0, 0, 40, 0},  {3, 5, 4, 5},    {17, 9, 2, 9},  {-5, 12, 30, 12}, {5, 0, 5, 21},
                     {8, 20, 8, 1},  {11, -4, 11, 60}, {30, 30, 30, 31}, {39, 7, 50, 7},  {1, 2, 3, 4}};
  const Point origins[] = {{0, 0}, {1, 0}, {0, 3}, {5, 2}, {-3, 7}};
  const int phases[] = {0, 1, 2, -1, 1100021};
  for (Point origin : origins) {
    for (int phase : phases) {
      Dib32 pattern(44, 34), pixels(44, 34);
      ASSERT_TRUE(pattern.Valid() && pixels.Valid());
      {
        GdiCanvas by_pattern(pattern.Dc(), origin.x, origin.y);
        GdiCanvas by_pixel(pixels.Dc(), origin.x, origin.y);
        by_pattern.FillRect({-10, -10, 60, 50}, kGrey);
        by_pixel.FillRect({-10, -10, 60, 50}, kGrey);
        for (const Line& l : lines) {
          by_pattern.DottedLine(l.x0, l.y0, l.x1, l.y1, kDot, kGap, phase);
          by_pixel.Canvas::DottedLine(l.x0, l.y0, l.x1, l.y1, kDot, kGap, phase);
        }
      }
      const Bitmap32 a = pattern.ToBitmap32(), b = pixels.ToBitmap32();
      int differing = 0, dots = 0;
      for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
          differing += a.Pixel(x, y) != b.Pixel(x, y);
          dots += b.Pixel(x, y) == kDot;
        }
      }
      EXPECT_EQ(differing, 0) << "origin " << origin.x << "," << origin.y << " phase " << phase;
      EXPECT_GT(dots, 60) << "the lines are drawn";
    }
  }
}

TEST_F(GdiCanvasTest, FocusRectangleInvertsAndDrawnTwiceRestores) {
  const Bitmap32 before = dib.ToBitmap32();
  canvas.DrawFocusRect({4, 4, 20, 12});
  EXPECT_GT(InkCount({4, 4, 20, 12}), 10);
  EXPECT_EQ(InkCount({5, 5, 19, 11}), 0) << "only the outline";
  canvas.DrawFocusRect({4, 4, 20, 12});
  EXPECT_EQ(dib.ToBitmap32(), before);
}

TEST_F(GdiCanvasTest, ChineseTextIsMeasuredAndDrawnInsideItsClip) {
  canvas.SetFont({"Arial", 14, true});
  const Size two = canvas.TextExtent("监听");
  const Size one = canvas.TextExtent("监");
  EXPECT_GT(one.cx, 4);
  EXPECT_GT(two.cx, one.cx);
  EXPECT_GT(two.cy, 8);
  EXPECT_EQ(canvas.TextExtent("").cx, 0);

  canvas.TextOut(2, 2, "监听", Rgb(0, 0, 0), {2, 2, 2 + one.cx, 2 + two.cy});
  EXPECT_GT(InkCount({2, 2, 2 + one.cx, 2 + two.cy}), 5);
  EXPECT_EQ(InkCount({2 + one.cx, 0, 64, 40}), 0) << "the second character is clipped away";
}

// A face without Chinese glyphs draws every character as the same box; distinct characters must
// come out as distinct pictures in the faces the windows use (a Chinese system links them to a
// Chinese font).
TEST_F(GdiCanvasTest, ChineseCharactersAreRealGlyphsInTheWindowsFaces) {
  for (const char* face : {"Arial", "MS Sans Serif", "Verdana", "宋体"}) {
    canvas.FillRect({0, 0, 64, 40}, kBack);
    canvas.SetFont({face, 13});
    canvas.TextOut(0, 0, "监", Rgb(0, 0, 0), {0, 0, 20, 20});
    canvas.TextOut(30, 0, "听", Rgb(0, 0, 0), {30, 0, 50, 20});
    const Bitmap32 pixels = dib.ToBitmap32();
    int differing = 0, ink = 0;
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 20; ++x) {
        differing += pixels.Pixel(x, y) != pixels.Pixel(x + 30, y);
        ink += pixels.Pixel(x, y) != kBack;
      }
    }
    EXPECT_GT(ink, 10) << face;
    EXPECT_GT(differing, 10) << face << ": two characters drawn alike, so no Chinese glyphs";
  }
}

}  // namespace
}  // namespace netscry
