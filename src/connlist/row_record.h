#pragma once
// One connection row of the list: twelve narrow strings (system ANSI code page) copied from a
// snapshot entry. A row owns its strings; they are released when the row is deleted.
#include <string>

namespace netscry {

struct TMyRec {
  std::string Protocol;     // "TCP" or "UDP"
  std::string StateText;    // TCP state name; empty in UDP rows
  std::string LocalIP;
  std::string LocalPort;
  std::string RemoteIP;     // empty in UDP rows
  std::string RemotePort;   // empty in UDP rows
  std::string ProcessID;
  std::string ProcessName;
  std::string FilePath;     // may be empty
  std::string FileDesc;
  std::string Company;
  std::string Remark;       // change marker: "", "md" or "add"

  friend bool operator==(const TMyRec&, const TMyRec&) = default;
};

// Releases the row's twelve strings (the list's free-node handler calls this for every deleted
// row), returning their memory rather than merely emptying them.
void ReleaseRowStrings(TMyRec& rec);

}  // namespace netscry
