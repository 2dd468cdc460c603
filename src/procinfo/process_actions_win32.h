#pragma once
// The platform's process and shell calls behind ProcessActions.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "procinfo/process_actions.h"

namespace netscry {

class PlatformProcessActions : public ProcessActions {
 public:
  // OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, not inheritable) with the
  // debug privilege enabled around the call.
  OpenedProcess OpenToEnd(std::uint32_t pid) override;
  // Both paths in the system code page, compared ordinally without regard to case.
  bool SamePath(const std::string& a, const std::string& b) override;
  // ShellExecuteA(no parent, "open", "explorer.exe ", RevealParameters(path), no directory, SW_SHOWNORMAL).
  void RevealFile(const std::string& path) override;
  // ShellExecuteExA with SEE_MASK_INVOKEIDLIST, the verb "properties" and the path; nothing else set.
  void ShowFileProperties(const std::string& path) override;
};

// The one instance the windows use when they are given no other.
ProcessActions& PlatformProcesses();

// The property sheet's request: the structure's own size (60 bytes in a 32-bit program),
// SEE_MASK_INVOKEIDLIST, the verb and the file; every other member zero.
SHELLEXECUTEINFOA PropertiesRequest(const char* file);

}  // namespace netscry
