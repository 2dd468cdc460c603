#include "procinfo/form_proc_info_win32.h"

#include <span>

#include "forms/application_win32.h"
#include "procinfo/process_actions_win32.h"
#include "procinfo/procinfo_layout.h"
#include "procinfo/procinfo_text.h"

namespace netscry {

TFormProcInfo* FormProcInfo = nullptr;

namespace {

forms::LabelParams DialogLabel(Point at, const std::string& caption) {
  forms::LabelParams p;
  p.caption = caption;
  p.bounds = {at.x, at.y, at.x, at.y};
  p.font = {"Arial", kProcInfoFontHeight};
  p.charset = ANSI_CHARSET;
  return p;
}

// Destroys a temporary icon on every path.
struct IconHolder {
  HICON icon;
  ~IconHolder() {
    if (icon) DestroyIcon(icon);
  }
};

}  // namespace

// The platform's actions unless a test gave its own: decided once, when the dialog is made.
TFormProcInfo::TFormProcInfo(ProcessActions* actions) : actions_(actions ? *actions : PlatformProcesses()) {}

TFormProcInfo::~TFormProcInfo() {
  // Deleted while its window still exists (not through closing): the window goes now, without
  // coming back here.
  SetDeleteWhenDestroyed(false);
  OnClose = nullptr;
  Destroy();
  if (FormProcInfo == this) FormProcInfo = nullptr;
}

bool TFormProcInfo::Create(HWND owner) {
  forms::FormParams fp;
  fp.caption = kProcInfoCaption;
  fp.client_size = kProcInfoClientSize;
  fp.center_on_desktop = owner == nullptr;
  fp.owner = owner;
  fp.stay_on_top = false;
  fp.sizeable = false;
  // The skinned frame takes the caption over (skSkinForm1, LoadSkin).
  fp.system_menu = true;
  fp.minimize_box = fp.maximize_box = false;
  fp.font = {{"Arial", kProcInfoFontHeight}, ANSI_CHARSET};
  fp.icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  if (!CreateForm(fp)) return false;
  OnClose = [this](forms::TCloseAction& action) { FormClose(action); };
  CreateComponents();
  LoadSkin();
  return true;
}

void TFormProcInfo::CreateComponents() {
  Panel1.Create(*this, {{0, 0, kProcInfoClientSize.cx, kProcInfoClientSize.cy},
                        kProcInfoPanelColor,
                        forms::TBevel::bvRaised,
                        1});
  AddAligned(Panel1, forms::TAlign::alClient);

  Image1.Create(Panel1, kImage1Bounds.ToRect());

  forms::LabelParams exe = DialogLabel(kLabExeAt, "");
  exe.font.bold = true;
  LabExe.Create(Panel1, exe);
  forms::LabelParams des = DialogLabel(kLabExeDesAt, "");
  des.enabled = false;  // drawn greyed
  LabExeDes.Create(Panel1, des);
  LabPID.Create(Panel1, DialogLabel(kLabPIDAt, ""));
  Labcomp.Create(Panel1, DialogLabel(kLabcompAt, ""));

  Shape1.Create(Panel1, kShape1Bounds.ToRect(), kShapePenColor);
  Label5.Create(Panel1, DialogLabel(kLabel5At, kLabel5Caption));

  forms::EditParams path;
  path.bounds = kEPathBounds.ToRect();
  path.color = kEPathColor;
  path.font = {"Arial", kProcInfoFontHeight};
  path.charset = ANSI_CHARSET;
  path.flat_border = true;
  EPath.Create(Panel1, path);

  forms::LabelParams locate = DialogLabel(kLabLocateAt, kLabLocateCaption);
  locate.font.underline = true;
  locate.color = forms::clBlue;
  locate.link = true;
  LabLocate.Create(Panel1, locate);
  LabLocate.OnClick = [this] { LabLocateClick(); };

  Shape2.Create(Panel1, kShape2Bounds.ToRect(), kShapePenColor);

  BTNEndProc = MakeDialogButton(Panel1, {kBTNEndProcCaption, kBTNEndProcBounds.ToRect(), false});
  BTNOK = MakeDialogButton(Panel1, {kBTNOKCaption, kBTNOKBounds.ToRect(), true});
  BTNEndProc->OnClick = [this] { BTNEndProcClick(); };
  BTNOK->OnClick = [this] { BTNOKClick(); };
  forms::SetTabOrder({BTNOK.get(), &EPath, BTNEndProc.get()});
}

void TFormProcInfo::LoadSkin() {
  // The frame: fixed size, the icon and the close button alone, an empty system menu.
  CarriedFrameSettings frame;
  frame.sizeable = false;
  frame.border_icons = biSystemMenu;
  frame.system_menu = &PopupMenu1;
  AttachCarriedSkin(skSkinForm1, skCompressedStoredSkin1, skSkinData1, kProcInfoSkinResource, kProcInfoSkinFileName,
                    frame);
}

void TFormProcInfo::DrawFileIcon(TImageListEx& icons, const std::string& path) {
  const int index = icons.IndexOfFile(path.c_str());
  if (index < 0) return;
  IconHolder icon{icons.GetIcon(index)};
  if (icon.icon) Image1.DrawIcon(icon.icon, kIconOrigin);
}

void TFormProcInfo::LabLocateClick() {
  actions_.RevealFile(EPath.Text());
}

void TFormProcInfo::BTNOKClick() { Close(); }

void TFormProcInfo::BTNEndProcClick() {
  if (!EndProcessOfPidCaption(LabPID.Caption(), EPath.Text(), actions_)) {
    forms::Application::Instance().ShowMessage(FMsgEndFailed);
    return;
  }
  Close();
}

void TFormProcInfo::FormClose(forms::TCloseAction& Action) { Action = forms::TCloseAction::caFree; }

void TFormProcInfo::RestoreFocus() {
  HWND target = last_focus_;
  if (!target || !IsWindow(target) || !IsChild(Handle(), target) || !IsWindowVisible(target) ||
      !IsWindowEnabled(target)) {
    target = BTNOK ? BTNOK->Handle() : nullptr;
  }
  if (target) ::SetFocus(target);
}

LRESULT TFormProcInfo::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) last_focus_ = focus;
        break;
      }
      RestoreFocus();
      return 0;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    default:
      break;
  }
  return Form::WndProc(msg, wp, lp);
}

TFormProcInfo* CreateProcInfoDialog(HWND owner, const TMyRec& row, TImageListEx* large_icons,
                                    const std::string& msg_end_failed, ProcessActions* actions) {
  auto* dialog = new TFormProcInfo(actions);
  if (!dialog->Create(owner)) {
    delete dialog;
    return nullptr;
  }
  dialog->SetDeleteWhenDestroyed(true);
  FormProcInfo = dialog;
  const ProcInfoCaptions captions = ProcInfoCaptionsOf(row);
  dialog->LabExe.SetCaption(captions.exe);
  dialog->LabExeDes.SetCaption(captions.exe_des);
  dialog->LabPID.SetCaption(captions.pid);
  dialog->Labcomp.SetCaption(captions.comp);
  dialog->EPath.SetText(captions.path);
  if (large_icons) dialog->DrawFileIcon(*large_icons, row.FilePath.str());
  dialog->FMsgEndFailed = msg_end_failed;
  return dialog;
}

void ShowProcInfoDialog(HWND owner, const TMyRec& row, TImageListEx* large_icons, const std::string& msg_end_failed,
                        ProcessActions* actions) {
  TFormProcInfo* dialog = CreateProcInfoDialog(owner, row, large_icons, msg_end_failed, actions);
  // The dialog frees itself on closing: it is not touched after the modal loop.
  if (dialog) dialog->ShowModal();
}

}  // namespace netscry
