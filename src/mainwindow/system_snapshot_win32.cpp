#include "mainwindow/system_snapshot_win32.h"

#include "base/debug_privilege_win32.h"
#include "snapshot/process_lookups_win32.h"
#include "snapshot/snapshot.h"

namespace netscry {

void SystemSnapshotSource::TakeSnapshot(FileRecArray& tcp, FileRecArray& udp) {
  // Opening other users' and services' processes for their paths needs the debug privilege.
  DebugPrivilegeScope debug;
  Win32ProcessLookups lookups;
  netscry::TakeSnapshot(tables_, lookups, known_, tcp, udp);
}

}  // namespace netscry
