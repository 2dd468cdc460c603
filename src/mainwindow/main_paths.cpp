#include "mainwindow/main_paths.h"

#include <algorithm>

#include "base/ansi_text.h"

namespace netscry {

std::string DirectoryOf(std::string_view path, const LeadBytes& lead) {
  // Walk characters, not bytes: the trail byte of a double-byte character can be 0x5C, "\".
  std::size_t end = 0;
  for (std::size_t i = 0; i < path.size(); i += AnsiCharLength(path, i, lead)) {
    const char c = path[i];
    if (AnsiCharLength(path, i, lead) == 1 && (c == '\\' || c == '/' || c == ':')) end = i + 1;
  }
  return std::string(path.substr(0, end));
}

std::string SystemDirText(std::span<const char> buffer) {
  std::string text = TextOfField(buffer.data(), buffer.size());
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  }
  return text;
}

}  // namespace netscry
