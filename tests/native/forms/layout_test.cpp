#include "forms/layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace netscry::forms {
namespace {

using A = TAlign;

TEST(AlignBoxes, MainWindowPanelsAndList) {
  // The main window: a top panel, the list filling the rest, a bottom panel, added in that order.
  const std::vector<AlignedBox> boxes{
      {A::alTop, {0, 0, 100, 34}}, {A::alClient, {5, 5, 50, 50}}, {A::alBottom, {0, 0, 100, 28}}};
  const auto r = AlignBoxes({0, 0, 746, 433}, boxes);
  EXPECT_EQ(r[0], (Rect{0, 0, 746, 34}));
  EXPECT_EQ(r[1], (Rect{0, 34, 746, 405}));
  EXPECT_EQ(r[2], (Rect{0, 405, 746, 433}));
}

TEST(AlignBoxes, LeftRunsRightwardsRightRunsLeftwardsInsideAnInset) {
  // A panel with a 1-pixel bevel: labels aligned left one after the other, buttons aligned
  // right with the first one rightmost; alNone keeps its place.
  const std::vector<AlignedBox> boxes{
      {A::alLeft, {0, 0, 30, 10}},  {A::alLeft, {0, 0, 7, 10}},    {A::alRight, {0, 0, 86, 5}},
      {A::alRight, {0, 0, 86, 5}},  {A::alRight, {0, 0, 74, 5}},   {A::alNone, {467, 8, 486, 26}}};
  const auto r = AlignBoxes({1, 1, 745, 33}, boxes);
  EXPECT_EQ(r[0], (Rect{1, 1, 31, 33}));
  EXPECT_EQ(r[1], (Rect{31, 1, 38, 33}));
  EXPECT_EQ(r[2], (Rect{659, 1, 745, 33}));
  EXPECT_EQ(r[3], (Rect{573, 1, 659, 33}));
  EXPECT_EQ(r[4], (Rect{499, 1, 573, 33}));
  EXPECT_EQ(r[5], (Rect{467, 8, 486, 26}));
}

TEST(AlignBoxes, TooSmallAreaNeverGivesNegativeSizes) {
  const std::vector<AlignedBox> boxes{{A::alTop, {0, 0, 0, 34}},
                                      {A::alBottom, {0, 0, 0, 28}},
                                      {A::alLeft, {0, 0, 40, 0}},
                                      {A::alRight, {0, 0, 40, 0}},
                                      {A::alClient, {}}};
  for (const Rect area : {Rect{0, 0, 50, 40}, Rect{0, 0, 0, 0}, Rect{10, 10, 5, 5}}) {
    const auto r = AlignBoxes(area, boxes);
    for (const Rect& x : r) {
      EXPECT_GE(x.Width(), 0);
      EXPECT_GE(x.Height(), 0);
    }
  }
  const auto r = AlignBoxes({0, 0, 50, 40}, boxes);
  EXPECT_EQ(r[0], (Rect{0, 0, 50, 34}));
  EXPECT_EQ(r[1], (Rect{0, 34, 50, 40}));  // only 6 pixels were left
  EXPECT_EQ(r[4].Height(), 0);
}

TEST(AutoSizeBounds, AnchorFollowsTheAlignment) {
  struct Case {
    TTextAlign align;
    Rect current;
    Size text;
    Rect expected;
  };
  const Case cases[] = {
      {TTextAlign::taLeftJustify, {10, 5, 40, 20}, {55, 13}, {10, 5, 65, 18}},
      {TTextAlign::taRightJustify, {950, 8, 977, 22}, {31, 14}, {946, 8, 977, 22}},
      {TTextAlign::taRightJustify, {950, 8, 977, 22}, {20, 14}, {957, 8, 977, 22}},
      {TTextAlign::taCenter, {100, 0, 140, 10}, {20, 10}, {110, 0, 130, 10}},
      {TTextAlign::taLeftJustify, {3, 3, 9, 9}, {-4, -1}, {3, 3, 3, 3}},
  };
  for (const Case& c : cases) EXPECT_EQ(AutoSizeBounds(c.current, c.text, c.align), c.expected);
}

TEST(CenteredIn, RoundsTowardsTopLeft) {
  EXPECT_EQ(CenteredIn({0, 0, 1280, 1024}, {762, 472}), (Rect{259, 276, 1021, 748}));
  EXPECT_EQ(CenteredIn({0, 0, 11, 11}, {4, 4}), (Rect{3, 3, 7, 7}));
  EXPECT_EQ(CenteredIn({-100, 0, 100, 10}, {20, 10}), (Rect{-10, 0, 10, 10}));
}

TEST(ErrorBoxText, FullStopOnlyAfterCharactersThatSortAfterIt) {
  struct Case {
    std::string in, out;
  };
  const Case cases[] = {
      {"Unable to write to C:\\a\\Netscry.ini", "Unable to write to C:\\a\\Netscry.ini."},
      {"Done.", "Done."},
      {"Stop!", "Stop!"},             // '!' sorts before '.'
      {"a-", "a-"},                   // '-' (0x2D) sorts before '.'
      {"a/", "a/."},                  // '/' (0x2F) sorts after
      {"ends in 0", "ends in 0."},
      {"", ""},
      {"\xCE\xDE\xB7\xA8", "\xCE\xDE\xB7\xA8."},  // a double-byte character: both bytes sort after
      {"x ", "x "},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorBoxText(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace netscry::forms
