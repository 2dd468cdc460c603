#pragma once
// Helpers for narrow text in the system's ANSI code page.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace netscry {

// The characters of a fixed-size character field up to its first NUL, at most max_len of them
// (a field filled to the brim has no NUL).
inline std::string TextOfField(const char* field, std::size_t max_len) {
  std::size_t n = 0;
  while (n < max_len && field[n] != '\0') ++n;
  return std::string(field, n);
}

// Character steps in code page 936: a lead byte 0x81–0xFE and the byte after it form one
// character, so shortening and searching never cut a character in half.
inline std::size_t AnsiCharLength(std::string_view s, std::size_t i) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  return (c >= 0x81 && c <= 0xFE && i + 1 < s.size()) ? 2 : 1;
}

// Offsets where characters start, followed by the length of s.
inline std::vector<std::size_t> AnsiCharStarts(std::string_view s) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < s.size(); i += AnsiCharLength(s, i)) starts.push_back(i);
  starts.push_back(s.size());
  return starts;
}

}  // namespace netscry
