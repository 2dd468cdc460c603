#include "base/ansi_text_win32.h"

#include <windows.h>

namespace netscry {

LeadBytes LeadBytesOfCodePage(unsigned code_page) {
  CPINFO info{};
  if (!GetCPInfo(code_page, &info)) return {};
  return LeadBytes::FromRanges(info.LeadByte);
}

const LeadBytes& SystemLeadBytes() {
  // The system code page does not change while a program runs.
  static const LeadBytes table = LeadBytesOfCodePage(CP_ACP);
  return table;
}

}  // namespace netscry
