#pragma once
// The program's current snapshot: replaced whole by every GetTcpUdpTable call; between calls only
// the refresh merge writes, and only the Mark fields.
#include "snapshot/file_rec.h"

namespace netscry {

extern FileRecArray TcpRecs;
extern FileRecArray UdpRecs;

// Takes a new snapshot of the system's IPv4 and IPv6 TCP and UDP endpoints into TcpRecs and UdpRecs.
void GetTcpUdpTable();

}  // namespace netscry
