#pragma once
// The system's endpoint tables and process lookups, as GetTcpUdpTable reads them, with what
// earlier snapshots learned about processes and files kept for the next.
#include "mainwindow/snapshot_source.h"
#include "snapshot/identity_cache.h"

namespace netscry {

class SystemSnapshotSource : public SnapshotSource {
 public:
  void TakeSnapshot(FileRecArray& tcp, FileRecArray& udp) override;

 private:
  // What earlier snapshots learned about processes and files; touched only by TakeSnapshot, so
  // by whichever one thread takes the snapshots.
  ProcessIdentityCache known_;
};

}  // namespace netscry
