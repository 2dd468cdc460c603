#pragma once
// Every platform function the programs bind at run time, listed once per library. A function
// belongs here when importing it would stop the program from starting on a system that lacks
// it (the XP-era table calls are gone from newer systems, the newer calls are missing from older
// ones) or when its library is not loaded on every system. scripts/check-imports reads this list
// and refuses a program that imports any of these names.
//
// Use: `if (auto fn = DynQueryFullProcessImageNameA()) fn(...);` A null pointer means the
// function is absent. A library that fails to load is tried again at the next call; a function
// missing from a loaded library stays missing.
#include <windows.h>
#include <tlhelp32.h>
#include <uxtheme.h>

#include <atomic>

namespace netscry {

enum class DynLibrary { Kernel32, Psapi, Iphlpapi, Uxtheme, Dwmapi };

// One line per function: X(library, name, result, (parameters)). Keep one entry to a line: the
// import check reads the names from these lines.
#define NETSCRY_DYN_CALLS(X)                                                                  \
  X(Kernel32, QueryFullProcessImageNameA, BOOL, (HANDLE, DWORD, LPSTR, PDWORD))               \
  X(Kernel32, Wow64DisableWow64FsRedirection, BOOL, (PVOID*))                                 \
  X(Kernel32, Wow64RevertWow64FsRedirection, BOOL, (PVOID))                                   \
  X(Kernel32, GetSystemWow64DirectoryA, UINT, (LPSTR, UINT))                                  \
  X(Kernel32, CompareStringOrdinal, int, (LPCWCH, int, LPCWCH, int, BOOL))                    \
  X(Kernel32, CreateToolhelp32Snapshot, HANDLE, (DWORD, DWORD))                               \
  X(Kernel32, Process32First, BOOL, (HANDLE, PROCESSENTRY32*))                                \
  X(Kernel32, Process32Next, BOOL, (HANDLE, PROCESSENTRY32*))                                 \
  X(Psapi, EnumProcessModules, BOOL, (HANDLE, HMODULE*, DWORD, LPDWORD))                      \
  X(Psapi, GetModuleFileNameExA, DWORD, (HANDLE, HMODULE, LPSTR, DWORD))                      \
  X(Iphlpapi, AllocateAndGetTcpExTableFromStack, DWORD, (PVOID*, BOOL, HANDLE, DWORD, DWORD)) \
  X(Iphlpapi, AllocateAndGetUdpExTableFromStack, DWORD, (PVOID*, BOOL, HANDLE, DWORD, DWORD)) \
  X(Iphlpapi, GetExtendedTcpTable, DWORD, (PVOID, PDWORD, BOOL, ULONG, int, ULONG))           \
  X(Iphlpapi, GetExtendedUdpTable, DWORD, (PVOID, PDWORD, BOOL, ULONG, int, ULONG))           \
  X(Uxtheme, OpenThemeData, HTHEME, (HWND, LPCWSTR))                                          \
  X(Uxtheme, CloseThemeData, HRESULT, (HTHEME))                                               \
  X(Uxtheme, DrawThemeBackground, HRESULT, (HTHEME, HDC, int, int, const RECT*, const RECT*)) \
  X(Uxtheme, IsThemeActive, BOOL, ())                                                         \
  X(Uxtheme, IsAppThemed, BOOL, ())                                                           \
  X(Dwmapi, DwmSetWindowAttribute, HRESULT, (HWND, DWORD, LPCVOID, DWORD))

// The library's module, loaded at first use and kept for the life of the process (function
// pointers and theme handles point into it); null while it cannot be loaded.
HMODULE DynModule(DynLibrary library);

namespace dyn_detail {
// Binds `name` once its library is loaded; the result (present or absent) is then kept.
struct Slot {
  std::atomic<void*> function{nullptr};
  std::atomic<bool> bound{false};
};
void* Bind(DynLibrary library, const char* name, Slot& slot);
}  // namespace dyn_detail

#define NETSCRY_DYN_DECLARE(library, name, result, params)                                  \
  using Dyn##name##Fn = result(WINAPI*) params;                                             \
  inline Dyn##name##Fn Dyn##name() {                                                        \
    static dyn_detail::Slot slot;                                                           \
    /* GetProcAddress yields FARPROC; the real signature is reached through void*. */       \
    return reinterpret_cast<Dyn##name##Fn>(dyn_detail::Bind(DynLibrary::library, #name, slot)); \
  }
NETSCRY_DYN_CALLS(NETSCRY_DYN_DECLARE)
#undef NETSCRY_DYN_DECLARE

// True when all of the theme functions are present (the themed look needs every one).
bool DynUxthemePresent();

// The theme data of a window's class (L"BUTTON", L"HEADER" …) when every theme function is
// present and the user runs a theme this program may use; null otherwise. Whoever gets one
// closes it with DynCloseThemeData, which is then present.
HTHEME DynOpenActiveTheme(HWND hwnd, LPCWSTR class_list);

}  // namespace netscry
