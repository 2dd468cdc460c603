#include "procinfo/process_actions.h"

#include "procinfo/procinfo_text.h"

namespace netscry {

std::optional<std::string> ShownProcessPath(ProcessToEnd& process, const std::string& shown_path,
                                            std::optional<std::uint64_t> shown_at, const SamePathFn& same_path) {
  if (shown_path.empty() || process.HasExited()) return std::nullopt;
  std::string image = process.ImagePath();
  if (image.empty() || !same_path(image, shown_path)) return std::nullopt;
  if (shown_at) {
    const std::optional<std::uint64_t> created = process.CreationTime();
    if (created && *created > *shown_at) return std::nullopt;
  }
  return image;
}

std::string RevealParameters(std::string_view path) {
  std::string parameters = "/select, \"";
  parameters += path;
  parameters += '"';
  return parameters;
}

bool EndProcessOfPidCaption(std::string_view pid_caption, const std::string& shown_path, ProcessActions& actions) {
  const auto pid = ProcessIDOfPidCaption(pid_caption);
  if (!pid) return false;
  OpenedProcess opened = actions.OpenToEnd(*pid);
  const auto same_path = [&actions](const std::string& a, const std::string& b) { return actions.SamePath(a, b); };
  if (!opened.process || !ShownProcessPath(*opened.process, shown_path, std::nullopt, same_path)) return false;
  return opened.process->Terminate();
}

}  // namespace netscry
