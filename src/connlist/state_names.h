#pragma once
#include <cstdint>
#include <string>

namespace netscry {

// The Chinese name of a TCP state code; codes outside 1..12 read "未知状态<code>" with the code
// as a signed 32-bit number.
std::string TcpStateName(std::uint32_t code);

}  // namespace netscry
