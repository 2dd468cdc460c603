#pragma once
// Where the main window's snapshots come from: the system (GetTcpUdpTable's sources) in the
// program, a fixed table in tests.
#include "snapshot/file_rec.h"

namespace netscry {

class SnapshotSource {
 public:
  virtual ~SnapshotSource() = default;
  // Replaces both arrays with a new snapshot, TCP first.
  virtual void TakeSnapshot(FileRecArray& tcp, FileRecArray& udp) = 0;
};

}  // namespace netscry
