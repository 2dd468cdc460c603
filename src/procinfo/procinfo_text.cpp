#include "procinfo/procinfo_text.h"

namespace netscry {

ProcInfoCaptions ProcInfoCaptionsOf(const TMyRec& row) {
  ProcInfoCaptions c;
  c.exe = row.ProcessName.str();
  c.exe_des = row.FileDesc.str() + "  ";
  c.pid = std::string(kPidCaptionPrefix) + row.ProcessID.str();
  c.comp = row.Company.str() + " ";
  c.path = row.FilePath.str();
  return c;
}

std::optional<std::uint32_t> ParseProcessID(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char ch : text) {
    if (ch < '0' || ch > '9') return std::nullopt;
    value = value * 10 + std::uint64_t(ch - '0');
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  return std::uint32_t(value);
}

std::optional<std::uint32_t> ProcessIDOfPidCaption(std::string_view caption) {
  // The label's text from its fifth character on; a shorter text has no number.
  if (caption.size() < kPidCaptionPrefix.size()) return std::nullopt;
  return ParseProcessID(caption.substr(kPidCaptionPrefix.size()));
}

}  // namespace netscry
