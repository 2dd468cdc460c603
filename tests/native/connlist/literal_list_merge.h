#pragma once
// The fill, the refresh merge, the row comparison and the header click taken literally, step by
// step: every row searched linearly in the entry arrays, the programs collected in a growing list
// searched from the start, and a list that is sorted in full after every append (the literal merge
// sort of the list control). Two faults of that description are mended here as in the program:
// a row claims the first matching entry that no row has claimed yet, and programs are counted by
// exact name instead of by a substring search in a marker text.
//
// The algorithms are written against a small list interface so that they run over the literal
// sorted list (LiteralConnList) and over the real list control (RealConnList) alike.
#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "connlist/list_merge.h"
#include "connlist/row_record.h"
#include "connlist/state_names.h"
#include "connlist/text_compare.h"
#include "controls/tree_list.h"
#include "literal_sort_reference.h"
#include "snapshot/file_rec.h"

namespace netscry::test {

// VTSCompareNodes, step by step.
inline int LiteralCompareRows(const TMyRec* a, const TMyRec* b, int column) {
  int result = 0;
  if (column > 12) return result;
  if (!a || !b) return result;
  if (column == 0 || column == 2 || column == 9 || column < 0) return result;
  const FieldText TMyRec::*field = nullptr;
  switch (column) {
    case 1: field = &TMyRec::ProcessName; break;
    case 3: field = &TMyRec::Protocol; break;
    case 4: field = &TMyRec::LocalIP; break;
    case 5: field = &TMyRec::LocalPort; break;
    case 6: field = &TMyRec::RemoteIP; break;
    case 7: field = &TMyRec::RemotePort; break;
    case 8: field = &TMyRec::StateText; break;
    case 10: field = &TMyRec::FilePath; break;
    case 11: field = &TMyRec::FileDesc; break;
    case 12: field = &TMyRec::Company; break;
    default: return result;
  }
  result = CompareAnsiTextNoCase(a->*field, b->*field);
  return result;
}

// AppNames, with names compared exactly.
class LiteralAppNames {
 public:
  void CountProgram(const TMyRec& r) {
    if (r.FilePath.empty()) return;
    for (const std::string& n : names_)
      if (n == r.ProcessName) return;
    names_.push_back(r.ProcessName.str());
  }
  int Finish() const { return int(names_.size()); }

 private:
  std::vector<std::string> names_;
};

inline bool LiteralIsLoopback(const TMyRec& r) {
  return (r.LocalIP == "127.0.0.1" && r.RemoteIP == "127.0.0.1") || (r.LocalIP == "::1" && r.RemoteIP == "::1");
}

inline const char* LiteralProtocol(const File_Rec& e, bool tcp) {
  if (e.IPv6) return tcp ? "TCPv6" : "UDPv6";
  return tcp ? "TCP" : "UDP";
}

// IPv6 entries while IPv6 rows are hidden: as if the snapshot did not have them.
inline bool LiteralLeftOut(const File_Rec& e, const ListMergeOptions& o) { return e.IPv6 && !o.ShowIPv6; }
inline bool LiteralIsIpv6Row(const TMyRec& r) { return r.Protocol == "TCPv6" || r.Protocol == "UDPv6"; }

inline void LiteralDescribe(TMyRec& r, const File_Rec& e, bool tcp, const char* remark, const ListMergeOptions& o) {
  r.Protocol = LiteralProtocol(e, tcp);
  r.StateText = tcp ? TcpStateName(e.State) : "";
  r.LocalIP = e.LocalIP;
  r.LocalPort = e.LocalPort;
  r.RemoteIP = tcp ? e.RemoteIP : "";
  r.RemotePort = tcp ? e.RemotePort : "";
  r.ProcessID = e.ProcessID;
  r.ProcessName = e.ProcessName;
  r.FilePath = e.FilePath;
  if (!e.FilePath.empty())
    r.FileDesc = e.FileDesc;
  else if (e.ProcessName == "System")
    r.FileDesc = o.MsgSystemDesc;
  else
    r.FileDesc = o.MsgIdleDesc;
  r.Company = e.Company;
  r.Remark = remark;
}

template <class List>
ListCounters LiteralFillList(List& VTS, const FileRecArray& TcpRecs, const FileRecArray& UdpRecs,
                             const ListMergeOptions& o) {
  LiteralAppNames AppNames;
  for (const File_Rec& e : TcpRecs) {
    if (LiteralLeftOut(e, o)) continue;
    auto node = VTS.AppendNode();
    TMyRec& r = VTS.RowRecord(node);
    LiteralDescribe(r, e, true, "", o);
    AppNames.CountProgram(r);
    if (!o.ShowLocal && LiteralIsLoopback(r)) VTS.RemoveNode(node);
  }
  for (const File_Rec& e : UdpRecs) {
    if (LiteralLeftOut(e, o)) continue;
    auto node = VTS.AppendNode();
    TMyRec& r = VTS.RowRecord(node);
    LiteralDescribe(r, e, false, "", o);
    AppNames.CountProgram(r);
  }
  ListCounters c;
  c.Connections = VTS.TotalNodeCount();
  if (auto first = VTS.FirstNode()) {
    VTS.SelectNode(first);
    VTS.FocusNode(first);
  }
  VTS.SortList();
  c.Programs = AppNames.Finish();
  return c;
}

template <class List>
ListCounters LiteralRefreshList(List& VTS, FileRecArray& TcpRecs, FileRecArray& UdpRecs, const ListMergeOptions& o) {
  LiteralAppNames AppNames;
  auto node = VTS.FirstNode();
  while (node) {
    auto next = VTS.NextNode(node);
    TMyRec& r = VTS.RowRecord(node);
    bool found = false;
    if (!o.ShowIPv6 && LiteralIsIpv6Row(r)) {
      // not kept
    } else if (r.Protocol == "TCP" || r.Protocol == "TCPv6") {
      for (File_Rec& e : TcpRecs) {
        if (e.Mark == "ok") continue;
        if (r.Protocol == LiteralProtocol(e, true) && e.ProcessID == r.ProcessID && e.LocalIP == r.LocalIP && e.LocalPort == r.LocalPort &&
            e.RemoteIP == r.RemoteIP && e.RemotePort == r.RemotePort) {
          if (o.ShowLocal || !LiteralIsLoopback(r)) {
            found = true;
            e.Mark = "ok";
            std::string s = TcpStateName(e.State);
            if (r.StateText == s) {
              r.Remark = "";
            } else {
              r.Remark = "md";
              r.StateText = s;
            }
          }
          break;
        }
      }
    } else {
      for (File_Rec& e : UdpRecs) {
        if (e.Mark == "ok") continue;
        if (r.Protocol == LiteralProtocol(e, false) && e.ProcessID == r.ProcessID && e.LocalIP == r.LocalIP &&
            e.LocalPort == r.LocalPort) {
          found = true;
          e.Mark = "ok";
          break;
        }
      }
    }
    if (!found)
      VTS.RemoveNode(node);
    else
      AppNames.CountProgram(r);
    node = next;
  }
  for (const File_Rec& e : TcpRecs) {
    if (e.Mark == "ok" || LiteralLeftOut(e, o)) continue;
    auto added = VTS.AppendNode();
    TMyRec& r = VTS.RowRecord(added);
    LiteralDescribe(r, e, true, "add", o);
    AppNames.CountProgram(r);
    if (!o.ShowLocal && LiteralIsLoopback(r)) VTS.RemoveNode(added);
  }
  for (const File_Rec& e : UdpRecs) {
    if (e.Mark == "ok" || LiteralLeftOut(e, o)) continue;
    auto added = VTS.AppendNode();
    TMyRec& r = VTS.RowRecord(added);
    LiteralDescribe(r, e, false, "add", o);
    AppNames.CountProgram(r);
  }
  VTS.SortList();
  ListCounters c;
  c.Connections = VTS.TotalNodeCount();
  if (VTS.SelectedNodeCount() == 0) {
    if (auto first = VTS.FirstNode()) {
      VTS.SelectNode(first);
      VTS.FocusNode(first);
    }
  }
  c.Connections = VTS.TotalNodeCount();
  c.Programs = AppNames.Finish();
  return c;
}

// VTSHeaderClick, step by step.
template <class List>
void LiteralHeaderClick(List& VTS, int clicked_column) {
  if (clicked_column == 9) return;
  VTS.SetSortColumn(clicked_column);
  VTS.SetDescending(!VTS.Descending());
}

// The literal list: row records by id, their order kept by the literal sorted list.
class LiteralConnList {
 public:
  struct Row {
    int id;
    TMyRec rec;
  };
  using Node = Row*;

  LiteralConnList()
      : order_([this](int a, int b, int column) { return LiteralCompareRows(&rows_[std::size_t(a)].rec, &rows_[std::size_t(b)].rec, column); }) {}
  LiteralConnList(const LiteralConnList&) = delete;
  LiteralConnList& operator=(const LiteralConnList&) = delete;

  Node AppendNode() {
    rows_.push_back({int(rows_.size()), {}});
    alive_.push_back(true);
    cache_valid_ = false;
    order_.Append(rows_.back().id);
    ++count_;
    return &rows_.back();
  }
  TMyRec& RowRecord(Node n) { return n->rec; }
  void RemoveNode(Node n) {
    order_.Remove(n->id);
    alive_[std::size_t(n->id)] = false;
    --count_;
    if (selected == n) selected = nullptr;
    if (focused == n) focused = nullptr;
  }
  Node FirstNode() {
    Rebuild();
    return Following(0);
  }
  Node NextNode(Node n) {
    Rebuild();
    return Following(position_[std::size_t(n->id)] + 1);
  }
  int TotalNodeCount() const { return count_; }
  int SelectedNodeCount() const { return selected ? 1 : 0; }
  void SelectNode(Node n) { selected = n; }
  void FocusNode(Node n) { focused = n; }
  void SortList() {
    order_.Sort(order_.sort_column, order_.descending);
    cache_valid_ = false;
  }
  void SetSortColumn(int c) {
    order_.SetSortColumn(std::clamp(c, -1, 13));
    cache_valid_ = false;
  }
  void SetDescending(bool d) {
    order_.SetDescending(d);
    cache_valid_ = false;
  }
  bool Descending() const { return order_.descending; }
  // Off: appends do not sort (for setting up a large list quickly before measuring).
  void SetAutoSort(bool on) { order_.auto_sort = on; }
  int RowsMade() const { return int(rows_.size()); }
  int SortColumn() const { return order_.sort_column; }

  std::vector<Node> Rows() {
    std::vector<Node> v;
    for (int id : order_.Order()) v.push_back(&rows_[std::size_t(id)]);
    return v;
  }

  Node selected = nullptr;
  Node focused = nullptr;

 private:
  void Rebuild() {
    if (cache_valid_) return;
    cached_ = order_.Order();
    position_.assign(rows_.size(), 0);
    for (std::size_t i = 0; i < cached_.size(); ++i) position_[std::size_t(cached_[i])] = i;
    cache_valid_ = true;
  }
  // The first live row at or after position i of the cached order (removals keep it valid).
  Node Following(std::size_t i) {
    for (; i < cached_.size(); ++i)
      if (alive_[std::size_t(cached_[i])]) return &rows_[std::size_t(cached_[i])];
    return nullptr;
  }

  std::deque<Row> rows_;
  std::vector<bool> alive_;
  LiteralSortedList order_;
  int count_ = 0;
  bool cache_valid_ = false;
  std::vector<int> cached_;
  std::vector<std::size_t> position_;
};

// The real list control driven the literal way.
class RealConnList {
 public:
  using Node = PTreeNode;
  explicit RealConnList(TStringTreeList& list) : list_(list) {}
  Node AppendNode() { return list_.AppendNode(); }
  TMyRec& RowRecord(Node n) { return *list_.RowRecordAs<TMyRec>(n); }
  void RemoveNode(Node n) { list_.RemoveNode(n); }
  Node FirstNode() { return list_.FirstNode(); }
  Node NextNode(Node n) { return list_.NextNode(n); }
  int TotalNodeCount() { return list_.TotalNodeCount(); }
  int SelectedNodeCount() const { return list_.SelectedNodeCount(); }
  void SelectNode(Node n) { list_.SelectNode(n, true); }
  void FocusNode(Node n) { list_.FocusNode(n); }
  void SortList() { list_.SortList(list_.Header().SortColumn(), list_.Header().SortDirection()); }
  void SetSortColumn(int c) { list_.Header().SetSortColumn(c); }
  void SetDescending(bool d) { list_.Header().SetSortDirection(d ? sdDescending : sdAscending); }
  bool Descending() const { return list_.Header().SortDirection() == sdDescending; }

 private:
  TStringTreeList& list_;
};

}  // namespace netscry::test
