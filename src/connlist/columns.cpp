#include "connlist/columns.h"

namespace netscry {

std::string CellText(const TMyRec* rec, int column, const std::string& not_enabled_text) {
  const ConnColumnInfo* info = ConnColumn(column);
  if (rec == nullptr || info == nullptr) return {};
  if (info->shows_not_enabled) return not_enabled_text;
  return info->text ? (rec->*(info->text)).str() : std::string();
}

}  // namespace netscry
