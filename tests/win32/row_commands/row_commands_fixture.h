#pragma once
// What the row command tests share, beside the main window tests' set-up: a counted system
// snapshot, a platform that records the processes it would end, a watcher that opens and answers
// popup menus, and the main window with mouse messages at row positions.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../mainwindow/main_form_fixture.h"
#include "common/modal_watch.h"
#include "common/recording_processes.h"
#include "../snapshot/helper_process.h"
#include "connlist/columns.h"
#include "forms/application_win32.h"
#include "mainwindow/main_form_win32.h"
#include "mainwindow/system_snapshot_win32.h"

namespace netscry::rowtests {

using testing::FakeSnapshot;
using testing::MakeRow;
using testing::PostKey;
using testing::Pump;
using testing::SystemDirectory;

// The system's snapshot, counted.
class CountingSystemSnapshot : public SnapshotSource {
 public:
  int calls = 0;
  ~CountingSystemSnapshot() override { testing::LetTheReadEnd(); }
  void TakeSnapshot(FileRecArray& t, FileRecArray& u) override {
    ++calls;
    system_.TakeSnapshot(t, u);
  }

 private:
  SystemSnapshotSource system_;
};

// A platform whose processes run from the files their rows show (RunAsShown), recording what it
// ends instead of ending anything.
class RecordingProcesses : public testing::RecordingProcessActions {
 public:
  std::map<std::uint32_t, std::string> images;

  void RunAsShown(const FakeSnapshot& snapshot) {
    for (const FileRecArray* recs : {&snapshot.tcp, &snapshot.udp}) {
      for (const File_Rec& r : *recs) images[std::uint32_t(std::stoul(r.ProcessID.str()))] = r.FilePath.str();
    }
  }

  OpenedProcess OpenToEnd(std::uint32_t pid) override {
    if (!images.count(pid)) return {OpenToEndResult::kGone, nullptr};
    return Opened(pid);
  }
  bool SamePath(const std::string& a, const std::string& b) override {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
  }

 protected:
  std::string ImageOf(std::uint32_t pid) override { return images[pid]; }
};

// Watches for popup menus opened on this thread: records each with NProcInfo's state, then either
// closes it at once or chooses an item with the keyboard (Down pressed `downs` times, then Enter).
class MenuWatcher {
 public:
  explicit MenuWatcher(UINT probe_item) : probe_item_(probe_item) {
    current_ = this;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, &MenuWatcher::Hook, nullptr, GetCurrentThreadId());
  }
  ~MenuWatcher() {
    UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  int downs = 0;  // 0: close without choosing
  std::vector<bool> row_items_enabled;
  std::function<void()> on_open;  // runs inside the menu's loop, as a timer would

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && current_ && m->message == WM_INITMENUPOPUP) {
      HMENU menu = reinterpret_cast<HMENU>(m->wParam);
      current_->row_items_enabled.push_back((GetMenuState(menu, current_->probe_item_, MF_BYCOMMAND) & MF_GRAYED) == 0);
      if (current_->on_open) current_->on_open();
      if (current_->downs == 0) {
        PostMessageA(m->hwnd, WM_CANCELMODE, 0, 0);
        EndMenu();
      } else {
        for (int i = 0; i < current_->downs; ++i) PostMessageA(m->hwnd, WM_KEYDOWN, VK_DOWN, 1);
        PostMessageA(m->hwnd, WM_KEYDOWN, VK_RETURN, 1);
      }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
  }
  static inline MenuWatcher* current_ = nullptr;
  HHOOK hook_;
  UINT probe_item_;
};

// The image path of a running process as the platform reports it (what a row shows).
inline std::string ImagePathOf(DWORD pid) {
  std::string path;
  if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid)) {
    char buffer[MAX_PATH * 2] = {};
    DWORD size = sizeof buffer;
    if (QueryFullProcessImageNameA(process, 0, buffer, &size)) path.assign(buffer, size);
    CloseHandle(process);
  }
  return path;
}

class RowCommandsTest : public testing::MainFormFixture {
 protected:
  RowCommandsTest() : MainFormFixture("rc") {}

  TFormNetscry& Make(SnapshotSource& snapshot, ProcessActions* processes) {
    form_ = std::make_unique<TFormNetscry>(testing::DepsFor(snapshot, dir_, processes));
    EXPECT_TRUE(form_->Create());
    form_->Show();
    return *form_;
  }

  TStringTreeList& List() { return form_->VTS->List(); }

  std::vector<PTreeNode> RowsOf(const std::string& pid) {
    std::vector<PTreeNode> rows;
    for (PTreeNode n = List().FirstNode(); n; n = List().NextNode(n)) {
      if (List().ReadRowRecordAs<TMyRec>(n)->ProcessID == pid) rows.push_back(n);
    }
    return rows;
  }

  // Mouse messages as the list gets them, on row `row` (rows from the top, unscrolled).
  LPARAM At(int row, TColumnIndex column) {
    const int x = List().Header().ColumnLeft(column) + 10;
    return MAKELPARAM(x, TTreeHeader::kHeight + row * TStringTreeList::DefaultNodeHeight + 10);
  }
  void Click(int row, TColumnIndex column) {
    SendMessageA(form_->VTS->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(row, column));
    SendMessageA(form_->VTS->Handle(), WM_LBUTTONUP, 0, At(row, column));
  }
  void RightClick(int row, TColumnIndex column) {
    SendMessageA(form_->VTS->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, At(row, column));
    SendMessageA(form_->VTS->Handle(), WM_RBUTTONUP, 0, At(row, column));
  }
  // In a person's order: the second release comes while the dialog the double click opened runs
  // its loop, so the list never sees it; once the dialog is gone the mouse must be free.
  void DoubleClick(int row, TColumnIndex column) {
    Click(row, column);
    SendMessageA(form_->VTS->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(row, column));
    EXPECT_NE(GetCapture(), form_->VTS->Handle()) << "the list kept the mouse after the double click";
  }

};

}  // namespace netscry::rowtests
