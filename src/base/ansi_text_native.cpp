#include "base/ansi_text.h"

namespace netscry {

// The native build has no ANSI code page; its text is that of the interface.
const LeadBytes& SystemLeadBytes() {
  static const LeadBytes table = LeadBytes::CodePage936();
  return table;
}

}  // namespace netscry
