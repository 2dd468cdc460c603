#pragma once
// The debug privilege, enabled only while the calls that need it run: programs the shell starts
// for us inherit the token's enabled privileges, so it must not stay enabled between them.
#include <windows.h>

namespace netscry {

// Enables SeDebugPrivilege in the program's token for the scope's life and then puts it back as
// it was. Silent when the token has no such privilege or cannot be adjusted. The token is the
// whole process's and scopes may overlap on two threads (a snapshot read beside an ended
// process): the first scope to open enables it, the last to close puts it back.
class DebugPrivilegeScope {
 public:
  DebugPrivilegeScope();
  ~DebugPrivilegeScope();
  DebugPrivilegeScope(const DebugPrivilegeScope&) = delete;
  DebugPrivilegeScope& operator=(const DebugPrivilegeScope&) = delete;
};

}  // namespace netscry
