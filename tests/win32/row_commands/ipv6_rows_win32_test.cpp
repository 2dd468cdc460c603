// The real main window over the system's own snapshot lists the IPv6 endpoints of a helper
// process beside its IPv4 ones, and the row commands work on them: the clipboard block names the
// protocol and the address text as the cells show them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "connlist/columns.h"
#include "mainwindow/main_form_win32.h"
#include "common/clipboard_text.h"
#include "row_commands_fixture.h"

namespace netscry {
namespace {

using testing::ClipboardUnicodeText;
using testing::HelperProcess;
using testing::WinePath;
using namespace rowtests;

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

TEST_F(RowCommandsTest, TheHelpersIpv6ListenerIsListedAndCopied) {
  HelperProcess helper(WinePath(NETSCRY_SOCKET_HELPER));
  ASSERT_TRUE(helper.Started()) << helper.Error();
  ASSERT_NE(helper.Ports().listen6, 0u) << "the helper could not listen on ::1";
  const std::string port = std::to_string(helper.Ports().listen6);

  CountingSystemSnapshot snapshot;
  RecordingProcesses processes;  // nothing real is ended
  TFormNetscry& f = Make(snapshot, &processes);
  TStringTreeList& list = List();
  PTreeNode listener = nullptr;
  for (PTreeNode n = list.FirstNode(); n && !listener; n = list.NextNode(n)) {
    if (list.CellText(n, kColProtocol) == "TCPv6" && list.CellText(n, kColLocalIP) == "::1" &&
        list.CellText(n, kColLocalPort) == port)
      listener = n;
  }
  ASSERT_NE(listener, nullptr) << "no TCPv6 row for ::1 port " << port;
  EXPECT_EQ(list.CellText(listener, kColRemoteIP), "::");
  EXPECT_EQ(list.CellText(listener, kColRemotePort), "0");
  EXPECT_EQ(list.CellText(listener, kColState), "监听");
  // Wine 8 leaves the owner of a loopback IPv6 socket at PID 0; on Windows it is the helper.
  const std::string owner = list.CellText(listener, kColProcessID);
  std::printf("the IPv6 listener's row: PID %s, process \"%s\"\n", owner.c_str(),
              list.CellText(listener, kColProcess).c_str());
  if (owner != "0") {
    EXPECT_EQ(owner, std::to_string(helper.Pid()));
  }

  // The clipboard block of that row, as the user copies it.
  f.FMenuRow.reset();
  list.FocusNode(listener);
  f.NCopyClick();
  const std::wstring text = ClipboardUnicodeText();
  for (const std::wstring& line : {std::wstring(L"网络协议:TCPv6\r\n"), std::wstring(L"本机地址:::1\r\n"),
                                   L"本地端口:" + Wide(port) + L"\r\n", std::wstring(L"目标地址:::\r\n"),
                                   std::wstring(L"目标端口:0\r\n"), std::wstring(L"状态:监听\r\n")})
    EXPECT_NE(text.find(line), std::wstring::npos) << "line missing from the copied block";
  EXPECT_TRUE(processes.ended.empty());

  // Unticking the IPv6 box refreshes without the IPv6 rows; the helper's IPv4 rows stay.
  const int calls = snapshot.calls;
  f.CBShowIPv6.SetChecked(false);
  ASSERT_TRUE(testing::WaitForRefresh(f));
  EXPECT_EQ(snapshot.calls, calls + 1);
  int ipv4_rows = 0;
  for (PTreeNode n = list.FirstNode(); n; n = list.NextNode(n)) {
    const std::string protocol = list.CellText(n, kColProtocol);
    EXPECT_TRUE(protocol == "TCP" || protocol == "UDP") << protocol;
    ipv4_rows += list.CellText(n, kColProcessID) == std::to_string(helper.Pid());
  }
  EXPECT_GE(ipv4_rows, 3);
}

}  // namespace
}  // namespace netscry
