#pragma once
// Identity of the process behind an endpoint: image name, main module path, and the file
// description and company of that module's version resource. Every failure yields empty text.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "snapshot/snapshot.h"

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

// The process's creation time (100-nanosecond units since 1601), asked with limited rights;
// nullopt when the process cannot be opened or asked.
std::optional<std::uint64_t> GetProcessCreationTime(DWORD pid);
// The last-write time and size of the file GetFileVersionText would read; nullopt when they
// cannot be read.
std::optional<FileStamp> GetFileStamp(const std::string& path);

bool EnablePrivilege(HANDLE token, const char* privilege_name, bool enable);
bool EnableDebugPrivilege();

}  // namespace netscry
