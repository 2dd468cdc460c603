#pragma once
// Identity of the process behind an endpoint: image name, main module path, and the file
// description and company of that module's version resource. Every failure yields empty text.
#include <windows.h>

#include <cstdint>
#include <string>
#include <unordered_map>

namespace netscry {

// Tool-help and process-status functions are bound at first use (psapi.dll is not loaded on
// every system, and a failed load is retried at the next call).
bool CheckPSAPILoaded();
bool InitToolHelp();

// A tool-help process snapshot (processes only); INVALID_HANDLE_VALUE or 0 when none.
HANDLE CreateProcessSnapshot();

std::string GetProcessName(HANDLE process_snapshot, DWORD pid);
// One walk of the snapshot: the image name of every process ID in it (the first entry of an ID,
// as GetProcessName finds it). Empty without a snapshot.
std::unordered_map<std::uint32_t, std::string> GetProcessImageNames(HANDLE process_snapshot);
// The main module's path; where the module list cannot be read, the image path queried with
// limited rights.
std::string GetProcessPath(DWORD pid);
std::string GetProcessImagePathLimited(DWORD pid);
void GetFileVersionText(const std::string& path, std::string& description, std::string& company);

bool EnablePrivilege(HANDLE token, const char* privilege_name, bool enable);
bool EnableDebugPrivilege();

}  // namespace netscry
