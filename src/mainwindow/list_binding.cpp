// Interim: the literal fill, merge and comparison, until the connection list's own versions are in.
#include "mainwindow/list_binding.h"

#include "connlist/columns.h"
#include "connlist/row_record.h"
#include "connlist/state_names.h"
#include "connlist/text_compare.h"

namespace netscry {
namespace {

bool Loopback(const std::string& local, const std::string& remote) { return local == "127.0.0.1" && remote == "127.0.0.1"; }

void Describe(TMyRec& r, const File_Rec& e, bool tcp, const char* remark, const ConnListOptions& o) {
  r.Protocol = tcp ? "TCP" : "UDP";
  r.StateText = tcp ? TcpStateName(e.State) : std::string();
  r.LocalIP = e.LocalIP;
  r.LocalPort = e.LocalPort;
  r.RemoteIP = tcp ? e.RemoteIP : std::string();
  r.RemotePort = tcp ? e.RemotePort : std::string();
  r.ProcessID = e.ProcessID;
  r.ProcessName = e.ProcessName;
  r.FilePath = e.FilePath;
  r.FileDesc = !e.FilePath.empty() ? e.FileDesc : e.ProcessName == "System" ? o.MsgSystemDesc : o.MsgIdleDesc;
  r.Company = e.Company;
  r.Remark = remark;
}

void Count(std::string& names, const TMyRec& r) {
  if (r.FilePath.empty()) return;
  const std::string t = "@$!" + r.ProcessName;
  if (names.find(t) == std::string::npos) names += t;
}

int Finish(std::string& names) {
  int n = 0;
  for (std::size_t p; (p = names.find("@$!")) != std::string::npos; ++n) names.replace(p, 3, "000");
  return n;
}

TMyRec* Append(TStringTreeList& l) { return l.RowRecordAs<TMyRec>(l.AppendNode()); }

}  // namespace

void BindConnListSorting(TStringTreeList& list) {
  list.OnCompareNodes = [](TStringTreeList& s, PTreeNode a, PTreeNode b, TColumnIndex c, int& result) {
    const ConnColumnInfo* info = ConnColumn(c);
    if (!info || !info->sort_by || c == kColManage) return;
    const TMyRec* ra = s.ReadRowRecordAs<TMyRec>(a);
    const TMyRec* rb = s.ReadRowRecordAs<TMyRec>(b);
    if (!ra || !rb) return;
    result = CompareAnsiTextNoCase(ra->*(info->sort_by), rb->*(info->sort_by));
  };
  list.OnHeaderClick = [](TTreeHeader& h, const TTreeHeaderHitInfo&) {
    const TColumnIndex c = h.ClickedColumn();
    if (c == kColManage) return;
    h.SetSortColumn(c);
    h.SetSortDirection(h.SortDirection() == sdAscending ? sdDescending : sdAscending);
  };
}

ConnListCounts FillConnList(TStringTreeList& l, const FileRecArray& tcp, const FileRecArray& udp,
                            const ConnListOptions& o) {
  std::string names;
  for (const File_Rec& e : tcp) {
    PTreeNode n = l.AppendNode();
    TMyRec* r = l.RowRecordAs<TMyRec>(n);
    Describe(*r, e, true, "", o);
    Count(names, *r);
    if (!o.ShowLocal && Loopback(r->LocalIP, r->RemoteIP)) l.RemoveNode(n);
  }
  for (const File_Rec& e : udp) {
    TMyRec* r = Append(l);
    Describe(*r, e, false, "", o);
    Count(names, *r);
  }
  ConnListCounts c;
  c.Connections = l.TotalNodeCount();
  if (PTreeNode first = l.FirstNode()) {
    l.SelectNode(first, true);
    l.FocusNode(first);
  }
  l.SortList(l.Header().SortColumn(), l.Header().SortDirection());
  c.Programs = Finish(names);
  return c;
}

ConnListCounts RefreshConnList(TStringTreeList& l, FileRecArray& tcp, FileRecArray& udp, const ConnListOptions& o) {
  std::string names;
  for (File_Rec& e : tcp) e.Mark.clear();
  for (File_Rec& e : udp) e.Mark.clear();
  for (PTreeNode n = l.FirstNode(); n;) {
    PTreeNode next = l.NextNode(n);
    TMyRec* r = l.RowRecordAs<TMyRec>(n);
    bool found = false;
    if (r->Protocol == "TCP") {
      for (File_Rec& e : tcp) {
        if (e.ProcessID == r->ProcessID && e.LocalIP == r->LocalIP && e.LocalPort == r->LocalPort &&
            e.RemoteIP == r->RemoteIP && e.RemotePort == r->RemotePort) {
          if (o.ShowLocal || !Loopback(r->LocalIP, r->RemoteIP)) {
            found = true;
            e.Mark = "ok";
            const std::string s = TcpStateName(e.State);
            if (r->StateText == s) {
              r->Remark.clear();
            } else {
              r->Remark = "md";
              r->StateText = s;
            }
          }
          break;
        }
      }
    } else {
      for (File_Rec& e : udp) {
        if (e.ProcessID == r->ProcessID && e.LocalIP == r->LocalIP && e.LocalPort == r->LocalPort) {
          found = true;
          e.Mark = "ok";
          break;
        }
      }
    }
    if (!found) {
      l.RemoveNode(n);
    } else {
      Count(names, *r);
    }
    n = next;
  }
  for (const File_Rec& e : tcp) {
    if (e.Mark == "ok") continue;
    PTreeNode n = l.AppendNode();
    TMyRec* r = l.RowRecordAs<TMyRec>(n);
    Describe(*r, e, true, "add", o);
    Count(names, *r);
    if (!o.ShowLocal && Loopback(r->LocalIP, r->RemoteIP)) l.RemoveNode(n);
  }
  for (const File_Rec& e : udp) {
    if (e.Mark == "ok") continue;
    TMyRec* r = Append(l);
    Describe(*r, e, false, "add", o);
    Count(names, *r);
  }
  l.SortList(l.Header().SortColumn(), l.Header().SortDirection());
  if (l.SelectedNodeCount() == 0) {
    if (PTreeNode first = l.FirstNode()) {
      l.SelectNode(first, true);
      l.FocusNode(first);
    }
  }
  ConnListCounts c;
  c.Connections = l.TotalNodeCount();
  c.Programs = Finish(names);
  return c;
}

ConnMenuState ConnColumnClick(const TStringTreeList& l, TColumnIndex column) {
  ConnMenuState s;
  if (column != kColManage) return s;
  PTreeNode row = l.FocusedRow();
  if (!row) return s;
  const TMyRec* r = l.ReadRowRecordAs<TMyRec>(row);
  s.Open = true;
  s.RowCommandsEnabled = r && !r->FilePath.empty();
  return s;
}

}  // namespace netscry
