#include "controls/file_icons/system_icon_index_map.h"

namespace netscry {

int SystemIconIndexMap::IndexOfSystemIcon(int s, SystemIconCopier& copier) {
  if (s < 0) return -1;
  if (!system_list_bound_) {
    copier.NeedSystemList();
    system_list_bound_ = true;
  }
  if (auto it = position_of_.find(s); it != position_of_.end()) return FLoadedCount + it->second;
  const int index = copier.AppendSystemIcon(s);
  if (index >= 0) {
    position_of_.emplace(s, int(FSystemIndexes.size()));
    FSystemIndexes.push_back(s);
  }
  return index;
}

}  // namespace netscry
