// The refresh's snapshot read runs on a worker thread: a source that blocks until the test lets
// it go shows what the window does meanwhile (paints, sorts, answers), how refreshes asked for
// during a read are coalesced, and that closing does not wait for the read.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "common/message_box_catcher.h"
#include "common/modal_watch.h"
#include "base/dib_win32.h"
#include "connlist/columns.h"
#include "main_form_fixture.h"
#include "mainwindow/main_form_win32.h"
#include "procinfo/form_proc_info_win32.h"

namespace netscry {
namespace {

using testing::ClickControl;
using testing::MakeRow;
using testing::MessageBoxCatcher;
using testing::Pump;
using testing::TickSteps;
using testing::WaitForRefresh;

// Each read after the first (start-up's) waits until the test releases it. Shared-owned so a
// read still blocked when the window is gone keeps its source.
class GatedSnapshot : public SnapshotSource {
 public:
  GatedSnapshot()
      : entered_(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
        release_(CreateEventA(nullptr, TRUE, TRUE, nullptr)),
        returned_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}
  ~GatedSnapshot() override {
    CloseHandle(entered_);
    CloseHandle(release_);
    CloseHandle(returned_);
  }

  // What the next reads return; set only while no read runs.
  FileRecArray tcp, udp;
  std::atomic<int> calls{0};

  void Hold() { ResetEvent(release_); }
  void Release() { SetEvent(release_); }
  bool WaitEntered() { return WaitForSingleObject(entered_, 20000) == WAIT_OBJECT_0; }
  bool Returned(DWORD ms) { return WaitForSingleObject(returned_, ms) == WAIT_OBJECT_0; }

  void TakeSnapshot(FileRecArray& t, FileRecArray& u) override {
    ++calls;
    SetEvent(entered_);
    WaitForSingleObject(release_, 15000);  // bounded: a window that waits for the read still ends the test
    t = tcp;
    u = udp;
    SetEvent(returned_);
  }

 private:
  HANDLE entered_, release_, returned_;
};

FileRecArray Rows(const std::vector<const char*>& ports) {
  FileRecArray rows;
  int pid = 100;
  for (const char* port : ports) {
    const std::string p = std::to_string(pid++);
    rows.push_back(MakeRow(5, "10.0.0.1", port, "10.0.0.2", "80", p, "p" + p + ".exe", "C:\\p" + p + ".exe"));
  }
  return rows;
}

FileRecArray ManyRows(int count) {
  std::vector<std::string> ports;
  for (int i = 0; i < count; ++i) ports.push_back(std::to_string(10000 + i));
  std::vector<const char*> texts;
  for (const std::string& port : ports) texts.push_back(port.c_str());
  return Rows(texts);
}

std::vector<std::string> ShownPorts(TFormNetscry& f) {
  std::vector<std::string> ports;
  TStringTreeList& list = f.VTS->List();
  for (PTreeNode n = list.FirstNode(); n; n = list.NextNode(n)) {
    ports.push_back(list.ReadRowRecordAs<TMyRec>(n)->LocalPort.str());
  }
  return ports;
}

Bitmap32 ListPixels(TFormNetscry& f) {
  RECT r{};
  GetClientRect(f.VTS->Handle(), &r);
  Dib32 dib(r.right, r.bottom);
  SendMessageA(f.VTS->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.Dc()), PRF_CLIENT);
  GdiFlush();
  return dib.ToBitmap32();
}

class RefreshWorkerTest : public testing::MainFormFixture {
 protected:
  RefreshWorkerTest() : MainFormFixture("worker") {}

  void SetUp() override {
    MainFormFixture::SetUp();
    source_ = std::make_shared<GatedSnapshot>();
    source_->tcp = Rows({"3000", "1000", "2000"});
  }
  void TearDown() override {
    // A read still blocked is let go; the source outlives it.
    source_->Release();
    if (form_) WaitForRefresh(*form_);
    MainFormFixture::TearDown();
  }

  TFormNetscry& Make() {
    form_ = std::make_unique<TFormNetscry>(testing::DepsFor(*source_, dir_));
    EXPECT_TRUE(form_->Create());
    // Start-up's read, not held.
    EXPECT_EQ(source_->calls, 1);
    EXPECT_TRUE(source_->WaitEntered());
    EXPECT_TRUE(source_->Returned(20000));
    form_->Show();
    Pump();
    return *form_;
  }

  std::shared_ptr<GatedSnapshot> source_;
};

TEST_F(RefreshWorkerTest, TheWindowSortsAndPaintsWhileTheReadRunsAndShowsTheSnapshotAfterIt) {
  TFormNetscry& f = Make();
  source_->Hold();
  source_->tcp = Rows({"1000", "4000"});

  f.BTNRefresh->Click();  // returns while the read is held
  ASSERT_TRUE(source_->WaitEntered());
  EXPECT_TRUE(f.RefreshRunning());
  EXPECT_FALSE(f.BTNRefresh->Enabled()) << "the button stays disabled while the read runs";
  EXPECT_EQ(ShownPorts(f), (std::vector<std::string>{"3000", "1000", "2000"})) << "the rows as shown";

  // A click on the local port's caption sorts the rows shown (descending first), and the list
  // paints them.
  const Bitmap32 before = ListPixels(f);
  TStringTreeList& list = f.VTS->List();
  const LPARAM caption = MAKELPARAM(list.Header().ColumnLeft(kColLocalPort) + 10, TTreeHeader::kHeight / 2);
  SendMessageA(f.VTS->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, caption);
  SendMessageA(f.VTS->Handle(), WM_LBUTTONUP, 0, caption);
  Pump();
  EXPECT_EQ(ShownPorts(f), (std::vector<std::string>{"3000", "2000", "1000"}));
  EXPECT_FALSE(ListPixels(f) == before) << "the sorted rows were not painted";
  RECT update{};
  RedrawWindow(f.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_FALSE(GetUpdateRect(f.VTS->Handle(), &update, FALSE)) << "the list did not paint";
  EXPECT_TRUE(f.RefreshRunning()) << "the read is still held";

  source_->Release();
  ASSERT_TRUE(WaitForRefresh(f));
  EXPECT_TRUE(f.BTNRefresh->Enabled());
  EXPECT_EQ(source_->calls, 2);
  // The merge keeps the sort: the rows are the snapshot's, in the order chosen meanwhile.
  EXPECT_EQ(ShownPorts(f), (std::vector<std::string>{"4000", "1000"}));
  EXPECT_EQ(f.LabNetCount.Caption(), "2");
}

TEST_F(RefreshWorkerTest, RefreshesAskedForDuringAReadMakeExactlyOneMore) {
  TFormNetscry& f = Make();
  source_->Hold();
  f.BTNRefresh->Click();
  ASSERT_TRUE(source_->WaitEntered());

  // The timer's tick, the loopback option and a refresh from code, all while the read runs.
  f.Timer1Timer();
  ClickControl(f.CBShowLocal.Handle());
  f.BTNRefresh->Click();
  Pump();
  EXPECT_EQ(source_->calls, 2) << "no second read while one runs";

  source_->tcp = Rows({"5000"});
  source_->Release();
  ASSERT_TRUE(WaitForRefresh(f));
  EXPECT_EQ(source_->calls, 3) << "exactly one more read";
  EXPECT_EQ(ShownPorts(f), (std::vector<std::string>{"5000"}));
  EXPECT_TRUE(f.BTNRefresh->Enabled());
  // Nothing is left pending: a later read starts only when asked for.
  Pump();
  Sleep(50);
  Pump();
  EXPECT_EQ(source_->calls, 3);
}

TEST_F(RefreshWorkerTest, ClosingDuringAReadDoesNotWaitForItAndDropsItsResult) {
  TFormNetscry& f = Make();
  source_->Hold();
  f.BTNRefresh->Click();
  ASSERT_TRUE(source_->WaitEntered());
  HWND w = f.Handle();
  {
    MessageBoxCatcher catcher(IDYES);
    SendMessageA(w, WM_CLOSE, 0, 0);
    ASSERT_EQ(catcher.Boxes().size(), 1u) << "the close question as usual";
    EXPECT_EQ(catcher.Boxes()[0].text, "您确认要退出网络连接查看器?");
  }
  EXPECT_FALSE(IsWindow(w)) << "closed while the read is held";
  EXPECT_FALSE(source_->Returned(0)) << "the close waited for the read";
  form_.reset();

  // The read ends later; its result reaches no window.
  source_->tcp = Rows({"6000"});
  source_->Release();
  ASSERT_TRUE(source_->Returned(20000));
  Sleep(50);
  EXPECT_TRUE(Pump());
  EXPECT_EQ(source_->calls, 2);
}

TEST_F(RefreshWorkerTest, DuringAReadTheWindowMovesSizesScrollsAndShowsTheDetailsOfTheRowShown) {
  source_->tcp = ManyRows(100);
  TFormNetscry& f = Make();
  source_->Hold();
  source_->tcp = Rows({"4000"});
  f.BTNRefresh->Click();
  ASSERT_TRUE(source_->WaitEntered());

  // Moved and made larger: the list goes along and takes the extra size.
  RECT window{}, list_before{}, list_after{};
  GetWindowRect(f.Handle(), &window);
  GetWindowRect(f.VTS->Handle(), &list_before);
  SetWindowPos(f.Handle(), nullptr, window.left + 30, window.top + 20, window.right - window.left + 80,
               window.bottom - window.top + 60, SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  GetWindowRect(f.VTS->Handle(), &list_after);
  EXPECT_EQ(list_after.left, list_before.left + 30);
  EXPECT_EQ(list_after.top, list_before.top + 20);
  EXPECT_EQ(list_after.right - list_after.left, list_before.right - list_before.left + 80);
  EXPECT_EQ(list_after.bottom - list_after.top, list_before.bottom - list_before.top + 60);

  // Scrolled a page down.
  SendMessageA(f.VTS->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  Pump();
  SCROLLINFO bar{sizeof bar, SIF_POS, 0, 0, 0, 0, 0};
  GetScrollInfo(f.VTS->Handle(), SB_VERT, &bar);
  EXPECT_GT(bar.nPos, 0);
  EXPECT_EQ(f.VTS->List().OffsetY(), bar.nPos);

  // The details of the focused row open; the read ends and is merged while they are open, and the
  // dialog keeps showing the row it was opened on.
  TStringTreeList& list = f.VTS->List();
  list.FocusNode(list.FirstNode());
  const TMyRec focused = *list.ReadRowRecordAs<TMyRec>(list.FirstNode());
  std::vector<std::string> seen, rows_then;
  {
    TickSteps ticks({[&] {
                       if (!FormProcInfo || !IsWindowVisible(FormProcInfo->Handle())) return false;
                       EXPECT_TRUE(f.RefreshRunning());
                       source_->Release();
                       return true;
                     },
                     [&] {
                       if (f.RefreshRunning()) return false;
                       seen = {FormProcInfo->LabExe.Caption(), FormProcInfo->LabPID.Caption()};
                       rows_then = ShownPorts(f);
                       PostMessageA(FormProcInfo->Handle(), WM_CLOSE, 0, 0);
                       return true;
                     }},
                    [] {
                      if (FormProcInfo) PostMessageA(FormProcInfo->Handle(), WM_CLOSE, 0, 0);
                    });
    f.VTSDblClick(list);
    EXPECT_TRUE(ticks.Finished());
    EXPECT_FALSE(ticks.GaveUp());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{focused.ProcessName.str(), "PID:" + focused.ProcessID.str()}));
  EXPECT_EQ(rows_then, (std::vector<std::string>{"4000"})) << "merged while the dialog was open";
  EXPECT_EQ(FormProcInfo, nullptr);
  EXPECT_TRUE(f.BTNRefresh->Enabled());
}

}  // namespace
}  // namespace netscry
