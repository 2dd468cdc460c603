// THotURLLabel in a real window: its colours over the panel, the hand cursor, what a click
// opens (through a recording opener and through the real shell), and the process handle that
// the shell hands back being closed.
#include "controls/hot_button/hot_url_label_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel_fixture.h"

namespace netscry {
namespace {

using namespace testing_buttons;

struct RecordingOpener : UrlOpener {
  bool succeed = true;
  std::vector<std::string> opened, run;
  bool Open(const std::string& target) override {
    opened.push_back(target);
    return succeed;
  }
  void Run(const std::string& command_line) override { run.push_back(command_line); }
};

class HotURLLabelTest : public PanelFixture {
 protected:
  void SetUp() override {
    PanelFixture::SetUp();
    HotURLLabelParams p;
    p.caption = "someone@example.org";
    p.url = "mailto:someone@example.org";
    p.bounds = {20, 20, 20 + 160, 20 + 16};
    ASSERT_NE(label.Create(panel, p), nullptr);
    label.SetOpener(&opener);
    Pump();
  }
  void Send(UINT msg, WPARAM wp, LPARAM lp) { SendMessageA(label.Handle(), msg, wp, lp); }

  // Pixels exactly in the colour: the underline and the stems of the letters are drawn solid.
  static int PixelsOf(const Bitmap32& b, Color c) {
    int n = 0;
    for (DibPixel p : b.Pixels()) n += ColorOfDibPixel(p) == c;
    return n;
  }

  THotURLLabel label;
  RecordingOpener opener;
};

TEST_F(HotURLLabelTest, TransparentUnderlinedTextInTheUnvisitedThenVisitedColour) {
  const Bitmap32 before = Snapshot(label.Handle());
  EXPECT_EQ(before.Pixel(159, 0), kPanelColor);  // the panel shows through
  EXPECT_EQ(before.Pixel(159, 15), kPanelColor);
  EXPECT_EQ(label.TextColor(), Rgb(60, 60, 120));
  // The underline: one row with a long run in the text colour.
  int longest = 0;
  for (int y = 0; y < before.Height(); ++y) {
    int run = 0;
    for (int x = 0; x < before.Width(); ++x) {
      run = before.Pixel(x, y) == Rgb(60, 60, 120) ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  EXPECT_GT(longest, 60);
  EXPECT_EQ(PixelsOf(before, Rgb(130, 95, 70)), 0);

  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
  EXPECT_TRUE(label.Visited());
  const Bitmap32 after = Snapshot(label.Handle());
  EXPECT_GT(PixelsOf(after, Rgb(130, 95, 70)), 60);
  EXPECT_EQ(PixelsOf(after, Rgb(60, 60, 120)), 0);
}

TEST_F(HotURLLabelTest, HandCursorOverTheLabel) {
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(label.Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
}

TEST_F(HotURLLabelTest, EachClickOpensTheTargetOnceReleaseOutsideOpensNothing) {
  int own = 0;
  label.SetOnClick([&] { ++own; });
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
  EXPECT_EQ(GetCapture(), label.Handle());
  Send(WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
  EXPECT_NE(GetCapture(), label.Handle());
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
  EXPECT_EQ(opener.opened, (std::vector<std::string>{"mailto:someone@example.org", "mailto:someone@example.org"}));
  EXPECT_EQ(own, 2);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(300, 5));
  EXPECT_EQ(opener.opened.size(), 2u);
  EXPECT_EQ(own, 2);

  // A failed open leaves it visited (never back) and starts nothing for a mail target.
  opener.succeed = false;
  label.Click();
  EXPECT_TRUE(label.Visited());
  EXPECT_TRUE(opener.run.empty());
}

TEST_F(HotURLLabelTest, BlinkingAlternatesTheColourOnItsTimer) {
  label.SetBlinking(true);
  std::vector<Color> seen;
  for (int i = 0; i < 4; ++i) {
    Send(WM_TIMER, THotURLLabel::kBlinkTimer, 0);
    seen.push_back(label.TextColor());
  }
  EXPECT_EQ(seen, (std::vector<Color>{Rgb(0, 0, 255), Rgb(60, 60, 120), Rgb(0, 0, 255), Rgb(60, 60, 120)}));
  Send(WM_TIMER, THotURLLabel::kBlinkTimer, 0);
  label.SetBlinking(false);
  EXPECT_EQ(label.TextColor(), Rgb(60, 60, 120));
}

// The shell stand-ins: they record what they were asked and hand back a real handle.
SHELLEXECUTEINFOA g_seen{};
std::string g_seen_file, g_seen_verb;
HANDLE g_handed = nullptr;
BOOL g_result = TRUE;

BOOL WINAPI FakeExecute(SHELLEXECUTEINFOA* info) {
  g_seen = *info;
  g_seen_file = info->lpFile ? info->lpFile : "";
  g_seen_verb = info->lpVerb ? info->lpVerb : "";
  g_handed = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  info->hProcess = g_handed;
  return g_result;
}

BOOL WINAPI RealExecuteRecording(SHELLEXECUTEINFOA* info) {
  const BOOL ok = ShellExecuteExA(info);
  g_handed = info->hProcess;
  if (g_handed) {
    // Keep our own reference so the process can be waited for after the opener closed its handle.
    HANDLE mine = nullptr;
    DuplicateHandle(GetCurrentProcess(), g_handed, GetCurrentProcess(), &mine, 0, FALSE, DUPLICATE_SAME_ACCESS);
    g_seen.hProcess = mine;
  }
  return ok;
}

bool HandleIsOpen(HANDLE h) {
  DWORD flags = 0;
  return GetHandleInformation(h, &flags) != FALSE;
}

TEST(ShellUrlOpener, AsksTheShellToOpenItAndClosesTheProcessHandle) {
  for (BOOL result : {TRUE, FALSE}) {
    g_result = result;
    ShellUrlOpener opener(nullptr, &FakeExecute);
    EXPECT_EQ(opener.Open("mailto:someone@example.org"), result != FALSE);
    EXPECT_EQ(g_seen.cbSize, sizeof(SHELLEXECUTEINFOA));
    EXPECT_EQ(g_seen.fMask, 1344u);
    EXPECT_EQ(g_seen_verb, "Open");
    EXPECT_EQ(g_seen_file, "mailto:someone@example.org");
    EXPECT_EQ(g_seen.lpParameters, nullptr);
    EXPECT_EQ(g_seen.lpDirectory, nullptr);
    EXPECT_EQ(g_seen.nShow, SW_SHOWNORMAL);
    ASSERT_NE(g_handed, nullptr);
    EXPECT_FALSE(HandleIsOpen(g_handed)) << "the process handle the shell returned was left open";
  }
  g_result = TRUE;
}

TEST(ShellUrlOpener, RealShellOpenOfAProgramReturnsAndClosesItsHandle) {
  char sys[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryA(sys, MAX_PATH), 0u);
  const std::string target = std::string(sys) + "\\hostname.exe";  // prints a name and ends
  if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << target << " is missing";
  g_handed = nullptr;
  g_seen.hProcess = nullptr;
  ShellUrlOpener opener(nullptr, &RealExecuteRecording);
  EXPECT_TRUE(opener.Open(target));
  ASSERT_NE(g_handed, nullptr);
  EXPECT_FALSE(HandleIsOpen(g_handed));
  ASSERT_NE(g_seen.hProcess, nullptr);
  EXPECT_EQ(WaitForSingleObject(g_seen.hProcess, 20000), WAIT_OBJECT_0);
  CloseHandle(g_seen.hProcess);

  // A target the shell cannot open reports failure.
  g_handed = nullptr;
  EXPECT_FALSE(opener.Open(std::string(sys) + "\\no-such-file-netscry.xyz"));
}

}  // namespace
}  // namespace netscry
