#pragma once
// The five view options and the settings file that keeps them: section "Set" of Netscry.ini
// beside the executable, one key per option, written as "1" or "0" at the moment it changes.
#include <stdexcept>
#include <string>
#include <string_view>

namespace netscry {

// The settings file as the program uses it. The Windows glue implements it over the private
// profile functions; tests use an in-memory file.
class ProfileFile {
 public:
  virtual ~ProfileFile() = default;
  virtual const std::string& Path() const = 0;
  // The key's value text; empty when the file, section or key is missing (an empty value and a
  // missing key both give the key's default).
  virtual std::string ReadString(const std::string& section, const std::string& key) = 0;
  // False when the system refuses the write.
  virtual bool WriteString(const std::string& section, const std::string& key, const std::string& value) = 0;
  // Writes the system's cached copy of the file to disk.
  virtual void Flush() = 0;
};

// A refused write: "Unable to write to <path>".
class SettingsWriteError : public std::runtime_error {
 public:
  explicit SettingsWriteError(const std::string& path) : std::runtime_error("Unable to write to " + path) {}
};

// The value text as an integer: hexadecimal when longer than two characters and starting with
// 0x or 0X, otherwise decimal with an optional sign; anything else (blanks included, overflow of
// 32 bits, an empty text) gives default_value. The text is taken exactly as read: the profile
// functions already strip the blanks around an unquoted value, so a blank that arrives here was
// quoted on purpose and makes the value no integer.
int ProfileTextToInt(std::string_view text, int default_value);

// The option keys, by the Tag of their check box (1 to 5).
enum SettingKind : int { kSetShowLocal = 1, kSetAutoRefresh = 2, kSetAlwaysTop = 3, kSetShowInfo = 4, kSetShowIPv6 = 5 };

struct NetscryOptions {
  bool ShowLocal = true;
  bool AutoRefresh = false;
  bool AlwaysTop = true;
  bool ShowInfo = false;
  bool ShowIPv6 = true;  // a file written before this key existed shows IPv6 rows
  friend bool operator==(const NetscryOptions&, const NetscryOptions&) = default;
};

inline constexpr const char* kSettingsSection = "Set";
inline constexpr const char* kSettingsFileName = "Netscry.ini";
// The key of a kind; nullptr outside 1 to 5.
const char* SettingKey(int kind);

// Reads the five keys; a missing key or one that is no integer keeps its default (the boxes'
// form defaults, as NetscryOptions holds them); zero is false, any other integer true.
NetscryOptions ReadOptions(ProfileFile& file);

// Writes the one key of kind from options ("1" or "0"); any other kind writes nothing. The file is
// flushed afterwards, also when the write was refused, which then throws SettingsWriteError.
void WriteOption(ProfileFile& file, int kind, const NetscryOptions& options);

}  // namespace netscry
