#include "snapshot/identity_cache.h"

#include <unordered_set>

namespace netscry {

void ProcessIdentityCache::BeginSnapshot(const std::unordered_map<std::uint32_t, std::string>& process_list) {
  if (process_list.empty()) return;
  std::erase_if(processes_, [&](const auto& entry) { return !process_list.contains(entry.first); });
}

void ProcessIdentityCache::EndSnapshot() {
  std::unordered_set<std::string_view> used;
  for (const auto& [pid, process] : processes_) used.insert(process.path);
  std::erase_if(files_, [&](const auto& entry) { return !used.contains(entry.first); });
}

std::string ProcessIdentityCache::ProcessPath(std::uint32_t pid, ProcessLookups& lookups) {
  const std::optional<std::uint64_t> created = lookups.ProcessCreationTime(pid);
  if (!created) {
    processes_.erase(pid);
    return lookups.ProcessPath(pid);
  }
  if (auto it = processes_.find(pid); it != processes_.end() && it->second.created == *created) return it->second.path;
  // Should the process end and its ID be reused between the two calls, the new process's path is
  // kept under the old creation time; the next snapshot's creation time then differs, and it is
  // looked up again.
  std::string path = lookups.ProcessPath(pid);
  processes_.insert_or_assign(pid, KnownProcess{*created, path});
  return path;
}

VersionText ProcessIdentityCache::FileVersionText(const std::string& path, ProcessLookups& lookups) {
  if (path.empty()) return {};
  const std::optional<FileStamp> stamp = lookups.FileStampOf(path);
  if (!stamp) {
    files_.erase(path);
    return lookups.FileVersionText(path);
  }
  if (auto it = files_.find(path); it != files_.end() && it->second.stamp == *stamp) return it->second.text;
  VersionText text = lookups.FileVersionText(path);
  files_.insert_or_assign(path, KnownFile{*stamp, text});
  return text;
}

}  // namespace netscry
