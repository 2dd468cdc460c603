#pragma once
// The program itself started by the tests, and its windows found from outside, as another
// program would find them.
#include <windows.h>

#include <string>

namespace netscry::testing {

// The program's path as Windows sees it: a build tree on Linux is drive Z: under Wine.
inline std::string ProgramPath() {
  std::string path = NETSCRY_EXE;
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

// A started copy of the program; still running when the test is done, it is ended.
struct ProgramProcess {
  PROCESS_INFORMATION pi{};
  // Started as a launcher does; `with_show` hands over the show state `show`, as a shortcut set
  // to "maximised" or "minimised" does.
  bool Start(WORD show = 0, bool with_show = false) {
    const std::string exe = ProgramPath();
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    if (with_show) {
      si.dwFlags = STARTF_USESHOWWINDOW;
      si.wShowWindow = show;
    }
    std::string cmd = "\"" + exe + "\"";
    return CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi) != FALSE;
  }
  ~ProgramProcess() {
    if (pi.hProcess) {
      if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 30000);
      }
      CloseHandle(pi.hProcess);
      CloseHandle(pi.hThread);
    }
  }
  ProgramProcess() = default;
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;

  bool Ended(DWORD wait_ms) const { return WaitForSingleObject(pi.hProcess, wait_ms) == WAIT_OBJECT_0; }
  DWORD ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    return code;
  }
};

struct WindowSearch {
  DWORD pid;
  const char* cls;
  HWND found;
};

inline BOOL CALLBACK MatchVisibleWindow(HWND h, LPARAM lp) {
  auto* search = reinterpret_cast<WindowSearch*>(lp);
  DWORD owner = 0;
  GetWindowThreadProcessId(h, &owner);
  char name[64] = {};
  GetClassNameA(h, name, sizeof(name));
  if (owner == search->pid && std::string(name) == search->cls && IsWindowVisible(h)) {
    search->found = h;
    return FALSE;
  }
  return TRUE;
}

// The first visible top-level window of process `pid` with the window class `cls`, or none.
inline HWND VisibleWindowOf(DWORD pid, const char* cls) {
  WindowSearch search{pid, cls, nullptr};
  EnumWindows(&MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace netscry::testing
