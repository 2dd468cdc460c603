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
