// The descriptions the main window shows for processes without a path, read from its list as
// the user sees them in column 11, against the texts themselves.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "connlist/columns.h"
#include "forms/application_win32.h"
#include "mainwindow/main_form_win32.h"
#include "main_form_fixture.h"

namespace netscry {
namespace {

File_Rec Listener(const char* port, const char* pid, const char* name, const char* path, const char* desc) {
  return testing::MakeRow(2, "0.0.0.0", port, "0.0.0.0", "0", pid, name, path, desc);
}

class Snapshot : public SnapshotSource {
 public:
  void TakeSnapshot(FileRecArray& tcp, FileRecArray& udp) override {
    tcp = {Listener("445", "4", "System", "", ""), Listener("135", "0", "System Idle Process", "", ""),
           Listener("139", "8", "system", "", ""), Listener("80", "100", "web.exe", "C:\\web.exe", "")};
    udp.clear();
  }
};

class NoShell : public ShellOpener {
 public:
  void Open(HWND, const char*, const std::string&) override {}
};

TEST(MainWindowDescriptions, ProcessesWithoutPathShowTheFixedTextsInColumn11) {
  forms::Application::Instance().SetTitle("Netscry");
  const std::string dir = testing::MakeSettingsFolder("desc");
  Snapshot snapshot;
  NoShell shell;
  auto form = std::make_unique<TFormNetscry>(testing::DepsFor(snapshot, dir, nullptr, &shell));
  ASSERT_TRUE(form->Create());

  const std::string system_text = "系统核心内存管理进程，拥有最高优先权，没有它系统无法启动。";
  const std::string idle_text =
      "系统核心虚拟进程，用来表示系统的空闲状态，这个数值越大CPU的空闲率就越高，反之就是CPU的占用率越高。";
  // Only the exact name "System" gets the system text; a process with a path keeps its own
  // (here empty) description.
  const std::map<std::string, std::string> expected = {
      {"System", system_text}, {"System Idle Process", idle_text}, {"system", idle_text}, {"web.exe", ""}};
  auto& list = form->VTS->List();
  ASSERT_EQ(list.TotalNodeCount(), 4);
  for (PTreeNode n = list.FirstNode(); n; n = list.NextNode(n)) {
    const std::string name = list.CellText(n, kColProcess);
    ASSERT_TRUE(expected.count(name)) << name;
    EXPECT_EQ(list.CellText(n, kColFileDesc), expected.at(name)) << name;
    EXPECT_EQ(list.CellText(n, kColCompany), "") << name;
  }
  form.reset();
  testing::RemoveSettingsFolder(dir);
}

}  // namespace
}  // namespace netscry
