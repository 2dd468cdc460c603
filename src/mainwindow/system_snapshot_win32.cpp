#include "mainwindow/system_snapshot_win32.h"

#include "snapshot/endpoint_tables_win32.h"
#include "snapshot/process_lookups_win32.h"
#include "snapshot/snapshot.h"

namespace netscry {

void SystemSnapshotSource::TakeSnapshot(FileRecArray& tcp, FileRecArray& udp) {
  Win32EndpointTables tables;
  Win32ProcessLookups lookups;
  netscry::TakeSnapshot(tables, lookups, tcp, udp);
}

}  // namespace netscry
