#pragma once
// The lead-byte table of a Windows code page, as the platform gives it.
#include "base/ansi_text.h"

namespace netscry {

// The lead bytes of code_page (CP_ACP for the system's); a single-byte table when the platform
// does not know the code page.
LeadBytes LeadBytesOfCodePage(unsigned code_page);

}  // namespace netscry
