#pragma once
// A connection list set up the way the main window sets up VTS: fourteen columns (0, 2 and 10-13
// hidden, 9 fixed at 40), TMyRec rows, the comparison and header click of row_compare.h, ten rows
// high. Plus small builders for snapshot entries.
#include <ostream>
#include <string>

#include "connlist/list_merge.h"
#include "connlist/row_compare.h"
#include "controls/tree_list.h"
#include "snapshot/file_rec.h"

namespace netscry {

// Readable failures for rows and entries.
inline void PrintTo(const TMyRec& r, std::ostream* os) {
  *os << '{' << r.Protocol << '|' << r.StateText << '|' << r.LocalIP << ':' << r.LocalPort << '>' << r.RemoteIP
      << ':' << r.RemotePort << "|pid " << r.ProcessID << '|' << r.ProcessName << '|' << r.FilePath << '|'
      << r.FileDesc << '|' << r.Company << "|remark " << r.Remark << '}';
}
inline void PrintTo(const ListCounters& c, std::ostream* os) {
  *os << "{programs " << c.Programs << ", connections " << c.Connections << '}';
}

namespace test {

inline void SetUpConnList(TStringTreeList& list) {
  const int widths[14] = {60, 120, 60, 40, 90, 60, 90, 60, 70, 40, 200, 150, 120, 50};
  for (int c = 0; c < 14; ++c) {
    TTreeColumn col;
    col.Text = std::to_string(c);
    col.Width = widths[c];
    col.Options = TColumnOptions::FromValue(2293);
    if (c == 0 || c == 2 || c >= 10) col.Options = col.Options.Without(coVisible);
    if (c == 9) col.MinWidth = col.MaxWidth = 40;
    list.Header().AddColumn(col);
  }
  list.SetClientSize(400, 22 * 8);
  list.SetNodeRecordType(NodeRecordTypeOf<TMyRec>());
  list.SetNodeDataSize(48);
  BindRowSorting(list);
}

inline const std::string kSystemDesc = "system-desc";
inline const std::string kIdleDesc = "idle-desc";

inline ListMergeOptions Options(bool show_local, bool show_ipv6 = true) {
  return {show_local, kSystemDesc, kIdleDesc, show_ipv6};
}

// A process identity as the snapshot resolves it.
struct Proc {
  std::string pid, name, path, desc, company;
};

inline File_Rec Tcp(const Proc& p, std::string lip, std::string lport, std::string rip, std::string rport,
                    std::uint32_t state) {
  File_Rec e;
  e.State = state;
  e.LocalIP = std::move(lip);
  e.LocalPort = std::move(lport);
  e.RemoteIP = std::move(rip);
  e.RemotePort = std::move(rport);
  e.ProcessID = p.pid;
  e.ProcessName = p.name;
  e.FilePath = p.path;
  e.FileDesc = p.desc;
  e.Company = p.company;
  return e;
}

inline File_Rec Udp(const Proc& p, std::string lip, std::string lport) {
  File_Rec e = Tcp(p, std::move(lip), std::move(lport), "", "", 0);
  return e;
}

// Entries of the IPv6 tables.
inline File_Rec Tcp6(const Proc& p, std::string lip, std::string lport, std::string rip, std::string rport,
                     std::uint32_t state) {
  File_Rec e = Tcp(p, std::move(lip), std::move(lport), std::move(rip), std::move(rport), state);
  e.IPv6 = true;
  return e;
}
inline File_Rec Udp6(const Proc& p, std::string lip, std::string lport) {
  File_Rec e = Udp(p, std::move(lip), std::move(lport));
  e.IPv6 = true;
  return e;
}

}  // namespace test
}  // namespace netscry
