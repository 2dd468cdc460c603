// Prints one connection snapshot: a header line, then one line per entry, TCP entries first
// (IPv4, then IPv6), with the protocol ("TCP", "TCPv6", "UDP", "UDPv6") and the entry's fields in
// order, separated by tabs. Text stays in the
// system's ANSI code page, as the snapshot holds it.
#include <cstdio>
#include <string>
#include <string_view>

#include "snapshot/get_tcp_udp_table.h"
#include "snapshot/process_identity_win32.h"

namespace {

// A field never contains a tab or a line break in practice; if one did, the line would break
// the table, so such characters become spaces.
std::string Field(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

void PrintEntries(const char* protocol, const char* protocol6, const netscry::FileRecArray& recs) {
  for (const netscry::File_Rec& r : recs) {
    std::printf("%s\t%u\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n", r.IPv6 ? protocol6 : protocol, unsigned(r.State), Field(r.LocalIP).c_str(),
                Field(r.LocalPort).c_str(), Field(r.RemoteIP).c_str(), Field(r.RemotePort).c_str(),
                Field(r.ProcessID).c_str(), Field(r.ProcessName).c_str(), Field(r.FilePath).c_str(),
                Field(r.FileDesc).c_str(), Field(r.Company).c_str(), Field(r.Mark).c_str());
  }
}

}  // namespace

int main() {
  netscry::EnableDebugPrivilege();
  netscry::GetTcpUdpTable();
  std::printf(
      "Protocol\tState\tLocalIP\tLocalPort\tRemoteIP\tRemotePort\tProcessID\tProcessName\tFilePath\tFileDesc\tCompany\tMark\n");
  PrintEntries("TCP", "TCPv6", netscry::TcpRecs);
  PrintEntries("UDP", "UDPv6", netscry::UdpRecs);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
