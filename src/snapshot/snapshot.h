#pragma once
// Building a connection snapshot from the two endpoint tables and the process identity lookups.
// The platform reaches this code through two small interfaces; the Windows glue implements them
// over the IP helper, tool-help, process-status and version calls.
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "snapshot/file_rec.h"
#include "snapshot/table_decode.h"

namespace netscry {

class EndpointTableSource {
 public:
  virtual ~EndpointTableSource() = default;
  // The table's rows in any order, or nullopt when the table could not be read.
  virtual std::optional<std::vector<EndpointRow>> ReadTable(TableKind kind) = 0;
};

struct VersionText {
  std::string FileDesc;
  std::string Company;
};

class ProcessLookups {
 public:
  virtual ~ProcessLookups() = default;
  // Takes the process list and walks it once: the image name of every process ID in it (the
  // first entry of an ID wins). Empty when the list cannot be taken.
  virtual std::unordered_map<std::uint32_t, std::string> ProcessImageNames() = 0;
  virtual std::string ProcessPath(std::uint32_t pid) = 0;
  virtual VersionText FileVersionText(const std::string& path) = 0;
};

// Replaces tcp and udp with a new snapshot: the IPv4 TCP table, the IPv6 TCP table, the IPv4 UDP
// table, the IPv6 UDP table, in that order; each array holds its IPv4 entries, then its IPv6
// ones (IPv6 set). The process list is taken and walked
// once per snapshot, each process ID's path looked up once and each distinct file's version
// text read once, and the strings reused for every entry they belong to; nothing is kept across
// snapshots.
// A table that cannot be read keeps its previous entries (marks cleared) so that a passing
// failure does not make every row vanish and reappear as new; the other tables are read anyway,
// and a failure of one family's table never touches the other family's entries.
void TakeSnapshot(EndpointTableSource& tables, ProcessLookups& lookups, FileRecArray& tcp, FileRecArray& udp);

}  // namespace netscry
