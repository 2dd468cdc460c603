#pragma once
// The bookkeeping behind the file icon list: which of the platform's shared system icons have
// been copied into our own list, and at which of our indices. Image FLoadedCount + p of our list
// is the copy of system icon FSystemIndexes[p]; each system icon is copied at most once, so the
// list grows by one image per distinct icon, and an index once given never changes.
#include <unordered_map>
#include <vector>

namespace netscry {

class SystemIconCopier {
 public:
  virtual ~SystemIconCopier() = default;
  // Binds the companion list to the shared system list; called before the first copy.
  virtual void NeedSystemList() = 0;
  // Copies system icon s to the end of our list; our new index, or -1 when that failed.
  virtual int AppendSystemIcon(int s) = 0;
};

class SystemIconIndexMap {
 public:
  explicit SystemIconIndexMap(int loaded_count = 0) : FLoadedCount(loaded_count) {}

  int IndexOfSystemIcon(int s, SystemIconCopier& copier);

  int LoadedCount() const { return FLoadedCount; }
  const std::vector<int>& SystemIndexes() const { return FSystemIndexes; }

 private:
  int FLoadedCount;
  std::vector<int> FSystemIndexes;
  std::unordered_map<int, int> position_of_;  // system index -> position in FSystemIndexes
  bool system_list_bound_ = false;
};

}  // namespace netscry
