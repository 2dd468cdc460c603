#pragma once
// Starts the socket helper and reads the ports it reports; ends it when destroyed.
#include <windows.h>

#include <string>

namespace netscry::testing {

// A Linux path of a build artefact as Wine sees it (drive Z: is the root).
std::string WinePath(const char* linux_path);

struct HelperPorts {
  unsigned listen = 0, client = 0, udp = 0;
  unsigned listen6 = 0, client6 = 0, udp6 = 0;  // 0: the system made no such IPv6 socket
};

class HelperProcess {
 public:
  explicit HelperProcess(const std::string& exe_path);
  ~HelperProcess();
  HelperProcess(const HelperProcess&) = delete;
  HelperProcess& operator=(const HelperProcess&) = delete;

  bool Started() const { return started_; }
  DWORD Pid() const { return pid_; }
  const HelperPorts& Ports() const { return ports_; }
  const std::string& Error() const { return error_; }
  // Closes its input and waits for it to exit.
  bool Stop();

 private:
  HANDLE process_ = nullptr;
  HANDLE input_write_ = nullptr;
  DWORD pid_ = 0;
  bool started_ = false;
  HelperPorts ports_;
  std::string error_;
};

// Runs a console program and returns everything it wrote to standard output.
std::string RunAndCapture(const std::string& exe_path, DWORD timeout_ms, DWORD* exit_code);

}  // namespace netscry::testing
