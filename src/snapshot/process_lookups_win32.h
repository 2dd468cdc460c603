#pragma once
// The snapshot's process identity lookups over tool-help, process-status and version calls.
#include <windows.h>

#include "snapshot/snapshot.h"

namespace netscry {

class Win32ProcessLookups : public ProcessLookups {
 public:
  ~Win32ProcessLookups() override { EndSnapshot(); }
  void BeginSnapshot() override;
  void EndSnapshot() override;
  std::string ProcessName(std::uint32_t pid) override;
  std::string ProcessPath(std::uint32_t pid) override;
  VersionText FileVersionText(const std::string& path) override;

 private:
  HANDLE process_snapshot_ = nullptr;
};

}  // namespace netscry
