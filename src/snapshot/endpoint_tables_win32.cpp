#include "snapshot/endpoint_tables_win32.h"

#include "base/dyn_calls_win32.h"
#include "snapshot/table_read.h"

#include <windows.h>
#include <iphlpapi.h>

#include <cstdint>
#include <span>
#include <vector>

namespace netscry {
namespace {

// The XP-era calls are bound at run time: importing them stops the program from starting on
// systems that lack them (every Windows since Vista lacks the UDP one, and so does Wine).
using AllocateAndGetFn = DynAllocateAndGetTcpExTableFromStackFn;
using GetExtendedTableFn = DynGetExtendedTcpTableFn;

constexpr DWORD kHeapGrowable = 2;
constexpr DWORD kAfInet = 2;
constexpr DWORD kAfInet6 = 23;
constexpr int kTcpTableOwnerPidAll = 5;
constexpr int kUdpTableOwnerPid = 1;

TableApi g_last_api[4] = {TableApi::None, TableApi::None, TableApi::None, TableApi::None};


std::optional<std::vector<EndpointRow>> ReadAllocated(AllocateAndGetFn fn, TableKind kind) {
  for (int attempt = 0; attempt < kTableReadAttempts; ++attempt) {
    HANDLE heap = GetProcessHeap();
    PVOID table = nullptr;
    const DWORD status = fn(&table, TRUE, heap, kHeapGrowable, kAfInet);
    if (status == NO_ERROR && table) {
      // The block's size is known to the heap that holds it; decode no further than that.
      const SIZE_T size = HeapSize(heap, 0, table);
      std::optional<std::vector<EndpointRow>> rows;
      if (size != SIZE_T(-1)) rows = DecodeEndpointTable(std::span(static_cast<const std::uint8_t*>(table), size), kind);
      HeapFree(heap, 0, table);
      return rows;
    }
    if (table) HeapFree(heap, 0, table);
    if (!IsPassingTableFailure(status)) return std::nullopt;
  }
  return std::nullopt;
}

std::optional<std::vector<EndpointRow>> ReadExtended(GetExtendedTableFn fn, TableKind kind, std::uint32_t& size_hint) {
  const int table_class = IsTcpKind(kind) ? kTcpTableOwnerPidAll : kUdpTableOwnerPid;
  const ULONG family = IsIpv6Kind(kind) ? kAfInet6 : kAfInet;
  const auto table = ReadGrowingTable([&](std::uint8_t* buffer, std::uint32_t& size) {
    DWORD dword_size = size;
    const DWORD status = fn(buffer, &dword_size, FALSE, family, table_class, 0);
    size = dword_size;
    return std::uint32_t(status);
  }, size_hint);
  if (!table) return std::nullopt;
  return DecodeEndpointTable(*table, kind);
}

}  // namespace

std::optional<std::vector<EndpointRow>> Win32EndpointTables::ReadTable(TableKind kind) {
  const bool tcp = IsTcpKind(kind);
  const AllocateAndGetFn allocate_tcp = DynAllocateAndGetTcpExTableFromStack();
  const AllocateAndGetFn allocate_udp = DynAllocateAndGetUdpExTableFromStack();
  const GetExtendedTableFn extended_tcp = DynGetExtendedTcpTable();
  const GetExtendedTableFn extended_udp = DynGetExtendedUdpTable();

  TableApi& api = g_last_api[std::size_t(kind)];
  api = TableApi::None;
  // The XP-era calls know IPv4 only; IPv6 tables come from the extended calls alone.
  AllocateAndGetFn allocate = IsIpv6Kind(kind) ? nullptr : tcp ? allocate_tcp : allocate_udp;
  if (AllocateAndGetFn fn = allocate) {
    api = TableApi::AllocateAndGet;
    return ReadAllocated(fn, kind);
  }
  if (GetExtendedTableFn fn = tcp ? extended_tcp : extended_udp) {
    api = TableApi::Extended;
    return ReadExtended(fn, kind, size_hints_[std::size_t(kind)]);
  }
  return std::nullopt;
}

TableApi LastTableApi(TableKind kind) { return g_last_api[std::size_t(kind)]; }

}  // namespace netscry
