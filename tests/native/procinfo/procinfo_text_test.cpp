// What the details dialog shows of a row, and the process ID its end-process button reads back.
#include "procinfo/procinfo_text.h"

#include <gtest/gtest.h>

#include <vector>


namespace netscry {
namespace {

TMyRec Row(const char* name, const char* pid, const char* path, const char* desc, const char* company) {
  TMyRec r;
  r.Protocol = "TCP";
  r.ProcessName = name;
  r.ProcessID = pid;
  r.FilePath = path;
  r.FileDesc = desc;
  r.Company = company;
  return r;
}

TEST(ProcInfoCaptions, FieldsWithTheirTrailingBlanks) {
  const ProcInfoCaptions full = ProcInfoCaptionsOf(Row("a.exe", "1234", "C:\\a\\a.exe", "工具", "公司"));
  EXPECT_EQ(full, (ProcInfoCaptions{"a.exe", "工具  ", "PID:1234", "公司 ", "C:\\a\\a.exe"}));

  // Empty description and company keep their blanks; the PID has no blank after the colon.
  const ProcInfoCaptions empty = ProcInfoCaptionsOf(Row("b.exe", "8", "C:\\b.exe", "", ""));
  EXPECT_EQ(empty.exe_des, "  ");
  EXPECT_EQ(empty.comp, " ");
  EXPECT_EQ(empty.pid, "PID:8");
}

TEST(ProcessIDText, DecimalDigitsWithinThirtyTwoBits) {
  struct Case {
    const char* text;
    std::optional<std::uint32_t> id;
  };
  const Case cases[] = {
      {"0", 0u},
      {"1234", 1234u},
      {"0042", 42u},
      {"4294967295", 4294967295u},
      {"4294967296", std::nullopt},
      {"99999999999999999999999", std::nullopt},
      {"", std::nullopt},
      {" 12", std::nullopt},
      {"12 ", std::nullopt},
      {"-1", std::nullopt},
      {"+1", std::nullopt},
      {"12a", std::nullopt},
      {"0x10", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseProcessID(c.text), c.id) << '"' << c.text << '"';
}

TEST(ProcessIDText, PidCaptionIsReadFromItsFifthCharacter) {
  EXPECT_EQ(ProcessIDOfPidCaption("PID:1234"), 1234u);
  EXPECT_EQ(ProcessIDOfPidCaption("PID:"), std::nullopt);
  EXPECT_EQ(ProcessIDOfPidCaption("PID"), std::nullopt);
  EXPECT_EQ(ProcessIDOfPidCaption(""), std::nullopt);
  EXPECT_EQ(ProcessIDOfPidCaption("PID: 7"), std::nullopt);
  // Only the position counts, not what the first four characters are.
  EXPECT_EQ(ProcessIDOfPidCaption("XYZ:77"), 77u);
}

}  // namespace
}  // namespace netscry
