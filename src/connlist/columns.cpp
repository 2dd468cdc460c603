#include "connlist/columns.h"

#include <array>

namespace netscry {

const ConnColumnInfo* ConnColumn(int column) {
  static const std::array<ConnColumnInfo, kConnColumnCount> kColumns = {{
      {"进程ID", &TMyRec::ProcessID, nullptr, false, false},
      {"进程", &TMyRec::ProcessName, &TMyRec::ProcessName, true, false},
      {"安全等级", nullptr, nullptr, false, false},
      {"协议", &TMyRec::Protocol, &TMyRec::Protocol, false, false},
      {"本地IP", &TMyRec::LocalIP, &TMyRec::LocalIP, false, false},
      {"本地端口", &TMyRec::LocalPort, &TMyRec::LocalPort, false, false},
      {"目标IP", &TMyRec::RemoteIP, &TMyRec::RemoteIP, false, false},
      {"目标端口", &TMyRec::RemotePort, &TMyRec::RemotePort, false, false},
      {"状态", &TMyRec::StateText, &TMyRec::StateText, false, false},
      {"管理", nullptr, nullptr, false, true},
      {"文件路径", &TMyRec::FilePath, &TMyRec::FilePath, false, false},
      {"文件说明", &TMyRec::FileDesc, &TMyRec::FileDesc, false, false},
      {"公司", &TMyRec::Company, &TMyRec::Company, false, false},
      {"备注", &TMyRec::Remark, nullptr, false, false},
  }};
  if (column < 0 || column >= kConnColumnCount) return nullptr;
  return &kColumns[std::size_t(column)];
}

std::string CellText(const TMyRec* rec, int column, const std::string& not_enabled_text) {
  const ConnColumnInfo* info = ConnColumn(column);
  if (rec == nullptr || info == nullptr) return {};
  if (column == kColSecurity) return not_enabled_text;
  return info->text ? (rec->*(info->text)).str() : std::string();
}

}  // namespace netscry
