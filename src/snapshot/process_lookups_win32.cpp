#include "snapshot/process_lookups_win32.h"

#include "snapshot/endpoint_tables_win32.h"
#include "snapshot/get_tcp_udp_table.h"
#include "snapshot/process_identity_win32.h"

namespace netscry {

void Win32ProcessLookups::BeginSnapshot() {
  EndSnapshot();
  process_snapshot_ = CreateProcessSnapshot();
}

void Win32ProcessLookups::EndSnapshot() {
  if (process_snapshot_ && process_snapshot_ != INVALID_HANDLE_VALUE) CloseHandle(process_snapshot_);
  process_snapshot_ = nullptr;
}

std::string Win32ProcessLookups::ProcessName(std::uint32_t pid) { return GetProcessName(process_snapshot_, pid); }

std::string Win32ProcessLookups::ProcessPath(std::uint32_t pid) { return GetProcessPath(pid); }

VersionText Win32ProcessLookups::FileVersionText(const std::string& path) {
  VersionText text;
  GetFileVersionText(path, text.FileDesc, text.Company);
  return text;
}

void GetTcpUdpTable() {
  Win32EndpointTables tables;
  Win32ProcessLookups lookups;
  TakeSnapshot(tables, lookups, TcpRecs, UdpRecs);
}

}  // namespace netscry
