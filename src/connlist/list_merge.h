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
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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
// overwritten. It is MatchSnapshot over the rows in display order, the marks written into the
// entries, then ApplyPlan.
ListCounters RefreshList(TStringTreeList& VTS, FileRecArray& tcp, FileRecArray& udp,
                         const ListMergeOptions& options);

// What a refresh does, decided from the rows and the snapshot before the list is touched.
struct MergePlan {
  enum class RowAction : std::uint8_t {
    Delete,    // claims nothing, a loopback row while ShowLocal is off, an IPv6 row while ShowIPv6 is off
    Keep,      // left as it is: a UDP row that claims, or a TCP row that claims an entry in the
               // state it shows and has an empty Remark
    Settle,    // a TCP row that claims an entry in the state it shows: its Remark empties
    NewState,  // a TCP row that claims an entry in another state: takes its name, Remark "md"
  };
  struct Row {
    RowAction action = RowAction::Delete;
    std::uint32_t state = 0;  // the state code of the TCP entry claimed; 0 for UDP rows and Delete
    friend bool operator==(const Row&, const Row&) = default;
  };
  std::vector<Row> rows;           // per row, in the order the rows were given
  std::vector<std::size_t> added;  // entries that get rows, in append order, by append index:
                                   // TCP entries 0..n-1, then UDP entries n..n+m-1
  std::vector<bool> tcp_claimed;   // per entry: its Mark becomes "ok" (else empty)
  std::vector<bool> udp_claimed;
  int programs = 0;  // LabAppCount: kept rows and unclaimed entries, loopback ones included
};

// The claims of a refresh, on plain data: rows in display order (their Protocol says which table
// they claim from, "TCP" or "TCPv6", any other text for UDP), and the two arrays, which are not
// changed. With ShowIPv6 off, IPv6 rows are deleted and IPv6 entries get no rows and count no
// program.
MergePlan MatchSnapshot(const std::vector<const TMyRec*>& rows, const FileRecArray& tcp,
                        const FileRecArray& udp, const ListMergeOptions& options);

// Carries out a plan made for the rows `nodes` (the list's rows in display order when the plan
// was made): deletes and updates them and appends the added entries' rows with Remark "add", in
// one batch when the list sorts with VTSCompareNodes, then sorts, counts and, when nothing is
// selected, selects and focuses the top row.
ListCounters ApplyPlan(TStringTreeList& VTS, const std::vector<PTreeNode>& nodes, const MergePlan& plan,
                       const FileRecArray& tcp, const FileRecArray& udp, const ListMergeOptions& options);

}  // namespace netscry
