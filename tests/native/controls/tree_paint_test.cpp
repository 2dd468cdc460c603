// What the rows and the header paint where, and when a tooltip shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

#include "list_fixture.h"

namespace netscry::test {
namespace {

constexpr Color kGrid = Rgb(10, 20, 30);
constexpr Color kSel = Rgb(0, 128, 64);
constexpr Color kUnpainted = Rgb(1, 2, 3);

// Paints each strip into its own bitmap and copies it to the page, keeping the text runs in page
// coordinates.
struct PageStrips : RowStripSink {
  explicit PageStrips(Bitmap32& page_bitmap) : page(page_bitmap) {}
  Canvas& BeginStrip(const Rect& dest) override {
    where = dest;
    strip = Bitmap32(dest.Width(), dest.Height(), kUnpainted);
    canvas = std::make_unique<BitmapCanvas>(strip);
    ++strips;
    return *canvas;
  }
  void EndStrip() override {
    for (int y = 0; y < strip.Height(); ++y)
      for (int x = 0; x < strip.Width(); ++x) page.SetPixel(where.left + x, where.top + y, strip.Pixel(x, y));
    for (const auto& run : canvas->TextRuns())
      runs.push_back({run.x + where.left, run.y + where.top, run.text, run.color, run.clip.Offset(where.left, where.top), run.font});
  }
  Bitmap32& page;
  Bitmap32 strip;
  Rect where;
  std::unique_ptr<BitmapCanvas> canvas;
  std::vector<BitmapCanvas::TextRun> runs;
  int strips = 0;
};

struct SolidImages : StateImageSource {
  int Count() const override { return 2; }
  Size ImageSize() const override { return {16, 16}; }
  void Draw(Canvas& c, int index, int x, int y) const override {
    c.FillRect({x, y, x + 16, y + 16}, index == 0 ? Rgb(200, 0, 0) : Rgb(0, 0, 200));
  }
};

class PaintTest : public ListTest {
 protected:
  void SetUp() override {
    ListTest::SetUp();
    list.Colors.GridLineColor = kGrid;
    list.Header().SetSortColumn(-1);
    Add("alpha", 0, "100", "80");
    Add("beta", 1, "111", "443");
    Add("gamma", 2, "122", "139");
  }
  void Paint() {
    page = Bitmap32(746, 220, kUnpainted);
    strips = std::make_unique<PageStrips>(page);
    BitmapCanvas below(page);
    list.PaintRows(*strips, below, {0, 0, 746, 220});
  }
  const BitmapCanvas::TextRun* RunWith(const std::string& text) {
    for (const auto& r : strips->runs)
      if (r.text == text) return &r;
    return nullptr;
  }
  // Dots follow the content: parity of content x + content y.
  Color Dot(int x, int y) { return ((x + list.OffsetX() + y + list.OffsetY()) & 1) == 0 ? kGrid : kWhite; }

  Bitmap32 page;
  std::unique_ptr<PageStrips> strips;
};

TEST_F(PaintTest, GridDotsLineUpAcrossCellsRowsAndScrolling) {
  list.SetClientSize(300, 220);  // narrower than the columns: a horizontal range
  for (int scroll_x : {0, 1, 7}) {
    list.SetOffsets(scroll_x, 0);
    Paint();
    // Bottom pixel row of each row, across cells (column boundaries at 120, 160 …).
    for (int row = 0; row < 3; ++row) {
      int y = row * 22 + 21;
      for (int x = 0; x < 300; ++x) ASSERT_EQ(page.Pixel(x, y), Dot(x, y)) << x << "," << y << " scroll " << scroll_x;
    }
    // Rightmost pixel column of column 1's cells, all rows.
    int x = 119 - scroll_x;
    for (int y = 0; y < 66; ++y) ASSERT_EQ(page.Pixel(x, y), Dot(x, y)) << y;
  }
}

TEST_F(PaintTest, SelectedRowIsAGreenBandBrokenByGridDotsWithOrWithoutFocus) {
  list.SelectNode(list.NodeAtIndex(1), true);
  for (bool focused : {true, false}) {
    list.SetFocused(focused);
    Paint();
    for (int x : {0, 60, 118, 120, 200, 528, 531, 568}) EXPECT_EQ(page.Pixel(x, 22 + 10), kSel) << x << " focused " << focused;
    EXPECT_EQ(page.Pixel(50, 22), kSel);       // frame along the top
    EXPECT_EQ(page.Pixel(50, 22 + 20), kSel);  // frame along the bottom, above the grid line
    EXPECT_EQ(page.Pixel(50, 22 + 21), Dot(50, 43));
    EXPECT_EQ(page.Pixel(119, 30), Dot(119, 30));
    EXPECT_EQ(page.Pixel(600, 30), kWhite);  // right of the last column: background
    EXPECT_EQ(page.Pixel(50, 10), kWhite);   // an unselected row
    const auto* run = RunWith("beta");
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->color, focused ? list.Colors.HighlightText : list.Colors.WindowText);
  }
}

TEST_F(PaintTest, BelowLastRowOnlyBackgroundAndOnlyVisibleRowsPainted) {
  list.Header().SetSortColumn(-1);
  for (int i = 3; i < 500; ++i) Add("row", i);
  list.SetOffsets(0, 22 * 100 + 5);  // partly shows 11 rows
  Paint();
  EXPECT_EQ(strips->strips, 11);
  list.SetOffsets(0, list.ContentHeight());  // clamped: the last page
  list.SetClientSize(746, 220);
  Paint();
  EXPECT_EQ(strips->strips, 10);
  // A short list: rows, then only white.
  list.Clear();
  Add("one", 1);
  Paint();
  EXPECT_EQ(strips->strips, 1);
  for (int y = 22; y < 220; y += 7)
    for (int x = 0; x < 746; x += 13) ASSERT_EQ(page.Pixel(x, y), kWhite) << x << "," << y;
}

TEST_F(PaintTest, TextExactlyFittingIsWholeOnePixelMoreIsShortened) {
  // Column 5's inset text area: width − grid line 1 − Margin 4 − 2 × TextMargin 8.
  list.Header().SetColumnWidth(5, 13 + 28);  // "abcd" is 28 pixels: exactly fits
  list.RowRecordAs<Rec>(list.NodeAtIndex(0))->port = "abcd";
  list.RowRecordAs<Rec>(list.NodeAtIndex(1))->port = "abcdefg";
  Paint();
  ASSERT_NE(RunWith("abcd"), nullptr);
  EXPECT_EQ(RunWith("abcd")->x, 250 + 4 + 4);
  EXPECT_NE(RunWith("a..."), nullptr);  // 7 + 21 = 28
  list.Header().SetColumnWidth(5, 13 + 27);
  Paint();
  EXPECT_EQ(RunWith("abcd"), nullptr);
  EXPECT_NE(RunWith("..."), nullptr);
}

TEST(TreeListShorten, LongestPrefixPlusEllipsis) {
  auto m = [](std::string_view s) { return int(s.size()) * 7; };
  struct Case {
    std::string text;
    int width;
    std::string expected;
  };
  const Case cases[] = {
      {"abcdef", 42, "abcdef"},  {"abcdef", 41, "ab..."}, {"abcdef", 42 - 1 + 7, "abcdef"}, {"abcdef", 21, "..."}, {"abcdef", 20, ""},
      {"ab", 13, ""},            {"", 0, ""},
      // A two-byte character is never cut: "\xB1\xBE" is one character of 14 pixels.
      {"\xB1\xBE\xB5\xD8xy", 36, "\xB1\xBE..."}, {"\xB1\xBE\xB5\xD8xy", 28, "..."},
  };
  for (const Case& c : cases) EXPECT_EQ(TStringTreeList::ShortenText(c.text, c.width, m), c.expected) << c.text << " " << c.width;
}

TEST_F(PaintTest, CentredColumnCentresFittingTextAndLeftAlignsShortened) {
  list.OnGetText = [](TStringTreeList&, PTreeNode, TColumnIndex c, TTreeTextType, std::string& t) {
    if (c == 9) t = "ab";
    if (c == 4) t = "x";
  };
  Paint();
  // Column 9: [530, 570), cell to 569, content from 534, inset 538 … 565 (27 pixels).
  ASSERT_NE(RunWith("ab"), nullptr);
  EXPECT_EQ(RunWith("ab")->x, 538 + (27 - 14) / 2);
  EXPECT_EQ(RunWith("ab")->y, (21 - 14) / 2);  // the strip canvas's text is 14 high
  list.OnGetText = [](TStringTreeList&, PTreeNode, TColumnIndex c, TTreeTextType, std::string& t) {
    if (c == 9) t = "abcdefgh";
  };
  Paint();
  ASSERT_NE(RunWith("..."), nullptr);
  EXPECT_EQ(RunWith("...")->x, 538);
}

TEST_F(PaintTest, StateImageAndTextPositions) {
  SolidImages images;
  list.SetStateImages(&images);
  list.OnGetImageIndex = [](TStringTreeList& s, PTreeNode n, TTreeImageKind k, TColumnIndex c, bool&, int& i) {
    EXPECT_EQ(k, TTreeImageKind::ikState);
    if (c == 1) i = s.NodeIndex(n) == 2 ? 7 : s.NodeIndex(n);  // row 2: an index the list lacks
  };
  Paint();
  // Row 1, image 1 at (0 + Margin 4, 22 + 3), 16 × 16.
  EXPECT_EQ(page.Pixel(4, 25), Rgb(0, 0, 200));
  EXPECT_EQ(page.Pixel(19, 40), Rgb(0, 0, 200));
  EXPECT_EQ(page.Pixel(3, 25), kWhite);
  EXPECT_EQ(page.Pixel(4, 24), kWhite);
  EXPECT_EQ(page.Pixel(20, 25), kWhite);
  EXPECT_EQ(page.Pixel(4, 3), Rgb(200, 0, 0));
  // Text after the image: 4 + 18 + TextMargin 4.
  EXPECT_EQ(RunWith("beta")->x, 26);
  // An index the list does not have draws nothing, yet the text makes room for it.
  EXPECT_EQ(page.Pixel(4, 44 + 3), kWhite);
  EXPECT_EQ(RunWith("gamma")->x, 26);
}

TEST_F(PaintTest, FocusRectangleOnlyWithFocusInFocusedRowAndColumn) {
  list.SelectNode(list.NodeAtIndex(0), true);
  list.FocusNode(list.NodeAtIndex(0));  // focus column 1
  list.SetFocused(false);
  Paint();
  Color without = page.Pixel(4, 0);
  list.SetFocused(true);
  Paint();
  // Inverted dots from the content area's left (4) over the text width + 8 = 43 pixels.
  EXPECT_NE(page.Pixel(4, 0), without);
  EXPECT_EQ(page.Pixel(4, 0), kSel ^ 0x00FFFFFF);
  EXPECT_EQ(page.Pixel(4 + 42, 2), kSel ^ 0x00FFFFFF);  // its right edge ("alpha" 35 + 8)
  EXPECT_EQ(page.Pixel(4 + 43, 2), kSel);
  EXPECT_EQ(page.Pixel(2, 0), kSel);
  EXPECT_EQ(page.Pixel(48, 0), kSel);  // beyond the rectangle
  // Other rows and other columns get none.
  EXPECT_EQ(page.Pixel(4, 22), kWhite);
  EXPECT_EQ(page.Pixel(124, 0), kSel);
}

TEST_F(PaintTest, AfterCellPaintGetsEachCellWithoutGridLines) {
  std::vector<std::pair<TColumnIndex, Rect>> cells;
  list.OnAfterCellPaint = [&](TStringTreeList&, Canvas&, PTreeNode n, TColumnIndex c, const Rect& r) {
    if (n == list.NodeAtIndex(1)) cells.push_back({c, r});
  };
  Paint();
  ASSERT_EQ(cells.size(), 8u);
  EXPECT_EQ(cells.front(), (std::pair<TColumnIndex, Rect>{1, {0, 0, 119, 21}}));
  EXPECT_EQ(cells.back(), (std::pair<TColumnIndex, Rect>{9, {530, 0, 569, 21}}));
  for (std::size_t i = 1; i < cells.size(); ++i) EXPECT_LT(cells[i - 1].first, cells[i].first);
}

// Counts every canvas operation by kind on its way to the canvas below.
class CountingCanvas : public Canvas {
 public:
  explicit CountingCanvas(Canvas& inner) : inner_(inner) {}
  void FillRect(const Rect& r, Color c) override { Count("FillRect"); inner_.FillRect(r, c); }
  void SetPixel(int x, int y, Color c) override { Count("SetPixel"); inner_.SetPixel(x, y, c); }
  void Line(int x0, int y0, int x1, int y1, Color c) override { Count("Line"); inner_.Line(x0, y0, x1, y1, c); }
  void DottedLine(int x0, int y0, int x1, int y1, Color dot, Color gap, int phase) override {
    Count("DottedLine");
    inner_.DottedLine(x0, y0, x1, y1, dot, gap, phase);
  }
  void DrawFocusRect(const Rect& r) override { Count("DrawFocusRect"); inner_.DrawFocusRect(r); }
  void DrawBitmap(const Bitmap32& bmp, const Rect& src, int x, int y, std::optional<Color> transparent) override {
    Count("DrawBitmap");
    inner_.DrawBitmap(bmp, src, x, y, transparent);
  }
  void StretchBitmap(const Bitmap32& bmp, const Rect& src, const Rect& dest) override {
    Count("StretchBitmap");
    inner_.StretchBitmap(bmp, src, dest);
  }
  void SetFont(const FontAttrs& font) override { Count("SetFont"); inner_.SetFont(font); }
  Size TextExtent(std::string_view text) override { Count("TextExtent"); return inner_.TextExtent(text); }
  void TextOut(int x, int y, std::string_view text, Color c, const Rect& clip) override {
    Count("TextOut");
    inner_.TextOut(x, y, text, c, clip);
  }

  int Total() const {
    int total = 0;
    for (const auto& [kind, n] : calls) total += n;
    return total;
  }
  std::map<std::string, int> calls;

 private:
  void Count(const char* kind) { ++calls[kind]; }
  Canvas& inner_;
};

// Every strip and the area below go through one counting canvas.
struct CountingStrips : RowStripSink {
  Bitmap32 strip{746, 22};
  BitmapCanvas drawn{strip};
  CountingCanvas counting{drawn};
  int strips = 0;
  Canvas& BeginStrip(const Rect&) override {
    ++strips;
    return counting;
  }
  void EndStrip() override {}
};

TEST_F(PaintTest, APageTakesAFewCanvasCallsPerCellNotOnePerGridPixel) {
  // The page of the Wine test window: 746 × 371, eight visible columns, one row selected and
  // focused while the list has the focus.
  for (int i = 3; i < 40; ++i) Add("row" + std::to_string(i), i, std::to_string(i), "80");
  list.SetClientSize(746, 371);
  list.SelectNode(list.NodeAtIndex(2), true);
  list.FocusNode(list.NodeAtIndex(2));
  list.SetFocused(true);
  CountingStrips counted;
  Bitmap32 below_bitmap(746, 371);
  BitmapCanvas below_drawn(below_bitmap);
  CountingCanvas below(below_drawn);
  list.PaintRows(counted, below, {0, 0, 746, 371});
  ASSERT_EQ(counted.strips, 17);
  const int cells = counted.strips * int(list.Header().VisibleColumns().size());
  const int total = counted.counting.Total() + below.Total();
  std::string kinds;
  for (const auto& [kind, n] : counted.counting.calls) kinds += " " + kind + " " + std::to_string(n);
  std::printf("canvas calls for a page of %d rows (%d cells): %d;%s\n", counted.strips, cells, total, kinds.c_str());
  // Background, two grid lines, text and the selection's band and frame: a handful per cell.
  EXPECT_LE(total, 8 * cells);
}

// --- Tooltips --------------------------------------------------------------------------------

class TooltipTest : public PaintTest {};

TEST_F(TooltipTest, OnlyForShortenedOrCutOffText) {
  list.Header().SetColumnWidth(5, 41);  // text area 28 pixels: 4 characters
  list.RowRecordAs<Rec>(list.NodeAtIndex(0))->port = "abcd";
  list.RowRecordAs<Rec>(list.NodeAtIndex(1))->port = "abcdefg";
  struct Case {
    Point p;
    bool app_active, captured;
    bool expected;
  };
  const Case cases[] = {
      {{260, 5}, true, false, false},   // fits exactly
      {{260, 27}, true, false, true},   // shortened
      {{260, 27}, false, false, false}, // another application is active
      {{260, 27}, true, true, false},   // mouse captured
      {{252, 27}, true, false, false},  // left of the text rectangle (content starts at 254)
      {{260, 49}, true, false, false},  // a row whose text fits
      {{260, 100}, true, false, false}, // below the last row
  };
  for (const Case& c : cases) {
    auto t = list.TooltipAt(c.p, c.app_active, c.captured);
    EXPECT_EQ(t.has_value(), c.expected) << c.p.x << "," << c.p.y;
    if (t) {
      EXPECT_EQ(t->text, "abcdefg");
      // Full text 49 + 2 × 4 from the content area's left, over the row.
      EXPECT_EQ(t->text_rect, (Rect{254, 22, 254 + 57, 44}));
      EXPECT_EQ(t->window_rect, (Rect{253, 21, 254 + 58, 44}));
      // Not again while the mouse stays in the rectangle; again after leaving it.
      EXPECT_FALSE(list.TooltipAt({262, 30}, true, false).has_value());
      EXPECT_FALSE(list.TooltipAt({10, 100}, true, false).has_value());
      EXPECT_TRUE(list.TooltipAt(c.p, true, false).has_value());
      list.TooltipAt({10, 100}, true, false);
    }
  }
}

TEST_F(TooltipTest, TextCutOffAtTheWindowEdge) {
  list.SetClientSize(265, 220);  // column 5 [250, 310) cut at 265
  auto t = list.TooltipAt({258, 5}, true, false);  // "80" (14 + 8 from 254) ends at 276 > 265
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(t->text, "80");
  // Bottom row partly below the client area.
  list.SetClientSize(746, 60);
  EXPECT_TRUE(list.TooltipAt({8, 50}, true, false).has_value());
  EXPECT_FALSE(list.TooltipAt({8, 30}, true, false).has_value());
}

TEST(TreeListTooltip, KeptOnTheMonitorItIsShownOn) {
  // Work areas: the primary monitor with a taskbar at the bottom, and a second, shorter one to its
  // right reaching higher up.
  const std::vector<Rect> two{{0, 0, 1920, 1040}, {1920, -200, 3200, 824}};
  const std::vector<Rect> one{{0, 0, 800, 600}};
  struct Case {
    const char* what;
    const std::vector<Rect>* monitors;
    Rect tip, expected;
  };
  const Case cases[] = {
      {"one monitor: past the right edge", &one, {790, 10, 830, 32}, {760, 10, 800, 32}},
      {"one monitor: past the bottom", &one, {10, 590, 50, 612}, {10, 578, 50, 600}},
      {"one monitor: inside", &one, {10, 10, 50, 32}, {10, 10, 50, 32}},
      {"second monitor: past its right edge", &two, {3150, 100, 3260, 122}, {3090, 100, 3200, 122}},
      {"second monitor: inside, right of the primary", &two, {2500, 100, 2600, 122}, {2500, 100, 2600, 122}},
      {"second monitor: above the primary's top", &two, {2500, -150, 2600, -128}, {2500, -150, 2600, -128}},
      {"second monitor: past its bottom", &two, {2000, 810, 2100, 832}, {2000, 802, 2100, 824}},
      {"primary: over the taskbar", &two, {100, 1030, 200, 1052}, {100, 1018, 200, 1040}},
      {"across both, mostly on the second", &two, {1900, 100, 1960, 122}, {1900, 100, 1960, 122}},
      {"across both, mostly on the primary", &two, {1850, 100, 1930, 122}, {1840, 100, 1920, 122}},
      {"on no monitor: kept on the nearest", &two, {2500, 900, 2600, 922}, {2500, 802, 2600, 824}},
      {"no monitor known: as it is", nullptr, {5000, 5000, 5100, 5022}, {5000, 5000, 5100, 5022}},
  };
  for (const Case& c : cases) {
    const std::vector<Rect> none;
    EXPECT_EQ(TStringTreeList::PlaceTooltip(c.tip, c.monitors ? *c.monitors : none), c.expected) << c.what;
  }
}

// --- Header painting -------------------------------------------------------------------------

TEST_F(PaintTest, HeaderFacesSeparatorsAndSortGlyph) {
  list.Header().SetSortColumn(1);
  Bitmap32 header(746, 20, kUnpainted);
  BitmapCanvas canvas(header);
  list.Header().Paint(canvas, 746, nullptr);
  EXPECT_EQ(header.Pixel(60, 2), Rgb(235, 234, 219));   // normal face
  EXPECT_EQ(header.Pixel(118, 5), Rgb(199, 197, 178));  // separator
  EXPECT_EQ(header.Pixel(119, 5), kWhite);
  EXPECT_EQ(header.Pixel(118, 2), Rgb(235, 234, 219));  // starts 3 below the top
  EXPECT_EQ(header.Pixel(60, 17), Rgb(224, 222, 207));
  EXPECT_EQ(header.Pixel(60, 19), Rgb(203, 199, 184));
  EXPECT_EQ(header.Pixel(700, 5), Rgb(235, 234, 219));  // empty area right of the last item
  EXPECT_EQ(header.Pixel(745, 5), Rgb(235, 234, 219));  // … without separator
  // Caption at 6 from the item's left, sort glyph 4 after it (caption "c1" is 14 pixels).
  ASSERT_EQ(canvas.TextRuns().front().text, "c1");
  EXPECT_EQ(canvas.TextRuns().front().x, 6);
  int glyph_left = 6 + 14 + 4;
  bool found_fill = false, found_dark = false;
  for (int y = 0; y < 20; ++y)
    for (int x = glyph_left; x < glyph_left + 9; ++x) {
      found_fill |= header.Pixel(x, y) == Rgb(197, 197, 197);
      found_dark |= header.Pixel(x, y) == Rgb(134, 134, 134);
    }
  EXPECT_TRUE(found_fill);
  EXPECT_TRUE(found_dark);
  for (int y = 0; y < 20; ++y) EXPECT_NE(header.Pixel(glyph_left - 1, y), Rgb(134, 134, 134));

  // Pressed and hot items.
  list.Header().MouseDown(TMouseButton::mbLeft, {140, 10}, {}, false);
  list.Header().MouseMove({300, 10});
  Bitmap32 h2(746, 20, kUnpainted);
  BitmapCanvas c2(h2);
  list.Header().Paint(c2, 746, nullptr);
  EXPECT_EQ(h2.Pixel(140, 10), Rgb(222, 223, 216));
  EXPECT_EQ(h2.Pixel(120, 10), Rgb(165, 165, 151));
  EXPECT_EQ(h2.Pixel(280, 5), Rgb(250, 248, 243));
  EXPECT_EQ(h2.Pixel(280, 19), Rgb(207, 114, 37));
  bool hot_caption_blue = false;
  for (const auto& run : c2.TextRuns()) hot_caption_blue |= run.text == "c5" && run.color == Rgb(0, 0, 255);
  EXPECT_TRUE(hot_caption_blue);
  // No glyph without a sort column.
  list.Header().SetSortColumn(-1);
  Bitmap32 h3(746, 20, kUnpainted);
  BitmapCanvas c3(h3);
  list.Header().Paint(c3, 746, nullptr);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 746; ++x) ASSERT_NE(h3.Pixel(x, y), Rgb(197, 197, 197));
}

// The sort glyph read back from the painted header: the widths of its pixel rows from top to
// bottom (pixels in the 9-pixel box after the caption that are not the item's face).
struct GlyphTheme : HeaderTheme {
  static constexpr Color kFace = Rgb(240, 240, 240);
  void DrawItem(Canvas& c, const Rect& r, ItemState) const override { c.FillRect(r, kFace); }
  void DrawRightArea(Canvas& c, const Rect& r) const override { c.FillRect(r, kFace); }
};

TEST_F(PaintTest, SortGlyphPointsUpAscendingAndDownDescendingFlatAndThemed) {
  const GlyphTheme theme;
  list.Header().SetSortColumn(1);
  const int glyph_left = 6 + 14 + 4;  // after the caption "c1", as above
  struct Case {
    TSortDirection direction;
    bool themed;
    int height;  // of the glyph's pixel rows
  };
  const Case cases[] = {
      {sdAscending, false, 8}, {sdDescending, false, 8}, {sdAscending, true, 5}, {sdDescending, true, 5}};
  for (const Case& c : cases) {
    list.Header().SetSortDirection(c.direction);
    Bitmap32 header(746, 20, kUnpainted);
    BitmapCanvas canvas(header);
    list.Header().Paint(canvas, 746, c.themed ? &theme : nullptr);
    const Color face = c.themed ? GlyphTheme::kFace : Rgb(235, 234, 219);
    std::vector<int> widths;
    for (int y = 0; y < 17; ++y) {  // above the flat item's three bottom lines
      int w = 0;
      for (int x = glyph_left; x < glyph_left + 9; ++x) w += header.Pixel(x, y) != face;
      if (w > 0) widths.push_back(w);
    }
    const std::string what = std::string(c.direction == sdAscending ? "ascending" : "descending") +
                             (c.themed ? " themed" : " flat");
    ASSERT_EQ(int(widths.size()), c.height) << what;
    // Pointing up: the tip (one pixel) on top, the 9-pixel base at the bottom; down: the reverse.
    if (c.direction == sdDescending) std::reverse(widths.begin(), widths.end());
    EXPECT_EQ(widths.front(), 1) << what << ": the tip";
    EXPECT_EQ(widths.back(), 9) << what << ": the base";
    EXPECT_TRUE(std::is_sorted(widths.begin(), widths.end())) << what << ": widening from the tip";
  }
}

}  // namespace
}  // namespace netscry::test
