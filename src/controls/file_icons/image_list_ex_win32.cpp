#include "controls/file_icons/image_list_ex_win32.h"

#include <shellapi.h>

namespace netscry {

TImageListEx::TImageListEx(int size) : size_(size) {
  list_ = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 16, 16);
}

TImageListEx::~TImageListEx() {
  if (list_) ImageList_Destroy(list_);
}

int TImageListEx::IndexOfFile(const char* path) {
  // With USEFILEATTRIBUTES the shell answers from the name alone, as if an ordinary file of that
  // name existed, so the lookup stays cheap enough to run on every paint.
  SHFILEINFOA info{};
  const DWORD_PTR found = SHGetFileInfoA(path, FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                                         SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON);
  return IndexOfSystemIcon(found ? info.iIcon : -1);
}

int TImageListEx::IndexOfSystemIcon(int system_index) { return map_.IndexOfSystemIcon(system_index, *this); }

void TImageListEx::NeedSystemList() {
  if (FSystemList) return;
  SHFILEINFOA info{};
  const UINT size_flag = size_ == 16 ? SHGFI_SMALLICON : SHGFI_LARGEICON;
  FSystemList = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("", 0, &info, sizeof info, SHGFI_SYSICONINDEX | size_flag));
}

int TImageListEx::AppendSystemIcon(int s) {
  if (!FSystemList || !list_) return -1;
  HICON icon = ImageList_GetIcon(FSystemList, s, ILD_NORMAL);
  if (!icon) return -1;
  const int index = ImageList_AddIcon(list_, icon);  // scaled to this list's size
  DestroyIcon(icon);
  return index;
}

int TImageListEx::Count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }

bool TImageListEx::Draw(int index, HDC dc, int x, int y) const {
  return list_ && index >= 0 && ImageList_Draw(list_, index, dc, x, y, ILD_TRANSPARENT);
}

HICON TImageListEx::GetIcon(int index) const {
  return list_ && index >= 0 ? ImageList_GetIcon(list_, index, ILD_NORMAL) : nullptr;
}

}  // namespace netscry
