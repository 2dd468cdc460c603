// Which process "结束进程" ends, with real processes: the row the menu was prepared for when
// the right button went down on one row and up on another; nothing when the row's process ID
// now names another program; and the debug privilege, enabled only around the calls that need
// it.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "mainwindow/row_commands.h"
#include "base/debug_privilege_win32.h"
#include "row_commands_fixture.h"

namespace netscry {
namespace {

using testing::BoxWatcher;
using testing::HelperProcess;
using testing::WinePath;
using namespace rowtests;

// Whether the process has ended within the time given.
bool Ends(HANDLE process, DWORD ms) { return WaitForSingleObject(process, ms) == WAIT_OBJECT_0; }

TEST_F(RowCommandsTest, MenuPreparedForTheReleasedRowEndsThatRowsProcess) {
  HelperProcess pressed(WinePath(NETSCRY_SOCKET_HELPER));
  HelperProcess released(WinePath(NETSCRY_SOCKET_HELPER));
  ASSERT_TRUE(pressed.Started()) << pressed.Error();
  ASSERT_TRUE(released.Started()) << released.Error();
  HANDLE watch_pressed = OpenProcess(SYNCHRONIZE, FALSE, pressed.Pid());
  HANDLE watch_released = OpenProcess(SYNCHRONIZE, FALSE, released.Pid());
  ASSERT_NE(watch_pressed, nullptr);
  ASSERT_NE(watch_released, nullptr);

  // Each row shows its helper as the snapshot would: its own process ID and file.
  FakeSnapshot snapshot;
  snapshot.tcp = {MakeRow(5, "10.0.0.1", "1000", "10.0.0.2", "80", std::to_string(pressed.Pid()), "socket_helper.exe",
                      ImagePathOf(pressed.Pid())),
                  MakeRow(5, "10.0.0.1", "1001", "10.0.0.2", "80", std::to_string(released.Pid()), "socket_helper.exe",
                      ImagePathOf(released.Pid()))};
  TFormNetscry& f = Make(snapshot, nullptr);  // the platform's own processes
  ASSERT_EQ(List().TotalNodeCount(), 2);
  // The rows tie on the sorted column; whichever comes first is the one pressed.
  if (List().ReadRowRecordAs<TMyRec>(List().FirstNode())->ProcessID != std::to_string(pressed.Pid()))
    std::swap(watch_pressed, watch_released);

  // The right button goes down on the first row and up on the second; "结束进程" is the second
  // item the keyboard reaches.
  MenuWatcher menu(f.NProcInfo->Command());
  menu.downs = 2;
  SendMessageA(f.VTS->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, At(0, kColProcess));
  SendMessageA(f.VTS->Handle(), WM_RBUTTONUP, 0, At(1, kColProcess));
  Pump();
  ASSERT_EQ(menu.row_items_enabled.size(), 1u);

  EXPECT_TRUE(Ends(watch_released, 10000)) << "the row the menu was prepared for";
  EXPECT_FALSE(Ends(watch_pressed, 300)) << "the pressed row's process was ended";
  CloseHandle(watch_pressed);
  CloseHandle(watch_released);
}

TEST_F(RowCommandsTest, RowWhoseProcessIDNowNamesAnotherProgramEndsNothing) {
  HelperProcess helper(WinePath(NETSCRY_SOCKET_HELPER));
  ASSERT_TRUE(helper.Started()) << helper.Error();
  HANDLE watch = OpenProcess(SYNCHRONIZE, FALSE, helper.Pid());
  ASSERT_NE(watch, nullptr);
  const std::string pid = std::to_string(helper.Pid());

  // The row shows the process ID as another program's, as after the ID was reused.
  FakeSnapshot snapshot;
  snapshot.tcp = {MakeRow(5, "10.0.0.1", "1000", "10.0.0.2", "80", pid, "a.exe", "C:\\a.exe")};
  TFormNetscry& f = Make(snapshot, nullptr);
  List().FocusNode(List().FirstNode());
  const int calls = snapshot.calls;

  BoxWatcher boxes;
  f.BTNEndPro->Click();
  ASSERT_TRUE(testing::WaitForRefresh(f));
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "无法结束进程!");
  EXPECT_EQ(boxes.Boxes()[0].buttons, std::vector<int>{IDOK});
  EXPECT_EQ(snapshot.calls, calls + 1);  // the out-of-date list is refreshed
  EXPECT_FALSE(Ends(watch, 500)) << "a process the row does not show was ended";

  // The row showing the helper's own file, in other letters' case, ends it.
  std::string own = ImagePathOf(helper.Pid());
  ASSERT_FALSE(own.empty());
  for (char& c : own) c = char(toupper(static_cast<unsigned char>(c)));
  // Another connection, so the refresh makes a new row rather than keeping the old one.
  snapshot.tcp = {MakeRow(5, "10.0.0.1", "1001", "10.0.0.2", "80", pid, "socket_helper.exe", own)};
  f.BTNRefresh->Click();
  ASSERT_TRUE(testing::WaitForRefresh(f));
  ASSERT_EQ(List().TotalNodeCount(), 1);
  ASSERT_EQ(List().ReadRowRecordAs<TMyRec>(List().FirstNode())->FilePath, own);
  List().FocusNode(List().FirstNode());
  f.BTNEndPro->Click();
  EXPECT_TRUE(Ends(watch, 10000));
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  CloseHandle(watch);
}

// The debug privilege's state in this program's token; nothing when the token lacks it.
std::optional<bool> DebugPrivilegeEnabled() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return std::nullopt;
  LUID luid{};
  LookupPrivilegeValueA(nullptr, "SeDebugPrivilege", &luid);
  DWORD size = 0;
  GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
  std::vector<unsigned char> buffer(size);
  std::optional<bool> enabled;
  if (size > 0 && GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size)) {
    const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
    for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
      const LUID_AND_ATTRIBUTES& p = privileges->Privileges[i];
      if (p.Luid.LowPart == luid.LowPart && p.Luid.HighPart == luid.HighPart)
        enabled = (p.Attributes & SE_PRIVILEGE_ENABLED) != 0;
    }
  }
  CloseHandle(token);
  return enabled;
}

void SetDebugPrivilege(bool enable) {
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token));
  TOKEN_PRIVILEGES tp{};
  tp.PrivilegeCount = 1;
  LookupPrivilegeValueA(nullptr, "SeDebugPrivilege", &tp.Privileges[0].Luid);
  tp.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  AdjustTokenPrivileges(token, FALSE, &tp, sizeof tp, nullptr, nullptr);
  CloseHandle(token);
}

TEST_F(RowCommandsTest, DebugPrivilegeIsNotLeftEnabledForProgramsTheShellStarts) {
  ASSERT_TRUE(DebugPrivilegeEnabled().has_value()) << "the token has no debug privilege to watch";
  SetDebugPrivilege(false);
  ASSERT_EQ(DebugPrivilegeEnabled(), false);

  // Start-up, a refresh over the system's tables and lookups, and ending a process.
  HelperProcess helper(WinePath(NETSCRY_SOCKET_HELPER));
  ASSERT_TRUE(helper.Started()) << helper.Error();
  HANDLE watch = OpenProcess(SYNCHRONIZE, FALSE, helper.Pid());
  CountingSystemSnapshot snapshot;
  TFormNetscry& f = Make(snapshot, nullptr);
  EXPECT_EQ(DebugPrivilegeEnabled(), false) << "after start-up";
  const std::vector<PTreeNode> rows = RowsOf(std::to_string(helper.Pid()));
  ASSERT_FALSE(rows.empty());
  List().FocusNode(rows.front());
  f.BTNEndPro->Click();
  ASSERT_TRUE(testing::WaitForRefresh(f));
  EXPECT_TRUE(Ends(watch, 10000));
  CloseHandle(watch);
  EXPECT_EQ(DebugPrivilegeEnabled(), false) << "after ending a process";

  // One that was enabled before is left enabled: the scope puts back what it found.
  SetDebugPrivilege(true);
  f.BTNRefresh->Click();
  ASSERT_TRUE(testing::WaitForRefresh(f));
  EXPECT_EQ(DebugPrivilegeEnabled(), true);
  SetDebugPrivilege(false);
}

}  // namespace
}  // namespace netscry

namespace netscry {
namespace {

struct ScopeHolder {
  HANDLE opened, end;
};

// Another thread's scope: open, then held until `end` is set.
DWORD WINAPI HoldScope(void* p) {
  auto* s = static_cast<ScopeHolder*>(p);
  DebugPrivilegeScope scope;
  SetEvent(s->opened);
  WaitForSingleObject(s->end, 20000);
  return 0;
}

// A snapshot read on its worker and an ended process on the window's thread hold the privilege
// at once, and either may let go first: it stays enabled until the last one has.
TEST(DebugPrivilegeScopes, OverlappingScopesOnTwoThreadsKeepItUntilTheLastEnds) {
  ASSERT_TRUE(DebugPrivilegeEnabled().has_value()) << "the token has no debug privilege to watch";
  SetDebugPrivilege(false);
  struct Case {
    const char* what;
    bool worker_ends_first;
  };
  for (const Case& c : {Case{"the worker's scope ends first", true}, Case{"this thread's scope ends first", false}}) {
    SCOPED_TRACE(c.what);
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE end = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ScopeHolder shared{opened, end};
    HANDLE worker = CreateThread(nullptr, 0, &HoldScope, &shared, 0, nullptr);
    ASSERT_NE(worker, nullptr);
    ASSERT_EQ(WaitForSingleObject(opened, 20000), WAIT_OBJECT_0);
    EXPECT_EQ(DebugPrivilegeEnabled(), true);
    {
      auto mine = std::make_unique<DebugPrivilegeScope>();
      if (c.worker_ends_first) {
        SetEvent(end);
        ASSERT_EQ(WaitForSingleObject(worker, 20000), WAIT_OBJECT_0);
        EXPECT_EQ(DebugPrivilegeEnabled(), true) << "taken from this thread's open scope";
      } else {
        mine.reset();
        EXPECT_EQ(DebugPrivilegeEnabled(), true) << "taken from the worker's open scope";
        SetEvent(end);
        ASSERT_EQ(WaitForSingleObject(worker, 20000), WAIT_OBJECT_0);
      }
    }
    EXPECT_EQ(DebugPrivilegeEnabled(), false) << "left enabled after both ended";
    CloseHandle(worker);
    CloseHandle(opened);
    CloseHandle(end);
  }
}

}  // namespace
}  // namespace netscry
