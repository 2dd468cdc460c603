#pragma once
// Which path a process's row shows. The module functions give the main module's path but need
// query-information and read-memory rights, and they fail for 64-bit processes seen from a
// 32-bit program and for protected processes; the image name query needs only limited rights.
// Without the second way a 32-bit build on 64-bit Windows shows most processes with no path, no
// icon and no description.
#include <cstdint>
#include <optional>
#include <string>

namespace netscry {

constexpr std::uint32_t kProcessQueryAndRead = 0x410;   // PROCESS_QUERY_INFORMATION | PROCESS_VM_READ
constexpr std::uint32_t kProcessQueryLimited = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION

// The platform calls the path lookup makes; the Windows glue implements them over OpenProcess,
// the process-status module functions and QueryFullProcessImageNameA.
class ProcessImagePlatform {
 public:
  using Handle = std::uintptr_t;  // 0: none
  virtual ~ProcessImagePlatform() = default;
  virtual Handle Open(std::uint32_t pid, std::uint32_t access) = 0;
  // The first module's file name (the main module); nullopt when a module call fails.
  virtual std::optional<std::string> MainModulePath(Handle process) = 0;
  // The process's image path; nullopt when the query fails or the call does not exist.
  virtual std::optional<std::string> ImagePath(Handle process) = 0;
  virtual void Close(Handle process) = 0;
};

// The main module's path; where the process cannot be opened with the rights the module
// functions need, or they fail or give an empty path, the image path queried with limited
// rights; empty when the process cannot be opened at all. Every handle opened is closed.
std::string ProcessPathOf(std::uint32_t pid, ProcessImagePlatform& platform);

// The image path queried with limited rights alone.
std::string ProcessImagePathLimited(std::uint32_t pid, ProcessImagePlatform& platform);

}  // namespace netscry
