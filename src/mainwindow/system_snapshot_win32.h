#pragma once
// The system's endpoint tables and process lookups, as GetTcpUdpTable reads them.
#include "mainwindow/snapshot_source.h"

namespace netscry {

class SystemSnapshotSource : public SnapshotSource {
 public:
  void TakeSnapshot(FileRecArray& tcp, FileRecArray& udp) override;
};

}  // namespace netscry
