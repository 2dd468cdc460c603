// Composition of the four frame strips, objects drawn into them, and the window shape.
#include <gtest/gtest.h>

#include "frame_fixture.h"
#include "skin/frame/frame_strips.h"

namespace netscry {
namespace {

using namespace testing_frame;

// A 10 × 8 picture whose every pixel tells where it came from.
Color Src(int x, int y) { return Rgb(std::uint8_t(10 + x), std::uint8_t(100 + y), 7); }

struct SmallSkin {
  Bitmap32 picture{10, 8};
  TskSkinFormInfo info;
  SmallSkin() {
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 10; ++x) picture.SetPixel(x, y, Src(x, y));
    }
    info.LTPoint = {3, 3};
    info.RTPoint = {6, 3};
    info.LBPoint = {3, 6};
    info.RBPoint = {6, 6};
    info.ClientRect = {2, 2, 8, 7};
  }
};

TEST(FrameStrips, TiledEdgesRepeatTheMiddleFromTheStripStart) {
  SmallSkin s;
  const FrameGeometry g = ComputeGeometry(s.info, {10, 8}, 16, 12);  // dx 6, dy 4
  const FrameStrips strips = CutFrameStrips(s.picture, s.info, g);
  ASSERT_EQ(strips.top.Width(), 16);
  ASSERT_EQ(strips.top.Height(), 2);
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 16; ++c) {
      // Left corner 0 … 3, right corner from RT'.x = 12, tiles of columns 3 … 6 from column 0.
      const int sx = c < 3 ? c : c >= 12 ? c - 6 : 3 + c % 3;
      EXPECT_EQ(strips.top.Pixel(c, r), Src(sx, r)) << c << "," << r;
    }
  }
  // Bottom strip: H − NCR.bottom = 1 row, taken from the last source row.
  ASSERT_EQ(strips.bottom.Height(), 1);
  EXPECT_EQ(strips.bottom.Pixel(7, 0), Src(4, 7));
  EXPECT_EQ(strips.bottom.Pixel(13, 0), Src(7, 7));
  // Left strip: 2 wide, 12 − 2 − 1 = 9 high; the fixed piece above (row 2), tiles of rows
  // 3 … 6 from row 0, the fixed piece below (row 6) at the bottom.
  ASSERT_EQ(strips.left.Width(), 2);
  ASSERT_EQ(strips.left.Height(), 9);
  const int left_rows[9] = {2, 4, 5, 3, 4, 5, 3, 4, 6};
  for (int r = 0; r < 9; ++r) EXPECT_EQ(strips.left.Pixel(1, r), Src(1, left_rows[r])) << r;
  // Right strip: source columns 8 … 10 at window column 14.
  ASSERT_EQ(strips.right.Width(), 2);
  EXPECT_EQ(strips.right_at, (Point{14, 2}));
  EXPECT_EQ(strips.right.Pixel(0, 0), Src(8, 2));
  EXPECT_EQ(strips.bottom_at, (Point{0, 11}));
  EXPECT_EQ(strips.left_at, (Point{0, 2}));
}

TEST(FrameStrips, StretchedEdgesRepeatWholeRowsAndColumns) {
  SmallSkin s;
  s.info.TopStretch = s.info.LeftStretch = true;
  const FrameGeometry g = ComputeGeometry(s.info, {10, 8}, 16, 12);
  const FrameStrips strips = CutFrameStrips(s.picture, s.info, g);
  // Columns 3 … 6 (3 wide) onto 3 … 12 (9 wide): each source column three times.
  const int top_cols[16] = {0, 1, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 7, 8, 9};
  for (int c = 0; c < 16; ++c) EXPECT_EQ(strips.top.Pixel(c, 1), Src(top_cols[c], 1)) << c;
  // Rows 3 … 6 onto rows LT.y − CR.top = 1 … 9 − (CR.bottom − LB.y) = 8, pieces above and below.
  const int left_rows[9] = {2, 3, 3, 3, 4, 4, 5, 5, 6};
  for (int r = 0; r < 9; ++r) EXPECT_EQ(strips.left.Pixel(0, r), Src(0, left_rows[r])) << r;
}

TEST(FrameStrips, PictureSizedWindowWithStretchedEdgesGivesThePictureBack) {
  // (Tiled edges start their tiles at the strip's first row or column, so they match the
  // picture only where the corner width is a multiple of the tile.)
  SmallSkin s;
  for (bool stretch : {true}) {
    s.info.TopStretch = s.info.BottomStretch = s.info.LeftStretch = s.info.RightStretch = stretch;
    const FrameStrips strips = CutFrameStrips(s.picture, s.info, ComputeGeometry(s.info, {10, 8}, 10, 8));
    const Bitmap32 whole = AssembleStrips(strips, 10, 8, kWhite);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 10; ++x) {
        const bool client = s.info.ClientRect.Contains({x, y});
        EXPECT_EQ(whole.Pixel(x, y), client ? kWhite : Src(x, y)) << x << "," << y << " stretch " << stretch;
      }
    }
  }
}

TEST(FrameStrips, MaskRunsOfASmallStrip) {
  Bitmap32 strip(6, 3, kWhite);
  for (int x : {0, 1, 3}) strip.SetPixel(x, 0, kBlack);
  for (int x = 0; x < 6; ++x) strip.SetPixel(x, 2, kBlack);
  strip.SetPixel(5, 1, Rgb(0, 0, 1));  // not black: one channel is set
  const std::vector<Rect> runs = MaskStripRuns(strip, {10, 20});
  const std::vector<Rect> expected = {{10, 20, 12, 21}, {13, 20, 14, 21}, {10, 22, 16, 23}};
  EXPECT_EQ(runs, expected);
  EXPECT_TRUE(MaskStripRuns(Bitmap32(), {0, 0}).empty());
}

// Every pixel of strip (placed at at) is black exactly when one rectangle covers it.
void ExpectRunsCoverBlackPixels(const std::vector<Rect>& rects, const Bitmap32& strip, Point at) {
  for (int y = 0; y < strip.Height(); ++y) {
    for (int x = 0; x < strip.Width(); ++x) {
      int covering = 0;
      for (const Rect& r : rects) covering += r.Contains({at.x + x, at.y + y});
      ASSERT_EQ(covering, strip.Pixel(x, y) == kBlack ? 1 : 0) << x << "," << y;
    }
  }
}

TEST(FrameStrips, ManyRunsMergeIdenticalRowsOrFallBackToTheWholeStrip) {
  // Two identical rows of 5,001 runs: 10,002 runs, merged into 5,001 two-row rectangles.
  Bitmap32 striped(10002, 2, kWhite);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 10002; x += 2) striped.SetPixel(x, y, kBlack);
  }
  const std::vector<Rect> merged = MaskStripRuns(striped, {3, 4});
  EXPECT_EQ(merged.size(), 5001u);
  EXPECT_EQ(merged.front(), (Rect{3, 4, 4, 6}));
  ExpectRunsCoverBlackPixels(merged, striped, {3, 4});

  // A checkerboard needs more than 10,000 rectangles whichever way: the strip counts as a whole.
  Bitmap32 checker(10002, 2, kWhite);
  for (int y = 0; y < 2; ++y) {
    for (int x = y; x < 10002; x += 2) checker.SetPixel(x, y, kBlack);
  }
  const std::vector<Rect> whole = MaskStripRuns(checker, {3, 4});
  ASSERT_EQ(whole.size(), 1u);
  EXPECT_EQ(whole.front(), (Rect{3, 4, 10005, 6}));

  // Identical rows merge only with the row right above: rows 0–4 and 6–9 are the same, row 5 is
  // white and stays uncovered.
  Bitmap32 gapped(4002, 10, kWhite);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 4002 && y != 5; x += 2) gapped.SetPixel(x, y, kBlack);
  }
  const std::vector<Rect> two_bands = MaskStripRuns(gapped, {3, 4});
  ASSERT_EQ(two_bands.size(), 2u * 2001u);
  EXPECT_EQ(two_bands.front(), (Rect{3, 4, 4, 9}));
  EXPECT_EQ(two_bands[2001], (Rect{3, 10, 4, 14}));
  for (const Rect& r : two_bands) ASSERT_FALSE(r.top <= 9 && r.bottom > 9) << "covers the white row";

  // Exactly 10,000 runs stay one per run.
  Bitmap32 limit(20000, 1, kWhite);
  for (int x = 0; x < 20000; x += 2) limit.SetPixel(x, 0, kBlack);
  EXPECT_EQ(MaskStripRuns(limit, {0, 0}).size(), 10000u);
}

TEST(FrameShape, CarriedMainMaskCutsTheTopCorners) {
  FakeHost host;
  TskSkinData skin;
  LoadCarriedSkin(MainSkinFile(), skin);
  TskSkinFrame frame(host);
  frame.SetSkinData(&skin);
  EXPECT_TRUE(frame.SetSize(762, 469));
  const auto shape = frame.Shape();  // laid out with the size
  ASSERT_TRUE(shape.has_value());
  EXPECT_EQ(frame.UpdateShape(), shape);
  EXPECT_FALSE(frame.SetSize(703, 469));  // below the minimum: nothing recomputed
  EXPECT_EQ(frame.Shape(), shape);
  EXPECT_EQ(shape->front(), (Rect{7, 3, 755, 461}));  // the mask rectangle first
  auto inside = [&](Point p) {
    return std::any_of(shape->begin(), shape->end(), [&](const Rect& r) { return r.Contains(p); });
  };
  EXPECT_FALSE(inside({0, 0}));
  EXPECT_FALSE(inside({761, 0}));
  EXPECT_FALSE(inside({1, 1}));
  EXPECT_TRUE(inside({0, 10}));    // below the rounding
  EXPECT_TRUE(inside({380, 0}));   // the top edge between the corners
  EXPECT_TRUE(inside({0, 468}));   // square bottom corners
  EXPECT_TRUE(inside({761, 468}));
  // Each mask strip's runs describe its black pixels exactly.
  const FrameStrips& m = frame.MaskStrips();
  ExpectRunsCoverBlackPixels(MaskStripRuns(m.top, m.top_at), m.top, m.top_at);
  ExpectRunsCoverBlackPixels(MaskStripRuns(m.right, m.right_at), m.right, m.right_at);
  // No frame, no shape.
  frame.HasBorderStyle = false;
  EXPECT_FALSE(frame.UpdateShape().has_value());
}

class ComposeMain : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildMainSkin(skin);
    // An object in the bottom-right zone: drawn into the bottom strip.
    auto& grip = AddObject<TskDataSkinButton>(skin, "grip");
    grip.SkinRect = {697, 285, 702, 290};  // bottom-right zone: moves by (dx, dy)
    grip.ActivePictureIndex = 1;
    skin.ActivePictures.push_back(std::make_unique<SkinBitmap>(Bitmap32(704, 292, Rgb(1, 2, 3)), 24));
    grip.SkinRectInAPicture = true;
    frame.BorderIcons = biSystemMenu | biMinimize | biMaximize;
    frame.ShowIcon = true;
    frame.SetSkinData(&skin);
    frame.SetSize(762, 469);
  }
  bool Compose() {
    runs.clear();
    return frame.ComposeFrame(strips, [this](Bitmap32& bmp) -> std::unique_ptr<Canvas> {
      struct Recording : BitmapCanvas {
        Recording(Bitmap32& b, std::vector<BitmapCanvas::TextRun>* out) : BitmapCanvas(b), out_(out) {}
        void TextOut(int x, int y, std::string_view t, Color c, const Rect& clip) override {
          out_->push_back({x, y, std::string(t), c, clip, Font()});
        }
        std::vector<BitmapCanvas::TextRun>* out_;
      };
      return std::make_unique<Recording>(bmp, &runs);
    });
  }
  FakeHost host;
  TskSkinData skin;
  TskSkinFrame frame{host};
  FrameStrips strips;
  std::vector<BitmapCanvas::TextRun> runs;
};

TEST_F(ComposeMain, StripsCarryTheFrameAndTheObjects) {
  ASSERT_TRUE(Compose());
  EXPECT_EQ(strips.top.Width(), 762);
  EXPECT_EQ(strips.top.Height(), 28);
  EXPECT_EQ(strips.left.Width(), 8);
  EXPECT_EQ(strips.right.Width(), 8);
  EXPECT_EQ(strips.bottom.Height(), 8);
  EXPECT_EQ(strips.left.Height(), 469 - 28 - 8);
  EXPECT_EQ(strips.top.Pixel(300, 26), Rgb(200, 210, 220));      // frame picture
  EXPECT_EQ(strips.top.Pixel(720, 5), Rgb(10, 20, 30));          // close button, normal image
  EXPECT_EQ(strips.top.Pixel(15, 10), Rgb(0, 128, 0));           // the window icon
  // The grip at 755,462 … 760,467 lands in the bottom strip moved up by NCR.bottom (461).
  EXPECT_EQ(strips.bottom.Pixel(757, 3), Rgb(1, 2, 3));
  EXPECT_EQ(strips.bottom.Pixel(754, 3), Rgb(200, 210, 220));
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].text, "Netscry");
  EXPECT_EQ(runs[0].x, 27);

  // A hot button shows its hot image once the cross-fade is done.
  frame.UpdateHover({720, 5});
  while (frame.MorphTimerTick()) {
  }
  ASSERT_TRUE(Compose());
  EXPECT_EQ(strips.top.Pixel(720, 5), kWhite);
}

TEST_F(ComposeMain, InactiveFrameUsesTheInactivePicture) {
  host.active = false;
  ASSERT_TRUE(Compose());
  EXPECT_EQ(strips.top.Pixel(300, 26), Rgb(230, 230, 230));
  EXPECT_EQ(runs.at(0).color, Color(9864820));
  skin.InActivePicture = SkinBitmap();  // none: the active picture
  ASSERT_TRUE(Compose());
  EXPECT_EQ(strips.top.Pixel(300, 26), Rgb(200, 210, 220));
  skin.FormInfo.AutoRenderingInActiveImage = true;
  skin.FormInfo.InActiveEffect = SkinEffect::Invert;
  ASSERT_TRUE(Compose());
  EXPECT_EQ(strips.top.Pixel(300, 26), Rgb(55, 45, 35));
}

TEST_F(ComposeMain, InactiveEffectsPerPixelAndSplitBlurFromTheUnchangedNeighbours) {
  host.active = false;
  skin.InActivePicture = SkinBitmap();
  skin.FormInfo.AutoRenderingInActiveImage = true;
  frame.SetSize(704, 292);  // the picture's own size: strip pixels are picture pixels
  skin.Picture.SetPixel(299, 26, kBlack);
  skin.Picture.SetPixel(301, 26, kWhite);
  struct Case {
    SkinEffect effect;
    Color at_300, at_299;
  } cases[] = {
      {SkinEffect::Brightness, Rgb(228, 233, 238), Rgb(128, 128, 128)},
      {SkinEffect::Darkness, Rgb(140, 147, 154), kBlack},
      {SkinEffect::Grayscale, Rgb(208, 208, 208), kBlack},
      {SkinEffect::Invert, Rgb(55, 45, 35), kWhite},
      // Each pixel the mean of its left and right neighbours as they were before the effect.
      {SkinEffect::SplitBlur, Rgb(128, 128, 128), Rgb(200, 210, 220)},
  };
  for (const Case& c : cases) {
    skin.FormInfo.InActiveEffect = c.effect;
    ASSERT_TRUE(Compose());
    EXPECT_EQ(strips.top.Pixel(300, 26), c.at_300) << int(c.effect);
    EXPECT_EQ(strips.top.Pixel(299, 26), c.at_299) << int(c.effect);
  }
  // Noise: a fixed pattern, the same on every repaint.
  skin.FormInfo.InActiveEffect = SkinEffect::Noise;
  ASSERT_TRUE(Compose());
  const Bitmap32 first = strips.top;
  ASSERT_TRUE(Compose());
  EXPECT_EQ(strips.top, first);
  EXPECT_NE(first.Pixel(300, 26), Rgb(200, 210, 220));
}

TEST_F(ComposeMain, NothingBelowTheMinimumOrWithoutASkin) {
  frame.SetSize(703, 469);
  EXPECT_FALSE(Compose());
  frame.SetSize(704, 35);
  EXPECT_FALSE(Compose());
  frame.SetSize(704, 36);
  EXPECT_TRUE(Compose());
  skin.Empty = true;
  EXPECT_FALSE(Compose());
}

}  // namespace
}  // namespace netscry

namespace netscry {
namespace {

using namespace testing_frame;

TEST(PlainFrame, BorderBandRidgesTextAndButtons) {
  FakeHost host;
  TskSkinFrame frame(host);
  frame.SetSize(200, 100);
  FrameStrips strips;
  std::vector<BitmapCanvas::TextRun> runs;
  auto compose = [&] {
    runs.clear();
    return frame.ComposePlainFrame(strips, [&](Bitmap32& b) -> std::unique_ptr<Canvas> {
      struct Recording : BitmapCanvas {
        Recording(Bitmap32& t, std::vector<TextRun>* out) : BitmapCanvas(t), out_(out) {}
        void TextOut(int x, int y, std::string_view s, Color c, const Rect& clip) override {
          out_->push_back({x, y, std::string(s), c, clip, Font()});
        }
        std::vector<TextRun>* out_;
      };
      return std::make_unique<Recording>(b, &runs);
    });
  };
  ASSERT_TRUE(compose());
  const PlainFrameColors c;
  const Bitmap32 whole = AssembleStrips(strips, 200, 100, Rgb(1, 1, 1));
  EXPECT_EQ(strips.top.Height(), 22);
  EXPECT_EQ(strips.left_at, (Point{0, 22}));
  EXPECT_EQ(strips.bottom_at, (Point{0, 97}));
  EXPECT_EQ(whole.Pixel(0, 0), c.light3d);
  EXPECT_EQ(whole.Pixel(0, 50), c.light3d);
  EXPECT_EQ(whole.Pixel(199, 50), c.dark_shadow3d);
  EXPECT_EQ(whole.Pixel(100, 99), c.dark_shadow3d);
  EXPECT_EQ(whole.Pixel(1, 50), c.highlight);
  EXPECT_EQ(whole.Pixel(198, 50), c.shadow);
  EXPECT_EQ(whole.Pixel(2, 50), c.face);
  EXPECT_EQ(whole.Pixel(50, 50), Rgb(1, 1, 1));  // the client is not drawn
  // Buttons from the right: close 180 … 197, maximise, minimise, roll up, tray down to 112;
  // the icon button at 3. Ridges run between them, rows 5 … 17, from 22 to 110.
  EXPECT_EQ(whole.Pixel(25, 5), c.highlight);
  EXPECT_EQ(whole.Pixel(25, 6), c.shadow);
  EXPECT_EQ(whole.Pixel(25, 18), c.face);
  EXPECT_EQ(whole.Pixel(111, 5), c.face);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].text, "Netscry");
  EXPECT_EQ(runs[0].x, 22 + 88 / 2 - 49 / 2);
  EXPECT_EQ(runs[0].font, frame.DefCaptionFont);
  EXPECT_EQ(whole.Pixel(runs[0].x - 2, 5), c.face);  // a plain patch behind the text
  EXPECT_EQ(whole.Pixel(188, 12), c.button_text);    // the close glyph's centre

  EXPECT_EQ(frame.HitTest({185, 10}), kHitObject);
  EXPECT_EQ(frame.HitTest({60, 10}), kHitCaption);
  // Hovering a plain button repaints it at once with the hot look.
  frame.UpdateHover({185, 10});
  EXPECT_EQ(host.repaints.size(), 1u);
  ASSERT_TRUE(compose());
  EXPECT_EQ(strips.top.Pixel(180, 4), Color(8388608));   // dark blue frame
  EXPECT_EQ(strips.top.Pixel(182, 6), Color(13811126));  // hot fill
  // A disabled button's glyph is in the shadow colour: the tray button (112 … 129).
  bool shadow_ink = false;
  for (int x = 112; x < 129; ++x) {
    for (int y = 4; y < 21; ++y) shadow_ink = shadow_ink || strips.top.Pixel(x, y) == c.shadow;
  }
  EXPECT_TRUE(shadow_ink);
  // Press and release the close button: the form closes.
  frame.NcButtonDown({185, 10}, TskMouseButton::Left, kHitObject);
  ASSERT_TRUE(compose());
  EXPECT_EQ(strips.top.Pixel(182, 6), Color(11899781));  // pressed fill
  frame.ButtonUp({185, 10}, TskMouseButton::Left);
  EXPECT_EQ(host.closes, 1);

  // With ShowIcon the system menu button shows the window icon.
  EXPECT_NE(strips.top.Pixel(10, 10), Rgb(0, 128, 0));
  frame.ShowIcon = true;
  ASSERT_TRUE(compose());
  EXPECT_EQ(strips.top.Pixel(10, 10), Rgb(0, 128, 0));

  frame.SetSize(5, 100);
  EXPECT_FALSE(compose());
}

}  // namespace
}  // namespace netscry

namespace netscry {
namespace {

using namespace testing_frame;

TEST(CarriedFrames, DialogShowsCaptionBackgroundWhereHiddenButtonsWouldBe) {
  CarriedFrame dialog(CarriedWindow::Dialog);
  const TskSkinData& skin = dialog.skin;
  TskSkinFrame& frame = dialog.frame;
  frame.SetSize(435, 268);  // dx 57
  FrameStrips strips;
  ASSERT_TRUE(frame.ComposeFrame(strips, [](Bitmap32& b) -> std::unique_ptr<Canvas> {
    return std::make_unique<BitmapCanvas>(b);
  }));
  const FrameStrips bare = CutFrameStrips(skin.Picture, skin.FormInfo, frame.Geometry());
  auto same = [&](const Rect& r) {
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) {
        if (strips.top.Pixel(x, y) != bare.top.Pixel(x, y)) return false;
      }
    }
    return true;
  };
  // Where minimise and maximise would sit with the buttons offset (341 … 396): the frame alone.
  EXPECT_TRUE(same({341, 6, 396, 21}));
  // The close button (401 … 429) and the icon (5 … 21) are drawn over it.
  EXPECT_FALSE(same({401, 6, 429, 21}));
  EXPECT_FALSE(same({5, 5, 21, 21}));
}

TEST(CarriedFrames, MainWindowButtonsAndCaptionAt762) {
  CarriedFrame main_window(CarriedWindow::Main);
  auto& [host, skin, frame] = main_window;
  frame.SetSize(762, 469);
  FrameStrips strips;
  ASSERT_TRUE(frame.ComposeFrame(strips, [](Bitmap32& b) -> std::unique_ptr<Canvas> {
    return std::make_unique<BitmapCanvas>(b);
  }));
  // Each caption button shows its normal image from picture 0, taken at its own place.
  const Bitmap32& buttons = *skin.ActivePictures[0];
  for (const auto& [name, window_left, picture_left] :
       {std::tuple{"minimizebutton", 662, 604}, std::tuple{"maximizebutton", 687, 629},
        std::tuple{"closebutton", 712, 654}}) {
    EXPECT_EQ(strips.top.Pixel(window_left + 12, 9), buttons.Pixel(picture_left + 12, 9)) << name;
  }
  // With the window inactive, the buttons show their inactive images.
  host.active = false;
  ASSERT_TRUE(frame.ComposeFrame(strips, [](Bitmap32& b) -> std::unique_ptr<Canvas> {
    return std::make_unique<BitmapCanvas>(b);
  }));
  const auto& close = dynamic_cast<const TskDataSkinStdButton&>(*skin.Objects[1]);
  EXPECT_EQ(strips.top.Pixel(712 + 20, 9), buttons.Pixel(close.InActiveSkinRect.left + 20, close.InActiveSkinRect.top + 8));
}

}  // namespace
}  // namespace netscry
