#include "connlist/list_merge.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <map>
#include <optional>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "connlist/row_compare.h"
#include "connlist/state_names.h"
#include "connlist/text_compare.h"

namespace netscry {
namespace {

const FieldText kClaimedMark = "ok";
const FieldText kAddedRemark = "add";
const FieldText kChangedRemark = "md";
constexpr std::string_view kLoopbackAddress = "127.0.0.1";
constexpr std::string_view kLoopbackAddress6 = "::1";

// A row (or TCP entry) between 127.0.0.1 and 127.0.0.1, or between ::1 and ::1, exactly that text
// on both sides.
bool IsLoopbackRow(std::string_view local_ip, std::string_view remote_ip) {
  return (local_ip == kLoopbackAddress && remote_ip == kLoopbackAddress) ||
         (local_ip == kLoopbackAddress6 && remote_ip == kLoopbackAddress6);
}

// The protocol texts of rows; IPv6 rows say so, so that rows of both families with equal
// addresses and ports stay apart in the merge, the sort and the clipboard.
const FieldText kTcp = "TCP", kUdp = "UDP", kTcp6 = "TCPv6", kUdp6 = "UDPv6";
const FieldText& ProtocolOf(bool tcp, bool ipv6) { return tcp ? (ipv6 ? kTcp6 : kTcp) : (ipv6 ? kUdp6 : kUdp); }
bool IsTcpProtocol(std::string_view protocol) { return protocol == kTcp || protocol == kTcp6; }
bool IsIpv6Protocol(std::string_view protocol) { return protocol == kTcp6 || protocol == kUdp6; }

// Image names of the programs counted in one fill or refresh. The names are views into the
// snapshot entries or into rows that stay for the whole call.
class ProgramSet {
 public:
  explicit ProgramSet(std::size_t expected) { names_.reserve(std::min<std::size_t>(expected, 4096)); }
  void Count(std::string_view name, std::string_view path) {
    if (path.empty()) return;
    // Rows come in runs of one program (sorted by image name, or one process's endpoints).
    if (last_ == name) return;
    names_.insert(name);
    last_ = name;
  }
  int Size() const { return int(names_.size()); }

 private:
  std::unordered_set<std::string_view> names_;
  std::optional<std::string_view> last_;
};

// State names by code, formatted once per call instead of once per row. References stay valid
// for the object's life.
class StateNames {
 public:
  StateNames() {
    for (std::uint32_t code = 0; code < known_.size(); ++code) known_[code] = TcpStateName(code);
  }
  const FieldText& Of(std::uint32_t code) {
    if (code < known_.size()) return known_[code];
    auto it = others_.find(code);
    if (it == others_.end()) it = others_.emplace(code, TcpStateName(code)).first;
    return it->second;
  }

 private:
  std::array<FieldText, 13> known_;
  std::map<std::uint32_t, FieldText> others_;
};

// The text of a row made from a snapshot entry: TCP rows carry the state name and the remote end,
// UDP rows leave them empty; a process without FilePath gets one of the two fixed descriptions.
class RowSource {
 public:
  explicit RowSource(const ListMergeOptions& options)
      : system_desc_(options.MsgSystemDesc), idle_desc_(options.MsgIdleDesc) {}

  // Every text is copied as a whole, so that the longer ones are shared, not copied.
  void Describe(TMyRec& row, const File_Rec& e, bool tcp, const FieldText& remark) {
    row.Protocol = ProtocolOf(tcp, e.IPv6);
    row.StateText = StateText(e, tcp);
    row.LocalIP = e.LocalIP;
    row.LocalPort = e.LocalPort;
    row.RemoteIP = tcp ? e.RemoteIP : kEmpty;
    row.RemotePort = tcp ? e.RemotePort : kEmpty;
    row.ProcessID = e.ProcessID;
    row.ProcessName = e.ProcessName;
    row.FilePath = e.FilePath;
    row.FileDesc = FileDesc(e);
    row.Company = e.Company;
    row.Remark = remark;
  }

  // What row.*field will hold, without making the row.
  std::string_view Field(const File_Rec& e, bool tcp, RecField field) {
    if (field == &TMyRec::Protocol) return ProtocolOf(tcp, e.IPv6);
    if (field == &TMyRec::StateText) return StateText(e, tcp);
    if (field == &TMyRec::LocalIP) return e.LocalIP;
    if (field == &TMyRec::LocalPort) return e.LocalPort;
    if (field == &TMyRec::RemoteIP) return tcp ? e.RemoteIP : kEmpty;
    if (field == &TMyRec::RemotePort) return tcp ? e.RemotePort : kEmpty;
    if (field == &TMyRec::ProcessID) return e.ProcessID;
    if (field == &TMyRec::ProcessName) return e.ProcessName;
    if (field == &TMyRec::FilePath) return e.FilePath;
    if (field == &TMyRec::FileDesc) return FileDesc(e);
    if (field == &TMyRec::Company) return e.Company;
    return {};
  }

  const FieldText& StateName(std::uint32_t code) { return states_.Of(code); }

 private:
  const FieldText& StateText(const File_Rec& e, bool tcp) { return tcp ? states_.Of(e.State) : kEmpty; }
  const FieldText& FileDesc(const File_Rec& e) const {
    if (!e.FilePath.empty()) return e.FileDesc;
    return e.ProcessName == "System" ? system_desc_ : idle_desc_;
  }

  static inline const FieldText kEmpty;
  const FieldText system_desc_, idle_desc_;
  StateNames states_;
};

// Mixes a field's bytes into h eight at a time, its length closing it so that fields cannot run
// into each other. The key fields are short texts (digits and dots), hashed for every entry and
// every row of a refresh.
std::uint64_t Mix(std::uint64_t h, std::string_view field) {
  constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
  const char* p = field.data();
  std::size_t n = field.size();
  for (; n >= 8; p += 8, n -= 8) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    h = (h ^ w) * kMul;
    h ^= h >> 29;
  }
  std::uint64_t tail = 0;
  if (n > 0) std::memcpy(&tail, p, n);
  h = (h ^ tail ^ (std::uint64_t(field.size()) << 56)) * kMul;
  return h ^ (h >> 29);
}

// A matching key: the texts that must be equal, in order.
class MatchKey {
 public:
  static constexpr std::size_t kMaxFields = 8;
  MatchKey(std::initializer_list<std::string_view> fields) : count_(fields.size()) {
    if (count_ > kMaxFields) throw std::logic_error("Matching key too long.");
    std::copy(fields.begin(), fields.end(), fields_.begin());
  }
  std::size_t size() const { return count_; }
  std::string_view operator[](std::size_t i) const { return fields_[i]; }

 private:
  std::array<std::string_view, kMaxFields> fields_{};
  std::size_t count_;
};

// The protocol text a row holds, or the one an entry's row will hold: part of every key, so that
// endpoints of the two families with equal text never claim each other.
std::string_view ProtocolText(const TMyRec& row, bool /*tcp*/) { return row.Protocol; }
std::string_view ProtocolText(const File_Rec& e, bool tcp) { return ProtocolOf(tcp, e.IPv6); }

// The key of each table kind, for rows and entries alike (File_Rec and TMyRec name these fields
// alike): the one place that says what a row matches on.
template <class R>
MatchKey TcpKey(const R& r) {
  return {ProtocolText(r, true), r.ProcessID, r.LocalIP, r.LocalPort, r.RemoteIP, r.RemotePort};
}
template <class R>
MatchKey UdpKey(const R& r) {
  return {ProtocolText(r, false), r.ProcessID, r.LocalIP, r.LocalPort};
}
template <class R>
MatchKey KeyOf(const R& r, bool tcp) {
  return tcp ? TcpKey(r) : UdpKey(r);
}

// Which table a row claims from: TCP rows from the TCP entries, any other from the UDP entries.
bool ClaimsTcp(const TMyRec& row) { return IsTcpProtocol(row.Protocol); }

// Keys packed for lookup: the fields one after another, each preceded by its length, so that two
// keys are equal exactly when their bytes are.
class PackedKeys {
 public:
  void Clear() {
    used_ = 0;
    keys_.clear();
  }
  // Packs one key and returns its number.
  std::size_t Add(const MatchKey& key) {
    std::size_t size = 0;
    for (std::size_t f = 0; f < key.size(); ++f) {
      if (key[f].size() >= 0xFFFFFFFFu) throw std::length_error("Snapshot text too long.");
      size += sizeof(std::uint32_t) + key[f].size();
    }
    // The buffer only grows, so that packing a batch after the first writes no filler.
    const std::size_t at = used_;
    if (bytes_.size() - at < size) bytes_.resize(std::max(2 * bytes_.size(), at + size));
    char* p = bytes_.data() + at;
    for (std::size_t f = 0; f < key.size(); ++f) {
      const std::uint32_t n = std::uint32_t(key[f].size());
      std::memcpy(p, &n, sizeof n);
      p += sizeof n;
      if (n > 0) std::memcpy(p, key[f].data(), n);
      p += n;
    }
    used_ = at + size;
    keys_.push_back({at, size, Mix(0, std::string_view(bytes_.data() + at, size))});
    return keys_.size() - 1;
  }
  std::string_view Key(std::size_t k) const { return {bytes_.data() + keys_[k].at, keys_[k].size}; }
  std::uint64_t Hash(std::size_t k) const { return keys_[k].hash; }

 private:
  struct Packed {
    std::size_t at, size;
    std::uint64_t hash;
  };
  std::string bytes_;
  std::size_t used_ = 0;
  std::vector<Packed> keys_;
};

// The entries are indexed in batches: the keys of a batch are hashed first and their slots
// fetched ahead, so that the cache misses of a batch overlap instead of following one another.
constexpr std::size_t kLookupBatch = 16;

void PrefetchForRead(const void* p) {
#if defined(__GNUC__)
  __builtin_prefetch(p, 0, 3);
#else
  (void)p;
#endif
}

// The entries of one array by key, so that each row finds the first entry of its key that no row
// has claimed yet without walking the array. Entries of one key are chained in array order and
// claimed front to back. Rows ask in display order, entries lie in table order: each distinct key
// is packed into one buffer and the states are copied, so that a claim reads a few bytes there
// instead of several scattered lines of an entry; claims are noted here and written into the
// entries afterwards.
class EntryIndex {
 public:
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  EntryIndex(const FileRecArray& entries, bool tcp) {
    if (entries.size() >= kNone) throw std::length_error("Too many snapshot entries.");
    std::size_t capacity = 8;
    while (capacity < 2 * entries.size()) capacity *= 2;
    mask_ = capacity - 1;
    slots_.assign(capacity, Slot{});
    next_.assign(entries.size(), kNone);
    claimed_.assign(entries.size(), 0);
    states_.resize(entries.size());
    packed_.reserve(entries.size() * 48);
    // Walking backwards leaves each slot at its key's first entry, the chain running forwards.
    PackedKeys batch;
    for (std::size_t end = entries.size(); end > 0;) {
      const std::size_t begin = end > kLookupBatch ? end - kLookupBatch : 0;
      batch.Clear();
      for (std::size_t i = end; i-- > begin;) Prefetch(batch.Hash(batch.Add(KeyOf(entries[i], tcp))));
      std::size_t k = 0;
      for (std::size_t i = end; i-- > begin; ++k) {
        states_[i] = entries[i].State;
        const std::string_view key = batch.Key(k);
        const std::uint64_t h = batch.Hash(k);
        Slot& slot = slots_[Find(h, key)];
        if (slot.first == kNone) {
          if (packed_.size() + key.size() >= kNone) throw std::length_error("Snapshot keys too long.");
          slot.key = std::uint32_t(packed_.size());
          slot.length = std::uint32_t(key.size());
          slot.tag = std::uint32_t(h >> 32);
          packed_ += key;
        }
        next_[i] = slot.first;
        slot.first = std::uint32_t(i);
      }
      end = begin;
    }
    for (Slot& slot : slots_) slot.unclaimed = slot.first;
  }

  // Fetches the slot where a lookup of this hash starts.
  void Prefetch(std::uint64_t h) const { PrefetchForRead(&slots_[std::size_t(h) & mask_]); }

  // The first unclaimed entry with this key, now claimed; kNone when there is none.
  std::uint32_t Claim(std::string_view key, std::uint64_t h) {
    std::uint32_t& first = slots_[Find(h, key)].unclaimed;
    const std::uint32_t entry = first;
    if (entry == kNone) return kNone;
    first = next_[entry];
    claimed_[entry] = 1;
    return entry;
  }

  std::uint32_t State(std::uint32_t entry) const { return states_[entry]; }
  bool Claimed(std::size_t entry) const { return claimed_[entry] != 0; }

 private:
  struct Slot {
    std::uint32_t first = kNone;      // the key's first entry
    std::uint32_t unclaimed = kNone;  // the key's first entry not claimed yet
    std::uint32_t tag = 0;            // high bits of the key's hash
    std::uint32_t key = 0;            // the key in packed_
    std::uint32_t length = 0;
  };

  // The slot of the key: the one holding an entry with this key, or the empty one that ends the
  // probe. The table is at most half full, so an empty slot always ends it.
  std::size_t Find(std::uint64_t h, std::string_view key) const {
    const std::uint32_t tag = std::uint32_t(h >> 32);
    std::size_t pos = std::size_t(h) & mask_;
    for (;; pos = (pos + 1) & mask_) {
      const Slot& slot = slots_[pos];
      if (slot.first == kNone) return pos;
      if (slot.tag == tag && slot.length == key.size() &&
          std::memcmp(packed_.data() + slot.key, key.data(), key.size()) == 0)
        return pos;
    }
  }

  std::size_t mask_ = 0;
  std::vector<Slot> slots_;
  std::vector<std::uint32_t> next_;    // per entry: next entry of its key
  std::vector<char> claimed_;          // per entry
  std::vector<std::uint32_t> states_;  // per entry
  std::string packed_;                 // the distinct keys
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

// IPv6 entries while IPv6 is hidden: no row, no program counted, as if the tables had none.
bool LeftOut(const File_Rec& e, const ListMergeOptions& options) { return e.IPv6 && !options.ShowIPv6; }
bool LeftOut(const TMyRec& row, const ListMergeOptions& options) {
  return !options.ShowIPv6 && IsIpv6Protocol(row.Protocol);
}

bool SortsWithVTSCompareNodes(const TStringTreeList& VTS) {
  using CompareFn = void (*)(TStringTreeList&, PTreeNode, PTreeNode, TColumnIndex, int&);
  const CompareFn* fn = VTS.OnCompareNodes.target<CompareFn>();
  return fn && *fn == &VTSCompareNodes;
}

// Where the rows of a fill into an empty list end up when every append sorts the list while the
// new row is still empty, and which row is first before the final sort. keys[i] is the sort key
// of entry i's row, the last one that of the row appended last; kept lists the rows not left out,
// in append order. An empty row is
// placed after the rows whose key is empty (ascending; empty is the smallest key) or at the end
// (descending), and moves to its key at the next sort, where it is the earlier of equal keys in
// its present position: in front of them ascending, behind them descending. So equal keys end up
// in reverse append order ascending and in append order descending, and empty keys in append
// order either way. Only the row appended last has not moved before the final sort.
struct FillOrder {
  std::vector<std::size_t> rows;  // the rows after the final sort, in list order
  std::size_t first = 0;          // the row at the top before the final sort
};

FillOrder OrderOfFill(const std::vector<std::string_view>& keys, const std::vector<std::size_t>& kept, bool descending) {
  // Classes of keys that compare equal, numbered in ascending order; rows share few keys (image
  // names) or many (ports), so the texts are compared once per distinct key, not per row.
  std::unordered_map<std::string_view, std::size_t> distinct_of;
  std::vector<std::string_view> distinct;
  std::vector<std::size_t> distinct_index(keys.size());
  for (std::size_t i : kept) {
    auto [it, added] = distinct_of.try_emplace(keys[i], distinct.size());
    if (added) distinct.push_back(keys[i]);
    distinct_index[i] = it->second;
  }
  std::vector<std::size_t> by_key(distinct.size());
  for (std::size_t d = 0; d < by_key.size(); ++d) by_key[d] = d;
  std::sort(by_key.begin(), by_key.end(),
            [&](std::size_t a, std::size_t b) { return CompareAnsiTextNoCase(distinct[a], distinct[b]) < 0; });
  std::vector<std::size_t> class_of(distinct.size());
  std::size_t classes = 0;
  for (std::size_t k = 0; k < by_key.size(); ++k) {
    if (k > 0 && CompareAnsiTextNoCase(distinct[by_key[k - 1]], distinct[by_key[k]]) != 0) ++classes;
    class_of[by_key[k]] = classes;
  }
  if (!by_key.empty()) ++classes;
  const bool empty_class = !by_key.empty() && CompareAnsiTextNoCase(distinct[by_key[0]], {}) == 0;
  auto class_of_row = [&](std::size_t i) { return class_of[distinct_index[i]]; };
  auto empty_key = [&](std::size_t i) { return empty_class && class_of_row(i) == 0; };

  // The rows in the order their ties keep, then a stable counting sort by class. The row
  // appended last is already where the final sort puts it: ascending, first of its key (or last
  // of the empty keys), descending, last of its key.
  std::vector<std::size_t> arranged;
  arranged.reserve(kept.size());
  std::size_t empty_keys = 0;
  if (descending) {
    arranged = kept;
  } else {
    for (std::size_t i : kept)
      if (empty_key(i)) arranged.push_back(i);
    empty_keys = arranged.size();
    for (auto it = kept.rbegin(); it != kept.rend(); ++it)
      if (!empty_key(*it)) arranged.push_back(*it);
  }
  auto place_of = [&](std::size_t i) { return descending ? classes - 1 - class_of_row(i) : class_of_row(i); };
  std::vector<std::size_t> start(classes + 1, 0);
  for (std::size_t i : arranged) ++start[place_of(i) + 1];
  for (std::size_t c = 1; c <= classes; ++c) start[c] += start[c - 1];
  FillOrder fill;
  fill.rows.resize(arranged.size());
  for (std::size_t i : arranged) fill.rows[start[place_of(i)]++] = i;
  if (fill.rows.empty()) return fill;

  // Before the final sort the row appended last waits among the empty keys: behind them
  // ascending, so at the top when no other row has an empty key; at the end descending.
  const std::size_t last = keys.size() - 1;
  const bool last_waits = kept.back() == last;
  if (last_waits && !descending && empty_keys == (empty_key(last) ? 1u : 0u))
    fill.first = last;
  else
    fill.first = fill.rows[0] == last && last_waits ? fill.rows[1] : fill.rows[0];
  return fill;
}

// The fill of an empty list that sorts on append with VTSCompareNodes: the rows go in, in the
// order they have after the final sort, within one batch; the row that would be first before
// that sort is selected and focused. Closing the batch makes the final sort, which finds the rows
// in order.
ListCounters FillInOneSort(TStringTreeList& VTS, const FileRecArray& tcp, const FileRecArray& udp,
                           const ListMergeOptions& options) {
  const TColumnIndex column = VTS.Header().SortColumn();
  const TSortDirection direction = VTS.Header().SortDirection();
  const RecField field = SortField(column);
  RowSource source(options);
  ProgramSet programs(tcp.size() + udp.size());
  auto entry = [&](std::size_t i) -> const File_Rec& { return i < tcp.size() ? tcp[i] : udp[i - tcp.size()]; };

  // Rows by entry index: TCP entries, then UDP entries. Entries left out are never appended, so
  // the row appended last is that of the last entry not left out.
  std::vector<std::size_t> kept;
  kept.reserve(tcp.size() + udp.size());
  std::size_t appended_last = 0;
  for (std::size_t i = 0; i < tcp.size(); ++i) {
    if (LeftOut(tcp[i], options)) continue;
    appended_last = i;
    programs.Count(tcp[i].ProcessName, tcp[i].FilePath);
    if (options.ShowLocal || !IsLoopbackRow(tcp[i].LocalIP, tcp[i].RemoteIP)) kept.push_back(i);
  }
  for (std::size_t i = 0; i < udp.size(); ++i) {
    if (LeftOut(udp[i], options)) continue;
    appended_last = tcp.size() + i;
    programs.Count(udp[i].ProcessName, udp[i].FilePath);
    kept.push_back(tcp.size() + i);
  }
  FillOrder fill;
  if (field && kept.size() > 1) {
    std::vector<std::string_view> keys(appended_last + 1);
    for (std::size_t i : kept) keys[i] = source.Field(entry(i), i < tcp.size(), field);
    fill = OrderOfFill(keys, kept, direction == sdDescending);
  } else {
    fill.rows = std::move(kept);  // nothing compares: append order throughout
    if (!fill.rows.empty()) fill.first = fill.rows[0];
  }

  ListCounters counters;
  UpdateBatch batch(VTS);
  PTreeNode first = nullptr;
  for (std::size_t i : fill.rows) {
    PTreeNode n = VTS.AppendNode();
    source.Describe(*VTS.RowRecordAs<TMyRec>(n), entry(i), i < tcp.size(), {});
    if (i == fill.first) first = n;
  }
  if (first) {
    // Focused while at the top, the row would scroll the top into view, not itself.
    VTS.SelectNode(first, true);
    VTS.FocusNode(first, false);
    VTS.ScrollIntoView(VTS.FirstNode());
  }
  counters.Connections = VTS.TotalNodeCount();
  batch.End();
  VTS.SortList(column, direction);
  counters.Programs = programs.Size();
  return counters;
}

// The fill one row at a time, the list sorting after each append.
ListCounters FillRowByRow(TStringTreeList& VTS, const FileRecArray& tcp, const FileRecArray& udp,
                          const ListMergeOptions& options) {
  RowSource source(options);
  ProgramSet programs(tcp.size() + udp.size());
  for (const File_Rec& e : tcp) {
    if (LeftOut(e, options)) continue;
    PTreeNode n = VTS.AppendNode();
    source.Describe(*VTS.RowRecordAs<TMyRec>(n), e, true, {});
    programs.Count(e.ProcessName, e.FilePath);
    if (!options.ShowLocal && IsLoopbackRow(e.LocalIP, e.RemoteIP)) VTS.RemoveNode(n);
  }
  for (const File_Rec& e : udp) {
    if (LeftOut(e, options)) continue;
    PTreeNode n = VTS.AppendNode();
    source.Describe(*VTS.RowRecordAs<TMyRec>(n), e, false, {});
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

ListCounters FillList(TStringTreeList& VTS, const FileRecArray& tcp, const FileRecArray& udp,
                      const ListMergeOptions& options) {
  // One sort gives the same rows, order, selection and scroll position as sorting on every
  // append only when the list starts empty, sorts on append and compares as we do.
  if (VTS.RowCount() == 0 && VTS.AutoSort && VTS.UpdateCount() == 0 && SortsWithVTSCompareNodes(VTS))
    return FillInOneSort(VTS, tcp, udp, options);
  return FillRowByRow(VTS, tcp, udp, options);
}

MergePlan MatchSnapshot(const std::vector<const TMyRec*>& rows, const FileRecArray& tcp,
                        const FileRecArray& udp, const ListMergeOptions& options) {
  const bool show_local = options.ShowLocal;
  EntryIndex tcp_index(tcp, true);
  EntryIndex udp_index(udp, false);
  StateNames states;
  ProgramSet programs(tcp.size() + udp.size());
  MergePlan plan;
  plan.rows.resize(rows.size());

  // The rows claim in display order. Claims used to be made a batch at a time with each batch's
  // slots prefetched; the merge benchmark showed no gain from that (10,000 rows: 1.76-2.24 ms
  // with, 1.70-1.78 ms without; 50,000 rows: 14.4-15.4 ms with, 14.5-16.1 ms without).
  PackedKeys keys;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const TMyRec& row = *rows[r];
    if (LeftOut(row, options)) continue;  // stays Delete
    const bool tcp_row = ClaimsTcp(row);
    if (tcp_row && !show_local && IsLoopbackRow(row.LocalIP, row.RemoteIP)) continue;  // stays Delete
    EntryIndex& index = tcp_row ? tcp_index : udp_index;
    keys.Clear();
    const std::size_t k = keys.Add(tcp_row ? TcpKey(row) : UdpKey(row));
    const std::uint32_t entry = index.Claim(keys.Key(k), keys.Hash(k));
    if (entry == EntryIndex::kNone) continue;
    MergePlan::Row& planned = plan.rows[r];
    if (tcp_row) {
      const std::uint32_t state = index.State(entry);
      if (row.StateText != states.Of(state))
        planned = {MergePlan::RowAction::NewState, state};
      else
        planned = {row.Remark.empty() ? MergePlan::RowAction::Keep : MergePlan::RowAction::Settle, state};
    } else {
      planned = {MergePlan::RowAction::Keep, 0};
    }
    programs.Count(row.ProcessName, row.FilePath);
  }

  // The entries no row claimed get rows. A loopback connection that is not shown still counts
  // its program; appending and deleting its row again would leave the order as it is.
  plan.tcp_claimed.resize(tcp.size());
  plan.udp_claimed.resize(udp.size());
  for (std::size_t i = 0; i < tcp.size() + udp.size(); ++i) {
    const bool is_tcp = i < tcp.size();
    const File_Rec& e = is_tcp ? tcp[i] : udp[i - tcp.size()];
    if (is_tcp ? tcp_index.Claimed(i) : udp_index.Claimed(i - tcp.size())) {
      (is_tcp ? plan.tcp_claimed[i] : plan.udp_claimed[i - tcp.size()]) = true;
      continue;
    }
    if (LeftOut(e, options)) continue;
    programs.Count(e.ProcessName, e.FilePath);
    if (is_tcp && !show_local && IsLoopbackRow(e.LocalIP, e.RemoteIP)) continue;
    plan.added.push_back(i);
  }
  plan.programs = programs.Size();
  return plan;
}

ListCounters ApplyPlan(TStringTreeList& VTS, const std::vector<PTreeNode>& nodes, const MergePlan& plan,
                       const FileRecArray& tcp, const FileRecArray& udp, const ListMergeOptions& options) {
  if (nodes.size() != plan.rows.size()) throw std::invalid_argument("The plan is for other rows.");
  for (std::size_t i : plan.added)
    if (i >= tcp.size() + udp.size()) throw std::out_of_range("The plan adds an entry the snapshot lacks.");
  RowSource source(options);
  auto entry = [&](std::size_t i) -> const File_Rec& { return i < tcp.size() ? tcp[i] : udp[i - tcp.size()]; };
  const TColumnIndex column = VTS.Header().SortColumn();
  const TSortDirection direction = VTS.Header().SortDirection();
  // With another comparison bound, or sorting not on append, every append does what the list
  // does on its own, and no batch is opened.
  const bool one_sort = VTS.AutoSort && VTS.UpdateCount() == 0 && SortsWithVTSCompareNodes(VTS);
  std::optional<UpdateBatch> batch;
  if (one_sort) batch.emplace(VTS);

  for (std::size_t r = 0; r < nodes.size(); ++r) {
    const PTreeNode n = nodes[r];
    switch (plan.rows[r].action) {
      case MergePlan::RowAction::Delete:
        VTS.RemoveNode(n);
        break;
      case MergePlan::RowAction::Keep:
        break;
      case MergePlan::RowAction::Settle:
        VTS.RowRecordAs<TMyRec>(n)->Remark.clear();
        break;
      case MergePlan::RowAction::NewState: {
        TMyRec& changed = *VTS.RowRecordAs<TMyRec>(n);
        changed.StateText = source.StateName(plan.rows[r].state);
        changed.Remark = kChangedRemark;
        break;
      }
    }
  }

  if (one_sort) {
    // Each append would sort the list with the new row still empty: ascending, that row waits in
    // front among the empty keys and, at the next sort, moves in front of the rows of its key
    // (so rows added with one key end up in reverse order); descending, and for empty keys, it
    // waits at the end and moves behind them. Rows put there in one batch, closed by one sort,
    // end up where those sorts leave them.
    const RecField field = SortField(column);
    for (std::size_t i : plan.added) {
      const bool in_front = direction == sdAscending && field &&
                            CompareAnsiTextNoCase(source.Field(entry(i), i < tcp.size(), field), {}) != 0;
      PTreeNode n = in_front ? VTS.InsertNode(VTS.NodeAtIndex(0)) : VTS.AppendNode();
      source.Describe(*VTS.RowRecordAs<TMyRec>(n), entry(i), i < tcp.size(), kAddedRemark);
    }
    batch->End();
  } else {
    for (std::size_t i : plan.added)
      source.Describe(*VTS.RowRecordAs<TMyRec>(VTS.AppendNode()), entry(i), i < tcp.size(), kAddedRemark);
  }

  VTS.SortList(column, direction);
  ListCounters counters;
  if (VTS.SelectedNodeCount() == 0) {
    if (PTreeNode first = VTS.FirstNode()) {
      VTS.SelectNode(first, true);
      VTS.FocusNode(first);
    }
  }
  counters.Connections = VTS.TotalNodeCount();
  counters.Programs = plan.programs;
  return counters;
}

ListCounters RefreshList(TStringTreeList& VTS, FileRecArray& tcp, FileRecArray& udp,
                         const ListMergeOptions& options) {
  std::vector<PTreeNode> nodes;
  std::vector<const TMyRec*> rows;
  nodes.reserve(std::size_t(VTS.RowCount()));
  rows.reserve(std::size_t(VTS.RowCount()));
  for (PTreeNode n = VTS.FirstNode(); n; n = VTS.NextNode(n)) {
    nodes.push_back(n);
    rows.push_back(VTS.ReadRowRecordAs<TMyRec>(n));
  }
  const MergePlan plan = MatchSnapshot(rows, tcp, udp, options);
  // Earlier marks are dropped.
  for (std::size_t i = 0; i < tcp.size(); ++i) tcp[i].Mark = plan.tcp_claimed[i] ? kClaimedMark : FieldText();
  for (std::size_t i = 0; i < udp.size(); ++i) udp[i].Mark = plan.udp_claimed[i] ? kClaimedMark : FieldText();
  return ApplyPlan(VTS, nodes, plan, tcp, udp, options);
}

}  // namespace netscry
