// A program that imports the run-time-bound calls directly: the import check must refuse it.
#include <windows.h>
#include <uxtheme.h>

int main() {
  char path[MAX_PATH];
  DWORD size = MAX_PATH;
  PVOID redirection = nullptr;
  QueryFullProcessImageNameA(GetCurrentProcess(), 0, path, &size);
  if (Wow64DisableWow64FsRedirection(&redirection)) Wow64RevertWow64FsRedirection(redirection);
  return IsThemeActive() ? 0 : 1;
}
