// Which window owns the application's boxes, read back from the platform: the window the user is
// in (a modal dialog over the main window included), else the main window; each box opens above
// the windows it blocks and is topmost while they are.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/message_box_catcher.h"
#include "common/win32_test_util.h"
#include "forms/application_win32.h"
#include "forms/controls_win32.h"

namespace netscry::forms {
namespace {

using testing::CaughtBox;
using testing::MessageBoxCatcher;

using testing::Pump;

// The program's main window as far as its boxes go: the application's main form, topmost.
struct MainWindow {
  Form form;
  MainWindow() {
    FormParams p;
    p.caption = "main";
    p.client_size = {400, 300};
    p.stay_on_top = true;
    form.CreateForm(p);
    Application::Instance().SetMainForm(&form);
    form.Show();
    SetActiveWindow(form.Handle());
    Pump();
  }
  ~MainWindow() {
    form.Destroy();
    Pump();
  }
};

// Both kinds of box the application shows: the message dialog and a question.
std::vector<CaughtBox> ShowBoth() {
  Application& app = Application::Instance();
  MessageBoxCatcher catcher(IDOK);
  app.ShowMessage("无法结束进程!");
  catcher.SetAnswer(IDNO);
  app.ShowMessageBox("您确认要退出网络连接查看器?", app.Title(), MB_YESNO | MB_ICONQUESTION);
  return catcher.Boxes();
}

TEST(NoticeBoxes, OwnedByTheActiveMainWindowAndAboveIt) {
  Application::Instance().SetTitle("Netscry");
  MainWindow main;
  HWND h = main.form.Handle();
  ASSERT_EQ(GetActiveWindow(), h);
  const auto boxes = ShowBoth();
  ASSERT_EQ(boxes.size(), 2u);
  for (const CaughtBox& b : boxes) {
    SCOPED_TRACE(b.text);
    EXPECT_EQ(b.owner, h);
    EXPECT_FALSE(b.owner_enabled);
    EXPECT_TRUE(b.Above(h));
    EXPECT_TRUE(b.topmost);
  }
  EXPECT_FALSE(boxes[0].has_icon);
  EXPECT_EQ(boxes[0].buttons, (std::vector<int>{IDOK}));
  EXPECT_TRUE(IsWindowEnabled(h));
}

// Runs once, from a thread timer's tick inside a modal loop.
std::function<void()> inside_modal_loop;
void CALLBACK RunInsideModalLoop(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (inside_modal_loop) inside_modal_loop();
}

// A box raised while the modal details dialog is open (the dialog's own notice, or the refresh
// timer's error inside the dialog's loop) belongs to the dialog: above it and the main window.
TEST(NoticeBoxes, InsideAModalDialogOwnedByTheDialog) {
  Application::Instance().SetTitle("Netscry");
  MainWindow main;
  Form dialog;
  FormParams p;
  p.caption = "进程详细信息";
  p.client_size = {425, 237};
  p.owner = main.form.Handle();
  p.center_on_desktop = false;
  ASSERT_NE(dialog.CreateForm(p), nullptr);
  std::vector<CaughtBox> boxes;
  inside_modal_loop = [&] {
    boxes = ShowBoth();
    dialog.SetModalResult(IDOK);
  };
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, &RunInsideModalLoop);
  dialog.ShowModal();
  KillTimer(nullptr, timer);
  inside_modal_loop = nullptr;
  ASSERT_EQ(boxes.size(), 2u);
  for (const CaughtBox& b : boxes) {
    SCOPED_TRACE(b.text);
    EXPECT_EQ(b.owner, dialog.Handle());
    EXPECT_FALSE(b.owner_enabled);
    EXPECT_TRUE(b.Above(dialog.Handle()));
    EXPECT_TRUE(b.Above(main.form.Handle()));
    EXPECT_TRUE(b.topmost);
  }
  EXPECT_TRUE(IsWindowEnabled(main.form.Handle()));
}

}  // namespace
}  // namespace netscry::forms
