#pragma once
// What the tests of the real main window share: rows and a snapshot source standing in for the
// system's, a folder of its own for the settings file, the window made as the program makes it,
// the message queue handled, and a user's click on a control or focus on a process's row.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "common/win32_test_util.h"
#include "forms/application_win32.h"
#include "mainwindow/main_form_win32.h"

namespace netscry::testing {

inline File_Rec MakeRow(std::uint32_t state, const std::string& lip, const std::string& lport, const std::string& rip,
                        const std::string& rport, const std::string& pid, const std::string& name,
                        const std::string& path, const std::string& desc = "") {
  File_Rec r;
  r.State = state;
  r.LocalIP = lip;
  r.LocalPort = lport;
  r.RemoteIP = rip;
  r.RemotePort = rport;
  r.ProcessID = pid;
  r.ProcessName = name;
  r.FilePath = path;
  r.FileDesc = desc;
  return r;
}

inline bool WaitForRefresh(TFormNetscry& form, DWORD bound_ms = 60000);

// A test's snapshot source lives on its stack, but the window's read runs on a worker thread: a
// source going away first lets the main window's refresh end, so no read outlives it.
inline void LetTheReadEnd() {
  if (FormNetscry) WaitForRefresh(*FormNetscry);
}

// Hands out `tcp` and `udp` as the system's connections, counting the snapshots; `during` runs
// inside each snapshot, and `fail` makes it throw as a failed snapshot does.
class FakeSnapshot : public SnapshotSource {
 public:
  FileRecArray tcp, udp;
  int calls = 0;
  bool fail = false;
  std::function<void()> during;

  ~FakeSnapshot() override { LetTheReadEnd(); }

  void TakeSnapshot(FileRecArray& t, FileRecArray& u) override {
    ++calls;
    if (during) during();
    if (fail) throw std::runtime_error("snapshot failed");
    t = tcp;
    u = udp;
  }
};

// A new folder in the temp folder, for the settings file one main window writes (with the
// trailing backslash the window expects of its program folder). `tag` names the tests using it.
inline std::string MakeSettingsFolder(const std::string& tag) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  static int serial = 0;
  const std::string dir =
      std::string(temp) + "netscry-" + tag + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
  CreateDirectoryA(dir.c_str(), nullptr);
  const std::string ini = dir + "\\Netscry.ini";
  DeleteFileA(ini.c_str());  // left by an earlier run of the same process id
  RemoveDirectoryA(ini.c_str());
  return dir + "\\";
}

// Removes the folder with the settings file in it (or a folder a test put where the file goes).
inline void RemoveSettingsFolder(const std::string& dir) {
  const std::string ini = dir + "Netscry.ini";
  DeleteFileA(ini.c_str());
  RemoveDirectoryA(ini.c_str());
  RemoveDirectoryA(dir.c_str());
}

inline MainWindowDeps DepsFor(SnapshotSource& snapshot, const std::string& dir, ProcessActions* processes = nullptr,
                              ShellOpener* shell = nullptr) {
  MainWindowDeps deps;
  deps.snapshot = &snapshot;
  deps.app_path = dir;
  deps.processes = processes;
  deps.shell = shell;
  return deps;
}

// Handles messages until the window's refresh, with any follow-up it coalesced, has been applied
// (the read runs on a worker thread and its result arrives as a message). False when it is still
// running after `bound_ms`, a bound far above any read these tests make.
inline bool WaitForRefresh(TFormNetscry& form, DWORD bound_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (!Pump()) return false;
    if (!form.RefreshRunning()) return true;
    if (GetTickCount() - start > bound_ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

// As the program runs it: the application's main window, shown, active (and so topmost when it
// is set to be).
inline void ShowAsMainForm(TFormNetscry& form) {
  forms::Application::Instance().SetMainForm(&form);
  form.Show();
  SetActiveWindow(form.Handle());
  Pump();
}

// A user's click on a check box or button: the control's own mouse handling, then its
// notification to the parent (a system button), or its click event (a hot-track button). An
// error that escapes its handler reaches the application's handler as it would in the program.
inline void ClickControl(HWND h) {
  char cls[64] = {};
  GetClassNameA(h, cls, sizeof(cls));
  if (lstrcmpiA(cls, "Button") == 0) {
    SendMessageA(h, BM_CLICK, 0, 0);
    return;
  }
  RECT r{};
  GetClientRect(h, &r);
  const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
  SendMessageA(h, WM_MOUSEMOVE, 0, at);
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(h, WM_LBUTTONUP, 0, at);
}

// Focuses the first row of the process named `process`, as a click on it would.
inline void FocusRowOf(TFormNetscry& form, const std::string& process) {
  TStringTreeList& list = form.VTS->List();
  for (PTreeNode n = list.FirstNode(); n; n = list.NextNode(n)) {
    const TMyRec* rec = list.ReadRowRecordAs<TMyRec>(n);
    if (rec && rec->ProcessName == process) {
      list.FocusNode(n);
      return;
    }
  }
  ADD_FAILURE() << "no row of " << process;
}

// One test's settings folder (`dir_`, with `ini_` the settings file's path in it) and main window
// (`form_`, made by the test or its fixture), both gone when the test is done.
class MainFormFixture : public ::testing::Test {
 protected:
  explicit MainFormFixture(const char* tag) : tag_(tag) {}

  void SetUp() override {
    forms::Application::Instance().SetTitle("Netscry");
    dir_ = MakeSettingsFolder(tag_);
    ini_ = dir_ + "Netscry.ini";
  }
  void TearDown() override {
    form_.reset();
    Pump();
    RemoveSettingsFolder(dir_);
  }

  std::string dir_, ini_;
  std::unique_ptr<TFormNetscry> form_;

 private:
  const char* tag_;
};

}  // namespace netscry::testing
