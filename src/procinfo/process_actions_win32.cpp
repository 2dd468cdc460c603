#include "procinfo/process_actions_win32.h"

#include <memory>
#include <vector>

#include "base/debug_privilege_win32.h"
#include "base/dyn_calls_win32.h"

namespace netscry {

#if defined(_WIN64)
static_assert(sizeof(SHELLEXECUTEINFOA) == 112, "the 64-bit layout of SHELLEXECUTEINFOA");
#else
static_assert(sizeof(SHELLEXECUTEINFOA) == 60, "the 32-bit layout of SHELLEXECUTEINFOA");
#endif

namespace {

constexpr DWORD kProcessQueryLimitedInformation = 0x1000;
constexpr DWORD kPathChars = 1025;  // as the snapshot's path lookup reads them

class PlatformProcessToEnd : public ProcessToEnd {
 public:
  explicit PlatformProcessToEnd(HANDLE process) : process_(process) {}
  ~PlatformProcessToEnd() override { CloseHandle(process_); }
  PlatformProcessToEnd(const PlatformProcessToEnd&) = delete;
  PlatformProcessToEnd& operator=(const PlatformProcessToEnd&) = delete;

  std::string ImagePath() override {
    const auto query = DynQueryFullProcessImageNameA();
    if (!query) return {};
    std::vector<char> buffer(kPathChars, '\0');
    DWORD size = kPathChars;
    if (!query(process_, 0, buffer.data(), &size) || size >= kPathChars) return {};
    return std::string(buffer.data(), size);
  }

  std::optional<std::uint64_t> CreationTime() override {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process_, &created, &exited, &kernel, &user)) return std::nullopt;
    return (std::uint64_t(created.dwHighDateTime) << 32) | created.dwLowDateTime;
  }

  bool HasExited() override {
    DWORD code = 0;
    return GetExitCodeProcess(process_, &code) && code != STILL_ACTIVE;
  }

  bool Terminate() override { return TerminateProcess(process_, 0) != FALSE; }

 private:
  HANDLE process_;
};

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(std::size_t(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), wide.data(), n);
  return wide;
}

}  // namespace

OpenedProcess PlatformProcessActions::OpenToEnd(std::uint32_t pid) {
  HANDLE process = nullptr;
  DWORD error = ERROR_SUCCESS;
  {
    DebugPrivilegeScope debug;
    process = OpenProcess(PROCESS_TERMINATE | kProcessQueryLimitedInformation, FALSE, DWORD(pid));
    if (!process) error = GetLastError();
  }
  OpenedProcess opened;
  if (process) {
    opened.result = OpenToEndResult::kOpened;
    opened.process = std::make_unique<PlatformProcessToEnd>(process);
  } else {
    // An ID that names no process is an invalid parameter; anything else is a refusal.
    opened.result = error == ERROR_INVALID_PARAMETER ? OpenToEndResult::kGone : OpenToEndResult::kRefused;
  }
  return opened;
}

bool PlatformProcessActions::SamePath(const std::string& a, const std::string& b) {
  const std::wstring wa = Wide(a), wb = Wide(b);
  if (wa.empty() || wb.empty()) return false;
  const auto compare = DynCompareStringOrdinal();
  if (compare) return compare(wa.data(), int(wa.size()), wb.data(), int(wb.size()), TRUE) == CSTR_EQUAL;
  std::wstring ua = wa, ub = wb;
  CharUpperBuffW(ua.data(), DWORD(ua.size()));
  CharUpperBuffW(ub.data(), DWORD(ub.size()));
  return ua == ub;
}

void PlatformProcessActions::RevealFile(const std::string& path) {
  const std::string parameters = RevealParameters(path);
  ShellExecuteA(nullptr, "open", kRevealProgram, parameters.c_str(), nullptr, SW_SHOWNORMAL);
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
