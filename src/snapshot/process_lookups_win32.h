#pragma once
// The snapshot's process identity lookups over tool-help, process-status and version calls.
#include <windows.h>

#include "snapshot/snapshot.h"

namespace netscry {

class Win32ProcessLookups : public ProcessLookups {
 public:
  std::unordered_map<std::uint32_t, std::string> ProcessImageNames() override;
  std::string ProcessPath(std::uint32_t pid) override;
  VersionText FileVersionText(const std::string& path) override;
  std::optional<std::uint64_t> ProcessCreationTime(std::uint32_t pid) override;
  std::optional<FileStamp> FileStampOf(const std::string& path) override;
};

}  // namespace netscry
