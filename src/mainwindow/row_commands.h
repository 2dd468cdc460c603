#pragma once
// The commands on one connection row, without a platform: the clipboard block, the test for
// files in the system directories, the rules that prepare and open the row menu, and the flow
// of each command. The commands work on a copy of the row taken when they start, so a refresh
// that deletes the row while one of their questions or messages is open changes nothing.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "connlist/row_record.h"
#include "controls/tree_types.h"
#include "procinfo/process_actions.h"

namespace netscry {

// The product's web address on the clipboard block's thirteenth line.
inline constexpr const char* kClipboardHomePage = "https://netscry.org";

// Fourteen CR LF-terminated lines: a separator of 23 "―" (A8 44 in code page 936), the
// labelled fields of the row as stored, "生成:Netscry", the home page and the separator again.
std::string ClipboardBlock(const TMyRec& row);

// The ASCII letters a to z upper-cased, every other byte as it is.
std::string UpperAscii(std::string_view text);

// The directories whose files need a confirmation before their process is ended, each with its
// ASCII letters upper-cased: the system directory and, on 64-bit Windows, the 32-bit one. An
// empty entry (no such directory) matches nothing.
struct SystemDirs {
  std::string system;
  std::string system_wow64;
};

// Whether one of the directories occurs anywhere in the upper-cased path: a plain substring
// test, so a sibling folder whose name begins with a system folder's name counts as well.
bool IsInSystemDir(std::string_view file_path, const SystemDirs& dirs);

// A row has a path when its FilePath is not empty.
inline bool HasPath(const TMyRec& row) { return !row.FilePath.empty(); }

// What a request for the row menu does: whether the menu is prepared (its four row items
// enabled exactly when the row has a path) and whether it opens. Nothing prepared leaves the
// items' states as they were.
struct RowMenuStep {
  bool prepare = false;
  bool row_items_enabled = false;
  bool show = false;
  friend bool operator==(const RowMenuStep&, const RowMenuStep&) = default;
};

// The list asks for a menu at a position; row is the row there (null: none).
RowMenuStep PopupRequestStep(const TMyRec* row);
// A mouse button went down and up in one column of the rows; focused is the focused row
// (null: none). Only the manage column opens the menu, and a right click leaves it to the
// popup request that follows, so the menu opens once.
RowMenuStep ColumnClickStep(int column, TMouseButton button, const TMyRec* focused);

// What the commands ask of the window and the platform.
class RowCommandHost {
 public:
  virtual ~RowCommandHost() = default;
  // The program's message dialog with an OK button.
  virtual void ShowMessage(const std::string& text) = 0;
  // The question box (Yes/No, question icon, No preselected); true for Yes.
  virtual bool ConfirmEndSystemProcess(const std::string& text) = 0;
  // The process opened with the rights to end it and to read its path.
  virtual OpenedProcess OpenProcessToEnd(std::uint32_t pid) = 0;
  // Whether two paths name the same file as the platform compares file names.
  virtual bool SamePath(const std::string& a, const std::string& b) = 0;
  // A click on the refresh button.
  virtual void Refresh() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;
  // A file (not a directory) exists at the path.
  virtual bool FileExists(const std::string& path) = 0;
  virtual void RevealFile(const std::string& path) = 0;
  virtual void ShowFileProperties(const std::string& path) = 0;
  // The details dialog for the row, shown modally.
  virtual void ShowProcessDetails(const TMyRec& row) = 0;
};

struct RowCommandTexts {
  std::string sys_process;       // FMsgSysProcess
  std::string end_failed;        // FMsgEndFailed
  std::string confirm_end_sys;   // FMsgConfirmEndSys
};

// Each command takes the focused row as a copy (nothing: no row is focused).
class RowCommands {
 public:
  RowCommands(RowCommandHost& host, RowCommandTexts texts, SystemDirs dirs)
      : host_(host), texts_(std::move(texts)), dirs_(std::move(dirs)) {}

  // NProcInfoClick: the details dialog for a row with a path.
  void ProcInfo(std::optional<TMyRec> row);
  // NEndProcClick: end the row's process, asking first for files in a system directory, then
  // refresh; a row without a path is a system process and is not ended. Only the process the
  // row shows is ended: one whose executable is no longer at the row's path, or that was created
  // after shown_at (the time of the snapshot the row came from, in the system's file time;
  // nothing: unknown), has taken over a reused process ID, and nothing is ended.
  void EndProc(std::optional<TMyRec> row, std::optional<std::uint64_t> shown_at);
  // NCopyClick: the clipboard block of the row.
  void Copy(std::optional<TMyRec> row);
  // NLocateClick: reveal the file when it exists.
  void Locate(std::optional<TMyRec> row);
  // NPropertyClick: the file's property sheet.
  void Property(std::optional<TMyRec> row);

 private:
  RowCommandHost& host_;
  RowCommandTexts texts_;
  SystemDirs dirs_;
};

}  // namespace netscry
