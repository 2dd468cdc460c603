// The process details dialog under the platform: its layout and captions, the icon as painted,
// its skin, the keyboard (Enter closes, Escape does not), a new dialog for every use, the locate
// link and the hidden end-process button.
#include "procinfo/form_proc_info_win32.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "base/dib_win32.h"
#include "forms/application_win32.h"
#include "common/modal_watch.h"
#include "procinfo/process_actions_win32.h"
#include "procinfo/procinfo_layout.h"
#include "common/recording_processes.h"

namespace netscry {
namespace {

using testing::BoxWatcher;
using testing::PostKey;
using testing::RecordingProcessActions;
using testing::SystemDirectory;
using testing::TickSteps;

// A platform whose processes run from `image` (when they open at all), recording what it ends.
class RecordingActions : public RecordingProcessActions {
 public:
  bool can_open = true;
  std::string image;
  OpenedProcess OpenToEnd(std::uint32_t pid) override {
    if (!can_open) return {OpenToEndResult::kRefused, nullptr};
    return Opened(pid);
  }
  bool SamePath(const std::string& a, const std::string& b) override { return a == b; }

 protected:
  std::string ImageOf(std::uint32_t) override { return image; }
};

Rect RectIn(HWND child, HWND parent) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

LOGFONTA FontOf(const forms::Label& label) {
  LOGFONTA lf{};
  GetObjectA(label.FontHandle(), sizeof lf, &lf);
  return lf;
}

std::string SystemExe(const char* name) { return SystemDirectory() + "\\" + name; }

class ProcInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    forms::Application::Instance().SetTitle("Netscry");
    forms::FormParams p;
    p.caption = "owner";
    p.client_size = {700, 500};
    ASSERT_TRUE(owner_.CreateForm(p));
    owner_.Show();
    row_.Protocol = "TCP";
    row_.ProcessName = "notepad.exe";
    row_.ProcessID = "1234";
    row_.FilePath = SystemExe("notepad.exe");
    row_.FileDesc = "";
    row_.Company = "";
  }
  void TearDown() override {
    if (FormProcInfo) delete FormProcInfo;
    owner_.Destroy();
  }

  TFormProcInfo* Make(TImageListEx* icons) {
    return CreateProcInfoDialog(owner_.Handle(), row_, icons, "无法结束进程!", &actions_);
  }

  // Shows the dialog modally and runs the steps inside its loop; closes it if they get stuck.
  void ShowModalWith(std::vector<std::function<bool()>> steps, TImageListEx* icons = nullptr) {
    TickSteps ticks(std::move(steps), [] {
      if (FormProcInfo) PostMessageA(FormProcInfo->Handle(), WM_CLOSE, 0, 0);
    });
    ShowProcInfoDialog(owner_.Handle(), row_, icons, "无法结束进程!", &actions_);
    EXPECT_TRUE(ticks.Finished());
    EXPECT_FALSE(ticks.GaveUp());
  }

  forms::Form owner_;
  TMyRec row_;
  RecordingActions actions_;
};

TEST_F(ProcInfoTest, LayoutAndCaptionsOfARowWithoutCompanyAndDescription) {
  TImageListEx icons(32);
  TFormProcInfo* d = Make(&icons);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(FormProcInfo, d);
  HWND w = d->Handle();
  EXPECT_FALSE(IsWindowVisible(w));  // filled, not yet shown
  EXPECT_EQ(d->Text(), "进程详细信息");
  EXPECT_EQ(d->ClientRect(), (Rect{0, 0, 425, 237}));
  EXPECT_EQ(GetWindow(w, GW_OWNER), owner_.Handle());
  EXPECT_EQ(GetWindowLongPtrA(w, GWL_STYLE) & WS_THICKFRAME, 0);
  // Centred on the main window.
  RECT dr{}, orc{};
  GetWindowRect(w, &dr);
  GetWindowRect(owner_.Handle(), &orc);
  EXPECT_LE(std::abs((dr.left + dr.right) - (orc.left + orc.right)), 1);
  EXPECT_LE(std::abs((dr.top + dr.bottom) - (orc.top + orc.bottom)), 1);

  HWND panel = d->Panel1.Handle();
  EXPECT_EQ(RectIn(panel, w), (Rect{0, 0, 425, 237}));
  EXPECT_EQ(d->Panel1.BackgroundColor(), Rgb(236, 245, 248));
  EXPECT_EQ(RectIn(d->Image1.Handle(), panel), (Rect{16, 16, 48, 48}));
  EXPECT_EQ(RectIn(d->Shape1.Handle(), panel), (Rect{8, 114, 417, 115}));
  EXPECT_EQ(RectIn(d->Shape2.Handle(), panel), (Rect{8, 198, 417, 199}));
  EXPECT_EQ(d->Shape1.PenColor(), Rgb(196, 211, 219));
  EXPECT_EQ(RectIn(d->EPath.Handle(), panel), (Rect{8, 140, 417, 160}));
  EXPECT_EQ(RectIn(d->BTNOK->Handle(), panel), (Rect{321, 202, 418, 228}));
  EXPECT_EQ(RectIn(d->BTNEndProc->Handle(), panel), (Rect{208, 203, 305, 229}));

  // Self-sizing labels at their corners, with the captions and their trailing blanks.
  struct LabelCase {
    forms::Label* label;
    Point at;
    std::string caption;
  };
  const LabelCase labels[] = {
      {&d->LabExe, {80, 16}, "notepad.exe"}, {&d->LabExeDes, {80, 45}, "  "},     {&d->LabPID, {80, 69}, "PID:1234"},
      {&d->Labcomp, {80, 91}, " "},          {&d->Label5, {10, 121}, "文件路径: "}, {&d->LabLocate, {12, 179}, "定位文件"},
  };
  for (const LabelCase& c : labels) {
    const Rect r = RectIn(c.label->Handle(), panel);
    EXPECT_EQ(c.label->Caption(), c.caption);
    EXPECT_EQ((Point{r.left, r.top}), c.at) << c.caption;
    EXPECT_EQ(r.Width(), c.label->TextExtent().cx) << c.caption;
    EXPECT_GT(r.Width(), 0) << c.caption;  // blanks have a width too
  }
  EXPECT_EQ(FontOf(d->LabExe).lfWeight, FW_BOLD);
  EXPECT_FALSE(IsWindowEnabled(d->LabExeDes.Handle()));  // drawn greyed
  EXPECT_TRUE(FontOf(d->LabLocate).lfUnderline);
  EXPECT_EQ(d->LabLocate.FontColor(), Rgb(0, 0, 255));
  EXPECT_EQ(std::abs(FontOf(d->LabPID).lfHeight), 11);

  // The path: read-only, a flat border rather than a sunken edge.
  EXPECT_EQ(d->EPath.Text(), row_.FilePath);
  EXPECT_NE(GetWindowLongPtrA(d->EPath.Handle(), GWL_STYLE) & ES_READONLY, 0);
  EXPECT_EQ(GetWindowLongPtrA(d->EPath.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);

  EXPECT_EQ(d->BTNOK->Text(), "确定");
  EXPECT_TRUE(d->BTNOK->Visible());
  EXPECT_EQ(d->BTNEndProc->Text(), "结束进程");
  EXPECT_FALSE(d->BTNEndProc->Visible());
  EXPECT_EQ(d->FMsgEndFailed, "无法结束进程!");

  // The skin the dialog carries.
  EXPECT_EQ(d->skCompressedStoredSkin1.FileName(), "Vista世界.skn");
  EXPECT_FALSE(d->skCompressedStoredSkin1.IsEmpty());
  EXPECT_FALSE(d->skSkinData1.Empty);

  d->Close();  // frees itself
  EXPECT_EQ(FormProcInfo, nullptr);
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(ProcInfoTest, IconIsDrawnAtOneOneOnWhiteAndWhiteIsTransparent) {
  TImageListEx icons(32);
  TFormProcInfo* d = Make(&icons);
  ASSERT_NE(d, nullptr);
  const Bitmap32& picture = d->Image1.Picture();
  ASSERT_EQ(picture.Width(), 32);
  ASSERT_EQ(picture.Height(), 32);
  // The first row and column stay white: the icon starts at (1, 1).
  for (int i = 0; i < 32; ++i) {
    EXPECT_EQ(picture.Pixel(i, 0), kWhite) << i;
    EXPECT_EQ(picture.Pixel(0, i), kWhite) << i;
  }
  int icon_x = -1, icon_y = -1;
  for (int y = 1; y < 32 && icon_x < 0; ++y) {
    for (int x = 1; x < 32; ++x) {
      if (picture.Pixel(x, y) != kWhite) {
        icon_x = x;
        icon_y = y;
        break;
      }
    }
  }
  ASSERT_GE(icon_x, 0) << "no icon drawn";

  // Painted: white shows the panel's colour, the icon its own.
  Dib32 shot(32, 32);
  ASSERT_TRUE(shot.Valid());
  SendMessageA(d->Image1.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.Dc()), PRF_CLIENT);
  EXPECT_EQ(shot.Pixel(0, 0), Rgb(236, 245, 248));
  EXPECT_EQ(shot.Pixel(0, 31), Rgb(236, 245, 248));
  EXPECT_EQ(shot.Pixel(icon_x, icon_y), picture.Pixel(icon_x, icon_y));
  d->Close();
}

TEST_F(ProcInfoTest, WithoutAnIconTheImageIsEmpty) {
  TFormProcInfo* d = Make(nullptr);
  ASSERT_NE(d, nullptr);
  EXPECT_TRUE(d->Image1.Picture().IsEmpty());
  Dib32 shot(32, 32);
  SendMessageA(d->Image1.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.Dc()), PRF_CLIENT);
  for (int y = 0; y < 32; y += 7) {
    for (int x = 0; x < 32; x += 7) EXPECT_EQ(shot.Pixel(x, y), Rgb(236, 245, 248));
  }
  // The captions are filled all the same.
  EXPECT_EQ(d->LabPID.Caption(), "PID:1234");
  d->Close();
}

TEST_F(ProcInfoTest, OkHasTheFocusEnterClosesEscapeDoesNot) {
  HWND dialog = nullptr;
  ShowModalWith({
      [&] {
        if (!FormProcInfo || !IsWindowVisible(FormProcInfo->Handle())) return false;
        dialog = FormProcInfo->Handle();
        EXPECT_EQ(GetFocus(), FormProcInfo->BTNOK->Handle());
        EXPECT_FALSE(IsWindowEnabled(owner_.Handle()));  // modal
        PostKey(GetFocus(), VK_ESCAPE);
        return true;
      },
      [&] {
        EXPECT_TRUE(IsWindow(dialog)) << "Escape closed the dialog";
        EXPECT_TRUE(FormProcInfo && FormProcInfo->Handle() == dialog);
        PostKey(GetFocus(), VK_RETURN);
        return true;
      },
  });
  EXPECT_NE(dialog, nullptr);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(FormProcInfo, nullptr);
  EXPECT_TRUE(IsWindowEnabled(owner_.Handle()));
  EXPECT_TRUE(actions_.ended.empty());
}

TEST_F(ProcInfoTest, SpaceClicksTheFocusedButtonAndTheFrameCloseCloses) {
  HWND dialog = nullptr;
  ShowModalWith({[&] {
    if (!FormProcInfo || !IsWindowVisible(FormProcInfo->Handle())) return false;
    dialog = FormProcInfo->Handle();
    PostKey(GetFocus(), VK_SPACE);
    return true;
  }});
  EXPECT_FALSE(IsWindow(dialog));

  ShowModalWith({[&] {
    if (!FormProcInfo || !IsWindowVisible(FormProcInfo->Handle())) return false;
    dialog = FormProcInfo->Handle();
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    return true;
  }});
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(FormProcInfo, nullptr);
}

TEST_F(ProcInfoTest, EveryUseMakesANewDialog) {
  std::vector<HWND> seen;
  auto use = [&] {
    ShowModalWith({[&] {
      if (!FormProcInfo || !IsWindowVisible(FormProcInfo->Handle())) return false;
      // The dialog of an earlier use is gone.
      for (HWND earlier : seen) EXPECT_FALSE(IsWindow(earlier));
      seen.push_back(FormProcInfo->Handle());
      PostKey(GetFocus(), VK_RETURN);
      return true;
    }});
  };
  use();
  use();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_NE(seen[0], seen[1]);
}

TEST_F(ProcInfoTest, LocateLinkRevealsThePathAndTheDialogStays) {
  TFormProcInfo* d = Make(nullptr);
  ASSERT_NE(d, nullptr);
  d->Show();
  HWND link = d->LabLocate.Handle();
  SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(actions_.revealed, std::vector<std::string>{row_.FilePath.str()});
  EXPECT_TRUE(IsWindow(d->Handle()));
  d->Close();
}

TEST_F(ProcInfoTest, HiddenEndProcessButtonEndsTheLabelsProcessOrSaysItCannot) {
  TFormProcInfo* d = Make(nullptr);
  ASSERT_NE(d, nullptr);
  HWND w = d->Handle();
  {
    actions_.can_open = false;
    BoxWatcher boxes;
    d->BTNEndProc->Click();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "无法结束进程!");
    EXPECT_EQ(boxes.Boxes()[0].caption, "Netscry");
    EXPECT_EQ(boxes.Boxes()[0].buttons, std::vector<int>{IDOK});
    EXPECT_FALSE(boxes.Boxes()[0].has_icon);
    EXPECT_TRUE(IsWindow(w));  // the dialog stays
  }
  actions_.can_open = true;
  {
    // Another program under the label's process ID is not ended.
    actions_.image = "C:\\Windows\\System32\\other.exe";
    BoxWatcher boxes;
    d->BTNEndProc->Click();
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_TRUE(actions_.ended.empty());
    EXPECT_TRUE(IsWindow(w));
  }
  actions_.image = d->EPath.Text();
  d->BTNEndProc->Click();
  EXPECT_EQ(actions_.ended, std::vector<std::uint32_t>{1234u});
  EXPECT_FALSE(IsWindow(w));  // closed and freed
  EXPECT_EQ(FormProcInfo, nullptr);
}

TEST_F(ProcInfoTest, PropertiesRequestIsTheStructureOfItsOwnSize) {
  const SHELLEXECUTEINFOA info = PropertiesRequest("C:\\x.exe");
  EXPECT_EQ(info.cbSize, sizeof(SHELLEXECUTEINFOA));
#if !defined(_WIN64)
  EXPECT_EQ(info.cbSize, 60u);
#endif
  EXPECT_EQ(info.fMask, ULONG(SEE_MASK_INVOKEIDLIST));
  EXPECT_STREQ(info.lpVerb, "properties");
  EXPECT_STREQ(info.lpFile, "C:\\x.exe");
  EXPECT_EQ(info.hwnd, nullptr);
  EXPECT_EQ(info.lpParameters, nullptr);
  EXPECT_EQ(info.lpDirectory, nullptr);
  EXPECT_EQ(info.nShow, 0);
}

}  // namespace
}  // namespace netscry
