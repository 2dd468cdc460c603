#include "snapshot/snapshot.h"

#include <unordered_map>

namespace netscry {
namespace {

struct Identity {
  std::string name, path;
  VersionText version;
};

class IdentityCache {
 public:
  explicit IdentityCache(ProcessLookups& lookups) : lookups_(lookups) {}

  const Identity& Get(std::uint32_t pid) {
    auto it = cache_.find(pid);
    if (it != cache_.end()) return it->second;
    Identity id{lookups_.ProcessName(pid), lookups_.ProcessPath(pid), {}};
    id.version = lookups_.FileVersionText(id.path);
    return cache_.emplace(pid, std::move(id)).first->second;
  }

 private:
  ProcessLookups& lookups_;
  std::unordered_map<std::uint32_t, Identity> cache_;
};

// Ends the process list on every way out, errors included.
class SnapshotScope {
 public:
  explicit SnapshotScope(ProcessLookups& lookups) : lookups_(lookups) { lookups_.BeginSnapshot(); }
  ~SnapshotScope() { lookups_.EndSnapshot(); }
  SnapshotScope(const SnapshotScope&) = delete;
  SnapshotScope& operator=(const SnapshotScope&) = delete;

 private:
  ProcessLookups& lookups_;
};

void ReadInto(TableKind kind, EndpointTableSource& tables, IdentityCache& identities, FileRecArray& out) {
  std::optional<std::vector<EndpointRow>> rows = tables.ReadTable(kind);
  if (!rows) {
    for (File_Rec& rec : out) rec.Mark.clear();
    return;
  }
  SortEndpointRows(*rows);
  FileRecArray fresh(rows->size());
  for (std::size_t i = 0; i < rows->size(); ++i) {
    const EndpointRow& row = (*rows)[i];
    File_Rec& rec = fresh[i];
    rec.LocalIP = DottedAddress(row.local_addr);
    rec.LocalPort = DecimalText(row.local_port);
    if (kind == TableKind::Tcp) {
      rec.State = row.state;
      rec.RemoteIP = DottedAddress(row.remote_addr);
      rec.RemotePort = DecimalText(row.remote_port);
    }
    rec.ProcessID = DecimalText(row.pid);
    const Identity& id = identities.Get(row.pid);
    rec.ProcessName = id.name;
    rec.FilePath = id.path;
    rec.FileDesc = id.version.FileDesc;
    rec.Company = id.version.Company;
  }
  out = std::move(fresh);
}

}  // namespace

void TakeSnapshot(EndpointTableSource& tables, ProcessLookups& lookups, FileRecArray& tcp, FileRecArray& udp) {
  SnapshotScope scope(lookups);
  IdentityCache identities(lookups);
  ReadInto(TableKind::Tcp, tables, identities, tcp);
  ReadInto(TableKind::Udp, tables, identities, udp);
}

}  // namespace netscry
