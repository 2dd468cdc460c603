#include "controls/file_icons/image_list_ex_win32.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <map>
#include <set>

#include "base/geometry.h"

namespace netscry {
namespace {

const char* const kPaths[] = {
    "C:\\docs\\a.txt", "C:\\other\\b.txt", "C:\\windows\\notepad.exe", "C:\\x\\tool.exe",
    "C:\\lib\\thing.dll", "C:\\run.bat", "C:\\unknown.zzq", "",
};

int ShellSystemIndex(const char* path) {
  SHFILEINFOA info{};
  if (!SHGetFileInfoA(path, FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                      SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON)) {
    return -1;
  }
  return info.iIcon;
}

Size IconSize(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {};
  BITMAP bm{};
  GetObject(info.hbmMask, sizeof bm, &bm);
  const Size size{bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return size;
}

class ImageListExTest : public ::testing::TestWithParam<int> {};

TEST_P(ImageListExTest, OneImagePerDistinctIconAndEqualIndicesForEqualIcons) {
  TImageListEx list(GetParam());
  std::map<int, int> ours_by_system;  // system index -> our index
  for (const char* path : kPaths) {
    const int system_index = ShellSystemIndex(path);
    const int ours = list.IndexOfFile(path);
    if (system_index < 0) {
      EXPECT_EQ(ours, -1) << path;
      continue;
    }
    ASSERT_GE(ours, 0) << path;
    auto [it, inserted] = ours_by_system.emplace(system_index, ours);
    EXPECT_EQ(it->second, ours) << "same icon, different index: " << path;
    if (inserted) {
      EXPECT_EQ(ours, int(ours_by_system.size()) - 1) << "new icons are appended in order";
    }
    EXPECT_EQ(list.IndexOfFile(path), ours) << "asked again: " << path;
  }
  EXPECT_GE(ours_by_system.size(), 2u) << "text files and programs show different icons";
  EXPECT_EQ(list.Count(), int(ours_by_system.size()));
  EXPECT_EQ(list.IndexOfFile("C:\\docs\\a.txt"), list.IndexOfFile("D:\\elsewhere\\c.txt"));
  EXPECT_EQ(list.Count(), int(ours_by_system.size()));

  HICON icon = list.GetIcon(0);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(IconSize(icon), (Size{GetParam(), GetParam()}));
  DestroyIcon(icon);
}

INSTANTIATE_TEST_SUITE_P(SmallAndLarge, ImageListExTest, ::testing::Values(16, 32));

TEST(ImageListEx, SmallAndLargeListsBindDifferentSharedLists) {
  TImageListEx small(16), large(32);
  const int s = small.IndexOfFile("C:\\a.txt");
  const int l = large.IndexOfFile("C:\\a.txt");
  EXPECT_EQ(s, 0);
  EXPECT_EQ(l, 0);
  ASSERT_NE(small.SystemList(), nullptr);
  ASSERT_NE(large.SystemList(), nullptr);
  EXPECT_NE(small.SystemList(), large.SystemList());
  int cx = 0, cy = 0;
  ImageList_GetIconSize(large.SystemList(), &cx, &cy);
  EXPECT_EQ(cx, 32);
  ImageList_GetIconSize(small.SystemList(), &cx, &cy);
  EXPECT_EQ(cx, 16);
}

TEST(ImageListEx, NegativeSystemIndexLeavesTheListUnbound) {
  TImageListEx list(16);
  EXPECT_EQ(list.IndexOfSystemIcon(-1), -1);
  EXPECT_EQ(list.SystemList(), nullptr);
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
}  // namespace netscry
