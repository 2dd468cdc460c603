// The row commands without a platform: the clipboard block's bytes, the system-directory test,
// the row menu's rules and each command's flow against a host that records what it is asked.
#include "mainwindow/row_commands.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "procinfo/procinfo_text.h"

namespace netscry {
namespace {

// UTF-8 text in code page 936, converted by the C library: an oracle independent of the
// compiler's execution character set.
std::string Cp936(std::u8string_view utf8) {
  iconv_t cd = iconv_open("CP936", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP936 converter");
  std::string in(reinterpret_cast<const char*>(utf8.data()), utf8.size());
  std::string out(in.size() * 2 + 4, '\0');
  char* src = in.data();
  char* dst = out.data();
  std::size_t src_left = in.size(), dst_left = out.size();
  const std::size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
  iconv_close(cd);
  if (r == static_cast<std::size_t>(-1) || src_left != 0) throw std::runtime_error("not convertible");
  out.resize(out.size() - dst_left);
  return out;
}

std::vector<std::string> SplitCrLf(const std::string& block) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = block.find("\r\n", start)) != std::string::npos; start = at + 2)
    lines.push_back(block.substr(start, at - start));
  lines.push_back(block.substr(start));  // after the last CR LF: empty for a well-ended block
  return lines;
}

TMyRec TcpRow() {
  TMyRec r;
  r.Protocol = "TCP";
  r.StateText = Cp936(u8"已建立");
  r.LocalIP = "192.168.1.5";
  r.LocalPort = "49731";
  r.RemoteIP = "93.184.216.34";
  r.RemotePort = "443";
  r.ProcessID = "2468";
  r.ProcessName = "browser.exe";
  r.FilePath = Cp936(u8"C:\\Program Files\\浏览器\\browser.exe");
  r.FileDesc = Cp936(u8"网页浏览器");
  r.Company = Cp936(u8"某公司");
  r.Remark = "add";
  return r;
}

TMyRec UdpRow() {
  TMyRec r;
  r.Protocol = "UDP";
  r.LocalIP = "0.0.0.0";
  r.LocalPort = "53";
  r.ProcessID = "812";
  r.ProcessName = "dns.exe";
  return r;  // no path, description, remote end or state
}

TEST(ClipboardBlock, TcpRowAsBytes) {
  const std::string block = ClipboardBlock(TcpRow());
  const std::string expected = Cp936(
      u8"―――――――――――――――――――――――\r\n"
      u8"程序名称:browser.exe\r\n"
      u8"程序说明:网页浏览器\r\n"
      u8"路径:C:\\Program Files\\浏览器\\browser.exe\r\n"
      u8"PID:2468\r\n"
      u8"网络协议:TCP\r\n"
      u8"本机地址:192.168.1.5\r\n"
      u8"本地端口:49731\r\n"
      u8"目标地址:93.184.216.34\r\n"
      u8"目标端口:443\r\n"
      u8"状态:已建立\r\n"
      u8"生成:Netscry\r\n"
      u8"主页:https://netscry.org\r\n"
      u8"―――――――――――――――――――――――\r\n");
  EXPECT_EQ(block, expected);

  // The separator: 23 times A8 44, 46 bytes, on the first and the last line.
  std::string separator;
  for (int i = 0; i < 23; ++i) separator += "\xA8\x44";
  const std::vector<std::string> lines = SplitCrLf(block);
  ASSERT_EQ(lines.size(), 15u);  // fourteen lines and nothing after the last CR LF
  EXPECT_EQ(lines.front(), separator);
  EXPECT_EQ(lines[13], separator);
  EXPECT_EQ(lines.back(), "");
  EXPECT_EQ(lines[1].substr(0, 9), "\xB3\xCC\xD0\xF2\xC3\xFB\xB3\xC6:");  // 程序名称: in code page 936
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find('\r'), std::string::npos);
    EXPECT_EQ(line.find('\n'), std::string::npos);
  }
}

TEST(ClipboardBlock, UdpRowLeavesEmptyFieldsWithTheirLabels) {
  const std::vector<std::string> lines = SplitCrLf(ClipboardBlock(UdpRow()));
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[1], "\xB3\xCC\xD0\xF2\xC3\xFB\xB3\xC6:dns.exe");
  EXPECT_EQ(lines[2], Cp936(u8"程序说明:"));
  EXPECT_EQ(lines[3], Cp936(u8"路径:"));
  EXPECT_EQ(lines[4], "PID:812");
  EXPECT_EQ(lines[5], Cp936(u8"网络协议:UDP"));
  EXPECT_EQ(lines[7], Cp936(u8"本地端口:53"));
  EXPECT_EQ(lines[8], Cp936(u8"目标地址:"));
  EXPECT_EQ(lines[9], Cp936(u8"目标端口:"));
  EXPECT_EQ(lines[10], Cp936(u8"状态:"));
  EXPECT_EQ(lines[11], Cp936(u8"生成:Netscry"));
  EXPECT_EQ(lines[14], "");
}

TEST(SystemDirTest, SubstringOfTheUpperCasedPath) {
  const SystemDirs both{"C:\\WINDOWS\\SYSTEM32", "C:\\WINDOWS\\SYSWOW64"};
  const SystemDirs no_wow64{"C:\\WINDOWS\\SYSTEM32", ""};
  const SystemDirs none{"", ""};
  struct Case {
    const char* path;
    const SystemDirs* dirs;
    bool asks;
  };
  const Case cases[] = {
      {"C:\\Windows\\System32\\svchost.exe", &both, true},
      {"c:\\windows\\system32\\drivers\\etc\\x.exe", &both, true},
      {"C:\\WINDOWS\\SYSTEM32\\SERVICES.EXE", &both, true},
      // The 32-bit system directory of 64-bit Windows.
      {"C:\\Windows\\SysWOW64\\cmd.exe", &both, true},
      {"c:\\windows\\syswow64\\rundll32.exe", &both, true},
      // A sibling folder whose name begins with the system folder's name.
      {"C:\\Windows\\System32x\\tool.exe", &both, true},
      {"c:\\windows\\system32_old\\tool.exe", &both, true},
      {"C:\\Windows\\System3\\tool.exe", &both, false},
      {"C:\\Windows\\explorer.exe", &both, false},
      {"C:\\Program Files\\app\\app.exe", &both, false},
      {"", &both, false},
      // Where the system has no 32-bit system directory, only the system directory counts.
      {"C:\\Windows\\SysWOW64\\cmd.exe", &no_wow64, false},
      {"C:\\Windows\\System32\\cmd.exe", &no_wow64, true},
      // No directory known: nothing asks (an empty name is not found in every path).
      {"C:\\Windows\\System32\\cmd.exe", &none, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsInSystemDir(c.path, *c.dirs), c.asks) << c.path;
}

TEST(SystemDirTest, OnlyAsciiLettersAreUpperCased) {
  EXPECT_EQ(UpperAscii("c:\\abc-xyz_09"), "C:\\ABC-XYZ_09");
  EXPECT_EQ(UpperAscii("\xE9t\xE9"), "\xE9T\xE9");
  const std::string chinese = Cp936(u8"c:\\系统\\a.exe");
  EXPECT_EQ(UpperAscii(chinese), Cp936(u8"C:\\系统\\A.EXE"));
}

TMyRec WithPath(const char* path) {
  TMyRec r = UdpRow();
  r.FilePath = path;
  return r;
}

TEST(RowMenuRules, PopupRequestAndColumnClick) {
  const TMyRec with_path = WithPath("C:\\a.exe");
  const TMyRec without_path = WithPath("");
  const RowMenuStep none{};
  const RowMenuStep enabled{true, true, true};
  const RowMenuStep disabled{true, false, true};

  // The list's request for a menu at a position.
  EXPECT_EQ(PopupRequestStep(nullptr), none);  // below the last row: no menu, states untouched
  EXPECT_EQ(PopupRequestStep(&with_path), enabled);
  EXPECT_EQ(PopupRequestStep(&without_path), disabled);

  // A click in a column of the rows.
  struct Case {
    int column;
    TMouseButton button;
    const TMyRec* focused;
    RowMenuStep step;
  };
  const Case cases[] = {
      {9, TMouseButton::mbLeft, &with_path, enabled},
      {9, TMouseButton::mbLeft, &without_path, disabled},
      {9, TMouseButton::mbMiddle, &with_path, enabled},
      {9, TMouseButton::mbLeft, nullptr, none},
      {8, TMouseButton::mbLeft, &with_path, none},
      {10, TMouseButton::mbLeft, &without_path, none},
      {-1, TMouseButton::mbLeft, &with_path, none},
      // The popup request that follows a right click opens the menu.
      {9, TMouseButton::mbRight, &with_path, none},
      {9, TMouseButton::mbRight, &without_path, none},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ColumnClickStep(c.column, c.button, c.focused), c.step)
        << "column " << c.column << " button " << int(c.button) << " focused " << (c.focused != nullptr);
  }
}

// The four row items' state as the menu items hold it, driven by the steps.
struct MenuModel {
  bool row_items_enabled = true;  // all enabled at creation
  int shown = 0;
  void Apply(const RowMenuStep& s) {
    if (s.prepare) row_items_enabled = s.row_items_enabled;
    if (s.show) ++shown;
  }
};

TEST(RowMenuRules, RightClickInTheManageColumnOpensTheMenuOnce) {
  const TMyRec row = WithPath("C:\\a.exe");
  MenuModel menu;
  // A right click: the column click of the release, then the list's popup request.
  menu.Apply(ColumnClickStep(9, TMouseButton::mbRight, &row));
  menu.Apply(PopupRequestStep(&row));
  EXPECT_EQ(menu.shown, 1);
  // A left click: the column click alone.
  menu.Apply(ColumnClickStep(9, TMouseButton::mbLeft, &row));
  EXPECT_EQ(menu.shown, 2);
}

TEST(RowMenuRules, StatesChangeOnlyWhenPreparedForARow) {
  const TMyRec with_path = WithPath("C:\\a.exe");
  const TMyRec without_path = WithPath("");
  MenuModel menu;
  EXPECT_TRUE(menu.row_items_enabled);
  menu.Apply(PopupRequestStep(&without_path));
  EXPECT_FALSE(menu.row_items_enabled);
  menu.Apply(PopupRequestStep(nullptr));  // empty space below the rows
  EXPECT_FALSE(menu.row_items_enabled);
  menu.Apply(ColumnClickStep(3, TMouseButton::mbLeft, &with_path));
  EXPECT_FALSE(menu.row_items_enabled);
  menu.Apply(ColumnClickStep(9, TMouseButton::mbLeft, &with_path));
  EXPECT_TRUE(menu.row_items_enabled);
}

// A process of the fake platform: its executable, when it started, whether it will end.
struct FakeProcessState {
  std::string image;
  std::optional<std::uint64_t> created;
  bool terminate_fails = false;
};

// Records every request as one line of text and answers as told.
class RecordingHost : public RowCommandHost {
 public:
  std::vector<std::string> log;
  bool answer_yes = true;
  bool refuse_open = false;
  // The processes the platform has; a process ID not here names no process.
  std::map<std::uint32_t, FakeProcessState> processes;
  std::vector<std::string> existing_files;
  std::function<void()> during_question;
  std::string clipboard;

  void ShowMessage(const std::string& text) override { log.push_back("message " + text); }
  bool ConfirmEndSystemProcess(const std::string& text) override {
    log.push_back("question " + text);
    if (during_question) during_question();
    return answer_yes;
  }
  class Process : public ProcessToEnd {
   public:
    Process(RecordingHost& host, std::uint32_t pid) : host_(host), pid_(pid) {}
    std::string ImagePath() override { return host_.processes.at(pid_).image; }
    std::optional<std::uint64_t> CreationTime() override { return host_.processes.at(pid_).created; }
    bool HasExited() override { return false; }
    bool Terminate() override {
      if (host_.processes.at(pid_).terminate_fails) return false;
      host_.log.push_back("end " + std::to_string(pid_));
      return true;
    }

   private:
    RecordingHost& host_;
    std::uint32_t pid_;
  };
  OpenedProcess OpenProcessToEnd(std::uint32_t pid) override {
    if (refuse_open) return {OpenToEndResult::kRefused, nullptr};
    if (!processes.count(pid)) return {OpenToEndResult::kGone, nullptr};
    return {OpenToEndResult::kOpened, std::make_unique<Process>(*this, pid)};
  }
  bool SamePath(const std::string& a, const std::string& b) override { return UpperAscii(a) == UpperAscii(b); }
  void Refresh() override { log.push_back("refresh"); }
  void SetClipboardText(const std::string& text) override {
    log.push_back("clipboard");
    clipboard = text;
  }
  bool FileExists(const std::string& path) override {
    for (const std::string& f : existing_files) {
      if (f == path) return true;
    }
    return false;
  }
  void RevealFile(const std::string& path) override { log.push_back("reveal " + path); }
  void ShowFileProperties(const std::string& path) override { log.push_back("properties " + path); }
  void ShowProcessDetails(const TMyRec& row) override { log.push_back("details " + row.ProcessID.str()); }
};

const RowCommandTexts kTexts{"SYS", "FAILED", "SURE?"};
const SystemDirs kDirs{"C:\\WINDOWS\\SYSTEM32", "C:\\WINDOWS\\SYSWOW64"};

TMyRec Process(const char* pid, const char* path) {
  TMyRec r = UdpRow();
  r.ProcessID = pid;
  r.FilePath = path;
  return r;
}

TEST(EndProcCommand, Flows) {
  using Log = std::vector<std::string>;
  struct Case {
    const char* name;
    std::optional<TMyRec> row;
    bool answer_yes;
    bool refuse_open;
    Log expected;
  };
  const Case cases[] = {
      {"no focused row", std::nullopt, true, false, {}},
      {"system process without a path", Process("4", ""), true, false, {"message SYS"}},
      {"ordinary file", Process("1234", "C:\\Tools\\x.exe"), true, false, {"end 1234", "refresh"}},
      {"system directory, No", Process("900", "C:\\Windows\\System32\\svc.exe"), false, false, {"question SURE?"}},
      {"system directory, Yes", Process("900", "c:\\windows\\system32\\svc.exe"), true, false,
       {"question SURE?", "end 900", "refresh"}},
      {"32-bit system directory, No", Process("901", "C:\\Windows\\SysWOW64\\svc.exe"), false, false,
       {"question SURE?"}},
      {"sibling of the system folder, Yes", Process("902", "C:\\Windows\\System32x\\a.exe"), true, false,
       {"question SURE?", "end 902", "refresh"}},
      // No right to open it: said so, and the row is not out of date, so no refresh.
      {"cannot be opened", Process("1234", "C:\\Tools\\x.exe"), true, true, {"message FAILED"}},
      {"process ID that is no number", Process("12x", "C:\\Tools\\x.exe"), true, false, {"message FAILED"}},
  };
  for (const Case& c : cases) {
    RecordingHost host;
    host.answer_yes = c.answer_yes;
    host.refuse_open = c.refuse_open;
    // Each process runs from the file its row shows.
    if (c.row && !c.row->FilePath.empty()) {
      if (auto pid = ParseProcessID(c.row->ProcessID.str())) host.processes[*pid] = {c.row->FilePath.str(), 10};
    }
    RowCommands(host, kTexts, kDirs).EndProc(c.row, 100);
    EXPECT_EQ(host.log, c.expected) << c.name;
  }
}

TEST(EndProcCommand, EndsOnlyTheProcessTheRowShows) {
  constexpr std::uint64_t kSnapshot = 5000;
  using Log = std::vector<std::string>;
  struct Case {
    const char* name;
    std::optional<FakeProcessState> now;  // what process ID 100 names when the command runs
    Log expected;
  };
  const Case cases[] = {
      {"the row's own process", FakeProcessState{"C:\\a.exe", 4000}, {"end 100", "refresh"}},
      {"the row's path in other letters' case", FakeProcessState{"c:\\A.EXE", 4000}, {"end 100", "refresh"}},
      // The row's process ended and its ID went to a system program: no question about it, and
      // nothing ended.
      {"ID given to a system program", FakeProcessState{"C:\\Windows\\System32\\x.exe", 4000},
       {"message FAILED", "refresh"}},
      {"the same program started again after the snapshot", FakeProcessState{"C:\\a.exe", 5001},
       {"message FAILED", "refresh"}},
      {"the platform gives no creation time", FakeProcessState{"C:\\a.exe", std::nullopt}, {"end 100", "refresh"}},
      {"the process has gone", std::nullopt, {"message FAILED", "refresh"}},
      // Told to end and refusing is no success.
      {"ending it fails", FakeProcessState{"C:\\a.exe", 4000, true}, {"message FAILED", "refresh"}},
  };
  for (const Case& c : cases) {
    RecordingHost host;
    if (c.now) host.processes[100] = *c.now;
    RowCommands(host, kTexts, kDirs).EndProc(Process("100", "C:\\a.exe"), kSnapshot);
    EXPECT_EQ(host.log, c.expected) << c.name;
  }
}

TEST(EndProcCommand, TheQuestionIsAskedOfTheVerifiedProcessAndItStaysHeld) {
  // The row shows a system file in lower case; the platform gives the file's own spelling.
  RecordingHost host;
  host.processes[900] = {"C:\\Windows\\System32\\svc.exe", 10};
  // A refresh inside the question deletes the row and puts another in its place; the ID stays
  // held, so the process ended is the one checked.
  std::optional<TMyRec> focused = Process("900", "c:\\windows\\system32\\svc.exe");
  host.during_question = [&] { focused = Process("77", "C:\\Other\\o.exe"); };
  RowCommands(host, kTexts, kDirs).EndProc(focused, 100);
  EXPECT_EQ(host.log, (std::vector<std::string>{"question SURE?", "end 900", "refresh"}));
}

TEST(RowCommandsFlow, DetailsCopyLocateAndProperties) {
  RecordingHost host;
  host.existing_files = {"C:\\Tools\\x.exe"};
  RowCommands commands(host, kTexts, kDirs);
  const TMyRec present = Process("10", "C:\\Tools\\x.exe");
  const TMyRec missing = Process("11", "C:\\Gone\\y.exe");
  const TMyRec no_path = Process("4", "");

  // Details only for a row with a path.
  commands.ProcInfo(present);
  commands.ProcInfo(no_path);
  commands.ProcInfo(std::nullopt);
  // Locate only a file that exists.
  commands.Locate(present);
  commands.Locate(missing);
  commands.Locate(no_path);
  commands.Locate(std::nullopt);
  // Properties whether or not the file exists.
  commands.Property(missing);
  commands.Property(std::nullopt);
  EXPECT_EQ(host.log, (std::vector<std::string>{"details 10", "reveal C:\\Tools\\x.exe", "properties C:\\Gone\\y.exe"}));

  host.log.clear();
  commands.Copy(std::nullopt);
  EXPECT_TRUE(host.log.empty());
  commands.Copy(TcpRow());
  EXPECT_EQ(host.log, std::vector<std::string>{"clipboard"});
  EXPECT_EQ(host.clipboard, ClipboardBlock(TcpRow()));
}

}  // namespace
}  // namespace netscry
