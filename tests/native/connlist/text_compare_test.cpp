#include "connlist/text_compare.h"

#include <gtest/gtest.h>

#include <string>

namespace netscry {
namespace {

TEST(CompareAnsiTextNoCase, ByteDifferenceAfterFoldingAsciiLetters) {
  const struct {
    std::string a, b;
    int expected;
  } cases[] = {
      {"", "", 0},
      {"explorer.exe", "EXPLORER.EXE", 0},
      {"svchost.exe", "svchost.exe", 0},
      {"abc", "abd", 'C' - 'D'},
      {"abd", "ABC", 'D' - 'C'},
      // A letter sorts as its capital, so it comes before the characters between Z and a.
      {"a", "_", 'A' - '_'},
      {"Z", "[", 'Z' - '['},
      {"z", "{", 'Z' - '{'},
      {"@", "`", '@' - '`'},
      // Numbers compare as text.
      {"1000", "139", '0' - '3'},
      {"443", "80", '4' - '8'},
      {"139", "80", '1' - '8'},
      // The end of a text is a 0 byte, compared with the other text's byte after folding.
      {"ab", "abc", 0 - 'C'},
      {"abc", "ab", 'C' - 0},
      {"", "a", 0 - 'A'},
      {"ab", std::string("ab\0", 3), 0},
      // Bytes above 127 are unsigned and never folded (0xE0 is not turned into 0xC0).
      {"\xE0", "\xC0", 0xE0 - 0xC0},
      {"\xB5", "a", 0xB5 - 'A'},
      {"\xBC\xE0\xCC\xFD", "\xD2\xD1\xBD\xA8\xC1\xA2", 0xBC - 0xD2},
      {"\xC9\xBE", "\xC9\xBE\xB3\xFD", 0 - 0xB3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CompareAnsiTextNoCase(c.a, c.b), c.expected) << '"' << c.a << "\" vs \"" << c.b << '"';
  }
}

}  // namespace
}  // namespace netscry
