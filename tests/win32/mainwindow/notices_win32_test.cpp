// The main window's notices and questions under the platform: each box opens above the topmost
// main window it blocks (owned by it, in front of it in the window order, topmost itself), and
// keeps its looks: caption, buttons, icon or none, centred on the screen. A box below the main
// window would leave the program disabled behind a box the user cannot see.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/message_box_catcher.h"
#include "common/recording_processes.h"
#include "main_form_fixture.h"
#include "forms/application_win32.h"
#include "mainwindow/main_form_win32.h"

namespace netscry {
namespace {

using testing::ClickControl;
using testing::FakeSnapshot;
using testing::MakeRow;
using testing::MessageBoxCatcher;
using testing::Pump;

File_Rec Row(const char* port, const char* pid, const char* name, const std::string& path) {
  return MakeRow(5, "10.0.0.1", port, "10.0.0.2", "80", pid, name, path);
}

std::string SystemFile() { return testing::SystemDirectory() + "\\svchost.exe"; }

// The system file's process opens and is the one its row shows (so the question is asked about
// it); every other process refuses to be opened, which the user is told. Nothing is ended.
class UnopenableProcesses : public ProcessActions {
 public:
  class SystemFileProcess : public ProcessToEnd {
   public:
    std::string ImagePath() override { return SystemFile(); }
    std::optional<std::uint64_t> CreationTime() override { return std::nullopt; }
    bool HasExited() override { return false; }
    bool Terminate() override { return false; }
  };
  OpenedProcess OpenToEnd(std::uint32_t pid) override {
    if (pid != 300) return {OpenToEndResult::kRefused, nullptr};
    return {OpenToEndResult::kOpened, std::make_unique<SystemFileProcess>()};
  }
  bool SamePath(const std::string& a, const std::string& b) override { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }
  void RevealFile(const std::string&) override {}
  void ShowFileProperties(const std::string&) override {}
};

class NoticesTest : public testing::MainFormFixture {
 protected:
  NoticesTest() : MainFormFixture("notices") {}

  void SetUp() override {
    MainFormFixture::SetUp();
    snapshot_.tcp = {Row("1000", "100", "a.exe", "C:\\a.exe"), Row("1001", "4", "System", ""),
                     Row("1002", "300", "svchost.exe", SystemFile())};
    form_ = std::make_unique<TFormNetscry>(testing::DepsFor(snapshot_, dir_, &processes_));
    ASSERT_TRUE(form_->Create());
    testing::ShowAsMainForm(*form_);  // topmost, as the program's main window is by default
  }

  void FocusRowOf(const std::string& process) { testing::FocusRowOf(*form_, process); }

  FakeSnapshot snapshot_;
  UnopenableProcesses processes_;
};

TEST_F(NoticesTest, EveryNoticeAndQuestionOpensAboveTheTopmostMainWindow) {
  HWND main = form_->Handle();
  ASSERT_TRUE(GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_TOPMOST) << "the main window is topmost by default";
  struct Case {
    const char* what;
    std::function<void(TFormNetscry&)> act;
    std::string text;
    int answer;
    bool icon;
    std::vector<int> buttons;
  };
  const std::vector<int> ok{IDOK}, yes_no{IDYES, IDNO};
  const std::vector<Case> cases{
      {"end-process button on a row without a path",
       [this](TFormNetscry& f) {
         FocusRowOf("System");
         ClickControl(f.BTNEndPro->Handle());
       },
       "系统进程，不能结束。", IDOK, false, ok},
      {"a process that cannot be opened",
       [this](TFormNetscry& f) {
         FocusRowOf("a.exe");
         ClickControl(f.BTNEndPro->Handle());
       },
       "无法结束进程!", IDOK, false, ok},
      {"the question before ending a file of the system directory",
       [this](TFormNetscry& f) {
         FocusRowOf("svchost.exe");
         ClickControl(f.BTNEndPro->Handle());
       },
       "这是系统进程，结束该进程可能引起系统无法运行，仍要结束?", IDNO, true, yes_no},
      {"the error handler's box for a failed refresh",
       [this](TFormNetscry& f) {
         snapshot_.fail = true;
         ClickControl(f.BTNRefresh->Handle());
         EXPECT_TRUE(testing::WaitForRefresh(f));
         snapshot_.fail = false;
       },
       "snapshot failed.", IDOK, true, ok},
      {"a settings file that cannot be written",
       [this](TFormNetscry& f) {
         CreateDirectoryA(ini_.c_str(), nullptr);  // a folder where the file should be
         ClickControl(f.CBAutoRefresh.Handle());
         RemoveDirectoryA(ini_.c_str());
       },
       "Unable to write to " + dir_ + "Netscry.ini.", IDOK, true, ok},
      {"the close question", [](TFormNetscry& f) { SendMessageA(f.Handle(), WM_CLOSE, 0, 0); },
       "您确认要退出网络连接查看器?", IDNO, true, yes_no},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetActiveWindow(main);
    Pump();
    MessageBoxCatcher catcher(c.answer);
    c.act(*form_);
    ASSERT_TRUE(testing::WaitForRefresh(*form_));  // an ended process's refresh, too
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    const auto& b = catcher.Boxes()[0];
    EXPECT_EQ(b.text, c.text);
    EXPECT_EQ(b.caption, "Netscry");
    EXPECT_EQ(b.has_icon, c.icon);
    EXPECT_EQ(b.buttons, c.buttons);
    // Above the window it blocks, which waits for it.
    EXPECT_EQ(b.owner, main);
    EXPECT_FALSE(b.owner_enabled);
    EXPECT_TRUE(b.Above(main)) << "the box opened behind the main window";
    EXPECT_TRUE(b.topmost) << "a box below topmost windows can be covered by them";
    const int cx = (b.rect.left + b.rect.right) / 2, cy = (b.rect.top + b.rect.bottom) / 2;
    EXPECT_LE(std::abs(cx - GetSystemMetrics(SM_CXSCREEN) / 2), 2) << "centred on the screen";
    EXPECT_LE(std::abs(cy - GetSystemMetrics(SM_CYSCREEN) / 2), 2) << "centred on the screen";
    // Answered: the main window works again.
    EXPECT_TRUE(IsWindow(main));
    EXPECT_TRUE(IsWindowEnabled(main));
  }
}

// With "always on top" off the main window is an ordinary window: its boxes still open above
// it, owned by it, but do not float above other programs' windows.
TEST_F(NoticesTest, WithoutAlwaysOnTopTheBoxIsAboveTheMainWindowOnly) {
  HWND main = form_->Handle();
  form_->CBAlwaysTop.SetChecked(false);
  ASSERT_FALSE(GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
  SetActiveWindow(main);
  Pump();
  MessageBoxCatcher catcher(IDOK);
  FocusRowOf("System");
  ClickControl(form_->BTNEndPro->Handle());
  ASSERT_EQ(catcher.Boxes().size(), 1u);
  const auto& b = catcher.Boxes()[0];
  EXPECT_EQ(b.text, "系统进程，不能结束。");
  EXPECT_EQ(b.owner, main);
  EXPECT_FALSE(b.owner_enabled);
  EXPECT_TRUE(b.Above(main));
  EXPECT_FALSE(b.topmost);
}

}  // namespace
}  // namespace netscry
