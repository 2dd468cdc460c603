#pragma once
// The system's endpoint tables and process lookups, as GetTcpUdpTable reads them, with what
// earlier snapshots learned about processes, files and table sizes kept for the next.
#include "mainwindow/snapshot_source.h"
#include "snapshot/endpoint_tables_win32.h"
#include "snapshot/identity_cache.h"

namespace netscry {

class SystemSnapshotSource : public SnapshotSource {
 public:
  void TakeSnapshot(FileRecArray& tcp, FileRecArray& udp) override;

 private:
  // What earlier snapshots learned about processes and files; touched only by TakeSnapshot, so
  // by whichever one thread takes the snapshots.
  ProcessIdentityCache known_;
  // Kept for the size each table had last time, so a table that has not outgrown it is read in
  // one call.
  Win32EndpointTables tables_;
};

}  // namespace netscry
