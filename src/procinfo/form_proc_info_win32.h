#pragma once
// The process details dialog, TFormProcInfo: the file's icon, image name, description, process
// ID and company, the full path in a read-only edit, a link that reveals the file, OK, and an
// end-process button that stays hidden. A new dialog is made for every use; it frees itself
// when it closes. It carries its own skin.
#include <windows.h>

#include <memory>
#include <string>

#include "connlist/row_record.h"
#include "controls/file_icons/image_list_ex_win32.h"
#include "forms/controls_win32.h"
#include "forms/menu_win32.h"
#include "procinfo/process_actions.h"
#include "procinfo/procinfo_components_win32.h"
#include "skin/frame_window/skin_form_win32.h"
#include "skin/skin_data.h"

namespace netscry {

class TFormProcInfo : public forms::Form {
 public:
  // actions: what ending the process and revealing the file go through; null: the platform.
  explicit TFormProcInfo(ProcessActions* actions = nullptr);
  ~TFormProcInfo() override;

  // Makes the hidden dialog, owned by and centred on owner, with its components and its skin.
  bool Create(HWND owner);

  // --- Components ----------------------------------------------------------------------------
  forms::Panel Panel1;
  ImageBox Image1;
  forms::Label LabExe, LabExeDes, LabPID, Labcomp;
  ShapeLine Shape1;
  forms::Label Label5;
  forms::ReadOnlyEdit EPath;
  forms::Label LabLocate;
  ShapeLine Shape2;
  std::unique_ptr<forms::ButtonBase> BTNEndProc, BTNOK;
  forms::PopupMenu PopupMenu1;  // the skinned frame's system menu: empty
  TskCompressedStoredSkin skCompressedStoredSkin1;
  TskSkinData skSkinData1;
  TskSkinForm skSkinForm1{*this};  // the skinned frame (after the skin data it wears)

  // --- Fields --------------------------------------------------------------------------------
  // Shown when the end-process button cannot open the process; the main window sets it.
  std::string FMsgEndFailed;

  // --- Handlers ------------------------------------------------------------------------------
  void LabLocateClick();
  void BTNOKClick();
  void BTNEndProcClick();
  void FormClose(forms::TCloseAction& Action);

  // The file's icon out of a 32-pixel icon list, drawn onto Image1 at (1, 1). Nothing when the
  // list has no icon for the file; the temporary icon is released also when drawing fails.
  void DrawFileIcon(TImageListEx& icons, const std::string& path);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void CreateComponents();
  void LoadSkin();
  // Gives the focus back to the control that had it when the dialog was last active (at first: OK).
  void RestoreFocus();

  ProcessActions& actions_;
  HWND last_focus_ = nullptr;
};

// The dialog while it is being filled and shown; null otherwise.
extern TFormProcInfo* FormProcInfo;

// Makes a new dialog owned by owner and fills it from the row: the captions, the path, the
// file's icon from large_icons (may be null: no icon) and the end-failed message. The dialog is
// hidden and frees itself when closed. Null when the window could not be made.
TFormProcInfo* CreateProcInfoDialog(HWND owner, const TMyRec& row, TImageListEx* large_icons,
                                    const std::string& msg_end_failed, ProcessActions* actions = nullptr);

// The same, then shows the dialog modally; returns once it is closed and gone.
void ShowProcInfoDialog(HWND owner, const TMyRec& row, TImageListEx* large_icons, const std::string& msg_end_failed,
                        ProcessActions* actions = nullptr);

}  // namespace netscry
