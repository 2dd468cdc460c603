// The lead-byte tables come from the platform's code page information.
#include "base/ansi_text_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace netscry {
namespace {

TEST(LeadBytesOfCodePage, AsThePlatformKnowsThem) {
  EXPECT_EQ(LeadBytesOfCodePage(936), LeadBytes::CodePage936());
  EXPECT_EQ(LeadBytesOfCodePage(1252), LeadBytes());
  const LeadBytes cp932 = LeadBytesOfCodePage(932);
  for (unsigned b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    EXPECT_EQ(cp932.IsLead(byte), IsDBCSLeadByteEx(932, BYTE(b)) != FALSE) << b;
    // The system's table is the one of the code page the platform walks ANSI text with.
    EXPECT_EQ(SystemLeadBytes().IsLead(byte), IsDBCSLeadByte(BYTE(b)) != FALSE) << b;
  }
  EXPECT_TRUE(cp932.IsLead(0x81));
  EXPECT_FALSE(cp932.IsLead(0xA0));
}

TEST(LeadBytesOfCodePage, CharactersOfEitherCodePage) {
  // "é\\" in 1252 is two characters; the same bytes in 936 are one.
  EXPECT_EQ(AnsiCharStarts("\xE9\\a", LeadBytesOfCodePage(1252)), (std::vector<std::size_t>{0, 1, 2, 3}));
  EXPECT_EQ(AnsiCharStarts("\xE9\\a", LeadBytesOfCodePage(936)), (std::vector<std::size_t>{0, 2, 3}));
}

}  // namespace
}  // namespace netscry
