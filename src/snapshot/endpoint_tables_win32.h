#pragma once
// Reads the IPv4 and IPv6 TCP and UDP endpoint tables with owning process IDs.
#include <cstdint>

#include "snapshot/snapshot.h"
#include "snapshot/table_read.h"

namespace netscry {

class Win32EndpointTables : public EndpointTableSource {
 public:
  std::optional<std::vector<EndpointRow>> ReadTable(TableKind kind) override;

 private:
  // Per table kind: the buffer the extended call is offered first (see ReadGrowingTable).
  std::uint32_t size_hints_[4] = {kFirstTableBuffer, kFirstTableBuffer, kFirstTableBuffer, kFirstTableBuffer};
};

// Which platform call answered the last read, for diagnostics and tests.
enum class TableApi { None, AllocateAndGet, Extended };
TableApi LastTableApi(TableKind kind);

}  // namespace netscry
