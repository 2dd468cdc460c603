#include "mainwindow/row_commands_win32.h"

#include <cstring>
#include <stdexcept>
#include <utility>

#include "forms/application_win32.h"
#include "mainwindow/main_form_win32.h"
#include "mainwindow/main_paths.h"
#include "procinfo/form_proc_info_win32.h"
#include "procinfo/process_actions_win32.h"

namespace netscry {

MainRowCommandHost::MainRowCommandHost(TFormNetscry& form, ProcessActions* processes)
    : form_(form), processes_(processes ? *processes : PlatformProcesses()) {}

void MainRowCommandHost::ShowMessage(const std::string& text) { forms::Application::Instance().ShowMessage(text); }

bool MainRowCommandHost::ConfirmEndSystemProcess(const std::string& text) {
  forms::Application& app = forms::Application::Instance();
  // Style 292: Yes and No, the question icon, No preselected.
  return app.ShowMessageBox(text, app.Title(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

bool MainRowCommandHost::EndProcess(std::uint32_t pid) { return processes_.EndProcess(pid); }

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
  using GetWow64Dir = UINT(WINAPI*)(LPSTR, UINT);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  auto get = kernel ? reinterpret_cast<GetWow64Dir>(
                          reinterpret_cast<void*>(GetProcAddress(kernel, "GetSystemWow64DirectoryA")))
                    : nullptr;
  if (!get) return {};
  // The same buffer as the system directory's: 256 characters, 255 offered.
  char buffer[256] = {};
  const UINT n = get(buffer, 255);
  if (n == 0 || n >= 255) return {};
  return SystemDirText(buffer);
}

void PutClipboardText(HWND owner, const std::string& text) {
  if (!OpenClipboard(owner)) throw std::runtime_error("Cannot open clipboard");
  struct Closer {
    ~Closer() { CloseClipboard(); }
  } closer;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!memory) throw std::runtime_error("Out of memory");
  if (void* bytes = GlobalLock(memory)) {
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
  } else {
    GlobalFree(memory);
    throw std::runtime_error("Out of memory");
  }
  // On success the clipboard owns the memory.
  if (!SetClipboardData(CF_TEXT, memory)) {
    GlobalFree(memory);
    throw std::runtime_error("Cannot set clipboard data");
  }
}

void RunRowCommand(TFormNetscry& form, RowCommand command, ProcessActions* processes) {
  // The commands also run inside the list's own window procedure (double click, the manage
  // column's menu), which has no error guard: an error ends here, at the application's handler.
  try {
    MainRowCommandHost host(form, processes);
    RowCommands commands(host, {form.FMsgSysProcess, form.FMsgEndFailed, form.FMsgConfirmEndSys},
                         {form.FSysDir, SystemWow64DirText()});
    std::optional<TMyRec> row = std::exchange(form.FMenuRow, std::nullopt);
    if (!row && form.VTS) row = FocusedRowCopy(form.VTS->List());
    switch (command) {
      case RowCommand::kProcInfo:
        commands.ProcInfo(std::move(row));
        return;
      case RowCommand::kEndProc:
        commands.EndProc(std::move(row));
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
  form.FMenuRow = FocusedRowCopy(list);
  return form.PmTree.Handle();
}

void RowMenuForColumnClick(TFormNetscry& form, const TStringTreeList& list, TColumnIndex column) {
  const RowMenuStep step = ColumnClickStep(column, list.ClickButton(), RecordOf(list, list.FocusedRow()));
  Prepare(form, step);
  if (!step.show) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  form.FMenuRow = FocusedRowCopy(list);
  form.PmTree.Popup({cursor.x, cursor.y}, form);  // runs the chosen command before it returns
  form.FMenuRow.reset();
}

}  // namespace netscry
