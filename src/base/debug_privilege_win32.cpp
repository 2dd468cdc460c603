#include "base/debug_privilege_win32.h"

namespace netscry {

namespace {

// Shared by every scope of the process, under the lock.
SRWLOCK lock = SRWLOCK_INIT;
int holders = 0;
HANDLE token = nullptr;
TOKEN_PRIVILEGES previous{};
bool changed = false;

void Enable() {
  changed = false;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
    token = nullptr;
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
  if (AdjustTokenPrivileges(token, FALSE, &wanted, sizeof previous, &previous, &length) &&
      GetLastError() == ERROR_SUCCESS) {
    changed = previous.PrivilegeCount > 0;
  }
}

void Restore() {
  if (!token) return;
  if (changed) AdjustTokenPrivileges(token, FALSE, &previous, 0, nullptr, nullptr);
  CloseHandle(token);
  token = nullptr;
  changed = false;
}

}  // namespace

DebugPrivilegeScope::DebugPrivilegeScope() {
  AcquireSRWLockExclusive(&lock);
  if (holders++ == 0) Enable();
  ReleaseSRWLockExclusive(&lock);
}

DebugPrivilegeScope::~DebugPrivilegeScope() {
  AcquireSRWLockExclusive(&lock);
  if (--holders == 0) Restore();
  ReleaseSRWLockExclusive(&lock);
}

}  // namespace netscry
