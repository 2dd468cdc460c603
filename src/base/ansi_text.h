#pragma once
// Helpers for narrow text in the system's ANSI code page.
#include <cstddef>
#include <string>

namespace netscry {

// The characters of a fixed-size character field up to its first NUL, at most max_len of them
// (a field filled to the brim has no NUL).
inline std::string TextOfField(const char* field, std::size_t max_len) {
  std::size_t n = 0;
  while (n < max_len && field[n] != '\0') ++n;
  return std::string(field, n);
}

}  // namespace netscry
