// The two skins the program carries, loaded from their packed files as a window loads them.
#include <gtest/gtest.h>

#include "frame_fixture.h"

namespace netscry {
namespace {

using namespace testing_frame;

struct ObjectEntry {
  const char* name;
  const char* kind;
};

void ExpectObjects(const TskSkinData& skin, std::initializer_list<ObjectEntry> expected) {
  ASSERT_EQ(skin.Objects.size(), expected.size());
  std::size_t i = 0;
  for (const ObjectEntry& e : expected) {
    EXPECT_EQ(skin.Objects[i]->IDName, e.name) << i;
    EXPECT_STREQ(skin.Objects[i]->KindName(), e.kind) << i;
    ++i;
  }
}

const TskDataSkinStdButton& Button(const TskSkinData& skin, const char* name) {
  const int i = skin.FindObjectIndex(name);
  EXPECT_GE(i, 0) << name;
  auto* b = dynamic_cast<const TskDataSkinStdButton*>(skin.Objects.at(std::size_t(i)).get());
  EXPECT_NE(b, nullptr) << name;
  return *b;
}

const TskDataSkinCaption& Caption(const TskSkinData& skin) {
  auto* c = dynamic_cast<const TskDataSkinCaption*>(skin.Objects.at(std::size_t(skin.FindObjectIndex("caption"))).get());
  EXPECT_NE(c, nullptr);
  return *c;
}

TEST(CarriedSkins, MainWindowPackage) {
  TskSkinData skin;
  LoadCarriedSkin(MainSkinFile(), skin);
  EXPECT_FALSE(skin.Empty);
  EXPECT_EQ(skin.Version, 3);
  for (const SkinBitmap* p : {&skin.Picture, &skin.InActivePicture}) {
    EXPECT_EQ(p->Width(), 704);
    EXPECT_EQ(p->Height(), 292);
    EXPECT_EQ(p->BitCount(), 24);
  }
  EXPECT_EQ(skin.Mask.Width(), 704);
  EXPECT_EQ(skin.Mask.Height(), 292);
  EXPECT_EQ(skin.Mask.BitCount(), 1);
  EXPECT_TRUE(skin.RollUpPicture.IsEmpty());
  ASSERT_EQ(skin.ActivePictures.size(), 15u);
  int depth8 = 0, depth1 = 0, depth24 = 0;
  for (const auto& p : skin.ActivePictures) {
    depth8 += p->BitCount() == 8;
    depth1 += p->BitCount() == 1;
    depth24 += p->BitCount() == 24;
  }
  EXPECT_EQ(depth24, 13);
  EXPECT_EQ(depth8, 1);
  EXPECT_EQ(depth1, 1);
  ASSERT_EQ(skin.ActivePictureNames.size(), 15u);
  EXPECT_EQ(skin.ActivePictureNames.front(), "active.BMP");
  EXPECT_EQ(skin.ActivePictureNames.back(), "sysmenulayermask.bmp");
  EXPECT_EQ(skin.ActivePictures.back()->BitCount(), 1);

  const TskSkinFormInfo& f = skin.FormInfo;
  EXPECT_EQ(f.LTPoint, (Point{8, 28}));
  EXPECT_EQ(f.RTPoint, (Point{695, 28}));
  EXPECT_EQ(f.LBPoint, (Point{8, 283}));
  EXPECT_EQ(f.RBPoint, (Point{695, 283}));
  EXPECT_EQ(f.ClientRect, (Rect{8, 28, 696, 284}));
  EXPECT_TRUE(f.LeftStretch && f.RightStretch && f.TopStretch && f.BottomStretch);
  EXPECT_EQ(f.CaptionRect, (Rect{7, 1, 697, 25}));
  EXPECT_TRUE(f.ButtonsRect.IsEmpty());
  EXPECT_EQ(f.ButtonsOffset, 0);
  EXPECT_FALSE(f.ButtonsInLeft);
  EXPECT_EQ(f.MaskRectArea, (Rect{7, 3, 697, 284}));
  EXPECT_EQ(f.BorderWidth, 7);
  EXPECT_EQ(f.HitTestLTPoint, (Point{6, 7}));
  EXPECT_EQ(f.HitTestRTPoint, (Point{696, 6}));
  EXPECT_EQ(f.HitTestLBPoint, (Point{8, 282}));
  EXPECT_EQ(f.HitTestRBPoint, (Point{694, 283}));
  EXPECT_FALSE(f.AutoRenderingInActiveImage);
  EXPECT_EQ(f.BGPictureIndex, -1);

  ExpectObjects(skin, {{"caption", "caption"},
                       {"closebutton", "stdbutton"},
                       {"maximizebutton", "stdbutton"},
                       {"minimizebutton", "stdbutton"},
                       {"sysmenubutton", "stdbutton"},
                       {"menuitem", "menuitem"}});
  for (const char* name : {"closebutton", "maximizebutton", "minimizebutton"}) {
    const TskDataSkinStdButton& b = Button(skin, name);
    EXPECT_EQ(b.ActivePictureIndex, 0) << name;
    EXPECT_TRUE(b.SkinRectInAPicture) << name;
    EXPECT_TRUE(b.Morphing) << name;
    EXPECT_EQ(b.MorphKind, SkinMorphKind::Default) << name;
    EXPECT_FALSE(b.ActiveSkinRect.IsEmpty()) << name;
    EXPECT_FALSE(b.DownRect.IsEmpty()) << name;
    EXPECT_EQ(b.ActiveSkinRect.Width(), b.SkinRect.Width()) << name;
  }
  EXPECT_EQ(Button(skin, "closebutton").Command, SkinCommand::Close);
  EXPECT_EQ(Button(skin, "closebutton").SkinRect.Width(), 43);
  EXPECT_EQ(Button(skin, "maximizebutton").Command, SkinCommand::Maximize);
  EXPECT_FALSE(Button(skin, "maximizebutton").RestoreRect.IsEmpty());
  EXPECT_EQ(Button(skin, "minimizebutton").Command, SkinCommand::Minimize);
  EXPECT_EQ(Button(skin, "sysmenubutton").Command, SkinCommand::SysMenu);
  const TskDataSkinCaption& c = Caption(skin);
  EXPECT_EQ(c.Font.name, "Arial");
  EXPECT_EQ(c.Font.height, 14);
  EXPECT_TRUE(c.Font.bold);
  EXPECT_EQ(c.Alignment, SkinAlignment::Left);
  EXPECT_EQ(c.ActiveFontColor, Color(0));
  EXPECT_EQ(c.FontColor, Color(9864820));
  EXPECT_EQ(c.TextRect, (Rect{4, 0, 577, 19}));
  EXPECT_EQ(skin.PopupWindow.WindowPictureIndex, 1);
}

TEST(CarriedSkins, DialogPackage) {
  TskSkinData skin;
  LoadCarriedSkin(DialogSkinFile(), skin);
  EXPECT_EQ(skin.Version, 3);
  for (const SkinBitmap* p : {&skin.Picture, &skin.InActivePicture, &skin.Mask}) {
    EXPECT_EQ(p->Width(), 378);
    EXPECT_EQ(p->Height(), 169);
  }
  EXPECT_EQ(skin.Picture.BitCount(), 24);
  EXPECT_EQ(skin.InActivePicture.BitCount(), 24);
  EXPECT_EQ(skin.Mask.BitCount(), 1);
  EXPECT_EQ(skin.ActivePictures.size(), 7u);
  EXPECT_EQ(skin.FormInfo.CaptionRect, (Rect{5, 6, 372, 21}));
  EXPECT_EQ(skin.FormInfo.ButtonsOffset, 5);
  EXPECT_TRUE(skin.FormInfo.ButtonsRect.IsEmpty());
  ExpectObjects(skin, {{"caption", "caption"},
                       {"closebutton", "stdbutton"},
                       {"maximizebutton", "stdbutton"},
                       {"minimizebutton", "stdbutton"},
                       {"sysmenubutton", "stdbutton"},
                       {"menuitem", "menuitem"}});
  const TskDataSkinStdButton& close = Button(skin, "closebutton");
  EXPECT_EQ(close.SkinRect.Width(), 28);
  EXPECT_EQ(close.SkinRect.Height(), 15);
  EXPECT_TRUE(close.Morphing);
  const TskDataSkinCaption& c = Caption(skin);
  EXPECT_EQ(c.Font.name, "Arial");
  EXPECT_EQ(c.Font.height, 14);
  EXPECT_TRUE(c.Font.bold);
  EXPECT_EQ(c.ActiveFontColor, Color(0));
  EXPECT_EQ(c.FontColor, Color(8750469));
  EXPECT_EQ(c.Alignment, SkinAlignment::Left);
  // The text glow: 10 pixels of it on either side of the text.
  EXPECT_EQ(c.FrameRect.Width() - c.FrameTextRect.Width(), 20);
  EXPECT_EQ(c.FrameLeftOffset, c.FrameTextRect.left);
}

TEST(CarriedSkins, EveryObjectImageLiesInsideItsPicture) {
  for (const std::string* file : {&MainSkinFile(), &DialogSkinFile()}) {
    TskSkinData skin;
    LoadCarriedSkin(*file, skin);
    for (const auto& o : skin.Objects) {
      const SkinBitmap* own = skin.ActivePicture(o->ActivePictureIndex);
      if (own == nullptr) continue;
      const Rect bounds = own->Bounds();
      std::vector<Rect> images = {o->ActiveSkinRect, o->InActiveSkinRect};
      if (o->SkinRectInAPicture) images.push_back(o->SkinRect);
      if (auto* b = dynamic_cast<const TskDataSkinStdButton*>(o.get())) {
        images.insert(images.end(), {b->DownRect, b->RestoreRect, b->RestoreActiveRect, b->RestoreDownRect});
      }
      if (auto* c = dynamic_cast<const TskDataSkinCaption*>(o.get())) {
        images.insert(images.end(), {c->FrameRect, c->ActiveFrameRect});
      }
      for (const Rect& r : images) {
        if (r.IsEmpty()) continue;
        EXPECT_EQ(r.Intersect(bounds), r) << o->IDName << " " << r.left << "," << r.top;
      }
    }
  }
}

}  // namespace
}  // namespace netscry
