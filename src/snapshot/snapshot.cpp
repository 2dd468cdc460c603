#include "snapshot/snapshot.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

#include "snapshot/identity_cache.h"

namespace netscry {
namespace {

// Made once per file, and once per process, and shared by all their entries: the longer texts
// then live in one block each.
struct FileTexts {
  FieldText desc, company;
};
struct Identity {
  FieldText name, path;
  FileTexts version;
};

// What the lookups found within one snapshot: the process list taken and walked once, before
// the tables are read, each process ID's identity and each file's version text looked up once,
// through what earlier snapshots learned when there is a cache of it. The texts are made anew
// for every snapshot, so no entry shares a block with the cache or with an earlier snapshot.
class IdentityCache {
 public:
  IdentityCache(ProcessLookups& lookups, ProcessIdentityCache* known)
      : lookups_(lookups), known_(known), names_(lookups.ProcessImageNames()) {
    if (known_) known_->BeginSnapshot(names_);
  }

  const Identity& Get(std::uint32_t pid) {
    auto it = by_pid_.find(pid);
    if (it != by_pid_.end()) return it->second;
    Identity id;
    if (auto name = names_.find(pid); name != names_.end()) id.name = name->second;
    const std::string path = known_ ? known_->ProcessPath(pid, lookups_) : lookups_.ProcessPath(pid);
    id.path = path;
    id.version = Version(path);
    return by_pid_.emplace(pid, std::move(id)).first->second;
  }

 private:
  // An empty path has no version resource: nothing to read.
  FileTexts Version(const std::string& path) {
    if (path.empty()) return {};
    auto it = by_path_.find(path);
    if (it == by_path_.end()) {
      const VersionText text = known_ ? known_->FileVersionText(path, lookups_) : lookups_.FileVersionText(path);
      it = by_path_.emplace(path, FileTexts{text.FileDesc, text.Company}).first;
    }
    return it->second;
  }

  ProcessLookups& lookups_;
  ProcessIdentityCache* known_;
  const std::unordered_map<std::uint32_t, std::string> names_;
  std::unordered_map<std::uint32_t, Identity> by_pid_;
  std::unordered_map<std::string, FileTexts> by_path_;
};

void ReadInto(TableKind kind, EndpointTableSource& tables, IdentityCache& identities, FileRecArray& out) {
  std::optional<std::vector<EndpointRow>> rows = tables.ReadTable(kind);
  if (!rows) {
    for (File_Rec& rec : out) rec.Mark.clear();
    return;
  }
  SortEndpointRows(*rows);
  // Every lookup first: one that fails leaves the array as it was.
  std::vector<const Identity*> owners(rows->size());
  for (std::size_t i = 0; i < rows->size(); ++i) owners[i] = &identities.Get((*rows)[i].pid);
  // The new entries are written over the old ones. Addresses, ports and IDs are short texts kept
  // in place and the process texts are shared, so a snapshot allocates little. Running out of
  // memory half-way leaves the array empty, never half new.
  try {
    out.resize(rows->size());
    for (std::size_t i = 0; i < rows->size(); ++i) {
      const EndpointRow& row = (*rows)[i];
      File_Rec& rec = out[i];
      rec.IPv6 = IsIpv6Kind(kind);
      rec.LocalIP = rec.IPv6 ? Ipv6AddressText(row.local_addr6, row.local_scope) : DottedAddress(row.local_addr);
      rec.LocalPort = DecimalText(row.local_port);
      if (IsTcpKind(kind)) {
        rec.State = row.state;
        rec.RemoteIP = rec.IPv6 ? Ipv6AddressText(row.remote_addr6, row.remote_scope) : DottedAddress(row.remote_addr);
        rec.RemotePort = DecimalText(row.remote_port);
      } else {
        rec.State = 0;
        rec.RemoteIP.clear();
        rec.RemotePort.clear();
      }
      rec.ProcessID = DecimalText(row.pid);
      const Identity& id = *owners[i];
      rec.ProcessName = id.name;
      rec.FilePath = id.path;
      rec.FileDesc = id.version.desc;
      rec.Company = id.version.company;
      rec.Mark.clear();
    }
  } catch (...) {
    out.clear();
    throw;
  }
}

// One protocol's array: its IPv4 entries, then its IPv6 ones. Each family's part is replaced by
// its own table or, when that cannot be read, kept as it was.
void ReadFamilies(TableKind v4, TableKind v6, EndpointTableSource& tables, IdentityCache& identities,
                  FileRecArray& out) {
  const auto split = std::stable_partition(out.begin(), out.end(), [](const File_Rec& e) { return !e.IPv6; });
  FileRecArray ipv6(std::make_move_iterator(split), std::make_move_iterator(out.end()));
  out.erase(split, out.end());
  try {
    ReadInto(v4, tables, identities, out);
    ReadInto(v6, tables, identities, ipv6);
  } catch (...) {
    out.insert(out.end(), std::make_move_iterator(ipv6.begin()), std::make_move_iterator(ipv6.end()));
    throw;
  }
  out.insert(out.end(), std::make_move_iterator(ipv6.begin()), std::make_move_iterator(ipv6.end()));
}

// Both snapshots, with or without what earlier snapshots learned: one body, so that they read
// the same tables in the same order.
void Take(EndpointTableSource& tables, ProcessLookups& lookups, ProcessIdentityCache* known, FileRecArray& tcp,
          FileRecArray& udp) {
  IdentityCache identities(lookups, known);
  ReadFamilies(TableKind::Tcp, TableKind::Tcp6, tables, identities, tcp);
  ReadFamilies(TableKind::Udp, TableKind::Udp6, tables, identities, udp);
  if (known) known->EndSnapshot();
}

}  // namespace

void TakeSnapshot(EndpointTableSource& tables, ProcessLookups& lookups, FileRecArray& tcp, FileRecArray& udp) {
  Take(tables, lookups, nullptr, tcp, udp);
}

void TakeSnapshot(EndpointTableSource& tables, ProcessLookups& lookups, ProcessIdentityCache& known,
                  FileRecArray& tcp, FileRecArray& udp) {
  Take(tables, lookups, &known, tcp, udp);
}

}  // namespace netscry
