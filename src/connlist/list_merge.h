#pragma once
// Filling the connection list from the first snapshot and merging every later snapshot into the
// rows shown. The main window takes the snapshot (through its SnapshotSource), calls one of these
// with its list and the two arrays, then sets LabAppCount and LabNetCount from the counters, gives
// the list the keyboard focus (refresh only, and only while the main window is the active one)
// and repaints it.
//
// The list must hold TMyRec records (SetNodeRecordType(NodeRecordTypeOf<TMyRec>()), a positive
// NodeDataSize) and sort with VTSCompareNodes bound by BindRowSorting (row_compare.h); with any
// other comparison bound the fill appends row by row, which gives the same result far more slowly.
// What the user sees — rows, their order including the order of equal keys, marks, counters,
// selection, focus and scroll position — is that of appending one row at a time with the list
// sorting after every append (the new row still empty) and matching rows against entries one by
// one; it is computed with hashed keys and, for the fill, one sort.
#include <string>
#include <string_view>

#include "connlist/row_record.h"
#include "controls/tree_list.h"
#include "snapshot/file_rec.h"

namespace netscry {

struct ListMergeOptions {
  bool ShowLocal = false;     // CBShowLocal ticked: loopback connections are shown
  std::string MsgSystemDesc;  // FMsgSystemDesc: FileDesc of "System" when it has no FilePath
  std::string MsgIdleDesc;    // FMsgIdleDesc: FileDesc of any other process without FilePath
  // CBShowIPv6 ticked. Unticked, IPv6 entries are left out entirely: they get no rows, claim
  // nothing and count no program, and IPv6 rows shown are deleted.
  bool ShowIPv6 = true;
};

struct ListCounters {
  int Programs = 0;     // LabAppCount: distinct image names (case-sensitive) with a FilePath
  int Connections = 0;  // LabNetCount: rows in the list
  friend bool operator==(const ListCounters&, const ListCounters&) = default;
};

// Rows of IPv6 entries (IPv6 set) say "TCPv6" or "UDPv6" in Protocol, the others "TCP" or "UDP".
// A loopback connection is one between 127.0.0.1 and 127.0.0.1 or between ::1 and ::1.

// Appends a row for every entry, TCP first (loopback connections left out unless ShowLocal), with
// an empty Remark; selects and focuses the row that is first before the final sort (after start-up
// by image name ascending: the row appended last, unless a row with an empty image name exists or
// the last row was left out), then sorts by the header's column and direction. Meant for the
// empty list at start-up; on a list that has rows it appends to them the same way.
ListCounters FillList(TStringTreeList& VTS, const FileRecArray& tcp, const FileRecArray& udp,
                      const ListMergeOptions& options);

// Merges a new snapshot into the rows shown. Each row claims the first entry with its key
// (the protocol, then TCP: ProcessID, LocalIP, LocalPort, RemoteIP, RemotePort; UDP: ProcessID,
// LocalIP, LocalPort)
// that no row has claimed yet, and the entry's Mark becomes "ok"; so with two entries of one key
// there are two rows, at every refresh. A TCP row that claims takes the entry's state name
// (Remark "md" when it changed, else empty); a UDP row keeps its Remark; a row that claims nothing,
// or a loopback row while ShowLocal is off, is deleted. Unclaimed entries get rows with Remark
// "add". Kept rows keep their other fields. Then the list is sorted and, when nothing is selected,
// its top row is selected and focused. Marks the arrays held before count for nothing and are
// overwritten.
ListCounters RefreshList(TStringTreeList& VTS, FileRecArray& tcp, FileRecArray& udp,
                         const ListMergeOptions& options);

}  // namespace netscry
