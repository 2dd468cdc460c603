#include "helper_process.h"

#include <cstdio>

namespace netscry::testing {

std::string WinePath(const char* linux_path) {
  std::string path = std::string("Z:") + linux_path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

namespace {

bool MakePipe(HANDLE* read, HANDLE* write, bool child_reads) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  if (!CreatePipe(read, write, &sa, 0)) return false;
  // Only the child's end is inherited.
  SetHandleInformation(child_reads ? *write : *read, HANDLE_FLAG_INHERIT, 0);
  return true;
}

std::string ReadLine(HANDLE pipe) {
  std::string line;
  char c = 0;
  DWORD got = 0;
  while (line.size() < 256 && ReadFile(pipe, &c, 1, &got, nullptr) && got == 1 && c != '\n') line += c;
  return line;
}

// Starts exe with the given standard input and output (output also as standard error).
bool Launch(const std::string& exe_path, HANDLE input, HANDLE output, PROCESS_INFORMATION* pi) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = input;
  si.hStdOutput = output;
  si.hStdError = output;
  std::string command = "\"" + exe_path + "\"";
  return CreateProcessA(exe_path.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, pi) != FALSE;
}

}  // namespace

HelperProcess::HelperProcess(const std::string& exe_path) {
  HANDLE in_read = nullptr, out_read = nullptr, out_write = nullptr;
  if (!MakePipe(&in_read, &input_write_, true) || !MakePipe(&out_read, &out_write, false)) {
    error_ = "pipes";
    return;
  }
  PROCESS_INFORMATION pi{};
  const bool ok = Launch(exe_path, in_read, out_write, &pi);
  CloseHandle(in_read);
  CloseHandle(out_write);
  if (!ok) {
    error_ = "CreateProcess " + std::to_string(GetLastError());
    CloseHandle(out_read);
    return;
  }
  CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  pid_ = pi.dwProcessId;
  const std::string line = ReadLine(out_read);
  CloseHandle(out_read);
  if (std::sscanf(line.c_str(), "PORTS %u %u %u %u %u %u", &ports_.listen, &ports_.client, &ports_.udp, &ports_.listen6,
                  &ports_.client6, &ports_.udp6) == 6) {
    started_ = true;
  } else {
    error_ = "helper said: " + line;
  }
}

bool HelperProcess::Stop() {
  if (input_write_) {
    CloseHandle(input_write_);
    input_write_ = nullptr;
  }
  if (!process_) return true;
  const bool exited = WaitForSingleObject(process_, 20000) == WAIT_OBJECT_0;
  if (!exited) TerminateProcess(process_, 1);
  CloseHandle(process_);
  process_ = nullptr;
  return exited;
}

HelperProcess::~HelperProcess() { Stop(); }

std::string RunAndCapture(const std::string& exe_path, DWORD timeout_ms, DWORD* exit_code) {
  HANDLE out_read = nullptr, out_write = nullptr;
  if (!MakePipe(&out_read, &out_write, false)) return {};
  PROCESS_INFORMATION pi{};
  const bool ok = Launch(exe_path, GetStdHandle(STD_INPUT_HANDLE), out_write, &pi);
  CloseHandle(out_write);
  std::string output;
  if (ok) {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(out_read, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
    if (WaitForSingleObject(pi.hProcess, timeout_ms) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    if (exit_code) GetExitCodeProcess(pi.hProcess, exit_code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  CloseHandle(out_read);
  return output;
}

}  // namespace netscry::testing
