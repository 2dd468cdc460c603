#include "connlist/columns.h"

#include <gtest/gtest.h>

namespace netscry {
namespace {

TMyRec TcpRow() {
  return {"TCP", "已建立", "127.0.0.1", "5000", "10.0.0.1", "80", "1234", "app.exe", "C:\\app.exe",
          "应用程序", "Acme", "add"};
}

TEST(CellText, EachColumnShowsItsField) {
  const TMyRec rec = TcpRow();
  const std::string expected[kConnColumnCount] = {"1234", "app.exe", "未启用", "TCP", "127.0.0.1", "5000",
                                                  "10.0.0.1", "80", "已建立", "", "C:\\app.exe", "应用程序",
                                                  "Acme", "add"};
  for (int col = 0; col < kConnColumnCount; ++col) EXPECT_EQ(CellText(&rec, col, "未启用"), expected[col]) << col;
}

TEST(CellText, OutOfRangeColumnsAndMissingRecordGiveEmptyText) {
  const TMyRec rec = TcpRow();
  for (int col : {-1, 14, 1000}) EXPECT_EQ(CellText(&rec, col, "未启用"), "") << col;
  for (int col : {0, 2, 13}) EXPECT_EQ(CellText(nullptr, col, "未启用"), "") << col;
}

TEST(CellText, UdpRowHasEmptyRemoteAndState) {
  const TMyRec udp{"UDP", "", "0.0.0.0", "53", "", "", "8", "dns.exe", "", "", "", ""};
  for (int col : {kColRemoteIP, kColRemotePort, kColState}) EXPECT_EQ(CellText(&udp, col, "x"), "") << col;
}

TEST(ConnColumnTable, SortFieldsAndPictures) {
  const TMyRec rec = TcpRow();
  // Columns that sort by nothing: process ID, security, manage, remark.
  for (int col : {0, 2, 9, 13}) EXPECT_EQ(ConnColumn(col)->sort_by, nullptr) << col;
  EXPECT_EQ(rec.*(ConnColumn(kColProcess)->sort_by), "app.exe");
  EXPECT_EQ(rec.*(ConnColumn(kColState)->sort_by), "已建立");
  EXPECT_EQ(rec.*(ConnColumn(kColCompany)->sort_by), "Acme");
  for (int col = 0; col < kConnColumnCount; ++col) {
    EXPECT_EQ(ConnColumn(col)->picture == ColumnPicture::kFileIcon, col == kColProcess) << col;
    EXPECT_EQ(ConnColumn(col)->picture == ColumnPicture::kManageGlyph, col == kColManage) << col;
  }
  EXPECT_EQ(ConnColumn(-1), nullptr);
  EXPECT_EQ(ConnColumn(14), nullptr);
}

// The header is made from each column's options plus coVisible where the column starts shown;
// nothing else adds or removes an option at start.
TEST(ConnColumnTable, StartOptionsLeaveVisibilityToTheVisibleFlag) {
  const TColumnOption always[] = {coAllowClick, coEnabled, coResizable, coShowDropMark, coAllowFocus};
  const TColumnOption never[] = {coVisible,     coAutoSpring,  coFixed,
                                 coSmartResize, coDisableAnimatedResize, coWrapCaption, coUseCaptionAlignment};
  for (const ConnColumnInfo& c : kConnColumns) {
    for (TColumnOption o : always) EXPECT_TRUE(c.options.Has(o)) << c.caption << " lacks option " << int(o);
    for (TColumnOption o : never) EXPECT_FALSE(c.options.Has(o)) << c.caption << " has option " << int(o);
  }
}

// The file details option assigns whole option sets to its columns: switched off right after
// start, a column must look as it did (it only loses coParentBidiMode, which shows nothing), and
// switched on, it must differ from that only by being shown.
TEST(ConnColumnTable, FileDetailColumnsStartAsTheOptionLeavesThemWhenOff) {
  int detail_columns = 0;
  for (const ConnColumnInfo& c : kConnColumns) {
    if (!c.file_detail) continue;
    ++detail_columns;
    EXPECT_FALSE(c.visible) << c.caption << ": the option is off at start";
    EXPECT_EQ(c.options.Without(coParentBidiMode).Value(), kDetailsHiddenOptions.Value()) << c.caption;
    EXPECT_EQ(c.options.With(coVisible).Without(coParentBidiMode).Value(), kDetailsShownOptions.Value()) << c.caption;
  }
  EXPECT_GT(detail_columns, 0);
}

TEST(CellImageIndex, OnlyColumnOneAsksForTheFileIconEvenWithEmptyPath) {
  TMyRec rec = TcpRow();
  rec.FilePath.clear();
  std::vector<std::string> asked;
  auto lookup = [&](std::string_view path) {
    asked.emplace_back(path);
    return 7;
  };
  for (int col = -1; col <= 14; ++col) {
    int index = -1;
    CellImageIndex(&rec, col, lookup, index);
    EXPECT_EQ(index, col == kColProcess ? 7 : -1) << col;
  }
  EXPECT_EQ(asked, std::vector<std::string>{""});
  int untouched = 3;
  CellImageIndex(nullptr, kColProcess, lookup, untouched);
  EXPECT_EQ(untouched, 3);
}

TEST(ReleaseRowStrings, HandsBackEveryBuffer) {
  const FieldText long_text(std::string(200, 'x'));  // beyond any in-place text
  TMyRec rec{long_text, long_text, long_text, long_text, long_text, long_text,
             long_text, long_text, long_text, long_text, long_text, long_text};
  ReleaseRowStrings(rec);
  for (const FieldText* s : {&rec.Protocol, &rec.StateText, &rec.LocalIP, &rec.LocalPort, &rec.RemoteIP,
                             &rec.RemotePort, &rec.ProcessID, &rec.ProcessName, &rec.FilePath, &rec.FileDesc,
                             &rec.Company, &rec.Remark}) {
    EXPECT_TRUE(s->empty());
    EXPECT_FALSE(s->SharesBlockWith(long_text));
  }
}

}  // namespace
}  // namespace netscry
