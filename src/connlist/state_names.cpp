#include "connlist/state_names.h"

#include <array>

namespace netscry {

std::string TcpStateName(std::uint32_t code) {
  static const std::array<const char*, 12> kNames = {
      "关闭", "监听", "同步发送", "同步接收", "已建立", "等待完成1",
      "等待完成2", "等待关闭", "正在关闭", "最后确认", "等待时间", "删除",
  };
  if (code >= 1 && code <= kNames.size()) return kNames[code - 1];
  return "未知状态" + std::to_string(static_cast<std::int32_t>(code));
}

}  // namespace netscry
