#include "snapshot/process_identity_win32.h"

#include <tlhelp32.h>

#include <cstdint>
#include <span>
#include <vector>

#include "base/ansi_text.h"
#include "base/dyn_calls_win32.h"
#include "snapshot/process_path.h"
#include "snapshot/version_text.h"

namespace netscry {
namespace {

// Calls the process walk, the module list and the image path use when present.
BOOL WrapEnumProcessModules(HANDLE process, HMODULE* module, DWORD cb, LPDWORD needed) {
  const auto fn = DynEnumProcessModules();
  return fn ? fn(process, module, cb, needed) : FALSE;
}
DWORD WrapGetModuleFileNameExA(HANDLE process, HMODULE module, LPSTR buffer, DWORD size) {
  const auto fn = DynGetModuleFileNameExA();
  return fn ? fn(process, module, buffer, size) : 0;
}
BOOL WrapProcess32First(HANDLE snapshot, PROCESSENTRY32* entry) {
  const auto fn = DynProcess32First();
  return fn ? fn(snapshot, entry) : FALSE;
}
BOOL WrapProcess32Next(HANDLE snapshot, PROCESSENTRY32* entry) {
  const auto fn = DynProcess32Next();
  return fn ? fn(snapshot, entry) : FALSE;
}

constexpr DWORD kPathChars = 1025;

// A 32-bit program on 64-bit Windows sees SysWOW64 when it names System32; a 64-bit process's
// module path must be read from the real file, so redirection is off around the read.
class Wow64RedirectionOff {
 public:
  Wow64RedirectionOff() {
    if (const auto disable = DynWow64DisableWow64FsRedirection()) active_ = disable(&old_) != FALSE;
  }
  ~Wow64RedirectionOff() {
    if (!active_) return;
    if (const auto revert = DynWow64RevertWow64FsRedirection()) revert(old_);
  }
  Wow64RedirectionOff(const Wow64RedirectionOff&) = delete;
  Wow64RedirectionOff& operator=(const Wow64RedirectionOff&) = delete;

 private:
  PVOID old_ = nullptr;
  bool active_ = false;
};

// The platform calls of the path lookup.
class Win32ProcessImagePlatform : public ProcessImagePlatform {
 public:
  Handle Open(std::uint32_t pid, std::uint32_t access) override {
    return reinterpret_cast<Handle>(OpenProcess(access, FALSE, pid));
  }
  std::optional<std::string> MainModulePath(Handle process) override {
    HMODULE module = nullptr;
    DWORD needed = 0;
    if (!WrapEnumProcessModules(AsHandle(process), &module, sizeof module, &needed)) return std::nullopt;
    std::vector<char> buffer(kPathChars, '\0');
    const DWORD n = WrapGetModuleFileNameExA(AsHandle(process), module, buffer.data(), kPathChars);
    if (n == 0) return std::nullopt;
    return TextOfField(buffer.data(), std::min<DWORD>(n, kPathChars));
  }
  std::optional<std::string> ImagePath(Handle process) override {
    const auto query = DynQueryFullProcessImageNameA();
    if (!query) return std::nullopt;
    std::vector<char> buffer(kPathChars, '\0');
    DWORD size = kPathChars;
    if (!query(AsHandle(process), 0, buffer.data(), &size) || size >= kPathChars) return std::nullopt;
    return TextOfField(buffer.data(), size);
  }
  void Close(Handle process) override { CloseHandle(AsHandle(process)); }

 private:
  static HANDLE AsHandle(Handle h) { return reinterpret_cast<HANDLE>(h); }
};

// The block's texts are UTF-16; the rows hold the system code page, as VerQueryValueA would give.
std::string AnsiOfWide(std::u16string_view text) {
  const std::wstring wide(text.begin(), text.end());
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(std::size_t(n), '\0');
  const int written = WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), out.data(), n, nullptr, nullptr);
  out.resize(std::size_t(std::max(written, 0)));
  return out;
}

}  // namespace

std::string GetProcessImagePathLimited(DWORD pid) {
  Win32ProcessImagePlatform platform;
  return ProcessImagePathLimited(pid, platform);
}

bool CheckPSAPILoaded() { return DynModule(DynLibrary::Psapi) != nullptr; }

bool InitToolHelp() { return DynCreateToolhelp32Snapshot() != nullptr; }

HANDLE CreateProcessSnapshot() {
  const auto create = DynCreateToolhelp32Snapshot();
  return create ? create(TH32CS_SNAPPROCESS, 0) : nullptr;
}

std::string GetProcessName(HANDLE process_snapshot, DWORD pid) {
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  // The ANSI layout: 296 bytes in 32-bit programs, 304 in 64-bit ones (pointer-sized fields).
  static_assert(sizeof(PROCESSENTRY32) == (sizeof(void*) == 8 ? 304 : 296));
  if (process_snapshot == nullptr || process_snapshot == INVALID_HANDLE_VALUE) return {};
  for (BOOL ok = WrapProcess32First(process_snapshot, &entry); ok; ok = WrapProcess32Next(process_snapshot, &entry)) {
    if (entry.th32ProcessID == pid) return TextOfField(entry.szExeFile, MAX_PATH);
  }
  return {};
}

std::unordered_map<std::uint32_t, std::string> GetProcessImageNames(HANDLE process_snapshot) {
  std::unordered_map<std::uint32_t, std::string> names;
  if (process_snapshot == nullptr || process_snapshot == INVALID_HANDLE_VALUE) return names;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL ok = WrapProcess32First(process_snapshot, &entry); ok; ok = WrapProcess32Next(process_snapshot, &entry))
    names.emplace(std::uint32_t(entry.th32ProcessID), TextOfField(entry.szExeFile, MAX_PATH));
  return names;
}

std::string GetProcessPath(DWORD pid) {
  Win32ProcessImagePlatform platform;
  return ProcessPathOf(pid, platform);
}

void GetFileVersionText(const std::string& path, std::string& description, std::string& company) {
  description.clear();
  company.clear();
  if (path.empty()) return;
  Wow64RedirectionOff redirection_off;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return;
  std::vector<std::uint8_t> block(size, 0);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return;
  // The block is walked by our own reader rather than VerQueryValueA, whose reported length of a
  // text is characters on Windows but bytes under Wine, and whose walk we cannot bound.
  ReadVersionText(block, AnsiOfWide, description, company);
}

std::optional<std::uint64_t> GetProcessCreationTime(DWORD pid) {
  HANDLE process = OpenProcess(kProcessQueryLimited, FALSE, pid);
  // Systems before Vista know no limited right; there the full query right is asked for.
  if (!process) process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
  if (!process) return std::nullopt;
  FILETIME created{}, exited{}, kernel{}, user{};
  const BOOL ok = GetProcessTimes(process, &created, &exited, &kernel, &user);
  CloseHandle(process);
  if (!ok) return std::nullopt;
  return (std::uint64_t(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

std::optional<FileStamp> GetFileStamp(const std::string& path) {
  if (path.empty()) return std::nullopt;
  // The same file the version read opens: a 64-bit process's file is not in SysWOW64.
  Wow64RedirectionOff redirection_off;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return FileStamp{(std::uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime,
                   (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow};
}

bool EnablePrivilege(HANDLE token, const char* privilege_name, bool enable) {
  TOKEN_PRIVILEGES privileges{};
  LookupPrivilegeValueA(nullptr, privilege_name, &privileges.Privileges[0].Luid);
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  DWORD returned = 0;
  // A call that fails outright must not pass for success, whatever the last error was before.
  SetLastError(0);
  const BOOL adjusted = AdjustTokenPrivileges(token, FALSE, &privileges, sizeof privileges, nullptr, &returned);
  return adjusted && GetLastError() == 0;
}

bool EnableDebugPrivilege() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) return false;
  const bool result = EnablePrivilege(token, "SeDebugPrivilege", true);
  CloseHandle(token);
  return result;
}

}  // namespace netscry
