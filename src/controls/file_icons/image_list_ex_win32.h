#pragma once
// An image list of file icons fetched on demand from the platform's shared system icon lists.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "controls/file_icons/system_icon_index_map.h"

namespace netscry {

class TImageListEx : private SystemIconCopier {
 public:
  // Both sizes square: 16 binds the small shared list, any other size the large one.
  explicit TImageListEx(int size = 16);
  ~TImageListEx() override;
  TImageListEx(const TImageListEx&) = delete;
  TImageListEx& operator=(const TImageListEx&) = delete;

  // The index of the icon of the file's type (the file is not opened), or -1.
  int IndexOfFile(const char* path);
  int IndexOfSystemIcon(int system_index);

  int Width() const { return size_; }
  int Height() const { return size_; }
  int Count() const;
  HIMAGELIST Handle() const { return list_; }
  HIMAGELIST SystemList() const { return FSystemList; }
  bool Draw(int index, HDC dc, int x, int y) const;
  // A new icon of image `index` that the caller destroys; nullptr when there is none.
  HICON GetIcon(int index) const;

 private:
  void NeedSystemList() override;
  int AppendSystemIcon(int s) override;

  int size_;
  HIMAGELIST list_ = nullptr;
  HIMAGELIST FSystemList = nullptr;  // shared with the shell: never destroyed here
  SystemIconIndexMap map_;
};

}  // namespace netscry
