#include "base/debug_privilege_win32.h"

namespace netscry {

DebugPrivilegeScope::DebugPrivilegeScope() {
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token_)) {
    token_ = nullptr;
    return;
  }
  TOKEN_PRIVILEGES wanted{};
  wanted.PrivilegeCount = 1;
  wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueA(nullptr, "SeDebugPrivilege", &wanted.Privileges[0].Luid)) return;
  DWORD length = 0;
  SetLastError(ERROR_SUCCESS);
  // The previous state lists the privilege only when the call changed it; restoring it then
  // undoes exactly this change, also when it was enabled before.
  if (AdjustTokenPrivileges(token_, FALSE, &wanted, sizeof previous_, &previous_, &length) &&
      GetLastError() == ERROR_SUCCESS) {
    changed_ = previous_.PrivilegeCount > 0;
  }
}

DebugPrivilegeScope::~DebugPrivilegeScope() {
  if (!token_) return;
  if (changed_) AdjustTokenPrivileges(token_, FALSE, &previous_, 0, nullptr, nullptr);
  CloseHandle(token_);
}

}  // namespace netscry
