#pragma once
// The fourteen columns of the connection list, described once: what the header is made of, what a
// cell shows, what a column sorts by, which picture it carries and whether the file details option
// shows it. The main window configures its list from this table and every callback reads it.
#include <array>
#include <cstddef>
#include <string>

#include "connlist/row_record.h"
#include "controls/tree_types.h"

namespace netscry {

// A column's number is its index in the list's column collection; it stays when the user drags
// columns into another order.
enum ConnColumn : int {
  kColProcessID = 0,
  kColProcess = 1,
  kColSecurity = 2,
  kColProtocol = 3,
  kColLocalIP = 4,
  kColLocalPort = 5,
  kColRemoteIP = 6,
  kColRemotePort = 7,
  kColState = 8,
  kColManage = 9,
  kColFilePath = 10,
  kColFileDesc = 11,
  kColCompany = 12,
  kColRemark = 13,
};
constexpr int kConnColumnCount = 14;

// The record field a column shows or sorts by; nullptr where it has none.
using RecField = FieldText TMyRec::*;

// What a cell shows besides its text.
enum class ColumnPicture {
  kNone,
  kFileIcon,     // the icon of the row's FilePath, left of the text
  kManageGlyph,  // the manage glyph, drawn after the cell
};

// Column option sets, without coVisible: a column's `visible` adds it at start.
// What every column has: it can be clicked, resized, focused; it shows the drop mark.
inline constexpr TColumnOptions kColumnOptions{coAllowClick, coEnabled,      coParentBidiMode, coParentColor,
                                               coResizable,  coShowDropMark, coAllowFocus};
// A column painted in its own colour instead of the list's.
inline constexpr TColumnOptions kOwnColorColumnOptions = kColumnOptions.Without(coParentColor);
// The only column that may be dragged to another position (it is never shown).
inline constexpr TColumnOptions kDraggableColumnOptions = kColumnOptions.With(coDraggable);
// What the file details option assigns to the file-detail columns. Neither has coParentBidiMode,
// which changes nothing on screen (the list reads left to right).
inline constexpr TColumnOptions kDetailsHiddenOptions = kColumnOptions.Without(coParentBidiMode);
inline constexpr TColumnOptions kDetailsShownOptions = kDetailsHiddenOptions.With(coVisible);
// The list stores options as one bit per TColumnOption; these two sets have always been these values.
static_assert(kDetailsShownOptions.Value() == 2293);
static_assert(kDetailsHiddenOptions.Value() == 2165);

// One column. A row of the table names only what differs from an ordinary column: hidden, with
// the common options, left-aligned, resizable, no text, no sort, no picture.
struct ConnColumnInfo {
  ConnColumn number;
  const char* caption;
  int width;                                         // at start
  bool visible = false;                              // at start
  TColumnOptions options = kColumnOptions;           // at start, without coVisible
  TAlignment alignment = TAlignment::taLeftJustify;  // of the cells' content
  bool fixed_width = false;                          // the width stays as given
  RecField text = nullptr;                           // what the cell shows
  bool shows_not_enabled = false;  // instead, every row shows the window's fixed "not enabled" text
  RecField sort_by = nullptr;      // what the comparison of rows uses; nullptr keeps the order
  ColumnPicture picture = ColumnPicture::kNone;
  bool file_detail = false;  // shown and hidden by the file details option
};

inline constexpr ConnColumnInfo kConnColumns[] = {
    {.number = kColProcessID, .caption = "进程ID", .width = 24, .options = kOwnColorColumnOptions,
     .text = &TMyRec::ProcessID},
    {.number = kColProcess, .caption = "进程", .width = 120, .visible = true, .text = &TMyRec::ProcessName,
     .sort_by = &TMyRec::ProcessName, .picture = ColumnPicture::kFileIcon},
    {.number = kColSecurity, .caption = "安全等级", .width = 80, .shows_not_enabled = true},
    {.number = kColProtocol, .caption = "协议", .width = 60, .visible = true, .text = &TMyRec::Protocol,
     .sort_by = &TMyRec::Protocol},
    {.number = kColLocalIP, .caption = "本地IP", .width = 100, .visible = true, .text = &TMyRec::LocalIP,
     .sort_by = &TMyRec::LocalIP},
    {.number = kColLocalPort, .caption = "本地端口", .width = 80, .visible = true, .text = &TMyRec::LocalPort,
     .sort_by = &TMyRec::LocalPort},
    {.number = kColRemoteIP, .caption = "目标IP", .width = 130, .visible = true, .text = &TMyRec::RemoteIP,
     .sort_by = &TMyRec::RemoteIP},
    {.number = kColRemotePort, .caption = "目标端口", .width = 110, .visible = true, .text = &TMyRec::RemotePort,
     .sort_by = &TMyRec::RemotePort},
    {.number = kColState, .caption = "状态", .width = 80, .visible = true, .text = &TMyRec::StateText,
     .sort_by = &TMyRec::StateText},
    {.number = kColManage, .caption = "管理", .width = 40, .visible = true, .alignment = TAlignment::taCenter,
     .fixed_width = true, .picture = ColumnPicture::kManageGlyph},
    {.number = kColFilePath, .caption = "文件路径", .width = 260, .options = kDetailsHiddenOptions,
     .text = &TMyRec::FilePath, .sort_by = &TMyRec::FilePath, .file_detail = true},
    {.number = kColFileDesc, .caption = "文件说明", .width = 150, .text = &TMyRec::FileDesc,
     .sort_by = &TMyRec::FileDesc, .file_detail = true},
    {.number = kColCompany, .caption = "公司", .width = 80, .text = &TMyRec::Company, .sort_by = &TMyRec::Company,
     .file_detail = true},
    {.number = kColRemark, .caption = "备注", .width = 50, .options = kDraggableColumnOptions,
     .text = &TMyRec::Remark},
};

static_assert(std::size(kConnColumns) == kConnColumnCount);
// Each row sits at its own number, so a column number indexes the table directly.
static_assert([] {
  for (std::size_t i = 0; i < std::size(kConnColumns); ++i) {
    if (kConnColumns[i].number != int(i)) return false;
  }
  return true;
}());

// nullptr for a number outside 0..13.
constexpr const ConnColumnInfo* ConnColumn(int column) {
  if (column < 0 || column >= kConnColumnCount) return nullptr;
  return &kConnColumns[std::size_t(column)];
}

// The picture a column carries; none for a number outside 0..13.
constexpr ColumnPicture ColumnPictureOf(int column) {
  const ConnColumnInfo* info = ConnColumn(column);
  return info ? info->picture : ColumnPicture::kNone;
}

// The text a cell shows. `not_enabled_text` is the fixed text of the security column. The manage
// column and any number outside 0..13 give an empty text, as does a missing record.
std::string CellText(const TMyRec* rec, int column, const std::string& not_enabled_text);

// The index of the picture drawn in a cell: the file icon column asks icon_index_of_file for the
// row's FilePath (also when it is empty); other columns and missing records leave `index` as it was.
template <typename IconIndexOfFile>
void CellImageIndex(const TMyRec* rec, int column, IconIndexOfFile&& icon_index_of_file, int& index) {
  if (rec == nullptr || ColumnPictureOf(column) != ColumnPicture::kFileIcon) return;
  index = icon_index_of_file(rec->FilePath);
}

}  // namespace netscry
