#include <gtest/gtest.h>

#include <string>

#include "controls/hot_button/hot_url_label.h"

namespace netscry {
namespace {

TEST(FileExtensionOf, WalksTheCharactersOfTheCodePage) {
  struct Case {
    const char* name;
    std::string path;
    LeadBytes lead;
    std::string want;
  };
  const LeadBytes cp936 = LeadBytes::CodePage936(), cp1252;
  const Case cases[] = {
      // In 1252 "é" (E9) is one letter and the backslash after it a separator.
      {"1252 folder with a dot", "C:\\x.d\xE9\\help", cp1252, ""},
      {"1252 accented name", "C:\\Caf\xE9\\r\xE9sum\xE9.htm", cp1252, ".htm"},
      // The same bytes in 936: E9 5C is one character, so no separator follows the dot.
      {"936 same bytes", "C:\\x.d\xE9\\help", cp936, ".d\xE9\\help"},
      {"936 Chinese name", "C:\\\xB0\xEF\xD6\xFA.chm", cp936, ".chm"},
  };
  for (const Case& c : cases) EXPECT_EQ(FileExtensionOf(c.path, c.lead), c.want) << c.name;
}

}  // namespace
}  // namespace netscry
