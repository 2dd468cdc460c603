#include "connlist/state_names.h"

#include <gtest/gtest.h>

namespace netscry {
namespace {

TEST(TcpStateName, KnownCodesAndUnknownOnesAsSignedNumbers) {
  const std::pair<std::uint32_t, std::string> cases[] = {
      {1, "关闭"},         {2, "监听"},          {3, "同步发送"},   {4, "同步接收"},
      {5, "已建立"},       {6, "等待完成1"},     {7, "等待完成2"},  {8, "等待关闭"},
      {9, "正在关闭"},     {10, "最后确认"},     {11, "等待时间"},  {12, "删除"},
      {0, "未知状态0"},    {13, "未知状态13"},   {0xFFFFFFFFu, "未知状态-1"},
      {0x80000000u, "未知状态-2147483648"},
  };
  for (const auto& [code, name] : cases) EXPECT_EQ(TcpStateName(code), name) << code;
}

TEST(TcpStateName, TextsAreCodePage936Bytes) {
  // The list compares and copies these bytes; they must be what the platform's ANSI calls use.
  EXPECT_EQ(TcpStateName(2), "\xBC\xE0\xCC\xFD");
}

}  // namespace
}  // namespace netscry
