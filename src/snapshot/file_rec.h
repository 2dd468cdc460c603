#pragma once
// One snapshot entry: the TCP state code, ten texts (all in the system's ANSI code page) and the
// address family.
#include <cstdint>
#include <vector>

#include "base/field_text.h"

namespace netscry {

struct File_Rec {
  std::uint32_t State = 0;   // TCP state code; 0 in UDP entries
  FieldText LocalIP;      // dotted decimal; IPv6 entries: compressed text (Ipv6AddressText)
  FieldText LocalPort;    // decimal
  FieldText RemoteIP;     // empty in UDP entries
  FieldText RemotePort;   // empty in UDP entries
  FieldText ProcessID;    // unsigned decimal
  FieldText ProcessName;  // image name; empty when not found
  FieldText FilePath;     // main module path; empty when not readable
  FieldText FileDesc;     // from the version resource of FilePath
  FieldText Company;      // from the version resource of FilePath
  FieldText Mark;         // empty after a snapshot; "ok" once the refresh merge matched it
  bool IPv6 = false;      // read from an IPv6 table

  friend bool operator==(const File_Rec&, const File_Rec&) = default;
};

// Every text of an entry, by member, for code that must treat each one alike (a copy for another
// thread re-makes them all). A text field added above belongs here too.
inline constexpr FieldText File_Rec::*kFileRecTexts[] = {
    &File_Rec::LocalIP,   &File_Rec::LocalPort, &File_Rec::RemoteIP, &File_Rec::RemotePort, &File_Rec::ProcessID,
    &File_Rec::ProcessName, &File_Rec::FilePath, &File_Rec::FileDesc, &File_Rec::Company,   &File_Rec::Mark};

using FileRecArray = std::vector<File_Rec>;

}  // namespace netscry
