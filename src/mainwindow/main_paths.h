#pragma once
// The executable's folder and the system directory as the main window keeps them.
#include <span>
#include <string>
#include <string_view>

#include "base/ansi_text.h"

namespace netscry {

// The directory part of a full path, with its trailing backslash (or slash); empty when the
// path names no directory. The path is walked by characters of the code page whose lead bytes
// are given.
std::string DirectoryOf(std::string_view path, const LeadBytes& lead = SystemLeadBytes());

// FSysDir: the buffer's text up to its first NUL (the whole buffer when it has none), with the
// ASCII letters a to z upper-cased and nothing else changed.
std::string SystemDirText(std::span<const char> buffer);

}  // namespace netscry
