// The two packages the program carries load as a window loads them, and hold what the windows
// are laid out from.
#include <gtest/gtest.h>

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "main_window_form_info.h"
#include "skin/skin_data.h"

namespace netscry {
namespace {

// File names on disk are UTF-8, whatever the code page of the program's own strings.
std::string SkinFile(const char8_t* utf8_name) {
  return std::string(NETSCRY_SKINS_DIR) + "/" + reinterpret_cast<const char*>(utf8_name);
}

const char8_t* const kMainPackage = u8"默认win7.skn";
const char8_t* const kDialogPackage = u8"Vista世界.skn";

void Load(const char8_t* package, TskSkinData& skin) {
  const std::string path = SkinFile(package);
  TskCompressedStoredSkin stored;
  ASSERT_TRUE(stored.ImportSkinFile(path)) << path;
  EXPECT_EQ(stored.ImportedVersion(), 3);
  const SkinLoadResult r = skin.LoadStoredSkin(stored);
  ASSERT_TRUE(r.ok()) << path << ": " << r.error;
}

// Active and inactive pictures of 24 bits and a one-bit mask, all w x h, and no roll-up images.
void ExpectFrame(const TskSkinData& skin, int w, int h) {
  EXPECT_FALSE(skin.Empty);
  EXPECT_EQ(skin.Version, 3);
  EXPECT_EQ(skin.Picture.Width(), w);
  EXPECT_EQ(skin.Picture.Height(), h);
  EXPECT_EQ(skin.Picture.BitCount(), 24);
  EXPECT_EQ(skin.InActivePicture.Width(), w);
  EXPECT_EQ(skin.InActivePicture.Height(), h);
  EXPECT_EQ(skin.InActivePicture.BitCount(), 24);
  EXPECT_EQ(skin.Mask.Width(), w);
  EXPECT_EQ(skin.Mask.Height(), h);
  EXPECT_EQ(skin.Mask.BitCount(), 1);
  EXPECT_TRUE(skin.RollUpPicture.IsEmpty());
  EXPECT_TRUE(skin.RollUpMask.IsEmpty());
  // Rounded top corners are cut by the mask; the middle of the client area belongs to the window.
  EXPECT_EQ(skin.Mask.Pixel(0, 0), kWhite);
  EXPECT_EQ(skin.Mask.Pixel(w - 1, 0), kWhite);
  EXPECT_EQ(skin.Mask.Pixel(w / 2, h / 2), kBlack);
}

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

// Both windows carry the same objects: the caption, the four caption buttons and the menu item.
void ExpectCaptionObjects(const TskSkinData& skin) {
  ExpectObjects(skin, {{"caption", "caption"},
                       {"closebutton", "stdbutton"},
                       {"maximizebutton", "stdbutton"},
                       {"minimizebutton", "stdbutton"},
                       {"sysmenubutton", "stdbutton"},
                       {"menuitem", "menuitem"}});
}

template <typename T>
const T& ObjectNamed(const TskSkinData& skin, const char* name) {
  const int index = skin.FindObjectIndex(name);
  EXPECT_GE(index, 0) << name;
  const T* object = index < 0 ? nullptr : dynamic_cast<const T*>(skin.Objects[std::size_t(index)].get());
  if (object == nullptr) throw std::runtime_error(std::string("no object ") + name);
  return *object;
}

const TskDataSkinStdButton& Button(const TskSkinData& skin, const char* name) {
  return ObjectNamed<TskDataSkinStdButton>(skin, name);
}

// The caption text of both windows: Arial 14 bold, left-aligned, black when active.
const TskDataSkinCaption& ExpectCaptionFont(const TskSkinData& skin) {
  const auto& c = ObjectNamed<TskDataSkinCaption>(skin, "caption");
  EXPECT_TRUE(c.DefaultCaption);
  EXPECT_EQ(c.Font.name, "Arial");
  EXPECT_EQ(c.Font.height, 14);
  EXPECT_TRUE(c.Font.cell_height) << "a skin's positive font height is the cell height";
  EXPECT_TRUE(c.Font.bold);
  EXPECT_EQ(c.Alignment, SkinAlignment::Left);
  EXPECT_EQ(c.ActiveFontColor, Color(0));
  return c;
}

TEST(CarriedSkins, MainWindowSkin) {
  TskSkinData skin;
  Load(kMainPackage, skin);
  ExpectFrame(skin, 704, 292);

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

  ExpectMainWindowFormInfo(skin.FormInfo);
  EXPECT_FALSE(skin.FormInfo.ButtonsInLeft);

  ExpectCaptionObjects(skin);
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
  EXPECT_EQ(Button(skin, "closebutton").SkinRect, (Rect{654, 1, 697, 18}));
  EXPECT_EQ(Button(skin, "maximizebutton").Command, SkinCommand::Maximize);
  EXPECT_FALSE(Button(skin, "maximizebutton").RestoreRect.IsEmpty());
  EXPECT_EQ(Button(skin, "minimizebutton").Command, SkinCommand::Minimize);
  EXPECT_EQ(Button(skin, "sysmenubutton").Command, SkinCommand::SysMenu);
  const TskDataSkinCaption& c = ExpectCaptionFont(skin);
  EXPECT_EQ(c.FontColor, Color(9864820));
  EXPECT_EQ(c.TextRect, (Rect{4, 0, 577, 19}));
  EXPECT_EQ(skin.PopupWindow.WindowPictureIndex, 1);
}

TEST(CarriedSkins, DialogSkin) {
  TskSkinData skin;
  Load(kDialogPackage, skin);
  ExpectFrame(skin, 378, 169);
  EXPECT_EQ(skin.ActivePictures.size(), 7u);
  EXPECT_EQ(skin.FormInfo.CaptionRect, (Rect{5, 6, 372, 21}));
  EXPECT_EQ(skin.FormInfo.ButtonsOffset, 5);
  EXPECT_TRUE(skin.FormInfo.ButtonsRect.IsEmpty());

  ExpectCaptionObjects(skin);
  const TskDataSkinStdButton& close = Button(skin, "closebutton");
  EXPECT_EQ(close.Command, SkinCommand::Close);
  EXPECT_EQ(close.SkinRect.Width(), 28);
  EXPECT_EQ(close.SkinRect.Height(), 15);
  EXPECT_TRUE(close.Morphing);
  const TskDataSkinCaption& c = ExpectCaptionFont(skin);
  EXPECT_EQ(c.FontColor, Color(8750469));
  // The text glow: 10 pixels of it on either side of the text.
  EXPECT_EQ(c.FrameRect.Width() - c.FrameTextRect.Width(), 20);
  EXPECT_EQ(c.FrameLeftOffset, c.FrameTextRect.left);
}

TEST(CarriedSkins, EveryObjectImageLiesInsideItsPicture) {
  for (const char8_t* package : {kMainPackage, kDialogPackage}) {
    TskSkinData skin;
    Load(package, skin);
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
