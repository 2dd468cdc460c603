#pragma once
// The fourteen columns of the connection list, numbered by their index in the list's column
// collection (the number stays when the user drags columns into another order).
#include <string>

#include "connlist/row_record.h"

namespace netscry {

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

struct ConnColumnInfo {
  const char* caption;
  RecField text;       // what the cell shows (column 2 shows a fixed text instead)
  RecField sort_by;    // what the comparison of rows uses
  bool file_icon;      // the file icon of FilePath is drawn left of the text
  bool manage_glyph;   // the manage glyph is drawn after the cell
};

// nullptr for a number outside 0..13.
const ConnColumnInfo* ConnColumn(int column);

// The text a cell shows. `not_enabled_text` is the fixed text of column 2. Column 9 and any
// number outside 0..13 give an empty text, as does a missing record.
std::string CellText(const TMyRec* rec, int column, const std::string& not_enabled_text);

// The index of the picture drawn in a cell: column 1 asks icon_index_of_file for the row's
// FilePath (also when it is empty); other columns and missing records leave `index` as it was.
template <typename IconIndexOfFile>
void CellImageIndex(const TMyRec* rec, int column, IconIndexOfFile&& icon_index_of_file, int& index) {
  if (rec == nullptr || column != kColProcess) return;
  index = icon_index_of_file(rec->FilePath);
}

}  // namespace netscry
