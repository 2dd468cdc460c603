#include "snapshot/version_text.h"

#include <gtest/gtest.h>

namespace netscry {
namespace {

TEST(TranslationKey, LanguageThenCodePageInUpperCaseHex) {
  struct Case {
    std::vector<std::uint8_t> entry;
    std::optional<std::string> key;
  };
  const Case cases[] = {
      {{0x04, 0x08, 0xB0, 0x04}, "080404B0"},
      {{0x09, 0x04, 0xE4, 0x04}, "040904E4"},
      {{0x00, 0x00, 0x00, 0x00}, "00000000"},
      {{0x04, 0x08, 0xB0, 0x04, 0x09, 0x04, 0xE4, 0x04}, "080404B0"},  // only the first entry counts
      {{0x04, 0x08, 0xB0}, std::nullopt},                             // too short: a failed lookup
      {{}, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(TranslationKey(c.entry), c.key);
}

TEST(VersionValueText, StopsAtNulOrLength) {
  const char with_nul[] = "Acme\0junk";
  EXPECT_EQ(VersionValueText(with_nul, 10), "Acme");
  EXPECT_EQ(VersionValueText("Acme Corp", 4), "Acme");
  EXPECT_EQ(VersionValueText(nullptr, 5), "");
  EXPECT_EQ(VersionValueText("x", 0), "");
}

}  // namespace
}  // namespace netscry
