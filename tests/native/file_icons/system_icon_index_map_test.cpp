#include "controls/file_icons/system_icon_index_map.h"

#include <gtest/gtest.h>

#include <set>

namespace netscry {
namespace {

class FakeCopier : public SystemIconCopier {
 public:
  int bind_calls = 0;
  std::vector<int> copied;  // system indices in the order they were appended
  std::set<int> failing;    // system indices whose copy fails
  int next_index = 0;

  void NeedSystemList() override { ++bind_calls; }
  int AppendSystemIcon(int s) override {
    if (failing.count(s)) return -1;
    copied.push_back(s);
    return next_index++;
  }
};

TEST(SystemIconIndexMap, OneImagePerDistinctIconWithStableIndices) {
  FakeCopier copier;
  SystemIconIndexMap map;
  EXPECT_EQ(map.IndexOfSystemIcon(40, copier), 0);
  EXPECT_EQ(map.IndexOfSystemIcon(3, copier), 1);
  EXPECT_EQ(map.IndexOfSystemIcon(40, copier), 0);
  EXPECT_EQ(map.IndexOfSystemIcon(3, copier), 1);
  EXPECT_EQ(map.IndexOfSystemIcon(7, copier), 2);
  EXPECT_EQ(copier.copied, (std::vector<int>{40, 3, 7}));
  EXPECT_EQ(map.SystemIndexes(), (std::vector<int>{40, 3, 7}));
  EXPECT_EQ(copier.bind_calls, 1);
}

TEST(SystemIconIndexMap, NegativeIndexNeverBindsTheSystemList) {
  FakeCopier copier;
  SystemIconIndexMap map;
  EXPECT_EQ(map.IndexOfSystemIcon(-1, copier), -1);
  EXPECT_EQ(copier.bind_calls, 0);
  EXPECT_TRUE(copier.copied.empty());
}

TEST(SystemIconIndexMap, FailedCopyIsNotRememberedAndIsTriedAgain) {
  FakeCopier copier;
  copier.failing = {5};
  SystemIconIndexMap map;
  EXPECT_EQ(map.IndexOfSystemIcon(5, copier), -1);
  EXPECT_TRUE(map.SystemIndexes().empty());
  copier.failing.clear();
  EXPECT_EQ(map.IndexOfSystemIcon(5, copier), 0);
  EXPECT_EQ(map.SystemIndexes(), std::vector<int>{5});
}

TEST(SystemIconIndexMap, IndicesFollowTheImagesLoadedBefore) {
  FakeCopier copier;
  copier.next_index = 3;  // three images came with the list
  SystemIconIndexMap map(3);
  EXPECT_EQ(map.IndexOfSystemIcon(9, copier), 3);
  EXPECT_EQ(map.IndexOfSystemIcon(2, copier), 4);
  EXPECT_EQ(map.IndexOfSystemIcon(9, copier), 3);
}

}  // namespace
}  // namespace netscry
