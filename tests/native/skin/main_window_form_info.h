#pragma once
// The main window's [FORMINFO] layout values, which the description reader must take as they
// stand and which the carried main window skin holds.
#include <gtest/gtest.h>

#include "skin/skin_data.h"

namespace netscry {

inline void ExpectMainWindowFormInfo(const TskSkinFormInfo& f) {
  EXPECT_EQ(f.LTPoint, (Point{8, 28}));
  EXPECT_EQ(f.RTPoint, (Point{695, 28}));
  EXPECT_EQ(f.LBPoint, (Point{8, 283}));
  EXPECT_EQ(f.RBPoint, (Point{695, 283}));
  EXPECT_EQ(f.ClientRect, (Rect{8, 28, 696, 284}));
  EXPECT_TRUE(f.LeftStretch && f.RightStretch && f.TopStretch && f.BottomStretch);
  EXPECT_EQ(f.CaptionRect, (Rect{7, 1, 697, 25}));
  EXPECT_TRUE(f.ButtonsRect.IsEmpty());
  EXPECT_EQ(f.ButtonsOffset, 0);
  EXPECT_EQ(f.MaskRectArea, (Rect{7, 3, 697, 284}));
  EXPECT_EQ(f.BorderWidth, 7);
  EXPECT_EQ(f.HitTestLTPoint, (Point{6, 7}));
  EXPECT_EQ(f.HitTestRTPoint, (Point{696, 6}));
  EXPECT_EQ(f.HitTestLBPoint, (Point{8, 282}));
  EXPECT_EQ(f.HitTestRBPoint, (Point{694, 283}));
  EXPECT_FALSE(f.AutoRenderingInActiveImage);
  EXPECT_EQ(f.BGPictureIndex, -1);
}

}  // namespace netscry
