#pragma once
// One snapshot entry: the TCP state code and ten strings, all text in the system's ANSI code page.
#include <cstdint>
#include <string>
#include <vector>

namespace netscry {

struct File_Rec {
  std::uint32_t State = 0;   // TCP state code; 0 in UDP entries
  std::string LocalIP;       // dotted decimal
  std::string LocalPort;     // decimal
  std::string RemoteIP;      // empty in UDP entries
  std::string RemotePort;    // empty in UDP entries
  std::string ProcessID;     // unsigned decimal
  std::string ProcessName;   // image name; empty when not found
  std::string FilePath;      // main module path; empty when not readable
  std::string FileDesc;      // from the version resource of FilePath
  std::string Company;       // from the version resource of FilePath
  std::string Mark;          // empty after a snapshot; "ok" once the refresh merge matched it

  friend bool operator==(const File_Rec&, const File_Rec&) = default;
};

using FileRecArray = std::vector<File_Rec>;

}  // namespace netscry
