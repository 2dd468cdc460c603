#include "mainwindow/settings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace netscry {
namespace {

TEST(ProfileTextToInt, TableOfTexts) {
  struct Case {
    const char* text;
    int expected;  // with default 77
  };
  const Case cases[] = {
      {"5", 5},
      {"0", 0},
      {"1", 1},
      {"-1", -1},
      {"+7", 7},
      {"007", 7},
      {"0x0", 0},
      {"0X1F", 31},
      {"0x1f", 31},
      {"0xFFFFFFFF", -1},          // 32 bits, taken as signed
      {"0x7FFFFFFF", 2147483647},
      {"0x100000000", 77},         // more than 32 bits
      {"0x", 77},                  // two characters: decimal, and not a number
      {"0X", 77},
      {"0xG", 77},
      {"0x-1", 77},
      {"x1", 77},
      {"yes", 77},
      {"", 77},
      {" 1", 77},                  // blanks arrive only when quoted in the file: no integer
      {"1 ", 77},
      {"-", 77},
      {"+", 77},
      {"1.0", 77},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"2147483648", 77},          // overflow
      {"-2147483649", 77},
      {"99999999999999999999999", 77},
      {"00000000000000000000001", 1},
  };
  for (const Case& c : cases) EXPECT_EQ(ProfileTextToInt(c.text, 77), c.expected) << '"' << c.text << '"';
}

class MemoryProfile : public ProfileFile {
 public:
  std::string path = "C:\\Apps\\Netscry.ini";
  std::map<std::pair<std::string, std::string>, std::string> values;
  std::vector<std::string> writes;  // "key=value" in order
  bool refuse = false;
  int flushes = 0;

  const std::string& Path() const override { return path; }
  std::string ReadString(const std::string& section, const std::string& key) override {
    auto it = values.find({section, key});
    return it == values.end() ? std::string() : it->second;
  }
  bool WriteString(const std::string& section, const std::string& key, const std::string& value) override {
    if (refuse) return false;
    values[{section, key}] = value;
    writes.push_back(key + "=" + value);
    return true;
  }
  void Flush() override { ++flushes; }
};

TEST(ReadOptions, MissingFileGivesTheBoxDefaults) {
  MemoryProfile f;
  EXPECT_EQ(ReadOptions(f), (NetscryOptions{true, false, true, false, true}));
}

TEST(ReadOptions, ValuesAndDefaultsPerKey) {
  MemoryProfile f;
  f.values[{"Set", "ShowLocal"}] = "0x0";   // false
  f.values[{"Set", "AutoRefresh"}] = "yes"; // no integer: default false
  f.values[{"Set", "AlwaysTop"}] = "";      // empty: default true
  f.values[{"Set", "ShowInfo"}] = "-3";     // non-zero: true
  f.values[{"Other", "ShowLocal"}] = "1";   // another section is not read
  EXPECT_EQ(ReadOptions(f), (NetscryOptions{false, false, true, true}));
  f.values[{"Set", "AutoRefresh"}] = "5";
  f.values[{"Set", "AlwaysTop"}] = "0";
  EXPECT_EQ(ReadOptions(f), (NetscryOptions{false, true, false, true}));
  EXPECT_TRUE(f.writes.empty());
}

// The IPv6 key reads like the others, with "shown" as its default: a file from before the key
// existed shows IPv6 rows.
TEST(ReadOptions, ShowIPv6ValuesAsForTheOtherKeys) {
  const struct {
    const char* value;  // nullptr: no key
    bool shown;
  } cases[] = {{nullptr, true}, {"", true},     {"1", true},   {"0", false},  {"0x0", false}, {"0X00", false},
               {"5", true},     {"-3", true},   {"yes", true}, {"no", true},  {"0x", true},   {"00", false}};
  for (const auto& c : cases) {
    MemoryProfile f;
    f.values[{"Set", "ShowLocal"}] = "0";
    if (c.value) f.values[{"Set", "ShowIPv6"}] = c.value;
    const NetscryOptions o = ReadOptions(f);
    EXPECT_EQ(o.ShowIPv6, c.shown) << (c.value ? c.value : "(no key)");
    EXPECT_FALSE(o.ShowLocal) << "the other keys read as before";
  }
  MemoryProfile other_section;
  other_section.values[{"Other", "ShowIPv6"}] = "0";
  EXPECT_TRUE(ReadOptions(other_section).ShowIPv6);
}

TEST(WriteOption, WritesOnlyTheKeyOfItsKindAndFlushes) {
  MemoryProfile f;
  const NetscryOptions o{false, true, false, true, false};
  WriteOption(f, kSetShowLocal, o);
  WriteOption(f, kSetAutoRefresh, o);
  WriteOption(f, kSetAlwaysTop, o);
  WriteOption(f, kSetShowInfo, o);
  WriteOption(f, kSetShowIPv6, o);
  WriteOption(f, 0, o);
  WriteOption(f, 6, o);
  EXPECT_EQ(f.writes,
            (std::vector<std::string>{"ShowLocal=0", "AutoRefresh=1", "AlwaysTop=0", "ShowInfo=1", "ShowIPv6=0"}));
  EXPECT_EQ(f.flushes, 7);
  // What was written reads back as the same options.
  EXPECT_EQ(ReadOptions(f), o);
}

TEST(WriteOption, RefusedWriteThrowsWithThePathAfterFlushing) {
  MemoryProfile f;
  f.refuse = true;
  try {
    WriteOption(f, kSetAlwaysTop, NetscryOptions{});
    FAIL() << "no error";
  } catch (const SettingsWriteError& e) {
    EXPECT_STREQ(e.what(), "Unable to write to C:\\Apps\\Netscry.ini");
  }
  EXPECT_EQ(f.flushes, 1);
  EXPECT_TRUE(f.values.empty());
}

}  // namespace
}  // namespace netscry
