#include "mainwindow/row_commands_win32.h"

#include <climits>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "base/dyn_calls_win32.h"
#include "forms/application_win32.h"
#include "mainwindow/main_form_win32.h"
#include "mainwindow/main_paths.h"
#include "procinfo/form_proc_info_win32.h"
#include "procinfo/process_actions_win32.h"

namespace netscry {

MainRowCommandHost::MainRowCommandHost(TFormNetscry& form, ProcessActions& processes)
    : form_(form), processes_(processes) {}

void MainRowCommandHost::ShowMessage(const std::string& text) { forms::Application::Instance().ShowMessage(text); }

bool MainRowCommandHost::ConfirmEndSystemProcess(const std::string& text) {
  forms::Application& app = forms::Application::Instance();
  // Style 292: Yes and No, the question icon, No preselected.
  return app.ShowMessageBox(text, app.Title(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

OpenedProcess MainRowCommandHost::OpenProcessToEnd(std::uint32_t pid) { return processes_.OpenToEnd(pid); }

bool MainRowCommandHost::SamePath(const std::string& a, const std::string& b) { return processes_.SamePath(a, b); }

void MainRowCommandHost::Refresh() {
  if (form_.BTNRefresh) form_.BTNRefresh->Click();
}

void MainRowCommandHost::SetClipboardText(const std::string& text) { PutClipboardText(form_.Handle(), text); }

bool MainRowCommandHost::FileExists(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void MainRowCommandHost::RevealFile(const std::string& path) { processes_.RevealFile(path); }

void MainRowCommandHost::ShowFileProperties(const std::string& path) { processes_.ShowFileProperties(path); }

void MainRowCommandHost::ShowProcessDetails(const TMyRec& row) {
  ShowProcInfoDialog(form_.Handle(), row, form_.FLargeIcons.get(), form_.FMsgEndFailed, &processes_);
}

std::optional<TMyRec> FocusedRowCopy(const TStringTreeList& list) {
  PTreeNode node = list.FocusedRow();
  if (!node) return std::nullopt;
  const TMyRec* rec = list.ReadRowRecordAs<TMyRec>(node);
  if (!rec) return std::nullopt;
  return *rec;
}

std::string SystemWow64DirText() {
  const auto get = DynGetSystemWow64DirectoryA();
  if (!get) return {};
  // The same buffer as the system directory's: 256 characters, 255 offered.
  char buffer[256] = {};
  const UINT n = get(buffer, 255);
  if (n == 0 || n >= 255) return {};
  return SystemDirText(buffer);
}

namespace {

// A global memory block that is freed unless handed over.
class GlobalBlock {
 public:
  GlobalBlock(GlobalAllocFn alloc, const void* bytes, std::size_t size) : memory_(alloc(GMEM_MOVEABLE, size)) {
    if (!memory_) throw std::runtime_error("Out of memory");
    void* p = GlobalLock(memory_);
    if (!p) {
      GlobalFree(memory_);
      throw std::runtime_error("Out of memory");
    }
    std::memcpy(p, bytes, size);
    GlobalUnlock(memory_);
  }
  ~GlobalBlock() {
    if (memory_) GlobalFree(memory_);
  }
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;
  // Places the block on the open clipboard, which then owns it.
  void PlaceAs(UINT format) {
    if (!SetClipboardData(format, memory_)) throw std::runtime_error("Cannot set clipboard data");
    memory_ = nullptr;
  }

 private:
  HGLOBAL memory_;
};

std::wstring WideOfSystemCodePage(const std::string& text) {
  // With its terminating NUL, so the result ends in one as well.
  if (text.size() >= std::size_t(INT_MAX)) throw std::runtime_error("Text too long");
  const int in = int(text.size() + 1);
  const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), in, nullptr, 0);
  if (n <= 0) throw std::runtime_error("Cannot convert the text");
  std::wstring wide(std::size_t(n), L'\0');
  if (MultiByteToWideChar(CP_ACP, 0, text.c_str(), in, wide.data(), n) != n)
    throw std::runtime_error("Cannot convert the text");
  return wide;
}

}  // namespace

void PutClipboardText(HWND owner, const std::string& text, GlobalAllocFn alloc) {
  // Everything that can fail before the user's clipboard is touched.
  GlobalBlock narrow(alloc, text.c_str(), text.size() + 1);
  const std::wstring wide = WideOfSystemCodePage(text);
  GlobalBlock unicode(alloc, wide.data(), wide.size() * sizeof(wchar_t));
  if (!OpenClipboard(owner)) throw std::runtime_error("Cannot open clipboard");
  struct Closer {
    ~Closer() { CloseClipboard(); }
  } closer;
  EmptyClipboard();
  narrow.PlaceAs(CF_TEXT);
  unicode.PlaceAs(CF_UNICODETEXT);
}

void RunRowCommand(TFormNetscry& form, RowCommand command, ProcessActions& processes) {
  // Every command runs inside a window procedure (a menu item, a button, the list's double
  // click) whose guard would catch an error too, but only after it had cut short the caller's
  // own handling (the list's press, say): ended here, the caller still finishes.
  try {
    MainRowCommandHost host(form, processes);
    RowCommands commands(host, {form.FMsgSysProcess, form.FMsgEndFailed, form.FMsgConfirmEndSys},
                         {form.FSysDir, SystemWow64DirText()});
    std::optional<TMyRec> row;
    std::optional<std::uint64_t> shown_at;
    if (auto menu_row = std::exchange(form.FMenuRow, std::nullopt)) {
      row = std::move(menu_row->row);
      shown_at = menu_row->shown_at;
    } else if (form.VTS) {
      row = FocusedRowCopy(form.VTS->List());
      shown_at = form.FSnapshotTime;
    }
    switch (command) {
      case RowCommand::kProcInfo:
        commands.ProcInfo(std::move(row));
        return;
      case RowCommand::kEndProc:
        commands.EndProc(std::move(row), shown_at);
        return;
      case RowCommand::kCopy:
        commands.Copy(std::move(row));
        return;
      case RowCommand::kLocate:
        commands.Locate(std::move(row));
        return;
      case RowCommand::kProperty:
        commands.Property(std::move(row));
        return;
    }
  } catch (const std::exception& e) {
    forms::Application::Instance().HandleException(e.what());
  }
}

namespace {

void Prepare(TFormNetscry& form, const RowMenuStep& step) {
  if (!step.prepare) return;
  for (forms::MenuItem* item : {form.NProcInfo, form.NEndProc, form.NLocate, form.NProperty}) {
    if (item) item->SetEnabled(step.row_items_enabled);
  }
}

const TMyRec* RecordOf(const TStringTreeList& list, PTreeNode node) {
  return node ? list.ReadRowRecordAs<TMyRec>(node) : nullptr;
}

}  // namespace

TPopupMenu RowMenuForPopupRequest(TFormNetscry& form, const TStringTreeList& list, PTreeNode node) {
  const RowMenuStep step = PopupRequestStep(RecordOf(list, node));
  Prepare(form, step);
  if (!step.show) return nullptr;
  // The row the menu was prepared for, which a release away from the pressed row makes another
  // row than the focused one.
  form.FMenuRow = TFormNetscry::MenuRow{*RecordOf(list, node), form.FSnapshotTime};
  return form.PmTree.Handle();
}

void RowMenuForColumnClick(TFormNetscry& form, const TStringTreeList& list, TColumnIndex column) {
  const RowMenuStep step = ColumnClickStep(column, list.ClickButton(), RecordOf(list, list.FocusedRow()));
  Prepare(form, step);
  if (!step.show) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  form.FMenuRow.reset();
  if (auto row = FocusedRowCopy(list)) form.FMenuRow = TFormNetscry::MenuRow{std::move(*row), form.FSnapshotTime};
  form.PmTree.Popup({cursor.x, cursor.y}, form);  // runs the chosen command before it returns
  form.FMenuRow.reset();
}

}  // namespace netscry
