#pragma once
// Reads the IPv4 and IPv6 TCP and UDP endpoint tables with owning process IDs.
#include "snapshot/snapshot.h"

namespace netscry {

class Win32EndpointTables : public EndpointTableSource {
 public:
  std::optional<std::vector<EndpointRow>> ReadTable(TableKind kind) override;
};

// Which platform call answered the last read, for diagnostics and tests.
enum class TableApi { None, AllocateAndGet, Extended };
TableApi LastTableApi(TableKind kind);

}  // namespace netscry
