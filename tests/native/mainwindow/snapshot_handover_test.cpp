#include "mainwindow/snapshot_handover.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace netscry {
namespace {

File_Rec Entry(const std::string& port, const FieldText& path, const std::string& desc, bool ipv6 = false) {
  File_Rec r;
  r.IPv6 = ipv6;
  r.State = 5;
  r.LocalIP = "10.0.0.1";
  r.LocalPort = port;
  r.ProcessID = "100";
  r.ProcessName = "a_rather_long_image_name.exe";  // long: on the heap
  r.FilePath = path;                                // shared with the caller's text
  r.FileDesc = desc;
  r.Mark = "ok";
  return r;
}

TEST(UnsharedCopy, SameTextsNoBlockSharedWithTheOriginalSharingKeptWithinTheCopy) {
  const FieldText path("C:\\Program Files\\Some Vendor\\tool.exe");
  const std::string long_desc(200, 'd');
  struct Case {
    const char* what;
    FileRecArray recs;
  };
  const Case cases[] = {
      {"empty", {}},
      {"one entry", {Entry("1000", path, "short")}},
      {"entries of one process", {Entry("1000", path, long_desc), Entry("1001", path, long_desc)}},
      {"copies of one entry", {Entry("1000", path, long_desc), Entry("1000", path, long_desc)}},
      {"empty and long texts mixed", {Entry("1000", FieldText(), ""), Entry("1", path, std::string(16, 'x'))}},
      {"an IPv6 entry beside an IPv4 one", {Entry("1000", path, "short"), Entry("1000", path, "short", true)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FileRecArray recs = c.recs;
    if (recs.size() == 2) recs[1].FileDesc = recs[0].FileDesc;  // one block, as a snapshot shares it
    const FileRecArray copy = UnsharedCopy(recs);
    ASSERT_EQ(copy, recs);
    for (std::size_t i = 0; i < copy.size(); ++i) {
      for (auto field : kFileRecTexts) {
        for (const File_Rec& original : recs) {
          for (auto other : kFileRecTexts) {
            EXPECT_FALSE((copy[i].*field).SharesBlockWith(original.*other)) << "entry " << i;
          }
        }
        EXPECT_FALSE((copy[i].*field).SharesBlockWith(path)) << "entry " << i;
        // Texts that shared a block share one in the copy too.
        for (std::size_t j = 0; j < copy.size(); ++j) {
          for (auto other : kFileRecTexts) {
            EXPECT_EQ((copy[i].*field).SharesBlockWith(copy[j].*other), (recs[i].*field).SharesBlockWith(recs[j].*other))
                << i << " " << j;
          }
        }
      }
    }
  }
}

TEST(UnsharedCopy, TheCopyOutlivesTheOriginal) {
  FileRecArray copy;
  {
    const FieldText path("C:\\Program Files\\Some Vendor\\tool.exe");
    copy = UnsharedCopy({Entry("1000", path, std::string(40, 'q'))});
  }
  ASSERT_EQ(copy.size(), 1u);
  EXPECT_EQ(copy[0].FilePath, "C:\\Program Files\\Some Vendor\\tool.exe");
  EXPECT_EQ(copy[0].FileDesc, std::string(40, 'q'));
}

}  // namespace
}  // namespace netscry
