#pragma once
// One connection row of the list: twelve narrow texts (system ANSI code page) copied from a
// snapshot entry. A row owns its texts; they are released when the row is deleted.
#include "base/field_text.h"

namespace netscry {

struct TMyRec {
  FieldText Protocol;    // "TCP" or "UDP"
  FieldText StateText;   // TCP state name; empty in UDP rows
  FieldText LocalIP;
  FieldText LocalPort;
  FieldText RemoteIP;    // empty in UDP rows
  FieldText RemotePort;  // empty in UDP rows
  FieldText ProcessID;
  FieldText ProcessName;
  FieldText FilePath;    // may be empty
  FieldText FileDesc;
  FieldText Company;
  FieldText Remark;      // change marker: "", "md" or "add"

  friend bool operator==(const TMyRec&, const TMyRec&) = default;
};

// Releases the row's twelve texts (the list's free-node handler calls this for every deleted
// row), returning their memory rather than merely emptying them.
void ReleaseRowStrings(TMyRec& rec);

}  // namespace netscry
