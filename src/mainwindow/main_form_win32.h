#pragma once
// The main window, TFormNetscry: the counters line and the help, update and home-page buttons
// above the connection list, the options and the refresh and end-process buttons below it, the
// row menu, the refresh timer and the window's skin. Components are fields named as the window's
// design names them; handlers are methods named after their component and event.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/bitmap32.h"
#include "connlist/row_record.h"
#include "controls/file_icons/image_list_ex_win32.h"
#include "controls/hot_button/hot_url_label_win32.h"
#include "controls/tree_list_win32.h"
#include "forms/controls_win32.h"
#include "forms/menu_win32.h"
#include "forms/timer_win32.h"
#include "mainwindow/main_layout.h"
#include "mainwindow/refresh_gate.h"
#include "mainwindow/settings.h"
#include "mainwindow/snapshot_source.h"
#include "mainwindow/snapshot_worker_win32.h"
#include "procinfo/process_actions.h"
#include "skin/frame_window/skin_form_win32.h"
#include "skin/skin_data.h"
#include "snapshot/file_rec.h"

namespace netscry {

// Opens a document, web address or mail target through the platform's shell.
class ShellOpener {
 public:
  virtual ~ShellOpener() = default;
  // ShellExecuteA(parent, verb, file, no parameters, no directory, SW_SHOWNORMAL); verb may be null.
  virtual void Open(HWND parent, const char* verb, const std::string& file) = 0;
};

struct MainWindowDeps {
  SnapshotSource* snapshot = nullptr;  // required
  ShellOpener* shell = nullptr;        // null: the platform's shell (filled in when the window is made)
  // The executable's directory with its trailing backslash; empty: taken from the executable's
  // path (tests point it at a folder of their own for the settings file).
  std::string app_path;
  // Ending processes, revealing files and property sheets for the row commands; null: the
  // platform's (filled in when the window is made).
  ProcessActions* processes = nullptr;
};

class TFormNetscry : public forms::Form {
 public:
  explicit TFormNetscry(const MainWindowDeps& deps);
  ~TFormNetscry() override;

  // Makes the window and its components, loads the skin and runs FormCreate. The window stays
  // hidden; Show() it. Returns false when the window could not be made.
  bool Create();

  // --- Components ----------------------------------------------------------------------------
  forms::Panel PTop;
  forms::Label Label1, LabAppCount, Label3, LabNetCount, Label5;
  Bitmap32 Image1;  // the hidden image holding the manage column's glyph
  std::unique_ptr<forms::ButtonBase> BTNHelp, BTNUpdate, BTNHomePage;
  std::unique_ptr<TreeListWindow> VTS;
  forms::Panel PBottom;
  forms::CheckBox CBShowLocal, CBAutoRefresh, CBAlwaysTop, CBShowInfo, CBShowIPv6;
  std::unique_ptr<forms::ButtonBase> BTNRefresh, BTNEndPro;
  forms::Label Label6;
  THotURLLabel URLLabel1;
  forms::PopupMenu PmTree;
  forms::MenuItem *NProcInfo = nullptr, *N1 = nullptr, *NEndProc = nullptr, *N3 = nullptr, *NCopy = nullptr,
                  *NLocate = nullptr, *NProperty = nullptr;
  forms::PopupMenu PopupMenu1;
  forms::WindowTimer Timer1{kRefreshInterval, false};
  TskCompressedStoredSkin skCompressedStoredSkin1;
  TskSkinData skSkinData1;
  TskSkinForm skSkinForm1{*this};  // the skinned frame (after the skin data it wears)

  // --- Fields --------------------------------------------------------------------------------
  bool FCreating = false;
  std::string FAppPath;
  bool FShowLocal = true;
  bool FAutoRefresh = false;
  bool FAlwaysTop = true;
  bool FShowInfo = false;
  bool FShowIPv6 = true;
  std::unique_ptr<TImageListEx> FSmallIcons;
  std::unique_ptr<TImageListEx> FLargeIcons;
  std::string FMsgSysProcess, FMsgNotEnabled, FMsgConfirmExit, FMsgEndFailed, FMsgSystemDesc, FMsgIdleDesc,
      FMsgConfirmEndSys;
  std::string FHomePageURL;
  std::string FSysDir;
  std::string FUpdateURL;
  // The focused row when the row menu last opened, for the command chosen from it: the menu's
  // loop still runs the refresh timer, and a refresh that deletes the row focuses the top row.
  struct MenuRow {
    TMyRec row;
    std::optional<std::uint64_t> shown_at;  // FSnapshotTime when the row was taken
  };
  std::optional<MenuRow> FMenuRow;
  // When the last snapshot was taken (system file time). Every row shown was seen in it under
  // its process ID, so a process created later is not the one a row shows.
  std::optional<std::uint64_t> FSnapshotTime;

  // --- Handlers ------------------------------------------------------------------------------
  void FormCreate();
  void FormCloseQuery(bool& CanClose);
  void FormClose(forms::TCloseAction& Action);
  void LoadSettings();
  void SaveSetting(int Kind);
  void FillList();
  void RefreshList();
  void BTNRefreshClick();
  void Timer1Timer();
  void CBShowLocalClick();
  void CBAutoRefreshClick();
  void CBAlwaysTopClick();
  void CBShowInfoClick();
  void CBShowIPv6Click();
  void BTNHelpClick();
  void BTNHomePageClick();
  void BTNUpdateClick();
  void VTSGetText(TStringTreeList& Sender, PTreeNode Node, TColumnIndex Column, TTreeTextType TextType,
                  std::string& CellText);
  void VTSGetImageIndex(TStringTreeList& Sender, PTreeNode Node, TTreeImageKind Kind, TColumnIndex Column,
                        bool& Ghosted, int& ImageIndex);
  void VTSFreeNode(TStringTreeList& Sender, PTreeNode Node);
  void VTSAfterCellPaint(TStringTreeList& Sender, Canvas& TargetCanvas, PTreeNode Node, TColumnIndex Column,
                         const Rect& CellRect);
  void VTSColumnClick(TStringTreeList& Sender, TColumnIndex Column, TShiftState Shift);
  void VTSGetPopupMenu(TStringTreeList& Sender, PTreeNode Node, TColumnIndex Column, Point P, bool& AskParent,
                       TPopupMenu& PopupMenu);
  void VTSDblClick(TStringTreeList& Sender);
  void BTNEndProClick();
  // The row commands (process details, end process, copy, locate, properties) act on the focused row.
  void NProcInfoClick();
  void NEndProcClick();
  void NCopyClick();
  void NLocateClick();
  void NPropertyClick();

  // The settings file's full path.
  std::string SettingsPath() const { return FAppPath + kSettingsFileName; }

  // True from a refresh's start until its last snapshot (with any coalesced follow-up) is applied.
  bool RefreshRunning() const { return refresh_gate_.Busy(); }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // Starts the snapshot read on the worker with copies of the arrays shown.
  void StartSnapshotRead();
  // The worker's result, on this thread: merged into the list, or its error passed on.
  void SnapshotReadDone(WPARAM serial);
  void RestoreRefreshControls();
  void CreateComponents();
  void ConfigureColumns();
  void ShellOpen(HWND parent, const char* verb, const std::string& file);
  void ShowCounters(int programs, int connections);
  NetscryOptions Options() const;

  MainWindowDeps deps_;
  std::unique_ptr<ImageListStateImages> state_images_;
  RefreshGate refresh_gate_;
  std::shared_ptr<SnapshotJob> read_;  // the read in flight; the worker holds its own reference
  WPARAM read_serial_ = 0;
};

// The main window while it exists (assigned before FormCreate runs).
extern TFormNetscry* FormNetscry;

}  // namespace netscry
