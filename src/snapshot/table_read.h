#pragma once
// Reading a variable-size platform table into a buffer the caller sizes. The table can grow
// between the size query and the read, and a loaded system sometimes answers STATUS_UNSUCCESSFUL
// for a moment; both pass when asked again with a larger buffer, a bounded number of times.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace netscry {

constexpr std::uint32_t kStatusOk = 0;
constexpr std::uint32_t kErrorInsufficientBuffer = 122;
constexpr std::uint32_t kStatusUnsuccessful = 0xC0000001;
constexpr int kTableReadAttempts = 6;

// call(buffer or nullptr, in/out size in bytes) -> platform status, as GetExtendedTcpTable does:
// it stores the size it needs when the buffer is too small.
using TableCall = std::function<std::uint32_t(std::uint8_t* buffer, std::uint32_t& size)>;

// The table's bytes (exactly as many as the call reported), or nullopt when every attempt
// failed or a failure was not a passing one. The first call asks for the size alone.
std::optional<std::vector<std::uint8_t>> ReadGrowingTable(const TableCall& call, int attempts = kTableReadAttempts);

// The same, but the first call is offered a buffer of `size_hint` bytes (none when 0), and after
// a read the hint becomes that table's size with room to grow. Each call can cost as much as the
// whole table (the platform enumerates every socket to answer a size query), so a table read
// again with its last hint takes one call while it has not grown past that room.
std::optional<std::vector<std::uint8_t>> ReadGrowingTable(const TableCall& call, std::uint32_t& size_hint,
                                                          int attempts = kTableReadAttempts);

// The first hint of a table never read: room for a few hundred rows, a small table's whole.
constexpr std::uint32_t kFirstTableBuffer = 16 * 1024;

bool IsPassingTableFailure(std::uint32_t status);

}  // namespace netscry
