#include "base/ansi_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace netscry {
namespace {

const LeadBytes kSingleByte;  // code page 1252 and every other single-byte one

LeadBytes CodePage932() {
  static constexpr std::uint8_t kRanges[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0, 0, 0, 0, 0, 0, 0};
  return LeadBytes::FromRanges(kRanges);
}

TEST(LeadBytes, FromThePlatformsRanges) {
  const LeadBytes cp936 = LeadBytes::CodePage936();
  const LeadBytes cp932 = CodePage932();
  for (unsigned b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    EXPECT_EQ(cp936.IsLead(byte), b >= 0x81 && b <= 0xFE) << b;
    EXPECT_EQ(cp932.IsLead(byte), (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) << b;
    EXPECT_FALSE(kSingleByte.IsLead(byte)) << b;
  }
  // The table ends at a pair of zeros; ranges after it and a last unpaired byte count for nothing.
  static constexpr std::uint8_t kAfterEnd[] = {0xA1, 0xA1, 0, 0, 0xB0, 0xB0};
  static constexpr std::uint8_t kUnpaired[] = {0xA1, 0xA1, 0xB0};
  for (const LeadBytes& t : {LeadBytes::FromRanges(kAfterEnd), LeadBytes::FromRanges(kUnpaired)}) {
    EXPECT_TRUE(t.IsLead(0xA1));
    EXPECT_FALSE(t.IsLead(0xB0));
  }
  EXPECT_EQ(LeadBytes::FromRanges({}), kSingleByte);
}

TEST(AnsiCharStarts, StepsByTheCharactersOfTheCodePage) {
  struct Case {
    const char* name;
    std::string text;
    LeadBytes lead;
    std::vector<std::size_t> starts;
  };
  const Case cases[] = {
      // "网络" in code page 936 is C0 ED C2 E7: two characters there, four in 1252.
      {"936 Chinese", "\xC0\xED\xC2\xE7", LeadBytes::CodePage936(), {0, 2, 4}},
      {"1252 same bytes", "\xC0\xED\xC2\xE7", kSingleByte, {0, 1, 2, 3, 4}},
      // "é" (E9) in 1252 stands alone; in 936 it would swallow the backslash after it.
      {"1252 accent", "Caf\xE9\\x", kSingleByte, {0, 1, 2, 3, 4, 5, 6}},
      {"936 accent bytes", "Caf\xE9\\x", LeadBytes::CodePage936(), {0, 1, 2, 3, 5, 6}},
      // 932 has two lead ranges: A0 to DF are single-byte katakana.
      {"932", "\x82\xA0\xB1\xE0\x40", CodePage932(), {0, 2, 3, 5}},
      {"a lead byte at the end stands alone", "a\xC0", LeadBytes::CodePage936(), {0, 1, 2}},
      {"empty", "", LeadBytes::CodePage936(), {0}},
  };
  for (const Case& c : cases) EXPECT_EQ(AnsiCharStarts(c.text, c.lead), c.starts) << c.name;
}

TEST(AnsiCharStarts, TheNativeBuildWalksTheInterfacesCodePage) {
  EXPECT_EQ(SystemLeadBytes(), LeadBytes::CodePage936());
  EXPECT_EQ(AnsiCharStarts("\xC0\xED" "a"), (std::vector<std::size_t>{0, 2, 3}));
}

}  // namespace
}  // namespace netscry
