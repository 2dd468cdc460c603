#include "base/dyn_calls_win32.h"

namespace netscry {
namespace {

const char* LibraryName(DynLibrary library) {
  switch (library) {
    case DynLibrary::Kernel32: return "kernel32.dll";
    case DynLibrary::Psapi: return "psapi.dll";
    case DynLibrary::Iphlpapi: return "iphlpapi.dll";
    case DynLibrary::Uxtheme: return "uxtheme.dll";
    case DynLibrary::Dwmapi: return "dwmapi.dll";
  }
  return "";
}

constexpr int kLibraries = int(DynLibrary::Dwmapi) + 1;

}  // namespace

HMODULE DynModule(DynLibrary library) {
  // Any thread may bind (the snapshot runs beside the windows); two threads that load at once
  // only raise the library's load count, and it stays loaded anyway.
  static std::atomic<HMODULE> modules[kLibraries];
  std::atomic<HMODULE>& cached = modules[int(library)];
  if (HMODULE m = cached.load(std::memory_order_acquire)) return m;
  const char* name = LibraryName(library);
  HMODULE m = GetModuleHandleA(name);
  if (!m) m = LoadLibraryA(name);
  if (m) cached.store(m, std::memory_order_release);
  return m;
}

namespace dyn_detail {

void* Bind(DynLibrary library, const char* name, Slot& slot) {
  if (slot.bound.load(std::memory_order_acquire)) return slot.function.load(std::memory_order_relaxed);
  HMODULE module = DynModule(library);
  if (!module) return nullptr;
  void* function = reinterpret_cast<void*>(GetProcAddress(module, name));
  slot.function.store(function, std::memory_order_relaxed);
  slot.bound.store(true, std::memory_order_release);
  return function;
}

}  // namespace dyn_detail

bool DynUxthemePresent() {
  return DynOpenThemeData() && DynCloseThemeData() && DynDrawThemeBackground() && DynIsThemeActive() &&
         DynIsAppThemed();
}

HTHEME DynOpenActiveTheme(HWND hwnd, LPCWSTR class_list) {
  if (!hwnd || !DynUxthemePresent() || !DynIsThemeActive()() || !DynIsAppThemed()()) return nullptr;
  return DynOpenThemeData()(hwnd, class_list);
}

}  // namespace netscry
