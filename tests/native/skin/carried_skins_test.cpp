// The two packages the program carries load, and hold what the windows are laid out from.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "skin/skin_data.h"

namespace netscry {
namespace {

// File names on disk are UTF-8, whatever the code page of the program's own strings.
std::string SkinFile(const char8_t* utf8_name) {
  return std::string(NETSCRY_SKINS_DIR) + "/" + reinterpret_cast<const char*>(utf8_name);
}

void Load(const std::string& path, TskSkinData& skin) {
  TskCompressedStoredSkin stored;
  ASSERT_TRUE(stored.ImportSkinFile(path)) << path;
  EXPECT_EQ(stored.ImportedVersion(), 3);
  const SkinLoadResult r = skin.LoadStoredSkin(stored);
  ASSERT_TRUE(r.ok()) << path << ": " << r.error;
}

void ExpectFrame(const TskSkinData& skin, int w, int h) {
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

template <typename T>
const T& ObjectNamed(const TskSkinData& skin, const char* name) {
  const int index = skin.FindObjectIndex(name);
  EXPECT_GE(index, 0) << name;
  const T* object = index < 0 ? nullptr : dynamic_cast<const T*>(skin.Objects[std::size_t(index)].get());
  if (object == nullptr) throw std::runtime_error(std::string("no object ") + name);
  return *object;
}

TEST(CarriedSkins, MainWindowSkin) {
  TskSkinData skin;
  Load(SkinFile(u8"默认win7.skn"), skin);
  ExpectFrame(skin, 704, 292);

  ASSERT_EQ(skin.ActivePictures.size(), 15u);
  int eight = 0, one = 0, other = 0;
  for (const auto& p : skin.ActivePictures) {
    if (p->BitCount() == 8) ++eight;
    else if (p->BitCount() == 1) ++one;
    else if (p->BitCount() != 24) ++other;
  }
  EXPECT_EQ(eight, 1);
  EXPECT_EQ(one, 1);
  EXPECT_EQ(other, 0);
  ASSERT_EQ(skin.ActivePictureNames.size(), 15u);
  EXPECT_EQ(skin.ActivePictureNames.front(), "active.BMP");
  EXPECT_EQ(skin.ActivePictureNames.back(), "sysmenulayermask.bmp");

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
  EXPECT_EQ(f.MaskRectArea, (Rect{7, 3, 697, 284}));
  EXPECT_EQ(f.BorderWidth, 7);
  EXPECT_EQ(f.HitTestLTPoint, (Point{6, 7}));
  EXPECT_EQ(f.HitTestRTPoint, (Point{696, 6}));
  EXPECT_EQ(f.HitTestLBPoint, (Point{8, 282}));
  EXPECT_EQ(f.HitTestRBPoint, (Point{694, 283}));
  EXPECT_FALSE(f.AutoRenderingInActiveImage);

  ExpectObjects(skin, {{"caption", "caption"},
                       {"closebutton", "stdbutton"},
                       {"maximizebutton", "stdbutton"},
                       {"minimizebutton", "stdbutton"},
                       {"sysmenubutton", "stdbutton"},
                       {"menuitem", "menuitem"}});
  const auto& close = ObjectNamed<TskDataSkinStdButton>(skin, "closebutton");
  EXPECT_EQ(close.Command, SkinCommand::Close);
  EXPECT_EQ(close.SkinRect, (Rect{654, 1, 697, 18}));
  EXPECT_TRUE(close.Morphing);
  EXPECT_FALSE(close.ActiveSkinRect.IsEmpty());
  EXPECT_FALSE(close.DownRect.IsEmpty());
  EXPECT_EQ(ObjectNamed<TskDataSkinStdButton>(skin, "maximizebutton").Command, SkinCommand::Maximize);
  EXPECT_EQ(ObjectNamed<TskDataSkinStdButton>(skin, "minimizebutton").Command, SkinCommand::Minimize);
  const auto& caption = ObjectNamed<TskDataSkinCaption>(skin, "caption");
  EXPECT_TRUE(caption.DefaultCaption);
  EXPECT_EQ(caption.Font.name, "Arial");
  EXPECT_EQ(caption.Font.height, 14);
  EXPECT_TRUE(caption.Font.bold);
  EXPECT_EQ(caption.Alignment, SkinAlignment::Left);
  EXPECT_EQ(caption.ActiveFontColor, 0u);
  EXPECT_EQ(caption.FontColor, 9864820u);
}

TEST(CarriedSkins, DialogSkin) {
  TskSkinData skin;
  Load(SkinFile(u8"Vista世界.skn"), skin);
  ExpectFrame(skin, 378, 169);
  EXPECT_EQ(skin.ActivePictures.size(), 7u);
  EXPECT_EQ(skin.FormInfo.CaptionRect, (Rect{5, 6, 372, 21}));
  EXPECT_EQ(skin.FormInfo.ButtonsOffset, 5);
  const auto& close = ObjectNamed<TskDataSkinStdButton>(skin, "closebutton");
  EXPECT_EQ(close.Command, SkinCommand::Close);
  EXPECT_EQ(close.SkinRect.Width(), 28);
  EXPECT_EQ(close.SkinRect.Height(), 15);
  const auto& caption = ObjectNamed<TskDataSkinCaption>(skin, "caption");
  EXPECT_EQ(caption.Font.name, "Arial");
  EXPECT_EQ(caption.Font.height, 14);
  EXPECT_TRUE(caption.Font.bold);
  EXPECT_EQ(caption.ActiveFontColor, 0u);
  EXPECT_EQ(caption.FontColor, 8750469u);
}

}  // namespace
}  // namespace netscry

namespace netscry {
namespace {

// The committed packages are what their skin folders pack to (compared inflated, so that the
// zlib build does not matter).
TEST(CarriedSkins, PackagesMatchTheirSkinFolders) {
  const struct {
    const char* folder;
    const char8_t* package;
  } skins[] = {{"win7", u8"默认win7.skn"}, {"vista", u8"Vista世界.skn"}};
  for (const auto& s : skins) {
    TskCompressedStoredSkin packed;
    std::string error;
    ASSERT_TRUE(packed.ImportSkinFolderAs(std::string(NETSCRY_SKINS_DIR) + "/" + s.folder + "/skin.ini", 3, &error))
        << s.folder << ": " << error;
    TskCompressedStoredSkin committed;
    ASSERT_TRUE(committed.ImportSkinFile(SkinFile(s.package))) << s.folder;
    std::vector<std::uint8_t> a, b;
    packed.DecompressTo(a);
    committed.DecompressTo(b);
    EXPECT_TRUE(a == b) << s.folder << ": the packed skin is out of date with its folder (" << a.size() << " vs "
                        << b.size() << " bytes)";
  }
}

}  // namespace
}  // namespace netscry
