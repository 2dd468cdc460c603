#include "connlist/list_merge.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <unordered_set>
#include <vector>

#include "connlist/row_compare.h"
#include "connlist/state_names.h"
#include "connlist/text_compare.h"

namespace netscry {
namespace {

constexpr std::string_view kClaimedMark = "ok";
constexpr std::string_view kAddedRemark = "add";
constexpr std::string_view kChangedRemark = "md";
constexpr std::string_view kLoopbackAddress = "127.0.0.1";

// Image names of the programs counted in one fill or refresh. The names are views into the
// snapshot entries or into rows that stay for the whole call.
class ProgramSet {
 public:
  explicit ProgramSet(std::size_t expected) { names_.reserve(std::min<std::size_t>(expected, 4096)); }
  void Count(const std::string& name, const std::string& path) {
    if (!path.empty()) names_.insert(name);
  }
  int Size() const { return int(names_.size()); }

 private:
  std::unordered_set<std::string_view> names_;
};

// State names by code, formatted once per call instead of once per row.
class StateNames {
 public:
  StateNames() {
    for (std::uint32_t code = 0; code < known_.size(); ++code) known_[code] = TcpStateName(code);
  }
  const std::string& Of(std::uint32_t code) {
    if (code < known_.size()) return known_[code];
    other_ = TcpStateName(code);
    return other_;
  }

 private:
  std::array<std::string, 13> known_;
  std::string other_;
};

std::size_t Mix(std::size_t h, const std::string& field) {
  const std::size_t f = std::hash<std::string_view>{}(field);
  return h ^ (f + std::size_t(0x9E3779B97F4A7C15ull) + (h << 6) + (h >> 2));
}

// The matching key: TCP rows and entries match on process ID and both ends, UDP on process ID
// and the local end. File_Rec and TMyRec name these fields alike.
template <class R>
std::size_t KeyHash(const R& r, bool tcp) {
  std::size_t h = Mix(Mix(Mix(0, r.ProcessID), r.LocalIP), r.LocalPort);
  return tcp ? Mix(Mix(h, r.RemoteIP), r.RemotePort) : h;
}

template <class A, class B>
bool SameKey(const A& a, const B& b, bool tcp) {
  return a.ProcessID == b.ProcessID && a.LocalIP == b.LocalIP && a.LocalPort == b.LocalPort &&
         (!tcp || (a.RemoteIP == b.RemoteIP && a.RemotePort == b.RemotePort));
}

// The entries of one array by key, so that each row finds the first entry of its key that no row
// has claimed yet without walking the array. Entries of one key are chained in array order and
// claimed front to back.
class EntryIndex {
 public:
  EntryIndex(FileRecArray& entries, bool tcp) : entries_(entries), tcp_(tcp) {
    std::size_t capacity = 8;
    while (capacity < 2 * entries.size()) capacity *= 2;
    mask_ = capacity - 1;
    slots_.assign(capacity, kNone);
    next_.assign(entries.size(), kNone);
    // Walking backwards leaves each slot at its key's first entry, the chain running forwards.
    for (std::size_t i = entries.size(); i-- > 0;) {
      std::size_t& slot = slots_[Find(entries[i])];
      next_[i] = slot;
      slot = i;
    }
    unclaimed_ = slots_;
  }

  // The first unclaimed entry with the row's key, now claimed; null when there is none.
  File_Rec* Claim(const TMyRec& row) {
    std::size_t& first = unclaimed_[Find(row)];
    if (first == kNone) return nullptr;
    File_Rec* entry = &entries_[first];
    first = next_[first];
    return entry;
  }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // The slot of the key: the one holding an entry with this key, or the empty one that ends the
  // probe. The table is at most half full, so an empty slot always ends it.
  template <class R>
  std::size_t Find(const R& r) const {
    std::size_t pos = KeyHash(r, tcp_) & mask_;
    while (slots_[pos] != kNone && !SameKey(entries_[slots_[pos]], r, tcp_)) pos = (pos + 1) & mask_;
    return pos;
  }

  FileRecArray& entries_;
  bool tcp_;
  std::size_t mask_ = 0;
  std::vector<std::size_t> slots_;      // first entry of the slot's key
  std::vector<std::size_t> unclaimed_;  // per slot: first entry of its key not yet claimed
  std::vector<std::size_t> next_;       // per entry: next entry of its key
};

// Opens a batch on the list; closing it sorts the list (the list's own rule).
class UpdateBatch {
 public:
  explicit UpdateBatch(TStringTreeList& list) : list_(list) { list_.BeginUpdate(); }
  UpdateBatch(const UpdateBatch&) = delete;
  UpdateBatch& operator=(const UpdateBatch&) = delete;
  ~UpdateBatch() {
    if (!open_) return;
    try {
      list_.EndUpdate();
    } catch (...) {  // already leaving by an error; the list stays consistent either way
    }
  }
  void End() {
    open_ = false;
    list_.EndUpdate();
  }

 private:
  TStringTreeList& list_;
  bool open_ = true;
};

bool SortsWithVTSCompareNodes(const TStringTreeList& VTS) {
  using CompareFn = void (*)(TStringTreeList&, PTreeNode, PTreeNode, TColumnIndex, int&);
  const CompareFn* fn = VTS.OnCompareNodes.target<CompareFn>();
  return fn && *fn == &VTSCompareNodes;
}

// The order in which an empty list holds the appended rows (indices into rows, in append order;
// the rows left out already taken away) after the last append, when every append sorted the list
// while the new row was still empty. An empty row is placed after the rows whose key is empty
// (ascending; empty is the smallest key) or at the end (descending), and moves to its key at the
// next sort, where it is the earlier of equal keys in its present position: in front of them
// ascending, behind them descending. So equal keys end up in reverse append order ascending and in
// append order descending, and empty keys in append order either way. Only the row appended last
// has not moved yet; the final sort puts it in place.
std::vector<std::size_t> OrderBeforeFinalSort(const std::vector<TMyRec>& rows, std::vector<std::size_t> kept,
                                              TColumnIndex column, TSortDirection direction) {
  const RecField field = SortField(column);
  if (!field || kept.size() < 2) return kept;  // nothing compares: append order throughout
  const bool descending = direction == sdDescending;
  std::vector<char> empty_key(rows.size(), 0);
  if (!descending)
    for (std::size_t k : kept) empty_key[k] = CompareAnsiTextNoCase(rows[k].*field, {}) == 0;
  std::sort(kept.begin(), kept.end(), [&](std::size_t a, std::size_t b) {
    const int r = CompareAnsiTextNoCase(rows[a].*field, rows[b].*field);
    if (r != 0) return descending ? r > 0 : r < 0;
    return (descending || empty_key[a]) ? a < b : a > b;
  });
  const std::size_t last = rows.size() - 1;
  auto it = std::find(kept.begin(), kept.end(), last);
  if (it == kept.end()) return kept;
  kept.erase(it);
  const std::size_t at =
      descending ? kept.size() : std::size_t(std::count_if(kept.begin(), kept.end(), [&](std::size_t k) { return empty_key[k] != 0; }));
  kept.insert(kept.begin() + std::ptrdiff_t(at), last);
  return kept;
}

// The fill of an empty list that sorts on append with VTSCompareNodes: the rows go in, in the
// order they would have after the last append, within one batch; the first of them is selected
// and focused there, as it would be, and closing the batch makes the final sort.
ListCounters FillInOneSort(TStringTreeList& VTS, const FileRecArray& tcp, const FileRecArray& udp,
                           const ListMergeOptions& options) {
  const TColumnIndex column = VTS.Header().SortColumn();
  const TSortDirection direction = VTS.Header().SortDirection();
  std::vector<TMyRec> rows(tcp.size() + udp.size());
  std::vector<std::size_t> kept;
  kept.reserve(rows.size());
  ProgramSet programs(rows.size());
  std::size_t i = 0;
  for (const File_Rec& e : tcp) {
    DescribeRow(rows[i], e, true, {}, options);
    programs.Count(e.ProcessName, e.FilePath);
    if (options.ShowLocal || !IsLoopbackRow(e.LocalIP, e.RemoteIP)) kept.push_back(i);
    ++i;
  }
  for (const File_Rec& e : udp) {
    DescribeRow(rows[i], e, false, {}, options);
    programs.Count(e.ProcessName, e.FilePath);
    kept.push_back(i);
    ++i;
  }
  const std::vector<std::size_t> order = OrderBeforeFinalSort(rows, std::move(kept), column, direction);

  ListCounters counters;
  UpdateBatch batch(VTS);
  for (std::size_t k : order) *VTS.RowRecordAs<TMyRec>(VTS.AppendNode()) = std::move(rows[k]);
  counters.Connections = VTS.TotalNodeCount();
  if (PTreeNode first = VTS.FirstNode()) {
    VTS.SelectNode(first, true);
    VTS.FocusNode(first);
  }
  batch.End();
  VTS.SortList(column, direction);
  counters.Programs = programs.Size();
  return counters;
}

// The fill one row at a time, the list sorting after each append.
ListCounters FillRowByRow(TStringTreeList& VTS, const FileRecArray& tcp, const FileRecArray& udp,
                          const ListMergeOptions& options) {
  ProgramSet programs(tcp.size() + udp.size());
  for (const File_Rec& e : tcp) {
    PTreeNode n = VTS.AppendNode();
    DescribeRow(*VTS.RowRecordAs<TMyRec>(n), e, true, {}, options);
    programs.Count(e.ProcessName, e.FilePath);
    if (!options.ShowLocal && IsLoopbackRow(e.LocalIP, e.RemoteIP)) VTS.RemoveNode(n);
  }
  for (const File_Rec& e : udp) {
    PTreeNode n = VTS.AppendNode();
    DescribeRow(*VTS.RowRecordAs<TMyRec>(n), e, false, {}, options);
    programs.Count(e.ProcessName, e.FilePath);
  }
  ListCounters counters;
  counters.Connections = VTS.TotalNodeCount();
  if (PTreeNode first = VTS.FirstNode()) {
    VTS.SelectNode(first, true);
    VTS.FocusNode(first);
  }
  VTS.SortList(VTS.Header().SortColumn(), VTS.Header().SortDirection());
  counters.Programs = programs.Size();
  return counters;
}

}  // namespace

bool IsLoopbackRow(std::string_view local_ip, std::string_view remote_ip) {
  return local_ip == kLoopbackAddress && remote_ip == kLoopbackAddress;
}

void DescribeRow(TMyRec& row, const File_Rec& entry, bool tcp, std::string_view remark,
                 const ListMergeOptions& options) {
  row.Protocol = tcp ? "TCP" : "UDP";
  if (tcp) {
    row.StateText = TcpStateName(entry.State);
    row.RemoteIP = entry.RemoteIP;
    row.RemotePort = entry.RemotePort;
  } else {
    row.StateText.clear();
    row.RemoteIP.clear();
    row.RemotePort.clear();
  }
  row.LocalIP = entry.LocalIP;
  row.LocalPort = entry.LocalPort;
  row.ProcessID = entry.ProcessID;
  row.ProcessName = entry.ProcessName;
  row.FilePath = entry.FilePath;
  if (!entry.FilePath.empty())
    row.FileDesc = entry.FileDesc;
  else
    row.FileDesc = entry.ProcessName == "System" ? options.MsgSystemDesc : options.MsgIdleDesc;
  row.Company = entry.Company;
  row.Remark = remark;
}

ListCounters FillList(TStringTreeList& VTS, const FileRecArray& tcp, const FileRecArray& udp,
                      const ListMergeOptions& options) {
  // One sort gives the same rows, order, selection and scroll position as sorting on every
  // append only when the list starts empty, sorts on append and compares as we do.
  if (VTS.RowCount() == 0 && VTS.AutoSort && VTS.UpdateCount() == 0 && SortsWithVTSCompareNodes(VTS))
    return FillInOneSort(VTS, tcp, udp, options);
  return FillRowByRow(VTS, tcp, udp, options);
}

ListCounters RefreshList(TStringTreeList& VTS, FileRecArray& tcp, FileRecArray& udp,
                         const ListMergeOptions& options) {
  for (File_Rec& e : tcp) e.Mark.clear();
  for (File_Rec& e : udp) e.Mark.clear();
  EntryIndex tcp_index(tcp, true);
  EntryIndex udp_index(udp, false);
  StateNames state_names;
  ProgramSet programs(tcp.size() + udp.size());

  // The rows shown claim their entries; the next row is taken before a row may go.
  for (PTreeNode n = VTS.FirstNode(); n;) {
    PTreeNode next = VTS.NextNode(n);
    const TMyRec& row = *VTS.ReadRowRecordAs<TMyRec>(n);
    File_Rec* entry = nullptr;
    if (row.Protocol == "TCP") {
      if (options.ShowLocal || !IsLoopbackRow(row.LocalIP, row.RemoteIP)) entry = tcp_index.Claim(row);
      if (entry) {
        const std::string& state = state_names.Of(entry->State);
        // Writing through RowRecord tells the list that the row may have to move.
        if (row.StateText != state) {
          TMyRec& changed = *VTS.RowRecordAs<TMyRec>(n);
          changed.StateText = state;
          changed.Remark = kChangedRemark;
        } else if (!row.Remark.empty()) {
          VTS.RowRecordAs<TMyRec>(n)->Remark.clear();
        }
      }
    } else {
      entry = udp_index.Claim(row);
    }
    if (entry) {
      entry->Mark = kClaimedMark;
      programs.Count(row.ProcessName, row.FilePath);
    } else {
      VTS.RemoveNode(n);
    }
    n = next;
  }

  // Rows for the entries no row claimed. A loopback connection that is not shown still counts
  // its program; appending and deleting its row again would leave the order as it is.
  for (const File_Rec& e : tcp) {
    if (e.Mark == kClaimedMark) continue;
    programs.Count(e.ProcessName, e.FilePath);
    if (!options.ShowLocal && IsLoopbackRow(e.LocalIP, e.RemoteIP)) continue;
    DescribeRow(*VTS.RowRecordAs<TMyRec>(VTS.AppendNode()), e, true, kAddedRemark, options);
  }
  for (const File_Rec& e : udp) {
    if (e.Mark == kClaimedMark) continue;
    programs.Count(e.ProcessName, e.FilePath);
    DescribeRow(*VTS.RowRecordAs<TMyRec>(VTS.AppendNode()), e, false, kAddedRemark, options);
  }

  VTS.SortList(VTS.Header().SortColumn(), VTS.Header().SortDirection());
  ListCounters counters;
  if (VTS.SelectedNodeCount() == 0) {
    if (PTreeNode first = VTS.FirstNode()) {
      VTS.SelectNode(first, true);
      VTS.FocusNode(first);
    }
  }
  counters.Connections = VTS.TotalNodeCount();
  counters.Programs = programs.Size();
  return counters;
}

}  // namespace netscry
