// Where the keys go after a refresh (the list in the active main window, the dialog while one is
// open) and what a copy leaves on the clipboard (both text formats, or the user's old contents
// when the copy fails).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mainwindow/row_commands.h"
#include "mainwindow/row_commands_win32.h"
#include "procinfo/form_proc_info_win32.h"
#include "common/clipboard_text.h"
#include "row_commands_fixture.h"

namespace netscry {
namespace {

using testing::ClipboardText;
using testing::ClipboardUnicodeText;
using testing::TickSteps;
using namespace rowtests;

FakeSnapshot ThreeRows() {
  FakeSnapshot s;
  s.tcp = {MakeRow(5, "10.0.0.1", "1000", "10.0.0.2", "80", "100", "a.exe", "C:\\a.exe"),
           MakeRow(5, "10.0.0.1", "1001", "10.0.0.2", "80", "200", "b.exe", "C:\\b.exe"),
           MakeRow(5, "10.0.0.1", "1002", "10.0.0.2", "80", "300", "c.exe", "C:\\c.exe")};
  return s;
}

// A key as the system delivers typing: to the window that has the keyboard focus.
void Type(WPARAM key) {
  HWND focus = GetFocus();
  ASSERT_NE(focus, nullptr);
  PostKey(focus, key);
  Pump();
}

TEST_F(RowCommandsTest, TheListHasTheKeyboardAfterARefreshAndArrowKeysMoveItsFocus) {
  FakeSnapshot snapshot = ThreeRows();
  TFormNetscry& f = Make(snapshot, nullptr);
  SetActiveWindow(f.Handle());
  ASSERT_EQ(GetActiveWindow(), f.Handle());
  List().FocusNode(List().FirstNode());
  // The keyboard on the refresh button, as after clicking it.
  SetFocus(f.BTNRefresh->Handle());
  ASSERT_EQ(GetFocus(), f.BTNRefresh->Handle());

  f.BTNRefresh->Click();
  ASSERT_TRUE(testing::WaitForRefresh(f));
  EXPECT_EQ(GetFocus(), f.VTS->Handle());
  Type(VK_DOWN);
  EXPECT_EQ(List().FocusedRow(), List().NextNode(List().FirstNode()));
}

TEST_F(RowCommandsTest, ARefreshInsideTheDetailsDialogLeavesItTheKeys) {
  FakeSnapshot snapshot = ThreeRows();
  RecordingProcesses processes;
  processes.RunAsShown(snapshot);
  TFormNetscry& f = Make(snapshot, &processes);
  SetActiveWindow(f.Handle());

  HWND focus_after_refresh = nullptr;
  {
    TickSteps ticks({[&] {
                       if (!FormProcInfo || !IsWindowVisible(FormProcInfo->Handle())) return false;
                       f.Timer1Timer();  // the auto refresh's tick inside the dialog's loop
                       EXPECT_TRUE(testing::WaitForRefresh(f));
                       focus_after_refresh = GetFocus();
                       // Enter typed now goes where the keyboard is; OK has it when the dialog opens.
                       if (focus_after_refresh) PostKey(focus_after_refresh, VK_RETURN);
                       return true;
                     }},
                    [] {
                      if (FormProcInfo) PostMessageA(FormProcInfo->Handle(), WM_CLOSE, 0, 0);
                    },
                    30, 100);
    SendMessageA(f.VTS->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(1, kColProcess));
    SendMessageA(f.VTS->Handle(), WM_LBUTTONUP, 0, At(1, kColProcess));
    // The second release comes while the dialog runs its loop, as a person's double click does.
    SendMessageA(f.VTS->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(1, kColProcess));
    EXPECT_TRUE(ticks.Finished());
    EXPECT_FALSE(ticks.GaveUp()) << "Enter did not reach the dialog's OK button";
  }
  EXPECT_NE(focus_after_refresh, f.VTS->Handle()) << "the refresh took the keyboard from the dialog";
  EXPECT_EQ(FormProcInfo, nullptr);
  // The keys did not act on the list behind the dialog: its focus stayed on the row opened.
  EXPECT_EQ(List().FocusedRow(), List().NextNode(List().FirstNode()));
}

TEST_F(RowCommandsTest, ARefreshWhileAnotherWindowIsActiveLeavesItTheKeys) {
  FakeSnapshot snapshot = ThreeRows();
  TFormNetscry& f = Make(snapshot, nullptr);
  // Another window of this thread where the user types: an edit box of its own.
  HWND other = CreateWindowExA(0, "EDIT", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 100, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(other, nullptr);
  SetActiveWindow(other);
  SetFocus(other);
  ASSERT_EQ(GetActiveWindow(), other);

  f.Timer1Timer();  // an auto refresh while the user works in the other window
  ASSERT_TRUE(testing::WaitForRefresh(f));
  EXPECT_EQ(GetActiveWindow(), other);
  EXPECT_EQ(GetFocus(), other);
  const PTreeNode focused_row = List().FocusedRow();
  Type('x');
  Type(VK_DOWN);
  EXPECT_EQ(List().FocusedRow(), focused_row);  // no key reached the list
  DestroyWindow(other);
}

TEST_F(RowCommandsTest, ARefreshInsideTheQuestionLeavesItTheKeys) {
  FakeSnapshot snapshot = ThreeRows();
  snapshot.tcp[0].FilePath = SystemDirectory() + "\\svc.exe";
  RecordingProcesses processes;
  processes.RunAsShown(snapshot);
  TFormNetscry& f = Make(snapshot, &processes);
  SetActiveWindow(f.Handle());
  List().FocusNode(List().FirstNode());

  // The question box does not disable the main window, which stays a target for the keyboard.
  testing::BoxWatcher boxes(IDNO);
  HWND focus_after_refresh = nullptr;
  bool focus_in_box = false;
  boxes.inside = [&] {
    HWND box = GetActiveWindow();
    f.Timer1Timer();  // the auto refresh's tick inside the question's loop
    EXPECT_TRUE(testing::WaitForRefresh(f));
    focus_after_refresh = GetFocus();
    focus_in_box = focus_after_refresh && IsChild(box, focus_after_refresh);
  };
  f.BTNEndPro->Click();
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_NE(focus_after_refresh, f.VTS->Handle()) << "the refresh took the keyboard from the question";
  EXPECT_TRUE(focus_in_box) << "the question lost the keyboard";
  EXPECT_TRUE(processes.ended.empty());
}

std::wstring FromSystemCodePage(const std::string& text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
  std::wstring wide(std::size_t(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), wide.data(), n);
  return wide;
}

// Puts a private format alone on the clipboard, standing for what the user had copied.
UINT PutUsersOwnData() {
  const UINT format = RegisterClipboardFormatA("NetscryUsersData");
  if (!OpenClipboard(nullptr)) return 0;
  EmptyClipboard();
  HGLOBAL old = GlobalAlloc(GMEM_MOVEABLE, 4);
  SetClipboardData(format, old);
  CloseClipboard();
  return format;
}

TEST(Clipboard, UnicodeTextIsPlacedFromTheSystemCodePageWhateverTheInputLanguage) {
  // An input language whose code page is not the system's: text offered only as code-page text
  // is then turned into Unicode with the input language's code page.
  HKL before = GetKeyboardLayout(0);
  LoadKeyboardLayoutA("00000409", KLF_ACTIVATE);
  const std::string text = "\xCD\xF8\xD2\xB3 a,b\r\n";  // 网页 in code page 936
  PutClipboardText(nullptr, text);
  ActivateKeyboardLayout(before, 0);
  EXPECT_EQ(ClipboardText(), text);
  const std::wstring wide = ClipboardUnicodeText();
  EXPECT_TRUE(wide == FromSystemCodePage(text)) << "CF_UNICODETEXT differs from the text in the system code page";
  if (GetACP() == 936) {
    EXPECT_TRUE(wide == L"网页 a,b\r\n");
  }

  // Both formats were placed, not only offered: they come first in the clipboard's order.
  ASSERT_TRUE(OpenClipboard(nullptr));
  std::vector<UINT> formats;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
    formats.push_back(format);
  CloseClipboard();
  ASSERT_GE(formats.size(), 2u);
  EXPECT_EQ(formats[0], UINT(CF_TEXT));
  EXPECT_EQ(formats[1], UINT(CF_UNICODETEXT));
}

// Fails the nth block it is asked for (counting from 1) and makes the others.
int g_fail_at = 0;
int g_calls = 0;
HGLOBAL WINAPI FailingAlloc(UINT flags, SIZE_T size) {
  return ++g_calls == g_fail_at ? nullptr : GlobalAlloc(flags, size);
}

TEST(Clipboard, ACopyThatCannotBeMadeLeavesTheUsersClipboardAsItWas) {
  for (const int fail_at : {1, 2}) {
    const UINT users = PutUsersOwnData();
    ASSERT_NE(users, 0u);
    g_fail_at = fail_at;
    g_calls = 0;
    EXPECT_THROW(PutClipboardText(nullptr, "copy", &FailingAlloc), std::runtime_error) << fail_at;
    EXPECT_TRUE(IsClipboardFormatAvailable(users)) << "block " << fail_at << " failed and the clipboard was emptied";
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT)) << fail_at;
  }
  // Once nothing fails, the copy replaces it.
  g_fail_at = 0;
  PutClipboardText(nullptr, "copy", &FailingAlloc);
  EXPECT_EQ(ClipboardText(), "copy");
}

}  // namespace
}  // namespace netscry
