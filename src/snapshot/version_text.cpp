#include "snapshot/version_text.h"

#include <cstdio>

#include "base/ansi_text.h"

namespace netscry {

std::optional<std::string> TranslationKey(std::span<const std::uint8_t> t) {
  if (t.size() < 4) return std::nullopt;
  char key[9];
  std::snprintf(key, sizeof key, "%.2X%.2X%.2X%.2X", unsigned(t[1]), unsigned(t[0]), unsigned(t[3]), unsigned(t[2]));
  return std::string(key, 8);
}

std::string VersionValueText(const char* value, std::size_t length) {
  if (value == nullptr) return {};
  return TextOfField(value, length);
}

}  // namespace netscry
