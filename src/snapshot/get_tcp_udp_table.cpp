#include "snapshot/get_tcp_udp_table.h"

namespace netscry {

FileRecArray TcpRecs;
FileRecArray UdpRecs;

}  // namespace netscry
