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
  friend bool operator==(const VersionText&, const VersionText&) = default;
};

// What tells one content of a file from another without reading it: the last-write time in the
// platform's units and the size in bytes.
struct FileStamp {
  std::uint64_t write_time = 0;
  std::uint64_t size = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

class ProcessLookups {
 public:
  virtual ~ProcessLookups() = default;
  // Takes the process list and walks it once: the image name of every process ID in it (the
  // first entry of an ID wins). Empty when the list cannot be taken.
  virtual std::unordered_map<std::uint32_t, std::string> ProcessImageNames() = 0;
  virtual std::string ProcessPath(std::uint32_t pid) = 0;
  virtual VersionText FileVersionText(const std::string& path) = 0;
  // The process's creation time in the platform's units; nullopt when the process cannot be
  // asked. With the ID it tells a process from a later one that got the same ID.
  virtual std::optional<std::uint64_t> ProcessCreationTime(std::uint32_t /*pid*/) { return std::nullopt; }
  // The file's last-write time and size; nullopt when they cannot be read. A platform that
  // cannot tell either (the default) has its processes and files looked up at every snapshot.
  virtual std::optional<FileStamp> FileStampOf(const std::string& /*path*/) { return std::nullopt; }
};

class ProcessIdentityCache;

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

// The same snapshot, with the paths and version texts of processes and files met in earlier
// snapshots taken from the cache (snapshot/identity_cache.h) where they are still the same.
void TakeSnapshot(EndpointTableSource& tables, ProcessLookups& lookups, ProcessIdentityCache& known,
                  FileRecArray& tcp, FileRecArray& udp);

}  // namespace netscry
