// Placement of the caption buttons and the caption for both carried skins, and the caption text.
#include <gtest/gtest.h>

#include "frame_fixture.h"

namespace netscry {
namespace {

using namespace testing_frame;

const TskActiveSkinObject& Object(const TskSkinFrame& frame, const std::string& name) {
  for (const auto& o : frame.FrameObjects) {
    if (o->IDName == name) return *o;
  }
  ADD_FAILURE() << "no frame object " << name;
  static const TskActiveSkinObject* none = nullptr;
  return *none;
}

TEST(CaptionLayout, MainWindowAtTwoWidths) {
  CarriedFrame main_window(CarriedWindow::Main);
  TskSkinFrame& frame = main_window.frame;
  for (int width : {704, 1000}) {
    SCOPED_TRACE(width);
    const int dx = width - 704;
    frame.SetSize(width, 469);
    EXPECT_EQ(Object(frame, "closebutton").ObjectRect, (Rect{654 + dx, 1, 697 + dx, 18}));
    EXPECT_EQ(Object(frame, "maximizebutton").ObjectRect, (Rect{629 + dx, 1, 654 + dx, 18}));
    EXPECT_EQ(Object(frame, "minimizebutton").ObjectRect, (Rect{604 + dx, 1, 629 + dx, 18}));
    EXPECT_EQ(Object(frame, "sysmenubutton").ObjectRect, (Rect{7, 5, 23, 21}));
    EXPECT_EQ(Object(frame, "caption").ObjectRect, (Rect{23, 5, 604 + dx, 24}));
    // The caption text band: 4 … object width − 4, 19 pixels high.
    ASSERT_NE(frame.CaptionObject(), nullptr);
    EXPECT_EQ(frame.CaptionObject()->TextBand(), (Rect{27, 5, 600 + dx, 24}));
  }
}

TEST(CaptionLayout, DialogAtTwoWidthsShowsOnlyCloseAndIcon) {
  CarriedFrame dialog(CarriedWindow::Dialog);
  TskSkinFrame& frame = dialog.frame;
  for (int width : {435, 500}) {
    SCOPED_TRACE(width);
    const int dx = width - 378;
    frame.SetSize(width, 268);
    const TskActiveSkinObject& close = Object(frame, "closebutton");
    EXPECT_EQ(close.ObjectRect, (Rect{344 + dx, 6, 372 + dx, 21}));  // 28 × 15 at the band's right end
    EXPECT_TRUE(close.Enabled && close.Visible);
    EXPECT_EQ(Object(frame, "sysmenubutton").ObjectRect, (Rect{5, 5, 21, 21}));
    // The caption runs up to the close button: the buttons offset 5 separates nothing else.
    EXPECT_EQ(Object(frame, "caption").ObjectRect, (Rect{21, 6, 344 + dx, 21}));
    for (const char* hidden : {"minimizebutton", "maximizebutton"}) {
      EXPECT_FALSE(Object(frame, hidden).Enabled) << hidden;
      EXPECT_FALSE(Object(frame, hidden).Visible) << hidden;
    }
  }
}

TEST(CaptionLayout, ButtonsFromTheLeftWithAnOffset) {
  FakeHost host;
  TskSkinData skin;
  BuildMainSkin(skin);
  skin.FormInfo.ButtonsInLeft = true;
  skin.FormInfo.ButtonsOffset = 2;
  TskSkinFrame frame(host);
  frame.ShowIcon = true;
  frame.BorderIcons = biSystemMenu | biMinimize | biMaximize;
  frame.SetSkinData(&skin);
  frame.SetSize(762, 469);
  EXPECT_EQ(Object(frame, "closebutton").ObjectRect, (Rect{7, 1, 50, 18}));
  EXPECT_EQ(Object(frame, "maximizebutton").ObjectRect, (Rect{52, 1, 77, 18}));
  EXPECT_EQ(Object(frame, "minimizebutton").ObjectRect, (Rect{79, 1, 104, 18}));
  EXPECT_EQ(Object(frame, "sysmenubutton").ObjectRect, (Rect{106, 1, 122, 17}));
  EXPECT_EQ(Object(frame, "caption").ObjectRect.left, 126);
}

TEST(CaptionLayout, AButtonsBandLeavesTheCaptionAndHiddenButtonsStay) {
  FakeHost host;
  TskSkinData skin;
  BuildMainSkin(skin);
  skin.FormInfo.ButtonsRect = {500, 3, 690, 23};  // right half: follows the right edge
  TskSkinFrame frame(host);
  frame.ShowIcon = true;
  frame.BorderIcons = biSystemMenu | biMaximize;  // no minimise
  frame.SetSkinData(&skin);
  frame.SetSize(804, 400);
  EXPECT_EQ(Object(frame, "closebutton").ObjectRect, (Rect{747, 3, 790, 20}));
  EXPECT_EQ(Object(frame, "maximizebutton").ObjectRect, (Rect{722, 3, 747, 20}));
  // The minimise button takes no part and keeps its anchored place.
  EXPECT_FALSE(Object(frame, "minimizebutton").Visible);
  EXPECT_EQ(Object(frame, "caption").ObjectRect.right, 604);
  EXPECT_EQ(Object(frame, "sysmenubutton").ObjectRect, (Rect{600, 5, 616, 21}));  // band left, centred
}

TEST(CaptionLayout, HiddenCaptionButtonsAndCustomButtons) {
  FakeHost host;
  TskSkinData skin;
  BuildMainSkin(skin);
  auto& custom = AddButton(skin, "helpbutton", SkinCommand::Default, {580, 1, 604, 18});
  (void)custom;
  TskSkinFrame frame(host);
  frame.HideCaptionButtons = true;
  frame.SetSkinData(&skin);
  for (const char* name : {"closebutton", "maximizebutton", "minimizebutton", "sysmenubutton"}) {
    EXPECT_FALSE(Object(frame, name).Enabled) << name;
  }
  EXPECT_FALSE(Object(frame, "helpbutton").Visible);  // no OnActivateCustomObject

  struct CustomHost : FakeHost {
    bool ActivateCustomObject(const std::string& id) override { return id == "helpbutton"; }
  } custom_host;
  TskSkinFrame shown(custom_host);
  shown.BorderIcons = biSystemMenu | biMinimize | biMaximize;
  shown.SetSkinData(&skin);
  shown.SetSize(704, 292);
  EXPECT_TRUE(Object(shown, "helpbutton").Visible);
  // Custom buttons come after close, maximise and minimise.
  EXPECT_EQ(Object(shown, "helpbutton").ObjectRect, (Rect{580, 1, 604, 18}));
  EXPECT_EQ(Object(shown, "caption").ObjectRect.right, 580);
}

// --- caption text ---

class CaptionText : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildMainSkin(skin);
    frame.ShowIcon = true;
    frame.BorderIcons = biSystemMenu | biMinimize | biMaximize;
    frame.SetSkinData(&skin);
    frame.SetSize(762, 469);
  }
  // Draws the caption onto a window-sized canvas with 7-pixel characters, 14 high.
  BitmapCanvas::TextRun DrawCaption() {
    Bitmap32 target(762, 469);
    BitmapCanvas canvas(target, 7, 14);
    frame.CaptionObject()->Draw(canvas, false);
    EXPECT_EQ(canvas.TextRuns().size(), 1u);
    return canvas.TextRuns().empty() ? BitmapCanvas::TextRun{} : canvas.TextRuns().front();
  }
  FakeHost host;
  TskSkinData skin;
  TskSkinFrame frame{host};
};

TEST_F(CaptionText, FitsAndColoursByActivity) {
  const BitmapCanvas::TextRun run = DrawCaption();
  EXPECT_EQ(run.text, "Netscry");
  EXPECT_EQ(run.x, 27);
  EXPECT_EQ(run.y, 5 + 19 / 2 - 14 / 2);
  EXPECT_EQ(run.color, kBlack);
  EXPECT_EQ(run.font.name, "Arial");
  EXPECT_TRUE(run.font.bold);
  EXPECT_EQ(run.clip, (Rect{27, 5, 658, 24}));
  host.active = false;
  EXPECT_EQ(DrawCaption().color, Color(9864820));
}

// Both carried skins give the caption font height 14, which is a cell height: the canvas is
// asked for exactly that, not for characters 14 pixels high (a font about an eighth larger).
TEST(CaptionFont, TheCanvasGetsTheCarriedSkinsCellHeight) {
  for (CarriedWindow window : {CarriedWindow::Main, CarriedWindow::Dialog}) {
    SCOPED_TRACE(window == CarriedWindow::Main ? "main window" : "dialog");
    CarriedFrame carried(window);
    carried.frame.SetSize(window == CarriedWindow::Main ? 762 : 431, 469);
    Bitmap32 target(762, 469);
    BitmapCanvas canvas(target);
    ASSERT_NE(carried.frame.CaptionObject(), nullptr);
    carried.frame.CaptionObject()->Draw(canvas, false);
    ASSERT_EQ(canvas.TextRuns().size(), 1u);
    const FontAttrs& font = canvas.TextRuns()[0].font;
    EXPECT_EQ(font.name, "Arial");
    EXPECT_TRUE(font.bold);
    EXPECT_EQ(font.height, 14);
    EXPECT_TRUE(font.cell_height);
  }
}

TEST_F(CaptionText, LongTextEndsInDotsInsideTheBand) {
  // Band 27 … 658 (631 pixels): 87 characters and "..." take 630.
  host.caption = std::string(100, 'a');
  BitmapCanvas::TextRun run = DrawCaption();
  EXPECT_EQ(run.text, std::string(87, 'a') + "...");
  EXPECT_LE(run.x + int(run.text.size()) * 7, frame.CaptionObject()->ObjectRect.right);
  frame.SetSize(704, 469);  // band 27 … 600
  run = DrawCaption();
  EXPECT_EQ(run.text, std::string(78, 'a') + "...");
}

TEST_F(CaptionText, AlignmentAndNothingForAnEmptyCaption) {
  frame.CaptionObject()->Alignment = SkinAlignment::Right;
  EXPECT_EQ(DrawCaption().x, 658 - 49);
  frame.CaptionObject()->Alignment = SkinAlignment::Center;
  EXPECT_EQ(DrawCaption().x, 27 + 631 / 2 - 49 / 2);
  host.caption.clear();
  Bitmap32 target(762, 469);
  BitmapCanvas canvas(target);
  frame.CaptionObject()->Draw(canvas, false);
  EXPECT_TRUE(canvas.TextRuns().empty());
}

TEST(CaptionFit, DoubleByteCharactersStayWhole) {
  Bitmap32 target(1, 1);
  BitmapCanvas canvas(target, 7, 14);
  const std::string text = "ab\xCD\xF8\xC2\xE7xy";  // "ab", two CP936 characters, "xy"
  struct Case {
    int width;
    std::string expected;
  } cases[] = {
      {56, text},                   // fits exactly
      {55, "ab\xCD\xF8..."},        // "x", "y" and the second character dropped
      {48, "ab..."},                // never half a character (that would be 42 pixels)
      {35, "ab..."},
      {20, "..."},                  // nothing fits: the dots alone
  };
  for (const Case& c : cases) EXPECT_EQ(TskSkinCaptionObject::FitText(canvas, text, c.width), c.expected) << c.width;
}

}  // namespace
}  // namespace netscry

namespace netscry {
namespace {

using namespace testing_frame;

TEST(CaptionTextFrame, TheDialogGlowIsWidenedToTheText) {
  CarriedFrame dialog(CarriedWindow::Dialog);
  auto& [host, skin, frame] = dialog;
  host.caption = "abc";  // 21 pixels wide with the test canvas
  frame.SetSize(435, 268);
  TskSkinCaptionObject* caption = frame.CaptionObject();
  ASSERT_NE(caption, nullptr);
  // Text band: 10 pixels in from the glow's left, 1 down, 10 short of its right.
  EXPECT_EQ(caption->TextBand(), (Rect{31, 7, 391, 21}));
  const Bitmap32& own = *skin.ActivePictures[0];
  for (bool active : {true, false}) {
    host.active = active;
    const int src_top = active ? caption->ActiveFrameRect.top : caption->FrameRect.top;
    Bitmap32 window(435, 268, Rgb(1, 2, 3));
    BitmapCanvas canvas(window, 7, 14);
    caption->Draw(canvas, false);
    ASSERT_EQ(canvas.TextRuns().size(), 1u);
    EXPECT_EQ(canvas.TextRuns()[0].x, 31);
    EXPECT_EQ(canvas.TextRuns()[0].y, 7);
    // The glow is 40 + 21 − 20 = 41 wide at (21, 6): left part 0 … 10, the middle (source
    // columns 10 … 30) repeated over 10 … 31, the right part (30 … 40) at 31 … 41.
    const int y = 6 + 5, sy = src_top + 5;
    EXPECT_EQ(window.Pixel(21, y), own.Pixel(0, sy));
    EXPECT_EQ(window.Pixel(21 + 29, y), own.Pixel(29, sy));
    EXPECT_EQ(window.Pixel(21 + 30, y), own.Pixel(10, sy));
    EXPECT_EQ(window.Pixel(21 + 31, y), own.Pixel(30, sy));
    EXPECT_EQ(window.Pixel(21 + 40, y), own.Pixel(39, sy));
    EXPECT_EQ(window.Pixel(21 + 41, y), Rgb(1, 2, 3));
    EXPECT_EQ(window.Pixel(20, y), Rgb(1, 2, 3));
  }
}

}  // namespace
}  // namespace netscry
