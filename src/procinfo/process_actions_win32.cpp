#include "procinfo/process_actions_win32.h"

namespace netscry {

#if defined(_WIN64)
static_assert(sizeof(SHELLEXECUTEINFOA) == 112, "the 64-bit layout of SHELLEXECUTEINFOA");
#else
static_assert(sizeof(SHELLEXECUTEINFOA) == 60, "the 32-bit layout of SHELLEXECUTEINFOA");
#endif

bool PlatformProcessActions::EndProcess(std::uint32_t pid) {
  HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, DWORD(pid));
  if (!process) return false;
  TerminateProcess(process, 0);
  CloseHandle(process);
  return true;
}

void PlatformProcessActions::RevealFile(const std::string& path) {
  const std::string parameters = "/select, " + path;
  ShellExecuteA(nullptr, "open", "explorer.exe ", parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

SHELLEXECUTEINFOA PropertiesRequest(const char* file) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.lpVerb = "properties";
  info.lpFile = file;
  return info;
}

void PlatformProcessActions::ShowFileProperties(const std::string& path) {
  SHELLEXECUTEINFOA info = PropertiesRequest(path.c_str());
  ShellExecuteExA(&info);
}

ProcessActions& PlatformProcesses() {
  static PlatformProcessActions actions;
  return actions;
}

}  // namespace netscry
