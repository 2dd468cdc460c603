#include "mainwindow/settings.h"

#include <cstdint>
#include <limits>

namespace netscry {
namespace {

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

int ProfileTextToInt(std::string_view text, int default_value) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    // Hexadecimal: up to 32 bits, taken as a signed 32-bit number (0xFFFFFFFF is -1).
    std::uint64_t v = 0;
    for (char c : text.substr(2)) {
      const int d = DigitValue(c);
      if (d < 0) return default_value;
      v = v * 16 + std::uint64_t(d);
      if (v > 0xFFFFFFFFull) return default_value;
    }
    return static_cast<int>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
  }
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i >= text.size()) return default_value;
  std::int64_t v = 0;
  const std::int64_t limit = negative ? -std::int64_t(std::numeric_limits<std::int32_t>::min())
                                      : std::int64_t(std::numeric_limits<std::int32_t>::max());
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return default_value;
    v = v * 10 + (c - '0');
    if (v > limit) return default_value;
  }
  return static_cast<int>(negative ? -v : v);
}

const char* SettingKey(int kind) {
  switch (kind) {
    case kSetShowLocal: return "ShowLocal";
    case kSetAutoRefresh: return "AutoRefresh";
    case kSetAlwaysTop: return "AlwaysTop";
    case kSetShowInfo: return "ShowInfo";
    case kSetShowIPv6: return "ShowIPv6";
    default: return nullptr;
  }
}

NetscryOptions ReadOptions(ProfileFile& file) {
  NetscryOptions o;
  auto read = [&](int kind, bool& field) {
    field = ProfileTextToInt(file.ReadString(kSettingsSection, SettingKey(kind)), field ? 1 : 0) != 0;
  };
  read(kSetShowLocal, o.ShowLocal);
  read(kSetAutoRefresh, o.AutoRefresh);
  read(kSetAlwaysTop, o.AlwaysTop);
  read(kSetShowInfo, o.ShowInfo);
  read(kSetShowIPv6, o.ShowIPv6);
  return o;
}

void WriteOption(ProfileFile& file, int kind, const NetscryOptions& options) {
  bool value = false;
  switch (kind) {
    case kSetShowLocal: value = options.ShowLocal; break;
    case kSetAutoRefresh: value = options.AutoRefresh; break;
    case kSetAlwaysTop: value = options.AlwaysTop; break;
    case kSetShowInfo: value = options.ShowInfo; break;
    case kSetShowIPv6: value = options.ShowIPv6; break;
    default:
      file.Flush();
      return;
  }
  const bool written = file.WriteString(kSettingsSection, SettingKey(kind), value ? "1" : "0");
  file.Flush();
  if (!written) throw SettingsWriteError(file.Path());
}

}  // namespace netscry
