#include "connlist/text_compare.h"

#include <algorithm>

namespace netscry {

namespace {

unsigned FoldAsciiLetter(unsigned c) { return c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c; }

}  // namespace

int CompareAnsiTextNoCase(std::string_view a, std::string_view b) {
  const std::size_t n = std::max(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    unsigned ca = i < a.size() ? static_cast<unsigned char>(a[i]) : 0u;
    unsigned cb = i < b.size() ? static_cast<unsigned char>(b[i]) : 0u;
    if (ca == cb) continue;
    ca = FoldAsciiLetter(ca);
    cb = FoldAsciiLetter(cb);
    if (ca != cb) return static_cast<int>(ca) - static_cast<int>(cb);
  }
  return 0;
}

}  // namespace netscry
