// The main window as the user meets it under the platform, set up as the program's main form:
// the captions its list header was created with, the frame's minimise button pressed with real
// messages, and the system's question before a log-off going through the close confirmation.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/message_box_catcher.h"
#include "main_form_fixture.h"
#include "forms/application_win32.h"
#include "mainwindow/main_form_win32.h"

namespace netscry {
namespace {

using testing::MessageBoxCatcher;

using testing::Pump;

class MainWindowUserTest : public testing::MainFormFixture {
 protected:
  MainWindowUserTest() : MainFormFixture("user") {}

  void SetUp() override {
    MainFormFixture::SetUp();
    snapshot_.tcp = {testing::MakeRow(5, "10.0.0.1", "1000", "10.0.0.2", "80", "100", "a.exe", "C:\\a.exe")};
    form_ = std::make_unique<TFormNetscry>(testing::DepsFor(snapshot_, dir_));
    ASSERT_TRUE(form_->Create());
    testing::ShowAsMainForm(*form_);
  }

  const TskActiveSkinObject* FrameObject(const std::string& name) const {
    for (const auto& o : form_->skSkinForm1.Frame().LiveObjects()) {
      if (o->IDName == name) return o.get();
    }
    return nullptr;
  }

  testing::FakeSnapshot snapshot_;
};

TEST_F(MainWindowUserTest, HeaderCaptionsAsCreated) {
  const TTreeHeader& h = form_->VTS->List().Header();
  const std::vector<std::string> captions{"进程ID", "进程",     "安全等级", "协议",     "本地IP", "本地端口", "目标IP",
                                          "目标端口", "状态", "管理",     "文件路径", "文件说明", "公司",     "备注"};
  ASSERT_EQ(h.ColumnCount(), 14);
  for (int c = 0; c < 14; ++c) EXPECT_EQ(h.Column(c).Text, captions[std::size_t(c)]) << "column " << c;
}

TEST_F(MainWindowUserTest, MinimiseButtonMinimisesTheWindow) {
  HWND h = form_->Handle();
  const TskActiveSkinObject* button = FrameObject("minimizebutton");
  ASSERT_NE(button, nullptr);
  const Rect r = button->ObjectRect;
  RECT b{};
  GetWindowRect(h, &b);
  const POINT screen{b.left + r.left + r.Width() / 2, b.top + r.top + r.Height() / 2};
  POINT client = screen;
  ScreenToClient(h, &client);
  const LPARAM at = MAKELPARAM(screen.x, screen.y);
  const LRESULT hit = SendMessageA(h, WM_NCHITTEST, 0, at);
  ASSERT_EQ(hit, HTOBJECT);
  SendMessageA(h, WM_NCMOUSEMOVE, WPARAM(hit), at);
  SendMessageA(h, WM_NCLBUTTONDOWN, WPARAM(hit), at);
  EXPECT_FALSE(IsIconic(h)) << "the command runs on the release";
  SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
  EXPECT_TRUE(Pump()) << "the minimised window keeps sending messages to itself: a busy loop";
  EXPECT_TRUE(IsIconic(h));
  EXPECT_TRUE(IsWindow(h));
  // Restored by the platform (the task bar), it is the window it was.
  ShowWindow(h, SW_RESTORE);
  EXPECT_TRUE(Pump());
  EXPECT_FALSE(IsIconic(h));
  RECT after{};
  GetWindowRect(h, &after);
  EXPECT_TRUE(EqualRect(&after, &b));
}

TEST_F(MainWindowUserTest, LogOffQuestionGoesThroughTheCloseConfirmation) {
  HWND h = form_->Handle();
  {
    MessageBoxCatcher catcher(IDNO);
    EXPECT_EQ(SendMessageA(h, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), FALSE) << "No keeps the session";
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].text, "您确认要退出网络连接查看器?");
    EXPECT_EQ(catcher.Boxes()[0].buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_TRUE(catcher.Boxes()[0].has_icon);
    // The session goes on: the program is unchanged.
    SendMessageA(h, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    Pump();
    EXPECT_TRUE(IsWindow(h));
    EXPECT_TRUE(IsWindowVisible(h));
  }
  {
    MessageBoxCatcher catcher(IDYES);
    EXPECT_NE(SendMessageA(h, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), FALSE) << "Yes lets the session end";
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].text, "您确认要退出网络连接查看器?");
  }
}

}  // namespace
}  // namespace netscry
