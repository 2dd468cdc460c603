// libFuzzer target: the settings file's integer values (ProfileTextToInt), compared with a
// reference reading made with the standard library, and the options read from a file whose four
// values come from the input.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

#include "mainwindow/settings.h"

namespace {

using namespace netscry;

// Hexadecimal after 0x or 0X when longer than two characters (up to 32 bits, taken as signed),
// otherwise decimal with an optional sign within 32 bits; anything else gives the default.
int Reference(std::string_view text, int default_value) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    const std::string_view digits = text.substr(2);
    if (digits.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos) return default_value;
    std::uint64_t v = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), v, 16);
    if (error != std::errc() || end != digits.data() + digits.size() || v > 0xFFFFFFFFull) return default_value;
    return static_cast<int>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
  }
  std::string_view digits = text;
  bool negative = false;
  if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
    negative = digits[0] == '-';
    digits.remove_prefix(1);
  }
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return default_value;
  std::int64_t v = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
  if (error != std::errc() || end != digits.data() + digits.size()) return default_value;
  if (negative) v = -v;
  if (v < INT32_MIN || v > INT32_MAX) return default_value;
  return static_cast<int>(v);
}

class MemoryFile : public ProfileFile {
 public:
  std::map<std::string, std::string> values;
  const std::string& Path() const override { return path_; }
  std::string ReadString(const std::string&, const std::string& key) override {
    auto it = values.find(key);
    return it == values.end() ? std::string() : it->second;
  }
  bool WriteString(const std::string&, const std::string&, const std::string&) override { return true; }
  void Flush() override {}

 private:
  std::string path_ = "C:\\Netscry.ini";
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (int default_value : {0, 1, -7}) {
    if (ProfileTextToInt(text, default_value) != Reference(text, default_value)) std::abort();
  }
  // The four values, separated by newlines, as the file's keys.
  MemoryFile file;
  std::string_view rest = text;
  for (const char* key : {"ShowLocal", "AutoRefresh", "AlwaysTop", "ShowInfo"}) {
    const std::size_t end = rest.find('\n');
    file.values[key] = std::string(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  const NetscryOptions options = ReadOptions(file);
  auto expect = [&](const char* key, bool by_default) { return Reference(file.values[key], by_default ? 1 : 0) != 0; };
  if (options.ShowLocal != expect("ShowLocal", true) || options.AutoRefresh != expect("AutoRefresh", false) ||
      options.AlwaysTop != expect("AlwaysTop", true) || options.ShowInfo != expect("ShowInfo", false))
    std::abort();
  return 0;
}
