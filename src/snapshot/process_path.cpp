#include "snapshot/process_path.h"

namespace netscry {
namespace {

// The text of a path from a buffer the platform filled: up to its first NUL.
std::string UpToNul(const std::string& text) { return text.substr(0, text.find('\0')); }

}  // namespace

std::string ProcessImagePathLimited(std::uint32_t pid, ProcessImagePlatform& platform) {
  const ProcessImagePlatform::Handle process = platform.Open(pid, kProcessQueryLimited);
  if (!process) return {};
  const std::optional<std::string> path = platform.ImagePath(process);
  platform.Close(process);
  return path ? UpToNul(*path) : std::string();
}

std::string ProcessPathOf(std::uint32_t pid, ProcessImagePlatform& platform) {
  std::string result;
  if (const ProcessImagePlatform::Handle process = platform.Open(pid, kProcessQueryAndRead)) {
    if (const std::optional<std::string> path = platform.MainModulePath(process)) result = UpToNul(*path);
    platform.Close(process);
  }
  if (result.empty()) result = ProcessImagePathLimited(pid, platform);
  return result;
}

}  // namespace netscry
