#pragma once
// The row commands on the main window: the platform side of RowCommandHost (message boxes, the
// clipboard, ending processes, the shell, the details dialog) and the bodies of the window's
// row-menu handlers.
#include <windows.h>

#include <optional>
#include <string>

#include "connlist/row_record.h"
#include "controls/tree_list.h"
#include "mainwindow/row_commands.h"
#include "procinfo/process_actions.h"

namespace netscry {

class TFormNetscry;

class MainRowCommandHost : public RowCommandHost {
 public:
  MainRowCommandHost(TFormNetscry& form, ProcessActions& processes);

  void ShowMessage(const std::string& text) override;
  bool ConfirmEndSystemProcess(const std::string& text) override;
  OpenedProcess OpenProcessToEnd(std::uint32_t pid) override;
  bool SamePath(const std::string& a, const std::string& b) override;
  void Refresh() override;
  void SetClipboardText(const std::string& text) override;
  bool FileExists(const std::string& path) override;
  void RevealFile(const std::string& path) override;
  void ShowFileProperties(const std::string& path) override;
  void ShowProcessDetails(const TMyRec& row) override;

 private:
  TFormNetscry& form_;
  ProcessActions& processes_;
};

// The focused row's record, copied; nothing when no row is focused.
std::optional<TMyRec> FocusedRowCopy(const TStringTreeList& list);

// The 32-bit system directory of 64-bit Windows (GetSystemWow64DirectoryA, bound at run time),
// upper-cased like FSysDir; empty where the system has none.
std::string SystemWow64DirText();

// Replaces the clipboard's contents with the text as CF_TEXT and as CF_UNICODETEXT converted
// from the system code page, so a program that asks for Unicode gets the right characters
// whatever the user's input language. Both blocks are made before the clipboard is opened: a
// copy that fails leaves the clipboard as it was. Throws std::runtime_error when a block cannot
// be made, the clipboard cannot be opened or a block cannot be placed. alloc makes the blocks
// (tests hand in one that fails).
using GlobalAllocFn = HGLOBAL(WINAPI*)(UINT, SIZE_T);
void PutClipboardText(HWND owner, const std::string& text, GlobalAllocFn alloc = &GlobalAlloc);

enum class RowCommand { kProcInfo, kEndProc, kCopy, kLocate, kProperty };

// Runs a row command on the row the row menu opened for (FMenuRow, taken), or when no menu is
// pending on the form's focused row (a copy taken now). An error it raises goes to the
// application's error handler.
void RunRowCommand(TFormNetscry& form, RowCommand command, ProcessActions& processes);

// VTSGetPopupMenu: prepares the row menu for the row under the position and returns it, noting
// that row in FMenuRow; no menu (and the items' states unchanged) when there is no row
// there.
TPopupMenu RowMenuForPopupRequest(TFormNetscry& form, const TStringTreeList& list, PTreeNode node);
// VTSColumnClick: a left or middle click in the manage column pops the menu up at the cursor,
// prepared for the focused row.
void RowMenuForColumnClick(TFormNetscry& form, const TStringTreeList& list, TColumnIndex column);

}  // namespace netscry
