#include "mainwindow/row_commands.h"

#include "connlist/columns.h"
#include "procinfo/procinfo_text.h"

namespace netscry {
namespace {

// U+2015 HORIZONTAL BAR in code page 936, 23 times.
std::string Separator() {
  std::string s;
  for (int i = 0; i < 23; ++i) s += "\xA8\x44";
  return s;
}

}  // namespace

std::string ClipboardBlock(const TMyRec& r) {
  const std::string sep = Separator();
  const std::pair<const char*, const FieldText*> lines[] = {
      {"程序名称:", &r.ProcessName}, {"程序说明:", &r.FileDesc},   {"路径:", &r.FilePath},
      {"PID:", &r.ProcessID},        {"网络协议:", &r.Protocol},   {"本机地址:", &r.LocalIP},
      {"本地端口:", &r.LocalPort},   {"目标地址:", &r.RemoteIP},   {"目标端口:", &r.RemotePort},
      {"状态:", &r.StateText},
  };
  std::string block = sep + "\r\n";
  for (const auto& [label, value] : lines) {
    block += label;
    block += value->view();
    block += "\r\n";
  }
  block += "生成:Netscry\r\n";
  block += std::string("主页:") + kClipboardHomePage + "\r\n";
  block += sep + "\r\n";
  return block;
}

std::string UpperAscii(std::string_view text) {
  std::string up(text);
  for (char& c : up) {
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  }
  return up;
}

bool IsInSystemDir(std::string_view file_path, const SystemDirs& dirs) {
  const std::string up = UpperAscii(file_path);
  for (const std::string* dir : {&dirs.system, &dirs.system_wow64}) {
    if (!dir->empty() && up.find(*dir) != std::string::npos) return true;
  }
  return false;
}

RowMenuStep PopupRequestStep(const TMyRec* row) {
  if (!row) return {};
  return {true, HasPath(*row), true};
}

RowMenuStep ColumnClickStep(int column, TMouseButton button, const TMyRec* focused) {
  if (column != kColManage || !focused || button == TMouseButton::mbRight) return {};
  return {true, HasPath(*focused), true};
}

void RowCommands::ProcInfo(std::optional<TMyRec> row) {
  if (!row || !HasPath(*row)) return;
  host_.ShowProcessDetails(*row);
}

void RowCommands::EndProc(std::optional<TMyRec> row, std::optional<std::uint64_t> shown_at) {
  // Only the copies below are used from here on: a refresh inside the question or the message
  // may delete the row.
  if (!row) return;
  const std::string path = row->FilePath.str();
  const std::string pid_text = row->ProcessID.str();
  row.reset();
  if (path.empty()) {
    host_.ShowMessage(texts_.sys_process);
    return;
  }
  const std::optional<std::uint32_t> pid = ParseProcessID(pid_text);
  if (!pid) {
    host_.ShowMessage(texts_.end_failed);
    return;
  }
  // Held open until the end: while the handle lives the ID cannot pass to another process, so
  // the process checked here is the one the question asks about and the one ended.
  OpenedProcess opened = host_.OpenProcessToEnd(*pid);
  if (opened.result == OpenToEndResult::kRefused) {
    host_.ShowMessage(texts_.end_failed);
    return;
  }
  // Gone, or another program under the row's old process ID: the row is out of date.
  const auto same_path = [this](const std::string& a, const std::string& b) { return host_.SamePath(a, b); };
  const std::optional<std::string> verified_path =
      opened.process ? ShownProcessPath(*opened.process, path, shown_at, same_path) : std::nullopt;
  if (!verified_path) {
    opened.process.reset();
    host_.ShowMessage(texts_.end_failed);
    host_.Refresh();
    return;
  }
  // The question is about the file the process really runs from.
  if (IsInSystemDir(*verified_path, dirs_) && !host_.ConfirmEndSystemProcess(texts_.confirm_end_sys)) return;
  const bool ended = opened.process->Terminate();
  opened.process.reset();
  if (!ended) host_.ShowMessage(texts_.end_failed);
  host_.Refresh();
}

void RowCommands::Copy(std::optional<TMyRec> row) {
  if (row) host_.SetClipboardText(ClipboardBlock(*row));
}

void RowCommands::Locate(std::optional<TMyRec> row) {
  if (row && host_.FileExists(row->FilePath.str())) host_.RevealFile(row->FilePath.str());
}

void RowCommands::Property(std::optional<TMyRec> row) {
  if (row) host_.ShowFileProperties(row->FilePath.str());
}

}  // namespace netscry
