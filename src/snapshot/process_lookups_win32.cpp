#include "snapshot/process_lookups_win32.h"

#include "snapshot/endpoint_tables_win32.h"
#include "snapshot/get_tcp_udp_table.h"
#include "snapshot/process_identity_win32.h"

namespace netscry {

std::unordered_map<std::uint32_t, std::string> Win32ProcessLookups::ProcessImageNames() {
  // The process snapshot lives for this one walk and is closed on every way out.
  struct Snapshot {
    HANDLE handle = CreateProcessSnapshot();
    ~Snapshot() {
      if (handle && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
  } snapshot;
  return GetProcessImageNames(snapshot.handle);
}

std::string Win32ProcessLookups::ProcessPath(std::uint32_t pid) { return GetProcessPath(pid); }

VersionText Win32ProcessLookups::FileVersionText(const std::string& path) {
  VersionText text;
  GetFileVersionText(path, text.FileDesc, text.Company);
  return text;
}

std::optional<std::uint64_t> Win32ProcessLookups::ProcessCreationTime(std::uint32_t pid) {
  return GetProcessCreationTime(pid);
}

std::optional<FileStamp> Win32ProcessLookups::FileStampOf(const std::string& path) { return GetFileStamp(path); }

void GetTcpUdpTable() {
  Win32EndpointTables tables;
  Win32ProcessLookups lookups;
  TakeSnapshot(tables, lookups, TcpRecs, UdpRecs);
}

}  // namespace netscry
