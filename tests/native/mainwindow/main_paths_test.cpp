#include "mainwindow/main_paths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace netscry {
namespace {

TEST(DirectoryOf, KeepsTheTrailingSeparator) {
  struct Case {
    std::string path, dir;
  };
  const Case cases[] = {
      {"C:\\Program Files\\Netscry\\Netscry.exe", "C:\\Program Files\\Netscry\\"},
      {"Z:\\tmp\\a.exe", "Z:\\tmp\\"},
      {"C:Netscry.exe", "C:"},
      {"Netscry.exe", ""},
      {"", ""},
      {"\\\\server\\share\\x.exe", "\\\\server\\share\\"},
      // "表" is B1 ED and "\x95\x5C" is one character whose trail byte is the backslash's.
      {"C:\\\xB1\xED\\\x95\x5C.exe", "C:\\\xB1\xED\\"},
      {"C:\\dir\\", "C:\\dir\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(DirectoryOf(c.path), c.dir) << c.path;
}

TEST(DirectoryOf, WalksTheCharactersOfTheSystemCodePage) {
  struct Case {
    const char* name;
    std::string path;
    LeadBytes lead;
    std::string dir;
  };
  const LeadBytes cp936 = LeadBytes::CodePage936(), cp1252;
  const Case cases[] = {
      // "Café" in code page 1252: E9 is a letter of its own, the backslash after it a separator.
      {"1252 accented folder", "C:\\Caf\xE9\\Netscry.exe", cp1252, "C:\\Caf\xE9\\"},
      {"1252 plain", "C:\\Tools\\Netscry.exe", cp1252, "C:\\Tools\\"},
      // The same bytes in 936: E9 5C is one character, so the folder ends earlier.
      {"936 same bytes", "C:\\Caf\xE9\\Netscry.exe", cp936, "C:\\"},
      {"936 Chinese folder", "C:\\\xB1\xED\\\x95\x5C.exe", cp936, "C:\\\xB1\xED\\"},
      // In 1252 the byte 5C after 95 is a backslash.
      {"1252 same bytes", "C:\\\xB1\xED\\\x95\x5C.exe", cp1252, "C:\\\xB1\xED\\\x95\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(DirectoryOf(c.path, c.lead), c.dir) << c.name;
}

TEST(SystemDirText, UpToTheFirstNulAsciiLettersUpperCased) {
  const char a[] = "C:\\windows\\system32\0junk";
  EXPECT_EQ(SystemDirText(std::span<const char>(a, sizeof(a))), "C:\\WINDOWS\\SYSTEM32");
  // A buffer without NUL is taken whole; an empty one gives nothing.
  const std::vector<char> full(256, 'a');
  EXPECT_EQ(SystemDirText(full), std::string(256, 'A'));
  EXPECT_EQ(SystemDirText(std::span<const char>()), "");
}

}  // namespace
}  // namespace netscry
