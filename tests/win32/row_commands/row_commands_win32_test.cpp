// The row commands on the real main window under the platform: ending a helper process from its
// row, a process that has already exited, the question for files in the system directories and
// a refresh inside it, the clipboard as both text formats, the row menu opened by real mouse
// messages (once for a right click in the manage column) and the details dialog reached by a
// double click, with the refresh timer's work happening inside the dialog.
#include "mainwindow/row_commands_win32.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "connlist/columns.h"
#include "forms/application_win32.h"
#include "mainwindow/main_form_win32.h"
#include "procinfo/form_proc_info_win32.h"
#include "row_commands_fixture.h"

namespace netscry {
namespace {

using testing::BoxWatcher;
using testing::HelperProcess;
using testing::TickSteps;
using testing::WinePath;
using namespace rowtests;

TEST_F(RowCommandsTest, EndProcessButtonEndsTheHelperAndTheNextRefreshRemovesItsRows) {
  HelperProcess helper(WinePath(NETSCRY_SOCKET_HELPER));
  ASSERT_TRUE(helper.Started()) << helper.Error();
  const std::string pid = std::to_string(helper.Pid());
  HANDLE watch = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, helper.Pid());
  ASSERT_NE(watch, nullptr);

  CountingSystemSnapshot snapshot;
  TFormNetscry& f = Make(snapshot, nullptr);  // the platform's OpenProcess and TerminateProcess
  const std::vector<PTreeNode> rows = RowsOf(pid);
  ASSERT_FALSE(rows.empty()) << "the helper's endpoints are not listed";
  List().FocusNode(rows.front());
  const int calls = snapshot.calls;

  BoxWatcher boxes;
  f.BTNEndPro->Click();
  ASSERT_TRUE(testing::WaitForRefresh(f));
  EXPECT_TRUE(boxes.Boxes().empty());  // a file outside the system directories: no question
  EXPECT_EQ(snapshot.calls, calls + 1);  // a refresh followed at once
  ASSERT_EQ(WaitForSingleObject(watch, 10000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(watch, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(watch);

  f.BTNRefresh->Click();
  ASSERT_TRUE(testing::WaitForRefresh(f));
  EXPECT_TRUE(RowsOf(pid).empty());
}

TEST_F(RowCommandsTest, ProcessThatAlreadyExitedCannotBeEnded) {
  HelperProcess helper(WinePath(NETSCRY_SOCKET_HELPER));
  ASSERT_TRUE(helper.Started()) << helper.Error();
  const DWORD id = helper.Pid();
  const std::string pid = std::to_string(id);

  CountingSystemSnapshot snapshot;
  TFormNetscry& f = Make(snapshot, nullptr);
  const std::vector<PTreeNode> rows = RowsOf(pid);
  ASSERT_FALSE(rows.empty());
  List().FocusNode(rows.front());

  ASSERT_TRUE(helper.Stop());  // exited, every handle to it closed; the row is still shown
  // The system lets go of an ended process a little after it ended (Wine: about half a second).
  for (int i = 0; i < 100; ++i) {
    HANDLE still = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!still) break;
    CloseHandle(still);
    Sleep(50);
  }
  // Never end a stranger: the ID must name no process now.
  if (HANDLE reused = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id)) {
    DWORD code = 0;
    GetExitCodeProcess(reused, &code);
    char name[MAX_PATH] = {};
    DWORD len = MAX_PATH;
    QueryFullProcessImageNameA(reused, 0, name, &len);
    CloseHandle(reused);
    GTEST_SKIP() << "process ID " << id << " still names a process (exit code " << code << ", " << name << ")";
  }
  const int calls = snapshot.calls;
  BoxWatcher boxes;
  f.NEndProc->Click();
  ASSERT_TRUE(testing::WaitForRefresh(f));
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "无法结束进程!");
  EXPECT_EQ(boxes.Boxes()[0].caption, "Netscry");
  EXPECT_EQ(boxes.Boxes()[0].buttons, std::vector<int>{IDOK});
  EXPECT_FALSE(boxes.Boxes()[0].has_icon);
  // The row was out of date: a refresh removes it.
  EXPECT_EQ(snapshot.calls, calls + 1);
  EXPECT_TRUE(RowsOf(pid).empty());
}

TEST_F(RowCommandsTest, RefreshDeletingTheRowDuringTheQuestionLeavesTheCommandItsValues) {
  HelperProcess helper(WinePath(NETSCRY_SOCKET_HELPER));
  ASSERT_TRUE(helper.Started()) << helper.Error();
  HANDLE watch = OpenProcess(SYNCHRONIZE, FALSE, helper.Pid());
  ASSERT_NE(watch, nullptr);

  // The helper's own file, in lower case, taken for a system file: its folder stands in for
  // the system directory.
  FakeSnapshot snapshot;
  std::string path = ImagePathOf(helper.Pid());
  ASSERT_FALSE(path.empty());
  for (char& c : path) c = char(tolower(static_cast<unsigned char>(c)));
  snapshot.tcp = {MakeRow(5, "10.0.0.1", "1000", "10.0.0.2", "80", std::to_string(helper.Pid()), "socket_helper.exe", path)};
  TFormNetscry& f = Make(snapshot, nullptr);
  f.FSysDir = UpperAscii(path.substr(0, path.rfind('\\')));
  ASSERT_EQ(List().TotalNodeCount(), 1);
  List().FocusNode(List().FirstNode());

  BoxWatcher boxes(IDYES);
  int rows_during_question = -1;
  boxes.inside = [&] {
    snapshot.tcp.clear();
    f.BTNRefresh->Click();  // what the refresh timer does inside the box's loop
    EXPECT_TRUE(testing::WaitForRefresh(f));
    rows_during_question = List().TotalNodeCount();
  };
  f.BTNEndPro->Click();
  ASSERT_TRUE(testing::WaitForRefresh(f));

  ASSERT_EQ(boxes.Boxes().size(), 1u) << "refreshes " << snapshot.calls << ", rows " << List().TotalNodeCount()
                                      << ", focused row " << (List().FocusedRow() != nullptr);
  const testing::SeenBox& box = boxes.Boxes()[0];
  EXPECT_EQ(box.text, "这是系统进程，结束该进程可能引起系统无法运行，仍要结束?");
  EXPECT_EQ(box.caption, "Netscry");
  EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
  EXPECT_TRUE(box.has_icon);
  EXPECT_EQ(box.focused_button, IDNO);  // preselected
  EXPECT_EQ(rows_during_question, 0);
  // The copied process ID was ended after its row was gone, and the list refreshed once more.
  EXPECT_EQ(WaitForSingleObject(watch, 10000), WAIT_OBJECT_0);
  CloseHandle(watch);
  EXPECT_EQ(snapshot.calls, 3);
}

TEST_F(RowCommandsTest, NoToTheQuestionEndsNothing) {
  FakeSnapshot snapshot;
  snapshot.tcp = {MakeRow(5, "10.0.0.1", "1000", "10.0.0.2", "80", "4242", "svc.exe", SystemDirectory() + "\\svc.exe")};
  RecordingProcesses processes;
  processes.RunAsShown(snapshot);
  TFormNetscry& f = Make(snapshot, &processes);
  List().FocusNode(List().FirstNode());
  BoxWatcher boxes(IDNO);
  f.NEndProc->Click();
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_TRUE(processes.ended.empty());
  EXPECT_EQ(snapshot.calls, 1);
}

TEST_F(RowCommandsTest, ThirtyTwoBitSystemDirectoryOfSixtyFourBitWindowsAsksToo) {
  using GetWow64Dir = UINT(WINAPI*)(LPSTR, UINT);
  auto get = reinterpret_cast<GetWow64Dir>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemWow64DirectoryA")));
  char dir[MAX_PATH] = {};
  const UINT n = get ? get(dir, MAX_PATH) : 0;
  std::string expected = n > 0 && n < MAX_PATH ? std::string(dir, n) : "";
  std::string lower = expected;
  for (char& c : expected) c = char(toupper(static_cast<unsigned char>(c)));
  for (char& c : lower) c = char(tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(SystemWow64DirText(), expected);

  FakeSnapshot snapshot;
  const std::string path = (lower.empty() ? "c:\\windows\\syswow64" : lower) + "\\rundll32.exe";
  snapshot.tcp = {MakeRow(5, "10.0.0.1", "1000", "10.0.0.2", "80", "4242", "rundll32.exe", path)};
  RecordingProcesses processes;
  processes.RunAsShown(snapshot);
  TFormNetscry& f = Make(snapshot, &processes);
  List().FocusNode(List().FirstNode());
  BoxWatcher boxes(IDNO);
  f.NEndProc->Click();
  if (!lower.empty()) {
    // 64-bit Windows: its 32-bit programs' files ask like the system directory's.
    EXPECT_EQ(boxes.Boxes().size(), 1u) << path;
    EXPECT_TRUE(processes.ended.empty());
  } else {
    // No such directory: the path is an ordinary one.
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(processes.ended, std::vector<std::uint32_t>{4242u});
  }
}

TEST_F(RowCommandsTest, CopyFromTheRealMenuGivesTextAndUnicodeText) {
  FakeSnapshot snapshot;
  File_Rec r = MakeRow(5, "10.0.0.1", "1000", "10.0.0.2", "80", "100", "a.exe", "C:\\a.exe");
  r.FileDesc = "\xCD\xF8\xD2\xB3";  // 网页 in code page 936
  r.Company = "ACME";
  snapshot.tcp = {r};
  RecordingProcesses processes;  // a wrong item must end nothing real
  processes.RunAsShown(snapshot);
  TFormNetscry& f = Make(snapshot, &processes);

  // Something else on the clipboard first.
  const UINT private_format = RegisterClipboardFormatA("NetscryTestFormat");
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL old = GlobalAlloc(GMEM_MOVEABLE, 4);
  SetClipboardData(private_format, old);
  CloseClipboard();

  // A right click on the row and "拷贝到剪贴板", the third item the keyboard reaches.
  MenuWatcher menu(f.NProcInfo->Command());
  menu.downs = 3;
  RightClick(0, kColProcess);
  ASSERT_EQ(menu.row_items_enabled.size(), 1u);
  Pump();  // the menu posts the chosen item's command
  EXPECT_TRUE(processes.ended.empty());
  EXPECT_TRUE(processes.revealed.empty());
  EXPECT_TRUE(processes.properties.empty());

  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(IsClipboardFormatAvailable(private_format));  // replaced
  std::string text;
  if (HANDLE h = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(h))) {
      text = p;
      GlobalUnlock(h);
    }
  }
  std::wstring wide;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(h))) {
      wide = p;
      GlobalUnlock(h);
    }
  }
  CloseClipboard();

  EXPECT_EQ(text, ClipboardBlock(*List().ReadRowRecordAs<TMyRec>(List().FirstNode())));
  const std::wstring separator(23, L'\x2015');
  const std::wstring expected = separator + L"\r\n" +
                                L"程序名称:a.exe\r\n"
                                L"程序说明:网页\r\n"
                                L"路径:C:\\a.exe\r\n"
                                L"PID:100\r\n"
                                L"网络协议:TCP\r\n"
                                L"本机地址:10.0.0.1\r\n"
                                L"本地端口:1000\r\n"
                                L"目标地址:10.0.0.2\r\n"
                                L"目标端口:80\r\n"
                                L"状态:已建立\r\n"
                                L"生成:Netscry\r\n"
                                L"主页:https://netscry.org\r\n" +
                                separator + L"\r\n";
  EXPECT_TRUE(wide == expected) << "CF_UNICODETEXT differs (" << wide.size() << " vs " << expected.size()
                                << " characters)";
}

// Another thread that keeps the clipboard open until released.
struct ClipboardHolder {
  HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  bool held = false;
  static DWORD WINAPI Run(void* p) {
    auto* h = static_cast<ClipboardHolder*>(p);
    h->held = OpenClipboard(nullptr) != FALSE;
    SetEvent(h->opened);
    WaitForSingleObject(h->release, 10000);
    if (h->held) CloseClipboard();
    return 0;
  }
};

TEST_F(RowCommandsTest, ClipboardHeldByAnotherThreadIsReportedByTheErrorHandler) {
  FakeSnapshot snapshot;
  snapshot.tcp = {MakeRow(5, "10.0.0.1", "1000", "10.0.0.2", "80", "100", "a.exe", "C:\\a.exe")};
  TFormNetscry& f = Make(snapshot, nullptr);
  List().FocusNode(List().FirstNode());

  ClipboardHolder holder;
  HANDLE thread = CreateThread(nullptr, 0, &ClipboardHolder::Run, &holder, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  WaitForSingleObject(holder.opened, 10000);
  ASSERT_TRUE(holder.held);

  BoxWatcher boxes;
  f.NCopy->Click();  // the error does not escape the command
  SetEvent(holder.release);
  WaitForSingleObject(thread, 10000);
  CloseHandle(thread);
  CloseHandle(holder.opened);
  CloseHandle(holder.release);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Cannot open clipboard.");
  EXPECT_EQ(boxes.Boxes()[0].caption, "Netscry");
  EXPECT_TRUE(boxes.Boxes()[0].has_icon);
}

TEST_F(RowCommandsTest, RightClickInTheManageColumnOpensTheMenuOnce) {
  FakeSnapshot snapshot;
  snapshot.tcp = {MakeRow(5, "10.0.0.1", "1000", "10.0.0.2", "80", "100", "a.exe", "C:\\a.exe"),
                  MakeRow(2, "0.0.0.0", "135", "0.0.0.0", "0", "300", "svc.exe", "")};
  TFormNetscry& f = Make(snapshot, nullptr);
  MenuWatcher menu(f.NProcInfo->Command());

  RightClick(0, kColManage);
  EXPECT_EQ(menu.row_items_enabled, std::vector<bool>{true});
  RightClick(1, kColManage);  // the row without a path
  EXPECT_EQ(menu.row_items_enabled, (std::vector<bool>{true, false}));
  EXPECT_FALSE(f.NEndProc->Enabled());
  EXPECT_TRUE(f.NCopy->Enabled());
  Click(0, kColManage);  // a left click opens it through the column click
  EXPECT_EQ(menu.row_items_enabled, (std::vector<bool>{true, false, true}));
  RightClick(1, kColProcess);  // another column: the popup request alone
  EXPECT_EQ(menu.row_items_enabled.size(), 4u);
  // Below the last row: no menu, and the states stay as they were.
  RightClick(5, kColProcess);
  EXPECT_EQ(menu.row_items_enabled.size(), 4u);
  EXPECT_FALSE(f.NProcInfo->Enabled());
}

TEST_F(RowCommandsTest, DoubleClickAndEndButtonActOnTheFocusedRowsOwnPath) {
  FakeSnapshot snapshot;
  File_Rec a = MakeRow(5, "10.0.0.1", "1000", "10.0.0.2", "80", "100", "a.exe", "C:\\a.exe");
  a.FileDesc = "A tool";
  snapshot.tcp = {a, MakeRow(2, "0.0.0.0", "135", "0.0.0.0", "0", "300", "svc.exe", "")};
  RecordingProcesses processes;
  processes.RunAsShown(snapshot);
  TFormNetscry& f = Make(snapshot, &processes);
  MenuWatcher menu(f.NProcInfo->Command());

  // The menu prepared for the row without a path disables the row items ...
  RightClick(1, kColProcess);
  ASSERT_FALSE(f.NEndProc->Enabled());
  // ... yet the end-process button ends the focused row's process,
  Click(0, kColProcess);
  const int calls = snapshot.calls;
  f.BTNEndPro->Click();
  ASSERT_TRUE(testing::WaitForRefresh(f));
  EXPECT_EQ(processes.ended, std::vector<std::uint32_t>{100u});
  EXPECT_EQ(snapshot.calls, calls + 1);

  // ... and the double click opens its details. A refresh inside the dialog that deletes the
  // row leaves the dialog as it was filled.
  RightClick(1, kColProcess);
  ASSERT_FALSE(f.NProcInfo->Enabled());
  std::vector<std::string> seen;
  {
    TickSteps ticks({[&] {
                      if (!FormProcInfo || !IsWindowVisible(FormProcInfo->Handle())) return false;
                      EXPECT_EQ(GetWindow(FormProcInfo->Handle(), GW_OWNER), f.Handle());
                      snapshot.tcp.erase(snapshot.tcp.begin());
                      f.BTNRefresh->Click();
                      EXPECT_TRUE(testing::WaitForRefresh(f));
                      EXPECT_EQ(List().TotalNodeCount(), 1);
                      seen = {FormProcInfo->LabExe.Caption(), FormProcInfo->LabExeDes.Caption(),
                              FormProcInfo->LabPID.Caption(), FormProcInfo->EPath.Text()};
                      // The refresh gives the keyboard focus to the list, so Enter goes to OK itself.
                      PostKey(FormProcInfo->BTNOK->Handle(), VK_RETURN);
                      return true;
                    }},
                    [] {
                      if (FormProcInfo) PostMessageA(FormProcInfo->Handle(), WM_CLOSE, 0, 0);
                    });
    DoubleClick(0, kColProcess);
    EXPECT_TRUE(ticks.Finished());
    EXPECT_FALSE(ticks.GaveUp());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"a.exe", "A tool  ", "PID:100", "C:\\a.exe"}));
  EXPECT_EQ(FormProcInfo, nullptr);

  // The row without a path (now the only one): no dialog, and the button says it is a system process.
  bool dialog_opened = false;
  {
    TickSteps ticks({[&] {
                      if (FormProcInfo) {
                        dialog_opened = true;
                        PostMessageA(FormProcInfo->Handle(), WM_CLOSE, 0, 0);
                      }
                      return false;
                    }},
                    nullptr, 30, 5);
    DoubleClick(0, kColProcess);
  }
  EXPECT_FALSE(dialog_opened);
  BoxWatcher boxes;
  f.BTNEndPro->Click();
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "系统进程，不能结束。");
  EXPECT_EQ(boxes.Boxes()[0].buttons, std::vector<int>{IDOK});
  EXPECT_EQ(processes.ended.size(), 1u);
}

TEST_F(RowCommandsTest, ARefreshInsideTheMenuDoesNotTurnTheCommandToAnotherRow) {
  FakeSnapshot snapshot;
  snapshot.tcp = {MakeRow(5, "10.0.0.1", "1000", "10.0.0.2", "80", "100", "a.exe", "C:\\a.exe"),
                  MakeRow(5, "10.0.0.1", "1001", "10.0.0.2", "80", "200", "b.exe", "C:\\b.exe")};
  RecordingProcesses processes;
  processes.RunAsShown(snapshot);
  TFormNetscry& f = Make(snapshot, &processes);
  for (const bool manage_column : {false, true}) {
    processes.ended.clear();
    snapshot.tcp.resize(1);
    snapshot.tcp.push_back(MakeRow(5, "10.0.0.1", "1001", "10.0.0.2", "80", "200", "b.exe", "C:\\b.exe"));
    f.BTNRefresh->Click();
    ASSERT_TRUE(testing::WaitForRefresh(f));
    ASSERT_EQ(List().TotalNodeCount(), 2);
    // The menu opens on b.exe; inside it a refresh finds b.exe's connection closed, deletes the
    // row and focuses a.exe, the top row. "结束进程" is the second item the keyboard reaches.
    MenuWatcher menu(f.NProcInfo->Command());
    menu.downs = 2;
    menu.on_open = [&] {
      snapshot.tcp.resize(1);
      f.BTNRefresh->Click();
      EXPECT_TRUE(testing::WaitForRefresh(f));
    };
    if (manage_column) {
      Click(1, kColManage);
    } else {
      RightClick(1, kColProcess);
    }
    ASSERT_TRUE(testing::WaitForRefresh(f));
    ASSERT_EQ(menu.row_items_enabled.size(), 1u) << manage_column;
    ASSERT_EQ(List().TotalNodeCount(), 1) << manage_column;
    EXPECT_EQ(processes.ended, std::vector<std::uint32_t>{200}) << manage_column;
    // Nothing is left pending: the end button acts on the focused row again.
    processes.ended.clear();
    f.BTNEndPro->Click();
    ASSERT_TRUE(testing::WaitForRefresh(f));
    EXPECT_EQ(processes.ended, std::vector<std::uint32_t>{100}) << manage_column;
  }
}

TEST_F(RowCommandsTest, LocateAndPropertiesFromTheMenusCommands) {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  FakeSnapshot snapshot;
  snapshot.tcp = {MakeRow(5, "10.0.0.1", "1000", "10.0.0.2", "80", "100", "a.exe", exe),
                  MakeRow(5, "10.0.0.1", "1001", "10.0.0.2", "80", "200", "b.exe", "C:\\gone\\b.exe")};
  RecordingProcesses processes;
  processes.RunAsShown(snapshot);
  TFormNetscry& f = Make(snapshot, &processes);
  auto choose = [&](forms::MenuItem* item) { SendMessageA(f.Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0); };

  List().FocusNode(List().FirstNode());  // a.exe: the test program itself
  choose(f.NLocate);
  choose(f.NProperty);
  List().FocusNode(List().NextNode(List().FirstNode()));  // a file that does not exist
  choose(f.NLocate);
  choose(f.NProperty);
  EXPECT_EQ(processes.revealed, std::vector<std::string>{exe});
  EXPECT_EQ(processes.properties, (std::vector<std::string>{exe, "C:\\gone\\b.exe"}));

  // A directory is no file to locate.
  char dir[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, dir);
  snapshot.tcp = {MakeRow(5, "10.0.0.1", "1002", "10.0.0.2", "80", "300", "c.exe", dir)};
  f.BTNRefresh->Click();
  ASSERT_TRUE(testing::WaitForRefresh(f));
  ASSERT_EQ(List().TotalNodeCount(), 1);
  List().FocusNode(List().FirstNode());
  ASSERT_EQ(List().ReadRowRecordAs<TMyRec>(List().FirstNode())->FilePath, dir);
  choose(f.NLocate);
  EXPECT_EQ(processes.revealed.size(), 1u);
}

}  // namespace
}  // namespace netscry
